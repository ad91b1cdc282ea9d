#include "pickup/count_text.h"

namespace gleanix::pickup {

std::string countText(std::size_t rows, std::optional<std::size_t> firstSelected) {
  std::string text = " " + std::to_string(rows) + "件";
  if (firstSelected) text += "中の " + std::to_string(*firstSelected + 1) + "番目";
  return text;
}

}  // namespace gleanix::pickup
