// What the command-line tool prints for a list of rows, checked in
// process: field flattening, JSON escaping, table alignment.
#include "cli/output.h"

#include <gtest/gtest.h>

#include <signal.h>

#include "cli/cp932_text.h"
#include "cli/terminal_progress.h"

namespace gleanix::cli {
namespace {

pickup::PickupRow row(std::string subject, std::string sender = "taro", int mark = 1) {
  pickup::PickupRow r;
  r.mark = mark;
  r.folder = "Acc1\\Inbox.box\\";
  r.key = "0000ABCD";
  r.pathText = "自宅\\";
  r.folderText = "郵便受け";
  r.sortableDate = "1999/12/07 10:00:00";
  r.sender = std::move(sender);
  r.subject = std::move(subject);
  return r;
}

std::string cp932(const std::string& utf8) { return toCp932(utf8).value_or("<not convertible>"); }

TEST(Tsv, SevenFieldsWithTabsAndLineBreaksFlattened) {
  const std::string out = cp932(formatTsv({row("a\tb\r\nc"), row("", "", 7)}));
  EXPECT_EQ(out,
            "Acc1\\Inbox.box\\0000ABCD\t自宅\\\t郵便受け\t1999/12/07 10:00:00\ttaro\ta b  c\t1\n"
            "Acc1\\Inbox.box\\0000ABCD\t自宅\\\t郵便受け\t1999/12/07 10:00:00\t\t\t7\n");
}

TEST(Tsv, BytesThatAreNotCp932BecomeReplacementCharacters) {
  const std::string out = formatTsv({row("ok\x80", "x")});
  EXPECT_NE(out.find("ok\xEF\xBF\xBD\t1\n"), std::string::npos);
}

TEST(Json, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(formatJson({}), "[]\n");
  const std::string out = cp932(formatJson({row("say \"hi\"\t\x01", "a\\b", 3), row("二")}));
  EXPECT_EQ(out,
            "[\n"
            "  {\"hit\": \"Acc1\\\\Inbox.box\\\\0000ABCD\", \"path\": \"自宅\\\\\", \"folder\": \"郵便受け\", "
            "\"date\": \"1999/12/07 10:00:00\", \"sender\": \"a\\\\b\", \"subject\": \"say \\\"hi\\\"\\t\\u0001\", "
            "\"mark\": 3},\n"
            "  {\"hit\": \"Acc1\\\\Inbox.box\\\\0000ABCD\", \"path\": \"自宅\\\\\", \"folder\": \"郵便受け\", "
            "\"date\": \"1999/12/07 10:00:00\", \"sender\": \"taro\", \"subject\": \"二\", \"mark\": 1}\n"
            "]\n");
}

TEST(Table, ColumnsAlignByDisplayWidthAndTheCountLineCloses) {
  std::vector<pickup::PickupRow> rows = {row("first", "山田 太郎"), row("second", "ken"), row("三", "ｶﾅ")};
  rows[1].pathText = "Work Mail\\";
  rows[1].folderText = "[dev] 開発";
  rows[2].sortableDate = "";
  const std::string out = cp932(formatTable(rows));
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(out.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[4], " 3件");
  // In CP932 every character is as wide as its bytes: the columns start at
  // the same byte offsets on every line.
  const std::size_t date = lines[0].find("送信日時"), sender = lines[0].find("差出人"), subject = lines[0].find("題名");
  ASSERT_NE(subject, std::string::npos);
  EXPECT_EQ(lines[1].substr(date, 16), "1999/12/07 10:00");
  EXPECT_EQ(lines[1].substr(sender), "山田 太郎  first");
  EXPECT_EQ(lines[2].substr(sender), "ken        second");
  EXPECT_EQ(lines[3].substr(date, sender - date), std::string(sender - date, ' '));
  EXPECT_EQ(lines[3].substr(sender), "ｶﾅ         三");
  EXPECT_EQ(lines[2].substr(lines[0].find("フォルダ"), 10), "[dev] 開発");
}

TEST(Interrupt, CtrlCBecomesTheAbortButtonWhileASearchRuns) {
  struct sigaction before {};
  ::sigaction(SIGINT, nullptr, &before);
  {
    const InterruptAsAbort guard;
    TerminalProgress progress(stderr, false, "x");
    EXPECT_FALSE(progress.processMessages());
    ::raise(SIGINT);
    EXPECT_TRUE(InterruptAsAbort::pressed());
    EXPECT_TRUE(progress.processMessages());
  }
  struct sigaction after {};
  ::sigaction(SIGINT, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
  // A new search starts without the old press.
  const InterruptAsAbort again;
  EXPECT_FALSE(InterruptAsAbort::pressed());
}

TEST(Interrupt, TheHandlerServesOncePressAndAnIgnoreIsKept) {
  struct sigaction before {};
  ::sigaction(SIGINT, nullptr, &before);
  {
    const InterruptAsAbort guard;
    ::raise(SIGINT);
    ASSERT_TRUE(InterruptAsAbort::pressed());
    struct sigaction now {};
    ::sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);  // the second press ends the program
  }
  ::signal(SIGINT, SIG_IGN);
  {
    const InterruptAsAbort guard;
    ::raise(SIGINT);
    EXPECT_FALSE(InterruptAsAbort::pressed());
    struct sigaction now {};
    ::sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_IGN);
  }
  ::sigaction(SIGINT, &before, nullptr);
}

TEST(Table, ControlBytesShowInCaretNotation) {
  EXPECT_EQ(visibleField("a\x1b]0;owned\x07" "b\tc\x7f"), "a^[]0;owned^Gb^Ic^?");
  EXPECT_EQ(visibleField("表示"), "表示");  // trail bytes 0x5C and 0xA6 untouched
  std::vector<pickup::PickupRow> rows(1);
  rows[0].subject = "\x1b[31mred";
  rows[0].sender = "a\rb";
  const std::string out = formatTable(rows);
  EXPECT_EQ(out.find('\x1b'), std::string::npos);
  EXPECT_EQ(out.find('\r'), std::string::npos);
  EXPECT_NE(out.find("^[[31mred"), std::string::npos);
  EXPECT_NE(out.find("a^Mb"), std::string::npos);
}

}  // namespace
}  // namespace gleanix::cli
