// Mailing-list numbers: the one around the caret, the doubled-colon key,
// and the search through the current folder, the trash list and the
// account's folders against quillon-sim.

#include <gtest/gtest.h>

#include <string>

#include "core/thread_state.h"
#include "host/entry_format.h"
#include "insearch/mailing_list_number.h"
#include "insearch/mailing_list_search.h"
#include "support/plugin_fixture.h"

namespace gleanix::testing {
namespace {

using insearch::mailingListNumberAt;

TEST(MailingListNumber, TheTagAroundTheCaret) {
  const std::string text = "see [abc:123] for it";
  for (std::size_t caret = 5; caret <= 12; ++caret) {
    EXPECT_EQ(mailingListNumberAt(text, caret), "[abc:123]") << caret;
  }
  EXPECT_EQ(mailingListNumberAt(text, 4), std::nullopt);   // before the "["
  EXPECT_EQ(mailingListNumberAt(text, 13), std::nullopt);  // after the "]"
  EXPECT_EQ(mailingListNumberAt("[abc 123]", 4), std::nullopt);
  EXPECT_EQ(mailingListNumberAt("[abc:\r\n123]", 3), std::nullopt);
  EXPECT_EQ(mailingListNumberAt("[日本語:１２]", 5), "[日本語:１２]");
}

TEST(MailingListNumber, BracketsFurtherThanTwentyBytesAreNotSeen) {
  const std::string tag = "[" + std::string(18, 'n') + ":1]";  // "]" at byte 21
  EXPECT_EQ(mailingListNumberAt(tag, 2), tag);             // "]" within the 20 bytes from the caret
  EXPECT_EQ(mailingListNumberAt(tag, 20), tag);            // "[" 20 bytes back
  EXPECT_EQ(mailingListNumberAt(tag, 1), std::nullopt);    // "]" just beyond
  EXPECT_EQ(mailingListNumberAt(tag, 21), std::nullopt);   // "[" 21 bytes back
  EXPECT_EQ(mailingListNumberAt("[" + std::string(20, 'n') + ":1]", 21), std::nullopt);
  EXPECT_EQ(mailingListNumberAt("[a:" + std::string(18, '1') + "]", 1), std::nullopt);
  // Without the "[" in reach nothing is offered, not a piece of the tag.
  EXPECT_EQ(mailingListNumberAt("abc:123]", 3), std::nullopt);
}

TEST(MailingListNumber, BracketsInsideDoubleByteCharactersDoNotCount) {
  // "ー" is 0x81 0x5B: its trail byte is "["; "‐" is 0x81 0x5D, "]".
  EXPECT_EQ(mailingListNumberAt("ーab:1]", 3), std::nullopt);
  EXPECT_EQ(mailingListNumberAt("[ーab:1]", 4), "[ーab:1]");
  EXPECT_EQ(mailingListNumberAt("[a:1‐x]", 2), "[a:1‐x]");
  // "ﾝ" (0xDD) is a single-byte character: the "]" after it counts.
  EXPECT_EQ(mailingListNumberAt("[a:ﾝ]", 2), "[a:ﾝ]");
}

TEST(MailingListNumber, TheKeyDoublesTheFirstColon) {
  EXPECT_EQ(insearch::mailingListSearchKey("[name:1234]"), "[name::1234]");
  EXPECT_EQ(insearch::mailingListSearchKey("[a:b:c]"), "[a::b:c]");
}

class MailingListSearch : public PluginTest {
 protected:
  void SetUp() override {
    fs->addFile(kMailRoot + "Mailbox.ini", "[Mailbox]\r\n");
    fs->addFile(kMailRoot + "Acc1\\Account.ini", "[Account]\r\nTITLE=Account\r\n");
    ASSERT_EQ(startUp(), 255);
    view = sim.openViewWindow("Acc1\\Inbox.box\\00000001");
    sim.setCurrentFolder("Acc1\\Inbox.box");
    core::threadState().mailingListNumber = "[ml:120]";
  }

