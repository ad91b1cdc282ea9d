// Tree views, list views and header controls of the simulated desktop.

#include <algorithm>

#include "backend/sim/sim_desktop.h"

namespace gleanix::backend {
namespace {

constexpr int kTreeRow = 16;
constexpr int kTreeIndent = 19;
constexpr int kIcon = 16;
constexpr int kLabelGap = 2;
constexpr int kLabelPad = 4;
constexpr int kListRow = 16;
constexpr int kListHeader = 20;

void collectShown(const SimWindow& w, const std::vector<sys::TreeItem>& level, std::vector<sys::TreeItem>& out) {
  for (sys::TreeItem i : level) {
    out.push_back(i);
    const SimTreeNode& n = w.nodes.at(i);
    if (n.expanded) collectShown(w, n.children, out);
  }
}

int depthOf(const SimWindow& w, sys::TreeItem item) {
  int d = 0;
  for (sys::TreeItem p = w.nodes.at(item).parent; p; p = w.nodes.at(p).parent) ++d;
  return d;
}

int listHeaderHeight(const SimWindow& w) { return (w.style & sys::kNoColumnHeader) ? 0 : kListHeader; }

}  // namespace

// --- tree views

sys::TreeItem SimDesktop::treeInsert(sys::WindowHandle w, sys::TreeItem parent, const sys::TreeItemData& data) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p || (parent && !p->nodes.count(parent))) return 0;
  const sys::TreeItem item = nextHandle_++;
  SimTreeNode n;
  n.parent = parent;
  n.data = data;
  p->nodes[item] = std::move(n);
  (parent ? p->nodes[parent].children : p->roots).push_back(item);
  return item;
}

void SimDesktop::treeDeleteAll(sys::WindowHandle w) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p) return;
  p->nodes.clear();
  p->roots.clear();
  p->selectedItem = 0;
  p->topItem = 0;
}

void SimDesktop::treeSetItem(sys::WindowHandle w, sys::TreeItem item, const sys::TreeItemData& data) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (p && p->nodes.count(item)) p->nodes[item].data = data;
}

sys::TreeItemData SimDesktop::treeItem(sys::WindowHandle w, sys::TreeItem item) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p || !p->nodes.count(item)) return {};
  return p->nodes.at(item).data;
}

void SimDesktop::treeExpand(sys::WindowHandle w, sys::TreeItem item, bool expand) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p || !p->nodes.count(item)) return;
  SimTreeNode& n = p->nodes[item];
  if (n.children.empty()) return;
  n.expanded = expand;
  // A collapsed branch cannot hold the top row or keep the selection shown.
  if (!expand) {
    for (sys::TreeItem* held : {&p->topItem, &p->selectedItem}) {
      for (sys::TreeItem a = *held ? p->nodes[*held].parent : 0; a; a = p->nodes[a].parent) {
        if (a == item) {
          *held = item;
          break;
        }
      }
    }
  }
}

bool SimDesktop::treeIsExpanded(sys::WindowHandle w, sys::TreeItem item) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  return p && p->nodes.count(item) && p->nodes.at(item).expanded;
}

void SimDesktop::treeSelect(sys::WindowHandle w, sys::TreeItem item) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p || (item && !p->nodes.count(item))) return;
  p->selectedItem = item;
  // Selecting a node opens the branches above it, as the real control does.
  for (sys::TreeItem a = item ? p->nodes[item].parent : 0; a; a = p->nodes[a].parent) p->nodes[a].expanded = true;
}

sys::TreeItem SimDesktop::treeSelected(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  return p ? p->selectedItem : 0;
}

std::vector<sys::TreeItem> SimDesktop::visibleTreeRows(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  std::vector<sys::TreeItem> all;
  if (!p) return all;
  collectShown(*p, p->roots, all);
  auto top = std::find(all.begin(), all.end(), p->topItem);
  if (top != all.end()) all.erase(all.begin(), top);
  return all;
}

int SimDesktop::treeLabelWidth(const SimWindow& w, const SimTreeNode& n) const {
  Lock lock(*this);
  return textExtent(w.font, n.data.text).x + kLabelPad;
}

