#include "controls/mailbox_tree_view.h"

#include <gtest/gtest.h>

#include "backend/platform.h"
#include "backend/sim/sim_desktop.h"
#include "backend/temp_dir.h"
#include "mailbox_tree_test_store.h"

namespace gleanix::controls {
namespace {

using backend::SimDesktop;
using testing::checkedPaths;
using testing::nodeOfPath;
using testing::TempDir;
using testing::TTreeTestForm;

constexpr int kHatched = TMailboxTreeView::kNoCheckBox;
constexpr int kEmpty = TMailboxTreeView::kUnchecked;
constexpr int kTicked = TMailboxTreeView::kChecked;

class MailboxTree : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::writeTwoAccountStore(store);
    form.show();
    tree().setFileSystem(files.get());
  }
  TMailboxTreeView& tree() { return form.tree(); }
  ui::TTreeNode* node(const std::string& relative) { return nodeOfPath(tree(), relative); }
  int rebuilds() { return sim.window(form.tree().handle()).redrawSuspensions; }

  // Presses a mouse button on a part of a node's row, as the user does.
  void press(ui::TTreeNode* n, sys::TreePart part, sys::MouseButton button = sys::MouseButton::Left) {
    ASSERT_NE(n, nullptr);
    const sys::Rect r = sim.treePartRect(tree().handle(), n->item(), part);
    ASSERT_GT(r.width(), 0) << "part not shown";
    sim.clickAt(tree().handle(), button, {r.left + 1, r.top + 1});
  }

  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (ui::TTreeNode* n : tree().nodes()) out.push_back(n->text());
    return out;
  }

  TempDir store;
  std::unique_ptr<sys::FileSystem> files = backend::makeFileSystem();
  SimDesktop sim;
  TTreeTestForm form{sim};
};

TEST_F(MailboxTree, ShowsRootAccountsAndFoldersInStoreOrder) {
  tree().setPath(store.path());
  const std::vector<std::string> expectedPaths = {
      store.path(),         "Acc1\\",
      "Acc1\\Trash.box",    "Acc1\\User001.box\\",
      "Acc1\\User001.box\\User002.box\\", "Acc1\\User001.box\\User005.box\\",
      "Acc1\\Inbox.box\\",  "Acc1\\Outbox.box\\",
      "Acc1\\User003.box\\", "Acc2\\",
      "Acc2\\Inbox.box\\",  "Acc2\\Outbox.box\\",
      "Acc2\\Trash.box"};
  std::vector<std::string> paths, kinds;
  for (ui::TTreeNode* n : tree().nodes()) {
    paths.push_back(tree().pathOf(n));
    kinds.push_back(tree().kindOf(n));
  }
  EXPECT_EQ(paths, expectedPaths);
  EXPECT_EQ(kinds, (std::vector<std::string>{"M", "A", "T", "G", "F", "F", "I", "O", "F", "A", "I", "O", "T"}));
  EXPECT_EQ(texts(), (std::vector<std::string>{store.path(), "Home", "ごみ箱", "Lists", "ML-A", "Misc", "郵便受け",
                                               "送信箱", "", "Work", "郵便受け", "送信箱", "ごみ箱"}));
  // The kind decides the picture, normal and selected alike.
  EXPECT_EQ(tree().nodes()[0]->imageIndex(), 1);
  EXPECT_EQ(node("Acc1\\User001.box\\")->imageIndex(), 6);
  EXPECT_EQ(node("Acc1\\User003.box\\")->selectedIndex(), 7);
  EXPECT_EQ(sim.treeTopItem(tree().handle()), tree().nodes()[0]->item());
}

TEST_F(MailboxTree, TrailingBackslashNamesTheSameRootWithoutASecondRebuild) {
  std::string bare = store.path();
  bare.pop_back();
  tree().setPath(bare);
  EXPECT_EQ(tree().path(), store.path());
  EXPECT_EQ(rebuilds(), 1);
  tree().setPath(store.path());
  tree().setPath(bare);
  EXPECT_EQ(rebuilds(), 1);
  EXPECT_EQ(tree().count(), 13);
}

