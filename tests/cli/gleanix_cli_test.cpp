// The gleanix binary on the bundled sample store: each command and output
// format, the exit codes, the errors, and copying on a copy of the store.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "backend/platform.h"
#include "cli/cp932_text.h"
#include "pickup/mark_search.h"
#include "store/folders.h"
#include "store/mail_store.h"
#include "support/temp_store.h"

namespace gleanix::cli {
namespace {

namespace fs = std::filesystem;

const std::string kSample = std::string(GLEANIX_SOURCE_DIR) + "/samples/store";

struct Outcome {
  int status = -1;
  std::string out, err;  // as printed: UTF-8
  std::vector<std::string> lines() const {
    std::vector<std::string> result;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
  }
};

std::string quoted(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the binary from directory cwd with stdout and stderr going to files
// (so neither is a terminal).
Outcome gleanix(const std::vector<std::string>& args, const std::string& cwd = "/") {
  const testing::TempStore scratch;
  const fs::path out = scratch.path("out"), err = scratch.path("err");
  std::string command = "cd " + quoted(cwd) + " && " + quoted(GLEANIX_CLI);
  for (const std::string& a : args) command += " " + quoted(a);
  command += " >" + quoted(out.string()) + " 2>" + quoted(err.string()) + " </dev/null";
  Outcome r;
  const int raw = std::system(command.c_str());
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = slurp(out);
  r.err = slurp(err);
  return r;
}

// Text printed by the tool, back in CP932 so it compares with the literals.
std::string cp932(const std::string& utf8) { return toCp932(utf8).value_or("<not convertible>"); }

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    out.push_back(line.substr(start, tab - start));
  }
  out.push_back(line.substr(start));
  return out;
}

std::vector<std::string> column(const Outcome& r, std::size_t index) {
  std::vector<std::string> out;
  for (const std::string& line : r.lines()) out.push_back(cp932(fields(line).at(index)));
  return out;
}

// One line on stderr and exit status 2.
void expectRefused(const Outcome& r, const std::string& naming) {
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_TRUE(r.out.empty());
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_NE(r.err.find(naming), std::string::npos) << r.err;
}

TEST(GleanixFolders, ListsTheSearchTreeWithKindsAndDisplayPaths) {
  const Outcome r = gleanix({"folders"});
  EXPECT_EQ(r.status, 0);
  const auto lines = r.lines();
  std::vector<std::string> text;
  for (const std::string& l : lines) text.push_back(cp932(l));
  EXPECT_EQ(text.at(0), "A\tAcc1\\\t自宅");
  EXPECT_NE(std::find(text.begin(), text.end(), "I\tAcc1\\Inbox.box\\\t自宅\\郵便受け"), text.end());
  EXPECT_NE(std::find(text.begin(), text.end(), "G\tAcc1\\User003.box\\\t自宅\\仕事"), text.end());
  EXPECT_NE(std::find(text.begin(), text.end(), "T\tAcc2\\Trash.box\tWork Mail\\ごみ箱"), text.end());
}

TEST(GleanixMark, DefaultSelectionFromAPipeIsTsvSortedByPath) {
  const Outcome r = gleanix({"mark"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  const auto lines = r.lines();
  ASSERT_FALSE(lines.empty());
  std::string previous;
  for (const std::string& line : lines) {
    const auto f = fields(line);
    ASSERT_EQ(f.size(), 7u) << line;
    EXPECT_EQ(f[6], "1");  // the default selection is mark 1
    const std::string key = cp932(f[1]) + " " + cp932(f[2]);
    EXPECT_LE(previous, key);
    previous = key;
  }

  // The same mails the engine finds over every searchable folder.
  const auto files = backend::makeFileSystem();
  const store::MailStore store(*files, kSample + "/");
  std::vector<std::string> folders;
  for (const store::TreeFolder& t : store::folderTree(store)) {
    if (t.folder.type != store::ctAccount && t.folder.type != store::ctGroup) folders.push_back(t.folder.path);
  }
  pickup::SilentProgress progress;
  const auto engine = pickup::markSearch(*files, store.root(), folders, pickup::MarkSelection{}, progress);
  const auto hits = column(r, 0);
  EXPECT_EQ(std::multiset<std::string>(hits.begin(), hits.end()),
            std::multiset<std::string>(engine.hits.begin(), engine.hits.end()));
  EXPECT_EQ(gleanix({"--sort", "none", "mark"}).out.size(), r.out.size());
  EXPECT_EQ(column(gleanix({"--sort", "none", "mark"}), 0), engine.hits);
}

TEST(GleanixMark, SelectionFlagsFoldersAndSortOrders) {
  const Outcome unread = gleanix({"--sort", "date", "mark", "--unread", "--folder", "acc1/inbox.box"});
  ASSERT_EQ(unread.status, 0) << unread.err;
  const auto dates = column(unread, 3);
  EXPECT_TRUE(std::is_sorted(dates.begin(), dates.end()));
  for (const std::string& hit : column(unread, 0)) EXPECT_EQ(hit.rfind("Acc1\\Inbox.box\\", 0), 0u) << hit;

  const Outcome reversed = gleanix({"--sort", "date", "--reverse", "mark", "--unread", "--folder", "Acc1\\Inbox.box\\"});
  auto back = column(reversed, 3);
  std::reverse(back.begin(), back.end());
  EXPECT_EQ(back, dates);

  const Outcome marks = gleanix({"mark", "--mark", "2", "--mark", "7", "--no-mark"});
  ASSERT_EQ(marks.status, 0);
  std::set<std::string> seen;
  for (const std::string& m : column(marks, 6)) seen.insert(m);
  EXPECT_EQ(seen, (std::set<std::string>{"0", "2", "7"}));

  // The trash is searched through its list and shown under the account's trash.
  const Outcome trash = gleanix({"mark", "--no-mark", "--read", "--unread", "--folder", "Acc1\\Trash.box"});
  ASSERT_EQ(trash.status, 0);
  for (const auto& line : trash.lines()) {
    EXPECT_EQ(cp932(fields(line)[1]) + cp932(fields(line)[2]), "自宅\\ごみ箱");
  }
}

TEST(GleanixMark, JsonAndTableFormats) {
  const Outcome tsv = gleanix({"mark", "--read"});
  const Outcome json = gleanix({"--format", "json", "mark", "--read"});
  ASSERT_EQ(json.status, 0);
  const auto objects = json.lines();
  ASSERT_EQ(objects.size(), tsv.lines().size() + 2);
  EXPECT_EQ(objects.front(), "[");
  EXPECT_EQ(objects.back(), "]");
  for (std::size_t i = 1; i + 1 < objects.size(); ++i) {
    const std::string& o = objects[i];
    EXPECT_EQ(o.rfind("  {\"hit\": \"", 0), 0u) << o;
    const std::size_t path = o.find("\", \"path\": \""), folder = o.find("\", \"folder\": \""),
                      date = o.find("\", \"date\": \""), sender = o.find("\", \"sender\": \""),
                      subject = o.find("\", \"subject\": \""), mark = o.find("\", \"mark\": ");
    EXPECT_TRUE(path < folder && folder < date && date < sender && sender < subject && subject < mark) << o;
  }

  const Outcome table = gleanix({"--format", "table", "mark", "--read"});
  ASSERT_EQ(table.status, 0);
  const auto lines = table.lines();
  ASSERT_EQ(lines.size(), tsv.lines().size() + 2);
  EXPECT_EQ(cp932(lines.back()), " " + std::to_string(tsv.lines().size()) + "件");
  const std::string heading = cp932(lines.front());
  const std::size_t markColumn = heading.find("印");
  ASSERT_NE(markColumn, std::string::npos);
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    const std::string line = cp932(lines[i]);
    EXPECT_TRUE(line[markColumn] >= '0' && line[markColumn] <= '7') << line;
    EXPECT_EQ(line[markColumn - 1], ' ') << line;
  }
}

TEST(GleanixKeyword, SearchesTheBodyOrTheNamedHeadersWithFuzzyFolding) {
  const Outcome body = gleanix({"keyword", "Quillon"});
  ASSERT_EQ(body.status, 0) << body.err;
  EXPECT_GT(body.lines().size(), 3u);

  // The terminal's UTF-8 is turned into CP932 for the search.
  const Outcome subject = gleanix({"keyword", "--header", "Subject", toUtf8("忘年会")});
  ASSERT_EQ(subject.status, 0) << subject.err;
  for (const std::string& s : column(subject, 5)) EXPECT_NE(s.find("忘年会"), std::string::npos) << s;
  // Lines are alternatives; "pop3" finds the full-width "ＰＯＰ３" too.
  const Outcome either = gleanix({"keyword", "--header", "subject", "no such words\n" + toUtf8("忘年会") + "\npop3"});
  ASSERT_EQ(either.status, 0) << either.err;
  const auto subjects = column(either, 5);
  EXPECT_EQ(subjects.size(), subject.lines().size() + 2);
  EXPECT_EQ(std::count_if(subjects.begin(), subjects.end(),
                          [](const std::string& s) { return s.find("ＰＯＰ３") != std::string::npos; }),
            2);
  // Terms of one line must all occur.
  EXPECT_EQ(gleanix({"keyword", "--header", "subject", "pop3 " + toUtf8("忘年会")}).status, 1);
  // Every header line, and no body.
  EXPECT_EQ(gleanix({"keyword", "--all-headers", "pop3"}).lines().size(), 2u);
}

TEST(GleanixRelated, FollowsAThreadAndIncludesTheStartWhenAsked) {
  const std::string start = "Acc1\\User001.box\\A95BC513";
  const Outcome r = gleanix({"--sort", "none", "related", "--from", start, "--degree", "0", "--include-start"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto hits = column(r, 0);
  ASSERT_GE(hits.size(), 2u);
  EXPECT_EQ(hits.front(), start);
  EXPECT_EQ(std::count(hits.begin(), hits.end(), start), 1);
  const Outcome without = gleanix({"--sort", "none", "related", "--from", "Acc1/User001.box/A95BC513.ALM", "--degree", "0"});
  EXPECT_EQ(column(without, 0), std::vector<std::string>(hits.begin() + 1, hits.end()));
}

TEST(GleanixRelated, NothingRelatedExitsOneWithTheMessage) {
  const Outcome r = gleanix({"related", "--from", "Acc1\\User001.box\\A95BC513", "--no-in-reply-to", "--no-references",
                         "--no-subject", "--no-quotes"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty());
  // Warnings about malformed mails in the store may come before it.
  const std::size_t last = r.err.rfind('\n', r.err.size() - 2);
  EXPECT_EQ(r.err.substr(last == std::string::npos ? 0 : last + 1), "\xE8\xA6\x8B\xE3\x81\xA4\xE3\x81\x8B\xE3\x82\x8A\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\xE3\x81\xA7"
                   "\xE3\x81\x97\xE3\x81\x9F\n");  // 見つかりませんでした in UTF-8
}

TEST(GleanixErrors, BadInputIsRefusedWithOneLineNamingIt) {
  const testing::TempStore empty;
  expectRefused(gleanix({"--store", empty.root(), "mark"}), "not a mail store");
  expectRefused(gleanix({"--store", "/no/such/dir", "mark"}), "/no/such/dir");
  expectRefused(gleanix({"mark", "--folder", "Acc1\\Nowhere.box\\"}), "Acc1\\Nowhere.box\\");
  expectRefused(gleanix({"mark", "--folder", "Acc1\\User003.box\\"}), "folder group");
  expectRefused(gleanix({"related", "--from", "Acc1\\Inbox.box\\DEADBEEF"}), "Acc1\\Inbox.box\\DEADBEEF");
  expectRefused(gleanix({"keyword", "\xF0\x9F\x98\x80"}), "code page 932");
  expectRefused(gleanix({"--copy-to", "Acc1\\Trash.box", "mark"}), "Acc1\\Trash.box");
  expectRefused(gleanix({"mark", "--mark", "8"}), "--mark");
  expectRefused(gleanix({"mark", "--frobnicate"}), "--frobnicate");
  expectRefused(gleanix({}), "missing command");
  expectRefused(gleanix({"related"}), "--from");
  EXPECT_EQ(gleanix({"--help"}).status, 0);
}

TEST(GleanixStore, TheBundledStoreIsFoundFromAnyDirectory) {
  const testing::TempStore elsewhere;
  const Outcome r = gleanix({"mark"}, elsewhere.path("").string());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, gleanix({"--store", kSample, "mark"}).out);
  // A relative --store is taken from the working directory.
  EXPECT_EQ(gleanix({"--store", "samples/store", "mark"}, GLEANIX_SOURCE_DIR).out, r.out);
}

TEST(GleanixCopy, CopiesTheHitsIntoTheFolderAndSaysHowMany) {
  const testing::TempStore copy;
  fs::copy(kSample, copy.path(""), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  const auto before = copy.snapshot();
  const Outcome found = gleanix({"--store", copy.root(), "mark", "--mark", "2"});
  const std::size_t hits = found.lines().size();
  ASSERT_GT(hits, 0u);
  const Outcome r = gleanix({"--store", copy.root(), "--copy-to", "Acc1/User009.box", "mark", "--mark", "2"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, found.out);
  EXPECT_NE(r.err.find("copied " + std::to_string(hits) + " mails into Acc1\\User009.box\\"), std::string::npos)
      << r.err;
  const auto after = copy.snapshot();
  std::size_t newMails = 0;
  for (const auto& [path, bytes] : after) {
    if (before.count(path) == 0) {
      EXPECT_EQ(path.rfind("Acc1/User009.box/", 0), 0u) << path;
      ++newMails;
    } else if (path != "Acc1/User009.box/ENTRY.LST") {
      EXPECT_EQ(bytes, before.at(path)) << path;
    }
  }
  EXPECT_EQ(newMails, hits);
  const std::string& list = after.at("Acc1/User009.box/ENTRY.LST");
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n') - std::count(before.at("Acc1/User009.box/ENTRY.LST").begin(),
                                                                    before.at("Acc1/User009.box/ENTRY.LST").end(), '\n'),
            static_cast<long>(hits));
}

TEST(GleanixStore, AnEmptyStorePathIsAUsageError) { expectRefused(gleanix({"--store", "", "mark"}), "--store"); }

// Entry-list keys and a starting mail that climb out of the store are
// skipped or refused; the good mail beside them is still found.
TEST(GleanixHostile, KeysAndMailsOutsideTheStoreAreNeitherReadNorShown) {
  const testing::TempStore base;
  base.write("outside\\SECRET01.ALM", "From: x@y\r\nSubject: secret\r\n\r\nneedle\r\n");
  base.write("store\\Account.ini", "TITLE=Solo\r\n");
  const std::string tail = "=AAAAQA0000000100x@y:z\r\n";
  base.write("store\\Inbox.box\\ENTRY.LST", "..\\..\\outside\\SECRET01" + tail + "0000AAAA" + tail +
                                                 std::string("../../outside/SECRET01\0\\abcdef", 30) + tail);
  base.write("store\\Inbox.box\\0000AAAA.ALM", "From: x@y\r\nSubject: a\x1b]0;title\x07good\r\n\r\nneedle\r\n");
  const std::string root = base.path("store").string();
  const Outcome found = gleanix({"--store", root, "--format", "table", "keyword", "needle"});
  ASSERT_EQ(found.status, 0) << found.err;
  EXPECT_EQ(found.out.find("SECRET"), std::string::npos) << found.out;
  EXPECT_EQ(found.out.find('\x1b'), std::string::npos);
  EXPECT_NE(found.out.find("a^[]0;title^Ggood"), std::string::npos) << found.out;
  EXPECT_NE(found.out.find("0000AAAA"), std::string::npos);
  const Outcome tsv = gleanix({"--store", root, "mark", "--unread"});
  EXPECT_EQ(tsv.lines().size(), 1u) << tsv.out;
  EXPECT_EQ(tsv.out.find('\0'), std::string::npos);
  expectRefused(gleanix({"--store", root, "related", "--from", "..\\outside\\SECRET01"}), "no mail");
  expectRefused(gleanix({"--store", root, "related", "--from", "../outside/SECRET01"}), "no mail");
}

TEST(GleanixTsv, FieldsWithTabsAndDatesThatDoNotConvert) {
  const testing::TempStore s;
  s.write("Account.ini", "[Account]\r\nTITLE=Solo\r\n");
  s.write("Inbox.box\\ENTRY.LST", "0000AAAA=AQAAAA0000000100x@y:z\r\n");
  s.write("Inbox.box\\0000AAAA.ALM", "Date: not a date\r\nFrom: x@y\r\nSubject: a\tb\r\n\r\nbody\r\n");
  const Outcome r = gleanix({"--store", s.root(), "mark"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(cp932(r.out), "Inbox.box\\0000AAAA\tSolo\\\t郵便受け\t\tx\ta b\t1\n");
}

}  // namespace
}  // namespace gleanix::cli
