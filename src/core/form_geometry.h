#pragma once
// A form's window geometry kept across runs: the form as the geometry
// helpers of the settings see a window, and the two places it is kept (the
// settings file under a section, the registry under a relative path).

#include <string_view>

#include "settings/settings_cache.h"
#include "settings/window_geometry.h"
#include "sys/file_system.h"
#include "sys/registry.h"
#include "ui/form.h"

namespace gleanix::core {

class FormGeometry : public settings::GeometryWindow {
 public:
  explicit FormGeometry(ui::TForm& form) : form_(form) {}

  std::optional<settings::WindowPlacement> placement() const override;
  bool isResizable() const override { return form_.sizeable(); }
  settings::WindowBounds bounds() const override;
  int screenWidth() const override { return form_.desktop().screenRect().width(); }
  int screenHeight() const override { return form_.desktop().screenRect().height(); }
  int workAreaOffsetX() const override;
  int workAreaOffsetY() const override;
  void setBounds(const settings::WindowBounds& bounds) override;
  void setState(settings::WindowState state) override;

 private:
  ui::TForm& form_;
};

void saveFormGeometry(ui::TForm& form, settings::SettingsCache& settings, sys::FileSystem& fs,
                      std::string_view section);
void restoreFormGeometry(ui::TForm& form, const settings::SettingsCache& settings, std::string_view section);
void saveFormRegistryGeometry(ui::TForm& form, sys::Registry& registry, std::string_view path);
void restoreFormRegistryGeometry(ui::TForm& form, const sys::Registry& registry, std::string_view path);

}  // namespace gleanix::core
