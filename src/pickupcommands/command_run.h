#pragma once
// The run every pickup command shares: its dialog over the folder tree,
// with the checks and open branches it starts with; the search under the
// progress window; the message when nothing was found; the destination and
// the hand-over. The hourglass shows while the plug-in works (not while a
// dialog waits for the user), and every dialog, list and the cursor are
// released on every way out, also when a step throws.

#include <functional>
#include <memory>
#include <string>

#include "core/started_plugin.h"
#include "pickup/mail_warning.h"
#include "pickup/progress.h"
#include "pickupcommands/pickup_dialog.h"
#include "pickupcommands/progress_form.h"
#include "sys/file_system.h"

namespace gleanix::pickupcommands {

// What a search is handed: the progress window, the file system to read
// the store through and where to send warnings about malformed mails.
struct SearchContext {
  pickup::PickupProgress& progress;
  const sys::FileSystem& fs;
  pickup::MailWarningAt warn;
};

struct PickupCommand {
  std::string section;            // "MarkFind", "KeyFind", "Related"
  sys::WindowHandle window = 0;   // where the host called the command
  sys::WindowHandle mainWindow = 0;  // the host main window
  ProgressKind progressKind = ProgressKind::Bar;
  std::string progressName;       // "MarkFindProgressForm" ...
  // The dialog, owned by the given window (0: none).
  std::function<std::unique_ptr<TPickupDialog>(sys::WindowHandle owner)> makeDialog;
  // The search, after OK: it reads what the dialog wrote to the settings.
  std::function<pickup::PickupResult(SearchContext&)> search;
};

void runPickupCommand(core::StartedPlugin& plugin, const PickupCommand& command);

// The empty result: "見つかりませんでした", caption "探索結果", no owner.
void reportNothingFound(sys::Desktop& desktop);

}  // namespace gleanix::pickupcommands
