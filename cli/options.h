#pragma once
// The command line of the gleanix tool.

#include <optional>
#include <string>
#include <vector>

namespace gleanix::cli {

enum class Format { Auto, Table, Tsv, Json };
enum class SortBy { None, Path, Folder, Date, Sender, Subject };
enum class Command { Folders, Mark, Keyword, Related };

struct Options {
  bool help = false;  // --help or -h: print the usage and do nothing else
  std::string store;  // empty: the bundled sample store
  Format format = Format::Auto;
  SortBy sort = SortBy::Path;
  bool reverse = false;
  bool subjectAsIs = false;
  std::vector<std::string> copyTo;

  Command command = Command::Folders;
  std::vector<std::string> folders;  // tree paths; empty: every searchable folder

  // mark
  bool unread = false, read = false, noMark = false;
  std::vector<int> marks;

  // keyword (texts still in the terminal's UTF-8)
  bool body = false, allHeaders = false;
  std::vector<std::string> headers;
  std::string keywords;

  // related
  std::vector<std::string> from;
  int degree = 1;
  bool inReplyTo = true, references = true, subject = true, quotes = true, includeStart = false;
};

struct UsageError {
  std::string message;
};

// Throws UsageError with a one-line message naming the problem. Global
// options may also follow the command; "--" makes every later argument a
// plain argument (a keyword that starts with "-").
Options parseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace gleanix::cli
