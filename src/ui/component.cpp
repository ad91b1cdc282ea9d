#include "ui/component.h"

#include "ui/form.h"

namespace gleanix::ui {

TComponent::TComponent(TForm& form, std::string name)
    : form_(form), desktop_(&form.desktop()), name_(std::move(name)) {}

TComponent::TComponent(TForm& form, std::string name, sys::Desktop& desktop)
    : form_(form), desktop_(&desktop), name_(std::move(name)) {}

void TComponent::setHandler(Event event, Handler handler) {
  if (handler) {
    handlers_[event] = std::move(handler);
  } else {
    handlers_.erase(event);
  }
}

void TComponent::fire(Event event, EventArgs& args) {
  auto it = handlers_.find(event);
  if (it == handlers_.end()) return;
  args.sender = this;
  // A copy: the handler may rebind or release what it runs from.
  Handler h = it->second;
  h(args);
}

void TComponent::fire(Event event) {
  EventArgs args;
  fire(event, args);
}

}  // namespace gleanix::ui
