#pragma once
// Real controls as a person drives them, for the tests on real windows:
// mouse clicks as the mouse makes them, the message loop, and reading
// what the controls themselves hold.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace gleanix::testing {

// A Linux path of the build as Wine's Z: drive shows it.
std::string wineDrivePath(std::string unixPath);

// A click as the mouse makes it. Controls wait for the release inside their
// press handling, so the release is queued first.
void clickAt(HWND window, POINT p, UINT down, UINT up, WPARAM keys = 0);

// Lets messages run for a while.
void pump(int milliseconds);

// The item's label rectangle, scrolled into view.
std::optional<RECT> treeLabelRect(HWND tree, HTREEITEM item);
POINT treeLabelPoint(HWND tree, HTREEITEM item);
// A point on the item's state icon, found with the control's own hit test.
std::optional<POINT> treeStateIconPoint(HWND tree, HTREEITEM item);
std::string treeItemText(HWND tree, HTREEITEM item);
// The item whose caption and its parents' captions end in these; null when none.
HTREEITEM findTreeItem(HWND tree, const std::vector<std::string>& captions);

// Once a popup menu is open, chooses its item of this text with the keys a
// user presses (the menu runs its own loop, so this waits on a timer). A
// menu without that item is closed with Escape.
void chooseMenuItemSoon(const std::string& text);

// Runs the action once a visible top-level window of the class exists
// (a modal dialog runs its own loop too).
void whenShown(const char* className, std::function<void(HWND)> action);

// A cell as the list view control reports it (LVM_GETITEMTEXTA).
std::string listCellText(HWND list, int row, int column);

// The first descendant of that window class (and caption, when given).
HWND findDescendant(HWND parent, const char* className, const char* caption = nullptr);

}  // namespace gleanix::testing
