#pragma once
// TRE_NFA: the Thompson automaton of a parse tree. State 0 is the entry,
// state 1 the final state; the other states are numbered in creation order.
// A transition carries a leaf (a character range of the tree) or nothing
// (an empty transition). The transitions are kept in two flat tables, one
// for empty and one for labelled transitions, indexed by state.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "regex/re_nfa_state_set.h"
#include "regex/re_parse_tree.h"

namespace gleanix::regex {

struct TRELabelledEdge {
  int leaf;
  int target;
};

class TRE_NFA {
 public:
  static constexpr int kEntry = 0;
  static constexpr int kFinal = 1;

  // Builds the automaton of the tree between the entry and the final state.
  // Iterative: the depth of the tree does not matter.
  void build(const TREParseTree& tree);

  int stateCount() const { return stateCount_; }

  // The targets of the empty transitions of state s.
  const int* emptyBegin(int s) const { return emptyTargets_.data() + emptyStart_[static_cast<std::size_t>(s)]; }
  const int* emptyEnd(int s) const { return emptyTargets_.data() + emptyStart_[static_cast<std::size_t>(s) + 1]; }
  // The labelled transitions of state s.
  const TRELabelledEdge* labelledBegin(int s) const {
    return labelled_.data() + labelledStart_[static_cast<std::size_t>(s)];
  }
  const TRELabelledEdge* labelledEnd(int s) const {
    return labelled_.data() + labelledStart_[static_cast<std::size_t>(s) + 1];
  }

  // A state matters to a subset of states when it can read a character or
  // is final; states with only empty transitions are interchangeable.
  bool matters(int s) const { return s == kFinal || labelledBegin(s) != labelledEnd(s); }

  // Adds state s and every state reachable from it by empty transitions to
  // seen; appends those that matter and were not in seen before to out.
  // stack is scratch space.
  void addClosure(int s, TRE_NFAStateSet& seen, std::vector<int>& out, std::vector<int>& stack) const;

 private:
  int stateCount_ = 0;
  std::vector<std::uint32_t> emptyStart_;
  std::vector<int> emptyTargets_;
  std::vector<std::uint32_t> labelledStart_;
  std::vector<TRELabelledEdge> labelled_;
};

// Internal fault text for a node of unknown kind.
inline constexpr const char* kNfaUnknownNode = "This cannot happen in TRE_NFA.GenerateStateList";

}  // namespace gleanix::regex
