// Copy and move of the pickup list's selected mails: the destination dialog
// and the command behind "コピー ..." and "移動 ...".

#include "listwindow/copy_move.h"

#include "controls/mailbox_tree_view.h"
#include "core/form_services.h"
#include "listwindow/folder_form.h"
#include "pickup/display_path_parts.h"
#include "store/attribute_lookup.h"
#include "store/display_path.h"
#include "store/list_file.h"
#include "store/mail_move.h"
#include "store/mail_store.h"
#include "ui/busy_cursor.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/std_controls.h"
#include "util/sjis.h"

namespace gleanix::listwindow {
namespace {

using ui::Event;

const ui::FormTable kCopyMoveLayout = {
    .className = "TCopyMoveForm",
    .caption = "コピー先の指定",
    .clientWidth = 300,
    .clientHeight = 380,
    .sizeable = true,
    .events = {{Event::OnCreate, "FormCreate"}, {Event::OnClose, "FormClose"}},
    .controls =
        {
            {.kind = ui::make<ui::TPanel>, .name = "ButtonPanel", .align = ui::Align::Bottom,
             .bounds = {0, 339, 300, 41}},
            {.kind = ui::make<ui::TButton>, .name = "OKButton", .caption = "コピー", .parent = "ButtonPanel",
             .bounds = {128, 8, 75, 25},
             .props = {.anchors = ui::akRight | ui::akTop, .isDefault = true, .modalResult = sys::result::Ok}},
            {.kind = ui::make<ui::TButton>, .name = "CancelButton", .caption = "キャンセル", .parent = "ButtonPanel",
             .bounds = {213, 8, 75, 25},
             .props = {.anchors = ui::akRight | ui::akTop, .isCancel = true, .modalResult = sys::result::Cancel}},
            {.kind = ui::make<controls::TMailboxTreeView>, .name = "MailboxTreeView1", .align = ui::Align::Client,
             .bounds = {0, 0, 300, 339}, .props = {.extra = {{"Checkable", "IOTF"}}},
             .events = {{Event::OnClick, "MailboxTreeView1Click"}}},
        },
};

constexpr const char* kCopyMoveSection = "CopyMoveForm";

}  // namespace

TCopyMoveForm::TCopyMoveForm(core::StartedPlugin& plugin, sys::WindowHandle owner, bool copyTexts)
    : TForm(plugin.desktop(), kCopyMoveLayout, owner),
      plugin_(plugin),
      tree_(component<controls::TMailboxTreeView>("MailboxTreeView1")),
      okButton_(component<ui::TButton>("OKButton")) {
  setCaption(copyTexts ? "コピー先の指定" : "移動先の指定");
  okButton_.setCaption(copyTexts ? "コピー" : "移動");
  handler("FormCreate", &TCopyMoveForm::FormCreate);
  handler("FormClose", &TCopyMoveForm::FormClose);
  handler("MailboxTreeView1Click", &TCopyMoveForm::MailboxTreeView1Click);
  created();
}

void TCopyMoveForm::FormCreate() {
  plugin_.commonForm().giveIcon(handle());
  core::restoreFormGeometry(plugin_, *this, kCopyMoveSection);
  tree_.setFileSystem(&plugin_.fs());
  tree_.setPath(plugin_.host().getMailbox());
  tree_.fullExpand();
  updateDestination();
}

void TCopyMoveForm::FormClose() { core::saveFormGeometry(plugin_, *this, kCopyMoveSection); }

void TCopyMoveForm::MailboxTreeView1Click() {
  int checked = 0;
  for (const ui::TTreeNode* n : tree_.nodes()) checked += n->stateIndex() == controls::TMailboxTreeView::kChecked;
  if (checked > 1) {
    // The click leaves at most one check: the one on the node it selected.
    const ui::TTreeNode* keep = tree_.selected();
    for (ui::TTreeNode* n : tree_.nodes()) {
      if (n != keep && n->stateIndex() == controls::TMailboxTreeView::kChecked) {
        n->setStateIndex(controls::TMailboxTreeView::kUnchecked);
      }
    }
  }
  updateDestination();
}

void TCopyMoveForm::updateDestination() {
  int checked = 0;
  for (const ui::TTreeNode* n : tree_.nodes()) {
    if (n->stateIndex() != controls::TMailboxTreeView::kChecked) continue;
    destination_ = tree_.pathOf(n);
    ++checked;
  }
  if (checked == 0) destination_.clear();
  okButton_.setEnabled(checked == 1);
}

// --- the command

namespace {

std::string failureText(bool copy, int failures) {
  const std::string n = std::to_string(failures);
  if (copy) return "コピーに失敗したものが" + n + "通あります。\r\n";
  return "移動に失敗したものが" + n +
         "通あります。\r\n\r\nメールが消えた場合、\r\n「フォルダ」メニューの「フォルダの検査」で\r\n"
         "復活できる筈です。\r\n";
}

// Where a moved mail is shown afterwards.
struct NewPlace {
  std::string folder;
  std::string pathText;
  std::string folderText;
};

NewPlace placeAfterMove(const store::MailStore& store, const std::string& d1, const std::string& d2) {
  if (store::isTrashPath(d1)) {
    // A mail in the trash lives in its account's inbox directory and is
    // listed by the trash; it is shown as the account's trash.
    return {store.accountOf(d1).value_or("") + "Inbox.box\\", store::displayPath(store, d1) + "\\", "ごみ箱"};
  }
  pickup::DisplayPathParts parts = pickup::splitDisplayPath(store::displayPath(store, d2));
  return {d2, std::move(parts.directory), std::move(parts.rest)};
}

}  // namespace

void TFolderForm::ViewCopyMoveClick(ui::EventArgs& args) {
  if (released()) return;
  const std::shared_ptr<TFolderForm> keep = weak_from_this().lock();
  const auto* item = dynamic_cast<const ui::TMenuItem*>(args.sender);
  const bool copy = item && item->name() == "ViewCopy";
  const bool copyTexts = item && util::charPos("コピ", item->caption()) > 0;

  TCopyMoveForm dialog(plugin_, handle(), copyTexts);
  if (dialog.showModal() != sys::result::Ok || dialog.destination().empty()) return;
  const std::string destination = dialog.destination();
  const std::string d1 = store::withoutTrailingBackslash(destination);
  const std::string d2 = store::withTrailingBackslash(destination);
  const std::string root = store::withTrailingBackslash(plugin_.host().getMailbox());
  const store::MailStore store(plugin_.fs(), root);

  int failures = 0;
  {
    const ui::BusyCursor busy(desktop());
    std::optional<NewPlace> moved;
    for (int row : list_.selectedRows()) {
      if (row >= static_cast<int>(rows_.size())) break;
      pickup::PickupRow& r = rows_[static_cast<std::size_t>(row)];
      if (copy) {
        const std::uint32_t attribute = store::attributeWord(store, root + r.folder, r.key);
        if (!plugin_.host().importFile(root + r.folder + r.key + ".ALM", d1, attribute)) ++failures;
        continue;
      }
      if (!store::moveMail(store, plugin_.host(), r.folder, r.key, d1)) {
        ++failures;
        continue;
      }
      if (!moved) moved = placeAfterMove(store, d1, d2);
      r.folder = moved->folder;
      r.pathText = moved->pathText;
      r.folderText = moved->folderText;
    }
  }
  if (!copy) list_.invalidate();
  if (failures > 0) {
    desktop().messageBox(handle(), failureText(copy, failures), "エラー", sys::MessageIcon::Warning,
                         sys::MessageButtons::Ok);
  }
}

}  // namespace gleanix::listwindow
