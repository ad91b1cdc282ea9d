#include "regex/re_parse_tree.h"

#include <algorithm>
#include <stdexcept>

namespace gleanix::regex {

int TREParseTree::leaf(Code low, Code high) {
  const std::uint32_t key = low << 16 | high;
  auto it = leafNodes_.find(key);
  if (it != leafNodes_.end()) return it->second;
  leaves_.push_back({low, high, -1, -1});
  const int n = node(kLeafNode, static_cast<int>(leaves_.size()) - 1, -1);
  leafNodes_.emplace(key, n);
  return n;
}

int TREParseTree::noCharacter() {
  if (noCharacter_ < 0) noCharacter_ = node(kLeafNode, kNoLeaf, -1);
  return noCharacter_;
}

int TREParseTree::node(int kind, int left, int right) {
  nodes_.push_back({kind, left, right});
  return static_cast<int>(nodes_.size()) - 1;
}

void TREParseTree::makeLeavesDisjoint() {
  // Every leaf start and every leaf end + 1 cuts the code line. Sweeping the
  // cuts in order with a count of open leaves gives the covered pieces; this
  // is the partition that cutting overlapping pairs until none overlap
  // arrives at, in O(n log n) instead of repeated passes over all pairs.
  struct Cut {
    Code at;
    int delta;
  };
  std::vector<Cut> cuts;
  cuts.reserve(leaves_.size() * 2);
  for (const TRELeaf& l : leaves_) {
    cuts.push_back({l.low, +1});
    cuts.push_back({l.high + 1, -1});
  }
  std::sort(cuts.begin(), cuts.end(), [](const Cut& a, const Cut& b) { return a.at < b.at; });
  pieces_.clear();
  int open = 0;
  for (std::size_t i = 0; i < cuts.size();) {
    const Code at = cuts[i].at;
    for (; i < cuts.size() && cuts[i].at == at; ++i) open += cuts[i].delta;
    if (open > 0 && i < cuts.size()) pieces_.push_back({at, cuts[i].at - 1});
  }
  auto pieceStartingAt = [&](Code c) {
    auto it = std::lower_bound(pieces_.begin(), pieces_.end(), c,
                               [](const TREPiece& p, Code v) { return p.low < v; });
    return it != pieces_.end() && it->low == c ? static_cast<int>(it - pieces_.begin()) : -1;
  };
  auto pieceEndingAt = [&](Code c) {
    auto it = std::lower_bound(pieces_.begin(), pieces_.end(), c,
                               [](const TREPiece& p, Code v) { return p.high < v; });
    return it != pieces_.end() && it->high == c ? static_cast<int>(it - pieces_.begin()) : -1;
  };
  for (TRELeaf& l : leaves_) {
    l.firstPiece = pieceStartingAt(l.low);
    l.lastPiece = pieceEndingAt(l.high);
    if (l.firstPiece < 0 || l.lastPiece < l.firstPiece) throw std::runtime_error(kParseTreeFatal);
  }
}

void TREParseTree::dropNodes() {
  std::vector<TRENode>().swap(nodes_);
  std::unordered_map<std::uint32_t, int>().swap(leafNodes_);
  leaves_.shrink_to_fit();
  pieces_.shrink_to_fit();
  root_ = -1;
  noCharacter_ = -1;
}

}  // namespace gleanix::regex
