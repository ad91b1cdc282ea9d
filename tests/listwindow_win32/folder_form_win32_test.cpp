// The pickup list window on real windows under Wine: a started plug-in over
// quillon-sim with the real Win32 desktop and file system. Real header
// clicks sort the real (virtual) list control, real keys move through it,
// the real row menu copies and moves mails through the host functions, and
// a 100,000-row window is filled and sorted with its times printed. Leaves
// folder_form.png and copy_move_form.png in the build folder.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unordered_map>
#include <string>
#include <vector>

#include "backend/platform.h"
#include "backend/sim/recording_shell.h"
#include "backend/temp_dir.h"
#include "backend/win32/win32_desktop.h"
#include "core/started_plugin.h"
#include "core/thread_state.h"
#include "fakes/fake_system.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "host/quillon_sim.h"
#include "listwindow/folder_form.h"
#include "make_store/store_generator.h"
#include "native_ui.h"
#include "pickup/picked_mail.h"
#include "backend/win32/win32_desktop_png.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "support/plugin_fixture.h"
#include "ui/header_control.h"
#include "ui/list_view.h"
#include "ui/std_controls.h"
#include "util/path.h"
#include "util/sjis.h"
#include "util/wildcard.h"

namespace gleanix::testing {
namespace {

HWND hw(sys::WindowHandle h) { return reinterpret_cast<HWND>(h); }

double milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

LARGE_INTEGER now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t;
}

// Every directory and file below from, copied to to (both ending in "\").
void copyTree(sys::FileSystem& fs, const std::string& from, const std::string& to) {
  fs.createDirectory(to.substr(0, to.size() - 1));
  for (const sys::DirEntry& e : fs.list(from + "*.*")) {
    if (e.isDirectory) {
      copyTree(fs, from + e.name + "\\", to + e.name + "\\");
    } else if (const auto bytes = fs.readFile(from + e.name)) {
      fs.writeFileAtomic(to + e.name, *bytes);
    }
  }
}

// The hit of every mail listed in the store's folders, in tree order.
std::vector<std::string> allHits(const sys::FileSystem& fs, const std::string& root) {
  const store::MailStore store(fs, root);
  std::vector<std::string> hits;
  for (const store::TreeFolder& t : store::folderTree(store)) {
    if (t.folder.type == store::ctAccount || t.folder.type == store::ctGroup) continue;
    for (store::ListedMail& m : store::listedMails(store, t.folder.path)) hits.push_back(std::move(m.hit));
  }
  return hits;
}

// The generated 100,000-mail store, read-only, in a few large blocks of
// memory. Under Wine every allocation is dear, so the files are kept as
// spans of those blocks, found by a hash of their upper-cased path; what
// the plug-in writes (its settings) goes to a small memory file system.
class GeneratedStore : public sys::FileSystem {
 public:
  explicit GeneratedStore(const std::string& root) {
    files_.reserve(120000);
    tools::generateStore({100000, tools::kSampleSeed}, [&](const std::string& path, std::string_view bytes) {
      if (blocks_.empty() || blocks_.back().size() + bytes.size() > blocks_.back().capacity()) {
        blocks_.emplace_back().reserve(std::max<std::size_t>(bytes.size(), 8u << 20));
      }
      const std::string full = root + path;
      files_[hash(full)] = {blocks_.size() - 1, blocks_.back().size(), bytes.size()};
      blocks_.back().append(bytes);
      addEntry(full, false);
    });
  }

