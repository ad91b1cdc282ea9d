#pragma once
// One iconv conversion descriptor, opened once and reset before each text.

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <string_view>

namespace gleanix::cli {

class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
  }
  ~IconvConverter() { iconv_close(cd_); }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  // Converts as much as it can; on an invalid or unconvertible sequence
  // calls onBad(out) and goes on after its first byte, or stops when it
  // returns false. False when it stopped.
  template <typename OnBad>
  bool run(std::string_view in, std::string& out, OnBad onBad) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[4096];
    while (srcLeft > 0) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (r != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      if (!onBad(out)) return false;
      ++src;  // skip one byte of the bad or cut-off sequence
      --srcLeft;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace gleanix::cli
