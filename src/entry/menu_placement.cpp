#include "entry/menu_placement.h"

#include <algorithm>

namespace gleanix::entry {
namespace {

constexpr std::size_t kTextLimit = 255;

int topLevelCount(const sys::Desktop& desktop, sys::MenuHandle menu) {
  return std::max(desktop.menuItemCount(menu), 0);
}

}  // namespace

std::string topLevelText(const sys::Desktop& desktop, sys::MenuHandle menu, int position) {
  std::string text = desktop.menuItemText(menu, position);
  const std::size_t end = std::min(text.find('\0'), kTextLimit);
  if (end < text.size()) text.resize(end);
  return text;
}

PopupPlace sharedPopupPlace(const sys::Desktop& desktop, sys::MenuHandle menu, std::string_view caption) {
  const int count = topLevelCount(desktop, menu);
  PopupPlace place{count, true};
  for (int i = 0; i < count; ++i) {
    const std::string text = topLevelText(desktop, menu, i);
    if (text == caption) return {i, false};
    if (text == kHelpCaption) place.position = i;
  }
  return place;
}

PopupPlace editPopupPlace(const sys::Desktop& desktop, sys::MenuHandle menu) {
  static constexpr std::string_view kEditPrefix = "編集(";
  static constexpr std::string_view kHelpPrefix = "ヘルプ(";
  const int count = topLevelCount(desktop, menu);
  PopupPlace place{count, true};
  for (int i = 0; i < count; ++i) {
    const std::string text = topLevelText(desktop, menu, i);
    if (text.starts_with(kEditPrefix)) return {i, false};
    if (text.starts_with(kHelpPrefix)) place.position = i;
  }
  return place;
}

}  // namespace gleanix::entry
