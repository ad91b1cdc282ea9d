#include "regex/start_set.h"

#include <algorithm>

namespace gleanix::regex {

StartSet::StartSet(const TRE_NFA& nfa, const CharClasses& classes) : startClasses(classes.count(), 0) {
  TRE_NFAStateSet seen(static_cast<std::size_t>(nfa.stateCount()));
  std::vector<int> out;
  std::vector<int> stack;
  nfa.addClosure(TRE_NFA::kEntry, seen, out, stack);
  std::sort(out.begin(), out.end());
  states.assign(out.begin(), out.end());
  accepting = seen.contains(TRE_NFA::kFinal);
  std::vector<bool> leafDone;
  for (int s : out) {
    for (const TRELabelledEdge* e = nfa.labelledBegin(s); e != nfa.labelledEnd(s); ++e) {
      const auto leaf = static_cast<std::size_t>(e->leaf);
      if (leaf >= leafDone.size()) leafDone.resize(leaf + 1, false);
      if (leafDone[leaf]) continue;
      leafDone[leaf] = true;
      for (std::uint32_t c = classes.leafFirst(e->leaf); c <= classes.leafLast(e->leaf); ++c) startClasses[c] = 1;
    }
  }
}

void stepClass(const TRE_NFA& nfa, const CharClasses& classes, const std::int32_t* from, std::size_t count,
               std::uint32_t cls, TRE_NFAStateSet& seen, std::vector<int>& out, std::vector<int>& stack) {
  for (std::size_t i = 0; i < count; ++i) {
    for (const TRELabelledEdge* e = nfa.labelledBegin(from[i]); e != nfa.labelledEnd(from[i]); ++e) {
      if (classes.leafFirst(e->leaf) <= cls && cls <= classes.leafLast(e->leaf)) {
        nfa.addClosure(e->target, seen, out, stack);
      }
    }
  }
}

}  // namespace gleanix::regex