sys::Rect SimDesktop::treePartRect(sys::WindowHandle w, sys::TreeItem item, sys::TreePart part) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p || !p->nodes.count(item)) return {};
  const std::vector<sys::TreeItem> rows = visibleTreeRows(w);
  auto it = std::find(rows.begin(), rows.end(), item);
  if (it == rows.end()) return {};
  const SimTreeNode& n = p->nodes.at(item);
  const int y = static_cast<int>(it - rows.begin()) * kTreeRow;
  int x = depthOf(*p, item) * kTreeIndent;
  const auto slice = [&](int width) {
    const sys::Rect r{x, y, x + width, y + kTreeRow};
    x += width;
    return r;
  };
  const sys::Rect indent = slice(kTreeIndent);
  const sys::Rect button = n.children.empty() ? sys::Rect{}
                                              : sys::Rect{indent.left + 5, y + 4, indent.left + 14, y + 13};
  const bool hasState = p->stateImages && n.data.state > 0;
  const sys::Rect state = hasState ? slice(kIcon) : sys::Rect{};
  const sys::Rect icon = p->images ? slice(kIcon) : sys::Rect{};
  const sys::Rect label = slice(kLabelGap + treeLabelWidth(*p, n));
  switch (part) {
    case sys::TreePart::Indent: return indent;
    case sys::TreePart::Button: return button;
    case sys::TreePart::StateIcon: return state;
    case sys::TreePart::Icon: return icon;
    case sys::TreePart::Label: return label;
    case sys::TreePart::Right: return {x, y, std::max(x, p->bounds.width()), y + kTreeRow};
    case sys::TreePart::Nowhere: return {};
  }
  return {};
}

sys::TreeHit SimDesktop::treeHitTest(sys::WindowHandle w, sys::Point pt) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p || pt.y < 0 || pt.x < 0 || pt.x >= p->bounds.width() || pt.y >= p->bounds.height()) return {};
  const std::vector<sys::TreeItem> rows = visibleTreeRows(w);
  const std::size_t row = static_cast<std::size_t>(pt.y / kTreeRow);
  if (row >= rows.size()) return {};
  const sys::TreeItem item = rows[row];
  for (sys::TreePart part : {sys::TreePart::Button, sys::TreePart::Indent, sys::TreePart::StateIcon,
                             sys::TreePart::Icon, sys::TreePart::Label}) {
    if (treePartRect(w, item, part).contains(pt)) return {item, part};
  }
  return {item, sys::TreePart::Right};
}

void SimDesktop::treeSetTopItem(sys::WindowHandle w, sys::TreeItem item) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p || !p->nodes.count(item)) return;
  for (sys::TreeItem a = p->nodes[item].parent; a; a = p->nodes[a].parent) {
    if (!p->nodes[a].expanded) return;
  }
  p->topItem = item;
}

sys::TreeItem SimDesktop::treeTopItem(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p) return 0;
  if (p->topItem) return p->topItem;
  return p->roots.empty() ? 0 : p->roots.front();
}

void SimDesktop::treeSetImageList(sys::WindowHandle w, sys::ImageListHandle images, bool stateImages) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p) return;
  (stateImages ? p->stateImages : p->images) = images;
}

void SimDesktop::treeMouseDown(sys::WindowHandle w, sys::MouseButton, sys::Point pt) {
  Lock lock(*this);
  const sys::TreeHit hit = treeHitTest(w, pt);
  if (!hit.item) return;
  if (hit.part == sys::TreePart::Button) {
    treeExpand(w, hit.item, !treeIsExpanded(w, hit.item));
    return;
  }
  if (treeSelected(w) == hit.item) return;
  treeSelect(w, hit.item);
  sys::Event e;
  e.type = sys::EventType::Change;
  deliver(w, e);
}

// --- list views

void SimDesktop::listAddColumn(sys::WindowHandle w, const std::string& caption, int width) {
  Lock lock(*this);
  if (SimWindow* p = findKind(w, sys::ControlKind::ListView)) p->columns.push_back({caption, width});
}

int SimDesktop::listColumnWidth(sys::WindowHandle w, int column) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p || column < 0 || column >= static_cast<int>(p->columns.size())) return 0;
  return p->columns[column].width;
}

void SimDesktop::listSetColumnWidth(sys::WindowHandle w, int column, int width) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (p && column >= 0 && column < static_cast<int>(p->columns.size())) p->columns[column].width = std::max(0, width);
}

