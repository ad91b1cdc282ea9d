#include "host/entry_format.h"

#include <cstdio>

#include "store/attribute.h"
#include "sys/file_system.h"
#include "util/sjis.h"

namespace gleanix::host {
namespace {

std::string doubledColons(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += util::charBytesAt(text, i)) {
    out.append(text.substr(i, util::charBytesAt(text, i)));
    if (text[i] == ':') out += ':';
  }
  return out;
}

}  // namespace

std::string headerValue(std::string_view mail, std::string_view name) {
  std::string value;
  bool inField = false;
  for (const std::string& line : sys::splitLines(mail)) {
    if (line.empty()) break;
    const bool continuation = line[0] == ' ' || line[0] == '\t';
    if (inField) {
      if (!continuation) break;
      value += line.substr(1);
    } else if (util::startsWithIgnoreCase(line, name)) {
      value = util::trim(std::string_view(line).substr(name.size()));
      inField = true;
    }
  }
  return value;
}

std::string senderAddress(std::string_view from) {
  std::string address;
  const std::size_t open = util::findByte(from, '<');
  const std::size_t close = open == std::string_view::npos ? open : util::findByte(from, '>', open);
  if (close != std::string_view::npos) {
    address = from.substr(open + 1, close - open - 1);
  } else {
    // The first blank-separated word holding "@" ("a@b (Name)").
    std::size_t start = 0;
    while (start < from.size()) {
      std::size_t end = util::findByte(from, ' ', start);
      if (end == std::string_view::npos) end = from.size();
      const std::string_view word = from.substr(start, end - start);
      if (util::findByte(word, '@') != std::string_view::npos) {
        address = word;
        break;
      }
      start = end + 1;
    }
  }
  std::string out;
  for (char c : address) {
    if (c != ':' && static_cast<unsigned char>(c) > 0x20) out += c;
  }
  return out;
}

std::string listLineTail(std::uint32_t attribute, std::string_view mail) {
  char size[16];
  const unsigned long long bytes = mail.size();
  std::snprintf(size, sizeof size, "%010llu", bytes > 9999999999ull ? 9999999999ull : bytes);
  return store::encodeAttribute(attribute) + size + senderAddress(headerValue(mail, "From:")) + ":" +
         doubledColons(headerValue(mail, "Subject:"));
}

}  // namespace gleanix::host
