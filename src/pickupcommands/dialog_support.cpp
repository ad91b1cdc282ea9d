#include "pickupcommands/dialog_support.h"

namespace gleanix::pickupcommands {

sys::WindowHandle dialogOwner(core::StartedPlugin& plugin, sys::WindowHandle hostWindow) {
  return plugin.desktop().isWindow(hostWindow) ? hostWindow : 0;
}

void giveSharedIcon(core::StartedPlugin& plugin, ui::TForm& dialog) {
  // Nothing to hand over until sys::Desktop can set window icons.
  static_cast<void>(plugin.commonForm().Icon());
  static_cast<void>(dialog);
}

}  // namespace gleanix::pickupcommands
