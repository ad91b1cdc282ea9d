#pragma once
// The plug-in started over the generated 100,000-mail store on the
// simulated desktop, with quillon-sim as its host: the store read from the
// disk, the plug-in's own files (its settings) kept in memory, so that a
// benchmark of a window or a command measures them and not the saves.

#include <cstdlib>
#include <memory>
#include <string>

#include "backend/platform.h"
#include "backend/sim/recording_shell.h"
#include "backend/sim/sim_desktop.h"
#include "core/started_plugin.h"
#include "fakes/fake_system.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "generated_store.h"
#include "host/quillon_sim.h"

namespace gleanix::bench {

inline std::string storeRoot() { return generatedStoreDirectory() + "/"; }

// quillon-sim as the host module.
class SimHostModule : public sys::Module {
 public:
  explicit SimHostModule(host::QuillonSim& sim) : sim_(sim) {}
  void* find(const char* name) const override { return sim_.resolve(name); }

 private:
  host::QuillonSim& sim_;
};

class SimHostLoader : public sys::ModuleLoader {
 public:
  explicit SimHostLoader(host::QuillonSim& sim) : sim_(sim) {}
  std::unique_ptr<sys::Module> load(const std::string&) override { return std::make_unique<SimHostModule>(sim_); }

 private:
  host::QuillonSim& sim_;
};

// The disk for the store, memory for everything below "C:\" (where the
// plug-in's settings file goes).
class StoreOnDisk : public sys::FileSystem {
 public:
  bool exists(const std::string& p) const override { return of(p).exists(p); }
  bool isFile(const std::string& p) const override { return of(p).isFile(p); }
  bool isDirectory(const std::string& p) const override { return of(p).isDirectory(p); }
  std::optional<std::string> readFile(const std::string& p) const override { return of(p).readFile(p); }
  std::vector<sys::DirEntry> list(const std::string& p) const override { return of(p).list(p); }
  std::optional<std::string> storedName(const std::string& p) const override { return of(p).storedName(p); }
  bool createDirectory(const std::string& p) override { return of(p).createDirectory(p); }
  bool writeFileAtomic(const std::string& p, std::string_view b) override { return of(p).writeFileAtomic(p, b); }
  bool removeFile(const std::string& p) override { return of(p).removeFile(p); }
  bool moveFile(const std::string& from, const std::string& to) override { return of(from).moveFile(from, to); }
  bool appendLine(const std::string& p, std::string_view line) override { return of(p).appendLine(p, line); }
  bool staysWithin(const std::string& root, const std::string& p) const override {
    return of(p).staysWithin(root, p);
  }

  std::unique_ptr<sys::FileSystem> disk = backend::makeFileSystem();

 private:
  sys::FileSystem& of(const std::string& path) const {
    return path.rfind("C:\\", 0) == 0 ? static_cast<sys::FileSystem&>(memory_) : *disk;
  }
  mutable testing::MemoryFileSystem memory_;
};

// Started on construction (aborting the benchmark when it cannot start),
// cleaned up on destruction.
struct SimPlugin {
  SimPlugin() {
    system->exePath = "C:\\Quillon\\Quillon.exe";
    const core::ServicesFactory services = [this] {
      return core::PlatformServices{fs, registry, system, loader, desktop, shell};
    };
    if (core::startUp("1.10", services) != 255) std::abort();
  }
  ~SimPlugin() { core::cleanUp(); }
  SimPlugin(const SimPlugin&) = delete;
  SimPlugin& operator=(const SimPlugin&) = delete;

  core::StartedPlugin& started() { return *core::startedPlugin(); }

  std::shared_ptr<StoreOnDisk> fs = std::make_shared<StoreOnDisk>();
  std::shared_ptr<testing::MemoryRegistry> registry = std::make_shared<testing::MemoryRegistry>();
  std::shared_ptr<testing::FixedSystemInfo> system = std::make_shared<testing::FixedSystemInfo>();
  host::QuillonSim sim{*fs, storeRoot()};
  std::shared_ptr<SimHostLoader> loader = std::make_shared<SimHostLoader>(sim);
  std::shared_ptr<backend::SimDesktop> desktop = std::make_shared<backend::SimDesktop>();
  std::shared_ptr<backend::RecordingShell> shell = std::make_shared<backend::RecordingShell>();
};

}  // namespace gleanix::bench