  bool exists(const std::string& path) const override { return isFile(path) || isDirectory(path); }
  bool isFile(const std::string& path) const override { return files_.count(hash(path)) || writes_.isFile(path); }
  bool isDirectory(const std::string& path) const override {
    return dirs_.count(hash(util::withoutTrailingBackslash(path))) || writes_.isDirectory(path);
  }
  std::optional<std::string> readFile(const std::string& path) const override {
    const auto it = files_.find(hash(path));
    if (it == files_.end()) return writes_.readFile(path);
    return blocks_[it->second.block].substr(it->second.offset, it->second.size);
  }
  std::vector<sys::DirEntry> list(const std::string& pattern) const override {
    std::vector<sys::DirEntry> out = writes_.list(pattern);
    const auto it = dirs_.find(hash(util::withoutTrailingBackslash(util::extractFilePath(pattern))));
    if (it == dirs_.end()) return out;
    const std::string mask = util::extractFileName(pattern);
    for (const sys::DirEntry& e : it->second) {
      if (util::matchesWildcard(mask, e.name)) out.push_back(e);
    }
    std::sort(out.begin(), out.end(), [](const sys::DirEntry& a, const sys::DirEntry& b) {
      return util::upperAscii(a.name) < util::upperAscii(b.name);
    });
    return out;
  }
  std::optional<std::string> storedName(const std::string& path) const override {
    if (!exists(path)) return std::nullopt;
    return util::extractFileName(util::withoutTrailingBackslash(path));
  }
  bool createDirectory(const std::string& path) override { return writes_.createDirectory(path); }
  bool writeFileAtomic(const std::string& path, std::string_view bytes) override {
    return writes_.writeFileAtomic(path, bytes);
  }
  bool removeFile(const std::string& path) override { return writes_.removeFile(path); }
  bool moveFile(const std::string& from, const std::string& to) override { return writes_.moveFile(from, to); }

 private:
  struct Span {
    std::size_t block, offset, size;
  };
  // FNV-1a of the path with ASCII letters upper-cased.
  static std::uint64_t hash(std::string_view path) {
    std::uint64_t h = 14695981039346656037ull;
    for (char c : path) h = (h ^ static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c)) * 1099511628211ull;
    return h;
  }
  void addEntry(const std::string& path, bool isDirectory) {
    const std::string parent = util::withoutTrailingBackslash(util::extractFilePath(path));
    if (parent.empty()) return;
    const std::uint64_t key = hash(parent);
    const bool known = dirs_.count(key) != 0;
    dirs_[key].push_back({util::extractFileName(path), isDirectory});
    if (!known) addEntry(parent, true);
  }

  std::vector<std::string> blocks_;
  std::unordered_map<std::uint64_t, Span> files_;
  std::unordered_map<std::uint64_t, std::vector<sys::DirEntry>> dirs_;
  MemoryFileSystem writes_;
};

// A started plug-in on the real desktop over a mail store.
class RealPlugin {
 public:
  RealPlugin(std::shared_ptr<sys::FileSystem> files, const std::string& root, const std::string& exeDir)
      : fs(std::move(files)), sim(*fs, root), loader(std::make_shared<SimHostLoader>(sim, log)) {
    core::threadState() = {};
    system->exePath = exeDir + "Quillon.exe";
    const core::ServicesFactory services = [this] {
      return core::PlatformServices{fs, registry, system, loader, desktop, shell};
    };
    ok = core::startUp("1.10", services) == 255;
  }
  ~RealPlugin() { core::cleanUp(); }

  core::StartedPlugin& started() { return *core::startedPlugin(); }

  // A shown window over the hits.
  std::shared_ptr<listwindow::TFolderForm> open(const std::vector<std::string>& hits) {
    auto w = listwindow::TFolderForm::create(started(), sim.mainWindow());
    started().pickupWindows().add(w);
    for (const pickup::PickedMail& m : pickup::pickedMails(*fs, sim.mailRoot(), hits)) {
      w->addPickedMail(m.folder, m.displayPath, m.key);
    }
    w->show();
    return w;
  }

  EventLog log;
  std::shared_ptr<sys::FileSystem> fs;
  std::shared_ptr<MemoryRegistry> registry = std::make_shared<MemoryRegistry>();
  std::shared_ptr<FixedSystemInfo> system = std::make_shared<FixedSystemInfo>();
  host::QuillonSim sim;
  std::shared_ptr<SimHostLoader> loader;
  std::shared_ptr<backend::Win32Desktop> desktop = std::make_shared<backend::Win32Desktop>();
  std::shared_ptr<backend::RecordingShell> shell = std::make_shared<backend::RecordingShell>();
  bool ok = false;
};

HWND listOf(listwindow::TFolderForm& w) { return hw(w.component<ui::TListView>("ListView1").handle()); }
HWND headerOf(listwindow::TFolderForm& w) { return hw(w.component<ui::THeaderControl>("HeaderControl1").handle()); }

