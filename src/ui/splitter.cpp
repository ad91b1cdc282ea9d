#include "ui/splitter.h"

#include <vector>

namespace gleanix::ui {
namespace {

bool horizontalAxis(Align a) { return a == Align::Left || a == Align::Right; }

std::vector<LayoutItem> siblingItems(const TControl& parent) {
  std::vector<LayoutItem> items;
  for (const TControl* c : parent.children()) {
    items.push_back({c->align(), c->anchors(), c->visible(), c->bounds(), 0, 0});
  }
  return items;
}

int indexOf(const TControl& parent, const TControl* child) {
  const auto& kids = parent.children();
  for (std::size_t i = 0; i < kids.size(); ++i) {
    if (kids[i] == child) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

TSplitter::TSplitter(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::Splitter,
               horizontalAxis(spec.align) ? 0u : sys::kHorizontalBar),
      minSize_(spec.props.minSize) {}

int TSplitter::pointerOnAxis(const sys::Event& e) const {
  return horizontalAxis(align()) ? left() + e.pos.x : top() + e.pos.y;
}

void TSplitter::mouseDown(sys::Event& e) {
  if (e.button != sys::MouseButton::Left || !parent()) return;
  const std::vector<LayoutItem> items = siblingItems(*parent());
  const int t = splitterTarget(items, indexOf(*parent(), this));
  if (t < 0) return;
  target_ = parent()->children()[t];
  startPointer_ = pointerOnAxis(e);
  startSize_ = horizontalAxis(align()) ? target_->width() : target_->height();
  desktop().setCapture(handle());
  e.handled = true;
}

void TSplitter::mouseMove(sys::Event& e) {
  if (!target_) return;
  const std::vector<LayoutItem> items = siblingItems(*parent());
  const int self = indexOf(*parent(), this);
  const int t = indexOf(*parent(), target_);
  const Bounds area = parent()->alignArea();
  const int size = splitterSize(items, self, t, area, startSize_, pointerOnAxis(e) - startPointer_, minSize_);
  if (horizontalAxis(align())) {
    target_->setWidth(size);
  } else {
    target_->setHeight(size);
  }
}

void TSplitter::mouseUp(sys::Event& e) {
  if (!target_) return;
  mouseMove(e);
  target_ = nullptr;
  desktop().releaseCapture();
  fire(Event::OnMoved);
}

}  // namespace gleanix::ui
