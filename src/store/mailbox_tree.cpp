#include "store/mailbox_tree.h"

#include "store/folders.h"
#include "store/mail_store.h"

namespace gleanix::store {
namespace {

// Groups nest through directories; a link loop must not recurse forever.
constexpr int kMaxDepth = 32;

void addChildren(const MailStore& store, MailboxNode& node, int depth) {
  if (depth > kMaxDepth) return;
  for (const Folder& f : childFolders(store, node.path, node.type)) {
    MailboxNode child{f.type, f.path, f.name, {}};
    if (f.type == ctGroup) addChildren(store, child, depth + 1);
    node.children.push_back(std::move(child));
  }
}

}  // namespace

std::optional<std::vector<MailboxNode>> mailboxTree(const sys::FileSystem& fs, const std::string& root) {
  if (!fs.exists(root + "Mailbox.ini") && !fs.exists(root + "Account.ini")) return std::nullopt;
  const MailStore store(fs, root);
  std::vector<MailboxNode> accountNodes;
  for (const Account& a : accounts(store)) {
    MailboxNode account{ctAccount, a.path, a.title, {}};
    addChildren(store, account, 1);
    accountNodes.push_back(std::move(account));
  }
  if (store.singleAccount()) return accountNodes;
  MailboxNode top{ctMailbox, store.root(), store.root(), std::move(accountNodes)};
  std::vector<MailboxNode> out;
  out.push_back(std::move(top));
  return out;
}

}  // namespace gleanix::store
