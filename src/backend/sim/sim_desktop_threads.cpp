// The simulated desktop's threads: one message queue per thread, the
// get-message hooks that see what a thread takes from its queue, message
// loops and the wait until every loop has run dry.

#include <stdexcept>

#include "backend/sim/sim_desktop.h"

namespace gleanix::backend {

namespace {
constexpr std::uint32_t kTimerMessage = 0x0113;  // WM_TIMER: wParam = the timer id
}  // namespace

SimDesktop::Lock::Lock(const SimDesktop& d) : d_(d), owns_(d.holder_.load() != std::this_thread::get_id()) {
  if (!owns_) return;
  d_.mutex_.lock();
  d_.holder_.store(std::this_thread::get_id());
}

SimDesktop::Lock::~Lock() {
  if (!owns_) return;
  d_.holder_.store(std::thread::id());
  d_.mutex_.unlock();
}

SimDesktop::Unlock::Unlock(const SimDesktop& d) : d_(d), held_(d.holder_.load() == std::this_thread::get_id()) {
  if (!held_) return;
  d_.holder_.store(std::thread::id());
  d_.mutex_.unlock();
}

SimDesktop::Unlock::~Unlock() {
  if (!held_) return;
  d_.mutex_.lock();
  d_.holder_.store(std::this_thread::get_id());
}

void SimDesktop::waitLocked(const std::function<bool()>& ready) {
  if (holder_.load() != std::this_thread::get_id()) throw std::logic_error("simulated desktop: wait without the lock");
  std::unique_lock<std::mutex> held(mutex_, std::adopt_lock);
  holder_.store(std::thread::id());
  changed_.wait(held, ready);
  holder_.store(std::this_thread::get_id());
  held.release();
}

std::uint32_t SimDesktop::threadOf(std::thread::id id) const {
  auto it = threadIds_.find(id);
  if (it != threadIds_.end()) return it->second;
  const auto number = static_cast<std::uint32_t>(threadIds_.size() + 1);
  threadIds_.emplace(id, number);
  return number;
}

std::uint32_t SimDesktop::currentThreadId() const {
  Lock lock(*this);
  return threadOf(std::this_thread::get_id());
}

std::uint32_t SimDesktop::threadId(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? p->threadId : 0;
}

// --- queues

void SimDesktop::enqueue(std::uint32_t thread, SimQueuedMessage m) {
  queues_[thread].push_back(std::move(m));
  changed_.notify_all();
}

void SimDesktop::postMessage(const sys::Message& message) {
  Lock lock(*this);
  // A message for no window stays with the thread that posted it.
  const SimWindow* p = find(message.window);
  enqueue(p ? p->threadId : threadOf(std::this_thread::get_id()), {message, 0});
}

void SimDesktop::postWhenWaiting(const sys::Message& message) {
  Lock lock(*this);
  const SimWindow* p = find(message.window);
  enqueue(p ? p->threadId : threadOf(std::this_thread::get_id()), {message, 0, true});
}

void SimDesktop::postKey(sys::WindowHandle w, int virtualKey, unsigned shift) {
  Lock lock(*this);
  const SimWindow* p = find(w);
  if (!p) return;
  enqueue(p->threadId, {{w, sys::msg::KeyDown, static_cast<std::uintptr_t>(virtualKey), 0}, shift});
}

std::size_t SimDesktop::queuedMessages(std::uint32_t thread) const {
  Lock lock(*this);
  auto it = queues_.find(thread);
  return it == queues_.end() ? 0 : it->second.size();
}

bool SimDesktop::dispatchNext(bool waiting) {
  const std::uint32_t me = threadOf(std::this_thread::get_id());
  auto& queue = queues_[me];
  auto next = queue.begin();
  while (next != queue.end() && next->whenWaiting && !waiting) ++next;
  if (next == queue.end()) return false;
  const SimQueuedMessage m = *next;
  queue.erase(next);
  changed_.notify_all();

  // A key comes with the modifier keys its sender held down.
  const bool key = m.message.message == sys::msg::KeyDown;
  const std::map<int, bool> savedKeys = keys_;
  if (key) {
    keys_[sys::vk::Shift] = (m.shift & sys::kShift) != 0;
    keys_[sys::vk::Control] = (m.shift & sys::kCtrl) != 0;
    keys_[sys::vk::Menu] = (m.shift & sys::kAlt) != 0;
  }
  runHooks(me, m.message);
  dispatch(m);
  if (key) keys_ = savedKeys;
  return true;
}

void SimDesktop::dispatch(const SimQueuedMessage& q) {
  const sys::Message& m = q.message;
  sys::Event e;
  switch (m.message) {
    case sys::msg::Command:
      e.type = sys::EventType::Command;
      e.id = static_cast<int>(m.wParam);
      deliver(m.window, e);
      break;
    case sys::msg::KeyDown:
      if (isWindow(m.window)) keyDown(m.window, static_cast<int>(m.wParam));
      break;
    case sys::msg::Close:
      if (SimWindow* p = findKind(m.window, sys::ControlKind::Form)) {
        if (!p->sink) {
          destroyWindow(m.window);
          break;
        }
        e.type = sys::EventType::Close;
        deliver(m.window, e);
      }
      break;
    case kTimerMessage:
      if (timers_.count({m.window, static_cast<int>(m.wParam)})) {
        e.type = sys::EventType::Timer;
        e.id = static_cast<int>(m.wParam);
        deliver(m.window, e);
      }
      break;
    default:
      break;
  }
}

// --- hooks

sys::HookHandle SimDesktop::setMessageHook(std::uint32_t thread, sys::MessageHookProc proc) {
  Lock lock(*this);
  bool known = false;
  for (const auto& [id, number] : threadIds_) known = known || number == thread;
  if (!known || !proc) return 0;
  const sys::HookHandle h = nextHandle_++;
  hooks_.insert(hooks_.begin(), Hook{h, thread, std::move(proc)});
  return h;
}

void SimDesktop::removeMessageHook(sys::HookHandle hook) {
  Lock lock(*this);
  for (auto it = hooks_.begin(); it != hooks_.end(); ++it) {
    if (it->handle == hook) {
      hooks_.erase(it);
      return;
    }
  }
}

void SimDesktop::callHook(std::size_t index, int code, const sys::Message& m) {
  const sys::MessageHookProc proc = hooks_[index].proc;
  Unlock unlocked(*this);
  proc(code, m);
}

void SimDesktop::runHooks(std::uint32_t thread, const sys::Message& m) {
  for (std::size_t i = 0; i < hooks_.size(); ++i) {
    if (hooks_[i].thread == thread) {
      callHook(i, sys::kHookAction, m);
      return;
    }
  }
}

void SimDesktop::callNextHook(sys::HookHandle hook, int code, const sys::Message& m) {
  Lock lock(*this);
  std::size_t i = 0;
  while (i < hooks_.size() && hooks_[i].handle != hook) ++i;
  if (i == hooks_.size()) return;
  const std::uint32_t thread = hooks_[i].thread;
  for (++i; i < hooks_.size(); ++i) {
    if (hooks_[i].thread == thread) {
      callHook(i, code, m);
      return;
    }
  }
}

// --- loops

void SimDesktop::runMessageLoop(const std::function<bool()>& finished) {
  Lock lock(*this);
  const std::uint32_t me = threadOf(std::this_thread::get_id());
  ++looping_[me];
  struct Leave {
    SimDesktop& d;
    std::uint32_t me;
    ~Leave() {
      if (--d.looping_[me] == 0) d.looping_.erase(me);
      d.changed_.notify_all();
    }
  } leave{*this, me};
  auto done = [&] {
    Unlock unlocked(*this);
    return finished();
  };
  while (!done()) {
    if (dispatchNext(true)) continue;
    waiting_.insert(me);
    changed_.notify_all();
    waitLocked([&] { return !queues_[me].empty(); });
    waiting_.erase(me);
  }
}

void SimDesktop::waitForIdle() {
  Lock lock(*this);
  const std::uint32_t me = threadOf(std::this_thread::get_id());
  auto othersIdle = [&] {
    for (const auto& [thread, depth] : looping_) {
      if (thread == me) continue;
      if (!waiting_.count(thread) || !queues_[thread].empty()) return false;
    }
    return true;
  };
  for (;;) {
    waitLocked(othersIdle);
    if (!dispatchNext()) return;
    while (dispatchNext()) {
    }
  }
}

void SimDesktop::passTime(int milliseconds) {
  {
    Lock lock(*this);
    for (const auto& [key, interval] : timers_) {
      if (interval > milliseconds) continue;
      const SimWindow* p = find(key.first);
      if (p) enqueue(p->threadId, {{key.first, kTimerMessage, static_cast<std::uintptr_t>(key.second), 0}, 0});
    }
  }
  waitForIdle();
}

}  // namespace gleanix::backend
