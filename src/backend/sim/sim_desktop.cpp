#include "backend/sim/sim_desktop.h"

#include <algorithm>
#include <stdexcept>

#include "util/sjis.h"

namespace gleanix::backend {
namespace {

constexpr int kFrame = 4;
constexpr int kCaption = 20;

bool isTopLevel(const SimWindow& w) { return w.kind == sys::ControlKind::Form; }

sys::Rect offset(sys::Rect r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

int firstButtonResult(sys::MessageButtons b) {
  return (b == sys::MessageButtons::YesNo || b == sys::MessageButtons::YesNoCancel) ? sys::result::Yes
                                                                                     : sys::result::Ok;
}

}  // namespace

SimDesktop::SimDesktop() = default;
SimDesktop::~SimDesktop() = default;

// --- lookup

SimWindow* SimDesktop::find(sys::WindowHandle w) {
  Lock lock(*this);
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : &it->second;
}

const SimWindow* SimDesktop::find(sys::WindowHandle w) const {
  Lock lock(*this);
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : &it->second;
}

SimWindow& SimDesktop::get(sys::WindowHandle w) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p) throw std::out_of_range("no simulated window " + std::to_string(w));
  return *p;
}

const SimWindow& SimDesktop::get(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  if (!p) throw std::out_of_range("no simulated window " + std::to_string(w));
  return *p;
}

SimWindow* SimDesktop::findKind(sys::WindowHandle w, sys::ControlKind kind) {
  Lock lock(*this);
  SimWindow* p = find(w);
  return p && p->kind == kind ? p : nullptr;
}

const SimWindow* SimDesktop::findKind(sys::WindowHandle w, sys::ControlKind kind) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p && p->kind == kind ? p : nullptr;
}

const SimWindow& SimDesktop::window(sys::WindowHandle w) const { return get(w); }

sys::WindowHandle SimDesktop::child(sys::WindowHandle parent, const std::string& name) const {
  Lock lock(*this);
  for (sys::WindowHandle c : get(parent).children) {
    if (get(c).name == name) return c;
  }
  for (sys::WindowHandle c : get(parent).children) {
    try {
      return child(c, name);
    } catch (const std::out_of_range&) {
    }
  }
  throw std::out_of_range("no window " + name + " below " + get(parent).name);
}

sys::WindowHandle SimDesktop::findTopLevel(const std::string& className) const {
  Lock lock(*this);
  for (sys::WindowHandle w : topLevel_) {
    if (get(w).className == className) return w;
  }
  return 0;
}

void SimDesktop::deliver(sys::WindowHandle w, sys::Event& e) {
  SimWindow* p = find(w);
  if (!p || !p->sink) return;
  e.window = e.window ? e.window : w;
  sys::EventSink* sink = p->sink;
  Unlock unlocked(*this);
  sink->handleEvent(e);
}

sys::WindowHandle SimDesktop::formOf(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  while (p && !isTopLevel(*p)) p = find(p->parent);
  return p ? p->handle : 0;
}

bool SimDesktop::canTakeInput(sys::WindowHandle w) const {
  Lock lock(*this);
  for (const SimWindow* p = find(w); p; p = find(p->parent)) {
    if (!p->visible || !p->enabled) return false;
    if (isTopLevel(*p)) return true;
  }
  return false;
}

// --- windows

sys::WindowHandle SimDesktop::createWindow(const sys::WindowSpec& spec, sys::EventSink* sink) {
  Lock lock(*this);
  const sys::WindowHandle h = nextHandle_++;
  SimWindow w;
  w.handle = h;
  w.kind = spec.kind;
  w.className = spec.className;
  w.name = spec.name;
  w.text = spec.text;
  w.style = spec.style;
  w.sink = sink;
  w.processId = currentProcessId_;
  w.threadId = threadOf(std::this_thread::get_id());
  w.dropDownCount = spec.dropDownCount;
  w.isDefault = (spec.style & sys::kDefaultButton) != 0;
  w.selectionHidden = (spec.style & sys::kShowSelectionAlways) == 0;
  if (spec.kind == sys::ControlKind::Form) {
    w.owner = spec.parent;
    const sys::Rect& b = spec.bounds;
    w.bounds = {b.left, b.top, b.left + b.width() + 2 * kFrame, b.top + b.height() + 2 * kFrame + kCaption};
    w.normalBounds = w.bounds;
    w.visible = false;
    topLevel_.insert(topLevel_.begin(), h);
  } else {
    SimWindow& parent = get(spec.parent);
    w.parent = spec.parent;
    w.bounds = spec.bounds;
    w.visible = true;
    parent.children.push_back(h);
  }
  windows_.emplace(h, std::move(w));
  return h;
}