TEST_F(MailboxTree, RootWithoutStoreFilesLeavesTheTreeAsItWas) {
  TempDir empty;
  empty.makeDir({"Acc1"});
  empty.put({"Acc1", "Account.ini"}, "TITLE=Hidden\r\n");  // accounts alone do not make a store
  tree().setPath(empty.path());
  EXPECT_EQ(tree().count(), 0);
  tree().setPath(store.path());
  const std::vector<std::string> before = texts();
  tree().setPath(empty.path());
  EXPECT_EQ(tree().path(), empty.path());
  EXPECT_EQ(texts(), before);
  EXPECT_EQ(rebuilds(), 1);
}

TEST_F(MailboxTree, FoldersWithoutEntryIniAppearOnlyWhenEnumerated) {
  tree().setPath(store.path());
  EXPECT_EQ(node("Acc1\\User004.box\\"), nullptr);  // named in ORDER, no Entry.ini
  ui::TTreeNode* enumerated = node("Acc1\\User003.box\\");
  ASSERT_NE(enumerated, nullptr);
  EXPECT_EQ(enumerated->text(), "");
  EXPECT_FALSE(enumerated->hasChildren());
  EXPECT_EQ(node("AccX\\"), nullptr);
}

TEST_F(MailboxTree, SingleAccountStoreHasOneTopNodeWithAnEmptyPath) {
  TempDir solo;
  testing::writeSingleAccountStore(solo);
  tree().setPath(solo.path());
  ASSERT_EQ(tree().topNodes().size(), 1u);
  ui::TTreeNode* top = tree().topNodes()[0].get();
  EXPECT_EQ(tree().pathOf(top), "");
  EXPECT_EQ(tree().kindOf(top), "A");
  EXPECT_EQ(top->text(), "Solo");
  EXPECT_EQ(texts(), (std::vector<std::string>{"Solo", "郵便受け", "送信箱", "ごみ箱", "Seven"}));
  EXPECT_EQ(tree().pathOf(tree().nodes()[4]), "User007.box\\");
  EXPECT_EQ(tree().pathOf(tree().nodes()[3]), "Trash.box");
}

TEST_F(MailboxTree, KindsOutsideCheckableShowTheHatchedBoxAndNeverToggle) {
  tree().setPath(store.path());
  tree().fullExpand();
  for (ui::TTreeNode* n : tree().nodes()) {
    const std::string k = tree().kindOf(n);
    EXPECT_EQ(n->stateIndex(), (k == "M" || k == "A" || k == "G") ? kHatched : kEmpty) << tree().pathOf(n);
  }
  ui::TTreeNode* account = node("Acc1\\");
  ui::TTreeNode* group = node("Acc1\\User001.box\\");
  for (sys::TreePart part : {sys::TreePart::StateIcon, sys::TreePart::Icon, sys::TreePart::Label}) {
    press(account, part);
    press(group, part);
  }
  EXPECT_EQ(account->stateIndex(), kHatched);
  EXPECT_EQ(group->stateIndex(), kHatched);
  EXPECT_TRUE(group->selected());  // the press still selects the node
}

TEST_F(MailboxTree, LeftPressOnIconLabelOrStateIconToggles) {
  tree().setPath(store.path());
  tree().fullExpand();
  ui::TTreeNode* inbox = node("Acc1\\Inbox.box\\");
  press(inbox, sys::TreePart::StateIcon);
  EXPECT_EQ(inbox->stateIndex(), kTicked);
  EXPECT_EQ(sim.treeItem(tree().handle(), inbox->item()).state, kTicked);
  press(inbox, sys::TreePart::Label);
  EXPECT_EQ(inbox->stateIndex(), kEmpty);
  press(inbox, sys::TreePart::Icon);
  EXPECT_EQ(inbox->stateIndex(), kTicked);
  // Left of the row's state icon or right of its label: selected, not toggled.
  ui::TTreeNode* outbox = node("Acc1\\Outbox.box\\");
  press(outbox, sys::TreePart::Indent);
  press(outbox, sys::TreePart::Right);
  EXPECT_EQ(outbox->stateIndex(), kEmpty);
  EXPECT_TRUE(outbox->selected());
  EXPECT_EQ(checkedPaths(tree()), (std::vector<std::string>{"Acc1\\Inbox.box\\"}));
}

