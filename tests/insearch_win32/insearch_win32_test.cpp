// The in-mail search on real Win32 windows under the Japanese code page:
// how a real edit control of an ANSI window counts the positions of its
// selection when double-byte text precedes the caret, find and replace
// through such controls, and the dialogs on real windows (screenshots
// search_form.png, replace_form.png and replace_confirm.png in the build
// folder, with their captions measured against their controls).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "backend/win32/win32_desktop.h"
#include "insearch/in_mail_search.h"
#include "support/overriding_host.h"
#include "support/plugin_fixture.h"
#include "ui_win32/native_ui.h"
#include "backend/win32/win32_desktop_png.h"
#include "util/sjis.h"

namespace gleanix::testing {
namespace {

HWND hw(sys::WindowHandle h) { return reinterpret_cast<HWND>(h); }
sys::WindowHandle wh(HWND h) { return reinterpret_cast<sys::WindowHandle>(h); }

constexpr int kViewFind = 0;
constexpr int kViewNext = 2;
constexpr int kSendReplace = 11;
constexpr int kSendNext = 12;

// The host's VIEW and SEND windows: real top-level windows, each with an
// edit control made the way an ANSI program makes one.
struct HostWindow {
  HWND frame = nullptr;
  HWND edit = nullptr;
};
HostWindow gView;
HostWindow gSend;

sys::WindowHandle GLEANIX_STDCALL viewGetEditor(sys::WindowHandle w) {
  return hw(w) == gView.frame ? wh(gView.edit) : 0;
}
sys::WindowHandle GLEANIX_STDCALL sendGetEditor(sys::WindowHandle w) {
  return hw(w) == gSend.frame ? wh(gSend.edit) : 0;
}

HostWindow makeHostWindow(const char* caption) {
  static const char* kClass = "QuillonTestHostWindow";
  WNDCLASSA wc{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), kClass, &wc)) {
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
  }
  HostWindow w;
  w.frame = CreateWindowExA(0, kClass, caption, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  w.edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_NOHIDESEL, 0, 0, 380, 260,
                           w.frame, nullptr, GetModuleHandleA(nullptr), nullptr);
  return w;
}

std::string windowText(HWND w) {
  char buf[4096] = {};
  GetWindowTextA(w, buf, sizeof buf);
  return buf;
}

std::pair<int, int> rawSelection(HWND edit) {
  DWORD s = 0;
  DWORD e = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  return {static_cast<int>(s), static_cast<int>(e)};
}

// Byte offset and character index of the first occurrence of what in text.
struct Place {
  int byte;
  int character;
};
Place placeOf(const std::string& text, const std::string& what, std::size_t from = 0) {
  const std::size_t b = text.find(what, from);
  int chars = 0;
  for (std::size_t i = 0; i < b; i += util::charBytesAt(text, i)) ++chars;
  return {static_cast<int>(b), chars};
}

BOOL CALLBACK collectChild(HWND w, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
  return TRUE;
}

