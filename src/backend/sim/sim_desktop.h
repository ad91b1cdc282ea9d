#pragma once
// The simulated desktop: windows and controls held in memory. Tests and the
// simulated host drive it as a user would (click, type, choose, drag,
// resize, close), answer modal runs, message boxes, popup menus and the
// font and colour choosers from scripts, fire timers, and read every window
// back.
//
// Its geometry is fixed so that results are the same everywhere:
// - screen 1024 x 768, work area the screen less 30 pixels at the bottom;
// - a form's frame is 4 pixels on each side plus a 20-pixel caption;
// - text: a one-byte character is size x 2 / 3 pixels wide (6 at 9 points),
//   a two-byte character twice that; a line is size x 4 / 3 + 3 high;
// - tree view rows are 16 pixels high, each level indented 19 pixels, then
//   the state icon (16, when state images are set and the node has a state),
//   the icon (16, when images are set), 2 pixels and the label (text + 4);
// - list view rows are 16 pixels high below a 20-pixel column header.
//
// Threads: windows belong to the thread that created them, and so do their
// message queues and hooks. One lock guards the desktop's records; it is
// let go while a window's sink, a hook or a script runs, so that code on
// several threads runs as it would on Windows.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "backend/host_desktop.h"

namespace gleanix::backend {

struct SimTreeNode {
  sys::TreeItem parent = 0;
  std::vector<sys::TreeItem> children;
  sys::TreeItemData data;
  bool expanded = false;
};

struct SimListRow {
  std::vector<std::string> texts;
  int stateImage = -1;
  bool selected = false;
};

struct SimColumn {
  std::string caption;
  int width = 0;
};

// One drawing call made on a window's canvas.
struct SimCanvasOp {
  enum Kind { SetFont, Fill, Text } kind = Fill;
  sys::Font font;
  sys::Rect rect;
  sys::Color color = 0;
  sys::Point at;
  std::string text;
};

struct SimWindow {
  sys::WindowHandle handle = 0;
  sys::ControlKind kind = sys::ControlKind::Panel;
  std::string className;
  std::string name;
  std::string text;
  sys::WindowHandle parent = 0;
  sys::WindowHandle owner = 0;
  std::vector<sys::WindowHandle> children;  // topmost first
  sys::Rect bounds;                        // forms: outer rectangle on the screen
  sys::Rect normalBounds;                  // forms: the restored rectangle
  sys::ShowState showState = sys::ShowState::Normal;
  unsigned style = 0;
  sys::EventSink* sink = nullptr;
  std::uint32_t processId = 0;
  bool visible = false;
  bool enabled = true;
  sys::Font font;
  std::optional<sys::Color> color;
  bool redraw = true;
  int redrawSuspensions = 0;  // how often drawing was switched off
  // buttons
  bool checked = false;
  bool isDefault = false;
  // combo boxes
  std::vector<std::string> items;
  int itemIndex = -1;
  int dropDownCount = 8;
  // edits
  int selStart = 0;
  int selEnd = 0;
  bool selectionHidden = true;
  int undoableEdits = 0;
  // tree views
  std::map<sys::TreeItem, SimTreeNode> nodes;
  std::vector<sys::TreeItem> roots;
  sys::TreeItem selectedItem = 0;
  sys::TreeItem topItem = 0;
  sys::ImageListHandle images = 0;
  sys::ImageListHandle stateImages = 0;
  // list views and headers
  std::vector<SimColumn> columns;  // list columns, header sections
  std::vector<SimListRow> rows;  // a virtual list's rows hold only their selection
  const sys::ListSource* source = nullptr;
  int topIndex = 0;
  // progress bars
  int rangeMin = 0;
  int rangeMax = 100;
  int position = 0;
  // the last paint
  std::vector<SimCanvasOp> paintLog;
  // threads, menu bars, toolbars, icons
  std::uint32_t threadId = 0;
  sys::MenuHandle menuBar = 0;
  int buttonRecordSize = 0;
  sys::ImageListHandle toolbarImages = 0;
  std::vector<sys::ToolButton> buttons;
  std::optional<sys::Bitmap> bigIcon;
  std::optional<sys::Bitmap> smallIcon;
};

struct SimImageList {
  int width = 0;
  int height = 0;
  std::vector<sys::Bitmap> images;
  std::vector<std::vector<bool>> transparent;  // per image, per pixel (top row first)
};

struct SimMessageBox {
  sys::WindowHandle owner = 0;
  std::string text;
  std::string caption;
  sys::MessageIcon icon = sys::MessageIcon::None;
  sys::MessageButtons buttons = sys::MessageButtons::Ok;
  int result = 0;
  std::string ownerClass;  // as it was when the box was shown
};

struct SimPopup {
  sys::WindowHandle owner = 0;
  sys::Point at;
  std::vector<sys::MenuItem> items;
  int chosen = 0;  // the id, 0 when dismissed
};

struct SimPostedCommand {
  sys::WindowHandle window = 0;
  int id = 0;
};

// A message waiting in a thread's queue; a key carries the modifier keys
// (sys::ShiftState) that are down while the thread takes it.
struct SimQueuedMessage {
  sys::Message message;
  unsigned shift = 0;
  bool whenWaiting = false;  // only a waiting loop takes it (postWhenWaiting)
};

class SimDesktop : public HostDesktop {
 public:
  using ModalScript = std::function<void(sys::WindowHandle form)>;
  using Action = std::function<void()>;

