// The rows and the tsv and json output of keyword, related and mark
// pickups, as the command-line tool builds and prints them, against the
// same built the plain way over generated stores of several seeds: every
// hit read and split afresh, its mark looked up line by line in the
// store's lists, its trash found by a scan of the trash keys, each line
// converted by iconv. Both must give the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "cli/cp932_text.h"
#include "cli/output.h"
#include "make_store/store_generator.h"
#include "mailtext/header_field.h"
#include "mailtext/iso2022jp.h"
#include "mailtext/mail_date.h"
#include "mailtext/sender_name.h"
#include "pickup/display_path_parts.h"
#include "pickup/keyword_search.h"
#include "pickup/mark_search.h"
#include "pickup/picked_mail.h"
#include "pickup/pickup_row.h"
#include "pickup/related_search.h"
#include "pickup/row_sort.h"
#include "store/attribute_lookup.h"
#include "store/display_path.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "store/trash_index.h"
#include "support/memory_store.h"
#include "util/sjis.h"

namespace gleanix::cli {
namespace {

using pickup::PickupResult;
using pickup::PickupRow;
using testing::MemoryStore;

constexpr std::int32_t kJapan = -540;
constexpr std::size_t kMails = 300;
const std::uint64_t kSeeds[] = {3, 1999, 20261209};

struct GeneratedFiles {
  explicit GeneratedFiles(std::uint64_t seed) {
    tools::generateStore({kMails, seed}, [&](const std::string& path, std::string_view bytes) {
      s.fs.addFile(s.abs(path), std::string(bytes));
    });
  }
  MemoryStore s;
};

// The store is looked at once its files are all there.
struct GeneratedStore : GeneratedFiles {
  explicit GeneratedStore(std::uint64_t seed) : GeneratedFiles(seed), store(s.fs, s.root()) {
    for (const store::TreeFolder& t : store::folderTree(store)) {
      if (t.folder.type != store::ctAccount && t.folder.type != store::ctGroup) folders.push_back(t.folder.path);
    }
  }
  const store::MailStore store;
  std::vector<std::string> folders;
};

// The rows as the tool builds them: from the search's summaries.
std::vector<PickupRow> toolRows(GeneratedStore& g, const PickupResult& result) {
  pickup::RowBuilder builder(g.store, kJapan);
  const std::vector<pickup::PickedMail> picked = pickup::pickedMails(g.s.fs, g.s.root(), result.hits);
  std::vector<PickupRow> rows;
  for (std::size_t i = 0; i < picked.size(); ++i) {
    if (auto row = builder.build(picked[i].folder, picked[i].displayPath, picked[i].key, result.summary(i))) {
      rows.push_back(std::move(*row));
    }
  }
  return rows;
}

std::string plainDisplayPath(GeneratedStore& g, const store::TrashIndex& trash, const std::string& hit) {
  for (std::size_t i = 0; i < trash.keys().size(); ++i) {
    if (util::equalsIgnoreCase(trash.keys()[i], hit)) return trash.displayPaths()[i];
  }
  return store::displayPath(g.store, store::hitFolder(hit));
}

// The rows the plain way, each from its file.
std::vector<PickupRow> plainRows(GeneratedStore& g, const std::vector<std::string>& hits) {
  const store::TrashIndex trash = store::trashIndex(g.store);
  std::vector<PickupRow> rows;
  for (const std::string& hit : hits) {
    const auto lines = g.s.fs.readLines(g.store.absolute(hit) + ".ALM");
    if (!lines) continue;
    std::vector<std::string> header, body;
    mailtext::splitMail(*lines, header, body, {});
    PickupRow r;
    r.folder = std::string(store::hitFolder(hit));
    r.key = std::string(store::hitKey(hit));
    try {
      const std::string date = mailtext::headerField("DATE:", header);
      if (!date.empty()) r.sortableDate = mailtext::mailDate(date, kJapan);
    } catch (const mailtext::DateConversionError&) {
    }
    const std::string from = mailtext::headerField("FROM:", header);
    if (!from.empty()) r.sender = mailtext::senderName(from);
    r.subject = mailtext::headerField("SUBJECT:", header);
    r.mark = static_cast<int>(store::attributeWord(g.store, g.store.absolute(r.folder), r.key) & 7u);
    pickup::DisplayPathParts parts = pickup::splitDisplayPath(plainDisplayPath(g, trash, hit));
    r.pathText = parts.directory;
    r.folderText = parts.rest;
    rows.push_back(std::move(r));
  }
  return rows;
}

// Sorted by copying rows along a stable sort of their keys.
std::vector<PickupRow> plainSorted(const std::vector<PickupRow>& rows, pickup::SortColumn column, bool descending) {
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  std::vector<std::string> keys;
  for (const PickupRow& r : rows) keys.push_back(pickup::sortKey(r, column, true));
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return descending ? keys[b] < keys[a] : keys[a] < keys[b]; });
  std::vector<PickupRow> out;
  for (const std::size_t i : order) out.push_back(rows[i]);
  return out;
}

