// The options dialog on real windows, under Wine: every page at its
// designed size with the captions measured by GDI, a screenshot of each
// (build/win32/option_form_<tag>.png), and the real font and colour
// choosers confirmed as a user would.
#if defined(_WIN32)

#include <windows.h>

#include <colordlg.h>
#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "backend/win32/win32_desktop.h"
#include "option_store.h"
#include "options/option_form.h"
#include "support/form_fit.h"
#include "support/plugin_fixture.h"
#include "backend/win32/win32_desktop_png.h"

namespace gleanix::options {
namespace {

HWND hw(sys::WindowHandle h) { return reinterpret_cast<HWND>(h); }

std::string wineDrivePath(std::string unixPath) {
  for (char& c : unixPath) {
    if (c == '/') c = '\\';
  }
  return "Z:" + unixPath;
}

void pump(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

// What the chooser gets told before its OK button is pressed.
HWND gDialogOwner = nullptr;
int gChoosersConfirmed = 0;

// Finds the common dialog owned by the options dialog once it is open,
// enters a size of 14 points (font) or the colour 10/20/30 (colour) as a
// user types them, and presses OK.
VOID CALLBACK confirmChooser(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dlg = nullptr;
  while ((dlg = FindWindowExA(nullptr, dlg, "#32770", nullptr))) {
    if (IsWindowVisible(dlg) && GetWindow(dlg, GW_OWNER) == gDialogOwner) break;
  }
  if (!dlg) return;  // not open yet: the timer comes again
  KillTimer(nullptr, id);
  if (HWND size = GetDlgItem(dlg, cmb3)) {
    SetWindowTextA(size, "14");
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(cmb3, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(size));
  }
  if (GetDlgItem(dlg, COLOR_RED)) {
    SetDlgItemTextA(dlg, COLOR_RED, "10");
    SetDlgItemTextA(dlg, COLOR_GREEN, "20");
    SetDlgItemTextA(dlg, COLOR_BLUE, "30");
  }
  ++gChoosersConfirmed;
  PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
}

class OptionDialogOnWin32 : public testing::PluginTest {
 protected:
  OptionDialogOnWin32() {
    testing::writeOptionStore(*fs, testing::kMailRoot);
    EXPECT_EQ(core::startUp("1.10",
                            [this] {
                              return core::PlatformServices{fs, registry, system, loader, windows, shell};
                            }),
              255);
  }

  std::shared_ptr<backend::Win32Desktop> windows = std::make_shared<backend::Win32Desktop>();
};

TEST_F(OptionDialogOnWin32, EveryPageFitsItsDesignedSize) {
  // The mark pickup's page shows a copy destination, its branch open.
  started().settings().writeSetting("MarkFind", "Destination", 2);
  started().settings().writeSetting("MarkFind\\Destination", "Folder", "Acc1\\User002.box\\User003.box\\");
  TOptionForm form(started());
  form.show();
  pump(200);
  EXPECT_EQ(form.clientWidth(), layout::kClientWidth);
  EXPECT_EQ(form.clientHeight(), layout::kClientHeight);
  // Measured with the fonts Windows draws them in.
  const std::vector<std::string> faults = testing::layoutFaults(form);
  EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);

  auto& tree = form.component<ui::TTreeView>("CategoryTree");
  RECT client{};
  GetClientRect(hw(tree.handle()), &client);
  for (ui::TTreeNode* node : tree.nodes()) {
    // The message takes the item in the rectangle it fills.
    RECT label{};
    const HTREEITEM item = reinterpret_cast<HTREEITEM>(node->item());
    std::memcpy(&label, &item, sizeof item);
    ASSERT_TRUE(SendMessageA(hw(tree.handle()), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
    EXPECT_LE(label.right, client.right) << node->text() << " is cut off";
  }
  int shots = 0;
  for (ui::TTreeNode* node : tree.nodes()) {
    // The selection as a click makes it: the tree reports the change.
    SendMessageA(hw(tree.handle()), TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(node->item()));
    pump(100);
    ui::TTabSheet* page = form.pageOf(node);
    ASSERT_EQ(form.component<ui::TPageControl>("PageControl1").activePage(), page) << node->text();
    EXPECT_EQ(form.component<ui::TLabel>("CaptionLabel").caption(), node->text());
    const std::string shot =
        wineDrivePath(GLEANIX_BINARY_DIR "/option_form_" + std::to_string(page->tag()) + ".png");
    EXPECT_TRUE(backend::saveWindowPng(hw(form.handle()), shot)) << shot;
    ++shots;
  }
  EXPECT_EQ(shots, 11);
  form.close();
}

TEST_F(OptionDialogOnWin32, RealChoosersGiveTheSampleWhatTheUserEntered) {
  TOptionForm form(started());
  form.show();
  pump(100);
  gDialogOwner = hw(form.handle());
  gChoosersConfirmed = 0;
  const HWND sample = hw(form.component<ui::TPanel>("FontPanel").handle());
  // The face the sample is drawn in, which the chooser starts from.
  char face[LF_FACESIZE] = {};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, windows->fontHandle(form.component<ui::TPanel>("FontPanel").font()));
  GetTextFaceA(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);

  SetTimer(nullptr, 0, 100, confirmChooser);
  SendMessageA(hw(form.component<ui::TButton>("FontButton").handle()), BM_CLICK, 0, 0);
  EXPECT_EQ(gChoosersConfirmed, 1);
  const sys::Font chosen = form.component<ui::TPanel>("FontPanel").font();
  EXPECT_EQ(chosen.size, 14);
  EXPECT_EQ(chosen.name, face);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(sample, WM_GETFONT, 0, 0)), windows->fontHandle(chosen));

  SetTimer(nullptr, 0, 100, confirmChooser);
  SendMessageA(hw(form.component<ui::TButton>("ColorButton").handle()), BM_CLICK, 0, 0);
  EXPECT_EQ(gChoosersConfirmed, 2);
  // OK stores what the sample shows.
  gDialogOwner = nullptr;
  form.component<ui::TButton>("OkButton").performClick();
  EXPECT_EQ(started().settings().readInt("Pickup", "Color", 0), static_cast<std::int32_t>(RGB(10, 20, 30)));
  EXPECT_EQ(started().settings().readInt("Pickup\\Font", "Size", 0), 14);
  form.close();
}

}  // namespace
}  // namespace gleanix::options

#endif  // _WIN32
