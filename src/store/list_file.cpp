#include "store/list_file.h"

#include "store/attribute.h"
#include "util/contained_path.h"
#include "util/sjis.h"

namespace gleanix::store {

std::optional<EntryLine> parseEntryLine(std::string_view line) {
  if (line.size() < kMinEntryLineLength || line[kKeyLength] != '=') return std::nullopt;
  EntryLine e;
  e.key = line.substr(0, kKeyLength);
  e.attribute = line.substr(9, 6);
  e.hostData = line.substr(15, 10);
  e.hostText = line.substr(25);
  return e;
}

std::optional<ListLine> splitListLine(std::string_view line) {
  const std::size_t eq = util::findByte(line, '=');
  if (eq == std::string_view::npos) return std::nullopt;
  return ListLine{line.substr(0, eq), line.substr(eq + 1, 6)};
}

namespace {

template <typename Fn>
void forEachLine(std::string_view bytes, Fn&& fn) {
  // Line ends as FileSystem::readLines splits them: CR LF, CR or LF.
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    fn(bytes.substr(start, i - start));
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) fn(bytes.substr(start));
}

}  // namespace

bool isListedMailId(std::string_view id) {
  return !id.empty() && id.back() != '\\' && util::isContainedRelativePath(id);
}

bool isTrashPath(std::string_view folder) {
  static constexpr std::string_view kTrash = "\\TRASH.BOX";
  if (util::equalsIgnoreCase(folder, kTrash.substr(1))) return true;
  if (folder.size() < kTrash.size()) return false;
  const std::size_t start = folder.size() - kTrash.size();
  // The "\" must be a character of its own, not the second byte of one.
  std::size_t i = 0;
  while (i < start) i += util::charBytesAt(folder, i);
  return i == start && util::equalsIgnoreCase(folder.substr(start), kTrash);
}

std::string listFilePath(const MailStore& store, std::string_view folder) {
  return isTrashPath(folder) ? store.absolute(folder) : store.absolute(folder) + "ENTRY.LST";
}

std::vector<ListedMail> listedMails(const MailStore& store, std::string_view folder) {
  std::vector<ListedMail> out;
  const auto bytes = store.fs().readFile(listFilePath(store, folder));
  if (!bytes) return out;
  const bool trash = isTrashPath(folder);
  forEachLine(*bytes, [&](std::string_view line) {
    const auto split = splitListLine(line);
    // An identifier that would lead out of the folder or the root (".." or
    // an absolute path, a NUL that cuts the path short) is skipped like any
    // other malformed line.
    if (!split || !isListedMailId(split->id)) return;
    std::string hit;
    hit.reserve((trash ? 0 : folder.size()) + split->id.size());
    if (!trash) hit.append(folder);
    hit.append(split->id);
    out.push_back({std::move(hit), decodeAttribute(split->attribute)});
  });
  return out;
}

std::string_view hitFolder(std::string_view hit) {
  return hit.size() <= kKeyLength ? std::string_view() : hit.substr(0, hit.size() - kKeyLength);
}

std::string_view hitKey(std::string_view hit) {
  return hit.size() <= kKeyLength ? hit : hit.substr(hit.size() - kKeyLength);
}

const MailFileIndex::KeySet& MailFileIndex::keysOf(std::string_view folder) {
  if (lastKeys_ != nullptr && folder == lastFolder_) return *lastKeys_;
  std::string upperFolder = util::upperAscii(folder);
  auto it = byFolder_.find(upperFolder);
  if (it == byFolder_.end()) {
    KeySet keys;
    // Every entry, filtered here: cheaper than matching "*.ALM" per name.
    const auto entries = store_->fs().list(store_->absolute(folder) + "*");
    keys.reserve(entries.size());
    for (const sys::DirEntry& e : entries) {
      const std::string_view name = e.name;
      if (e.isDirectory || name.size() <= 4 || !util::equalsIgnoreCase(name.substr(name.size() - 4), ".ALM")) continue;
      // A link counts only while it leads to a file inside the store.
      if (e.isLink && !store_->fs().isFile(store_->absolute(folder) + e.name)) continue;
      keys.insert(util::upperAscii(name.substr(0, name.size() - 4)));
    }
    it = byFolder_.emplace(std::move(upperFolder), std::move(keys)).first;
  }
  lastFolder_.assign(folder);
  lastKeys_ = &it->second;
  return *lastKeys_;
}

bool MailFileIndex::exists(std::string_view hit) {
  const std::string_view key = hitKey(hit);
  // A path whose key part is not a plain file name is asked directly.
  if (hit.size() < kKeyLength || util::findByte(key, '\\') != std::string_view::npos) {
    return store_->fs().isFile(store_->absolute(hit) + ".ALM");
  }
  const KeySet& keys = keysOf(hitFolder(hit));
  upperKey_.assign(key);
  for (char& c : upperKey_) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return keys.count(upperKey_) != 0;
}

}  // namespace gleanix::store
