#pragma once
// CharClasses: maps each character code of a text to the class the
// automata work with: class 0 for a character that no leaf contains, class 1
// for a blank (tab, line feed, carriage return, space, full-width space),
// which the search skips whatever the pattern says, and class 2 + i for
// piece i of the disjoint leaves. The lookup reads one or two bytes of the
// text through two small tables, without branching on the code's value.
//
// A keyword search holds one pattern per term, tens of thousands at times,
// so the tables cost what the pattern needs: a byte per entry while the
// classes fit in one (nearly every pattern), four bytes beyond; 256 entries
// for the one-byte codes and one row of 256 for each distinct row of
// double-byte codes (most lead bytes share the row of no class).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "regex/re_char.h"
#include "regex/re_parse_tree.h"

namespace gleanix::regex {

class CharClasses {
 public:
  static constexpr std::uint32_t kNone = 0;
  static constexpr std::uint32_t kBlank = 1;
  static constexpr std::uint32_t kFirstPiece = 2;

  // The tree must outlive the classes: its leaves are read through them.
  explicit CharClasses(const TREParseTree& tree);

  std::uint32_t count() const { return count_; }
  std::uint32_t classOf(Code code) const;

  // The lookup over the tables of one width (T: std::uint8_t or
  // std::uint32_t). The automata pick it once per scan (withLookup), so
  // their inner loops read the tables without asking for the width.
  template <typename T>
  class Lookup {
   public:
    Lookup(const std::uint8_t* rowOf, const T* table) : rowOf_(rowOf), table_(table) {}
    // The class of the character at byte i of p[0, n) and its byte length.
    std::uint32_t classAt(const unsigned char* p, std::size_t i, std::size_t n, std::size_t& length) const {
      const unsigned b = p[i];
      const unsigned row = rowOf_[b];
      if (row != kNotLead && i + 1 < n) {
        length = 2;
        return table_[((row + 1) << 8) | p[i + 1]];
      }
      length = 1;
      return table_[b];
    }

   private:
    const std::uint8_t* rowOf_;
    const T* table_;
  };

  // Calls f with this pattern's lookup and returns what f returns.
  template <typename F>
  decltype(auto) withLookup(F&& f) const {
    if (!narrow_.empty()) return f(Lookup<std::uint8_t>(rowOf_, narrow_.data()));
    return f(Lookup<std::uint32_t>(rowOf_, wide_.data()));
  }

  // The same lookup, for callers outside a scan.
  std::uint32_t classAt(const unsigned char* p, std::size_t i, std::size_t n, std::size_t& length) const {
    return withLookup([&](const auto& lookup) { return lookup.classAt(p, i, n, length); });
  }

  // The classes that a leaf's transition reads: [first, last].
  std::uint32_t leafFirst(int leaf) const {
    return kFirstPiece + static_cast<std::uint32_t>((*leaves_)[static_cast<std::size_t>(leaf)].firstPiece);
  }
  std::uint32_t leafLast(int leaf) const {
    return kFirstPiece + static_cast<std::uint32_t>((*leaves_)[static_cast<std::size_t>(leaf)].lastPiece);
  }

  bool isLead(unsigned b) const { return rowOf_[b] != kNotLead; }
  // Lead bytes whose 256 double-byte codes have the same classes share one
  // row number.
  unsigned rowId(unsigned lead) const { return rowOf_[lead]; }
  // The class of the double-byte code lead, trail (lead a lead byte).
  std::uint32_t pairClass(unsigned lead, unsigned trail) const;

  std::size_t memoryBytes() const { return sizeof *this + narrow_.size() + wide_.size() * sizeof(std::uint32_t); }

 private:
  static constexpr unsigned kNotLead = 0xFF;
  std::uint32_t count_ = 2;
  // Lead byte -> its row in the table (row r at offset (r + 1) * 256, after
  // the one-byte codes); kNotLead for the other bytes.
  std::uint8_t rowOf_[256] = {};
  // The classes of the one-byte codes, then the rows; one of the two is
  // filled.
  std::vector<std::uint8_t> narrow_;
  std::vector<std::uint32_t> wide_;
  const std::vector<TRELeaf>* leaves_;
};

}  // namespace gleanix::regex
