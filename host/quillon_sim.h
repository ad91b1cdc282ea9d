#pragma once
// quillon-sim: a simulated Quillon. It owns a mail store directory and does
// there what Quillon does inside its exported functions (import, move, open
// a mail), keeps the state of its main, VIEW and SEND windows, and serves
// the 26 host functions under their exported names through a resolver.
//
// The exported functions are plain functions, as in the real host, so they
// serve the one active simulator of the process: the last one constructed
// that is still alive.
//
// Every change to the store is written atomically (temporary file and
// rename, or one appended line); an operation that fails changes nothing on
// disk. Changes reach only what lies inside the mail root.
//
// An import is safe against a kill at any instant: the mail is written
// under a pending name ("~GXM-<key>.tmp", which no reader takes for a mail),
// its entry line is appended (from then on the mail counts as imported),
// and the file gets its name. The first change to a folder in a run
// finishes a pending mail whose line is there and removes every other
// leftover "~GX*.tmp" of a killed run.

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "sys/file_system.h"
#include "sys/host_abi.h"
#include "util/contained_file_system.h"

namespace gleanix::host {

// The windows of a visible host: what quillon-sim's functions ask of it
// when a mail is to be opened or a window's contents change. Called on the
// thread that called the host function, outside the simulator's lock.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Shows the mail in a new VIEW window, or with newWindow false in the
  // front VIEW window when there is one; false when it cannot.
  virtual bool openView(const std::string& mail, bool newWindow) = 0;
  // The VIEW window is to show the mail the simulator now holds for it.
  virtual void viewMailChanged(sys::WindowHandle view) = 0;
  // The SEND window's header block is to show the simulator's header.
  virtual void sendHeaderChanged(sys::WindowHandle send) = 0;
};

class QuillonSim {
 public:
  QuillonSim(sys::FileSystem& fs, std::string_view mailRoot);
  ~QuillonSim();
  QuillonSim(const QuillonSim&) = delete;
  QuillonSim& operator=(const QuillonSim&) = delete;

  // The simulator the exported functions serve; null when none is alive.
  static QuillonSim* active();

  const std::string& mailRoot() const { return root_; }

  // --- The store, as the host changes it -------------------------------
  // Copies a mail file into folder (relative to the mail root, without its
  // trailing "\") under a fresh 8-character key and appends its entry line
  // with the attribute word (0: a new, unread mail). A folder that is an
  // account's "Trash.box" puts the copy into the account's inbox directory
  // and lists it in the trash list. The new key goes to *newKey.
  bool importFile(const std::string& file, const std::string& folder, std::uint32_t attribute,
                  std::string* newKey = nullptr);
  // Moves mail (relative, without ".ALM"; found in its folder's entry list
  // or, failing that, in its account's trash list) into folder (relative,
  // without trailing "\"). The mail keeps its key. An empty folder, or an
  // account's "Trash.box", moves it into the trash list: the file stays
  // where it is and the trash line names it. False, with nothing changed,
  // when the mail or the folder is missing or the key is taken there.
  bool moveMail(const std::string& mail, const std::string& folder);

  // --- The main window ---------------------------------------------------
  sys::WindowHandle mainWindow() const { return kMainWindow; }
  void setCurrentFolder(std::string folder);  // relative, without trailing "\"
  void setCurrentEntry(std::string mail);     // relative, ending in the key; "" for none
  void setSelection(std::vector<std::string> mails);
  const std::vector<std::string>& selection() const { return selection_; }

  // --- VIEW and SEND windows ---------------------------------------------
  // A visible host's windows; without one, windows are handles only.
  void setWindowHost(WindowHost* host);
  // A real window of the visible host: a VIEW window showing mail, or a
  // SEND window with header; the edit control the host functions return.
  void addWindow(sys::WindowHandle window, bool view, std::string text, sys::WindowHandle editor);
  void removeWindow(sys::WindowHandle window);
  // A new VIEW window showing mail (relative, without ".ALM").
  sys::WindowHandle openViewWindow(std::string mail);
  // The mail a VIEW window shows (relative, without ".ALM").
  std::optional<std::string> viewMail(sys::WindowHandle view) const;
  sys::WindowHandle openSendWindow(std::string header);
  std::optional<std::string> sendHeader(sys::WindowHandle send) const;
  // How often "_APASendSetHeader@8" was called.
  int sendSetHeaderCalls() const;
  // Edit controls of the windows, once a desktop provides them (0 until then).
  void setEditor(sys::WindowHandle window, sys::WindowHandle editor);
  // The flag of the last "_APAFolderOpenMail@12" call (0 or -1).
  std::int32_t lastOpenFlag() const;