  SimDesktop();
  ~SimDesktop() override;

  // --- sys::Desktop
  sys::WindowHandle createWindow(const sys::WindowSpec& spec, sys::EventSink* sink) override;
  void destroyWindow(sys::WindowHandle w) override;
  bool isWindow(sys::WindowHandle w) const override;
  std::string className(sys::WindowHandle w) const override;
  std::string text(sys::WindowHandle w) const override;
  void setText(sys::WindowHandle w, const std::string& text) override;
  std::uint32_t processId(sys::WindowHandle w) const override;
  std::uint32_t currentProcessId() const override { return currentProcessId_; }
  sys::WindowHandle parent(sys::WindowHandle w) const override;
  sys::WindowHandle owner(sys::WindowHandle w) const override;
  std::vector<sys::WindowHandle> topLevelWindows() const override;
  sys::WindowHandle firstChild(sys::WindowHandle w) const override;
  sys::WindowHandle nextWindow(sys::WindowHandle w) const override;
  sys::WindowHandle foregroundWindow() const override;
  void setForegroundWindow(sys::WindowHandle w) override;
  void setVisible(sys::WindowHandle w, bool visible) override;
  bool isVisible(sys::WindowHandle w) const override;
  void setEnabled(sys::WindowHandle w, bool enabled) override;
  bool isEnabled(sys::WindowHandle w) const override;
  void setBounds(sys::WindowHandle w, const sys::Rect& r) override;
  sys::Rect bounds(sys::WindowHandle w) const override;
  sys::Rect clientRect(sys::WindowHandle w) const override;
  sys::Point clientToScreen(sys::WindowHandle w, sys::Point p) const override;
  void setFont(sys::WindowHandle w, const sys::Font& font) override;
  void setColor(sys::WindowHandle w, sys::Color background) override;
  void setFocus(sys::WindowHandle w) override;
  sys::WindowHandle focus() const override;
  void invalidate(sys::WindowHandle w) override;
  void setRedraw(sys::WindowHandle w, bool on) override;
  void setCapture(sys::WindowHandle w) override;
  void releaseCapture() override;

  bool getPlacement(sys::WindowHandle w, sys::Placement& out) const override;
  void setPlacement(sys::WindowHandle w, const sys::Placement& p) override;
  sys::Rect screenRect() const override { return screen_; }
  sys::Rect workArea() const override { return workArea_; }

  void setChecked(sys::WindowHandle w, bool checked) override;
  bool isChecked(sys::WindowHandle w) const override;
  void setDefaultButton(sys::WindowHandle w, bool isDefault) override;