// A list view whose rows the desktop holds: not a virtual one.
SimWindow* SimDesktop::editableList(sys::WindowHandle w) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ListView);
  return p && !(p->style & sys::kOwnerData) ? p : nullptr;
}

void SimDesktop::listInsertItem(sys::WindowHandle w, int index, const std::vector<std::string>& texts,
                                int stateImage) {
  Lock lock(*this);
  SimWindow* p = editableList(w);
  if (!p) return;
  index = std::clamp(index, 0, static_cast<int>(p->rows.size()));
  p->rows.insert(p->rows.begin() + index, SimListRow{texts, stateImage, false});
}

void SimDesktop::listSetItemText(sys::WindowHandle w, int index, int column, const std::string& text) {
  Lock lock(*this);
  SimWindow* p = editableList(w);
  if (!p || index < 0 || index >= static_cast<int>(p->rows.size()) || column < 0) return;
  auto& texts = p->rows[index].texts;
  if (static_cast<int>(texts.size()) <= column) texts.resize(column + 1);
  texts[column] = text;
}

std::string SimDesktop::listItemText(sys::WindowHandle w, int index, int column) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p || index < 0 || index >= static_cast<int>(p->rows.size()) || column < 0) return {};
  if (p->style & sys::kOwnerData) return p->source ? p->source->cellText(index, column) : std::string();
  const auto& texts = p->rows[index].texts;
  return column < static_cast<int>(texts.size()) ? texts[column] : std::string();
}

void SimDesktop::listSetStateImage(sys::WindowHandle w, int index, int stateImage) {
  Lock lock(*this);
  SimWindow* p = editableList(w);
  if (p && index >= 0 && index < static_cast<int>(p->rows.size())) p->rows[index].stateImage = stateImage;
}

int SimDesktop::listStateImage(sys::WindowHandle w, int index) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p || index < 0 || index >= static_cast<int>(p->rows.size())) return -1;
  if (p->style & sys::kOwnerData) return p->source ? p->source->stateImage(index) : -1;
  return p->rows[index].stateImage;
}

void SimDesktop::listDeleteItem(sys::WindowHandle w, int index) {
  Lock lock(*this);
  SimWindow* p = editableList(w);
  if (!p || index < 0 || index >= static_cast<int>(p->rows.size())) return;
  p->rows.erase(p->rows.begin() + index);
  p->topIndex = std::clamp(p->topIndex, 0, std::max(0, static_cast<int>(p->rows.size()) - 1));
}

void SimDesktop::listDeleteAll(sys::WindowHandle w) {
  Lock lock(*this);
  SimWindow* p = editableList(w);
  if (!p) return;
  p->rows.clear();
  p->topIndex = 0;
}

int SimDesktop::listCount(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ListView);
  return p ? static_cast<int>(p->rows.size()) : 0;
}

bool SimDesktop::listIsSelected(sys::WindowHandle w, int index) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ListView);
  return p && index >= 0 && index < static_cast<int>(p->rows.size()) && p->rows[index].selected;
}

void SimDesktop::listSetSelected(sys::WindowHandle w, int index, bool selected) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p || index < 0 || index >= static_cast<int>(p->rows.size())) return;
  if (selected && !(p->style & sys::kMultiSelect)) {
    for (SimListRow& r : p->rows) r.selected = false;
  }
  p->rows[index].selected = selected;
}

int SimDesktop::listTopIndex(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ListView);
  return p ? p->topIndex : 0;
}

int SimDesktop::listCountPerPage(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p) return 0;
  return std::max(0, (p->bounds.height() - listHeaderHeight(*p)) / kListRow);
}

void SimDesktop::listScroll(sys::WindowHandle w, int lines) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p) return;
  const int last = std::max(0, static_cast<int>(p->rows.size()) - listCountPerPage(w));
  p->topIndex = std::clamp(p->topIndex + lines, 0, last);
}

void SimDesktop::listSetStateImages(sys::WindowHandle w, sys::ImageListHandle images) {
  Lock lock(*this);
  if (SimWindow* p = findKind(w, sys::ControlKind::ListView)) p->stateImages = images;
}

void SimDesktop::listSetSource(sys::WindowHandle w, const sys::ListSource* source) {
  Lock lock(*this);
  if (SimWindow* p = findKind(w, sys::ControlKind::ListView)) p->source = source;
}

