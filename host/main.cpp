// quillon-sim: the simulated host on the command line, for scripts and tests.
//
//   quillon-sim --store DIR import FILE FOLDER [ATTRIBUTE]
//   quillon-sim --store DIR move MAIL [FOLDER]      (no folder: the trash)
//   quillon-sim --store DIR list [FOLDER]
//
// Paths are as the host takes them: relative to the mail root, "\" between
// components. Output is the store's own bytes (CP932).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "backend/platform.h"
#include "host/quillon_sim.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "store/mail_store.h"

namespace {

using namespace gleanix;

int usage() {
  std::fputs(
      "usage: quillon-sim --store DIR import FILE FOLDER [ATTRIBUTE]\n"
      "       quillon-sim --store DIR move MAIL [FOLDER]\n"
      "       quillon-sim --store DIR list [FOLDER]\n",
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

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 3 || args[0] != "--store") return usage();
  const std::string root = args[1];
  const std::string command = args[2];
  args.erase(args.begin(), args.begin() + 3);

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
  return usage();
}
