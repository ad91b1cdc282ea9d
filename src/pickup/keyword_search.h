#pragma once
// The keyword pickup: mails whose chosen parts hold the keywords, every term
// matched as plain text with fuzzy character folding.

#include <string>
#include <string_view>
#include <vector>

#include "mailtext/body_decode.h"
#include "mailtext/split_mail.h"
#include "pickup/keyword_target.h"
#include "pickup/mail_warning.h"
#include "pickup/progress.h"
#include "sys/file_system.h"
#include "util/read_ahead.h"

namespace gleanix::pickup {

// The values the keyword dialog writes.
struct KeywordOptions {
  // Lines separated by CR LF; the terms of a line, separated by ASCII
  // blanks, must all occur; any line may hold.
  std::string keywords;
  KeywordParts parts;
};

// Candidates: the mails of the folders, each folder's list file walked from
// its last line to its first (as the mark search walks them). They are then
// tested from the last to the first, so the hits come folder by folder from
// the last folder of the list to the first, and inside a folder in
// list-file order. Progress: maximum = number of candidates, position =
// candidates tested; the abort flag is looked at after each candidate.
//
// The next candidates are read and split ahead on helper threads (see
// util::ReadAhead; readAhead.threads = 1 does all on this thread), with the
// conversion too when it is pure; the host's conversion, the matching,
// progress and warnings (each with its mail file, in candidate order) stay
// on this thread. After an abort no further mail is tested, and the
// helpers are joined before the search returns.
PickupResult keywordSearch(const sys::FileSystem& fs, std::string_view mailRoot,
                           const std::vector<std::string>& folders, const KeywordOptions& options,
                           const mailtext::JisConversion& conversion, const MailWarningAt& warn,
                           PickupProgress& progress, const util::ReadAheadLimits& readAhead = {});

}  // namespace gleanix::pickup
