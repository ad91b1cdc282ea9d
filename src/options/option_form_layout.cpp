// The options dialog as data. The pages of the three pickup commands share
// one design and differ only in the prefix of their component names.

#include "controls/mailbox_tree_view.h"
#include "options/option_form.h"
#include "ui/page_control.h"
#include "ui/splitter.h"
#include "ui/std_controls.h"

namespace gleanix::options {
namespace {

using ui::Align;
using ui::ControlSpec;
using ui::Event;
using ui::make;
constexpr unsigned kAllSides = ui::akLeft | ui::akTop | ui::akRight | ui::akBottom;
constexpr unsigned kTopRight = ui::akTop | ui::akRight;
constexpr unsigned kStretch = ui::akLeft | ui::akTop | ui::akRight;

// Design sizes: the page control gets what the category pane, the splitter,
// the caption strip and the footer leave.
constexpr int kPageWidth = layout::kClientWidth - layout::kCategoryWidth - layout::kSplitterWidth;
constexpr int kPageHeight = layout::kClientHeight - layout::kFooterHeight - layout::kCaptionHeight;
constexpr int kRightWidth = kPageWidth - layout::kLeftPanelWidth - layout::kSplitterWidth;

ControlSpec page(const char* name, const char* caption, int tag) {
  return {.kind = make<ui::TTabSheet>, .name = name, .caption = caption, .parent = "PageControl1",
          .bounds = {0, 0, kPageWidth, kPageHeight}, .props = {.tag = tag}};
}

ControlSpec label(const std::string& name, const char* caption, const std::string& parent, int left, int top,
                  int width = 300) {
  return {.kind = make<ui::TLabel>, .name = name, .caption = caption, .parent = parent,
          .bounds = {left, top, width, 16}};
}

ControlSpec check(const std::string& name, const char* caption, const std::string& parent, int left, int top,
                  int width = 440) {
  return {.kind = make<ui::TCheckBox>, .name = name, .caption = caption, .parent = parent,
          .bounds = {left, top, width, 17}};
}

ControlSpec radio(const std::string& name, const char* caption, const std::string& parent, int top, int width,
                  const char* onClick = nullptr) {
  ControlSpec r{.kind = make<ui::TRadioButton>, .name = name, .caption = caption, .parent = parent,
                .bounds = {12, top, width, 17}, .props = {.anchors = kStretch}};
  if (onClick) r.events = {{Event::OnClick, onClick}};
  return r;
}

ControlSpec button(const char* name, const char* caption, const std::string& parent, int left, int top,
                   const char* onClick) {
  return {.kind = make<ui::TButton>, .name = name, .caption = caption, .parent = parent,
          .bounds = {left, top, 120, 25}, .events = {{Event::OnClick, onClick}}};
}

void add(std::vector<ControlSpec>& rows, ControlSpec row) { rows.push_back(std::move(row)); }

// Tree defaults on the left, the destination on the right, a splitter
// between them.
void pickupPage(std::vector<ControlSpec>& rows, const std::string& p, const char* pageName, const char* caption,
                int tag) {
  using namespace layout;
  add(rows, page(pageName, caption, tag));
  const std::string left = p + "LeftPanel";
  add(rows, {.kind = make<ui::TPanel>, .name = left, .parent = pageName, .align = Align::Left,
             .bounds = {0, 0, kLeftPanelWidth, kPageHeight}});
  const int groupWidth = kLeftPanelWidth - 16;
  const std::string checkGroup = p + "TreeCheckGroup";
  add(rows, {.kind = make<ui::TGroupBox>, .name = checkGroup, .caption = "フォルダーツリーのチェックの初期状態",
             .parent = left, .bounds = {8, 8, groupWidth, 92}, .props = {.anchors = kStretch}});
  add(rows, radio(p + "TreeLastRadio", "前回の設定を再現", checkGroup, 20, groupWidth - 20));
  add(rows, radio(p + "TreeCurrentRadio", "開いているフォルダーのみ選択", checkGroup, 44, groupWidth - 20));
  add(rows, radio(p + "TreeNoneRadio", "全て非選択", checkGroup, 68, groupWidth - 20));
  const std::string openGroup = p + "TreeOpenGroup";
  add(rows, {.kind = make<ui::TGroupBox>, .name = openGroup, .caption = "フォルダーツリーの開閉の初期状態",
             .parent = left, .bounds = {8, 108, groupWidth, 92}, .props = {.anchors = kStretch}});
  add(rows, radio(p + "TreeFullOpenRadio", "全て開く", openGroup, 20, groupWidth - 20));
  add(rows, radio(p + "TreeFullClosedRadio", "全て閉じる", openGroup, 44, groupWidth - 20));
  add(rows, radio(p + "TreeCheckedOnlyRadio", "チェックの付いているところのみ開く", openGroup, 68, groupWidth - 20));
  add(rows, check(p + "TreeExpandOnCheckAll", "「以下全てにチェックを付ける」でツリーを開く", left, 8, 212,
                  groupWidth));

  add(rows, {.kind = make<ui::TSplitter>, .name = p + "Splitter", .parent = pageName, .align = Align::Left,
             .bounds = {kLeftPanelWidth, 0, kSplitterWidth, kPageHeight}, .props = {.minSize = kMinPaneWidth}});

  const std::string right = p + "RightPanel";
  add(rows, {.kind = make<ui::TPanel>, .name = right, .parent = pageName, .align = Align::Client,
             .bounds = {kLeftPanelWidth + kSplitterWidth, 0, kRightWidth, kPageHeight}});
  const std::string dest = p + "DestinationGroup";
  add(rows, {.kind = make<ui::TGroupBox>, .name = dest, .caption = "ピックアップ先", .parent = right,
             .bounds = {4, 8, kRightWidth - 12, kPageHeight - 16}, .props = {.anchors = kAllSides}});
  const int inner = kRightWidth - 12 - 24;
  add(rows, radio(p + "DestinationAskRadio", "その都度問い合わせる", dest, 20, inner, "DestinationRadioClick"));
  add(rows, radio(p + "DestinationPickupRadio", "ピックアップメール一覧", dest, 44, inner, "DestinationRadioClick"));
  add(rows, radio(p + "DestinationCopyRadio", "以下のフォルダにコピー", dest, 68, inner, "DestinationRadioClick"));
  add(rows, {.kind = make<controls::TMailboxTreeView>, .name = p + "DestinationTree", .parent = dest,
             .bounds = {12, 92, inner, kPageHeight - 16 - 92 - 10},
             .props = {.anchors = kAllSides, .hideSelection = false,
                       .extra = {{"Checkable", "IOF"}, {"ExpandOnCheckAll", "true"}}}});
}

std::vector<ControlSpec> rows() {
  using namespace layout;
  const int bodyHeight = kClientHeight - kFooterHeight;
  std::vector<ControlSpec> r;

  add(r, {.kind = make<ui::TPanel>, .name = "FooterPanel", .align = Align::Bottom,
          .bounds = {0, bodyHeight, kClientWidth, kFooterHeight}});
  const int buttonTop = (kFooterHeight - 25) / 2;
  add(r, {.kind = make<ui::TButton>, .name = "OkButton", .caption = "ＯＫ", .parent = "FooterPanel",
          .bounds = {kClientWidth - 3 * 92, buttonTop, 84, 25}, .props = {.anchors = kTopRight, .isDefault = true},
          .events = {{Event::OnClick, "OkButtonClick"}}});
  add(r, {.kind = make<ui::TButton>, .name = "CancelButton", .caption = "キャンセル", .parent = "FooterPanel",
          .bounds = {kClientWidth - 2 * 92, buttonTop, 84, 25}, .props = {.anchors = kTopRight, .isCancel = true},
          .events = {{Event::OnClick, "CancelButtonClick"}}});
  add(r, {.kind = make<ui::TButton>, .name = "HelpButton", .caption = "ヘルプ", .parent = "FooterPanel",
          .bounds = {kClientWidth - 92, buttonTop, 84, 25}, .props = {.anchors = kTopRight},
          .events = {{Event::OnClick, "HelpButtonClick"}}});

  add(r, {.kind = make<ui::TPanel>, .name = "CategoryPanel", .align = Align::Left,
          .bounds = {0, 0, kCategoryWidth, bodyHeight}});
  add(r, {.kind = make<ui::TPanel>, .name = "CategoryTitlePanel", .parent = "CategoryPanel", .align = Align::Top,
          .bounds = {0, 0, kCategoryWidth, kCaptionHeight}});
  add(r, label("CategoryLabel", "カテゴリ", "CategoryTitlePanel", 6, 6, kCategoryWidth - 12));
  add(r, {.kind = make<ui::TTreeView>, .name = "CategoryTree", .parent = "CategoryPanel", .align = Align::Client,
          .bounds = {0, kCaptionHeight, kCategoryWidth, bodyHeight - kCaptionHeight},
          .props = {.readOnly = true, .hideSelection = false}, .events = {{Event::OnChange, "CategoryTreeChange"}}});
  add(r, {.kind = make<ui::TSplitter>, .name = "MainSplitter", .align = Align::Left,
          .bounds = {kCategoryWidth, 0, kSplitterWidth, bodyHeight}, .props = {.minSize = kMinPaneWidth}});
  add(r, {.kind = make<ui::TPanel>, .name = "MainPanel", .align = Align::Client,
          .bounds = {kCategoryWidth + kSplitterWidth, 0, kPageWidth, bodyHeight}});
  add(r, {.kind = make<ui::TPanel>, .name = "CaptionPanel", .parent = "MainPanel", .align = Align::Top,
          .bounds = {0, 0, kPageWidth, kCaptionHeight}});
  add(r, {.kind = make<ui::TLabel>, .name = "CaptionLabel", .parent = "CaptionPanel",
          .bounds = {8, 6, kPageWidth - 16, 16}, .props = {.anchors = kStretch}});
  add(r, {.kind = make<ui::TPageControl>, .name = "PageControl1", .parent = "MainPanel", .align = Align::Client,
          .bounds = {0, kCaptionHeight, kPageWidth, kPageHeight}});

  add(r, page("PickupPage", "ピックアップメール一覧画面", 0));
  add(r, label("PickupFontLabel", "ピックアップメール一覧画面のフォント", "PickupPage", 12, 12));
  add(r, {.kind = make<ui::TPanel>, .name = "FontPanel", .caption = " フォント見本", .parent = "PickupPage",
          .bounds = {12, 32, kPageWidth - 24, 72}, .props = {.anchors = kStretch, .bevel = true}});
  add(r, button("FontButton", "フォント ...", "PickupPage", 12, 116, "FontButtonClick"));
  ControlSpec defaultFont = button("DefaultFontButton", "標準フォント", "PickupPage", 140, 116, "FontButtonClick");
  defaultFont.props.hint =
      "「コントロールパネル」の「画面」の「デザイン」の「メッセージボックス」で指定したフォントを採用します";
  add(r, defaultFont);
  add(r, button("ColorButton", "地色 ...", "PickupPage", 12, 148, "ColorButtonClick"));
  ControlSpec defaultColor = button("DefaultColorButton", "標準地色", "PickupPage", 140, 148, "ColorButtonClick");
  defaultColor.props.hint = "「コントロールパネル」の「画面」の「デザイン」の「ウィンドウ」で指定した色を採用します";
  add(r, defaultColor);
  add(r, check("StatusBarCheck", "件数バーを表示する", "PickupPage", 12, 192));

  pickupPage(r, "Related", "RelatedPage", "関連メールのピックアップ", 1);
  pickupPage(r, "KeyFind", "KeySearchPage", "キーワードでピックアップ", 2);
  pickupPage(r, "MarkFind", "MarkFindPage", "マークでピックアップ", 3);

  add(r, page("MainMenuPage", "メイン画面", 10));
  add(r, label("MenuCaptionLabel", "メニューの表示文字列", "MainMenuPage", 12, 12));
  add(r, {.kind = make<ui::TEdit>, .name = "MenuCaptionEdit", .parent = "MainMenuPage", .bounds = {12, 30, 200, 21},
          .props = {.hint = "どのメニュー項目を使うかを指定することができます。"}});
  add(r, label("MainMenuLabel", "メインメニュー", "MainMenuPage", 12, 66));
  add(r, check("MainRelatedCheck", "「関連メールをピックアップ」を表示する", "MainMenuPage", 24, 86));
  add(r, check("MainKeyFindCheck", "「キーワードでピックアップ」を表示する", "MainMenuPage", 24, 110));
  add(r, check("MainMarkFindCheck", "「マークでピックアップ」を表示する", "MainMenuPage", 24, 134));

  add(r, page("ContextMenupage", "右ボタンメニュー", 11));
  add(r, check("ContextRelatedCheck", "「関連メールをピックアップ」を表示する", "ContextMenupage", 12, 12));
  add(r, check("ContextKeyFindCheck", "「キーワードでピックアップ」を表示する", "ContextMenupage", 12, 36));
  add(r, check("ContextMarkFindCheck", "「マークでピックアップ」を表示する", "ContextMenupage", 12, 60));

  add(r, page("ViewPage", "VIEW画面", 20));
  add(r, label("ViewMenuLabel", "「表示」メニュー", "ViewPage", 12, 12));
  add(r, check("ViewSearchCheck", "「メール内の検索」などを表示する", "ViewPage", 24, 32));
  add(r, check("ViewRelatedCheck", "「関連メールをピックアップ」を表示する", "ViewPage", 24, 56));
  ControlSpec buttons = check("ButtonCheck", "専用▲▼ボタン（緑色）を表示する", "ViewPage", 12, 92);
  buttons.props.visible = false;
  add(r, buttons);

  add(r, page("ViewContextMenuPage", "右ボタンメニュー", 21));
  add(r, label("ViewContextNote1", "  「[xxxx:nnnn] を探す」は、", "ViewContextMenuPage", 12, 12, kPageWidth - 24));
  add(r, label("ViewContextNote2", "  メール本文の [xxxx:nnnn] のところに", "ViewContextMenuPage", 12, 30,
               kPageWidth - 24));
  add(r, label("ViewContextNote3", "  カーソルがあるときのみ表示されます。", "ViewContextMenuPage", 12, 48,
               kPageWidth - 24));
  add(r, check("SearchMLCheck", "「[xxxx:nnnn] を探す」を表示する", "ViewContextMenuPage", 12, 76));
  add(r, check("ViewContextSearchCheck", "「メール内の検索」などを表示する", "ViewContextMenuPage", 12, 112));
  add(r, check("ViewContextRelatedCheck", "「関連メールをピックアップ」を表示する", "ViewContextMenuPage", 12, 136));

  add(r, page("ViewSearchPage", "メール内の検索", 22));
  add(r, check("ViewSearchCommonKeywordCheck", "メイン画面の「キーワードでピックアップ」のキーワードを流用する",
               "ViewSearchPage", 12, 12, kPageWidth - 24));

  add(r, page("SendPage", "送信画面", 30));
  add(r, check("PluginHeaderCheck", "X-Mailer-Plugin ヘッダを付ける", "SendPage", 12, 12));
  add(r, label("SendMenuLabel", "「表示」メニュー", "SendPage", 12, 48));
  add(r, check("SendSearchCheck", "「本文内の検索」などを表示する", "SendPage", 24, 68));

  add(r, page("SendContextManuPage", "右ボタンメニュー", 31));
  add(r, check("SendContextSearchCheck", "「本文内の検索」などを表示する", "SendContextManuPage", 12, 12));
  return r;
}

}  // namespace

const ui::FormTable& optionFormLayout() {
  static const ui::FormTable table = {
      .className = "TOptionForm",
      .caption = "設定 / Gleanix",
      .clientWidth = layout::kClientWidth,
      .clientHeight = layout::kClientHeight,
      .sizeable = true,
      .events = {{Event::OnCreate, "FormCreate"}, {Event::OnShow, "FormShow"}, {Event::OnClose, "FormClose"}},
      .controls = rows(),
  };
  return table;
}

}  // namespace gleanix::options
