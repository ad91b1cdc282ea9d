#pragma once
// TDestinationForm, "ピックアップ先": where the hits of a pickup go when the
// command asks each time. "ピックアップメール一覧" (a new pickup list
// window, the choice it opens with) or "以下のフォルダにコピー" into the
// folders checked in its tree (inboxes, outboxes and user folders), which
// is enabled only while that choice is made. The tree's open branches are
// kept in "Destination"/"Expand"; the choice itself is not kept.

#include <cstddef>
#include <string>
#include <vector>

#include "controls/mailbox_tree_view.h"
#include "core/started_plugin.h"
#include "ui/form.h"

namespace gleanix::pickupcommands {

inline constexpr const char* kDestinationFormName = "DestinationForm";

namespace destination_layout {
inline constexpr int kClientWidth = 340;
inline constexpr int kClientHeight = 420;
}  // namespace destination_layout

class TDestinationForm : public ui::TForm {
 public:
  TDestinationForm(core::StartedPlugin& plugin, sys::WindowHandle owner);

  // The two lines above the choice: the hit count and the question.
  void setHitCount(std::size_t hits);
  // "以下のフォルダにコピー" is chosen.
  bool copyChosen() const;
  // The checked folders in tree order.
  std::vector<std::string> destinations() const;
  controls::TMailboxTreeView& tree() const { return tree_; }

 private:
  void FormCreate();
  void FormClose();
  void ChoiceRadioClick();
  void HelpButtonClick();
  void applyTreeRule();

  core::StartedPlugin& plugin_;
  controls::TMailboxTreeView& tree_;
};

}  // namespace gleanix::pickupcommands
