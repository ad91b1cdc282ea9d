#pragma once
#include <string_view>

namespace gleanix::core {

// The host version is compared with the minimum as a byte string, so "1.2"
// and "10.0" pass and "1.09" does not.
bool hostVersionAccepted(std::string_view hostVersion);

}  // namespace gleanix::core
