#pragma once
// The desktop as the program sees it: windows and the standard controls,
// menus, message boxes and choosers, keyboard state, posted commands,
// timers, the busy cursor, message processing, window placement and text
// measurement. backend/win32 puts real windows and common controls behind
// it; backend/sim keeps everything in memory for tests and the simulated
// host.
//
// Events reach a window's EventSink only for what the user or the system
// does (clicks, typing, dragging, resizing, closing, timers). Changes made
// through this interface never raise events.
//
// Text is CP932 throughout. Coordinates are pixels; a child window's bounds
// are relative to its parent's client area.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sys/handles.h"
#include "sys/list_source.h"

namespace gleanix::sys {

using TreeItem = std::uintptr_t;         // 0 = none (or, as a parent, the root)

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const Rect&) const = default;
};

// 0x00BBGGRR, as Windows stores colours.
using Color = std::uint32_t;
constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 |
         static_cast<Color>(b & 0xFF) << 16;
}

struct Font {
  std::string name = "ＭＳ Ｐゴシック";
  int size = 9;  // points
  Color color = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  bool operator==(const Font&) const = default;
};

// An image held in memory: pixels row by row, top row first.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels{};
  Color at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

enum class ControlKind {
  Form,         // a top-level window
  Label,
  Button,
  CheckBox,
  RadioButton,  // never checks or unchecks itself: the owner of the group does
  GroupBox,     // a frame with a caption; a container
  Panel,        // a plain container
  Splitter,     // a bar that reports mouse drags and shows a resize cursor
  Edit,         // one line
  Memo,         // several lines
  ComboBox,
  TreeView,
  ListView,     // report view
  Header,
  StatusBar,    // one part
  ProgressBar,
  ToolBar,      // a row of buttons (the host's VIEW window toolbar)
};

// Style bits; each applies only to the kinds named.
enum Style : unsigned {
  kSizeable = 1u << 0,             // Form: resizable frame (else a fixed dialog frame)
  kDefaultButton = 1u << 1,        // Button: drawn as the default button
  kDropDownList = 1u << 2,         // ComboBox: choose from the list only (else editable)
  kReadOnly = 1u << 3,             // Edit, Memo; TreeView and ListView: no label editing
  kNoWordWrap = 1u << 4,           // Memo: long lines scroll sideways
  kMultiSelect = 1u << 5,          // ListView
  kRowSelect = 1u << 6,            // ListView: the whole row shows the selection
  kNoColumnHeader = 1u << 7,       // ListView
  kShowSelectionAlways = 1u << 8,  // TreeView, ListView, Edit, Memo: also without the focus
  kBevel = 1u << 9,                // Panel: a raised border
  kHorizontalBar = 1u << 10,       // Splitter: a horizontal bar dragged up and down
};

struct WindowSpec {
  ControlKind kind = ControlKind::Panel;
  std::string className;  // Form: the window class name ("TFolderForm")
  std::string name{};       // the control's name, for scripts and diagnostics
  std::string text{};       // caption, or the initial text
  WindowHandle parent = 0;  // Form: the owner window (0 for none)
  // Form: left and top of the window in screen coordinates, and the size of
  // its client area. Other kinds: the bounds in the parent's client area.
  Rect bounds{};
  unsigned style = 0;
  int dropDownCount = 8;  // ComboBox: rows its list shows
};

// A place to draw on while a window paints part of itself (owner-drawn
// header sections).
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void setFont(const Font& font) = 0;
  virtual void fillRect(const Rect& r, Color color) = 0;
  virtual void textOut(Point at, std::string_view text) = 0;
};

enum class EventType {
  Click,          // button, check box, radio button, tree view; list view in the empty area
  DoubleClick,
  Change,         // text typed, list entry chosen, selection moved (tree and list view)
  MouseDown,      // pos, button, shift; handled skips the control's own handling
  MouseMove,
  MouseUp,
  KeyDown,        // sent to the form; window = the control with the focus; key
  Resize,         // a form's client area changed; rect = the new client rect
  Close,          // the user asks to close a form; nothing happens unless the sink acts
  Timer,          // id = the timer id
  Command,        // id = the command posted with postCommand
  DrawItem,       // owner-drawn header section: id = index, rect, canvas
  SectionClick,   // header: id = section index
  SectionResize,  // header: id = section index, its width already changed
};

