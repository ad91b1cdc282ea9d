#pragma once
// What a form keeps in the settings: its geometry under a section (window
// position, size and state) and fonts stored below section + "\Font".

#include <string_view>

#include "settings/font_settings.h"
#include "settings/settings_cache.h"
#include "sys/file_system.h"
#include "ui/form.h"

namespace gleanix::core {

// Writes the form's geometry under the section, then saves the settings.
void saveFormGeometry(ui::TForm& form, settings::SettingsCache& settings, sys::FileSystem& fs,
                      std::string_view section);
// Places the form as the section says; what is missing keeps its present value.
void restoreFormGeometry(ui::TForm& form, const settings::SettingsCache& settings, std::string_view section);

settings::FontRecord fontRecordOf(const sys::Font& font);
sys::Font fontOf(const settings::FontRecord& record);

// The font restored from section + "\Font", the present one as defaults.
sys::Font restoredFont(const settings::SettingsCache& settings, std::string_view section, const sys::Font& present);

}  // namespace gleanix::core
