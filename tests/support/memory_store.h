#pragma once
// A mail store in memory for engine tests: accounts, folders, entry and
// trash lists and mail files written the way the host writes them, on the
// in-memory file system (so the tests run the same under Wine).

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "fakes/memory_file_system.h"
#include "store/attribute.h"

namespace gleanix::testing {

// Header lines (name, value), an empty line and the body lines, CR LF.
inline std::string composeMail(std::initializer_list<std::pair<std::string, std::string>> header,
                               std::initializer_list<std::string> body = {"body"}) {
  std::string text;
  for (const auto& [name, value] : header) text += name + ": " + value + "\r\n";
  text += "\r\n";
  for (const std::string& line : body) text += line + "\r\n";
  return text;
}

class MemoryStore {
 public:
  static constexpr const char* kRoot = "C:\\Mail\\";

  MemoryStore() : MemoryStore(own_) {}
  // A store written into another file system (a started plug-in's).
  explicit MemoryStore(MemoryFileSystem& target) : fs(target) {
    fs.addFile(std::string(kRoot) + "Mailbox.ini", "[Mailbox]\r\nTIMEZONE=+0900\r\n");
  }
  MemoryStore(const MemoryStore&) = delete;
  MemoryStore& operator=(const MemoryStore&) = delete;

  std::string root() const { return kRoot; }

  // accountDir without "\": "Acc1".
  void account(const std::string& accountDir, const std::string& title, const std::string& order = "") {
    std::string ini = "[Account]\r\nTITLE=" + title + "\r\n";
    if (!order.empty()) ini += "ORDER=" + order + "\r\n";
    fs.addFile(abs(accountDir + "\\Account.ini"), ini);
  }

  // A user folder (relative, ending in "\") with its Entry.ini.
  void folder(const std::string& path, const std::string& title) {
    fs.addFile(abs(path + "Entry.ini"), "[Folder]\r\nTITLE=" + title + "\r\n");
  }

  // Appends a valid entry line for key to folder's ENTRY.LST and writes
  // the mail file (unless text is null).
  void mail(const std::string& folder, const std::string& key, std::uint32_t attribute, const std::string* text) {
    entryLine(folder, key + "=" + store::encodeAttribute(attribute) + "0000000100sender@example.jp:subject");
    if (text) fs.addFile(abs(folder + key + ".ALM"), *text);
  }
  void mail(const std::string& folder, const std::string& key, std::uint32_t attribute, const std::string& text) {
    mail(folder, key, attribute, &text);
  }
  void mail(const std::string& folder, const std::string& key, const std::string& text) {
    mail(folder, key, 0, &text);
  }

  // A raw line appended to the folder's ENTRY.LST.
  void entryLine(const std::string& folder, const std::string& line) { append(folder + "ENTRY.LST", line); }

  // An empty ENTRY.LST (the folder exists but holds no mail).
  void emptyEntryList(const std::string& folder) { fs.addFile(abs(folder + "ENTRY.LST"), ""); }

  // A trashed mail: its line in the account's Trash.box, its file left in
  // the folder it was in.
  void trashMail(const std::string& accountDir, const std::string& folder, const std::string& key,
                 std::uint32_t attribute, const std::string& text) {
    append(accountDir + "\\Trash.box", folder + key + "=" + store::encodeAttribute(attribute) + "0000000100x:y");
    fs.addFile(abs(folder + key + ".ALM"), text);
  }

  std::string abs(const std::string& relative) const { return std::string(kRoot) + relative; }

 private:
  MemoryFileSystem own_;

 public:
  MemoryFileSystem& fs;

 private:
  void append(const std::string& relative, const std::string& line) {
    fs.addFile(abs(relative), fs.content(abs(relative)) + line + "\r\n");
  }
};

}  // namespace gleanix::testing
