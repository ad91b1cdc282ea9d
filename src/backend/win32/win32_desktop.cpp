#include "backend/win32/win32_desktop.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

namespace gleanix::backend {
namespace {

constexpr const char* kPanelClass = "GleanixPanel";
constexpr const char* kSplitterClass = "GleanixSplitter";
constexpr const char* kRecordProp = Win32Desktop::kRecordProperty;

HWND hw(sys::WindowHandle w) { return reinterpret_cast<HWND>(w); }
sys::WindowHandle wh(HWND h) { return reinterpret_cast<sys::WindowHandle>(h); }

// The module that holds this code: window procedures registered with it
// live exactly as long as it.
HINSTANCE thisModule() {
  HMODULE m = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&Win32Desktop::windowProc), &m);
  return m;
}

DWORD formStyle(unsigned style) {
  return (style & sys::kSizeable) ? WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN
                                  : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
}

struct ChildClass {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

ChildClass childClass(sys::ControlKind kind, unsigned s) {
  const DWORD tab = WS_TABSTOP;
  switch (kind) {
    case sys::ControlKind::Label:
      return {"STATIC", SS_LEFT, 0};
    case sys::ControlKind::Button:
      return {"BUTTON", tab | ((s & sys::kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case sys::ControlKind::CheckBox:
      return {"BUTTON", tab | BS_CHECKBOX, 0};
    case sys::ControlKind::RadioButton:
      return {"BUTTON", tab | BS_RADIOBUTTON, 0};
    case sys::ControlKind::GroupBox:
    case sys::ControlKind::Panel:
      return {kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case sys::ControlKind::Splitter:
      return {kSplitterClass, 0, 0};
    case sys::ControlKind::Edit:
      return {"EDIT",
              tab | ES_AUTOHSCROLL | ((s & sys::kReadOnly) ? ES_READONLY : 0u) |
                  ((s & sys::kShowSelectionAlways) ? ES_NOHIDESEL : 0u),
              WS_EX_CLIENTEDGE};
    case sys::ControlKind::Memo:
      return {"EDIT",
              tab | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL |
                  ((s & sys::kNoWordWrap) ? ES_AUTOHSCROLL | WS_HSCROLL : 0u) |
                  ((s & sys::kReadOnly) ? ES_READONLY : 0u) | ((s & sys::kShowSelectionAlways) ? ES_NOHIDESEL : 0u),
              WS_EX_CLIENTEDGE};
    case sys::ControlKind::ComboBox:
      return {"COMBOBOX", tab | WS_VSCROLL | ((s & sys::kDropDownList) ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL),
              0};
    case sys::ControlKind::TreeView:
      return {WC_TREEVIEWA,
              tab | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  ((s & sys::kShowSelectionAlways) ? TVS_SHOWSELALWAYS : 0u) |
                  ((s & sys::kReadOnly) ? 0u : TVS_EDITLABELS),
              WS_EX_CLIENTEDGE};
    case sys::ControlKind::ListView:
      return {WC_LISTVIEWA,
              tab | LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_NOSORTHEADER |
                  ((s & sys::kOwnerData) ? LVS_OWNERDATA : 0u) |
                  ((s & sys::kMultiSelect) ? 0u : LVS_SINGLESEL) |
                  ((s & sys::kShowSelectionAlways) ? LVS_SHOWSELALWAYS : 0u) |
                  ((s & sys::kNoColumnHeader) ? LVS_NOCOLUMNHEADER : 0u) | ((s & sys::kReadOnly) ? 0u : LVS_EDITLABELS),
              WS_EX_CLIENTEDGE};
    case sys::ControlKind::Header:
      return {WC_HEADERA, HDS_HORZ | HDS_BUTTONS | HDS_FULLDRAG, 0};
    case sys::ControlKind::StatusBar:
      return {STATUSCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0};
    case sys::ControlKind::ProgressBar:
      return {PROGRESS_CLASSA, 0, 0};
    case sys::ControlKind::ToolBar:
      return {TOOLBARCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT, 0};
    case sys::ControlKind::Form:
      break;
  }
  return {kPanelClass, 0, 0};
}

BOOL CALLBACK collectTopLevel(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<sys::WindowHandle>*>(lp)->push_back(wh(hwnd));
  return TRUE;
}

BOOL CALLBACK collectChild(HWND hwnd, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
  return TRUE;
}

int showCommand(sys::ShowState s) {
  switch (s) {
    case sys::ShowState::Minimized: return SW_SHOWMINIMIZED;
    case sys::ShowState::Maximized: return SW_SHOWMAXIMIZED;
    case sys::ShowState::Normal: break;
  }
  return SW_SHOWNORMAL;
}

}  // namespace

Win32Desktop::Win32Desktop() : instance_(thisModule()) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                            ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  for (const char* name : {kPanelClass, kSplitterClass}) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(instance_, name, &wc)) continue;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Win32Desktop::windowProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
  }
}

Win32Desktop::~Win32Desktop() {
  unwatchMessageBoxes();
  std::vector<HWND> left;
  {
    std::lock_guard<std::recursive_mutex> lock(recordsMutex_);
    for (const auto& [hwnd, rec] : records_) {
      if (rec->kind == sys::ControlKind::Form) left.push_back(hwnd);
    }
  }
  for (HWND h : left) destroyWindow(wh(h));
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (HICON icon : icons_) DestroyIcon(icon);
  for (const std::string& name : formClasses_) UnregisterClassA(name.c_str(), instance_);
  UnregisterClassA(kPanelClass, instance_);
  UnregisterClassA(kSplitterClass, instance_);
}

Win32Desktop::Record* Win32Desktop::record(HWND hwnd) const {
  if (!hwnd) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(recordsMutex_);
  auto it = records_.find(hwnd);
  return it == records_.end() ? nullptr : it->second.get();
}

void Win32Desktop::registerFormClass(const std::string& name) {
  if (formClasses_.count(name)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &Win32Desktop::windowProc;
  wc.hInstance = instance_;
  wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name.c_str();
  RegisterClassExA(&wc);
  formClasses_.insert(name);
}

// --- windows

sys::WindowHandle Win32Desktop::createWindow(const sys::WindowSpec& spec, sys::EventSink* sink) {
  auto rec = std::make_unique<Record>();
  rec->desktop = this;
  rec->kind = spec.kind;
  rec->style = spec.style;
  rec->sink = sink;
  rec->dropDownCount = spec.dropDownCount;
  HWND hwnd = nullptr;
  if (spec.kind == sys::ControlKind::Form) {
    watchThread(GetCurrentThreadId());
    registerFormClass(spec.className);
    const DWORD style = formStyle(spec.style);
    const DWORD exStyle = WS_EX_CONTROLPARENT | ((spec.style & sys::kSizeable) ? 0u : WS_EX_DLGMODALFRAME);
    RECT r{spec.bounds.left, spec.bounds.top, spec.bounds.right, spec.bounds.bottom};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    const int dx = spec.bounds.left - r.left;
    const int dy = spec.bounds.top - r.top;
    hwnd = CreateWindowExA(exStyle, spec.className.c_str(), spec.text.c_str(), style, r.left + dx, r.top + dy,
                           r.right - r.left, r.bottom - r.top, hw(spec.parent), nullptr, instance_, rec.get());
  } else {
    const ChildClass c = childClass(spec.kind, spec.style);
    const sys::Rect& b = spec.bounds;
    int height = b.height();
    if (spec.kind == sys::ControlKind::ComboBox) height += spec.dropDownCount * 16 + 2;
    hwnd = CreateWindowExA(c.exStyle, c.className, spec.text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | c.style, b.left,
                           b.top, b.width(), height, hw(spec.parent),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextControlId_++)), instance_, rec.get());
    if (hwnd && (spec.kind == sys::ControlKind::ListView) && (spec.style & sys::kRowSelect)) {
      SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    }
    if (hwnd && spec.kind == sys::ControlKind::StatusBar) {
      SendMessageA(hwnd, SB_SIMPLE, TRUE, 0);
      rec->statusText = spec.text;
      SendMessageA(hwnd, SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(rec->statusText.c_str()));
    }
  }
  if (!hwnd) return 0;
  rec->hwnd = hwnd;
  Record* raw = rec.get();
  {
    std::lock_guard<std::recursive_mutex> lock(recordsMutex_);
    records_[hwnd] = std::move(rec);
  }
  SetPropA(hwnd, kRecordProp, raw);
  // Standard and common controls are subclassed to hear their mouse.
  const char* own[] = {kPanelClass, kSplitterClass};
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  const bool ours = spec.kind == sys::ControlKind::Form || lstrcmpiA(cls, own[0]) == 0 || lstrcmpiA(cls, own[1]) == 0;
  if (!ours) {
    raw->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Desktop::windowProc)));
  }
  raw->ready = true;
  return wh(hwnd);
}

