#pragma once
// The base of everything placed on a form: a named component whose events
// run handlers bound by name (`OKButtonClick`, `FormShow`).

#include <functional>
#include <map>
#include <string>

#include "sys/desktop.h"

namespace gleanix::ui {

class TForm;
class TComponent;

enum class Event {
  OnCreate,
  OnShow,
  OnClose,
  OnResize,
  OnClick,
  OnDblClick,
  OnChange,
  OnMouseDown,
  OnKeyDown,
  OnTimer,
  OnPopup,
  OnDrawSection,
  OnSectionClick,
  OnSectionResize,
  OnMoved,
};

// What OnClose does with the form once the handler has run.
enum class CloseAction { None, Hide, Free };

struct EventArgs {
  TComponent* sender = nullptr;
  // OnMouseDown, OnKeyDown (key: the virtual-key code; shift for both)
  sys::MouseButton button = sys::MouseButton::Left;
  unsigned shift = 0;
  int x = 0;
  int y = 0;
  int key = 0;
  // OnMouseDown, OnKeyDown: set by the handler to skip the control's own
  // handling of the press.
  bool handled = false;
  // OnDrawSection, OnSectionClick, OnSectionResize
  int index = 0;
  sys::Rect rect;
  sys::Canvas* canvas = nullptr;
  // OnClose
  CloseAction action = CloseAction::Hide;
};

using Handler = std::function<void(EventArgs&)>;

class TComponent {
 public:
  TComponent(TForm& form, std::string name);
  // For the form itself, whose desktop is not reachable through it yet.
  TComponent(TForm& form, std::string name, sys::Desktop& desktop);
  virtual ~TComponent() = default;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& name() const { return name_; }
  TForm& form() const { return form_; }
  sys::Desktop& desktop() const { return *desktop_; }

  void setHandler(Event event, Handler handler);
  bool hasHandler(Event event) const { return handlers_.count(event) != 0; }

  // Runs the handler bound to the event, if any, with this as sender.
  void fire(Event event, EventArgs& args);
  void fire(Event event);

 private:
  TForm& form_;
  sys::Desktop* desktop_;
  std::string name_;
  std::map<Event, Handler> handlers_;
};

}  // namespace gleanix::ui