  void comboSetItems(sys::WindowHandle w, const std::vector<std::string>& items) override;
  void comboSetIndex(sys::WindowHandle w, int index) override;
  int comboIndex(sys::WindowHandle w) const override;

  std::pair<int, int> editSelection(sys::WindowHandle w) const override;
  void setEditSelection(sys::WindowHandle w, int start, int end) override;
  void replaceEditSelection(sys::WindowHandle w, const std::string& text, bool canUndo) override;
  void hideEditSelection(sys::WindowHandle w, bool hide) override;

  sys::TreeItem treeInsert(sys::WindowHandle w, sys::TreeItem parent, const sys::TreeItemData& data) override;
  void treeDeleteAll(sys::WindowHandle w) override;
  void treeSetItem(sys::WindowHandle w, sys::TreeItem item, const sys::TreeItemData& data) override;
  sys::TreeItemData treeItem(sys::WindowHandle w, sys::TreeItem item) const override;
  void treeExpand(sys::WindowHandle w, sys::TreeItem item, bool expand) override;
  bool treeIsExpanded(sys::WindowHandle w, sys::TreeItem item) const override;
  void treeSelect(sys::WindowHandle w, sys::TreeItem item) override;
  sys::TreeItem treeSelected(sys::WindowHandle w) const override;
  sys::TreeHit treeHitTest(sys::WindowHandle w, sys::Point p) const override;
  void treeSetTopItem(sys::WindowHandle w, sys::TreeItem item) override;
  sys::TreeItem treeTopItem(sys::WindowHandle w) const override;
  void treeSetImageList(sys::WindowHandle w, sys::ImageListHandle images, bool stateImages) override;

  void listAddColumn(sys::WindowHandle w, const std::string& caption, int width) override;
  int listColumnWidth(sys::WindowHandle w, int column) const override;
  void listSetColumnWidth(sys::WindowHandle w, int column, int width) override;
  void listInsertItem(sys::WindowHandle w, int index, const std::vector<std::string>& texts,
                      int stateImage) override;
  void listSetItemText(sys::WindowHandle w, int index, int column, const std::string& text) override;
  std::string listItemText(sys::WindowHandle w, int index, int column) const override;
  void listSetStateImage(sys::WindowHandle w, int index, int stateImage) override;
  int listStateImage(sys::WindowHandle w, int index) const override;
  void listDeleteItem(sys::WindowHandle w, int index) override;
  void listDeleteAll(sys::WindowHandle w) override;
  int listCount(sys::WindowHandle w) const override;
  bool listIsSelected(sys::WindowHandle w, int index) const override;
  void listSetSelected(sys::WindowHandle w, int index, bool selected) override;
  int listTopIndex(sys::WindowHandle w) const override;
  int listCountPerPage(sys::WindowHandle w) const override;
  void listScroll(sys::WindowHandle w, int lines) override;
  void listSetStateImages(sys::WindowHandle w, sys::ImageListHandle images) override;

  void headerAddSection(sys::WindowHandle w, const std::string& caption, int width) override;
  int headerSectionWidth(sys::WindowHandle w, int index) const override;
  void headerSetSectionWidth(sys::WindowHandle w, int index, int width) override;

  void progressSetRange(sys::WindowHandle w, int min, int max) override;
  void progressSetPosition(sys::WindowHandle w, int position) override;
  int progressPosition(sys::WindowHandle w) const override;

  sys::ImageListHandle createImageList(int width, int height) override;
  int imageListAdd(sys::ImageListHandle list, const sys::Bitmap& bitmap, sys::Color transparent) override;
  int imageListCount(sys::ImageListHandle list) const override;
  void destroyImageList(sys::ImageListHandle list) override;