std::vector<HWND> descendants(HWND form) {
  std::vector<HWND> out;
  EnumChildWindows(form, collectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

void press(HWND form, const char* caption) {
  HWND b = findDescendant(form, "Button", caption);
  ASSERT_NE(b, nullptr) << caption;
  SendMessageA(b, BM_CLICK, 0, 0);
}

// Every visible control of a dialog (panels aside): inside the client
// area, overlapping no other, and wide enough for its caption in its font.
void expectLaidOutWell(HWND form) {
  struct Control {
    HWND w;
    RECT r;
    std::string cls;
  };
  std::vector<Control> controls;
  for (HWND w : descendants(form)) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (!IsWindowVisible(w) || std::string(cls) == "Edit") continue;  // a combo box's own edit
    RECT r;
    GetWindowRect(w, &r);
    controls.push_back({w, r, cls});
  }
  RECT client;
  GetClientRect(form, &client);
  MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
  std::vector<const Control*> leaves;
  for (const Control& c : controls) {
    if (c.cls != "Button" && c.cls != "Static" && c.cls != "ComboBox") continue;  // panels hold the others
    leaves.push_back(&c);
    const std::string caption = windowText(c.w);
    EXPECT_TRUE(c.r.left >= client.left && c.r.top >= client.top && c.r.right <= client.right &&
                c.r.bottom <= client.bottom)
        << caption << " leaves the window";
    if (c.cls == "ComboBox" || caption.empty()) continue;
    std::string shown;
    for (char ch : caption) {
      if (ch != '&') shown += ch;
    }
    HDC dc = GetDC(c.w);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(c.w, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(c.w, dc);
    // A check box's square and gap, a push button's edges.
    const LONG type = GetWindowLongA(c.w, GWL_STYLE) & BS_TYPEMASK;
    const LONG room = c.cls == "Static" ? 0 : (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) ? 20 : 8;
    EXPECT_LE(size.cx + room, c.r.right - c.r.left) << caption << " is cut off";
  }
  for (std::size_t i = 0; i < leaves.size(); ++i) {
    for (std::size_t j = i + 1; j < leaves.size(); ++j) {
      RECT x;
      EXPECT_FALSE(IntersectRect(&x, &leaves[i]->r, &leaves[j]->r))
          << windowText(leaves[i]->w) << " overlaps " << windowText(leaves[j]->w);
    }
  }
}

void shoot(HWND form, const char* file) {
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const std::string path = wineDrivePath(std::string(GLEANIX_BINARY_DIR "/") + file);
  EXPECT_TRUE(backend::saveWindowPng(form, path)) << path;
}

class InMailSearchOnWin32 : public ::testing::Test {
 protected:
  InMailSearchOnWin32() {
    core::threadState() = {};
    fs->addDirectory(kMailRoot);
    system->exePath = kExeDir + "Quillon.exe";
    gView = makeHostWindow("VIEW");
    gSend = makeHostWindow("SEND");
  }
  ~InMailSearchOnWin32() override {
    core::cleanUp();
    DestroyWindow(gView.frame);
    DestroyWindow(gSend.frame);
  }
  void SetUp() override {
    const auto factory = [this] { return core::PlatformServices{fs, registry, system, loader, desktop, shell}; };
    ASSERT_EQ(core::startUp("1.10", factory), 255);
  }
  core::StartedPlugin& started() { return *core::startedPlugin(); }
  settings::SettingsCache& settings() { return started().settings(); }
  void command(const HostWindow& w, int code) { insearch::inMailSearch(started(), wh(w.frame), code); }
  void setText(const HostWindow& w, const std::string& text, int caretByte) {
    SetWindowTextA(w.edit, text.c_str());
    desktop->setEditSelection(wh(w.edit), caretByte, caretByte);
  }

  std::shared_ptr<MemoryFileSystem> fs = std::make_shared<MemoryFileSystem>();
  std::shared_ptr<MemoryRegistry> registry = std::make_shared<MemoryRegistry>();
  std::shared_ptr<FixedSystemInfo> system = std::make_shared<FixedSystemInfo>();
  host::QuillonSim sim{*fs, kMailRoot};
  // quillon-sim, except that the editors are the real ones above.
  std::shared_ptr<OverridingHostLoader> loader = std::make_shared<OverridingHostLoader>(
      sim, HostOverrides{{"_APAViewGetEditor@4", reinterpret_cast<void*>(&viewGetEditor)},
                         {"_APASendGetEditor@4", reinterpret_cast<void*>(&sendGetEditor)}});
  std::shared_ptr<backend::Win32Desktop> desktop = std::make_shared<backend::Win32Desktop>();
  std::shared_ptr<backend::RecordingShell> shell = std::make_shared<backend::RecordingShell>();
};

// Mixed single- and double-byte text before the caret.
const std::string kMail = "日本語のﾃｷｽﾄ and 検索語 mixed 検索語 end";

TEST_F(InMailSearchOnWin32, TheRealEditControlCountsCharactersAndTheDesktopGivesBytes) {
  setText(gView, kMail, 0);
  SendMessageA(gView.edit, EM_SETSEL, 0, -1);
  const int units = rawSelection(gView.edit).second;
  const Place end = placeOf(kMail + "\x01", "\x01");
  std::printf("EM_GETSEL after selecting all of %d bytes, %d characters: %d (%s)\n", end.byte, end.character, units,
              units == end.character ? "characters" : units == end.byte ? "bytes" : "neither");
  ASSERT_TRUE(units == end.character || units == end.byte);

  // Whichever the control counts, the desktop speaks bytes both ways.
  const Place word = placeOf(kMail, "検索語");
  desktop->setEditSelection(wh(gView.edit), word.byte, word.byte + 6);
  EXPECT_EQ(desktop->editSelection(wh(gView.edit)), std::make_pair(word.byte, word.byte + 6));
  const int rawStart = units == end.character ? word.character : word.byte;
  const int rawLength = units == end.character ? 3 : 6;
  EXPECT_EQ(rawSelection(gView.edit), std::make_pair(rawStart, rawStart + rawLength));
  // An offset inside a double-byte character takes the whole character.
  desktop->setEditSelection(wh(gView.edit), 1, 1);
  EXPECT_EQ(desktop->editSelection(wh(gView.edit)).first, units == end.character ? 2 : 1);
}

TEST_F(InMailSearchOnWin32, FindAndFindNextSelectTheMatchedBytes) {
  settings().writeSetting("Search", "Keyword", "検索語");
  const Place first = placeOf(kMail, "検索語");
  const Place second = placeOf(kMail, "検索語", first.byte + 1);
  setText(gView, kMail, placeOf(kMail, "and").byte);
  command(gView, kViewNext);
  EXPECT_EQ(desktop->editSelection(wh(gView.edit)), std::make_pair(first.byte, first.byte + 6));
  command(gView, kViewNext);
  EXPECT_EQ(desktop->editSelection(wh(gView.edit)), std::make_pair(second.byte, second.byte + 6));
  command(gView, kViewNext);  // round to the first again
  EXPECT_EQ(desktop->editSelection(wh(gView.edit)), std::make_pair(first.byte, first.byte + 6));
  const int perChar = rawSelection(gView.edit).first == first.character ? 3 : 6;
  EXPECT_EQ(rawSelection(gView.edit).second - rawSelection(gView.edit).first, perChar);
}

TEST_F(InMailSearchOnWin32, ReplaceAllThroughTheRealControl) {
  settings().writeSetting("Search", "Keyword", "検索語");
  settings().writeSetting("Search", "Replace", "置換後の語");
  settings().writeSetting("Search", "Find", false);
  settings().writeSetting("Search", "Confirm", false);
  setText(gSend, kMail, placeOf(kMail, "and").byte);
  command(gSend, kSendNext);
  EXPECT_EQ(windowText(gSend.edit), "日本語のﾃｷｽﾄ and 置換後の語 mixed 置換後の語 end");
}

TEST_F(InMailSearchOnWin32, TheDialogsOnRealWindows) {
  settings().writeSetting("Search", "Keyword", "検索語\r\n以前の語");
  settings().writeSetting("Search", "Replace", "置換後");
  setText(gView, kMail, 0);

  // Find mode from the VIEW window.
  bool shown = false;
  whenShown("TSearchForm", [&shown](HWND form) {
    shown = true;
    EXPECT_EQ(windowText(form), "このメール内の検索");
    EXPECT_FALSE(IsWindowVisible(findDescendant(form, "Static", "置換文字列")));
    EXPECT_FALSE(IsWindowVisible(findDescendant(form, "Button", "続けて置き換える")));
    expectLaidOutWell(form);
    shoot(form, "search_form.png");
    press(form, "検索");
  });
  command(gView, kViewFind);
  EXPECT_TRUE(shown);
  const Place first = placeOf(kMail, "検索語");
  EXPECT_EQ(desktop->editSelection(wh(gView.edit)), std::make_pair(first.byte, first.byte + 6));

  // Replace mode from the SEND window, then the question before each
  // replacement: replace the first match, skip the second.
  setText(gSend, kMail, 0);
  int asked = 0;
  std::function<void(HWND)> question = [&](HWND form) {
    EXPECT_EQ(windowText(form), "置換");
    EXPECT_NE(findDescendant(form, "Static", "\"置換後\" と置き換えますか？"), nullptr);
    if (++asked == 1) {
      expectLaidOutWell(form);
      shoot(form, "replace_confirm.png");
      whenShown("TReplaceForm", question);
      press(form, "置換する(&Y)");
    } else {
      press(form, "置換しない(&N)");
    }
  };
  whenShown("TSearchForm", [&](HWND form) {
    EXPECT_EQ(windowText(form), "このメール内の置換");
    EXPECT_TRUE(IsWindowVisible(findDescendant(form, "Button", "置き換える前に確認する")));
    expectLaidOutWell(form);
    shoot(form, "replace_form.png");
    whenShown("TReplaceForm", question);
    press(form, "置換");
  });
  command(gSend, kSendReplace);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(windowText(gSend.edit), "日本語のﾃｷｽﾄ and 置換後 mixed 検索語 end");
}

}  // namespace
}  // namespace gleanix::testing
