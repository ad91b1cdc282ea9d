#pragma once
// The desktop as the simulated host drives it: beyond what the plug-in
// uses, the host posts messages and keys into its windows' queues, runs
// message loops on its window threads, waits for those threads to settle,
// lets timers run, reads its toolbars back and takes screenshots. Both
// backends implement it: the simulated desktop and the Win32 one.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sys/desktop.h"

namespace gleanix::backend {

class HostDesktop : public sys::Desktop {
 public:
  // Puts the message into the queue of the thread that owns its window
  // (PostMessage).
  virtual void postMessage(const sys::Message& message) = 0;
  // Puts the message into that queue for a loop that waits for messages
  // (runMessageLoop, a modal run, the system's own): processing pending
  // messages and waiting for idle threads leave it there, so that it is
  // taken only once the thread has finished the work in hand, as a user's
  // next input would be.
  virtual void postWhenWaiting(const sys::Message& message) = 0;
  // A key press in w as input through its thread's queue (WM_KEYDOWN): the
  // thread sees the modifier keys (sys::ShiftState) down while it takes it.
  virtual void postKey(sys::WindowHandle w, int virtualKey, unsigned shift) = 0;
  // Lets this thread's messages run, waiting for more, until finished()
  // holds; it is checked before each wait and after each message. Another
  // thread wakes the loop by posting to one of its windows.
  virtual void runMessageLoop(const std::function<bool()>& finished) = 0;
  // Returns once every other thread inside a message loop has run out of
  // messages (what they post to each other included).
  virtual void waitForIdle() = 0;
  // Lets the time pass: every timer whose interval fits fires once, on its
  // window's thread; then, as waitForIdle.
  virtual void passTime(int milliseconds) = 0;
  virtual std::vector<sys::ToolButton> toolbarButtons(sys::WindowHandle toolbar) const = 0;
  // A PNG of what the front window shows on the screen, open menus
  // included; false when it cannot be taken or written. The simulated
  // desktop has no screen: it takes nothing and is true.
  virtual bool saveScreenshot(const std::string& file) = 0;
  // The same of w with the popup of its menu bar item at that position
  // open, opened as the item's Alt+letter key would and closed after the
  // shot; w must belong to this thread.
  virtual bool saveMenuScreenshot(sys::WindowHandle w, int barPosition, const std::string& file) = 0;

  // --- Reading other code's windows, as a script needs them
  virtual std::vector<sys::WindowHandle> children(sys::WindowHandle w) const = 0;  // topmost first
  virtual std::string controlName(sys::WindowHandle w) const = 0;  // "" when it has none
  virtual std::vector<sys::TreeItem> treeChildren(sys::WindowHandle tree, sys::TreeItem parent) const = 0;
  // The background a list view paints its rows on.
  virtual sys::Color listBackground(sys::WindowHandle list) const = 0;
  // The font a control draws its text in.
  virtual sys::Font controlFont(sys::WindowHandle w) const = 0;

  // --- The user's hand on other code's windows. Each is false, doing
  // nothing, when the window cannot take it.
  virtual bool userClick(sys::WindowHandle w) = 0;                   // a button or check box
  virtual bool userType(sys::WindowHandle w, const std::string& text) = 0;  // replaces the text
  virtual bool userPick(sys::WindowHandle combo, int index) = 0;
  virtual bool userClickTreeState(sys::WindowHandle tree, sys::TreeItem item) = 0;  // its check box
  virtual bool userSelectTreeItem(sys::WindowHandle tree, sys::TreeItem item) = 0;  // a click on its label
  virtual bool userClickHeader(sys::WindowHandle header, int section) = 0;
  virtual bool userSelectRows(sys::WindowHandle list, const std::vector<int>& rows) = 0;
  // A double click on a row with the modifier keys (sys::ShiftState) down.
  virtual bool userDoubleClickRow(sys::WindowHandle list, int row, unsigned shift) = 0;
  // A right click on a row, choosing the item of that text in the menu it opens.
  virtual bool userRowMenu(sys::WindowHandle list, int row, const std::string& item) = 0;
  virtual bool userKey(sys::WindowHandle w, int virtualKey, unsigned shift) = 0;

  // --- Message boxes
  struct MessageBoxSeen {
    std::string caption;
    std::string text;
    sys::MessageIcon icon = sys::MessageIcon::None;
    sys::WindowHandle owner = 0;
    std::string ownerClass;  // the owner's class name while the box was up (it may be gone since)
  };
  // The next message box is answered with this result (sys::result).
  virtual void answerMessageBox(int result) = 0;
  // The message boxes shown since the last call.
  virtual std::vector<MessageBoxSeen> takeMessageBoxes() = 0;

  // --- Choosers
  // The next colour chooser is confirmed with this colour, or cancelled
  // (nullopt); one answer per chooser, in order. On real windows, as with
  // message boxes, the chooser must come up on a thread the host's
  // desktop made forms on.
  virtual void answerColor(std::optional<sys::Color> color) = 0;
};

// The name under which the simulated host exports
// `sys::Desktop* QuillonSimDesktop()` on Linux, so that a plug-in loaded into
// it shares its desktop (backend::makeDesktop finds it).
inline constexpr const char* kSharedDesktopSymbol = "QuillonSimDesktop";
using SharedDesktopFn = sys::Desktop* (*)();

}  // namespace gleanix::backend
