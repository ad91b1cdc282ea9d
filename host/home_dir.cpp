#include "host/home_dir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace gleanix::host {
namespace {

namespace fs = std::filesystem;

fs::path executable() {
#if defined(_WIN32)
  char buf[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, buf, MAX_PATH);
  return fs::path(buf);
#else
  return fs::read_symlink("/proc/self/exe");
#endif
}

#if defined(_WIN32)
const char* kPluginFile = "Gleanix.dll";

std::string quote(const std::string& arg) {
  std::string out = "\"";
  for (char c : arg) out += c == '"' ? std::string("\\\"") : std::string(1, c);
  return out + "\"";
}

int spawn(const fs::path& program, const std::vector<std::string>& args) {
  std::string line = quote(program.string());
  for (const std::string& a : args) line += " " + quote(a);
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(program.string().c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    return 1;
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}
#else
const char* kPluginFile = "libGleanix.so";

int spawn(const fs::path& program, const std::vector<std::string>& args, const fs::path& home) {
  std::fflush(stdout);
  const pid_t child = ::fork();
  if (child < 0) return 1;
  if (child == 0) {
    // The home's own registry file, unless the caller chose one.
    ::setenv("GLEANIX_REGISTRY", (home / "registry.txt").c_str(), 0);
    std::vector<char*> argv;
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(name.c_str(), argv.data());
    std::_Exit(127);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) < 0) return 1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
#endif

unsigned long processId() {
#if defined(_WIN32)
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(::getpid());
#endif
}

bool sameDirectory(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

}  // namespace

std::string executableDirectory() { return executable().parent_path().string(); }

std::optional<int> runFromHome(const std::string& home, const std::vector<std::string>& args) {
  const fs::path exe = executable();
  std::error_code ec;
  fs::path dir = home;
  const bool temporary = home.empty();
  if (temporary) {
    // A directory no other session has: this process's id and a number
    // that counts up until the name is new.
    const fs::path base = fs::temp_directory_path(ec);
    for (unsigned n = 0;; ++n) {
      dir = base / ("quillon-home-" + std::to_string(processId()) + "-" + std::to_string(n));
      if (fs::create_directory(dir, ec)) break;
      if (ec) return 1;
    }
  }
  if (!temporary && sameDirectory(dir, exe.parent_path())) return std::nullopt;
  fs::create_directories(dir / "Plugins", ec);
  const fs::path copy = dir / exe.filename();
  const fs::path plugin = exe.parent_path() / "Plugins" / kPluginFile;
  if (!sameDirectory(copy, exe)) fs::copy_file(exe, copy, fs::copy_options::overwrite_existing, ec);
  if (ec) return 1;
  fs::copy_file(plugin, dir / "Plugins" / kPluginFile, fs::copy_options::overwrite_existing, ec);
  if (ec) return 1;
  std::vector<std::string> again;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--home" && i + 1 < args.size()) {
      ++i;
      continue;
    }
    again.push_back(args[i]);
  }
  // The copy runs in its own directory: it is home now.
  again.insert(again.begin() + 2, {"--home", dir.string()});
#if defined(_WIN32)
  const int status = spawn(copy, again);
#else
  const int status = spawn(copy, again, dir);
#endif
  if (temporary) fs::remove_all(dir, ec);
  return status;
}

}  // namespace gleanix::host
