#include "core/form_services.h"

#include "settings/help.h"
#include "settings/window_geometry.h"

namespace gleanix::core {
namespace {

// A form as the geometry helpers see it.
class FormGeometry : public settings::GeometryWindow {
 public:
  explicit FormGeometry(ui::TForm& form) : form_(form) {}

  std::optional<settings::WindowPlacement> placement() const override {
    sys::Placement p;
    if (!form_.getPlacement(p)) return std::nullopt;
    settings::WindowPlacement out;
    out.normal = {p.normal.left, p.normal.top, p.normal.right, p.normal.bottom};
    out.state = p.state == sys::ShowState::Minimized   ? settings::WindowState::Minimized
                : p.state == sys::ShowState::Maximized ? settings::WindowState::Maximized
                                                       : settings::WindowState::Normal;
    return out;
  }
  bool isResizable() const override { return form_.sizeable(); }
  settings::WindowBounds bounds() const override {
    const sys::Rect r = form_.windowRect();
    return {r.left, r.top, r.width(), r.height()};
  }
  int screenWidth() const override { return form_.desktop().screenRect().width(); }
  int screenHeight() const override { return form_.desktop().screenRect().height(); }
  int workAreaOffsetX() const override {
    return form_.desktop().workArea().left - form_.desktop().screenRect().left;
  }
  int workAreaOffsetY() const override { return form_.desktop().workArea().top - form_.desktop().screenRect().top; }

  void setBounds(const settings::WindowBounds& b) override {
    form_.setWindowRect({b.left, b.top, b.left + b.width, b.top + b.height});
  }
  void setState(settings::WindowState state) override {
    sys::Placement p;
    if (!form_.getPlacement(p)) return;
    p.state = state == settings::WindowState::Minimized   ? sys::ShowState::Minimized
              : state == settings::WindowState::Maximized ? sys::ShowState::Maximized
                                                          : sys::ShowState::Normal;
    form_.setPlacement(p);
  }

 private:
  ui::TForm& form_;
};

}  // namespace

void restoreFormGeometry(StartedPlugin& plugin, ui::TForm& form, std::string_view section) {
  FormGeometry window(form);
  settings::restoreWindowGeometry(window, plugin.settings(), section);
}

void saveFormGeometry(StartedPlugin& plugin, ui::TForm& form, std::string_view section) {
  const FormGeometry window(form);
  settings::saveWindowGeometry(window, plugin.settings(), plugin.fs(), section);
}

void restoreFormRegistryGeometry(StartedPlugin& plugin, ui::TForm& form, std::string_view path) {
  FormGeometry window(form);
  settings::restoreRegistryGeometry(window, plugin.registry(), path);
}

void saveFormRegistryGeometry(StartedPlugin& plugin, ui::TForm& form, std::string_view path) {
  const FormGeometry window(form);
  settings::saveRegistryGeometry(window, plugin.registry(), path);
}

settings::FontRecord fontRecord(const sys::Font& font) {
  return {font.name,      font.size,        static_cast<std::int32_t>(font.color), font.bold, font.italic,
          font.underline, font.strikeout};
}

sys::Font fontOf(const settings::FontRecord& record) {
  return {record.name,      record.size,      static_cast<sys::Color>(record.color), record.bold, record.italic,
          record.underline, record.strikeout};
}

sys::Font restoreFont(const settings::SettingsCache& settings, std::string_view section, const sys::Font& present) {
  settings::FontRecord record = fontRecord(present);
  settings::restoreFont(settings, section, record);
  return fontOf(record);
}

void saveFont(settings::SettingsCache& settings, std::string_view section, const sys::Font& font) {
  settings::saveFont(settings, section, fontRecord(font));
}

void showHelp(StartedPlugin& plugin, sys::WindowHandle owner) {
  sys::Desktop& desktop = plugin.desktop();
  settings::showHelp(owner, plugin.fs(), plugin.registry(), plugin.shell(),
                     [&desktop](sys::WindowHandle w, const std::string& text, const std::string& caption,
                                settings::MessageIcon) {
                       desktop.messageBox(w, text, caption, sys::MessageIcon::Warning, sys::MessageButtons::Ok);
                     });
}

}  // namespace gleanix::core
