#include "host/quillon_app.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "store/display_path.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "store/mail_store.h"

namespace gleanix::host {
namespace {

// The host's own command ids, below those the plug-in registers (40001 up).
enum HostCommand : int {
  kRunTasks = 1,
  kNewMail = 100,
  kPluginSetup = 101,
  kExit = 102,
  kSelectAll = 103,
  kRefresh = 104,
  kAboutQuillon = 110,
  kAboutPlugin = 111,
  kOpenMail = 120,
  kReply = 121,
  kCloseWindow = 201,
  kCopy = 202,
  kShowHeader = 204,
  kForward = 205,
  kSend = 301,
  kPaste = 305,
};

struct Item {
  const char* text;
  int id;  // 0: a separator
};

struct Popup {
  const char* caption;
  std::vector<Item> items;
};

sys::MenuHandle fillPopup(sys::Desktop& d, const std::vector<Item>& items) {
  const sys::MenuHandle popup = d.createPopupMenu();
  for (const Item& i : items) {
    sys::MenuItem m;
    if (i.id == 0) {
      m.separator = true;
    } else {
      m.text = i.text;
      m.id = i.id;
    }
    d.insertMenuItem(popup, -1, m);
  }
  return popup;
}

const std::vector<Popup>& barOf(WindowKind kind) {
  static const std::vector<Popup> main = {
      {"ファイル(&F)", {{"新規作成(&N)", kNewMail}, {"プラグインの設定(&P)...", kPluginSetup}, {"", 0}, {"終了(&X)", kExit}}},
      {"編集(&E)", {{"すべて選択(&A)", kSelectAll}}},
      {"表示(&V)", {{"最新の情報に更新(&R)", kRefresh}}},
      {"ヘルプ(&H)", {{"Quillon について(&A)", kAboutQuillon}, {"プラグインのバージョン情報(&V)...", kAboutPlugin}}},
  };
  static const std::vector<Popup> view = {
      {"ファイル(&F)", {{"返信(&R)", kReply}, {"転送(&W)", kForward}, {"", 0}, {"閉じる(&C)", kCloseWindow}}},
      {"編集(&E)", {{"コピー(&C)", kCopy}, {"すべて選択(&A)", kSelectAll}}},
      {"表示(&V)", {{"ヘッダを表示(&H)", kShowHeader}}},
      {"ヘルプ(&H)", {{"Quillon について(&A)", kAboutQuillon}}},
  };
  static const std::vector<Popup> send = {
      {"ファイル(&F)", {{"送信(&S)", kSend}, {"", 0}, {"閉じる(&C)", kCloseWindow}}},
      {"編集(&E)", {{"コピー(&C)", kCopy}, {"貼り付け(&P)", kPaste}, {"すべて選択(&A)", kSelectAll}}},
      {"ヘルプ(&H)", {{"Quillon について(&A)", kAboutQuillon}}},
  };
  return kind == WindowKind::Main ? main : kind == WindowKind::View ? view : send;
}

const std::vector<Item>& contextOf(WindowKind kind) {
  static const std::vector<Item> main = {{"開く(&O)", kOpenMail}, {"返信(&R)", kReply}};
  static const std::vector<Item> view = {{"コピー(&C)", kCopy}, {"すべて選択(&A)", kSelectAll}};
  static const std::vector<Item> send = {{"コピー(&C)", kCopy}, {"貼り付け(&P)", kPaste}};
  return kind == WindowKind::Main ? main : kind == WindowKind::View ? view : send;
}

// The toolbar's own buttons: 23 x 16 images of one colour each.
sys::Bitmap buttonImages() {
  const sys::Color colours[] = {sys::rgb(0, 96, 192), sys::rgb(0, 144, 64)};
  sys::Bitmap b{23 * 2, 16, std::vector<sys::Color>(23 * 2 * 16, sys::rgb(192, 192, 192))};
  for (int i = 0; i < 2; ++i) {
    for (int y = 3; y < 13; ++y) {
      for (int x = 5; x < 18; ++x) b.pixels[static_cast<std::size_t>(y) * b.width + i * 23 + x] = colours[i];
    }
  }
  return b;
}

// Controls start hidden on every desktop: the host's are shown as made.
sys::WindowHandle shownChild(sys::Desktop& desktop, const sys::WindowSpec& spec, sys::EventSink* sink) {
  const sys::WindowHandle control = desktop.createWindow(spec, sink);
  desktop.setVisible(control, true);
  return control;
}

sys::WindowSpec spec(sys::ControlKind kind, std::string name, sys::WindowHandle parent, sys::Rect bounds,
                     unsigned style = 0) {
  sys::WindowSpec s;
  s.kind = kind;
  s.name = std::move(name);
  s.parent = parent;
  s.bounds = bounds;
  s.style = style;
  return s;
}

}  // namespace

// --- a window

void HostWindow::post(std::function<void()> task) {
  {
    std::lock_guard<std::mutex> lock(tasksMutex_);
    tasks_.push_back(std::move(task));
  }
  app_.desktop().postMessage({form, sys::msg::Command, kRunTasks, 0});
}

void HostWindow::runTasks() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard<std::mutex> lock(tasksMutex_);
      if (tasks_.empty()) return;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

void HostWindow::handleEvent(sys::Event& e) {
  if (e.window != form && e.type != sys::EventType::Command) return;
  if (e.type == sys::EventType::Command) {
    if (e.id == kRunTasks) {
      runTasks();
    } else {
      app_.command(*this, e.id);
    }
  } else if (e.type == sys::EventType::Close) {
    app_.closeWindow(*this);
  }
}

// --- the application

QuillonApp::QuillonApp(backend::HostDesktop& desktop, QuillonSim& sim, sys::FileSystem& fs)
    : desktop_(desktop), sim_(sim), fs_(fs) {
  sim_.setWindowHost(this);
}

QuillonApp::~QuillonApp() {
  if (!shutdown()) {
    std::fflush(nullptr);
    std::_Exit(1);
  }
  sim_.setWindowHost(nullptr);
}

int QuillonApp::start(const PluginEntries& plugin, const std::string& hostVersion) {
  plugin.getPlugName();
  const int accepted = plugin.startUp(hostVersion.c_str());
  if (accepted == 0) return 0;
  plugin_ = plugin;
  buildMainWindow();
  return accepted;
}

sys::MenuHandle QuillonApp::hostMenuBar(WindowKind kind) {
  const sys::MenuHandle bar = desktop_.createMenuBar();
  for (const Popup& p : barOf(kind)) {
    sys::MenuItem item;
    item.text = p.caption;
    item.subMenu = fillPopup(desktop_, p.items);
    desktop_.insertMenuItem(bar, -1, item);
  }
  return bar;
}

void QuillonApp::buildMainWindow() {
  main_ = std::make_unique<HostWindow>(*this, WindowKind::Main);
  HostWindow& w = *main_;
  sys::WindowSpec form = spec(sys::ControlKind::Form, "MainForm", 0, {20, 20, 660, 420}, sys::kSizeable);
  form.className = kMainWindowClass;
  form.text = "Quillon";
  w.form = desktop_.createWindow(form, &w);
  w.tree = shownChild(
      desktop_,
      spec(sys::ControlKind::TreeView, "FolderTree", w.form, {0, 0, 200, 400}, sys::kReadOnly | sys::kShowSelectionAlways),
      &w);
  w.list = shownChild(desktop_,
                      spec(sys::ControlKind::ListView, "MailList", w.form, {200, 0, 640, 400},
                           sys::kReadOnly | sys::kMultiSelect | sys::kRowSelect | sys::kShowSelectionAlways),
                      &w);
  desktop_.listAddColumn(w.list, "キー", 100);
  desktop_.listAddColumn(w.list, "メール", 330);
  fillFolderTree();
  plugin_->folderCreate(w.form);
  const sys::MenuHandle bar = hostMenuBar(WindowKind::Main);
  plugin_->folderInitMenu(w.form, bar, 101);
  desktop_.setMenuBar(w.form, bar);
  updateCaption();
  desktop_.setVisible(w.form, true);
}

void QuillonApp::reopenMainWindow() {
  const std::unique_ptr<HostWindow> old = std::move(main_);
  buildMainWindow();
  fillMailList();
  markSelection(sim_.selection());
  desktop_.destroyWindow(old->form);
}

void QuillonApp::fillFolderTree() {
  const store::MailStore store(fs_, sim_.mailRoot());
  std::vector<sys::TreeItem> parents;
  for (const store::TreeFolder& t : store::folderTree(store)) {
    parents.resize(static_cast<std::size_t>(t.depth));
    const sys::TreeItem parent = parents.empty() ? 0 : parents.back();
    parents.push_back(desktop_.treeInsert(main_->tree, parent, {t.folder.name}));
  }
}

void QuillonApp::fillMailList() {
  desktop_.listDeleteAll(main_->list);
  folderMails_.clear();
  if (folder_.empty()) return;
  const store::MailStore store(fs_, sim_.mailRoot());
  int row = 0;
  for (const store::ListedMail& m : store::listedMails(store, store::withTrailingBackslash(folder_))) {
    desktop_.listInsertItem(main_->list, row++, {std::string(store::hitKey(m.hit)), m.hit}, -1);
    folderMails_.push_back(m.hit);
  }
}

void QuillonApp::updateCaption() {
  const store::MailStore store(fs_, sim_.mailRoot());
  const std::string name = folder_.empty() ? std::string() : store::displayPath(store, folder_ + "\\");
  desktop_.setText(main_->form, (name.empty() ? std::string("Quillon") : name) + " - Quillon");
}

bool QuillonApp::setFolder(const std::string& folder) {
  const std::string path = store::withoutTrailingBackslash(folder);
  if (path.empty() || !fs_.isDirectory(sim_.mailRoot() + path)) return false;
  folder_ = path;
  sim_.setCurrentFolder(path);
  sim_.setCurrentEntry("");
  sim_.setSelection({});
  fillMailList();
  updateCaption();
  return true;
}

bool QuillonApp::setCursor(const std::string& mail) {
  auto it = std::find(folderMails_.begin(), folderMails_.end(), mail);
  if (it == folderMails_.end()) return false;
  sim_.setCurrentEntry(mail);
  return setSelection({mail});
}

bool QuillonApp::setSelection(const std::vector<std::string>& mails) {
  for (const std::string& m : mails) {
    if (std::find(folderMails_.begin(), folderMails_.end(), m) == folderMails_.end()) return false;
  }
  markSelection(mails);
  sim_.setSelection(mails);
  return true;
}

void QuillonApp::markSelection(const std::vector<std::string>& mails) {
  for (std::size_t row = 0; row < folderMails_.size(); ++row) {
    const bool on = std::find(mails.begin(), mails.end(), folderMails_[row]) != mails.end();
    desktop_.listSetSelected(main_->list, static_cast<int>(row), on);
  }
}

// --- VIEW and SEND windows

HostWindow* QuillonApp::front(WindowKind kind) {
  const char* cls = kind == WindowKind::View ? kViewWindowClass : kSendWindowClass;
  for (sys::WindowHandle w : desktop_.topLevelWindows()) {
    if (!desktop_.isVisible(w) || desktop_.className(w) != cls) continue;
    if (HostWindow* h = byForm(w); h && !h->closed) return h;
  }
  return nullptr;
}

HostWindow* QuillonApp::byForm(sys::WindowHandle form) {
  std::lock_guard<std::mutex> lock(windowsMutex_);
  for (auto& w : windows_) {
    if (w->form == form) return w.get();
  }
  return nullptr;
}

std::string QuillonApp::viewMail(const HostWindow& view) const { return sim_.viewMail(view.form).value_or(""); }

std::string QuillonApp::mailText(const std::string& mail) const {
  return fs_.readFile(sim_.mailRoot() + mail + ".ALM").value_or("");
}

void QuillonApp::startWindowThread(WindowKind kind, std::string text) {
  auto owned = std::make_unique<HostWindow>(*this, kind);
  HostWindow* w = owned.get();
  {
    std::lock_guard<std::mutex> lock(windowsMutex_);
    windows_.push_back(std::move(owned));
  }
  ++starting_;
  w->thread = std::thread([this, w, text = std::move(text)] { runViewOrSend(*w, text); });
}

void QuillonApp::runViewOrSend(HostWindow& w, std::string text) {
  if (w.kind() == WindowKind::View) {
    createViewWindow(w, text);
  } else {
    createSendWindow(w, text);
  }
  // Counted as started only once inside its loop, so that waiting for idle
  // threads includes this one from then on. Once its window has closed the
  // thread goes on while windows that others made on it are shown (a pickup
  // list window started from a VIEW window), as they would end with it.
  bool announced = false;
  desktop_.runMessageLoop([&] {
    if (!announced) {
      announced = true;
      --starting_;
      desktop_.postMessage({main_->form, 0, 0, 0});  // the main thread may be waiting for this window
    }
    return w.closed.load() && (stopping_.load() || windowsOfThread(w.threadId).empty());
  });
  w.ended = true;
}

std::vector<sys::WindowHandle> QuillonApp::windowsOfThread(std::uint32_t thread) const {
  std::vector<sys::WindowHandle> out;
  for (sys::WindowHandle t : desktop_.topLevelWindows()) {
    if (desktop_.isVisible(t) && desktop_.threadId(t) == thread) out.push_back(t);
  }
  return out;
}

void QuillonApp::createViewWindow(HostWindow& w, const std::string& mail) {
  w.threadId = desktop_.currentThreadId();
  sys::WindowSpec form = spec(sys::ControlKind::Form, "ViewForm", 0, {80, 60, 680, 460}, sys::kSizeable);
  form.className = kViewWindowClass;
  form.text = "VIEW - Quillon";
  w.form = desktop_.createWindow(form, &w);
  // The topmost child, then the toolbar right below it in Z order.
  sys::WindowSpec header = spec(sys::ControlKind::Label, "HeaderLabel", w.form, {0, 0, 600, 20});
  w.headerBlock = shownChild(desktop_, header, &w);
  w.toolbar = shownChild(desktop_, spec(sys::ControlKind::ToolBar, "ToolBar", w.form, {0, 20, 600, 48}), &w);
  w.editor = shownChild(
      desktop_,
      spec(sys::ControlKind::Memo, "Editor", w.form, {0, 48, 600, 400}, sys::kReadOnly | sys::kShowSelectionAlways), &w);
  desktop_.toolbarSetButtonRecordSize(w.toolbar, sys::toolbar::kButtonRecordSize);
  const sys::ImageListHandle images = desktop_.createImageList(23, 16);
  desktop_.imageListAdd(images, buttonImages(), sys::rgb(192, 192, 192));
  desktop_.toolbarSetImageList(w.toolbar, images);
  desktop_.toolbarAddButtons(w.toolbar, {{0, kReply, sys::toolbar::kEnabled, sys::toolbar::kButton},
                                         {1, kForward, sys::toolbar::kEnabled, sys::toolbar::kButton}});
  sim_.addWindow(w.form, true, mail, w.editor);
  plugin_->viewCreate(w.form);
  const sys::MenuHandle bar = hostMenuBar(WindowKind::View);
  plugin_->viewInitMenu(w.form, bar, 201);
  desktop_.setMenuBar(w.form, bar);
  desktop_.setVisible(w.form, true);
  desktop_.setFocus(w.editor);
  loadMail(w);
}

void QuillonApp::loadMail(HostWindow& view) {
  const std::string mail = viewMail(view);
  desktop_.setText(view.headerBlock, mail);
  desktop_.setText(view.editor, mailText(mail));
  desktop_.setEditSelection(view.editor, 0, 0);
  plugin_->viewLoadMail(0, 0, 0);
}

void QuillonApp::createSendWindow(HostWindow& w, const std::string& header) {
  w.threadId = desktop_.currentThreadId();
  sys::WindowSpec form = spec(sys::ControlKind::Form, "SendForm", 0, {100, 80, 700, 480}, sys::kSizeable);
  form.className = kSendWindowClass;
  form.text = "SEND - Quillon";
  w.form = desktop_.createWindow(form, &w);
  w.headerBlock = shownChild(desktop_, spec(sys::ControlKind::Memo, "HeaderBlock", w.form, {0, 0, 600, 100}), &w);
  w.editor = shownChild(desktop_, spec(sys::ControlKind::Memo, "Editor", w.form, {0, 100, 600, 400}, sys::kShowSelectionAlways),
                        &w);
  desktop_.setText(w.headerBlock, header);
  sim_.addWindow(w.form, false, header, w.editor);
  plugin_->sendCreate(w.form);
  const sys::MenuHandle bar = hostMenuBar(WindowKind::Send);
  plugin_->sendInitMenu(w.form, bar, 301);
  desktop_.setMenuBar(w.form, bar);
  desktop_.setVisible(w.form, true);
  desktop_.setFocus(w.editor);
}

bool QuillonApp::openView(const std::string& mail, bool newWindow) {
  if (!plugin_) return false;
  if (!newWindow) {
    if (HostWindow* view = front(WindowKind::View)) {
      sim_.addWindow(view->form, true, mail, view->editor);
      desktop_.setForegroundWindow(view->form);
      view->post([this, view] { loadMail(*view); });
      return true;
    }
  }
  startWindowThread(WindowKind::View, mail);
  return true;
}

void QuillonApp::viewMailChanged(sys::WindowHandle view) {
  if (HostWindow* w = byForm(view)) w->post([this, w] { loadMail(*w); });
}

void QuillonApp::sendHeaderChanged(sys::WindowHandle send) {
  if (HostWindow* w = byForm(send)) {
    w->post([this, w] { desktop_.setText(w->headerBlock, sim_.sendHeader(w->form).value_or("")); });
  }
}

void QuillonApp::compose() {
  startWindowThread(WindowKind::Send, "From: taro@example.jp\r\nTo: hanako@example.jp\r\nSubject: \r\n");
}

bool QuillonApp::post() {
  HostWindow* send = front(WindowKind::Send);
  if (!send) return false;
  send->post([this, send] { plugin_->sendPost(send->form, 0); });
  return true;
}

bool QuillonApp::close(WindowKind kind) {
  HostWindow* w = front(kind);
  if (!w) return false;
  desktop_.postMessage({w->form, sys::msg::Close, 0, 0});
  return true;
}

void QuillonApp::closeWindow(HostWindow& w) {
  if (w.kind() == WindowKind::Main || w.closed) return;
  if (w.kind() == WindowKind::View) {
    plugin_->viewClose(w.form);
  } else {
    plugin_->sendClose(w.form);
  }
  sim_.removeWindow(w.form);
  desktop_.destroyWindow(w.form);
  w.closed = true;
}

// --- menus and commands

void QuillonApp::buildContextMenu(HostWindow& w) {
  w.post([this, &w] {
    if (w.contextMenu) desktop_.destroyMenu(w.contextMenu);
    w.contextMenu = fillPopup(desktop_, contextOf(w.kind()));
    if (w.kind() == WindowKind::Main) {
      plugin_->folderInitMenu(w.form, w.contextMenu, 102);
    } else if (w.kind() == WindowKind::View) {
      plugin_->viewInitMenu(w.form, w.contextMenu, 202);
    } else {
      plugin_->sendInitMenu(w.form, w.contextMenu, 302);
    }
  });
}

void QuillonApp::choose(HostWindow& w, int id) { desktop_.postMessage({w.form, sys::msg::Command, static_cast<std::uintptr_t>(id), 0}); }

void QuillonApp::command(HostWindow& w, int id) {
  switch (id) {
    case kNewMail: compose(); return;
    case kPluginSetup: if (plugin_) plugin_->setup(w.form); return;
    case kAboutPlugin: if (plugin_) plugin_->versionInfo(w.form); return;
    case kCloseWindow: desktop_.postMessage({w.form, sys::msg::Close, 0, 0}); return;
    case kSend: plugin_->sendPost(w.form, 0); return;
    case kOpenMail: {
      const std::string mail = sim_.folderGetCurrentEntry(w.form);
      if (!mail.empty()) openView(mail, true);
      return;
    }
    case kSelectAll:
      if (w.editor) desktop_.setEditSelection(w.editor, 0, -1);
      return;
    default:
      break;
  }
  if (id >= 1000) sim_.invokeCommand(id, w.form);  // the plug-in's
}

// --- settling and the end

void QuillonApp::settle() {
  do {
    desktop_.runMessageLoop([&] { return starting_.load() == 0; });
    desktop_.waitForIdle();
  } while (starting_.load() != 0);
}

bool QuillonApp::shutdown() {
  if (!plugin_) return true;
  std::vector<HostWindow*> open;
  {
    std::lock_guard<std::mutex> lock(windowsMutex_);
    for (auto& w : windows_) {
      if (!w->closed) open.push_back(w.get());
    }
  }
  for (HostWindow* w : open) desktop_.postMessage({w->form, sys::msg::Close, 0, 0});
  settle();
  // Threads still running for windows left on them end now: a null message
  // to one of those windows has the loop look again. A thread held in a
  // dialog (a question on a VIEW window's thread, say) never leaves its
  // loop, and joining it would wait for ever.
  stopping_ = true;
  {
    std::lock_guard<std::mutex> lock(windowsMutex_);
    for (auto& w : windows_) {
      if (!w->thread.joinable()) continue;
      for (sys::WindowHandle left : windowsOfThread(w->threadId)) desktop_.postMessage({left, 0, 0, 0});
    }
  }
  auto allEnded = [&] {
    std::lock_guard<std::mutex> lock(windowsMutex_);
    for (auto& w : windows_) {
      if (w->thread.joinable() && !w->ended) return false;
    }
    return true;
  };
  for (int round = 0; round < 20 && !allEnded(); ++round) desktop_.passTime(50);
  if (!allEnded()) return false;
  {
    std::lock_guard<std::mutex> lock(windowsMutex_);
    for (auto& w : windows_) {
      if (w->thread.joinable()) w->thread.join();
    }
  }
  plugin_->cleanUp();
  plugin_.reset();
  if (main_) desktop_.destroyWindow(main_->form);
  return true;
}

}  // namespace gleanix::host