enum class MouseButton { Left, Right, Middle };

enum ShiftState : unsigned { kShift = 1u << 0, kCtrl = 1u << 1, kAlt = 1u << 2 };

struct Event {
  EventType type = EventType::Click;
  WindowHandle window = 0;  // the window the event is about
  MouseButton button = MouseButton::Left;
  Point pos{};                // client coordinates of window
  unsigned shift = 0;       // ShiftState bits
  int key = 0;              // virtual-key code
  int id = 0;               // timer id, command id, section index
  Rect rect{};
  Canvas* canvas = nullptr;
  bool handled = false;  // set by the sink: the system's own handling is skipped
};

class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void handleEvent(Event& event) = 0;
};

// Virtual-key codes, as Windows numbers them.
namespace vk {
inline constexpr int Return = 0x0D;
inline constexpr int Escape = 0x1B;
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Menu = 0x12;  // Alt
inline constexpr int F3 = 0x72;
}  // namespace vk

// Window messages, as Windows numbers them: the ones message hooks look at
// and the host posts.
namespace msg {
inline constexpr std::uint32_t Close = 0x0010;       // WM_CLOSE
inline constexpr std::uint32_t ShowWindow = 0x0018;  // WM_SHOWWINDOW: wParam 0 = being hidden
inline constexpr std::uint32_t KeyDown = 0x0100;     // WM_KEYDOWN: wParam = virtual key
inline constexpr std::uint32_t Command = 0x0111;     // WM_COMMAND: wParam = command id
}  // namespace msg

// A window message as a thread takes it from its queue.
struct Message {
  WindowHandle window = 0;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

// Hook code of a message to act on (HC_ACTION).
inline constexpr int kHookAction = 0;

// A get-message hook: called on the hooked thread with every posted or
// input message that thread takes from its queue, before the message is
// dispatched. The hook passes the message on with Desktop::callNextHook.
using MessageHookProc = std::function<void(int code, const Message& message)>;

// Toolbar buttons, with the values the common controls use.
namespace toolbar {
inline constexpr int kButtonRecordSize = 20;     // TBBUTTON of a 32-bit process
inline constexpr std::uint8_t kEnabled = 0x04;   // TBSTATE_ENABLED: only enabled buttons take clicks
inline constexpr std::uint8_t kButton = 0x00;    // TBSTYLE_BUTTON
inline constexpr std::uint8_t kSeparator = 0x01; // TBSTYLE_SEP
}  // namespace toolbar

struct ToolButton {
  int image = 0;        // index into the toolbar's image list (unused by separators)
  int command = 0;      // the id a click posts as WM_COMMAND to the toolbar's parent
  std::uint8_t state = 0;
  std::uint8_t style = toolbar::kButton;
};

enum class ShowState { Normal, Minimized, Maximized };

struct Placement {
  Rect normal{};  // the restored rectangle, in work-area coordinates
  ShowState state = ShowState::Normal;
};

struct TreeItemData {
  std::string text{};
  int image = -1;
  int selectedImage = -1;
  int state = 0;  // state image index, 0 = none
};

// Where a point lies relative to the rows of a tree view.
enum class TreePart { Nowhere, Indent, Button, StateIcon, Icon, Label, Right };

struct TreeHit {
  TreeItem item = 0;
  TreePart part = TreePart::Nowhere;
};

struct MenuItem {
  std::string text{};
  int id = 0;
  MenuHandle subMenu = 0;
  bool separator = false;
  bool enabled = true;
  bool isDefault = false;  // shown in bold
};

enum class MessageIcon { None, Error, Question, Warning, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };

// Results of message boxes and modal forms, with the values Windows uses.
namespace result {
inline constexpr int None = 0;
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
}  // namespace result

enum class SystemColor { Window, ButtonFace, WindowText, GrayText };

class Desktop {
 public:
  virtual ~Desktop() = default;

