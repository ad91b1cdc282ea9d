// The registry file of the Linux build, read from arbitrary bytes: no crash;
// a write changes the written value only, and every other value reads the
// same from the rewritten file as from the original.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "backend/sim/file_registry.h"

namespace {

using gleanix::sys::RegistryKind;
using gleanix::sys::RegistryRoot;
using gleanix::sys::RegistryValue;

struct Probe {
  RegistryRoot root;
  std::string key;
  std::string name;
};

std::string& fuzzDir() {
  static std::string dir;
  return dir;
}

void removeFuzzDir() {
  ::unlink((fuzzDir() + "/registry.txt").c_str());
  ::rmdir(fuzzDir().c_str());
}

// On tmpfs when there is one: every write syncs, which a disk makes slow.
const std::string& registryPath() {
  static const std::string path = [] {
    char dir[] = "/dev/shm/gleanix-fuzz-XXXXXX";
    char fallback[] = "/tmp/gleanix-fuzz-XXXXXX";
    const char* made = ::mkdtemp(dir);
    if (!made) made = ::mkdtemp(fallback);
    if (!made) std::abort();
    fuzzDir() = made;
    std::atexit(removeFuzzDir);
    return fuzzDir() + "/registry.txt";
  }();
  return path;
}

void writeRaw(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// Names to ask for: fixed ones, and the first two fields of each input line
// taken as they are.
std::vector<Probe> probes(const std::string& input) {
  std::vector<Probe> out = {{RegistryRoot::CurrentUser, "K", "V"},
                            {RegistryRoot::CurrentUser, "Software\\Orvane Lab\\Gleanix\\Options", "Common"},
                            {RegistryRoot::LocalMachine, "SOFTWARE\\Brantor\\Quillon", "InstallPath"}};
  std::size_t start = 0;
  while (start < input.size() && out.size() < 20) {
    std::size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    const std::string line = input.substr(start, end - start);
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) {
      const std::size_t slash = line.find('\\');
      const std::string key = slash < tab ? line.substr(slash + 1, tab - slash - 1) : "";
      const std::size_t tab2 = line.find('\t', tab + 1);
      out.push_back({RegistryRoot::CurrentUser, key, line.substr(tab + 1, tab2 - tab - 1)});
    }
    start = end + 1;
  }
  return out;
}

bool same(const std::optional<RegistryValue>& a, const std::optional<RegistryValue>& b) {
  return a.has_value() == b.has_value() && (!a || (a->kind == b->kind && a->data == b->data));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  writeRaw(registryPath(), input);
  gleanix::backend::FileRegistry registry(registryPath());

  const auto asked = probes(input);
  std::vector<std::optional<RegistryValue>> before;
  for (const auto& p : asked) before.push_back(registry.read(p.root, p.key, p.name));

  const RegistryValue written{RegistryKind::String, "v%\r\n\t表"};
  if (!registry.write(RegistryRoot::CurrentUser, "Fuzz\\Key", "Written", written)) std::abort();
  if (!same(registry.read(RegistryRoot::CurrentUser, "FUZZ\\key", "written"), written)) std::abort();
  for (std::size_t i = 0; i < asked.size(); ++i) {
    const auto after = registry.read(asked[i].root, asked[i].key, asked[i].name);
    // Only a probe that names the written value (in some spelling) may change.
    if (!same(before[i], after) && !same(after, written)) std::abort();
  }
  return 0;
}
