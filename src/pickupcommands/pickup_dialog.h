#pragma once
// TPickupDialog: what the three search dialogs (TMarkFindForm,
// TKeyFindForm, TRelatedForm) share. A folder tree panel on the left with
// a splitter beside it, the buttons "ピックアップ", "キャンセル" and "ヘルプ"
// at the bottom; its geometry and tree panel width kept under the form
// name, the tree's checks written to the command's folder list on OK.
//
// The layout rows every dialog shares come from the helpers below; each
// dialog adds its own panels between the splitter and the right edge.

#include <string>
#include <vector>

#include "controls/mailbox_tree_view.h"
#include "core/started_plugin.h"
#include "ui/form.h"

namespace gleanix::pickupcommands {

namespace dialog_layout {
inline constexpr int kButtonPanelHeight = 41;
inline constexpr int kButtonWidth = 96;
inline constexpr int kButtonHeight = 25;
inline constexpr int kSplitterWidth = 4;
// Neither side of a splitter gets narrower.
inline constexpr int kMinPaneWidth = 60;
inline constexpr int kLabelHeight = 16;
inline constexpr int kCheckHeight = 18;
// Between the panels' contents and the button panel.
inline constexpr int kBottomMargin = 6;
}  // namespace dialog_layout

// The tree panel ("TreePanel": "TreeLabel" over "FolderTree", whose
// Checkable is inbox, outbox, trash and user folders) and its splitter
// ("TreeSplitter"), treeWidth wide, bodyHeight high.
void addTreePanel(std::vector<ui::ControlSpec>& rows, const char* label, int treeWidth, int bodyHeight);
// The bottom panel ("ButtonPanel") of a clientWidth x clientHeight dialog
// with "OKButton" (the default, modal result 1; its click runs onOK when
// given), "CancelButton" (modal result 2) and "HelpButton", right-aligned.
void addButtonPanel(std::vector<ui::ControlSpec>& rows, const char* okCaption, int clientWidth, int clientHeight,
                    const char* onOK = "OKButtonClick");

// The table of a search dialog: sizeable, with the handlers FormCreate,
// FormShow and FormClose.
ui::FormTable searchDialogTable(const char* className, const char* caption, int clientWidth, int clientHeight,
                                std::vector<ui::ControlSpec> rows);

class TPickupDialog : public ui::TForm {
 public:
  controls::TMailboxTreeView& tree() const { return tree_; }
  // The command's settings section ("MarkFind") and the dialog's form name
  // ("MarkFindForm").
  const std::string& section() const { return section_; }
  const std::string& formName() const { return formName_; }
  // Shows the mail store below the root in the tree.
  void showStore(const std::string& mailRoot);

 protected:
  // Registers the shared handlers; the dialog registers its own and then
  // calls created().
  TPickupDialog(core::StartedPlugin& plugin, const ui::FormTable& layout, sys::WindowHandle owner,
                std::string section, std::string formName);

  core::StartedPlugin& plugin() const { return plugin_; }
  // When shown: the tree's ExpandOnCheckAll from Cmd\Tree.
  void applyExpandOnCheckAll();
  // On OK: Cmd/"Folder" from the tree's checks.
  void writeFolderList();

  // A panel's width from the settings (form name, key), kept so that both
  // sides of its splitter stay usable; and written back.
  void restorePanelWidth(ui::TControl& panel, const char* key);
  void savePanelWidth(const ui::TControl& panel, const char* key);

  // On creation: geometry and "TreeWidth"; on closing (whatever the
  // result) both written back. Dialogs with more panels add theirs.
  virtual void restoreLayout();
  virtual void saveLayout();

 private:
  void FormCreate();
  void FormClose();
  void HelpButtonClick();

  core::StartedPlugin& plugin_;
  std::string section_;
  std::string formName_;
  controls::TMailboxTreeView& tree_;
};

}  // namespace gleanix::pickupcommands
