#include "regex/leftmost_dfa.h"

#include <algorithm>

namespace gleanix::regex {

// A state key is [closed, size of group 1, its states..., size of group 2, ...];
// closed means a candidate has been found and no new start is taken.

LeftmostDfa::LeftmostDfa(const TRE_NFA& nfa, const CharClasses& classes, const StartSet& start,
                         const StartFilter& filter, std::size_t cacheBytes)
    : nfa_(nfa),
      classes_(classes),
      start_(start),
      filter_(filter),
      cache_(classes.count(), cacheBytes),
      seen_(static_cast<std::size_t>(nfa.stateCount())) {
  reset();
}

void LeftmostDfa::reset() {
  cache_.clear();
  actionOf_.clear();
  actions_.clear();
  actionIndex_.clear();
  internState(StateKey{0}, kIdle);  // offset 0
}

std::int32_t LeftmostDfa::internState(const StateKey& key, std::uint32_t flags) {
  const std::int32_t s = cache_.intern(key, flags);
  actionOf_.resize(cache_.stateCount() * cache_.stride(), -1);
  return s;
}

std::int32_t LeftmostDfa::internAction(const Action& action) {
  StateKey code{action.candidate, action.done ? 1 : 0};
  code.insert(code.end(), action.origins.begin(), action.origins.end());
  auto [it, added] = actionIndex_.emplace(std::move(code), static_cast<std::int32_t>(actions_.size()));
  if (added) {
    actions_.push_back(action);
    cache_.charge((action.origins.size() * 2 + 8) * sizeof(std::int32_t) + 64);
  }
  return it->second;
}

LeftmostDfa::Step LeftmostDfa::transition(std::int32_t from, std::uint32_t cls) {
  const StateKey fromKey = cache_.key(from);
  const std::uint32_t fromFlags = cache_.flags(from);
  const bool closed = fromKey[0] != 0;
  seen_.clear();
  key_.assign(1, closed ? 1 : 0);
  Action action;
  bool nowClosed = closed;

  // Steps one group; false once a group has completed a match.
  auto advance = [&](const std::int32_t* members, std::size_t count, std::int32_t origin) {
    part_.clear();
    stepClass(nfa_, classes_, members, count, cls, seen_, part_, stack_);
    if (part_.empty()) return true;  // this start has died (or joined an earlier one)
    if (std::find(part_.begin(), part_.end(), TRE_NFA::kFinal) != part_.end()) {
      action.candidate = origin;
      if (action.origins.empty()) {
        action.done = true;
      } else {
        nowClosed = true;
      }
      return false;
    }
    std::sort(part_.begin(), part_.end());
    key_.push_back(static_cast<std::int32_t>(part_.size()));
    key_.insert(key_.end(), part_.begin(), part_.end());
    action.origins.push_back(origin);
    return true;
  };

  bool going = true;
  std::int32_t group = 0;
  for (std::size_t pos = 1; going && pos < fromKey.size(); ++group) {
    const auto count = static_cast<std::size_t>(fromKey[pos]);
    going = advance(fromKey.data() + pos + 1, count, group);
    pos += 1 + count;
  }
  if (going && !closed) advance(start_.states.data(), start_.states.size(), kNewStart);

  std::uint32_t flags = 0;
  if (action.done) {
    key_.assign(1, 1);
    action.origins.clear();
    flags = kFinished;
  } else {
    key_[0] = nowClosed ? 1 : 0;
    if (action.origins.empty()) flags = nowClosed ? kFinished : kIdle;
  }
  if (cache_.overBudget()) {
    reset();
    from = internState(fromKey, fromFlags);
  }
  const std::int32_t value = cache_.valueOf(internState(key_, flags));
  const std::int32_t index = internAction(action);
  cache_.at(from, cls) = value;
  actionOf_[static_cast<std::size_t>(from) + cls] = index;
  return {value, index};
}

bool LeftmostDfa::find(std::string_view text, std::size_t from, std::size_t& start, std::size_t& end) {
  return classes_.withLookup([&](const auto& lookup) { return find(lookup, text, from, start, end); });
}

template <typename Lookup>
bool LeftmostDfa::find(const Lookup& lookup, std::string_view text, std::size_t from, std::size_t& start,
                       std::size_t& end) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = from;
  std::int32_t s = 0;
  bool idle = true;
  bool haveCandidate = false;
  std::size_t candidateStart = 0;
  std::size_t candidateEnd = 0;
  tags_.clear();
  for (;;) {
    if (idle) i = filter_.next(p, i, n);
    if (i >= n) break;
    std::size_t length;
    const std::uint32_t cls = lookup.classAt(p, i, n, length);
    if (cls == CharClasses::kBlank) {
      i += length;  // inside a match a blank is skipped; it never starts one
      continue;
    }
    Step step{cache_.at(s, cls), actionOf_[static_cast<std::size_t>(s) + cls]};
    if (step.value == StateCache::kUnknown) step = transition(s, cls);
    const Action& action = actions_[static_cast<std::size_t>(step.action)];
    if (action.candidate != kNoCandidate) {
      const std::size_t begin = action.candidate == kNewStart ? i : tags_[static_cast<std::size_t>(action.candidate)];
      if (action.done) {
        start = begin;
        end = i + length;
        return true;
      }
      haveCandidate = true;
      candidateStart = begin;
      candidateEnd = i + length;
    }
    nextTags_.clear();
    for (std::int32_t origin : action.origins) {
      nextTags_.push_back(origin == kNewStart ? i : tags_[static_cast<std::size_t>(origin)]);
    }
    tags_.swap(nextTags_);
    i += length;
    const std::uint32_t flags = static_cast<std::uint32_t>(step.value) >> StateCache::kFlagShift;
    s = static_cast<std::int32_t>(static_cast<std::uint32_t>(step.value) & StateCache::kOffsetMask);
    if (flags & kFinished) break;
    idle = (flags & kIdle) != 0;
  }
  if (!haveCandidate) return false;
  start = candidateStart;
  end = candidateEnd;
  return true;
}

}  // namespace gleanix::regex
