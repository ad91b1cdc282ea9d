// The searches hand their hits' summaries to the rows, so that the rows
// need not read the mails again, and read most mails without copying their
// lines. Both must leave every result as it was: over generated stores of
// several seeds, the hits and rows of each pickup are compared with those
// of the same store whose mail files end their lines in LF alone, which
// every mail takes through line copying and splitMail, and with rows read
// from each file afresh.
#include <gtest/gtest.h>

#include "make_store/store_generator.h"
#include "mailtext/header_field.h"
#include "mailtext/iso2022jp.h"
#include "mailtext/mail_date.h"
#include "mailtext/sender_name.h"
#include "pickup/keyword_search.h"
#include "pickup/mark_search.h"
#include "pickup/picked_mail.h"
#include "pickup/pickup_row.h"
#include "pickup/related_search.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "support/memory_store.h"

namespace gleanix::pickup {
namespace {

using testing::MemoryStore;

constexpr std::int32_t kJapan = -540;
constexpr std::size_t kMails = 400;
const std::uint64_t kSeeds[] = {1, 77, 20261209};

std::string withLfLineEnds(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += bytes[i];
  }
  return out;
}

bool isMailFile(const std::string& path) { return path.size() > 4 && path.compare(path.size() - 4, 4, ".ALM") == 0; }

// One generated store twice: as written, and with LF line ends in its mails.
struct StorePair {
  explicit StorePair(std::uint64_t seed) {
    tools::generateStore({kMails, seed}, [&](const std::string& path, std::string_view bytes) {
      asWritten.fs.addFile(asWritten.abs(path), std::string(bytes));
      lf.fs.addFile(lf.abs(path), isMailFile(path) ? withLfLineEnds(bytes) : std::string(bytes));
    });
    const store::MailStore store(asWritten.fs, asWritten.root());
    for (const store::TreeFolder& t : store::folderTree(store)) {
      if (t.folder.type != store::ctAccount && t.folder.type != store::ctGroup) folders.push_back(t.folder.path);
    }
  }
  MemoryStore asWritten, lf;
  std::vector<std::string> folders;
};

// A row as the list showed it before searches kept summaries: the file's
// lines split with splitMail, the fields looked up in its header lines.
struct PlainRow {
  std::string hit, date, sender, subject;
  int mark = 0;
  bool operator==(const PlainRow&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PlainRow& r) {
  return out << r.hit << " | " << r.date << " | " << r.sender << " | " << r.subject << " | " << r.mark;
}

PlainRow rowOf(const PickupRow& row) { return {row.hit(), row.sortableDate, row.sender, row.subject, row.mark}; }

std::vector<PlainRow> readAfresh(MemoryStore& s, const std::vector<std::string>& hits) {
  const store::MailStore store(s.fs, s.root());
  RowBuilder marks(store, kJapan);
  std::vector<PlainRow> rows;
  for (const std::string& hit : hits) {
    const auto lines = s.fs.readLines(store.absolute(hit) + ".ALM");
    if (!lines) continue;
    std::vector<std::string> header, body;
    mailtext::splitMail(*lines, header, body, {});
    PlainRow r{hit, "", "", mailtext::headerField("SUBJECT:", header), 0};
    const std::string date = mailtext::headerField("DATE:", header);
    try {
      if (!date.empty()) r.date = mailtext::mailDate(date, kJapan);
    } catch (const mailtext::DateConversionError&) {
    }
    const std::string from = mailtext::headerField("FROM:", header);
    if (!from.empty()) r.sender = mailtext::senderName(from);
    r.mark = static_cast<int>(marks.attribute(std::string(store::hitFolder(hit)), std::string(store::hitKey(hit))) & 7u);
    rows.push_back(std::move(r));
  }
  return rows;
}

// The rows as the CLI and the list window build them from a result.
std::vector<PlainRow> rowsFromResult(MemoryStore& s, const PickupResult& result) {
  const store::MailStore store(s.fs, s.root());
  RowBuilder builder(store, kJapan);
  const std::vector<PickedMail> picked = pickedMails(s.fs, s.root(), result.hits);
  std::vector<PlainRow> rows;
  for (std::size_t i = 0; i < picked.size(); ++i) {
    if (auto row = builder.build(picked[i].folder, picked[i].displayPath, picked[i].key, result.summary(i))) {
      rows.push_back(rowOf(*row));
    }
  }
  return rows;
}

void expectSameResult(StorePair& p, const PickupResult& fast, const PickupResult& copied, bool summarized) {
  EXPECT_EQ(fast.hits, copied.hits);
  if (summarized) {
    EXPECT_EQ(fast.summaries.size(), fast.hits.size());
  } else {
    EXPECT_TRUE(fast.summaries.empty());
  }
  const std::vector<PlainRow> afresh = readAfresh(p.asWritten, fast.hits);
  EXPECT_EQ(rowsFromResult(p.asWritten, fast), afresh);
  EXPECT_EQ(rowsFromResult(p.lf, copied), afresh);
  // Rows built without the summaries read the files themselves.
  PickupResult bare = fast;
  bare.summaries.clear();
  EXPECT_EQ(rowsFromResult(p.asWritten, bare), afresh);
}

PickupResult keyword(MemoryStore& s, const std::vector<std::string>& folders, const std::string& keywords,
                     const KeywordParts& parts) {
  SilentProgress progress;
  KeywordOptions options{keywords, parts};
  return keywordSearch(s.fs, s.root(), folders, options, mailtext::builtInConversion(), {}, progress);
}

TEST(RowReuse, KeywordPickupsKeepTheirHitsAndRows) {
  KeywordParts bodyOnly;
  KeywordParts allHeaders{true, true, false, {}};
  KeywordParts listed{true, false, true, {"Subject", "from:"}};
  KeywordParts headersAlone{false, true, false, {}};
  const std::pair<std::string, KeywordParts> cases[] = {
      {"Quillon", bodyOnly}, {"再起動\r\nmeeting", bodyOnly}, {"Quillon", allHeaders},
      {"list", listed},      {"example", headersAlone},       {"ｑｕｉｌｌｏｎ 1.20", bodyOnly},
  };
  for (const std::uint64_t seed : kSeeds) {
    StorePair p(seed);
    std::size_t hits = 0;
    for (const auto& [keywords, parts] : cases) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", keywords " + keywords);
      const PickupResult fast = keyword(p.asWritten, p.folders, keywords, parts);
      expectSameResult(p, fast, keyword(p.lf, p.folders, keywords, parts), true);
      hits += fast.hits.size();
    }
    EXPECT_GT(hits, kMails / 4) << "the terms should pick something up";
  }
}

