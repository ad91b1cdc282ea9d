// The command line of the gleanix tool.
#include "cli/options.h"

#include <gtest/gtest.h>

namespace gleanix::cli {
namespace {

Options parse(std::vector<std::string> args) { return parseOptions(args); }

std::string refusal(std::vector<std::string> args) {
  try {
    parseOptions(args);
  } catch (const UsageError& e) {
    return e.message;
  }
  return "accepted";
}

TEST(Options, GlobalOptionsGoBeforeOrAfterTheCommand) {
  const Options o = parse({"--format", "json", "mark", "--unread", "--reverse", "--folder", "A\\Inbox.box\\",
                           "--mark", "3", "--mark", "7", "--sort", "none", "--copy-to", "X", "--copy-to", "Y"});
  EXPECT_EQ(o.command, Command::Mark);
  EXPECT_EQ(o.format, Format::Json);
  EXPECT_EQ(o.sort, SortBy::None);
  EXPECT_TRUE(o.reverse);
  EXPECT_TRUE(o.unread);
  EXPECT_FALSE(o.read);
  EXPECT_EQ(o.marks, (std::vector<int>{3, 7}));
  EXPECT_EQ(o.folders, std::vector<std::string>{"A\\Inbox.box\\"});
  EXPECT_EQ(o.copyTo, (std::vector<std::string>{"X", "Y"}));
}

TEST(Options, Defaults) {
  const Options o = parse({"related", "--from", "H"});
  EXPECT_EQ(o.format, Format::Auto);
  EXPECT_EQ(o.sort, SortBy::Path);
  EXPECT_EQ(o.degree, 1);
  EXPECT_TRUE(o.inReplyTo && o.references && o.subject && o.quotes);
  EXPECT_FALSE(o.includeStart);
  EXPECT_EQ(o.store, "");
}

TEST(Options, KeywordsAfterDoubleDashMayStartWithADash) {
  EXPECT_EQ(parse({"keyword", "--", "-x --body"}).keywords, "-x --body");
  EXPECT_EQ(parse({"keyword", "--header", "Subject", "a b\nc"}).keywords, "a b\nc");
  EXPECT_EQ(refusal({"keyword", "--", "a", "b"}), "keyword takes exactly one KEYWORDS argument");
  EXPECT_EQ(refusal({"keyword"}), "keyword takes exactly one KEYWORDS argument");
}

TEST(Options, RefusesWhatDoesNotBelong) {
  EXPECT_EQ(refusal({"mark", "--mark", "0"}), "--mark takes a number from 1 to 7, not \"0\"");
  EXPECT_EQ(refusal({"mark", "--mark", "+3"}), "--mark takes a number from 1 to 7, not \"+3\"");
  EXPECT_EQ(refusal({"related", "--from", "H", "--degree", "-1"}),
            "--degree takes a number from 0 to 1000000, not \"-1\"");
  EXPECT_EQ(refusal({"mark", "--body"}), "unknown option --body");
  EXPECT_EQ(refusal({"folders", "--folder", "X"}), "unknown option --folder");
  EXPECT_EQ(refusal({"mark", "stray"}), "unexpected argument \"stray\"");
  EXPECT_EQ(refusal({"--format", "xml", "mark"}), "unknown value \"xml\" for --format");
  EXPECT_EQ(refusal({"--store"}), "--store needs a value");
  EXPECT_EQ(refusal({"search"}), "unknown value \"search\" for the command");
  EXPECT_EQ(refusal({"related"}), "related needs at least one --from HIT");
  EXPECT_TRUE(parse({"--help"}).help);
  EXPECT_TRUE(parse({"mark", "-h"}).help);
}

}  // namespace
}  // namespace gleanix::cli
