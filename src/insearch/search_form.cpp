#include "insearch/search_form.h"

#include "core/form_services.h"
#include "insearch/search_settings.h"
#include "settings/setting_lists.h"
#include "ui/std_controls.h"

namespace gleanix::insearch {
namespace {

using ui::Align;
using ui::Event;
using ui::make;
using ui::TButton;
using ui::TCheckBox;
using ui::TComboBox;
using ui::TLabel;
using ui::TPanel;
namespace ss = search_settings;

// The controls the find mode shows come first, the replace-only ones below
// them, so that hiding those and cutting the window off below MessageCheck
// leaves no gap.
const ui::FormTable kLayout = {
    .className = TSearchForm::kClassName,
    .caption = "このメール内の検索",
    .clientWidth = 386,
    .clientHeight = 159,
    .sizeable = false,
    .events = {{Event::OnShow, "FormShow"}, {Event::OnClose, "FormClose"}},
    .controls =
        {
            {.kind = make<TPanel>, .name = "ButtonPanel", .align = Align::Right, .bounds = {290, 0, 96, 159}},
            {.kind = make<TPanel>, .name = "MainPanel", .align = Align::Client, .bounds = {0, 0, 290, 159}},
            {.kind = make<TLabel>, .name = "KeywordLabel", .caption = "検索文字列", .parent = "MainPanel",
             .bounds = {8, 12, 68, 13}},
            {.kind = make<TComboBox>, .name = "KeywordCombo", .parent = "MainPanel", .bounds = {80, 8, 202, 21},
             .props = {.dropDownCount = 10},
             .events = {{Event::OnChange, "KeywordComboChange"}, {Event::OnClick, "KeywordComboClick"}}},
            {.kind = make<TCheckBox>, .name = "RegularCheck", .caption = "正規表現を使う", .parent = "MainPanel",
             .bounds = {8, 38, 274, 17}},
            {.kind = make<TCheckBox>, .name = "MessageCheck", .caption = "見つからなければメッセージを表示する",
             .parent = "MainPanel", .bounds = {8, 58, 274, 17}},
            {.kind = make<TLabel>, .name = "ReplaceLabel", .caption = "置換文字列", .parent = "MainPanel",
             .bounds = {8, 90, 68, 13}},
            {.kind = make<TComboBox>, .name = "ReplaceCombo", .parent = "MainPanel", .bounds = {80, 86, 202, 21},
             .props = {.dropDownCount = 10}},
            {.kind = make<TCheckBox>, .name = "ContinueCheck", .caption = "続けて置き換える", .parent = "MainPanel",
             .bounds = {8, 114, 274, 17}},
            {.kind = make<TCheckBox>, .name = "ConfirmCheck", .caption = "置き換える前に確認する",
             .parent = "MainPanel", .bounds = {8, 134, 274, 17}},
            {.kind = make<TButton>, .name = "SearchButton", .caption = "検索", .parent = "ButtonPanel",
             .bounds = {8, 8, 80, 25}, .props = {.isDefault = true},
             .events = {{Event::OnClick, "SearchButtonClick"}}},
            {.kind = make<TButton>, .name = "CancelButton", .caption = "キャンセル", .parent = "ButtonPanel",
             .bounds = {8, 40, 80, 25}, .props = {.isCancel = true, .modalResult = sys::result::Cancel}},
        },
};

// Space left below the last control shown.
constexpr int kBottomMargin = 8;

void fillCombo(TComboBox& combo, const std::vector<std::string>& entries) {
  combo.setItems(entries);
  if (entries.empty()) {
    combo.setText("");
  } else {
    combo.setItemIndex(0);
  }
}

// The combo's present text made the first entry of its history.
std::vector<std::string> updatedHistory(const TComboBox& combo) {
  std::vector<std::string> history = combo.items();
  settings::putFirst(history, combo.text(), ss::kHistoryLimit);
  return history;
}

}  // namespace

TSearchForm::TSearchForm(core::StartedPlugin& plugin, sys::WindowHandle owner)
    : TForm(plugin.desktop(), kLayout, owner), plugin_(plugin) {
  handler("FormShow", &TSearchForm::FormShow);
  handler("FormClose", &TSearchForm::FormClose);
  handler("KeywordComboChange", &TSearchForm::KeywordComboChange);
  handler("KeywordComboClick", &TSearchForm::KeywordComboClick);
  handler("SearchButtonClick", &TSearchForm::SearchButtonClick);
  created();
  plugin_.commonForm().giveIcon(handle());
}

void TSearchForm::FormShow() {
  core::restoreFormRegistryGeometry(plugin_, *this, geometryPath());

  setCaption(replaceMode ? "このメール内の置換" : "このメール内の検索");
  component<TButton>("SearchButton").setCaption(replaceMode ? "置換" : "検索");
  for (const char* name : {"ReplaceLabel", "ReplaceCombo", "ContinueCheck", "ConfirmCheck"}) {
    component<ui::TControl>(name).setVisible(replaceMode);
  }
  const auto& last = component<TCheckBox>(replaceMode ? "ConfirmCheck" : "MessageCheck");
  setClientSize(clientWidth(), last.bounds().bottom() + kBottomMargin);

  const settings::SettingsCache& s = plugin_.settings();
  fillCombo(component<TComboBox>("KeywordCombo"), settings::readSettingList(s, ss::kSection, ss::kKeyword));
  fillCombo(component<TComboBox>("ReplaceCombo"), settings::readSettingList(s, ss::kSection, ss::kReplace));
  component<TCheckBox>("RegularCheck").setChecked(s.readBool(ss::kSection, ss::kRegularExpression, false));
  component<TCheckBox>("MessageCheck").setChecked(s.readBool(ss::kSection, ss::kMessage, true));
  component<TCheckBox>("ContinueCheck").setChecked(s.readBool(ss::kSection, ss::kContinue, true));
  component<TCheckBox>("ConfirmCheck").setChecked(s.readBool(ss::kSection, ss::kConfirm, true));
  enableSearchButton();
}

void TSearchForm::FormClose() { core::saveFormRegistryGeometry(plugin_, *this, geometryPath()); }

void TSearchForm::KeywordComboChange() { enableSearchButton(); }

void TSearchForm::KeywordComboClick() { enableSearchButton(); }

void TSearchForm::enableSearchButton() {
  component<TButton>("SearchButton").setEnabled(!component<TComboBox>("KeywordCombo").text().empty());
}

void TSearchForm::SearchButtonClick() {
  settings::SettingsCache& s = plugin_.settings();
  settings::writeSettingList(s, ss::kSection, ss::kKeyword, updatedHistory(component<TComboBox>("KeywordCombo")));
  settings::writeSettingList(s, ss::kSection, ss::kReplace, updatedHistory(component<TComboBox>("ReplaceCombo")));
  s.writeSetting(ss::kSection, ss::kRegularExpression, component<TCheckBox>("RegularCheck").checked());
  s.writeSetting(ss::kSection, ss::kMessage, component<TCheckBox>("MessageCheck").checked());
  s.writeSetting(ss::kSection, ss::kContinue, component<TCheckBox>("ContinueCheck").checked());
  s.writeSetting(ss::kSection, ss::kConfirm, component<TCheckBox>("ConfirmCheck").checked());
  s.writeSetting(ss::kSection, ss::kFind, !replaceMode);
  // The histories are what find next works from: kept on disk now rather
  // than only at the next save of some other dialog.
  s.saveSettings(plugin_.fs());
  setModalResult(sys::result::Ok);
}

}  // namespace gleanix::insearch
