#include "pickupcommands/pickup_commands.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "pickupcommands/command_run.h"
#include "pickupcommands/folder_tree.h"
#include "pickupcommands/key_find_form.h"
#include "pickupcommands/mark_find_form.h"
#include "pickupcommands/related_form.h"
#include "pickupcommands/search_settings.h"
#include "pickupcommands/starting_mails.h"
#include "settings/tree_settings.h"

namespace gleanix::pickupcommands {
namespace {

// The host's own conversion of ISO-2022-JP bodies, in the form the
// keyword search calls it. Not known to be pure (it is a call into the
// host): the search makes it on its own thread only.
mailtext::JisConversion hostConversion(sys::Host& host) {
  return {[&host](char* output, const char* input, std::int32_t length) {
    const std::size_t room = static_cast<std::size_t>(std::max<std::int32_t>(length, 0));
    const std::string converted = host.jisToSjis(std::string_view(input, room));
    const std::size_t n = std::min(converted.size(), room);
    std::memcpy(output, converted.data(), n);
    output[n] = '\0';
  }, false};
}

util::ReadAheadLimits readAheadOf(const core::StartedPlugin& plugin) {
  util::ReadAheadLimits limits;
  limits.threads = plugin.services().searchThreads;
  return limits;
}

// The keyword command settles the stored folder list before its dialog:
// emptied for "Check" 2, the folder the calling window shows for 1.
void settleKeywordFolders(core::StartedPlugin& plugin, sys::WindowHandle window) {
  settings::SettingsCache& s = plugin.settings();
  const std::int32_t check = settings::readTreeCheckMode(s, std::string(kKeyFind) + "\\Tree");
  if (check == 2) {
    s.writeSetting(kKeyFind, "Folder", "");
  } else if (check == 1) {
    s.writeSetting(kKeyFind, "Folder", plugin.host().folderGetCurrentFolder(window) + "\\" + std::string(kCrLf));
  }
}

// What every command starts from; its progress window is kept under the
// section's name + "ProgressForm".
PickupCommand commandOf(const char* section, sys::WindowHandle window, sys::WindowHandle mainWindow,
                        ProgressKind progress) {
  PickupCommand c;
  c.section = section;
  c.window = window;
  c.mainWindow = mainWindow;
  c.progressKind = progress;
  c.progressName = std::string(section) + "ProgressForm";
  return c;
}

}  // namespace

void markPickup(core::StartedPlugin& plugin, sys::WindowHandle window, std::int32_t /*parameter*/) {
  PickupCommand command = commandOf(kMarkFind, window, window, ProgressKind::Bar);
  command.makeDialog = [&plugin](sys::WindowHandle owner) { return std::make_unique<TMarkFindForm>(plugin, owner); };
  command.search = [&plugin](SearchContext& c) {
    const settings::SettingsCache& s = plugin.settings();
    return pickup::markSearch(c.fs, plugin.host().getMailbox(), searchFolders(s, kMarkFind), markSelection(s),
                              c.progress);
  };
  runPickupCommand(plugin, command);
}

void keywordPickup(core::StartedPlugin& plugin, sys::WindowHandle window, std::int32_t /*parameter*/) {
  settleKeywordFolders(plugin, window);
  PickupCommand command = commandOf(kKeyFind, window, window, ProgressKind::Bar);
  command.makeDialog = [&plugin](sys::WindowHandle owner) { return std::make_unique<TKeyFindForm>(plugin, owner); };
  command.search = [&plugin](SearchContext& c) {
    const settings::SettingsCache& s = plugin.settings();
    return pickup::keywordSearch(c.fs, plugin.host().getMailbox(), searchFolders(s, kKeyFind), keywordOptions(s),
                                 hostConversion(plugin.host()), c.warn, c.progress, readAheadOf(plugin));
  };
  runPickupCommand(plugin, command);
}

void relatedPickup(core::StartedPlugin& plugin, sys::WindowHandle window, std::int32_t parameter) {
  const bool fromView = parameter == 1;
  const std::optional<StartingPoint> start = startingPoint(plugin, window, fromView);
  if (!start) return;
  const sys::WindowHandle mainWindow = fromView ? plugin.hostMainWindow(window) : window;
  PickupCommand command = commandOf(kRelated, window, mainWindow, ProgressKind::Lines);
  command.makeDialog = [&plugin, fromView](sys::WindowHandle owner) {
    return std::make_unique<TRelatedForm>(plugin, owner, fromView);
  };
  command.search = [&plugin, &start](SearchContext& c) {
    const settings::SettingsCache& s = plugin.settings();
    const std::vector<std::string> starting = startingMails(plugin, *start, s.readBool(kRelated, "MailSelected", true));
    return pickup::relatedSearch(c.fs, plugin.host().getMailbox(), searchFolders(s, kRelated), starting,
                                 relatedOptions(s), c.warn, c.progress, readAheadOf(plugin));
  };
  runPickupCommand(plugin, command);
}

}  // namespace gleanix::pickupcommands
