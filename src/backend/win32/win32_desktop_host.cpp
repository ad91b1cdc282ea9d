// The Win32 desktop's bars, hooks and host side: menu bars, get-message
// hooks (WH_GETMESSAGE) kept as one chain per thread, toolbars
// (ToolbarWindow32), window icons (WM_SETICON), and what the simulated host
// does with its own windows: posted messages and keys, message loops, the
// wait for its other threads.

#include "backend/win32/win32_desktop.h"

#include <commctrl.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace gleanix::backend {
namespace {

HWND hw(sys::WindowHandle w) { return reinterpret_cast<HWND>(w); }
HMENU hm(sys::MenuHandle m) { return reinterpret_cast<HMENU>(m); }

// --- the hook chains, one real hook per thread with hooks

struct ChainLink {
  sys::HookHandle handle = 0;
  sys::MessageHookProc proc;
};

struct HookChain {
  HHOOK real = nullptr;
  std::vector<ChainLink> links;  // newest first
};

std::mutex gHookMutex;
std::map<DWORD, HookChain> gChains;
std::atomic<sys::HookHandle> gNextHook{1};
thread_local bool tPassedOn = false;

LRESULT CALLBACK getMessageHook(int code, WPARAM wp, LPARAM lp) {
  HHOOK real = nullptr;
  sys::MessageHookProc first;
  {
    std::lock_guard<std::mutex> lock(gHookMutex);
    auto it = gChains.find(GetCurrentThreadId());
    if (it != gChains.end()) {
      real = it->second.real;
      if (!it->second.links.empty()) first = it->second.links.front().proc;
    }
  }
  // Peeked messages stay in the queue and come again: only taken ones count.
  if (code != HC_ACTION || wp != PM_REMOVE || !first) return CallNextHookEx(real, code, wp, lp);
  const MSG& m = *reinterpret_cast<const MSG*>(lp);
  const sys::Message message{reinterpret_cast<sys::WindowHandle>(m.hwnd), m.message, m.wParam, m.lParam};
  tPassedOn = false;
  first(sys::kHookAction, message);
  return tPassedOn ? CallNextHookEx(real, code, wp, lp) : 0;
}

HMODULE hookModule() {
  HMODULE m = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&getMessageHook), &m);
  return m;
}

// Private messages of the host's windows.
constexpr UINT kPostedKey = WM_APP + 0x3F01;    // wParam: virtual key, lParam: sys::ShiftState
constexpr UINT kReleaseKeys = WM_APP + 0x3F02;  // the modifiers of a posted key go up again
constexpr UINT kSync = WM_APP + 0x3F03;         // lParam: an event to set

void setModifiers(unsigned shift) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  auto set = [&](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
  set(VK_SHIFT, shift & sys::kShift);
  set(VK_LSHIFT, shift & sys::kShift);
  set(VK_CONTROL, shift & sys::kCtrl);
  set(VK_LCONTROL, shift & sys::kCtrl);
  set(VK_MENU, shift & sys::kAlt);
  set(VK_LMENU, shift & sys::kAlt);
  SetKeyboardState(state);
}

}  // namespace

// --- menus

