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
#include "util/sjis.h"

namespace gleanix::pickup {

// Attribute fields by upper-cased identifier, first line winning: an entry
// list by the first 8 characters of its lines, a trash list by the text
// before the first "=" (the mail's relative path).
using AttributeMap = std::unordered_map<std::string, std::string>;

struct RowBuilder::Lists {
  std::unordered_map<std::string, std::optional<AttributeMap>> entries;  // by upper-cased folder
  std::unordered_map<std::string, std::optional<AttributeMap>> trashes;  // by upper-cased account
};

RowBuilder::RowBuilder(const store::MailStore& store, std::int32_t timeZoneBias, mailtext::MailWarning warn)
    : store_(store), bias_(timeZoneBias), warn_(std::move(warn)), lists_(std::make_unique<Lists>()) {}

RowBuilder::~RowBuilder() = default;

namespace {

std::optional<AttributeMap> readEntryList(const store::MailStore& store, std::string_view folder) {
  const auto lines = store.fs().readLines(store.absolute(folder) + "ENTRY.LST");
  if (!lines) return std::nullopt;
  AttributeMap map;
  for (const std::string& line : *lines) {
    if (line.size() < store::kKeyLength) continue;
    const std::size_t from = std::min<std::size_t>(line.size(), 9);
    map.emplace(util::upperAscii(std::string_view(line).substr(0, store::kKeyLength)), line.substr(from, 6));
  }
  return map;
}

std::optional<AttributeMap> readTrashList(const store::MailStore& store, const std::string& account) {
  const auto lines = store.fs().readLines(store.absolute(account) + "Trash.box");
  if (!lines) return std::nullopt;
  AttributeMap map;
  for (const std::string& line : *lines) {
    const std::size_t eq = util::findByte(line, '=');
    if (eq == std::string::npos) continue;
    map.emplace(util::upperAscii(std::string_view(line).substr(0, eq)), line.substr(eq + 1, 6));
  }
  return map;
}

std::uint32_t decoded(const std::string& field) { return store::decodeAttribute(field).value_or(0); }

}  // namespace

std::uint32_t RowBuilder::attribute(std::string_view folder, std::string_view key) {
  const std::string upperFolder = util::upperAscii(folder);
  auto entries = lists_->entries.find(upperFolder);
  if (entries == lists_->entries.end()) {
    entries = lists_->entries.emplace(upperFolder, readEntryList(store_, folder)).first;
  }
  if (entries->second && key.size() == store::kKeyLength) {
    const auto it = entries->second->find(util::upperAscii(key));
    if (it != entries->second->end()) return decoded(it->second);
  }
  const std::string mail = std::string(folder) + std::string(key);
  // The trash list is keyed by the text before the first "=": a path that
  // holds "=" itself is looked up line by line instead.
  if (util::findByte(mail, '=') != std::string::npos) {
    return store::attributeWord(store_, store_.absolute(folder), key);
  }
  const auto account = store_.accountOf(folder);
  if (!account) return 0;
  const std::string upperAccount = util::upperAscii(*account);
  auto trash = lists_->trashes.find(upperAccount);
  if (trash == lists_->trashes.end()) trash = lists_->trashes.emplace(upperAccount, readTrashList(store_, *account)).first;
  if (!trash->second) return 0;
  const auto it = trash->second->find(util::upperAscii(mail));
  return it == trash->second->end() ? 0 : decoded(it->second);
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
    try {
      row.sortableDate = mailtext::mailDate(seen->date(), bias_);
    } catch (const mailtext::DateConversionError&) {
      row.sortableDate.clear();
    }
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
