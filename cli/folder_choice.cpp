#include "cli/folder_choice.h"

#include <algorithm>

#include "cli/cp932_text.h"
#include "cli/options.h"
#include "store/list_file.h"
#include "store/mail_store.h"
#include "util/sjis.h"

namespace gleanix::cli {

std::string toCp932OrThrow(const std::string& utf8, const std::string& what) {
  auto text = toCp932(utf8);
  if (!text) throw UsageError{"the " + what + " \"" + utf8 + "\" cannot be written in code page 932"};
  return *text;
}

namespace {

// "/" never occurs inside a CP932 double-byte character (trail bytes start
// at 0x40), so it can be replaced byte by byte.
std::string hostSeparators(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string kindName(store::TFolderType type) {
  switch (type) {
    case store::ctAccount: return "an account";
    case store::ctGroup: return "a folder group";
    case store::ctTrash: return "the trash";
    default: return "a folder";
  }
}

bool isOneOf(store::TFolderType type, std::initializer_list<store::TFolderType> kinds) {
  return std::find(kinds.begin(), kinds.end(), type) != kinds.end();
}

std::vector<std::string> chooseFolders(const std::vector<store::TreeFolder>& tree,
                                       const std::vector<std::string>& given,
                                       std::initializer_list<store::TFolderType> kinds, bool allWhenNone,
                                       const std::string& refusal) {
  std::vector<bool> chosen(tree.size(), allWhenNone && given.empty());
  for (const std::string& name : given) {
    const std::string wanted = store::withoutTrailingBackslash(hostSeparators(toCp932OrThrow(name, "folder path")));
    const auto it = std::find_if(tree.begin(), tree.end(), [&](const store::TreeFolder& t) {
      return util::equalsIgnoreCase(store::withoutTrailingBackslash(t.folder.path), wanted);
    });
    if (wanted.empty() || it == tree.end()) {
      throw UsageError{"unknown folder path " + name + " (gleanix folders lists them)"};
    }
    if (!isOneOf(it->folder.type, kinds)) throw UsageError{name + " is " + kindName(it->folder.type) + refusal};
    chosen[static_cast<std::size_t>(it - tree.begin())] = true;
  }
  std::vector<std::string> out;
  for (std::size_t i = 0; i < tree.size(); ++i) {
    if (chosen[i] && isOneOf(tree[i].folder.type, kinds)) out.push_back(tree[i].folder.path);
  }
  return out;
}

}  // namespace

std::vector<std::string> searchFolders(const std::vector<store::TreeFolder>& tree,
                                       const std::vector<std::string>& given) {
  return chooseFolders(tree, given, {store::ctInbox, store::ctOutbox, store::ctTrash, store::ctFolder}, true,
                       "; only mail folders and the trash can be searched");
}

std::vector<std::string> copyDestinations(const std::vector<store::TreeFolder>& tree,
                                          const std::vector<std::string>& given) {
  return chooseFolders(tree, given, {store::ctInbox, store::ctOutbox, store::ctFolder}, false,
                       "; copies go into an inbox, an outbox or a user folder");
}

std::string mailHit(const sys::FileSystem& fs, const std::string& root, const std::string& given) {
  std::string hit = hostSeparators(toCp932OrThrow(given, "mail path"));
  if (hit.size() > 4 && util::equalsIgnoreCase(std::string_view(hit).substr(hit.size() - 4), ".ALM")) {
    hit.resize(hit.size() - 4);
  }
  // The contained view refuses a name that leads out of the store ("..",
  // an absolute path) as it refuses a missing one.
  const store::MailStore store(fs, root);
  if (hit.size() <= 8 || !store::isListedMailId(hit) || !store.fs().isFile(store.absolute(hit) + ".ALM")) {
    throw UsageError{"no mail " + given + " in the store"};
  }
  return hit;
}

}  // namespace gleanix::cli
