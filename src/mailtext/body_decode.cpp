#include "mailtext/body_decode.h"

#include <cstring>
#include <limits>

#include "mailtext/iso2022jp.h"

namespace gleanix::mailtext {

namespace {

constexpr char kEsc = '\x1B';

// suffix is not empty. The last byte is tested first: it rarely matches.
bool endsWith(const std::string& s, std::string_view suffix) {
  if (s.size() < suffix.size() || s.back() != suffix.back()) return false;
  return std::string_view(s).substr(s.size() - suffix.size()) == suffix;
}

}  // namespace

std::string joinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string replaceUntilNoneLeft(std::string_view text, std::string_view pattern,
                                 std::string_view replacement) {
  // The output so far never contains the pattern, so an occurrence can only
  // appear at its end, after a byte is added or a replacement is made.
  if (pattern.empty() || replacement.size() >= pattern.size()) return std::string(text);
  // Only adding the pattern's last byte can complete one: the bytes up to
  // the next such byte are added at once.
  std::string out;
  out.reserve(text.size());
  const char last = pattern.back();
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find(last, at);
    if (end == std::string_view::npos) {
      out.append(text.substr(at));
      break;
    }
    out.append(text.substr(at, end + 1 - at));
    while (endsWith(out, pattern)) {
      out.resize(out.size() - pattern.size());
      out += replacement;
    }
    at = end + 1;
  }
  return out;
}

std::string jisToShiftJis(const std::string& text, const JisToSjisFunction& convert) {
  if (text.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return text;
  }
  const auto length = static_cast<std::int32_t>(text.size());
  std::string buffer(text.size() + 1, '\0');
  convert(buffer.data(), text.c_str(), length);
  const void* nul = std::memchr(buffer.data(), '\0', buffer.size());
  const std::size_t end =
      nul == nullptr ? buffer.size() : static_cast<std::size_t>(static_cast<const char*>(nul) - buffer.data());
  buffer.resize(end);
  return buffer;
}

bool needsDecoding(std::string_view text) {
  return text.find(kEsc) != std::string_view::npos || text.find("=1B$B") != std::string_view::npos;
}

std::string decodeBody(const std::string& text, const JisToSjisFunction& convert) {
  if (text.find("=1B$B") != std::string::npos) {
    std::string plain = replaceUntilNoneLeft(text, "=3D", "=");
    plain = replaceUntilNoneLeft(plain, "=\r\n", "");
    plain = replaceUntilNoneLeft(plain, "=1B", std::string_view(&kEsc, 1));
    return jisToShiftJis(plain, convert);
  }
  if (text.find(kEsc) != std::string::npos) return jisToShiftJis(text, convert);
  return text;
}

JisConversion builtInConversion() { return {convertIso2022JpToSjis, true}; }

}  // namespace gleanix::mailtext