  // --- Windows
  virtual WindowHandle createWindow(const WindowSpec& spec, EventSink* sink) = 0;
  // Destroys the window and its children; their sinks hear nothing more.
  virtual void destroyWindow(WindowHandle w) = 0;
  virtual bool isWindow(WindowHandle w) const = 0;
  virtual std::string className(WindowHandle w) const = 0;
  virtual std::string text(WindowHandle w) const = 0;
  virtual void setText(WindowHandle w, const std::string& text) = 0;
  virtual std::uint32_t processId(WindowHandle w) const = 0;
  virtual std::uint32_t currentProcessId() const = 0;
  virtual WindowHandle parent(WindowHandle w) const = 0;  // 0 for a top-level window
  virtual WindowHandle owner(WindowHandle w) const = 0;
  // Top-level windows, front to back.
  virtual std::vector<WindowHandle> topLevelWindows() const = 0;
  virtual WindowHandle firstChild(WindowHandle w) const = 0;  // the topmost child
  virtual WindowHandle nextWindow(WindowHandle w) const = 0;  // the next one below in Z order
  virtual WindowHandle foregroundWindow() const = 0;
  virtual void setForegroundWindow(WindowHandle w) = 0;
  virtual void setVisible(WindowHandle w, bool visible) = 0;
  virtual bool isVisible(WindowHandle w) const = 0;
  virtual void setEnabled(WindowHandle w, bool enabled) = 0;
  virtual bool isEnabled(WindowHandle w) const = 0;
  // Forms: the outer rectangle in screen coordinates. Others: the bounds in
  // the parent's client area.
  virtual void setBounds(WindowHandle w, const Rect& r) = 0;
  virtual Rect bounds(WindowHandle w) const = 0;
  virtual Rect clientRect(WindowHandle w) const = 0;  // left and top are 0
  virtual Point clientToScreen(WindowHandle w, Point p) const = 0;
  virtual void setFont(WindowHandle w, const Font& font) = 0;
  virtual void setColor(WindowHandle w, Color background) = 0;
  virtual void setFocus(WindowHandle w) = 0;
  virtual WindowHandle focus() const = 0;
  virtual void invalidate(WindowHandle w) = 0;
  // Suspends (false) and resumes (true) drawing while many changes are made.
  virtual void setRedraw(WindowHandle w, bool on) = 0;
  // Mouse events go to w until released, wherever the pointer is.
  virtual void setCapture(WindowHandle w) = 0;
  virtual void releaseCapture() = 0;

  // --- Placement
  virtual bool getPlacement(WindowHandle w, Placement& out) const = 0;
  virtual void setPlacement(WindowHandle w, const Placement& p) = 0;
  virtual Rect screenRect() const = 0;
  virtual Rect workArea() const = 0;

  // --- Buttons, check boxes, radio buttons
  virtual void setChecked(WindowHandle w, bool checked) = 0;
  virtual bool isChecked(WindowHandle w) const = 0;
  virtual void setDefaultButton(WindowHandle w, bool isDefault) = 0;

  // --- Combo boxes
  virtual void comboSetItems(WindowHandle w, const std::vector<std::string>& items) = 0;
  virtual void comboSetIndex(WindowHandle w, int index) = 0;  // -1 = none
  virtual int comboIndex(WindowHandle w) const = 0;

  // --- Edit controls (ours and the host's): byte offsets into the text
  virtual std::pair<int, int> editSelection(WindowHandle w) const = 0;
  // end -1 selects to the end of the text.
  virtual void setEditSelection(WindowHandle w, int start, int end) = 0;
  virtual void replaceEditSelection(WindowHandle w, const std::string& text, bool canUndo) = 0;
  // hide = false keeps the selection visible while the control lacks the focus.
  virtual void hideEditSelection(WindowHandle w, bool hide) = 0;

  // --- Tree views
  virtual TreeItem treeInsert(WindowHandle w, TreeItem parent, const TreeItemData& data) = 0;  // as the last child
  virtual void treeDeleteAll(WindowHandle w) = 0;
  virtual void treeSetItem(WindowHandle w, TreeItem item, const TreeItemData& data) = 0;
  virtual TreeItemData treeItem(WindowHandle w, TreeItem item) const = 0;
  virtual void treeExpand(WindowHandle w, TreeItem item, bool expand) = 0;
  virtual bool treeIsExpanded(WindowHandle w, TreeItem item) const = 0;
  virtual void treeSelect(WindowHandle w, TreeItem item) = 0;
  virtual TreeItem treeSelected(WindowHandle w) const = 0;
  virtual TreeHit treeHitTest(WindowHandle w, Point p) const = 0;
  virtual void treeSetTopItem(WindowHandle w, TreeItem item) = 0;
  virtual TreeItem treeTopItem(WindowHandle w) const = 0;
  virtual void treeSetImageList(WindowHandle w, ImageListHandle images, bool stateImages) = 0;

