#pragma once
// A started plug-in over quillon-sim with host menus built on the simulated
// desktop, read back as text, and the commands their items were registered
// for.

#include <string>
#include <utility>
#include <vector>

#include "support/plugin_fixture.h"

namespace gleanix::testing {

class MenuTest : public PluginTest {
 protected:
  // Starts with these lines in the settings file (both copies read it).
  void start(const std::string& settings = "") {
    if (!settings.empty()) fs->addFile(kSettingsFile, settings);
    ASSERT_EQ(startUp(), 255);
  }

  // A menu bar of popups with these captions, each holding one item "<caption> item".
  sys::MenuHandle bar(const std::vector<std::string>& captions) {
    const sys::MenuHandle menu = desktop->createPopupMenu();
    for (const std::string& c : captions) {
      const sys::MenuHandle popup = desktop->createPopupMenu();
      desktop->insertMenuItem(popup, -1, {.text = c + " item", .id = 1});
      desktop->insertMenuItem(menu, -1, {.text = c, .subMenu = popup});
    }
    return menu;
  }

  // The menu tree, one line per item, two blanks per level, separators "-".
  std::vector<std::string> lines(sys::MenuHandle menu, const std::string& indent = "") const {
    std::vector<std::string> out;
    for (int i = 0; i < desktop->menuItemCount(menu); ++i) {
      const std::string text = desktop->menuItemText(menu, i);
      const sys::MenuHandle sub = desktop->subMenu(menu, i);
      out.push_back(indent + (text.empty() && !sub ? "-" : text));
      if (sub) {
        for (std::string& line : lines(sub, indent + "  ")) out.push_back(std::move(line));
      }
    }
    return out;
  }

  // What the host calls for the item at a position: its procedure and parameter.
  std::pair<sys::CommandProc, std::int32_t> commandAt(sys::MenuHandle menu, int position) const {
    const int id = itemId(menu, position);
    for (const host::QuillonSim::Command& c : sim.commands()) {
      if (c.id == id) return {c.proc, c.parameter};
    }
    return {nullptr, -1};
  }
  int itemId(sys::MenuHandle menu, int position) const { return desktop->menuItem(menu, position).id; }
};

}  // namespace gleanix::testing
