#pragma once
// Conversion between the program's CP932 text and the terminal's UTF-8.
// This is the only place where text leaves code page 932.

#include <optional>
#include <string>
#include <string_view>

namespace gleanix::cli {

// Bytes that are not valid CP932 become U+FFFD, so output never fails.
std::string toUtf8(std::string_view cp932);
// The same appended to out.
void appendUtf8(std::string_view cp932, std::string& out);
// The same bytes converted by iconv call by call: what the look-up table is
// taken from, and the measure it is held to.
std::string toUtf8ByIconv(std::string_view cp932);

// nullopt when the text is not valid UTF-8 or holds a character that code
// page 932 cannot write.
std::optional<std::string> toCp932(std::string_view utf8);

}  // namespace gleanix::cli
