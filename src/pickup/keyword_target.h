#pragma once
// The text of a mail that the keyword pickup tests its keywords against.

#include <string>
#include <string_view>
#include <vector>

#include "mailtext/body_decode.h"
#include "mailtext/mail_parts.h"

namespace gleanix::pickup {

// Which parts of a mail are searched (the keyword dialog's "本文",
// "ヘッダーのどこか", "以下のヘッダー" and its header box).
struct KeywordParts {
  bool body = true;          // "Body"
  bool allHeaders = false;   // "AllHeader"
  bool headers = false;      // "Header"; ignored while allHeaders is set
  std::vector<std::string> headerList;  // "HeaderList": names with or without their colon
};

// The target text: all header lines, each followed by CR LF (allHeaders);
// or for each listed field, in list order, its name as written (trimmed,
// with a ":" added when it has none), a blank and its value as stored, with
// no separator between fields (headers); then, with body, the body lines
// each followed by CR LF, turned into Shift-JIS by decodeBody. A blank line
// in the header list names no field and is passed over.
std::string keywordTarget(const std::vector<std::string>& header, const std::vector<std::string>& body,
                          const KeywordParts& parts, const mailtext::JisToSjisFunction& jisToSjis);

// The same text for a split mail file. When it is the body alone and needs
// no decoding it is a view into the mail's bytes; otherwise it is built in
// buffer. Valid while the mail, its bytes and buffer are.
std::string_view keywordTarget(mailtext::MailParts& mail, const KeywordParts& parts,
                               const mailtext::JisToSjisFunction& jisToSjis, std::string& buffer);

}  // namespace gleanix::pickup
