#include "pickup/related_search.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "pickup/candidates.h"
#include "pickup/key_index.h"
#include "pickup/key_set.h"
#include "store/list_file.h"
#include "store/mail_store.h"
#include "mailtext/mail_parts.h"
#include "util/object_pool.h"
#include "util/read_ahead.h"

namespace gleanix::pickup {

std::string passLineText(int degree, std::size_t total, std::size_t hits) {
  return std::to_string(degree) + "次：" + std::to_string(total) + "通中 " + std::to_string(hits) + "通ヒット";
}

namespace {

// The keys of one kind (message, reply and reference ids together; bare
// subjects; article tags) by number, each in one state of the passes: not
// met yet, in the frontier the pass relates to, used by an earlier pass, or
// gathered from this pass's finds for the next one. The states exclude one
// another: a find's key goes to the next pass only when it has been in no
// frontier yet.
class KeyPasses {
 public:
  using Id = KeyIndex::Id;
  KeyIndex index;

  // Into the first frontier; takes effect at begin().
  void seed(Id id) {
    if (id != 0) frontier_.push_back(id);
  }
  // Once every key is numbered, before the first pass.
  void begin() {
    state_.assign(index.size(), kNone);
    for (const Id id : frontier_) state_[id] = kFrontier;
  }
  bool inFrontier(Id id) const { return state_[id] == kFrontier; }
  void gather(Id id) {
    if (id == 0 || state_[id] != kNone) return;
    state_[id] = kNext;
    next_.push_back(id);
  }
  void endPass() {
    for (const Id id : frontier_) state_[id] = kUsed;
    for (const Id id : next_) state_[id] = kFrontier;
    frontier_.swap(next_);
    next_.clear();
  }

 private:
  enum : std::uint8_t { kNone, kFrontier, kUsed, kNext };
  std::vector<std::uint8_t> state_;  // by number; 0 (the empty key) stays kNone
  std::vector<Id> frontier_, next_;
};

struct KeyGroup {
  KeyPasses ids;
  KeyPasses subjects;
  KeyPasses tags;
  std::vector<KeyIndex::Id> lists;  // the candidates' reference ids and tags
};

struct Candidate {
  std::string hit;
  KeyIndex::Id messageId = 0, replyId = 0, subject = 0;
  std::uint32_t refsBegin = 0, refsEnd = 0, tagsBegin = 0, tagsEnd = 0;  // in KeyGroup::lists
  std::optional<MailSummary> summary;  // for its row, should it be found; none when unreadable
  bool found = false;
};

// What reading one mail gives the search: its keys and the summary for its
// row, none when it cannot be read; the warnings of splitting it. Pooled,
// so that the keys' buffers are used again.
struct ReadKeys {
  std::string file;
  bool readable = false;
  RelationKeys keys;
  std::optional<MailSummary> summary;
  HeldWarnings warnings;
  std::string bytes;
  mailtext::MailParts mail;
};
using ReadKeysPool = util::ObjectPool<ReadKeys>;

enum class KeysOf { Starting, Candidate };

// Reads and splits the mail file of a hit and takes its keys; safe on any
// thread.
void readKeys(const store::MailStore& store, const std::string& hit, const RelationOptions& relations,
              KeysOf kind, ReadKeys& read) {
  read.file.assign(store.root()).append(hit).append(".ALM");
  read.warnings.clear();
  read.summary.reset();
  read.readable = store.fs().readFileInto(read.file, read.bytes);
  if (!read.readable) return;
  read.mail.split(read.bytes, read.warnings.collector());
  read.keys = kind == KeysOf::Starting ? startingMailKeys(read.mail.header(), read.mail.body(), relations)
                                       : candidateKeys(read.mail.header(), read.mail.body(), relations);
  read.summary = summarize(read.mail.header());
}

void seed(KeyGroup& group, const RelationKeys& k) {
  group.ids.seed(group.ids.index.intern(k.messageId));
  group.ids.seed(group.ids.index.intern(k.replyId));
  for (const std::string& id : k.referenceIds) group.ids.seed(group.ids.index.intern(id));
  group.subjects.seed(group.subjects.index.intern(k.bareSubject));
  for (const std::string& tag : k.tags) group.tags.seed(group.tags.index.intern(tag));
}

// The candidate's keys by number.
void number(Candidate& c, const RelationKeys& k, KeyGroup& group) {
  c.messageId = group.ids.index.intern(k.messageId);
  c.replyId = group.ids.index.intern(k.replyId);
  c.subject = group.subjects.index.intern(k.bareSubject);
  c.refsBegin = static_cast<std::uint32_t>(group.lists.size());
  for (const std::string& id : k.referenceIds) group.lists.push_back(group.ids.index.intern(id));
  c.refsEnd = c.tagsBegin = static_cast<std::uint32_t>(group.lists.size());
  for (const std::string& tag : k.tags) group.lists.push_back(group.tags.index.intern(tag));
  c.tagsEnd = static_cast<std::uint32_t>(group.lists.size());
}

bool anyInFrontier(const KeyPasses& passes, const KeyGroup& group, std::uint32_t begin, std::uint32_t end) {
  for (std::uint32_t i = begin; i < end; ++i) {
    if (passes.inFrontier(group.lists[i])) return true;
  }
  return false;
}

bool isRelated(const Candidate& c, const KeyGroup& g, const RelationOptions& o) {
  if (o.inReplyTo && (g.ids.inFrontier(c.replyId) || g.ids.inFrontier(c.messageId))) return true;
  if (o.references && (g.ids.inFrontier(c.messageId) || anyInFrontier(g.ids, g, c.refsBegin, c.refsEnd))) {
    return true;
  }
  if (o.subject && g.subjects.inFrontier(c.subject)) return true;
  if (o.quotes && anyInFrontier(g.tags, g, c.tagsBegin, c.tagsEnd)) return true;
  return false;
}

// A found mail's keys feed the next pass unless they have been frontier
// keys already.
void collectNext(const Candidate& c, KeyGroup& g) {
  g.ids.gather(c.messageId);
  g.ids.gather(c.replyId);
  for (std::uint32_t i = c.refsBegin; i < c.refsEnd; ++i) g.ids.gather(g.lists[i]);
  g.subjects.gather(c.subject);
  for (std::uint32_t i = c.tagsBegin; i < c.tagsEnd; ++i) g.tags.gather(g.lists[i]);
}

void takeKeys(Candidate& c, ReadKeys& read, KeyGroup& group, const MailWarningAt& warn) {
  read.warnings.tell(warn, read.file);
  if (read.readable) number(c, read.keys, group);
  c.summary = std::move(read.summary);
}

// Every candidate's keys and summary, read ahead in candidate order. An
// abort ends the search at the first candidate the first pass looks at,
// the last one: once it is seen, only that one is still read.
void readCandidates(const store::MailStore& store, std::vector<Candidate>& candidates, KeyGroup& group,
                    const RelationOptions& relations, const MailWarningAt& warn, PickupProgress& progress,
                    const util::ReadAheadLimits& readAhead) {
  ReadKeysPool pool(2 * readAhead.window + 8);  // outlives the read-ahead, whose helpers use it
  const auto read = [&](std::size_t i) {
    std::unique_ptr<ReadKeys> keys = pool.get();
    readKeys(store, candidates[i].hit, relations, KeysOf::Candidate, *keys);
    return keys;
  };
  const auto weight = [](const std::unique_ptr<ReadKeys>& r) { return r->bytes.capacity(); };
  util::ReadAhead<std::unique_ptr<ReadKeys>> ahead(candidates.size(), read, weight, readAhead);
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    std::unique_ptr<ReadKeys> keys = ahead.take();
    takeKeys(candidates[i], *keys, group, warn);
    if (keys->bytes.capacity() <= kPooledMailBytes) pool.put(std::move(keys));
    if (progress.processMessages() && i + 1 < candidates.size()) {
      ahead.stop();
      takeKeys(candidates.back(), *read(candidates.size() - 1), group, warn);
      return;
    }
  }
}

}  // namespace

