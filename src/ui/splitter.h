#pragma once
// A splitter: a bar aligned to a side of its parent that resizes the
// control it touches when dragged (live, as the pointer moves). OnMoved runs
// when the drag ends.

#include "ui/control.h"

namespace gleanix::ui {

class TSplitter : public TControl {
 public:
  TSplitter(TForm& form, const ControlSpec& spec, TComponent& parent);
  int minSize() const { return minSize_; }

 protected:
  void mouseDown(sys::Event& e) override;
  void mouseMove(sys::Event& e) override;
  void mouseUp(sys::Event& e) override;

 private:
  int pointerOnAxis(const sys::Event& e) const;  // in the parent's coordinates

  int minSize_;
  TControl* target_ = nullptr;
  int startPointer_ = 0;
  int startSize_ = 0;
};

}  // namespace gleanix::ui
