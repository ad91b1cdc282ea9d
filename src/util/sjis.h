#pragma once
// Shift-JIS (code page 932) aware string helpers. A byte in 0x81-0x9F or
// 0xE0-0xFC opens a two-byte character whose second byte is never looked at
// on its own: it may well be "\", "[" or "|". Character positions and counts
// are 1-based, as everywhere the host or the user sees them.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace gleanix::util {

constexpr bool isLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Byte length of the character starting at byte i (1 or 2). A lead byte at
// the very end of the text is a character of one byte.
inline std::size_t charBytesAt(std::string_view text, std::size_t i) {
  return (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
}

// Passed as a count to charCopy: take the rest of the text.
inline constexpr std::int32_t kRestOfText = std::numeric_limits<std::int32_t>::max();

// 1-based character index of the first occurrence of pattern that starts on a
// character boundary; 0 when there is none (also for an empty pattern).
int charPos(std::string_view pattern, std::string_view text);

// count characters from the character at 1-based index; empty for an index
// below 1 or beyond the text; kRestOfText takes everything after index - 1.
std::string charCopy(std::string_view text, std::int64_t index, std::int64_t count);

// Number of characters up to the first NUL byte.
int charLength(std::string_view text);

// The last character (one or two bytes); empty for an empty text.
std::string lastChar(std::string_view text);

// Byte offset of the start of the last character; npos for an empty text.
std::size_t lastCharOffset(std::string_view text);

// Byte offset of the first occurrence of c (an ASCII byte) on a character
// boundary at or after byte from; npos when there is none.
std::size_t findByte(std::string_view text, char c, std::size_t from = 0);

// Trim bytes up to and including the blank (0x00-0x20) at both ends, as the
// host's string routines do.
std::string_view trim(std::string_view s);
std::string_view trimLeft(std::string_view s);
std::string_view trimRight(std::string_view s);

// ASCII letters upper-cased; every other byte, and both bytes of a
// double-byte character, unchanged.
std::string upperAscii(std::string_view s);

// Case-insensitive (ASCII letters) equality and prefix test.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view s, std::string_view prefix);

}  // namespace gleanix::util
