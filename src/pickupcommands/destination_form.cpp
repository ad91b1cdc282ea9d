#include "pickupcommands/destination_form.h"

#include "core/form_services.h"
#include "pickupcommands/folder_tree.h"
#include "pickupcommands/pickup_dialog.h"
#include "ui/std_controls.h"

namespace gleanix::pickupcommands {
namespace {

using namespace dialog_layout;
using namespace destination_layout;
using ui::Event;
using ui::make;

constexpr unsigned kAllSides = ui::akLeft | ui::akTop | ui::akRight | ui::akBottom;
constexpr unsigned kStretch = ui::akLeft | ui::akTop | ui::akRight;
constexpr int kTreeTop = 100;
constexpr int kBodyHeight = kClientHeight - kButtonPanelHeight;

ui::ControlSpec line(const char* name, int top) {
  return {.kind = make<ui::TLabel>, .name = name, .bounds = {12, top, kClientWidth - 24, kLabelHeight},
          .props = {.anchors = kStretch}};
}

ui::ControlSpec choice(const char* name, const char* caption, int top, bool checked) {
  return {.kind = make<ui::TRadioButton>, .name = name, .caption = caption,
          .bounds = {12, top, kClientWidth - 24, kCheckHeight}, .props = {.anchors = kStretch, .checked = checked},
          .events = {{Event::OnClick, "ChoiceRadioClick"}}};
}

std::vector<ui::ControlSpec> rows() {
  std::vector<ui::ControlSpec> r;
  r.push_back(line("CountLabel", 10));
  r.push_back(line("QuestionLabel", 30));
  r.push_back(choice("ListRadio", "ピックアップメール一覧", 54, true));
  r.push_back(choice("CopyRadio", "以下のフォルダにコピー", 76, false));
  r.push_back({.kind = make<controls::TMailboxTreeView>, .name = "DestinationTree",
               .bounds = {12, kTreeTop, kClientWidth - 24, kBodyHeight - kTreeTop - 4},
               .props = {.anchors = kAllSides, .hideSelection = false,
                         .extra = {{"Checkable", "IOF"}, {"ExpandOnCheckAll", "true"}}}});
  addButtonPanel(r, "ＯＫ", kClientWidth, kClientHeight, nullptr);
  return r;
}

const ui::FormTable& layout() {
  static const ui::FormTable table = {
      .className = "TDestinationForm",
      .caption = "ピックアップ先",
      .clientWidth = kClientWidth,
      .clientHeight = kClientHeight,
      .sizeable = true,
      .events = {{Event::OnCreate, "FormCreate"}, {Event::OnClose, "FormClose"}},
      .controls = rows(),
  };
  return table;
}

}  // namespace

TDestinationForm::TDestinationForm(core::StartedPlugin& plugin, sys::WindowHandle owner)
    : ui::TForm(plugin.desktop(), layout(), owner),
      plugin_(plugin),
      tree_(component<controls::TMailboxTreeView>("DestinationTree")) {
  handler("FormCreate", &TDestinationForm::FormCreate);
  handler("FormClose", &TDestinationForm::FormClose);
  handler("ChoiceRadioClick", &TDestinationForm::ChoiceRadioClick);
  handler("HelpButtonClick", &TDestinationForm::HelpButtonClick);
  created();
}

void TDestinationForm::FormCreate() {
  core::restoreFormGeometry(plugin_, *this, kDestinationFormName);
  tree_.setFileSystem(&plugin_.fs());
  tree_.setPath(plugin_.host().getMailbox());
  expandListed(tree_, plugin_.settings().readString("Destination", "Expand", ""));
  applyTreeRule();
}

// Whatever the result: the open branches, then the geometry (which also
// writes the settings file).
void TDestinationForm::FormClose() {
  plugin_.settings().writeSetting("Destination", "Expand", expandedPaths(tree_));
  core::saveFormGeometry(plugin_, *this, kDestinationFormName);
}

void TDestinationForm::setHitCount(std::size_t hits) {
  component<ui::TLabel>("CountLabel").setCaption(std::to_string(hits) + "個のメールがヒットしました。");
  component<ui::TLabel>("QuestionLabel").setCaption("どこにピックアップしますか？");
}

bool TDestinationForm::copyChosen() const { return component<ui::TRadioButton>("CopyRadio").checked(); }

std::vector<std::string> TDestinationForm::destinations() const { return checkedFolders(tree_); }

void TDestinationForm::ChoiceRadioClick() { applyTreeRule(); }

void TDestinationForm::applyTreeRule() { tree_.setEnabled(copyChosen()); }

void TDestinationForm::HelpButtonClick() { core::showHelp(plugin_, handle()); }

}  // namespace gleanix::pickupcommands
