#pragma once
// What the plug-in's dialogs take from the started plug-in: their window
// geometry kept in the settings cache (or the registry), their fonts kept
// in the settings cache, and the help file their Help buttons open.

#include <string_view>

#include "core/started_plugin.h"
#include "settings/font_settings.h"
#include "sys/desktop.h"
#include "ui/form.h"

namespace gleanix::core {

// The form's position (and size, for a sizeable form) and state under the
// section (its form name, "OptionForm").
void restoreFormGeometry(StartedPlugin& plugin, ui::TForm& form, std::string_view section);
// Writes them and saves the settings file.
void saveFormGeometry(StartedPlugin& plugin, ui::TForm& form, std::string_view section);
// The same kept in the registry under a path relative to the plug-in's key
// ("SearchForm\View"), for the in-mail search dialogs.
void restoreFormRegistryGeometry(StartedPlugin& plugin, ui::TForm& form, std::string_view path);
void saveFormRegistryGeometry(StartedPlugin& plugin, ui::TForm& form, std::string_view path);

settings::FontRecord fontRecord(const sys::Font& font);
sys::Font fontOf(const settings::FontRecord& record);

// The font kept below section + "\Font"; what is not stored stays as in present.
sys::Font restoreFont(const settings::SettingsCache& settings, std::string_view section, const sys::Font& present);
void saveFont(settings::SettingsCache& settings, std::string_view section, const sys::Font& font);

// Opens the help file for the dialog, or tells the user in a message box
// owned by it why not.
void showHelp(StartedPlugin& plugin, sys::WindowHandle owner);

}  // namespace gleanix::core
