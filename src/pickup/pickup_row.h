#pragma once
// One row of the pickup list: what the list window shows and sorts for a
// picked mail.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "mailtext/split_mail.h"
#include "pickup/mail_summary.h"
#include "store/mail_store.h"

namespace gleanix::pickup {

struct PickupRow {
  int mark = 0;              // mark number 0-7: the attribute word AND 7
  std::string folder;        // the mail's folder, relative, ending in "\"
  std::string pathText;      // column "パス": directory part of the display path
  std::string folderText;    // column "フォルダ": the rest of the display path
  std::string key;           // the 8-character mail key
  std::string sortableDate;  // "yyyy/mm/dd hh:nn:ss" local time, or empty
  std::string sender;        // column "差出人"
  std::string subject;       // column "題名", as stored

  // The hit path the row stands for: folder + key.
  std::string hit() const { return folder + key; }
};

// Builds rows as the list window adds picked mails. Keeps the entry and
// trash lists it has read, so that adding many mails of one folder reads
// its list once; a builder therefore sees the store as it was when it
// first looked (make a new one for a new pickup).
class RowBuilder {
 public:
  // timeZoneBias: the store's bias in minutes (UTC = local time + bias).
  // warn receives the warnings of splitting malformed mails; may be empty.
  RowBuilder(const store::MailStore& store, std::int32_t timeZoneBias, mailtext::MailWarning warn = {});
  ~RowBuilder();
  RowBuilder(const RowBuilder&) = delete;
  RowBuilder& operator=(const RowBuilder&) = delete;

  // The row for mail root + folder + key + ".ALM"; nullopt when that file
  // cannot be read. Date: the "DATE:" field converted to local time; empty
  // when the field is missing or cannot be converted (that row only).
  // Sender: the sender name of "FROM:". Subject: "SUBJECT:" as stored.
  // Mark: the mail's attribute word (entry list, else the account's trash
  // list) AND 7.
  std::optional<PickupRow> build(std::string_view folder, std::string_view displayPath, std::string_view key);
  // The same from a summary the search took of the mail when it read it:
  // the file is not read again. A null summary reads the file.
  std::optional<PickupRow> build(std::string_view folder, std::string_view displayPath, std::string_view key,
                                 const MailSummary* seen);

  // The attribute word as store::attributeWord gives it, from the kept lists.
  std::uint32_t attribute(std::string_view folder, std::string_view key);

 private:
  struct Lists;
  const store::MailStore& store_;
  std::int32_t bias_;
  mailtext::MailWarning warn_;
  std::unique_ptr<Lists> lists_;
};

}  // namespace gleanix::pickup