TEST_F(MailboxTree, CheckAllBelowAnAccountChecksItsCheckableNodesOnly) {
  tree().setPath(store.path());
  tree().nodes()[0]->expand(false);  // accounts shown, their branches closed
  sim.answerPopup("以下全てにチェックを付ける");
  press(node("Acc1\\"), sys::TreePart::Label, sys::MouseButton::Right);
  ASSERT_EQ(sim.popups().size(), 1u);
  std::vector<std::string> items;
  for (const sys::MenuItem& i : sim.popups()[0].items) items.push_back(i.text);
  EXPECT_EQ(items, (std::vector<std::string>{"以下全てにチェックを付ける", "以下全てのチェックを外す", "キャンセル"}));
  EXPECT_EQ(checkedPaths(tree()),
            (std::vector<std::string>{"Acc1\\Trash.box", "Acc1\\User001.box\\User002.box\\",
                                      "Acc1\\User001.box\\User005.box\\", "Acc1\\Inbox.box\\", "Acc1\\Outbox.box\\",
                                      "Acc1\\User003.box\\"}));
  EXPECT_EQ(node("Acc1\\")->stateIndex(), kHatched);
  EXPECT_EQ(node("Acc1\\User001.box\\")->stateIndex(), kHatched);
  EXPECT_FALSE(node("Acc1\\")->expanded());  // ExpandOnCheckAll is off

  sim.answerPopup("キャンセル");
  press(node("Acc1\\"), sys::TreePart::Icon, sys::MouseButton::Right);
  EXPECT_EQ(checkedPaths(tree()).size(), 6u);
  sim.answerPopup("以下全てのチェックを外す");
  press(node("Acc1\\"), sys::TreePart::StateIcon, sys::MouseButton::Right);
  EXPECT_TRUE(checkedPaths(tree()).empty());
}

TEST_F(MailboxTree, CheckAllBelowOpensTheWholeBranchWhenAsked) {
  tree().setPath(store.path());
  tree().setExpandOnCheckAll(true);
  tree().nodes()[0]->expand(false);
  sim.answerPopup("以下全てのチェックを外す");
  press(node("Acc1\\"), sys::TreePart::Label, sys::MouseButton::Right);
  EXPECT_FALSE(node("Acc1\\")->expanded());  // unchecking opens nothing
  sim.answerPopup("以下全てにチェックを付ける");
  press(node("Acc1\\"), sys::TreePart::Label, sys::MouseButton::Right);
  EXPECT_TRUE(node("Acc1\\")->expanded());
  EXPECT_TRUE(node("Acc1\\User001.box\\")->expanded());
  EXPECT_FALSE(node("Acc2\\")->expanded());
}

TEST_F(MailboxTree, RightPressOffTheNodeOrOnALeafOffersNoMenu) {
  tree().setPath(store.path());
  tree().fullExpand();
  press(node("Acc1\\Inbox.box\\"), sys::TreePart::Label, sys::MouseButton::Right);  // no children
  press(node("Acc1\\"), sys::TreePart::Right, sys::MouseButton::Right);             // beside the label
  EXPECT_TRUE(sim.popups().empty());
  EXPECT_TRUE(node("Acc1\\")->selected());
  EXPECT_TRUE(checkedPaths(tree()).empty());
}

