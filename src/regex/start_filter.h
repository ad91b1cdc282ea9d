#pragma once
// StartFilter: finds, from a character boundary, the next character that
// could begin a match, without decoding the characters in between.
//
// It looks at byte pairs: a pair (b, c) is a candidate when b is a
// one-byte character that can start a match, or b c is a double-byte one
// that can. A candidate found by a byte scan may be the trail byte of a
// double-byte character; counting the lead-range bytes just before it
// (back to the last byte outside the lead range, or to the last known
// boundary) tells: an even count means it starts a character. Each byte is
// counted at most once, so the scan stays linear.

#include <cstddef>
#include <array>
#include <cstdint>
#include <vector>

#include "regex/char_classes.h"

namespace gleanix::regex {

// Where the compiler offers 16-byte vectors natively, the pairs are tested
// 16 positions at a time when they fit into a few ranges of first and
// second bytes (a plain term: one pair; a folded term: a handful).
#if defined(__SSE2__)
#define GLEANIX_REGEX_VECTOR_FILTER 1
#else
#define GLEANIX_REGEX_VECTOR_FILTER 0
#endif

class StartFilter {
 public:
  // startClass[c]: whether a character of class c can begin a match.
  // useVectors false keeps to the byte-pair scan even where vectors are
  // offered, so that the tests compare both scans on one machine.
  StartFilter(const CharClasses& classes, const std::vector<std::uint8_t>& startClass, bool useVectors = true);

  // Whether next() scans 16 positions at a time.
  bool vectorScan() const { return mode_ == Mode::Vector; }

  // The first character boundary at or after the boundary i whose character
  // can begin a match; n when there is none. Characters before it cannot
  // begin a match.
  std::size_t next(const unsigned char* p, std::size_t i, std::size_t n) const;

  // False when so many characters can begin a match that scanning for them
  // would cost more than it saves; next() then returns i at once.
  bool useful() const { return mode_ != Mode::EveryCharacter; }

 private:
  enum class Mode { EveryCharacter, Vector, Pairs };

  // Pairs (b, c) with b in [firstLow, firstHigh] and c in [secondLow, secondHigh].
  struct PairRange {
    unsigned char firstLow, firstHigh, secondLow, secondHigh;
  };
  static constexpr std::size_t kMaxVectorRanges = 8;
  std::vector<PairRange> pairRanges() const;
  std::size_t scanVector(const unsigned char* p, std::size_t i, std::size_t n) const;

  bool pair(unsigned b, unsigned c) const { return (rows_[rowOf_[b]][c >> 6] >> (c & 63)) & 1; }
  bool candidateAt(const unsigned char* p, std::size_t j, std::size_t n) const {
    return j + 1 < n ? pair(p[j], p[j + 1]) : single(p[j]);
  }
  std::size_t scan(const unsigned char* p, std::size_t i, std::size_t n) const;

  Mode mode_ = Mode::EveryCharacter;
  // Per range: 16 copies each of first low, first width, second low, second width.
  std::size_t vectorCount_ = 0;
  struct VectorTest {
    unsigned char v[4][16];
  };
  std::vector<VectorTest> vectorTests_;  // only as many as the ranges
  // Tests [0, end[0]) compare one byte pair, [end[0], end[1]) one first
  // byte, the rest ranges.
  std::size_t vectorKindEnd_[2] = {};
  // The pair table, 256 x 256 bits, stored by distinct rows: a keyword
  // search holds one filter per term and most first bytes share the empty
  // row. rows_[0] is empty, rows_[1] full (a one-byte start character).
  using Row = std::array<std::uint64_t, 4>;
  std::uint8_t rowOf_[256] = {};
  std::vector<Row> rows_;
  std::uint8_t addRow(const Row& row);
  // A one-byte character (or a lone last lead byte) that can begin a match,
  // by byte: one bit each.
  Row single_ = {};
  bool single(unsigned b) const { return (single_[b >> 6] >> (b & 63)) & 1; }
};

}  // namespace gleanix::regex
