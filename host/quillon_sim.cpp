#include "host/quillon_sim.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "host/entry_format.h"
#include "host/exports.h"
#include "store/attribute.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "store/mail_store.h"
#include "util/sjis.h"

namespace gleanix::host {
namespace {

QuillonSim* gActive = nullptr;
std::mutex gActiveMutex;

// A list file loaded for a change, with what it held before so that a change
// that fails later can be undone.
struct ListFile {
  std::string path;
  std::optional<std::string> original;  // nullopt: the file did not exist
  std::vector<std::string> lines;

  static ListFile load(const sys::FileSystem& fs, std::string path) {
    ListFile f;
    f.path = std::move(path);
    f.original = fs.readFile(f.path);
    if (f.original) f.lines = sys::splitLines(*f.original);
    return f;
  }

  std::string bytes() const {
    std::string out;
    for (const std::string& line : lines) out.append(line).append("\r\n");
    return out;
  }

  bool save(sys::FileSystem& fs) const { return fs.writeFileAtomic(path, bytes()); }

  void restore(sys::FileSystem& fs) const {
    if (original) {
      fs.writeFileAtomic(path, *original);
    } else {
      fs.removeFile(path);
    }
  }

  // Index of the first line whose identifier (text before "=") equals id,
  // letter case ignored.
  std::optional<std::size_t> find(std::string_view id) const {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto split = store::splitListLine(lines[i]);
      if (split && util::equalsIgnoreCase(split->id, id)) return i;
    }
    return std::nullopt;
  }
};

std::uint64_t fnv1a(std::string_view bytes, std::uint64_t h = 14695981039346656037ull) {
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  return h;
}

}  // namespace

QuillonSim::QuillonSim(sys::FileSystem& fs, std::string_view mailRoot)
    : fs_(fs), root_(store::withTrailingBackslash(mailRoot)), inRoot_(fs, &fs, root_) {
  std::lock_guard<std::mutex> lock(gActiveMutex);
  gActive = this;
}

QuillonSim::~QuillonSim() {
  std::lock_guard<std::mutex> lock(gActiveMutex);
  if (gActive == this) gActive = nullptr;
}

QuillonSim* QuillonSim::active() {
  std::lock_guard<std::mutex> lock(gActiveMutex);
  return gActive;
}

// --- store ------------------------------------------------------------------

bool QuillonSim::mailFileExists(const std::string& mail) const { return inRoot_.isFile(root_ + mail + ".ALM"); }

namespace {

constexpr std::string_view kPendingPrefix = "~GXM-";
constexpr std::string_view kTempSuffix = ".tmp";

std::string pendingName(const std::string& key) { return std::string(kPendingPrefix) + key + std::string(kTempSuffix); }

// The key of a pending mail's file name; empty for any other name.
std::string pendingKey(std::string_view name) {
  if (name.size() != kPendingPrefix.size() + store::kKeyLength + kTempSuffix.size()) return {};
  if (!util::startsWithIgnoreCase(name, kPendingPrefix)) return {};
  return std::string(name.substr(kPendingPrefix.size(), store::kKeyLength));
}

}  // namespace

std::unordered_set<std::string>& QuillonSim::usedKeys(const std::string& folder) {
  const std::string upper = util::upperAscii(folder);
  auto it = usedKeys_.find(upper);
  if (it != usedKeys_.end()) return it->second;
  std::unordered_set<std::string> used;
  for (const sys::DirEntry& e : inRoot_.list(root_ + folder + "*.*")) {
    used.insert(util::upperAscii(e.name.substr(0, std::min<std::size_t>(e.name.size(), store::kKeyLength))));
  }
  if (const auto lines = inRoot_.readLines(root_ + folder + "ENTRY.LST")) {
    for (const std::string& line : *lines) {
      if (const auto split = store::splitListLine(line)) used.insert(util::upperAscii(split->id));
    }
  }
  return usedKeys_.emplace(upper, std::move(used)).first->second;
}

