#include "pickupcommands/folder_tree.h"

#include "settings/tree_settings.h"
#include "sys/file_system.h"

namespace gleanix::pickupcommands {
namespace {

using controls::TMailboxTreeView;

// The form a path is looked up in a list text by.
std::string framed(std::string_view path) {
  std::string s(kCrLf);
  s += path;
  s += kCrLf;
  return s;
}

}  // namespace

std::vector<std::string> settingLines(std::string_view text) {
  std::vector<std::string> out;
  for (std::string& line : sys::splitLines(text)) {
    if (!line.empty()) out.push_back(std::move(line));
  }
  return out;
}

std::vector<std::string> checkedFolders(const TMailboxTreeView& tree) {
  std::vector<std::string> out;
  for (const ui::TTreeNode* n : tree.nodes()) {
    if (n->stateIndex() == TMailboxTreeView::kChecked) out.push_back(tree.pathOf(n));
  }
  return out;
}

std::string checkedFolderList(const TMailboxTreeView& tree) {
  std::string text;
  for (const std::string& path : checkedFolders(tree)) {
    text += path;
    text += kCrLf;
  }
  return text;
}

std::optional<std::string> wantedChecks(const settings::SettingsCache& settings, std::string_view section,
                                        sys::Host& host, sys::WindowHandle mainWindow) {
  switch (settings::readTreeCheckMode(settings, std::string(section) + "\\Tree")) {
    case 2:
      return std::nullopt;
    case 1:
      return framed(host.folderGetCurrentFolder(mainWindow) + "\\");
    default:
      return std::string(kCrLf) + settings.readString(section, "Folder", "");
  }
}

void checkWanted(TMailboxTreeView& tree, std::string_view wanted) {
  for (ui::TTreeNode* n : tree.nodes()) {
    if (n->stateIndex() != TMailboxTreeView::kUnchecked) continue;
    if (wanted.find(framed(tree.pathOf(n))) != std::string_view::npos) n->setStateIndex(TMailboxTreeView::kChecked);
  }
}

void applyOpenState(TMailboxTreeView& tree, std::int32_t open) {
  if (open == 0) {
    tree.fullExpand();
  } else if (open == 2) {
    for (ui::TTreeNode* n : tree.nodes()) {
      if (n->stateIndex() != TMailboxTreeView::kChecked) continue;
      for (ui::TTreeNode* p = n->parent(); p; p = p->parent()) p->expand(false);
    }
  }
}

void expandListed(TMailboxTreeView& tree, std::string_view paths) {
  const std::string wanted = std::string(kCrLf) + std::string(paths) + std::string(kCrLf);
  for (ui::TTreeNode* n : tree.nodes()) {
    if (wanted.find(framed(tree.pathOf(n))) != std::string::npos) n->expand(false);
  }
}

std::string expandedPaths(const TMailboxTreeView& tree) {
  std::string text;
  for (const ui::TTreeNode* n : tree.nodes()) {
    if (!n->hasChildren() || !n->expanded()) continue;
    if (!text.empty()) text += kCrLf;
    text += tree.pathOf(n);
  }
  return text;
}

}  // namespace gleanix::pickupcommands
