#include "pickupcommands/starting_mails.h"

#include "store/folders.h"
#include "store/list_file.h"
#include "store/mail_store.h"
#include "util/sjis.h"

namespace gleanix::pickupcommands {
namespace {

void refuse(core::StartedPlugin& plugin, sys::WindowHandle owner, const std::string& text, const char* caption) {
  plugin.desktop().messageBox(owner, text, caption, sys::MessageIcon::Warning, sys::MessageButtons::Ok);
}

// The hit path of the mail file a VIEW window shows: below the mail root,
// without ".ALM".
std::optional<std::string> viewedMail(core::StartedPlugin& plugin, sys::WindowHandle view) {
  const store::MailStore store(plugin.fs(), plugin.host().getMailbox());
  std::optional<std::string> relative = store.relativeTo(plugin.host().viewGetPath(view));
  constexpr std::string_view kExtension = ".ALM";
  if (!relative || relative->size() <= kExtension.size()) return std::nullopt;
  const std::size_t cut = relative->size() - kExtension.size();
  if (!util::equalsIgnoreCase(std::string_view(*relative).substr(cut), kExtension)) return std::nullopt;
  relative->resize(cut);
  return relative;
}

}  // namespace

std::optional<StartingPoint> startingPoint(core::StartedPlugin& plugin, sys::WindowHandle window, bool fromView) {
  StartingPoint start;
  start.fromView = fromView;
  start.window = window;
  if (fromView) return start;

  start.folder = store::mailsOfCurrentFolder(plugin.fs(), plugin.host(), window, true);
  const store::CurrentFolderMails& f = start.folder;
  if (f.displayPath == store::kTrashName) {
    refuse(plugin, window, "ごみ箱では実行できません", "無効な操作");
    return std::nullopt;
  }
  if (f.folder.empty()) {
    refuse(plugin, window, "メールがありません", "無効な操作");
    return std::nullopt;
  }
  if (f.keys.empty()) {
    refuse(plugin, window, f.root + f.folder + "ENTRY.LST がないかカラです", "エラー");
    return std::nullopt;
  }
  return start;
}

std::vector<std::string> startingMails(core::StartedPlugin& plugin, const StartingPoint& start, bool selected) {
  std::vector<std::string> mails;
  if (start.fromView) {
    if (auto mail = viewedMail(plugin, start.window)) mails.push_back(std::move(*mail));
  } else if (selected) {
    for (const std::string& key : start.folder.keys) mails.push_back(start.folder.folder + key);
  } else {
    const std::string current = plugin.host().folderGetCurrentEntry(start.window);
    if (!current.empty()) mails.push_back(start.folder.folder + std::string(store::hitKey(current)));
  }
  return mails;
}

}  // namespace gleanix::pickupcommands
