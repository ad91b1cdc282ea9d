#pragma once
// TRelatedForm, "関連メールの探索 / Gleanix": the related-mail pickup's
// dialog. The folder tree on the left; on the right the starting mails
// ("カーソル位置のメール" or "選択しているメール", hidden when the command
// comes from a VIEW window, and "元にしたメールも結果に含める"), the ways
// of relating mails, and the degree ("探索の次数").

#include "pickupcommands/pickup_dialog.h"

namespace gleanix::pickupcommands {

inline constexpr const char* kRelatedFormName = "RelatedForm";

namespace related_layout {
inline constexpr int kClientWidth = 520;
inline constexpr int kClientHeight = 360;
inline constexpr int kTreeWidth = 220;
}  // namespace related_layout

class TRelatedForm : public TPickupDialog {
 public:
  // fromView: the command came from a VIEW window, whose one mail is the
  // start; the choice between cursor and selection is then hidden.
  TRelatedForm(core::StartedPlugin& plugin, sys::WindowHandle owner, bool fromView);

 private:
  void FormShow();
  void OKButtonClick();

  bool fromView_;
};

}  // namespace gleanix::pickupcommands
