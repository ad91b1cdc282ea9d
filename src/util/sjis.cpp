#include "util/sjis.h"

namespace gleanix::util {

int charPos(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return 0;
  int chars = 0;
  for (std::size_t i = 0; i < text.size(); i += charBytesAt(text, i)) {
    if (text.compare(i, pattern.size(), pattern) == 0 && i + pattern.size() <= text.size()) {
      return chars + 1;
    }
    ++chars;
  }
  return 0;
}

std::string charCopy(std::string_view text, std::int64_t index, std::int64_t count) {
  if (index < 1 || count <= 0) return {};
  std::size_t start = std::string_view::npos;
  std::int64_t n = 1;
  std::size_t i = 0;
  for (; i < text.size(); i += charBytesAt(text, i), ++n) {
    if (n == index) {
      start = i;
      break;
    }
  }
  if (start == std::string_view::npos) return {};
  if (count >= kRestOfText) return std::string(text.substr(start));
  const std::int64_t endChar = index + count;
  for (; i < text.size(); i += charBytesAt(text, i), ++n) {
    if (n == endChar) return std::string(text.substr(start, i - start));
  }
  return std::string(text.substr(start));
}

int charLength(std::string_view text) {
  int chars = 0;
  for (std::size_t i = 0; i < text.size() && text[i] != '\0'; i += charBytesAt(text, i)) ++chars;
  return chars;
}

std::size_t lastCharOffset(std::string_view text) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); i += charBytesAt(text, i)) last = i;
  return last;
}

std::string lastChar(std::string_view text) {
  const std::size_t last = lastCharOffset(text);
  return last == std::string_view::npos ? std::string() : std::string(text.substr(last));
}

std::size_t findByte(std::string_view text, char c, std::size_t from) {
  for (std::size_t i = 0; i < text.size(); i += charBytesAt(text, i)) {
    if (i >= from && text[i] == c) return i;
  }
  return std::string_view::npos;
}

namespace {
bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
}  // namespace

std::string_view trimLeft(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && isBlank(s[b])) ++b;
  return s.substr(b);
}

std::string_view trimRight(std::string_view s) {
  // A trail byte is never below 0x40, so a blank at the end is a whole character.
  std::size_t e = s.size();
  while (e > 0 && isBlank(s[e - 1])) --e;
  return s.substr(0, e);
}

std::string_view trim(std::string_view s) { return trimRight(trimLeft(s)); }

std::string upperAscii(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); i += charBytesAt(out, i)) {
    if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
  }
  return out;
}

namespace {
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      // Both bytes of a double-byte character compare exactly.
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (upper(a[i]) != upper(b[i])) {
      return false;
    }
  }
  return true;
}

bool startsWithIgnoreCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && equalsIgnoreCase(s.substr(0, prefix.size()), prefix);
}

}  // namespace gleanix::util