  // --- Registered commands -----------------------------------------------
  struct Command {
    std::int32_t id;
    sys::CommandProc proc;
    std::int32_t parameter;
  };
  std::vector<Command> commands() const;
  // Calls the procedure registered under id as the host does when the user
  // chooses the command in window. False for an unknown id.
  bool invokeCommand(std::int32_t id, sys::WindowHandle window);

  // --- The function table ------------------------------------------------
  // The resolver will not offer this exported name (a host build lacking it).
  void withhold(const std::string& exportName);
  // The function exported under name, or null.
  void* resolve(const char* name) const;
  // A resolver over this simulator.
  sys::HostResolver resolver();

  // --- What the exported functions call ----------------------------------
  // Strings returned through the table stay valid until the same function
  // is called again.
  const char* getMailbox();
  const char* getAccount(sys::WindowHandle mainWindow);
  const char* folderGetCurrentFolder(sys::WindowHandle mainWindow);
  const char* folderGetCurrentEntry(sys::WindowHandle mainWindow);
  const char* folderGetSelectEntry(sys::WindowHandle mainWindow, std::int32_t index);
  bool folderOpenMail(sys::WindowHandle mainWindow, const char* mail, std::int32_t flag);
  std::int32_t registCallback(sys::CommandProc proc, std::int32_t parameter);
  const char* sendGetHeader(sys::WindowHandle send);
  void sendSetHeader(sys::WindowHandle send, const char* header);
  sys::WindowHandle editorOf(sys::WindowHandle window) const;
  const char* viewGetPath(sys::WindowHandle view);
  void viewChangeMail(sys::WindowHandle view, const char* mail);

 private:
  static constexpr sys::WindowHandle kMainWindow = 0x10010;
  static constexpr std::int32_t kFirstCommandId = 40001;

  bool mailFileExists(const std::string& mail) const;
  // A key no file and no entry line of folder uses yet, remembered as used.
  std::string freshKey(const std::string& folder, std::string_view seed);
  std::unordered_set<std::string>& usedKeys(const std::string& folder);
  // Once per folder and run: what a killed run left there is finished or
  // removed. listFiles: the lists a pending mail of this folder may be in.
  void recover(const std::string& folder, const std::vector<std::string>& listFiles);
  bool moveLocked(const std::string& mail, const std::string& folder);
  const char* keep(std::string& buffer, std::string value);

  sys::FileSystem& fs_;
  std::string root_;
  util::ContainedFileSystem inRoot_;  // every change to the store goes here
  mutable std::mutex mutex_;
  // By upper-cased folder: the keys in use (see freshKey), and the folders
  // already recovered.
  std::unordered_map<std::string, std::unordered_set<std::string>> usedKeys_;
  std::unordered_set<std::string> recovered_;

  std::string currentFolder_;
  std::string currentEntry_;
  std::vector<std::string> selection_;
  std::size_t selectionCursor_ = 0;
  std::int32_t lastOpenFlag_ = 0;
  int sendSetHeaderCalls_ = 0;

  struct Window {
    bool view = false;
    std::string text;  // VIEW: the mail shown; SEND: the header
    sys::WindowHandle editor = 0;
  };
  std::map<sys::WindowHandle, Window> windows_;
  sys::WindowHandle nextWindow_ = 0x20010;

  std::vector<Command> commands_;
  std::set<std::string> withheld_;
  WindowHost* windowHost_ = nullptr;

  // Buffers behind the strings handed out, one per function.
  std::string mailboxBuffer_, accountBuffer_, folderBuffer_, entryBuffer_, selectBuffer_, headerBuffer_,
      pathBuffer_;
};

}  // namespace gleanix::host
