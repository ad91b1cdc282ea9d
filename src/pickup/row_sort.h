#pragma once
// Sorting the rows of the pickup list by one of its columns.

#include <string>
#include <vector>

#include "pickup/pickup_row.h"

namespace gleanix::pickup {

enum class SortColumn { Path = 0, Folder = 1, Date = 2, Sender = 3, Subject = 4 };

// The sort key of a row (upper-casing touches ASCII letters only, never a
// byte of a double-byte character; " " is one blank):
//   Path     path text + " " + folder text
//   Folder   folder text + " " + path text
//   Date     the sortable date
//   Sender   upper-cased sender + " " + sortable date
//   Subject  with ignoreRe: bare subject of the upper-cased subject + " " +
//            upper-cased subject + " " + sortable date;
//            without: upper-cased subject + " " + sortable date
std::string sortKey(const PickupRow& row, SortColumn column, bool ignoreRe);

// Orders the rows by their keys, compared byte by byte (no locale), from
// low to high or, descending, from high to low. Stable in both directions:
// rows with equal keys keep their present order.
void sortRows(std::vector<PickupRow>& rows, SortColumn column, bool descending, bool ignoreRe);

// The window's sort state: the column sorted by (-1 for none) and the
// direction. Choosing the present column again flips the direction; another
// column sorts ascending.
struct SortState {
  int column = -1;
  bool descending = false;

  void choose(int newColumn) {
    if (newColumn == column) {
      descending = !descending;
    } else {
      column = newColumn;
      descending = false;
    }
  }
};

}  // namespace gleanix::pickup
