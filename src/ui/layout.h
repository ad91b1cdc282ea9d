#pragma once
// The layout engine shared by every backend: places the children of a
// container from their alignment, anchors and design positions, and sizes
// the control a splitter drags. Pure computation, no windows.

#include <vector>

namespace gleanix::ui {

enum class Align { None, Top, Bottom, Left, Right, Client };

enum Anchor : unsigned { akLeft = 1u << 0, akTop = 1u << 1, akRight = 1u << 2, akBottom = 1u << 3 };

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Bounds&) const = default;
};

struct LayoutItem {
  Align align = Align::None;
  unsigned anchors = akLeft | akTop;
  bool visible = true;
  Bounds bounds;
  // Distances from the parent's right and bottom client edges as designed;
  // an unaligned control anchored to those edges keeps them.
  int rightMargin = 0;
  int bottomMargin = 0;
};

// Places the items inside a parent whose client area is clientWidth x
// clientHeight and whose aligned children share the rectangle area (the
// client area less the parent's frame). Aligned items fill area in this
// order: top (by their present top), bottom (lowest first), left (by their
// left), right (rightmost first), client; each takes its slice and leaves
// the rest to the following ones. Invisible items keep their bounds.
void arrange(std::vector<LayoutItem>& items, const Bounds& area, int clientWidth, int clientHeight);

// The margins that anchors keep, taken from an item's design bounds.
void setAnchorMargins(LayoutItem& item, int clientWidth, int clientHeight);

// The index of the item a splitter resizes: the visible sibling with the
// same alignment that touches the splitter on its inner side; -1 if none.
int splitterTarget(const std::vector<LayoutItem>& items, int splitter);

// The new width (left/right) or height (top/bottom) of the target when the
// splitter has been dragged by delta pixels (towards right or bottom is
// positive) from where the target had oldSize. The size stays at least
// minSize and leaves at least minSize for the rest of area.
int splitterSize(const std::vector<LayoutItem>& items, int splitter, int target, const Bounds& area,
                 int oldSize, int delta, int minSize);

}  // namespace gleanix::ui
