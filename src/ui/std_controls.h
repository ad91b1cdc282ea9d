#pragma once
// The simple controls: labels, buttons, check boxes, radio buttons, group
// boxes, panels, edits, memos, combo boxes, status bars and progress bars.
// OnChange and OnClick report what the user does; setting a property from
// code raises no event.

#include <string>
#include <vector>

#include "ui/control.h"

namespace gleanix::ui {

class TLabel : public TControl {
 public:
  TLabel(TForm& form, const ControlSpec& spec, TComponent& parent);
};

class TButton : public TControl {
 public:
  TButton(TForm& form, const ControlSpec& spec, TComponent& parent);
  bool isDefault() const { return isDefault_; }
  bool isCancel() const { return isCancel_; }
  int modalResult() const { return modalResult_; }
  void setModalResult(int result) { modalResult_ = result; }
  // As a click by the user: the form takes the modal result, then OnClick runs.
  void performClick() { click(); }

 protected:
  void click() override;

 private:
  bool isDefault_;
  bool isCancel_;
  int modalResult_;
};

class TCheckBox : public TControl {
 public:
  TCheckBox(TForm& form, const ControlSpec& spec, TComponent& parent);
  bool checked() const;
  void setChecked(bool checked);

 protected:
  void click() override;  // toggles, then OnClick
};

// Radio buttons with the same parent form one group: checking one unchecks
// the others.
class TRadioButton : public TControl {
 public:
  TRadioButton(TForm& form, const ControlSpec& spec, TComponent& parent);
  bool checked() const;
  void setChecked(bool checked);

 protected:
  void click() override;  // checks this one; OnClick when it was not checked
};

class TGroupBox : public TControl {
 public:
  TGroupBox(TForm& form, const ControlSpec& spec, TComponent& parent);

  Bounds alignArea() const override;
};

class TPanel : public TControl {
 public:
  TPanel(TForm& form, const ControlSpec& spec, TComponent& parent);

  Bounds alignArea() const override;

 private:
  bool bevel_;
};

class TEdit : public TControl {
 public:
  TEdit(TForm& form, const ControlSpec& spec, TComponent& parent);
  std::string text() const { return caption(); }
  void setText(const std::string& t) { setCaption(t); }
  void selectAll();
};

// Several lines; its text holds CR LF between lines.
class TMemo : public TControl {
 public:
  TMemo(TForm& form, const ControlSpec& spec, TComponent& parent);
  std::string text() const { return caption(); }
  void setText(const std::string& t) { setCaption(t); }
  // The text split at line ends (CR LF, CR or LF); no empty last line.
  std::vector<std::string> lines() const;
  // The lines, each followed by CR LF.
  void setLines(const std::vector<std::string>& lines);
};

class TComboBox : public TControl {
 public:
  TComboBox(TForm& form, const ControlSpec& spec, TComponent& parent);
  const std::vector<std::string>& items() const { return items_; }
  void setItems(const std::vector<std::string>& items);
  int itemIndex() const;
  void setItemIndex(int index);
  std::string text() const { return caption(); }
  void setText(const std::string& t) { setCaption(t); }

 protected:
  void click() override;  // an entry chosen from the list: OnClick, then OnChange

 private:
  std::vector<std::string> items_;
};

class TStatusBar : public TControl {
 public:
  TStatusBar(TForm& form, const ControlSpec& spec, TComponent& parent);
  std::string simpleText() const { return caption(); }
  void setSimpleText(const std::string& t) { setCaption(t); }
};

class TProgressBar : public TControl {
 public:
  TProgressBar(TForm& form, const ControlSpec& spec, TComponent& parent);
  int max() const { return max_; }
  void setMax(int max);
  int position() const;
  void setPosition(int position);

 private:
  int max_ = 100;
};

}  // namespace gleanix::ui
