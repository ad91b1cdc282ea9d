#pragma once
// The straightforward matcher, kept as the yardstick for the production
// one (tests and benchmarks). The pattern goes through the same escaping,
// fuzzy rewrite, parser and NFA as in TAWKStr; then the DFA is built eagerly
// by subset construction with bit-set state sets, each state keeps its
// transitions as ranges sorted by their low end and scanned one by one, and
// the search restarts the automaton at every character of the text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "regex/fuzzy_dictionary.h"
#include "regex/re_char.h"
#include "regex/re_nfa.h"
#include "regex/re_nfa_state_set.h"
#include "regex/re_parse_tree.h"
#include "regex/re_parser.h"
#include "regex/re_preprocessor.h"
#include "regex/reg_exp_error.h"

namespace gleanix::regex::reference {

class ReferenceMatcher {
 public:
  // Compiles as TAWKStr::setRegExp does; raises ERegExpParser on a syntax
  // error. complete() is false when the DFA would exceed maxStates states.
  ReferenceMatcher(std::string_view pattern, bool fuzzy, bool literal, std::size_t maxStates = 100000) {
    TREPreProcessor pre;
    pre.addDictionary(&fuzzyCharDic());
    pre.setFuzzy(fuzzy);
    const std::string source = literal ? escapePattern(pattern) : std::string(pattern);
    try {
      pre.process(source);
    } catch (const ERegExpParser&) {
      // Folding swallows tokenising errors: the empty pattern is compiled.
    }
    TREParser::parse(pre.output(), tree_);
    nfa_.build(tree_);
    complete_ = buildDfa(maxStates);
  }

  bool complete() const { return complete_; }
  std::size_t stateCount() const { return states_.size(); }

  int match(std::string_view text, int& position, int& length) const {
    position = length = 0;
    if (text.empty()) {
      if (states_[0].accepting) position = 1;
      return position;
    }
    for (std::size_t p = 0; p < text.size(); p += readTextChar(text, p).length) {
      int state = 0;
      std::size_t q = p;
      bool readAny = false;
      for (;;) {
        if (states_[static_cast<std::size_t>(state)].accepting) {
          position = static_cast<int>(p + 1);
          length = static_cast<int>(q - p);
          return position;
        }
        if (q >= text.size()) break;  // the end of the text has no transition
        const TextChar c = readTextChar(text, q);
        q += c.length;
        if (isBlankCode(c.code)) {
          if (!readAny) break;
          continue;
        }
        readAny = true;
        state = lookup(state, c.code);
        if (state < 0) break;
      }
    }
    return 0;
  }

 private:
  struct Transition {
    Code low;
    Code high;
    int target;
  };
  struct State {
    TRE_NFAStateSet set;
    bool accepting;
    bool done;
    std::vector<Transition> transitions;
  };

  int lookup(int state, Code c) const {
    for (const Transition& t : states_[static_cast<std::size_t>(state)].transitions) {
      if (t.low > c) return -1;
      if (t.high >= c) return t.target;
    }
    return -1;
  }

  TRE_NFAStateSet closureOf(const std::vector<int>& from) const {
    TRE_NFAStateSet set(static_cast<std::size_t>(nfa_.stateCount()));
    std::vector<int> work(from);
    for (int s : from) set.insert(s);
    while (!work.empty()) {
      const int s = work.back();
      work.pop_back();
      for (const int* t = nfa_.emptyBegin(s); t != nfa_.emptyEnd(s); ++t) {
        if (set.insert(*t)) work.push_back(*t);
      }
    }
    return set;
  }

  int addState(TRE_NFAStateSet set) {
    const std::string key(set.bytes().begin(), set.bytes().end());
    auto it = index_.find(key);
    if (it != index_.end()) return it->second;
    const bool accepting = set.contains(TRE_NFA::kFinal);
    states_.push_back({std::move(set), accepting, false, {}});
    const int id = static_cast<int>(states_.size()) - 1;
    index_.emplace(key, id);
    return id;
  }

  bool buildDfa(std::size_t maxStates) {
    addState(closureOf({TRE_NFA::kEntry}));
    for (std::size_t d = 0; d < states_.size(); ++d) {
      if (states_.size() > maxStates) return false;
      states_[d].done = true;
      // Targets per piece, collected over the NFA states in increasing number.
      std::map<int, std::vector<int>> byPiece;
      for (int s = 0; s < nfa_.stateCount(); ++s) {
        if (!states_[d].set.contains(s)) continue;
        for (const TRELabelledEdge* e = nfa_.labelledBegin(s); e != nfa_.labelledEnd(s); ++e) {
          const TRELeaf& leaf = tree_.leaves()[static_cast<std::size_t>(e->leaf)];
          for (int piece = leaf.firstPiece; piece <= leaf.lastPiece; ++piece) byPiece[piece].push_back(e->target);
        }
      }
      std::vector<Transition> transitions;
      for (const auto& [piece, targets] : byPiece) {
        const int target = addState(closureOf(targets));
        const TREPiece& range = tree_.pieces()[static_cast<std::size_t>(piece)];
        transitions.push_back({range.low, range.high, target});
      }
      std::stable_sort(transitions.begin(), transitions.end(),
                       [](const Transition& a, const Transition& b) { return a.low < b.low; });
      states_[d].transitions = std::move(transitions);
    }
    return true;
  }

  TREParseTree tree_;
  TRE_NFA nfa_;
  std::vector<State> states_;
  std::unordered_map<std::string, int> index_;
  bool complete_ = false;
};

}  // namespace gleanix::regex::reference
