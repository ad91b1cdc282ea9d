#include "pickup/related_search.h"

#include <algorithm>
#include <optional>

#include "pickup/candidates.h"
#include "pickup/key_set.h"
#include "store/list_file.h"
#include "store/mail_store.h"
#include "mailtext/mail_parts.h"
#include "util/read_ahead.h"

namespace gleanix::pickup {

std::string passLineText(int degree, std::size_t total, std::size_t hits) {
  return std::to_string(degree) + "次：" + std::to_string(total) + "通中 " + std::to_string(hits) + "通ヒット";
}

namespace {

// One set per kind of key.
struct KeyGroup {
  KeySet ids;  // message, reply and reference ids together
  KeySet subjects;
  KeySet tags;
};

struct Candidate {
  std::string hit;
  RelationKeys keys;
  std::optional<MailSummary> summary;  // for its row, should it be found; none when unreadable
  bool found = false;
};

// What reading one mail gives the search: its keys and the summary for its
// row, none when it cannot be read; the warnings of splitting it.
struct ReadKeys {
  std::string file;
  std::optional<RelationKeys> keys;
  std::optional<MailSummary> summary;
  HeldWarnings warnings;
};

enum class KeysOf { Starting, Candidate };

// Reads and splits the mail file of a hit and takes its keys; safe on any
// thread.
ReadKeys readKeys(const store::MailStore& store, const std::string& hit, const RelationOptions& relations,
                  KeysOf kind) {
  ReadKeys read;
  read.file = store.absolute(hit) + ".ALM";
  const std::optional<std::string> bytes = store.fs().readFile(read.file);
  if (!bytes) return read;
  mailtext::MailParts mail;
  mail.split(*bytes, read.warnings.collector());
  read.keys = kind == KeysOf::Starting ? startingMailKeys(mail.header(), mail.body(), relations)
                                       : candidateKeys(mail.header(), mail.body(), relations);
  read.summary = summarize(mail.header());
  return read;
}

void addKey(KeySet& set, const std::string& key) {
  if (!key.empty()) set.insert(key);
}

void seed(KeyGroup& frontier, const RelationKeys& k) {
  addKey(frontier.ids, k.messageId);
  addKey(frontier.ids, k.replyId);
  for (const std::string& id : k.referenceIds) addKey(frontier.ids, id);
  addKey(frontier.subjects, k.bareSubject);
  for (const std::string& tag : k.tags) addKey(frontier.tags, tag);
}

bool inSet(const KeySet& set, const std::string& key) { return !key.empty() && set.contains(key); }

bool anyInSet(const KeySet& set, const std::vector<std::string>& keys) {
  return std::any_of(keys.begin(), keys.end(), [&](const std::string& k) { return inSet(set, k); });
}

bool isRelated(const RelationKeys& k, const KeyGroup& frontier, const RelationOptions& o) {
  if (o.inReplyTo && (inSet(frontier.ids, k.replyId) || inSet(frontier.ids, k.messageId))) return true;
  if (o.references && (inSet(frontier.ids, k.messageId) || anyInSet(frontier.ids, k.referenceIds))) return true;
  if (o.subject && inSet(frontier.subjects, k.bareSubject)) return true;
  if (o.quotes && anyInSet(frontier.tags, k.tags)) return true;
  return false;
}

// A found mail's keys feed the next pass unless they have been frontier
// keys already. The mail leaves the candidates, so its keys are moved.
void addToNext(KeySet& next, const KeySet& frontier, const KeySet& used, std::string& key) {
  if (!key.empty() && !frontier.contains(key) && !used.contains(key)) next.take(std::move(key));
}

void collectNext(RelationKeys& k, KeyGroup& next, const KeyGroup& frontier, const KeyGroup& used) {
  addToNext(next.ids, frontier.ids, used.ids, k.messageId);
  addToNext(next.ids, frontier.ids, used.ids, k.replyId);
  for (std::string& id : k.referenceIds) addToNext(next.ids, frontier.ids, used.ids, id);
  addToNext(next.subjects, frontier.subjects, used.subjects, k.bareSubject);
  for (std::string& tag : k.tags) addToNext(next.tags, frontier.tags, used.tags, tag);
}

void endPass(KeySet& used, KeySet& frontier, KeySet& next) {
  used.takeAll(frontier);
  frontier.swap(next);
  next.clear();
}

void takeKeys(Candidate& c, ReadKeys read, const MailWarningAt& warn) {
  read.warnings.tell(warn, read.file);
  if (read.keys) c.keys = std::move(*read.keys);
  c.summary = std::move(read.summary);
}

// Every candidate's keys and summary, read ahead in candidate order. An
// abort ends the search at the first candidate the first pass looks at,
// the last one: once it is seen, only that one is still read.
void readCandidates(const store::MailStore& store, std::vector<Candidate>& candidates,
                    const RelationOptions& relations, const MailWarningAt& warn, PickupProgress& progress,
                    const util::ReadAheadLimits& readAhead) {
  const auto read = [&](std::size_t i) { return readKeys(store, candidates[i].hit, relations, KeysOf::Candidate); };
  util::ReadAhead<ReadKeys> ahead(candidates.size(), read, [](const ReadKeys&) { return std::size_t{0}; }, readAhead);
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    takeKeys(candidates[i], ahead.take(), warn);
    if (progress.processMessages() && i + 1 < candidates.size()) {
      ahead.stop();
      takeKeys(candidates.back(), read(candidates.size() - 1), warn);
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

  KeyGroup frontier, next, used;
  KeySet starting;
  std::vector<std::optional<MailSummary>> startingSummaries;
  for (const std::string& hit : startingMails) {
    starting.insert(hit);
    std::optional<MailSummary>& summary = startingSummaries.emplace_back();
    if (files.exists(hit)) {
      ReadKeys read = readKeys(store, hit, relations, KeysOf::Starting);
      read.warnings.tell(warn, read.file);
      if (read.keys) seed(frontier, *read.keys);
      summary = std::move(read.summary);
    }
    progress.processMessages();
  }

  std::vector<Candidate> candidates;
  for (std::string& hit : collectCandidates(store, files, folders, [&](std::size_t) {
         progress.processMessages();
         return false;
       })) {
    if (!starting.contains(hit)) candidates.push_back({std::move(hit), {}, std::nullopt, false});
  }

  PickupResult result;
  if (options.mailInclude) {
    // A starting mail that names a path outside the store is no mail.
    for (std::size_t i = 0; i < startingMails.size(); ++i) {
      if (!store::isListedMailId(startingMails[i])) continue;
      result.hits.push_back(startingMails[i]);
      result.summaries.push_back(std::move(startingSummaries[i]));
    }
  }

  readCandidates(store, candidates, relations, warn, progress, readAhead);

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
      if (isRelated(c.keys, frontier, relations)) {
        collectNext(c.keys, next, frontier, used);
        result.hits.push_back(c.hit);
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
    endPass(used.ids, frontier.ids, next.ids);
    endPass(used.subjects, frontier.subjects, next.subjects);
    endPass(used.tags, frontier.tags, next.tags);
  }
  return result;
}

}  // namespace gleanix::pickup
