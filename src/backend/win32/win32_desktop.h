#pragma once
// The desktop on Win32: real top-level windows whose window class is the
// form's class name, the standard and common controls (comctl32 5 is
// enough), a modal loop that disables the owner, and GDI text measurement.
// Windows belong to the thread that created them; the records of every
// thread's windows sit in one map behind a lock.

#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <tuple>

#include "backend/host_desktop.h"

namespace gleanix::backend {

struct Win32BoxWatch;

class Win32Desktop : public HostDesktop {
 public:
  Win32Desktop();
  ~Win32Desktop() override;

  sys::WindowHandle createWindow(const sys::WindowSpec& spec, sys::EventSink* sink) override;
  void destroyWindow(sys::WindowHandle w) override;
  bool isWindow(sys::WindowHandle w) const override;
  std::string className(sys::WindowHandle w) const override;
  std::string text(sys::WindowHandle w) const override;
  void setText(sys::WindowHandle w, const std::string& text) override;
  std::uint32_t processId(sys::WindowHandle w) const override;
  std::uint32_t currentProcessId() const override;
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
  sys::Rect screenRect() const override;
  sys::Rect workArea() const override;

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

  void postMessage(const sys::Message& message) override;
  void postWhenWaiting(const sys::Message& message) override;
  void postKey(sys::WindowHandle w, int virtualKey, unsigned shift) override;
  void runMessageLoop(const std::function<bool()>& finished) override;
  void waitForIdle() override;
  void passTime(int milliseconds) override;
  std::vector<sys::ToolButton> toolbarButtons(sys::WindowHandle toolbar) const override;
  bool saveScreenshot(const std::string& file) override;
  bool saveMenuScreenshot(sys::WindowHandle w, int barPosition, const std::string& file) override;
  std::vector<sys::WindowHandle> children(sys::WindowHandle w) const override;
  std::string controlName(sys::WindowHandle w) const override;
  std::vector<sys::TreeItem> treeChildren(sys::WindowHandle tree, sys::TreeItem parent) const override;
  sys::Color listBackground(sys::WindowHandle list) const override;
  sys::Font controlFont(sys::WindowHandle w) const override;
  bool userClick(sys::WindowHandle w) override;
  bool userType(sys::WindowHandle w, const std::string& text) override;
  bool userPick(sys::WindowHandle combo, int index) override;
  bool userClickTreeState(sys::WindowHandle tree, sys::TreeItem item) override;
  bool userSelectTreeItem(sys::WindowHandle tree, sys::TreeItem item) override;
  bool userClickHeader(sys::WindowHandle header, int section) override;
  bool userSelectRows(sys::WindowHandle list, const std::vector<int>& rows) override;
  bool userDoubleClickRow(sys::WindowHandle list, int row, unsigned shift) override;
  bool userRowMenu(sys::WindowHandle list, int row, const std::string& item) override;
  bool userKey(sys::WindowHandle w, int virtualKey, unsigned shift) override;
  void answerMessageBox(int result) override;
  std::vector<MessageBoxSeen> takeMessageBoxes() override;
  void answerColor(std::optional<sys::Color> color) override;

  void postCommand(sys::WindowHandle w, int id) override;
  void processPendingMessages() override;
  void runModal(sys::WindowHandle form, const std::function<bool()>& finished) override;
  void setTimer(sys::WindowHandle w, int id, int milliseconds) override;
  void killTimer(sys::WindowHandle w, int id) override;
  bool isKeyDown(int virtualKey) const override;
  void setBusyCursor(bool busy) override;

  // From here on the message boxes shown on the threads this desktop makes
  // forms on (this one included) are recorded and answered
  // (answerMessageBox, takeMessageBoxes), and the colour choosers answered
  // (answerColor), whichever code shows them. One desktop of a process can
  // watch; the host's does.
  void watchMessageBoxes();

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

  // What the desktop keeps for each window it created.
  struct Record {
    Win32Desktop* desktop = nullptr;
    HWND hwnd = nullptr;
    sys::ControlKind kind = sys::ControlKind::Panel;
    unsigned style = 0;
    sys::EventSink* sink = nullptr;
    WNDPROC original = nullptr;  // the control's own procedure, when subclassed
    bool ready = false;          // events flow once creation is complete
    int suppress = 0;            // > 0 while the desktop itself changes the control
    HFONT font = nullptr;
    COLORREF textColor = 0;
    HBRUSH brush = nullptr;      // own background colour
    int dropDownCount = 8;
    int pendingShow = 0;         // SW_ state for a hidden form, applied when shown
    std::string statusText;
    const sys::ListSource* source = nullptr;  // a virtual list view's rows
  };

  // Carries a message posted with postWhenWaiting (lParam: a new
  // sys::Message); processPendingMessages, in every module built from this
  // code, leaves it in the queue. The last number of the application's
  // range, so that every other message posted here (ours included) lies
  // below it and is taken in the order it came.
  static constexpr UINT kWhenWaitingMessage = WM_APP + 0x3FFF;
  // The window property that holds a window's Record.
  static constexpr const char* kRecordProperty = "Gleanix.Record";
  // The thread holds the modifier keys of lParam (sys::ShiftState) down
  // from now on, for the input posted behind it; 0 lets them go.
  static constexpr UINT kHoldKeysMessage = WM_APP + 0x3F04;

  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HFONT fontHandle(const sys::Font& font) const;

 private:
  Record* record(HWND hwnd) const;
  Record* record(sys::WindowHandle w) const { return record(reinterpret_cast<HWND>(w)); }
  LRESULT handle(Record& rec, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT callOriginal(Record& rec, UINT msg, WPARAM wp, LPARAM lp);
  bool routeCommand(HWND child, int code);
  bool routeNotify(const NMHDR& hdr, LRESULT& result);
  bool routeDrawItem(const DRAWITEMSTRUCT& d);
  // A virtual list view asks for a row's texts and state image.
  void fillDisplayInfo(const Record& list, const NMHDR& hdr);
  // Delivers an event; false when the window has no listener.
  bool deliver(HWND hwnd, sys::Event& e);
  bool preTranslate(MSG& msg);
  void paintContainer(Record& rec);
  void registerFormClass(const std::string& name);
  // The host's private messages (posted keys, the idle wait); true when msg was one.
  bool handleHostMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void detachTree(HWND hwnd);
  void holdKeys(HWND w, unsigned shift);
  // The menu loop of saveMenuScreenshot waits with its popup open.
  void takeMenuShot(HWND owner);
  void watchThread(DWORD thread);  // when message boxes are watched
  void unwatchMessageBoxes();

  HINSTANCE instance_ = nullptr;
  std::set<std::string> formClasses_;
  mutable std::recursive_mutex recordsMutex_;
  std::map<HWND, std::unique_ptr<Record>> records_;
  std::set<HICON> icons_;  // given to windows with WM_SETICON
  mutable std::map<std::tuple<std::string, int, bool, bool, bool, bool>, HFONT> fonts_;
  int nextControlId_ = 1000;
  int busy_ = 0;
  COLORREF customColors_[16] = {};
  std::string menuShot_;  // the file of a screenshot taken once a menu is open
  bool menuShotTaken_ = false;
  std::shared_ptr<Win32BoxWatch> boxWatch_;  // set while message boxes are watched
};

}  // namespace gleanix::backend
