// The pickup dialogs and the progress window on real windows under Wine,
// over the bundled sample store: each shown at its designed size with its
// captions measured by GDI, driven by real messages (clicks on check
// boxes, radio buttons and tree state icons, typed keys, the OK button),
// and saved as a picture: build/win32/mark_find_form.png, key_find_form.png,
// related_form.png, destination_form.png, progress_form.png and
// related_progress_form.png (the pass lines). A whole
// keyword pickup runs through the real dialog, and a real click on "中断"
// stops it half-way.
#if defined(_WIN32)

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "backend/win32/win32_desktop.h"
#include "listwindow/folder_form.h"
#include "mailtext/iso2022jp.h"
#include "native_ui.h"
#include "pickup/keyword_search.h"
#include "pickup/related_search.h"
#include "pickupcommands/destination_form.h"
#include "pickupcommands/key_find_form.h"
#include "pickupcommands/keyword_history.h"
#include "pickupcommands/mark_find_form.h"
#include "pickupcommands/pickup_commands.h"
#include "pickupcommands/progress_form.h"
#include "pickupcommands/related_form.h"
#include "backend/win32/win32_desktop_png.h"
#include "support/form_fit.h"
#include "support/pickup_support.h"
#include "support/plugin_fixture.h"
#include "ui/std_controls.h"

