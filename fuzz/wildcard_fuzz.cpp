// Wildcard matching and path splitting on arbitrary bytes: no crash, and a
// mask of only "*" matches every name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sys/file_system.h"
#include "util/sjis.h"
#include "util/wildcard.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\0');
  const std::string mask = input.substr(0, cut);
  const std::string name = cut == std::string::npos ? std::string() : input.substr(cut + 1);
  gleanix::util::matchesWildcard(mask, name);
  if (!gleanix::util::matchesWildcard("*", name)) std::abort();
  gleanix::sys::splitLines(input);
  gleanix::util::charCopy(input, 2, 3);
  gleanix::util::upperAscii(input);
  return 0;
}
