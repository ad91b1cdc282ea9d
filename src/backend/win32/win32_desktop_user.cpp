// The user's hand on real controls, as the simulated host's script drives
// them: mouse presses posted at the item's rectangle (found with the
// controls' own LVM_/TVM_/HDM_ queries) into the queue of the control's own
// thread, the modifier keys held in that thread while they go through, the
// row menu's item chosen with the keys a user would press in it, and
// screenshots of what the front window shows.

#include "backend/win32/win32_desktop.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "backend/win32/win32_desktop_png.h"

namespace gleanix::backend {
namespace {

HWND hw(sys::WindowHandle w) { return reinterpret_cast<HWND>(w); }

LPARAM pointParam(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

// Input reaches a control only while it and its window are shown and enabled
// (a modal dialog disables its owner).
bool takesInput(HWND w) {
  const HWND root = GetAncestor(w, GA_ROOT);
  return IsWindow(w) && IsWindowVisible(w) && IsWindowEnabled(w) && IsWindowEnabled(root);
}

// After a message sent to a window of another thread, that thread's loop
// looks at its state again (a modal result set by a click).
void wake(HWND w) {
  if (GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId()) PostMessageA(GetAncestor(w, GA_ROOT), WM_NULL, 0, 0);
}

void post(HWND w, UINT message, WPARAM wp, POINT p) { PostMessageA(w, message, wp, pointParam(p)); }

// A point inside the row's first cell, the row scrolled into view first.
bool rowPoint(HWND list, int row, POINT& out) {
  if (row < 0 || row >= static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0))) return false;
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RECT r{};
  r.left = LVIR_LABEL;
  if (!SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r))) return false;
  out = {r.left + 4, (r.top + r.bottom) / 2};
  return true;
}

// --- the row menu: the item is chosen when the menu comes up

std::mutex gMenuMutex;
std::map<DWORD, std::string> gMenuAnswers;  // per thread: the item to choose in its next popup
std::map<DWORD, HHOOK> gMenuHooks;

std::string itemText(HMENU menu, int position, bool& separator, bool& enabled) {
  char buf[256] = {};
  MENUITEMINFOA mi{};
  mi.cbSize = sizeof(mi);
  mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
  mi.dwTypeData = buf;
  mi.cch = sizeof(buf) - 1;
  separator = false;
  enabled = false;
  if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &mi)) return {};
  separator = (mi.fType & MFT_SEPARATOR) != 0;
  enabled = (mi.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
  return separator ? std::string() : std::string(buf);
}

// Down arrows to the item (the menu's own keyboard handling passes over
// separators only), then Enter; Escape when the menu lacks the item or it
// is disabled. Messages that wait for a waiting loop (the script's next
// line) are moved behind the keys, so that the menu takes the keys first.
void chooseWithKeys(HWND owner, HMENU menu, const std::string& wanted) {
  int steps = 0;
  bool found = false;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count && !found; ++i) {
    bool separator = false;
    bool enabled = false;
    const std::string text = itemText(menu, i, separator, enabled);
    if (separator) continue;
    ++steps;
    found = text == wanted && enabled;
  }
  std::vector<MSG> held;
  MSG m;
  while (PeekMessageA(&m, nullptr, Win32Desktop::kWhenWaitingMessage, Win32Desktop::kWhenWaitingMessage, PM_REMOVE)) {
    held.push_back(m);
  }
  if (found) {
    for (int i = 0; i < steps; ++i) PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(owner, WM_CHAR, '\r', 1);
  } else {
    PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 1);
  }
  for (const MSG& h : held) PostMessageA(h.hwnd, h.message, h.wParam, h.lParam);
}

LRESULT CALLBACK menuHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const auto& c = *reinterpret_cast<const CWPSTRUCT*>(lp);
    if (c.message == WM_INITMENUPOPUP && HIWORD(c.lParam) == 0) {
      std::string wanted;
      bool pending = false;
      {
        std::lock_guard<std::mutex> lock(gMenuMutex);
        auto it = gMenuAnswers.find(GetCurrentThreadId());
        if (it != gMenuAnswers.end()) {
          wanted = it->second;
          pending = true;
          gMenuAnswers.erase(it);
        }
      }
      if (pending) chooseWithKeys(c.hwnd, reinterpret_cast<HMENU>(c.wParam), wanted);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

bool answerNextMenu(DWORD thread, const std::string& item) {
  std::lock_guard<std::mutex> lock(gMenuMutex);
  if (!gMenuHooks.count(thread)) {
    HHOOK h = SetWindowsHookExA(WH_CALLWNDPROC, &menuHook, nullptr, thread);
    if (!h) return false;
    gMenuHooks[thread] = h;
  }
  gMenuAnswers[thread] = item;
  return true;
}

// What a screenshot shows of a window: its menu bar and client area. The
// caption and frame are left out: on a display without a window manager
// nothing draws them.
RECT shownPart(HWND w) {
  RECT r{};
  if (!GetClientRect(w, &r)) return r;
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  MENUBARINFO bar{};
  bar.cbSize = sizeof(bar);
  if (GetMenu(w) && GetMenuBarInfo(w, OBJID_MENU, 0, &bar) && bar.rcBar.bottom > bar.rcBar.top) {
    r.top = std::min(r.top, bar.rcBar.top);
  }
  return r;
}

// ... with every popup menu open on the screen.
RECT withOpenMenus(RECT r) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof(cls));
    if (std::string(cls) != "#32768" || !IsWindowVisible(w)) continue;
    RECT m;
    if (GetWindowRect(w, &m)) UnionRect(&r, &r, &m);
  }
  return r;
}

