#include "pickupcommands/search_settings.h"

#include "pickupcommands/folder_tree.h"
#include "pickupcommands/keyword_history.h"

namespace gleanix::pickupcommands {

std::vector<std::string> searchFolders(const settings::SettingsCache& settings, std::string_view section) {
  return settingLines(settings.readString(section, "Folder", ""));
}

bool markKeyDefault(std::size_t index) { return index == 3; }

pickup::MarkSelection markSelection(const settings::SettingsCache& settings) {
  pickup::MarkSelection s;
  auto read = [&](std::size_t i) { return settings.readBool(kMarkFind, kMarkKeys[i], markKeyDefault(i)); };
  s.unread = read(0);
  s.read = read(1);
  for (std::size_t mark = 0; mark < s.marks.size(); ++mark) s.marks[mark] = read(mark + 2);
  return s;
}

pickup::KeywordOptions keywordOptions(const settings::SettingsCache& settings) {
  pickup::KeywordOptions o;
  o.keywords = firstHistoryEntry(settings.readString(kKeyFind, "History", ""));
  o.parts.body = settings.readBool(kKeyFind, "Body", true);
  o.parts.allHeaders = settings.readBool(kKeyFind, "AllHeader", false);
  o.parts.headers = settings.readBool(kKeyFind, "Header", false);
  o.parts.headerList = settingLines(settings.readString(kKeyFind, "HeaderList", ""));
  return o;
}

int relatedOrder(const settings::SettingsCache& settings) {
  const int order = settings.readInt(kRelated, "Order", 1);
  return order >= 0 && order <= kMaxOrder ? order : 1;
}

pickup::RelatedOptions relatedOptions(const settings::SettingsCache& settings) {
  pickup::RelatedOptions o;
  o.relations.inReplyTo = settings.readBool(kRelated, "InReplyTo", true);
  o.relations.references = settings.readBool(kRelated, "References", true);
  o.relations.subject = settings.readBool(kRelated, "Subject", true);
  o.relations.quotes = settings.readBool(kRelated, "Quotes", true);
  o.mailInclude = settings.readBool(kRelated, "MailInclude", false);
  o.order = relatedOrder(settings);
  return o;
}

}  // namespace gleanix::pickupcommands
