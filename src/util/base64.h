#pragma once
// Values of base64 digits, used to decode the attribute words of entry lists.

#include <array>

namespace gleanix::util {

namespace detail {
// Looked up, not computed: an entry list has a word on every line.
inline constexpr std::array<signed char, 256> kBase64Values = [] {
  std::array<signed char, 256> values{};
  values.fill(-1);
  constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (int i = 0; i < 64; ++i) values[static_cast<unsigned char>(kDigits[i])] = static_cast<signed char>(i);
  return values;
}();
}  // namespace detail

// 0-63 for a character of "A-Za-z0-9+/", -1 for any other byte ("=" too).
inline int base64Value(char c) { return detail::kBase64Values[static_cast<unsigned char>(c)]; }

}  // namespace gleanix::util
