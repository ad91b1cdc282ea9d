#include "pickup/keyword_search.h"

#include "pickup/candidates.h"
#include "mailtext/mail_parts.h"
#include "regex/keyword_item.h"
#include "store/list_file.h"
#include "store/mail_store.h"

namespace gleanix::pickup {

PickupResult keywordSearch(const sys::FileSystem& fs, std::string_view mailRoot,
                           const std::vector<std::string>& folders, const KeywordOptions& options,
                           const mailtext::JisToSjisFunction& jisToSjis, const mailtext::MailWarning& warn,
                           PickupProgress& progress) {
  // Plain mode: the pattern characters ( | ) + * ? . [ ] and "\" of a term
  // are matched as themselves; fuzzy folding finds case, width and kana
  // variants.
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
  progress.setMaximum(candidates.size());
  mailtext::MailParts mail;
  std::string buffer;
  for (std::size_t i = candidates.size(); i-- > 0;) {
    const std::string& hit = candidates[i];
    if (const auto bytes = store.fs().readFile(store.absolute(hit) + ".ALM")) {
      mail.split(*bytes, warn);
      if (keywords.test(keywordTarget(mail, options.parts, jisToSjis, buffer))) {
        result.hits.push_back(hit);
        // The row of the hit is taken from this reading.
        result.summaries.emplace_back(summarize(mail.header()));
      }
    }
    progress.setPosition(candidates.size() - i);
    if (progress.processMessages()) {
      result.aborted = true;
      break;
    }
  }
  return result;
}

}  // namespace gleanix::pickup