// A left click in the middle of a header section, with real mouse messages.
void clickSection(HWND header, int index) {
  RECT r{};
  ASSERT_TRUE(SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)));
  // Near its left edge: the last section reaches beyond the window.
  clickAt(header, {r.left + 20, (r.top + r.bottom) / 2}, WM_LBUTTONDOWN, WM_LBUTTONUP);
}

// The middle of a row, in the list's client coordinates.
POINT rowPoint(HWND list, int row) {
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RECT r{};
  r.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  return {r.left + 30, (r.top + r.bottom) / 2};
}

// Every row as the real control reports it, one text per row.
std::vector<std::string> shownRows(HWND list) {
  std::vector<std::string> out;
  const int n = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::string row;
    for (int c = 0; c < 5; ++c) row += listCellText(list, i, c) + "|";
    out.push_back(row);
  }
  return out;
}

// The rows as the window should show them.
std::vector<std::string> expectedRows(const std::vector<pickup::PickupRow>& rows, pickup::DateFormat format) {
  std::vector<std::string> out;
  for (const pickup::PickupRow& r : rows) {
    out.push_back(r.pathText + "|" + r.folderText + "|" + pickup::formatDate(r.sortableDate, format) + "|" +
                  r.sender + "|" + r.subject + "|");
  }
  return out;
}

// Presses a key on the list as the keyboard does, through the desktop's loop.
void pressKey(backend::Win32Desktop& desktop, HWND list, int key) {
  SetFocus(list);
  PostMessageA(list, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
  desktop.processPendingMessages();
}

// In the copy or move dialog: checks the folder, takes its picture when
// asked, and presses the OK button that carries that text.
void chooseDestination(const std::vector<std::string>& folder, const char* okText, const std::string& shot) {
  whenShown("TCopyMoveForm", [folder, okText, shot](HWND dialog) {
    HWND tree = findDescendant(dialog, WC_TREEVIEWA);
    HTREEITEM item = tree ? findTreeItem(tree, folder) : nullptr;
    const std::optional<POINT> box = item ? treeStateIconPoint(tree, item) : std::nullopt;
    if (box) clickAt(tree, *box, WM_LBUTTONDOWN, WM_LBUTTONUP);
    TreeView_Select(tree, TreeView_GetRoot(tree), TVGN_FIRSTVISIBLE);  // the picture from the top
    pump(300);
    if (!shot.empty()) {
      EXPECT_TRUE(backend::saveWindowPng(dialog, shot)) << shot;
    }
    HWND ok = findDescendant(dialog, "BUTTON", okText);
    EXPECT_TRUE(box && ok && IsWindowEnabled(ok)) << "no folder checked in the dialog";
    if (ok && IsWindowEnabled(ok)) {
      clickAt(ok, {10, 10}, WM_LBUTTONDOWN, WM_LBUTTONUP);
    } else {
      PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
  });
}

class FolderFormOnWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::shared_ptr<sys::FileSystem> fs = backend::makeFileSystem();
    root = temp.path() + "store\\";
    copyTree(*fs, wineDrivePath(GLEANIX_SOURCE_DIR "/samples/store/"), root);
    // A viewer that exists, so that every item of the row menu is enabled.
    fs->writeFileAtomic(temp.path() + "Hidemaru.exe", "MZ");
    const auto ini = fs->readLines(root + "Mailbox.ini");
    ASSERT_TRUE(ini.has_value());
    std::string text;
    for (const std::string& line : *ini) {
      text += (line.rfind("ExternalViewer=", 0) == 0 ? "ExternalViewer=\"" + temp.path() + "Hidemaru.exe\"" : line) +
              "\r\n";
    }
    fs->writeFileAtomic(root + "Mailbox.ini", text);
    plugin = std::make_unique<RealPlugin>(fs, root, temp.path());
    ASSERT_TRUE(plugin->ok);
  }
  void TearDown() override { plugin.reset(); }

  TempDir temp;
  std::string root;
  std::unique_ptr<RealPlugin> plugin;
};

