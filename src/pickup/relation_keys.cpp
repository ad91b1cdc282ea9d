#include "pickup/relation_keys.h"

#include "mailtext/bare_subject.h"
#include "mailtext/header_field.h"
#include "util/sjis.h"

namespace gleanix::pickup {

std::string subjectTag(std::string_view upperSubject) {
  if (upperSubject.empty() || upperSubject[0] != '[') return {};
  const std::size_t close = util::findByte(upperSubject, ']');
  if (close == std::string_view::npos) return {};
  const std::string_view tag = upperSubject.substr(0, close + 1);
  return util::findByte(tag, ':') == std::string_view::npos ? std::string() : std::string(tag);
}

void appendBodyTags(std::string_view line, std::vector<std::string>& tags) {
  std::string_view rest = util::trim(line);
  for (;;) {
    const std::size_t open = util::findByte(rest, '[');
    if (open == std::string_view::npos) return;
    const std::size_t close = util::findByte(rest, ']', open + 1);
    if (close == std::string_view::npos) return;
    const std::string_view tag = rest.substr(open, close - open + 1);
    if (util::findByte(tag, ':') != std::string_view::npos) tags.emplace_back(tag);
    rest = util::trim(rest.substr(close + 1));
  }
}

namespace {

std::vector<std::string> cutAtCommas(std::string_view text) {
  std::vector<std::string> out;
  for (;;) {
    const std::size_t comma = util::findByte(text, ',');
    const std::string_view piece = util::trim(text.substr(0, comma));
    if (!piece.empty()) out.emplace_back(piece);
    if (comma == std::string_view::npos) return out;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace

std::vector<std::string> referenceIds(std::string_view upperReferences) {
  return cutAtCommas(util::trim(upperReferences));
}

std::string tagListText(const std::string& subjectTag, const std::vector<std::string>& bodyTags) {
  std::string list = subjectTag;
  for (const std::string& tag : bodyTags) {
    if (list.find(tag) != std::string::npos) continue;
    if (!list.empty()) list += ',';
    list += tag;
  }
  return list;
}

std::vector<std::string> tagsOfList(std::string_view tagList) { return cutAtCommas(tagList); }

namespace {

template <typename Line>
RelationKeys headerKeys(const std::vector<Line>& header, const RelationOptions& options, std::string& upperSubject) {
  RelationKeys k;
  if (options.inReplyTo || options.references) {
    k.messageId = util::upperAscii(mailtext::headerField("MESSAGE-ID:", header));
  }
  if (options.inReplyTo) k.replyId = util::upperAscii(mailtext::headerField("IN-REPLY-TO:", header));
  if (options.references) {
    k.referenceIds = referenceIds(util::upperAscii(mailtext::headerField("REFERENCES:", header)));
  }
  if (options.subject || options.quotes) {
    upperSubject = util::upperAscii(mailtext::headerField("SUBJECT:", header));
  }
  if (options.subject) k.bareSubject = mailtext::bareSubject(upperSubject);
  return k;
}

template <typename Line>
std::vector<std::string> bodyTags(const std::vector<Line>& body) {
  std::vector<std::string> tags;
  for (const Line& line : body) appendBodyTags(line, tags);
  return tags;
}

template <typename Line>
RelationKeys startingKeysOf(const std::vector<Line>& header, const std::vector<Line>& body,
                            const RelationOptions& options) {
  std::string upperSubject;
  RelationKeys k = headerKeys(header, options, upperSubject);
  if (options.quotes) {
    std::string tag = subjectTag(upperSubject);
    if (!tag.empty()) k.tags.push_back(std::move(tag));
    for (std::string& t : bodyTags(body)) k.tags.push_back(std::move(t));
  }
  return k;
}

template <typename Line>
RelationKeys candidateKeysOf(const std::vector<Line>& header, const std::vector<Line>& body,
                             const RelationOptions& options) {
  std::string upperSubject;
  RelationKeys k = headerKeys(header, options, upperSubject);
  if (options.quotes) k.tags = tagsOfList(tagListText(subjectTag(upperSubject), bodyTags(body)));
  return k;
}

}  // namespace

RelationKeys startingMailKeys(const std::vector<std::string>& header, const std::vector<std::string>& body,
                              const RelationOptions& options) {
  return startingKeysOf(header, body, options);
}

RelationKeys startingMailKeys(const std::vector<std::string_view>& header,
                              const std::vector<std::string_view>& body, const RelationOptions& options) {
  return startingKeysOf(header, body, options);
}

RelationKeys candidateKeys(const std::vector<std::string>& header, const std::vector<std::string>& body,
                           const RelationOptions& options) {
  return candidateKeysOf(header, body, options);
}

RelationKeys candidateKeys(const std::vector<std::string_view>& header, const std::vector<std::string_view>& body,
                           const RelationOptions& options) {
  return candidateKeysOf(header, body, options);
}

}  // namespace gleanix::pickup
