#include "pickup/keyword_search.h"

#include <memory>
#include <optional>

#include "pickup/candidates.h"
#include "mailtext/mail_parts.h"
#include "regex/keyword_item.h"
#include "store/list_file.h"
#include "store/mail_store.h"
#include "util/object_pool.h"
#include "util/read_ahead.h"

namespace gleanix::pickup {

namespace {

// One candidate as a helper leaves it: read, split and, unless the host's
// conversion is needed, its target text built. Kept behind a pointer: the
// parts and the target are views into the bytes and the buffer.
struct ReadMail {
  std::string file;
  bool readable = false;
  std::string bytes;
  mailtext::MailParts parts;
  std::string buffer;
  std::string_view target;
  bool targetReady = false;  // false: built on the search's thread
  HeldWarnings warnings;
};

// Mails tested go back to a pool and are read into again.
using ReadMailPool = util::ObjectPool<ReadMail>;

// The pure part of testing one candidate, safe on any thread.
std::unique_ptr<ReadMail> readCandidate(const store::MailStore& store, const std::string& hit,
                                        const KeywordOptions& options, const mailtext::JisConversion& conversion,
                                        ReadMailPool& pool) {
  std::unique_ptr<ReadMail> mail = pool.get();
  mail->file.assign(store.root()).append(hit).append(".ALM");
  mail->warnings.clear();
  mail->targetReady = false;
  mail->readable = store.fs().readFileInto(mail->file, mail->bytes);
  if (!mail->readable) return mail;
  mail->parts.split(mail->bytes, mail->warnings.collector());
  // A body in ISO-2022-JP goes through the conversion: the host's runs on
  // the search's thread only.
  if (conversion.pure || !options.parts.body || !mail->parts.bodyNeedsDecoding()) {
    mail->target = keywordTarget(mail->parts, options.parts, conversion.convert, mail->buffer);
    mail->targetReady = true;
  }
  return mail;
}

std::size_t weightOf(const std::unique_ptr<ReadMail>& mail) { return mail->bytes.size() + mail->buffer.capacity(); }

}  // namespace

PickupResult keywordSearch(const sys::FileSystem& fs, std::string_view mailRoot,
                           const std::vector<std::string>& folders, const KeywordOptions& options,
                           const mailtext::JisConversion& conversion, const MailWarningAt& warn,
                           PickupProgress& progress, const util::ReadAheadLimits& readAhead) {
  // Plain mode: the pattern characters ( | ) + * ? . [ ] and "\" of a term
  // are matched as themselves; fuzzy folding finds case, width and kana
  // variants. The terms are matched on this thread: the matcher builds its
  // automata lazily and is one for all mails (many terms cost much memory).
  regex::TKeywordItem keywords;
  keywords.setPlainMode(true);
  keywords.setKeywords(options.keywords);
  const store::MailStore store(fs, mailRoot);
  store::MailFileIndex files(store);
  // The abort flag is not looked at while the candidates are gathered; a
  // press then stops the search at the first candidate.
  const std::vector<std::string> candidates = collectCandidates(store, files, folders, [&](std::size_t) {
    progress.processMessages();
    return false;
  });

  PickupResult result;
  const std::size_t n = candidates.size();
  progress.setMaximum(n);
  // Tested from the last candidate to the first.
  ReadMailPool pool(2 * readAhead.window + 8);  // outlives the read-ahead, whose helpers use it
  util::ReadAhead<std::unique_ptr<ReadMail>> ahead(
      n, [&](std::size_t k) { return readCandidate(store, candidates[n - 1 - k], options, conversion, pool); },
      weightOf, readAhead);
  for (std::size_t k = 0; k < n; ++k) {
    std::unique_ptr<ReadMail> mail = ahead.take();
    mail->warnings.tell(warn, mail->file);
    if (mail->readable) {
      if (!mail->targetReady) mail->target = keywordTarget(mail->parts, options.parts, conversion.convert, mail->buffer);
      if (keywords.test(mail->target)) {
        result.hits.push_back(candidates[n - 1 - k]);
        // The row of the hit is taken from this reading.
        result.summaries.emplace_back(summarize(mail->parts.header()));
      }
    }
    if (mail->bytes.capacity() + mail->buffer.capacity() <= kPooledMailBytes) pool.put(std::move(mail));
    progress.setPosition(k + 1);
    if (progress.processMessages()) {
      result.aborted = true;
      break;
    }
  }
  return result;
}

}  // namespace gleanix::pickup
