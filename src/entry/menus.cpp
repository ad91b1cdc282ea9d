#include "entry/menus.h"

#include <optional>
#include <string>

#include "core/thread_state.h"
#include "entry/commands.h"
#include "entry/menu_placement.h"
#include "insearch/mailing_list_number.h"

namespace gleanix::entry {
namespace {

using core::threadState;

// Item texts.
constexpr const char* kHomePageText = "ホームページ (&Web Page)";
constexpr const char* kMarkPickupText = "マークでピックアップ ...";
constexpr const char* kKeywordPickupText = "キーワードでピックアップ ...";
constexpr const char* kRelatedPickupText = "関連メールのピックアップ ...";
constexpr const char* kViewFindBarText = "メール内の検索 (&Find)...\tCtrl+F";
constexpr const char* kViewFindNextBarText = "メール内の次を検索 (&Search)\tF3, Ctrl+N";
constexpr const char* kViewFindContextText = "メール内の検索 ...";
constexpr const char* kViewFindNextContextText = "メール内の次を検索";
constexpr const char* kSendFindBarText = "本文内の検索 (&Find)...\tCtrl+F";
constexpr const char* kSendReplaceBarText = "本文内の置換 (&Replace)...\tCtrl+R";
constexpr const char* kSendNextBarText = "本文内の次の検索／置換 (&Next)\tF3, Ctrl+N";
constexpr const char* kSendFindContextText = "本文内の検索 ...";
constexpr const char* kSendReplaceContextText = "本文内の置換 ...";
constexpr const char* kSendNextContextText = "本文内の次の検索／置換";
constexpr const char* kFindNumberSuffix = " を探す";

constexpr int kAppend = -1;

// Adds items to one menu, registering their commands with the host.
class MenuWriter {
 public:
  MenuWriter(core::StartedPlugin& plugin, sys::MenuHandle menu) : plugin_(plugin), menu_(menu) {}

  std::int32_t registerCommand(sys::CommandProc proc, std::int32_t parameter) {
    return plugin_.host().registCallback(proc, parameter);
  }
  void item(const std::string& text, std::int32_t id, int position = kAppend) {
    plugin_.desktop().insertMenuItem(menu_, position, {.text = text, .id = id});
  }
  // Registers the command and adds its item.
  void command(const std::string& text, sys::CommandProc proc, std::int32_t parameter, int position = kAppend) {
    item(text, registerCommand(proc, parameter), position);
  }
  void separator(int position = kAppend) { plugin_.desktop().insertMenuItem(menu_, position, {.separator = true}); }
  int count() const { return plugin_.desktop().menuItemCount(menu_); }

