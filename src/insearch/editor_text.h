#pragma once
// The text of an edit control as the search loop reads it, read once and
// then kept in step with the loop's own replacements instead of being read
// again after each of them: a replace-all over a long mail stays linear.
//
// The copy is held as the part already passed (with its replacements) and
// the untouched rest of the text as read, so that replacing at increasing
// positions appends instead of moving the whole rest each time, and the
// text from any later position on is at hand as one piece.

#include <cstddef>
#include <string>
#include <string_view>

#include "sys/desktop.h"

namespace gleanix::insearch {

class EditorText {
 public:
  EditorText(const sys::Desktop& desktop, sys::WindowHandle editor) : desktop_(desktop), editor_(editor) {}

  // Forgets the copy: the control may have changed (the user could type
  // while a question was shown); the next access reads it again.
  void invalidate() { valid_ = false; }

  std::size_t size();
  // The text from byte from (at most size()) to the end.
  std::string_view from(std::size_t from);
  std::string_view whole() { return from(0); }

  // The control replaced n bytes at p by r, as the loop asked it to.
  void replaced(std::size_t p, std::size_t n, std::string_view r);

  // How often the control's text was read.
  int reads() const { return reads_; }

 private:
  void ensure();
  void flatten();

  const sys::Desktop& desktop_;
  sys::WindowHandle editor_;
  bool valid_ = false;
  // The text is head_ followed by base_ from byte tail_ on.
  std::string head_;
  std::string base_;
  std::size_t tail_ = 0;
  int reads_ = 0;
};

}  // namespace gleanix::insearch
