#include "core/pickup_window_list.h"

#include <gtest/gtest.h>

#include "support/fake_pickup_window.h"

#include <set>

namespace gleanix::core {
namespace {

using Window = testing::FakePickupWindow;

std::vector<std::string> texts(const PickupWindowList& list) {
  std::vector<std::string> out;
  for (const auto& e : list.entries()) out.push_back(e.text);
  return out;
}

TEST(PickupWindowList, EntriesAreDecimalHandlesWithTheirWindows) {
  PickupWindowList list;
  auto a = std::make_shared<Window>(0x1A2B);
  list.add(a);
  list.add(std::make_shared<Window>(7));
  list.add(nullptr);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"6699", "7"}));
  EXPECT_EQ(list.entries()[0].window, a);
  EXPECT_EQ(PickupWindowList::handleOf(list.entries()[0]), 0x1A2Bu);
  EXPECT_EQ(PickupWindowList::handleOf({"12x", nullptr}), 0u);
}

TEST(PickupWindowList, PruneWalksFromLastToFirstAndKeepsTheOrder) {
  PickupWindowList list;
  for (sys::WindowHandle h : {1, 2, 3, 4, 5}) list.add(std::make_shared<Window>(h));
  std::set<sys::WindowHandle> alive = {1, 4};
  std::vector<sys::WindowHandle> asked;
  list.prune([&](sys::WindowHandle h) {
    asked.push_back(h);
    return alive.count(h) != 0;
  });
  EXPECT_EQ(asked, (std::vector<sys::WindowHandle>{5, 4, 3, 2, 1}));
  EXPECT_EQ(texts(list), (std::vector<std::string>{"1", "4"}));
  list.prune([](sys::WindowHandle) { return false; });
  EXPECT_TRUE(list.empty());
}

TEST(PickupWindowList, AReusedHandleReplacesTheGoneWindowsEntry) {
  PickupWindowList list;
  auto gone = std::make_shared<Window>(10);
  list.add(gone);
  list.add(std::make_shared<Window>(11));
  auto fresh = std::make_shared<Window>(10);
  list.add(fresh);
  EXPECT_EQ(texts(list), (std::vector<std::string>{"11", "10"}));
  EXPECT_EQ(list.entries()[1].window, fresh);
}

}  // namespace
}  // namespace gleanix::core