std::string QuillonSim::freshKey(const std::string& folder, std::string_view seed) {
  // The folder is read once per run. A mail file that appeared since under
  // the same key makes the final rename fail, which undoes the import.
  std::unordered_set<std::string>& used = usedKeys(folder);
  std::uint64_t h = fnv1a(folder, fnv1a(seed));
  for (;;) {
    char key[16];
    std::snprintf(key, sizeof key, "%08X", static_cast<unsigned>(h & 0xFFFFFFFFu));
    if (used.count(key) == 0) {
      used.insert(key);
      return key;
    }
    h = fnv1a("+", h);
  }
}

void QuillonSim::recover(const std::string& folder, const std::vector<std::string>& listFiles) {
  if (!recovered_.insert(util::upperAscii(folder)).second) return;
  const std::string dir = root_ + folder;
  const std::vector<sys::DirEntry> leftovers = inRoot_.list(dir + "~GX*.tmp");
  if (leftovers.empty()) return;
  std::vector<std::string> pendingKeys;
  for (const sys::DirEntry& e : leftovers) {
    const std::string key = pendingKey(e.name);
    if (!e.isDirectory && !key.empty()) pendingKeys.push_back(key);
  }
  // An import killed while appending its line may leave the start of that
  // line, without a line end, at the end of a list. Cut it off: its mail
  // still has its pending name, and so counts as never imported.
  for (const std::string& list : listFiles) {
    const bool entryList = !list.empty() && list.back() == '\\';
    const std::string path = root_ + list + (entryList ? "ENTRY.LST" : "");
    const auto bytes = inRoot_.readFile(path);
    if (!bytes || bytes->empty() || bytes->back() == '\n' || bytes->back() == '\r') continue;
    const std::size_t lastEnd = bytes->find_last_of("\r\n");
    const std::size_t start = lastEnd == std::string::npos ? 0 : lastEnd + 1;
    const std::string_view fragment = std::string_view(*bytes).substr(start);
    for (const std::string& key : pendingKeys) {
      // A trash list names the mail by its folder too.
      const std::string begins = (entryList ? std::string() : folder) + key + "=";
      const std::size_t common = std::min(fragment.size(), begins.size());
      if (!util::equalsIgnoreCase(fragment.substr(0, common), std::string_view(begins).substr(0, common))) continue;
      inRoot_.writeFileAtomic(path, std::string_view(*bytes).substr(0, start));
      break;
    }
  }
  std::vector<std::string> listed;
  for (const std::string& list : listFiles) {
    for (const store::ListedMail& m : store::listedMails(store::MailStore(inRoot_, root_), list)) {
      listed.push_back(util::upperAscii(m.hit));
    }
  }
  const std::string upperFolder = util::upperAscii(folder);
  for (const sys::DirEntry& e : leftovers) {
    if (e.isDirectory) continue;
    const std::string key = pendingKey(e.name);
    const bool isListed = !key.empty() && std::find(listed.begin(), listed.end(), upperFolder + util::upperAscii(key)) !=
                                              listed.end();
    // Listed: the import had committed and only lacked the rename.
    if (isListed && !inRoot_.exists(dir + key + ".ALM") && inRoot_.moveFile(dir + e.name, dir + key + ".ALM")) continue;
    inRoot_.removeFile(dir + e.name);
  }
}

