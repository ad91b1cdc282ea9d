#pragma once
// TRE_DFA: the subset automaton of the NFA, built lazily while a text is
// read and kept in a bounded cache (StateCache).
//
// It answers "does a match end here?" for every start position at once: its
// state is the set of NFA states reached from all start positions so far,
// and a new start joins at every character that is not a blank. Blanks leave
// the state as it is, which is the same as skipping them inside a match and
// never starting one on them. So one pass over the text finds the earliest
// end of any match, in time linear in the text; while no start is alive the
// StartFilter skips to the next character that can begin a match.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "regex/char_classes.h"
#include "regex/re_nfa.h"
#include "regex/start_filter.h"
#include "regex/start_set.h"
#include "regex/state_cache.h"

namespace gleanix::regex {

class TRE_DFA {
 public:
  TRE_DFA(const TRE_NFA& nfa, const CharClasses& classes, const StartSet& start, const StartFilter& filter,
          std::size_t cacheBytes);

  // The byte offset just after the character at which the first match (from
  // whatever start) ends; npos when nothing matches. A match of the empty
  // string is not looked for here (see StartSet::accepting). idle receives
  // the last character boundary before that end at which no earlier start
  // was alive: every match begins at or after it.
  std::size_t earliestEnd(std::string_view text, std::size_t& idle);

  const StateCache& cache() const { return cache_; }

 private:
  static constexpr std::uint32_t kAccept = 1;
  static constexpr std::uint32_t kIdle = 2;

  template <typename Lookup>
  std::size_t earliestEnd(const Lookup& lookup, std::string_view text, std::size_t& idle);
  std::int32_t transition(std::int32_t from, std::uint32_t cls);
  std::int32_t internState(const StateKey& key, std::uint32_t flags);
  void reset();

  const TRE_NFA& nfa_;
  const CharClasses& classes_;
  const StartSet& start_;
  const StartFilter& filter_;
  StateCache cache_;
  TRE_NFAStateSet seen_;
  std::vector<int> out_;
  std::vector<int> stack_;
  StateKey key_;
};

}  // namespace gleanix::regex
