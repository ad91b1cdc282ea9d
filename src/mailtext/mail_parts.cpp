#include "mailtext/mail_parts.h"

#include <cstring>

#include "mailtext/body_decode.h"
#include "mailtext/header_field.h"
#include "sys/file_system.h"
#include "util/sjis.h"

namespace gleanix::mailtext {

namespace {

// Whether every CR is followed by LF and every LF follows a CR, and the
// bytes end in CR LF (or are empty): then splitting at CR LF gives the
// lines the host's string lists would, and joining them with CR LF after
// each gives the bytes back.
bool onlyCrLfLineEnds(std::string_view bytes) {
  if (bytes.empty()) return true;
  if (bytes.size() < 2 || bytes[bytes.size() - 2] != '\r' || bytes.back() != '\n') return false;
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  // LF is the rarer byte to look for first; a CR not before an LF shows up
  // as a count of CRs that differs from the count of CR LF pairs.
  std::size_t pairs = 0;
  for (const char* q = p; (q = static_cast<const char*>(std::memchr(q, '\n', static_cast<std::size_t>(end - q))));
       ++q) {
    if (q == p || q[-1] != '\r') return false;
    ++pairs;
  }
  std::size_t crs = 0;
  for (const char* q = p; (q = static_cast<const char*>(std::memchr(q, '\r', static_cast<std::size_t>(end - q))));
       ++q) {
    ++crs;
  }
  return crs == pairs;
}

// Lines of CR LF-ended bytes, without their line ends.
void cutCrLfLines(std::string_view bytes, std::vector<std::string_view>& lines) {
  lines.clear();
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    lines.push_back(bytes.substr(start, lf - 1 - start));
    start = lf + 1;
  }
}

// The lines of bytes, split as sys::splitLines splits them, each followed by
// CR LF, added to out in one allocation at most.
void appendAsCrLfLines(std::string_view bytes, std::string& out) {
  std::size_t ends = 0;
  for (const char c : bytes) ends += (c == '\r' || c == '\n') ? 1 : 0;
  out.reserve(out.size() + bytes.size() + ends + 2);
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      out.append(bytes.substr(start)).append("\r\n");
      return;
    }
    out.append(bytes.substr(start, end - start)).append("\r\n");
    start = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
  }
}

void appendLines(const std::vector<std::string_view>& lines, std::string& out) {
  std::size_t size = out.size();
  for (std::string_view line : lines) size += line.size() + 2;
  out.reserve(size);
  for (std::string_view line : lines) out.append(line).append("\r\n");
}

}  // namespace

void MailParts::split(std::string_view bytes, const MailWarning& warn) {
  header_.clear();
  body_.clear();
  bodyLinesReady_ = false;
  wholeBody_ = false;
  headerJoined_ = bodyJoined_ = false;
  inPlace_ = splitInPlace(bytes);
  if (!inPlace_) splitCopied(bytes, warn);
}

bool MailParts::splitInPlace(std::string_view bytes) {
  if (!onlyCrLfLineEnds(bytes)) return false;
  // The header ends at the first empty line.
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    if (lf == start + 1) break;  // the empty line
    header_.push_back(bytes.substr(start, lf - 1 - start));
    start = lf + 1;
  }
  headerText_ = bytes.substr(0, start);
  if (start == bytes.size()) {  // no empty line: no body
    bodyText_ = {};
    bodyLinesReady_ = true;
    return true;
  }
  // Only a body taken whole is viewed in place: no Content-Type, or a text one.
  const std::string contentType = headerField("CONTENT-TYPE:", header_);
  if (!contentType.empty() && util::upperAscii(contentType).find("TEXT") == std::string::npos) {
    header_.clear();
    return false;
  }
  bodyText_ = bytes.substr(start + 2);
  return true;
}

void MailParts::splitCopied(std::string_view bytes, const MailWarning& warn) {
  // The header lines, up to the first empty line.
  std::size_t start = 0;
  bool separated = false;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::size_t next =
        end == bytes.size() ? end : end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    if (end == start) {
      separated = true;
      start = next;
      break;
    }
    header_.push_back(bytes.substr(start, end - start));
    start = next;
  }
  if (!separated) {  // every line is a header line
    bodyLinesReady_ = true;
    return;
  }
  // A body taken whole (no Content-Type, or a text one) stays bytes: its
  // lines are cut only when asked for, so that millions of short lines cost
  // no list of them.
  const std::string contentType = headerField("CONTENT-TYPE:", header_);
  if (contentType.empty() || util::upperAscii(contentType).find("TEXT") != std::string::npos) {
    wholeBody_ = true;
    bodyText_ = bytes.substr(start);
    return;
  }
  sys::splitLineViews(bytes, lines_);
  splitMail(lines_, header_, body_, boundary_, warn);
  bodyLinesReady_ = true;
}

const std::vector<std::string_view>& MailParts::body() {
  if (!bodyLinesReady_) {
    if (inPlace_) {
      cutCrLfLines(bodyText_, body_);
    } else {
      sys::splitLineViews(bodyText_, body_);
    }
    bodyLinesReady_ = true;
  }
  return body_;
}

std::string_view MailParts::headerText() {
  return inPlace_ ? headerText_ : joinedOnce(header_, joinedHeader_, headerJoined_);
}

std::string_view MailParts::bodyText() {
  if (inPlace_) return bodyText_;
  if (wholeBody_ && !bodyJoined_) {
    joinedBody_.clear();
    appendAsCrLfLines(bodyText_, joinedBody_);
    bodyJoined_ = true;
  }
  return joinedOnce(body_, joinedBody_, bodyJoined_);
}

void MailParts::appendHeaderText(std::string& out) const {
  if (inPlace_) {
    out.append(headerText_);
  } else {
    appendLines(header_, out);
  }
}

void MailParts::appendBodyText(std::string& out) const {
  if (inPlace_) {
    out.append(bodyText_);
  } else if (wholeBody_) {
    appendAsCrLfLines(bodyText_, out);
  } else {
    appendLines(body_, out);
  }
}

bool MailParts::bodyNeedsDecoding() const {
  // What decoding looks for holds no line end, so it never spans two lines
  // and line ends do not change the answer.
  if (inPlace_ || wholeBody_) return needsDecoding(bodyText_);
  for (std::string_view line : body_) {
    if (needsDecoding(line)) return true;
  }
  return false;
}

std::string_view MailParts::joinedOnce(const std::vector<std::string_view>& lines, std::string& joined, bool& done) {
  if (!done) {
    joined.clear();
    appendLines(lines, joined);
    done = true;
  }
  return joined;
}

}  // namespace gleanix::mailtext
