#include "ui/control.h"

#include <stdexcept>

#include "ui/form.h"

namespace gleanix::ui {
namespace {

TControl& parentControl(TComponent& parent, const std::string& name) {
  auto* p = dynamic_cast<TControl*>(&parent);
  if (!p) throw std::logic_error("control " + name + ": its parent " + parent.name() + " has no window");
  return *p;
}

sys::Rect toRect(const Bounds& b) { return {b.left, b.top, b.right(), b.bottom()}; }

}  // namespace

TControl::TControl(TForm& form, const ControlSpec& spec, TComponent& parent, sys::ControlKind kind,
                   unsigned style)
    : TComponent(form, spec.name),
      parent_(&parentControl(parent, spec.name)),
      align_(spec.align),
      anchors_(spec.props.anchors),
      bounds_(spec.bounds),
      visible_(spec.props.visible),
      enabled_(spec.props.enabled),
      hint_(spec.props.hint),
      tag_(spec.props.tag),
      font_(parent_->font()) {
  sys::WindowSpec w;
  w.kind = kind;
  w.name = spec.name;
  w.text = spec.caption;
  w.parent = parent_->handle();
  w.bounds = toRect(bounds_);
  w.style = style;
  w.dropDownCount = spec.props.dropDownCount;
  handle_ = desktop().createWindow(w, this);
  parent_->children_.push_back(this);
  desktop().setFont(handle_, font_);
  if (!enabled_) desktop().setEnabled(handle_, false);
  desktop().setVisible(handle_, visible_);
}

TControl::TControl(TForm& form, sys::Desktop& desktop, const std::string& name, const sys::WindowSpec& window)
    : TComponent(form, name, desktop),
      bounds_{0, 0, window.bounds.width(), window.bounds.height()},
      visible_(false) {
  handle_ = desktop.createWindow(window, this);
  desktop.setFont(handle_, font_);
}

// The form destroys all windows at once; a control never outlives its form.
TControl::~TControl() = default;

void TControl::setAlign(Align align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->realign();
}

void TControl::setBounds(const Bounds& b) {
  applyBounds(b);
  recomputeAnchors();
  if (parent_ && align_ != Align::None) parent_->realign();
}

void TControl::setBoundsFromLayout(const Bounds& b) { applyBounds(b); }

void TControl::applyBounds(const Bounds& b) {
  if (b == bounds_) return;
  const bool sized = b.width != bounds_.width || b.height != bounds_.height;
  bounds_ = b;
  desktop().setBounds(handle_, toRect(b));
  if (sized) resized();
}

void TControl::recomputeAnchors() {
  if (!parent_) return;
  LayoutItem item;
  item.bounds = bounds_;
  setAnchorMargins(item, parent_->clientWidth(), parent_->clientHeight());
  rightMargin_ = item.rightMargin;
  bottomMargin_ = item.bottomMargin;
}

void TControl::resized() {
  realign();
  fire(Event::OnResize);
}

void TControl::realign() {
  if (children_.empty()) return;
  std::vector<LayoutItem> items;
  items.reserve(children_.size());
  for (const TControl* c : children_) {
    items.push_back({c->align_, c->anchors_, c->visible_, c->bounds_, c->rightMargin_, c->bottomMargin_});
  }
  arrange(items, alignArea(), clientWidth(), clientHeight());
  // The list may grow while children realign (never in practice); index by copy.
  const std::vector<TControl*> kids = children_;
  for (std::size_t i = 0; i < kids.size(); ++i) kids[i]->applyBounds(items[i].bounds);
}

void TControl::setVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  desktop().setVisible(handle_, v);
  if (parent_ && align_ != Align::None) parent_->realign();
}

bool TControl::showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::setEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  desktop().setEnabled(handle_, e);
}

std::string TControl::caption() const { return desktop().text(handle_); }

void TControl::setCaption(const std::string& text) { desktop().setText(handle_, text); }

void TControl::setFont(const sys::Font& font) {
  font_ = font;
  desktop().setFont(handle_, font);
  for (TControl* c : children_) c->setFont(font);
}

void TControl::setColor(sys::Color color) { desktop().setColor(handle_, color); }

void TControl::setFocus() { desktop().setFocus(handle_); }

void TControl::invalidate() { desktop().invalidate(handle_); }

void TControl::handleEvent(sys::Event& e) {
  switch (e.type) {
    case sys::EventType::Click:
      click();
      break;
    case sys::EventType::DoubleClick:
      doubleClick();
      break;
    case sys::EventType::Change:
      change();
      break;
    case sys::EventType::MouseDown:
      mouseDown(e);
      break;
    case sys::EventType::MouseMove:
      mouseMove(e);
      break;
    case sys::EventType::MouseUp:
      mouseUp(e);
      break;
    default:
      handleOther(e);
      break;
  }
}

void TControl::click() { fire(Event::OnClick); }

void TControl::doubleClick() { fire(Event::OnDblClick); }

void TControl::change() { fire(Event::OnChange); }

void TControl::mouseDown(sys::Event& e) {
  EventArgs args;
  args.button = e.button;
  args.shift = e.shift;
  args.x = e.pos.x;
  args.y = e.pos.y;
  fire(Event::OnMouseDown, args);
  if (args.handled) e.handled = true;
}

void TControl::mouseMove(sys::Event&) {}

void TControl::mouseUp(sys::Event&) {}

void TControl::handleOther(sys::Event&) {}

}  // namespace gleanix::ui
