#pragma once
// The list files of a folder: its entry list "ENTRY.LST" (one line per mail:
// key in columns 1-8, "=" in column 9, the attribute word in columns 10-15,
// host data in 16-25, host text from 26) and an account's trash list
// "Trash.box" (the mail's path relative to the mail root without ".ALM",
// "=", then the same fields). The mail file is folder + key + ".ALM"; for a
// trash line it is mail root + path + ".ALM".

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/mail_store.h"
#include "util/name_set.h"

namespace gleanix::store {

inline constexpr std::size_t kKeyLength = 8;
inline constexpr std::size_t kMinEntryLineLength = 25;

// A line of an entry list as the host writes it.
struct EntryLine {
  std::string_view key;        // columns 1-8
  std::string_view attribute;  // columns 10-15
  std::string_view hostData;   // columns 16-25
  std::string_view hostText;   // column 26 on
};

// nullopt unless the line has at least 25 characters and "=" in column 9.
std::optional<EntryLine> parseEntryLine(std::string_view line);

// Any list line split at its first "=": the identifier before it (a key, or
// a mail path in a trash list) and up to 6 attribute characters after it.
struct ListLine {
  std::string_view id;
  std::string_view attribute;
};
std::optional<ListLine> splitListLine(std::string_view line);

// Whether a list line's identifier can name a mail file: a relative path
// that stays below its folder (or, in a trash list, below the mail root) and
// does not end in "\". Lines with any other identifier are skipped.
bool isListedMailId(std::string_view id);

// True for the trash of an account: a path ending in "\Trash.box" (letter
// case ignored), or "Trash.box" itself in a single-account store.
bool isTrashPath(std::string_view folder);

// The list file of a folder path: the trash list itself for a trash path,
// else folder + "ENTRY.LST".
std::string listFilePath(const MailStore& store, std::string_view folder);

// The line split at its first "=" when its identifier is one that
// isListedMailId accepts: a line that names a mail.
std::optional<ListLine> listedLine(std::string_view line);

// Calls visit with each line of a list file's bytes that names a mail, from
// the last line to the first, as views into bytes: the lines listedMails
// gives, in the order the searches walk them, without a string per line.
void forEachListedLineBackward(std::string_view bytes, const std::function<void(const ListLine&)>& visit);

// A mail named by a folder's list file.
struct ListedMail {
  std::string hit;  // mail path relative to the root without ".ALM"
  std::optional<std::uint32_t> attribute;  // none when the field is cut short
};

// Every line of the folder's list file that holds "=" after an identifier
// that isListedMailId accepts, in file order: the
// hit is folder + key, or the trash-list key itself. The searches walk this
// from the last element to the first. Empty when the list file is missing.
std::vector<ListedMail> listedMails(const MailStore& store, std::string_view folder);

// The folder part (all but the last 8 characters) and key (the last 8) of a
// mail path.
std::string_view hitFolder(std::string_view hit);
std::string_view hitKey(std::string_view hit);

// Which mail files exist, one directory listing per folder instead of one
// file look-up per mail. A snapshot: files added later are not seen.
class MailFileIndex {
 public:
  explicit MailFileIndex(const MailStore& store) : store_(&store) {}
  // Whether mail root + hit + ".ALM" exists.
  bool exists(std::string_view hit);
  // The same for the hit folder + name (a folder path ending in "\"),
  // without joining the two.
  bool exists(std::string_view folder, std::string_view name);

 private:
  // The base names of the folder's *.ALM files.
  const util::NameSet& namesOf(std::string_view folder);

  const MailStore* store_;
  std::unordered_map<std::string, util::NameSet> byFolder_;  // by upper-cased folder
  // Walks go folder by folder: the last folder asked for is kept at hand.
  std::string lastFolder_;
  const util::NameSet* lastNames_ = nullptr;
};

}  // namespace gleanix::store