sys::MenuItem Win32Desktop::menuItem(sys::MenuHandle menu, int position) const {
  char buf[256] = {};
  MENUITEMINFOA mi{};
  mi.cbSize = sizeof(mi);
  mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
  mi.dwTypeData = buf;
  mi.cch = sizeof(buf) - 1;
  if (!GetMenuItemInfoA(hm(menu), static_cast<UINT>(position), TRUE, &mi)) return {};
  sys::MenuItem item;
  item.separator = (mi.fType & MFT_SEPARATOR) != 0;
  item.text = item.separator ? std::string() : std::string(buf);
  item.id = static_cast<int>(mi.wID);
  item.subMenu = reinterpret_cast<sys::MenuHandle>(mi.hSubMenu);
  item.enabled = (mi.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
  item.isDefault = (mi.fState & MFS_DEFAULT) != 0;
  return item;
}

sys::MenuHandle Win32Desktop::createMenuBar() { return reinterpret_cast<sys::MenuHandle>(CreateMenu()); }

void Win32Desktop::setMenuBar(sys::WindowHandle w, sys::MenuHandle bar) {
  SetMenu(hw(w), hm(bar));
  DrawMenuBar(hw(w));
}

sys::MenuHandle Win32Desktop::menuBar(sys::WindowHandle w) const {
  return reinterpret_cast<sys::MenuHandle>(GetMenu(hw(w)));
}

// --- threads and hooks

std::uint32_t Win32Desktop::currentThreadId() const { return GetCurrentThreadId(); }

std::uint32_t Win32Desktop::threadId(sys::WindowHandle w) const {
  return IsWindow(hw(w)) ? GetWindowThreadProcessId(hw(w), nullptr) : 0;
}

sys::HookHandle Win32Desktop::setMessageHook(std::uint32_t thread, sys::MessageHookProc proc) {
  if (!proc || thread == 0) return 0;
  std::lock_guard<std::mutex> lock(gHookMutex);
  HookChain& chain = gChains[thread];
  if (!chain.real) {
    chain.real = SetWindowsHookExA(WH_GETMESSAGE, &getMessageHook, hookModule(), thread);
    if (!chain.real) {
      gChains.erase(thread);
      return 0;
    }
  }
  const sys::HookHandle h = gNextHook++;
  chain.links.insert(chain.links.begin(), ChainLink{h, std::move(proc)});
  return h;
}

void Win32Desktop::removeMessageHook(sys::HookHandle hook) {
  std::lock_guard<std::mutex> lock(gHookMutex);
  for (auto it = gChains.begin(); it != gChains.end(); ++it) {
    auto& links = it->second.links;
    for (auto l = links.begin(); l != links.end(); ++l) {
      if (l->handle != hook) continue;
      links.erase(l);
      if (links.empty()) {
        UnhookWindowsHookEx(it->second.real);
        gChains.erase(it);
      }
      return;
    }
  }
}

void Win32Desktop::callNextHook(sys::HookHandle hook, int code, const sys::Message& message) {
  sys::MessageHookProc next;
  {
    std::lock_guard<std::mutex> lock(gHookMutex);
    auto it = gChains.find(GetCurrentThreadId());
    if (it == gChains.end()) return;
    const auto& links = it->second.links;
    std::size_t i = 0;
    while (i < links.size() && links[i].handle != hook) ++i;
    if (i == links.size()) return;
    if (i + 1 == links.size()) {
      tPassedOn = true;  // the end of our chain: on to the system's next hook
      return;
    }
    next = links[i + 1].proc;
  }
  next(code, message);
}

// --- toolbars

void Win32Desktop::toolbarSetButtonRecordSize(sys::WindowHandle toolbar, int bytes) {
  SendMessageA(hw(toolbar), TB_BUTTONSTRUCTSIZE, static_cast<WPARAM>(bytes), 0);
}

sys::ImageListHandle Win32Desktop::toolbarImageList(sys::WindowHandle toolbar) const {
  return static_cast<sys::ImageListHandle>(SendMessageA(hw(toolbar), TB_GETIMAGELIST, 0, 0));
}

void Win32Desktop::toolbarSetImageList(sys::WindowHandle toolbar, sys::ImageListHandle images) {
  SendMessageA(hw(toolbar), TB_SETIMAGELIST, 0, static_cast<LPARAM>(images));
}

bool Win32Desktop::toolbarAddButtons(sys::WindowHandle toolbar, const std::vector<sys::ToolButton>& buttons) {
  std::vector<TBBUTTON> records;
  for (const sys::ToolButton& b : buttons) {
    TBBUTTON t{};
    t.iBitmap = b.image;
    t.idCommand = b.command;
    t.fsState = b.state;
    t.fsStyle = b.style;
    t.iString = -1;
    records.push_back(t);
  }
  const bool added = SendMessageA(hw(toolbar), TB_ADDBUTTONSA, records.size(),
                                  reinterpret_cast<LPARAM>(records.data())) != FALSE;
  SendMessageA(hw(toolbar), TB_AUTOSIZE, 0, 0);
  return added;
}

bool Win32Desktop::toolbarChangeBitmap(sys::WindowHandle toolbar, int command, int image) {
  return SendMessageA(hw(toolbar), TB_CHANGEBITMAP, static_cast<WPARAM>(command), MAKELPARAM(image, 0)) != FALSE;
}

std::vector<sys::ToolButton> Win32Desktop::toolbarButtons(sys::WindowHandle toolbar) const {
  std::vector<sys::ToolButton> out;
  const int n = static_cast<int>(SendMessageA(hw(toolbar), TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    TBBUTTON t{};
    if (!SendMessageA(hw(toolbar), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t))) continue;
    out.push_back({t.iBitmap, t.idCommand, t.fsState, t.fsStyle});
  }
  return out;
}

// --- icons

void Win32Desktop::setWindowIcon(sys::WindowHandle w, const sys::Bitmap& image, sys::Color transparent, bool big) {
  const sys::ImageListHandle list = createImageList(image.width, image.height);
  HICON icon = nullptr;
  if (imageListAdd(list, image, transparent) >= 0) icon = ImageList_GetIcon(reinterpret_cast<HIMAGELIST>(list), 0, ILD_NORMAL);
  destroyImageList(list);
  if (!icon) return;
  const auto old = reinterpret_cast<HICON>(
      SendMessageA(hw(w), WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  std::lock_guard<std::recursive_mutex> lock(recordsMutex_);
  icons_.insert(icon);
  if (old && icons_.erase(old)) DestroyIcon(old);
}

// --- the host's side

void Win32Desktop::postMessage(const sys::Message& m) {
  PostMessageA(hw(m.window), m.message, m.wParam, m.lParam);
}

void Win32Desktop::postWhenWaiting(const sys::Message& m) {
  auto* copy = new sys::Message(m);
  if (!PostMessageA(hw(m.window), kWhenWaitingMessage, 0, reinterpret_cast<LPARAM>(copy))) delete copy;
}

void Win32Desktop::postKey(sys::WindowHandle w, int virtualKey, unsigned shift) {
  PostMessageA(hw(w), kPostedKey, static_cast<WPARAM>(virtualKey), static_cast<LPARAM>(shift));
}

bool Win32Desktop::handleHostMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kPostedKey:
      // The thread's key state shows the modifiers while the key goes
      // through the queue (hooks, the form, the control), then lets go.
      setModifiers(static_cast<unsigned>(lp));
      PostMessageA(hwnd, WM_KEYDOWN, wp, 1);
      PostMessageA(hwnd, kReleaseKeys, 0, 0);
      return true;
    case kReleaseKeys:
      setModifiers(0);
      return true;
    case kHoldKeysMessage:
      setModifiers(static_cast<unsigned>(lp));
      return true;
    case WM_ENTERIDLE:
      if (wp != MSGF_MENU || menuShot_.empty()) return false;
      takeMenuShot(hwnd);
      return true;
    case kSync:
      SetEvent(reinterpret_cast<HANDLE>(lp));
      return true;
    case kWhenWaitingMessage: {
      const std::unique_ptr<sys::Message> m(reinterpret_cast<sys::Message*>(lp));
      SendMessageA(hwnd, m->message, m->wParam, m->lParam);
      return true;
    }
    default:
      return false;
  }
}

void Win32Desktop::runMessageLoop(const std::function<bool()>& finished) {
  MSG msg;
  while (!finished()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got < 0) return;
    if (preTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Win32Desktop::waitForIdle() {
  // One window of every other thread this desktop made windows on, and of
  // every thread that has windows of another module built from this code
  // (the plug-in's, which outlive the host window of their thread).
  std::map<DWORD, HWND> threads;
  {
    std::lock_guard<std::recursive_mutex> lock(recordsMutex_);
    for (const auto& [hwnd, rec] : records_) {
      const DWORD t = GetWindowThreadProcessId(hwnd, nullptr);
      if (t != GetCurrentThreadId() && rec->kind == sys::ControlKind::Form) threads.emplace(t, hwnd);
    }
  }
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
    DWORD process = 0;
    const DWORD t = GetWindowThreadProcessId(top, &process);
    if (process == GetCurrentProcessId() && t != GetCurrentThreadId() && GetPropA(top, kRecordProperty)) {
      threads.emplace(t, top);
    }
  }
  // Several rounds: a message handled in one round may post another (a
  // posted key posts its WM_KEYDOWN, a hook posts a command), which the
  // next round waits for. Under Wine the display's focus events come back
  // a little later than the activation that caused them, and a late one
  // raises its window again: a short pause, then two rounds more, let them
  // all arrive and be handled before the windows are looked at.
  for (int round = 0; round < 6; ++round) {
    if (round == 4) {
      const DWORD end = GetTickCount() + 30;
      for (LONG left; (left = static_cast<LONG>(end - GetTickCount())) > 0;) {
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT) == WAIT_OBJECT_0) {
          processPendingMessages();
        }
      }
    }
    for (const auto& [thread, hwnd] : threads) {
      HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
      // Answered once the thread waits for messages, not while it is busy
      // letting its messages run.
      auto* sync = new sys::Message{reinterpret_cast<sys::WindowHandle>(hwnd), kSync, 0,
                                    reinterpret_cast<std::intptr_t>(done)};
      if (!PostMessageA(hwnd, kWhenWaitingMessage, 0, reinterpret_cast<LPARAM>(sync))) {
        delete sync;
        CloseHandle(done);
        continue;
      }
      DWORD woke;
      while ((woke = MsgWaitForMultipleObjects(1, &done, FALSE, 5000, QS_ALLINPUT)) == WAIT_OBJECT_0 + 1) {
        processPendingMessages();
      }
      // A thread that did not answer in time may still set the event later:
      // its handle then stays open rather than be reused.
      if (woke == WAIT_OBJECT_0) CloseHandle(done);
    }
    processPendingMessages();
  }
}