void Win32Desktop::detachTree(HWND hwnd) {
  if (Record* r = record(hwnd)) r->sink = nullptr;
  std::vector<HWND> kids;
  EnumChildWindows(hwnd, collectChild, reinterpret_cast<LPARAM>(&kids));
  for (HWND k : kids) {
    if (Record* r = record(k)) r->sink = nullptr;
  }
}

void Win32Desktop::destroyWindow(sys::WindowHandle w) {
  HWND hwnd = hw(w);
  if (!IsWindow(hwnd)) return;
  // Owned forms go with their owner; none of them hears anything more.
  std::vector<HWND> owned;
  {
    std::lock_guard<std::recursive_mutex> lock(recordsMutex_);
    for (const auto& [h, rec] : records_) {
      if (rec->kind == sys::ControlKind::Form && GetWindow(h, GW_OWNER) == hwnd) owned.push_back(h);
    }
  }
  for (HWND h : owned) detachTree(h);
  detachTree(hwnd);
  DestroyWindow(hwnd);
}

bool Win32Desktop::isWindow(sys::WindowHandle w) const { return w && IsWindow(hw(w)); }

std::string Win32Desktop::className(sys::WindowHandle w) const {
  char buf[256] = {};
  const int n = GetClassNameA(hw(w), buf, sizeof(buf));
  return std::string(buf, n > 0 ? n : 0);
}

