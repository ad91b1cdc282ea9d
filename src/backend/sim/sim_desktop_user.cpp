// The simulated user: input delivered to windows as the real desktop would.

#include <algorithm>

#include "backend/sim/sim_desktop.h"

namespace gleanix::backend {
namespace {

// Records what a window draws while it paints.
class SimCanvas : public sys::Canvas {
 public:
  explicit SimCanvas(std::vector<SimCanvasOp>& log) : log_(log) {}
  void setFont(const sys::Font& font) override {
    SimCanvasOp op;
    op.kind = SimCanvasOp::SetFont;
    op.font = font;
    log_.push_back(op);
  }
  void fillRect(const sys::Rect& r, sys::Color color) override {
    SimCanvasOp op;
    op.kind = SimCanvasOp::Fill;
    op.rect = r;
    op.color = color;
    log_.push_back(op);
  }
  void textOut(sys::Point at, std::string_view text) override {
    SimCanvasOp op;
    op.kind = SimCanvasOp::Text;
    op.at = at;
    op.text = std::string(text);
    log_.push_back(op);
  }

 private:
  std::vector<SimCanvasOp>& log_;
};

sys::Event event(sys::EventType type) {
  sys::Event e;
  e.type = type;
  return e;
}

}  // namespace

void SimDesktop::wakeThreadOf(sys::WindowHandle w) {
  const SimWindow* p = find(w);
  if (p && p->threadId != threadOf(std::this_thread::get_id())) enqueue(p->threadId, {{w, 0, 0, 0}, 0});
}

bool SimDesktop::click(sys::WindowHandle w) {
  Lock lock(*this);
  if (!canTakeInput(w)) return false;
  sys::Event e = event(sys::EventType::Click);
  deliver(w, e);
  wakeThreadOf(w);
  return true;
}

bool SimDesktop::typeText(sys::WindowHandle w, const std::string& text) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p || !canTakeInput(w) || (p->style & sys::kReadOnly)) return false;
  const bool typable = p->kind == sys::ControlKind::Edit || p->kind == sys::ControlKind::Memo ||
                       (p->kind == sys::ControlKind::ComboBox && !(p->style & sys::kDropDownList));
  if (!typable) return false;
  p->text = text;
  p->selStart = p->selEnd = static_cast<int>(text.size());
  if (p->kind == sys::ControlKind::ComboBox) p->itemIndex = -1;
  focus_ = w;
  sys::Event e = event(sys::EventType::Change);
  deliver(w, e);
  wakeThreadOf(w);
  return true;
}

bool SimDesktop::chooseComboItem(sys::WindowHandle w, int index) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ComboBox);
  if (!p || !canTakeInput(w) || index < 0 || index >= static_cast<int>(p->items.size())) return false;
  p->itemIndex = index;
  p->text = p->items[index];
  sys::Event e = event(sys::EventType::Click);
  deliver(w, e);
  wakeThreadOf(w);
  return true;
}

bool SimDesktop::pressKey(sys::WindowHandle w, int virtualKey) {
  Lock lock(*this);
  if (!canTakeInput(w)) return false;
  // Input goes through the queue of the window's thread: its hooks see it
  // there, and on another thread it waits for that thread's loop.
  const std::uint32_t thread = get(w).threadId;
  const sys::Message m{w, sys::msg::KeyDown, static_cast<std::uintptr_t>(virtualKey), 0};
  if (thread != threadOf(std::this_thread::get_id())) {
    enqueue(thread, {m, (isKeyDown(sys::vk::Shift) ? sys::kShift : 0u) |
                            (isKeyDown(sys::vk::Control) ? sys::kCtrl : 0u) | (isKeyDown(sys::vk::Menu) ? sys::kAlt : 0u)});
    return true;
  }
  runHooks(thread, m);
  if (isWindow(w)) keyDown(w, virtualKey);
  return true;
}

void SimDesktop::keyDown(sys::WindowHandle w, int virtualKey) {
  const sys::WindowHandle form = formOf(w);
  sys::Event e = event(sys::EventType::KeyDown);
  e.window = w;
  e.key = virtualKey;
  e.shift = (isKeyDown(sys::vk::Shift) ? sys::kShift : 0u) | (isKeyDown(sys::vk::Control) ? sys::kCtrl : 0u) |
            (isKeyDown(sys::vk::Menu) ? sys::kAlt : 0u);
  deliver(form, e);
  if (!e.handled && isWindow(w) && get(w).kind == sys::ControlKind::ListView) listKeyDown(w, virtualKey);
}

bool SimDesktop::mouseDown(sys::WindowHandle w, sys::MouseButton button, sys::Point pt, unsigned shift) {
  Lock lock(*this);
  if (!canTakeInput(w)) return false;
  sys::Event e = event(sys::EventType::MouseDown);
  e.button = button;
  e.pos = pt;
  e.shift = shift;
  deliver(w, e);
  if (e.handled || !isWindow(w)) return true;
  const sys::ControlKind kind = get(w).kind;
  if (kind == sys::ControlKind::TreeView) treeMouseDown(w, button, pt);
  if (kind == sys::ControlKind::ListView) listMouseDown(w, pt, shift);
  return true;
}

bool SimDesktop::mouseMove(sys::WindowHandle w, sys::Point pt) {
  Lock lock(*this);
  if (!isWindow(w) || (capture_ != w && !canTakeInput(w))) return false;
  sys::Event e = event(sys::EventType::MouseMove);
  e.pos = pt;
  deliver(w, e);
  return true;
}

