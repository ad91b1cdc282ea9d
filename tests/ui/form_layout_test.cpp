// Layout through real forms on the simulated desktop: alignment, anchors,
// splitters dragged with the mouse, and resizing by the user.

#include <gtest/gtest.h>

#include "backend/sim/sim_desktop.h"
#include "ui/form.h"
#include "ui/splitter.h"
#include "ui/std_controls.h"

namespace gleanix::ui {
namespace {

using backend::SimDesktop;

const FormTable kSplitForm = {
    .className = "TSplitTestForm",
    .caption = "分割",
    .clientWidth = 500,
    .clientHeight = 300,
    .controls =
        {
            {.kind = make<TPanel>, .name = "TreePanel", .align = Align::Left, .bounds = {0, 0, 150, 260}},
            {.kind = make<TSplitter>, .name = "Splitter1", .align = Align::Left, .bounds = {150, 0, 4, 260},
             .props = {.minSize = 40}, .events = {{Event::OnMoved, "Splitter1Moved"}}},
            {.kind = make<TMemo>, .name = "BodyMemo", .align = Align::Client, .bounds = {154, 0, 346, 260}},
            {.kind = make<TPanel>, .name = "ButtonPanel", .align = Align::Bottom, .bounds = {0, 260, 500, 40},
             .events = {{Event::OnResize, "ButtonPanelResize"}}},
            {.kind = make<TButton>, .name = "OKButton", .caption = "ＯＫ", .parent = "ButtonPanel",
             .bounds = {330, 8, 75, 25}, .props = {.anchors = akRight | akTop}},
            {.kind = make<TButton>, .name = "CancelButton", .caption = "キャンセル", .parent = "ButtonPanel",
             .bounds = {415, 8, 75, 25}, .props = {.anchors = akRight | akTop}},
            {.kind = make<TLabel>, .name = "TreeLabel", .caption = "フォルダ", .parent = "TreePanel",
             .align = Align::Top, .bounds = {0, 0, 150, 16}},
            {.kind = make<TEdit>, .name = "TreeEdit", .parent = "TreePanel", .align = Align::Client,
             .bounds = {0, 16, 150, 244}},
        },
};

class SplitForm : public TForm {
 public:
  explicit SplitForm(sys::Desktop& d) : TForm(d, kSplitForm) {
    handler("Splitter1Moved", &SplitForm::Splitter1Moved);
    handler("ButtonPanelResize", &SplitForm::ButtonPanelResize);
    created();
  }
  void Splitter1Moved() { ++moves; }
  void ButtonPanelResize() { ++panelResizes; }
  int moves = 0;
  int panelResizes = 0;
};

class FormLayout : public ::testing::Test {
 protected:
  // The bounds the desktop holds for a control, as the layout's Bounds.
  Bounds nativeBounds(const TControl& c) const {
    const sys::Rect r = sim.bounds(c.handle());
    return {r.left, r.top, r.width(), r.height()};
  }
  TControl& control(const char* name) { return form.component<TControl>(name); }

