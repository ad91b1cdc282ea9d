#include "cli/cp932_text.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace gleanix::cli {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; on an invalid or unconvertible sequence
  // calls onBad(bytes skipped) and goes on after it, or stops when it
  // returns false.
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

}  // namespace

std::string toUtf8(std::string_view cp932) {
  // Opened once per thread: output converts every line, and opening a
  // converter costs more than converting a row.
  thread_local Converter converter("UTF-8", "CP932");
  std::string out;
  converter.run(cp932, out, [](std::string& o) {
    o += "\xEF\xBF\xBD";
    return true;
  });
  return out;
}

std::optional<std::string> toCp932(std::string_view utf8) {
  Converter converter("CP932", "UTF-8");
  std::string out;
  if (!converter.run(utf8, out, [](std::string&) { return false; })) return std::nullopt;
  return out;
}

}  // namespace gleanix::cli
