// Message boxes on the host's threads, seen and answered. The plug-in is a
// library of its own with its own desktop object, so its MessageBox calls
// never pass through this desktop: a computer-based-training hook
// (WH_CBT) on every thread this desktop makes forms on catches each
// message box ("#32770" with only static texts, an icon and push buttons)
// as it is first activated, records its caption, text, icon and owner, and
// presses the button of the answer queued for it. A box for which no
// answer is queued stays open until one comes. A colour chooser takes the
// colour queued for it through the same hook (win32_desktop_choosers.h);
// one with none queued is left to the user.

#include "backend/win32/win32_desktop.h"
#include "backend/win32/win32_desktop_choosers.h"

#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

namespace gleanix::backend {

struct Win32BoxWatch {
  std::mutex mutex;
  std::map<DWORD, HHOOK> hooks;       // window thread -> its hook
  std::deque<int> answers;            // for the boxes still to come
  std::set<HWND> known;               // boxes recorded, until destroyed
  std::vector<HWND> waiting;          // recorded boxes with no answer yet, oldest first
  std::vector<HostDesktop::MessageBoxSeen> seen;
  std::deque<std::optional<sys::Color>> colors;  // for the colour choosers still to come
};

namespace {

// The one watching desktop's state: hook procedures have no context of
// their own.
std::mutex gWatchMutex;
Win32BoxWatch* gWatch = nullptr;

std::string windowText(HWND h) {
  const int n = GetWindowTextLengthA(h);
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  s.resize(static_cast<std::size_t>(GetWindowTextA(h, s.data(), n + 1)));
  return s;
}

std::string classOf(HWND h) {
  char buf[64] = {};
  GetClassNameA(h, buf, sizeof(buf));
  return buf;
}

sys::MessageIcon iconOf(HICON icon) {
  if (!icon) return sys::MessageIcon::None;
  const std::pair<LPCSTR, sys::MessageIcon> known[] = {{IDI_HAND, sys::MessageIcon::Error},
                                                       {IDI_QUESTION, sys::MessageIcon::Question},
                                                       {IDI_EXCLAMATION, sys::MessageIcon::Warning},
                                                       {IDI_ASTERISK, sys::MessageIcon::Information}};
  for (const auto& [id, which] : known) {
    if (LoadIconA(nullptr, id) == icon) return which;
  }
  return sys::MessageIcon::None;
}

// What a message box shows; false when the dialog is some other one (a
// font or colour dialog is "#32770" too).
bool readBox(HWND box, HostDesktop::MessageBoxSeen& out) {
  if (classOf(box) != "#32770") return false;
  bool anyButton = false;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const std::string cls = classOf(c);
    const LONG style = GetWindowLongA(c, GWL_STYLE);
    if (lstrcmpiA(cls.c_str(), "Button") == 0) {
      const LONG kind = style & BS_TYPEMASK;
      if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) return false;
      anyButton = true;
    } else if (lstrcmpiA(cls.c_str(), "Static") == 0) {
      if ((style & SS_TYPEMASK) == SS_ICON) {
        // Not shown yet, so the style tells whether the box hides its icon.
        if (style & WS_VISIBLE) out.icon = iconOf(reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0)));
      } else if (out.text.empty()) {
        out.text = windowText(c);
      }
    } else {
      return false;
    }
  }
  if (!anyButton) return false;
  out.caption = windowText(box);
  const HWND owner = GetWindow(box, GW_OWNER);
  out.owner = reinterpret_cast<sys::WindowHandle>(owner);
  if (owner) out.ownerClass = classOf(owner);
  return true;
}

// The button's click as the box hears it from the button itself.
void press(HWND box, int result) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(result, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, result)));
}

LRESULT CALLBACK cbtHook(int code, WPARAM wp, LPARAM lp) {
  // A colour chooser's answer, filled in once the locks are let go: the
  // fields notify the dialog as they change.
  std::optional<std::optional<sys::Color>> color;
  const HWND h = reinterpret_cast<HWND>(wp);
  if (code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) {
    std::lock_guard<std::mutex> lock(gWatchMutex);
    if (Win32BoxWatch* watch = gWatch) {
      std::lock_guard<std::mutex> boxes(watch->mutex);
      if (code == HCBT_DESTROYWND) {
        watch->known.erase(h);
        watch->waiting.erase(std::remove(watch->waiting.begin(), watch->waiting.end(), h), watch->waiting.end());
      } else if (!watch->known.count(h)) {
        HostDesktop::MessageBoxSeen seen;
        if (readBox(h, seen)) {
          watch->known.insert(h);
          watch->seen.push_back(seen);
          if (watch->answers.empty()) {
            watch->waiting.push_back(h);
          } else {
            press(h, watch->answers.front());
            watch->answers.pop_front();
          }
        } else if (!watch->colors.empty() && isColorChooser(h)) {
          watch->known.insert(h);
          color = watch->colors.front();
          watch->colors.pop_front();
        }
      }
    }
  }
  if (color) answerColorChooser(h, *color);
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

void Win32Desktop::watchMessageBoxes() {
  {
    std::lock_guard<std::mutex> lock(gWatchMutex);
    if (gWatch) return;  // another desktop of this process watches already
    boxWatch_ = std::make_shared<Win32BoxWatch>();
    gWatch = boxWatch_.get();
  }
  watchThread(GetCurrentThreadId());
}

void Win32Desktop::watchThread(DWORD thread) {
  if (!boxWatch_) return;
  std::lock_guard<std::mutex> lock(boxWatch_->mutex);
  if (boxWatch_->hooks.count(thread)) return;
  // A hook for one thread of this process needs no module.
  if (HHOOK h = SetWindowsHookExA(WH_CBT, &cbtHook, nullptr, thread)) boxWatch_->hooks[thread] = h;
}

void Win32Desktop::unwatchMessageBoxes() {
  if (!boxWatch_) return;
  {
    std::lock_guard<std::mutex> lock(gWatchMutex);
    gWatch = nullptr;
  }
  // Hooks of threads that have ended are gone already; unhooking them fails harmlessly.
  for (const auto& [thread, hook] : boxWatch_->hooks) UnhookWindowsHookEx(hook);
  boxWatch_.reset();
}

void Win32Desktop::answerMessageBox(int result) {
  if (!boxWatch_) return;
  std::lock_guard<std::mutex> lock(boxWatch_->mutex);
  if (boxWatch_->waiting.empty()) {
    boxWatch_->answers.push_back(result);
    return;
  }
  press(boxWatch_->waiting.front(), result);
  boxWatch_->waiting.erase(boxWatch_->waiting.begin());
}

void Win32Desktop::answerColor(std::optional<sys::Color> color) {
  if (!boxWatch_) return;
  std::lock_guard<std::mutex> lock(boxWatch_->mutex);
  boxWatch_->colors.push_back(color);
}

std::vector<HostDesktop::MessageBoxSeen> Win32Desktop::takeMessageBoxes() {
  if (!boxWatch_) return {};
  std::lock_guard<std::mutex> lock(boxWatch_->mutex);
  std::vector<MessageBoxSeen> out;
  out.swap(boxWatch_->seen);
  return out;
}

}  // namespace gleanix::backend
