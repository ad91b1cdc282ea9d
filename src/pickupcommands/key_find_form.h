#pragma once
// TKeyFindForm, "キーワード検索 / Gleanix": the keyword pickup's dialog.
// Three panels side by side with splitters between them: the folder tree;
// the parts searched ("本文", "ヘッダーのどこか", "以下のヘッダー" and the
// header box); the keyword box with the drop-down list of the keywords used
// before. OK keeps the keyword first in the history and, when the in-mail
// search shares it, in "Search"/"Keyword".

#include <string>
#include <vector>

#include "pickupcommands/pickup_dialog.h"

namespace gleanix::pickupcommands {

inline constexpr const char* kKeyFindFormName = "KeyFindForm";

namespace key_layout {
inline constexpr int kClientWidth = 660;
inline constexpr int kClientHeight = 380;
inline constexpr int kTreeWidth = 210;
inline constexpr int kPartWidth = 200;
}  // namespace key_layout

class TKeyFindForm : public TPickupDialog {
 public:
  TKeyFindForm(core::StartedPlugin& plugin, sys::WindowHandle owner);

  // The history as loaded when shown, and as OK left it.
  const std::vector<std::string>& history() const { return history_; }

 private:
  void FormShow();
  void HeaderCheckClick();
  void KeywordMemoChange();
  void HistoryComboClick();
  void OKButtonClick();

  void restoreLayout() override;
  void saveLayout() override;
  void applyHeaderRule();
  void writeSharedKeyword();

  std::vector<std::string> history_;
};

}  // namespace gleanix::pickupcommands
