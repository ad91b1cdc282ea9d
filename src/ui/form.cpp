#include "ui/form.h"

#include "ui/std_controls.h"
#include "ui/timer.h"

namespace gleanix::ui {
namespace {

sys::WindowSpec formWindow(const FormTable& spec, sys::WindowHandle owner) {
  sys::WindowSpec w;
  w.kind = sys::ControlKind::Form;
  w.className = spec.className;
  w.name = spec.className;
  w.text = spec.caption;
  w.parent = owner;
  w.bounds = {0, 0, spec.clientWidth, spec.clientHeight};
  w.style = spec.sizeable ? sys::kSizeable : 0u;
  return w;
}

void realignAll(TControl& c) {
  c.realign();
  for (TControl* child : c.children()) realignAll(*child);
}

}  // namespace

TForm::TForm(sys::Desktop& desktop, const FormTable& spec, sys::WindowHandle owner)
    : TControl(*this, desktop, spec.className, formWindow(spec, owner)),
      className_(spec.className),
      sizeable_(spec.sizeable),
      clientWidth_(spec.clientWidth),
      clientHeight_(spec.clientHeight) {
  // Centred on the work area until someone places it.
  const sys::Rect outer = desktop.bounds(handle());
  const sys::Rect work = desktop.workArea();
  const int left = work.left + (work.width() - outer.width()) / 2;
  const int top = work.top + (work.height() - outer.height()) / 2;
  desktop.setBounds(handle(), {left, top, left + outer.width(), top + outer.height()});
  syncClientSize();

  for (const Binding& b : spec.events) bindings_.push_back({this, b.event, b.handler});
  try {
    for (const ControlSpec& row : spec.controls) addRow(row);
  } catch (...) {
    // The destructor does not run for a form that failed to build.
    desktop.destroyWindow(handle());
    components_.clear();
    throw;
  }
  // Anchors keep the distances of the design, measured before any layout.
  for (const auto& c : components_) {
    if (auto* control = dynamic_cast<TControl*>(c.get())) control->recomputeAnchors();
  }
  realignAll(*this);
  for (const auto& c : components_) {
    if (auto* control = dynamic_cast<TControl*>(c.get())) control->loaded();
  }
}

TForm::~TForm() {
  if (!released_) desktop().destroyWindow(handle());
  components_.clear();
}

void TForm::addRow(const ControlSpec& row) {
  if (!row.kind) throw std::logic_error(className_ + ": row " + row.name + " has no kind");
  if (row.name.empty() || byName_.count(row.name) || row.name == className_) {
    throw std::logic_error(className_ + ": missing or repeated name " + row.name);
  }
  TComponent* parent = this;
  if (!row.parent.empty()) {
    parent = findComponent(row.parent);
    if (!parent) throw std::logic_error(className_ + ": " + row.name + " names an unknown parent " + row.parent);
  }
  std::unique_ptr<TComponent> c = row.kind(*this, row, *parent);
  byName_[row.name] = c.get();
  for (const Binding& b : row.events) bindings_.push_back({c.get(), b.event, b.handler});
  components_.push_back(std::move(c));
}

TComponent* TForm::findComponent(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

void TForm::created() {
  for (const PendingBinding& b : bindings_) {
    auto it = handlers_.find(b.handler);
    if (it == handlers_.end()) throw std::logic_error(className_ + ": no handler " + b.handler);
    b.component->setHandler(b.event, it->second);
  }
  bindings_.clear();
  fire(Event::OnCreate);
}

void TForm::syncClientSize() {
  const sys::Rect r = desktop().clientRect(handle());
  if (r.width() == clientWidth_ && r.height() == clientHeight_) return;
  clientWidth_ = r.width();
  clientHeight_ = r.height();
  bounds_ = {0, 0, clientWidth_, clientHeight_};
  resized();
}

void TForm::setClientSize(int width, int height) {
  sys::Rect outer = windowRect();
  outer.right += width - clientWidth_;
  outer.bottom += height - clientHeight_;
  setWindowRect(outer);
}

sys::Rect TForm::windowRect() const { return desktop().bounds(handle()); }

void TForm::setWindowRect(const sys::Rect& r) {
  desktop().setBounds(handle(), r);
  syncClientSize();
}

bool TForm::getPlacement(sys::Placement& out) const { return desktop().getPlacement(handle(), out); }

void TForm::setPlacement(const sys::Placement& p) {
  desktop().setPlacement(handle(), p);
  syncClientSize();
}

int TForm::textWidth(std::string_view text) const { return desktop().textExtent(font(), text).x; }

int TForm::showModal() {
  if (released_) throw std::logic_error(className_ + ": released form shown again");
  modalResult_ = 0;
  inModal_ = true;
  visible_ = true;
  fire(Event::OnShow);
  desktop().runModal(handle(), [this] {
    if (modalResult_ == 0) return false;
    EventArgs args;
    args.action = CloseAction::Hide;
    fire(Event::OnClose, args);
    if (args.action == CloseAction::None) {
      modalResult_ = 0;
      return false;
    }
    return true;
  });
  inModal_ = false;
  visible_ = false;
  return modalResult_;
}

void TForm::show() {
  if (released_) return;
  if (!visible_) {
    visible_ = true;
    fire(Event::OnShow);
    desktop().setVisible(handle(), true);
  }
  desktop().setForegroundWindow(handle());
}

void TForm::hide() {
  if (released_ || !visible_) return;
  visible_ = false;
  desktop().setVisible(handle(), false);
}

void TForm::close() {
  if (released_) return;
  if (inModal_) {
    modalResult_ = sys::result::Cancel;
    return;
  }
  EventArgs args;
  args.action = CloseAction::Hide;
  fire(Event::OnClose, args);
  doClose(args.action);
}

void TForm::doClose(CloseAction action) {
  switch (action) {
    case CloseAction::None:
      break;
    case CloseAction::Hide:
      hide();
      break;
    case CloseAction::Free:
      visible_ = false;
      released_ = true;
      desktop().destroyWindow(handle());
      break;
  }
}

TButton* TForm::defaultButton() const {
  for (const auto& c : components_) {
    auto* b = dynamic_cast<TButton*>(c.get());
    if (b && b->isDefault()) return b;
  }
  return nullptr;
}

TButton* TForm::cancelButton() const {
  for (const auto& c : components_) {
    auto* b = dynamic_cast<TButton*>(c.get());
    if (b && b->isCancel()) return b;
  }
  return nullptr;
}

int TForm::registerTimer(TTimer* timer) {
  const int id = nextTimerId_++;
  timers_[id] = timer;
  return id;
}

void TForm::unregisterTimer(int id) { timers_.erase(id); }

void TForm::handleOther(sys::Event& e) {
  switch (e.type) {
    case sys::EventType::Resize:
      syncClientSize();
      break;
    case sys::EventType::Close:
      close();
      e.handled = true;
      break;
    case sys::EventType::KeyDown:
      keyDown(e);
      break;
    case sys::EventType::Timer: {
      auto it = timers_.find(e.id);
      if (it != timers_.end()) it->second->fired();
      break;
    }
    default:
      break;
  }
}

void TForm::keyDown(sys::Event& e) {
  // The control with the focus hears the key first (OnKeyDown).
  for (const auto& c : components_) {
    auto* control = dynamic_cast<TControl*>(c.get());
    if (!control || control->handle() != e.window || !control->hasHandler(Event::OnKeyDown)) continue;
    EventArgs args;
    args.key = e.key;
    args.shift = e.shift;
    control->fire(Event::OnKeyDown, args);
    if (args.handled) {
      e.handled = true;
      return;
    }
    break;
  }
  TButton* target = nullptr;
  if (e.key == sys::vk::Return) {
    // A memo takes Return as a line break.
    for (const auto& c : components_) {
      auto* memo = dynamic_cast<TMemo*>(c.get());
      if (memo && memo->handle() == e.window) return;
    }
    target = defaultButton();
  } else if (e.key == sys::vk::Escape) {
    target = cancelButton();
  }
  if (target && target->showing() && target->enabled()) {
    e.handled = true;
    target->performClick();
  }
}

}  // namespace gleanix::ui
