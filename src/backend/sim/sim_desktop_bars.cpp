// The simulated desktop's bars and icons: menu bars of forms, toolbars with
// their buttons and image lists, and window icons.

#include <functional>

#include "backend/sim/sim_desktop.h"

namespace gleanix::backend {

// --- menu bars

sys::MenuHandle SimDesktop::createMenuBar() {
  Lock lock(*this);
  const sys::MenuHandle h = createPopupMenu();
  menuBars_.insert(h);
  return h;
}

void SimDesktop::setMenuBar(sys::WindowHandle w, sys::MenuHandle bar) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::Form);
  if (!p || (bar && !menuBars_.count(bar))) return;
  p->menuBar = bar;
}

sys::MenuHandle SimDesktop::menuBar(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::Form);
  return p ? p->menuBar : 0;
}

bool SimDesktop::chooseMenuBarCommand(sys::WindowHandle form, int id) {
  Lock lock(*this);
  const SimWindow* p = findKind(form, sys::ControlKind::Form);
  if (!p || !p->menuBar || !canTakeInput(form) || id == 0) return false;
  std::function<bool(sys::MenuHandle)> holds = [&](sys::MenuHandle menu) {
    auto it = menus_.find(menu);
    if (it == menus_.end()) return false;
    for (const sys::MenuItem& i : it->second) {
      if (!i.enabled || i.separator) continue;
      if (i.subMenu ? holds(i.subMenu) : i.id == id) return true;
    }
    return false;
  };
  if (!holds(p->menuBar)) return false;
  postMessage({form, sys::msg::Command, static_cast<std::uintptr_t>(id), 0});
  return true;
}

// --- toolbars

void SimDesktop::toolbarSetButtonRecordSize(sys::WindowHandle toolbar, int bytes) {
  Lock lock(*this);
  if (SimWindow* p = findKind(toolbar, sys::ControlKind::ToolBar)) p->buttonRecordSize = bytes;
}

sys::ImageListHandle SimDesktop::toolbarImageList(sys::WindowHandle toolbar) const {
  Lock lock(*this);
  const SimWindow* p = findKind(toolbar, sys::ControlKind::ToolBar);
  return p ? p->toolbarImages : 0;
}

void SimDesktop::toolbarSetImageList(sys::WindowHandle toolbar, sys::ImageListHandle images) {
  Lock lock(*this);
  if (SimWindow* p = findKind(toolbar, sys::ControlKind::ToolBar)) p->toolbarImages = images;
}

bool SimDesktop::toolbarAddButtons(sys::WindowHandle toolbar, const std::vector<sys::ToolButton>& buttons) {
  Lock lock(*this);
  SimWindow* p = findKind(toolbar, sys::ControlKind::ToolBar);
  // A toolbar that was not told the record size cannot read the records.
  if (!p || p->buttonRecordSize != sys::toolbar::kButtonRecordSize) return false;
  p->buttons.insert(p->buttons.end(), buttons.begin(), buttons.end());
  return true;
}

bool SimDesktop::toolbarChangeBitmap(sys::WindowHandle toolbar, int command, int image) {
  Lock lock(*this);
  SimWindow* p = findKind(toolbar, sys::ControlKind::ToolBar);
  if (!p) return false;
  for (sys::ToolButton& b : p->buttons) {
    if (b.style != sys::toolbar::kSeparator && b.command == command) {
      b.image = image;
      return true;
    }
  }
  return false;
}

std::vector<sys::ToolButton> SimDesktop::toolbarButtons(sys::WindowHandle toolbar) const {
  Lock lock(*this);
  const SimWindow* p = findKind(toolbar, sys::ControlKind::ToolBar);
  return p ? p->buttons : std::vector<sys::ToolButton>{};
}

bool SimDesktop::clickToolButton(sys::WindowHandle toolbar, int command) {
  Lock lock(*this);
  const SimWindow* p = findKind(toolbar, sys::ControlKind::ToolBar);
  if (!p || !canTakeInput(toolbar)) return false;
  for (const sys::ToolButton& b : p->buttons) {
    if (b.style == sys::toolbar::kSeparator || b.command != command) continue;
    if (!(b.state & sys::toolbar::kEnabled)) return false;
    postMessage({p->parent, sys::msg::Command, static_cast<std::uintptr_t>(command), 0});
    return true;
  }
  return false;
}

// --- icons

void SimDesktop::setWindowIcon(sys::WindowHandle w, const sys::Bitmap& image, sys::Color transparent, bool big) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::Form);
  if (!p) return;
  // Stored as shown: the transparent colour becomes the frame's face colour.
  sys::Bitmap shown = image;
  for (sys::Color& c : shown.pixels) {
    if (c == transparent) c = systemColor(sys::SystemColor::ButtonFace);
  }
  (big ? p->bigIcon : p->smallIcon) = std::move(shown);
}

}  // namespace gleanix::backend
