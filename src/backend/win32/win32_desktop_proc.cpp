// One window procedure for every window the Win32 desktop creates: its own
// forms, panels and splitters, and (as a subclass) the standard controls.
// It turns the messages the user causes into events for the window's sink.

#include "backend/win32/win32_desktop.h"

#include <commctrl.h>
#include <windowsx.h>

namespace gleanix::backend {
namespace {

constexpr const char* kRecordProp = Win32Desktop::kRecordProperty;

sys::WindowHandle wh(HWND h) { return reinterpret_cast<sys::WindowHandle>(h); }

unsigned shiftState(WPARAM wp) {
  unsigned s = 0;
  if (wp & MK_SHIFT) s |= sys::kShift;
  if (wp & MK_CONTROL) s |= sys::kCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= sys::kAlt;
  return s;
}

// Draws on a device context for an owner-drawn part, leaving it as found.
class Win32Canvas : public sys::Canvas {
 public:
  Win32Canvas(const Win32Desktop& desktop, HDC dc) : desktop_(desktop), dc_(dc), saved_(SaveDC(dc)) {}
  ~Win32Canvas() override { RestoreDC(dc_, saved_); }
  Win32Canvas(const Win32Canvas&) = delete;
  Win32Canvas& operator=(const Win32Canvas&) = delete;

  void setFont(const sys::Font& font) override {
    SelectObject(dc_, desktop_.fontHandle(font));
    SetTextColor(dc_, font.color);
  }
  void fillRect(const sys::Rect& r, sys::Color color) override {
    RECT rc{r.left, r.top, r.right, r.bottom};
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc_, &rc, b);
    DeleteObject(b);
  }
  void textOut(sys::Point at, std::string_view text) override {
    SetBkMode(dc_, TRANSPARENT);
    TextOutA(dc_, at.x, at.y, text.data(), static_cast<int>(text.size()));
  }

 private:
  const Win32Desktop& desktop_;
  HDC dc_;
  int saved_;
};

bool isOwnClass(sys::ControlKind k) {
  return k == sys::ControlKind::Form || k == sys::ControlKind::Panel || k == sys::ControlKind::GroupBox ||
         k == sys::ControlKind::Splitter;
}

}  // namespace

LRESULT CALLBACK Win32Desktop::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* rec = static_cast<Record*>(GetPropA(hwnd, kRecordProp));
  if (!rec) return DefWindowProcA(hwnd, msg, wp, lp);
  return rec->desktop->handle(*rec, msg, wp, lp);
}

LRESULT Win32Desktop::callOriginal(Record& rec, UINT msg, WPARAM wp, LPARAM lp) {
  return rec.original ? CallWindowProcA(rec.original, rec.hwnd, msg, wp, lp)
                      : DefWindowProcA(rec.hwnd, msg, wp, lp);
}

bool Win32Desktop::deliver(HWND hwnd, sys::Event& e) {
  Record* r = record(hwnd);
  if (!r || !r->ready || !r->sink) return false;
  if (!e.window) e.window = wh(hwnd);
  r->sink->handleEvent(e);
  return true;
}

