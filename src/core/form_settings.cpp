#include "core/form_settings.h"

#include "settings/window_geometry.h"

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

// A form as the geometry helpers see it. Positions are the window's outer
// rectangle; the placement's normal rectangle is in work-area coordinates.
class FormGeometry : public settings::GeometryWindow {
 public:
  explicit FormGeometry(ui::TForm& form) : form_(form) {}

  std::optional<settings::WindowPlacement> placement() const override {
    sys::Placement p;
    if (!form_.getPlacement(p)) return std::nullopt;
    return settings::WindowPlacement{{p.normal.left, p.normal.top, p.normal.right, p.normal.bottom},
                                     stateOf(p.state)};
  }
  bool isResizable() const override { return form_.sizeable(); }
  settings::WindowBounds bounds() const override {
    const sys::Rect r = form_.windowRect();
    return {r.left, r.top, r.width(), r.height()};
  }
  int screenWidth() const override { return form_.desktop().screenRect().width(); }
  int screenHeight() const override { return form_.desktop().screenRect().height(); }
  int workAreaOffsetX() const override { return form_.desktop().workArea().left; }
  int workAreaOffsetY() const override { return form_.desktop().workArea().top; }
  void setBounds(const settings::WindowBounds& b) override {
    form_.setWindowRect({b.left, b.top, b.left + b.width, b.top + b.height});
  }
  void setState(settings::WindowState state) override {
    sys::Placement p;
    if (!form_.getPlacement(p)) return;
    p.state = showStateOf(state);
    form_.setPlacement(p);
  }

 private:
  ui::TForm& form_;
};

}  // namespace

void saveFormGeometry(ui::TForm& form, settings::SettingsCache& settings, sys::FileSystem& fs,
                      std::string_view section) {
  const FormGeometry g(form);
  settings::saveWindowGeometry(g, settings, fs, section);
}

void restoreFormGeometry(ui::TForm& form, const settings::SettingsCache& settings, std::string_view section) {
  FormGeometry g(form);
  settings::restoreWindowGeometry(g, settings, section);
}

settings::FontRecord fontRecordOf(const sys::Font& f) {
  return {f.name, f.size, static_cast<std::int32_t>(f.color), f.bold, f.italic, f.underline, f.strikeout};
}

sys::Font fontOf(const settings::FontRecord& r) {
  return {r.name, r.size, static_cast<sys::Color>(r.color), r.bold, r.italic, r.underline, r.strikeout};
}

sys::Font restoredFont(const settings::SettingsCache& settings, std::string_view section, const sys::Font& present) {
  settings::FontRecord record = fontRecordOf(present);
  settings::restoreFont(settings, section, record);
  return fontOf(record);
}

}  // namespace gleanix::core