void SimDesktop::listSetCount(sys::WindowHandle w, int count) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p || !(p->style & sys::kOwnerData)) return;
  p->rows.resize(static_cast<std::size_t>(std::max(0, count)));
  const int last = std::max(0, static_cast<int>(p->rows.size()) - listCountPerPage(w));
  p->topIndex = std::clamp(p->topIndex, 0, last);
}

int SimDesktop::listNextSelected(sys::WindowHandle w, int after) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p) return -1;
  for (int i = std::max(0, after + 1); i < static_cast<int>(p->rows.size()); ++i) {
    if (p->rows[i].selected) return i;
  }
  return -1;
}

int SimDesktop::listHitTest(sys::WindowHandle w, sys::Point pt) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p || pt.x < 0 || pt.x >= p->bounds.width() || pt.y >= p->bounds.height()) return -1;
  const int y = pt.y - listHeaderHeight(*p);
  if (y < 0) return -1;
  const int row = p->topIndex + y / kListRow;
  return row < static_cast<int>(p->rows.size()) ? row : -1;
}

void SimDesktop::listKeyDown(sys::WindowHandle w, int key) {
  Lock lock(*this);
  // Virtual-key codes of the keys that move through a list.
  constexpr int kPageUp = 0x21, kPageDown = 0x22, kEnd = 0x23, kHome = 0x24, kUp = 0x26, kDown = 0x28;
  SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p || p->rows.empty()) return;
  const int count = static_cast<int>(p->rows.size());
  const int page = std::max(1, listCountPerPage(w) - 1);
  const int from = listNextSelected(w, -1);
  int to = from;
  switch (key) {
    case kUp: to = from < 0 ? 0 : from - 1; break;
    case kDown: to = from + 1; break;
    case kHome: to = 0; break;
    case kEnd: to = count - 1; break;
    case kPageUp: to = from - page; break;
    case kPageDown: to = from < 0 ? page : from + page; break;
    default: return;
  }
  to = std::clamp(to, 0, count - 1);
  bool changed = false;
  for (int i = 0; i < count; ++i) {
    const bool selected = i == to;
    changed = changed || p->rows[i].selected != selected;
    p->rows[i].selected = selected;
  }
  // The focused row comes into view, as the real control scrolls it.
  const int perPage = std::max(1, listCountPerPage(w));
  if (to < p->topIndex) p->topIndex = to;
  if (to >= p->topIndex + perPage) p->topIndex = to - perPage + 1;
  if (!changed) return;
  sys::Event e;
  e.type = sys::EventType::Change;
  deliver(w, e);
}

void SimDesktop::listMouseDown(sys::WindowHandle w, sys::Point pt, unsigned shift) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p) return;
  const int y = pt.y - listHeaderHeight(*p);
  if (y < 0) return;
  const int row = p->topIndex + y / kListRow;
  std::vector<bool> before;
  for (const SimListRow& r : p->rows) before.push_back(r.selected);
  if (row >= static_cast<int>(p->rows.size())) {
    for (SimListRow& r : p->rows) r.selected = false;
  } else if ((shift & sys::kCtrl) && (p->style & sys::kMultiSelect)) {
    p->rows[row].selected = !p->rows[row].selected;
  } else {
    for (std::size_t i = 0; i < p->rows.size(); ++i) p->rows[i].selected = static_cast<int>(i) == row;
  }
  std::vector<bool> after;
  for (const SimListRow& r : p->rows) after.push_back(r.selected);
  if (before == after) return;
  sys::Event e;
  e.type = sys::EventType::Change;
  deliver(w, e);
}

// --- header controls

void SimDesktop::headerAddSection(sys::WindowHandle w, const std::string& caption, int width) {
  Lock lock(*this);
  if (SimWindow* p = findKind(w, sys::ControlKind::Header)) p->columns.push_back({caption, width});
}

int SimDesktop::headerSectionWidth(sys::WindowHandle w, int index) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::Header);
  if (!p || index < 0 || index >= static_cast<int>(p->columns.size())) return 0;
  return p->columns[index].width;
}

void SimDesktop::headerSetSectionWidth(sys::WindowHandle w, int index, int width) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::Header);
  if (p && index >= 0 && index < static_cast<int>(p->columns.size())) p->columns[index].width = std::max(0, width);
}

}  // namespace gleanix::backend