void SimDesktop::destroyTree(sys::WindowHandle w) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p) return;
  const std::vector<sys::WindowHandle> kids = p->children;
  for (sys::WindowHandle c : kids) destroyTree(c);
  if (foreground_ == w) foreground_ = 0;
  if (focus_ == w) focus_ = 0;
  if (capture_ == w) capture_ = 0;
  for (auto it = timers_.begin(); it != timers_.end();) {
    it = it->first.first == w ? timers_.erase(it) : std::next(it);
  }
  if (p->menuBar) {
    menuBars_.erase(p->menuBar);
    destroyMenu(p->menuBar);
  }
  windows_.erase(w);
}

void SimDesktop::destroyWindow(sys::WindowHandle w) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p) return;
  // Windows it owns go with it, as on Windows.
  std::vector<sys::WindowHandle> owned;
  for (const auto& [h, win] : windows_) {
    if (win.owner == w && isTopLevel(win)) owned.push_back(h);
  }
  for (sys::WindowHandle o : owned) destroyWindow(o);
  p = find(w);
  if (!p) return;
  if (p->parent) {
    auto& siblings = get(p->parent).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
  } else {
    topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), w), topLevel_.end());
  }
  destroyTree(w);
}

bool SimDesktop::isWindow(sys::WindowHandle w) const {
  Lock lock(*this);
  return find(w) != nullptr;
}

std::vector<sys::WindowHandle> SimDesktop::topLevelWindows() const {
  Lock lock(*this);
  return topLevel_;
}

sys::WindowHandle SimDesktop::foregroundWindow() const {
  Lock lock(*this);
  return foreground_;
}

sys::WindowHandle SimDesktop::focus() const {
  Lock lock(*this);
  return focus_;
}

void SimDesktop::setCapture(sys::WindowHandle w) {
  Lock lock(*this);
  capture_ = w;
}

void SimDesktop::releaseCapture() {
  Lock lock(*this);
  capture_ = 0;
}

std::string SimDesktop::className(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  if (!p) return {};
  if (!p->className.empty()) return p->className;
  switch (p->kind) {
    case sys::ControlKind::Label: return "Static";
    case sys::ControlKind::Button:
    case sys::ControlKind::CheckBox:
    case sys::ControlKind::RadioButton:
    case sys::ControlKind::GroupBox: return "Button";
    case sys::ControlKind::Edit:
    case sys::ControlKind::Memo: return "Edit";
    case sys::ControlKind::ComboBox: return "ComboBox";
    case sys::ControlKind::TreeView: return "SysTreeView32";
    case sys::ControlKind::ListView: return "SysListView32";
    case sys::ControlKind::Header: return "SysHeader32";
    case sys::ControlKind::StatusBar: return "msctls_statusbar32";
    case sys::ControlKind::ProgressBar: return "msctls_progress32";
    case sys::ControlKind::ToolBar: return "ToolbarWindow32";
    default: return "GleanixPanel";
  }
}

std::string SimDesktop::text(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? p->text : std::string();
}

void SimDesktop::setText(sys::WindowHandle w, const std::string& text) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p) return;
  p->text = text;
  if (p->kind == sys::ControlKind::Edit || p->kind == sys::ControlKind::Memo) {
    p->selStart = p->selEnd = 0;
  }
  if (p->kind == sys::ControlKind::ComboBox) {
    auto it = std::find(p->items.begin(), p->items.end(), text);
    p->itemIndex = it == p->items.end() ? -1 : static_cast<int>(it - p->items.begin());
  }
}

std::uint32_t SimDesktop::processId(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? p->processId : 0;
}

sys::WindowHandle SimDesktop::parent(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? p->parent : 0;
}

sys::WindowHandle SimDesktop::owner(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? p->owner : 0;
}

sys::WindowHandle SimDesktop::firstChild(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p && !p->children.empty() ? p->children.front() : 0;
}

