#pragma once
// One mail file as make-store writes it: header fields in the forms mailers
// of the time produced, and a body in one of the transfer forms. The index
// of the mail picks the forms in fixed cycles, so that even the smallest
// store shows every form.

#include <cstdint>
#include <string>
#include <vector>

namespace gleanix::tools {

struct Person {
  std::string name;     // Shift-JIS display name
  std::string address;
};

struct MailContext {
  std::size_t index = 0;       // place of the mail in the store: drives the cycles
  std::int64_t minutes = 0;    // time sent, minutes since 1970 (UTC)
  int second = 0;
  Person from;
  Person to;
  std::string subject;         // Shift-JIS, as the host stores it
  std::string messageId;
  std::vector<std::string> ancestors;  // message ids, oldest first, the parent last
  std::vector<std::string> body;       // Shift-JIS text lines
  std::string listName;        // mailing list of the mail, or empty
  int listNumber = 0;
  bool outgoing = false;       // written by the account's owner
};

// Whether the body of mail index goes out in Shift-JIS (so it may hold
// half-width kana); every other body is ISO-2022-JP in some wrapping.
bool bodyIsShiftJis(std::size_t index);
// Whether mail index is a multipart mail with an attachment.
bool isMultipart(std::size_t index);

// The mail file: CR LF line ends, a header, an empty line, the body.
std::string composeMail(const MailContext& mail);

}  // namespace gleanix::tools
