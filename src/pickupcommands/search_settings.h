#pragma once
// What the three searches read from the settings their dialogs have just
// written, turned into the engines' options. The keys live here once, for
// the dialogs and the searches alike.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "pickup/keyword_search.h"
#include "pickup/mark_search.h"
#include "pickup/related_search.h"
#include "settings/settings_cache.h"

namespace gleanix::pickupcommands {

// The command sections.
inline constexpr const char* kMarkFind = "MarkFind";
inline constexpr const char* kKeyFind = "KeyFind";
inline constexpr const char* kRelated = "Related";

// The folders to search: Cmd/"Folder", one path per line.
std::vector<std::string> searchFolders(const settings::SettingsCache& settings, std::string_view section);

// "MarkFind": the keys of the ten check boxes, in dialog order ("Midoku",
// "Kidoku", "Mark0" ... "Mark7"), with their defaults (only "Mark1" true).
inline constexpr std::array<const char*, 10> kMarkKeys = {"Midoku", "Kidoku", "Mark0", "Mark1", "Mark2",
                                                          "Mark3",  "Mark4",  "Mark5", "Mark6", "Mark7"};
bool markKeyDefault(std::size_t index);
pickup::MarkSelection markSelection(const settings::SettingsCache& settings);

// "KeyFind": the parts ("Body", "AllHeader", "Header", "HeaderList") and
// the keyword, the first entry of "History".
pickup::KeywordOptions keywordOptions(const settings::SettingsCache& settings);

// "Related": the four relations, "MailInclude" and "Order" (0 no limit, 1
// to 10 the last degree; a stored value outside that range reads as 1).
inline constexpr int kMaxOrder = 10;
int relatedOrder(const settings::SettingsCache& settings);
pickup::RelatedOptions relatedOptions(const settings::SettingsCache& settings);

}  // namespace gleanix::pickupcommands
