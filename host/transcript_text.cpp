#include "host/transcript_text.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cerrno>
#include <vector>

namespace gleanix::host {
namespace {

#if defined(_WIN32)
std::optional<std::string> convert(std::string_view in, UINT from, UINT to, DWORD strict) {
  if (in.empty()) return std::string();
  const int wide = MultiByteToWideChar(from, strict, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (wide <= 0) return std::nullopt;
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(from, strict, in.data(), static_cast<int>(in.size()), w.data(), wide);
  BOOL lossy = FALSE;
  BOOL* lossFlag = to == CP_UTF8 ? nullptr : &lossy;
  const int n = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, lossFlag);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(to, 0, w.data(), wide, out.data(), n, nullptr, lossFlag);
  if (lossy) return std::nullopt;
  return out;
}
#else
std::optional<std::string> convert(std::string_view in, const char* from, const char* to, bool lenient) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  std::vector<char> buf(4096);
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  bool ok = true;
  while (left > 0) {
    char* dst = buf.data();
    std::size_t room = buf.size();
    const std::size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf.data(), dst);
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      if (!lenient) {
        ok = false;
        break;
      }
      out += '?';
      ++src;
      --left;
    }
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return out;
}
#endif

}  // namespace

std::string cp932ToUtf8(std::string_view cp932) {
#if defined(_WIN32)
  return convert(cp932, 932, CP_UTF8, 0).value_or("?");
#else
  return convert(cp932, "CP932", "UTF-8", true).value_or("?");
#endif
}

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
#if defined(_WIN32)
  return convert(utf8, CP_UTF8, 932, MB_ERR_INVALID_CHARS);
#else
  return convert(utf8, "UTF-8", "CP932", false);
#endif
}

}  // namespace gleanix::host