PickupResult relatedSearch(const sys::FileSystem& fs, std::string_view mailRoot,
                           const std::vector<std::string>& folders, const std::vector<std::string>& startingMails,
                           const RelatedOptions& options, const MailWarningAt& warn, PickupProgress& progress,
                           const util::ReadAheadLimits& readAhead) {
  const RelationOptions& relations = options.relations;
  const store::MailStore store(fs, mailRoot);
  store::MailFileIndex files(store);

  KeyGroup group;
  KeySet starting;
  std::vector<std::optional<MailSummary>> startingSummaries;
  for (const std::string& hit : startingMails) {
    starting.insert(hit);
    std::optional<MailSummary>& summary = startingSummaries.emplace_back();
    if (files.exists(hit)) {
      ReadKeys read;
      readKeys(store, hit, relations, KeysOf::Starting, read);
      read.warnings.tell(warn, read.file);
      if (read.readable) seed(group, read.keys);
      summary = std::move(read.summary);
    }
    progress.processMessages();
  }

  std::vector<std::string> hits = collectCandidates(store, files, folders, [&](std::size_t) {
    progress.processMessages();
    return false;
  });
  std::vector<Candidate> candidates;
  candidates.reserve(hits.size());
  for (std::string& hit : hits) {
    if (!starting.contains(hit)) candidates.emplace_back().hit = std::move(hit);
  }
  hits = {};

  PickupResult result;
  result.hits.reserve(startingMails.size() + candidates.size());
  result.summaries.reserve(startingMails.size() + candidates.size());
  if (options.mailInclude) {
    // A starting mail that names a path outside the store is no mail.
    for (std::size_t i = 0; i < startingMails.size(); ++i) {
      if (!store::isListedMailId(startingMails[i])) continue;
      result.hits.push_back(startingMails[i]);
      result.summaries.push_back(std::move(startingSummaries[i]));
    }
  }

  readCandidates(store, candidates, group, relations, warn, progress, readAhead);
  group.ids.begin();
  group.subjects.begin();
  group.tags.begin();

  int degree = 0;
  bool found = true;
  while (found && !result.aborted && !candidates.empty() && (options.order == 0 || degree < options.order)) {
    ++degree;
    progress.addLine();
    const std::size_t total = candidates.size();
    std::size_t hits = 0;
    found = false;
    for (std::size_t i = candidates.size(); i-- > 0;) {
      Candidate& c = candidates[i];
      if (isRelated(c, group, relations)) {
        collectNext(c, group);
        result.hits.push_back(std::move(c.hit));  // a found candidate is dropped after the pass
        result.summaries.emplace_back(std::move(c.summary));
        c.found = true;
        found = true;
        progress.setLine(passLineText(degree, total, ++hits));
      }
      if (progress.processMessages()) {
        result.aborted = true;
        break;
      }
    }
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(), [](const Candidate& c) { return c.found; }),
                     candidates.end());
    group.ids.endPass();
    group.subjects.endPass();
    group.tags.endPass();
  }
  return result;
}

}  // namespace gleanix::pickup
