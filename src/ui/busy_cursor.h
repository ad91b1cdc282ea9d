#pragma once
// The hourglass for the life of a scope, restored on every way out
// (returns and exceptions alike). Scopes nest.

#include "sys/desktop.h"

namespace gleanix::ui {

class BusyCursor {
 public:
  explicit BusyCursor(sys::Desktop& desktop) : desktop_(desktop) { desktop_.setBusyCursor(true); }
  ~BusyCursor() { desktop_.setBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  sys::Desktop& desktop_;
};

}  // namespace gleanix::ui
