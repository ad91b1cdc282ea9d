// A dialog built from a table on the simulated desktop: modal runs, default
// and cancel buttons, check boxes, radio groups, combo boxes, edits, timers,
// popup menus and pages, driven as a user would.

#include <gtest/gtest.h>

#include "backend/sim/sim_desktop.h"
#include "ui/busy_cursor.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/page_control.h"
#include "ui/std_controls.h"
#include "ui/timer.h"

namespace gleanix::ui {
namespace {

using backend::SimDesktop;

const FormTable kDialog = {
    .className = "TTestDialog",
    .caption = "テスト",
    .clientWidth = 420,
    .clientHeight = 300,
    .sizeable = false,
    .events = {{Event::OnShow, "FormShow"}, {Event::OnClose, "FormClose"}},
    .controls =
        {
            {.kind = make<TEdit>, .name = "NameEdit", .bounds = {8, 8, 200, 21},
             .events = {{Event::OnChange, "NameEditChange"}}},
            {.kind = make<TMemo>, .name = "NoteMemo", .bounds = {8, 36, 200, 60},
             .props = {.wordWrap = false, .items = {"一行目", "second"}}},
            {.kind = make<TCheckBox>, .name = "BodyCheck", .caption = "本文", .bounds = {8, 100, 100, 17},
             .props = {.checked = true}, .events = {{Event::OnClick, "BodyCheckClick"}}},
            {.kind = make<TGroupBox>, .name = "DestGroup", .caption = "ピックアップ先", .bounds = {8, 120, 200, 70}},
            {.kind = make<TRadioButton>, .name = "ListRadio", .caption = "一覧", .parent = "DestGroup",
             .bounds = {8, 20, 150, 17}, .props = {.checked = true}, .events = {{Event::OnClick, "DestRadioClick"}}},
            {.kind = make<TRadioButton>, .name = "CopyRadio", .caption = "コピー", .parent = "DestGroup",
             .bounds = {8, 42, 150, 17}, .events = {{Event::OnClick, "DestRadioClick"}}},
            {.kind = make<TRadioButton>, .name = "OtherRadio", .caption = "別の組", .bounds = {220, 8, 150, 17},
             .props = {.checked = true}},
            {.kind = make<TComboBox>, .name = "OrderCombo", .bounds = {220, 36, 150, 21},
             .props = {.dropDownList = true, .dropDownCount = 11, .items = {"無制限", "　１次まで", "　２次まで"}},
             .events = {{Event::OnClick, "OrderComboClick"}, {Event::OnChange, "OrderComboChange"}}},
            {.kind = make<TComboBox>, .name = "KeywordCombo", .bounds = {220, 64, 150, 21},
             .props = {.items = {"abc", "def"}}, .events = {{Event::OnChange, "KeywordComboChange"}}},
            {.kind = make<TButton>, .name = "OKButton", .caption = "ＯＫ", .bounds = {250, 265, 75, 25},
             .props = {.isDefault = true, .modalResult = sys::result::Ok},
             .events = {{Event::OnClick, "OKButtonClick"}}},
            {.kind = make<TButton>, .name = "CancelButton", .caption = "キャンセル", .bounds = {335, 265, 75, 25},
             .props = {.isCancel = true, .modalResult = sys::result::Cancel}},
            {.kind = make<TTimer>, .name = "Timer1", .props = {.enabled = false, .interval = 500},
             .events = {{Event::OnTimer, "Timer1Timer"}}},
            {.kind = make<TPopupMenu>, .name = "SortMenu", .events = {{Event::OnPopup, "SortMenuPopup"}}},
            {.kind = make<TMenuItem>, .name = "SortSubjectAsIs", .caption = "そのまま", .parent = "SortMenu",
             .events = {{Event::OnClick, "SortSubjectAsIsClick"}}},
            {.kind = make<TMenuItem>, .name = "SortSeparator", .caption = "-", .parent = "SortMenu"},
            {.kind = make<TMenuItem>, .name = "SortSubjectIgnoreRe", .caption = "Re: は除く", .parent = "SortMenu",
             .events = {{Event::OnClick, "SortSubjectIgnoreReClick"}}},
            {.kind = make<TPageControl>, .name = "PageControl1", .bounds = {220, 100, 190, 150}},
            {.kind = make<TTabSheet>, .name = "PickupPage", .caption = "一覧画面", .parent = "PageControl1",
             .props = {.tag = 0}},
            {.kind = make<TTabSheet>, .name = "MainMenuPage", .caption = "メイン画面", .parent = "PageControl1",
             .props = {.tag = 10}},
            {.kind = make<TCheckBox>, .name = "PageCheck", .caption = "頁", .parent = "MainMenuPage",
             .bounds = {4, 4, 100, 17}},
        },
};

class TTestDialog : public TForm {
 public:
  explicit TTestDialog(sys::Desktop& d, sys::WindowHandle owner = 0) : TForm(d, kDialog, owner) {
    handler("FormShow", &TTestDialog::FormShow);
    handler("FormClose", &TTestDialog::FormClose);
    handler("NameEditChange", &TTestDialog::NameEditChange);
    handler("BodyCheckClick", &TTestDialog::BodyCheckClick);
    handler("DestRadioClick", &TTestDialog::DestRadioClick);
    handler("OrderComboClick", &TTestDialog::OrderComboClick);
    handler("OrderComboChange", &TTestDialog::OrderComboChange);
    handler("KeywordComboChange", &TTestDialog::KeywordComboChange);
    handler("OKButtonClick", &TTestDialog::OKButtonClick);
    handler("Timer1Timer", &TTestDialog::Timer1Timer);
    handler("SortMenuPopup", &TTestDialog::SortMenuPopup);
    handler("SortSubjectAsIsClick", &TTestDialog::SortSubjectAsIsClick);
    handler("SortSubjectIgnoreReClick", &TTestDialog::SortSubjectIgnoreReClick);
    created();
  }

