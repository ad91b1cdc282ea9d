#include "native_ui.h"

#include <cstring>
#include <functional>

namespace gleanix::testing {

std::string wineDrivePath(std::string unixPath) {
  for (char& c : unixPath) {
    if (c == '/') c = '\\';
  }
  return "Z:" + unixPath;
}

void clickAt(HWND window, POINT p, UINT down, UINT up, WPARAM keys) {
  PostMessageA(window, up, keys, MAKELPARAM(p.x, p.y));
  const WPARAM button = down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON;
  SendMessageA(window, down, button | keys, MAKELPARAM(p.x, p.y));
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void pump(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

std::optional<RECT> treeLabelRect(HWND tree, HTREEITEM item) {
  TreeView_EnsureVisible(tree, item);
  // TVM_GETITEMRECT takes the item in the rectangle.
  RECT label{};
  std::memcpy(&label, &item, sizeof item);
  if (!SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label))) return std::nullopt;
  return label;
}

POINT treeLabelPoint(HWND tree, HTREEITEM item) {
  const RECT label = treeLabelRect(tree, item).value_or(RECT{});
  return {label.left + 3, (label.top + label.bottom) / 2};
}

std::optional<POINT> treeStateIconPoint(HWND tree, HTREEITEM item) {
  const std::optional<RECT> found = treeLabelRect(tree, item);
  if (!found) return std::nullopt;
  const RECT label = *found;
  const int y = (label.top + label.bottom) / 2;
  for (int x = 0; x < label.left; ++x) {
    TVHITTESTINFO info{};
    info.pt = {x, y};
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    if (info.hItem == item && (info.flags & TVHT_ONITEMSTATEICON)) return POINT{x + 2, y};
  }
  return std::nullopt;
}

std::string treeItemText(HWND tree, HTREEITEM item) {
  char buf[512] = {};
  TVITEMA it{};
  it.mask = TVIF_TEXT | TVIF_HANDLE;
  it.hItem = item;
  it.pszText = buf;
  it.cchTextMax = sizeof(buf);
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
  return buf;
}

HTREEITEM findTreeItem(HWND tree, const std::vector<std::string>& captions) {
  std::function<HTREEITEM(HTREEITEM)> walk = [&](HTREEITEM first) -> HTREEITEM {
    for (HTREEITEM it = first; it; it = TreeView_GetNextSibling(tree, it)) {
      bool match = true;
      HTREEITEM at = it;
      for (auto c = captions.rbegin(); c != captions.rend() && match; ++c) {
        match = at && treeItemText(tree, at) == *c;
        at = at ? TreeView_GetParent(tree, at) : nullptr;
      }
      if (match) return it;
      if (HTREEITEM below = walk(TreeView_GetChild(tree, it))) return below;
    }
    return nullptr;
  };
  return walk(TreeView_GetRoot(tree));
}

std::string listCellText(HWND list, int row, int column) {
  char buf[1024] = {};
  LVITEMA it{};
  it.iSubItem = column;
  it.pszText = buf;
  it.cchTextMax = sizeof(buf);
  const LRESULT n = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
  return std::string(buf, static_cast<std::size_t>(n > 0 ? n : 0));
}

namespace {

std::string gMenuChoice;
int gMenuTicks = 0;

VOID CALLBACK chooseMenuItem(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menuWindow = FindWindowA("#32768", nullptr);
  if (!menuWindow || !IsWindowVisible(menuWindow)) {
    if (++gMenuTicks > 100) KillTimer(nullptr, id);  // no menu came
    return;
  }
  KillTimer(nullptr, id);
  constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, kGetMenu, 0, 0));
  // The keys move over every item but separators; the first press selects
  // the first item.
  int presses = 0;
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof(mi);
    mi.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mi);
    if (mi.fType & MFT_SEPARATOR) continue;
    ++presses;
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text) - 1, MF_BYPOSITION);
    if (gMenuChoice == text) {
      for (int k = 0; k < presses; ++k) PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
      return;
    }
  }
  PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
}

struct Waiting {
  std::string className;
  std::function<void(HWND)> action;
  UINT_PTR timer = 0;
};
std::vector<Waiting> gWaiting;

VOID CALLBACK runWaiting(HWND, UINT, UINT_PTR id, DWORD) {
  for (std::size_t i = 0; i < gWaiting.size(); ++i) {
    if (gWaiting[i].timer != id) continue;
    HWND window = FindWindowA(gWaiting[i].className.c_str(), nullptr);
    if (!window || !IsWindowVisible(window)) return;
    KillTimer(nullptr, id);
    const std::function<void(HWND)> action = std::move(gWaiting[i].action);
    gWaiting.erase(gWaiting.begin() + static_cast<std::ptrdiff_t>(i));
    action(window);
    return;
  }
}

}  // namespace

void chooseMenuItemSoon(const std::string& text) {
  gMenuChoice = text;
  gMenuTicks = 0;
  SetTimer(nullptr, 0, 100, chooseMenuItem);
}

void whenShown(const char* className, std::function<void(HWND)> action) {
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, runWaiting);
  gWaiting.push_back({className, std::move(action), timer});
}

namespace {

struct Search {
  const char* className;
  const char* caption;
  HWND found = nullptr;
};

BOOL CALLBACK matchChild(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  if (lstrcmpiA(cls, s->className) != 0) return TRUE;
  if (s->caption) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    if (std::strcmp(text, s->caption) != 0) return TRUE;
  }
  s->found = hwnd;
  return FALSE;
}

}  // namespace

HWND findDescendant(HWND parent, const char* className, const char* caption) {
  Search s{className, caption};
  EnumChildWindows(parent, matchChild, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace gleanix::testing
