#include "insearch/editor_text.h"

#include <algorithm>

namespace gleanix::insearch {

void EditorText::ensure() {
  if (valid_) return;
  base_ = desktop_.text(editor_);
  head_.clear();
  tail_ = 0;
  valid_ = true;
  ++reads_;
}

void EditorText::flatten() {
  if (head_.empty()) return;
  head_.append(base_, tail_);
  base_ = std::move(head_);
  head_.clear();
  tail_ = 0;
}

std::size_t EditorText::size() {
  ensure();
  return head_.size() + (base_.size() - tail_);
}

std::string_view EditorText::from(std::size_t from) {
  ensure();
  if (from < head_.size()) flatten();
  const std::size_t at = std::min(tail_ + (from - head_.size()), base_.size());
  return std::string_view(base_).substr(at);
}

void EditorText::replaced(std::size_t p, std::size_t n, std::string_view r) {
  if (!valid_) return;
  if (p < head_.size()) flatten();
  const std::size_t skip = std::min(p - head_.size(), base_.size() - tail_);
  head_.append(base_, tail_, skip);
  head_.append(r);
  tail_ = std::min(tail_ + skip + n, base_.size());
}

}  // namespace gleanix::insearch
