// The simulated host's hand on real controls: presses posted at list rows
// and header sections reach the controls as a user's would, modifiers held
// while a double click goes through, a row menu item chosen by its text,
// screenshots, and messages kept for a loop that waits.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "backend/win32/win32_desktop.h"

namespace gleanix::backend {
namespace {

class Sink : public sys::EventSink {
 public:
  explicit Sink(sys::Desktop& d) : d_(d) {}
  void handleEvent(sys::Event& e) override {
    if (e.type == sys::EventType::Command) commands.push_back(e.id);
    if (e.type == sys::EventType::SectionClick) sections.push_back(e.id);
    if (e.type == sys::EventType::DoubleClick) doubleClicks.push_back(d_.isKeyDown(sys::vk::Shift));
    if (e.type == sys::EventType::MouseDown && e.button == sys::MouseButton::Right && menu) {
      e.handled = true;
      chosen.push_back(d_.trackPopupMenu(menu, form, d_.clientToScreen(e.window, e.pos)));
    }
  }
  sys::Desktop& d_;
  sys::WindowHandle form = 0;
  sys::MenuHandle menu = 0;
  std::vector<int> commands, sections, chosen;
  std::vector<bool> doubleClicks;  // Shift down while each came
};

class Win32UserInput : public ::testing::Test {
 protected:
  void SetUp() override {
    sys::WindowSpec f;
    f.kind = sys::ControlKind::Form;
    f.className = "TUserInputTest";
    f.bounds = {40, 40, 440, 300};
    form = d.createWindow(f, &sink);
    sink.form = form;
    sys::WindowSpec h;
    h.kind = sys::ControlKind::Header;
    h.parent = form;
    h.bounds = {0, 0, 400, 20};
    header = d.createWindow(h, &sink);
    for (const char* caption : {"パス", "題名", "差出人"}) d.headerAddSection(header, caption, 100);
    sys::WindowSpec l;
    l.kind = sys::ControlKind::ListView;
    l.parent = form;
    l.bounds = {0, 20, 400, 240};
    l.style = sys::kMultiSelect | sys::kRowSelect | sys::kReadOnly | sys::kNoColumnHeader;
    list = d.createWindow(l, &sink);
    d.listAddColumn(list, "パス", 150);
    for (int row = 0; row < 4; ++row) d.listInsertItem(list, row, {"行" + std::to_string(row + 1)}, -1);
    for (sys::WindowHandle w : {header, list, form}) d.setVisible(w, true);
    d.processPendingMessages();
  }
  void TearDown() override { d.destroyWindow(form); }

  std::vector<int> selected() const {
    std::vector<int> out;
    for (int row = 0; row < d.listCount(list); ++row) {
      if (d.listIsSelected(list, row)) out.push_back(row);
    }
    return out;
  }

  Win32Desktop d;
  Sink sink{d};
  sys::WindowHandle form = 0, header = 0, list = 0;
};

TEST_F(Win32UserInput, PressesAtRowsSelectThemAndHeaderSectionsTakeClicks) {
  ASSERT_TRUE(d.userSelectRows(list, {1, 3}));
  d.processPendingMessages();
  EXPECT_EQ(selected(), (std::vector<int>{1, 3}));
  ASSERT_TRUE(d.userSelectRows(list, {2}));  // a plain click drops the others
  d.processPendingMessages();
  EXPECT_EQ(selected(), std::vector<int>{2});
  ASSERT_TRUE(d.userSelectRows(list, {}));
  d.processPendingMessages();
  EXPECT_TRUE(selected().empty());
  EXPECT_FALSE(d.userSelectRows(list, {9}));

  ASSERT_TRUE(d.userClickHeader(header, 1));
  ASSERT_TRUE(d.userClickHeader(header, 0));
  d.processPendingMessages();
  EXPECT_EQ(sink.sections, (std::vector<int>{1, 0}));
  EXPECT_FALSE(d.userClickHeader(header, 3));

  d.setEnabled(form, false);  // as under a modal dialog
  EXPECT_FALSE(d.userSelectRows(list, {0}));
  EXPECT_FALSE(d.userClickHeader(header, 0));
}

TEST_F(Win32UserInput, DoubleClickHoldsItsModifiersOnlyWhileItGoesThrough) {
  ASSERT_TRUE(d.userDoubleClickRow(list, 0, sys::kShift));
  d.processPendingMessages();
  ASSERT_TRUE(d.userDoubleClickRow(list, 2, 0));
  d.processPendingMessages();
  EXPECT_EQ(sink.doubleClicks, (std::vector<bool>{true, false}));
  EXPECT_FALSE(d.isKeyDown(sys::vk::Shift));
  EXPECT_EQ(selected(), std::vector<int>{2});  // the held Shift did not widen the selection
  EXPECT_FALSE(d.userDoubleClickRow(list, 4, 0));
}

TEST_F(Win32UserInput, RowMenuItemIsChosenByItsTextAndOnlyWhenEnabled) {
  sink.menu = d.createPopupMenu();
  d.insertMenuItem(sink.menu, -1, {.text = "開く", .id = 11});
  d.insertMenuItem(sink.menu, -1, {.separator = true});
  d.insertMenuItem(sink.menu, -1, {.text = "外部ビューアで開く", .id = 12, .enabled = false});
  d.insertMenuItem(sink.menu, -1, {.text = "コピー ...", .id = 13});
  for (const char* item : {"コピー ...", "開く", "外部ビューアで開く", "移動 ..."}) {
    ASSERT_TRUE(d.userRowMenu(list, 1, item)) << item;
    d.processPendingMessages();
  }
  EXPECT_EQ(sink.chosen, (std::vector<int>{13, 11, 0, 0}));
  d.destroyMenu(sink.menu);
}

TEST_F(Win32UserInput, MessagePostedForAWaitingLoopWaitsOutPendingWork) {
  d.postWhenWaiting({form, sys::msg::Command, 1, 0});
  d.postCommand(form, 2);
  d.processPendingMessages();
  d.waitForIdle();
  EXPECT_EQ(sink.commands, std::vector<int>{2});
  d.runMessageLoop([&] { return sink.commands.size() == 2; });
  EXPECT_EQ(sink.commands, (std::vector<int>{2, 1}));
}

TEST_F(Win32UserInput, ScreenshotShowsTheFrontWindowsClientArea) {
  d.setForegroundWindow(form);
  const std::string file = "user_input_test_shot.png";
  std::remove(file.c_str());
  ASSERT_TRUE(d.saveScreenshot(file));
  std::FILE* f = std::fopen(file.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char head[24] = {};
  ASSERT_EQ(std::fread(head, 1, sizeof(head), f), sizeof(head));
  std::fclose(f);
  std::remove(file.c_str());
  EXPECT_EQ(std::string(reinterpret_cast<char*>(head) + 1, 3), "PNG");
  const auto at = [&](int i) { return (head[i] << 24) | (head[i + 1] << 16) | (head[i + 2] << 8) | head[i + 3]; };
  EXPECT_EQ(at(16), 400);  // the IHDR width and height
  EXPECT_EQ(at(20), 260);
}

}  // namespace
}  // namespace gleanix::backend
