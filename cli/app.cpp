#include "cli/app.h"

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <set>

#include "backend/platform.h"
#include "cli/cp932_text.h"
#include "cli/folder_choice.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/store_location.h"
#include "cli/terminal_progress.h"
#include "host/quillon_sim.h"
#include "host/resolved_host.h"
#include "pickup/row_sort.h"
#include "mailtext/body_decode.h"
#include "pickup/copy_hits.h"
#include "pickup/keyword_search.h"
#include "pickup/mark_search.h"
#include "pickup/picked_mail.h"
#include "pickup/related_search.h"
#include "store/display_path.h"
#include "store/list_file.h"
#include "store/time_zone.h"

namespace gleanix::cli {
namespace {

void printError(const std::string& message) { std::fprintf(stderr, "gleanix: %s\n", message.c_str()); }

void writeOut(std::string_view utf8) { std::fwrite(utf8.data(), 1, utf8.size(), stdout); }

// Warnings about malformed mails, as the plug-in shows them in a message
// box; each distinct text once (a mail is split again for its row).
void warnOnTerminal(const std::string& text) {
  static std::set<std::string> shown;
  if (shown.insert(text).second) printError("warning: " + toUtf8(text));
}

int listFolders(const store::MailStore& store, const std::vector<store::TreeFolder>& tree) {
  for (const store::TreeFolder& t : tree) {
    std::string display = store::displayPath(store, t.folder.path);
    if (t.folder.type == store::ctTrash) display += std::string("\\") + store::kTrashName;
    writeOut(toUtf8(std::string(1, store::folderTypeLetter(t.folder.type)) + "\t" + t.folder.path + "\t" + display) +
             "\n");
  }
  return tree.empty() ? 1 : 0;
}

pickup::MarkSelection markSelection(const Options& o) {
  pickup::MarkSelection s;
  if (!o.unread && !o.read && !o.noMark && o.marks.empty()) return s;  // the default: mark 1
  s.marks.fill(false);
  s.unread = o.unread;
  s.read = o.read;
  s.marks[0] = o.noMark;
  for (int m : o.marks) s.marks[static_cast<std::size_t>(m)] = true;
  return s;
}

// Keyword lines as the dialog stores them: separated by CR LF.
std::string keywordText(const std::string& utf8) {
  const std::string cp932 = toCp932OrThrow(utf8, "keyword");
  std::string out;
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    const char c = cp932[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < cp932.size() && cp932[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

pickup::KeywordOptions keywordOptions(const Options& o) {
  pickup::KeywordOptions k;
  k.keywords = keywordText(o.keywords);
  k.parts.allHeaders = o.allHeaders;
  k.parts.headers = !o.headers.empty();
  for (const std::string& h : o.headers) k.parts.headerList.push_back(toCp932OrThrow(h, "header name"));
  k.parts.body = o.body || (!o.allHeaders && o.headers.empty());
  return k;
}

pickup::RelatedOptions relatedOptions(const Options& o) {
  pickup::RelatedOptions r;
  r.relations.inReplyTo = o.inReplyTo;
  r.relations.references = o.references;
  r.relations.subject = o.subject;
  r.relations.quotes = o.quotes;
  r.mailInclude = o.includeStart;
  r.order = o.degree;
  return r;
}

// The search is told each warning with its mail file; the terminal shows
// the text alone.
void warnAboutMail(const std::string&, const std::string& text) { warnOnTerminal(text); }

pickup::PickupResult search(const Options& o, const sys::FileSystem& fs, const std::string& root,
                            const std::vector<std::string>& folders) {
  // Everything that can be refused is checked before the search starts.
  std::vector<std::string> starting;
  for (const std::string& from : o.from) starting.push_back(mailHit(fs, root, from));
  pickup::KeywordOptions keyword;
  if (o.command == Command::Keyword) keyword = keywordOptions(o);

  const bool show = ::isatty(STDERR_FILENO) != 0;
  switch (o.command) {
    case Command::Mark: {
      TerminalProgress progress(stderr, show, "フォルダ");
      return pickup::markSearch(fs, root, folders, markSelection(o), progress);
    }
    case Command::Keyword: {
      TerminalProgress progress(stderr, show, "メール");
      return pickup::keywordSearch(fs, root, folders, keyword, mailtext::builtInConversion(), warnAboutMail, progress);
    }
    case Command::Related: {
      TerminalProgress progress(stderr, show, "");
      return pickup::relatedSearch(fs, root, folders, starting, relatedOptions(o), warnAboutMail, progress);
    }
    case Command::Folders: break;
  }
  return {};
}

// stopOnPress: a Ctrl-C ends the building there (the rows so far are kept).
std::vector<pickup::PickupRow> rowsOf(const sys::FileSystem& fs, const store::MailStore& store,
                                      const pickup::PickupResult& result, bool stopOnPress) {
  const auto systemInfo = backend::makeSystemInfo();
  pickup::RowBuilder builder(store, store::storeTimeZoneBias(fs, store.root(), systemInfo->timeZoneBias()),
                                 warnOnTerminal);
  std::vector<pickup::PickupRow> rows;
  // One picked mail per hit, in hit order; the search's summaries spare
  // reading the hits again.
  const std::vector<pickup::PickedMail> picked = pickup::pickedMails(fs, store.root(), result.hits);
  rows.reserve(picked.size());
  for (std::size_t i = 0; i < picked.size(); ++i) {
    if (stopOnPress && InterruptAsAbort::pressed()) break;
    const pickup::PickedMail& m = picked[i];
    if (auto row = builder.build(m.folder, m.displayPath, m.key, result.summary(i))) rows.push_back(std::move(*row));
  }
  return rows;
}

void sortRows(std::vector<pickup::PickupRow>& rows, const Options& o) {
  using pickup::SortColumn;
  SortColumn column = SortColumn::Path;
  switch (o.sort) {
    case SortBy::None: return;
    case SortBy::Path: column = SortColumn::Path; break;
    case SortBy::Folder: column = SortColumn::Folder; break;
    case SortBy::Date: column = SortColumn::Date; break;
    case SortBy::Sender: column = SortColumn::Sender; break;
    case SortBy::Subject: column = SortColumn::Subject; break;
  }
  pickup::sortRows(rows, column, o.reverse, !o.subjectAsIs);
}

void printRows(const std::vector<pickup::PickupRow>& rows, Format format) {
  if (format == Format::Auto) format = ::isatty(STDOUT_FILENO) ? Format::Table : Format::Tsv;
  switch (format) {
    case Format::Table: writeOut(formatTable(rows)); break;
    case Format::Json: writeOut(formatJson(rows)); break;
    case Format::Tsv:
    case Format::Auto: writeTsv(rows, [](std::string_view piece) { writeOut(piece); }); break;
  }
  std::fflush(stdout);
}

// False when a Ctrl-C stopped the copying (after the mail being copied).
bool copyInto(sys::FileSystem& fs, const store::MailStore& store, const std::vector<std::string>& hits,
              const std::vector<std::string>& destinations) {
  host::QuillonSim sim(fs, store.root());
  auto host = host::ResolvedHost::create(sim.resolver());
  if (!host) throw std::runtime_error("the simulated host lacks a function");
  for (const std::string& destination : destinations) {
    const pickup::CopyReport report =
        pickup::copyHits(fs, *host, store.root(), hits, {destination}, [] { return InterruptAsAbort::pressed(); });
    const std::string where = toUtf8(destination);
    if (!report.skippedFolders.empty()) {
      printError("not copied into " + where + ": the folder has no Entry.ini");
      continue;
    }
    std::string line = "copied " + std::to_string(report.copied) + (report.copied == 1 ? " mail" : " mails") +
                       " into " + where + " (" + toUtf8(store::displayPath(store, destination)) + ")";
    if (report.failed > 0) line += "; the host refused " + std::to_string(report.failed);
    if (report.stopped) line += "; interrupted, the other copies were not made";
    std::fprintf(stderr, "%s\n", line.c_str());
    if (report.stopped) return false;
  }
  return true;
}

// The exit status of a run that Ctrl-C cut short, as a shell reports a
// program that SIGINT ended.
constexpr int kInterrupted = 130;

void sayPartial() { printError("interrupted: the result is partial"); }

int runCommand(const Options& o) {
  // For the whole run: searching, building rows, printing and copying.
  const InterruptAsAbort interrupt;
  const std::unique_ptr<sys::FileSystem> fs = backend::makeFileSystem();
  const std::string root = storeRoot(*fs, o.store);
  const store::MailStore store(*fs, root);
  const std::vector<store::TreeFolder> tree = store::folderTree(store);
  if (o.command == Command::Folders) return listFolders(store, tree);

  const std::vector<std::string> folders = searchFolders(tree, o.folders);
  const std::vector<std::string> destinations = copyDestinations(tree, o.copyTo);
  if (!o.copyTo.empty() && destinations.empty()) throw UsageError{"no folder to copy into"};

  const pickup::PickupResult result = search(o, *fs, root, folders);
  // After a press during the search the rows of its hits are all built; a
  // first press after the search stops the building.
  std::vector<pickup::PickupRow> rows = rowsOf(*fs, store, result, !result.aborted);
  const bool partial = result.aborted || InterruptAsAbort::pressed();
  if (rows.empty()) {
    if (partial) {
      sayPartial();
      return kInterrupted;
    }
    std::fputs(toUtf8("見つかりませんでした").c_str(), stderr);
    std::fputc('\n', stderr);
    return 1;
  }
  sortRows(rows, o);
  printRows(rows, o.format);
  if (partial) {
    sayPartial();  // and nothing copied: a partial result is no selection
    return kInterrupted;
  }
  if (!destinations.empty() && !copyInto(*fs, store, result.hits, destinations)) return kInterrupted;
  return 0;
}

}  // namespace

int run(const std::vector<std::string>& args) {
  try {
    const Options o = parseOptions(args);
    if (o.help) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    return runCommand(o);
  } catch (const UsageError& e) {
    printError(e.message);
    return 2;
  } catch (const std::exception& e) {
    printError(e.what());
    return 2;
  }
}

}  // namespace gleanix::cli
