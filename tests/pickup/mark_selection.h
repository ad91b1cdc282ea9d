#pragma once
// Mark selections for the tests: exactly the boxes named checked.

#include <initializer_list>

#include "pickup/mark_search.h"

namespace gleanix::testing {

inline pickup::MarkSelection only(bool unread, bool read, std::initializer_list<int> marks) {
  pickup::MarkSelection s;
  s.marks.fill(false);
  s.unread = unread;
  s.read = read;
  for (int m : marks) s.marks[static_cast<std::size_t>(m)] = true;
  return s;
}

}  // namespace gleanix::testing
