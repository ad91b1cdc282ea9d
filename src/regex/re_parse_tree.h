#pragma once
// TREParseTree: the parsed pattern. Leaves are inclusive ranges of character
// codes and are interned (one leaf per range); inner nodes are concatenation,
// alternation, closure and empty. All records live in flat lists owned by
// the tree, so even a tree as deep as a 100,000-character pattern is built
// and freed without recursion.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "regex/re_char.h"

namespace gleanix::regex {

enum TRENodeKind : int {
  kLeafNode = 0,     // left = leaf index, or kNoLeaf: matches no character at all
  kConcatenation = 1,
  kAlternation = 2,
  kClosure = 3,      // left repeated zero or more times
  kEmptyNode = 4,    // the empty string
};

struct TRENode {
  int kind = kEmptyNode;
  int left = -1;
  int right = -1;
};

// A leaf range and, once the leaves are disjoint, the run of pieces
// [firstPiece, lastPiece] that make it up.
struct TRELeaf {
  Code low = 0;
  Code high = 0;
  int firstPiece = -1;
  int lastPiece = -1;
};

struct TREPiece {
  Code low = 0;
  Code high = 0;
};

inline constexpr int kNoLeaf = -1;

class TREParseTree {
 public:
  // The node of the leaf [low, high]; the same range gives the same node.
  int leaf(Code low, Code high);
  // A node that matches no character (a negated class that excludes all).
  int noCharacter();
  int node(int kind, int left, int right);
  int empty() { return node(kEmptyNode, -1, -1); }

  void setRoot(int node) { root_ = node; }
  int root() const { return root_; }

  const std::vector<TRENode>& nodes() const { return nodes_; }
  const std::vector<TRELeaf>& leaves() const { return leaves_; }

  // Cuts the leaves into pieces so that every character belongs to at most
  // one piece, and records for each leaf the pieces that make it up. The
  // pieces are the maximal ranges not cut by the start or end of any leaf,
  // sorted by code; a leaf covers a run of consecutive pieces.
  void makeLeavesDisjoint();
  const std::vector<TREPiece>& pieces() const { return pieces_; }

  // Frees the nodes and the leaf index once the automaton is built from
  // them; the leaves and pieces stay. A keyword search keeps thousands of
  // compiled terms.
  void dropNodes();

 private:
  std::vector<TRENode> nodes_;
  std::vector<TRELeaf> leaves_;
  std::vector<TREPiece> pieces_;
  std::unordered_map<std::uint32_t, int> leafNodes_;  // (low << 16 | high) -> node
  int noCharacter_ = -1;
  int root_ = -1;
};

// The ranges of "." (every character except NUL, line feed and carriage return).
struct CodeRange {
  Code low;
  Code high;
};
inline constexpr CodeRange kAnyCharRanges[] = {{1, 9}, {11, 12}, {14, kLargestCode}};

// Internal fault text of the tree.
inline constexpr const char* kParseTreeFatal = "TREParseTree : 致命的エラー";

}  // namespace gleanix::regex
