#pragma once
// CP932 to UTF-8 by table look-up, giving byte for byte what converting the
// whole text with iconv gives (every bad byte as U+FFFD, conversion going on
// after it). The table is taken from iconv itself: the single bytes when it
// is made, the pairs of a lead byte the first time that byte is met, so that
// whatever the C library maps (user-defined and IBM extension characters
// included) comes out unchanged, and a short run pays for little.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/iconv_converter.h"

namespace gleanix::cli {

class Utf8Table {
 public:
  Utf8Table();
  Utf8Table(const Utf8Table&) = delete;
  Utf8Table& operator=(const Utf8Table&) = delete;

  // Appends the UTF-8 of cp932 to out.
  void append(std::string_view cp932, std::string& out);

 private:
  // The UTF-8 of one character: size 0 when iconv refuses the bytes.
  struct Code {
    std::uint8_t size = 0;
    char bytes[7] = {};
  };
  using Block = std::array<Code, 256>;  // by second byte

  static Code codeOf(const std::string& utf8);
  Code convert(std::string_view bytes);
  // The pairs opened by byte b, taken from iconv on first use; null when b
  // opens no pair at all.
  const Block* pairsOf(unsigned char b) { return pairsTaken_[b] ? pairs_[b].get() : takePairs(b); }
  const Block* takePairs(unsigned char b);

  IconvConverter iconv_;
  Code replacement_;  // U+FFFD, for a byte iconv refuses
  std::array<Code, 256> singles_;
  std::array<bool, 256> unchanged_{};  // bytes that are their own UTF-8
  bool asciiUnchanged_ = false;        // every byte below 0x80 is
  std::array<bool, 256> pairsTaken_{};
  std::array<std::unique_ptr<Block>, 256> pairs_;
};

}  // namespace gleanix::cli
