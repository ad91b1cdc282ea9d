#pragma once
// The keys of every account's trash list, each with the display path of the
// trash it is in (the account's title followed by "\ごみ箱"). A pickup hit
// that equals a key came from a trash list and is shown under that trash.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/mail_store.h"
#include "util/folded_key.h"

namespace gleanix::store {

class TrashIndex {
 public:
  void add(std::string key, std::string displayPath);

  // Parallel lists, in trash-list order, accounts in enumeration order.
  const std::vector<std::string>& keys() const { return keys_; }
  const std::vector<std::string>& displayPaths() const { return displayPaths_; }

  // The trash display path of the first key equal to hit (letter case
  // ignored); null when hit is no trash key.
  const std::string* find(std::string_view hit) const;

 private:
  std::vector<std::string> keys_;
  std::vector<std::string> displayPaths_;
  std::unordered_map<std::string, std::size_t, util::FoldedHash, util::FoldedEqual> byKey_;  // first of equal keys
};

// Reads "Trash.box" of every directory matching "Acc*.*" whose name does not
// start with "." (the root's own in a single-account store); every line
// holding "=" gives the key before its first "=".
TrashIndex trashIndex(const MailStore& store);

}  // namespace gleanix::store
