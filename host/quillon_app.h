#pragma once
// quillon-sim as a visible host: a main window over the store with its
// folder tree, mail list, menu bar and context menu; VIEW and SEND windows,
// each on a thread of its own, with their editors, toolbar and menus; and
// the plug-in's entry points called when those windows are created, build
// their menus, load a mail, post or close, on the windows' own threads.
//
// The same code runs on both desktops: the simulated one on Linux (shared
// with the plug-in) and real windows on Windows.

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "backend/host_desktop.h"
#include "host/plugin_driver.h"
#include "host/quillon_sim.h"

namespace gleanix::host {

inline constexpr const char* kMainWindowClass = "TMainForm";
inline constexpr const char* kViewWindowClass = "TViewForm";
inline constexpr const char* kSendWindowClass = "TSendForm";

enum class WindowKind { Main, View, Send };

class QuillonApp;

// One host window with what belongs to it: on its own thread for VIEW and
// SEND windows, on the main thread for the main window.
class HostWindow : public sys::EventSink {
 public:
  HostWindow(QuillonApp& app, WindowKind kind) : app_(app), kind_(kind) {}
  void handleEvent(sys::Event& e) override;

  WindowKind kind() const { return kind_; }
  sys::WindowHandle form = 0;
  sys::WindowHandle toolbar = 0;
  sys::WindowHandle editor = 0;
  sys::WindowHandle headerBlock = 0;  // SEND: the header lines; VIEW: the topmost child
  sys::WindowHandle tree = 0;         // main: the folder tree
  sys::WindowHandle list = 0;         // main: the mail list
  sys::MenuHandle contextMenu = 0;    // the last one built
  std::atomic<bool> closed{false};
  std::atomic<bool> ended{false};  // its thread has left its message loop
  std::thread thread;
  std::uint32_t threadId = 0;  // VIEW and SEND: the desktop's id of its thread

  // Runs task on this window's thread (queued behind its messages).
  void post(std::function<void()> task);

 private:
  void runTasks();
  QuillonApp& app_;
  WindowKind kind_;
  std::mutex tasksMutex_;
  std::deque<std::function<void()>> tasks_;
};

class QuillonApp : public WindowHost {
 public:
  QuillonApp(backend::HostDesktop& desktop, QuillonSim& sim, sys::FileSystem& fs);
  ~QuillonApp() override;
  QuillonApp(const QuillonApp&) = delete;
  QuillonApp& operator=(const QuillonApp&) = delete;

  backend::HostDesktop& desktop() { return desktop_; }
  QuillonSim& sim() { return sim_; }

  // Starts the plug-in with the host version, opens the main window and
  // builds its menu bar. The plug-in's answer to APCStartUp (0 or 255).
  int start(const PluginEntries& plugin, const std::string& hostVersion);
  bool started() const { return plugin_.has_value(); }
  HostWindow& mainWindow() { return *main_; }
  // Replaces the main window with a new one, as a host does that opens its
  // main window again: the plug-in is told of it and builds its menu bar
  // anew; folder, cursor and selection are kept.
  void reopenMainWindow();

  // The main window's current folder (relative, without trailing "\"),
  // cursor mail and selection; false for a folder or mail not in the store.
  bool setFolder(const std::string& folder);
  bool setCursor(const std::string& mail);
  bool setSelection(const std::vector<std::string>& mails);

  // The frontmost open VIEW or SEND window; null when none.
  HostWindow* front(WindowKind kind);
  std::string viewMail(const HostWindow& view) const;

  // Builds the window's context menu anew, on its thread, as a right click
  // does (the plug-in's menu entry included); the menu is then in
  // contextMenu.
  void buildContextMenu(HostWindow& w);
  // Chooses a command: the host's own, or one the plug-in registered; runs
  // on the window's thread (posted as WM_COMMAND).
  void choose(HostWindow& w, int id);

  void compose();
  // APCSendPost for the front SEND window; false when there is none.
  bool post();
  // Asks the front window of that kind to close (WM_CLOSE through its queue).
  bool close(WindowKind kind);

  // Waits until every window thread has started and run out of messages.
  void settle();
  // Closes every window and stops the plug-in. False, leaving the plug-in
  // loaded, when a window's thread stays inside a dialog that nothing will
  // close: then the process can only end as it is.
  bool shutdown();

  // --- WindowHost
  bool openView(const std::string& mail, bool newWindow) override;
  void viewMailChanged(sys::WindowHandle view) override;
  void sendHeaderChanged(sys::WindowHandle send) override;

  // What the windows' sinks call.
  void command(HostWindow& w, int id);
  void closeWindow(HostWindow& w);

 private:
  void buildMainWindow();
  void fillFolderTree();
  void fillMailList();
  void markSelection(const std::vector<std::string>& mails);  // the mail list's rows of these mails
  void updateCaption();
  sys::MenuHandle hostMenuBar(WindowKind kind);
  void startWindowThread(WindowKind kind, std::string text);
  void runViewOrSend(HostWindow& w, std::string text);
  void createViewWindow(HostWindow& w, const std::string& mail);
  void createSendWindow(HostWindow& w, const std::string& header);
  void loadMail(HostWindow& view);
  std::string mailText(const std::string& mail) const;
  HostWindow* byForm(sys::WindowHandle form);
  // The visible top-level windows of that thread.
  std::vector<sys::WindowHandle> windowsOfThread(std::uint32_t thread) const;

  backend::HostDesktop& desktop_;
  QuillonSim& sim_;
  sys::FileSystem& fs_;
  std::optional<PluginEntries> plugin_;
  std::unique_ptr<HostWindow> main_;
  std::mutex windowsMutex_;
  std::vector<std::unique_ptr<HostWindow>> windows_;  // VIEW and SEND windows, oldest first
  std::atomic<int> starting_{0};
  std::atomic<bool> stopping_{false};  // window threads end even with windows left
  std::string folder_;
  std::vector<std::string> folderMails_;  // the mail list's rows
};

}  // namespace gleanix::host
