#include "regex/start_filter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "util/sjis.h"

namespace gleanix::regex {

std::uint8_t StartFilter::addRow(const Row& row) {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i] == row) return static_cast<std::uint8_t>(i);
  }
  rows_.push_back(row);  // at most 2 + one per lead byte: fits a byte
  return static_cast<std::uint8_t>(rows_.size() - 1);
}

StartFilter::StartFilter(const CharClasses& classes, const std::vector<std::uint8_t>& startClass, bool useVectors)
    : rows_{Row{}, Row{~std::uint64_t{0}, ~std::uint64_t{0}, ~std::uint64_t{0}, ~std::uint64_t{0}}} {
  auto starts = [&](std::uint32_t cls) { return cls != CharClasses::kBlank && startClass[cls]; };
  std::size_t pairCount = 0;
  // Rows shared by several lead bytes are looked at once.
  std::unordered_map<unsigned, std::pair<std::array<std::uint64_t, 4>, unsigned>> rowsDone;
  for (unsigned b = 0; b < 256; ++b) {
    if (starts(classes.classOf(b))) single_[b >> 6] |= std::uint64_t{1} << (b & 63);
    if (classes.isLead(b)) {
      auto [it, added] = rowsDone.try_emplace(classes.rowId(b));
      auto& [bits, count] = it->second;
      if (added) {
        bits.fill(0);
        count = 0;
        for (unsigned c = 0; c < 256; ++c) {
          if (!starts(classes.pairClass(b, c))) continue;
          bits[c >> 6] |= std::uint64_t{1} << (c & 63);
          ++count;
        }
      }
      rowOf_[b] = addRow(bits);
      pairCount += count;
    } else if (single(b)) {
      // A one-byte character starts a match whatever byte follows it.
      rowOf_[b] = 1;
      pairCount += 256;
    }
  }
  // Past an eighth of all pairs, most positions of a text are candidates.
  if (pairCount > 0x10000 / 8) {
    mode_ = Mode::EveryCharacter;
    return;
  }
  mode_ = Mode::Pairs;
  if (GLEANIX_REGEX_VECTOR_FILTER && useVectors) {
    std::vector<PairRange> ranges = pairRanges();
    if (!ranges.empty() && ranges.size() <= kMaxVectorRanges) {
      mode_ = Mode::Vector;
      vectorCount_ = ranges.size();
      vectorTests_.resize(ranges.size());
      // Kind 0: one first byte and one second byte; 1: one first byte, any
      // second; 2: ranges.
      auto kind = [](const PairRange& r) {
        if (r.firstLow != r.firstHigh) return 2;
        if (r.secondLow == 0 && r.secondHigh == 255) return 1;
        return r.secondLow == r.secondHigh ? 0 : 2;
      };
      std::stable_sort(ranges.begin(), ranges.end(),
                       [&](const PairRange& x, const PairRange& y) { return kind(x) < kind(y); });
      for (std::size_t k = 0; k < ranges.size(); ++k) {
        const PairRange& r = ranges[k];
        std::memset(vectorTests_[k].v[0], r.firstLow, 16);
        std::memset(vectorTests_[k].v[1], r.firstHigh - r.firstLow, 16);
        std::memset(vectorTests_[k].v[2], r.secondLow, 16);
        std::memset(vectorTests_[k].v[3], r.secondHigh - r.secondLow, 16);
        if (kind(r) <= 0) vectorKindEnd_[0] = k + 1;
        if (kind(r) <= 1) vectorKindEnd_[1] = k + 1;
      }
      vectorKindEnd_[1] = std::max(vectorKindEnd_[1], vectorKindEnd_[0]);
    }
  }
}

