#include "pickup/keyword_target.h"

#include "mailtext/header_field.h"
#include "util/sjis.h"

namespace gleanix::pickup {

std::string keywordTarget(const std::vector<std::string>& header, const std::vector<std::string>& body,
                          const KeywordParts& parts, const mailtext::JisToSjisFunction& jisToSjis) {
  std::string target;
  if (parts.allHeaders) {
    target = mailtext::joinLines(header);
  } else if (parts.headers) {
    for (const std::string& entry : parts.headerList) {
      std::string name(util::trim(entry));
      if (name.empty()) continue;
      if (util::lastChar(name) != ":") name += ':';
      target += name;
      target += ' ';
      target += mailtext::headerField(util::upperAscii(name), header);
    }
  }
  if (parts.body) target += mailtext::decodeBody(mailtext::joinLines(body), jisToSjis);
  return target;
}

}  // namespace gleanix::pickup
