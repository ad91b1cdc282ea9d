#pragma once
// Turning a stored mail body into Shift-JIS text for searching: bodies may
// still be 7-bit ISO-2022-JP, sometimes wrapped in quoted-printable.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gleanix::mailtext {

// The host's conversion "_APAJisToSjis@12": (output buffer, input text,
// input length in bytes). Writes the converted text and a terminating NUL.
// convertIso2022JpToSjis (iso2022jp.h) has this shape.
using JisToSjisFunction = std::function<void(char* output, const char* input, std::int32_t length)>;

// A conversion together with what its caller knows of it. pure: it reads
// its input, writes its output and touches nothing else, so it may run on
// several threads at once (convertIso2022JpToSjis is). The host's function
// is not known to be: a search calls it only on the thread it runs on.
struct JisConversion {
  JisToSjisFunction convert;
  bool pure = false;
};

// convertIso2022JpToSjis, marked pure.
JisConversion builtInConversion();

// Body lines as one text, each line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// One call of the host conversion. The buffer handed over has room for the
// input length plus the terminating NUL (the converted text is never longer
// than its input; the NUL needs the extra byte). The result is the buffer up
// to its first NUL, or the whole buffer should the host leave out the NUL.
// A text too long for a 32-bit length is returned unchanged.
std::string jisToShiftJis(const std::string& text, const JisToSjisFunction& convert);

// The body text in Shift-JIS:
// - containing "=1B$B" (quoted-printable JIS): "=3D" -> "=", soft line breaks
//   "=" CR LF removed, "=1B" -> ESC, each until none is left, then converted;
//   no other quoted-printable escape is decoded;
// - else containing ESC: converted as it is;
// - else returned unchanged.
std::string decodeBody(const std::string& text, const JisToSjisFunction& convert);

// Whether decodeBody would change the text (it holds "=1B$B" or ESC);
// otherwise the text can be used as it is, without a copy.
bool needsDecoding(std::string_view text);

// Rewrites every occurrence of `pattern` by `replacement` until none is left,
// exactly as repeating a search from the start would, in one pass. Exact for
// patterns that cannot overlap themselves (no proper suffix equal to a
// proper prefix), such as the quoted-printable escapes above, whose
// rewriting then has one end result whatever the order. The replacement
// must be shorter than the pattern.
std::string replaceUntilNoneLeft(std::string_view text, std::string_view pattern,
                                 std::string_view replacement);

}  // namespace gleanix::mailtext
