#pragma once
// Relation keys numbered: every distinct key (compared as KeySet compares
// them) gets a number, 1 up, kept with one copy of its text; the empty key
// is 0 and never relates anything. The related search numbers each
// candidate's keys once, so that its passes test and mark numbers instead
// of hashing the same texts pass after pass.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gleanix::pickup {

class KeyIndex {
 public:
  using Id = std::uint32_t;

  // The key's number, new when the key was not numbered yet.
  Id intern(std::string_view key);
  // Numbers handed out so far, plus one (for 0).
  std::size_t size() const { return spans_.size(); }

 private:
  struct Span {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
  };
  std::string_view text(Id id) const { return std::string_view(bytes_).substr(spans_[id].offset, spans_[id].length); }
  void grow();

  std::string bytes_;                 // the keys' texts, one after another
  std::vector<Span> spans_{Span{}};   // by number; 0 is the empty key
  std::vector<Id> slots_;             // open addressing by folded hash; 0: free
};

}  // namespace gleanix::pickup
