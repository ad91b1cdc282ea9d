#pragma once
// The rows of a pickup as the command-line tool prints them. Rows hold
// CP932 text; what these functions return is UTF-8, ready for the terminal.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pickup/pickup_row.h"

namespace gleanix::cli {

// One line per row: hit, path, folder, date, sender, subject, mark, joined
// by TAB. date is the sortable date or empty, mark the mark number 0-7; a
// TAB, CR or LF inside a field is printed as one blank.
std::string formatTsv(const std::vector<pickup::PickupRow>& rows);
// The same text handed to write piece by piece.
void writeTsv(const std::vector<pickup::PickupRow>& rows, const std::function<void(std::string_view)>& write);

// An array of objects with the keys hit, path, folder, date, sender, subject
// (strings) and mark (a number), one object per line.
std::string formatJson(const std::vector<pickup::PickupRow>& rows);

// Columns aligned for reading, under a heading line: hit, mark, the list
// window's "パス", "フォルダ", "送信日時" (yyyy/mm/dd hh:nn), "差出人" and
// "題名"; then the count line " N件". Widths are counted in CP932 bytes,
// which is the width a terminal gives them. Every control byte of a field
// shows as caret notation ("^[" for ESC, "^I" for TAB, "^?" for DEL), so a
// subject cannot move the cursor, retitle or recolour the terminal.
std::string formatTable(const std::vector<pickup::PickupRow>& rows);

// A field with every control byte (below 0x20, and DEL) in caret notation.
std::string visibleField(const std::string& text);

// A field with every TAB, CR and LF turned into one blank.
std::string flattenField(std::string text);

}  // namespace gleanix::cli
