#pragma once
// The related-mail pickup: starting from chosen mails, the mails of the
// searched folders related to them through In-Reply-To, References, equal
// bare subjects and mailing-list article tags, followed in passes (degrees).

#include <string>
#include <string_view>
#include <vector>

#include "mailtext/split_mail.h"
#include "pickup/mail_warning.h"
#include "pickup/progress.h"
#include "pickup/relation_keys.h"
#include "sys/file_system.h"
#include "util/read_ahead.h"

namespace gleanix::pickup {

// The values the related dialog writes.
struct RelatedOptions {
  RelationOptions relations;
  bool mailInclude = false;  // "MailInclude": the starting mails lead the result
  int order = 1;             // "Order": the last degree searched; 0 = no limit
};

// The text of a pass's progress line: "2次：120通中 3通ヒット".
std::string passLineText(int degree, std::size_t total, std::size_t hits);

// startingMails are hit paths (folder path + key, or trash-list keys). The
// candidates are the mails of the folders (walked as the mark search walks
// them) other than the starting mails. Each pass walks the remaining
// candidates from the last to the first and takes every candidate related
// to a key of the previous pass's finds (the starting mails for pass 1);
// the keys of its finds feed the next pass only. Passes go on while the
// last one found something, candidates remain, no abort came and the degree
// is below order (order 0: no limit).
//
// Result: the starting mails first when mailInclude is set, then pass 1's
// finds, pass 2's, ... Progress: one text line per pass; the abort flag is
// looked at after each candidate of a pass, and an abort keeps the finds.
// The candidates are read and their keys taken ahead on helper threads (see
// util::ReadAhead; readAhead.threads = 1 does all on this thread);
// progress, warnings (each with its mail file, in candidate order) and the
// passes stay on this thread.
PickupResult relatedSearch(const sys::FileSystem& fs, std::string_view mailRoot,
                           const std::vector<std::string>& folders, const std::vector<std::string>& startingMails,
                           const RelatedOptions& options, const MailWarningAt& warn, PickupProgress& progress,
                           const util::ReadAheadLimits& readAhead = {});

}  // namespace gleanix::pickup
