#pragma once
// The fuzzy character dictionary: groups of strings that stand for one
// another (full and half width, hiragana and katakana, small kana, voiced
// marks written apart, look-alikes). With folding on, a literal character
// (or short sequence) of a pattern that is a member of a group is replaced by
// the alternation of all members of that group.
//
// Groups are written as comma-separated texts: an item in double quotes may
// hold commas, a doubled double quote in it stands for one, blanks around
// the separators are skipped and two commas in a row (or a comma at the end)
// give an empty member. An empty member never matches in a pattern; in the
// alternation it is an empty alternative.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "regex/re_char.h"

namespace gleanix::regex {

std::vector<std::string> splitCommaText(std::string_view text);

// Puts "\" before each of the ten characters ( | ) + * ? . [ ] \ so that
// the result, read as a pattern, matches text literally. Double-byte
// characters are copied whole. A lead byte that ends the text without its
// second byte is written as a hex escape, so that it still compiles and
// stands for that one byte.
std::string escapePattern(std::string_view text);

class FuzzyDictionary {
 public:
  explicit FuzzyDictionary(const std::vector<std::string>& groupTexts);

  std::size_t groupCount() const { return groups_.size(); }
  const std::vector<std::string>& members(std::size_t group) const { return groups_[group].members; }
  // "(" + the members, escaped, joined with "|" + ")".
  const std::string& alternation(std::size_t group) const { return groups_[group].alternation; }

  struct Hit {
    std::size_t group;
    std::size_t length;  // characters of the member that matched
  };
  // The first member, in group order and then member order, whose
  // characters equal codes[0], codes[1], ... (within count).
  std::optional<Hit> find(const Code* codes, std::size_t count) const;

 private:
  struct Group {
    std::vector<std::string> members;
    std::string alternation;
  };
  struct Entry {
    std::size_t group;
    std::vector<Code> codes;
  };
  std::vector<Group> groups_;
  // Members by their first character, in dictionary order.
  std::unordered_map<Code, std::vector<Entry>> byFirst_;
};

// The 123 groups as comma-separated texts.
const std::vector<std::string>& fuzzyGroupTexts();

// The process-wide dictionary, built on first use and only read afterwards.
const FuzzyDictionary& fuzzyCharDic();

}  // namespace gleanix::regex