bool QuillonSim::importFile(const std::string& file, const std::string& folder, std::uint32_t attribute,
                            std::string* newKey) {
  std::lock_guard<std::mutex> lock(mutex_);
  const store::MailStore store(fs_, root_);
  const auto bytes = fs_.readFile(file);
  const std::string destination = store::withoutTrailingBackslash(folder);
  if (!bytes || destination.empty()) return false;

  const bool trash = store::isTrashPath(destination);
  std::string target = destination + "\\";
  std::string listPath = root_ + target + "ENTRY.LST";
  std::string trashList;
  if (trash) {
    const auto account = store.accountOf(destination);
    if (!account) return false;
    target = *account + "Inbox.box\\";
    listPath = root_ + *account + "Trash.box";
    trashList = *account + "Trash.box";
  } else if (const auto account = store.accountOf(target)) {
    trashList = *account + "Trash.box";
  }
  if (!inRoot_.isDirectory(root_ + target)) return false;
  recover(target, {target, trashList});

  const std::string key = freshKey(target, *bytes);
  const std::uint32_t word = attribute != 0 ? attribute : store::kUnreadBit;
  const std::string line = (trash ? target : std::string()) + key + "=" + listLineTail(word, *bytes);
  const std::string pending = root_ + target + pendingName(key);
  const std::string mailPath = root_ + target + key + ".ALM";
  if (!inRoot_.writeFileAtomic(pending, *bytes)) return false;
  if (!inRoot_.appendLine(listPath, line)) {
    inRoot_.removeFile(pending);
    return false;
  }
  if (!inRoot_.moveFile(pending, mailPath)) {
    // Take the line back, so that the folder is as it was.
    ListFile list = ListFile::load(inRoot_, listPath);
    if (const auto index = list.find((trash ? target : std::string()) + key)) {
      list.lines.erase(list.lines.begin() + static_cast<std::ptrdiff_t>(*index));
      const bool undone = list.lines.empty() ? inRoot_.removeFile(listPath) : list.save(inRoot_);
      if (undone) inRoot_.removeFile(pending);
    }
    return false;
  }
  if (newKey) *newKey = key;
  return true;
}

bool QuillonSim::moveMail(const std::string& mail, const std::string& folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  return moveLocked(mail, folder);
}

bool QuillonSim::moveLocked(const std::string& mail, const std::string& folder) {
  if (mail.size() <= store::kKeyLength) return false;
  const store::MailStore store(inRoot_, root_);
  const std::string sourceFolder(store::hitFolder(mail));
  const std::string key(store::hitKey(mail));

  // Where the mail is listed: its folder's entry list, else its account's
  // trash list (a trashed mail keeps its file in the folder it was in).
  ListFile source = ListFile::load(inRoot_, root_ + sourceFolder + "ENTRY.LST");
  std::optional<std::size_t> index = source.find(key);
  const bool inTrash = !index;
  if (inTrash) {
    const auto account = store.accountOf(sourceFolder);
    if (!account) return false;
    source = ListFile::load(inRoot_, root_ + *account + "Trash.box");
    index = source.find(mail);
    if (!index) return false;
  }
  const std::string& line = source.lines[*index];
  const std::size_t eq = util::findByte(line, '=');
  const std::string tail = line.substr(eq + 1);
  const std::string storedKey(store::hitKey(std::string_view(line).substr(0, eq)));
  const std::string sourceFile = root_ + sourceFolder + key + ".ALM";
  const auto fileName = inRoot_.storedName(sourceFile);
  if (!fileName || !inRoot_.isFile(sourceFile)) return false;

  const std::string destination = store::withoutTrailingBackslash(folder);
  ListFile target;
  std::string newLine;
  std::optional<std::string> newFile;
  if (destination.empty() || store::isTrashPath(destination)) {
    const auto account = store.accountOf(destination.empty() ? sourceFolder : destination);
    if (!account) return false;
    target = ListFile::load(inRoot_, root_ + *account + "Trash.box");
    if (inTrash && util::equalsIgnoreCase(target.path, source.path)) return true;  // already there
    newLine = sourceFolder + storedKey + "=" + tail;
  } else {
    const std::string targetFolder = destination + "\\";
    if (!inRoot_.isDirectory(root_ + targetFolder)) return false;
    recover(targetFolder, {targetFolder});
    const bool sameFolder = util::equalsIgnoreCase(targetFolder, sourceFolder);
    if (sameFolder && !inTrash) return true;
    target = ListFile::load(inRoot_, root_ + targetFolder + "ENTRY.LST");
    if (target.find(key)) return false;
    if (!sameFolder) {
      newFile = root_ + targetFolder + *fileName;
      if (inRoot_.exists(*newFile)) return false;
    }
    newLine = storedKey + "=" + tail;
  }

  // Target list, then the file, then the source list; undone in reverse
  // order when a step fails.
  target.lines.push_back(newLine);
  if (!target.save(inRoot_)) return false;
  if (newFile && !inRoot_.moveFile(sourceFile, *newFile)) {
    target.restore(inRoot_);
    return false;
  }
  source.lines.erase(source.lines.begin() + static_cast<std::ptrdiff_t>(*index));
  if (!source.save(inRoot_)) {
    if (newFile) inRoot_.moveFile(*newFile, sourceFile);
    target.restore(inRoot_);
    return false;
  }
  if (newFile) {
    const auto used = usedKeys_.find(util::upperAscii(destination + "\\"));
    if (used != usedKeys_.end()) used->second.insert(util::upperAscii(key));
  }
  return true;
}

