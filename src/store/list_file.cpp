#include "store/list_file.h"

#include "store/attribute.h"
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

bool isTrashPath(std::string_view folder) {
  static constexpr std::string_view kTrash = "\\TRASH.BOX";
  if (util::equalsIgnoreCase(folder, kTrash.substr(1))) return true;
  return folder.size() >= kTrash.size() && util::equalsIgnoreCase(folder.substr(folder.size() - kTrash.size()), kTrash);
}

std::string listFilePath(const MailStore& store, std::string_view folder) {
  return isTrashPath(folder) ? store.absolute(folder) : store.absolute(folder) + "ENTRY.LST";
}

std::vector<ListedMail> listedMails(const MailStore& store, std::string_view folder) {
  std::vector<ListedMail> out;
  const auto lines = store.fs().readLines(listFilePath(store, folder));
  if (!lines) return out;
  const bool trash = isTrashPath(folder);
  out.reserve(lines->size());
  for (const std::string& line : *lines) {
    const auto split = splitListLine(line);
    if (!split) continue;
    std::string hit = trash ? std::string(split->id) : std::string(folder).append(split->id);
    out.push_back({std::move(hit), decodeAttribute(split->attribute)});
  }
  return out;
}

std::string_view hitFolder(std::string_view hit) {
  return hit.size() <= kKeyLength ? std::string_view() : hit.substr(0, hit.size() - kKeyLength);
}

std::string_view hitKey(std::string_view hit) {
  return hit.size() <= kKeyLength ? hit : hit.substr(hit.size() - kKeyLength);
}

bool MailFileIndex::exists(std::string_view hit) {
  const std::string folder(hitFolder(hit));
  // A path whose folder part is not a plain directory name is asked directly.
  if (hit.size() < kKeyLength || util::findByte(hitKey(hit), '\\') != std::string_view::npos) {
    return store_->fs().isFile(store_->absolute(hit) + ".ALM");
  }
  const std::string upperFolder = util::upperAscii(folder);
  auto it = byFolder_.find(upperFolder);
  if (it == byFolder_.end()) {
    std::unordered_set<std::string> names;
    for (const sys::DirEntry& e : store_->fs().list(store_->absolute(folder) + "*.ALM")) {
      if (!e.isDirectory) names.insert(util::upperAscii(e.name));
    }
    it = byFolder_.emplace(upperFolder, std::move(names)).first;
  }
  return it->second.count(util::upperAscii(hitKey(hit)) + ".ALM") != 0;
}

}  // namespace gleanix::store
