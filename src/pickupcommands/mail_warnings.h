#pragma once
// Warnings about malformed mails during a search (a multipart mail whose
// Content-Type has no usable boundary, so its body is searched only in
// part or not at all). A search of thousands of mails must not stop at a
// message box per mail: the warnings are collected while it runs and told
// once when it is done, with their number and the first mail named, so the
// user knows which mail to look at and that the result may miss some.
//
// The engines only hand over the warning's text. Which mail it is about is
// the one the search read last, so the searches read their files through
// files(), which remembers that.

#include <cstddef>
#include <set>
#include <string>

#include "mailtext/split_mail.h"
#include "sys/desktop.h"
#include "sys/file_system.h"

namespace gleanix::pickupcommands {

class MailWarnings {
 public:
  explicit MailWarnings(const sys::FileSystem& fs) : files_(fs) {}

  // The file system the search reads through.
  const sys::FileSystem& files() const { return files_; }
  // What the search calls with each warning.
  mailtext::MailWarning callback();

  // The mails warned about (each counted once).
  std::size_t count() const { return mails_.size(); }
  const std::string& firstMail() const { return firstMail_; }
  const std::string& firstText() const { return firstText_; }

  // One message box (no owner, "警告", warning icon) when there was any.
  void report(sys::Desktop& desktop) const;
  // Its text.
  std::string reportText() const;

 private:
  // Forwards everything, remembering the last file read.
  class LastReadFile : public sys::FileSystem {
   public:
    explicit LastReadFile(const sys::FileSystem& fs) : fs_(fs) {}
    bool exists(const std::string& p) const override { return fs_.exists(p); }
    bool isFile(const std::string& p) const override { return fs_.isFile(p); }
    bool isDirectory(const std::string& p) const override { return fs_.isDirectory(p); }
    std::optional<std::string> readFile(const std::string& p) const override {
      last_ = p;
      return fs_.readFile(p);
    }
    std::vector<sys::DirEntry> list(const std::string& p) const override { return fs_.list(p); }
    std::optional<std::string> storedName(const std::string& p) const override { return fs_.storedName(p); }
    bool staysWithin(const std::string& root, const std::string& p) const override {
      return fs_.staysWithin(root, p);
    }
    // A search only reads.
    bool createDirectory(const std::string&) override { return false; }
    bool writeFileAtomic(const std::string&, std::string_view) override { return false; }
    bool removeFile(const std::string&) override { return false; }
    bool moveFile(const std::string&, const std::string&) override { return false; }
    const std::string& last() const { return last_; }

   private:
    const sys::FileSystem& fs_;
    mutable std::string last_;
  };

  void warn(const std::string& text);

  LastReadFile files_;
  std::set<std::string> mails_;
  std::string firstMail_;
  std::string firstText_;
};

}  // namespace gleanix::pickupcommands