sys::WindowHandle SimDesktop::nextWindow(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  if (!p) return 0;
  const std::vector<sys::WindowHandle>& list = p->parent ? get(p->parent).children : topLevel_;
  auto it = std::find(list.begin(), list.end(), w);
  return (it == list.end() || std::next(it) == list.end()) ? 0 : *std::next(it);
}

void SimDesktop::bringToFront(sys::WindowHandle w) {
  Lock lock(*this);
  auto it = std::find(topLevel_.begin(), topLevel_.end(), w);
  if (it == topLevel_.end()) return;
  topLevel_.erase(it);
  topLevel_.insert(topLevel_.begin(), w);
}

void SimDesktop::setForegroundWindow(sys::WindowHandle w) {
  Lock lock(*this);
  const sys::WindowHandle form = formOf(w);
  if (!form) return;
  bringToFront(form);
  foreground_ = form;
}

void SimDesktop::setVisible(sys::WindowHandle w, bool visible) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p || p->visible == visible) return;
  p->visible = visible;
  if (!isTopLevel(*p)) return;
  if (visible) {
    setForegroundWindow(w);
  } else if (foreground_ == w) {
    foreground_ = p->owner && isWindow(p->owner) ? p->owner : 0;
  }
}

bool SimDesktop::isVisible(sys::WindowHandle w) const {
  Lock lock(*this);
  for (const SimWindow* p = find(w); p; p = find(p->parent)) {
    if (!p->visible) return false;
    if (isTopLevel(*p)) return true;
  }
  return false;
}

void SimDesktop::setEnabled(sys::WindowHandle w, bool enabled) {
  Lock lock(*this);
  if (SimWindow* p = find(w)) p->enabled = enabled;
}

bool SimDesktop::isEnabled(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p && p->enabled;
}

sys::Rect SimDesktop::frameInsets(const SimWindow& w) const {
  Lock lock(*this);
  if (!isTopLevel(w)) return {0, 0, 0, 0};
  return {kFrame, kFrame + kCaption, kFrame, kFrame};
}

void SimDesktop::setBounds(sys::WindowHandle w, const sys::Rect& r) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p) return;
  p->bounds = r;
  if (isTopLevel(*p) && p->showState == sys::ShowState::Normal) p->normalBounds = r;
}

sys::Rect SimDesktop::bounds(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? p->bounds : sys::Rect{};
}

sys::Rect SimDesktop::clientRect(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  if (!p) return {};
  const sys::Rect f = frameInsets(*p);
  return {0, 0, std::max(0, p->bounds.width() - f.left - f.right),
          std::max(0, p->bounds.height() - f.top - f.bottom)};
}

sys::Point SimDesktop::clientToScreen(sys::WindowHandle w, sys::Point pt) const {
  Lock lock(*this);
  for (const SimWindow* p = find(w); p; p = find(p->parent)) {
    const sys::Rect f = frameInsets(*p);
    pt.x += p->bounds.left + f.left;
    pt.y += p->bounds.top + f.top;
  }
  return pt;
}

void SimDesktop::setFont(sys::WindowHandle w, const sys::Font& font) {
  Lock lock(*this);
  if (SimWindow* p = find(w)) p->font = font;
}

void SimDesktop::setColor(sys::WindowHandle w, sys::Color background) {
  Lock lock(*this);
  if (SimWindow* p = find(w)) p->color = background;
}

void SimDesktop::setFocus(sys::WindowHandle w) {
  Lock lock(*this);
  if (isWindow(w)) focus_ = w;
}

void SimDesktop::invalidate(sys::WindowHandle) {}

void SimDesktop::setRedraw(sys::WindowHandle w, bool on) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p) return;
  if (!on && p->redraw) ++p->redrawSuspensions;
  p->redraw = on;
}

// --- placement

bool SimDesktop::getPlacement(sys::WindowHandle w, sys::Placement& out) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  if (!p || !isTopLevel(*p)) return false;
  out.normal = offset(p->normalBounds, -workArea_.left, -workArea_.top);
  out.state = p->showState;
  return true;
}

void SimDesktop::setPlacement(sys::WindowHandle w, const sys::Placement& pl) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p || !isTopLevel(*p)) return;
  p->normalBounds = offset(pl.normal, workArea_.left, workArea_.top);
  p->showState = pl.state;
  p->bounds = pl.state == sys::ShowState::Maximized ? workArea_ : p->normalBounds;
}