namespace gleanix::testing {
namespace {

using namespace pickupcommands;

HWND hw(sys::WindowHandle h) { return reinterpret_cast<HWND>(h); }

struct RightmostSearch {
  const char* className;
  HWND found = nullptr;
  LONG left = -100000;
};

BOOL CALLBACK keepRightmost(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<RightmostSearch*>(lp);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  RECT r{};
  GetWindowRect(hwnd, &r);
  if (lstrcmpiA(cls, s->className) == 0 && r.left > s->left) {
    s->found = hwnd;
    s->left = r.left;
  }
  return TRUE;
}

// Of the descendants of that class, the one furthest to the right.
HWND rightmostDescendant(HWND parent, const char* className) {
  RightmostSearch search{className};
  EnumChildWindows(parent, keepRightmost, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string shotPath(const char* name) { return wineDrivePath(std::string(GLEANIX_BINARY_DIR "/") + name); }

// Forwards to the store in memory and tells each file read.
class WatchedFiles : public sys::FileSystem {
 public:
  explicit WatchedFiles(std::shared_ptr<sys::FileSystem> fs) : fs_(std::move(fs)) {}
  std::function<void(const std::string&)> onRead;

  bool exists(const std::string& p) const override { return fs_->exists(p); }
  bool isFile(const std::string& p) const override { return fs_->isFile(p); }
  bool isDirectory(const std::string& p) const override { return fs_->isDirectory(p); }
  std::optional<std::string> readFile(const std::string& p) const override {
    if (onRead) onRead(p);
    return fs_->readFile(p);
  }
  std::vector<sys::DirEntry> list(const std::string& p) const override { return fs_->list(p); }
  std::optional<std::string> storedName(const std::string& p) const override { return fs_->storedName(p); }
  bool createDirectory(const std::string& p) override { return fs_->createDirectory(p); }
  bool writeFileAtomic(const std::string& p, std::string_view b) override { return fs_->writeFileAtomic(p, b); }
  bool removeFile(const std::string& p) override { return fs_->removeFile(p); }
  bool moveFile(const std::string& a, const std::string& b) override { return fs_->moveFile(a, b); }

 private:
  std::shared_ptr<sys::FileSystem> fs_;
};

class PickupDialogsOnWin32 : public PluginTest {
 protected:
  PickupDialogsOnWin32() {
    // samples/store, below the mail root of the fixture.
    const std::filesystem::path from = wineDrivePath(GLEANIX_SOURCE_DIR "/samples/store");
    for (const auto& e : std::filesystem::recursive_directory_iterator(from)) {
      if (!e.is_regular_file()) continue;
      std::string relative = std::filesystem::relative(e.path(), from).string();
      for (char& c : relative) c = c == '/' ? '\\' : c;
      std::ifstream in(e.path(), std::ios::binary);
      fs->addFile(kMailRoot + relative, std::string(std::istreambuf_iterator<char>(in), {}));
    }
    EXPECT_EQ(core::startUp("1.10",
                            [this] {
                              // The read hook below clicks and looks at the
                              // windows: the reads stay on the search's thread.
                              core::PlatformServices services{watched, registry, system, loader, windows, shell};
                              services.searchThreads = 1;
                              return services;
                            }),
              255);
    started().setMainWindow(sim.mainWindow());
    started().settings().writeSetting("Sort", "Index", -1);
    sim.setCurrentFolder("Acc1\\Inbox.box");
  }

  // The node of the tree whose path is this.
  static ui::TTreeNode* node(const controls::TMailboxTreeView& tree, const std::string& path) {
    for (ui::TTreeNode* n : tree.nodes()) {
      if (tree.pathOf(n) == path) return n;
    }
    return nullptr;
  }
  // A real click on the node's check box.
  static void clickCheckBox(const controls::TMailboxTreeView& tree, const std::string& path) {
    ui::TTreeNode* n = node(tree, path);
    ASSERT_NE(n, nullptr) << path;
    const HTREEITEM item = reinterpret_cast<HTREEITEM>(n->item());
    const std::optional<POINT> at = treeStateIconPoint(hw(tree.handle()), item);
    ASSERT_TRUE(at.has_value()) << path;
    clickAt(hw(tree.handle()), *at, WM_LBUTTONDOWN, WM_LBUTTONUP);
  }
  static void click(const ui::TControl& c) { clickAt(hw(c.handle()), {6, 6}, WM_LBUTTONDOWN, WM_LBUTTONUP); }
  static void typeInto(HWND edit, const std::string& text) {
    SetFocus(edit);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
  }
  // Shows the form, checks its layout as GDI measures it and saves its picture.
  static void showAndShoot(ui::TForm& form, const char* picture) {
    form.show();
    pump(200);
    const std::vector<std::string> faults = layoutFaults(form);
    EXPECT_TRUE(faults.empty()) << picture << ": " << ::testing::PrintToString(faults);
  }
  static void shoot(ui::TForm& form, const char* picture) {
    UpdateWindow(hw(form.handle()));
    pump(200);
    EXPECT_TRUE(backend::saveWindowPng(hw(form.handle()), shotPath(picture))) << picture;
  }

  std::shared_ptr<WatchedFiles> watched = std::make_shared<WatchedFiles>(fs);
  std::shared_ptr<backend::Win32Desktop> windows = std::make_shared<backend::Win32Desktop>();
};

TEST_F(PickupDialogsOnWin32, MarkDialog) {
  started().settings().writeSetting("MarkFind", "Folder", "Acc2\\Inbox.box\\\r\n");
  TMarkFindForm form(started(), 0);
  form.showStore(kMailRoot);
  form.tree().fullExpand();
  showAndShoot(form, "mark_find_form.png");
  EXPECT_EQ(form.clientWidth(), mark_layout::kClientWidth);
  clickCheckBox(form.tree(), "Acc1\\Inbox.box\\");
  EXPECT_EQ(node(form.tree(), "Acc1\\Inbox.box\\")->stateIndex(), controls::TMailboxTreeView::kChecked);
  // Unread on, mark 1 off; then all off disables "ピックアップ".
  click(form.markCheck(0));
  click(form.markCheck(3));
  EXPECT_TRUE(form.markCheck(0).checked());
  EXPECT_FALSE(form.markCheck(3).checked());
  auto& ok = form.component<ui::TButton>("OKButton");
  click(form.markCheck(0));
  EXPECT_FALSE(IsWindowEnabled(hw(ok.handle())));
  click(form.markCheck(0));
  click(form.markCheck(5));
  EXPECT_TRUE(IsWindowEnabled(hw(ok.handle())));
  shoot(form, "mark_find_form.png");
  click(ok);
  EXPECT_EQ(form.modalResult(), sys::result::Ok);
  EXPECT_EQ(started().settings().readString("MarkFind", "Folder", ""), "Acc1\\Inbox.box\\\r\n");
  EXPECT_TRUE(started().settings().readBool("MarkFind", "Midoku", false));
  EXPECT_TRUE(started().settings().readBool("MarkFind", "Mark3", false));
}

TEST_F(PickupDialogsOnWin32, KeywordDialog) {
  started().settings().writeSetting("KeyFind", "History", storeHistory({"Quillon\r\n", "議事録\r\n会議\r\n"}));
  started().settings().writeSetting("KeyFind", "HeaderList", "Subject\r\nFrom\r\n");
  TKeyFindForm form(started(), 0);
  form.showStore(kMailRoot);
  form.tree().fullExpand();
  showAndShoot(form, "key_find_form.png");
  const HWND memo = hw(form.component<ui::TMemo>("KeywordMemo").handle());
  const HWND combo = hw(form.component<ui::TComboBox>("HistoryCombo").handle());
  // The list offers the history with its line breaks shown as "/".
  char item[64] = {};
  SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "議事録/会議/");
  // Choosing an entry as the list reports it puts the entry into the box.
  SendMessageA(combo, CB_SETCURSEL, 1, 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(form.component<ui::TMemo>("KeywordMemo").text(), "議事録\r\n会議\r\n");
  // Typing clears the choice.
  SendMessageA(memo, EM_SETSEL, 0, -1);
  typeInto(memo, "Quillon");
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  click(form.component<ui::TCheckBox>("HeaderCheck"));
  EXPECT_TRUE(IsWindowEnabled(hw(form.component<ui::TMemo>("HeaderMemo").handle())));
  click(form.component<ui::TCheckBox>("AllHeaderCheck"));
  EXPECT_FALSE(IsWindowEnabled(hw(form.component<ui::TCheckBox>("HeaderCheck").handle())));
  click(form.component<ui::TCheckBox>("AllHeaderCheck"));
  clickCheckBox(form.tree(), "Acc1\\Inbox.box\\");
  shoot(form, "key_find_form.png");
  click(form.component<ui::TButton>("OKButton"));
  EXPECT_EQ(loadHistory(started().settings().readString("KeyFind", "History", "")).front(), "Quillon\r\n");
  EXPECT_TRUE(started().settings().readBool("KeyFind", "Header", false));
}

TEST_F(PickupDialogsOnWin32, RelatedDialog) {
  started().settings().writeSetting("Related", "Folder", "Acc2\\User001.box\\\r\n");
  {
    TRelatedForm form(started(), 0, false);
    form.showStore(kMailRoot);
    form.tree().fullExpand();
    showAndShoot(form, "related_form.png");
    click(form.component<ui::TRadioButton>("CursorRadio"));
    click(form.component<ui::TCheckBox>("IncludeCheck"));
    click(form.component<ui::TCheckBox>("SubjectCheck"));
    const HWND order = hw(form.component<ui::TComboBox>("OrderCombo").handle());
    SendMessageA(order, CB_SETCURSEL, 3, 0);
    SendMessageA(GetParent(order), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(order), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(order));
    shoot(form, "related_form.png");
    click(form.component<ui::TButton>("OKButton"));
  }
  const settings::SettingsCache& s = started().settings();
  EXPECT_FALSE(s.readBool("Related", "MailSelected", true));
  EXPECT_TRUE(s.readBool("Related", "MailInclude", false));
  EXPECT_FALSE(s.readBool("Related", "Subject", true));
  EXPECT_EQ(s.readInt("Related", "Order", -1), 3);
  // From a VIEW window the choice of starting mails is not shown.
  TRelatedForm view(started(), 0, true);
  view.show();
  pump(100);
  EXPECT_FALSE(IsWindowVisible(hw(view.component<ui::TRadioButton>("CursorRadio").handle())));
  EXPECT_TRUE(IsWindowVisible(hw(view.component<ui::TCheckBox>("IncludeCheck").handle())));
}

TEST_F(PickupDialogsOnWin32, DestinationDialog) {
  started().settings().writeSetting("Destination", "Expand", std::string(kMailRoot) + "\r\nAcc1\\\r\nAcc2\\");
  TDestinationForm form(started(), 0);
  form.setHitCount(12);
  showAndShoot(form, "destination_form.png");
  EXPECT_FALSE(IsWindowEnabled(hw(form.tree().handle())));
  click(form.component<ui::TRadioButton>("CopyRadio"));
  EXPECT_TRUE(IsWindowEnabled(hw(form.tree().handle())));
  clickCheckBox(form.tree(), "Acc2\\User001.box\\");
  shoot(form, "destination_form.png");
  click(form.component<ui::TButton>("OKButton"));
  EXPECT_TRUE(form.copyChosen());
  EXPECT_EQ(form.destinations(), std::vector<std::string>{"Acc2\\User001.box\\"});
}

TEST_F(PickupDialogsOnWin32, AKeywordPickupThroughTheRealDialogStopsAtARealClickOnAbort) {
  // Folders of the sample, in tree order.
  std::string folders;
  for (const char* f : {"Acc1\\Inbox.box\\", "Acc1\\User001.box\\", "Acc1\\User002.box\\", "Acc2\\User001.box\\",
                        "Acc2\\Inbox.box\\", "Acc3\\Inbox.box\\"}) {
    folders += std::string(f) + "\r\n";
  }
  // The dialog opens with them all but Home's inbox checked; a click adds it.
  started().settings().writeSetting("KeyFind", "Folder", folders.substr(folders.find("\r\n") + 2));
  whenShown("TKeyFindForm", [](HWND dialog) {
    HWND tree = findDescendant(dialog, WC_TREEVIEWA);
    const HTREEITEM inbox = findTreeItem(tree, {"自宅", "郵便受け"});
    const std::optional<POINT> box = inbox ? treeStateIconPoint(tree, inbox) : std::nullopt;
    EXPECT_TRUE(box.has_value());
    if (box) clickAt(tree, *box, WM_LBUTTONDOWN, WM_LBUTTONUP);
    typeInto(rightmostDescendant(dialog, "EDIT"), "Quillon");
    clickAt(findDescendant(dialog, "BUTTON", "ピックアップ"), {8, 8}, WM_LBUTTONDOWN, WM_LBUTTONUP);
  });
  // At the twentieth mail the progress window is pictured and "中断" clicked.
  constexpr std::size_t kClickAt = 20;
  std::size_t mails = 0;
  bool barShown = false;
  watched->onRead = [&](const std::string& path) {
    if (path.size() < 4 || path.compare(path.size() - 4, 4, ".ALM") != 0 || ++mails != kClickAt) return;
    HWND progress = FindWindowA("TRelatedProgressForm", nullptr);
    ASSERT_NE(progress, nullptr);
    HWND bar = findDescendant(progress, PROGRESS_CLASSA);
    barShown = bar && IsWindowVisible(bar) && SendMessageA(bar, PBM_GETPOS, 0, 0) == static_cast<LRESULT>(kClickAt - 1);
    UpdateWindow(progress);
    EXPECT_TRUE(backend::saveWindowPng(progress, shotPath("progress_form.png")));
    HWND abort = findDescendant(progress, "BUTTON", "中断");
    ASSERT_NE(abort, nullptr);
    PostMessageA(abort, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageA(abort, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
  };
  keywordPickup(started(), sim.mainWindow(), 0);
  watched->onRead = nullptr;
  EXPECT_TRUE(barShown);
  EXPECT_EQ(started().settings().readString("KeyFind", "Folder", ""), folders);

  // The hits among the mails tested up to the click, no more.
  StopAfter stop(kClickAt);
  pickup::KeywordOptions options;
  options.keywords = "Quillon\r\n";
  const pickup::PickupResult expected = pickup::keywordSearch(
      *fs, kMailRoot, sys::splitLines(folders), options, mailtext::builtInConversion(), {}, stop);
  ASSERT_EQ(started().pickupWindows().size(), 1u);
  const std::vector<std::string> listed = listedHits(started());
  EXPECT_FALSE(listed.empty());
  EXPECT_EQ(listed, expected.hits);
  const sys::WindowHandle window = started().pickupWindows().entries().front().window->handle();
  EXPECT_TRUE(IsWindowVisible(hw(window)));
  EXPECT_EQ(FindWindowA("TRelatedProgressForm", nullptr), nullptr);
  EXPECT_EQ(FindWindowA("TKeyFindForm", nullptr), nullptr);
}

TEST_F(PickupDialogsOnWin32, RelatedProgressLines) {
  TRelatedProgressForm form(started(), 0, ProgressKind::Lines, "RelatedProgressForm");
  form.show();
  for (int pass = 1; pass <= 3; ++pass) {
    form.addLine();
    form.setLine(pickup::passLineText(pass, 60 - pass * 5, pass * 2));
  }
  pump(100);
  const std::vector<std::string> faults = layoutFaults(form);
  EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
  shoot(form, "related_progress_form.png");
  // A real click on the button is seen at the next round of messages.
  click(form.component<ui::TButton>("AbortButton"));
  EXPECT_TRUE(form.processMessages());
}

}  // namespace
}  // namespace gleanix::testing

#endif  // _WIN32