TEST_F(FolderFormOnWin32, RealClicksSortKeysMoveAndTheRowMenuCopiesAndMoves) {
  plugin->started().settings().writeSetting("Sort", "Index", std::int32_t{-1});
  const std::vector<std::string> hits = allHits(*plugin->fs, root);
  ASSERT_GE(hits.size(), 50u);
  auto w = plugin->open(hits);
  HWND list = listOf(*w);
  HWND header = headerOf(*w);
  // Every hit whose mail file exists is a row (the sample lists one mail it lacks).
  int present = 0;
  for (const std::string& hit : hits) present += plugin->fs->isFile(root + hit + ".ALM");
  ASSERT_EQ(w->rowCount(), present);
  char cls[64] = {};
  GetClassNameA(hw(w->handle()), cls, sizeof(cls));
  EXPECT_STREQ(cls, "TFolderForm");
  EXPECT_EQ(shownRows(list), expectedRows(w->rows(), w->dateFormat()));

  // A real click on "送信日時" sorts by date; the control shows the new order.
  std::vector<pickup::PickupRow> expected = w->rows();
  pickup::sortRows(expected, pickup::SortColumn::Date, false, true);
  clickSection(header, 2);
  EXPECT_EQ(w->sortColumn(), 2);
  EXPECT_EQ(shownRows(list), expectedRows(expected, w->dateFormat()));
  clickSection(header, 2);
  pickup::sortRows(expected, pickup::SortColumn::Date, true, true);
  EXPECT_EQ(shownRows(list), expectedRows(expected, w->dateFormat()));

  // The keys move through the real control; the count bar follows.
  const std::string total = " " + std::to_string(w->rowCount()) + "件";
  ui::TListView& view = w->component<ui::TListView>("ListView1");
  view.setSelected(0, true);
  pressKey(*plugin->desktop, list, VK_DOWN);
  EXPECT_EQ(view.selectedRows(), std::vector<int>{1});
  EXPECT_EQ(w->component<ui::TStatusBar>("StatusBar").simpleText(), total + "中の 2番目");
  pressKey(*plugin->desktop, list, VK_END);
  EXPECT_EQ(view.firstSelected(), w->rowCount() - 1);
  pressKey(*plugin->desktop, list, VK_HOME);
  EXPECT_EQ(view.firstSelected(), 0);
  // Enter opens the row in the present VIEW window.
  pressKey(*plugin->desktop, list, VK_RETURN);
  EXPECT_TRUE(w->takeJustOpened());
  EXPECT_EQ(plugin->sim.lastOpenFlag(), 0);

  UpdateWindow(hw(w->handle()));
  pump(300);
  const std::string formShot = wineDrivePath(GLEANIX_BINARY_DIR "/folder_form.png");
  EXPECT_TRUE(backend::saveWindowPng(hw(w->handle()), formShot)) << formShot;

  // Copy the first two rows of Acc1's user folders into "[dev] 開発" of Work Mail
  // through the real row menu and the real dialog.
  std::vector<int> fromUserFolders;
  for (int i = 0; i < w->rowCount() && fromUserFolders.size() < 2; ++i) {
    if (w->rows()[static_cast<std::size_t>(i)].folder.rfind("Acc1\\User", 0) == 0) fromUserFolders.push_back(i);
  }
  ASSERT_EQ(fromUserFolders.size(), 2u);
  view.setSelected(0, false);
  for (int row : fromUserFolders) view.setSelected(row, true);
  const std::string devList = root + "Acc2\\User001.box\\ENTRY.LST";
  const std::size_t before = plugin->fs->readLines(devList).value_or(std::vector<std::string>{}).size();
  chooseMenuItemSoon("コピー ...");
  chooseDestination({"Work Mail", "[dev] 開発"}, "コピー", wineDrivePath(GLEANIX_BINARY_DIR "/copy_move_form.png"));
  const POINT at = rowPoint(list, fromUserFolders[0]);
  SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
  const auto lines = plugin->fs->readLines(devList).value_or(std::vector<std::string>{});
  ASSERT_EQ(lines.size(), before + 2);
  EXPECT_TRUE(plugin->fs->isFile(root + "Acc2\\User001.box\\" + lines.back().substr(0, 8) + ".ALM"));
  EXPECT_EQ(w->rows()[static_cast<std::size_t>(fromUserFolders[0])].folder.rfind("Acc1\\User", 0), 0u);

  // Move the same two into Work Mail's trash.
  const std::vector<std::string> moved = {w->rows()[static_cast<std::size_t>(fromUserFolders[0])].key,
                                          w->rows()[static_cast<std::size_t>(fromUserFolders[1])].key};
  chooseMenuItemSoon("移動 ...");
  chooseDestination({"Work Mail", "ごみ箱"}, "移動", "");
  SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
  const std::string trash = plugin->fs->readFile(root + "Acc2\\Trash.box").value_or("");
  for (std::size_t k = 0; k < moved.size(); ++k) {
    EXPECT_NE(trash.find("Acc2\\Inbox.box\\" + moved[k] + "="), std::string::npos) << moved[k];
    const int row = fromUserFolders[k];
    EXPECT_EQ(listCellText(list, row, 1), "ごみ箱");
    EXPECT_EQ(listCellText(list, row, 0), "Work Mail\\");
    EXPECT_EQ(w->rows()[static_cast<std::size_t>(row)].folder, "Acc2\\Inbox.box\\");
  }
  EXPECT_TRUE(plugin->desktop->isWindow(w->handle()));

  // Delete drops the selected rows.
  const int rows = w->rowCount();
  pressKey(*plugin->desktop, list, VK_DELETE);
  EXPECT_EQ(w->rowCount(), rows - 2);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), rows - 2);
}

