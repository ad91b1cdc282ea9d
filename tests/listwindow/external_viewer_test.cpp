// The external viewer: its look-up in Mailbox.ini, the quotes around it,
// the line options of the known editors, and the launch from the row menu
// with the exact program and parameters the shell gets.

#include <gtest/gtest.h>

#include "list_window_fixture.h"
#include "listwindow/external_viewer.h"

namespace gleanix::testing {
namespace {

using listwindow::lookUpViewer;
using listwindow::viewerParameters;

class ExternalViewer : public ListWindowTest {
 protected:
  void mailboxIni(const std::string& lines) { fs->addFile(kMailRoot + "Mailbox.ini", lines); }
};

TEST_F(ExternalViewer, TheLookUpTakesTheFirstExactLineAndStripsItsQuotes) {
  const std::string dana = "C:\\Program Files\\Dana Editor\\DANA.EXE";
  fs->addFile(dana, "MZ");
  mailboxIni("[Mailbox]\r\nexternalviewer=C:\\other.exe\r\nExternalViewer=  \"" + dana +
             "\"  \r\nExternalViewer=C:\\second.exe\r\n");
  EXPECT_EQ(lookUpViewer(*fs, kMailRoot), dana);
  EXPECT_EQ(listwindow::lineOption(dana), "/J");

  // Doubled quotes lose their doubling first, then the outer pair goes.
  mailboxIni("ExternalViewer=\"\"" + dana + "\"\"\r\n");
  EXPECT_EQ(lookUpViewer(*fs, kMailRoot), dana);
  EXPECT_EQ(listwindow::undoubleQuotes("\"\"\"\""), "\"\"");
  EXPECT_EQ(listwindow::undoubleQuotes("a\"\"b\"\"\"c"), "a\"b\"\"c");

  // Only the exact spelling counts, and the file must exist.
  mailboxIni("externalviewer=" + dana + "\r\n");
  EXPECT_EQ(lookUpViewer(*fs, kMailRoot), "");
  mailboxIni("ExternalViewer=C:\\Tools\\Missing.exe\r\n");
  EXPECT_EQ(lookUpViewer(*fs, kMailRoot), "");
  fs->removeFile(kMailRoot + "Mailbox.ini");
  EXPECT_EQ(lookUpViewer(*fs, kMailRoot), "");
}

TEST_F(ExternalViewer, KnownEditorsJumpToTheFirstLineOfTheBody) {
  const std::string file = kMailRoot + "Acc1\\Inbox.box\\0000BEEF.ALM";
  // A header of 12 lines, two empty lines, the text on line 15.
  std::string text;
  for (int i = 0; i < 12; ++i) text += "X-Line" + std::to_string(i) + ": v\r\n";
  fs->addFile(file, text + "\r\n\r\nbody\r\n");
  EXPECT_EQ(viewerParameters(*fs, "C:\\Hidemaru\\Hidemaru.exe", file), "/j15 " + file);
  EXPECT_EQ(viewerParameters(*fs, "c:\\ak\\ak32.exe", file), "/L15 " + file);
  EXPECT_EQ(viewerParameters(*fs, "C:\\WZ\\WZEDIT.EXE", file), "--J15 " + file);
  // Any other program gets the path alone.
  EXPECT_EQ(viewerParameters(*fs, "C:\\Images\\viewer.exe", file), file);

  // No empty line, or an empty first line: no option. A body of empty
  // lines only: the last line.
  fs->addFile(file, "Subject: a\r\nFrom: b\r\n");
  EXPECT_EQ(viewerParameters(*fs, "DANA.EXE", file), file);
  fs->addFile(file, "\r\nSubject: a\r\n");
  EXPECT_EQ(viewerParameters(*fs, "DANA.EXE", file), file);
  fs->addFile(file, "Subject: a\r\n\r\n\r\n\r\n");
  EXPECT_EQ(viewerParameters(*fs, "DANA.EXE", file), "/J4 " + file);
}

TEST_F(ExternalViewer, TheRowMenuLaunchesTheViewerOwnedByTheWindow) {
  const std::string hidemaru = "C:\\Program Files\\Hidemaru\\Hidemaru.exe";
  fs->addFile(hidemaru, "MZ");
  mailboxIni("[Mailbox]\r\nTIMEZONE=+0900\r\nExternalViewer=\"" + hidemaru + "\"\r\n");
  settingsSortIndex(-1);
  auto w = open();
  rowMenu(*w, 3, "外部ビューアで開く");
  EXPECT_EQ(w->viewerPath(), hidemaru);
  ASSERT_TRUE(desktop->popups().back().items[2].enabled);
  const auto call = shell->lastCall();
  ASSERT_TRUE(call.has_value());
  // The fixture's mails have three header lines and one empty line.
  const std::string mail = kMailRoot + "Acc1\\User001.box\\00000004.ALM";
  EXPECT_EQ(*call, (backend::ShellCall{w->handle(), "open", hidemaru, "/j5 " + mail, ""}));
}

}  // namespace
}  // namespace gleanix::testing
