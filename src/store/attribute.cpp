#include "store/attribute.h"

#include "util/base64.h"

namespace gleanix::store {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// A byte as the host stores the sum: its low 8 bits (a digit of -1 makes
// the sum negative).
std::uint32_t lowByte(int value) { return static_cast<std::uint32_t>(value) & 0xFFu; }

}  // namespace

std::optional<std::uint32_t> decodeAttribute(std::string_view text) {
  if (text.size() < 6) return std::nullopt;
  int d[6];
  for (int i = 0; i < 6; ++i) d[i] = util::base64Value(text[i]);
  // Integer division and remainder truncate toward zero, as in the host.
  const std::uint32_t b0 = lowByte(d[0] * 4 + d[1] / 16);
  const std::uint32_t b1 = lowByte((d[1] % 16) * 16 + d[2] / 4);
  const std::uint32_t b2 = lowByte((d[2] % 4) * 64 + d[3]);
  const std::uint32_t b3 = lowByte(d[4] * 4 + d[5] / 16);
  return b0 | (b1 << 8) | (b2 << 16) | (b3 << 24);
}

std::string encodeAttribute(std::uint32_t word) {
  const std::uint32_t b0 = word & 0xFF, b1 = (word >> 8) & 0xFF, b2 = (word >> 16) & 0xFF, b3 = word >> 24;
  const std::uint32_t digits[6] = {b0 >> 2, ((b0 & 3) << 4) | (b1 >> 4), ((b1 & 15) << 2) | (b2 >> 6),
                                   b2 & 63, b3 >> 2, (b3 & 3) << 4};
  std::string out(6, 'A');
  for (int i = 0; i < 6; ++i) out[i] = kAlphabet[digits[i]];
  return out;
}

}  // namespace gleanix::store