  sys::MenuHandle createPopupMenu() override;
  void destroyMenu(sys::MenuHandle menu) override;
  int menuItemCount(sys::MenuHandle menu) const override;
  std::string menuItemText(sys::MenuHandle menu, int position) const override;
  sys::MenuHandle subMenu(sys::MenuHandle menu, int position) const override;
  void insertMenuItem(sys::MenuHandle menu, int position, const sys::MenuItem& item) override;
  int trackPopupMenu(sys::MenuHandle menu, sys::WindowHandle owner, sys::Point screen) override;
  sys::MenuItem menuItem(sys::MenuHandle menu, int position) const override;

  sys::MenuHandle createMenuBar() override;
  void setMenuBar(sys::WindowHandle w, sys::MenuHandle bar) override;
  sys::MenuHandle menuBar(sys::WindowHandle w) const override;

  std::uint32_t currentThreadId() const override;
  std::uint32_t threadId(sys::WindowHandle w) const override;

  sys::HookHandle setMessageHook(std::uint32_t threadId, sys::MessageHookProc proc) override;
  void removeMessageHook(sys::HookHandle hook) override;
  void callNextHook(sys::HookHandle hook, int code, const sys::Message& message) override;

  void toolbarSetButtonRecordSize(sys::WindowHandle toolbar, int bytes) override;
  sys::ImageListHandle toolbarImageList(sys::WindowHandle toolbar) const override;
  void toolbarSetImageList(sys::WindowHandle toolbar, sys::ImageListHandle images) override;
  bool toolbarAddButtons(sys::WindowHandle toolbar, const std::vector<sys::ToolButton>& buttons) override;
  bool toolbarChangeBitmap(sys::WindowHandle toolbar, int command, int image) override;

  void setWindowIcon(sys::WindowHandle w, const sys::Bitmap& image, sys::Color transparent, bool big) override;

  // --- HostDesktop
  void postMessage(const sys::Message& message) override;
  void postWhenWaiting(const sys::Message& message) override;
  void postKey(sys::WindowHandle w, int virtualKey, unsigned shift) override;
  void runMessageLoop(const std::function<bool()>& finished) override;
  void waitForIdle() override;
  void passTime(int milliseconds) override;
  std::vector<sys::ToolButton> toolbarButtons(sys::WindowHandle toolbar) const override;
  bool saveScreenshot(const std::string&) override { return true; }  // no screen: nothing to take
  bool saveMenuScreenshot(sys::WindowHandle, int, const std::string&) override { return true; }
  std::vector<sys::WindowHandle> children(sys::WindowHandle w) const override;
  std::string controlName(sys::WindowHandle w) const override;
  std::vector<sys::TreeItem> treeChildren(sys::WindowHandle tree, sys::TreeItem parent) const override;
  sys::Color listBackground(sys::WindowHandle list) const override;
  sys::Font controlFont(sys::WindowHandle w) const override;
  bool userClick(sys::WindowHandle w) override { return click(w); }
  bool userType(sys::WindowHandle w, const std::string& text) override { return typeText(w, text); }
  bool userPick(sys::WindowHandle combo, int index) override { return chooseComboItem(combo, index); }
  bool userClickTreeState(sys::WindowHandle tree, sys::TreeItem item) override;
  bool userSelectTreeItem(sys::WindowHandle tree, sys::TreeItem item) override { return selectTreeItem(tree, item); }
  bool userClickHeader(sys::WindowHandle header, int section) override { return clickHeaderSection(header, section); }
  bool userSelectRows(sys::WindowHandle list, const std::vector<int>& rows) override {
    return selectListRows(list, rows);
  }
  bool userDoubleClickRow(sys::WindowHandle list, int row, unsigned shift) override;
  bool userRowMenu(sys::WindowHandle list, int row, const std::string& item) override;
  bool userKey(sys::WindowHandle w, int virtualKey, unsigned shift) override;
  std::vector<MessageBoxSeen> takeMessageBoxes() override;

