#pragma once
// TOptionForm, "設定 / Gleanix": the options dialog. A category tree on
// the left, built from the tags of the pages, selects one page at a time:
// the look of the pickup list window, the tree and destination defaults of
// the three pickup commands, the items of the host's menus, the in-mail
// search and the outgoing header stamp. Nothing is written before OK; the
// dialog's own layout (pane widths, last category, geometry) is kept on
// every close.

#include <map>
#include <string>

#include "core/started_plugin.h"
#include "ui/form.h"
#include "ui/page_control.h"
#include "ui/tree_view.h"

namespace gleanix::options {

// The form's name in the settings: its geometry, "TreeWidth" and "Last".
inline constexpr const char* kOptionFormSection = "OptionForm";

// The designed sizes, in pixels.
namespace layout {
inline constexpr int kClientWidth = 724;
inline constexpr int kClientHeight = 440;
inline constexpr int kCategoryWidth = 210;
inline constexpr int kSplitterWidth = 4;
inline constexpr int kFooterHeight = 41;
inline constexpr int kCaptionHeight = 26;
// The left panel of each pickup command's page.
inline constexpr int kLeftPanelWidth = 310;
// Neither side of a splitter gets narrower.
inline constexpr int kMinPaneWidth = 40;
}  // namespace layout

const ui::FormTable& optionFormLayout();

class TOptionForm : public ui::TForm {
 public:
  // The owner is disabled while the dialog runs modally (0: none).
  explicit TOptionForm(core::StartedPlugin& plugin, sys::WindowHandle owner = 0);

  // The page attached to a node of the category tree; nullptr for none.
  ui::TTabSheet* pageOf(const ui::TTreeNode* node) const;

 private:
  void FormCreate();
  void FormShow();
  void FormClose(ui::EventArgs& args);
  void CategoryTreeChange();
  void FontButtonClick(ui::EventArgs& args);
  void ColorButtonClick(ui::EventArgs& args);
  void DestinationRadioClick();
  void OkButtonClick();
  void CancelButtonClick();
  void HelpButtonClick();

  void buildCategoryTree();
  void selectCategory(ui::TTreeNode* node);
  void loadSettings();
  bool menusChanged() const;
  void writeSettings();
  void applyDestinationRule();
  void setSample(const sys::Font& font, sys::Color color);

  core::StartedPlugin& plugin_;
  std::map<int, ui::TTabSheet*> pageOfNode_;  // by node id
  sys::Color sampleColor_ = 0;
  int designedPanelWidth_ = 0;
};

}  // namespace gleanix::options
