// The mark pickup against the plainest reading of the same store: each
// folder's list lines from the last to the first, kept when the selection
// picks the attribute and the mail file is there. Over generated stores of
// several seeds, roughened the way real stores are (mail files gone or
// named in another letter case, keys of other lengths, lines the host did
// not write, other line ends), in memory and on disk.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>

#include "backend/platform.h"
#include "make_store/store_generator.h"
#include "pickup/mark_search.h"
#include "pickup/mark_selection.h"
#include "store/attribute.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "support/memory_store.h"
#include "support/temp_store.h"

namespace gleanix::pickup {
namespace {

using testing::MemoryStore;
using testing::only;
using testing::TempStore;

constexpr std::size_t kMails = 400;
const std::uint64_t kSeeds[] = {1, 77, 20261209};

const MarkSelection kSelections[] = {MarkSelection{},
                                     only(true, false, {}),
                                     only(false, true, {}),
                                     only(false, false, {0}),
                                     only(false, true, {2, 5, 7}),
                                     only(true, true, {0, 1, 2, 3, 4, 5, 6, 7})};

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The generated store's files, roughened by a counter running over them.
std::vector<std::pair<std::string, std::string>> roughStore(std::uint64_t seed) {
  std::vector<std::pair<std::string, std::string>> files;
  std::size_t n = 0;
  tools::generateStore({kMails, seed}, [&](const std::string& path, std::string_view bytes) {
    std::string name = path, content(bytes);
    ++n;
    if (endsWith(path, ".ALM")) {
      if (n % 11 == 0) return;  // the mail file is gone
      if (n % 7 == 0) {         // stored in lower case
        for (std::size_t i = path.rfind('\\') + 1; i < name.size(); ++i) {
          name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
        }
      }
    } else if (endsWith(path, "ENTRY.LST") || endsWith(path, "Trash.box")) {
      if (n % 3 == 0) {  // LF or CR alone
        std::string ends;
        for (const char c : content) {
          if (c != '\n') ends += c == '\r' ? (n % 2 ? '\n' : '\r') : c;
        }
        content = ends;
      }
      // Lines the host did not write: other key lengths, a key without its
      // file, identifiers leading out, a line cut short, no line end.
      const std::string tail = store::encodeAttribute(store::kUnreadBit | 1) + "0000000100a@b:x";
      content += "LONGKEY" + std::to_string(n) + "=" + tail + "\r\n";
      content += "GONE0001=" + tail + "\r\n..\\escape=" + tail + "\r\nC:\\x=" + tail + "\r\nCUT=AQ\r\n";
      content += "K" + std::to_string(n) + "=" + tail;
      const std::string folder = path.substr(0, path.rfind('\\') + 1);
      if (endsWith(path, "ENTRY.LST")) {
        files.emplace_back(folder + "LONGKEY" + std::to_string(n) + ".ALM", "long key");
        files.emplace_back(folder + "k" + std::to_string(n) + ".alm", "short key");
      }
    }
    files.emplace_back(name, content);
  });
  return files;
}

std::vector<std::string> searchedFolders(const sys::FileSystem& fs, const std::string& root) {
  const store::MailStore store(fs, root);
  std::vector<std::string> folders;
  for (const store::TreeFolder& t : store::folderTree(store)) {
    if (t.folder.type != store::ctAccount && t.folder.type != store::ctGroup) folders.push_back(t.folder.path);
  }
  return folders;
}

// The reference, written plainly: one look at the file system per line.
std::vector<std::string> plainHits(const sys::FileSystem& fs, const std::string& root,
                                   const std::vector<std::string>& folders, const MarkSelection& s) {
  std::vector<std::string> hits;
  for (const std::string& folder : folders) {
    const bool trash = store::isTrashPath(folder);
    const auto lines = fs.readLines(root + folder + (trash ? "" : "ENTRY.LST"));
    if (!lines) continue;
    for (auto line = lines->rbegin(); line != lines->rend(); ++line) {
      const std::size_t eq = line->find('=');
      if (eq == std::string::npos || !store::isListedMailId(line->substr(0, eq))) continue;
      const auto attribute = store::decodeAttribute(line->substr(eq + 1, 6));
      const std::string hit = (trash ? "" : folder) + line->substr(0, eq);
      if (attribute && isMarkHit(s, *attribute) && fs.isFile(root + hit + ".ALM")) hits.push_back(hit);
    }
  }
  return hits;
}

void expectSameHits(const sys::FileSystem& fs, const std::string& root, std::uint64_t seed) {
  const std::vector<std::string> folders = searchedFolders(fs, root);
  ASSERT_GT(folders.size(), 10u);
  std::size_t picked = 0;
  for (const MarkSelection& s : kSelections) {
    SilentProgress progress;
    const PickupResult r = markSearch(fs, root, folders, s, progress);
    EXPECT_EQ(r.hits, plainHits(fs, root, folders, s)) << "seed " << seed;
    picked += r.hits.size();
  }
  EXPECT_GT(picked, kMails);  // the selections pick something
}

TEST(MarkDifferential, SameHitsInTheSameOrderAsThePlainReading) {
  for (const std::uint64_t seed : kSeeds) {
    const auto files = roughStore(seed);
    MemoryStore memory;
    for (const auto& [path, bytes] : files) memory.fs.addFile(memory.abs(path), bytes);
    expectSameHits(memory.fs, memory.root(), seed);

    TempStore disk;
    for (const auto& [path, bytes] : files) disk.write(path, bytes);
    const std::unique_ptr<sys::FileSystem> fs = backend::makeFileSystem();
    expectSameHits(*fs, disk.root(), seed);
  }
}

}  // namespace
}  // namespace gleanix::pickup
