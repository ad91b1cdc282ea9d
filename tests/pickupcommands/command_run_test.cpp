// What the common run guarantees on every way out, and the small texts the
// keyword history and the shared keyword are made of.

#include <stdexcept>

#include "pickup_command_fixture.h"
#include "pickupcommands/keyword_history.h"

namespace gleanix::testing {
namespace {

using Strings = std::vector<std::string>;
using namespace pickupcommands;

class CommandRun : public PickupCommandTest {
 protected:
  CommandRun() { settings().writeSetting("MarkFind", "Folder", kInbox1 + "\r\n"); }
  void run() { markPickup(started(), mainWindow(), 0); }
};

TEST_F(CommandRun, AFailureInTheDialogLeavesNoDialogAndNoHourglass) {
  desktop->onModal([](sys::WindowHandle) { throw std::runtime_error("dialog"); });
  EXPECT_THROW(run(), std::runtime_error);
  EXPECT_EQ(desktop->findTopLevel("TMarkFindForm"), 0u);
  EXPECT_EQ(desktop->busyLevel(), 0);
  EXPECT_TRUE(listWindows().empty());
}

TEST_F(CommandRun, AFailureDuringTheSearchLeavesNoProgressWindowAndTheOwnerEnabled) {
  // A host window the dialogs are owned by.
  ui::FormTable hostLayout{.className = "TQuillonMain", .caption = "Inbox - Quillon"};
  ui::TForm host(*desktop, hostLayout);
  host.show();
  confirm("TMarkFindForm");
  bool ownerDisabled = false;
  std::function<void()> failDuringSearch = [&] {
    const sys::WindowHandle progress = desktop->findTopLevel("TRelatedProgressForm");
    if (!progress) {
      desktop->onProcessMessages(failDuringSearch);
      return;
    }
    EXPECT_EQ(desktop->owner(progress), host.handle());
    ownerDisabled = !desktop->isEnabled(host.handle());
    throw std::runtime_error("search");
  };
  desktop->onProcessMessages(failDuringSearch);
  EXPECT_THROW(markPickup(started(), host.handle(), 0), std::runtime_error);
  // The host window cannot start another pickup while one runs.
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(desktop->isEnabled(host.handle()));
  EXPECT_EQ(desktop->findTopLevel("TRelatedProgressForm"), 0u);
  EXPECT_EQ(desktop->busyLevel(), 0);
  EXPECT_TRUE(listWindows().empty());
}

// --- The texts

TEST(KeywordHistoryText, EntriesLoadUnescapedAndKeepABrokenEscapeAsWritten) {
  EXPECT_EQ(loadHistory("a%0D%0Ab%0D%0A\r\n\r\n100%zz\r\nc"), (Strings{"a\r\nb\r\n", "100%zz", "c"}));
  EXPECT_EQ(storeHistory({"a\r\nb\r\n", "x%"}), "a%0D%0Ab%0D%0A\r\nx%%");
  EXPECT_EQ(firstHistoryEntry("a%0D%0A\r\nb"), "a\r\n");
  EXPECT_EQ(firstHistoryEntry(""), "");
  EXPECT_EQ(historyDisplayText("a\r\nb\r\n"), "a/b/");
  EXPECT_EQ(historyDisplayText("abc\r\n"), "abc/");
}

TEST(KeywordHistoryText, KeywordLinesAreTrimmedAndLoseADanglingLeadByte) {
  EXPECT_EQ(keywordText({"  a b ", "", " \t", "c"}), "a b\r\nc\r\n");
  // Kept whole, "ab" + lead byte + CR LF would be stored with a raw CR.
  const std::string text = keywordText({"ab \x81", "\x95\x5c"});
  EXPECT_EQ(text, "ab\r\n\x95\x5c\r\n");
  EXPECT_EQ(loadHistory(storeHistory({text})), Strings{text});
}

TEST(KeywordHistoryText, TheSharedKeywordEscapesPatternCharactersButNotDoubleByteOnes) {
  EXPECT_EQ(sharedKeyword("a  b\r\nc\r\n"), "a|b|c");
  EXPECT_EQ(sharedKeyword("1.5 [x]\r\n"), "1\\.5|\\[x\\]");
  // "表" ends in 0x5C and "ポ" in 0x7C: neither is a "\" or a "|".
  EXPECT_EQ(sharedKeyword("表 ポ\r\n"), "表|ポ");
  // A lead byte without its second byte stands for nothing.
  EXPECT_EQ(sharedKeyword("ab\x81\r\ncd\r\n"), "ab|cd");
}

}  // namespace
}  // namespace gleanix::testing
