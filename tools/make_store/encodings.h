#pragma once
// The transfer forms make-store writes mail text in. The text itself is
// Shift-JIS (CP932); JIS X 0208 characters map to ISO-2022-JP arithmetically.

#include <string>
#include <string_view>

namespace gleanix::tools {

// Shift-JIS text as ISO-2022-JP: "ESC $ B" before a run of double-byte
// characters, "ESC ( B" before ASCII again and at the end. Half-width kana
// have no ISO-2022-JP form here and become "?".
std::string toIso2022Jp(std::string_view sjis);

// Quoted-printable of 7-bit text with its CR LF line ends kept: ESC as
// "=1B", "=" as "=3D", and soft line breaks ("=" CR LF) so that no line
// exceeds 76 characters.
std::string toQuotedPrintable(std::string_view text);

// Standard base64, in lines of lineLength characters (0: one line), each
// followed by CR LF when lineLength > 0.
std::string toBase64(std::string_view bytes, std::size_t lineLength);

// "=?ISO-2022-JP?B?...?=" for Shift-JIS text.
std::string encodedWord(std::string_view sjis);

}  // namespace gleanix::tools
