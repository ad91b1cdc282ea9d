#pragma once
// A pickup list window that is nothing but a handle and a row count, for
// tests of the layers that keep and look up pickup list windows.

#include "core/pickup_window.h"

namespace gleanix::testing {

class FakePickupWindow : public core::PickupWindow {
 public:
  explicit FakePickupWindow(sys::WindowHandle h, int rows = 1) : h_(h), rows_(rows) {}
  sys::WindowHandle handle() const override { return h_; }
  int rowCount() const override { return rows_; }
  std::string previousPath() const override { return {}; }
  std::string nextPath() const override { return {}; }
  void stepPrevious() override {}
  void stepNext() override {}
  void bringToFront() override {}
  bool takeJustOpened() override { return false; }
  void applyLookSettings() override {}

 private:
  sys::WindowHandle h_;
  int rows_;
};

}  // namespace gleanix::testing
