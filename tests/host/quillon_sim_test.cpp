// quillon-sim: the function table it offers, and what its store functions
// do on disk, failures included.
#include <gtest/gtest.h>

#include "backend/platform.h"
#include "host/quillon_sim.h"
#include "host/resolved_host.h"
#include "store/attribute.h"
#include "support/temp_store.h"
#include "sys/host_abi.h"

namespace gleanix::host {
namespace {

using testing::TempStore;

// A file system that fails its n-th change (write, move or removal), to show
// that a failure part-way through an operation leaves the store as it was.
class FailingFileSystem : public sys::FileSystem {
 public:
  FailingFileSystem(sys::FileSystem& inner, int failAt) : inner_(inner), failAt_(failAt) {}
  bool exists(const std::string& p) const override { return inner_.exists(p); }
  bool isFile(const std::string& p) const override { return inner_.isFile(p); }
  bool isDirectory(const std::string& p) const override { return inner_.isDirectory(p); }
  std::optional<std::string> readFile(const std::string& p) const override { return inner_.readFile(p); }
  std::vector<sys::DirEntry> list(const std::string& p) const override { return inner_.list(p); }
  std::optional<std::string> storedName(const std::string& p) const override { return inner_.storedName(p); }
  bool createDirectory(const std::string& p) override { return change() && inner_.createDirectory(p); }
  bool writeFileAtomic(const std::string& p, std::string_view b) override {
    return change() && inner_.writeFileAtomic(p, b);
  }
  bool removeFile(const std::string& p) override { return change() && inner_.removeFile(p); }
  bool moveFile(const std::string& f, const std::string& t) override { return change() && inner_.moveFile(f, t); }
  int changes = 0;

 private:
  bool change() { return ++changes != failAt_; }
  sys::FileSystem& inner_;
  int failAt_;
};

const std::string kLine = "=AAAAAA0000000042a@example.jp:subject\r\n";

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.write("Mailbox.ini", "TIMEZONE=+0900\r\n");
    disk.write("Acc1\\Account.ini", "TITLE=Home\r\n");
    disk.write("Acc2\\Account.ini", "TITLE=Work\r\n");
    disk.write("Acc1\\Inbox.box\\ENTRY.LST", "MAIL0001" + kLine + "MAIL0002" + kLine);
    disk.write("Acc1\\Inbox.box\\MAIL0001.ALM", testing::mailText("one"));
    disk.write("Acc1\\Inbox.box\\MAIL0002.ALM", testing::mailText("two"));
    disk.write("Acc1\\User001.box\\ENTRY.LST", "MAIL0002" + kLine);
    disk.write("Acc1\\User001.box\\MAIL0002.ALM", testing::mailText("taken"));
    disk.mkdir("Acc1\\User002.box");
    disk.write("Acc1\\Trash.box", "");
    disk.mkdir("Acc2\\Inbox.box");
    disk.write("incoming.eml", "From: Taro <taro@example.jp>\r\nSubject: [ml:12] Re: a:b\r\n\r\nhello\r\n");
  }
  TempStore disk;
  std::unique_ptr<sys::FileSystem> fs = backend::makeFileSystem();
};

TEST_F(SimTest, OffersAll26FunctionsByTheirExportedNames) {
  QuillonSim sim(*fs, disk.root());
  for (const char* name : sys::kHostFunctionNames) EXPECT_NE(sim.resolve(name), nullptr) << name;
  EXPECT_EQ(sim.resolve("APAGetMailbox"), nullptr);
  EXPECT_EQ(sim.resolve("_APAGetMailbox@4"), nullptr);
  EXPECT_TRUE(sys::resolveHostFunctions(sim.resolver()));
}

TEST_F(SimTest, AHostLackingAnyOneFunctionIsRefused) {
  for (const char* name : sys::kHostFunctionNames) {
    QuillonSim sim(*fs, disk.root());
    sim.withhold(name);
    EXPECT_FALSE(sys::resolveHostFunctions(sim.resolver())) << name;
    EXPECT_FALSE(ResolvedHost::create(sim.resolver())) << name;
  }
  EXPECT_FALSE(sys::resolveHostFunctions(sys::HostResolver()));
}

