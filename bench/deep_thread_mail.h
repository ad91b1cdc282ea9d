#pragma once
// The starting mail of the related-pickup benchmarks: the mail of the
// development list whose References name the most ancestors.

#include <string>
#include <vector>

#include "mailtext/header_field.h"
#include "mailtext/split_mail.h"
#include "pickup/relation_keys.h"
#include "store/list_file.h"
#include "store/mail_store.h"

namespace gleanix::bench {

inline std::string deepThreadMail(const store::MailStore& store) {
  std::string best;
  std::size_t depth = 0;
  std::vector<std::string> header, body;
  for (const store::ListedMail& m : store::listedMails(store, "Acc2\\User001.box\\")) {
    const auto lines = store.fs().readLines(store.absolute(m.hit) + ".ALM");
    if (!lines) continue;
    mailtext::splitMail(*lines, header, body, {});
    const std::size_t ids = pickup::referenceIds(mailtext::headerField("REFERENCES:", header)).size();
    if (ids > depth) {
      depth = ids;
      best = m.hit;
    }
  }
  return best;
}

}  // namespace gleanix::bench
