// The VIEW and SEND hooks as keys and messages pass through the window's
// thread: which command each key posts, the list brought back when the
// VIEW window closes or hides, and hooks that go with their windows.
#include "entry/window_hooks.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/thread_state.h"
#include "entry/entry_points.h"
#include "support/fake_pickup_window.h"
#include "support/plugin_fixture.h"

namespace gleanix::testing {
namespace {

using sys::kCtrl;

constexpr int kFind = 901, kFindNext = 902, kReplace = 903, kNext = 904;

// A pickup list that counts how often it was asked to come to the front.
class FrontCountingList : public FakePickupWindow {
 public:
  using FakePickupWindow::FakePickupWindow;
  void bringToFront() override { ++fronts; }
  int fronts = 0;
};

class HookTest : public PluginTest {
 protected:
  void SetUp() override { ASSERT_EQ(startUp(), 255); }

  sys::WindowHandle form(const char* className) {
    return desktop->createWindow({.kind = sys::ControlKind::Form, .className = className}, nullptr);
  }
  sys::WindowHandle openView() {
    const sys::WindowHandle view = form("TView");
    entry::viewCreate(view);
    core::threadState().viewFindId = kFind;
    core::threadState().viewFindNextId = kFindNext;
    return view;
  }
  sys::WindowHandle openSend() {
    const sys::WindowHandle send = form("TSend");
    entry::sendCreate(send);
    core::threadState().sendFindId = kFind;
    core::threadState().sendReplaceId = kReplace;
    core::threadState().sendNextId = kNext;
    return send;
  }
  // The commands posted while the key went through the window's queue.
  std::vector<int> press(sys::WindowHandle w, int key, unsigned shift = 0) {
    const std::size_t before = desktop->postedCommands().size();
    desktop->postKey(w, key, shift);
    desktop->processPendingMessages();
    std::vector<int> ids;
    for (std::size_t i = before; i < desktop->postedCommands().size(); ++i) {
      EXPECT_EQ(desktop->postedCommands()[i].window, w);
      ids.push_back(desktop->postedCommands()[i].id);
    }
    return ids;
  }
  using Ids = std::vector<int>;
};

TEST_F(HookTest, ViewKeysPostFindAndFindNextAndF3AlwaysMeansFindNext) {
  const sys::WindowHandle view = openView();
  EXPECT_EQ(press(view, 'F', kCtrl), Ids{kFind});
  EXPECT_EQ(press(view, 'N', kCtrl), Ids{kFindNext});
  EXPECT_EQ(press(view, sys::vk::F3), Ids{kFindNext});
  EXPECT_EQ(press(view, sys::vk::F3, kCtrl), Ids{kFindNext});
  EXPECT_EQ(press(view, 'F'), Ids{});
  EXPECT_EQ(press(view, 'N'), Ids{});
  EXPECT_EQ(press(view, 'R', kCtrl), Ids{});  // replace is a SEND window's
}

TEST_F(HookTest, SendKeysPostFindReplaceAndNext) {
  const sys::WindowHandle send = openSend();
  EXPECT_EQ(press(send, 'F', kCtrl), Ids{kFind});
  EXPECT_EQ(press(send, 'R', kCtrl), Ids{kReplace});
  EXPECT_EQ(press(send, 'N', kCtrl), Ids{kNext});
  EXPECT_EQ(press(send, sys::vk::F3), Ids{kNext});
  EXPECT_EQ(press(send, 'R'), Ids{});
}

TEST_F(HookTest, KeysOfCommandsNeverRegisteredPostNothing) {
  const sys::WindowHandle view = form("TView");
  entry::viewCreate(view);
  EXPECT_EQ(press(view, sys::vk::F3), Ids{});
  EXPECT_EQ(press(view, 'F', kCtrl), Ids{});
}

TEST_F(HookTest, ClosingOrHidingTheViewWindowBringsAValidListToFront) {
  const sys::WindowHandle view = openView();
  const auto list = std::make_shared<FrontCountingList>(form("TFolderForm"));
  core::threadState().pickupWindow = list;
  desktop->postMessage({view, sys::msg::ShowWindow, 1, 0});  // shown: nothing
  desktop->postMessage({view, sys::msg::ShowWindow, 0, 0});
  desktop->postMessage({view, sys::msg::Close, 0, 0});
  desktop->processPendingMessages();
  EXPECT_EQ(list->fronts, 2);

  const auto empty = std::make_shared<FrontCountingList>(form("TFolderForm"), 0);
  core::threadState().pickupWindow = empty;  // a list without rows is not valid
  desktop->postMessage({view, sys::msg::Close, 0, 0});
  desktop->processPendingMessages();
  EXPECT_EQ(empty->fronts, 0);
}

TEST_F(HookTest, EveryMessageIsPassedOnToTheNextHook) {
  int seen = 0;
  sys::HookHandle earlier = 0;
  earlier = desktop->setMessageHook(desktop->currentThreadId(), [&](int code, const sys::Message& m) {
    if (m.message == sys::msg::KeyDown) ++seen;
    desktop->callNextHook(earlier, code, m);
  });
  const sys::WindowHandle view = openView();
  press(view, sys::vk::F3);
  press(view, 'A');
  EXPECT_EQ(seen, 2);
  desktop->removeMessageHook(earlier);
}

TEST_F(HookTest, HooksGoWithTheirWindowsAndASecondWindowDoesNotDoubleThem) {
  openView();
  const sys::WindowHandle view = openView();  // a second VIEW window on the thread
  EXPECT_EQ(press(view, sys::vk::F3), Ids{kFindNext});
  entry::viewClose();
  EXPECT_EQ(press(view, sys::vk::F3), Ids{});
  EXPECT_EQ(core::threadState().viewHook, 0u);

  const sys::WindowHandle send = openSend();
  entry::sendClose();
  EXPECT_EQ(press(send, sys::vk::F3), Ids{});
}

TEST_F(HookTest, ClosingTheViewWindowBringsTheListToFront) {
  openView();
  const auto list = std::make_shared<FrontCountingList>(form("TFolderForm"));
  core::threadState().pickupWindow = list;
  entry::viewClose();
  EXPECT_EQ(list->fronts, 1);
}

}  // namespace
}  // namespace gleanix::testing