  void FormShow() { log += "show;"; }
  void FormClose(EventArgs& a) {
    log += "close;";
    if (refuseClose-- > 0) a.action = CloseAction::None;
    if (freeOnClose) a.action = CloseAction::Free;
  }
  void NameEditChange() { log += "name;"; }
  void BodyCheckClick() { log += component<TCheckBox>("BodyCheck").checked() ? "body+;" : "body-;"; }
  void DestRadioClick(EventArgs& a) { log.append("radio:").append(a.sender->name()).append(";"); }
  void OrderComboClick() { log += "order-click;"; }
  void OrderComboChange() { log += "order-change;"; }
  void KeywordComboChange() { log += "keyword;"; }
  void OKButtonClick() { log.append("ok:").append(std::to_string(modalResult())).append(";"); }
  void Timer1Timer() {
    log += "timer;";
    component<TTimer>("Timer1").setEnabled(false);
  }
  void SortMenuPopup() { component<TMenuItem>("SortSubjectIgnoreRe").setDefault(ignoreRe); }
  void SortSubjectAsIsClick() { log += "asis;"; }
  void SortSubjectIgnoreReClick() { log += "ignorere;"; }

  template <class T>
  T& c(const char* name) {
    return component<T>(name);
  }

  std::string log;
  int refuseClose = 0;
  bool freeOnClose = false;
  bool ignoreRe = true;
};

class Dialog : public ::testing::Test {
 protected:
  sys::WindowHandle h(const char* name) { return dlg.c<TControl>(name).handle(); }