// --- buttons, combo boxes, edits, progress bars

void SimDesktop::setChecked(sys::WindowHandle w, bool checked) {
  Lock lock(*this);
  if (SimWindow* p = find(w)) p->checked = checked;
}

bool SimDesktop::isChecked(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p && p->checked;
}

void SimDesktop::setDefaultButton(sys::WindowHandle w, bool isDefault) {
  Lock lock(*this);
  if (SimWindow* p = find(w)) p->isDefault = isDefault;
}

void SimDesktop::comboSetItems(sys::WindowHandle w, const std::vector<std::string>& items) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ComboBox);
  if (!p) return;
  p->items = items;
  p->itemIndex = -1;
  if (p->style & sys::kDropDownList) p->text.clear();
}

void SimDesktop::comboSetIndex(sys::WindowHandle w, int index) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ComboBox);
  if (!p) return;
  if (index < 0 || index >= static_cast<int>(p->items.size())) {
    p->itemIndex = -1;
    if (p->style & sys::kDropDownList) p->text.clear();
    return;
  }
  p->itemIndex = index;
  p->text = p->items[index];
}

int SimDesktop::comboIndex(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ComboBox);
  return p ? p->itemIndex : -1;
}

std::pair<int, int> SimDesktop::editSelection(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = find(w);
  return p ? std::pair{p->selStart, p->selEnd} : std::pair{0, 0};
}

void SimDesktop::setEditSelection(sys::WindowHandle w, int start, int end) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p) return;
  const int len = static_cast<int>(p->text.size());
  if (end < 0) end = len;
  if (start < 0) start = len;
  start = std::min(start, len);
  end = std::min(end, len);
  p->selStart = std::min(start, end);
  p->selEnd = std::max(start, end);
}

void SimDesktop::replaceEditSelection(sys::WindowHandle w, const std::string& text, bool canUndo) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p) return;
  p->text.replace(p->selStart, p->selEnd - p->selStart, text);
  p->selStart = p->selEnd = p->selStart + static_cast<int>(text.size());
  if (canUndo) ++p->undoableEdits;
}

void SimDesktop::hideEditSelection(sys::WindowHandle w, bool hide) {
  Lock lock(*this);
  if (SimWindow* p = find(w)) p->selectionHidden = hide;
}

void SimDesktop::progressSetRange(sys::WindowHandle w, int min, int max) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ProgressBar);
  if (!p) return;
  p->rangeMin = min;
  p->rangeMax = std::max(min, max);
  p->position = std::clamp(p->position, p->rangeMin, p->rangeMax);
}

void SimDesktop::progressSetPosition(sys::WindowHandle w, int position) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ProgressBar);
  if (p) p->position = std::clamp(position, p->rangeMin, p->rangeMax);
}

int SimDesktop::progressPosition(sys::WindowHandle w) const {
  Lock lock(*this);
  const SimWindow* p = findKind(w, sys::ControlKind::ProgressBar);
  return p ? p->position : 0;
}

// --- image lists

sys::ImageListHandle SimDesktop::createImageList(int width, int height) {
  Lock lock(*this);
  const sys::ImageListHandle h = nextHandle_++;
  imageLists_[h] = SimImageList{width, height, {}, {}};
  return h;
}

int SimDesktop::imageListAdd(sys::ImageListHandle list, const sys::Bitmap& bitmap, sys::Color transparent) {
  Lock lock(*this);
  auto it = imageLists_.find(list);
  if (it == imageLists_.end()) return -1;
  SimImageList& il = it->second;
  if (bitmap.height != il.height || il.width <= 0 || bitmap.width < il.width ||
      bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) {
    return -1;
  }
  const int first = static_cast<int>(il.images.size());
  for (int x0 = 0; x0 + il.width <= bitmap.width; x0 += il.width) {
    sys::Bitmap img{il.width, il.height, {}};
    std::vector<bool> mask;
    for (int y = 0; y < il.height; ++y) {
      for (int x = 0; x < il.width; ++x) {
        const sys::Color c = bitmap.at(x0 + x, y);
        img.pixels.push_back(c);
        mask.push_back(c == transparent);
      }
    }
    il.images.push_back(std::move(img));
    il.transparent.push_back(std::move(mask));
  }
  return first;
}

