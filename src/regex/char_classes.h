#pragma once
// CharClasses: maps each character code of a text to the class the
// automata work with: class 0 for a character that no leaf contains, class 1
// for a blank (tab, line feed, carriage return, space, full-width space),
// which the search skips whatever the pattern says, and class 2 + i for
// piece i of the disjoint leaves. The lookup reads one or two bytes of the
// text through two small tables, without branching on the code's value.

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

  explicit CharClasses(const TREParseTree& tree);

  std::uint32_t count() const { return count_; }
  std::uint32_t classOf(Code code) const;

  // The class of the character at byte i of p[0, n) and its byte length.
  std::uint32_t classAt(const unsigned char* p, std::size_t i, std::size_t n, std::size_t& length) const {
    const unsigned b = p[i];
    if (leadByte_[b] && i + 1 < n) {
      length = 2;
      return pairs_[rowOf_[b] + p[i + 1]];
    }
    length = 1;
    return single_[b];
  }

  // The classes that a leaf's transition reads: [first, last].
  std::uint32_t leafFirst(int leaf) const { return leafFirst_[static_cast<std::size_t>(leaf)]; }
  std::uint32_t leafLast(int leaf) const { return leafLast_[static_cast<std::size_t>(leaf)]; }

  // The classes of the 256 codes whose first byte is the lead byte lead.
  const std::uint32_t* row(unsigned lead) const { return pairs_.data() + rowOf_[lead]; }
  bool isLead(unsigned b) const { return leadByte_[b]; }

  std::size_t memoryBytes() const { return pairs_.size() * sizeof(std::uint32_t); }

 private:
  std::uint32_t count_ = 2;
  bool leadByte_[256] = {};
  std::uint32_t single_[256] = {};
  std::uint32_t rowOf_[256] = {};       // lead byte -> offset of its row in pairs_
  std::vector<std::uint32_t> pairs_;   // rows of 256 classes, one per distinct row
  std::vector<std::uint32_t> leafFirst_;
  std::vector<std::uint32_t> leafLast_;
};

}  // namespace gleanix::regex