TEST_F(SimTest, ImportGivesAFreshKeyAndAnEntryLine) {
  QuillonSim sim(*fs, disk.root());
  auto host = ResolvedHost::create(sim.resolver());
  ASSERT_TRUE(host);
  const std::string file = disk.root() + "incoming.eml";
  ASSERT_TRUE(host->importFile(file, "Acc1\\User002.box", 0));
  ASSERT_TRUE(host->importFile(file, "Acc1\\User002.box", 0x00000105u));
  const auto lines = sys::splitLines(disk.read("Acc1\\User002.box\\ENTRY.LST"));
  ASSERT_EQ(lines.size(), 2u);
  const std::string first = lines[0].substr(0, 8), second = lines[1].substr(0, 8);
  EXPECT_NE(first, second);
  EXPECT_EQ(disk.read("Acc1\\User002.box\\" + first + ".ALM"), disk.read("incoming.eml"));
  // Attribute 0 makes a new, unread mail; a subject's colons are doubled.
  ASSERT_EQ(disk.read("incoming.eml").size(), 65u);
  EXPECT_EQ(lines[0].substr(8), "=AAAAQA0000000065taro@example.jp:[ml::12] Re:: a::b");
  EXPECT_EQ(store::decodeAttribute(lines[1].substr(9)), 0x00000105u);
}

TEST_F(SimTest, ImportIntoATrashListsTheCopyThere) {
  QuillonSim sim(*fs, disk.root());
  std::string key;
  ASSERT_TRUE(sim.importFile(disk.root() + "incoming.eml", "Acc2\\Trash.box", 7, &key));
  EXPECT_TRUE(disk.exists("Acc2\\Inbox.box\\" + key + ".ALM"));
  EXPECT_EQ(disk.read("Acc2\\Trash.box").substr(0, 30), "Acc2\\Inbox.box\\" + key + "=BwAAAA");
}

TEST_F(SimTest, FailedImportChangesNothing) {
  QuillonSim sim(*fs, disk.root());
  const auto before = disk.snapshot();
  EXPECT_FALSE(sim.importFile(disk.root() + "missing.eml", "Acc1\\User002.box", 0));
  EXPECT_FALSE(sim.importFile(disk.root() + "incoming.eml", "Acc1\\User404.box", 0));
  EXPECT_FALSE(sim.importFile(disk.root() + "incoming.eml", "", 0));
  EXPECT_EQ(disk.snapshot(), before);
  // The mail under its pending name, the entry line, the final name.
  for (int failAt = 1; failAt <= 3; ++failAt) {
    FailingFileSystem failing(*fs, failAt);
    QuillonSim broken(failing, disk.root());
    EXPECT_FALSE(broken.importFile(disk.root() + "incoming.eml", "Acc1\\User002.box", 0)) << failAt;
    EXPECT_EQ(disk.snapshot(), before) << failAt;
  }
}

TEST_F(SimTest, TheFirstChangeToAFolderFinishesOrRemovesWhatAKilledRunLeft) {
  // A killed import: its line was appended, its file still has its pending
  // name. Another one died before its line, and a list rewrite left a temp.
  disk.write("Acc1\\User002.box\\ENTRY.LST", "ABCDEF01" + kLine);
  disk.write("Acc1\\User002.box\\~GXM-ABCDEF01.tmp", testing::mailText("committed"));
  disk.write("Acc1\\User002.box\\~GXM-ABCDEF02.tmp", testing::mailText("never listed"));
  disk.write("Acc1\\User002.box\\~GX1F2E-3.tmp", "half a list");
  QuillonSim sim(*fs, disk.root());
  std::string key;
  ASSERT_TRUE(sim.importFile(disk.root() + "incoming.eml", "Acc1\\User002.box", 0, &key));
  EXPECT_EQ(disk.read("Acc1\\User002.box\\ABCDEF01.ALM"), testing::mailText("committed"));
  EXPECT_FALSE(disk.exists("Acc1\\User002.box\\~GXM-ABCDEF01.tmp"));
  EXPECT_FALSE(disk.exists("Acc1\\User002.box\\~GXM-ABCDEF02.tmp"));
  EXPECT_FALSE(disk.exists("Acc1\\User002.box\\ABCDEF02.ALM"));
  EXPECT_FALSE(disk.exists("Acc1\\User002.box\\~GX1F2E-3.tmp"));
  EXPECT_TRUE(disk.exists("Acc1\\User002.box\\" + key + ".ALM"));
  EXPECT_EQ(sys::splitLines(disk.read("Acc1\\User002.box\\ENTRY.LST")).size(), 2u);
}

