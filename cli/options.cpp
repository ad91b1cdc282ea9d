#include "cli/options.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

namespace gleanix::cli {

const char* const kUsage =
    "usage: gleanix [--store DIR] [--format table|tsv|json] [--sort none|path|folder|date|sender|subject]\n"
    "               [--reverse] [--subject-as-is] [--copy-to FOLDER]... COMMAND ...\n"
    "  folders                                   the folder tree: kind, folder path, display path\n"
    "  mark    [--folder PATH]... [--unread] [--read] [--no-mark] [--mark N]...\n"
    "  keyword [--folder PATH]... [--body] [--all-headers] [--header NAME]... KEYWORDS\n"
    "  related [--folder PATH]... --from HIT [--from HIT]... [--degree N] [--no-in-reply-to]\n"
    "          [--no-references] [--no-subject] [--no-quotes] [--include-start]\n"
    "\n"
    "--store defaults to the bundled sample store. PATH is a folder path as `gleanix folders`\n"
    "lists it (Acc1\\Inbox.box\\, Acc1\\Trash.box); without --folder every folder is searched.\n"
    "mark without a selection picks mark 1. keyword searches the body unless told otherwise;\n"
    "KEYWORDS holds lines (any line may match) of blank-separated terms (all must occur).\n"
    "A HIT is a mail path as the output's first column shows it. --degree 0 means no limit.\n"
    "Exit status: 0 mails found, 1 none found, 2 bad usage or input.\n";

namespace {

class ArgReader {
 public:
  explicit ArgReader(const std::vector<std::string>& args) : args_(args) {}
  bool done() const { return i_ >= args_.size(); }
  const std::string& peek() const { return args_[i_]; }
  std::string next() { return args_[i_++]; }
  std::string value(const std::string& option) {
    if (done()) throw UsageError{option + " needs a value"};
    return next();
  }

 private:
  const std::vector<std::string>& args_;
  std::size_t i_ = 0;
};

int parseInt(const std::string& option, const std::string& text, int low, int high) {
  // Digits only: no sign, no blanks, nothing after the number.
  const bool digits = !text.empty() && text.size() <= 9 &&
                      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  const long v = digits ? std::strtol(text.c_str(), nullptr, 10) : -1;
  if (!digits || v < low || v > high) {
    throw UsageError{option + " takes a number from " + std::to_string(low) + " to " + std::to_string(high) +
                     ", not \"" + text + "\""};
  }
  return static_cast<int>(v);
}

template <typename E>
E parseChoice(const std::string& option, const std::string& text, const std::map<std::string, E>& choices) {
  auto it = choices.find(text);
  if (it == choices.end()) throw UsageError{"unknown value \"" + text + "\" for " + option};
  return it->second;
}

bool parseGlobal(ArgReader& in, Options& o) {
  const std::string arg = in.peek();
  if (arg == "--help" || arg == "-h") {
    in.next();
    o.help = true;
  } else if (arg == "--store") {
    in.next();
    o.store = in.value(arg);
    // Empty would mean the bundled store: a variable that expanded to
    // nothing must not search other mails than the ones meant.
    if (o.store.empty()) throw UsageError{"--store needs a directory (it is empty)"};
  } else if (arg == "--format") {
    in.next();
    o.format = parseChoice<Format>(arg, in.value(arg), {{"table", Format::Table}, {"tsv", Format::Tsv}, {"json", Format::Json}});
  } else if (arg == "--sort") {
    in.next();
    o.sort = parseChoice<SortBy>(arg, in.value(arg),
                                 {{"none", SortBy::None}, {"path", SortBy::Path}, {"folder", SortBy::Folder},
                                  {"date", SortBy::Date}, {"sender", SortBy::Sender}, {"subject", SortBy::Subject}});
  } else if (arg == "--reverse") {
    in.next();
    o.reverse = true;
  } else if (arg == "--subject-as-is") {
    in.next();
    o.subjectAsIs = true;
  } else if (arg == "--copy-to") {
    in.next();
    o.copyTo.push_back(in.value(arg));
  } else {
    return false;
  }
  return true;
}

void parseCommandOption(ArgReader& in, Options& o, std::vector<std::string>& positional) {
  const std::string arg = in.next();
  const bool mark = o.command == Command::Mark, keyword = o.command == Command::Keyword,
             related = o.command == Command::Related;
  if (arg == "--folder" && o.command != Command::Folders) {
    o.folders.push_back(in.value(arg));
  } else if (mark && arg == "--unread") {
    o.unread = true;
  } else if (mark && arg == "--read") {
    o.read = true;
  } else if (mark && arg == "--no-mark") {
    o.noMark = true;
  } else if (mark && arg == "--mark") {
    o.marks.push_back(parseInt(arg, in.value(arg), 1, 7));
  } else if (keyword && arg == "--body") {
    o.body = true;
  } else if (keyword && arg == "--all-headers") {
    o.allHeaders = true;
  } else if (keyword && arg == "--header") {
    o.headers.push_back(in.value(arg));
  } else if (related && arg == "--from") {
    o.from.push_back(in.value(arg));
  } else if (related && arg == "--degree") {
    o.degree = parseInt(arg, in.value(arg), 0, 1000000);
  } else if (related && arg == "--no-in-reply-to") {
    o.inReplyTo = false;
  } else if (related && arg == "--no-references") {
    o.references = false;
  } else if (related && arg == "--no-subject") {
    o.subject = false;
  } else if (related && arg == "--no-quotes") {
    o.quotes = false;
  } else if (related && arg == "--include-start") {
    o.includeStart = true;
  } else if (arg == "--") {
    // Everything after it is an argument, even when it starts with "-".
    while (!in.done()) positional.push_back(in.next());
  } else if (arg.size() > 1 && arg[0] == '-') {
    throw UsageError{"unknown option " + arg};
  } else {
    positional.push_back(arg);
  }
}

}  // namespace

Options parseOptions(const std::vector<std::string>& args) {
  Options o;
  ArgReader in(args);
  while (!in.done() && parseGlobal(in, o)) {
  }
  if (in.done()) {
    if (o.help) return o;
    throw UsageError{"missing command (folders, mark, keyword or related)"};
  }
  const std::string command = in.next();
  o.command = parseChoice<Command>("the command", command,
                                   {{"folders", Command::Folders}, {"mark", Command::Mark},
                                    {"keyword", Command::Keyword}, {"related", Command::Related}});
  std::vector<std::string> positional;
  while (!in.done()) {
    if (!parseGlobal(in, o)) parseCommandOption(in, o, positional);
  }
  if (o.help) return o;
  if (o.command == Command::Keyword) {
    if (positional.size() != 1) throw UsageError{"keyword takes exactly one KEYWORDS argument"};
    o.keywords = positional[0];
  } else if (!positional.empty()) {
    throw UsageError{"unexpected argument \"" + positional[0] + "\""};
  }
  if (o.command == Command::Related && o.from.empty()) throw UsageError{"related needs at least one --from HIT"};
  return o;
}

}  // namespace gleanix::cli