int SimDesktop::imageListCount(sys::ImageListHandle list) const {
  Lock lock(*this);
  auto it = imageLists_.find(list);
  return it == imageLists_.end() ? 0 : static_cast<int>(it->second.images.size());
}

void SimDesktop::destroyImageList(sys::ImageListHandle list) {
  Lock lock(*this);
  imageLists_.erase(list);
}

const SimImageList& SimDesktop::imageList(sys::ImageListHandle list) const {
  Lock lock(*this);
  auto it = imageLists_.find(list);
  if (it == imageLists_.end()) throw std::out_of_range("no simulated image list");
  return it->second;
}

// --- menus

sys::MenuHandle SimDesktop::createPopupMenu() {
  Lock lock(*this);
  const sys::MenuHandle h = nextHandle_++;
  menus_[h];
  return h;
}

void SimDesktop::destroyMenu(sys::MenuHandle menu) {
  Lock lock(*this);
  auto it = menus_.find(menu);
  if (it == menus_.end()) return;
  const std::vector<sys::MenuItem> items = it->second;
  menus_.erase(it);
  for (const sys::MenuItem& i : items) {
    if (i.subMenu) destroyMenu(i.subMenu);
  }
}

int SimDesktop::menuItemCount(sys::MenuHandle menu) const {
  Lock lock(*this);
  auto it = menus_.find(menu);
  return it == menus_.end() ? -1 : static_cast<int>(it->second.size());
}

sys::MenuItem SimDesktop::menuItem(sys::MenuHandle menu, int position) const {
  Lock lock(*this);
  auto it = menus_.find(menu);
  if (it == menus_.end() || position < 0 || position >= static_cast<int>(it->second.size())) return {};
  return it->second[position];
}

std::string SimDesktop::menuItemText(sys::MenuHandle menu, int position) const {
  Lock lock(*this);
  auto it = menus_.find(menu);
  if (it == menus_.end() || position < 0 || position >= static_cast<int>(it->second.size())) return {};
  return it->second[position].text;
}

sys::MenuHandle SimDesktop::subMenu(sys::MenuHandle menu, int position) const {
  Lock lock(*this);
  auto it = menus_.find(menu);
  if (it == menus_.end() || position < 0 || position >= static_cast<int>(it->second.size())) return 0;
  return it->second[position].subMenu;
}

void SimDesktop::insertMenuItem(sys::MenuHandle menu, int position, const sys::MenuItem& item) {
  Lock lock(*this);
  auto it = menus_.find(menu);
  if (it == menus_.end()) return;
  auto& items = it->second;
  if (position < 0 || position > static_cast<int>(items.size())) position = static_cast<int>(items.size());
  items.insert(items.begin() + position, item);
}

int SimDesktop::trackPopupMenu(sys::MenuHandle menu, sys::WindowHandle owner, sys::Point screen) {
  Lock lock(*this);
  auto it = menus_.find(menu);
  if (it == menus_.end()) return 0;
  SimPopup rec{owner, screen, it->second, 0};
  if (!popupAnswers_.empty()) {
    const std::string wanted = popupAnswers_.front();
    popupAnswers_.pop_front();
    for (const sys::MenuItem& i : rec.items) {
      if (!i.separator && i.enabled && !wanted.empty() && i.text == wanted) {
        rec.chosen = i.id;
        break;
      }
    }
  }
  popups_.push_back(rec);
  return rec.chosen;
}

// --- messages, timers, input

void SimDesktop::postCommand(sys::WindowHandle w, int id) {
  Lock lock(*this);
  posted_.push_back({w, id});
  postMessage({w, sys::msg::Command, static_cast<std::uintptr_t>(id), 0});
}

void SimDesktop::processPendingMessages() {
  Lock lock(*this);
  ++processCalls_;
  while (dispatchNext()) {
  }
  if (!processActions_.empty()) {
    Action a = std::move(processActions_.front());
    processActions_.pop_front();
    Unlock unlocked(*this);
    a();
  }
}