// --- main window ------------------------------------------------------------

void QuillonSim::setCurrentFolder(std::string folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  currentFolder_ = std::move(folder);
}

void QuillonSim::setCurrentEntry(std::string mail) {
  std::lock_guard<std::mutex> lock(mutex_);
  currentEntry_ = std::move(mail);
}

void QuillonSim::setSelection(std::vector<std::string> mails) {
  std::lock_guard<std::mutex> lock(mutex_);
  selection_ = std::move(mails);
  selectionCursor_ = 0;
}

// --- windows ------------------------------------------------------------------

void QuillonSim::setWindowHost(WindowHost* host) {
  std::lock_guard<std::mutex> lock(mutex_);
  windowHost_ = host;
}

void QuillonSim::addWindow(sys::WindowHandle window, bool view, std::string text, sys::WindowHandle editor) {
  std::lock_guard<std::mutex> lock(mutex_);
  windows_[window] = Window{view, std::move(text), editor};
}

void QuillonSim::removeWindow(sys::WindowHandle window) {
  std::lock_guard<std::mutex> lock(mutex_);
  windows_.erase(window);
}

sys::WindowHandle QuillonSim::openViewWindow(std::string mail) {
  std::lock_guard<std::mutex> lock(mutex_);
  const sys::WindowHandle handle = nextWindow_;
  nextWindow_ += 0x10;
  windows_[handle] = Window{true, std::move(mail), 0};
  return handle;
}

std::optional<std::string> QuillonSim::viewMail(sys::WindowHandle view) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(view);
  if (it == windows_.end() || !it->second.view) return std::nullopt;
  return it->second.text;
}

sys::WindowHandle QuillonSim::openSendWindow(std::string header) {
  std::lock_guard<std::mutex> lock(mutex_);
  const sys::WindowHandle handle = nextWindow_;
  nextWindow_ += 0x10;
  windows_[handle] = Window{false, std::move(header), 0};
  return handle;
}

std::optional<std::string> QuillonSim::sendHeader(sys::WindowHandle send) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(send);
  if (it == windows_.end() || it->second.view) return std::nullopt;
  return it->second.text;
}

void QuillonSim::setEditor(sys::WindowHandle window, sys::WindowHandle editor) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(window);
  if (it != windows_.end()) it->second.editor = editor;
}

std::int32_t QuillonSim::lastOpenFlag() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lastOpenFlag_;
}

// --- commands -----------------------------------------------------------------

std::vector<QuillonSim::Command> QuillonSim::commands() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return commands_;
}

bool QuillonSim::invokeCommand(std::int32_t id, sys::WindowHandle window) {
  sys::CommandProc proc = nullptr;
  std::int32_t parameter = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Command& c : commands_) {
      if (c.id == id) {
        proc = c.proc;
        parameter = c.parameter;
      }
    }
  }
  if (proc == nullptr) return false;
  proc(window, parameter);  // outside the lock: the procedure calls the host back
  return true;
}

// --- function table -----------------------------------------------------------

void QuillonSim::withhold(const std::string& exportName) {
  std::lock_guard<std::mutex> lock(mutex_);
  withheld_.insert(exportName);
}

