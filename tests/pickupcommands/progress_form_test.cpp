// The progress window on its own: the bar or the pass lines, the centred
// "中断", the ways to abort, and its place kept under its form name.

#include <gtest/gtest.h>

#include "pickup/related_search.h"
#include "pickupcommands/progress_form.h"
#include "support/plugin_fixture.h"
#include "ui/std_controls.h"

namespace gleanix::testing {
namespace {

using pickupcommands::ProgressKind;
using pickupcommands::TRelatedProgressForm;
namespace layout = pickupcommands::progress_layout;

class ProgressForm : public PluginTest {
 protected:
  ProgressForm() { EXPECT_EQ(startUp(), 255); }
  const backend::SimWindow& part(const TRelatedProgressForm& f, const char* name) const {
    return desktop->window(f.component<ui::TControl>(name).handle());
  }
};

TEST_F(ProgressForm, TheBarSitsAboveTheCentredAbortButton) {
  TRelatedProgressForm form(started(), 0, ProgressKind::Bar, "KeyFindProgressForm");
  form.show();
  EXPECT_EQ(desktop->text(form.handle()), "進捗状況 / Gleanix");
  const auto& bar = form.component<ui::TProgressBar>("ProgressBar");
  const auto& panel = form.component<ui::TPanel>("ButtonPanel");
  const auto& button = form.component<ui::TButton>("AbortButton");
  EXPECT_TRUE(bar.visible());
  EXPECT_EQ(panel.top(), bar.top() + bar.height());
  EXPECT_EQ(form.clientHeight(), panel.top() + layout::kButtonPanelHeight);
  EXPECT_EQ(button.left(), (panel.clientWidth() - button.width()) / 2);
  EXPECT_EQ(desktop->text(button.handle()), "中断");
  EXPECT_FALSE(part(form, "PassLine0").visible);

  form.setMaximum(500);
  form.setPosition(120);
  EXPECT_EQ(part(form, "ProgressBar").rangeMax, 500);
  EXPECT_EQ(part(form, "ProgressBar").position, 120);
  // Messages run at each unit; the button press is seen at the next one.
  EXPECT_FALSE(form.processMessages());
  desktop->onProcessMessages([&] { desktop->click(button.handle()); });
  EXPECT_TRUE(form.processMessages());
  EXPECT_TRUE(form.processMessages());  // and stays pressed
}

TEST_F(ProgressForm, PassLinesStackFromTheTopAndTheLatestStayInView) {
  TRelatedProgressForm form(started(), 0, ProgressKind::Lines, "RelatedProgressForm");
  form.show();
  EXPECT_FALSE(part(form, "ProgressBar").visible);
  const int oneLine = form.clientHeight();
  for (int pass = 1; pass <= 12; ++pass) {
    form.addLine();
    if (pass == 2) {
      EXPECT_EQ(form.clientHeight(), oneLine + layout::kLineHeight);
    }
    // A pass that finds nothing leaves its line empty.
    if (pass != 5) form.setLine(pickup::passLineText(pass, 100 - pass, pass));
  }
  EXPECT_EQ(form.passLines().size(), 12u);
  EXPECT_EQ(form.passLines()[4], "");
  EXPECT_EQ(form.clientHeight(), oneLine + (layout::kVisibleLines - 1) * layout::kLineHeight);
  // Passes 3 to 12 are shown, pass 3 at the top.
  EXPECT_EQ(part(form, "PassLine0").text, "3次：97通中 3通ヒット");
  EXPECT_EQ(part(form, "PassLine2").text, "");
  EXPECT_EQ(part(form, "PassLine9").text, "12次：88通中 12通ヒット");
  EXPECT_EQ(part(form, "PassLine1").bounds.top - part(form, "PassLine0").bounds.top, layout::kLineHeight);
}

TEST_F(ProgressForm, TheCloseBoxAndEscapeAbortWhileTheWindowStays) {
  TRelatedProgressForm closed(started(), 0, ProgressKind::Bar, "MarkFindProgressForm");
  closed.show();
  ASSERT_TRUE(desktop->closeForm(closed.handle()));
  EXPECT_TRUE(closed.aborted());
  EXPECT_TRUE(desktop->isVisible(closed.handle()));

  TRelatedProgressForm escaped(started(), 0, ProgressKind::Bar, "MarkFindProgressForm");
  escaped.show();
  ASSERT_TRUE(desktop->pressKey(escaped.handle(), sys::vk::Escape));
  EXPECT_TRUE(escaped.aborted());
}

TEST_F(ProgressForm, ItsPlaceIsKeptButNotASize) {
  {
    TRelatedProgressForm form(started(), 0, ProgressKind::Bar, "MarkFindProgressForm");
    form.setWindowRect({100, 120, 100 + 400, 120 + 300});
    form.saveGeometry();
  }
  EXPECT_EQ(started().settings().readInt("MarkFindProgressForm", "Left", -1), 100);
  EXPECT_EQ(started().settings().readInt("MarkFindProgressForm", "Height", -1), -1);
  TRelatedProgressForm again(started(), 0, ProgressKind::Bar, "MarkFindProgressForm");
  EXPECT_EQ(again.windowRect().left, 100);
  EXPECT_EQ(again.windowRect().top, 120);
  EXPECT_EQ(again.clientWidth(), layout::kClientWidth);
  // Another search keeps its own place.
  TRelatedProgressForm other(started(), 0, ProgressKind::Bar, "KeyFindProgressForm");
  EXPECT_NE(other.windowRect().left, 100);
}

}  // namespace
}  // namespace gleanix::testing