void SimDesktop::runModal(sys::WindowHandle form, const std::function<bool()>& finished) {
  Lock lock(*this);
  SimWindow* p = find(form);
  if (!p) return;
  const sys::WindowHandle ownerWindow = p->owner;
  const bool ownerWasEnabled = isEnabled(ownerWindow);
  setEnabled(ownerWindow, false);
  setVisible(form, true);
  ++modalDepth_;
  struct Restore {
    SimDesktop& d;
    sys::WindowHandle form, owner;
    bool ownerEnabled;
    ~Restore() {
      --d.modalDepth_;
      d.setEnabled(owner, ownerEnabled);
      d.setVisible(form, false);
      if (d.isWindow(owner)) d.setForegroundWindow(owner);
    }
  } restore{*this, form, ownerWindow, ownerWasEnabled};

  if (!finished() && !modalScripts_.empty()) {
    ModalScript script = std::move(modalScripts_.front());
    modalScripts_.pop_front();
    Unlock unlocked(*this);
    script(form);
  } else if (live_) {
    runMessageLoop([&] { return finished() || !isWindow(form); });
  }
  if (finished() || !isWindow(form)) return;
  closeForm(form);
  if (finished() || !isWindow(form)) return;
  throw std::logic_error("modal run of " + className(form) + " does not end when closed");
}

void SimDesktop::setTimer(sys::WindowHandle w, int id, int milliseconds) {
  Lock lock(*this);
  if (isWindow(w)) timers_[{w, id}] = milliseconds;
}

void SimDesktop::killTimer(sys::WindowHandle w, int id) {
  Lock lock(*this);
  timers_.erase({w, id});
}

std::map<int, int> SimDesktop::timers(sys::WindowHandle w) const {
  Lock lock(*this);
  std::map<int, int> out;
  for (const auto& [key, ms] : timers_) {
    if (key.first == w) out[key.second] = ms;
  }
  return out;
}

bool SimDesktop::fireTimer(sys::WindowHandle w, int id) {
  Lock lock(*this);
  if (!timers_.count({w, id})) return false;
  sys::Event e;
  e.type = sys::EventType::Timer;
  e.id = id;
  deliver(w, e);
  return true;
}

bool SimDesktop::isKeyDown(int virtualKey) const {
  Lock lock(*this);
  auto it = keys_.find(virtualKey);
  return it != keys_.end() && it->second;
}

void SimDesktop::setKeyDown(int virtualKey, bool down) {
  Lock lock(*this);
  keys_[virtualKey] = down;
}

void SimDesktop::setBusyCursor(bool busy) {
  Lock lock(*this);
  busy_ = std::max(0, busy_ + (busy ? 1 : -1));
}

// --- dialogs

int SimDesktop::messageBox(sys::WindowHandle owner, const std::string& text, const std::string& caption,
                           sys::MessageIcon icon, sys::MessageButtons buttons) {
  Lock lock(*this);
  int result = firstButtonResult(buttons);
  if (!messageAnswers_.empty()) {
    result = messageAnswers_.front();
    messageAnswers_.pop_front();
  }
  messageBoxes_.push_back({owner, text, caption, icon, buttons, result, className(owner)});
  return result;
}

bool SimDesktop::chooseFont(sys::WindowHandle, sys::Font& font) {
  Lock lock(*this);
  if (fontAnswers_.empty()) return false;
  std::optional<sys::Font> a = fontAnswers_.front();
  fontAnswers_.pop_front();
  if (!a) return false;
  font = *a;
  return true;
}

bool SimDesktop::chooseColor(sys::WindowHandle, sys::Color& color) {
  Lock lock(*this);
  if (colorAnswers_.empty()) return false;
  std::optional<sys::Color> a = colorAnswers_.front();
  colorAnswers_.pop_front();
  if (!a) return false;
  color = *a;
  return true;
}

// --- look

sys::Color SimDesktop::systemColor(sys::SystemColor which) const {
  Lock lock(*this);
  switch (which) {
    case sys::SystemColor::Window: return sys::rgb(255, 255, 255);
    case sys::SystemColor::ButtonFace: return sys::rgb(212, 208, 200);
    case sys::SystemColor::WindowText: return sys::rgb(0, 0, 0);
    case sys::SystemColor::GrayText: return sys::rgb(128, 128, 128);
  }
  return 0;
}

sys::Point SimDesktop::textExtent(const sys::Font& font, std::string_view text) const {
  Lock lock(*this);
  const int narrow = std::max(1, font.size * 2 / 3);
  int width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = util::charBytesAt(text, i);
    width += n == 2 ? 2 * narrow : narrow;
    i += n;
  }
  return {width, font.size * 4 / 3 + 3};
}

}  // namespace gleanix::backend
