#include "mailbox_tree_test_store.h"

namespace gleanix::testing {
namespace {

const ui::FormTable kTreeForm = {
    .className = "TTreeTestForm",
    .caption = "フォルダ",
    .clientWidth = 320,
    .clientHeight = 400,
    .controls = {{.kind = ui::make<controls::TMailboxTreeView>,
                  .name = "MailboxTreeView1",
                  .align = ui::Align::Client,
                  .bounds = {0, 0, 320, 400},
                  .props = {.hideSelection = false, .extra = {{"Checkable", "IOTF"}}}}},
};

}  // namespace

void writeTwoAccountStore(const TempDir& dir) {
  dir.put({"Mailbox.ini"}, "TIMEZONE=+0900\r\n");
  dir.makeDir({"Acc1"});
  dir.put({"Acc1", "Account.ini"}, "TITLE=\"Home\"\r\nORDER=T001I004\r\n");
  dir.makeDir({"Acc1", "Inbox.box"});
  dir.makeDir({"Acc1", "Outbox.box"});
  dir.put({"Acc1", "Trash.box"}, "");
  dir.makeDir({"Acc1", "User001.box"});
  dir.put({"Acc1", "User001.box", "Entry.ini"}, "TITLE=Lists\r\ntype=subfolder\r\nORDER=002\r\n");
  dir.makeDir({"Acc1", "User001.box", "User002.box"});
  dir.put({"Acc1", "User001.box", "User002.box", "Entry.ini"}, "TITLE=ML-A\r\n");
  dir.makeDir({"Acc1", "User001.box", "User005.box"});
  dir.put({"Acc1", "User001.box", "User005.box", "Entry.ini"}, "TITLE=Misc\r\n");
  dir.makeDir({"Acc1", "User003.box"});  // found by enumeration, no Entry.ini
  dir.makeDir({"Acc1", "User004.box"});  // named in ORDER, no Entry.ini
  dir.makeDir({"Acc2"});
  dir.put({"Acc2", "Account.ini"}, "Title=Work\r\n");
  dir.makeDir({"Acc2", "Inbox.box"});
  dir.makeDir({"AccX"});  // no Account.ini: not an account
}

void writeSingleAccountStore(const TempDir& dir) {
  dir.put({"Account.ini"}, "TITLE=Solo\r\nORDER=IO\r\n");
  dir.makeDir({"Inbox.box"});
  dir.makeDir({"User007.box"});
  dir.put({"User007.box", "Entry.ini"}, "TITLE=Seven\r\n");
}

TTreeTestForm::TTreeTestForm(sys::Desktop& desktop) : TForm(desktop, kTreeForm) { created(); }

ui::TTreeNode* nodeOfPath(controls::TMailboxTreeView& tree, const std::string& path) {
  for (ui::TTreeNode* n : tree.nodes()) {
    if (tree.pathOf(n) == path) return n;
  }
  return nullptr;
}

std::vector<std::string> checkedPaths(controls::TMailboxTreeView& tree) {
  std::vector<std::string> out;
  for (ui::TTreeNode* n : tree.nodes()) {
    if (n->stateIndex() == controls::TMailboxTreeView::kChecked) out.push_back(tree.pathOf(n));
  }
  return out;
}

}  // namespace gleanix::testing