  // --- List views (report view)
  virtual void listAddColumn(WindowHandle w, const std::string& caption, int width) = 0;
  virtual int listColumnWidth(WindowHandle w, int column) const = 0;
  virtual void listSetColumnWidth(WindowHandle w, int column, int width) = 0;
  // texts[0] is the caption, the rest the sub-items; stateImage -1 = none.
  virtual void listInsertItem(WindowHandle w, int index, const std::vector<std::string>& texts,
                              int stateImage) = 0;
  virtual void listSetItemText(WindowHandle w, int index, int column, const std::string& text) = 0;
  virtual std::string listItemText(WindowHandle w, int index, int column) const = 0;
  virtual void listSetStateImage(WindowHandle w, int index, int stateImage) = 0;
  virtual int listStateImage(WindowHandle w, int index) const = 0;
  virtual void listDeleteItem(WindowHandle w, int index) = 0;
  virtual void listDeleteAll(WindowHandle w) = 0;
  virtual int listCount(WindowHandle w) const = 0;
  virtual bool listIsSelected(WindowHandle w, int index) const = 0;
  virtual void listSetSelected(WindowHandle w, int index, bool selected) = 0;
  virtual int listTopIndex(WindowHandle w) const = 0;
  virtual int listCountPerPage(WindowHandle w) const = 0;
  virtual void listScroll(WindowHandle w, int lines) = 0;
  virtual void listSetStateImages(WindowHandle w, ImageListHandle images) = 0;

  // --- Header controls (sections are owner-drawn)
  virtual void headerAddSection(WindowHandle w, const std::string& caption, int width) = 0;
  virtual int headerSectionWidth(WindowHandle w, int index) const = 0;
  virtual void headerSetSectionWidth(WindowHandle w, int index, int width) = 0;

  // --- Progress bars
  virtual void progressSetRange(WindowHandle w, int min, int max) = 0;
  virtual void progressSetPosition(WindowHandle w, int position) = 0;
  virtual int progressPosition(WindowHandle w) const = 0;

  // --- Image lists
  virtual ImageListHandle createImageList(int width, int height) = 0;
  // Cuts the bitmap into images of the list's size and adds them all;
  // pixels of the transparent colour become transparent. Returns the index
  // of the first image added, -1 on failure.
  virtual int imageListAdd(ImageListHandle list, const Bitmap& bitmap, Color transparent) = 0;
  virtual int imageListCount(ImageListHandle list) const = 0;
  virtual void destroyImageList(ImageListHandle list) = 0;

  // --- Menus (the host's and our popups)
  virtual MenuHandle createPopupMenu() = 0;
  virtual void destroyMenu(MenuHandle menu) = 0;
  virtual int menuItemCount(MenuHandle menu) const = 0;
  virtual std::string menuItemText(MenuHandle menu, int position) const = 0;
  virtual MenuHandle subMenu(MenuHandle menu, int position) const = 0;
  virtual void insertMenuItem(MenuHandle menu, int position, const MenuItem& item) = 0;  // -1 appends
  // Shows the menu at a screen position and waits; the id chosen, or 0.
  virtual int trackPopupMenu(MenuHandle menu, WindowHandle owner, Point screen) = 0;
  // The item at a position as stored (an empty item when there is none).
  virtual MenuItem menuItem(MenuHandle menu, int position) const = 0;

  // --- Menu bars of forms. Choosing a command of a window's menu bar posts
  // WM_COMMAND with its id to the window.
  virtual MenuHandle createMenuBar() = 0;
  // The form shows bar from now on and destroys it with itself; 0 removes
  // the bar (the caller then owns the old one).
  virtual void setMenuBar(WindowHandle w, MenuHandle bar) = 0;
  virtual MenuHandle menuBar(WindowHandle w) const = 0;  // 0 when none