TEST_F(MailboxTree, EmptyCheckableShowsNoStateImages) {
  tree().setCheckable({});
  tree().setPath(store.path());
  EXPECT_EQ(sim.window(tree().handle()).stateImages, 0u);
  tree().fullExpand();
  ui::TTreeNode* inbox = node("Acc1\\Inbox.box\\");
  EXPECT_EQ(inbox->stateIndex(), kHatched);
  EXPECT_EQ(sim.treePartRect(tree().handle(), inbox->item(), sys::TreePart::StateIcon).width(), 0);
  press(inbox, sys::TreePart::Label);
  EXPECT_TRUE(checkedPaths(tree()).empty());
  // Switching check boxes on rebuilds with the state images.
  tree().setCheckable({store::ctInbox});
  EXPECT_NE(sim.window(tree().handle()).stateImages, 0u);
  EXPECT_EQ(node("Acc1\\Inbox.box\\")->stateIndex(), kEmpty);
  EXPECT_EQ(node("Acc1\\Outbox.box\\")->stateIndex(), kHatched);
}

TEST_F(MailboxTree, EqualCheckableDoesNotRebuild) {
  tree().setPath(store.path());
  tree().fullExpand();
  press(node("Acc2\\Inbox.box\\"), sys::TreePart::Label);
  tree().setCheckable({store::ctFolder, store::ctTrash, store::ctOutbox, store::ctInbox});  // same set
  EXPECT_EQ(rebuilds(), 1);
  EXPECT_EQ(checkedPaths(tree()), (std::vector<std::string>{"Acc2\\Inbox.box\\"}));
}

TEST_F(MailboxTree, PathOfNoNodeIsEmpty) {
  tree().setPath(store.path());
  EXPECT_EQ(tree().pathOf(nullptr), "");
  EXPECT_EQ(tree().kindOf(nullptr), "");
}

TEST_F(MailboxTree, ImageStripsComeFromTheirTextWithLimeTransparent) {
  tree().setPath(store.path());
  const backend::SimImageList& kinds = sim.imageList(sim.window(tree().handle()).images);
  const backend::SimImageList& states = sim.imageList(sim.window(tree().handle()).stateImages);
  ASSERT_EQ(kinds.images.size(), 8u);
  ASSERT_EQ(states.images.size(), 4u);
  for (bool t : states.transparent[0]) EXPECT_TRUE(t);  // state 0 shows nothing
  for (bool t : kinds.transparent[0]) EXPECT_TRUE(t);   // kind image 0 is unused
  for (int i = 1; i < 4; ++i) {
    EXPECT_FALSE(states.transparent[i][8 * 16 + 8]) << "state " << i;  // the box covers the middle
  }
  // The unchecked box is white inside, the hatched one is not.
  EXPECT_EQ(states.images[2].at(8, 8), sys::rgb(255, 255, 255));
  EXPECT_NE(states.images[1].at(8, 8), sys::rgb(255, 255, 255));
  // The checked box differs from the empty one only inside (the mark).
  int differing = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) differing += states.images[2].at(x, y) != states.images[3].at(x, y);
  }
  EXPECT_GT(differing, 10);
  // Every kind has its own picture.
  for (int a = 1; a < 8; ++a) {
    for (int b = a + 1; b < 8; ++b) EXPECT_NE(kinds.images[a].pixels, kinds.images[b].pixels) << a << " " << b;
  }
}

TEST(CheckableType, LettersNameTheKinds) {
  EXPECT_EQ(TCheckableType::fromLetters("IOTF"), (TCheckableType{store::ctInbox, store::ctOutbox, store::ctTrash,
                                                                  store::ctFolder}));
  EXPECT_TRUE(TCheckableType::fromLetters("").empty());
  EXPECT_FALSE(TCheckableType::fromLetters("IOF").contains(store::ctTrash));
  EXPECT_THROW(TCheckableType::fromLetters("IX"), std::invalid_argument);
}

}  // namespace
}  // namespace gleanix::controls
