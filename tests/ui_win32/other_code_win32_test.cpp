// The host's desktop working other code's windows (a desktop object of its
// own, as the plug-in's): colour choosers answered from the queue, a list
// view's look and a status bar's text read back, a tree item selected as a
// click selects it.

#include <gtest/gtest.h>

#include <optional>
#include <thread>
#include <vector>

#include "backend/win32/win32_desktop.h"

namespace gleanix::backend {
namespace {

sys::WindowSpec spec(sys::ControlKind kind, sys::WindowHandle parent, sys::Rect bounds) {
  sys::WindowSpec s;
  s.kind = kind;
  s.className = kind == sys::ControlKind::Form ? "TOtherCodeForm" : "";
  s.parent = parent;
  s.bounds = bounds;
  return s;
}

struct ChangeSink : sys::EventSink {
  std::vector<sys::WindowHandle> changed;
  void handleEvent(sys::Event& e) override {
    if (e.type == sys::EventType::Change) changed.push_back(e.window);
  }
};

TEST(Win32OtherCode, ColourChoosersTakeTheQueuedAnswersAndMessageBoxesTheirOwn) {
  Win32Desktop host;
  host.watchMessageBoxes();
  host.answerColor(sys::rgb(12, 200, 34));
  host.answerColor(std::nullopt);
  host.answerMessageBox(sys::result::Cancel);
  bool first = false;
  bool second = true;
  sys::Color chosen = sys::rgb(1, 2, 3);
  sys::Color kept = sys::rgb(9, 9, 9);
  int boxResult = 0;
  std::thread t([&] {
    const sys::WindowHandle form = host.createWindow(spec(sys::ControlKind::Form, 0, {40, 40, 240, 160}), nullptr);
    host.setVisible(form, true);
    Win32Desktop plugin;
    first = plugin.chooseColor(form, chosen);
    second = plugin.chooseColor(form, kept);
    boxResult = plugin.messageBox(form, "本文", "題", sys::MessageIcon::None, sys::MessageButtons::OkCancel);
    host.destroyWindow(form);
  });
  t.join();
  EXPECT_TRUE(first);
  EXPECT_EQ(chosen, sys::rgb(12, 200, 34));
  EXPECT_FALSE(second);  // cancelled: the colour as it was
  EXPECT_EQ(kept, sys::rgb(9, 9, 9));
  // The choosers took neither the box's answer nor a place among the boxes.
  EXPECT_EQ(boxResult, sys::result::Cancel);
  EXPECT_EQ(host.takeMessageBoxes().size(), 1u);
}

TEST(Win32OtherCode, ListLookStatusTextAndTreeSelectionOfAnotherDesktopsWindows) {
  Win32Desktop plugin;
  Win32Desktop host;
  ChangeSink sink;
  const sys::WindowHandle form = plugin.createWindow(spec(sys::ControlKind::Form, 0, {40, 40, 400, 300}), &sink);
  const sys::WindowHandle list = plugin.createWindow(spec(sys::ControlKind::ListView, form, {0, 0, 200, 200}), &sink);
  const sys::WindowHandle bar = plugin.createWindow(spec(sys::ControlKind::StatusBar, form, {0, 280, 400, 20}), &sink);
  const sys::WindowHandle tree = plugin.createWindow(spec(sys::ControlKind::TreeView, form, {200, 0, 200, 200}), &sink);
  for (sys::WindowHandle w : {list, bar, tree, form}) plugin.setVisible(w, true);

  sys::Font font;
  font.size = 12;
  font.bold = true;
  font.color = sys::rgb(0, 0, 128);
  plugin.setFont(list, font);
  plugin.setColor(list, sys::rgb(255, 240, 200));
  EXPECT_EQ(host.listBackground(list), sys::rgb(255, 240, 200));
  const sys::Font read = host.controlFont(list);
  EXPECT_EQ(read.name, font.name);
  EXPECT_EQ(read.size, 12);
  EXPECT_TRUE(read.bold);
  EXPECT_FALSE(read.italic);
  EXPECT_EQ(read.color, sys::rgb(0, 0, 128));

  plugin.setText(bar, " 12件中の 3番目");
  EXPECT_EQ(host.text(bar), " 12件中の 3番目");

  const sys::TreeItem a = plugin.treeInsert(tree, 0, {"受信箱"});
  const sys::TreeItem b = plugin.treeInsert(tree, 0, {"送信箱"});
  plugin.treeSelect(tree, a);
  sink.changed.clear();
  EXPECT_TRUE(host.userSelectTreeItem(tree, b));
  EXPECT_EQ(plugin.treeSelected(tree), b);
  EXPECT_EQ(sink.changed, std::vector<sys::WindowHandle>{tree});
  plugin.setEnabled(tree, false);
  EXPECT_FALSE(host.userSelectTreeItem(tree, a));  // a disabled tree takes no click
  EXPECT_EQ(plugin.treeSelected(tree), b);
  plugin.destroyWindow(form);
}

}  // namespace
}  // namespace gleanix::backend