std::vector<StartFilter::PairRange> StartFilter::pairRanges() const {
  // Per first byte, the runs of second bytes; then first bytes with the
  // same runs next to each other are merged.
  std::vector<PairRange> ranges;
  std::vector<PairRange> mine;
  for (unsigned b = 0; b < 256; ++b) {
    const std::uint64_t* row = rows_[rowOf_[b]].data();
    if ((row[0] | row[1] | row[2] | row[3]) == 0) continue;
    mine.clear();
    for (unsigned c = 0; c < 256;) {
      const std::uint64_t word = row[c >> 6] >> (c & 63);
      if (word == 0) {
        c = (c | 63) + 1;  // nothing more in this word
        continue;
      }
      c += static_cast<unsigned>(__builtin_ctzll(word));
      unsigned e = c;
      while (e + 1 < 256 && pair(b, e + 1)) ++e;
      mine.push_back({static_cast<unsigned char>(b), static_cast<unsigned char>(b), static_cast<unsigned char>(c),
                      static_cast<unsigned char>(e)});
      c = e + 1;
      if (ranges.size() + mine.size() > kMaxVectorRanges * 4) return {};
    }
    for (const PairRange& r : mine) {
      bool merged = false;
      for (PairRange& q : ranges) {
        if (q.firstHigh + 1u == b && q.secondLow == r.secondLow && q.secondHigh == r.secondHigh) {
          q.firstHigh = r.firstHigh;
          merged = true;
          break;
        }
      }
      if (!merged) ranges.push_back(r);
    }
  }
  return ranges;
}

#if GLEANIX_REGEX_VECTOR_FILTER
namespace {

using Bytes = unsigned char __attribute__((vector_size(16)));

// x in [low, low + width] is (x - low) <= width, bytes taken unsigned; a
// range of one byte is a plain comparison, and a full range no test at all.
inline Bytes inRange(Bytes x, const unsigned char* test) {
  Bytes low;
  Bytes width;
  std::memcpy(&low, test, 16);
  std::memcpy(&width, test + 16, 16);
  return reinterpret_cast<Bytes>((x - low) <= width);
}
inline Bytes equal(Bytes x, const unsigned char* test) {
  Bytes value;
  std::memcpy(&value, test, 16);
  return reinterpret_cast<Bytes>(x == value);
}

}  // namespace

std::size_t StartFilter::scanVector(const unsigned char* p, std::size_t i, std::size_t n) const {
  // The tests are sorted by kind, so that each kind runs as a plain loop.
  const std::size_t pairsEnd = vectorKindEnd_[0];
  const std::size_t firstEnd = vectorKindEnd_[1];
  const std::size_t count = vectorCount_;
  for (; i + 17 <= n; i += 16) {
    Bytes a;
    Bytes b;
    std::memcpy(&a, p + i, 16);
    std::memcpy(&b, p + i + 1, 16);
    Bytes hit = {};
    for (std::size_t k = 0; k < pairsEnd; ++k) hit |= equal(a, vectorTests_[k].v[0]) & equal(b, vectorTests_[k].v[2]);
    for (std::size_t k = pairsEnd; k < firstEnd; ++k) hit |= equal(a, vectorTests_[k].v[0]);
    for (std::size_t k = firstEnd; k < count; ++k) hit |= inRange(a, vectorTests_[k].v[0]) & inRange(b, vectorTests_[k].v[2]);
    std::uint64_t low;
    std::uint64_t high;
    std::memcpy(&low, &hit, 8);
    std::memcpy(&high, reinterpret_cast<const char*>(&hit) + 8, 8);
    if ((low | high) != 0) {
      return i + (low != 0 ? static_cast<std::size_t>(__builtin_ctzll(low)) / 8
                           : 8 + static_cast<std::size_t>(__builtin_ctzll(high)) / 8);
    }
  }
  return i;
}
#else
std::size_t StartFilter::scanVector(const unsigned char*, std::size_t i, std::size_t) const { return i; }
#endif

std::size_t StartFilter::scan(const unsigned char* p, std::size_t i, std::size_t n) const {
  if (mode_ == Mode::Vector) {
    i = scanVector(p, i, n);
    // The last few bytes, or the hit, are taken by the loop below.
  }
  for (; i + 1 < n; ++i) {
    if (pair(p[i], p[i + 1])) return i;
  }
  return (i + 1 == n && single(p[i])) ? i : n;
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
