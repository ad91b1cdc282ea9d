// The simulated desktop with windows on several threads: queues belong to
// the window's thread, get-message hooks see what their thread takes and
// pass it on, loops wait and wake, and the idle wait covers every loop.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "backend/sim/sim_desktop.h"

namespace {

using namespace gleanix;
using backend::SimDesktop;

class Recorder : public sys::EventSink {
 public:
  void handleEvent(sys::Event& e) override {
    if (e.type == sys::EventType::Command) commands.push_back(e.id);
    if (e.type == sys::EventType::KeyDown) keys.push_back(e.key);
    if (e.type == sys::EventType::Close) ++closes;
  }
  std::vector<int> commands, keys;
  int closes = 0;
};

sys::WindowHandle form(SimDesktop& d, sys::EventSink* sink) {
  sys::WindowSpec spec;
  spec.kind = sys::ControlKind::Form;
  spec.className = "TTest";
  spec.bounds = {0, 0, 200, 100};
  const sys::WindowHandle w = d.createWindow(spec, sink);
  d.setVisible(w, true);
  return w;
}

TEST(SimDesktopHooks, SeeTakenMessagesNewestFirstAndOnlyWhatIsPassedOn) {
  SimDesktop d;
  Recorder sink;
  const sys::WindowHandle w = form(d, &sink);
  std::vector<std::string> seen;
  sys::HookHandle older = 0, newer = 0;
  older = d.setMessageHook(d.threadId(w), [&](int code, const sys::Message& m) {
    seen.push_back("older " + std::to_string(m.message) + " " + std::to_string(m.wParam));
    d.callNextHook(older, code, m);
  });
  bool passOn = true;
  newer = d.setMessageHook(d.currentThreadId(), [&](int code, const sys::Message& m) {
    EXPECT_EQ(code, sys::kHookAction);
    seen.push_back("newer");
    if (passOn) d.callNextHook(newer, code, m);
  });
  ASSERT_NE(older, 0u);
  ASSERT_NE(newer, 0u);

  d.postCommand(w, 7);
  d.processPendingMessages();
  EXPECT_EQ(seen, (std::vector<std::string>{"newer", "older 273 7"}));
  EXPECT_EQ(sink.commands, std::vector<int>{7});  // dispatched after the hooks

  seen.clear();
  passOn = false;
  ASSERT_TRUE(d.pressKey(w, 'F'));  // input is seen too
  EXPECT_EQ(seen, std::vector<std::string>{"newer"});
  EXPECT_EQ(sink.keys, std::vector<int>{'F'});

  seen.clear();
  d.removeMessageHook(newer);
  d.postCommand(w, 8);
  d.processPendingMessages();
  EXPECT_EQ(seen, std::vector<std::string>{"older 273 8"});
  EXPECT_EQ(d.setMessageHook(99, [](int, const sys::Message&) {}), 0u);  // no such thread
}

TEST(SimDesktopHooks, PostedKeyCarriesItsModifiersOnlyWhileItIsTaken) {
  SimDesktop d;
  Recorder sink;
  const sys::WindowHandle w = form(d, &sink);
  std::vector<bool> ctrlInHook;
  sys::HookHandle h = 0;
  h = d.setMessageHook(d.currentThreadId(), [&](int code, const sys::Message& m) {
    if (m.message == sys::msg::KeyDown) ctrlInHook.push_back(d.isKeyDown(sys::vk::Control));
    d.callNextHook(h, code, m);
  });
  d.postKey(w, 'F', sys::kCtrl);
  d.postKey(w, sys::vk::F3, 0);
  d.processPendingMessages();
  EXPECT_EQ(ctrlInHook, (std::vector<bool>{true, false}));
  EXPECT_EQ(sink.keys, (std::vector<int>{'F', sys::vk::F3}));
  EXPECT_FALSE(d.isKeyDown(sys::vk::Control));
}

TEST(SimDesktopThreads, MessagesRunOnTheWindowsOwnThreadAndIdleWaitCoversThem) {
  SimDesktop d;
  Recorder mainSink, viewSink;
  const sys::WindowHandle mainWindow = form(d, &mainSink);
  std::atomic<sys::WindowHandle> view{0};
  std::atomic<bool> quit{false};
  std::atomic<std::uint32_t> hookThread{0};
  std::thread::id commandThread;
  struct ThreadSink : Recorder {
    std::thread::id* where;
    void handleEvent(sys::Event& e) override {
      if (e.type == sys::EventType::Command) *where = std::this_thread::get_id();
      Recorder::handleEvent(e);
    }
  } threadSink;
  threadSink.where = &commandThread;

  std::thread viewThread([&] {
    const sys::WindowHandle w = form(d, &threadSink);
    sys::HookHandle h = 0;
    h = d.setMessageHook(d.currentThreadId(), [&](int code, const sys::Message& m) {
      hookThread = d.currentThreadId();
      d.callNextHook(h, code, m);
    });
    // Announced from inside the loop, so that the idle wait counts it.
    d.runMessageLoop([&] {
      if (!view.load()) {
        view = w;
        d.postMessage({mainWindow, 0, 0, 0});  // wakes the main loop
      }
      return quit.load();
    });
    d.removeMessageHook(h);
  });
  d.runMessageLoop([&] { return view.load() != 0; });
  EXPECT_NE(d.threadId(view), d.threadId(mainWindow));

  d.postCommand(view, 5);
  d.waitForIdle();
  EXPECT_EQ(threadSink.commands, std::vector<int>{5});
  EXPECT_EQ(hookThread.load(), d.threadId(view));
  EXPECT_NE(commandThread, std::this_thread::get_id());
  EXPECT_TRUE(mainSink.commands.empty());

  quit = true;
  d.postMessage({view, 0, 0, 0});
  viewThread.join();
}

TEST(SimDesktopThreads, PostedCloseReachesTheFormAndTimersFireWhenTimePasses) {
  SimDesktop d;
  struct TimerSink : Recorder {
    std::vector<int> timers;
    void handleEvent(sys::Event& e) override {
      if (e.type == sys::EventType::Timer) timers.push_back(e.id);
      Recorder::handleEvent(e);
    }
  } sink;
  const sys::WindowHandle w = form(d, &sink);
  d.postMessage({w, sys::msg::Close, 0, 0});
  d.setTimer(w, 1, 500);
  d.setTimer(w, 2, 5000);
  d.passTime(600);
  EXPECT_EQ(sink.closes, 1);
  EXPECT_EQ(sink.timers, std::vector<int>{1});
}

TEST(SimDesktopThreads, LiveModalRunTakesPostedMessagesUntilFinished) {
  SimDesktop d;
  d.setLive(true);
  bool finished = false;
  struct Finisher : sys::EventSink {
    bool* flag;
    void handleEvent(sys::Event& e) override {
      if (e.type == sys::EventType::Command && e.id == 2) *flag = true;
    }
  } sink;
  sink.flag = &finished;
  const sys::WindowHandle dialog = form(d, &sink);
  d.setVisible(dialog, false);
  d.postCommand(dialog, 1);
  d.postCommand(dialog, 2);
  d.postCommand(dialog, 3);
  d.runModal(dialog, [&] { return finished; });
  EXPECT_TRUE(finished);
  EXPECT_EQ(d.queuedMessages(d.currentThreadId()), 1u);  // the run ended at the finishing message
}

TEST(SimDesktopThreads, MessagePostedForAWaitingLoopWaitsOutPendingWork) {
  SimDesktop d;
  Recorder sink;
  const sys::WindowHandle w = form(d, &sink);
  d.postWhenWaiting({w, sys::msg::Command, 1, 0});
  d.postCommand(w, 2);
  d.processPendingMessages();
  d.waitForIdle();
  EXPECT_EQ(sink.commands, std::vector<int>{2});  // passed over, kept in the queue
  d.runMessageLoop([&] { return sink.commands.size() == 2; });
  EXPECT_EQ(sink.commands, (std::vector<int>{2, 1}));
}

TEST(SimDesktopThreads, ClickFromAnotherThreadWakesTheButtonsLoop) {
  SimDesktop d;
  Recorder mainSink;
  const sys::WindowHandle mainWindow = form(d, &mainSink);
  struct ClickSink : sys::EventSink {
    std::atomic<bool> clicked{false};
    void handleEvent(sys::Event& e) override {
      if (e.type == sys::EventType::Click) clicked = true;
    }
  } buttonSink;
  std::atomic<sys::WindowHandle> button{0};
  std::atomic<bool> ended{false};
  std::thread dialogThread([&] {
    Recorder dialogSink;
    const sys::WindowHandle dialog = form(d, &dialogSink);
    sys::WindowSpec spec;
    spec.kind = sys::ControlKind::Button;
    spec.parent = dialog;
    spec.bounds = {8, 8, 75, 25};
    const sys::WindowHandle b = d.createWindow(spec, &buttonSink);
    // As a modal run looks at its result: only when a message comes.
    d.runMessageLoop([&] {
      if (!button.load()) {
        button = b;
        d.postMessage({mainWindow, 0, 0, 0});
      }
      return buttonSink.clicked.load();
    });
    ended = true;
  });
  d.runMessageLoop([&] { return button.load() != 0; });
  ASSERT_TRUE(d.click(button));
  for (int i = 0; i < 200 && !ended; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(ended.load());
  if (!ended) {
    buttonSink.clicked = true;
    d.postMessage({button.load(), 0, 0, 0});
  }
  dialogThread.join();
}

}  // namespace
