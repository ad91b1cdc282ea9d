// Arbitrary Date values and zone biases: either a well-formed
// "yyyy/mm/dd hh:nn:ss" or a DateConversionError, nothing else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "mailtext/mail_date.h"

namespace {

bool wellFormed(const std::string& s) {
  static const char kShape[] = "0000/00/00 00:00:00";
  if (s.size() != sizeof kShape - 1) return false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const bool digit = s[i] >= '0' && s[i] <= '9';
    if (kShape[i] == '0' ? !digit : s[i] != kShape[i]) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::int32_t bias = 0;
  if (size >= 2) {
    std::int16_t raw;
    std::memcpy(&raw, data, 2);
    bias = raw;  // up to about 22 days either way, far beyond any real zone
    data += 2;
    size -= 2;
  }
  const std::string value(reinterpret_cast<const char*>(data), size);
  try {
    if (!wellFormed(gleanix::mailtext::mailDate(value, bias))) std::abort();
  } catch (const gleanix::mailtext::DateConversionError&) {
  }
  return 0;
}
