#pragma once
// The keys by which the related pickup relates two mails: message ids,
// reply ids, reference ids, bare subjects and mailing-list article tags
// such as "[list:01234]".

#include <string>
#include <string_view>
#include <vector>

namespace gleanix::pickup {

// The tag a subject starts with: the upper-cased subject's text up to and
// including its first "]" when it starts with "[", kept only when it holds
// a ":". Empty when there is none.
std::string subjectTag(std::string_view upperSubject);

// The tags of one body line, in order: the trimmed line is scanned from the
// left, each "[" up to the next "]" is taken as a tag and the scan goes on
// after it; a tag counts only when it holds a ":". The scan ends when no
// "[" or no closing "]" follows. Letter case is kept.
void appendBodyTags(std::string_view line, std::vector<std::string>& tags);

// The References value (upper-cased) trimmed and cut at every ",", each
// piece trimmed; ids separated only by blanks stay one piece. Empty pieces
// are dropped: an empty key never relates anything.
std::vector<std::string> referenceIds(std::string_view upperReferences);

// A candidate's tag list as one text: the subject tag first, then each body
// tag that does not already occur in the text built so far (as a
// substring, letter case counting), joined with ",".
std::string tagListText(const std::string& subjectTag, const std::vector<std::string>& bodyTags);

// The tags a tag list text stands for when it is tested: cut at ",", each
// piece trimmed, empty pieces dropped.
std::vector<std::string> tagsOfList(std::string_view tagList);

// The relation keys of one mail, as far as the switched-on relations need
// them; unused keys stay empty.
struct RelationOptions {
  bool inReplyTo = true;   // "InReplyTo"
  bool references = true;  // "References"
  bool subject = true;     // "Subject"
  bool quotes = true;      // "Quotes"
};

struct RelationKeys {
  std::string messageId;                  // when inReplyTo or references
  std::string replyId;                    // when inReplyTo
  std::vector<std::string> referenceIds;  // when references
  std::string bareSubject;                // when subject
  // when quotes: for a starting mail the subject tag and every body tag;
  // for a candidate the pieces of its tag list text.
  std::vector<std::string> tags;
};

// Keys of a starting mail (seeding the first pass).
RelationKeys startingMailKeys(const std::vector<std::string>& header, const std::vector<std::string>& body,
                              const RelationOptions& options);
RelationKeys startingMailKeys(const std::vector<std::string_view>& header,
                              const std::vector<std::string_view>& body, const RelationOptions& options);

// Keys of a candidate (its tag list built as tagListText does).
RelationKeys candidateKeys(const std::vector<std::string>& header, const std::vector<std::string>& body,
                           const RelationOptions& options);
RelationKeys candidateKeys(const std::vector<std::string_view>& header, const std::vector<std::string_view>& body,
                           const RelationOptions& options);

}  // namespace gleanix::pickup
