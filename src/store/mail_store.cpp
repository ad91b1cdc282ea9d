#include "store/mail_store.h"

#include "util/sjis.h"

namespace gleanix::store {

namespace {
bool endsInBackslash(std::string_view path) {
  const std::size_t last = util::lastCharOffset(path);
  return last != std::string_view::npos && path.substr(last) == "\\";
}
}  // namespace

std::string withTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (!endsInBackslash(path)) out += '\\';
  return out;
}

std::string withoutTrailingBackslash(std::string_view path) {
  return std::string(endsInBackslash(path) ? path.substr(0, path.size() - 1) : path);
}

std::optional<std::string> firstComponent(std::string_view path) {
  const std::size_t slash = util::findByte(path, '\\');
  if (slash == std::string_view::npos) return std::nullopt;
  return std::string(path.substr(0, slash + 1));
}

MailStore::MailStore(const sys::FileSystem& fs, std::string_view root)
    : root_(withTrailingBackslash(root)), fs_(fs, nullptr, root_) {
  singleAccount_ = !fs_.isFile(root_ + "Mailbox.ini") && fs_.isFile(root_ + "Account.ini");
}

std::optional<std::string> MailStore::accountOf(std::string_view relativePath) const {
  if (singleAccount_) return std::string();
  return firstComponent(relativePath);
}

std::optional<std::string> MailStore::relativeTo(std::string_view absolutePath) const {
  if (!util::startsWithIgnoreCase(absolutePath, root_)) return std::nullopt;
  return std::string(absolutePath.substr(root_.size()));
}

}  // namespace gleanix::store
