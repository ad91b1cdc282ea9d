#pragma once
// A form: a top-level window whose window class name is the form's class
// name, built from a FormTable. A derived form registers its handler methods
// by name and then calls created(), which binds the table's events and runs
// OnCreate:
//
//   TCopyMoveForm::TCopyMoveForm(sys::Desktop& d, sys::WindowHandle owner)
//       : TForm(d, kLayout, owner) {
//     handler("FormCreate", &TCopyMoveForm::FormCreate);
//     handler("OKButtonClick", &TCopyMoveForm::OKButtonClick);
//     created();
//   }

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"
#include "ui/form_table.h"

namespace gleanix::ui {

class TButton;
class TTimer;

class TForm : public TControl {
 public:
  TForm(sys::Desktop& desktop, const FormTable& spec, sys::WindowHandle owner = 0);
  ~TForm() override;

  using TComponent::desktop;
  const std::string& className() const { return className_; }
  // A resizable frame (else a fixed dialog frame), as the table says.
  bool sizeable() const { return sizeable_; }

  TComponent* findComponent(std::string_view name) const;
  // The component of that name and type; throws std::logic_error otherwise.
  template <class T>
  T& component(std::string_view name) const {
    auto* c = dynamic_cast<T*>(findComponent(name));
    if (!c) throw std::logic_error(className_ + ": no component " + std::string(name) + " of that kind");
    return *c;
  }

  int clientWidth() const override { return clientWidth_; }
  int clientHeight() const override { return clientHeight_; }
  // Resizes the window so that its client area gets this size.
  void setClientSize(int width, int height);
  // The window's outer rectangle in screen coordinates.
  sys::Rect windowRect() const;
  void setWindowRect(const sys::Rect& r);

  // Shows the form and waits until a modal result is set (by a button with a
  // modal result, by a handler, or 2 when the user closes the window);
  // OnClose runs before the form hides. Returns the modal result.
  int showModal();
  bool inModal() const { return inModal_; }
  int modalResult() const { return modalResult_; }
  void setModalResult(int result) { modalResult_ = result; }

  // Shows the form without waiting; OnShow runs each time it appears.
  void show();
  void hide();
  // As the user's close: OnClose decides (hide, free, or nothing).
  void close();
  // A form closed with CloseAction::Free: its window is gone; whoever owns
  // the object deletes it.
  bool released() const { return released_; }

  bool getPlacement(sys::Placement& out) const;
  void setPlacement(const sys::Placement& p);

  // Width of the text in the form's font.
  int textWidth(std::string_view text) const;

  TButton* defaultButton() const;
  TButton* cancelButton() const;

  // Used by TTimer: a timer id unique within this form.
  int registerTimer(TTimer* timer);
  void unregisterTimer(int id);

 protected:
  template <class F>
  void handler(const std::string& name, void (F::*method)()) {
    F* self = static_cast<F*>(this);
    handlers_[name] = [self, method](EventArgs&) { (self->*method)(); };
  }
  template <class F>
  void handler(const std::string& name, void (F::*method)(EventArgs&)) {
    F* self = static_cast<F*>(this);
    handlers_[name] = [self, method](EventArgs& a) { (self->*method)(a); };
  }
  // Binds every event of the table to its handler (std::logic_error names a
  // missing one) and runs OnCreate.
  void created();

  void handleOther(sys::Event& e) override;

 private:
  struct PendingBinding {
    TComponent* component;
    Event event;
    std::string handler;
  };
  void addRow(const ControlSpec& row);
  void syncClientSize();
  void keyDown(sys::Event& e);
  void doClose(CloseAction action);

  std::string className_;
  bool sizeable_ = true;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  std::vector<std::unique_ptr<TComponent>> components_;
  std::map<std::string, TComponent*, std::less<>> byName_;
  std::map<std::string, Handler> handlers_;
  std::vector<PendingBinding> bindings_;
  std::map<int, TTimer*> timers_;
  int nextTimerId_ = 1;
  int modalResult_ = 0;
  bool inModal_ = false;
  bool released_ = false;
};

}  // namespace gleanix::ui
