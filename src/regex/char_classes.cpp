#include "regex/char_classes.h"

#include <algorithm>
#include <unordered_map>

namespace gleanix::regex {

CharClasses::CharClasses(const TREParseTree& tree) {
  const std::vector<TREPiece>& pieces = tree.pieces();
  count_ = kFirstPiece + static_cast<std::uint32_t>(pieces.size());
  for (const TRELeaf& l : tree.leaves()) {
    leafFirst_.push_back(kFirstPiece + static_cast<std::uint32_t>(l.firstPiece));
    leafLast_.push_back(kFirstPiece + static_cast<std::uint32_t>(l.lastPiece));
  }
  // The first piece that ends at or after code c.
  auto pieceFrom = [&](Code c) {
    return std::lower_bound(pieces.begin(), pieces.end(), c,
                            [](const TREPiece& p, Code v) { return p.high < v; });
  };
  // Fills out[0, 256) with the classes of the codes base .. base + 255.
  auto fill = [&](Code base, std::uint32_t* out) {
    std::fill(out, out + 256, kNone);
    for (auto it = pieceFrom(base); it != pieces.end() && it->low <= base + 255; ++it) {
      const Code from = std::max(it->low, base);
      const Code to = std::min<Code>(it->high, base + 255);
      const auto cls = kFirstPiece + static_cast<std::uint32_t>(it - pieces.begin());
      std::fill(out + (from - base), out + (to - base) + 1, cls);
    }
  };
  auto blanks = [](Code base, std::uint32_t* out) {
    for (Code c : {Code{'\t'}, Code{'\n'}, Code{'\r'}, Code{' '}, kFullWidthSpace}) {
      if (c >= base && c <= base + 255) out[c - base] = kBlank;
    }
  };

  fill(0, single_);
  blanks(0, single_);
  // A row that one class fills (most rows of most patterns: no piece, or
  // inside one wide range) is stored once per class.
  std::unordered_map<std::uint32_t, std::uint32_t> uniformRows;
  std::uint32_t row[256];
  for (unsigned b = 0; b < 256; ++b) {
    leadByte_[b] = util::isLeadByte(static_cast<unsigned char>(b));
    if (!leadByte_[b]) continue;
    const Code base = b << 8;
    // Uniform when no piece starts or ends inside the row and no blank is in it.
    auto it = pieceFrom(base);
    std::uint32_t uniformClass = kNone;
    bool uniform = b != (kFullWidthSpace >> 8);
    if (uniform && it != pieces.end() && it->low <= base + 255) {
      uniform = it->low <= base && it->high >= base + 255;
      uniformClass = kFirstPiece + static_cast<std::uint32_t>(it - pieces.begin());
    }
    if (uniform) {
      auto [u, added] = uniformRows.emplace(uniformClass, static_cast<std::uint32_t>(pairs_.size()));
      if (added) pairs_.insert(pairs_.end(), 256, uniformClass);
      rowOf_[b] = u->second;
    } else {
      fill(base, row);
      blanks(base, row);
      rowOf_[b] = static_cast<std::uint32_t>(pairs_.size());
      pairs_.insert(pairs_.end(), row, row + 256);
    }
  }
}

std::uint32_t CharClasses::classOf(Code code) const {
  if (code > 0xFF) {
    const unsigned lead = code >> 8;
    return leadByte_[lead] ? pairs_[rowOf_[lead] + (code & 0xFF)] : kNone;
  }
  return single_[code];
}

}  // namespace gleanix::regex