std::string Win32Desktop::text(sys::WindowHandle w) const {
  if (Record* r = record(w); r && r->kind == sys::ControlKind::StatusBar) return r->statusText;
  if (className(w) == STATUSCLASSNAMEA) {
    // Another module's status bar, as the control keeps its text: the
    // simple part (Wine keeps it as part 0), read as UTF-16 since the "A"
    // length counts characters rather than bytes there.
    for (const WPARAM part : {WPARAM{255}, WPARAM{0}}) {
      const int n = LOWORD(SendMessageW(hw(w), SB_GETTEXTLENGTHW, part, 0));
      if (n == 0) continue;
      std::wstring wide(static_cast<std::size_t>(n) + 1, L'\0');
      SendMessageW(hw(w), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(wide.data()));
      wide.resize(static_cast<std::size_t>(n));
      const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
      std::string s(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
      WideCharToMultiByte(CP_ACP, 0, wide.data(), n, s.data(), bytes, nullptr, nullptr);
      return s;
    }
    return {};
  }
  const int n = GetWindowTextLengthA(hw(w));
  if (n <= 0) return {};
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  const int got = GetWindowTextA(hw(w), s.data(), n + 1);
  s.resize(got > 0 ? got : 0);
  return s;
}

void Win32Desktop::setText(sys::WindowHandle w, const std::string& text) {
  Record* r = record(w);
  if (r) ++r->suppress;
  if (r && r->kind == sys::ControlKind::StatusBar) {
    r->statusText = text;
    SendMessageA(hw(w), SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(r->statusText.c_str()));
  } else if (r && r->kind == sys::ControlKind::ComboBox && (r->style & sys::kDropDownList)) {
    const LRESULT i = SendMessageA(hw(w), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(hw(w), CB_SETCURSEL, i == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(i), 0);
  } else {
    SetWindowTextA(hw(w), text.c_str());
  }
  if ((r = record(w))) --r->suppress;
}

std::uint32_t Win32Desktop::processId(sys::WindowHandle w) const {
  DWORD pid = 0;
  GetWindowThreadProcessId(hw(w), &pid);
  return pid;
}

std::uint32_t Win32Desktop::currentProcessId() const { return GetCurrentProcessId(); }

sys::WindowHandle Win32Desktop::parent(sys::WindowHandle w) const {
  if (!(GetWindowLongA(hw(w), GWL_STYLE) & WS_CHILD)) return 0;
  return wh(GetParent(hw(w)));
}

sys::WindowHandle Win32Desktop::owner(sys::WindowHandle w) const { return wh(GetWindow(hw(w), GW_OWNER)); }

std::vector<sys::WindowHandle> Win32Desktop::topLevelWindows() const {
  std::vector<sys::WindowHandle> out;
  EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&out));
  return out;
}

