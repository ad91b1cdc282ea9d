#include "cli/utf8_table.h"

#include <cstring>

namespace gleanix::cli {
Utf8Table::Utf8Table() : iconv_("UTF-8", "CP932"), replacement_(codeOf("\xEF\xBF\xBD")) {
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const Code code = convert(std::string_view(&byte, 1));
    singles_[static_cast<std::size_t>(b)] = code;
    unchanged_[static_cast<std::size_t>(b)] = code.size == 1 && code.bytes[0] == byte;
  }
  asciiUnchanged_ = true;
  for (int b = 0; b < 0x80; ++b) asciiUnchanged_ = asciiUnchanged_ && unchanged_[static_cast<std::size_t>(b)];
}

Utf8Table::Code Utf8Table::codeOf(const std::string& utf8) {
  Code code;
  // One character is at most 4 bytes of UTF-8; more would not be one.
  if (utf8.empty() || utf8.size() > sizeof code.bytes) return code;
  code.size = static_cast<std::uint8_t>(utf8.size());
  std::memcpy(code.bytes, utf8.data(), utf8.size());
  return code;
}

// What iconv makes of exactly these bytes when it takes all of them as
// characters; no code when it refuses any byte.
Utf8Table::Code Utf8Table::convert(std::string_view bytes) {
  std::string out;
  if (!iconv_.run(bytes, out, [](std::string&) { return false; })) return {};
  return codeOf(out);
}

const Utf8Table::Block* Utf8Table::takePairs(unsigned char b) {
  pairsTaken_[b] = true;
  auto block = std::make_unique<Block>();
  bool any = false;
  for (int t = 0; t < 256; ++t) {
    const char pair[2] = {static_cast<char>(b), static_cast<char>(t)};
    (*block)[static_cast<std::size_t>(t)] = convert(std::string_view(pair, 2));
    any = any || (*block)[static_cast<std::size_t>(t)].size > 0;
  }
  if (any) pairs_[b] = std::move(block);
  return pairs_[b].get();
}

void Utf8Table::append(std::string_view cp932, std::string& out) {
  // Characters go through a buffer on the stack, appended to out in
  // chunks: one append per character would cost more than its look-up.
  char buffer[4096];
  std::size_t used = 0;
  std::size_t i = 0;
  while (i < cp932.size()) {
    if (used + 8 > sizeof buffer) {  // room for 8 bytes of ASCII or one code
      out.append(buffer, used);
      used = 0;
    }
    if (asciiUnchanged_ && i + 8 <= cp932.size()) {
      // Eight ASCII bytes at once: the most of what is printed.
      std::uint64_t word;
      std::memcpy(&word, cp932.data() + i, 8);
      if ((word & 0x8080808080808080ull) == 0) {
        std::memcpy(buffer + used, &word, 8);
        used += 8;
        i += 8;
        continue;
      }
    }
    const auto b = static_cast<unsigned char>(cp932[i]);
    if (unchanged_[b]) {
      buffer[used++] = cp932[i++];
      continue;
    }
    const Code* code = &singles_[b];
    std::size_t taken = 1;
    if (code->size == 0) {
      // A byte iconv does not take alone either opens a pair with the next
      // byte, or it is bad: iconv then reports it and the conversion goes
      // on at the next byte, which may open a character of its own.
      const Block* pairs = i + 1 < cp932.size() ? pairsOf(b) : nullptr;
      code = pairs ? &(*pairs)[static_cast<unsigned char>(cp932[i + 1])] : nullptr;
      if (code && code->size > 0) {
        taken = 2;
      } else {
        code = &replacement_;
      }
    }
    std::memcpy(buffer + used, code->bytes, sizeof code->bytes);
    used += code->size;
    i += taken;
  }
  out.append(buffer, used);
}

}  // namespace gleanix::cli
