#pragma once
// TMarkFindForm, "マークで抽出 / Gleanix": the mark pickup's dialog. The
// folder tree on the left; on the right "探すマーク" over ten check boxes,
// "未読", "既読", "マークなし" and "マーク１" to "マーク７", the marks shown
// with the host's colour of each. "ピックアップ" is enabled while at least
// one box is checked.

#include <array>

#include "pickupcommands/pickup_dialog.h"

namespace gleanix::ui {
class TCheckBox;
}

namespace gleanix::pickupcommands {

inline constexpr const char* kMarkFindFormName = "MarkFindForm";

namespace mark_layout {
inline constexpr int kClientWidth = 460;
inline constexpr int kClientHeight = 330;
inline constexpr int kTreeWidth = 220;
}  // namespace mark_layout

class TMarkFindForm : public TPickupDialog {
 public:
  TMarkFindForm(core::StartedPlugin& plugin, sys::WindowHandle owner);

  // The boxes in dialog order: MidokuCheck, KidokuCheck, Mark0Check ...
  // Mark7Check.
  ui::TCheckBox& markCheck(std::size_t index) const { return *checks_[index]; }

 private:
  void FormShow();
  void MarkCheckClick();
  void OKButtonClick();
  void updateOKButton();

  std::array<ui::TCheckBox*, 10> checks_{};
};

}  // namespace gleanix::pickupcommands
