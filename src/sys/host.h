#pragma once
// The host's functions as typed calls. Every string the host returns is
// copied at once; paths are CP932 with "\" separators as the host gives them.
// The plug-in implements this over the resolved host function table; tests
// run the same code against the simulated host.

#include <cstdint>
#include <string>
#include <string_view>

#include "sys/host_abi.h"

namespace gleanix::sys {

class Host {
 public:
  virtual ~Host() = default;

  // Registers a menu or toolbar command; returns its command id.
  virtual std::int32_t registCallback(CommandProc proc, std::int32_t parameter) = 0;

  // The mail root directory as the host gives it (normally ending in "\").
  virtual std::string getMailbox() = 0;
  // Absolute path of the current account's directory, ending in "\".
  virtual std::string getAccount(WindowHandle mainWindow) = 0;

  // Copies a mail file into a folder (relative to the mail root, without its
  // trailing "\"), giving it the attribute word (0: a new, unread mail).
  virtual bool importFile(const std::string& file, const std::string& folder, std::uint32_t attribute) = 0;
  // Moves a mail (path relative to the mail root without ".ALM") into a folder
  // (relative, without trailing "\"); an empty folder moves it to the trash.
  virtual bool moveMail(const std::string& mail, const std::string& folder) = 0;

  // Folder shown in the main window, relative, without trailing "\".
  virtual std::string folderGetCurrentFolder(WindowHandle mainWindow) = 0;
  // The current mail, relative, ending in its 8-character key; empty when none.
  virtual std::string folderGetCurrentEntry(WindowHandle mainWindow) = 0;
  // index -1 gives the first selected mail, 0 the next; empty after the last.
  virtual std::string folderGetSelectEntry(WindowHandle mainWindow, std::int32_t index) = 0;
  // Opens a mail (relative, without ".ALM") in a VIEW window.
  virtual bool folderOpenMail(WindowHandle mainWindow, const std::string& mail, bool flag) = 0;

  virtual std::string sendGetHeader(WindowHandle sendWindow) = 0;
  virtual void sendSetHeader(WindowHandle sendWindow, const std::string& header) = 0;
  virtual WindowHandle sendGetEditor(WindowHandle sendWindow) = 0;

  // Absolute path of the mail file a VIEW window shows.
  virtual std::string viewGetPath(WindowHandle viewWindow) = 0;
  virtual WindowHandle viewGetEditor(WindowHandle viewWindow) = 0;
  // Shows another mail (relative, without ".ALM") in the same VIEW window.
  virtual void viewChangeMail(WindowHandle viewWindow, const std::string& mail) = 0;

  // ISO-2022-JP text converted to Shift-JIS by the host.
  virtual std::string jisToSjis(std::string_view jis) = 0;
};

}  // namespace gleanix::sys
