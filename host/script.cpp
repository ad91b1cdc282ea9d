#include "host/script.h"

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>

#include "backend/module_loader.h"
#include "host/transcript_text.h"
#include "store/list_file.h"
#include "store/mail_store.h"
#include "sys/module.h"

namespace gleanix::host {
namespace {

constexpr int kStep = 2;    // the runner's form: run the next line
constexpr int kFinish = 3;  // ... see whether the main loop has the script's end

// A line that cannot act.
struct LineError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& what) { throw LineError(what); }

std::string stripAmpersand(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c != '&') out += c;
  }
  return out;
}

// The text of a menu item without its shortcut column.
std::string beforeTab(const std::string& s) { return s.substr(0, s.find('\t')); }

std::string escapeLineEnds(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
    out += s[i] == '\n' ? std::string("\\n") : std::string(1, s[i]);
  }
  return out;
}

const char* iconName(sys::MessageIcon icon) {
  switch (icon) {
    case sys::MessageIcon::Error: return "error";
    case sys::MessageIcon::Question: return "question";
    case sys::MessageIcon::Warning: return "warning";
    case sys::MessageIcon::Information: return "information";
    case sys::MessageIcon::None: break;
  }
  return "none";
}

// "R G B" of a colour, as "answer color" takes it.
std::string colorText(sys::Color c) {
  return std::to_string(c & 0xFF) + " " + std::to_string(c >> 8 & 0xFF) + " " + std::to_string(c >> 16 & 0xFF);
}

int number(const std::string& word) {
  char* end = nullptr;
  const long v = std::strtol(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0') fail("not a number: " + word);
  return static_cast<int>(v);
}

struct Key {
  int vk = 0;
  unsigned shift = 0;
};

Key parseKey(const std::string& text) {
  Key k;
  std::string rest = text;
  for (;;) {
    const std::size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 == rest.size()) break;
    const std::string mod = rest.substr(0, plus);
    if (mod == "ctrl") {
      k.shift |= sys::kCtrl;
    } else if (mod == "shift") {
      k.shift |= sys::kShift;
    } else if (mod == "alt") {
      k.shift |= sys::kAlt;
    } else {
      fail("no such key: " + text);
    }
    rest = rest.substr(plus + 1);
  }
  static const std::pair<const char*, int> named[] = {
      {"Return", 0x0D}, {"Enter", 0x0D}, {"Escape", 0x1B}, {"Delete", 0x2E}, {"Up", 0x26},     {"Down", 0x28},
      {"Left", 0x25},   {"Right", 0x27}, {"Home", 0x24},   {"End", 0x23},    {"PageUp", 0x21}, {"PageDown", 0x22},
      {"Space", 0x20},  {"Tab", 0x09}};
  for (const auto& [name, vk] : named) {
    if (rest == name) k.vk = vk;
  }
  if (!k.vk && rest.size() >= 2 && rest[0] == 'F' && std::atoi(rest.c_str() + 1) >= 1 && std::atoi(rest.c_str() + 1) <= 12) {
    k.vk = 0x70 + std::atoi(rest.c_str() + 1) - 1;
  }
  if (!k.vk && rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
    k.vk = std::toupper(static_cast<unsigned char>(rest[0]));
  }
  if (!k.vk) fail("no such key: " + text);
  return k;
}

class ScriptRunner : public sys::EventSink {
 public:
  ScriptRunner(QuillonApp& app, sys::FileSystem& fs, const ScriptSetup& setup, std::FILE* out)
      : app_(app), d_(app.desktop()), fs_(fs), setup_(setup), out_(out) {}

