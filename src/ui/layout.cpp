#include "ui/layout.h"

#include <algorithm>

namespace gleanix::ui {
namespace {

// Indices of the visible items with the given alignment, in the order they
// are placed. Ties keep the order of the items.
std::vector<int> placingOrder(const std::vector<LayoutItem>& items, Align align) {
  std::vector<int> order;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    if (items[i].visible && items[i].align == align) order.push_back(i);
  }
  auto key = [&](int i) {
    const Bounds& b = items[i].bounds;
    switch (align) {
      case Align::Top: return b.top;
      case Align::Bottom: return -b.bottom();
      case Align::Left: return b.left;
      case Align::Right: return -b.right();
      default: return 0;
    }
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
  return order;
}

void placeAligned(LayoutItem& item, Bounds& rest) {
  Bounds& b = item.bounds;
  switch (item.align) {
    case Align::Top:
      b = {rest.left, rest.top, rest.width, b.height};
      rest.top += b.height;
      rest.height -= b.height;
      break;
    case Align::Bottom:
      b = {rest.left, rest.bottom() - b.height, rest.width, b.height};
      rest.height -= b.height;
      break;
    case Align::Left:
      b = {rest.left, rest.top, b.width, rest.height};
      rest.left += b.width;
      rest.width -= b.width;
      break;
    case Align::Right:
      b = {rest.right() - b.width, rest.top, b.width, rest.height};
      rest.width -= b.width;
      break;
    case Align::Client:
      b = rest;
      break;
    case Align::None:
      break;
  }
  rest.width = std::max(rest.width, 0);
  rest.height = std::max(rest.height, 0);
}

void placeAnchored(LayoutItem& item, int clientWidth, int clientHeight) {
  Bounds& b = item.bounds;
  const unsigned a = item.anchors;
  if (a & akRight) {
    if (a & akLeft) {
      b.width = std::max(0, clientWidth - item.rightMargin - b.left);
    } else {
      b.left = clientWidth - item.rightMargin - b.width;
    }
  }
  if (a & akBottom) {
    if (a & akTop) {
      b.height = std::max(0, clientHeight - item.bottomMargin - b.top);
    } else {
      b.top = clientHeight - item.bottomMargin - b.height;
    }
  }
}

bool horizontal(Align a) { return a == Align::Left || a == Align::Right; }

int extent(const Bounds& b, Align a) { return horizontal(a) ? b.width : b.height; }

}  // namespace

void arrange(std::vector<LayoutItem>& items, const Bounds& area, int clientWidth, int clientHeight) {
  Bounds rest = area;
  rest.width = std::max(rest.width, 0);
  rest.height = std::max(rest.height, 0);
  for (Align align : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    for (int i : placingOrder(items, align)) placeAligned(items[i], rest);
  }
  for (LayoutItem& item : items) {
    if (item.visible && item.align == Align::None) placeAnchored(item, clientWidth, clientHeight);
  }
}

void setAnchorMargins(LayoutItem& item, int clientWidth, int clientHeight) {
  item.rightMargin = clientWidth - item.bounds.right();
  item.bottomMargin = clientHeight - item.bounds.bottom();
}

int splitterTarget(const std::vector<LayoutItem>& items, int splitter) {
  const LayoutItem& s = items[splitter];
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    const LayoutItem& c = items[i];
    if (i == splitter || !c.visible || c.align != s.align) continue;
    const Bounds& a = c.bounds;
    const Bounds& b = s.bounds;
    const bool overlapsV = a.top < b.bottom() && b.top < a.bottom();
    const bool overlapsH = a.left < b.right() && b.left < a.right();
    switch (s.align) {
      case Align::Left:
        if (a.right() == b.left && overlapsV) return i;
        break;
      case Align::Right:
        if (a.left == b.right() && overlapsV) return i;
        break;
      case Align::Top:
        if (a.bottom() == b.top && overlapsH) return i;
        break;
      case Align::Bottom:
        if (a.top == b.bottom() && overlapsH) return i;
        break;
      default:
        return -1;
    }
  }
  return -1;
}

int splitterSize(const std::vector<LayoutItem>& items, int splitter, int target, const Bounds& area,
                 int oldSize, int delta, int minSize) {
  const Align align = items[splitter].align;
  const bool h = horizontal(align);
  // Room for the target: the area less every other item aligned on the same
  // axis (the splitter included), less minSize for what fills the rest.
  int room = (h ? area.width : area.height) - minSize;
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    const LayoutItem& c = items[i];
    if (i == target || !c.visible) continue;
    if (h ? horizontal(c.align) : (c.align == Align::Top || c.align == Align::Bottom)) {
      room -= extent(c.bounds, align);
    }
  }
  const bool growsWithDelta = align == Align::Left || align == Align::Top;
  const int wanted = oldSize + (growsWithDelta ? delta : -delta);
  return std::max(minSize, std::min(wanted, std::max(room, minSize)));
}

}  // namespace gleanix::ui