bool SimDesktop::mouseUp(sys::WindowHandle w, sys::MouseButton button, sys::Point pt) {
  Lock lock(*this);
  if (!isWindow(w) || (capture_ != w && !canTakeInput(w))) return false;
  sys::Event e = event(sys::EventType::MouseUp);
  e.button = button;
  e.pos = pt;
  deliver(w, e);
  // A tree view reports a click once the left button is released.
  if (isWindow(w) && button == sys::MouseButton::Left && get(w).kind == sys::ControlKind::TreeView) {
    sys::Event c = event(sys::EventType::Click);
    deliver(w, c);
  }
  return true;
}

bool SimDesktop::clickAt(sys::WindowHandle w, sys::MouseButton button, sys::Point pt, unsigned shift) {
  Lock lock(*this);
  if (!mouseDown(w, button, pt, shift)) return false;
  mouseUp(w, button, pt);
  wakeThreadOf(w);
  return true;
}

bool SimDesktop::doubleClickAt(sys::WindowHandle w, sys::Point pt) {
  Lock lock(*this);
  if (!clickAt(w, sys::MouseButton::Left, pt)) return false;
  if (!isWindow(w)) return true;
  sys::Event e = event(sys::EventType::DoubleClick);
  e.pos = pt;
  deliver(w, e);
  wakeThreadOf(w);
  return true;
}

bool SimDesktop::drag(sys::WindowHandle w, sys::Point from, sys::Point to) {
  Lock lock(*this);
  const sys::Point start = clientToScreen(w, from);
  const sys::Point target{start.x + to.x - from.x, start.y + to.y - from.y};
  if (!mouseDown(w, sys::MouseButton::Left, from)) return false;
  // The window may move while it is dragged: each position is converted
  // from the screen anew.
  const auto here = [&] {
    const sys::Point origin = clientToScreen(w, {0, 0});
    return sys::Point{target.x - origin.x, target.y - origin.y};
  };
  mouseMove(w, here());
  mouseUp(w, sys::MouseButton::Left, here());
  return true;
}

bool SimDesktop::selectTreeItem(sys::WindowHandle w, sys::TreeItem item) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p || !canTakeInput(w) || !p->nodes.count(item)) return false;
  if (p->selectedItem == item) return true;
  treeSelect(w, item);
  sys::Event e = event(sys::EventType::Change);
  deliver(w, e);
  return true;
}

bool SimDesktop::expandTreeItem(sys::WindowHandle w, sys::TreeItem item, bool expand) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::TreeView);
  if (!p || !canTakeInput(w) || !p->nodes.count(item)) return false;
  treeExpand(w, item, expand);
  return true;
}

bool SimDesktop::selectListRows(sys::WindowHandle w, const std::vector<int>& rows) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::ListView);
  if (!p || !canTakeInput(w)) return false;
  if (rows.size() > 1 && !(p->style & sys::kMultiSelect)) return false;
  for (std::size_t i = 0; i < p->rows.size(); ++i) {
    p->rows[i].selected = std::find(rows.begin(), rows.end(), static_cast<int>(i)) != rows.end();
  }
  sys::Event e = event(sys::EventType::Change);
  deliver(w, e);
  wakeThreadOf(w);
  return true;
}

bool SimDesktop::clickHeaderSection(sys::WindowHandle w, int index) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::Header);
  if (!p || !canTakeInput(w) || index < 0 || index >= static_cast<int>(p->columns.size())) return false;
  sys::Event e = event(sys::EventType::SectionClick);
  e.id = index;
  deliver(w, e);
  wakeThreadOf(w);
  return true;
}

bool SimDesktop::resizeHeaderSection(sys::WindowHandle w, int index, int width) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::Header);
  if (!p || !canTakeInput(w) || index < 0 || index >= static_cast<int>(p->columns.size())) return false;
  p->columns[index].width = std::max(0, width);
  sys::Event e = event(sys::EventType::SectionResize);
  e.id = index;
  deliver(w, e);
  return true;
}

bool SimDesktop::resizeForm(sys::WindowHandle w, int clientWidth, int clientHeight) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::Form);
  if (!p || !p->visible || !(p->style & sys::kSizeable)) return false;
  const sys::Rect f = frameInsets(*p);
  p->bounds.right = p->bounds.left + clientWidth + f.left + f.right;
  p->bounds.bottom = p->bounds.top + clientHeight + f.top + f.bottom;
  p->normalBounds = p->bounds;
  p->showState = sys::ShowState::Normal;
  sys::Event e = event(sys::EventType::Resize);
  e.rect = {0, 0, clientWidth, clientHeight};
  deliver(w, e);
  return true;
}

bool SimDesktop::closeForm(sys::WindowHandle w) {
  Lock lock(*this);
  SimWindow* p = findKind(w, sys::ControlKind::Form);
  if (!p || !p->visible) return false;
  if (!p->sink) {
    destroyWindow(w);
    return true;
  }
  sys::Event e = event(sys::EventType::Close);
  deliver(w, e);
  return true;
}

void SimDesktop::paint(sys::WindowHandle w) {
  Lock lock(*this);
  SimWindow* p = find(w);
  if (!p) return;
  p->paintLog.clear();
  if (p->kind != sys::ControlKind::Header) return;
  const int sections = static_cast<int>(p->columns.size());
  int left = 0;
  for (int i = 0; i < sections && isWindow(w); ++i) {
    SimWindow& win = get(w);
    const int width = win.columns[i].width;
    SimCanvas canvas(win.paintLog);
    canvas.setFont(win.font);
    sys::Event e = event(sys::EventType::DrawItem);
    e.id = i;
    e.rect = {left, 0, left + width, win.bounds.height()};
    e.canvas = &canvas;
    deliver(w, e);
    left += width;
  }
}

}  // namespace gleanix::backend
