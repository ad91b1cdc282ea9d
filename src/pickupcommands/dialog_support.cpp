#include "pickupcommands/dialog_support.h"

namespace gleanix::pickupcommands {

sys::WindowHandle dialogOwner(core::StartedPlugin& plugin, sys::WindowHandle hostWindow) {
  return plugin.desktop().isWindow(hostWindow) ? hostWindow : 0;
}

void giveSharedIcon(core::StartedPlugin& plugin, ui::TForm& dialog) { plugin.commonForm().giveIcon(dialog.handle()); }

}  // namespace gleanix::pickupcommands
