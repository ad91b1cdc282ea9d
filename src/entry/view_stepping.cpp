#include "entry/view_stepping.h"

#include <memory>
#include <string>

#include "core/host_windows.h"
#include "core/thread_state.h"
#include "entry/commands.h"
#include "entry/step_buttons.h"

namespace gleanix::entry {
namespace {

using core::threadState;

// The associated list while it is valid; null otherwise.
std::shared_ptr<core::PickupWindow> validAssociation(core::StartedPlugin& plugin) {
  std::shared_ptr<core::PickupWindow> window = threadState().pickupWindow.lock();
  if (!core::pickupWindowValid(plugin.desktop(), window.get())) return nullptr;
  return window;
}

void showImagesOf(core::StartedPlugin& plugin, const core::PickupWindow* window) {
  const bool previous = window && !window->previousPath().empty();
  const bool next = window && !window->nextPath().empty();
  showStepImages(plugin, previous, next);
}

}  // namespace

void stepPickup(core::StartedPlugin& plugin, sys::WindowHandle view, std::int32_t parameter) {
  if (parameter != kStepPrevious && parameter != kStepNext) return;
  const std::shared_ptr<core::PickupWindow> window = validAssociation(plugin);
  if (!window) return;
  std::string path;
  if (parameter == kStepNext) {
    path = window->nextPath();
    window->stepNext();
  } else {
    path = window->previousPath();
    window->stepPrevious();
  }
  if (path.empty()) return;
  threadState().ownMailChange = true;
  plugin.host().viewChangeMail(view, path);
}

void viewMailLoaded(core::StartedPlugin& plugin) {
  core::ThreadWindowState& state = threadState();
  if (state.ownMailChange) {
    state.ownMailChange = false;
    if (const auto window = validAssociation(plugin)) showImagesOf(plugin, window.get());
    return;
  }
  plugin.prunePickupWindows();
  for (const core::PickupWindowList::Entry& entry : plugin.pickupWindows().entries()) {
    if (entry.window && entry.window->takeJustOpened()) {
      state.pickupWindow = entry.window;
      break;
    }
  }
  showImagesOf(plugin, validAssociation(plugin).get());
}

void bringAssociatedListToFront(core::StartedPlugin& plugin) {
  if (const auto window = validAssociation(plugin)) window->bringToFront();
}

}  // namespace gleanix::entry
