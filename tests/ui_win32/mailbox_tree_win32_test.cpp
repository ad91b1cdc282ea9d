// TMailboxTreeView on a real tree view control, driven by real mouse
// messages and its real popup menu, against the same actions on the
// simulated desktop. Leaves a screenshot, mailbox_tree.png, in the build
// folder.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "backend/platform.h"
#include "backend/sim/sim_desktop.h"
#include "backend/temp_dir.h"
#include "backend/win32/win32_desktop.h"
#include "controls/mailbox_tree_test_store.h"
#include "native_ui.h"
#include "backend/win32/win32_desktop_png.h"

namespace gleanix::controls {
namespace {

using testing::checkedPaths;
using testing::nodeOfPath;
using testing::TTreeTestForm;
using testing::clickAt;
using testing::pump;
using testing::wineDrivePath;

HWND hw(sys::WindowHandle h) { return reinterpret_cast<HWND>(h); }

struct NativeNode {
  std::string text;
  int state = 0;
  int depth = 0;
  bool operator==(const NativeNode&) const = default;
};

// Every item of the tree view, depth first, read with its own messages.
void readNative(HWND tree, HTREEITEM first, int depth, std::vector<NativeNode>& out) {
  for (HTREEITEM it = first; it; it = TreeView_GetNextSibling(tree, it)) {
    char buf[512] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
    item.hItem = it;
    item.pszText = buf;
    item.cchTextMax = sizeof(buf);
    item.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    out.push_back({buf, static_cast<int>((item.state & TVIS_STATEIMAGEMASK) >> 12), depth});
    readNative(tree, TreeView_GetChild(tree, it), depth + 1, out);
  }
}

std::vector<NativeNode> readNative(HWND tree) {
  std::vector<NativeNode> out;
  readNative(tree, TreeView_GetRoot(tree), 0, out);
  return out;
}

std::vector<NativeNode> modelNodes(TMailboxTreeView& tree) {
  std::vector<NativeNode> out;
  for (ui::TTreeNode* n : tree.nodes()) out.push_back({n->text(), n->stateIndex(), n->level()});
  return out;
}

class MailboxTreeOnWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string sample = wineDrivePath(GLEANIX_SOURCE_DIR "/samples/store/");
    if (files->exists(sample + "Mailbox.ini") || files->exists(sample + "Account.ini")) {
      root = sample;
    } else {
      testing::writeTwoAccountStore(temp);
      root = temp.path();
    }
    std::printf("mail store: %s\n", root.c_str());
  }

  std::unique_ptr<sys::FileSystem> files = backend::makeFileSystem();
  testing::TempDir temp;
  std::string root;
};

TEST_F(MailboxTreeOnWin32, RealControlShowsAndChangesChecksAsTheSimulatedOne) {
  backend::Win32Desktop desktop;
  TTreeTestForm form(desktop);
  TMailboxTreeView& tree = form.tree();
  tree.setFileSystem(files.get());
  tree.setPath(root);
  tree.fullExpand();
  form.show();
  HWND native = hw(tree.handle());
  char cls[64] = {};
  GetClassNameA(hw(form.handle()), cls, sizeof(cls));
  EXPECT_STREQ(cls, "TTreeTestForm");

  backend::SimDesktop sim;
  TTreeTestForm simForm(sim);
  TMailboxTreeView& simTree = simForm.tree();
  simTree.setFileSystem(files.get());
  simTree.setPath(root);
  simTree.fullExpand();
  simForm.show();

  // The control holds what the model says, and so does the simulated one.
  const std::vector<NativeNode> shown = readNative(native);
  ASSERT_GT(shown.size(), 5u);
  EXPECT_EQ(shown, modelNodes(tree));
  EXPECT_EQ(modelNodes(simTree), modelNodes(tree));

  // The last inbox and the first account (the inbox of another account
  // when the store has several), on both desktops.
  ui::TTreeNode* inbox = nullptr;
  ui::TTreeNode* account = nullptr;
  for (ui::TTreeNode* n : tree.nodes()) {
    if (tree.kindOf(n) == "I") inbox = n;
    if (!account && tree.kindOf(n) == "A") account = n;
  }
  ASSERT_TRUE(inbox && account);
  const std::string inboxPath = tree.pathOf(inbox);
  const std::string accountPath = tree.pathOf(account);

  // 1. A real left click on the inbox's state icon.
  const std::optional<POINT> box = testing::treeStateIconPoint(native, reinterpret_cast<HTREEITEM>(inbox->item()));
  ASSERT_TRUE(box.has_value());
  clickAt(native, *box, WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_EQ(inbox->stateIndex(), TMailboxTreeView::kChecked);
  {
    ui::TTreeNode* simInbox = nodeOfPath(simTree, inboxPath);
    const sys::Rect r = sim.treePartRect(simTree.handle(), simInbox->item(), sys::TreePart::StateIcon);
    sim.clickAt(simTree.handle(), sys::MouseButton::Left, {r.left + 2, r.top + 2});
  }

  // 2. A real right click on the account's label, and its popup's first
  //    command, "以下全てにチェックを付ける", chosen from the real menu.
  testing::chooseMenuItemSoon("以下全てにチェックを付ける");
  clickAt(native, testing::treeLabelPoint(native, reinterpret_cast<HTREEITEM>(account->item())), WM_RBUTTONDOWN, WM_RBUTTONUP);
  {
    ui::TTreeNode* simAccount = nodeOfPath(simTree, accountPath);
    const sys::Rect r = sim.treePartRect(simTree.handle(), simAccount->item(), sys::TreePart::Label);
    sim.answerPopup("以下全てにチェックを付ける");
    sim.clickAt(simTree.handle(), sys::MouseButton::Right, {r.left + 3, r.top + 3});
  }

  const std::vector<std::string> checked = checkedPaths(tree);
  EXPECT_GT(checked.size(), 1u);
  EXPECT_EQ(inbox->stateIndex(), TMailboxTreeView::kChecked);
  EXPECT_EQ(checked, checkedPaths(simTree));
  // The control shows the same checks as the model.
  EXPECT_EQ(readNative(native), modelNodes(tree));
  EXPECT_EQ(account->stateIndex(), TMailboxTreeView::kNoCheckBox);

  // A picture for a person to look at.
  tree.setSelected(inbox);
  tree.setTopItem(tree.topNodes().front().get());
  UpdateWindow(hw(form.handle()));
  pump(300);
  const std::string shot = wineDrivePath(GLEANIX_BINARY_DIR "/mailbox_tree.png");
  EXPECT_TRUE(backend::saveWindowPng(hw(form.handle()), shot)) << shot;
}

}  // namespace
}  // namespace gleanix::controls
