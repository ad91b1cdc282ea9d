#pragma once
// Checks a form's layout against the desktop's text measurement: every
// caption fits its control, every control lies inside its parent, and no
// two unaligned siblings overlap. Pages of a page control are checked each
// as if shown; hidden controls are skipped.

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/page_control.h"
#include "ui/std_controls.h"

namespace gleanix::testing {

namespace form_fit_detail {

// Room the control's own decoration takes beside its caption.
inline int decoration(const ui::TControl& c) {
  if (dynamic_cast<const ui::TCheckBox*>(&c) || dynamic_cast<const ui::TRadioButton*>(&c)) return 20;
  if (dynamic_cast<const ui::TButton*>(&c)) return 12;
  if (dynamic_cast<const ui::TGroupBox*>(&c)) return 20;
  if (dynamic_cast<const ui::TPanel*>(&c)) return 4;
  return 0;
}

inline bool overlap(const ui::Bounds& a, const ui::Bounds& b) {
  return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

inline void check(const ui::TForm& form, const ui::TControl& c, std::vector<std::string>& faults) {
  const std::string caption = dynamic_cast<const ui::TTabSheet*>(&c) ? std::string() : c.caption();
  if (!caption.empty() && !dynamic_cast<const ui::TEdit*>(&c)) {
    const int need = form.desktop().textExtent(c.font(), caption).x + decoration(c);
    if (need > c.width()) {
      faults.push_back(c.name() + ": caption needs " + std::to_string(need) + " of " + std::to_string(c.width()));
    }
  }
  const auto& kids = c.children();
  for (std::size_t i = 0; i < kids.size(); ++i) {
    const ui::TControl& k = *kids[i];
    const bool page = dynamic_cast<const ui::TTabSheet*>(&k) != nullptr;
    if (!k.visible() && !page) continue;
    const ui::Bounds& b = k.bounds();
    if (b.left < 0 || b.top < 0 || b.right() > c.clientWidth() || b.bottom() > c.clientHeight()) {
      faults.push_back(k.name() + ": outside " + c.name());
    }
    for (std::size_t j = i + 1; j < kids.size() && !page; ++j) {
      const ui::TControl& o = *kids[j];
      if (!o.visible() || dynamic_cast<const ui::TTabSheet*>(&o)) continue;
      if (overlap(b, o.bounds())) faults.push_back(k.name() + " overlaps " + o.name());
    }
    check(form, k, faults);
  }
}

}  // namespace form_fit_detail

// One line per fault; empty when the layout fits.
inline std::vector<std::string> layoutFaults(const ui::TForm& form) {
  std::vector<std::string> faults;
  form_fit_detail::check(form, form, faults);
  return faults;
}

}  // namespace gleanix::testing
