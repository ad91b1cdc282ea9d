#include "pickupcommands/pickup_dialog.h"

#include <algorithm>

#include "core/form_services.h"
#include "pickupcommands/folder_tree.h"
#include "ui/splitter.h"
#include "ui/std_controls.h"

namespace gleanix::pickupcommands {

using namespace dialog_layout;
using ui::Align;
using ui::Event;
using ui::make;

void addTreePanel(std::vector<ui::ControlSpec>& rows, const char* label, int treeWidth, int bodyHeight) {
  constexpr unsigned kAllSides = ui::akLeft | ui::akTop | ui::akRight | ui::akBottom;
  rows.push_back({.kind = make<ui::TPanel>, .name = "TreePanel", .align = Align::Left,
                  .bounds = {0, 0, treeWidth, bodyHeight}});
  rows.push_back({.kind = make<ui::TLabel>, .name = "TreeLabel", .caption = label, .parent = "TreePanel",
                  .bounds = {8, 8, treeWidth - 12, kLabelHeight},
                  .props = {.anchors = ui::akLeft | ui::akTop | ui::akRight}});
  rows.push_back({.kind = make<controls::TMailboxTreeView>, .name = "FolderTree", .parent = "TreePanel",
                  .bounds = {8, 28, treeWidth - 8, bodyHeight - 28 - kBottomMargin},
                  .props = {.anchors = kAllSides, .hideSelection = false, .extra = {{"Checkable", "IOTF"}}}});
  rows.push_back({.kind = make<ui::TSplitter>, .name = "TreeSplitter", .align = Align::Left,
                  .bounds = {treeWidth, 0, kSplitterWidth, bodyHeight}, .props = {.minSize = kMinPaneWidth}});
}

void addButtonPanel(std::vector<ui::ControlSpec>& rows, const char* okCaption, int clientWidth, int clientHeight,
                    const char* onOK) {
  constexpr unsigned kTopRight = ui::akTop | ui::akRight;
  constexpr int kTop = (kButtonPanelHeight - kButtonHeight) / 2;
  constexpr int kStep = kButtonWidth + 8;
  rows.push_back({.kind = make<ui::TPanel>, .name = "ButtonPanel", .align = Align::Bottom,
                  .bounds = {0, clientHeight - kButtonPanelHeight, clientWidth, kButtonPanelHeight}});
  ui::ControlSpec ok{.kind = make<ui::TButton>, .name = "OKButton", .caption = okCaption, .parent = "ButtonPanel",
                     .bounds = {clientWidth - 3 * kStep, kTop, kButtonWidth, kButtonHeight},
                     .props = {.anchors = kTopRight, .isDefault = true, .modalResult = sys::result::Ok}};
  if (onOK) ok.events = {{Event::OnClick, onOK}};
  rows.push_back(std::move(ok));
  rows.push_back({.kind = make<ui::TButton>, .name = "CancelButton", .caption = "キャンセル", .parent = "ButtonPanel",
                  .bounds = {clientWidth - 2 * kStep, kTop, kButtonWidth, kButtonHeight},
                  .props = {.anchors = kTopRight, .isCancel = true, .modalResult = sys::result::Cancel}});
  rows.push_back({.kind = make<ui::TButton>, .name = "HelpButton", .caption = "ヘルプ", .parent = "ButtonPanel",
                  .bounds = {clientWidth - kStep, kTop, kButtonWidth, kButtonHeight},
                  .props = {.anchors = kTopRight}, .events = {{Event::OnClick, "HelpButtonClick"}}});
}

ui::FormTable searchDialogTable(const char* className, const char* caption, int clientWidth, int clientHeight,
                                std::vector<ui::ControlSpec> rows) {
  return {
      .className = className,
      .caption = caption,
      .clientWidth = clientWidth,
      .clientHeight = clientHeight,
      .sizeable = true,
      .events = {{Event::OnCreate, "FormCreate"}, {Event::OnShow, "FormShow"}, {Event::OnClose, "FormClose"}},
      .controls = std::move(rows),
  };
}

TPickupDialog::TPickupDialog(core::StartedPlugin& plugin, const ui::FormTable& layout, sys::WindowHandle owner,
                             std::string section, std::string formName)
    : ui::TForm(plugin.desktop(), layout, owner),
      plugin_(plugin),
      section_(std::move(section)),
      formName_(std::move(formName)),
      tree_(component<controls::TMailboxTreeView>("FolderTree")) {
  tree_.setFileSystem(&plugin.fs());
  handler("FormCreate", &TPickupDialog::FormCreate);
  handler("FormClose", &TPickupDialog::FormClose);
  handler("HelpButtonClick", &TPickupDialog::HelpButtonClick);
}

void TPickupDialog::showStore(const std::string& mailRoot) { tree_.setPath(mailRoot); }

void TPickupDialog::applyExpandOnCheckAll() {
  tree_.setExpandOnCheckAll(plugin_.settings().readBool(section_ + "\\Tree", "ExpandOnCheckAll", true));
}

void TPickupDialog::writeFolderList() { plugin_.settings().writeSetting(section_, "Folder", checkedFolderList(tree_)); }

void TPickupDialog::restorePanelWidth(ui::TControl& panel, const char* key) {
  // What the other panes and splitters beside it take, and room for the
  // pane that fills the rest.
  int others = 0;
  for (const ui::TControl* c : panel.parent()->children()) {
    if (c != &panel && c->visible() && (c->align() == Align::Left || c->align() == Align::Right)) {
      others += c->width();
    }
  }
  const int room = std::max(kMinPaneWidth, panel.parent()->clientWidth() - others - kMinPaneWidth);
  const int wanted = plugin_.settings().readInt(formName_, key, panel.width());
  panel.setWidth(std::clamp(wanted, kMinPaneWidth, room));
}

void TPickupDialog::savePanelWidth(const ui::TControl& panel, const char* key) {
  plugin_.settings().writeSetting(formName_, key, panel.width());
}

void TPickupDialog::restoreLayout() {
  core::restoreFormGeometry(plugin_, *this, formName_);
  restorePanelWidth(component<ui::TPanel>("TreePanel"), "TreeWidth");
}

void TPickupDialog::saveLayout() {
  savePanelWidth(component<ui::TPanel>("TreePanel"), "TreeWidth");
  // Saving the geometry also writes the settings file.
  core::saveFormGeometry(plugin_, *this, formName_);
}

void TPickupDialog::FormCreate() { restoreLayout(); }

void TPickupDialog::FormClose() { saveLayout(); }

void TPickupDialog::HelpButtonClick() { core::showHelp(plugin_, handle()); }

}  // namespace gleanix::pickupcommands
