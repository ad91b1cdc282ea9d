#pragma once
// A timer of a form: while enabled, OnTimer runs every interval.

#include "ui/component.h"
#include "ui/form_table.h"

namespace gleanix::ui {

class TTimer : public TComponent {
 public:
  TTimer(TForm& form, const ControlSpec& spec, TComponent& parent);
  ~TTimer() override;

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  int interval() const { return interval_; }
  void setInterval(int ms);
  int id() const { return id_; }
  // The desktop's timer went off.
  void fired() { fire(Event::OnTimer); }

 private:
  void update();

  int id_;
  int interval_;
  bool enabled_;
};

}  // namespace gleanix::ui
