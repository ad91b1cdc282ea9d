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

// The bytes of the host's keys: ASCII letters and digits.
constexpr std::array<bool, 256> kKeyBytes = [] {
  std::array<bool, 256> bytes{};
  for (const auto& [first, last] : {std::pair{'0', '9'}, std::pair{'A', 'Z'}, std::pair{'a', 'z'}}) {
    for (int c = first; c <= last; ++c) bytes[static_cast<std::size_t>(c)] = true;
  }
  return bytes;
}();

bool isKeyByte(char c) { return kKeyBytes[static_cast<unsigned char>(c)]; }

// Whether a path of ASCII letters, digits and dots, its components parted
// by single "\", plainly stays below its folder: no component is empty or
// dots only, nothing leads out. Trash lines name their mails so.
bool isPlainAsciiPath(std::string_view id) {
  bool letterOrDigit = false;  // in the component so far
  for (const char c : id) {
    if (c == '\\') {
      if (!letterOrDigit) return false;
      letterOrDigit = false;
    } else if (isKeyByte(c)) {
      letterOrDigit = true;
    } else if (c != '.') {
      return false;
    }
  }
  return letterOrDigit;
}

}  // namespace

bool isListedMailId(std::string_view id) {
  if (id.empty()) return false;
  // The host's keys are letters and digits: plainly a name inside the
  // folder, no component to look at.
  if (std::all_of(id.begin(), id.end(), isKeyByte) || isPlainAsciiPath(id)) return true;
  // A trailing "\" makes a folder path; the second byte of a double-byte
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

namespace {

// The lines of a list file. Lines end at CR LF, CR or LF; cutting at every
// LF and then at every CR gives the same lines and an empty one between a
// CR and its LF, which names no mail. Line-end bytes are never part of a
// double-byte character, and memchr finds them many bytes at a time.
std::vector<std::string_view> listLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  lines.reserve(bytes.size() / 32);
  const char* const end = bytes.data() + bytes.size();
  for (const char* p = bytes.data(); p < end;) {
    const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    const char* lineEnd = lf ? lf : end;
    while (const auto* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(lineEnd - p)))) {
      lines.emplace_back(p, static_cast<std::size_t>(cr - p));
      p = cr + 1;
    }
    lines.emplace_back(p, static_cast<std::size_t>(lineEnd - p));
    p = lineEnd + 1;
  }
  return lines;
}

}  // namespace

void forEachListedLineBackward(std::string_view bytes, const std::function<void(const ListLine&)>& visit) {
  const std::vector<std::string_view> lines = listLines(bytes);
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    if (const auto listed = listedLine(*line)) visit(*listed);
  }
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
  for (const std::string_view line : listLines(*bytes)) {
    const auto listed = listedLine(line);
    if (!listed) continue;
    std::string hit;
    hit.reserve((trash ? 0 : folder.size()) + listed->id.size());
    if (!trash) hit.append(folder);
    hit.append(listed->id);
    out.push_back({std::move(hit), decodeAttribute(listed->attribute)});
  }
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
