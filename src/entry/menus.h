#pragma once
// Gleanix's items in the host's menus. The host calls these while it builds
// a menu, with the menu and its code: 101 main menu bar, 102 main context
// menu, 201 VIEW menu bar, 202 VIEW context menu, 301 SEND menu bar, 302
// SEND context menu; other codes are ignored. Each item is registered with
// the host as a command procedure (commands.h) and its id becomes the item's
// id. Which items appear is read from the settings at every call, so a menu
// built after the options dialog changed them shows the new choice.

#include <cstdint>

#include "core/started_plugin.h"

namespace gleanix::entry {

// The caption of the shared popup when "Menu"/"Caption" is not set.
inline constexpr const char* kDefaultMenuCaption = "Sorvek(&K)";

// Menu codes.
inline constexpr std::int32_t kMainMenuBar = 101;
inline constexpr std::int32_t kMainContextMenu = 102;
inline constexpr std::int32_t kViewMenuBar = 201;
inline constexpr std::int32_t kViewContextMenu = 202;
inline constexpr std::int32_t kSendMenuBar = 301;
inline constexpr std::int32_t kSendContextMenu = 302;

// Codes 101 and 102.
void initFolderMenu(core::StartedPlugin& plugin, sys::MenuHandle menu, std::int32_t code);
// Codes 201 (after the toolbar buttons) and 202; view is the VIEW window.
void initViewMenu(core::StartedPlugin& plugin, sys::WindowHandle view, sys::MenuHandle menu, std::int32_t code);
// Codes 301 and 302.
void initSendMenu(core::StartedPlugin& plugin, sys::MenuHandle menu, std::int32_t code);

}  // namespace gleanix::entry
