#include "pickupcommands/command_run.h"

#include <optional>

#include "pickupcommands/dialog_support.h"
#include "pickupcommands/folder_tree.h"
#include "pickupcommands/hand_over.h"
#include "pickupcommands/mail_warnings.h"
#include "ui/busy_cursor.h"

namespace gleanix::pickupcommands {
namespace {

// The arrow instead of the hourglass while a dialog or message waits for
// the user.
class ArrowWhileWaiting {
 public:
  explicit ArrowWhileWaiting(sys::Desktop& desktop) : desktop_(desktop) { desktop_.setBusyCursor(false); }
  ~ArrowWhileWaiting() { desktop_.setBusyCursor(true); }
  ArrowWhileWaiting(const ArrowWhileWaiting&) = delete;
  ArrowWhileWaiting& operator=(const ArrowWhileWaiting&) = delete;

 private:
  sys::Desktop& desktop_;
};

// The host window stays disabled while the search lets messages run, so
// that its menus cannot start a second pickup in the middle of this one.
class DisabledWhileSearching {
 public:
  DisabledWhileSearching(sys::Desktop& desktop, sys::WindowHandle window)
      : desktop_(desktop), window_(window && desktop.isEnabled(window) ? window : 0) {
    if (window_) desktop_.setEnabled(window_, false);
  }
  ~DisabledWhileSearching() {
    if (window_ && desktop_.isWindow(window_)) desktop_.setEnabled(window_, true);
  }
  DisabledWhileSearching(const DisabledWhileSearching&) = delete;
  DisabledWhileSearching& operator=(const DisabledWhileSearching&) = delete;

 private:
  sys::Desktop& desktop_;
  sys::WindowHandle window_;
};

// Steps 2 to 5: the dialog with its initial checks and open branches,
// shown modally. True when the user chose to run the search.
bool runDialog(core::StartedPlugin& plugin, const PickupCommand& command) {
  sys::Desktop& desktop = plugin.desktop();
  int result = sys::result::None;
  {
    const std::unique_ptr<TPickupDialog> dialog = command.makeDialog(dialogOwner(plugin, command.window));
    giveSharedIcon(plugin, *dialog);
    dialog->showStore(plugin.host().getMailbox());
    if (const auto wanted = wantedChecks(plugin.settings(), command.section, plugin.host(), command.mainWindow)) {
      checkWanted(dialog->tree(), *wanted);
    }
    applyOpenState(dialog->tree(), plugin.settings().readInt(command.section + "\\Tree", "Open", 0));
    const ArrowWhileWaiting arrow(desktop);
    result = dialog->showModal();
  }
  // The dialog is gone from the screen before the search starts.
  desktop.processPendingMessages();
  return result == sys::result::Ok;
}

pickup::PickupResult runSearch(core::StartedPlugin& plugin, const PickupCommand& command, MailWarnings& warnings) {
  const sys::WindowHandle owner = dialogOwner(plugin, command.window);
  TRelatedProgressForm progress(plugin, owner, command.progressKind, command.progressName);
  giveSharedIcon(plugin, progress);
  const DisabledWhileSearching disabled(plugin.desktop(), owner);
  progress.show();
  SearchContext context{progress, plugin.fs(), warnings.callback()};
  pickup::PickupResult result = command.search(context);
  progress.saveGeometry();
  return result;
}

}  // namespace

void reportNothingFound(sys::Desktop& desktop) {
  desktop.messageBox(0, "見つかりませんでした", "探索結果", sys::MessageIcon::None, sys::MessageButtons::Ok);
}

void runPickupCommand(core::StartedPlugin& plugin, const PickupCommand& command) {
  sys::Desktop& desktop = plugin.desktop();
  const ui::BusyCursor busy(desktop);
  if (!runDialog(plugin, command)) return;

  MailWarnings warnings;
  const pickup::PickupResult result = runSearch(plugin, command, warnings);

  std::optional<Destination> destination;
  {
    const ArrowWhileWaiting arrow(desktop);
    warnings.report(desktop);
    if (result.hits.empty()) {
      reportNothingFound(desktop);
      return;
    }
    destination = chooseDestination(plugin, command.section, result.hits.size(), command.window);
  }
  if (!destination) return;
  if (destination->listWindow) {
    handOverToListWindow(plugin, command.mainWindow, result);
  } else {
    handOverByCopying(plugin, result.hits, destination->folders);
  }
}

}  // namespace gleanix::pickupcommands
