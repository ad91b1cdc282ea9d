// The hidden shared form: created by start-up, gone after clean-up, and
// its bitmaps as the toolbar and the pickup list take them.

#include <gtest/gtest.h>

#include <set>

#include "core/common_form.h"
#include "support/plugin_fixture.h"

namespace gleanix::testing {
namespace {

using CommonForm = PluginTest;

// The 16 x 16 image n of the mark strip, pixel by pixel.
std::vector<sys::Color> markIcon(const sys::Bitmap& strip, int n) {
  std::vector<sys::Color> out;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) out.push_back(strip.at(n * 16 + x, y));
  }
  return out;
}

TEST_F(CommonForm, LivesFromStartUpToCleanUpHidden) {
  ASSERT_EQ(startUp(), 255);
  const sys::WindowHandle form = desktop->findTopLevel("TCommonForm");
  ASSERT_NE(form, 0u);
  EXPECT_EQ(started().commonForm().handle(), form);
  EXPECT_FALSE(desktop->isVisible(form));
  core::cleanUp();
  EXPECT_FALSE(desktop->isWindow(form));
}

TEST_F(CommonForm, BitmapsHaveTheirSizesAndTransparentBackgrounds) {
  ASSERT_EQ(startUp(), 255);
  const core::TCommonForm& c = started().commonForm();
  EXPECT_EQ(c.Icon().width, 32);
  EXPECT_EQ(c.SmallIcon().height, 16);
  EXPECT_EQ(c.Icon().at(31, 0), core::TCommonForm::kIconTransparent);
  const sys::Bitmap* buttons[] = {&c.PrevImage(), &c.NextImage(), &c.PrevDisabledImage(), &c.NextDisabledImage()};
  std::set<std::vector<sys::Color>> distinct;
  for (const sys::Bitmap* b : buttons) {
    EXPECT_EQ(b->width, 23);
    EXPECT_EQ(b->height, 16);
    EXPECT_EQ(b->at(0, 0), core::TCommonForm::kToolbarTransparent);
    distinct.insert(b->pixels);
  }
  EXPECT_EQ(distinct.size(), 4u);

  const sys::Bitmap& marks = c.MarksImage();
  ASSERT_EQ(marks.width, 128);
  ASSERT_EQ(marks.height, 16);
  // Mark 0 is empty; every other mark draws something of its own.
  const std::vector<sys::Color> empty(256, core::TCommonForm::kMarksTransparent);
  EXPECT_EQ(markIcon(marks, 0), empty);
  std::set<std::vector<sys::Color>> icons;
  std::set<sys::Color> cloths;
  for (int n = 1; n < 8; ++n) {
    icons.insert(markIcon(marks, n));
    cloths.insert(marks.at(n * 16 + 4, 4));  // a pixel of the flag's cloth
  }
  EXPECT_EQ(icons.size(), 7u);
  EXPECT_EQ(cloths.size(), 7u);
  EXPECT_EQ(cloths.count(core::TCommonForm::kMarksTransparent), 0u);
}

}  // namespace
}  // namespace gleanix::testing
