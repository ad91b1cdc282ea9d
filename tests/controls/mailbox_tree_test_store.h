#pragma once
// Small mail stores on disk for the mailbox tree tests, and a form that
// shows one in a TMailboxTreeView.

#include <memory>
#include <string>
#include <vector>

#include "backend/temp_dir.h"
#include "controls/mailbox_tree_view.h"
#include "sys/desktop.h"
#include "sys/file_system.h"
#include "ui/form.h"

namespace gleanix::testing {

// Two accounts, shown as
//   root                                   M
//     Home           Acc1\                 A  (ORDER=T001I004)
//       ごみ箱       Acc1\Trash.box        T
//       Lists        Acc1\User001.box\     G  (ORDER=002)
//         ML-A       ...\User002.box\      F
//         Misc       ...\User005.box\      F  (enumerated)
//       郵便受け     Acc1\Inbox.box\       I
//       送信箱       Acc1\Outbox.box\      O  (completes ORDER)
//       (empty)      Acc1\User003.box\     F  (enumerated, no Entry.ini)
//     Work           Acc2\                 A  (no ORDER)
//       郵便受け, 送信箱, ごみ箱
// User004.box is named in ORDER but has no Entry.ini; AccX has no
// Account.ini.
void writeTwoAccountStore(const TempDir& dir);

// The root itself is the one account: no Mailbox.ini, an Account.ini.
void writeSingleAccountStore(const TempDir& dir);

// A form holding only a TMailboxTreeView named "MailboxTreeView1" with
// Checkable = inbox, outbox, trash and user folders.
class TTreeTestForm : public ui::TForm {
 public:
  explicit TTreeTestForm(sys::Desktop& desktop);
  controls::TMailboxTreeView& tree() { return component<controls::TMailboxTreeView>("MailboxTreeView1"); }
};

// The node of that path, nullptr when none.
ui::TTreeNode* nodeOfPath(controls::TMailboxTreeView& tree, const std::string& path);

// Paths of the checked nodes (state 3), in tree order.
std::vector<std::string> checkedPaths(controls::TMailboxTreeView& tree);

}  // namespace gleanix::testing