  // A mail in folder (relative, ending in "\") listed as the host lists it.
  void mail(const std::string& folder, const std::string& key, const std::string& subject) {
    const std::string text = "From: a@example.jp\r\nSubject: " + subject + "\r\n\r\nbody\r\n";
    fs->addFile(kMailRoot + folder + key + ".ALM", text);
    appendLine(folder + "ENTRY.LST", key + "=" + host::listLineTail(0x40000000, text));
  }
  void trash(const std::string& folder, const std::string& key, const std::string& subject) {
    const std::string text = "From: a@example.jp\r\nSubject: " + subject + "\r\n\r\nbody\r\n";
    fs->addFile(kMailRoot + folder + key + ".ALM", text);
    appendLine("Acc1\\Trash.box", folder + key + "=" + host::listLineTail(0, text));
  }
  void title(const std::string& folder, const std::string& line) {
    fs->addFile(kMailRoot + folder + "ENTRY.INI", "[Folder]\r\n" + line + "\r\n");
  }
  void appendLine(const std::string& relative, const std::string& line) {
    fs->addFile(kMailRoot + relative, fs->content(kMailRoot + relative) + line + "\r\n");
  }
  void run() { insearch::mailingListNumberSearch(started(), view); }
  std::string shown() const { return sim.viewMail(view).value_or("(closed)"); }
  const backend::SimMessageBox* lastBox() const {
    return desktop->messageBoxes().empty() ? nullptr : &desktop->messageBoxes().back();
  }
  void expectNotFound() {
    ASSERT_NE(lastBox(), nullptr);
    EXPECT_EQ(lastBox()->text, "見つかりませんでした");
    EXPECT_EQ(lastBox()->caption, "[ml:120]");
    EXPECT_EQ(lastBox()->icon, sys::MessageIcon::Warning);
    EXPECT_EQ(lastBox()->buttons, sys::MessageButtons::Ok);
    EXPECT_EQ(lastBox()->owner, view);
  }

