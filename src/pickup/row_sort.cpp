#include "pickup/row_sort.h"

#include "mailtext/bare_subject.h"
#include "util/key_sort.h"
#include "util/sjis.h"

namespace gleanix::pickup {

std::string sortKey(const PickupRow& row, SortColumn column, bool ignoreRe) {
  switch (column) {
    case SortColumn::Path: return row.pathText + " " + row.folderText;
    case SortColumn::Folder: return row.folderText + " " + row.pathText;
    case SortColumn::Date: return row.sortableDate;
    case SortColumn::Sender: return util::upperAscii(row.sender) + " " + row.sortableDate;
    case SortColumn::Subject: break;
  }
  const std::string upper = util::upperAscii(row.subject);
  if (ignoreRe) return mailtext::bareSubject(upper) + " " + upper + " " + row.sortableDate;
  return upper + " " + row.sortableDate;
}

// Rows mostly come folder by folder, so a path or folder sort meets long
// runs of one key: the runs are sorted, not the rows. A row's place among
// rows of equal key stays that of its run among runs of equal key, which
// keeps the sort stable.
void sortRows(std::vector<PickupRow>& rows, SortColumn column, bool descending, bool ignoreRe) {
  std::vector<std::string> keys;  // of the runs
  std::vector<std::size_t> runStarts;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::string key = sortKey(rows[i], column, ignoreRe);
    if (!keys.empty() && key == keys.back()) continue;
    keys.push_back(std::move(key));
    runStarts.push_back(i);
  }
  runStarts.push_back(rows.size());
  util::keysort::TIntegerList permutation;
  util::keysort::sortKeys(descending, keys, permutation);
  // The rows are put in their places where they are, along the cycles of
  // the new order: a second vector of rows would cost as much again in
  // fresh memory as the moves themselves.
  std::vector<std::size_t> order;  // place i takes the row now at order[i]
  order.reserve(rows.size());
  for (const std::int32_t run : permutation.Items()) {
    const auto r = static_cast<std::size_t>(run);
    for (std::size_t i = runStarts[r]; i < runStarts[r + 1]; ++i) order.push_back(i);
  }
  std::vector<bool> placed(rows.size());
  for (std::size_t start = 0; start < rows.size(); ++start) {
    if (placed[start] || order[start] == start) continue;
    PickupRow held = std::move(rows[start]);
    for (std::size_t at = start;; at = order[at]) {
      placed[at] = true;
      if (order[at] == start) {
        rows[at] = std::move(held);
        break;
      }
      rows[at] = std::move(rows[order[at]]);
    }
  }
}

}  // namespace gleanix::pickup
