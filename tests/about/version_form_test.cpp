// The about box: its texts, and where it opens over the host's window.
#include "about/version_form.h"

#include <gtest/gtest.h>

#include "backend/sim/sim_desktop.h"
#include "ui/std_controls.h"

namespace gleanix::about {
namespace {

TEST(CentredOver, HalvesTheDifferencesTruncatingTowardZero) {
  const sys::Rect screen{0, 0, 1024, 768};
  // Widths 301 and 100: 201 / 2 = 100. Heights 100 and 151: -51 / 2 = -25, not -26.
  EXPECT_EQ(centredOver({100, 300, 401, 400}, {0, 0, 100, 151}, screen), (sys::Rect{200, 275, 300, 426}));
}

TEST(CentredOver, ABoxThatWouldStickOutIsMovedInsideTheScreen) {
  const sys::Rect screen{0, 0, 1024, 768};
  const sys::Rect box{0, 0, 200, 100};
  EXPECT_EQ(centredOver({900, 700, 1100, 800}, box, screen), (sys::Rect{824, 668, 1024, 768}));
  EXPECT_EQ(centredOver({-300, -200, -100, -100}, box, screen), (sys::Rect{0, 0, 200, 100}));
  // Larger than the screen: its top left corner stays visible.
  EXPECT_EQ(centredOver({0, 0, 100, 100}, {0, 0, 2000, 1000}, screen), (sys::Rect{0, 0, 2000, 1000}));
}

class VersionInfo : public ::testing::Test {
 protected:
  backend::SimDesktop desktop;
  core::TCommonForm common{desktop};
};

TEST_F(VersionInfo, ShowsNameVersionDescriptionAndYearsCentredOverTheWindow) {
  const sys::WindowHandle parent =
      desktop.createWindow({.kind = sys::ControlKind::Form, .className = "TMain", .bounds = {100, 100, 700, 500}},
                           nullptr);
  const sys::Rect outer = desktop.bounds(parent);
  bool shown = false;
  desktop.onModal([&](sys::WindowHandle form) {
    shown = true;
    EXPECT_EQ(desktop.className(form), "TVersionForm");
    EXPECT_EQ(desktop.owner(form), parent);
    EXPECT_EQ(desktop.text(desktop.child(form, "NameLabel")), "Gleanix");
    EXPECT_EQ(desktop.text(desktop.child(form, "VersionLabel")), "Ver.0.03 Rev.10");
    EXPECT_EQ(desktop.text(desktop.child(form, "DescriptionLabel")), "一時フォルダ作成プラグイン");
    EXPECT_EQ(desktop.text(desktop.child(form, "CopyrightLabel")), "Copyright (C) 1999-2000 Orvane Lab");
    const sys::Rect r = desktop.bounds(form);
    EXPECT_EQ(r.left, outer.left + (outer.width() - r.width()) / 2);
    EXPECT_EQ(r.top, outer.top + (outer.height() - r.height()) / 2);
    EXPECT_TRUE(desktop.click(desktop.child(form, "OKButton")));
  });
  showVersionInfo(desktop, common, parent);
  EXPECT_TRUE(shown);
}

TEST_F(VersionInfo, WithoutAWindowItOpensInTheMiddleOfTheScreen) {
  sys::Rect r;
  desktop.onModal([&](sys::WindowHandle form) {
    r = desktop.bounds(form);
    EXPECT_EQ(desktop.owner(form), 0u);
  });
  showVersionInfo(desktop, common, 0x4711);  // a handle that is no window
  const sys::Rect screen = desktop.screenRect();
  EXPECT_EQ(r.left, (screen.width() - r.width()) / 2);
  EXPECT_EQ(r.top, (screen.height() - r.height()) / 2);
}

}  // namespace
}  // namespace gleanix::about
