#include "plugin/host_version.h"

#include "plugin/version_info.h"

namespace gleanix::plugin {

bool hostVersionAccepted(std::string_view hostVersion) {
  // string_view compares as unsigned bytes (char_traits<char>::compare).
  return !(hostVersion < std::string_view(kMinimumHostVersion));
}

}  // namespace gleanix::plugin
