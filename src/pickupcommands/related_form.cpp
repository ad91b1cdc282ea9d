#include "pickupcommands/related_form.h"

#include <array>
#include <string>
#include <vector>

#include "pickupcommands/search_settings.h"
#include "ui/std_controls.h"

namespace gleanix::pickupcommands {
namespace {

using namespace dialog_layout;
using namespace related_layout;
using ui::Align;
using ui::Event;
using ui::make;

constexpr unsigned kStretch = ui::akLeft | ui::akTop | ui::akRight;
constexpr int kBodyHeight = kClientHeight - kButtonPanelHeight;
constexpr int kRightLeft = kTreeWidth + kSplitterWidth;
constexpr int kRightWidth = kClientWidth - kRightLeft;
constexpr int kGroupWidth = kRightWidth - 16;
constexpr int kInnerWidth = kGroupWidth - 24;

// The check boxes of "探索の仕方" and their keys, in dialog order.
struct Method {
  const char* name;
  const char* caption;
  const char* key;
};
constexpr std::array<Method, 4> kMethods = {{{"InReplyToCheck", "In-Reply-To の連結", "InReplyTo"},
                                             {"ReferencesCheck", "References の連結", "References"},
                                             {"SubjectCheck", "題名の類似", "Subject"},
                                             {"QuotesCheck", "引用", "Quotes"}}};

ui::ControlSpec inGroup(ui::ControlFactory kind, const char* name, const char* caption, const char* group, int top) {
  return {.kind = kind, .name = name, .caption = caption, .parent = group,
          .bounds = {12, top, kInnerWidth, kCheckHeight}, .props = {.anchors = kStretch}};
}

std::vector<ui::ControlSpec> rows() {
  std::vector<ui::ControlSpec> r;
  addButtonPanel(r, "ピックアップ", kClientWidth, kClientHeight);
  addTreePanel(r, "探索対象フォルダ", kTreeWidth, kBodyHeight);
  r.push_back({.kind = make<ui::TPanel>, .name = "OptionPanel", .align = Align::Client,
               .bounds = {kRightLeft, 0, kRightWidth, kBodyHeight}});

  r.push_back({.kind = make<ui::TGroupBox>, .name = "SourceGroup", .caption = "元にするメール",
               .parent = "OptionPanel", .bounds = {8, 8, kGroupWidth, 94}, .props = {.anchors = kStretch}});
  r.push_back(inGroup(make<ui::TRadioButton>, "CursorRadio", "カーソル位置のメール", "SourceGroup", 22));
  r.push_back(inGroup(make<ui::TRadioButton>, "SelectedRadio", "選択しているメール", "SourceGroup", 44));
  r.push_back(inGroup(make<ui::TCheckBox>, "IncludeCheck", "元にしたメールも結果に含める", "SourceGroup", 68));

  r.push_back({.kind = make<ui::TGroupBox>, .name = "MethodGroup", .caption = "探索の仕方", .parent = "OptionPanel",
               .bounds = {8, 110, kGroupWidth, 116}, .props = {.anchors = kStretch}});
  for (std::size_t i = 0; i < kMethods.size(); ++i) {
    r.push_back(inGroup(make<ui::TCheckBox>, kMethods[i].name, kMethods[i].caption, "MethodGroup",
                        22 + static_cast<int>(i) * 22));
  }

  r.push_back({.kind = make<ui::TGroupBox>, .name = "OrderGroup", .caption = "探索の次数", .parent = "OptionPanel",
               .bounds = {8, 234, kGroupWidth, 56}, .props = {.anchors = kStretch}});
  r.push_back({.kind = make<ui::TComboBox>, .name = "OrderCombo", .parent = "OrderGroup",
               .bounds = {12, 22, 140, 22},
               .props = {.dropDownList = true,
                         .dropDownCount = 11,
                         .items = {"無制限", "　１次まで", "　２次まで", "　３次まで", "　４次まで", "　５次まで",
                                   "　６次まで", "　７次まで", "　８次まで", "　９次まで", "１０次まで"}}});
  return r;
}

const ui::FormTable& layout() {
  static const ui::FormTable table =
      searchDialogTable("TRelatedForm", "関連メールの探索 / Gleanix", kClientWidth, kClientHeight, rows());
  return table;
}

}  // namespace

TRelatedForm::TRelatedForm(core::StartedPlugin& plugin, sys::WindowHandle owner, bool fromView)
    : TPickupDialog(plugin, layout(), owner, kRelated, kRelatedFormName), fromView_(fromView) {
  handler("FormShow", &TRelatedForm::FormShow);
  handler("OKButtonClick", &TRelatedForm::OKButtonClick);
  created();
}

void TRelatedForm::FormShow() {
  const settings::SettingsCache& s = plugin().settings();
  applyExpandOnCheckAll();
  const bool selected = s.readBool(kRelated, "MailSelected", true);
  component<ui::TRadioButton>("SelectedRadio").setChecked(selected);
  component<ui::TRadioButton>("CursorRadio").setChecked(!selected);
  component<ui::TCheckBox>("IncludeCheck").setChecked(s.readBool(kRelated, "MailInclude", false));
  for (const Method& m : kMethods) component<ui::TCheckBox>(m.name).setChecked(s.readBool(kRelated, m.key, true));
  component<ui::TComboBox>("OrderCombo").setItemIndex(relatedOrder(s));
  component<ui::TRadioButton>("CursorRadio").setVisible(!fromView_);
  component<ui::TRadioButton>("SelectedRadio").setVisible(!fromView_);
}

void TRelatedForm::OKButtonClick() {
  settings::SettingsCache& s = plugin().settings();
  writeFolderList();
  s.writeSetting(kRelated, "MailSelected", component<ui::TRadioButton>("SelectedRadio").checked());
  s.writeSetting(kRelated, "MailInclude", component<ui::TCheckBox>("IncludeCheck").checked());
  for (const Method& m : kMethods) s.writeSetting(kRelated, m.key, component<ui::TCheckBox>(m.name).checked());
  const int order = component<ui::TComboBox>("OrderCombo").itemIndex();
  s.writeSetting(kRelated, "Order", order < 0 ? relatedOrder(s) : order);
  s.saveSettings(plugin().fs());
}

}  // namespace gleanix::pickupcommands
