#include "pickup/pickup_row.h"

#include <unordered_map>
#include <vector>

#include "pickup/display_path_parts.h"
#include "mailtext/mail_date.h"
#include "mailtext/mail_parts.h"
#include "mailtext/sender_name.h"
#include "store/attribute.h"
#include "store/attribute_lookup.h"
#include "store/list_file.h"
#include "sys/file_system.h"
#include "util/folded_key.h"
#include "util/sjis.h"

namespace gleanix::pickup {

// Keyed by identifier, letter case ignored (util::FoldedEqual), looked up
// without upper-cased copies.
template <typename Key, typename Value>
using FoldedMap = std::unordered_map<Key, Value, util::FoldedHash, util::FoldedEqual>;

// An entry or trash list as read: attribute fields by identifier, first
// line winning (an entry list by the first 8 characters of its lines, a
// trash list by the text before the first "=", the mail's relative path),
// both views into the file's bytes, which the list keeps.
struct AttributeList {
  std::string bytes;
  FoldedMap<std::string_view, std::string_view> fields;
};
using ListRead = std::unique_ptr<const AttributeList>;  // null: no such file

struct RowBuilder::Lists {
  FoldedMap<std::string, ListRead> entries;  // by folder
  FoldedMap<std::string, ListRead> trashes;  // by account
  // The folder looked up last, as given, and its entry list: hits come
  // folder by folder, so most look-ups are of the folder before.
  std::string lastFolder;
  const AttributeList* lastEntries = nullptr;
  bool lastKnown = false;

  const AttributeList* entriesOf(const store::MailStore& store, std::string_view folder);
};

RowBuilder::RowBuilder(const store::MailStore& store, std::int32_t timeZoneBias, mailtext::MailWarning warn)
    : store_(store), bias_(timeZoneBias), warn_(std::move(warn)), lists_(std::make_unique<Lists>()) {}

RowBuilder::~RowBuilder() = default;

namespace {

// The list file split into lines as FileSystem::readLines splits them,
// each line handed to add(list, line); null when the file cannot be read.
template <typename Add>
ListRead readList(const store::MailStore& store, const std::string& path, Add add) {
  auto bytes = store.fs().readFile(path);
  if (!bytes) return nullptr;
  auto list = std::make_unique<AttributeList>();
  list->bytes = std::move(*bytes);  // in its place for good: the views stay valid
  std::vector<std::string_view> lines;
  sys::splitLineViews(list->bytes, lines);
  list->fields.reserve(lines.size());
  for (const std::string_view line : lines) add(*list, line);
  return list;
}

ListRead readEntryList(const store::MailStore& store, std::string_view folder) {
  return readList(store, store.absolute(folder) + "ENTRY.LST", [](AttributeList& list, std::string_view line) {
    if (line.size() < store::kKeyLength) return;
    const std::size_t from = std::min<std::size_t>(line.size(), 9);
    list.fields.emplace(line.substr(0, store::kKeyLength), line.substr(from, 6));
  });
}

ListRead readTrashList(const store::MailStore& store, const std::string& account) {
  return readList(store, store.absolute(account) + "Trash.box", [](AttributeList& list, std::string_view line) {
    const std::size_t eq = util::findByte(line, '=');
    if (eq != std::string::npos) list.fields.emplace(line.substr(0, eq), line.substr(eq + 1, 6));
  });
}

std::uint32_t decoded(std::string_view field) { return store::decodeAttribute(field).value_or(0); }

}  // namespace

// The entry list of the folder, read on its first look-up; null when the
// folder has none.
const AttributeList* RowBuilder::Lists::entriesOf(const store::MailStore& store, std::string_view folder) {
  if (lastKnown && lastFolder == folder) return lastEntries;
  auto it = entries.find(folder);
  if (it == entries.end()) it = entries.emplace(folder, readEntryList(store, folder)).first;
  lastFolder.assign(folder);
  lastEntries = it->second.get();
  lastKnown = true;
  return lastEntries;
}

std::uint32_t RowBuilder::attribute(std::string_view folder, std::string_view key) {
  const AttributeList* entries = lists_->entriesOf(store_, folder);
  if (entries && key.size() == store::kKeyLength) {
    const auto it = entries->fields.find(key);
    if (it != entries->fields.end()) return decoded(it->second);
  }
  const std::string mail = std::string(folder) + std::string(key);
  // The trash list is keyed by the text before the first "=": a path that
  // holds "=" itself is looked up line by line instead.
  if (util::findByte(mail, '=') != std::string::npos) {
    return store::attributeWord(store_, store_.absolute(folder), key);
  }
  const auto account = store_.accountOf(folder);
  if (!account) return 0;
  auto trash = lists_->trashes.find(*account);
  if (trash == lists_->trashes.end()) trash = lists_->trashes.emplace(*account, readTrashList(store_, *account)).first;
  if (!trash->second) return 0;
  const auto it = trash->second->fields.find(mail);
  return it == trash->second->fields.end() ? 0 : decoded(it->second);
}

std::optional<PickupRow> RowBuilder::build(std::string_view folder, std::string_view displayPath,
                                           std::string_view key) {
  return build(folder, displayPath, key, nullptr);
}

std::optional<PickupRow> RowBuilder::build(std::string_view folder, std::string_view displayPath,
                                           std::string_view key, const MailSummary* seen) {
  MailSummary read;
  if (!seen) {
    const auto bytes = store_.fs().readFile(store_.absolute(folder) + std::string(key) + ".ALM");
    if (!bytes) return std::nullopt;
    mailtext::MailParts mail;
    mail.split(*bytes, warn_);
    read = summarize(mail.header());
    seen = &read;
  }

  PickupRow row;
  if (!seen->date().empty()) {
    if (auto date = mailtext::localMailDate(seen->date(), bias_)) row.sortableDate = std::move(*date);
  }
  if (!seen->from().empty()) row.sender = mailtext::senderName(seen->from());
  row.subject = std::string(seen->subject());
  row.mark = static_cast<int>(attribute(folder, key) & 7u);
  row.folder = std::string(folder);
  DisplayPathParts parts = splitDisplayPath(displayPath);
  row.pathText = std::move(parts.directory);
  row.folderText = std::move(parts.rest);
  row.key = std::string(key);
  return row;
}

}  // namespace gleanix::pickup
