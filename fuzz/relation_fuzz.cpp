// A mail file of arbitrary bytes through the related pickup's key reading
// and the pickup list's column split: no crash, no read past the end, and
// the keys keep their promises (tags are bracketed and hold a ":", no key
// is empty, a key set finds what was put into it, numbered keys are equal
// exactly when the key set calls them equal; the two path columns
// put together give the display path back).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "pickup/display_path_parts.h"
#include "pickup/row_sort.h"
#include "mailtext/split_mail.h"
#include "pickup/key_index.h"
#include "pickup/key_set.h"
#include "pickup/relation_keys.h"
#include "sys/file_system.h"
#include "util/folded_key.h"
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

  std::vector<std::string> keys(candidate.tags.begin(), candidate.tags.end());
  keys.insert(keys.end(), candidate.referenceIds.begin(), candidate.referenceIds.end());
  for (const std::string& line : header) {
    keys.push_back(line);
    keys.push_back(util::upperAscii(line));
  }
  if (keys.size() > 64) keys.resize(64);
  pickup::KeyIndex index;
  std::vector<pickup::KeyIndex::Id> ids;
  for (const std::string& key : keys) ids.push_back(index.intern(key));
  for (std::size_t i = 0; i < keys.size(); ++i) {
    check((ids[i] == 0) == keys[i].empty() && index.intern(keys[i]) == ids[i]);
    for (std::size_t j = 0; j < i; ++j) check((ids[i] == ids[j]) == util::FoldedEqual()(keys[i], keys[j]));
  }

  const pickup::DisplayPathParts parts = pickup::splitDisplayPath(input);
  check(parts.directory + parts.rest == input);
  pickup::PickupRow row;
  row.subject = input;
  row.sender = input;
  pickup::sortKey(row, pickup::SortColumn::Subject, true);
  pickup::sortKey(row, pickup::SortColumn::Sender, true);
  return 0;
}