  void postCommand(sys::WindowHandle w, int id) override;
  void processPendingMessages() override;
  void runModal(sys::WindowHandle form, const std::function<bool()>& finished) override;
  void setTimer(sys::WindowHandle w, int id, int milliseconds) override;
  void killTimer(sys::WindowHandle w, int id) override;
  bool isKeyDown(int virtualKey) const override;
  void setBusyCursor(bool busy) override;

  int messageBox(sys::WindowHandle owner, const std::string& text, const std::string& caption,
                 sys::MessageIcon icon, sys::MessageButtons buttons) override;
  bool chooseFont(sys::WindowHandle owner, sys::Font& font) override;
  bool chooseColor(sys::WindowHandle owner, sys::Color& color) override;

  sys::Color systemColor(sys::SystemColor which) const override;
  sys::Point textExtent(const sys::Font& font, std::string_view text) const override;

  void listSetSource(sys::WindowHandle w, const sys::ListSource* source) override;
  void listSetCount(sys::WindowHandle w, int count) override;
  int listNextSelected(sys::WindowHandle w, int after) const override;
  int listHitTest(sys::WindowHandle w, sys::Point p) const override;

  // --- Reading back
  // The window record; throws std::out_of_range for an unknown handle.
  const SimWindow& window(sys::WindowHandle w) const;
  // The descendant of parent with that name; throws std::out_of_range.
  sys::WindowHandle child(sys::WindowHandle parent, const std::string& name) const;
  // The frontmost top-level window of that class, 0 when none.
  sys::WindowHandle findTopLevel(const std::string& className) const;
  const SimImageList& imageList(sys::ImageListHandle list) const;
  const std::vector<SimMessageBox>& messageBoxes() const { return messageBoxes_; }
  const std::vector<SimPopup>& popups() const { return popups_; }
  const std::vector<SimPostedCommand>& postedCommands() const { return posted_; }
  // Timers running on the window, by id, with their intervals.
  std::map<int, int> timers(sys::WindowHandle w) const;
  int busyLevel() const { return busy_; }
  sys::WindowHandle capture() const { return capture_; }
  int processMessagesCalls() const { return processCalls_; }
  int modalDepth() const { return modalDepth_; }
  // Rows of a tree view as shown (expanded branches only), from the top item.
  std::vector<sys::TreeItem> visibleTreeRows(sys::WindowHandle w) const;
  // Where the parts of a shown tree row lie; an empty rectangle when the
  // row is not shown or lacks that part.
  sys::Rect treePartRect(sys::WindowHandle w, sys::TreeItem item, sys::TreePart part) const;

  // --- Acting as the user. Each returns false, doing nothing, when the
  // window cannot take input (hidden, disabled, or inside a disabled window).
  bool click(sys::WindowHandle w);
  bool typeText(sys::WindowHandle w, const std::string& text);
  bool chooseComboItem(sys::WindowHandle w, int index);
  // The key goes to the form that holds w (w itself when it is a form).
  // Unless the form handles it, a list view then moves its selection as
  // the real one does for the arrow keys, Home, End, Page Up and Page Down.
  bool pressKey(sys::WindowHandle w, int virtualKey);
  bool mouseDown(sys::WindowHandle w, sys::MouseButton button, sys::Point p, unsigned shift = 0);
  bool mouseMove(sys::WindowHandle w, sys::Point p);
  bool mouseUp(sys::WindowHandle w, sys::MouseButton button, sys::Point p);
  // Press and release at one point.
  bool clickAt(sys::WindowHandle w, sys::MouseButton button, sys::Point p, unsigned shift = 0);
  bool doubleClickAt(sys::WindowHandle w, sys::Point p);
  // Press at from, move to to, release: both in w's client coordinates at
  // the start of the drag.
  bool drag(sys::WindowHandle w, sys::Point from, sys::Point to);
  bool selectTreeItem(sys::WindowHandle w, sys::TreeItem item);
  bool expandTreeItem(sys::WindowHandle w, sys::TreeItem item, bool expand);
  // Selects exactly these rows.
  bool selectListRows(sys::WindowHandle w, const std::vector<int>& rows);
  bool clickHeaderSection(sys::WindowHandle w, int index);
  bool resizeHeaderSection(sys::WindowHandle w, int index, int width);
  // Gives a form a new client size, as dragging its frame does.
  bool resizeForm(sys::WindowHandle w, int clientWidth, int clientHeight);
  // The close box of a form.
  bool closeForm(sys::WindowHandle w);
  // Has the window paint itself (owner-drawn header sections) into paintLog.
  void paint(sys::WindowHandle w);
  // Runs a timer's event if it is running; false otherwise.
  bool fireTimer(sys::WindowHandle w, int id);
  // A click on the toolbar button with that command id: an enabled button
  // posts WM_COMMAND with the id to the toolbar's parent.
  bool clickToolButton(sys::WindowHandle toolbar, int command);
  // Choosing a command of a form's menu bar (at any depth): WM_COMMAND with
  // the id is posted to the form. False when the bar holds no enabled item
  // with that id.
  bool chooseMenuBarCommand(sys::WindowHandle form, int id);
  // Messages waiting in the queue of a thread.
  std::size_t queuedMessages(std::uint32_t threadId) const;
  void setKeyDown(int virtualKey, bool down);

