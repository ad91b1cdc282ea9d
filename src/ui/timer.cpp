#include "ui/timer.h"

#include "ui/form.h"

namespace gleanix::ui {

TTimer::TTimer(TForm& form, const ControlSpec& spec, TComponent&)
    : TComponent(form, spec.name),
      id_(form.registerTimer(this)),
      interval_(spec.props.interval),
      enabled_(spec.props.enabled) {
  update();
}

TTimer::~TTimer() {
  // A released form's window is gone, and its handle may already name
  // another window.
  if (!form().released()) desktop().killTimer(form().handle(), id_);
  form().unregisterTimer(id_);
}

void TTimer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  update();
}

void TTimer::setInterval(int ms) {
  interval_ = ms;
  update();
}

void TTimer::update() {
  if (form().released()) return;
  if (enabled_ && interval_ > 0) {
    desktop().setTimer(form().handle(), id_, interval_);
  } else {
    desktop().killTimer(form().handle(), id_);
  }
}

}  // namespace gleanix::ui
