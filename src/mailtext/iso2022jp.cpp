#include "mailtext/iso2022jp.h"

namespace gleanix::mailtext {

namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kShiftOut = 0x0E;  // SO: half-width katakana follow
constexpr unsigned char kShiftIn = 0x0F;   // SI: back to the designated set

enum class Charset { Ascii, Kanji, Kana };

bool isJisByte(unsigned char b) { return b >= 0x21 && b <= 0x7E; }

// The character set an escape sequence at in[i] designates, with its length
// in `used`; false when no known sequence starts there (also when one is cut
// off by the end of the input).
bool readEscape(const unsigned char* in, std::int32_t i, std::int32_t length, Charset& set,
                std::int32_t& used) {
  if (length - i < 3) return false;
  const unsigned char a = in[i + 1];
  const unsigned char b = in[i + 2];
  if (a == '$' && (b == 'B' || b == '@')) {
    set = Charset::Kanji;
  } else if (a == '(' && (b == 'B' || b == 'J')) {
    set = Charset::Ascii;
  } else if (a == '(' && b == 'I') {
    set = Charset::Kana;
  } else {
    return false;
  }
  used = 3;
  return true;
}

// JIS X 0208 row/cell bytes (0x21-0x7E each) to the Shift-JIS pair.
void kanjiToSjis(unsigned char j1, unsigned char j2, unsigned char& s1, unsigned char& s2) {
  s1 = static_cast<unsigned char>(((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
  if (j1 & 1) {
    s2 = static_cast<unsigned char>(j2 + (j2 >= 0x60 ? 0x20 : 0x1F));
  } else {
    s2 = static_cast<unsigned char>(j2 + 0x7E);
  }
}

}  // namespace

void convertIso2022JpToSjis(char* output, const char* input, std::int32_t length) {
  if (output == nullptr) return;
  if (input == nullptr || length < 0) length = 0;
  const auto* in = reinterpret_cast<const unsigned char*>(input);
  auto* out = reinterpret_cast<unsigned char*>(output);
  // Invariant: o <= i, so the text written never outgrows the input read.
  std::int32_t o = 0;
  Charset designated = Charset::Ascii;
  bool shifted = false;
  std::int32_t i = 0;
  while (i < length) {
    const unsigned char b = in[i];
    if (b == kEsc) {
      Charset set = designated;
      std::int32_t used = 0;
      if (readEscape(in, i, length, set, used)) {
        designated = set;
        shifted = false;
        i += used;
      } else {
        out[o++] = b;
        ++i;
      }
      continue;
    }
    if (b == 0) {
      ++i;
      continue;
    }
    if (b == kShiftOut || b == kShiftIn) {
      shifted = b == kShiftOut;
      ++i;
      continue;
    }
    if (b == '\r' || b == '\n') {
      designated = Charset::Ascii;
      shifted = false;
      out[o++] = b;
      ++i;
      continue;
    }
    const Charset set = shifted ? Charset::Kana : designated;
    if (set == Charset::Kana && b >= 0x21 && b <= 0x5F) {
      out[o++] = static_cast<unsigned char>(b + 0x80);
      ++i;
    } else if (set == Charset::Kanji && isJisByte(b) && i + 1 < length && isJisByte(in[i + 1])) {
      kanjiToSjis(b, in[i + 1], out[o], out[o + 1]);
      o += 2;
      i += 2;
    } else {
      out[o++] = b;
      ++i;
    }
  }
  out[o] = '\0';
}

}  // namespace gleanix::mailtext
