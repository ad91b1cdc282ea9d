#include "ui/header_control.h"

#include "ui/form.h"

namespace gleanix::ui {

THeaderControl::THeaderControl(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::Header) {
  for (const Column& c : spec.props.columns) {
    desktop().headerAddSection(handle(), c.caption, c.width);
    captions_.push_back(c.caption);
  }
}

int THeaderControl::sectionWidth(int index) const { return desktop().headerSectionWidth(handle(), index); }

void THeaderControl::setSectionWidth(int index, int width) {
  desktop().headerSetSectionWidth(handle(), index, width);
}

int THeaderControl::sectionLeft(int index) const {
  int x = 0;
  for (int i = 0; i < index; ++i) x += sectionWidth(i);
  return x;
}

void THeaderControl::handleOther(sys::Event& e) {
  EventArgs args;
  args.index = e.id;
  switch (e.type) {
    case sys::EventType::DrawItem:
      args.rect = e.rect;
      args.canvas = e.canvas;
      fire(Event::OnDrawSection, args);
      break;
    case sys::EventType::SectionClick:
      fire(Event::OnSectionClick, args);
      break;
    case sys::EventType::SectionResize:
      fire(Event::OnSectionResize, args);
      break;
    default:
      break;
  }
}

}  // namespace gleanix::ui
