#include "regex/re_nfa.h"

#include <stdexcept>

namespace gleanix::regex {

namespace {

struct Edge {
  int from;
  int leaf;  // -1: empty transition
  int to;
};

struct Work {
  int node;
  int from;
  int to;
};

}  // namespace

void TRE_NFA::build(const TREParseTree& tree) {
  const std::vector<TRENode>& nodes = tree.nodes();
  std::vector<Edge> edges;
  int states = 2;
  std::vector<Work> work{{tree.root(), kEntry, kFinal}};
  // Children are pushed right first, so that the left subtree is built
  // (and numbered) before the right one, as a recursive walk would.
  while (!work.empty()) {
    const Work w = work.back();
    work.pop_back();
    const TRENode& n = nodes.at(static_cast<std::size_t>(w.node));
    switch (n.kind) {
      case kLeafNode:
        if (n.left != kNoLeaf) edges.push_back({w.from, n.left, w.to});
        break;
      case kConcatenation: {
        const TRENode& right = nodes.at(static_cast<std::size_t>(n.right));
        if (right.kind == kClosure && right.left == n.left) {
          // "x+" is x followed by a closure of the same x. Built as one loop,
          // x is built once: nested "+" would otherwise double the
          // automaton at every level.
          const int e = states++;
          const int f = states++;
          edges.push_back({w.from, -1, e});
          edges.push_back({f, -1, e});
          edges.push_back({f, -1, w.to});
          work.push_back({n.left, e, f});
        } else {
          const int c = states++;
          work.push_back({n.right, c, w.to});
          work.push_back({n.left, w.from, c});
        }
        break;
      }
      case kAlternation:
        work.push_back({n.right, w.from, w.to});
        work.push_back({n.left, w.from, w.to});
        break;
      case kClosure: {
        const int e = states++;
        const int f = states++;
        edges.push_back({w.from, -1, e});
        edges.push_back({f, -1, e});
        edges.push_back({e, -1, w.to});
        work.push_back({n.left, e, f});
        break;
      }
      case kEmptyNode:
        edges.push_back({w.from, -1, w.to});
        break;
      default:
        throw std::runtime_error(kNfaUnknownNode);
    }
  }

  // Counting sort of the edges by source state, keeping their order.
  stateCount_ = states;
  const auto n = static_cast<std::size_t>(states);
  emptyStart_.assign(n + 1, 0);
  labelledStart_.assign(n + 1, 0);
  for (const Edge& e : edges) {
    ++(e.leaf < 0 ? emptyStart_ : labelledStart_)[static_cast<std::size_t>(e.from) + 1];
  }
  for (std::size_t i = 0; i < n; ++i) {
    emptyStart_[i + 1] += emptyStart_[i];
    labelledStart_[i + 1] += labelledStart_[i];
  }
  emptyTargets_.assign(emptyStart_[n], 0);
  labelled_.assign(labelledStart_[n], {0, 0});
  std::vector<std::uint32_t> emptyFill(emptyStart_.begin(), emptyStart_.end() - 1);
  std::vector<std::uint32_t> labelledFill(labelledStart_.begin(), labelledStart_.end() - 1);
  for (const Edge& e : edges) {
    const auto from = static_cast<std::size_t>(e.from);
    if (e.leaf < 0) {
      emptyTargets_[emptyFill[from]++] = e.to;
    } else {
      labelled_[labelledFill[from]++] = {e.leaf, e.to};
    }
  }
}

void TRE_NFA::addClosure(int s, TRE_NFAStateSet& seen, std::vector<int>& out, std::vector<int>& stack) const {
  if (!seen.insert(s)) return;
  stack.clear();
  stack.push_back(s);
  while (!stack.empty()) {
    const int t = stack.back();
    stack.pop_back();
    if (matters(t)) out.push_back(t);
    for (const int* u = emptyBegin(t); u != emptyEnd(t); ++u) {
      if (seen.insert(*u)) stack.push_back(*u);
    }
  }
}

}  // namespace gleanix::regex
