#pragma once
// Relation keys numbered: every distinct key (compared as KeySet compares
// them) gets a number, 1 up; the empty key is 0 and never relates
// anything. The related search numbers each candidate's keys once, so that
// its passes test and mark numbers instead of hashing the same texts pass
// after pass.

#include <cstdint>
#include <string_view>

#include "util/name_set.h"

namespace gleanix::pickup {

class KeyIndex {
 public:
  using Id = std::uint32_t;

  // The key's number, new when the key was not numbered yet.
  Id intern(std::string_view key) { return keys_.number(key); }
  // Numbers handed out so far, plus one (for 0).
  std::size_t size() const { return keys_.size() + 1; }

 private:
  util::NameSet keys_;  // the empty key is never put in
};

}  // namespace gleanix::pickup
