#include "controls/mailbox_tree_view.h"

#include <functional>
#include <stdexcept>

#include "controls/mailbox_tree_images.h"
#include "store/mailbox_tree.h"
#include "ui/form.h"
#include "util/sjis.h"

namespace gleanix::controls {
namespace {

ui::ControlSpec readOnly(ui::ControlSpec spec) {
  spec.props.readOnly = true;
  return spec;
}

int imageOf(store::TFolderType type) { return static_cast<int>(type) + 1; }

bool parseBool(const std::string& name, const std::string& value) {
  if (value == "true") return true;
  if (value == "false") return false;
  throw std::invalid_argument(name + " is true or false, not " + value);
}

}  // namespace

TCheckableType::TCheckableType(std::initializer_list<store::TFolderType> types) {
  for (store::TFolderType t : types) bits_ |= 1u << t;
}

TCheckableType TCheckableType::fromLetters(std::string_view letters) {
  TCheckableType set;
  for (char c : letters) {
    const auto type = store::folderTypeFromLetter(c);
    if (!type) throw std::invalid_argument(std::string("no folder kind ") + c);
    set.bits_ |= 1u << *type;
  }
  return set;
}

TMailboxTreeView::TMailboxTreeView(ui::TForm& form, const ui::ControlSpec& spec, ui::TComponent& parent)
    : TTreeView(form, readOnly(spec), parent),
      kindImages_(std::make_unique<ui::TImageList>(form, kTreeImageSize, kTreeImageSize)),
      stateImages_(std::make_unique<ui::TImageList>(form, kTreeImageSize, kTreeImageSize)),
      popup_(std::make_unique<ui::TPopupMenu>(form, spec.name + "Popup")) {
  const sys::Color lime = ui::paletteColor(0xA);
  kindImages_->addMasked(ui::bitmapFromText(kKindImagesText, kKindImagesWidth, kTreeImageSize), lime);
  stateImages_->addMasked(ui::bitmapFromText(kStateImagesText, kStateImagesWidth, kTreeImageSize), lime);
  setImages(kindImages_.get());

  popup_->add("CheckAllBelow", "以下全てにチェックを付ける").setHandler(ui::Event::OnClick, [this](ui::EventArgs&) {
    checkAllBelow();
  });
  popup_->add("UncheckAllBelow", "以下全てのチェックを外す").setHandler(ui::Event::OnClick, [this](ui::EventArgs&) {
    uncheckAllBelow();
  });
  popup_->add("CancelMenu", "キャンセル");

  for (const auto& [name, value] : spec.props.extra) {
    if (name == "Checkable") {
      checkable_ = TCheckableType::fromLetters(value);
    } else if (name == "ExpandOnCheckAll") {
      expandOnCheckAll_ = parseBool(name, value);
    } else {
      throw std::logic_error(spec.name + ": TMailboxTreeView has no property " + name);
    }
  }
}

TMailboxTreeView::~TMailboxTreeView() = default;

void TMailboxTreeView::setCheckable(const TCheckableType& types) {
  if (types == checkable_) return;
  checkable_ = types;
  rebuild();
}

void TMailboxTreeView::setPath(const std::string& root) {
  std::string p = root;
  if (!p.empty() && util::lastChar(p) != "\\") p += '\\';
  if (p == path_) return;
  path_ = p;
  rebuild();
}

std::string TMailboxTreeView::pathOf(const ui::TTreeNode* node) const {
  if (!node || node->id() < 0 || node->id() >= static_cast<int>(paths_.size())) return {};
  return paths_[node->id()];
}

std::string TMailboxTreeView::kindOf(const ui::TTreeNode* node) const {
  if (!node || node->id() < 0 || node->id() >= static_cast<int>(kinds_.size())) return {};
  return kinds_[node->id()];
}

void TMailboxTreeView::rebuild() {
  // An empty root would name the current directory: nothing is read.
  if (!files_ || path_.empty()) return;
  const std::optional<std::vector<store::MailboxNode>> tree = store::mailboxTree(*files_, path_);
  if (!tree) return;

  beginUpdate();
  clear();
  paths_.clear();
  kinds_.clear();
  // Nodes get their ids in the order they are added, parents first, so the
  // two lists line up with the ids.
  std::function<void(ui::TTreeNode*, const store::MailboxNode&)> add = [&](ui::TTreeNode* parent,
                                                                           const store::MailboxNode& n) {
    ui::TTreeNode* node = addChild(parent, n.caption);
    paths_.push_back(n.path);
    kinds_.push_back(std::string(1, store::folderTypeLetter(n.type)));
    node->setImageIndex(imageOf(n.type));
    node->setSelectedIndex(imageOf(n.type));
    node->setStateIndex(checkable_.contains(n.type) ? kUnchecked : kNoCheckBox);
    for (const store::MailboxNode& c : n.children) add(node, c);
  };
  for (const store::MailboxNode& n : *tree) add(nullptr, n);
  setStateImages(checkable_.empty() ? nullptr : stateImages_.get());
  if (!topNodes().empty()) setTopItem(topNodes().front().get());
  endUpdate();
}

void TMailboxTreeView::mouseDown(sys::Event& e) {
  const Hit hit = hitTest(e.pos.x, e.pos.y);
  if (hit.node) {
    hit.node->select();
    const bool onNode = hit.part == sys::TreePart::Icon || hit.part == sys::TreePart::Label ||
                        hit.part == sys::TreePart::StateIcon;
    if (onNode && e.button == sys::MouseButton::Left) {
      const int s = hit.node->stateIndex();
      if (s == kUnchecked || s == kChecked) hit.node->setStateIndex(s == kUnchecked ? kChecked : kUnchecked);
    } else if (onNode && e.button == sys::MouseButton::Right && hit.node->hasChildren()) {
      const sys::Point at = desktop().clientToScreen(handle(), e.pos);
      popup_->popup(at.x, at.y);
    }
    // The control's own right-button handling would wait for a release the
    // popup has already taken; the node is selected already.
    if (e.button == sys::MouseButton::Right) e.handled = true;
  }
  TTreeView::mouseDown(e);
}

void TMailboxTreeView::checkAllBelow() {
  setAllBelow(kChecked);
  if (expandOnCheckAll_) {
    if (ui::TTreeNode* node = selected()) node->expand(true);
  }
}

void TMailboxTreeView::uncheckAllBelow() { setAllBelow(kUnchecked); }

void TMailboxTreeView::setAllBelow(int state) {
  std::function<void(ui::TTreeNode*)> walk = [&](ui::TTreeNode* n) {
    if (n->stateIndex() > kNoCheckBox) n->setStateIndex(state);
    for (const auto& c : n->children()) walk(c.get());
  };
  if (ui::TTreeNode* node = selected()) walk(node);
}

}  // namespace gleanix::controls
