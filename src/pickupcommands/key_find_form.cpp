#include "pickupcommands/key_find_form.h"

#include "pickupcommands/keyword_history.h"
#include "pickupcommands/search_settings.h"
#include "settings/setting_lists.h"
#include "ui/splitter.h"
#include "ui/std_controls.h"

namespace gleanix::pickupcommands {
namespace {

using namespace dialog_layout;
using namespace key_layout;
using ui::Align;
using ui::Event;
using ui::make;

constexpr unsigned kAllSides = ui::akLeft | ui::akTop | ui::akRight | ui::akBottom;
constexpr unsigned kStretch = ui::akLeft | ui::akTop | ui::akRight;
constexpr unsigned kBottomStretch = ui::akLeft | ui::akRight | ui::akBottom;
constexpr int kBodyHeight = kClientHeight - kButtonPanelHeight;
constexpr int kPartLeft = kTreeWidth + kSplitterWidth;
constexpr int kKeywordLeft = kPartLeft + kPartWidth + kSplitterWidth;
constexpr int kKeywordWidth = kClientWidth - kKeywordLeft;
constexpr int kComboHeight = 22;

ui::ControlSpec check(const char* name, const char* caption, int top, const char* hint, const char* onClick) {
  ui::ControlSpec c{.kind = make<ui::TCheckBox>, .name = name, .caption = caption, .parent = "PartPanel",
                    .bounds = {8, top, kPartWidth - 12, kCheckHeight}, .props = {.anchors = kStretch, .hint = hint}};
  if (onClick) c.events = {{Event::OnClick, onClick}};
  return c;
}

std::vector<ui::ControlSpec> rows() {
  std::vector<ui::ControlSpec> r;
  addButtonPanel(r, "ピックアップ", kClientWidth, kClientHeight);
  addTreePanel(r, "検索対象フォルダ", kTreeWidth, kBodyHeight);

  r.push_back({.kind = make<ui::TPanel>, .name = "PartPanel", .align = Align::Left,
               .bounds = {kPartLeft, 0, kPartWidth, kBodyHeight}});
  r.push_back({.kind = make<ui::TLabel>, .name = "PartLabel", .caption = "検索対象部分", .parent = "PartPanel",
               .bounds = {8, 8, kPartWidth - 12, kLabelHeight}, .props = {.anchors = kStretch}});
  r.push_back(check("BodyCheck", "本文", 30, "本文を検索対象にします。", nullptr));
  r.push_back(check("AllHeaderCheck", "ヘッダーのどこか", 52, "ヘッダーの全てを検索対象にします。", "HeaderCheckClick"));
  r.push_back(check("HeaderCheck", "以下のヘッダー", 74, "下の欄に指定したメールヘッダを検索対象にします。",
                    "HeaderCheckClick"));
  r.push_back({.kind = make<ui::TMemo>, .name = "HeaderMemo", .parent = "PartPanel",
               .bounds = {8, 98, kPartWidth - 12, kBodyHeight - 98 - kBottomMargin},
               .props = {.anchors = kAllSides,
                         .hint = "１行に１個ずつメールヘッダを指定してください。"
                                 "コロン（：）はあってもなくても構いません。",
                         .wordWrap = false}});
  r.push_back({.kind = make<ui::TSplitter>, .name = "PartSplitter", .align = Align::Left,
               .bounds = {kPartLeft + kPartWidth, 0, kSplitterWidth, kBodyHeight},
               .props = {.minSize = kMinPaneWidth}});

  const int historyTop = kBodyHeight - kComboHeight - kBottomMargin;
  const int historyLabelTop = historyTop - 4 - kLabelHeight;
  r.push_back({.kind = make<ui::TPanel>, .name = "KeywordPanel", .align = Align::Client,
               .bounds = {kKeywordLeft, 0, kKeywordWidth, kBodyHeight}});
  r.push_back({.kind = make<ui::TLabel>, .name = "KeywordLabel", .caption = "キーワード", .parent = "KeywordPanel",
               .bounds = {8, 8, kKeywordWidth - 16, kLabelHeight}, .props = {.anchors = kStretch}});
  r.push_back({.kind = make<ui::TMemo>, .name = "KeywordMemo", .parent = "KeywordPanel",
               .bounds = {8, 28, kKeywordWidth - 16, historyLabelTop - 8 - 28},
               .props = {.anchors = kAllSides, .wordWrap = false},
               .events = {{Event::OnChange, "KeywordMemoChange"}}});
  r.push_back({.kind = make<ui::TLabel>, .name = "HistoryLabel", .caption = "前に使ったキーワード",
               .parent = "KeywordPanel", .bounds = {8, historyLabelTop, kKeywordWidth - 16, kLabelHeight},
               .props = {.anchors = kBottomStretch}});
  r.push_back({.kind = make<ui::TComboBox>, .name = "HistoryCombo", .parent = "KeywordPanel",
               .bounds = {8, historyTop, kKeywordWidth - 16, kComboHeight},
               .props = {.anchors = kBottomStretch, .dropDownList = true, .dropDownCount = 10},
               .events = {{Event::OnClick, "HistoryComboClick"}}});
  return r;
}

const ui::FormTable& layout() {
  static const ui::FormTable table =
      searchDialogTable("TKeyFindForm", "キーワード検索 / Gleanix", kClientWidth, kClientHeight, rows());
  return table;
}

}  // namespace

TKeyFindForm::TKeyFindForm(core::StartedPlugin& plugin, sys::WindowHandle owner)
    : TPickupDialog(plugin, layout(), owner, kKeyFind, kKeyFindFormName) {
  handler("FormShow", &TKeyFindForm::FormShow);
  handler("HeaderCheckClick", &TKeyFindForm::HeaderCheckClick);
  handler("KeywordMemoChange", &TKeyFindForm::KeywordMemoChange);
  handler("HistoryComboClick", &TKeyFindForm::HistoryComboClick);
  handler("OKButtonClick", &TKeyFindForm::OKButtonClick);
  created();
}

void TKeyFindForm::restoreLayout() {
  TPickupDialog::restoreLayout();
  restorePanelWidth(component<ui::TPanel>("PartPanel"), "PartWidth");
}

void TKeyFindForm::saveLayout() {
  savePanelWidth(component<ui::TPanel>("PartPanel"), "PartWidth");
  TPickupDialog::saveLayout();
}

void TKeyFindForm::FormShow() {
  const settings::SettingsCache& s = plugin().settings();
  applyExpandOnCheckAll();
  component<ui::TCheckBox>("BodyCheck").setChecked(s.readBool(kKeyFind, "Body", true));
  component<ui::TCheckBox>("AllHeaderCheck").setChecked(s.readBool(kKeyFind, "AllHeader", false));
  component<ui::TCheckBox>("HeaderCheck").setChecked(s.readBool(kKeyFind, "Header", false));
  component<ui::TMemo>("HeaderMemo").setText(s.readString(kKeyFind, "HeaderList", ""));

  history_ = loadHistory(s.readString(kKeyFind, "History", ""));
  std::vector<std::string> shown;
  for (const std::string& entry : history_) shown.push_back(historyDisplayText(entry));
  auto& combo = component<ui::TComboBox>("HistoryCombo");
  combo.setItems(shown);
  auto& memo = component<ui::TMemo>("KeywordMemo");
  if (history_.empty()) {
    memo.setText("");
  } else {
    combo.setItemIndex(0);
    memo.setText(history_.front());
  }
  applyHeaderRule();
}

void TKeyFindForm::HeaderCheckClick() { applyHeaderRule(); }

void TKeyFindForm::applyHeaderRule() {
  auto& header = component<ui::TCheckBox>("HeaderCheck");
  header.setEnabled(!component<ui::TCheckBox>("AllHeaderCheck").checked());
  component<ui::TMemo>("HeaderMemo").setEnabled(header.enabled() && header.checked());
}

// Only the user's typing reaches here: text set from the list raises no
// change, so a chosen entry stays selected.
void TKeyFindForm::KeywordMemoChange() { component<ui::TComboBox>("HistoryCombo").setItemIndex(-1); }

void TKeyFindForm::HistoryComboClick() {
  const int index = component<ui::TComboBox>("HistoryCombo").itemIndex();
  if (index < 0 || index >= static_cast<int>(history_.size())) return;
  component<ui::TMemo>("KeywordMemo").setText(history_[static_cast<std::size_t>(index)]);
}

void TKeyFindForm::OKButtonClick() {
  settings::SettingsCache& s = plugin().settings();
  writeFolderList();
  s.writeSetting(kKeyFind, "Body", component<ui::TCheckBox>("BodyCheck").checked());
  s.writeSetting(kKeyFind, "AllHeader", component<ui::TCheckBox>("AllHeaderCheck").checked());
  s.writeSetting(kKeyFind, "Header", component<ui::TCheckBox>("HeaderCheck").checked());
  s.writeSetting(kKeyFind, "HeaderList", component<ui::TMemo>("HeaderMemo").text());

  // The box keeps its lines trimmed, the empty ones gone.
  auto& memo = component<ui::TMemo>("KeywordMemo");
  std::vector<std::string> lines;
  for (const std::string& line : memo.lines()) {
    const std::string_view t = keywordLine(line);
    if (!t.empty()) lines.emplace_back(t);
  }
  memo.setLines(lines);
  putFirst(history_, keywordText(lines));

  if (s.readBool("View\\Search", "CommonKeyword", true)) writeSharedKeyword();
  s.writeSetting(kKeyFind, "History", storeHistory(history_));
  s.saveSettings(plugin().fs());
}

// The keyword the search is about to use, which is the box's text unless
// the box was left empty.
void TKeyFindForm::writeSharedKeyword() {
  if (history_.empty()) return;
  const std::string shared = sharedKeyword(history_.front());
  if (shared.empty()) return;
  settings::SettingsCache& s = plugin().settings();
  std::vector<std::string> keywords = settings::readSettingList(s, "Search", "Keyword");
  settings::putFirst(keywords, shared, kHistoryLimit);
  settings::writeSettingList(s, "Search", "Keyword", keywords);
  s.writeSetting("Search", "RegularExpression", true);
}

}  // namespace gleanix::pickupcommands
