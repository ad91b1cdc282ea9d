#include "ui/page_control.h"

#include <stdexcept>

#include "ui/form.h"

namespace gleanix::ui {
namespace {

ControlSpec pageSpec(ControlSpec spec) {
  spec.align = Align::None;
  spec.props.visible = false;
  spec.caption.clear();
  return spec;
}

}  // namespace

TPageControl::TPageControl(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::Panel) {}

std::vector<TTabSheet*> TPageControl::pages() const {
  std::vector<TTabSheet*> out;
  for (TControl* c : children()) {
    if (auto* p = dynamic_cast<TTabSheet*>(c)) out.push_back(p);
  }
  return out;
}

void TPageControl::setActivePage(TTabSheet* page) {
  if (page && page->parent() != this) throw std::logic_error(name() + ": not its page: " + page->name());
  active_ = page;
  for (TTabSheet* p : pages()) p->setVisible(p == page);
}

void TPageControl::realign() {
  for (TTabSheet* p : pages()) p->setBoundsFromLayout(alignArea());
}

void TPageControl::loaded() {
  const auto all = pages();
  if (!all.empty() && !active_) setActivePage(all.front());
}

TTabSheet::TTabSheet(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, pageSpec(spec), parent, sys::ControlKind::Panel), caption_(spec.caption) {
  if (!dynamic_cast<TPageControl*>(&parent)) throw std::logic_error(spec.name + ": a page outside a page control");
}

}  // namespace gleanix::ui