void* QuillonSim::resolve(const char* name) const {
  if (name == nullptr) return nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (withheld_.count(name) != 0) return nullptr;
  }
  return exportedFunction(name);
}

sys::HostResolver QuillonSim::resolver() {
  return [this](const char* name) { return resolve(name); };
}

// --- what the exported functions call -----------------------------------------

const char* QuillonSim::keep(std::string& buffer, std::string value) {
  buffer = std::move(value);
  return buffer.c_str();
}

const char* QuillonSim::getMailbox() {
  std::lock_guard<std::mutex> lock(mutex_);
  return keep(mailboxBuffer_, root_);
}

const char* QuillonSim::getAccount(sys::WindowHandle) {
  std::lock_guard<std::mutex> lock(mutex_);
  const store::MailStore store(fs_, root_);
  if (store.singleAccount()) return keep(accountBuffer_, root_);
  if (const auto account = store::firstComponent(currentFolder_ + "\\")) return keep(accountBuffer_, root_ + *account);
  const auto all = store::accounts(store);
  return keep(accountBuffer_, all.empty() ? root_ : root_ + all.front().path);
}

const char* QuillonSim::folderGetCurrentFolder(sys::WindowHandle) {
  std::lock_guard<std::mutex> lock(mutex_);
  return keep(folderBuffer_, currentFolder_);
}

const char* QuillonSim::folderGetCurrentEntry(sys::WindowHandle) {
  std::lock_guard<std::mutex> lock(mutex_);
  return keep(entryBuffer_, currentEntry_);
}

const char* QuillonSim::folderGetSelectEntry(sys::WindowHandle, std::int32_t index) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (index == -1) selectionCursor_ = 0;
  if (selectionCursor_ >= selection_.size()) return keep(selectBuffer_, "");
  return keep(selectBuffer_, selection_[selectionCursor_++]);
}

bool QuillonSim::folderOpenMail(sys::WindowHandle, const char* mail, std::int32_t flag) {
  WindowHost* host = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lastOpenFlag_ = flag;
    if (mail == nullptr || !mailFileExists(mail)) return false;
    host = windowHost_;
  }
  if (host) return host->openView(mail, flag != 0);
  openViewWindow(mail);
  return true;
}

std::int32_t QuillonSim::registCallback(sys::CommandProc proc, std::int32_t parameter) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::int32_t id = kFirstCommandId + static_cast<std::int32_t>(commands_.size());
  commands_.push_back({id, proc, parameter});
  return id;
}

const char* QuillonSim::sendGetHeader(sys::WindowHandle send) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(send);
  return keep(headerBuffer_, it == windows_.end() || it->second.view ? std::string() : it->second.text);
}

void QuillonSim::sendSetHeader(sys::WindowHandle send, const char* header) {
  WindowHost* host = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++sendSetHeaderCalls_;
    auto it = windows_.find(send);
    if (it == windows_.end() || it->second.view) return;
    it->second.text = header ? header : "";
    host = windowHost_;
  }
  if (host) host->sendHeaderChanged(send);
}

int QuillonSim::sendSetHeaderCalls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return sendSetHeaderCalls_;
}

sys::WindowHandle QuillonSim::editorOf(sys::WindowHandle window) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(window);
  return it == windows_.end() ? 0 : it->second.editor;
}

const char* QuillonSim::viewGetPath(sys::WindowHandle view) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(view);
  return keep(pathBuffer_, it == windows_.end() || !it->second.view ? std::string() : root_ + it->second.text + ".ALM");
}

void QuillonSim::viewChangeMail(sys::WindowHandle view, const char* mail) {
  WindowHost* host = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = windows_.find(view);
    if (it == windows_.end() || !it->second.view || mail == nullptr || !mailFileExists(mail)) return;
    it->second.text = mail;
    host = windowHost_;
  }
  if (host) host->viewMailChanged(view);
}

}  // namespace gleanix::host