  // --- Threads. Windows belong to the thread that created them; their
  // messages are taken from that thread's queue.
  virtual std::uint32_t currentThreadId() const = 0;
  virtual std::uint32_t threadId(WindowHandle w) const = 0;  // 0 when w is no window

  // --- Message hooks on a thread's queue (get-message hooks). A hook is
  // called on the hooked thread, newest hook first; each hook passes the
  // message on to the next with callNextHook. Returns 0 on failure.
  virtual HookHandle setMessageHook(std::uint32_t threadId, MessageHookProc proc) = 0;
  virtual void removeMessageHook(HookHandle hook) = 0;
  virtual void callNextHook(HookHandle hook, int code, const Message& message) = 0;

  // --- Toolbars (ControlKind::ToolBar). Buttons are added only after the
  // toolbar has been told the size of a button record.
  virtual void toolbarSetButtonRecordSize(WindowHandle toolbar, int bytes) = 0;
  virtual ImageListHandle toolbarImageList(WindowHandle toolbar) const = 0;
  virtual void toolbarSetImageList(WindowHandle toolbar, ImageListHandle images) = 0;
  // Appends the buttons; false when the toolbar takes none of them.
  virtual bool toolbarAddButtons(WindowHandle toolbar, const std::vector<ToolButton>& buttons) = 0;
  // Shows image (an index into the image list) on the button with that
  // command id; false when there is no such button.
  virtual bool toolbarChangeBitmap(WindowHandle toolbar, int command, int image) = 0;

  // --- Window icons: the caption's small icon and the task switcher's big
  // one, drawn from the bitmap with the transparent colour left out.
  virtual void setWindowIcon(WindowHandle w, const Bitmap& image, Color transparent, bool big) = 0;

  // --- Messages, input, timers
  virtual void postCommand(WindowHandle w, int id) = 0;
  // Lets pending window messages (posted commands, timers, input) run.
  virtual void processPendingMessages() = 0;
  // Shows the form and, with its owner disabled, lets messages run until
  // finished() is true; then hides the form.
  virtual void runModal(WindowHandle form, const std::function<bool()>& finished) = 0;
  virtual void setTimer(WindowHandle w, int id, int milliseconds) = 0;
  virtual void killTimer(WindowHandle w, int id) = 0;
  virtual bool isKeyDown(int virtualKey) const = 0;
  // The hourglass over every window of the process while at least one
  // setBusyCursor(true) has not been matched by a setBusyCursor(false).
  virtual void setBusyCursor(bool busy) = 0;

  // --- Dialogs
  virtual int messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                         MessageIcon icon, MessageButtons buttons) = 0;
  // true when the user confirmed; font or color then holds the choice.
  virtual bool chooseFont(WindowHandle owner, Font& font) = 0;
  virtual bool chooseColor(WindowHandle owner, Color& color) = 0;

  // --- Look
  virtual Color systemColor(SystemColor which) const = 0;
  // Width and height of the text drawn in the font (one line).
  virtual Point textExtent(const Font& font, std::string_view text) const = 0;

  // --- Virtual list views and selection look-ups (the pickup list) ---------
  // A list view created with kOwnerData (sys/list_source.h) shows the rows
  // of its source: listItemText and listStateImage read the source, while
  // listInsertItem, listSetItemText, listSetStateImage, listDeleteItem and
  // listDeleteAll do nothing on it. Selection, focus and scrolling work as
  // on any list view.
  virtual void listSetSource(WindowHandle w, const ListSource* source) = 0;
  // The number of rows of a virtual list view. Rows below the new count
  // keep their selection and the view keeps its place as far as the rows
  // allow; rows whose data changed are repainted after invalidate(w).
  virtual void listSetCount(WindowHandle w, int count) = 0;
  // Any list view: the first selected row after row `after` (-1 searches
  // from the first row); -1 when there is none.
  virtual int listNextSelected(WindowHandle w, int after) const = 0;
  // Any list view: the row at a point of its client area; -1 for none.
  virtual int listHitTest(WindowHandle w, Point p) const = 0;
};

}  // namespace gleanix::sys
