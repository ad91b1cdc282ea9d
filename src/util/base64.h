#pragma once
// Values of base64 digits, used to decode the attribute words of entry lists.

namespace gleanix::util {

// 0-63 for a character of "A-Za-z0-9+/", -1 for any other byte ("=" too).
int base64Value(char c);

}  // namespace gleanix::util
