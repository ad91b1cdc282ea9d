#include "store/display_path.h"

#include "store/folders.h"
#include "store/ini.h"
#include "util/sjis.h"

namespace gleanix::store {

std::string displayPath(const MailStore& store, std::string_view relativePath) {
  const auto account = store.accountOf(relativePath);
  if (!account) return {};
  const auto accountLines = store.fs().readLines(store.absolute(*account) + "Account.ini");
  if (!accountLines) return {};
  const auto title = quotedKeyValue(*accountLines, "TITLE=");
  if (!title) return {};

  std::string result = *title;
  std::string path = *account;
  std::string_view rest = relativePath.substr(account->size());
  for (std::size_t slash = util::findByte(rest, '\\'); slash != std::string_view::npos;
       slash = util::findByte(rest, '\\')) {
    const std::string_view component = rest.substr(0, slash);
    rest.remove_prefix(slash + 1);
    if (util::equalsIgnoreCase(component, "INBOX.BOX")) return result.append("\\").append(kInboxName);
    if (util::equalsIgnoreCase(component, "OUTBOX.BOX")) return result.append("\\").append(kOutboxName);
    path.append(component).append("\\");
    const auto lines = store.fs().readLines(store.absolute(path) + "Entry.ini");
    if (!lines) return {};
    result.append("\\").append(titleOf(*lines));
  }
  return result;
}

}  // namespace gleanix::store
