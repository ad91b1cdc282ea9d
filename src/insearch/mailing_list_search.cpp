#include "insearch/mailing_list_search.h"

#include <optional>

#include "core/thread_state.h"
#include "insearch/mailing_list_number.h"
#include "store/list_file.h"
#include "util/contained_path.h"
#include "util/path.h"
#include "util/sjis.h"

namespace gleanix::insearch {
namespace {

// Characters between a list line's "=" and the text that holds the subject.
constexpr int kHostDataChars = 16;

struct ListLineParts {
  std::string_view id;
  std::string_view subject;
};

std::optional<ListLineParts> splitLine(std::string_view line) {
  const std::size_t eq = util::findByte(line, '=');
  if (eq == std::string_view::npos) return std::nullopt;
  std::size_t i = eq + 1;
  for (int n = 0; n < kHostDataChars && i < line.size(); ++n) i += util::charBytesAt(line, i);
  const std::size_t colon = util::findByte(line, ':', i);
  if (colon == std::string_view::npos) return std::nullopt;
  return ListLineParts{line.substr(0, eq), util::trim(line.substr(colon + 1))};
}

// The title an "ENTRY.INI" line gives a folder: the first line starting
// with "TITLE=" (letter case ignored), as written after it.
std::optional<std::string> folderTitle(const sys::FileSystem& fs, const std::string& entryIni) {
  const auto lines = fs.readLines(entryIni);
  if (!lines) return std::nullopt;
  for (const std::string& line : *lines) {
    if (util::startsWithIgnoreCase(line, "TITLE=")) return line.substr(6);
  }
  return std::nullopt;
}

class NumberSearch {
 public:
  NumberSearch(core::StartedPlugin& plugin, sys::WindowHandle view, std::string number)
      : plugin_(plugin), view_(view), number_(std::move(number)), key_(mailingListSearchKey(number_)) {}

  void run();

 private:
  bool searchDirectory(const std::string& path);
  bool ask(const std::string& question) {
    return plugin_.desktop().messageBox(view_, question, number_, sys::MessageIcon::None,
                                        sys::MessageButtons::YesNo) == sys::result::Yes;
  }
  void show(const std::string& mail) { plugin_.host().viewChangeMail(view_, mail); }
  std::string find(const std::string& dir, const std::string& listFile) const {
    return findInList(plugin_.fs(), dir, listFile, key_);
  }

  core::StartedPlugin& plugin_;
  sys::WindowHandle view_;
  std::string number_;
  std::string key_;
  std::string root_;
};

void NumberSearch::run() {
  sys::Host& host = plugin_.host();
  const sys::WindowHandle main = plugin_.hostMainWindow(view_);
  root_ = util::withTrailingBackslash(host.getMailbox());
  std::string folder = host.folderGetCurrentFolder(main);
  // Without a colon the key would be the bare number, and without a number
  // every subject would begin with it.
  if (!folder.empty() && util::findByte(number_, ':') != std::string::npos) {
    core::threadState().mailingListSearchState = key_;
    folder = util::withTrailingBackslash(folder);
    if (const std::string k = find(root_ + folder, root_ + folder + "ENTRY.LST"); !k.empty()) {
      show(folder + k);
      return;
    }

    const std::string account = host.getAccount(main);
    // An account outside the mail root has no folders to search here.
    if (util::startsWithIgnoreCase(account, root_)) {
      const std::string relative = util::withTrailingBackslash(std::string_view(account).substr(root_.size()));
      if (const std::string k = find(root_, root_ + relative + "TRASH.BOX"); !k.empty()) {
        if (ask(kFoundInTrash)) show(k);
        return;
      }
      if (searchDirectory(relative)) return;
    }
  }
  plugin_.desktop().messageBox(view_, kNumberNotFound, number_, sys::MessageIcon::Warning,
                               sys::MessageButtons::Ok);
}

bool NumberSearch::searchDirectory(const std::string& path) {
  const std::string dir = root_ + path;
  if (const std::string k = find(dir, dir + "ENTRY.LST"); !k.empty()) {
    // Only a folder with a title is offered; an untitled match is passed over.
    if (const auto title = folderTitle(plugin_.fs(), dir + "ENTRY.INI")) {
      if (ask(*title + kFoundInFolder)) show(path + k);
      return true;
    }
  }
  for (const sys::DirEntry& entry : plugin_.fs().list(dir + "*.*")) {
    if (!entry.isDirectory || entry.name.starts_with('.') || !util::isPlainName(entry.name)) continue;
    if (searchDirectory(path + entry.name + "\\")) return true;
  }
  return false;
}

}  // namespace

std::string findInList(const sys::FileSystem& fs, const std::string& dir, const std::string& listFile,
                       const std::string& key) {
  const auto lines = fs.readLines(listFile);
  if (!lines) return {};
  for (const std::string& line : *lines) {
    const auto parts = splitLine(line);
    if (!parts || !parts->subject.starts_with(key)) continue;
    const std::string id(parts->id);
    if (store::isListedMailId(id) && fs.isFile(dir + id + ".ALM")) return id;
  }
  return {};
}

void mailingListNumberSearch(core::StartedPlugin& plugin, sys::WindowHandle view) {
  NumberSearch(plugin, view, core::threadState().mailingListNumber).run();
}

}  // namespace gleanix::insearch
