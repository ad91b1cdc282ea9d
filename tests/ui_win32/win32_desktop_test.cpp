// The toolkit on real Win32 windows: class names, the shared layout on real
// child windows, real mouse messages on a splitter, a modal loop ended by a
// real button click, and notifications turned into events.

#include "backend/win32/win32_desktop.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "backend/sim/sim_desktop.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/splitter.h"
#include "ui/std_controls.h"

namespace gleanix::ui {
namespace {

HWND hw(sys::WindowHandle h) { return reinterpret_cast<HWND>(h); }

const FormTable kForm = {
    .className = "TWin32TestForm",
    .caption = "テスト窓",
    .clientWidth = 480,
    .clientHeight = 300,
    .controls =
        {
            {.kind = make<TPanel>, .name = "LeftPanel", .align = Align::Left, .bounds = {0, 0, 150, 260}},
            {.kind = make<TSplitter>, .name = "Splitter1", .align = Align::Left, .bounds = {150, 0, 4, 260}},
            {.kind = make<TListView>, .name = "ListView1", .align = Align::Client, .bounds = {154, 0, 326, 260},
             .props = {.multiSelect = true, .rowSelect = true, .showColumnHeaders = false,
                       .columns = {{"パス", 80}, {"題名", 120}}},
             .events = {{Event::OnChange, "ListView1Change"}}},
            {.kind = make<TCheckBox>, .name = "BodyCheck", .caption = "本文", .parent = "LeftPanel",
             .bounds = {8, 8, 120, 17}, .events = {{Event::OnClick, "BodyCheckClick"}}},
            {.kind = make<TComboBox>, .name = "OrderCombo", .parent = "LeftPanel", .bounds = {8, 32, 130, 21},
             .props = {.dropDownList = true, .items = {"無制限", "　１次まで"}}},
            {.kind = make<TPanel>, .name = "ButtonPanel", .align = Align::Bottom, .bounds = {0, 260, 480, 40}},
            {.kind = make<TButton>, .name = "OKButton", .caption = "ＯＫ", .parent = "ButtonPanel",
             .bounds = {310, 8, 75, 25},
             .props = {.anchors = akRight | akTop, .isDefault = true, .modalResult = sys::result::Ok}},
            {.kind = make<TButton>, .name = "CancelButton", .caption = "キャンセル", .parent = "ButtonPanel",
             .bounds = {395, 8, 75, 25},
             .props = {.anchors = akRight | akTop, .isCancel = true, .modalResult = sys::result::Cancel}},
        },
};

class TWin32TestForm : public TForm {
 public:
  explicit TWin32TestForm(sys::Desktop& d) : TForm(d, kForm) {
    handler("ListView1Change", &TWin32TestForm::ListView1Change);
    handler("BodyCheckClick", &TWin32TestForm::BodyCheckClick);
    created();
  }
  void ListView1Change() { ++listChanges; }
  void BodyCheckClick() { ++bodyClicks; }
  int listChanges = 0;
  int bodyClicks = 0;
};

Bounds nativeBounds(const sys::Desktop& d, const TControl& c) {
  const sys::Rect r = d.bounds(c.handle());
  return {r.left, r.top, r.width(), r.height()};
}

class Win32Desktop : public ::testing::Test {
 protected:
  backend::Win32Desktop desktop;
  TWin32TestForm form{desktop};
};

TEST_F(Win32Desktop, FormIsATopLevelWindowOfItsOwnClass) {
  char cls[64] = {};
  GetClassNameA(hw(form.handle()), cls, sizeof(cls));
  EXPECT_STREQ(cls, "TWin32TestForm");
  char caption[64] = {};
  GetWindowTextA(hw(form.handle()), caption, sizeof(caption));
  EXPECT_EQ(std::string(caption), "テスト窓");
  RECT rc;
  GetClientRect(hw(form.handle()), &rc);
  EXPECT_EQ(rc.right, 480);
  EXPECT_EQ(rc.bottom, 300);
  EXPECT_EQ(desktop.processId(form.handle()), GetCurrentProcessId());
  GetClassNameA(hw(form.component<TListView>("ListView1").handle()), cls, sizeof(cls));
  EXPECT_STREQ(cls, "SysListView32");
}

TEST_F(Win32Desktop, ChildWindowsGetTheSameBoundsAsOnTheSimulatedDesktop) {
  backend::SimDesktop sim;
  TWin32TestForm simForm(sim);
  for (const char* name : {"LeftPanel", "Splitter1", "ListView1", "ButtonPanel", "OKButton", "CancelButton",
                           "BodyCheck"}) {
    const auto& real = form.component<TControl>(name);
    EXPECT_EQ(nativeBounds(desktop, real), real.bounds()) << name;
    EXPECT_EQ(real.bounds(), simForm.component<TControl>(name).bounds()) << name;
  }
  // Resizing the real window by its frame reflows like the simulated one.
  form.show();
  RECT wr;
  GetWindowRect(hw(form.handle()), &wr);
  SetWindowPos(hw(form.handle()), nullptr, 0, 0, wr.right - wr.left + 120, wr.bottom - wr.top + 60,
               SWP_NOMOVE | SWP_NOZORDER);
  simForm.show();
  ASSERT_TRUE(sim.resizeForm(simForm.handle(), 600, 360));
  for (const char* name : {"ListView1", "ButtonPanel", "OKButton", "CancelButton"}) {
    const auto& real = form.component<TControl>(name);
    EXPECT_EQ(real.bounds(), simForm.component<TControl>(name).bounds()) << name;
    EXPECT_EQ(nativeBounds(desktop, real), real.bounds()) << name;
  }
}

TEST_F(Win32Desktop, RealMouseMessagesDragTheSplitter) {
  form.show();
  HWND splitter = hw(form.component<TSplitter>("Splitter1").handle());
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
  EXPECT_EQ(GetCapture(), splitter);
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(42, 50));
  SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(2, 50));  // the bar moved along
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(form.component<TPanel>("LeftPanel").width(), 190);
  EXPECT_EQ(nativeBounds(desktop, form.component<TControl>("ListView1")).left, 194);
}