TEST_F(SimTest, ImportsAppendToAnEntryListCutShort) {
  disk.write("Acc1\\User002.box\\ENTRY.LST", "ABCDEF01=AAAAAA0000000042a@example.jp:no line end");
  disk.write("Acc1\\User002.box\\ABCDEF01.ALM", testing::mailText("old"));
  QuillonSim sim(*fs, disk.root());
  std::string key;
  ASSERT_TRUE(sim.importFile(disk.root() + "incoming.eml", "Acc1\\User002.box", 0, &key));
  const auto lines = sys::splitLines(disk.read("Acc1\\User002.box\\ENTRY.LST"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "ABCDEF01=AAAAAA0000000042a@example.jp:no line end");
  EXPECT_EQ(lines[1].substr(0, 9), key + "=");
}

TEST_F(SimTest, AHalfLineOfAKilledImportIsCutOffByTheNextChange) {
  // Killed while appending: the start of the pending mail's line, with no
  // line end, in the entry list and in a trash list (whose lines name the
  // folder too). A line without a line end that no pending mail explains
  // stays as it is.
  disk.write("Acc1\\User002.box\\ENTRY.LST", "ABCDEF01" + kLine + "ABCDEF02=AAAA");
  disk.write("Acc1\\User002.box\\ABCDEF01.ALM", testing::mailText("old"));
  disk.write("Acc1\\User002.box\\~GXM-ABCDEF02.tmp", testing::mailText("half listed"));
  disk.write("Acc1\\Inbox.box\\~GXM-ABCDEF03.tmp", testing::mailText("half trashed"));
  disk.write("Acc1\\Trash.box", "acc1\\inbox.box\\ABC");
  disk.write("Acc2\\Inbox.box\\ENTRY.LST", "ABCDEF09=AAAAAA0000000042a@example.jp:no line end");
  disk.write("Acc2\\Inbox.box\\~GXM-ABCDEF04.tmp", testing::mailText("never listed"));
  QuillonSim sim(*fs, disk.root());
  std::string key;
  ASSERT_TRUE(sim.importFile(disk.root() + "incoming.eml", "Acc1\\User002.box", 0, &key));
  const auto lines = sys::splitLines(disk.read("Acc1\\User002.box\\ENTRY.LST"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0] + "\r\n", "ABCDEF01" + kLine);
  EXPECT_EQ(lines[1].substr(0, 9), key + "=");
  EXPECT_FALSE(disk.exists("Acc1\\User002.box\\~GXM-ABCDEF02.tmp"));
  EXPECT_FALSE(disk.exists("Acc1\\User002.box\\ABCDEF02.ALM"));

  ASSERT_TRUE(sim.importFile(disk.root() + "incoming.eml", "Acc1\\Trash.box", 0, &key));
  const auto trash = sys::splitLines(disk.read("Acc1\\Trash.box"));
  ASSERT_EQ(trash.size(), 1u);
  EXPECT_EQ(trash[0].substr(0, 24), "Acc1\\Inbox.box\\" + key + "=");
  EXPECT_FALSE(disk.exists("Acc1\\Inbox.box\\~GXM-ABCDEF03.tmp"));
  EXPECT_FALSE(disk.exists("Acc1\\Inbox.box\\ABCDEF03.ALM"));

  ASSERT_TRUE(sim.importFile(disk.root() + "incoming.eml", "Acc2\\Inbox.box", 0, &key));
  const auto kept = sys::splitLines(disk.read("Acc2\\Inbox.box\\ENTRY.LST"));
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0], "ABCDEF09=AAAAAA0000000042a@example.jp:no line end");
  EXPECT_FALSE(disk.exists("Acc2\\Inbox.box\\~GXM-ABCDEF04.tmp"));
}

