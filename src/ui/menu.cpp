#include "ui/menu.h"

#include <stdexcept>

#include "ui/form.h"

namespace gleanix::ui {

TMenuItem::TMenuItem(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TComponent(form, spec.name),
      caption_(spec.caption),
      enabled_(spec.props.enabled),
      default_(spec.props.isDefault),
      visible_(spec.props.visible) {
  auto* menu = dynamic_cast<TPopupMenu*>(&parent);
  if (!menu) throw std::logic_error(spec.name + ": a menu item outside a menu");
  menu->items_.push_back(this);
}

TMenuItem::TMenuItem(TPopupMenu& menu, const std::string& name, const std::string& caption)
    : TComponent(menu.form(), name), caption_(caption), enabled_(true), default_(false), visible_(true) {}

TPopupMenu::TPopupMenu(TForm& form, const ControlSpec& spec, TComponent&) : TComponent(form, spec.name) {}

TPopupMenu::TPopupMenu(TForm& form, const std::string& name) : TComponent(form, name) {}

TPopupMenu::~TPopupMenu() = default;

TMenuItem& TPopupMenu::add(const std::string& name, const std::string& caption) {
  owned_.push_back(std::make_unique<TMenuItem>(*this, name, caption));
  items_.push_back(owned_.back().get());
  return *owned_.back();
}

void TPopupMenu::popup(int screenX, int screenY) {
  lastChosen_ = nullptr;
  fire(Event::OnPopup);
  sys::Desktop& d = desktop();
  const sys::MenuHandle menu = d.createPopupMenu();
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const TMenuItem& it = *items_[i];
    if (!it.visible()) continue;
    sys::MenuItem m;
    m.separator = it.caption() == "-";
    m.text = it.caption();
    m.id = static_cast<int>(i) + 1;
    m.enabled = it.enabled();
    m.isDefault = it.isDefault();
    d.insertMenuItem(menu, -1, m);
  }
  const int chosen = d.trackPopupMenu(menu, form().handle(), {screenX, screenY});
  d.destroyMenu(menu);
  if (chosen < 1 || chosen > static_cast<int>(items_.size())) return;
  lastChosen_ = items_[chosen - 1];
  lastChosen_->click();
}

}  // namespace gleanix::ui
