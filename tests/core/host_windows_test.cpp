// The desktop searches of the plug-in frame: pruning the pickup window list
// and finding the host main window, on the simulated desktop.
#include "core/host_windows.h"

#include <gtest/gtest.h>

#include "support/fake_pickup_window.h"

#include "core/thread_state.h"
#include "support/plugin_fixture.h"

namespace gleanix::testing {
namespace {

using Pickup = testing::FakePickupWindow;

sys::WindowHandle form(backend::SimDesktop& d, const std::string& className, const std::string& caption = "") {
  sys::WindowSpec spec;
  spec.kind = sys::ControlKind::Form;
  spec.className = className;
  spec.text = caption;
  spec.bounds = {0, 0, 200, 100};
  return d.createWindow(spec, nullptr);
}

class HostWindows : public PluginTest {
 protected:
  void SetUp() override { ASSERT_EQ(startUp(), 255); }
};

TEST_F(HostWindows, PruningDropsClosedWindowsAndHandlesOfAnotherClass) {
  const sys::WindowHandle kept1 = form(*desktop, "TFolderForm");
  const sys::WindowHandle closed = form(*desktop, "TFolderForm");
  const sys::WindowHandle other = form(*desktop, "TKeyFindForm");
  const sys::WindowHandle kept2 = form(*desktop, "TFolderForm");
  core::PickupWindowList& list = started().pickupWindows();
  for (sys::WindowHandle h : {kept1, closed, other, kept2}) list.add(std::make_shared<Pickup>(h));
  desktop->destroyWindow(closed);

  started().prunePickupWindows();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list.entries()[0].text, std::to_string(kept1));
  EXPECT_EQ(list.entries()[1].text, std::to_string(kept2));

  desktop->destroyWindow(kept1);
  desktop->destroyWindow(kept2);
  started().prunePickupWindows();
  EXPECT_TRUE(list.empty());
}

TEST_F(HostWindows, TheMainWindowSearchStaysInTheCallersProcess) {
  desktop->setCurrentProcessId(100);
  const sys::WindowHandle mainA = form(*desktop, "TMainForm", "受信箱 - Quillon");
  const sys::WindowHandle viewA = form(*desktop, "TViewForm", "Re: hello");
  desktop->setCurrentProcessId(200);
  // In front of process 100's windows.
  const sys::WindowHandle mainB = form(*desktop, "TMainForm", "Inbox - Quillon");
  const sys::WindowHandle viewB = form(*desktop, "TViewForm", "View");
  desktop->setCurrentProcessId(300);
  const sys::WindowHandle stranger = form(*desktop, "TOther", "no host here");

  EXPECT_EQ(started().hostMainWindow(viewA), mainA);
  EXPECT_EQ(started().hostMainWindow(viewB), mainB);
  // Nothing found in the caller's process, or an unknown window: the
  // window APCFolderCreate recorded.
  started().setMainWindow(0x4242);
  EXPECT_EQ(started().hostMainWindow(stranger), 0x4242u);
  EXPECT_EQ(started().hostMainWindow(0), 0x4242u);
  EXPECT_EQ(started().hostMainWindow(999999), 0x4242u);
  // This thread's own main window comes first.
  core::threadState().mainWindow = 0x77;
  EXPECT_EQ(started().hostMainWindow(viewB), 0x77u);
}

TEST_F(HostWindows, TheCaptionIsReadAsTheHostWouldShowIt) {
  const sys::WindowHandle late = form(*desktop, "TMainForm", std::string(91, 'x') + " - Quillon");  // 101 bytes
  const sys::WindowHandle spaced = form(*desktop, "TMainForm", "Inbox - Quillon ");
  const sys::WindowHandle lower = form(*desktop, "TMainForm", "Inbox - quillon");
  const sys::WindowHandle view = form(*desktop, "TViewForm", "view");
  EXPECT_EQ(core::searchCaption(*desktop, late).size(), 100u);
  EXPECT_EQ(core::findHostMainWindow(*desktop, view, 0, 0), 0u);
  for (sys::WindowHandle w : {late, spaced, lower}) desktop->destroyWindow(w);

  const sys::WindowHandle exact = form(*desktop, "TMainForm", std::string(90, 'x') + " - Quillon");  // 100 bytes
  EXPECT_EQ(core::findHostMainWindow(*desktop, view, 0, 0), exact);
  const sys::WindowHandle tabbed = form(*desktop, "TMainForm", "Inbox - Quillon\tbusy");
  EXPECT_EQ(core::searchCaption(*desktop, tabbed), "Inbox - Quillon");
  EXPECT_EQ(core::findHostMainWindow(*desktop, view, 0, 0), tabbed);  // the frontmost match
}

}  // namespace
}  // namespace gleanix::testing
