// A VIEW window stepping through the pickup list it was opened from: the
// buttons added to its toolbar, their images at both ends of the list, the
// association kept or taken over as mails are loaded, and a closed list.
#include "entry/view_stepping.h"

#include <gtest/gtest.h>

#include <utility>

#include "core/thread_state.h"
#include "entry/commands.h"
#include "entry/entry_points.h"
#include "entry/menus.h"
#include "listwindow/list_window_fixture.h"
#include "support/overriding_host.h"

namespace gleanix::testing {
namespace {

// The mails the host was asked to show in a VIEW window, in order.
std::vector<std::pair<sys::WindowHandle, std::string>> gShown;
void GLEANIX_STDCALL recordViewChangeMail(sys::WindowHandle view, const char* mail) { gShown.emplace_back(view, mail); }

class SteppingTest : public ListWindowTest {
 protected:
  void SetUp() override {
    gShown.clear();
    loader = nullptr;
    ASSERT_EQ(core::startUp("1.10", [this] {
                return core::PlatformServices{fs, registry, system, std::make_shared<OverridingHostLoader>(
                    sim, HostOverrides{{"_APAViewChangeMail@8", reinterpret_cast<void*>(&recordViewChangeMail)}}), desktop,
                                              shell};
              }),
              255);
    settingsSortIndex(-1);
    // The host's VIEW window: its editor on top, then its toolbar with two
    // buttons of its own.
    view = desktop->createWindow({.kind = sys::ControlKind::Form, .className = "TView"}, nullptr);
    desktop->createWindow({.kind = sys::ControlKind::Memo, .className = "", .parent = view}, nullptr);
    toolbar = desktop->createWindow({.kind = sys::ControlKind::ToolBar, .className = "", .parent = view}, nullptr);
    const sys::ImageListHandle images = desktop->createImageList(23, 16);
    desktop->imageListAdd(images, sys::Bitmap{46, 16, std::vector<sys::Color>(46 * 16, 0)}, 0xFFFFFF);
    desktop->toolbarSetImageList(toolbar, images);
    desktop->toolbarSetButtonRecordSize(toolbar, 20);
    desktop->toolbarAddButtons(toolbar, {{.image = 0, .command = 1}, {.image = 1, .command = 2}});
    entry::viewCreate(view);
    entry::viewInitMenu(view, desktop->createPopupMenu(), entry::kViewMenuBar);
  }

  // Opens a row of the list in "the" VIEW window, as a double click does.
  void openRow(listwindow::TFolderForm& w, int row) {
    select(w, {row});
    ASSERT_TRUE(desktop->doubleClickAt(list(w).handle(), rowPoint(w, row)));
    entry::viewLoadMail();
  }
  // The host chose a step button; it loads what it was asked to show.
  void step(std::int32_t id) {
    const std::size_t before = gShown.size();
    ASSERT_TRUE(sim.invokeCommand(id, view));
    if (gShown.size() > before) entry::viewLoadMail();
  }
  std::string lastShown() const { return gShown.empty() ? "" : gShown.back().second; }

  static std::string imageName(int image, int normal, int disabled, const char* name) {
    return image == normal ? name : image == disabled ? "-" : "?";
  }
  // The images the two step buttons show: "prev"/"next" or "-" when disabled.
  std::string images() const {
    const core::ThreadWindowState& s = core::threadState();
    std::string out;
    for (const sys::ToolButton& b : desktop->toolbarButtons(toolbar)) {
      if (b.command == s.previousButtonId) out += imageName(b.image, s.previousImage, s.previousDisabledImage, "prev");
      if (b.command == s.nextButtonId) out += " " + imageName(b.image, s.nextImage, s.nextDisabledImage, "next");
    }
    return out;
  }