  // --- Scripts
  // Each modal run takes the next script and runs it with the form shown;
  // if the form is still open afterwards (or there is no script), the run
  // ends as if the user closed the window.
  void onModal(ModalScript script) { modalScripts_.push_back(std::move(script)); }
  // The next message box returns this result (else its first button's).
  void answerMessageBox(int result) override;
  // The next popup menu chooses the item with this text (an empty text or
  // one naming no enabled item dismisses it).
  void answerPopup(const std::string& itemText) { popupAnswers_.push_back(itemText); }
  // The next chooser returns this choice (nullopt: cancelled, the default).
  void answerFont(std::optional<sys::Font> font) { fontAnswers_.push_back(std::move(font)); }
  void answerColor(std::optional<sys::Color> color) override;
  // Each processPendingMessages() call runs the next of these actions.
  void onProcessMessages(Action action) { processActions_.push_back(std::move(action)); }
  std::size_t pendingScripts() const {
    return modalScripts_.size() + messageAnswers_.size() + popupAnswers_.size() + fontAnswers_.size() +
           colorAnswers_.size() + processActions_.size();
  }

  void setCurrentProcessId(std::uint32_t pid) { currentProcessId_ = pid; }
  // Live: a modal run without a script lets messages run, waiting for more,
  // until the form is finished, as a host driven by a script needs.
  void setLive(bool live) { live_ = live; }
  void setWorkArea(const sys::Rect& r) { workArea_ = r; }

 private:
  // Holds the desktop's lock unless this thread holds it already.
  class Lock {
   public:
    explicit Lock(const SimDesktop& d);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    const SimDesktop& d_;
    bool owns_;
  };
  // Lets go of the lock, when this thread holds it, for a call out of the
  // desktop (a sink, hook or script), and takes it again afterwards.
  class Unlock {
   public:
    explicit Unlock(const SimDesktop& d);
    ~Unlock();
    Unlock(const Unlock&) = delete;
    Unlock& operator=(const Unlock&) = delete;

   private:
    const SimDesktop& d_;
    bool held_;
  };
  // Waits (the lock held by this thread) until ready() holds.
  void waitLocked(const std::function<bool()>& ready);
  std::uint32_t threadOf(std::thread::id id) const;
  void enqueue(std::uint32_t thread, SimQueuedMessage m);
  // Takes the next message of this thread's queue through its hooks and
  // dispatches it; false when the queue is empty. Only a loop that waits
  // (waiting) takes the messages posted for one; the others are passed over.
  bool dispatchNext(bool waiting = false);
  void runHooks(std::uint32_t thread, const sys::Message& m);
  void callHook(std::size_t index, int code, const sys::Message& m);
  void dispatch(const SimQueuedMessage& m);
  void keyDown(sys::WindowHandle w, int virtualKey);
  sys::Point rowPoint(sys::WindowHandle list, int row) const;
  // Holds the modifier keys down for the life of the object.
  struct HeldKeys {
    HeldKeys(SimDesktop& d, unsigned shift);
    ~HeldKeys();
    SimDesktop& d;
    std::map<int, bool> saved;
  };
  void runModalLive(sys::WindowHandle form, const std::function<bool()>& finished);

