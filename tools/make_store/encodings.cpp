#include "make_store/encodings.h"

#include <algorithm>
#include <cstdint>

#include "util/sjis.h"

namespace gleanix::tools {
namespace {

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kHex[] = "0123456789ABCDEF";

bool isHalfWidthKana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

// JIS X 0208 row and cell of a Shift-JIS double-byte character.
void toJis(unsigned char s1, unsigned char s2, std::string& out) {
  int j1 = (s1 >= 0xE0 ? s1 - 0xC1 : s1 - 0x81) * 2 + 0x21;
  int j2;
  if (s2 >= 0x9F) {
    ++j1;
    j2 = s2 - 0x7E;
  } else {
    j2 = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
  }
  out += static_cast<char>(j1);
  out += static_cast<char>(j2);
}

}  // namespace

std::string toIso2022Jp(std::string_view sjis) {
  std::string out;
  bool kanji = false;
  for (std::size_t i = 0; i < sjis.size(); i += util::charBytesAt(sjis, i)) {
    const auto c = static_cast<unsigned char>(sjis[i]);
    const bool wide = util::charBytesAt(sjis, i) == 2;
    if (wide != kanji) {
      out += wide ? "\x1b$B" : "\x1b(B";
      kanji = wide;
    }
    if (wide) {
      toJis(c, static_cast<unsigned char>(sjis[i + 1]), out);
    } else {
      out += isHalfWidthKana(c) || c >= 0x80 ? '?' : static_cast<char>(c);
    }
  }
  if (kanji) out += "\x1b(B";
  return out;
}

std::string toQuotedPrintable(std::string_view text) {
  std::string out;
  std::size_t column = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\r\n";
      ++i;
      column = 0;
      continue;
    }
    std::string piece;
    if (c == '=' || c < 0x20 || c >= 0x7F) {
      piece = {'=', kHex[c >> 4], kHex[c & 15]};
    } else {
      piece = static_cast<char>(c);
    }
    if (column + piece.size() > 75) {
      out += "=\r\n";
      column = 0;
    }
    out += piece;
    column += piece.size();
  }
  return out;
}

std::string toBase64(std::string_view bytes, std::size_t lineLength) {
  std::string out;
  std::size_t column = 0;
  auto put = [&](char c) {
    out += c;
    if (lineLength > 0 && ++column == lineLength) {
      out += "\r\n";
      column = 0;
    }
  };
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t v = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      v = (v << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0);
    }
    put(kBase64[(v >> 18) & 63]);
    put(kBase64[(v >> 12) & 63]);
    put(n > 1 ? kBase64[(v >> 6) & 63] : '=');
    put(n > 2 ? kBase64[v & 63] : '=');
  }
  if (lineLength > 0 && column > 0) out += "\r\n";
  return out;
}

std::string encodedWord(std::string_view sjis) { return "=?ISO-2022-JP?B?" + toBase64(toIso2022Jp(sjis), 0) + "?="; }

}  // namespace gleanix::tools
