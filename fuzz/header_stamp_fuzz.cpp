// Arbitrary header blocks through the outgoing header stamp: the result
// names the current stamp, and stamping it again changes nothing (a mail
// posted twice is handed back to the host once).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "entry/header_stamp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view header(reinterpret_cast<const char*>(data), size);
  const auto once = gleanix::entry::stampHeader(header);
  const std::string stamped = once ? *once : std::string(header);
  if (stamped.find(gleanix::entry::headerStamp()) == std::string::npos) std::abort();
  if (once && gleanix::entry::stampHeader(stamped)) std::abort();
  return 0;
}
