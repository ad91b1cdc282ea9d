#pragma once
// StartSet: what the automata need to know about the NFA's entry: the
// states reached from it by empty transitions, whether the empty string
// already matches, and which character classes can begin a match.

#include <cstdint>
#include <vector>

#include "regex/char_classes.h"
#include "regex/re_nfa.h"
#include "regex/state_cache.h"

namespace gleanix::regex {

struct StartSet {
  StartSet(const TRE_NFA& nfa, const CharClasses& classes);

  StateKey states;                 // sorted; only states that matter
  bool accepting = false;          // the empty string matches
  std::vector<std::uint8_t> startClasses;  // by class
};

// Adds to out (through seen) the closure of every target that a state of
// `from` reaches on a character of class cls.
void stepClass(const TRE_NFA& nfa, const CharClasses& classes, const std::int32_t* from, std::size_t count,
               std::uint32_t cls, TRE_NFAStateSet& seen, std::vector<int>& out, std::vector<int>& stack);

}  // namespace gleanix::regex