PickupResult related(MemoryStore& s, const std::vector<std::string>& folders, const std::vector<std::string>& start,
                     bool include) {
  SilentProgress progress;
  RelatedOptions options;
  options.order = 0;
  options.mailInclude = include;
  return relatedSearch(s.fs, s.root(), folders, start, options, {}, progress);
}

TEST(RowReuse, RelatedPickupsKeepTheirHitsAndRows) {
  for (const std::uint64_t seed : kSeeds) {
    StorePair p(seed);
    const store::MailStore store(p.asWritten.fs, p.asWritten.root());
    std::vector<std::string> all;
    for (const std::string& folder : p.folders) {
      for (store::ListedMail& m : store::listedMails(store, folder)) all.push_back(std::move(m.hit));
    }
    ASSERT_GT(all.size(), kMails / 2);
    std::size_t found = 0;
    // Starting mails spread over the store, one missing, with and without
    // them at the head of the result.
    const std::vector<std::vector<std::string>> starts = {
        {all[all.size() / 3]}, {all[1], all[all.size() / 2], all.back()}, {all[5], "Acc1\\Inbox.box\\NOSUCH00"}};
    for (const auto& start : starts) {
      for (const bool include : {false, true}) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", from " + start[0]);
        const PickupResult fast = related(p.asWritten, p.folders, start, include);
        expectSameResult(p, fast, related(p.lf, p.folders, start, include), true);
        found += fast.hits.size();
      }
    }
    EXPECT_GT(found, 20u) << "the starting mails should relate to something";
  }
}

TEST(RowReuse, MarkPickupRowsReadTheFilesAsBefore) {
  for (const std::uint64_t seed : kSeeds) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    StorePair p(seed);
    MarkSelection unread;
    unread.unread = true;
    unread.marks.fill(false);
    SilentProgress progress;
    const PickupResult fast = markSearch(p.asWritten.fs, p.asWritten.root(), p.folders, unread, progress);
    const PickupResult copied = markSearch(p.lf.fs, p.lf.root(), p.folders, unread, progress);
    EXPECT_GT(fast.hits.size(), 10u);
    expectSameResult(p, fast, copied, false);
  }
}

}  // namespace
}  // namespace gleanix::pickup
