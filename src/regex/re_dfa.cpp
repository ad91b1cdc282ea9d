#include "regex/re_dfa.h"

#include <algorithm>

namespace gleanix::regex {

TRE_DFA::TRE_DFA(const TRE_NFA& nfa, const CharClasses& classes, const StartSet& start, const StartFilter& filter,
                 std::size_t cacheBytes)
    : nfa_(nfa),
      classes_(classes),
      start_(start),
      filter_(filter),
      cache_(classes.count(), cacheBytes),
      seen_(static_cast<std::size_t>(nfa.stateCount())) {
  reset();
}

void TRE_DFA::reset() {
  cache_.clear();
  internState(StateKey(), kIdle);  // the idle state is always at offset 0
}

std::int32_t TRE_DFA::internState(const StateKey& key, std::uint32_t flags) {
  const std::size_t before = cache_.stateCount();
  const std::int32_t s = cache_.intern(key, flags);
  if (cache_.stateCount() != before) {
    // A blank leaves the state unchanged; a character that no leaf holds
    // ends every start that is alive.
    cache_.at(s, CharClasses::kBlank) = cache_.valueOf(s);
    cache_.at(s, CharClasses::kNone) = static_cast<std::int32_t>(kIdle << StateCache::kFlagShift);
  }
  return s;
}

std::int32_t TRE_DFA::transition(std::int32_t from, std::uint32_t cls) {
  const StateKey fromKey = cache_.key(from);
  const std::uint32_t fromFlags = cache_.flags(from);
  seen_.clear();
  out_.clear();
  stepClass(nfa_, classes_, fromKey.data(), fromKey.size(), cls, seen_, out_, stack_);
  stepClass(nfa_, classes_, start_.states.data(), start_.states.size(), cls, seen_, out_, stack_);
  std::sort(out_.begin(), out_.end());
  key_.assign(out_.begin(), out_.end());
  const std::uint32_t flags = seen_.contains(TRE_NFA::kFinal) ? kAccept : key_.empty() ? kIdle : 0;
  if (cache_.overBudget()) {
    reset();
    from = internState(fromKey, fromFlags);
  }
  const std::int32_t value = cache_.valueOf(internState(key_, flags));
  cache_.at(from, cls) = value;
  return value;
}

std::size_t TRE_DFA::earliestEnd(std::string_view text, std::size_t& idle) {
  return classes_.withLookup([&](const auto& lookup) { return earliestEnd(lookup, text, idle); });
}

template <typename Lookup>
std::size_t TRE_DFA::earliestEnd(const Lookup& lookup, std::string_view text, std::size_t& idle) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  for (;;) {
    // No start is alive: skip what cannot begin a match.
    i = filter_.next(p, i, n);
    idle = i;
    if (i >= n) return std::string_view::npos;
    std::int32_t s = 0;
    for (;;) {
      std::size_t length;
      const std::uint32_t cls = lookup.classAt(p, i, n, length);
      std::int32_t value = cache_.at(s, cls);
      if (value == StateCache::kUnknown) value = transition(s, cls);
      i += length;
      if (static_cast<std::uint32_t>(value) > StateCache::kOffsetMask) {
        if ((static_cast<std::uint32_t>(value) >> StateCache::kFlagShift) & kAccept) return i;
        break;  // idle again
      }
      s = value;
      if (i >= n) return std::string_view::npos;
    }
  }
}

}  // namespace gleanix::regex