  SimDesktop sim;
  sys::WindowHandle owner = sim.createWindow({.kind = sys::ControlKind::Form, .className = "TMainForm"}, nullptr);
  TTestDialog dlg{sim, owner};
};

TEST_F(Dialog, OkButtonEndsTheModalRunWithItsResultAfterItsHandler) {
  sim.setVisible(owner, true);
  bool ownerDisabledDuringRun = false;
  sim.onModal([&](sys::WindowHandle form) {
    EXPECT_EQ(form, dlg.handle());
    EXPECT_TRUE(sim.isVisible(form));
    ownerDisabledDuringRun = !sim.isEnabled(owner);
    EXPECT_FALSE(sim.click(owner));  // the owner takes no input meanwhile
    sim.typeText(sim.child(form, "NameEdit"), "山田");
    sim.click(sim.child(form, "OKButton"));
  });
  EXPECT_EQ(dlg.showModal(), sys::result::Ok);
  EXPECT_EQ(dlg.log, "show;name;ok:1;close;");
  EXPECT_TRUE(ownerDisabledDuringRun);
  EXPECT_TRUE(sim.isEnabled(owner));
  EXPECT_FALSE(sim.isVisible(dlg.handle()));
  EXPECT_EQ(sim.foregroundWindow(), owner);
  EXPECT_EQ(dlg.c<TEdit>("NameEdit").text(), "山田");
}

TEST_F(Dialog, ClosingTheWindowCancels) {
  EXPECT_EQ(dlg.showModal(), sys::result::Cancel);
  EXPECT_EQ(dlg.log, "show;close;");
}

TEST_F(Dialog, OnCloseCanRefuseAndTheRunGoesOn) {
  dlg.refuseClose = 1;
  sim.onModal([&](sys::WindowHandle form) { sim.click(sim.child(form, "OKButton")); });
  EXPECT_EQ(dlg.showModal(), sys::result::Cancel);  // refused OK, then the user closed it
  EXPECT_EQ(dlg.log, "show;ok:1;close;close;");
}

TEST_F(Dialog, ReturnClicksTheDefaultButtonAndEscapeTheCancelButton) {
  sim.onModal([&](sys::WindowHandle) {
    EXPECT_TRUE(sim.pressKey(h("NoteMemo"), sys::vk::Return));  // a memo keeps Return
    EXPECT_EQ(dlg.modalResult(), 0);
    sim.pressKey(h("NameEdit"), sys::vk::Return);
  });
  EXPECT_EQ(dlg.showModal(), sys::result::Ok);

  dlg.log.clear();
  sim.onModal([&](sys::WindowHandle) { sim.pressKey(h("NameEdit"), sys::vk::Escape); });
  EXPECT_EQ(dlg.showModal(), sys::result::Cancel);
  EXPECT_EQ(dlg.log, "show;close;");
}

TEST_F(Dialog, ADisabledDefaultButtonIgnoresReturnAndClicks) {
  dlg.c<TButton>("OKButton").setEnabled(false);
  sim.onModal([&](sys::WindowHandle) {
    sim.pressKey(h("NameEdit"), sys::vk::Return);
    EXPECT_FALSE(sim.click(h("OKButton")));
  });
  EXPECT_EQ(dlg.showModal(), sys::result::Cancel);
  EXPECT_EQ(dlg.log.find("ok"), std::string::npos);
}

TEST_F(Dialog, CheckBoxTogglesOnClickButNotWhenSetFromCode) {
  dlg.show();
  auto& body = dlg.c<TCheckBox>("BodyCheck");
  EXPECT_TRUE(body.checked());
  sim.click(body.handle());
  sim.click(body.handle());
  body.setChecked(false);
  EXPECT_EQ(dlg.log, "show;body-;body+;");
  EXPECT_FALSE(sim.isChecked(body.handle()));
}

TEST_F(Dialog, RadioButtonsOfOneParentExcludeEachOther) {
  dlg.show();
  auto& list = dlg.c<TRadioButton>("ListRadio");
  auto& copy = dlg.c<TRadioButton>("CopyRadio");
  auto& other = dlg.c<TRadioButton>("OtherRadio");
  sim.click(copy.handle());
  EXPECT_TRUE(copy.checked());
  EXPECT_FALSE(list.checked());
  EXPECT_TRUE(other.checked());  // another parent, another group
  sim.click(copy.handle());      // already checked: no event
  list.setChecked(true);         // from code: no event, still exclusive
  EXPECT_FALSE(copy.checked());
  EXPECT_EQ(dlg.log, "show;radio:CopyRadio;");
}

TEST_F(Dialog, ControlsInsideADisabledGroupTakeNoInput) {
  dlg.show();
  dlg.c<TGroupBox>("DestGroup").setEnabled(false);
  EXPECT_FALSE(sim.click(h("CopyRadio")));
  EXPECT_TRUE(dlg.c<TRadioButton>("ListRadio").checked());
}

TEST_F(Dialog, DropDownListReportsChoicesNotCodeChanges) {
  dlg.show();
  auto& order = dlg.c<TComboBox>("OrderCombo");
  EXPECT_EQ(sim.window(order.handle()).dropDownCount, 11);
  EXPECT_EQ(order.itemIndex(), -1);
  order.setItemIndex(1);
  EXPECT_EQ(order.text(), "　１次まで");
  EXPECT_EQ(dlg.log, "show;");
  ASSERT_TRUE(sim.chooseComboItem(order.handle(), 2));
  EXPECT_EQ(order.itemIndex(), 2);
  EXPECT_EQ(order.text(), "　２次まで");
  EXPECT_EQ(dlg.log, "show;order-click;order-change;");
  EXPECT_FALSE(sim.typeText(order.handle(), "free text"));  // a list only
}

TEST_F(Dialog, EditableComboAndEditReportTypingOnly) {
  dlg.show();
  auto& kw = dlg.c<TComboBox>("KeywordCombo");
  kw.setItemIndex(0);
  kw.setText("def");  // from code: no event; the text names the second entry
  EXPECT_EQ(kw.itemIndex(), 1);
  sim.typeText(kw.handle(), "xyz");
  EXPECT_EQ(kw.itemIndex(), -1);
  EXPECT_EQ(kw.text(), "xyz");
  dlg.c<TEdit>("NameEdit").setText("from code");
  EXPECT_EQ(dlg.log, "show;keyword;");
}

TEST_F(Dialog, MemoLinesRoundTripWithCrLf) {
  auto& memo = dlg.c<TMemo>("NoteMemo");
  EXPECT_EQ(memo.text(), "一行目\r\nsecond\r\n");
  EXPECT_EQ(memo.lines(), (std::vector<std::string>{"一行目", "second"}));
  memo.setLines({"a", "", "b"});
  EXPECT_EQ(memo.text(), "a\r\n\r\nb\r\n");
  EXPECT_EQ(memo.lines().size(), 3u);
  EXPECT_TRUE(sim.window(memo.handle()).style & sys::kNoWordWrap);
}

TEST_F(Dialog, TimerRunsOnlyWhileEnabled) {
  auto& timer = dlg.c<TTimer>("Timer1");
  EXPECT_TRUE(sim.timers(dlg.handle()).empty());
  EXPECT_FALSE(sim.fireTimer(dlg.handle(), timer.id()));
  timer.setEnabled(true);
  EXPECT_EQ(sim.timers(dlg.handle()), (std::map<int, int>{{timer.id(), 500}}));
  EXPECT_TRUE(sim.fireTimer(dlg.handle(), timer.id()));
  EXPECT_EQ(dlg.log, "timer;");
  EXPECT_FALSE(timer.enabled());  // the one-shot handler switched it off
  EXPECT_FALSE(sim.fireTimer(dlg.handle(), timer.id()));
}

TEST_F(Dialog, PopupMenuShowsTheDefaultItemAndRunsTheChosenOne) {
  auto& menu = dlg.c<TPopupMenu>("SortMenu");
  sim.answerPopup("Re: は除く");
  menu.popup(100, 120);
  ASSERT_EQ(sim.popups().size(), 1u);
  const backend::SimPopup& shown = sim.popups()[0];
  EXPECT_EQ(shown.at, (sys::Point{100, 120}));
  EXPECT_EQ(shown.owner, dlg.handle());
  ASSERT_EQ(shown.items.size(), 3u);
  EXPECT_TRUE(shown.items[1].separator);
  EXPECT_FALSE(shown.items[0].isDefault);
  EXPECT_TRUE(shown.items[2].isDefault);  // set by OnPopup just before showing
  EXPECT_EQ(dlg.log, "ignorere;");

  dlg.ignoreRe = false;
  dlg.c<TMenuItem>("SortSubjectAsIs").setEnabled(false);
  sim.answerPopup("そのまま");  // disabled: cannot be chosen
  menu.popup(0, 0);
  EXPECT_TRUE(sim.popups()[1].items[0].isDefault == false && !sim.popups()[1].items[2].isDefault);
  EXPECT_EQ(sim.popups()[1].chosen, 0);
  menu.popup(0, 0);  // no answer: dismissed
  EXPECT_EQ(dlg.log, "ignorere;");
  EXPECT_EQ(menu.lastChosen(), nullptr);
}

TEST_F(Dialog, PageControlShowsOnePageFillingIt) {
  auto& pages = dlg.c<TPageControl>("PageControl1");
  auto& pickup = dlg.c<TTabSheet>("PickupPage");
  auto& mainMenu = dlg.c<TTabSheet>("MainMenuPage");
  EXPECT_EQ(pages.activePage(), &pickup);
  EXPECT_TRUE(pickup.visible());
  EXPECT_FALSE(mainMenu.visible());
  EXPECT_EQ(mainMenu.bounds(), (Bounds{0, 0, 190, 150}));
  EXPECT_EQ(mainMenu.tag(), 10);
  EXPECT_EQ(mainMenu.caption(), "メイン画面");
  pages.setActivePage(&mainMenu);
  EXPECT_FALSE(sim.window(pickup.handle()).visible);
  EXPECT_TRUE(sim.window(mainMenu.handle()).visible);
  dlg.show();
  EXPECT_TRUE(sim.click(h("PageCheck")));
  pages.setActivePage(&pickup);
  EXPECT_FALSE(sim.click(h("PageCheck")));  // on a hidden page
}

TEST_F(Dialog, ModelessFormHidesOrFreesItselfOnClose) {
  dlg.show();
  EXPECT_EQ(sim.foregroundWindow(), dlg.handle());
  ASSERT_TRUE(sim.closeForm(dlg.handle()));
  EXPECT_FALSE(sim.isVisible(dlg.handle()));
  EXPECT_FALSE(dlg.released());

  dlg.freeOnClose = true;
  dlg.show();
  sim.closeForm(dlg.handle());
  EXPECT_TRUE(dlg.released());
  EXPECT_FALSE(sim.isWindow(dlg.handle()));
  EXPECT_EQ(dlg.log, "show;close;show;close;");
}

TEST_F(Dialog, TextIsMeasuredWithTheFormsFont) {
  EXPECT_EQ(dlg.textWidth("88/88 88:88"), 11 * 6);
  EXPECT_EQ(dlg.textWidth("件数"), 2 * 12);
  sys::Font big = dlg.font();
  big.size = 12;
  dlg.setFont(big);
  EXPECT_EQ(dlg.textWidth("ab"), 16);
  EXPECT_EQ(sim.window(h("NameEdit")).font.size, 12);  // children follow
}

TEST(BusyCursor, NestsAndIsRestoredWhenAStepFails) {
  SimDesktop sim;
  try {
    BusyCursor outer(sim);
    {
      BusyCursor inner(sim);
      EXPECT_EQ(sim.busyLevel(), 2);
    }
    EXPECT_EQ(sim.busyLevel(), 1);
    throw std::runtime_error("a step failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(sim.busyLevel(), 0);
}

}  // namespace
}  // namespace gleanix::ui
