#include "core/form_geometry.h"

namespace gleanix::core {
namespace {

settings::WindowState stateOf(sys::ShowState s) {
  switch (s) {
    case sys::ShowState::Minimized: return settings::WindowState::Minimized;
    case sys::ShowState::Maximized: return settings::WindowState::Maximized;
    case sys::ShowState::Normal: break;
  }
  return settings::WindowState::Normal;
}

sys::ShowState showStateOf(settings::WindowState s) {
  switch (s) {
    case settings::WindowState::Minimized: return sys::ShowState::Minimized;
    case settings::WindowState::Maximized: return sys::ShowState::Maximized;
    case settings::WindowState::Normal: break;
  }
  return sys::ShowState::Normal;
}

}  // namespace

std::optional<settings::WindowPlacement> FormGeometry::placement() const {
  sys::Placement p;
  if (!form_.getPlacement(p)) return std::nullopt;
  return settings::WindowPlacement{{p.normal.left, p.normal.top, p.normal.right, p.normal.bottom},
                                   stateOf(p.state)};
}

settings::WindowBounds FormGeometry::bounds() const {
  const sys::Rect r = form_.windowRect();
  return {r.left, r.top, r.width(), r.height()};
}

int FormGeometry::workAreaOffsetX() const {
  return form_.desktop().workArea().left - form_.desktop().screenRect().left;
}

int FormGeometry::workAreaOffsetY() const {
  return form_.desktop().workArea().top - form_.desktop().screenRect().top;
}

void FormGeometry::setBounds(const settings::WindowBounds& b) {
  form_.setWindowRect({b.left, b.top, b.left + b.width, b.top + b.height});
}

void FormGeometry::setState(settings::WindowState state) {
  sys::Placement p;
  if (!form_.getPlacement(p)) return;
  const sys::ShowState wanted = showStateOf(state);
  // A normal window stays as it is: setting its placement again could show it early.
  if (p.state == wanted) return;
  p.state = wanted;
  form_.setPlacement(p);
}

void saveFormGeometry(ui::TForm& form, settings::SettingsCache& settings, sys::FileSystem& fs,
                      std::string_view section) {
  settings::saveWindowGeometry(FormGeometry(form), settings, fs, section);
}

void restoreFormGeometry(ui::TForm& form, const settings::SettingsCache& settings, std::string_view section) {
  FormGeometry window(form);
  settings::restoreWindowGeometry(window, settings, section);
}

void saveFormRegistryGeometry(ui::TForm& form, sys::Registry& registry, std::string_view path) {
  settings::saveRegistryGeometry(FormGeometry(form), registry, path);
}

void restoreFormRegistryGeometry(ui::TForm& form, const sys::Registry& registry, std::string_view path) {
  FormGeometry window(form);
  settings::restoreRegistryGeometry(window, registry, path);
}

}  // namespace gleanix::core
