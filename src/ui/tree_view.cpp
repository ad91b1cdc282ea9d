#include "ui/tree_view.h"

#include "ui/form.h"
#include "ui/image_list.h"

namespace gleanix::ui {
namespace {

unsigned treeStyle(const Props& p) {
  unsigned s = 0;
  if (p.readOnly) s |= sys::kReadOnly;
  if (!p.hideSelection) s |= sys::kShowSelectionAlways;
  return s;
}

void collect(const std::vector<std::unique_ptr<TTreeNode>>& level, std::vector<TTreeNode*>& out) {
  for (const auto& n : level) {
    out.push_back(n.get());
    collect(n->children(), out);
  }
}

}  // namespace

TTreeNode::TTreeNode(TTreeView& tree, TTreeNode* parent, int id, sys::TreeItem item, std::string text)
    : tree_(tree), parent_(parent), id_(id), item_(item), text_(std::move(text)) {}

int TTreeNode::level() const {
  int n = 0;
  for (const TTreeNode* p = parent_; p; p = p->parent_) ++n;
  return n;
}

void TTreeNode::push() {
  tree_.desktop().treeSetItem(tree_.handle(), item_, {text_, image_, selectedImage_, state_});
}

void TTreeNode::setText(const std::string& text) {
  text_ = text;
  push();
}

void TTreeNode::setImageIndex(int index) {
  image_ = index;
  push();
}

void TTreeNode::setSelectedIndex(int index) {
  selectedImage_ = index;
  push();
}

void TTreeNode::setStateIndex(int index) {
  state_ = index;
  push();
}

bool TTreeNode::expanded() const { return tree_.desktop().treeIsExpanded(tree_.handle(), item_); }

void TTreeNode::expand(bool recursive) {
  if (hasChildren()) tree_.desktop().treeExpand(tree_.handle(), item_, true);
  if (!recursive) return;
  for (const auto& c : children_) c->expand(true);
}

void TTreeNode::collapse(bool recursive) {
  if (recursive) {
    for (const auto& c : children_) c->collapse(true);
  }
  if (hasChildren()) tree_.desktop().treeExpand(tree_.handle(), item_, false);
}

bool TTreeNode::selected() const { return tree_.desktop().treeSelected(tree_.handle()) == item_; }

void TTreeNode::select() { tree_.desktop().treeSelect(tree_.handle(), item_); }

TTreeView::TTreeView(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::TreeView, treeStyle(spec.props)) {}

TTreeView::~TTreeView() = default;

TTreeNode* TTreeView::addChild(TTreeNode* parent, const std::string& text) {
  const sys::TreeItem item = desktop().treeInsert(handle(), parent ? parent->item() : 0, {text, -1, -1, 0});
  auto node = std::make_unique<TTreeNode>(*this, parent, nextId_++, item, text);
  TTreeNode* raw = node.get();
  (parent ? parent->children_ : top_).push_back(std::move(node));
  byItem_[item] = raw;
  return raw;
}

void TTreeView::clear() {
  desktop().treeDeleteAll(handle());
  top_.clear();
  byItem_.clear();
  nextId_ = 0;
}

std::vector<TTreeNode*> TTreeView::nodes() const {
  std::vector<TTreeNode*> out;
  out.reserve(byItem_.size());
  collect(top_, out);
  return out;
}

TTreeNode* TTreeView::nodeOf(sys::TreeItem item) const {
  auto it = byItem_.find(item);
  return it == byItem_.end() ? nullptr : it->second;
}

TTreeNode* TTreeView::selected() const { return nodeOf(desktop().treeSelected(handle())); }

void TTreeView::setSelected(TTreeNode* node) { desktop().treeSelect(handle(), node ? node->item() : 0); }

TTreeNode* TTreeView::topItem() const { return nodeOf(desktop().treeTopItem(handle())); }

void TTreeView::setTopItem(TTreeNode* node) {
  if (node) desktop().treeSetTopItem(handle(), node->item());
}

void TTreeView::fullExpand() {
  for (const auto& n : top_) n->expand(true);
}

void TTreeView::fullCollapse() {
  for (const auto& n : top_) n->collapse(true);
}

TTreeView::Hit TTreeView::hitTest(int x, int y) const {
  const sys::TreeHit h = desktop().treeHitTest(handle(), {x, y});
  return {nodeOf(h.item), h.item ? h.part : sys::TreePart::Nowhere};
}

void TTreeView::setImages(TImageList* images) {
  images_ = images;
  desktop().treeSetImageList(handle(), images ? images->handle() : 0, false);
}

void TTreeView::setStateImages(TImageList* images) {
  stateImages_ = images;
  desktop().treeSetImageList(handle(), images ? images->handle() : 0, true);
}

void TTreeView::beginUpdate() {
  if (updates_++ == 0) desktop().setRedraw(handle(), false);
}

void TTreeView::endUpdate() {
  if (updates_ > 0 && --updates_ == 0) desktop().setRedraw(handle(), true);
}

}  // namespace gleanix::ui
