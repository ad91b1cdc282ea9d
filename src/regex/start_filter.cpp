#include "regex/start_filter.h"

#include <array>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "util/sjis.h"

namespace gleanix::regex {

StartFilter::StartFilter(const CharClasses& classes, const std::vector<std::uint8_t>& startClass) {
  auto starts = [&](std::uint32_t cls) { return cls != CharClasses::kBlank && startClass[cls]; };
  std::size_t pairCount = 0;
  int firstBytes = 0;
  // Rows shared by several lead bytes are looked at once.
  std::unordered_map<const std::uint32_t*, std::pair<std::array<std::uint64_t, 4>, unsigned>> rowsDone;
  for (unsigned b = 0; b < 256; ++b) {
    single_[b] = starts(classes.classOf(b));
    bool any = false;
    if (classes.isLead(b)) {
      const std::uint32_t* row = classes.row(b);
      auto [it, added] = rowsDone.try_emplace(row);
      auto& [bits, count] = it->second;
      if (added) {
        bits.fill(0);
        count = 0;
        for (unsigned c = 0; c < 256; ++c) {
          if (!starts(row[c])) continue;
          bits[c >> 6] |= std::uint64_t{1} << (c & 63);
          ++count;
        }
      }
      for (unsigned w = 0; w < 4; ++w) pairs_[b * 4 + w] = bits[w];
      pairCount += count;
      any = count > 0;
    } else if (single_[b]) {
      // A one-byte character starts a match whatever byte follows it.
      for (unsigned w = 0; w < 4; ++w) pairs_[b * 4 + w] = ~std::uint64_t{0};
      pairCount += 256;
      any = true;
    }
    if (any || single_[b]) {
      ++firstBytes;
      firstByte_ = static_cast<unsigned char>(b);
    }
  }
  // Past an eighth of all pairs, most positions of a text are candidates.
  if (pairCount > 0x10000 / 8) {
    mode_ = Mode::EveryCharacter;
  } else if (firstBytes == 1) {
    mode_ = Mode::OneFirstByte;
  } else {
    mode_ = Mode::Pairs;
  }
}

std::size_t StartFilter::scan(const unsigned char* p, std::size_t i, std::size_t n) const {
  if (mode_ == Mode::OneFirstByte) {
    while (i < n) {
      const void* hit = std::memchr(p + i, firstByte_, n - i);
      if (hit == nullptr) return n;
      const auto j = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - p);
      if (candidateAt(p, j, n)) return j;
      i = j + 1;
    }
    return n;
  }
  for (; i + 1 < n; ++i) {
    if (pair(p[i], p[i + 1])) return i;
  }
  return (i + 1 == n && single_[p[i]]) ? i : n;
}

std::size_t StartFilter::next(const unsigned char* p, std::size_t i, std::size_t n) const {
  if (mode_ == Mode::EveryCharacter) return i;
  std::size_t boundary = i;
  for (;;) {
    const std::size_t j = scan(p, i, n);
    if (j >= n) return n;
    std::size_t k = j;
    while (k > boundary && util::isLeadByte(p[k - 1])) --k;
    if (((j - k) & 1) == 0) return j;
    // j is the trail byte of a double-byte character: the next one starts after it.
    boundary = i = j + 1;
  }
}

}  // namespace gleanix::regex