// Lets what was drawn reach the screen before it is read back.
void letDrawingShow() {
  const DWORD end = GetTickCount() + 150;
  for (LONG left; (left = static_cast<LONG>(end - GetTickCount())) > 0;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_PAINT);
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&m);
  }
}

}  // namespace

void Win32Desktop::holdKeys(HWND w, unsigned shift) { PostMessageA(w, kHoldKeysMessage, 0, static_cast<LPARAM>(shift)); }

bool Win32Desktop::userClick(sys::WindowHandle w) {
  if (!takesInput(hw(w))) return false;
  SendMessageA(hw(w), BM_CLICK, 0, 0);
  wake(hw(w));
  return true;
}

bool Win32Desktop::userType(sys::WindowHandle w, const std::string& text) {
  if (!takesInput(hw(w))) return false;
  const bool typed = SetWindowTextA(hw(w), text.c_str()) != FALSE;
  // A combo box tells its parent of text set this way no change; typing
  // into it does.
  char cls[32] = {};
  GetClassNameA(hw(w), cls, sizeof(cls));
  if (typed && lstrcmpiA(cls, "ComboBox") == 0) {
    SendMessageA(GetParent(hw(w)), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hw(w)), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(hw(w)));
  }
  wake(hw(w));
  return typed;
}

