#pragma once
// CompiledPattern: everything built from one pattern text - the parse tree,
// the NFA, the character classes, the start filter and the two lazily built
// automata - and the two questions the matchers ask of it.
//
// The automata fill their caches while they read, so the questions change
// the object; a mutex keeps two threads that share one matcher from
// building states at the same time.

#include <cstddef>
#include <memory>
#include <mutex>
#include <string_view>

#include "regex/char_classes.h"
#include "regex/leftmost_dfa.h"
#include "regex/re_dfa.h"
#include "regex/re_nfa.h"
#include "regex/re_parse_tree.h"
#include "regex/start_filter.h"
#include "regex/start_set.h"

namespace gleanix::regex {

class CompiledPattern {
 public:
  // Memory each of the two automata may use for its states before it starts
  // over (per pattern).
  static constexpr std::size_t kDefaultCacheBytes = std::size_t{4} << 20;

  // Compiles pattern (no fuzzy rewrite here); raises ERegExpParser.
  explicit CompiledPattern(std::string_view pattern, std::size_t cacheBytes = kDefaultCacheBytes);

  // Whether the empty string matches: then every text matches at its start.
  bool matchesEmpty() const { return start_->accepting; }

  // Whether the pattern matches anywhere in text (blanks skipped).
  bool matchesAnywhere(std::string_view text);

  // The leftmost match, and at its start the shortest: [start, end) in bytes,
  // blanks inside the match included.
  bool find(std::string_view text, std::size_t& start, std::size_t& end);

  // The leaves and pieces of the parsed pattern (its nodes are freed once
  // the automaton is built).
  const TREParseTree& tree() const { return tree_; }
  const TRE_NFA& nfa() const { return nfa_; }
  const CharClasses& classes() const { return *classes_; }
  const StartSet& startSet() const { return *start_; }
  const TRE_DFA& dfa() const { return *dfa_; }
  // Built at the first find: a search that only asks whether a pattern
  // matches never needs it.
  const LeftmostDfa& leftmost() const;

 private:
  LeftmostDfa& leftmostDfa() const;  // the mutex held

  mutable std::mutex mutex_;
  std::size_t cacheBytes_;
  TREParseTree tree_;
  TRE_NFA nfa_;
  std::unique_ptr<CharClasses> classes_;
  std::unique_ptr<StartSet> start_;
  std::unique_ptr<StartFilter> filter_;
  std::unique_ptr<TRE_DFA> dfa_;
  mutable std::unique_ptr<LeftmostDfa> leftmost_;
};

}  // namespace gleanix::regex