TEST_F(SimTest, MoveCarriesFileAndEntryLine) {
  QuillonSim sim(*fs, disk.root());
  ASSERT_TRUE(sim.moveMail("Acc1\\Inbox.box\\mail0001", "Acc1\\User002.box\\"));
  EXPECT_EQ(disk.read("Acc1\\Inbox.box\\ENTRY.LST"), "MAIL0002" + kLine);
  EXPECT_EQ(disk.read("Acc1\\User002.box\\ENTRY.LST"), "MAIL0001" + kLine);
  EXPECT_EQ(disk.read("Acc1\\User002.box\\MAIL0001.ALM"), testing::mailText("one"));
  // Into its own folder: nothing to do.
  const auto before = disk.snapshot();
  EXPECT_TRUE(sim.moveMail("Acc1\\User002.box\\MAIL0001", "Acc1\\User002.box"));
  EXPECT_EQ(disk.snapshot(), before);
}

TEST_F(SimTest, RefusedMovesChangeNothing) {
  QuillonSim sim(*fs, disk.root());
  const auto before = disk.snapshot();
  EXPECT_FALSE(sim.moveMail("Acc1\\Inbox.box\\MAIL0002", "Acc1\\User001.box"));  // key taken there
  EXPECT_FALSE(sim.moveMail("Acc1\\Inbox.box\\MAIL0404", "Acc1\\User002.box"));  // not listed
  EXPECT_FALSE(sim.moveMail("Acc1\\Inbox.box\\MAIL0001", "Acc1\\User404.box"));  // no such folder
  EXPECT_FALSE(sim.moveMail("MAIL0001", "Acc1\\User002.box"));
  EXPECT_EQ(disk.snapshot(), before);
  disk.write("Acc1\\Inbox.box\\ENTRY.LST", "MAIL0001" + kLine + "MAIL0002" + kLine + "MAIL0003" + kLine);
  const auto withLostFile = disk.snapshot();
  EXPECT_FALSE(sim.moveMail("Acc1\\Inbox.box\\MAIL0003", "Acc1\\User002.box"));  // file lost
  EXPECT_EQ(disk.snapshot(), withLostFile);
}

TEST_F(SimTest, EveryFailurePartWayIsUndone) {
  const auto before = disk.snapshot();
  for (int failAt = 1; failAt <= 3; ++failAt) {
    FailingFileSystem failing(*fs, failAt);
    QuillonSim sim(failing, disk.root());
    EXPECT_FALSE(sim.moveMail("Acc1\\Inbox.box\\MAIL0001", "Acc1\\User002.box")) << failAt;
    EXPECT_EQ(disk.snapshot(), before) << failAt;
  }
  for (int failAt = 1; failAt <= 2; ++failAt) {
    FailingFileSystem failing(*fs, failAt);
    QuillonSim sim(failing, disk.root());
    EXPECT_FALSE(sim.moveMail("Acc1\\Inbox.box\\MAIL0001", "")) << failAt;
    EXPECT_EQ(disk.snapshot(), before) << failAt;
  }
}

TEST_F(SimTest, TrashAndBack) {
  QuillonSim sim(*fs, disk.root());
  ASSERT_TRUE(sim.moveMail("Acc1\\Inbox.box\\MAIL0001", ""));
  EXPECT_EQ(disk.read("Acc1\\Trash.box"), "Acc1\\Inbox.box\\MAIL0001" + kLine);
  EXPECT_TRUE(disk.exists("Acc1\\Inbox.box\\MAIL0001.ALM"));
  EXPECT_EQ(disk.read("Acc1\\Inbox.box\\ENTRY.LST"), "MAIL0002" + kLine);
  // Trashing it again changes nothing; taking it out goes by its trash key.
  EXPECT_TRUE(sim.moveMail("Acc1\\Inbox.box\\MAIL0001", "Acc1\\Trash.box"));
  ASSERT_TRUE(sim.moveMail("Acc1\\Inbox.box\\MAIL0001", "Acc1\\User002.box"));
  EXPECT_EQ(disk.read("Acc1\\Trash.box"), "");
  EXPECT_EQ(disk.read("Acc1\\User002.box\\ENTRY.LST"), "MAIL0001" + kLine);
  EXPECT_FALSE(disk.exists("Acc1\\Inbox.box\\MAIL0001.ALM"));
  // Back into the folder it was trashed from: only the lists change.
  ASSERT_TRUE(sim.moveMail("Acc1\\Inbox.box\\MAIL0002", ""));
  ASSERT_TRUE(sim.moveMail("Acc1\\Inbox.box\\MAIL0002", "Acc1\\Inbox.box"));
  EXPECT_EQ(disk.read("Acc1\\Inbox.box\\ENTRY.LST"), "MAIL0002" + kLine);
  EXPECT_TRUE(disk.exists("Acc1\\Inbox.box\\MAIL0002.ALM"));
}

