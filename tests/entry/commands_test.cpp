// The command procedures as the host calls them: each reaches its command,
// and none does anything while the plug-in is not started.
#include "entry/commands.h"

#include <gtest/gtest.h>

#include "support/plugin_fixture.h"

namespace gleanix::testing {
namespace {

TEST_F(PluginTest, TheHomePageOpensWithTheShellVerbOpen) {
  ASSERT_EQ(startUp(), 255);
  entry::homePageCommand(sim.mainWindow(), 0);
  ASSERT_EQ(shell->calls().size(), 1u);
  EXPECT_EQ(*shell->lastCall(), (backend::ShellCall{sim.mainWindow(), "OPEN", entry::kHomePage, "", ""}));
}

TEST_F(PluginTest, ThePickupCommandsShowTheirDialogs) {
  ASSERT_EQ(startUp(), 255);
  std::vector<std::string> shown;
  const auto record = [&](sys::WindowHandle form) { shown.push_back(desktop->className(form)); };
  for (int i = 0; i < 2; ++i) desktop->onModal(record);
  entry::markPickupCommand(sim.mainWindow(), 0);
  entry::keywordPickupCommand(sim.mainWindow(), 0);
  EXPECT_EQ(shown, (std::vector<std::string>{"TMarkFindForm", "TKeyFindForm"}));
  // Without a mail to start from, the related pickup says so.
  entry::relatedPickupCommand(sim.mainWindow(), entry::kFromMainWindow);
  EXPECT_EQ(desktop->messageBoxes().size(), 1u);
}

TEST_F(PluginTest, TheInMailSearchAsksInTheViewWindowsEditor) {
  ASSERT_EQ(startUp(), 255);
  const sys::WindowHandle view = sim.openViewWindow("Acc1\\Inbox.box\\00000001");
  const sys::WindowHandle form = desktop->createWindow({.kind = sys::ControlKind::Form, .className = "TView"}, nullptr);
  sim.setEditor(view, desktop->createWindow({.kind = sys::ControlKind::Memo, .className = "", .text = "abc", .parent = form}, nullptr));
  std::string shown;
  desktop->onModal([&](sys::WindowHandle dialog) { shown = desktop->className(dialog); });
  entry::inMailSearchCommand(view, entry::kViewFind);
  EXPECT_EQ(shown, "TSearchForm");
}

TEST_F(PluginTest, CommandsDoNothingWhileNotStarted) {
  entry::homePageCommand(sim.mainWindow(), 0);
  entry::markPickupCommand(sim.mainWindow(), 0);
  entry::pickupStepCommand(sim.mainWindow(), entry::kStepNext);
  EXPECT_TRUE(shell->calls().empty());
  EXPECT_TRUE(desktop->topLevelWindows().empty());
}

}  // namespace
}  // namespace gleanix::testing
