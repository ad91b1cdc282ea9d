// Message boxes that other code (a desktop object of its own, as the
// plug-in's) shows on a thread of the host's desktop: each is recorded
// with its caption, text, icon and owner, and answered with the queued
// result, or stays open until an answer comes.

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "backend/win32/win32_desktop.h"

namespace gleanix::backend {
namespace {

// A form of the host's desktop on a thread of its own, on which the
// plug-in's desktop shows message boxes one after another.
class BoxThread {
 public:
  BoxThread(Win32Desktop& host, std::function<void(sys::WindowHandle)> shows) {
    thread_ = std::thread([&host, shows = std::move(shows)] {
      sys::WindowSpec spec;
      spec.kind = sys::ControlKind::Form;
      spec.className = "TBoxOwnerForm";
      spec.text = "持ち主";
      spec.bounds = {40, 40, 240, 160};
      const sys::WindowHandle form = host.createWindow(spec, nullptr);
      host.setVisible(form, true);
      shows(form);
      host.destroyWindow(form);
    });
  }
  ~BoxThread() { join(); }
  void join() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::thread thread_;
};

TEST(Win32MessageBoxes, QueuedAnswersPressTheButtonsAndEachBoxIsRecorded) {
  Win32Desktop host;
  host.watchMessageBoxes();
  host.answerMessageBox(sys::result::No);
  host.answerMessageBox(sys::result::Ok);
  host.answerMessageBox(sys::result::Cancel);
  host.answerMessageBox(sys::result::Yes);
  host.answerMessageBox(sys::result::Ok);
  std::vector<int> results;
  sys::WindowHandle owner = 0;
  {
    BoxThread t(host, [&](sys::WindowHandle form) {
      owner = form;
      Win32Desktop plugin;
      results.push_back(plugin.messageBox(form, "置換しますか？", "置換", sys::MessageIcon::Question,
                                          sys::MessageButtons::YesNoCancel));
      results.push_back(plugin.messageBox(form, "一行目\r\n二行目", "エラー", sys::MessageIcon::Error,
                                          sys::MessageButtons::Ok));
      results.push_back(plugin.messageBox(form, "注意", "確認", sys::MessageIcon::Warning,
                                          sys::MessageButtons::OkCancel));
      results.push_back(plugin.messageBox(form, "開きますか？", "[qml:00005]", sys::MessageIcon::Information,
                                          sys::MessageButtons::YesNo));
      results.push_back(plugin.messageBox(form, "アイコンなし", "情報", sys::MessageIcon::None,
                                          sys::MessageButtons::Ok));
    });
  }
  EXPECT_EQ(results, (std::vector<int>{sys::result::No, sys::result::Ok, sys::result::Cancel, sys::result::Yes,
                                       sys::result::Ok}));
  const auto seen = host.takeMessageBoxes();
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0].caption, "置換");
  EXPECT_EQ(seen[0].text, "置換しますか？");
  EXPECT_EQ(seen[1].text, "一行目\r\n二行目");
  EXPECT_EQ(seen[3].caption, "[qml:00005]");
  const sys::MessageIcon icons[] = {sys::MessageIcon::Question, sys::MessageIcon::Error, sys::MessageIcon::Warning,
                                    sys::MessageIcon::Information, sys::MessageIcon::None};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].icon, icons[i]) << i;
    EXPECT_EQ(seen[i].owner, owner) << i;
  }
  EXPECT_TRUE(host.takeMessageBoxes().empty());  // each box is told once
}

TEST(Win32MessageBoxes, ABoxWithoutAQueuedAnswerWaitsForOne) {
  Win32Desktop host;
  host.watchMessageBoxes();
  std::atomic<int> result{-1};
  BoxThread t(host, [&](sys::WindowHandle form) {
    Win32Desktop plugin;
    result = plugin.messageBox(form, "見つかりませんでした", "検索", sys::MessageIcon::Information,
                               sys::MessageButtons::Ok);
  });
  std::vector<HostDesktop::MessageBoxSeen> seen;
  for (int i = 0; i < 500 && seen.empty(); ++i) {
    Sleep(10);
    seen = host.takeMessageBoxes();
  }
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "見つかりませんでした");
  Sleep(100);
  EXPECT_EQ(result.load(), -1);  // still open
  host.answerMessageBox(sys::result::Ok);
  t.join();
  EXPECT_EQ(result.load(), sys::result::Ok);
}

TEST(Win32MessageBoxes, OtherDialogsAndUnwatchedDesktopsAreLeftAlone) {
  Win32Desktop quiet;  // not watching: nothing recorded, the answer not kept
  quiet.answerMessageBox(sys::result::Ok);
  EXPECT_TRUE(quiet.takeMessageBoxes().empty());

  Win32Desktop host;
  host.watchMessageBoxes();
  Win32Desktop second;
  second.watchMessageBoxes();  // one watcher a process: the first one keeps it
  host.answerMessageBox(sys::result::Ok);
  int result = 0;
  {
    BoxThread t(host, [&](sys::WindowHandle form) {
      result = second.messageBox(form, "本文", "題", sys::MessageIcon::None, sys::MessageButtons::Ok);
    });
  }
  EXPECT_EQ(result, sys::result::Ok);
  EXPECT_EQ(host.takeMessageBoxes().size(), 1u);
  EXPECT_TRUE(second.takeMessageBoxes().empty());
}

}  // namespace
}  // namespace gleanix::backend
