#pragma once
// A started plug-in for tests: fakes for the platform, quillon-sim as the
// host behind a module loader that logs what start-up and clean-up do.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "backend/sim/recording_shell.h"
#include "backend/sim/sim_desktop.h"
#include "fakes/fake_system.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "host/quillon_sim.h"
#include "core/started_plugin.h"
#include "core/thread_state.h"

namespace gleanix::testing {

// Every step start-up and clean-up take on the outside world, in order.
using EventLog = std::vector<std::string>;

// Searches read mail files on helper threads too: the reads are logged
// under logMutex, which a test holds to look at the log while one runs.
class LoggingFileSystem : public MemoryFileSystem {
 public:
  explicit LoggingFileSystem(EventLog& log) : log_(log) {}
  std::optional<std::string> readFile(const std::string& path) const override {
    {
      std::lock_guard<std::mutex> lock(logMutex);
      log_.push_back("read " + path);
    }
    return MemoryFileSystem::readFile(path);
  }

  mutable std::mutex logMutex;

 private:
  EventLog& log_;
};

class LoggingRegistry : public MemoryRegistry {
 public:
  explicit LoggingRegistry(EventLog& log) : log_(log) {}
  bool write(sys::RegistryRoot root, const std::string& key, const std::string& name,
             const sys::RegistryValue& value) override {
    log_.push_back("registry " + name);
    return MemoryRegistry::write(root, key, name, value);
  }

 private:
  EventLog& log_;
};

// The host module: quillon-sim's resolver, released with a log line.
class SimHostModule : public sys::Module {
 public:
  SimHostModule(host::QuillonSim& sim, EventLog& log) : sim_(sim), log_(log) {}
  ~SimHostModule() override { log_.push_back("release"); }
  void* find(const char* name) const override { return sim_.resolve(name); }

 private:
  host::QuillonSim& sim_;
  EventLog& log_;
};

class SimHostLoader : public sys::ModuleLoader {
 public:
  SimHostLoader(host::QuillonSim& sim, EventLog& log) : sim_(sim), log_(log) {}
  bool fail = false;
  std::unique_ptr<sys::Module> load(const std::string& fileName) override {
    log_.push_back("load " + fileName);
    if (fail) return nullptr;
    return std::make_unique<SimHostModule>(sim_, log_);
  }

 private:
  host::QuillonSim& sim_;
  EventLog& log_;
};

inline const std::string kExeDir = "C:\\Program Files\\Quillon\\";
inline const std::string kMailRoot = "C:\\Mail\\";
inline const std::string kSettingsFile = kExeDir + "Plugins\\Gleanix.ini";

class PluginTest : public ::testing::Test {
 protected:
  PluginTest() {
    // Tests share their thread when run in one process.
    core::threadState() = {};
    fs->addDirectory(kMailRoot);
    system->exePath = kExeDir + "Quillon.exe";
  }
  ~PluginTest() override { core::cleanUp(); }

  core::ServicesFactory factory() {
    return [this] { return core::PlatformServices{fs, registry, system, loader, desktop, shell}; };
  }
  std::uint8_t startUp(const char* version = "1.10") { return core::startUp(version, factory()); }
  core::StartedPlugin& started() { return *core::startedPlugin(); }
  int count(const std::string& event) const { return static_cast<int>(std::count(log.begin(), log.end(), event)); }

  EventLog log;
  std::shared_ptr<LoggingFileSystem> fs = std::make_shared<LoggingFileSystem>(log);
  std::shared_ptr<LoggingRegistry> registry = std::make_shared<LoggingRegistry>(log);
  std::shared_ptr<FixedSystemInfo> system = std::make_shared<FixedSystemInfo>();
  host::QuillonSim sim{*fs, kMailRoot};
  std::shared_ptr<SimHostLoader> loader = std::make_shared<SimHostLoader>(sim, log);
  std::shared_ptr<backend::SimDesktop> desktop = std::make_shared<backend::SimDesktop>();
  std::shared_ptr<backend::RecordingShell> shell = std::make_shared<backend::RecordingShell>();
};

}  // namespace gleanix::testing
