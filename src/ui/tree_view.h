#pragma once
// A tree view with nodes kept here (text, images, state index) and shown by
// the desktop's tree control. Which nodes are expanded and which is selected
// is read from the control, since the user changes both there.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace gleanix::ui {

class TImageList;
class TTreeView;

class TTreeNode {
 public:
  TTreeNode(TTreeView& tree, TTreeNode* parent, int id, sys::TreeItem item, std::string text);
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  TTreeView& tree() const { return tree_; }
  TTreeNode* parent() const { return parent_; }
  const std::vector<std::unique_ptr<TTreeNode>>& children() const { return children_; }
  bool hasChildren() const { return !children_.empty(); }
  // Creation order since the tree was last cleared, from 0.
  int id() const { return id_; }
  int level() const;
  sys::TreeItem item() const { return item_; }

  const std::string& text() const { return text_; }
  void setText(const std::string& text);
  int imageIndex() const { return image_; }
  void setImageIndex(int index);
  int selectedIndex() const { return selectedImage_; }
  void setSelectedIndex(int index);
  int stateIndex() const { return state_; }
  void setStateIndex(int index);

  bool expanded() const;
  void expand(bool recursive);
  void collapse(bool recursive);
  bool selected() const;
  void select();

 private:
  friend class TTreeView;
  void push();

  TTreeView& tree_;
  TTreeNode* parent_;
  int id_;
  sys::TreeItem item_;
  std::string text_;
  int image_ = -1;
  int selectedImage_ = -1;
  int state_ = 0;
  std::vector<std::unique_ptr<TTreeNode>> children_;
};

class TTreeView : public TControl {
 public:
  TTreeView(TForm& form, const ControlSpec& spec, TComponent& parent);
  ~TTreeView() override;

  // Adds a node as the last child of parent (nullptr: a top-level node).
  TTreeNode* addChild(TTreeNode* parent, const std::string& text);
  void clear();
  int count() const { return static_cast<int>(byItem_.size()); }
  const std::vector<std::unique_ptr<TTreeNode>>& topNodes() const { return top_; }
  // Every node in tree order (depth first, parents before their children).
  std::vector<TTreeNode*> nodes() const;
  TTreeNode* nodeOf(sys::TreeItem item) const;

  TTreeNode* selected() const;
  void setSelected(TTreeNode* node);
  TTreeNode* topItem() const;
  void setTopItem(TTreeNode* node);
  void fullExpand();
  void fullCollapse();

  struct Hit {
    TTreeNode* node = nullptr;
    sys::TreePart part = sys::TreePart::Nowhere;
  };
  Hit hitTest(int x, int y) const;

  TImageList* images() const { return images_; }
  void setImages(TImageList* images);
  TImageList* stateImages() const { return stateImages_; }
  void setStateImages(TImageList* images);

  // Drawing stops until the matching endUpdate.
  void beginUpdate();
  void endUpdate();

 private:
  std::vector<std::unique_ptr<TTreeNode>> top_;
  std::map<sys::TreeItem, TTreeNode*> byItem_;
  TImageList* images_ = nullptr;
  TImageList* stateImages_ = nullptr;
  int updates_ = 0;
  int nextId_ = 0;
};

}  // namespace gleanix::ui