  SimWindow* find(sys::WindowHandle w);
  const SimWindow* find(sys::WindowHandle w) const;
  SimWindow& get(sys::WindowHandle w);
  const SimWindow& get(sys::WindowHandle w) const;
  SimWindow* findKind(sys::WindowHandle w, sys::ControlKind kind);
  const SimWindow* findKind(sys::WindowHandle w, sys::ControlKind kind) const;
  void deliver(sys::WindowHandle w, sys::Event& e);
  bool canTakeInput(sys::WindowHandle w) const;
  // After input given from another thread, the window's own thread looks
  // at its state again (a modal result set by a click): a null message.
  void wakeThreadOf(sys::WindowHandle w);
  sys::WindowHandle formOf(sys::WindowHandle w) const;
  void bringToFront(sys::WindowHandle w);
  void destroyTree(sys::WindowHandle w);
  sys::Rect frameInsets(const SimWindow& w) const;
  // Default handling of the mouse by tree and list views.
  void treeMouseDown(sys::WindowHandle w, sys::MouseButton button, sys::Point p);
  void listMouseDown(sys::WindowHandle w, sys::Point p, unsigned shift);
  void listKeyDown(sys::WindowHandle w, int virtualKey);
  SimWindow* editableList(sys::WindowHandle w);
  int treeLabelWidth(const SimWindow& w, const SimTreeNode& n) const;

  std::map<sys::WindowHandle, SimWindow> windows_;
  std::vector<sys::WindowHandle> topLevel_;  // front first
  std::map<sys::ImageListHandle, SimImageList> imageLists_;
  std::map<sys::MenuHandle, std::vector<sys::MenuItem>> menus_;
  std::map<std::pair<sys::WindowHandle, int>, int> timers_;
  std::map<int, bool> keys_;
  std::uintptr_t nextHandle_ = 0x100;
  sys::WindowHandle foreground_ = 0;
  sys::WindowHandle focus_ = 0;
  sys::WindowHandle capture_ = 0;
  std::uint32_t currentProcessId_ = 1000;
  sys::Rect screen_{0, 0, 1024, 768};
  sys::Rect workArea_{0, 0, 1024, 738};
  int busy_ = 0;
  int processCalls_ = 0;
  int modalDepth_ = 0;

  std::deque<ModalScript> modalScripts_;
  std::deque<int> messageAnswers_;
  std::deque<std::string> popupAnswers_;
  std::deque<std::optional<sys::Font>> fontAnswers_;
  std::deque<std::optional<sys::Color>> colorAnswers_;
  std::deque<Action> processActions_;

  mutable std::mutex mutex_;
  mutable std::atomic<std::thread::id> holder_{};
  mutable std::condition_variable changed_;
  mutable std::map<std::thread::id, std::uint32_t> threadIds_;
  std::map<std::uint32_t, std::deque<SimQueuedMessage>> queues_;
  std::map<std::uint32_t, int> looping_;  // threads inside message loops, with their depth
  std::set<std::uint32_t> waiting_;      // ... of them, those waiting for messages
  struct Hook {
    sys::HookHandle handle = 0;
    std::uint32_t thread = 0;
    sys::MessageHookProc proc;
  };
  std::vector<Hook> hooks_;  // newest first
  std::set<sys::MenuHandle> menuBars_;
  bool live_ = false;

  std::vector<SimMessageBox> messageBoxes_;
  std::size_t messageBoxesTaken_ = 0;
  std::vector<SimPopup> popups_;
  std::vector<SimPostedCommand> posted_;
};

}  // namespace gleanix::backend
