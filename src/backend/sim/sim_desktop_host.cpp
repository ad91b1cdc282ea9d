// The simulated desktop as a script drives it through HostDesktop: reading
// controls back and acting on them as the user's hand does.

#include "backend/sim/sim_desktop.h"

namespace gleanix::backend {

SimDesktop::HeldKeys::HeldKeys(SimDesktop& desktop, unsigned shift) : d(desktop) {
  Lock lock(d);
  saved = d.keys_;
  d.keys_[sys::vk::Shift] = (shift & sys::kShift) != 0;
  d.keys_[sys::vk::Control] = (shift & sys::kCtrl) != 0;
  d.keys_[sys::vk::Menu] = (shift & sys::kAlt) != 0;
}

SimDesktop::HeldKeys::~HeldKeys() {
  Lock lock(d);
  d.keys_ = saved;
}

std::vector<sys::WindowHandle> SimDesktop::children(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? p->children : std::vector<sys::WindowHandle>{};
}

std::string SimDesktop::controlName(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? p->name : std::string();
}

std::vector<sys::TreeItem> SimDesktop::treeChildren(sys::WindowHandle tree, sys::TreeItem parent) const {
  Lock lock(*this);
  const SimWindow* p = findKind(tree, sys::ControlKind::TreeView);
  if (!p) return {};
  if (parent == 0) return p->roots;
  auto it = p->nodes.find(parent);
  return it == p->nodes.end() ? std::vector<sys::TreeItem>{} : it->second.children;
}

sys::Color SimDesktop::listBackground(sys::WindowHandle list) const {
  Lock lock(*this);
  const SimWindow* p = findKind(list, sys::ControlKind::ListView);
  // A list view not given a colour paints on the system's window colour.
  return p && p->color ? *p->color : systemColor(sys::SystemColor::Window);
}

sys::Font SimDesktop::controlFont(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? p->font : sys::Font{};
}

bool SimDesktop::userClickTreeState(sys::WindowHandle tree, sys::TreeItem item) {
  Lock lock(*this);
  // The row must be shown: its parents open and the row scrolled into view.
  std::vector<sys::TreeItem> up;
  const SimWindow* p = findKind(tree, sys::ControlKind::TreeView);
  if (!p || !p->nodes.count(item)) return false;
  for (sys::TreeItem i = p->nodes.at(item).parent; i; i = p->nodes.at(i).parent) up.push_back(i);
  for (auto it = up.rbegin(); it != up.rend(); ++it) {
    if (!treeIsExpanded(tree, *it)) expandTreeItem(tree, *it, true);
  }
  treeSetTopItem(tree, item);
  const sys::Rect r = treePartRect(tree, item, sys::TreePart::StateIcon);
  if (r.width() <= 0) return false;
  return clickAt(tree, sys::MouseButton::Left, {r.left + r.width() / 2, r.top + r.height() / 2});
}

sys::Point SimDesktop::rowPoint(sys::WindowHandle list, int row) const {
  const SimWindow& p = get(list);
  const int header = (p.style & sys::kNoColumnHeader) ? 0 : 20;
  return {4, header + (row - p.topIndex) * 16 + 8};
}

bool SimDesktop::userDoubleClickRow(sys::WindowHandle list, int row, unsigned shift) {
  Lock lock(*this);
  if (!findKind(list, sys::ControlKind::ListView) || row < 0 || row >= listCount(list)) return false;
  while (row < listTopIndex(list)) listScroll(list, -1);
  while (row >= listTopIndex(list) + std::max(1, listCountPerPage(list))) listScroll(list, 1);
  HeldKeys held(*this, shift);
  return doubleClickAt(list, rowPoint(list, row));
}

bool SimDesktop::userRowMenu(sys::WindowHandle list, int row, const std::string& item) {
  Lock lock(*this);
  if (!findKind(list, sys::ControlKind::ListView) || row < 0 || row >= listCount(list)) return false;
  while (row < listTopIndex(list)) listScroll(list, -1);
  while (row >= listTopIndex(list) + std::max(1, listCountPerPage(list))) listScroll(list, 1);
  const std::size_t shown = popups_.size();
  popupAnswers_.push_back(item);
  const bool clicked = clickAt(list, sys::MouseButton::Right, rowPoint(list, row));
  const bool chose = popups_.size() > shown && popups_[shown].chosen != 0;
  if (popups_.size() == shown && !popupAnswers_.empty()) popupAnswers_.pop_back();  // no menu came
  return clicked && chose;
}

bool SimDesktop::userKey(sys::WindowHandle w, int virtualKey, unsigned shift) {
  Lock lock(*this);
  HeldKeys held(*this, shift);
  return pressKey(w, virtualKey);
}

void SimDesktop::answerMessageBox(int result) {
  Lock lock(*this);
  messageAnswers_.push_back(result);
}

void SimDesktop::answerColor(std::optional<sys::Color> color) {
  Lock lock(*this);
  colorAnswers_.push_back(color);
}

std::vector<HostDesktop::MessageBoxSeen> SimDesktop::takeMessageBoxes() {
  Lock lock(*this);
  std::vector<MessageBoxSeen> out;
  for (; messageBoxesTaken_ < messageBoxes_.size(); ++messageBoxesTaken_) {
    const SimMessageBox& m = messageBoxes_[messageBoxesTaken_];
    out.push_back({m.caption, m.text, m.icon, m.owner, m.ownerClass});
  }
  return out;
}

}  // namespace gleanix::backend
