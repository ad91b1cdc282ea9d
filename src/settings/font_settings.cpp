#include "settings/font_settings.h"

namespace gleanix::settings {
namespace {

void restoreStyle(const SettingsCache& settings, const std::string& section, std::string_view key, bool& style) {
  // Read once defaulting to false and once defaulting to true: only a value
  // that is really stored gives the same answer both times.
  if (settings.readBool(section, key, false)) {
    style = true;
  } else if (!settings.readBool(section, key, true)) {
    style = false;
  }
}

}  // namespace

void saveFont(SettingsCache& settings, std::string_view section, const FontRecord& font) {
  const std::string s = std::string(section) + "\\Font";
  settings.writeSetting(s, "Name", font.name);
  settings.writeSetting(s, "Size", font.size);
  settings.writeSetting(s, "Color", font.color);
  settings.writeSetting(s, "Bold", font.bold);
  settings.writeSetting(s, "Italic", font.italic);
  settings.writeSetting(s, "Underline", font.underline);
  settings.writeSetting(s, "Strikeout", font.strikeout);
}

void restoreFont(const SettingsCache& settings, std::string_view section, FontRecord& font) {
  const std::string s = std::string(section) + "\\Font";
  font.name = settings.readString(s, "Name", font.name);
  font.size = settings.readInt(s, "Size", font.size);
  font.color = settings.readInt(s, "Color", font.color);
  restoreStyle(settings, s, "Bold", font.bold);
  restoreStyle(settings, s, "Italic", font.italic);
  restoreStyle(settings, s, "Underline", font.underline);
  restoreStyle(settings, s, "Strikeout", font.strikeout);
}

}  // namespace gleanix::settings
