#include "pickup/keyword_target.h"

#include "mailtext/header_field.h"
#include "util/sjis.h"

namespace gleanix::pickup {

namespace {

// The listed fields: name as written (trimmed, ":" added), a blank, the
// value as stored; no separator between fields.
template <typename Line>
void appendListedFields(const std::vector<Line>& header, const KeywordParts& parts, std::string& target) {
  for (const std::string& entry : parts.headerList) {
    std::string name(util::trim(entry));
    if (name.empty()) continue;
    if (util::lastChar(name) != ":") name += ':';
    target += name;
    target += ' ';
    target += mailtext::headerField(util::upperAscii(name), header);
  }
}

}  // namespace

std::string keywordTarget(const std::vector<std::string>& header, const std::vector<std::string>& body,
                          const KeywordParts& parts, const mailtext::JisToSjisFunction& jisToSjis) {
  std::string target;
  if (parts.allHeaders) {
    target = mailtext::joinLines(header);
  } else if (parts.headers) {
    appendListedFields(header, parts, target);
  }
  if (parts.body) target += mailtext::decodeBody(mailtext::joinLines(body), jisToSjis);
  return target;
}

std::string_view keywordTarget(mailtext::MailParts& mail, const KeywordParts& parts,
                               const mailtext::JisToSjisFunction& jisToSjis, std::string& buffer) {
  const bool headerPart = parts.allHeaders || parts.headers;
  const bool decode = parts.body && mail.bodyNeedsDecoding();
  if (parts.body && !headerPart && !decode && mail.viewedInPlace()) return mail.bodyText();
  // The text is built once, in buffer: a mail of one huge line costs its
  // bytes and this one copy.
  buffer.clear();
  if (parts.allHeaders) {
    mail.appendHeaderText(buffer);
  } else if (parts.headers) {
    appendListedFields(mail.header(), parts, buffer);
  }
  if (!parts.body) return buffer;
  if (decode) {
    buffer += mailtext::decodeBody(std::string(mail.bodyText()), jisToSjis);
  } else {
    mail.appendBodyText(buffer);
  }
  return buffer;
}

}  // namespace gleanix::pickup
