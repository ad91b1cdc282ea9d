#pragma once
// Where a virtual list view takes its rows from. A list view created with
// the style kOwnerData keeps no rows of its own, only their number, the
// selection and the focus; it asks its source for a row's texts and state
// image whenever it shows or reports that row. The program keeps its rows
// in its own lists, so that filling, sorting or emptying a long list costs
// the control nothing.

#include <string>

namespace gleanix::sys {

// Style bit of a ControlKind::ListView: a virtual list view. (Kept apart
// from the Style enum, whose bits grow from the low end.)
inline constexpr unsigned kOwnerData = 1u << 24;

class ListSource {
 public:
  virtual ~ListSource() = default;
  // The text of a cell: column 0 is the caption, the others the sub-items.
  virtual std::string cellText(int row, int column) const = 0;
  // The row's state image index; -1 for none.
  virtual int stateImage(int row) const = 0;
};

}  // namespace gleanix::sys
