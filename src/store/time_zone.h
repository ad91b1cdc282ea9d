#pragma once
// The store's time zone, as "TIMEZONE=" of Mailbox.ini gives it, turned into
// a bias in the operating system's sense: UTC = local time + bias.

#include <cstdint>
#include <optional>
#include <string_view>

#include "sys/file_system.h"

namespace gleanix::store {

// "+0900" gives -540, "-0500" gives 300: hours x 60 + minutes, negated
// unless the sign is "-". nullopt unless the value is a sign and four digits.
std::optional<std::int32_t> timeZoneBiasOf(std::string_view value);

// The bias of the store at root (ending in "\"); systemBias when
// "Mailbox.ini" or its "TIMEZONE=" is missing or the value is not of the
// form above.
std::int32_t storeTimeZoneBias(const sys::FileSystem& fs, std::string_view root, std::int32_t systemBias);

}  // namespace gleanix::store
