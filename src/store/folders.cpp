#include "store/folders.h"

#include <algorithm>

#include "store/ini.h"
#include "util/contained_path.h"
#include "util/sjis.h"

namespace gleanix::store {

const char* const kInboxName = "郵便受け";
const char* const kOutboxName = "送信箱";
const char* const kTrashName = "ごみ箱";

namespace {

// Folder groups nest through directories; a link loop in the file system must
// not recurse forever.
constexpr int kMaxGroupDepth = 32;

std::vector<std::string> readLinesOrEmpty(const sys::FileSystem& fs, const std::string& path) {
  return fs.readLines(path).value_or(std::vector<std::string>{});
}

Folder userFolder(const MailStore& store, std::string path) {
  Folder f;
  f.path = std::move(path);
  const auto lines = readLinesOrEmpty(store.fs(), store.absolute(f.path) + "Entry.ini");
  f.name = titleOf(lines);
  f.type = isSubfolderType(lines) ? ctGroup : ctFolder;
  return f;
}

bool isCodeToken(const std::string& token) { return token != "I" && token != "O" && token != "T"; }

void appendTree(const MailStore& store, const Folder& parent, int depth, std::vector<TreeFolder>& out) {
  if (depth > kMaxGroupDepth) return;
  for (Folder& child : childFolders(store, parent.path, parent.type)) {
    out.push_back({child, depth});
    // child, not out.back(): the recursion grows out.
    if (child.type == ctGroup) appendTree(store, child, depth + 1, out);
  }
}

}  // namespace

std::vector<Account> accounts(const MailStore& store) {
  const sys::FileSystem& fs = store.fs();
  std::vector<Account> out;
  if (store.singleAccount()) {
    out.push_back({"", titleOf(readLinesOrEmpty(fs, store.root() + "Account.ini"))});
    return out;
  }
  for (const sys::DirEntry& e : fs.list(store.root() + "Acc*.*")) {
    // On a POSIX disk a name may hold "\": it would read as a path.
    if (!e.isDirectory || !util::isPlainName(e.name)) continue;
    auto lines = fs.readLines(store.root() + e.name + "\\Account.ini");
    if (!lines) continue;
    out.push_back({e.name + "\\", titleOf(*lines)});
  }
  return out;
}

std::vector<std::string> orderTokens(std::string_view order, bool completeForAccount) {
  const std::string upper = util::upperAscii(order);
  const std::string_view text = upper;
  std::vector<std::string> tokens;
  auto add = [&tokens](std::string token) {
    if (std::find(tokens.begin(), tokens.end(), token) == tokens.end()) tokens.push_back(std::move(token));
  };
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == 'I' || c == 'O' || c == 'T') {
      add(std::string(1, c));
      ++i;
      continue;
    }
    std::size_t end = i;
    int chars = 0;
    while (chars < 3 && end < text.size()) {
      end += util::charBytesAt(text, end);
      ++chars;
    }
    if (chars == 3) add(std::string(text.substr(i, end - i)));
    i = end;
  }
  if (completeForAccount) {
    for (const char* fixed : {"I", "O", "T"}) add(fixed);
  }
  return tokens;
}

std::vector<Folder> childFolders(const MailStore& store, std::string_view parentPath, TFolderType parentType) {
  const sys::FileSystem& fs = store.fs();
  const std::string parent(parentPath);
  const bool account = parentType == ctAccount;
  const std::string description = store.absolute(parent) + (account ? "Account.ini" : "Entry.ini");
  const auto lines = readLinesOrEmpty(fs, description);
  const std::vector<std::string> tokens = orderTokens(keyValue(lines, "ORDER=").value_or(""), account);

  std::vector<Folder> out;
  for (const std::string& token : tokens) {
    if (token == "I") {
      out.push_back({ctInbox, parent + "Inbox.box\\", kInboxName});
    } else if (token == "O") {
      out.push_back({ctOutbox, parent + "Outbox.box\\", kOutboxName});
    } else if (token == "T") {
      out.push_back({ctTrash, parent + "Trash.box", kTrashName});
    } else {
      const std::string path = parent + "User" + token + ".box\\";
      if (util::isContainedRelativePath(path) && fs.isFile(store.absolute(path) + "Entry.ini")) {
        out.push_back(userFolder(store, path));
      }
    }
  }
  for (const sys::DirEntry& e : fs.list(store.absolute(parent) + "USER*.BOX")) {
    if (!e.isDirectory || !util::isPlainName(e.name)) continue;
    const std::string code = util::upperAscii(util::charCopy(e.name, 5, 3));
    const bool ordered = std::any_of(tokens.begin(), tokens.end(),
                                     [&](const std::string& t) { return isCodeToken(t) && t == code; });
    if (!ordered) out.push_back(userFolder(store, parent + e.name + "\\"));
  }
  return out;
}

std::vector<TreeFolder> folderTree(const MailStore& store) {
  std::vector<TreeFolder> out;
  for (const Account& a : accounts(store)) {
    Folder account{ctAccount, a.path, a.title};
    out.push_back({account, 0});
    appendTree(store, account, 1, out);
  }
  return out;
}

}  // namespace gleanix::store
