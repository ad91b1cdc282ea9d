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

void sortRows(std::vector<PickupRow>& rows, SortColumn column, bool descending, bool ignoreRe) {
  std::vector<std::string> keys;
  keys.reserve(rows.size());
  for (const PickupRow& row : rows) keys.push_back(sortKey(row, column, ignoreRe));
  util::keysort::TIntegerList permutation;
  util::keysort::sortKeys(descending, keys, permutation);
  // sortKeys names every row exactly once: the rows can be moved rather
  // than copied into their new order.
  std::vector<PickupRow> sorted;
  sorted.reserve(rows.size());
  for (const std::int32_t index : permutation.Items()) sorted.push_back(std::move(rows[static_cast<std::size_t>(index)]));
  rows = std::move(sorted);
}

}  // namespace gleanix::pickup
