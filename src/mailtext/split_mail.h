#pragma once
// Splitting a stored mail into its header lines and the body lines a keyword
// search looks at: for a multipart mail, the bodies of its text parts.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace gleanix::mailtext {

// Receives the text of a warning about a malformed mail. The commands show it
// in a message box (no owner, empty caption, warning icon).
using MailWarning = std::function<void(const std::string& text)>;

// The boundary parameter of a multipart Content-Type value (original case),
// as splitMail uses it.
struct Boundary {
  enum class Status {
    Missing,  // no "BOUNDARY" in the value
    Illegal,  // a quoted boundary without its closing quote, or an empty one
    Found,
  };
  Status status = Status::Missing;
  std::string text;
};

// Finds "BOUNDARY" in the upper-cased value; the boundary starts 8 bytes
// later, after blanks and an optional "=" (each followed by blanks). Quoted,
// it ends before the closing double quote; unquoted (boundary=abc), it is the
// token up to the first ";", blank or double quote.
Boundary multipartBoundary(const std::string& contentType);

// Fills `header` with the lines before the first empty line and `body` with
// the lines the search looks at; both are cleared first. Without an empty
// line every line is a header line.
// - Content-Type empty or containing "TEXT" anywhere: every line after the
//   empty line.
// - "MULTIPART": the lines of the text parts (the preamble counts as text),
//   with the boundary string as a line between parts. Without a boundary
//   parameter `warn` gets "No boundary in Content-Type: " + value and the body
//   stays empty; with a malformed one it gets "Illegal boundary in
//   Content-Type: " + value and the body is every line after the empty line.
// - Any other type: no body.
// `warn` may be empty.
void splitMail(const std::vector<std::string>& lines, std::vector<std::string>& header,
               std::vector<std::string>& body, const MailWarning& warn);
// The same over views into a mail's bytes, without copying a line. The
// boundary lines of a multipart body are views into boundary, which must
// stay unchanged while body is used.
void splitMail(const std::vector<std::string_view>& lines, std::vector<std::string_view>& header,
               std::vector<std::string_view>& body, std::string& boundary, const MailWarning& warn);

}  // namespace gleanix::mailtext
