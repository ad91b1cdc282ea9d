// quillon-sim: the simulated host on the command line, for scripts and tests.
//
//   quillon-sim --store DIR import FILE FOLDER [ATTRIBUTE]
//   quillon-sim --store DIR move MAIL [FOLDER]      (no folder: the trash)
//   quillon-sim --store DIR list [FOLDER]
//   quillon-sim --store DIR plugin [--library FILE] [--host-version V] [--withhold EXPORT]...
//   quillon-sim --store DIR [--home DIR] script FILE
//
// "plugin" loads the plug-in library (by default Plugins\Gleanix.dll beside
// the executable; Plugins/libGleanix.so on Linux) and drives it through its
// entry points as Quillon does at start-up, when a mail is posted and at
// shut-down, printing what each call gave back. --withhold leaves a host
// function out of what the Linux host offers; on Windows the exports are
// fixed by the executable's .def file, so a host lacking one is its own build.
//
// "script" runs a visible host session from a file (host/script.h) and
// prints its transcript in UTF-8.
//
// Paths are as the host takes them: relative to the mail root, "\" between
// components. Output is the store's own bytes (CP932).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "backend/module_loader.h"
#include "backend/platform.h"
#include "host/home_dir.h"
#include "host/plugin_driver.h"
#include "host/quillon_app.h"
#include "host/script.h"
#include "host/quillon_sim.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "store/mail_store.h"
#include "util/path.h"

namespace {

using namespace gleanix;

// The host's desktop, shared with the plug-in on Linux (QuillonSimDesktop).
backend::HostDesktop* gDesktop = nullptr;

int usage() {
  std::fputs(
      "usage: quillon-sim --store DIR import FILE FOLDER [ATTRIBUTE]\n"
      "       quillon-sim --store DIR move MAIL [FOLDER]\n"
      "       quillon-sim --store DIR list [FOLDER]\n"
      "       quillon-sim --store DIR plugin [--library FILE] [--host-version V] [--withhold EXPORT]...\n"
      "       quillon-sim --store DIR [--home DIR] script FILE\n",
      stderr);
  return 2;
}

void printLine(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

int listStore(const sys::FileSystem& fs, const std::string& root, const std::vector<std::string>& args) {
  const store::MailStore mailStore(fs, root);
  if (args.empty()) {
    for (const store::TreeFolder& t : store::folderTree(mailStore)) {
      printLine(std::string(1, store::folderTypeLetter(t.folder.type)) + "\t" + t.folder.path + "\t" + t.folder.name);
    }
    return 0;
  }
  const std::string folder = store::isTrashPath(args[0]) ? args[0] : store::withTrailingBackslash(args[0]);
  store::MailFileIndex files(mailStore);
  for (const store::ListedMail& m : store::listedMails(mailStore, folder)) {
    char word[16] = "-";
    if (m.attribute) std::snprintf(word, sizeof word, "%08X", static_cast<unsigned>(*m.attribute));
    printLine(m.hit + "\t" + word + "\t" + (files.exists(m.hit) ? "file" : "missing"));
  }
  return 0;
}

// Plugins\Gleanix.dll in the executable's own directory, as Quillon looks
// for its plug-ins.
std::string defaultPluginLibrary() {
  const auto system = backend::makeSystemInfo();
  std::string dir = util::extractFilePath(system->executablePath());
#if defined(_WIN32)
  return dir + "Plugins\\Gleanix.dll";
#else
  for (char& c : dir) {
    if (c == '\\') c = '/';
  }
  return dir + "Plugins/libGleanix.so";
#endif
}

// The plug-in's settings file below the host's directory.
std::string settingsFile() {
  const auto system = backend::makeSystemInfo();
  return util::extractFilePath(system->executablePath()) + "Plugins\\Gleanix.ini";
}

int runScriptFile(backend::HostDesktop& desktop, sys::FileSystem& fs, host::QuillonSim& sim,
                  const std::vector<std::string>& args) {
  if (args.size() != 1) return usage();
  std::FILE* in = std::fopen(args[0].c_str(), "rb");
  if (!in) {
    std::fprintf(stderr, "quillon-sim: cannot read %s\n", args[0].c_str());
    return 1;
  }
  std::string script;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, in)) > 0;) script.append(buf, n);
  std::fclose(in);
  host::QuillonApp app(desktop, sim, fs);
  const host::ScriptSetup setup{defaultPluginLibrary(), settingsFile()};
  return host::runScript(app, fs, setup, script, stdout);
}

int drivePlugin(host::QuillonSim& sim, const std::vector<std::string>& args) {
  std::string library = defaultPluginLibrary();
  host::PluginScenario scenario;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return usage();
    if (args[i] == "--library") {
      library = args[i + 1];
    } else if (args[i] == "--host-version") {
      scenario.hostVersion = args[i + 1];
#if !defined(_WIN32)
    } else if (args[i] == "--withhold") {
      sim.withhold(args[i + 1]);
#endif
    } else {
      return usage();
    }
  }
  const auto loader = backend::makeLibraryLoader();
  const auto module = loader->load(library);
  if (!module) {
    std::fprintf(stderr, "quillon-sim: cannot load %s\n", library.c_str());
    return 1;
  }
  std::string missing;
  const auto entries = host::findPluginEntries(*module, &missing);
  if (!entries) {
    std::fprintf(stderr, "quillon-sim: %s lacks the entry point %s\n", library.c_str(), missing.c_str());
    return 1;
  }
  const std::string report = host::runPluginScenario(sim, *entries, scenario);
  std::fwrite(report.data(), 1, report.size(), stdout);
  return 0;
}

}  // namespace

#if !defined(_WIN32)
// A plug-in loaded into this process finds the host's desktop here, so that
// both see one simulated desktop (backend::makeDesktop).
extern "C" __attribute__((visibility("default"))) gleanix::sys::Desktop* QuillonSimDesktop() { return gDesktop; }
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 3 || args[0] != "--store") return usage();
  const std::vector<std::string> all = args;
  const std::string root = args[1];
  args.erase(args.begin(), args.begin() + 2);
  std::string home;
  if (args.size() >= 3 && args[0] == "--home") {
    home = args[1];
    args.erase(args.begin(), args.begin() + 2);
  }
  // A script session runs in its home: by default a new, empty one.
  if (!args.empty() && args[0] == "script") {
    if (const auto status = host::runFromHome(home, all)) return *status;
  }
  if (args.empty()) return usage();
  const std::string command = args[0];
  args.erase(args.begin());

  const auto desktop = backend::makeHostDesktop();
  gDesktop = desktop.get();
  auto fs = backend::makeFileSystem();
  host::QuillonSim sim(*fs, root);
  if (command == "import" && (args.size() == 2 || args.size() == 3)) {
    const std::uint32_t attribute = args.size() == 3 ? std::strtoul(args[2].c_str(), nullptr, 0) : 0;
    std::string key;
    if (!sim.importFile(args[0], args[1], attribute, &key)) {
      std::fputs("quillon-sim: import failed\n", stderr);
      return 1;
    }
    printLine(store::withTrailingBackslash(args[1]) + key);
    return 0;
  }
  if (command == "move" && (args.size() == 1 || args.size() == 2)) {
    if (!sim.moveMail(args[0], args.size() == 2 ? args[1] : std::string())) {
      std::fputs("quillon-sim: move failed\n", stderr);
      return 1;
    }
    return 0;
  }
  if (command == "list" && args.size() <= 1) return listStore(*fs, sim.mailRoot(), args);
  if (command == "plugin") return drivePlugin(sim, args);
  if (command == "script") return runScriptFile(*desktop, *fs, sim, args);
  return usage();
}
