#pragma once
// A page control whose tabs are hidden: it shows one of its pages (the
// TTabSheet rows whose parent it is) at a time, each filling it.

#include <vector>

#include "ui/control.h"

namespace gleanix::ui {

class TTabSheet;

class TPageControl : public TControl {
 public:
  TPageControl(TForm& form, const ControlSpec& spec, TComponent& parent);
  int pageCount() const { return static_cast<int>(pages().size()); }
  std::vector<TTabSheet*> pages() const;
  TTabSheet* activePage() const { return active_; }
  void setActivePage(TTabSheet* page);
  // Every page fills the control, shown or not.
  void realign() override;

 protected:
  void loaded() override;

 private:
  TTabSheet* active_ = nullptr;
};

// A page keeps its caption to itself: its window shows none.
class TTabSheet : public TControl {
 public:
  TTabSheet(TForm& form, const ControlSpec& spec, TComponent& parent);
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& text) override { caption_ = text; }

 private:
  std::string caption_;
};

}  // namespace gleanix::ui
