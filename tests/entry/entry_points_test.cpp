// The entry points' own work: the header stamp on posting, the windows
// recorded per thread and for the process, and the calls that must be safe
// while the plug-in is not started.
#include "entry/entry_points.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/thread_state.h"
#include "support/plugin_fixture.h"

namespace gleanix::testing {
namespace {

const std::string kStamp = "Gleanix Ver.0.03 Rev.10";

class SendPost : public PluginTest {
 protected:
  void SetUp() override { ASSERT_EQ(startUp(), 255); }

  // The header after posting a mail whose header was `header`.
  std::string post(const std::string& header) {
    const sys::WindowHandle send = sim.openSendWindow(header);
    entry::sendCreate(send);
    EXPECT_EQ(entry::sendPost(send), 255);
    return sim.sendHeader(send).value_or("(closed)");
  }
};

TEST_F(SendPost, AHeaderWithoutTheFieldGetsItBeforeItsLastField) {
  EXPECT_EQ(post("From: a@b\r\nSubject: hi\r\n"), "From: a@b\r\nX-Mailer-Plugin: " + kStamp + "\r\nSubject: hi\r\n");
  EXPECT_EQ(sim.sendSetHeaderCalls(), 1);
}

TEST_F(SendPost, AnotherPluginsOnlyLineGetsACommaAndAContinuationLine) {
  EXPECT_EQ(post("To: c\r\nX-Mailer-Plugin: Other Ver.1\r\nSubject: s\r\n"),
            "To: c\r\nX-Mailer-Plugin: Other Ver.1,\r\n\t" + kStamp + "\r\nSubject: s\r\n");
}

TEST_F(SendPost, AnOlderGleanixIsBroughtUpToDateKeepingATrailingComma) {
  EXPECT_EQ(post("X-Mailer-Plugin: Gleanix Ver.0.02 Rev.05\r\nTo: c\r\n"),
            "X-Mailer-Plugin: " + kStamp + "\r\nTo: c\r\n");
  EXPECT_EQ(post("X-Mailer-Plugin: Gleanix Ver.0.02 Rev.05,\r\n\tOther 1\r\n"),
            "X-Mailer-Plugin: " + kStamp + ",\r\n\tOther 1\r\n");
}

TEST_F(SendPost, ALowerCaseFieldNameIsExtendedAndKeptAsWritten) {
  EXPECT_EQ(post("x-mailer-plugin: Other\r\n"), "x-mailer-plugin: Other,\r\n\t" + kStamp + "\r\n");
}

TEST_F(SendPost, PostingTwiceHandsTheHeaderBackOnlyOnce) {
  const sys::WindowHandle send = sim.openSendWindow("From: a\r\nTo: b\r\n");
  EXPECT_EQ(entry::sendPost(send), 255);
  const std::string once = *sim.sendHeader(send);
  EXPECT_EQ(entry::sendPost(send), 255);
  EXPECT_EQ(*sim.sendHeader(send), once);
  EXPECT_EQ(sim.sendSetHeaderCalls(), 1);
}

TEST_F(SendPost, TheCurrentStampIsNotHandedBack) {
  for (const std::string& header :
       {"X-Mailer-Plugin: " + kStamp + "\r\n", "X-Mailer-Plugin: " + kStamp + ", Other 2\r\n",
        "X-Mailer-Plugin: Other,\r\n\t" + kStamp + "\r\n"}) {
    EXPECT_EQ(post(header), header);
  }
  EXPECT_EQ(sim.sendSetHeaderCalls(), 0);
}

TEST_F(PluginTest, WithTheStampSwitchedOffTheHeaderIsNotTouched) {
  fs->addFile(kSettingsFile, "Header\\X-Mailer-Plugin=Boolean:False\r\n");
  ASSERT_EQ(startUp(), 255);
  const sys::WindowHandle send = sim.openSendWindow("From: a\r\n");
  EXPECT_EQ(entry::sendPost(send), 255);
  EXPECT_EQ(*sim.sendHeader(send), "From: a\r\n");
  EXPECT_EQ(sim.sendSetHeaderCalls(), 0);
}

TEST_F(PluginTest, NothingHappensWhileNotStarted) {
  const sys::WindowHandle send = sim.openSendWindow("From: a\r\n");
  EXPECT_EQ(entry::sendPost(send), 255);
  EXPECT_EQ(sim.sendSetHeaderCalls(), 0);
  entry::folderCreate(sim.mainWindow());
  entry::viewCreate(0x777);
  EXPECT_EQ(core::threadState().mainWindow, 0u);
  EXPECT_EQ(core::threadState().viewWindow, 0u);
  entry::cleanUp();
}

TEST(EntryTexts, NamesAndTextsAreFixedAndNeverNull) {
  EXPECT_STREQ(entry::plugName(), "Gleanix");
  EXPECT_STREQ(entry::versionText(), "Ver.0.03 Rev.10");
  ASSERT_NE(entry::neverPrecede(), nullptr);
  ASSERT_NE(entry::neverFollow(), nullptr);
  EXPECT_STREQ(entry::neverPrecede(), "");
  EXPECT_STREQ(entry::neverFollow(), "");
}

TEST_F(PluginTest, FolderCreateRecordsTheMainWindowForTheProcessAndThisThread) {
  ASSERT_EQ(startUp(), 255);
  entry::folderCreate(0x5000);
  EXPECT_EQ(started().mainWindow(), 0x5000u);
  EXPECT_EQ(core::threadState().mainWindow, 0x5000u);

  sys::WindowHandle otherThreadsMain = 1;
  std::thread([&] {
    entry::folderCreate(0x6000);
    otherThreadsMain = core::threadState().mainWindow;
  }).join();
  EXPECT_EQ(otherThreadsMain, 0x6000u);
  EXPECT_EQ(started().mainWindow(), 0x6000u);  // the last one wins for the process
  EXPECT_EQ(core::threadState().mainWindow, 0x5000u);
}

TEST_F(PluginTest, EachThreadKeepsItsOwnWindowState) {
  ASSERT_EQ(startUp(), 255);
  entry::viewCreate(0x100);
  entry::sendCreate(0x200);
  core::threadState().ownMailChange = true;
  core::threadState().mailingListNumber = "[ml:1]";

  std::atomic<bool> recorded{false};
  std::atomic<bool> restarted{false};
  core::ThreadWindowState seenFresh;
  core::ThreadWindowState seenAfterRestart;
  bool flagAfterLoad = true;
  std::thread other([&] {
    seenFresh = core::threadState();  // a new thread starts from zero
    entry::viewCreate(0x300);
    core::threadState().ownMailChange = true;
    recorded = true;
    while (!restarted) std::this_thread::yield();
    seenAfterRestart = core::threadState();
    entry::viewLoadMail();
    flagAfterLoad = core::threadState().ownMailChange;
  });
  while (!recorded) std::this_thread::yield();
  // Start-up resets the calling thread's flag only.
  ASSERT_EQ(startUp(), 255);
  restarted = true;
  other.join();

  EXPECT_EQ(seenFresh.viewWindow, 0u);
  EXPECT_EQ(seenFresh.sendWindow, 0u);
  EXPECT_FALSE(seenFresh.ownMailChange);
  EXPECT_TRUE(seenFresh.mailingListNumber.empty());
  EXPECT_EQ(seenAfterRestart.viewWindow, 0x300u);
  EXPECT_TRUE(seenAfterRestart.ownMailChange);
  EXPECT_FALSE(flagAfterLoad);  // APCViewLoadMail ends an own mail change

  EXPECT_EQ(core::threadState().viewWindow, 0x100u);
  EXPECT_EQ(core::threadState().sendWindow, 0x200u);
  EXPECT_FALSE(core::threadState().ownMailChange);
  EXPECT_EQ(core::threadState().mailingListNumber, "[ml:1]");
}

}  // namespace
}  // namespace gleanix::testing
