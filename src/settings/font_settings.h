#pragma once
// A font kept in the settings below section + "\Font": "Name", "Size"
// (points), "Color", and the style flags "Bold", "Italic", "Underline",
// "Strikeout".

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings_cache.h"

namespace gleanix::settings {

struct FontRecord {
  std::string name;
  std::int32_t size = 9;
  std::int32_t color = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  bool operator==(const FontRecord&) const = default;
};

void saveFont(SettingsCache& settings, std::string_view section, const FontRecord& font);

// Name, size and colour default to the font's present values. A stored style
// flag sets or clears its style; an absent or unreadable one leaves it.
void restoreFont(const SettingsCache& settings, std::string_view section, FontRecord& font);

}  // namespace gleanix::settings