std::string plainTsv(const std::vector<PickupRow>& rows) {
  std::string out;
  for (const PickupRow& r : rows) {
    out += toUtf8ByIconv(flattenField(r.hit()) + '\t' + flattenField(r.pathText) + '\t' + flattenField(r.folderText) +
                         '\t' + flattenField(r.sortableDate) + '\t' + flattenField(r.sender) + '\t' +
                         flattenField(r.subject) + '\t' + std::to_string(r.mark) + '\n');
  }
  return out;
}

std::string plainJsonString(const std::string& cp932) {
  std::string out = "\"";
  static const char kHex[] = "0123456789abcdef";
  for (const char c : toUtf8ByIconv(cp932)) {
    const auto b = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += b < 0x20 || b == 0x7F ? std::string("\\u00") + kHex[b >> 4] + kHex[b & 15] : std::string(1, c);
    }
  }
  return out + "\"";
}

std::string plainJson(const std::vector<PickupRow>& rows) {
  if (rows.empty()) return "[]\n";
  std::string out = "[\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PickupRow& r = rows[i];
    out += "  {\"hit\": " + plainJsonString(r.hit()) + ", \"path\": " + plainJsonString(r.pathText) +
           ", \"folder\": " + plainJsonString(r.folderText) + ", \"date\": " + plainJsonString(r.sortableDate) +
           ", \"sender\": " + plainJsonString(r.sender) + ", \"subject\": " + plainJsonString(r.subject) +
           ", \"mark\": " + std::to_string(r.mark) + (i + 1 < rows.size() ? "},\n" : "}\n");
  }
  return out + "]\n";
}

// Both ways, sorted as the tool sorts by default (path) and by the other
// columns both ways: the same tsv and json.
void expectSameOutput(GeneratedStore& g, const PickupResult& result) {
  const std::vector<PickupRow> plain = plainRows(g, result.hits);
  ASSERT_EQ(toolRows(g, result).size(), plain.size());
  using pickup::SortColumn;
  const std::pair<SortColumn, bool> orders[] = {{SortColumn::Path, false}, {SortColumn::Date, true},
                                                {SortColumn::Sender, false}, {SortColumn::Subject, true}};
  for (const auto& [column, descending] : orders) {
    SCOPED_TRACE("sorted by column " + std::to_string(static_cast<int>(column)));
    std::vector<PickupRow> rows = toolRows(g, result);
    pickup::sortRows(rows, column, descending, true);
    const std::vector<PickupRow> expected = plainSorted(plain, column, descending);
    EXPECT_EQ(formatTsv(rows), plainTsv(expected));
    EXPECT_EQ(formatJson(rows), plainJson(expected));
  }
}

TEST(RowsOutput, KeywordPickupsPrintAsTheirRowsBuiltThePlainWay) {
  const char* const terms[] = {"Quillon", "再起動\r\nmeeting", "example"};
  for (const std::uint64_t seed : kSeeds) {
    GeneratedStore g(seed);
    std::size_t hits = 0;
    for (const char* term : terms) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", keywords " + term);
      pickup::SilentProgress progress;
      pickup::KeywordOptions options;
      options.keywords = term;
      options.parts.allHeaders = true;
      const PickupResult result = pickup::keywordSearch(g.s.fs, g.s.root(), g.folders, options,
                                                        mailtext::builtInConversion(), {}, progress);
      expectSameOutput(g, result);
      hits += result.hits.size();
    }
    EXPECT_GT(hits, kMails / 4) << "the terms should pick something up";
  }
}

TEST(RowsOutput, RelatedAndMarkPickupsPrintAsTheirRowsBuiltThePlainWay) {
  for (const std::uint64_t seed : kSeeds) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    GeneratedStore g(seed);
    std::vector<std::string> all;
    for (const std::string& folder : g.folders) {
      for (store::ListedMail& m : store::listedMails(g.store, folder)) all.push_back(std::move(m.hit));
    }
    ASSERT_GT(all.size(), kMails / 2);
    pickup::SilentProgress progress;
    pickup::RelatedOptions related;
    related.order = 0;
    related.mailInclude = true;
    const PickupResult thread =
        pickup::relatedSearch(g.s.fs, g.s.root(), g.folders, {all[all.size() / 3], all.back()}, related, {}, progress);
    EXPECT_GT(thread.hits.size(), 2u);
    expectSameOutput(g, thread);

    pickup::MarkSelection everyMark;
    everyMark.marks.fill(true);
    everyMark.unread = everyMark.read = true;
    const PickupResult marked = pickup::markSearch(g.s.fs, g.s.root(), g.folders, everyMark, progress);
    EXPECT_GT(marked.hits.size(), kMails / 2);
    expectSameOutput(g, marked);
  }
}

}  // namespace
}  // namespace gleanix::cli
