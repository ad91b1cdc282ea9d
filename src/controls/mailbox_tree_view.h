#pragma once
// TMailboxTreeView: a read-only tree view of the mail store (mail root,
// accounts, inbox, outbox, trash, folder groups, user folders) with an icon
// per kind and, for the kinds in Checkable, a check box held in the node's
// state index: 2 unchecked, 3 checked, 1 no check box (a grey hatched box).
//
// A left press on a node's icon, label or state icon toggles its check; a
// right press there on a node with children offers "check all below",
// "uncheck all below" and "cancel".
//
// On a form: {.kind = ui::make<TMailboxTreeView>, .name = "MailboxTreeView1",
//   ..., .props = {.extra = {{"Checkable", "IOTF"}, {"ExpandOnCheckAll", "true"}}}}
// where Checkable lists kind letters (M A I O T G F). The tree reads the
// store through the file system given to setFileSystem when Path is set.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/folder_type.h"
#include "sys/file_system.h"
#include "ui/image_list.h"
#include "ui/menu.h"
#include "ui/tree_view.h"

namespace gleanix::controls {

// A set of store::TFolderType.
class TCheckableType {
 public:
  TCheckableType() = default;
  TCheckableType(std::initializer_list<store::TFolderType> types);
  // From kind letters ("IOTF"); throws std::invalid_argument on any other.
  static TCheckableType fromLetters(std::string_view letters);

  bool contains(store::TFolderType type) const { return (bits_ >> type) & 1u; }
  bool empty() const { return bits_ == 0; }
  bool operator==(const TCheckableType&) const = default;

 private:
  unsigned bits_ = 0;
};

class TMailboxTreeView : public ui::TTreeView {
 public:
  TMailboxTreeView(ui::TForm& form, const ui::ControlSpec& spec, ui::TComponent& parent);
  ~TMailboxTreeView() override;

  void setFileSystem(const sys::FileSystem* files) { files_ = files; }

  const TCheckableType& checkable() const { return checkable_; }
  // A different set rebuilds the tree; an equal one does nothing.
  void setCheckable(const TCheckableType& types);

  const std::string& path() const { return path_; }
  // The mail root shown; a trailing "\" is added when missing. A different
  // root rebuilds the tree; an equal one does nothing.
  void setPath(const std::string& root);

  bool expandOnCheckAll() const { return expandOnCheckAll_; }
  void setExpandOnCheckAll(bool on) { expandOnCheckAll_ = on; }

  // The node's stored path (relative to the mail root; the root node's is
  // the mail root itself) and kind letter; empty for no node.
  std::string pathOf(const ui::TTreeNode* node) const;
  std::string kindOf(const ui::TTreeNode* node) const;

  // From the selected node through its whole branch, every node with a
  // check box gets checked (unchecked). Checking also opens the branch when
  // ExpandOnCheckAll is set.
  void checkAllBelow();
  void uncheckAllBelow();

  static constexpr int kNoCheckBox = 1;
  static constexpr int kUnchecked = 2;
  static constexpr int kChecked = 3;

 protected:
  void mouseDown(sys::Event& e) override;

 private:
  void rebuild();
  void setAllBelow(int state);

  const sys::FileSystem* files_ = nullptr;
  TCheckableType checkable_;
  std::string path_;
  bool expandOnCheckAll_ = false;
  // Indexed by the node's id: its path and its kind letter.
  std::vector<std::string> paths_;
  std::vector<std::string> kinds_;
  std::unique_ptr<ui::TImageList> kindImages_;
  std::unique_ptr<ui::TImageList> stateImages_;
  std::unique_ptr<ui::TPopupMenu> popup_;
};

}  // namespace gleanix::controls
