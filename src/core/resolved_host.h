#pragma once
// sys::Host over the host function table resolved by name: the calls go
// through the raw function pointers exactly as the plug-in makes them.

#include <optional>

#include "sys/host.h"
#include "sys/host_abi.h"

namespace gleanix::core {

class ResolvedHost : public sys::Host {
 public:
  explicit ResolvedHost(const sys::HostFunctionTable& table) : t_(table) {}

  // nullopt when the resolver lacks any one of the 26 functions.
  static std::optional<ResolvedHost> create(const sys::HostResolver& resolve);

  std::int32_t registCallback(sys::CommandProc proc, std::int32_t parameter) override;
  std::string getMailbox() override;
  std::string getAccount(sys::WindowHandle mainWindow) override;
  bool importFile(const std::string& file, const std::string& folder, std::uint32_t attribute) override;
  bool moveMail(const std::string& mail, const std::string& folder) override;
  std::string folderGetCurrentFolder(sys::WindowHandle mainWindow) override;
  std::string folderGetCurrentEntry(sys::WindowHandle mainWindow) override;
  std::string folderGetSelectEntry(sys::WindowHandle mainWindow, std::int32_t index) override;
  bool folderOpenMail(sys::WindowHandle mainWindow, const std::string& mail, bool flag) override;
  std::string sendGetHeader(sys::WindowHandle sendWindow) override;
  void sendSetHeader(sys::WindowHandle sendWindow, const std::string& header) override;
  sys::WindowHandle sendGetEditor(sys::WindowHandle sendWindow) override;
  std::string viewGetPath(sys::WindowHandle viewWindow) override;
  sys::WindowHandle viewGetEditor(sys::WindowHandle viewWindow) override;
  void viewChangeMail(sys::WindowHandle viewWindow, const std::string& mail) override;
  std::string jisToSjis(std::string_view jis) override;

 private:
  sys::HostFunctionTable t_;
};

}  // namespace gleanix::core