void Win32Desktop::passTime(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds) + 50;
  for (;;) {
    const auto left = static_cast<LONG>(end - GetTickCount());
    if (left <= 0) break;
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT) == WAIT_OBJECT_0) {
      processPendingMessages();
    }
  }
  processPendingMessages();
  waitForIdle();
}

std::vector<sys::WindowHandle> Win32Desktop::children(sys::WindowHandle w) const {
  std::vector<sys::WindowHandle> out;
  for (HWND c = GetWindow(hw(w), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    out.push_back(reinterpret_cast<sys::WindowHandle>(c));
  }
  return out;
}

// Names belong to the desktop that made the window; real windows have none.
std::string Win32Desktop::controlName(sys::WindowHandle) const { return {}; }

std::vector<sys::TreeItem> Win32Desktop::treeChildren(sys::WindowHandle tree, sys::TreeItem parent) const {
  std::vector<sys::TreeItem> out;
  auto item = static_cast<sys::TreeItem>(SendMessageA(hw(tree), TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT,
                                                      static_cast<LPARAM>(parent)));
  while (item) {
    out.push_back(item);
    item = static_cast<sys::TreeItem>(SendMessageA(hw(tree), TVM_GETNEXTITEM, TVGN_NEXT, static_cast<LPARAM>(item)));
  }
  return out;
}

sys::Color Win32Desktop::listBackground(sys::WindowHandle list) const {
  return static_cast<sys::Color>(SendMessageA(hw(list), LVM_GETBKCOLOR, 0, 0));
}

// Read from the font object the control draws with, whoever created it.
sys::Font Win32Desktop::controlFont(sys::WindowHandle w) const {
  auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(hw(w), WM_GETFONT, 0, 0));
  if (!font) font = GetStockObject(SYSTEM_FONT);
  LOGFONTA lf{};
  GetObjectA(font, sizeof(lf), &lf);
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  sys::Font f;
  f.name = lf.lfFaceName;
  f.size = MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, dpi);
  f.bold = lf.lfWeight >= FW_BOLD;
  f.italic = lf.lfItalic != 0;
  f.underline = lf.lfUnderline != 0;
  f.strikeout = lf.lfStrikeOut != 0;
  char cls[32] = {};
  GetClassNameA(hw(w), cls, sizeof(cls));
  if (lstrcmpA(cls, WC_LISTVIEWA) == 0) f.color = static_cast<sys::Color>(SendMessageA(hw(w), LVM_GETTEXTCOLOR, 0, 0));
  return f;
}

bool Win32Desktop::userKey(sys::WindowHandle w, int virtualKey, unsigned shift) {
  postKey(w, virtualKey, shift);
  return true;
}

}  // namespace gleanix::backend