sys::WindowHandle Win32Desktop::firstChild(sys::WindowHandle w) const { return wh(GetWindow(hw(w), GW_CHILD)); }

sys::WindowHandle Win32Desktop::nextWindow(sys::WindowHandle w) const { return wh(GetWindow(hw(w), GW_HWNDNEXT)); }

sys::WindowHandle Win32Desktop::foregroundWindow() const { return wh(GetForegroundWindow()); }

// Also at the top of the Z order: without a window manager (Wine on a bare
// X display) activation alone leaves the stacking as it was.
void Win32Desktop::setForegroundWindow(sys::WindowHandle w) {
  SetForegroundWindow(hw(w));
  SetWindowPos(hw(w), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Desktop::setVisible(sys::WindowHandle w, bool visible) {
  Record* r = record(w);
  if (r && r->kind == sys::ControlKind::Form && visible) {
    const int cmd = r->pendingShow ? r->pendingShow : SW_SHOW;
    r->pendingShow = 0;
    ShowWindow(hw(w), cmd);
    return;
  }
  ShowWindow(hw(w), visible ? SW_SHOW : SW_HIDE);
}

bool Win32Desktop::isVisible(sys::WindowHandle w) const { return IsWindowVisible(hw(w)) != FALSE; }

void Win32Desktop::setEnabled(sys::WindowHandle w, bool enabled) {
  EnableWindow(hw(w), enabled ? TRUE : FALSE);
  if (Record* r = record(w); r && (r->kind == sys::ControlKind::Panel || r->kind == sys::ControlKind::GroupBox)) {
    InvalidateRect(hw(w), nullptr, TRUE);
  }
}

bool Win32Desktop::isEnabled(sys::WindowHandle w) const { return IsWindowEnabled(hw(w)) != FALSE; }

void Win32Desktop::setBounds(sys::WindowHandle w, const sys::Rect& r) {
  int height = r.height();
  if (Record* rec = record(w); rec && rec->kind == sys::ControlKind::ComboBox) {
    height += rec->dropDownCount * 16 + 2;  // the window's height sets the drop-down list's
  }
  MoveWindow(hw(w), r.left, r.top, r.width(), height, TRUE);
}

sys::Rect Win32Desktop::bounds(sys::WindowHandle w) const {
  RECT r{};
  GetWindowRect(hw(w), &r);
  if (HWND p = hw(parent(w))) MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

sys::Rect Win32Desktop::clientRect(sys::WindowHandle w) const {
  RECT r{};
  GetClientRect(hw(w), &r);
  return {0, 0, r.right - r.left, r.bottom - r.top};
}

sys::Point Win32Desktop::clientToScreen(sys::WindowHandle w, sys::Point p) const {
  POINT pt{p.x, p.y};
  ClientToScreen(hw(w), &pt);
  return {pt.x, pt.y};
}

HFONT Win32Desktop::fontHandle(const sys::Font& f) const {
  const auto key = std::make_tuple(f.name, f.size, f.bold, f.italic, f.underline, f.strikeout);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  HDC dc = GetDC(nullptr);
  const int height = -MulDiv(f.size, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(nullptr, dc);
  HFONT h = CreateFontA(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, f.underline, f.strikeout,
                        SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, f.name.c_str());
  fonts_[key] = h;
  return h;
}

void Win32Desktop::setFont(sys::WindowHandle w, const sys::Font& font) {
  Record* r = record(w);
  HFONT h = fontHandle(font);
  if (r) {
    r->font = h;
    r->textColor = font.color;
  }
  SendMessageA(hw(w), WM_SETFONT, reinterpret_cast<WPARAM>(h), TRUE);
  if (r && r->kind == sys::ControlKind::ListView) SendMessageA(hw(w), LVM_SETTEXTCOLOR, 0, font.color);
  if (r && r->kind == sys::ControlKind::TreeView) SendMessageA(hw(w), TVM_SETTEXTCOLOR, 0, font.color);
}

void Win32Desktop::setColor(sys::WindowHandle w, sys::Color background) {
  Record* r = record(w);
  if (!r) return;
  if (r->kind == sys::ControlKind::ListView) {
    SendMessageA(hw(w), LVM_SETBKCOLOR, 0, background);
    SendMessageA(hw(w), LVM_SETTEXTBKCOLOR, 0, background);
  } else if (r->kind == sys::ControlKind::TreeView) {
    SendMessageA(hw(w), TVM_SETBKCOLOR, 0, background);
  } else {
    if (r->brush) DeleteObject(r->brush);
    r->brush = CreateSolidBrush(background);
  }
  InvalidateRect(hw(w), nullptr, TRUE);
}

void Win32Desktop::setFocus(sys::WindowHandle w) { SetFocus(hw(w)); }

sys::WindowHandle Win32Desktop::focus() const { return wh(GetFocus()); }

void Win32Desktop::invalidate(sys::WindowHandle w) { InvalidateRect(hw(w), nullptr, TRUE); }

void Win32Desktop::setRedraw(sys::WindowHandle w, bool on) {
  SendMessageA(hw(w), WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) RedrawWindow(hw(w), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Win32Desktop::setCapture(sys::WindowHandle w) { SetCapture(hw(w)); }

void Win32Desktop::releaseCapture() { ReleaseCapture(); }

// --- placement

bool Win32Desktop::getPlacement(sys::WindowHandle w, sys::Placement& out) const {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  if (!GetWindowPlacement(hw(w), &wp)) return false;
  const RECT& n = wp.rcNormalPosition;
  out.normal = {n.left, n.top, n.right, n.bottom};
  out.state = wp.showCmd == SW_SHOWMINIMIZED ? sys::ShowState::Minimized
              : wp.showCmd == SW_SHOWMAXIMIZED ? sys::ShowState::Maximized
                                                 : sys::ShowState::Normal;
  return true;
}

void Win32Desktop::setPlacement(sys::WindowHandle w, const sys::Placement& p) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  if (!GetWindowPlacement(hw(w), &wp)) return;
  wp.rcNormalPosition = {p.normal.left, p.normal.top, p.normal.right, p.normal.bottom};
  const bool visible = IsWindowVisible(hw(w)) != FALSE;
  // A hidden form takes its state when it is shown.
  wp.showCmd = visible ? showCommand(p.state) : SW_HIDE;
  wp.flags = 0;
  SetWindowPlacement(hw(w), &wp);
  if (Record* r = record(w); r && !visible) r->pendingShow = p.state == sys::ShowState::Normal ? 0 : showCommand(p.state);
}

sys::Rect Win32Desktop::screenRect() const {
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

sys::Rect Win32Desktop::workArea() const {
  RECT r{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right, r.bottom};
}

// --- menus

sys::MenuHandle Win32Desktop::createPopupMenu() { return reinterpret_cast<sys::MenuHandle>(CreatePopupMenu()); }

void Win32Desktop::destroyMenu(sys::MenuHandle menu) { DestroyMenu(reinterpret_cast<HMENU>(menu)); }

int Win32Desktop::menuItemCount(sys::MenuHandle menu) const { return GetMenuItemCount(reinterpret_cast<HMENU>(menu)); }

std::string Win32Desktop::menuItemText(sys::MenuHandle menu, int position) const {
  char buf[256] = {};
  GetMenuStringA(reinterpret_cast<HMENU>(menu), static_cast<UINT>(position), buf, 255, MF_BYPOSITION);
  return std::string(buf);
}

sys::MenuHandle Win32Desktop::subMenu(sys::MenuHandle menu, int position) const {
  return reinterpret_cast<sys::MenuHandle>(GetSubMenu(reinterpret_cast<HMENU>(menu), position));
}

void Win32Desktop::insertMenuItem(sys::MenuHandle menu, int position, const sys::MenuItem& item) {
  HMENU m = reinterpret_cast<HMENU>(menu);
  if (position < 0) position = GetMenuItemCount(m);
  std::string text = item.text;
  MENUITEMINFOA mi{};
  mi.cbSize = sizeof(mi);
  mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | (item.subMenu ? MIIM_SUBMENU : 0u);
  mi.fType = item.separator ? MFT_SEPARATOR : MFT_STRING;
  mi.fState = (item.enabled ? MFS_ENABLED : MFS_GRAYED) | (item.isDefault ? MFS_DEFAULT : 0u);
  mi.wID = static_cast<UINT>(item.id);
  mi.hSubMenu = reinterpret_cast<HMENU>(item.subMenu);
  mi.dwTypeData = item.separator ? nullptr : text.data();
  if (item.separator) mi.fMask &= ~static_cast<UINT>(MIIM_STRING);
  InsertMenuItemA(m, static_cast<UINT>(position), TRUE, &mi);
}

int Win32Desktop::trackPopupMenu(sys::MenuHandle menu, sys::WindowHandle owner, sys::Point screen) {
  // The owner must be in front, or the menu does not close when the user
  // clicks elsewhere.
  SetForegroundWindow(hw(owner));
  const int id = static_cast<int>(TrackPopupMenu(reinterpret_cast<HMENU>(menu),
                                                 TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                 screen.x, screen.y, 0, hw(owner), nullptr));
  PostMessageA(hw(owner), WM_NULL, 0, 0);
  return id;
}

// --- messages, timers, input

void Win32Desktop::postCommand(sys::WindowHandle w, int id) {
  PostMessageA(hw(w), WM_COMMAND, static_cast<WPARAM>(id), 0);
}

bool Win32Desktop::preTranslate(MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  Record* r = record(root);
  if (!r || r->kind != sys::ControlKind::Form) return false;
  if (msg.wParam == VK_TAB) return IsDialogMessageA(root, &msg) != FALSE;
  // The form hears every key first; what it leaves goes to the control.
  sys::Event e;
  e.type = sys::EventType::KeyDown;
  e.window = wh(msg.hwnd);
  e.key = static_cast<int>(msg.wParam);
  e.shift = (GetKeyState(VK_SHIFT) < 0 ? sys::kShift : 0u) | (GetKeyState(VK_CONTROL) < 0 ? sys::kCtrl : 0u) |
            (GetKeyState(VK_MENU) < 0 ? sys::kAlt : 0u);
  deliver(root, e);
  return e.handled;
}

void Win32Desktop::processPendingMessages() {
  MSG msg;
  // Everything but what waits for a waiting loop (registered messages,
  // above it, come after the rest).
  const auto next = [&msg] {
    return PeekMessageA(&msg, nullptr, 0, kWhenWaitingMessage - 1, PM_REMOVE) ||
           PeekMessageA(&msg, nullptr, kWhenWaitingMessage + 1, ~0u, PM_REMOVE);
  };
  while (next()) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (preTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Win32Desktop::runModal(sys::WindowHandle form, const std::function<bool()>& finished) {
  HWND hwnd = hw(form);
  HWND ownerWindow = GetWindow(hwnd, GW_OWNER);
  const bool ownerWasEnabled = ownerWindow && IsWindowEnabled(ownerWindow);
  if (ownerWindow) EnableWindow(ownerWindow, FALSE);
  setVisible(form, true);
  setForegroundWindow(form);  // raised too: a form without owner may open behind the last one raised
  MSG msg;
  while (!finished() && IsWindow(hwnd)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (preTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  // The owner comes back before the form goes, so that it is activated.
  if (ownerWindow && ownerWasEnabled) EnableWindow(ownerWindow, TRUE);
  if (IsWindow(hwnd)) ShowWindow(hwnd, SW_HIDE);
  if (ownerWindow) setForegroundWindow(wh(ownerWindow));
}

void Win32Desktop::setTimer(sys::WindowHandle w, int id, int milliseconds) {
  SetTimer(hw(w), static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void Win32Desktop::killTimer(sys::WindowHandle w, int id) {
  if (IsWindow(hw(w))) KillTimer(hw(w), static_cast<UINT_PTR>(id));
}

bool Win32Desktop::isKeyDown(int virtualKey) const { return GetKeyState(virtualKey) < 0; }

void Win32Desktop::setBusyCursor(bool busy) {
  busy_ = std::max(0, busy_ + (busy ? 1 : -1));
  SetCursor(LoadCursor(nullptr, busy_ > 0 ? IDC_WAIT : IDC_ARROW));
}

// --- dialogs

int Win32Desktop::messageBox(sys::WindowHandle owner, const std::string& text, const std::string& caption,
                             sys::MessageIcon icon, sys::MessageButtons buttons) {
  UINT flags = 0;
  switch (icon) {
    case sys::MessageIcon::None: break;
    case sys::MessageIcon::Error: flags |= MB_ICONHAND; break;
    case sys::MessageIcon::Question: flags |= MB_ICONQUESTION; break;
    case sys::MessageIcon::Warning: flags |= MB_ICONEXCLAMATION; break;
    case sys::MessageIcon::Information: flags |= MB_ICONASTERISK; break;
  }
  switch (buttons) {
    case sys::MessageButtons::Ok: flags |= MB_OK; break;
    case sys::MessageButtons::OkCancel: flags |= MB_OKCANCEL; break;
    case sys::MessageButtons::YesNo: flags |= MB_YESNO; break;
    case sys::MessageButtons::YesNoCancel: flags |= MB_YESNOCANCEL; break;
  }
  return MessageBoxA(hw(owner), text.c_str(), caption.c_str(), flags);
}

bool Win32Desktop::chooseFont(sys::WindowHandle owner, sys::Font& font) {
  LOGFONTA lf{};
  GetObjectA(fontHandle(font), sizeof(lf), &lf);
  // The face the text is really drawn in: a name the system substitutes
  // (one not installed) is not in the dialog's list, which would then
  // offer its first face instead.
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, fontHandle(font));
  char face[LF_FACESIZE] = {};
  if (GetTextFaceA(dc, LF_FACESIZE, face) > 0) lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = hw(owner);
  cf.lpLogFont = &lf;
  // Vertical ("@") faces draw text turned on its side: no list shows them.
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_NOVERTFONTS;
  cf.rgbColors = font.color;
  if (!ChooseFontA(&cf)) return false;
  font.name = lf.lfFaceName;
  font.size = cf.iPointSize / 10;
  font.color = cf.rgbColors;
  font.bold = lf.lfWeight >= FW_BOLD;
  font.italic = lf.lfItalic != 0;
  font.underline = lf.lfUnderline != 0;
  font.strikeout = lf.lfStrikeOut != 0;
  return true;
}

bool Win32Desktop::chooseColor(sys::WindowHandle owner, sys::Color& color) {
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = hw(owner);
  cc.rgbResult = color;
  cc.lpCustColors = customColors_;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&cc)) return false;
  color = cc.rgbResult;
  return true;
}

// --- look

sys::Color Win32Desktop::systemColor(sys::SystemColor which) const {
  switch (which) {
    case sys::SystemColor::Window: return GetSysColor(COLOR_WINDOW);
    case sys::SystemColor::ButtonFace: return GetSysColor(COLOR_BTNFACE);
    case sys::SystemColor::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
    case sys::SystemColor::GrayText: return GetSysColor(COLOR_GRAYTEXT);
  }
  return 0;
}

sys::Point Win32Desktop::textExtent(const sys::Font& font, std::string_view text) const {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, fontHandle(font));
  SIZE sz{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &sz);
  if (text.empty()) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    sz.cy = tm.tmHeight;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {sz.cx, sz.cy};
}

}  // namespace gleanix::backend
