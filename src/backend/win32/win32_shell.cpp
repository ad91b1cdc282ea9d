#include "backend/win32/win32_shell.h"

#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

namespace gleanix::backend {
namespace {
const char* orNull(const std::string& s) { return s.empty() ? nullptr : s.c_str(); }
}  // namespace

void Win32Shell::open(sys::WindowHandle owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory) {
  ShellExecuteA(reinterpret_cast<HWND>(owner), orNull(verb), file.c_str(), orNull(parameters), orNull(directory),
                SW_SHOWNORMAL);
}

}  // namespace gleanix::backend
