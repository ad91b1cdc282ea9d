#pragma once
// LeftmostDfa: finds where the first match lies: the leftmost start, and at
// that start the shortest match, exactly as trying every start position in
// turn would, but in one pass.
//
// Its state is an ordered list of groups of NFA states, one group per start
// position that is still alive, earliest start first; an NFA state belongs
// only to the earliest group that reaches it (a later start in the same
// state can never do better). When a group reaches the final state:
//  - if it is the first group, its start is the answer and this character
//    ends the shortest match from it;
//  - otherwise it becomes the candidate; it and all later groups are
//    dropped and no new start is taken, since only the earlier groups can
//    still beat it.
// The scan ends when the groups run out or the text does. The start
// positions themselves ride along as tags beside the state: each
// transition records where each of its groups came from.
//
// States are built lazily in a bounded cache, as in TRE_DFA.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "regex/char_classes.h"
#include "regex/re_nfa.h"
#include "regex/start_filter.h"
#include "regex/start_set.h"
#include "regex/state_cache.h"

namespace gleanix::regex {

class LeftmostDfa {
 public:
  LeftmostDfa(const TRE_NFA& nfa, const CharClasses& classes, const StartSet& start, const StartFilter& filter,
              std::size_t cacheBytes);

  // The first match beginning at or after the character boundary from:
  // [start, end) in bytes. False when there is none. The empty match is not
  // looked for here (see StartSet::accepting).
  bool find(std::string_view text, std::size_t from, std::size_t& start, std::size_t& end);

  const StateCache& cache() const { return cache_; }

 private:
  static constexpr std::uint32_t kIdle = 1;      // no group, new starts taken
  static constexpr std::uint32_t kFinished = 2;  // no group, no new starts
  static constexpr std::int32_t kNewStart = -1;
  static constexpr std::int32_t kNoCandidate = -2;

  // What a transition does besides changing state: where each group of the
  // target comes from (a group of the source, or kNewStart), and which
  // group, if any, completed a match (done: it was the first group).
  struct Action {
    std::vector<std::int32_t> origins;
    std::int32_t candidate = kNoCandidate;
    bool done = false;
  };

  struct Step {
    std::int32_t value;
    std::int32_t action;
  };
  template <typename Lookup>
  bool find(const Lookup& lookup, std::string_view text, std::size_t from, std::size_t& start, std::size_t& end);
  Step transition(std::int32_t from, std::uint32_t cls);
  std::int32_t internState(const StateKey& key, std::uint32_t flags);
  std::int32_t internAction(const Action& action);
  void reset();

  const TRE_NFA& nfa_;
  const CharClasses& classes_;
  const StartSet& start_;
  const StartFilter& filter_;
  StateCache cache_;
  std::vector<std::int32_t> actionOf_;  // beside the cache's rows
  std::vector<Action> actions_;
  std::unordered_map<StateKey, std::int32_t, StateKeyHash> actionIndex_;
  TRE_NFAStateSet seen_;
  std::vector<int> part_;
  std::vector<int> stack_;
  StateKey key_;
  std::vector<std::size_t> tags_;  // start byte of each group of the current state
  std::vector<std::size_t> nextTags_;
};

}  // namespace gleanix::regex