TEST(FolderFormOnWin32Large, AHundredThousandRowsFillAndSortByAHeaderClick) {
  const std::string root = "C:\\Mail\\";
  LARGE_INTEGER t0 = now();
  auto mem = std::make_shared<GeneratedStore>(root);
  LARGE_INTEGER t1 = now();
  RealPlugin plugin(mem, root, "C:\\Quillon\\");
  ASSERT_TRUE(plugin.ok);
  plugin.started().settings().writeSetting("Sort", "Index", std::int32_t{-1});
  const std::vector<std::string> hits = allHits(*mem, root);
  const std::vector<pickup::PickedMail> picked = pickup::pickedMails(*mem, root, hits);
  ASSERT_GE(picked.size(), 100000u);

  auto w = listwindow::TFolderForm::create(plugin.started(), plugin.sim.mainWindow());
  plugin.started().pickupWindows().add(w);
  LARGE_INTEGER t2 = now();
  for (const pickup::PickedMail& m : picked) w->addPickedMail(m.folder, m.displayPath, m.key);
  LARGE_INTEGER t3 = now();
  w->show();
  UpdateWindow(hw(w->handle()));
  LARGE_INTEGER t4 = now();
  HWND list = listOf(*w);
  ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), w->rowCount());

  clickSection(headerOf(*w), 2);
  UpdateWindow(hw(w->handle()));
  LARGE_INTEGER t5 = now();
  clickSection(headerOf(*w), 2);
  UpdateWindow(hw(w->handle()));
  LARGE_INTEGER t6 = now();
  clickSection(headerOf(*w), 4);
  UpdateWindow(hw(w->handle()));
  LARGE_INTEGER t7 = now();

  // Sorted by subject: the first rows' keys ascend, and the control shows the rows' own texts.
  EXPECT_EQ(w->sortColumn(), 4);
  for (int i : {0, 1, 50000, w->rowCount() - 1}) {
    EXPECT_EQ(listCellText(list, i, 4), w->rows()[static_cast<std::size_t>(i)].subject) << i;
  }
  std::printf("100,000-row window under Wine (%d rows):\n", w->rowCount());
  std::printf("  generate the store in memory  %8.0f ms\n", milliseconds(t0, t1));
  std::printf("  add the picked mails          %8.0f ms\n", milliseconds(t2, t3));
  std::printf("  show and paint                %8.0f ms\n", milliseconds(t3, t4));
  std::printf("  header click: by date         %8.0f ms\n", milliseconds(t4, t5));
  std::printf("  header click: date reversed   %8.0f ms\n", milliseconds(t5, t6));
  std::printf("  header click: by subject      %8.0f ms\n", milliseconds(t6, t7));
}

}  // namespace
}  // namespace gleanix::testing
