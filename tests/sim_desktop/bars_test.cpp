// Menu bars, toolbars and window icons of the simulated desktop.
#include <gtest/gtest.h>

#include "backend/sim/sim_desktop.h"

namespace {

using namespace gleanix;
using backend::SimDesktop;

struct Commands : sys::EventSink {
  std::vector<int> ids;
  void handleEvent(sys::Event& e) override {
    if (e.type == sys::EventType::Command) ids.push_back(e.id);
  }
};

sys::WindowHandle shownForm(SimDesktop& d, sys::EventSink* sink) {
  sys::WindowSpec spec;
  spec.kind = sys::ControlKind::Form;
  spec.className = "TView";
  spec.bounds = {0, 0, 300, 200};
  const sys::WindowHandle w = d.createWindow(spec, sink);
  d.setVisible(w, true);
  return w;
}

TEST(SimDesktopBars, MenuBarCommandsPostToTheFormAndTheBarGoesWithIt) {
  SimDesktop d;
  Commands sink;
  const sys::WindowHandle w = shownForm(d, &sink);
  const sys::MenuHandle bar = d.createMenuBar();
  const sys::MenuHandle edit = d.createPopupMenu();
  d.insertMenuItem(edit, -1, {"コピー(&C)", 11});
  d.insertMenuItem(edit, -1, {"貼り付け(&P)", 12, 0, false, false});
  d.insertMenuItem(bar, -1, {"編集(&E)", 0, edit});
  d.setMenuBar(w, bar);
  EXPECT_EQ(d.menuBar(w), bar);
  EXPECT_EQ(d.menuItem(bar, 0).subMenu, edit);
  EXPECT_EQ(d.menuItem(edit, 1).text, "貼り付け(&P)");

  EXPECT_TRUE(d.chooseMenuBarCommand(w, 11));
  EXPECT_FALSE(d.chooseMenuBarCommand(w, 12));  // disabled
  EXPECT_FALSE(d.chooseMenuBarCommand(w, 13));  // not on the bar
  d.processPendingMessages();
  EXPECT_EQ(sink.ids, std::vector<int>{11});

  d.setMenuBar(w, d.createPopupMenu());  // a popup is no menu bar
  EXPECT_EQ(d.menuBar(w), bar);
  d.destroyWindow(w);
  EXPECT_EQ(d.menuItemCount(bar), -1);
  EXPECT_EQ(d.menuItemCount(edit), -1);
}

TEST(SimDesktopBars, ToolbarTakesButtonsOnlyAfterTheRecordSizeAndEnabledOnesClick) {
  SimDesktop d;
  Commands sink;
  const sys::WindowHandle w = shownForm(d, &sink);
  sys::WindowSpec spec;
  spec.kind = sys::ControlKind::ToolBar;
  spec.parent = w;
  spec.bounds = {0, 0, 300, 28};
  const sys::WindowHandle tb = d.createWindow(spec, nullptr);
  EXPECT_EQ(d.className(tb), "ToolbarWindow32");

  const sys::ToolButton button{3, 501, sys::toolbar::kEnabled, sys::toolbar::kButton};
  EXPECT_FALSE(d.toolbarAddButtons(tb, {button}));
  d.toolbarSetButtonRecordSize(tb, sys::toolbar::kButtonRecordSize);
  ASSERT_TRUE(d.toolbarAddButtons(tb, {{0, 0, 0, sys::toolbar::kSeparator}, button, {4, 502, 0, sys::toolbar::kButton}}));
  ASSERT_EQ(d.toolbarButtons(tb).size(), 3u);

  const sys::ImageListHandle images = d.createImageList(23, 16);
  d.toolbarSetImageList(tb, images);
  EXPECT_EQ(d.toolbarImageList(tb), images);

  EXPECT_TRUE(d.toolbarChangeBitmap(tb, 501, 7));
  EXPECT_FALSE(d.toolbarChangeBitmap(tb, 0, 7));  // the separator has no command
  EXPECT_EQ(d.toolbarButtons(tb)[1].image, 7);

  EXPECT_TRUE(d.clickToolButton(tb, 501));
  EXPECT_FALSE(d.clickToolButton(tb, 502));  // state 0: not enabled
  d.processPendingMessages();
  EXPECT_EQ(sink.ids, std::vector<int>{501});
}

TEST(SimDesktopBars, WindowIconsKeepTheirSizeWithTheTransparentColourLeftOut) {
  SimDesktop d;
  const sys::WindowHandle w = shownForm(d, nullptr);
  const sys::Color clear = sys::rgb(255, 0, 255);
  sys::Bitmap icon{2, 1, {clear, sys::rgb(1, 2, 3)}};
  d.setWindowIcon(w, icon, clear, false);
  ASSERT_TRUE(d.window(w).smallIcon.has_value());
  EXPECT_FALSE(d.window(w).bigIcon.has_value());
  EXPECT_EQ(d.window(w).smallIcon->pixels[1], sys::rgb(1, 2, 3));
  EXPECT_NE(d.window(w).smallIcon->pixels[0], clear);
}

}  // namespace
