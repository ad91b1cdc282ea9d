#include "core/host_version.h"

#include "core/version_info.h"

namespace gleanix::core {

bool hostVersionAccepted(std::string_view hostVersion) {
  // string_view compares as unsigned bytes (char_traits<char>::compare).
  return !(hostVersion < std::string_view(kMinimumHostVersion));
}

}  // namespace gleanix::core