bool Win32Desktop::userPick(sys::WindowHandle combo, int index) {
  if (!takesInput(hw(combo))) return false;
  if (SendMessageA(hw(combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR) return false;
  SendMessageA(GetParent(hw(combo)), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hw(combo)), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(hw(combo)));
  wake(hw(combo));
  return true;
}

bool Win32Desktop::userClickTreeState(sys::WindowHandle tree, sys::TreeItem item) {
  HWND t = hw(tree);
  if (!takesInput(t) || !item) return false;
  const auto h = reinterpret_cast<HTREEITEM>(item);
  SendMessageA(t, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(h));
  // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
  RECT r{};
  std::memcpy(&r, &h, sizeof(h));
  if (!SendMessageA(t, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) return false;
  // The check box sits left of the item's text: find it by the control's
  // own hit test along the row's middle.
  const int y = (r.top + r.bottom) / 2;
  int first = -1;
  int last = -1;
  for (int x = 0; x < r.left; ++x) {
    TVHITTESTINFO info{};
    info.pt = {x, y};
    SendMessageA(t, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    if (info.hItem == h && (info.flags & TVHT_ONITEMSTATEICON)) {
      if (first < 0) first = x;
      last = x;
    }
  }
  if (first < 0) return false;
  const POINT p{(first + last) / 2, y};
  post(t, WM_LBUTTONDOWN, MK_LBUTTON, p);
  post(t, WM_LBUTTONUP, 0, p);
  return true;
}

bool Win32Desktop::userSelectTreeItem(sys::WindowHandle tree, sys::TreeItem item) {
  HWND t = hw(tree);
  if (!takesInput(t) || !item) return false;
  // Selecting by message tells the tree's parent of the change, as a click
  // on the label does.
  const bool selected = SendMessageA(t, TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(item)) != FALSE;
  wake(t);
  return selected;
}

bool Win32Desktop::userClickHeader(sys::WindowHandle header, int section) {
  HWND h = hw(header);
  if (!takesInput(h) || section < 0 || section >= static_cast<int>(SendMessageA(h, HDM_GETITEMCOUNT, 0, 0))) {
    return false;
  }
  RECT r{};
  if (!SendMessageA(h, HDM_GETITEMRECT, static_cast<WPARAM>(section), reinterpret_cast<LPARAM>(&r))) return false;
  const POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  post(h, WM_LBUTTONDOWN, MK_LBUTTON, p);
  post(h, WM_LBUTTONUP, 0, p);
  return true;
}

bool Win32Desktop::userSelectRows(sys::WindowHandle list, const std::vector<int>& rows) {
  HWND l = hw(list);
  if (!takesInput(l)) return false;
  const bool multi = (GetWindowLongA(l, GWL_STYLE) & LVS_SINGLESEL) == 0;
  if (rows.size() > 1 && !multi) return false;
  std::vector<POINT> points;
  for (int row : rows) {
    POINT p;
    if (!rowPoint(l, row, p)) return false;
    points.push_back(p);
  }
  // The first row by a plain click, which drops the rest of the selection;
  // the others with Ctrl held. No rows: Ctrl+click on each selected one.
  std::vector<int> toggled;
  if (rows.empty()) {
    for (int r = -1; (r = static_cast<int>(SendMessageA(l, LVM_GETNEXTITEM, static_cast<WPARAM>(r), LVNI_SELECTED))) >= 0;) {
      toggled.push_back(r);
    }
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    // Each row is scrolled into view as it is clicked.
    POINT p;
    if (!rowPoint(l, rows[i], p)) return false;
    const WPARAM keys = i == 0 ? 0 : MK_CONTROL;
    if (keys) holdKeys(l, sys::kCtrl);
    post(l, WM_LBUTTONDOWN, MK_LBUTTON | keys, p);
    post(l, WM_LBUTTONUP, keys, p);
    if (keys) holdKeys(l, 0);
  }
  for (int row : toggled) {
    POINT p;
    if (!rowPoint(l, row, p)) return false;
    holdKeys(l, sys::kCtrl);
    post(l, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, p);
    post(l, WM_LBUTTONUP, MK_CONTROL, p);
    holdKeys(l, 0);
  }
  return true;
}

bool Win32Desktop::userDoubleClickRow(sys::WindowHandle list, int row, unsigned shift) {
  HWND l = hw(list);
  POINT p;
  if (!takesInput(l) || !rowPoint(l, row, p)) return false;
  // The modifiers are held in the list's thread while the presses go
  // through; the presses themselves carry none, so that they do not widen
  // the selection.
  holdKeys(l, shift);
  post(l, WM_LBUTTONDOWN, MK_LBUTTON, p);
  post(l, WM_LBUTTONUP, 0, p);
  post(l, WM_LBUTTONDBLCLK, MK_LBUTTON, p);
  post(l, WM_LBUTTONUP, 0, p);
  holdKeys(l, 0);
  return true;
}

// The menu comes up once the list's thread takes the press, after this
// returns; an item it lacks (or a disabled one) closes it unchosen.
bool Win32Desktop::userRowMenu(sys::WindowHandle list, int row, const std::string& item) {
  HWND l = hw(list);
  POINT p;
  if (!takesInput(l) || item.empty() || !rowPoint(l, row, p)) return false;
  if (!answerNextMenu(GetWindowThreadProcessId(l, nullptr), item)) return false;
  // Only the press: the menu opens on it, and a release would land in the
  // open menu.
  post(l, WM_RBUTTONDOWN, MK_RBUTTON, p);
  return true;
}

bool Win32Desktop::saveScreenshot(const std::string& file) {
  waitForIdle();
  letDrawingShow();
  HWND front = GetForegroundWindow();
  RECT r{};
  if (front) r = shownPart(front);
  if (IsRectEmpty(&r)) GetWindowRect(GetDesktopWindow(), &r);
  return saveScreenPng(withOpenMenus(r), file);
}

bool Win32Desktop::saveMenuScreenshot(sys::WindowHandle w, int barPosition, const std::string& file) {
  HWND form = hw(w);
  const HMENU bar = GetMenu(form);
  if (!takesInput(form) || !bar || GetWindowThreadProcessId(form, nullptr) != GetCurrentThreadId()) return false;
  bool separator = false;
  bool enabled = false;
  const std::string text = itemText(bar, barPosition, separator, enabled);
  const std::size_t amp = text.find('&');
  if (separator || !enabled || amp == std::string::npos || amp + 1 >= text.size()) return false;
  // The key of the item's "&" letter, as Alt+letter gives it.
  const auto key = static_cast<WPARAM>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
  SetForegroundWindow(form);
  waitForIdle();
  letDrawingShow();
  // The menu runs its own loop inside this call; the form takes the shot
  // once the loop waits with the popup open (WM_ENTERIDLE) and ends it.
  menuShot_ = file;
  menuShotTaken_ = false;
  SendMessageA(form, WM_SYSCOMMAND, SC_KEYMENU, key);
  menuShot_.clear();
  return menuShotTaken_;
}

void Win32Desktop::takeMenuShot(HWND owner) {
  if (menuShot_.empty()) return;
  letDrawingShow();
  menuShotTaken_ = saveScreenPng(withOpenMenus(shownPart(owner)), menuShot_);
  menuShot_.clear();
  EndMenu();
}

}  // namespace gleanix::backend