TEST_F(SimTest, WindowsThroughTheFunctionTable) {
  QuillonSim sim(*fs, disk.root());
  auto host = ResolvedHost::create(sim.resolver());
  ASSERT_TRUE(host);
  EXPECT_EQ(host->getMailbox(), disk.root());
  sim.setCurrentFolder("Acc2\\Inbox.box");
  EXPECT_EQ(host->folderGetCurrentFolder(sim.mainWindow()), "Acc2\\Inbox.box");
  EXPECT_EQ(host->getAccount(sim.mainWindow()), disk.root() + "Acc2\\");

  ASSERT_TRUE(host->folderOpenMail(sim.mainWindow(), "Acc1\\Inbox.box\\MAIL0001", false));
  EXPECT_FALSE(host->folderOpenMail(sim.mainWindow(), "Acc1\\Inbox.box\\MAIL0404", false));
  const sys::WindowHandle view = sim.openViewWindow("Acc1\\Inbox.box\\MAIL0001");
  EXPECT_EQ(host->viewGetPath(view), disk.root() + "Acc1\\Inbox.box\\MAIL0001.ALM");
  host->viewChangeMail(view, "Acc1\\Inbox.box\\MAIL0002");
  EXPECT_EQ(sim.viewMail(view), "Acc1\\Inbox.box\\MAIL0002");
  host->viewChangeMail(view, "Acc1\\Inbox.box\\MAIL0404");  // no such mail: stays
  EXPECT_EQ(sim.viewMail(view), "Acc1\\Inbox.box\\MAIL0002");
  EXPECT_EQ(host->viewGetEditor(view), 0u);
  sim.setEditor(view, 0x777);
  EXPECT_EQ(host->viewGetEditor(view), 0x777u);

  const sys::WindowHandle send = sim.openSendWindow("To: a@b\r\n");
  EXPECT_EQ(host->sendGetHeader(send), "To: a@b\r\n");
  host->sendSetHeader(send, "To: a@b\r\nX-Mailer-Plugin: Gleanix\r\n");
  EXPECT_EQ(sim.sendHeader(send), "To: a@b\r\nX-Mailer-Plugin: Gleanix\r\n");
  EXPECT_EQ(host->sendGetHeader(view), "");  // a VIEW window has no SEND header
}

int gCalls = 0;
sys::WindowHandle gWindow = 0;
std::int32_t gParameter = 0;
void GLEANIX_STDCALL command(sys::WindowHandle window, std::int32_t parameter) {
  ++gCalls;
  gWindow = window;
  gParameter = parameter;
}

TEST_F(SimTest, RegisteredCommandsAreCalledWithTheirParameter) {
  QuillonSim sim(*fs, disk.root());
  auto host = ResolvedHost::create(sim.resolver());
  const std::int32_t first = host->registCallback(&command, 0);
  const std::int32_t second = host->registCallback(&command, 1);
  EXPECT_NE(first, second);
  ASSERT_TRUE(sim.invokeCommand(second, sim.mainWindow()));
  EXPECT_EQ(gCalls, 1);
  EXPECT_EQ(gWindow, sim.mainWindow());
  EXPECT_EQ(gParameter, 1);
  EXPECT_FALSE(sim.invokeCommand(second + 100, sim.mainWindow()));
}

TEST_F(SimTest, WithoutASimulatorTheFunctionsAnswerEmpty) {
  sys::HostFunctionTable table;
  {
    QuillonSim sim(*fs, disk.root());
    table = *sys::resolveHostFunctions(sim.resolver());
  }
  ASSERT_EQ(QuillonSim::active(), nullptr);
  EXPECT_STREQ(table.getMailbox(), "");
  EXPECT_EQ(table.moveMail("Acc1\\Inbox.box\\MAIL0001", nullptr) & 0xFF, 0u);
  EXPECT_STREQ(table.folderGetSelectEntry(0, -1), "");
}

}  // namespace
}  // namespace gleanix::host