  int run(const std::string& script) {
    std::size_t start = 0;
    while (start <= script.size()) {
      const std::size_t end = script.find('\n', start);
      std::string line = script.substr(start, end == std::string::npos ? std::string::npos : end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines_.push_back(line);
      if (end == std::string::npos) break;
      start = end + 1;
    }
    sys::WindowSpec spec;
    spec.kind = sys::ControlKind::Form;
    spec.className = "TQuillonScript";
    spec.bounds = {0, 0, 10, 10};
    form_ = d_.createWindow(spec, this);
    d_.postWhenWaiting({form_, sys::msg::Command, kStep, 0});
    d_.runMessageLoop([&] {
      ++topTicks_;
      return done_;
    });
    if (!app_.shutdown()) {
      std::fflush(out_);
      std::_Exit(status_);  // a dialog on a window's thread that nothing will close
    }
    d_.destroyWindow(form_);
    return status_;
  }

  void handleEvent(sys::Event& e) override {
    if (e.type != sys::EventType::Command) return;
    if (e.id == kStep) step();
    if (e.id == kFinish) finish();
  }

 private:
  void step() {
    app_.settle();
    while (next_ < lines_.size()) {
      const std::size_t lineNo = ++next_;
      std::vector<std::string> words;
      const auto text = utf8ToCp932(lines_[lineNo - 1]);
      try {
        if (!text) fail("not UTF-8 text that code page 932 can write");
        if (!splitScriptLine(*text, words)) fail("a double quote is left open");
        if (words.empty()) continue;
        perform(words);
        // Queued behind what the line posted, so that a command that runs a
        // modal loop takes the next line there; and only a loop that waits
        // takes it, so that a command busy with its work (a search letting
        // its messages run) finishes before the next line, as it would
        // before a user's next input.
        if (next_ < lines_.size()) d_.postWhenWaiting({form_, sys::msg::Command, kStep, 0});
      } catch (const LineError& e) {
        print("error: LINE " + std::to_string(lineNo) + ": " + e.what());
        status_ = 2;
        next_ = lines_.size();
        end();
        return;
      }
      if (next_ == lines_.size()) end();
      return;
    }
    end();
  }

  // The script is over: once the main loop takes it back, it ends; a modal
  // loop still running on the main thread ends the process.
  void end() {
    if (ending_) return;
    ending_ = true;
    std::fflush(out_);
    finishTicks_ = topTicks_;
    d_.postWhenWaiting({form_, sys::msg::Command, kFinish, 0});
  }

  void finish() {
    if (!settledOnce_) {
      settledOnce_ = true;
      app_.settle();
      finishTicks_ = topTicks_;
      d_.postWhenWaiting({form_, sys::msg::Command, kFinish, 0});
      return;
    }
    if (topTicks_ == finishTicks_) {
      std::fflush(out_);
      std::_Exit(status_);  // inside a dialog that nothing will close
    }
    done_ = true;
  }

  void print(const std::string& cp932) {
    const std::string utf8 = cp932ToUtf8(cp932);
    std::fwrite(utf8.data(), 1, utf8.size(), out_);
    std::fputc('\n', out_);
  }

  void need(const std::vector<std::string>& w, std::size_t min, std::size_t max) {
    if (w.size() < min || w.size() > max) fail("wrong number of arguments for " + w[0]);
  }

  void needStarted() {
    if (!app_.started()) fail("the plug-in is not started");
  }

  void perform(const std::vector<std::string>& w) {
    const std::string& c = w[0];
    if (c == "start") return start(w);
    if (c == "dump") return dump(w);
    if (c == "wait") {
      need(w, 1, 1);
      d_.passTime(600);
      return;
    }
    if (c == "shot") return shot(w);
    if (c == "answer") return answer(w);
    needStarted();
    if (c == "folder") {
      need(w, 2, 2);
      if (!app_.setFolder(w[1])) fail("no folder " + w[1]);
    } else if (c == "cursor") {
      need(w, 2, 2);
      if (!app_.setCursor(w[1])) fail("no mail " + w[1] + " in the current folder");
    } else if (c == "select") {
      if (!app_.setSelection({w.begin() + 1, w.end()})) fail("a mail that is not in the current folder");
    } else if (c == "menu") {
      menu(w);
    } else if (c == "open") {
      need(w, 2, 2);
      if (!app_.sim().folderOpenMail(app_.mainWindow().form, w[1].c_str(), -1)) fail("no mail " + w[1]);
    } else if (c == "reopen") {
      need(w, 2, 2);
      if (w[1] != "main") fail("no such window: " + w[1]);
      app_.reopenMainWindow();
    } else if (c == "compose") {
      app_.compose();
    } else if (c == "post") {
      if (!app_.post()) fail("no SEND window");
    } else if (c == "close") {
      close(w);
    } else if (c == "caret") {
      caret(w);
    } else if (c == "body") {
      body(w);
    } else if (c == "key") {
      need(w, 2, 2);
      const Key k = parseKey(w[1]);
      d_.postKey(frontEditor().editor, k.vk, k.shift);
    } else if (c == "button") {
      button(w);
    } else if (c == "check" || c == "uncheck") {
      need(w, 2, 2);
      const sys::WindowHandle box = control(frontDialog(), w[1]);
      if (d_.isChecked(box) != (c == "check") && !d_.userClick(box)) fail("cannot click " + w[1]);
    } else if (c == "click") {
      need(w, 2, 2);
      if (!d_.userClick(control(frontDialog(), w[1]))) fail("cannot click " + w[1]);
    } else if (c == "type") {
      need(w, 3, 3);
      if (!d_.userType(control(frontDialog(), w[1]), w[2])) fail("cannot type into " + w[1]);
    } else if (c == "pick") {
      need(w, 3, 3);
      if (!d_.userPick(control(frontDialog(), w[1]), number(w[2]))) fail("cannot pick " + w[2] + " in " + w[1]);
    } else if (c == "tree") {
      tree(w);
    } else if (c == "list") {
      list(w);
    } else {
      fail("no such command: " + c);
    }
  }

  void start(const std::vector<std::string>& w) {
    need(w, 1, 2);
    if (app_.started()) fail("already started");
    module_ = backend::makeLibraryLoader()->load(setup_.pluginLibrary);
    if (!module_) fail("cannot load " + setup_.pluginLibrary);
    std::string missing;
    const auto entries = findPluginEntries(*module_, &missing);
    if (!entries) fail("the plug-in lacks " + missing);
    const std::string version = w.size() == 2 ? w[1] : "2.00";
    if (app_.start(*entries, version) == 0) fail("the plug-in refuses host version " + version);
  }

  void answer(const std::vector<std::string>& w) {
    if (w.size() >= 2 && w[1] == "color") return answerColor(w);
    need(w, 2, 2);
    const std::pair<const char*, int> results[] = {
        {"ok", sys::result::Ok}, {"yes", sys::result::Yes}, {"no", sys::result::No}, {"cancel", sys::result::Cancel}};
    for (const auto& [name, result] : results) {
      if (w[1] == name) return d_.answerMessageBox(result);
    }
    fail("no such answer: " + w[1]);
  }

  // "answer color R G B" confirms the next colour chooser with that colour,
  // "answer color cancel" cancels it.
  void answerColor(const std::vector<std::string>& w) {
    if (w.size() == 3 && w[2] == "cancel") return d_.answerColor(std::nullopt);
    need(w, 5, 5);
    int part[3] = {};
    for (int i = 0; i < 3; ++i) {
      part[i] = number(w[2 + static_cast<std::size_t>(i)]);
      if (part[i] < 0 || part[i] > 255) fail("not a colour part (0-255): " + w[2 + static_cast<std::size_t>(i)]);
    }
    d_.answerColor(sys::rgb(part[0], part[1], part[2]));
  }

  // --- windows

  HostWindow& windowOf(const std::string& name, bool& context) {
    context = name.size() > 8 && name.substr(name.size() - 8) == "-context";
    const std::string base = context ? name.substr(0, name.size() - 8) : name;
    if (base == "main") return app_.mainWindow();
    HostWindow* w = nullptr;
    if (base == "view") w = app_.front(WindowKind::View);
    if (base == "send") w = app_.front(WindowKind::Send);
    if (base != "view" && base != "send") fail("no such window: " + name);
    if (!w) fail("no " + base + " window");
    return *w;
  }

  sys::MenuHandle menuOf(const std::string& name, HostWindow*& owner) {
    bool context = false;
    HostWindow& w = windowOf(name, context);
    owner = &w;
    if (!context) return d_.menuBar(w.form);
    app_.buildContextMenu(w);
    app_.settle();
    return w.contextMenu;
  }

  void menu(const std::vector<std::string>& w) {
    need(w, 3, 3);
    HostWindow* owner = nullptr;
    sys::MenuHandle m = menuOf(w[1], owner);
    std::string path = w[2];
    std::vector<std::string> parts;
    for (std::size_t at; (at = path.find(" > ")) != std::string::npos; path = path.substr(at + 3)) {
      parts.push_back(path.substr(0, at));
    }
    parts.push_back(path);
    for (std::size_t level = 0; level < parts.size(); ++level) {
      const int count = d_.menuItemCount(m);
      sys::MenuItem found;
      bool any = false;
      for (int i = 0; i < count && !any; ++i) {
        const sys::MenuItem item = d_.menuItem(m, i);
        if (!item.separator && (item.text == parts[level] || beforeTab(item.text) == parts[level])) {
          found = item;
          any = true;
        }
      }
      if (!any) fail("no menu item " + parts[level]);
      if (level + 1 < parts.size()) {
        if (!found.subMenu) fail(parts[level] + " opens no menu");
        m = found.subMenu;
      } else {
        if (found.subMenu || found.id == 0) fail(parts[level] + " is no command");
        if (!found.enabled) fail(parts[level] + " is disabled");
        app_.choose(*owner, found.id);
      }
    }
  }

  // shot FILE [WINDOW "ITEM"]: a screenshot, with that menu bar item's
  // popup open when one is named.
  void shot(const std::vector<std::string>& w) {
    if (w.size() != 2 && w.size() != 4) fail("wrong number of arguments for shot");
    if (w.size() == 2) {
      if (!d_.saveScreenshot(w[1])) fail("cannot save " + w[1]);
      return;
    }
    needStarted();
    bool context = false;
    HostWindow& owner = windowOf(w[2], context);
    if (context) fail("no menu bar in " + w[2]);
    const sys::MenuHandle bar = d_.menuBar(owner.form);
    int position = -1;
    for (int i = 0; i < d_.menuItemCount(bar) && position < 0; ++i) {
      const sys::MenuItem item = d_.menuItem(bar, i);
      if (!item.separator && item.subMenu && (item.text == w[3] || stripAmpersand(item.text) == stripAmpersand(w[3]))) {
        position = i;
      }
    }
    if (position < 0) fail("no menu item " + w[3]);
    if (owner.kind() != WindowKind::Main) fail("menus are shot only in the main window");
    if (!d_.saveMenuScreenshot(owner.form, position, w[1])) fail("cannot save " + w[1] + " with " + w[3] + " open");
  }

  // An editor's selection as "START<TAB>END<TAB>TEXT", in bytes.
  std::string selectionLine(sys::WindowHandle editor) {
    const auto [s, e] = d_.editSelection(editor);
    const std::string text = d_.text(editor);
    const bool inside = 0 <= s && s < e && static_cast<std::size_t>(e) <= text.size();
    return std::to_string(s) + "\t" + std::to_string(e) + "\t" + (inside ? escapeLineEnds(text.substr(s, e - s)) : "");
  }

  void dumpTexts(sys::WindowHandle parent) {
    for (sys::WindowHandle c : d_.children(parent)) {
      if (!d_.isVisible(c)) continue;
      if (const std::string t = d_.text(c); !t.empty()) print(escapeLineEnds(t));
      dumpTexts(c);
    }
  }

  void dumpMenu(sys::MenuHandle m, int level) {
    const int count = d_.menuItemCount(m);
    for (int i = 0; i < count; ++i) {
      const sys::MenuItem item = d_.menuItem(m, i);
      print(std::string(static_cast<std::size_t>(level) * 2, ' ') + (item.separator ? std::string("-") : item.text));
      if (item.subMenu) dumpMenu(item.subMenu, level + 1);
    }
  }

  void close(const std::vector<std::string>& w) {
    need(w, 2, 2);
    if (w[1] == "view" || w[1] == "send") {
      if (!app_.close(w[1] == "view" ? WindowKind::View : WindowKind::Send)) fail("no " + w[1] + " window");
      return;
    }
    if (w[1] != "list") fail("no such window: " + w[1]);
    d_.postMessage({frontList(), sys::msg::Close, 0, 0});
  }

  HostWindow& frontEditor() {
    for (sys::WindowHandle t : d_.topLevelWindows()) {
      if (!d_.isVisible(t)) continue;
      const std::string cls = d_.className(t);
      if (cls == kViewWindowClass || cls == kSendWindowClass) {
        HostWindow* w = app_.front(cls == kViewWindowClass ? WindowKind::View : WindowKind::Send);
        if (w && w->form == t) return *w;
      }
    }
    fail("no VIEW or SEND window");
  }

  void caret(const std::vector<std::string>& w) {
    need(w, 2, 3);
    HostWindow& e = frontEditor();
    const int start = number(w[1]);
    const int end = w.size() == 3 ? number(w[2]) : start;
    e.post([this, &e, start, end] { d_.setEditSelection(e.editor, start, end); });
  }

  // The SEND window's body as the user types it; "\n" in the text is a line break.
  void body(const std::vector<std::string>& w) {
    need(w, 2, 2);
    HostWindow* send = app_.front(WindowKind::Send);
    if (!send) fail("no send window");
    std::string text;
    for (std::size_t i = 0; i < w[1].size(); ++i) {
      if (w[1].compare(i, 2, "\\n") == 0) {
        text += "\r\n";
        ++i;
      } else {
        text += w[1][i];
      }
    }
    const auto typed = std::make_shared<std::atomic<bool>>(false);
    send->post([this, send, text, typed] { *typed = d_.userType(send->editor, text); });
    app_.settle();
    if (!*typed) fail("cannot type into the send window");
  }

  void button(const std::vector<std::string>& w) {
    need(w, 2, 2);
    if (w[1] != "prev" && w[1] != "next") fail("no such button: " + w[1]);
    HostWindow* view = app_.front(WindowKind::View);
    if (!view) fail("no view window");
    // The plug-in's two buttons follow the host's own two.
    std::vector<sys::ToolButton> added;
    const std::vector<sys::ToolButton> all = d_.toolbarButtons(view->toolbar);
    for (std::size_t i = 2; i < all.size(); ++i) {
      if (all[i].style != sys::toolbar::kSeparator) added.push_back(all[i]);
    }
    if (added.size() < 2) fail("the toolbar has no " + w[1] + " button");
    const sys::ToolButton& b = added[w[1] == "prev" ? added.size() - 2 : added.size() - 1];
    if (!(b.state & sys::toolbar::kEnabled)) fail("the " + w[1] + " button is disabled");
    d_.postMessage({view->form, sys::msg::Command, static_cast<std::uintptr_t>(b.command), 0});
  }

  // --- dialogs and the list window

  sys::WindowHandle frontDialog() {
    const sys::WindowHandle f = d_.foregroundWindow();
    if (!f || !d_.isVisible(f)) fail("no dialog in front");
    return f;
  }

  sys::WindowHandle findControl(sys::WindowHandle parent, const std::string& key) {
    const std::vector<sys::WindowHandle> kids = d_.children(parent);
    for (std::size_t i = 0; i < kids.size(); ++i) {
      const sys::WindowHandle c = kids[i];
      if (!d_.isVisible(c)) continue;
      if (d_.controlName(c) == key) return c;
      const std::string cls = d_.className(c);
      const std::string caption = stripAmpersand(d_.text(c));
      if (caption == stripAmpersand(key)) {
        if (cls != "Static") return c;
        for (std::size_t j = i + 1; j < kids.size(); ++j) {
          if (d_.isVisible(kids[j])) return kids[j];  // the control the label names
        }
      }
    }
    for (sys::WindowHandle c : kids) {
      if (const sys::WindowHandle found = findControl(c, key)) return found;
    }
    return 0;
  }

  sys::WindowHandle control(sys::WindowHandle dialog, const std::string& key) {
    const sys::WindowHandle c = findControl(dialog, key);
    if (!c) fail("no control " + key);
    return c;
  }

  sys::WindowHandle childOfClass(sys::WindowHandle parent, const std::string& cls) {
    for (sys::WindowHandle c : d_.children(parent)) {
      if (d_.className(c) == cls) return c;
      if (const sys::WindowHandle found = childOfClass(c, cls)) return found;
    }
    return 0;
  }

  // The item at the path (levels joined by backslashes) in the tree, or 0 with
  // the texts of the level where it failed in there.
  sys::TreeItem treeItemAt(sys::WindowHandle t, const std::string& itemPath, std::string& there) {
    sys::TreeItem item = 0;
    std::string path = itemPath;
    while (!path.empty()) {
      const std::size_t sep = path.find('\\');
      const std::string part = path.substr(0, sep);
      path = sep == std::string::npos ? std::string() : path.substr(sep + 1);
      sys::TreeItem next = 0;
      there.clear();
      for (sys::TreeItem c : d_.treeChildren(t, item)) {
        const std::string text = d_.treeItem(t, c).text;
        if (text == part || (part == "*" && !next)) next = c;  // "*": any item, such as the root named by the store path
        there += (there.empty() ? "" : ", ") + text;
      }
      if (!next) return 0;
      item = next;
    }
    return item;
  }

  // Every visible tree view below the window, topmost first.
  void visibleTrees(sys::WindowHandle parent, std::vector<sys::WindowHandle>& out) {
    for (sys::WindowHandle c : d_.children(parent)) {
      if (!d_.isVisible(c)) continue;
      if (d_.className(c) == "SysTreeView32") out.push_back(c);
      visibleTrees(c, out);
    }
  }

  void tree(const std::vector<std::string>& w) {
    need(w, 3, 3);
    if (w[1] == "select") return selectTreeItem(w[2]);
    if (w[1] != "check" && w[1] != "uncheck") fail("no such tree action: " + w[1]);
    const sys::WindowHandle t = childOfClass(frontDialog(), "SysTreeView32");
    if (!t) fail("no tree in the dialog");
    std::string there;
    const sys::TreeItem item = treeItemAt(t, w[2], there);
    if (!item) fail("no tree item " + w[2] + " (there: " + there + ")");
    constexpr int kChecked = 3;
    const bool checked = d_.treeItem(t, item).state == kChecked;
    if (checked == (w[1] == "check")) return;
    if (!d_.userClickTreeState(t, item)) fail("cannot click " + w[2]);
  }

  // "tree select PATH": the item at the path in the first visible tree of
  // the front dialog that has it, selected as a click on its label does.
  void selectTreeItem(const std::string& path) {
    std::vector<sys::WindowHandle> trees;
    visibleTrees(frontDialog(), trees);
    if (trees.empty()) fail("no tree in the dialog");
    for (sys::WindowHandle t : trees) {
      std::string there;
      if (const sys::TreeItem item = treeItemAt(t, path, there)) {
        if (!d_.userSelectTreeItem(t, item)) fail("cannot select " + path);
        return;
      }
    }
    fail("no tree item " + path);
  }

  sys::WindowHandle frontList() {
    for (sys::WindowHandle t : d_.topLevelWindows()) {
      if (d_.isVisible(t) && d_.className(t) == "TFolderForm") return t;
    }
    fail("no list window");
  }

  int firstSelected(sys::WindowHandle list) {
    const int row = d_.listNextSelected(list, -1);
    if (row < 0) fail("no row selected");
    return row;
  }

  void list(const std::vector<std::string>& w) {
    if (w.size() < 2) fail("wrong number of arguments for list");
    const sys::WindowHandle form = frontList();
    const sys::WindowHandle lv = childOfClass(form, "SysListView32");
    const std::string& what = w[1];
    if (what == "header") {
      need(w, 3, 3);
      if (!d_.userClickHeader(childOfClass(form, "SysHeader32"), number(w[2]) - 1)) fail("cannot click the header");
    } else if (what == "select") {
      std::vector<int> rows;
      for (std::size_t i = 2; i < w.size(); ++i) rows.push_back(number(w[i]) - 1);
      for (int r : rows) {
        if (r < 0 || r >= d_.listCount(lv)) fail("no row " + std::to_string(r + 1));
      }
      if (!d_.userSelectRows(lv, rows)) fail("cannot select rows");
    } else if (what == "double-click") {
      need(w, 2, 3);
      unsigned shift = 0;
      if (w.size() == 3) shift = w[2] == "shift" ? sys::kShift : w[2] == "alt" ? sys::kAlt : (fail("no such key: " + w[2]), 0u);
      if (!d_.userDoubleClickRow(lv, firstSelected(lv), shift)) fail("cannot double-click the row");
    } else if (what == "menu") {
      need(w, 3, 3);
      if (!d_.userRowMenu(lv, firstSelected(lv), w[2])) fail("no row menu item " + w[2]);
    } else if (what == "key") {
      need(w, 3, 3);
      const Key k = parseKey(w[2]);
      if (!d_.userKey(lv, k.vk, k.shift)) fail("the list takes no key");
    } else {
      fail("no such list action: " + what);
    }
  }

  // --- dumps

  void dump(const std::vector<std::string>& w) {
    need(w, 2, 3);
    const std::string& what = w[1];
    if (what == "menu") {
      need(w, 3, 3);
      needStarted();
      HostWindow* owner = nullptr;
      const sys::MenuHandle m = menuOf(w[2], owner);
      print("== dump menu " + w[2]);
      dumpMenu(m, 0);
      return;
    }
    if (what == "folder") {
      need(w, 3, 3);
      print("== dump folder " + w[2]);
      const store::MailStore store(fs_, app_.sim().mailRoot());
      const std::string folder = store::isTrashPath(w[2]) ? w[2] : store::withTrailingBackslash(w[2]);
      for (const std::string& line : fs_.readLines(store::listFilePath(store, folder)).value_or(std::vector<std::string>{})) {
        print(line);
      }
      return;
    }
    need(w, 2, 2);
    if (what == "windows") {
      print("== dump windows");
      for (sys::WindowHandle t : d_.topLevelWindows()) {
        if (d_.isVisible(t)) print(d_.className(t) + "\t" + d_.text(t));
      }
    } else if (what == "messages") {
      print("== dump messages");
      for (const auto& m : d_.takeMessageBoxes()) {
        print(m.caption + "\t" + escapeLineEnds(m.text) + "\t" + iconName(m.icon) + "\t" + m.ownerClass);
      }
    } else if (what == "settings") {
      print("== dump settings");
      for (const std::string& line : fs_.readLines(setup_.settingsFile).value_or(std::vector<std::string>{})) print(line);
    } else if (what == "view") {
      HostWindow* view = app_.front(WindowKind::View);
      if (!view) fail("no view window");
      print("== dump view");
      print(app_.viewMail(*view) + "\t" + selectionLine(view->editor));
    } else if (what == "toolbar") {
      // The front VIEW window's toolbar: each button's image, and whether it
      // takes clicks; separators as "-".
      HostWindow* view = app_.front(WindowKind::View);
      if (!view) fail("no view window");
      print("== dump toolbar");
      for (const sys::ToolButton& b : d_.toolbarButtons(view->toolbar)) {
        if (b.style & sys::toolbar::kSeparator) {
          print("-");
        } else {
          print("image " + std::to_string(b.image) + "\t" + ((b.state & sys::toolbar::kEnabled) ? "enabled" : "disabled"));
        }
      }
    } else if (what == "dialog") {
      // The front window's caption, then the texts its visible controls show,
      // in their order (class names differ between the desktops' own
      // controls).
      const sys::WindowHandle f = frontDialog();
      print("== dump dialog");
      print(d_.text(f));
      dumpTexts(f);
    } else if (what == "send") {
      HostWindow* send = app_.front(WindowKind::Send);
      if (!send) fail("no send window");
      print("== dump send");
      for (const std::string& line : sys::splitLines(app_.sim().sendHeader(send->form).value_or(""))) print(line);
    } else if (what == "editor") {
      // The front VIEW or SEND window's editor: its selection in bytes, then its text.
      const HostWindow& e = frontEditor();
      print("== dump editor");
      print(selectionLine(e.editor));
      for (const std::string& line : sys::splitLines(d_.text(e.editor))) print("|" + line);
    } else if (what == "list") {
      const sys::WindowHandle form = frontList();
      const sys::WindowHandle lv = childOfClass(form, "SysListView32");
      print("== dump list");
      for (int row = 0; row < d_.listCount(lv); ++row) {
        std::string line;
        for (int col = 0; col < 5; ++col) line += d_.listItemText(lv, row, col) + "\t";
        print(line + std::to_string(d_.listStateImage(lv, row)));
      }
      print(d_.text(childOfClass(form, "msctls_statusbar32")));
    } else if (what == "list-look") {
      // What the options give the list window: the rows' background and
      // font, and whether the count bar shows.
      const sys::WindowHandle form = frontList();
      const sys::WindowHandle lv = childOfClass(form, "SysListView32");
      const sys::WindowHandle bar = childOfClass(form, "msctls_statusbar32");
      const sys::Font f = d_.controlFont(lv);
      std::string style;
      for (const auto& [on, name] : {std::pair{f.bold, " bold"}, std::pair{f.italic, " italic"},
                                     std::pair{f.underline, " underline"}, std::pair{f.strikeout, " strikeout"}}) {
        if (on) style += name;
      }
      print("== dump list-look");
      print("background\t" + colorText(d_.listBackground(lv)));
      print("font\t" + f.name + "\t" + std::to_string(f.size) + style + "\t" + colorText(f.color));
      print(std::string("count bar\t") + (bar && d_.isVisible(bar) ? "shown" : "hidden"));
    } else {
      fail("no such dump: " + what);
    }
  }

  QuillonApp& app_;
  backend::HostDesktop& d_;
  sys::FileSystem& fs_;
  const ScriptSetup& setup_;
  std::FILE* out_;
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  int status_ = 0;
  bool done_ = false;
  bool ending_ = false;
  bool settledOnce_ = false;
  unsigned long topTicks_ = 0;
  unsigned long finishTicks_ = 0;
  sys::WindowHandle form_ = 0;
  std::unique_ptr<sys::Module> module_;
};

}  // namespace

bool splitScriptLine(const std::string& line, std::vector<std::string>& words) {
  words.clear();
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (char c : line) {
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = inWord = true;
    } else if (c == '#') {
      break;
    } else if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (quoted) return false;
  if (inWord) words.push_back(word);
  return true;
}

int runScript(QuillonApp& app, sys::FileSystem& fs, const ScriptSetup& setup, const std::string& script,
              std::FILE* out) {
  ScriptRunner runner(app, fs, setup, out);
  return runner.run(script);
}

}  // namespace gleanix::host
