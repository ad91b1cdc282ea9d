#include "regex/char_classes.h"

#include <algorithm>
#include <utility>
#include <unordered_map>

namespace gleanix::regex {

CharClasses::CharClasses(const TREParseTree& tree) : leaves_(&tree.leaves()) {
  const std::vector<TREPiece>& pieces = tree.pieces();
  count_ = kFirstPiece + static_cast<std::uint32_t>(pieces.size());
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

  // The one-byte codes first, then one row per distinct row of lead bytes.
  std::vector<std::uint32_t> table(256);
  fill(0, table.data());
  blanks(0, table.data());
  // A row that one class fills (most rows of most patterns: no piece, or
  // inside one wide range) is stored once per class.
  std::unordered_map<std::uint32_t, std::uint32_t> uniformRows;
  std::uint32_t row[256];
  std::uint32_t rows = 0;
  for (unsigned b = 0; b < 256; ++b) {
    rowOf_[b] = static_cast<std::uint8_t>(kNotLead);
    if (!util::isLeadByte(static_cast<unsigned char>(b))) continue;
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
      auto [u, added] = uniformRows.emplace(uniformClass, rows);
      if (added) {
        table.insert(table.end(), 256, uniformClass);
        ++rows;
      }
      rowOf_[b] = static_cast<std::uint8_t>(u->second);
    } else {
      fill(base, row);
      blanks(base, row);
      rowOf_[b] = static_cast<std::uint8_t>(rows++);
      table.insert(table.end(), row, row + 256);
    }
  }
  // At most one row per lead byte: the row numbers stay below kNotLead.
  if (count_ <= 256) {
    narrow_.assign(table.begin(), table.end());
  } else {
    wide_ = std::move(table);
  }
}

std::uint32_t CharClasses::pairClass(unsigned lead, unsigned trail) const {
  const std::size_t at = (static_cast<std::size_t>(rowOf_[lead]) + 1) * 256 + trail;
  return narrow_.empty() ? wide_[at] : narrow_[at];
}

std::uint32_t CharClasses::classOf(Code code) const {
  if (code > 0xFF) {
    const unsigned lead = code >> 8;
    return isLead(lead) ? pairClass(lead, code & 0xFF) : kNone;
  }
  return narrow_.empty() ? wide_[code] : narrow_[code];
}

}  // namespace gleanix::regex
