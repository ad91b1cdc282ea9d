#include "options/setup.h"

#include <memory>
#include <vector>

#include "options/option_form.h"

namespace gleanix::options {

void APCSetup(core::StartedPlugin& plugin, sys::WindowHandle parent, const ApplyIcon& giveIcon) {
  // The host's handle is only a hint: a stale one would fail the window.
  const sys::WindowHandle owner = plugin.desktop().isWindow(parent) ? parent : 0;
  const auto form = std::make_unique<TOptionForm>(plugin, owner);
  if (giveIcon) giveIcon(form->handle());
  if (form->showModal() != sys::result::Ok) return;
  plugin.prunePickupWindows();
  // A copy: a window may leave the list while it changes its look.
  std::vector<std::shared_ptr<core::PickupWindow>> open;
  for (const core::PickupWindowList::Entry& e : plugin.pickupWindows().entries()) open.push_back(e.window);
  for (const auto& w : open) w->applyLookSettings();
}

}  // namespace gleanix::options
