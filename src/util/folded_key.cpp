#include "util/folded_key.h"

#include <cstdint>
#include <cstring>

#include "util/sjis.h"

namespace gleanix::util {
namespace {

// The eight bytes with every byte 'a' to 'z' turned into its capital.
std::uint64_t foldedWord(std::uint64_t w) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHigh = 0x8080808080808080ull;
  const std::uint64_t low7 = w & ~kHigh;
  const std::uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;  // high bit: >= 'a'
  const std::uint64_t pastZ = low7 + (0x80 - 'z' - 1) * kOnes;  // high bit: > 'z'
  const std::uint64_t lower = atLeastA & ~pastZ & ~w & kHigh;
  return w ^ (lower >> 2);  // 0x80 >> 2 is the case bit 0x20
}

std::uint64_t mix(std::uint64_t h, std::uint64_t w) {
  h = (h ^ w) * 0x9E3779B97F4A7C15ull;
  return h ^ (h >> 29);
}

}  // namespace

std::size_t foldedHash(std::string_view text) {
  // Texts equal without regard to case have the same upperAscii form, and
  // so the same bytes once every 'a' to 'z' is capitalised (trail bytes of
  // double-byte characters included, which only makes more texts share a
  // hash): eight bytes at a time.
  std::uint64_t h = 0xCBF29CE484222325ull ^ text.size();
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, text.data() + i, 8);
    h = mix(h, foldedWord(w));
  }
  if (i < text.size()) {
    std::uint64_t w = 0;
    std::memcpy(&w, text.data() + i, text.size() - i);
    h = mix(h, foldedWord(w));
  }
  return static_cast<std::size_t>(h ^ (h >> 32));
}

std::size_t FoldedHash::operator()(std::string_view key) const { return foldedHash(key); }

bool FoldedEqual::operator()(std::string_view a, std::string_view b) const { return equalsIgnoreCase(a, b); }

}  // namespace gleanix::util