  sys::WindowHandle view = 0;
  sys::WindowHandle toolbar = 0;
};

TEST_F(SteppingTest, TheToolbarGetsASeparatorAndTwoEnabledButtonsWithTheFourImages) {
  const core::ThreadWindowState& s = core::threadState();
  const std::vector<sys::ToolButton> buttons = desktop->toolbarButtons(toolbar);
  ASSERT_EQ(buttons.size(), 5u);
  EXPECT_EQ(buttons[2].style, sys::toolbar::kSeparator);
  EXPECT_EQ(buttons[3].command, s.previousButtonId);
  EXPECT_EQ(buttons[3].image, s.previousImage);
  EXPECT_EQ(buttons[4].command, s.nextButtonId);
  EXPECT_EQ(buttons[4].state & sys::toolbar::kEnabled, sys::toolbar::kEnabled);
  EXPECT_EQ(s.viewToolbar, toolbar);
  // After the host's two images, in the order previous, next, and their disabled forms.
  EXPECT_EQ((std::vector<int>{s.previousImage, s.nextImage, s.previousDisabledImage, s.nextDisabledImage}),
            (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(desktop->imageListCount(desktop->toolbarImageList(toolbar)), 6);
  EXPECT_NE(s.previousButtonId, s.nextButtonId);
}

TEST_F(SteppingTest, StepsToBothEndsWithDisabledImagesThere) {
  const auto w = open();
  openRow(*w, 1);
  EXPECT_EQ(images(), "prev next");
  const core::ThreadWindowState& s = core::threadState();
  step(s.previousButtonId);
  EXPECT_EQ(lastShown(), kSixHits[0]);
  EXPECT_EQ(images(), "- next");
  step(s.previousButtonId);  // at the first row: nothing
  EXPECT_EQ(gShown.size(), 1u);
  EXPECT_TRUE(list(*w).isSelected(0));

  for (int i = 1; i <= 5; ++i) step(s.nextButtonId);
  EXPECT_EQ(lastShown(), kSixHits[5]);
  EXPECT_EQ(gShown.back().first, view);
  EXPECT_EQ(images(), "prev -");
  step(s.nextButtonId);
  EXPECT_EQ(gShown.size(), 6u);
  EXPECT_FALSE(s.ownMailChange);
}

TEST_F(SteppingTest, AMailOpenedOtherwiseKeepsTheAssociationAndItsButtons) {
  const auto w = open();
  openRow(*w, 2);
  entry::viewLoadMail();  // the host showed another mail by its own means
  EXPECT_EQ(images(), "prev next");
  step(core::threadState().nextButtonId);
  EXPECT_EQ(lastShown(), kSixHits[3]);

  // Another list that opens a mail takes the VIEW window over.
  const auto other = open({kSixHits[4], kSixHits[5]});
  openRow(*other, 1);
  EXPECT_EQ(images(), "prev -");
  step(core::threadState().previousButtonId);
  EXPECT_EQ(lastShown(), kSixHits[4]);
}

TEST_F(SteppingTest, AClosedListDisablesTheButtonsAtTheNextLoadAndStepsNothing) {
  const auto w = open();
  openRow(*w, 2);
  ASSERT_TRUE(desktop->closeForm(w->handle()));
  entry::viewLoadMail();
  EXPECT_EQ(images(), "- -");
  const std::size_t before = gShown.size();
  step(core::threadState().nextButtonId);
  step(core::threadState().previousButtonId);
  EXPECT_EQ(gShown.size(), before);
}

TEST_F(SteppingTest, ClosingTheViewWindowBringsTheListBackAfterItsTimer) {
  const auto w = open();
  openRow(*w, 2);
  desktop->setForegroundWindow(view);
  entry::viewClose();
  EXPECT_NE(desktop->foregroundWindow(), w->handle());
  ASSERT_EQ(desktop->timers(w->handle()).size(), 1u);
  EXPECT_EQ(desktop->timers(w->handle()).begin()->second, 500);
  ASSERT_TRUE(desktop->fireTimer(w->handle(), desktop->timers(w->handle()).begin()->first));
  EXPECT_EQ(desktop->foregroundWindow(), w->handle());
}

}  // namespace
}  // namespace gleanix::testing
