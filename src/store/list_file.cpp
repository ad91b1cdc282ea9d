#include "store/list_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

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
  // Keys and paths are mostly ASCII, which is one byte per character: only
  // from the first byte above it on are characters told apart.
  std::size_t eq = 0;
  while (eq < line.size() && static_cast<unsigned char>(line[eq]) < 0x80 && line[eq] != '=') ++eq;
  if (eq < line.size() && line[eq] != '=') {
    const std::size_t rest = util::findByte(line.substr(eq), '=');
    eq = rest == std::string_view::npos ? line.size() : eq + rest;
  }
  if (eq == line.size()) return std::nullopt;
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

namespace {

// The bytes of the host's keys: ASCII letters and digits.
constexpr std::array<bool, 256> kKeyBytes = [] {
  std::array<bool, 256> bytes{};
  for (const auto& [first, last] : {std::pair{'0', '9'}, std::pair{'A', 'Z'}, std::pair{'a', 'z'}}) {
    for (int c = first; c <= last; ++c) bytes[static_cast<std::size_t>(c)] = true;
  }
  return bytes;
}();

bool isKeyByte(char c) { return kKeyBytes[static_cast<unsigned char>(c)]; }

// Whether one of the 8 bytes of word is a CR or an LF.
bool hasLineEndByte(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  auto zeroByte = [](std::uint64_t x) { return (x - kOnes) & ~x & kHighs; };
  return (zeroByte(word ^ (kOnes * '\r')) | zeroByte(word ^ (kOnes * '\n'))) != 0;
}

// The offset of the last CR or LF before end; npos when there is none.
// Eight bytes at a time: entry lines are some fifty bytes long.
std::size_t lastLineEnd(std::string_view bytes, std::size_t end) {
  for (std::uint64_t word = 0; end >= 8; end -= 8) {
    std::memcpy(&word, bytes.data() + end - 8, 8);
    if (hasLineEndByte(word)) break;
  }
  while (end > 0) {
    --end;
    if (bytes[end] == '\r' || bytes[end] == '\n') return end;
  }
  return std::string_view::npos;
}

}  // namespace

bool isListedMailId(std::string_view id) {
  if (id.empty()) return false;
  // The host's keys are letters and digits: plainly a name inside the
  // folder, no component to look at.
  if (std::all_of(id.begin(), id.end(), isKeyByte)) return true;
  // A trailing "\\" makes a folder path; the second byte of a double-byte
  // character is no separator.
  return id.substr(util::lastCharOffset(id)) != "\\" && util::isContainedRelativePath(id);
}

std::optional<ListLine> listedLine(std::string_view line) {
  // The host's own lines: a key of letters and digits, then "=".
  std::size_t keyEnd = 0;
  while (keyEnd < line.size() && isKeyByte(line[keyEnd])) ++keyEnd;
  if (keyEnd > 0 && keyEnd < line.size() && line[keyEnd] == '=') {
    return ListLine{line.substr(0, keyEnd), line.substr(keyEnd + 1, 6)};
  }
  auto split = splitListLine(line);
  // An identifier that would lead out of the folder or the root (".." or
  // an absolute path, a NUL that cuts the path short) is skipped like any
  // other malformed line.
  if (split && !isListedMailId(split->id)) split.reset();
  return split;
}

void forEachListedLineBackward(std::string_view bytes, const std::function<void(const ListLine&)>& visit) {
  // Lines end at CR LF, CR or LF. Cutting at every CR and every LF gives
  // the same lines and some empty ones between a CR and its LF, which name
  // no mail; line-end bytes are never part of a double-byte character.
  auto take = [&](std::string_view line) {
    if (const auto listed = listedLine(line)) visit(*listed);
  };
  std::size_t end = bytes.size();
  for (std::size_t i; (i = lastLineEnd(bytes, end)) != std::string_view::npos; end = i) {
    take(bytes.substr(i + 1, end - i - 1));
  }
  take(bytes.substr(0, end));
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
    const auto listed = listedLine(line);
    if (!listed) return;
    std::string hit;
    hit.reserve((trash ? 0 : folder.size()) + listed->id.size());
    if (!trash) hit.append(folder);
    hit.append(listed->id);
    out.push_back({std::move(hit), decodeAttribute(listed->attribute)});
  });
  return out;
}

std::string_view hitFolder(std::string_view hit) {
  return hit.size() <= kKeyLength ? std::string_view() : hit.substr(0, hit.size() - kKeyLength);
}

std::string_view hitKey(std::string_view hit) {
  return hit.size() <= kKeyLength ? hit : hit.substr(hit.size() - kKeyLength);
}

namespace {

// A name longer than ".ALM" that ends in it, letter case ignored (none of
// these four bytes can be part of a double-byte character).
bool hasMailSuffix(std::string_view name) {
  const std::size_t n = name.size();
  return n > 4 && name[n - 4] == '.' && (name[n - 3] | 0x20) == 'a' && (name[n - 2] | 0x20) == 'l' &&
         (name[n - 1] | 0x20) == 'm';
}

}  // namespace

const util::NameSet& MailFileIndex::namesOf(std::string_view folder) {
  if (lastNames_ != nullptr && folder == lastFolder_) return *lastNames_;
  std::string upperFolder = util::upperAscii(folder);
  auto it = byFolder_.find(upperFolder);
  if (it == byFolder_.end()) {
    util::NameSet names;
    const std::string directory = store_->absolute(folder);
    // Every entry, filtered here: cheaper than matching "*.ALM" per name.
    store_->fs().forEachEntry(directory, [&](std::string_view name, bool isDirectory, bool isLink) {
      if (isDirectory || !hasMailSuffix(name)) return;
      // A link counts only while it leads to a file inside the store.
      if (isLink && !store_->fs().isFile(directory + std::string(name))) return;
      names.insert(name.substr(0, name.size() - 4));
    });
    it = byFolder_.emplace(std::move(upperFolder), std::move(names)).first;
  }
  lastFolder_.assign(folder);
  lastNames_ = &it->second;
  return *lastNames_;
}

bool MailFileIndex::exists(std::string_view hit) {
  // The folder is everything up to the last "\" that is a character of its
  // own; the rest is the mail's name.
  std::size_t nameStart = 0;
  for (std::size_t i = 0; i < hit.size(); i += util::charBytesAt(hit, i)) {
    if (hit[i] == '\\') nameStart = i + 1;
  }
  return exists(hit.substr(0, nameStart), hit.substr(nameStart));
}

bool MailFileIndex::exists(std::string_view folder, std::string_view name) {
  // Without a "\\" byte there is no "\\" character either.
  if (name.find('\\') != std::string_view::npos && util::findByte(name, '\\') != std::string_view::npos) {
    return exists(std::string(folder) + std::string(name));
  }
  // A name that still holds a separator ("/" also parts a path) or none at
  // all is asked of the file system directly.
  if (name.empty() || name.find('/') != std::string_view::npos) {
    return store_->fs().isFile(store_->absolute(folder) + std::string(name) + ".ALM");
  }
  return namesOf(folder).contains(name);
}

}  // namespace gleanix::store
