#include "ui/std_controls.h"

#include "sys/file_system.h"
#include "ui/form.h"

namespace gleanix::ui {
namespace {

unsigned editStyle(const Props& p) {
  unsigned s = 0;
  if (p.readOnly) s |= sys::kReadOnly;
  if (!p.hideSelection) s |= sys::kShowSelectionAlways;
  return s;
}

ControlSpec withText(ControlSpec spec, const std::string& text) {
  spec.caption = text;
  return spec;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

}  // namespace

TLabel::TLabel(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::Label) {}

TButton::TButton(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::Button,
               spec.props.isDefault ? sys::kDefaultButton : 0u),
      isDefault_(spec.props.isDefault),
      isCancel_(spec.props.isCancel),
      modalResult_(spec.props.modalResult) {}

void TButton::click() {
  if (modalResult_ != 0) form().setModalResult(modalResult_);
  TControl::click();
}

TCheckBox::TCheckBox(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::CheckBox) {
  setChecked(spec.props.checked);
}

bool TCheckBox::checked() const { return desktop().isChecked(handle()); }

void TCheckBox::setChecked(bool checked) { desktop().setChecked(handle(), checked); }

void TCheckBox::click() {
  setChecked(!checked());
  TControl::click();
}

TRadioButton::TRadioButton(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::RadioButton) {
  setChecked(spec.props.checked);
}

bool TRadioButton::checked() const { return desktop().isChecked(handle()); }

void TRadioButton::setChecked(bool checked) {
  desktop().setChecked(handle(), checked);
  if (!checked || !parent()) return;
  for (TControl* sibling : parent()->children()) {
    auto* radio = dynamic_cast<TRadioButton*>(sibling);
    if (radio && radio != this) desktop().setChecked(radio->handle(), false);
  }
}

void TRadioButton::click() {
  if (checked()) return;
  setChecked(true);
  TControl::click();
}

TGroupBox::TGroupBox(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::GroupBox) {}

// The caption runs along the top edge of the frame.
Bounds TGroupBox::alignArea() const { return {2, 16, clientWidth() - 4, clientHeight() - 18}; }

TPanel::TPanel(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::Panel, spec.props.bevel ? sys::kBevel : 0u),
      bevel_(spec.props.bevel) {}

Bounds TPanel::alignArea() const {
  const int b = bevel_ ? 1 : 0;
  return {b, b, clientWidth() - 2 * b, clientHeight() - 2 * b};
}

TEdit::TEdit(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::Edit, editStyle(spec.props)) {}

void TEdit::selectAll() { desktop().setEditSelection(handle(), 0, -1); }

TMemo::TMemo(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec.props.items.empty() ? spec : withText(spec, joinLines(spec.props.items)), parent,
               sys::ControlKind::Memo, editStyle(spec.props) | (spec.props.wordWrap ? 0u : sys::kNoWordWrap)) {}

std::vector<std::string> TMemo::lines() const { return sys::splitLines(text()); }

void TMemo::setLines(const std::vector<std::string>& lines) { setText(joinLines(lines)); }

TComboBox::TComboBox(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::ComboBox,
               spec.props.dropDownList ? sys::kDropDownList : 0u) {
  setItems(spec.props.items);
}

void TComboBox::setItems(const std::vector<std::string>& items) {
  items_ = items;
  desktop().comboSetItems(handle(), items_);
}

int TComboBox::itemIndex() const { return desktop().comboIndex(handle()); }

void TComboBox::setItemIndex(int index) { desktop().comboSetIndex(handle(), index); }

void TComboBox::click() {
  TControl::click();
  change();
}

TStatusBar::TStatusBar(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::StatusBar) {}

TProgressBar::TProgressBar(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::ProgressBar) {
  desktop().progressSetRange(handle(), 0, max_);
}

void TProgressBar::setMax(int max) {
  max_ = max;
  desktop().progressSetRange(handle(), 0, max_);
}

int TProgressBar::position() const { return desktop().progressPosition(handle()); }

void TProgressBar::setPosition(int position) { desktop().progressSetPosition(handle(), position); }

}  // namespace gleanix::ui
