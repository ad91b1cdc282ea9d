#include "mailtext/split_mail.h"

#include <string_view>

#include "mailtext/header_field.h"
#include "util/sjis.h"

namespace gleanix::mailtext {

namespace {

constexpr std::string_view kBoundaryKey = "BOUNDARY";

// Substring test in time linear in the text (Knuth-Morris-Pratt): the
// boundary and the lines both come from the mail, and a plain search costs
// their product on a crafted mail. An empty pattern is found nowhere.
class SubstringFinder {
 public:
  explicit SubstringFinder(std::string_view pattern) : pattern_(pattern), fallback_(pattern.size(), 0) {
    std::size_t k = 0;
    for (std::size_t i = 1; i < pattern_.size(); ++i) {
      while (k > 0 && pattern_[i] != pattern_[k]) k = fallback_[k - 1];
      if (pattern_[i] == pattern_[k]) ++k;
      fallback_[i] = k;
    }
  }

  bool foundIn(std::string_view text) const {
    if (pattern_.empty()) return false;
    std::size_t k = 0;
    for (const char c : text) {
      while (k > 0 && c != pattern_[k]) k = fallback_[k - 1];
      if (c == pattern_[k] && ++k == pattern_.size()) return true;
    }
    return false;
  }

 private:
  std::string_view pattern_;
  std::vector<std::size_t> fallback_;
};

bool containsText(std::string_view s) { return util::upperAscii(s).find("TEXT") != std::string::npos; }

// The boundary lines between parts are boundaryLine (a copy, or a view of
// the boundary text kept by the caller).
template <typename Line>
void collectMultipartBody(typename std::vector<Line>::const_iterator from, typename std::vector<Line>::const_iterator to,
                          const std::string& boundary, const Line& boundaryLine, std::vector<Line>& body) {
  const SubstringFinder finder(boundary);
  bool inPartHeader = false;
  bool partIsText = true;  // the preamble counts as text
  for (auto it = from; it != to; ++it) {
    const Line& line = *it;
    if (finder.foundIn(line)) {
      inPartHeader = true;
      partIsText = true;
      if (!body.empty()) body.push_back(boundaryLine);
    } else if (inPartHeader) {
      if (line.empty()) {
        inPartHeader = false;
      } else if (util::startsWithIgnoreCase(line, "CONTENT-TYPE:")) {
        partIsText = containsText(line);
      }
    } else if (partIsText) {
      body.push_back(line);
    }
  }
}

// splitMail over lines of either kind; the boundary text found goes to
// boundaryText, which the view kind's boundary lines point into.
template <typename Line>
void splitMailLines(const std::vector<Line>& lines, std::vector<Line>& header, std::vector<Line>& body,
                    std::string& boundaryText, const MailWarning& warn) {
  header.clear();
  body.clear();
  auto separator = lines.begin();
  while (separator != lines.end() && !separator->empty()) ++separator;
  header.assign(lines.begin(), separator);
  if (separator == lines.end()) return;
  const auto first = separator + 1;

  const std::string contentType = headerField("CONTENT-TYPE:", header);
  const std::string upper = util::upperAscii(contentType);
  if (contentType.empty() || upper.find("TEXT") != std::string::npos) {
    body.assign(first, lines.end());
    return;
  }
  if (upper.find("MULTIPART") == std::string::npos) return;

  const Boundary boundary = multipartBoundary(contentType);
  switch (boundary.status) {
    case Boundary::Status::Missing:
      if (warn) warn("No boundary in Content-Type: " + contentType);
      return;
    case Boundary::Status::Illegal:
      // Nothing can be told apart: keep every line rather than lose text.
      if (warn) warn("Illegal boundary in Content-Type: " + contentType);
      body.assign(first, lines.end());
      return;
    case Boundary::Status::Found:
      boundaryText = boundary.text;
      collectMultipartBody<Line>(first, lines.end(), boundaryText, Line(boundaryText), body);
      return;
  }
}

}  // namespace

Boundary multipartBoundary(const std::string& contentType) {
  Boundary result;
  const std::size_t key = util::upperAscii(contentType).find(kBoundaryKey);
  if (key == std::string::npos) return result;
  std::string_view rest = util::trim(std::string_view(contentType).substr(key + kBoundaryKey.size()));
  if (!rest.empty() && rest.front() == '=') rest = util::trim(rest.substr(1));
  std::size_t end;
  if (!rest.empty() && rest.front() == '"') {
    rest.remove_prefix(1);
    end = rest.find('"');
    if (end == std::string_view::npos) {
      result.status = Boundary::Status::Illegal;
      return result;
    }
  } else {
    end = 0;
    while (end < rest.size() && rest[end] != ';' && rest[end] != '"' &&
           static_cast<unsigned char>(rest[end]) > 0x20) {
      ++end;
    }
  }
  result.text = std::string(rest.substr(0, end));
  result.status = result.text.empty() ? Boundary::Status::Illegal : Boundary::Status::Found;
  return result;
}

void splitMail(const std::vector<std::string>& lines, std::vector<std::string>& header,
               std::vector<std::string>& body, const MailWarning& warn) {
  std::string boundary;
  splitMailLines(lines, header, body, boundary, warn);
}

void splitMail(const std::vector<std::string_view>& lines, std::vector<std::string_view>& header,
               std::vector<std::string_view>& body, std::string& boundary, const MailWarning& warn) {
  splitMailLines(lines, header, body, boundary, warn);
}

}  // namespace gleanix::mailtext