  SimDesktop sim;
  SplitForm form{sim};
};

TEST_F(FormLayout, ControlsArePlacedByTheSharedEngineAndTheDesktopGetsTheirBounds) {
  EXPECT_EQ(control("TreePanel").bounds(), (Bounds{0, 0, 150, 260}));
  EXPECT_EQ(control("BodyMemo").bounds(), (Bounds{154, 0, 346, 260}));
  EXPECT_EQ(control("TreeEdit").bounds(), (Bounds{0, 16, 150, 244}));
  for (const char* name : {"TreePanel", "Splitter1", "BodyMemo", "ButtonPanel", "OKButton", "TreeEdit"}) {
    EXPECT_EQ(nativeBounds(control(name)), control(name).bounds()) << name;
  }
  EXPECT_EQ(sim.className(form.handle()), "TSplitTestForm");
  EXPECT_EQ(sim.window(form.handle()).text, "分割");
  EXPECT_EQ(sim.clientRect(form.handle()), (sys::Rect{0, 0, 500, 300}));
}

TEST_F(FormLayout, ResizingTheFormReflowsAlignedAndAnchoredControls) {
  form.show();
  ASSERT_TRUE(sim.resizeForm(form.handle(), 700, 400));
  EXPECT_EQ(form.clientWidth(), 700);
  EXPECT_EQ(control("TreePanel").bounds(), (Bounds{0, 0, 150, 360}));
  EXPECT_EQ(control("BodyMemo").bounds(), (Bounds{154, 0, 546, 360}));
  EXPECT_EQ(control("ButtonPanel").bounds(), (Bounds{0, 360, 700, 40}));
  EXPECT_EQ(control("OKButton").bounds(), (Bounds{530, 8, 75, 25}));
  EXPECT_EQ(control("CancelButton").bounds(), (Bounds{615, 8, 75, 25}));
  EXPECT_EQ(control("TreeEdit").bounds().height, 344);  // the nested panel reflowed too
  EXPECT_EQ(nativeBounds(control("CancelButton")), control("CancelButton").bounds());
  EXPECT_EQ(form.panelResizes, 1);  // its width changed, its height did not
}

TEST_F(FormLayout, DraggingTheSplitterResizesThePanelLive) {
  form.show();
  TControl& splitter = control("Splitter1");
  ASSERT_TRUE(sim.drag(splitter.handle(), {2, 100}, {62, 100}));
  EXPECT_EQ(control("TreePanel").width(), 210);
  EXPECT_EQ(splitter.left(), 210);
  EXPECT_EQ(control("BodyMemo").bounds(), (Bounds{214, 0, 286, 260}));
  EXPECT_EQ(control("TreeEdit").width(), 210);
  EXPECT_EQ(form.moves, 1);
  EXPECT_EQ(sim.capture(), 0u);  // released at the end of the drag
  // A second drag starts from where the first one left the bar.
  ASSERT_TRUE(sim.drag(splitter.handle(), {1, 10}, {-9, 10}));
  EXPECT_EQ(control("TreePanel").width(), 200);
}

TEST_F(FormLayout, SplitterStopsAtMinSizeOnEitherSide) {
  form.show();
  TControl& splitter = control("Splitter1");
  sim.drag(splitter.handle(), {2, 100}, {900, 100});
  EXPECT_EQ(control("TreePanel").width(), 500 - 4 - 40);
  EXPECT_EQ(control("BodyMemo").width(), 40);
  sim.drag(splitter.handle(), {2, 100}, {-900, 100});
  EXPECT_EQ(control("TreePanel").width(), 40);
}

TEST_F(FormLayout, MovesFollowThePointerWhileTheBarTravels) {
  form.show();
  TControl& splitter = control("Splitter1");
  ASSERT_TRUE(sim.mouseDown(splitter.handle(), sys::MouseButton::Left, {1, 5}));
  EXPECT_EQ(sim.capture(), splitter.handle());
  sim.mouseMove(splitter.handle(), {21, 5});  // +20
  EXPECT_EQ(control("TreePanel").width(), 170);
  // The bar moved with the panel: the same screen point is now at x = 1.
  sim.mouseMove(splitter.handle(), {1, 5});
  EXPECT_EQ(control("TreePanel").width(), 170);
  sim.mouseUp(splitter.handle(), sys::MouseButton::Left, {11, 5});
  EXPECT_EQ(control("TreePanel").width(), 180);
  EXPECT_EQ(form.moves, 1);
}

TEST_F(FormLayout, HidingAnAlignedControlGivesItsRoomToTheClient) {
  control("TreePanel").setVisible(false);
  EXPECT_EQ(control("BodyMemo").bounds(), (Bounds{4, 0, 496, 260}));
  control("TreePanel").setVisible(true);
  EXPECT_EQ(control("BodyMemo").bounds(), (Bounds{154, 0, 346, 260}));
}

TEST_F(FormLayout, SettingAWidthFromCodeReflowsTheSiblings) {
  control("TreePanel").setWidth(220);
  EXPECT_EQ(control("Splitter1").left(), 220);
  EXPECT_EQ(control("BodyMemo").left(), 224);
}

TEST_F(FormLayout, WindowRectAndPlacementKeepTheLayoutInStep) {
  sys::Rect r = form.windowRect();
  r.right += 100;
  form.setWindowRect(r);
  EXPECT_EQ(form.clientWidth(), 600);
  EXPECT_EQ(control("BodyMemo").width(), 446);
  sys::Placement p;
  ASSERT_TRUE(form.getPlacement(p));
  p.state = sys::ShowState::Maximized;
  form.setPlacement(p);
  EXPECT_EQ(form.clientWidth(), sim.workArea().width() - 8);
  EXPECT_EQ(control("ButtonPanel").width(), form.clientWidth());
}

class PlainForm : public TForm {
 public:
  PlainForm(sys::Desktop& d, const FormTable& spec) : TForm(d, spec) {
    handler("Splitter1Moved", &PlainForm::nothing);
    created();
  }
  void nothing() {}
};

TEST(FormTable, MistakesInTheTableAreReportedAtCreation) {
  SimDesktop sim;
  FormTable spec = kSplitForm;
  spec.controls[3].events.clear();  // no ButtonPanelResize needed
  EXPECT_NO_THROW(PlainForm(sim, spec));

  FormTable unknownParent = spec;
  unknownParent.controls.back().parent = "NoSuchPanel";
  EXPECT_THROW(PlainForm(sim, unknownParent), std::logic_error);

  FormTable repeated = spec;
  repeated.controls.push_back(repeated.controls.front());
  EXPECT_THROW(PlainForm(sim, repeated), std::logic_error);

  FormTable childFirst = spec;
  std::swap(childFirst.controls[3], childFirst.controls[4]);  // a button before its panel
  EXPECT_THROW(PlainForm(sim, childFirst), std::logic_error);

  EXPECT_THROW(PlainForm(sim, kSplitForm), std::logic_error);  // ButtonPanelResize is missing
  // Every failed form took its windows with it.
  EXPECT_TRUE(sim.topLevelWindows().empty());
}

}  // namespace
}  // namespace gleanix::ui
