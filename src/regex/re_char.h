#pragma once
// Characters as the pattern compiler and the matcher see them: a lead byte
// (util::isLeadByte) and the byte after it form one 16-bit code,
// (lead << 8) | trail; any other byte is its own code. A lead byte that is the
// last byte of a text has no partner and counts as a one-byte character.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/sjis.h"

namespace gleanix::regex {

using Code = std::uint32_t;  // 0..0xFFFF

inline constexpr Code kLargestCode = 0xFCFC;
inline constexpr Code kFullWidthSpace = 0x8140;

struct TextChar {
  Code code;
  std::size_t length;  // bytes, 1 or 2
};

inline TextChar readTextChar(std::string_view text, std::size_t i) {
  const auto b = static_cast<unsigned char>(text[i]);
  if (util::isLeadByte(b) && i + 1 < text.size()) {
    return {static_cast<Code>(b << 8 | static_cast<unsigned char>(text[i + 1])), 2};
  }
  return {b, 1};
}

// Blanks are skipped inside a match and never start one.
constexpr bool isBlankCode(Code c) {
  return c == '\t' || c == '\n' || c == '\r' || c == ' ' || c == kFullWidthSpace;
}

// The bytes of a code as they appear in a text.
inline std::string codeBytes(Code c) {
  std::string s;
  if (c > 0xFF) s += static_cast<char>(c >> 8);
  s += static_cast<char>(c & 0xFF);
  return s;
}

}  // namespace gleanix::regex
