#include "entry/window_hooks.h"

#include <memory>

#include "core/host_windows.h"
#include "core/thread_state.h"

namespace gleanix::entry {
namespace {

using core::threadState;

constexpr int kKeyF = 'F';
constexpr int kKeyN = 'N';
constexpr int kKeyR = 'R';

// A command id left at zero was never registered: posting it would hand
// the host a command of its own.
void post(sys::Desktop& desktop, sys::WindowHandle window, std::int32_t id) {
  if (id != 0) desktop.postCommand(window, id);
}

using Action = void (*)(sys::Desktop&, const sys::Message&);
using HookField = sys::HookHandle core::ThreadWindowState::*;

// Installs the hook for the window's thread (the calling one when the
// window's is unknown), replacing the one the field holds. The hook lives
// in the desktop, so the desktop outlives every call of it; it acts on the
// hooked thread's state and keeps every exception away from the host.
void install(sys::Desktop& desktop, sys::WindowHandle window, HookField field, Action action) {
  core::ThreadWindowState& state = threadState();
  if (state.*field) desktop.removeMessageHook(state.*field);
  state.*field = 0;

  std::uint32_t thread = desktop.threadId(window);
  if (!thread) thread = desktop.currentThreadId();
  auto self = std::make_shared<sys::HookHandle>(0);
  sys::Desktop* d = &desktop;
  state.*field = desktop.setMessageHook(thread, [d, self, action](int code, const sys::Message& message) {
    if (code == sys::kHookAction) {
      try {
        action(*d, message);
      } catch (...) {
      }
    }
    d->callNextHook(*self, code, message);
  });
  *self = state.*field;
}

void uninstall(sys::Desktop& desktop, HookField field) {
  core::ThreadWindowState& state = threadState();
  if (state.*field) desktop.removeMessageHook(state.*field);
  state.*field = 0;
}

bool ctrlDown(const sys::Desktop& desktop) { return desktop.isKeyDown(sys::vk::Control); }

}  // namespace

void installViewHook(core::StartedPlugin& plugin, sys::WindowHandle view) {
  install(plugin.desktop(), view, &core::ThreadWindowState::viewHook, viewHookAction);
}

void installSendHook(core::StartedPlugin& plugin, sys::WindowHandle send) {
  install(plugin.desktop(), send, &core::ThreadWindowState::sendHook, sendHookAction);
}

void removeViewHook(core::StartedPlugin& plugin) { uninstall(plugin.desktop(), &core::ThreadWindowState::viewHook); }

void removeSendHook(core::StartedPlugin& plugin) { uninstall(plugin.desktop(), &core::ThreadWindowState::sendHook); }

void viewHookAction(sys::Desktop& desktop, const sys::Message& message) {
  const core::ThreadWindowState& state = threadState();
  const bool hiding = message.message == sys::msg::ShowWindow && message.wParam == 0;
  if (message.message == sys::msg::Close || hiding) {
    const std::shared_ptr<core::PickupWindow> window = state.pickupWindow.lock();
    if (core::pickupWindowValid(desktop, window.get())) window->bringToFront();
    return;
  }
  if (message.message != sys::msg::KeyDown) return;
  const auto key = static_cast<int>(message.wParam);
  if (key == sys::vk::F3) {
    post(desktop, state.viewWindow, state.viewFindNextId);
  } else if (key == kKeyF && ctrlDown(desktop)) {
    post(desktop, state.viewWindow, state.viewFindId);
  } else if (key == kKeyN && ctrlDown(desktop)) {
    post(desktop, state.viewWindow, state.viewFindNextId);
  }
}

void sendHookAction(sys::Desktop& desktop, const sys::Message& message) {
  if (message.message != sys::msg::KeyDown) return;
  const core::ThreadWindowState& state = threadState();
  const auto key = static_cast<int>(message.wParam);
  if (key == sys::vk::F3) {
    post(desktop, state.sendWindow, state.sendNextId);
  } else if (ctrlDown(desktop)) {
    if (key == kKeyF) post(desktop, state.sendWindow, state.sendFindId);
    if (key == kKeyR) post(desktop, state.sendWindow, state.sendReplaceId);
    if (key == kKeyN) post(desktop, state.sendWindow, state.sendNextId);
  }
}

}  // namespace gleanix::entry
