#include "core/resolved_host.h"

#include <limits>

namespace gleanix::core {
namespace {
// The host's strings are its own: copy at once.
std::string copy(const char* s) { return s ? std::string(s) : std::string(); }
}  // namespace

std::optional<ResolvedHost> ResolvedHost::create(const sys::HostResolver& resolve) {
  const auto table = sys::resolveHostFunctions(resolve);
  if (!table) return std::nullopt;
  return ResolvedHost(*table);
}

std::int32_t ResolvedHost::registCallback(sys::CommandProc proc, std::int32_t parameter) {
  return t_.registCallback(proc, parameter);
}

std::string ResolvedHost::getMailbox() { return copy(t_.getMailbox()); }

std::string ResolvedHost::getAccount(sys::WindowHandle mainWindow) { return copy(t_.getAccount(mainWindow)); }

bool ResolvedHost::importFile(const std::string& file, const std::string& folder, std::uint32_t attribute) {
  return sys::hostBoolValue(t_.importFile(file.c_str(), folder.c_str(), attribute));
}

bool ResolvedHost::moveMail(const std::string& mail, const std::string& folder) {
  // No destination goes as an empty string: hosts need not accept a null pointer.
  return sys::hostBoolValue(t_.moveMail(mail.c_str(), folder.c_str()));
}

std::string ResolvedHost::folderGetCurrentFolder(sys::WindowHandle mainWindow) {
  return copy(t_.folderGetCurrentFolder(mainWindow));
}

std::string ResolvedHost::folderGetCurrentEntry(sys::WindowHandle mainWindow) {
  return copy(t_.folderGetCurrentEntry(mainWindow));
}

std::string ResolvedHost::folderGetSelectEntry(sys::WindowHandle mainWindow, std::int32_t index) {
  return copy(t_.folderGetSelectEntry(mainWindow, index));
}

bool ResolvedHost::folderOpenMail(sys::WindowHandle mainWindow, const std::string& mail, bool flag) {
  return sys::hostBoolValue(t_.folderOpenMail(mainWindow, mail.c_str(), flag ? -1 : 0));
}

std::string ResolvedHost::sendGetHeader(sys::WindowHandle sendWindow) { return copy(t_.sendGetHeader(sendWindow)); }

void ResolvedHost::sendSetHeader(sys::WindowHandle sendWindow, const std::string& header) {
  t_.sendSetHeader(sendWindow, header.c_str());
}

sys::WindowHandle ResolvedHost::sendGetEditor(sys::WindowHandle sendWindow) { return t_.sendGetEditor(sendWindow); }

std::string ResolvedHost::viewGetPath(sys::WindowHandle viewWindow) { return copy(t_.viewGetPath(viewWindow)); }

sys::WindowHandle ResolvedHost::viewGetEditor(sys::WindowHandle viewWindow) { return t_.viewGetEditor(viewWindow); }

void ResolvedHost::viewChangeMail(sys::WindowHandle viewWindow, const std::string& mail) {
  t_.viewChangeMail(viewWindow, mail.c_str());
}

std::string ResolvedHost::jisToSjis(std::string_view jis) {
  if (jis.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return std::string(jis);
  // The Shift-JIS form is never longer than the input; one more byte for the NUL.
  const std::string input(jis);
  std::string output(jis.size() + 1, '\0');
  t_.jisToSjis(output.data(), input.c_str(), static_cast<std::int32_t>(jis.size()));
  output.resize(output.find('\0'));
  return output;
}

}  // namespace gleanix::core
