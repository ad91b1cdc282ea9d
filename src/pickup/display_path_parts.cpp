#include "pickup/display_path_parts.h"

#include "util/sjis.h"

namespace gleanix::pickup {

DisplayPathParts splitDisplayPath(std::string_view displayPath) {
  std::size_t cut = 0;
  for (std::size_t i = 0; i < displayPath.size(); i += util::charBytesAt(displayPath, i)) {
    if (displayPath[i] == '\\' || displayPath[i] == ':') cut = i + 1;
  }
  return {std::string(displayPath.substr(0, cut)), std::string(displayPath.substr(cut))};
}

}  // namespace gleanix::pickup
