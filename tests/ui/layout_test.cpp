#include "ui/layout.h"

#include <gtest/gtest.h>

namespace gleanix::ui {
namespace {

LayoutItem item(Align a, Bounds b, bool visible = true) {
  LayoutItem i;
  i.align = a;
  i.bounds = b;
  i.visible = visible;
  return i;
}

TEST(Layout, AlignedItemsTakeTheirSidesInTheFixedOrder) {
  // Listed in an order unlike the placing order: client first, top last.
  std::vector<LayoutItem> items = {
      item(Align::Client, {0, 0, 1, 1}),   item(Align::Right, {0, 0, 50, 1}),
      item(Align::Left, {0, 0, 80, 1}),    item(Align::Bottom, {0, 0, 1, 30}),
      item(Align::Top, {0, 0, 1, 20}),
  };
  arrange(items, {5, 5, 390, 290}, 400, 300);
  EXPECT_EQ(items[4].bounds, (Bounds{5, 5, 390, 20}));      // top: full width
  EXPECT_EQ(items[3].bounds, (Bounds{5, 265, 390, 30}));    // bottom: full width below the top
  EXPECT_EQ(items[2].bounds, (Bounds{5, 25, 80, 240}));     // left: between top and bottom
  EXPECT_EQ(items[1].bounds, (Bounds{345, 25, 50, 240}));   // right
  EXPECT_EQ(items[0].bounds, (Bounds{85, 25, 260, 240}));   // client: what is left
}

TEST(Layout, ItemsOfOneSideStackByTheirPositionNotByTheirOrder) {
  std::vector<LayoutItem> items = {
      item(Align::Top, {0, 50, 1, 10}),  // lower one listed first
      item(Align::Top, {0, 0, 1, 20}),
      item(Align::Left, {120, 0, 3, 1}),  // a splitter right of the panel
      item(Align::Left, {0, 0, 120, 1}),
      item(Align::Bottom, {0, 200, 1, 15}),
      item(Align::Bottom, {0, 280, 1, 20}),  // the lowest takes the bottom edge
  };
  arrange(items, {0, 0, 400, 300}, 400, 300);
  EXPECT_EQ(items[1].bounds.top, 0);
  EXPECT_EQ(items[0].bounds.top, 20);
  EXPECT_EQ(items[5].bounds.top, 280);
  EXPECT_EQ(items[4].bounds.top, 265);
  EXPECT_EQ(items[3].bounds.left, 0);
  EXPECT_EQ(items[2].bounds.left, 120);
  EXPECT_EQ(items[2].bounds.height, 235);
}

TEST(Layout, HiddenItemsLeaveTheirRoomAndKeepTheirBounds) {
  std::vector<LayoutItem> items = {item(Align::Left, {7, 8, 100, 9}, false), item(Align::Client, {})};
  arrange(items, {0, 0, 300, 200}, 300, 200);
  EXPECT_EQ(items[0].bounds, (Bounds{7, 8, 100, 9}));
  EXPECT_EQ(items[1].bounds, (Bounds{0, 0, 300, 200}));
}

TEST(Layout, SlicesNeverGoNegativeWhenTheParentIsTooSmall) {
  std::vector<LayoutItem> items = {item(Align::Top, {0, 0, 0, 80}), item(Align::Bottom, {0, 0, 0, 80}),
                                   item(Align::Client, {})};
  arrange(items, {0, 0, 100, 100}, 100, 100);
  EXPECT_EQ(items[2].bounds.height, 0);
  EXPECT_GE(items[2].bounds.width, 0);
}

TEST(Layout, AnchorsKeepTheDesignedDistancesToTheEdges) {
  LayoutItem fixed = item(Align::None, {10, 10, 50, 20});
  LayoutItem right = item(Align::None, {300, 250, 75, 25});
  right.anchors = akRight | akBottom;
  LayoutItem stretch = item(Align::None, {10, 40, 380, 200});
  stretch.anchors = akLeft | akTop | akRight | akBottom;
  for (LayoutItem* i : {&fixed, &right, &stretch}) setAnchorMargins(*i, 400, 300);
  std::vector<LayoutItem> items = {fixed, right, stretch};
  arrange(items, {0, 0, 600, 500}, 600, 500);
  EXPECT_EQ(items[0].bounds, (Bounds{10, 10, 50, 20}));
  EXPECT_EQ(items[1].bounds, (Bounds{500, 450, 75, 25}));
  EXPECT_EQ(items[2].bounds, (Bounds{10, 40, 580, 400}));
  arrange(items, {0, 0, 100, 100}, 100, 100);
  EXPECT_EQ(items[2].bounds.width, 80);
  EXPECT_EQ(items[2].bounds.height, 0);  // never negative
}

// A left panel, its splitter, a client area and a right-aligned panel.
std::vector<LayoutItem> splitLayout() {
  std::vector<LayoutItem> items = {item(Align::Left, {0, 0, 200, 300}), item(Align::Left, {200, 0, 4, 300}),
                                   item(Align::Client, {204, 0, 96, 300}), item(Align::Right, {300, 0, 100, 300})};
  arrange(items, {0, 0, 500, 300}, 500, 300);
  return items;
}

TEST(Layout, SplitterResizesTheItemOnItsInnerSide) {
  std::vector<LayoutItem> items = splitLayout();
  EXPECT_EQ(splitterTarget(items, 1), 0);
  EXPECT_EQ(splitterSize(items, 1, 0, {0, 0, 500, 300}, 200, 50, 30), 250);
  EXPECT_EQ(splitterSize(items, 1, 0, {0, 0, 500, 300}, 200, -100, 30), 100);
}

TEST(Layout, SplitterKeepsMinSizeOnBothSides) {
  std::vector<LayoutItem> items = splitLayout();
  // Room: 500 - 4 (splitter) - 100 (right panel) - 30 for the client.
  EXPECT_EQ(splitterSize(items, 1, 0, {0, 0, 500, 300}, 200, 1000, 30), 366);
  EXPECT_EQ(splitterSize(items, 1, 0, {0, 0, 500, 300}, 200, -1000, 30), 30);
}

TEST(Layout, SplittersOnTheRightAndBottomGrowAgainstThePointer) {
  std::vector<LayoutItem> items = {item(Align::Client, {}), item(Align::Right, {0, 0, 100, 10}),
                                   item(Align::Right, {0, 0, 5, 10}), item(Align::Bottom, {0, 0, 10, 60}),
                                   item(Align::Bottom, {0, 0, 10, 5})};
  arrange(items, {0, 0, 400, 300}, 400, 300);
  // The bottom panel took the bottom edge first, the splitter sits on it.
  ASSERT_EQ(items[4].bounds.bottom(), items[3].bounds.top);
  EXPECT_EQ(splitterTarget(items, 4), 3);
  EXPECT_EQ(splitterSize(items, 4, 3, {0, 0, 400, 300}, 60, -40, 30), 100);
  ASSERT_EQ(items[2].bounds.right(), items[1].bounds.left);
  EXPECT_EQ(splitterTarget(items, 2), 1);
  EXPECT_EQ(splitterSize(items, 2, 1, {0, 0, 400, 300}, 100, -40, 30), 140);
}

TEST(Layout, SplitterWithoutANeighbourFindsNothing) {
  std::vector<LayoutItem> items = {item(Align::Left, {0, 0, 100, 10}), item(Align::Left, {150, 0, 4, 10}),
                                   item(Align::Top, {0, 0, 10, 146})};
  EXPECT_EQ(splitterTarget(items, 1), -1);
  items[0].visible = false;
  items[0].bounds.width = 150;
  EXPECT_EQ(splitterTarget(items, 1), -1);
}

}  // namespace
}  // namespace gleanix::ui
