#include "pickupcommands/hand_over.h"

#include <memory>

#include "listwindow/folder_form.h"
#include "pickup/copy_hits.h"
#include "pickup/picked_mail.h"
#include "pickupcommands/destination_form.h"
#include "pickupcommands/dialog_support.h"
#include "pickupcommands/folder_tree.h"

namespace gleanix::pickupcommands {

std::optional<Destination> chooseDestination(core::StartedPlugin& plugin, std::string_view section,
                                             std::size_t hitCount, sys::WindowHandle hostWindow) {
  switch (plugin.settings().readInt(section, "Destination", 1)) {
    case 1:
      return Destination{};
    case 2: {
      const std::string folders = plugin.settings().readString(std::string(section) + "\\Destination", "Folder", "");
      return Destination{false, settingLines(folders)};
    }
    case 0: {
      TDestinationForm dialog(plugin, dialogOwner(plugin, hostWindow));
      giveSharedIcon(plugin, dialog);
      dialog.setHitCount(hitCount);
      if (dialog.showModal() != sys::result::Ok) return std::nullopt;
      if (!dialog.copyChosen()) return Destination{};
      return Destination{false, dialog.destinations()};
    }
    default:
      return std::nullopt;
  }
}

void handOverToListWindow(core::StartedPlugin& plugin, sys::WindowHandle mainWindow,
                          const std::vector<std::string>& hits) {
  pickup::PickupResult result;
  result.hits = hits;
  handOverToListWindow(plugin, mainWindow, result);
}

void handOverToListWindow(core::StartedPlugin& plugin, sys::WindowHandle mainWindow,
                          const pickup::PickupResult& result) {
  plugin.prunePickupWindows();
  const std::shared_ptr<listwindow::TFolderForm> window = listwindow::TFolderForm::create(plugin, mainWindow);
  plugin.pickupWindows().add(window);
  // pickedMails gives one element per hit, in hit order.
  const std::vector<pickup::PickedMail> picked = pickup::pickedMails(plugin.fs(), plugin.host().getMailbox(), result.hits);
  for (std::size_t i = 0; i < picked.size(); ++i) {
    window->addPickedMail(picked[i].folder, picked[i].displayPath, picked[i].key, result.summary(i));
  }
  window->show();
}

void handOverByCopying(core::StartedPlugin& plugin, const std::vector<std::string>& hits,
                       const std::vector<std::string>& folders) {
  const pickup::CopyReport report =
      pickup::copyHits(plugin.fs(), plugin.host(), plugin.host().getMailbox(), hits, folders);
  // Without any folder to copy into the pickup would vanish without a word.
  if (report.skippedFolders.size() == folders.size()) {
    plugin.desktop().messageBox(0, "コピー先のフォルダがありません。", "エラー", sys::MessageIcon::Warning,
                                sys::MessageButtons::Ok);
  }
}

}  // namespace gleanix::pickupcommands