 private:
  core::StartedPlugin& plugin_;
  sys::MenuHandle menu_;
};

bool setting(core::StartedPlugin& plugin, const char* section, const char* key) {
  return plugin.settings().readBool(section, key, true);
}

// The shared popup of a menu bar: the one another plug-in of the series
// made, or a new one. Null when an item of that caption is not a popup.
// created tells which.
sys::MenuHandle sharedPopup(core::StartedPlugin& plugin, sys::MenuHandle bar, bool& created) {
  sys::Desktop& desktop = plugin.desktop();
  // An empty caption (only a hand-edited file has one) would match the
  // bar's first untitled item and make a popup nobody can open.
  std::string caption = plugin.snapshot().readString("Menu", "Caption", kDefaultMenuCaption);
  if (caption.empty()) caption = kDefaultMenuCaption;
  const PopupPlace place = sharedPopupPlace(desktop, bar, caption);
  created = place.create;
  if (!place.create) return desktop.subMenu(bar, place.position);
  const sys::MenuHandle popup = desktop.createPopupMenu();
  desktop.insertMenuItem(bar, place.position, {.text = caption, .subMenu = popup});
  return popup;
}

// The edit popup of a menu bar, ready for Gleanix's items: a new "編集(&E)"
// popup, or the existing one with a separator appended. Null when the item
// found is not a popup.
sys::MenuHandle editPopup(core::StartedPlugin& plugin, sys::MenuHandle bar) {
  sys::Desktop& desktop = plugin.desktop();
  const PopupPlace place = editPopupPlace(desktop, bar);
  if (place.create) {
    const sys::MenuHandle popup = desktop.createPopupMenu();
    desktop.insertMenuItem(bar, place.position, {.text = kEditCaption, .subMenu = popup});
    return popup;
  }
  const sys::MenuHandle popup = desktop.subMenu(bar, place.position);
  if (popup) MenuWriter(plugin, popup).separator();
  return popup;
}

void mainMenuBar(core::StartedPlugin& plugin, sys::MenuHandle bar) {
  const bool mark = setting(plugin, "MainMenu", "MarkFind");
  const bool keyword = setting(plugin, "MainMenu", "KeyFind");
  const bool related = setting(plugin, "MainMenu", "Related");
  if (!mark && !keyword && !related) return;

  bool created = false;
  const sys::MenuHandle popup = sharedPopup(plugin, bar, created);
  if (!popup) return;
  MenuWriter items(plugin, popup);
  if (created) items.command(kHomePageText, homePageCommand, 0);
  // Everything goes before the popup's last item, each above the one before.
  const int before = items.count() - 1;
  items.separator(before);
  if (mark) items.command(kMarkPickupText, markPickupCommand, 0, before);
  if (keyword) items.command(kKeywordPickupText, keywordPickupCommand, 0, before);
  if (related) items.command(kRelatedPickupText, relatedPickupCommand, kFromMainWindow, before);
}

void mainContextMenu(core::StartedPlugin& plugin, sys::MenuHandle menu) {
  const bool related = setting(plugin, "ContextMenu", "Related");
  const bool keyword = setting(plugin, "ContextMenu", "KeyFind");
  const bool mark = setting(plugin, "ContextMenu", "MarkFind");
  if (!related && !keyword && !mark) return;
  MenuWriter items(plugin, menu);
  items.separator();
  if (related) items.command(kRelatedPickupText, relatedPickupCommand, kFromMainWindow);
  if (keyword) items.command(kKeywordPickupText, keywordPickupCommand, 0);
  if (mark) items.command(kMarkPickupText, markPickupCommand, 0);
}

void viewMenuBar(core::StartedPlugin& plugin, sys::MenuHandle bar) {
  core::ThreadWindowState& state = threadState();
  if (setting(plugin, "View", "Search")) {
    if (const sys::MenuHandle popup = editPopup(plugin, bar)) {
      MenuWriter items(plugin, popup);
      state.viewFindId = items.registerCommand(inMailSearchCommand, kViewFind);
      state.viewFindNextId = items.registerCommand(inMailSearchCommand, kViewFindNext);
      items.item(kViewFindBarText, state.viewFindId);
      items.item(kViewFindNextBarText, state.viewFindNextId);
    }
  }
  if (setting(plugin, "View", "Related")) {
    bool created = false;
    if (const sys::MenuHandle popup = sharedPopup(plugin, bar, created)) {
      MenuWriter items(plugin, popup);
      if (!created) items.separator();
      items.command(kRelatedPickupText, relatedPickupCommand, kFromViewWindow);
    }
  }
}

// The mailing-list number around the caret of the VIEW window's editor.
std::optional<std::string> numberAtCaret(core::StartedPlugin& plugin, sys::WindowHandle view) {
  const sys::WindowHandle editor = plugin.host().viewGetEditor(view);
  sys::Desktop& desktop = plugin.desktop();
  if (!desktop.isWindow(editor)) return std::nullopt;
  const int start = desktop.editSelection(editor).first;
  if (start < 0) return std::nullopt;
  return insearch::mailingListNumberAt(desktop.text(editor), static_cast<std::size_t>(start));
}

void viewContextMenu(core::StartedPlugin& plugin, sys::WindowHandle view, sys::MenuHandle menu) {
  core::ThreadWindowState& state = threadState();
  MenuWriter items(plugin, menu);
  if (plugin.settings().readBool("ViewContext", "SearchML", true)) {
    if (const auto number = numberAtCaret(plugin, view)) {
      state.mailingListNumber = *number;
      items.separator();
      items.command(*number + kFindNumberSuffix, mailingListNumberCommand, 0);
    }
  }
  if (setting(plugin, "View\\Context", "Search")) {
    items.separator();
    items.item(kViewFindContextText, state.viewFindId);
    items.item(kViewFindNextContextText, state.viewFindNextId);
  }
  if (setting(plugin, "View\\Context", "Related")) {
    items.separator();
    items.command(kRelatedPickupText, relatedPickupCommand, kFromViewWindow);
  }
}

void sendMenuBar(core::StartedPlugin& plugin, sys::MenuHandle bar) {
  if (!setting(plugin, "Send", "Search")) return;
  const sys::MenuHandle popup = editPopup(plugin, bar);
  if (!popup) return;
  core::ThreadWindowState& state = threadState();
  MenuWriter items(plugin, popup);
  state.sendFindId = items.registerCommand(inMailSearchCommand, kSendFind);
  state.sendReplaceId = items.registerCommand(inMailSearchCommand, kSendReplace);
  state.sendNextId = items.registerCommand(inMailSearchCommand, kSendNext);
  items.item(kSendFindBarText, state.sendFindId);
  items.item(kSendReplaceBarText, state.sendReplaceId);
  items.item(kSendNextBarText, state.sendNextId);
}

void sendContextMenu(core::StartedPlugin& plugin, sys::MenuHandle menu) {
  if (!setting(plugin, "Send\\Context", "Search")) return;
  const core::ThreadWindowState& state = threadState();
  MenuWriter items(plugin, menu);
  items.separator();
  items.item(kSendFindContextText, state.sendFindId);
  items.item(kSendReplaceContextText, state.sendReplaceId);
  items.item(kSendNextContextText, state.sendNextId);
}

}  // namespace

void initFolderMenu(core::StartedPlugin& plugin, sys::MenuHandle menu, std::int32_t code) {
  if (code == kMainMenuBar) mainMenuBar(plugin, menu);
  if (code == kMainContextMenu) mainContextMenu(plugin, menu);
}

void initViewMenu(core::StartedPlugin& plugin, sys::WindowHandle view, sys::MenuHandle menu, std::int32_t code) {
  if (code == kViewMenuBar) viewMenuBar(plugin, menu);
  if (code == kViewContextMenu) viewContextMenu(plugin, view, menu);
}

void initSendMenu(core::StartedPlugin& plugin, sys::MenuHandle menu, std::int32_t code) {
  if (code == kSendMenuBar) sendMenuBar(plugin, menu);
  if (code == kSendContextMenu) sendContextMenu(plugin, menu);
}

}  // namespace gleanix::entry
