#pragma once
// The text of the pickup list's count bar.

#include <cstddef>
#include <optional>
#include <string>

namespace gleanix::pickup {

// " 12件", or with the first selected row (0-based) " 12件中の 3番目".
std::string countText(std::size_t rows, std::optional<std::size_t> firstSelected);

}  // namespace gleanix::pickup
