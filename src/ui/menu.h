#pragma once
// Popup menus. Items are TMenuItem rows whose parent is the menu (or
// items added in code); a caption of "-" makes a separator. popup() runs
// OnPopup, shows the menu and runs the chosen item's OnClick.

#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/form_table.h"

namespace gleanix::ui {

class TPopupMenu;

class TMenuItem : public TComponent {
 public:
  TMenuItem(TForm& form, const ControlSpec& spec, TComponent& parent);
  TMenuItem(TPopupMenu& menu, const std::string& name, const std::string& caption);

  const std::string& caption() const { return caption_; }
  void setCaption(const std::string& c) { caption_ = c; }
  bool enabled() const { return enabled_; }
  void setEnabled(bool e) { enabled_ = e; }
  bool isDefault() const { return default_; }
  void setDefault(bool d) { default_ = d; }
  bool visible() const { return visible_; }
  void setVisible(bool v) { visible_ = v; }
  void click() { fire(Event::OnClick); }

 private:
  std::string caption_;
  bool enabled_;
  bool default_;
  bool visible_;
};

class TPopupMenu : public TComponent {
 public:
  TPopupMenu(TForm& form, const ControlSpec& spec, TComponent& parent);
  TPopupMenu(TForm& form, const std::string& name);
  ~TPopupMenu() override;

  const std::vector<TMenuItem*>& items() const { return items_; }
  // An item owned by the menu, for menus built in code.
  TMenuItem& add(const std::string& name, const std::string& caption);
  // Shows the menu at a screen position and waits for the choice.
  void popup(int screenX, int screenY);
  // The item the last popup() ran, or nullptr.
  TMenuItem* lastChosen() const { return lastChosen_; }

 private:
  friend class TMenuItem;
  std::vector<TMenuItem*> items_;
  std::vector<std::unique_ptr<TMenuItem>> owned_;
  TMenuItem* lastChosen_ = nullptr;
};

}  // namespace gleanix::ui
