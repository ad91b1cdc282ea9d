// A mail file of arbitrary bytes through the related pickup's key reading
// and the pickup list's column split: no crash, no read past the end, and
// the keys keep their promises (tags are bracketed and hold a ":", no key
// is empty, a key set finds what was put into it; the two path columns
// put together give the display path back).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "pickup/display_path_parts.h"
#include "pickup/row_sort.h"
#include "mailtext/split_mail.h"
#include "pickup/key_set.h"
#include "pickup/relation_keys.h"
#include "sys/file_system.h"
#include "util/sjis.h"

namespace {

using namespace gleanix;

void check(bool ok) {
  if (!ok) std::abort();
}

bool isBracketedTag(const std::string& tag) {
  return tag.size() >= 3 && tag.front() == '[' && tag.back() == ']' &&
         util::findByte(tag, ':') != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> header, body;
  mailtext::splitMail(sys::splitLines(input), header, body, {});

  const pickup::RelationOptions all;
  const pickup::RelationKeys start = pickup::startingMailKeys(header, body, all);
  const pickup::RelationKeys candidate = pickup::candidateKeys(header, body, all);
  for (const std::string& tag : start.tags) check(isBracketedTag(tag));
  pickup::KeySet set;
  for (const std::string& tag : candidate.tags) {
    check(!tag.empty() && util::findByte(tag, ',') == std::string::npos);
    set.insert(tag);
  }
  for (const std::string& id : candidate.referenceIds) {
    check(!id.empty());
    set.insert(util::upperAscii(id));
  }
  for (const std::string& tag : candidate.tags) check(set.contains(util::upperAscii(tag)));
  for (const std::string& id : candidate.referenceIds) check(set.contains(id));
  check(start.bareSubject == candidate.bareSubject && start.messageId == candidate.messageId);

  const pickup::DisplayPathParts parts = pickup::splitDisplayPath(input);
  check(parts.directory + parts.rest == input);
  pickup::PickupRow row;
  row.subject = input;
  row.sender = input;
  pickup::sortKey(row, pickup::SortColumn::Subject, true);
  pickup::sortKey(row, pickup::SortColumn::Sender, true);
  return 0;
}
