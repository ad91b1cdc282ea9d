// A mail file of arbitrary bytes through split mail, header field and sender
// name: no crash, no read past the end, and the split keeps its promises
// (header lines are the lines before the first empty one; the body is empty
// when there is no empty line).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "mailtext/bare_subject.h"
#include "mailtext/header_field.h"
#include "mailtext/sender_name.h"
#include "mailtext/split_mail.h"
#include "sys/file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gleanix;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = sys::splitLines(input);

  std::vector<std::string> header;
  std::vector<std::string> body;
  int warnings = 0;
  mailtext::splitMail(lines, header, body, [&warnings](const std::string&) { ++warnings; });

  std::size_t separator = 0;
  while (separator < lines.size() && !lines[separator].empty()) ++separator;
  if (header.size() != separator) std::abort();
  if (separator == lines.size() && !body.empty()) std::abort();
  if (body.size() > lines.size()) std::abort();
  if (warnings > 1) std::abort();

  for (const char* name : {"FROM:", "SUBJECT:", "DATE:", "CONTENT-TYPE:", "X:"}) {
    const std::string value = mailtext::headerField(name, header);
    const std::string sender = mailtext::senderName(value);
    if (sender.size() > value.size()) std::abort();
    mailtext::bareSubject(value);
  }
  mailtext::senderName(input);
  mailtext::multipartBoundary(input);
  return 0;
}
