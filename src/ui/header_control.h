#pragma once
// A header control whose sections are drawn by OnDrawSection. Clicking a
// section runs OnSectionClick, dragging its edge OnSectionResize.

#include <vector>

#include "ui/control.h"

namespace gleanix::ui {

class THeaderControl : public TControl {
 public:
  THeaderControl(TForm& form, const ControlSpec& spec, TComponent& parent);

  int sectionCount() const { return static_cast<int>(captions_.size()); }
  const std::string& sectionText(int index) const { return captions_[index]; }
  int sectionWidth(int index) const;
  void setSectionWidth(int index, int width);
  int sectionLeft(int index) const;
  int sectionRight(int index) const { return sectionLeft(index) + sectionWidth(index); }

 protected:
  void handleOther(sys::Event& e) override;

 private:
  std::vector<std::string> captions_;
};

}  // namespace gleanix::ui
