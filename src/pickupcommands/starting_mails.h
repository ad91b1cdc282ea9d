#pragma once
// The mails the related-mail pickup starts from: the selected mails or the
// mail under the cursor of the main window's folder, or the mail a VIEW
// window shows. What the main window offers is looked at before the
// dialog (the command is refused in the trash, without a mail, or without
// an entry list); which mails it is is settled after the dialog, whose
// choice between cursor and selection it follows.

#include <optional>
#include <string>
#include <vector>

#include "core/started_plugin.h"
#include "store/current_mails.h"

namespace gleanix::pickupcommands {

struct StartingPoint {
  // The command came from a VIEW window (parameter 1).
  bool fromView = false;
  sys::WindowHandle window = 0;
  // The main window's folder and its selected keys (main window only).
  store::CurrentFolderMails folder;
};

// Before the dialog. For the main window: nullopt after the warning that
// tells why the command cannot run there (owned by the main window).
std::optional<StartingPoint> startingPoint(core::StartedPlugin& plugin, sys::WindowHandle window, bool fromView);

// After the dialog, as hit paths: the viewed mail; or the selected mails in
// the order the host listed them ("MailSelected" true); or the mail under
// the cursor. A mail that cannot be named (a VIEW path outside the mail
// root, no cursor mail any more) gives nothing.
std::vector<std::string> startingMails(core::StartedPlugin& plugin, const StartingPoint& start, bool selected);

}  // namespace gleanix::pickupcommands
