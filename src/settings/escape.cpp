#include "settings/escape.h"

#include "util/sjis.h"

namespace gleanix::settings {
namespace {

bool isTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Bytes in the character at i. A lead byte only pairs with a byte that can
// follow it in Shift-JIS: a broken text ending in a lead byte before CR or
// "%" must not hide that CR (it would split the line in the file) or that
// "%" (it would break the escape). Escaping and unescaping walk the text
// alike, so every byte keeps its role on the way back.
std::size_t charBytes(std::string_view text, std::size_t i) {
  return (util::isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
          isTrailByte(static_cast<unsigned char>(text[i + 1])))
             ? 2
             : 1;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool mustEscape(unsigned char b) { return b == '%' || (b >= 0x01 && b <= 0x1F); }
bool isPercent(unsigned char b) { return b == '%'; }

// Appends the characters from i up to the next one-byte character for which
// stop holds and returns where it stopped. Copying whole runs at once keeps
// long values cheap.
template <class Stop>
std::size_t copyRun(std::string_view text, std::size_t i, std::string& out, Stop stop) {
  const std::size_t start = i;
  while (i < text.size()) {
    const std::size_t n = charBytes(text, i);
    if (n == 1 && stop(static_cast<unsigned char>(text[i]))) break;
    i += n;
  }
  out.append(text.substr(start, i - start));
  return i;
}

}  // namespace

std::string escapeValue(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = charBytes(text, i);
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (n == 1 && b == '%') {
      out += "%%";
    } else if (n == 1 && b >= 0x01 && b <= 0x1F) {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    } else {
      i = copyRun(text, i, out, mustEscape);
      continue;
    }
    i += n;
  }
  return out;
}

std::optional<std::string> unescapeValue(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = charBytes(text, i);
    if (n == 1 && text[i] == '%') {
      if (i + 1 < text.size() && text[i + 1] == '%') {
        out += '%';
        i += 2;
        continue;
      }
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = hexValue(text[i + 1]), low = hexValue(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      out += static_cast<char>(high * 16 + low);
      i += 3;
      continue;
    }
    i = copyRun(text, i, out, isPercent);
  }
  return out;
}

}  // namespace gleanix::settings