TEST_F(Win32Desktop, NotificationsBecomeEventsButChangesFromCodeDoNot) {
  auto& list = form.component<TListView>("ListView1");
  list.addItem({"Acc1\\郵便受け\\", "件名"}, 2);
  list.addItem({"b", "c"});
  list.setSelected(0, true);
  EXPECT_EQ(form.listChanges, 0);
  EXPECT_EQ(list.itemText(0, 1), "件名");
  EXPECT_EQ(list.stateIndex(0), 2);
  EXPECT_EQ(list.stateIndex(1), -1);
  // A selection made as the user would, through the control's own message.
  LVITEMA it{};
  it.state = LVIS_SELECTED;
  it.stateMask = LVIS_SELECTED;
  SendMessageA(hw(list.handle()), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&it));
  EXPECT_EQ(form.listChanges, 1);
  EXPECT_EQ(list.selectedCount(), 2);

  auto& body = form.component<TCheckBox>("BodyCheck");
  SendMessageA(hw(body.handle()), BM_CLICK, 0, 0);
  EXPECT_EQ(form.bodyClicks, 1);
  EXPECT_TRUE(body.checked());
  body.setChecked(false);
  EXPECT_EQ(form.bodyClicks, 1);

  auto& combo = form.component<TComboBox>("OrderCombo");
  combo.setItemIndex(1);
  EXPECT_EQ(combo.text(), "　１次まで");
}

// Set by the timer below while the modal loop runs.
HWND gOwner = nullptr;
bool gOwnerDisabled = false;

// Clicks the OK button of the shown dialog, as a user would.
VOID CALLBACK clickOk(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  gOwnerDisabled = !IsWindowEnabled(gOwner);
  HWND form = nullptr;
  while ((form = FindWindowExA(nullptr, form, "TWin32TestForm", nullptr)) && !IsWindowVisible(form)) {
  }
  HWND panel = FindWindowExA(form, nullptr, "GleanixPanel", nullptr);
  while (panel) {
    if (HWND ok = FindWindowExA(panel, nullptr, "Button", "ＯＫ")) {
      SendMessageA(ok, BM_CLICK, 0, 0);
      return;
    }
    panel = FindWindowExA(form, panel, "GleanixPanel", nullptr);
  }
}

// The same table, owned by another window.
class OwnedForm : public TForm {
 public:
  OwnedForm(sys::Desktop& d, sys::WindowHandle owner) : TForm(d, kForm, owner) {
    handler("ListView1Change", &OwnedForm::nothing);
    handler("BodyCheckClick", &OwnedForm::nothing);
    created();
  }
  void nothing() {}
};

TEST_F(Win32Desktop, ModalLoopDisablesTheOwnerUntilAButtonEndsIt) {
  form.show();
  OwnedForm dialog(desktop, form.handle());
  EXPECT_EQ(GetWindow(hw(dialog.handle()), GW_OWNER), hw(form.handle()));
  gOwner = hw(form.handle());
  gOwnerDisabled = false;
  SetTimer(nullptr, 0, 50, clickOk);
  EXPECT_EQ(dialog.showModal(), sys::result::Ok);
  EXPECT_TRUE(gOwnerDisabled);
  EXPECT_TRUE(IsWindowEnabled(hw(form.handle())));
  EXPECT_FALSE(IsWindowVisible(hw(dialog.handle())));
}

TEST_F(Win32Desktop, TextIsMeasuredWithGdi) {
  const int narrow = form.textWidth("88/88");
  const int wide = form.textWidth("８８／８８");
  EXPECT_GT(narrow, 0);
  EXPECT_GT(wide, narrow);
  sys::Font bold = form.font();
  bold.bold = true;
  bold.size = 14;
  EXPECT_GT(desktop.textExtent(bold, "88/88").x, narrow);
}

}  // namespace
}  // namespace gleanix::ui
