#pragma once
// The attribute word of a mail: 32 bits that the host keeps in its entry and
// trash lists as 6 base64 characters. Bits 0-2 hold the mark number (0 = no
// mark, 1-7 = Mark1-Mark7), bit 30 is set for an unread mail, and a set bit
// 31 takes the read state away altogether. The other bits are the host's.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gleanix::store {

inline constexpr std::uint32_t kUnreadBit = 1u << 30;
inline constexpr std::uint32_t kNoReadStateBit = 1u << 31;

// Decodes the first 6 characters as base64 digits d0..d5 into the bytes
// b0 = d0*4 + d1/16, b1 = (d1 mod 16)*16 + d2/4, b2 = (d2 mod 4)*64 + d3,
// b3 = d4*4 + d5/16 of a little-endian word. A byte outside the alphabet
// counts as -1, as the host's own reader does. Fewer than 6 characters
// give no word at all: such a field was cut off and its bits mean nothing.
std::optional<std::uint32_t> decodeAttribute(std::string_view text);

// The 6 characters the host writes for a word (the inverse of the above).
std::string encodeAttribute(std::uint32_t word);

constexpr int markNumber(std::uint32_t word) { return static_cast<int>(word & 7u); }
constexpr bool isUnread(std::uint32_t word) { return (word & kUnreadBit) != 0; }
constexpr bool hasReadState(std::uint32_t word) { return (word & kNoReadStateBit) == 0; }

}  // namespace gleanix::store