LRESULT Win32Desktop::handle(Record& rec, UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = rec.hwnd;
  if (handleHostMessage(hwnd, msg, wp, lp)) return 0;
  switch (msg) {
    case WM_COMMAND:
      if (lp && record(reinterpret_cast<HWND>(lp)) &&
          record(reinterpret_cast<HWND>(lp))->kind == sys::ControlKind::ToolBar) {
        // A toolbar button: the command goes to the form like a menu's.
        sys::Event e;
        e.type = sys::EventType::Command;
        e.id = LOWORD(wp);
        deliver(hwnd, e);
        return 0;
      }
      if (lp) {
        if (routeCommand(reinterpret_cast<HWND>(lp), HIWORD(wp))) return 0;
      } else if (isOwnClass(rec.kind)) {
        sys::Event e;
        e.type = sys::EventType::Command;
        e.id = LOWORD(wp);
        deliver(hwnd, e);
        return 0;
      }
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (routeNotify(*reinterpret_cast<const NMHDR*>(lp), result)) return result;
      break;
    }
    case WM_DRAWITEM:
      if (routeDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      sys::Event e;
      e.type = sys::EventType::MouseDown;
      e.button = msg == WM_LBUTTONDOWN   ? sys::MouseButton::Left
                 : msg == WM_RBUTTONDOWN ? sys::MouseButton::Right
                                         : sys::MouseButton::Middle;
      e.pos = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      e.shift = shiftState(wp);
      deliver(hwnd, e);
      // The sink may have closed the window, or handled the press itself.
      Record* r = record(hwnd);
      if (!r || e.handled) return 0;
      return callOriginal(*r, msg, wp, lp);
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      if (rec.kind == sys::ControlKind::Splitter) {
        sys::Event e;
        e.type = msg == WM_MOUSEMOVE ? sys::EventType::MouseMove : sys::EventType::MouseUp;
        e.pos = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        e.shift = shiftState(wp);
        deliver(hwnd, e);
        return 0;
      }
      break;
    case WM_SIZE:
      if (rec.kind == sys::ControlKind::Form && wp != SIZE_MINIMIZED) {
        sys::Event e;
        e.type = sys::EventType::Resize;
        e.rect = {0, 0, LOWORD(lp), HIWORD(lp)};
        deliver(hwnd, e);
      }
      break;
    case WM_CLOSE:
      if (rec.kind == sys::ControlKind::Form && rec.sink && rec.ready) {
        sys::Event e;
        e.type = sys::EventType::Close;
        deliver(hwnd, e);
        return 0;  // the sink decides; the window is never destroyed here
      }
      break;
    case WM_TIMER: {
      sys::Event e;
      e.type = sys::EventType::Timer;
      e.id = static_cast<int>(wp);
      if (deliver(hwnd, e)) return 0;
      break;
    }
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT && busy_ > 0) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (LOWORD(lp) == HTCLIENT && rec.kind == sys::ControlKind::Splitter) {
        SetCursor(LoadCursor(nullptr, (rec.style & sys::kHorizontalBar) ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
      }
      break;
    case WM_ERASEBKGND:
      if (rec.brush && isOwnClass(rec.kind)) {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, rec.brush);
        return 1;
      }
      break;
    case WM_PAINT:
      if (isOwnClass(rec.kind) && rec.kind != sys::ControlKind::Form) {
        paintContainer(rec);
        return 0;
      }
      break;
    case WM_GETFONT:
      if (isOwnClass(rec.kind)) return reinterpret_cast<LRESULT>(rec.font);
      break;
    case WM_NCDESTROY: {
      const WNDPROC original = rec.original;
      RemovePropA(hwnd, kRecordProp);
      if (rec.brush) DeleteObject(rec.brush);
      {
        std::lock_guard<std::recursive_mutex> lock(recordsMutex_);
        records_.erase(hwnd);  // rec is gone from here on
      }
      return original ? CallWindowProcA(original, hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
    }
    default:
      break;
  }
  return callOriginal(rec, msg, wp, lp);
}

bool Win32Desktop::routeCommand(HWND child, int code) {
  Record* c = record(child);
  if (!c || !c->ready || c->suppress) return false;
  sys::Event e;
  switch (c->kind) {
    case sys::ControlKind::Button:
    case sys::ControlKind::CheckBox:
    case sys::ControlKind::RadioButton:
      if (code != BN_CLICKED) return false;
      e.type = sys::EventType::Click;
      break;
    case sys::ControlKind::Edit:
    case sys::ControlKind::Memo:
      if (code != EN_CHANGE) return false;
      e.type = sys::EventType::Change;
      break;
    case sys::ControlKind::ComboBox:
      if (code == CBN_SELCHANGE) {
        e.type = sys::EventType::Click;
      } else if (code == CBN_EDITCHANGE) {
        e.type = sys::EventType::Change;
      } else {
        return false;
      }
      break;
    default:
      return false;
  }
  deliver(child, e);
  return true;
}

bool Win32Desktop::routeNotify(const NMHDR& hdr, LRESULT& result) {
  Record* c = record(hdr.hwndFrom);
  if (!c || !c->ready) return false;
  HWND from = hdr.hwndFrom;
  const int code = static_cast<int>(hdr.code);
  sys::Event e;
  result = 0;
  switch (c->kind) {
    case sys::ControlKind::TreeView:
      if ((code == static_cast<int>(TVN_SELCHANGEDA) || code == static_cast<int>(TVN_SELCHANGEDW)) && !c->suppress) {
        e.type = sys::EventType::Change;
      } else if (code == static_cast<int>(NM_CLICK)) {
        e.type = sys::EventType::Click;
      } else {
        return false;
      }
      break;
    case sys::ControlKind::ListView:
      if (code == static_cast<int>(LVN_GETDISPINFOA) || code == static_cast<int>(LVN_GETDISPINFOW)) {
        fillDisplayInfo(*c, hdr);
        return true;
      } else if (code == static_cast<int>(LVN_ODFINDITEMA) || code == static_cast<int>(LVN_ODFINDITEMW)) {
        result = -1;  // no type-ahead search in a virtual list
        return true;
      } else if (code == static_cast<int>(LVN_ITEMCHANGED) && !c->suppress) {
        const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
        if (!(nm.uChanged & LVIF_STATE) || !((nm.uNewState ^ nm.uOldState) & LVIS_SELECTED)) return false;
        e.type = sys::EventType::Change;
      } else if (code == static_cast<int>(LVN_ODSTATECHANGED) && !c->suppress) {
        // A range of a virtual list's rows changed their selection at once.
        const auto& nm = reinterpret_cast<const NMLVODSTATECHANGE&>(hdr);
        if (!((nm.uNewState ^ nm.uOldState) & LVIS_SELECTED)) return false;
        e.type = sys::EventType::Change;
      } else if (code == static_cast<int>(NM_DBLCLK)) {
        e.type = sys::EventType::DoubleClick;
      } else {
        return false;
      }
      break;
    case sys::ControlKind::Header: {
      const auto& nm = reinterpret_cast<const NMHEADERA&>(hdr);
      if (code == static_cast<int>(HDN_ITEMCLICKA) || code == static_cast<int>(HDN_ITEMCLICKW)) {
        e.type = sys::EventType::SectionClick;
      } else if ((code == static_cast<int>(HDN_ITEMCHANGEDA) || code == static_cast<int>(HDN_ITEMCHANGEDW)) &&
                 !c->suppress && nm.pitem && (nm.pitem->mask & HDI_WIDTH)) {
        e.type = sys::EventType::SectionResize;
      } else {
        return false;
      }
      e.id = nm.iItem;
      break;
    }
    default:
      return false;
  }
  deliver(from, e);
  return true;
}

bool Win32Desktop::routeDrawItem(const DRAWITEMSTRUCT& d) {
  Record* c = record(d.hwndItem);
  if (!c || c->kind != sys::ControlKind::Header) return false;
  Win32Canvas canvas(*this, d.hDC);
  sys::Event e;
  e.type = sys::EventType::DrawItem;
  e.id = static_cast<int>(d.itemID);
  e.rect = {d.rcItem.left, d.rcItem.top, d.rcItem.right, d.rcItem.bottom};
  e.canvas = &canvas;
  if (!deliver(d.hwndItem, e)) {
    canvas.fillRect(e.rect, GetSysColor(COLOR_BTNFACE));
  }
  return true;
}

void Win32Desktop::paintContainer(Record& rec) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(rec.hwnd, &ps);
  RECT r;
  GetClientRect(rec.hwnd, &r);
  FillRect(dc, &r, rec.brush ? rec.brush : GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ oldFont = rec.font ? SelectObject(dc, rec.font) : nullptr;
  char text[256] = {};
  const int n = GetWindowTextA(rec.hwnd, text, sizeof(text));
  SetTextColor(dc, IsWindowEnabled(rec.hwnd) ? rec.textColor : GetSysColor(COLOR_GRAYTEXT));
  if (rec.kind == sys::ControlKind::GroupBox) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    RECT frame = r;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (n > 0) {
      SetBkMode(dc, OPAQUE);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      TextOutA(dc, 8, 0, text, n);
    }
  } else if (rec.kind == sys::ControlKind::Panel) {
    if (rec.style & sys::kBevel) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    if (n > 0) {
      SetBkMode(dc, TRANSPARENT);
      DrawTextA(dc, text, n, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  if (oldFont) SelectObject(dc, oldFont);
  EndPaint(rec.hwnd, &ps);
}

}  // namespace gleanix::backend