  sys::WindowHandle view = 0;
};

TEST_F(MailingListSearch, AMailInTheOpenFolderIsShownAtOnce) {
  mail("Acc1\\Inbox.box\\", "00000002", "Re: [ml:119] older");
  mail("Acc1\\Inbox.box\\", "00000003", "[ml:120] the one");
  run();
  EXPECT_EQ(shown(), "Acc1\\Inbox.box\\00000003");
  EXPECT_TRUE(desktop->messageBoxes().empty());
  EXPECT_EQ(core::threadState().mailingListSearchState, "[ml::120]");
}

TEST_F(MailingListSearch, OnlySubjectsThatBeginWithTheTagCount) {
  mail("Acc1\\Inbox.box\\", "00000002", "Re: [ml:120] a reply");
  mail("Acc1\\Inbox.box\\", "00000003", "[other:7][ml:120] two tags");
  mail("Acc1\\Inbox.box\\", "00000004", "[ML:120] other case");
  run();
  EXPECT_EQ(shown(), "Acc1\\Inbox.box\\00000001");
  expectNotFound();
}

TEST_F(MailingListSearch, TheKeyIsComparedWithLetterCase) {
  core::threadState().mailingListNumber = "[ML:120]";
  mail("Acc1\\Inbox.box\\", "00000002", "[ml:120] stored as [ml::120]");
  run();
  EXPECT_EQ(shown(), "Acc1\\Inbox.box\\00000001");
  ASSERT_NE(lastBox(), nullptr);
  EXPECT_EQ(lastBox()->text, "見つかりませんでした");
  EXPECT_EQ(lastBox()->caption, "[ML:120]");
}

TEST_F(MailingListSearch, AListedMailWhoseFileIsMissingIsPassedOver) {
  mail("Acc1\\Inbox.box\\", "00000002", "[ml:120] gone");
  fs->removeFile(kMailRoot + "Acc1\\Inbox.box\\00000002.ALM");
  mail("Acc1\\Inbox.box\\", "00000003", "[ml:120] here");
  run();
  EXPECT_EQ(shown(), "Acc1\\Inbox.box\\00000003");
}

TEST_F(MailingListSearch, AMailInTheTrashIsOfferedWithAQuestion) {
  fs->addDirectory(kMailRoot + "Acc1\\Inbox.box\\");
  trash("Acc1\\User001.box\\", "0000000A", "[ml:120] trashed");
  // A titled folder with a match is not reached: the trash answer ends it.
  title("Acc1\\User002.box\\", "TITLE=Lists");
  mail("Acc1\\User002.box\\", "0000000B", "[ml:120] in a folder");
  desktop->answerMessageBox(sys::result::No);
  run();
  EXPECT_EQ(shown(), "Acc1\\Inbox.box\\00000001");
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  const auto& box = desktop->messageBoxes()[0];
  EXPECT_EQ(box.text, "ごみ箱で見つかりましたが、開きますか？");
  EXPECT_EQ(box.caption, "[ml:120]");
  EXPECT_EQ(box.buttons, sys::MessageButtons::YesNo);
  EXPECT_EQ(box.owner, view);

  desktop->answerMessageBox(sys::result::Yes);
  run();
  EXPECT_EQ(shown(), "Acc1\\User001.box\\0000000A");
  EXPECT_EQ(desktop->messageBoxes().size(), 2u);
}

TEST_F(MailingListSearch, ATitledFolderAsksWithItsTitle) {
  fs->addDirectory(kMailRoot + "Acc1\\Inbox.box\\");
  title("Acc1\\User001.box\\", "title=Lists");
  mail("Acc1\\User001.box\\", "0000000C", "[ml:120] filed");
  desktop->answerMessageBox(sys::result::Yes);
  run();
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  EXPECT_EQ(desktop->messageBoxes()[0].text, "Lists で見つかりましたが、開きますか？");
  EXPECT_EQ(desktop->messageBoxes()[0].buttons, sys::MessageButtons::YesNo);
  EXPECT_EQ(shown(), "Acc1\\User001.box\\0000000C");
}

TEST_F(MailingListSearch, FoldersAreSearchedDepthFirstPassingUntitledMatches) {
  fs->addDirectory(kMailRoot + "Acc1\\Inbox.box\\");
  // An untitled match is passed over; the search goes below it first...
  mail("Acc1\\A.box\\", "00000011", "[ml:120] untitled");
  title("Acc1\\A.box\\Deep.box\\", "TITLE=\"Deep\"");
  mail("Acc1\\A.box\\Deep.box\\", "00000012", "[ml:120] deep");
  // ...and only then beside it.
  title("Acc1\\B.box\\", "TITLE=Beside");
  mail("Acc1\\B.box\\", "00000013", "[ml:120] beside");
  desktop->answerMessageBox(sys::result::No);
  run();
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  EXPECT_EQ(desktop->messageBoxes()[0].text, "\"Deep\" で見つかりましたが、開きますか？");
  EXPECT_EQ(shown(), "Acc1\\Inbox.box\\00000001");
}

TEST_F(MailingListSearch, NoOpenFolderOrNoMatchAnywhereSaysSo) {
  sim.setCurrentFolder("");
  mail("Acc1\\Inbox.box\\", "00000002", "[ml:120] unseen");
  run();
  expectNotFound();
  EXPECT_EQ(shown(), "Acc1\\Inbox.box\\00000001");

  sim.setCurrentFolder("Acc1\\Inbox.box");
  core::threadState().mailingListNumber = "[ml:121]";
  title("Acc1\\User001.box\\", "TITLE=Lists");
  mail("Acc1\\User001.box\\", "0000000C", "[ml:1210] longer number");
  run();
  EXPECT_EQ(lastBox()->caption, "[ml:121]");
  EXPECT_EQ(desktop->messageBoxes().size(), 2u);
}

TEST_F(MailingListSearch, FindInListReadsTheSubjectAfterTheHostData) {
  // The subject is what follows the ":" behind the 16 characters after "=";
  // a ":" inside those characters does not count.
  fs->addFile(kMailRoot + "X\\K1.ALM", "");
  fs->addFile(kMailRoot + "X\\ENTRY.LST",
              "short=AB:[k::1]\r\n"
              "K1=AAAAQA00:0000100a@b:  [k::1] trimmed\r\n");
  EXPECT_EQ(insearch::findInList(*fs, kMailRoot + "X\\", kMailRoot + "X\\ENTRY.LST", "[k::1]"), "K1");
  EXPECT_EQ(insearch::findInList(*fs, kMailRoot + "X\\", kMailRoot + "X\\MISSING.LST", "[k::1]"), "");
}

}  // namespace
}  // namespace gleanix::testing
