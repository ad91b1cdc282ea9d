#pragma once
// TFolderForm: the pickup list window. A resizable, non-modal window titled
// "Gleanix" that acts as a temporary folder: one row per picked mail with
// the columns path, folder, date, sender and subject and the mail's mark
// icon. The user sorts the rows by a header click, opens a mail in a VIEW
// window of the host or in the external viewer, drops rows from the list,
// and copies or moves the selected mails into a folder. While a VIEW window
// shows a mail opened from here, it steps through this list (the
// core::PickupWindow offers).
//
// The list control is virtual: the rows live here, in one record per row,
// and the control holds only their number and the selection, so a list of
// 100,000 rows fills, sorts and empties without touching the control row by
// row.
//
// A pickup command hands its hits over like this:
//
//   auto window = listwindow::TFolderForm::create(plugin, hostMainWindow);
//   plugin.pickupWindows().add(window);
//   for (const pickup::PickedMail& m : picked) window->addPickedMail(m.folder, m.displayPath, m.key);
//   window->show();
//
// Closing the window destroys it (its handle stops being a window); the
// object stays with whoever holds it, doing nothing, until the pickup
// window list drops it at its next prune.

#include <memory>
#include <string>
#include <vector>

#include "core/pickup_window.h"
#include "core/started_plugin.h"
#include "pickup/date_format.h"
#include "pickup/pickup_row.h"
#include "pickup/row_sort.h"
#include "sys/list_source.h"
#include "ui/form.h"

namespace gleanix::ui {
class THeaderControl;
class TListView;
class TPopupMenu;
class TMenuItem;
class TStatusBar;
class TImageList;
class TTimer;
}  // namespace gleanix::ui

namespace gleanix::listwindow {

// The section the window's geometry and column widths are kept under.
inline constexpr const char* kFolderSection = "Folder";

class TFolderForm : public ui::TForm, public core::PickupWindow, public std::enable_shared_from_this<TFolderForm> {
 public:
  // Builds the window, hidden, for the host main window the command came
  // from (VIEW windows are opened through it).
  static std::shared_ptr<TFolderForm> create(core::StartedPlugin& plugin, sys::WindowHandle hostMainWindow);
  ~TFolderForm() override;

  // Appends the row of a picked mail: folder (relative, ending in "\"),
  // the folder's display path, the mail key. False, with nothing added,
  // when the mail file cannot be read or the window is closed.
  // With a summary the search took of the mail, the row is built from it
  // and the file is not read again.
  bool addPickedMail(const std::string& folder, const std::string& displayPath, const std::string& key,
                     const pickup::MailSummary* seen = nullptr);

  // The rows in their present order.
  const std::vector<pickup::PickupRow>& rows() const { return rows_; }
  int sortColumn() const { return sort_.column; }
  bool descending() const { return sort_.descending; }
  pickup::DateFormat dateFormat() const { return dateFormat_; }
  sys::WindowHandle hostMainWindow() const { return hostMainWindow_; }
  // The viewer found when the row menu last popped up; empty for none.
  const std::string& viewerPath() const { return viewerPath_; }

  // Sorts by the column as a click on its header section does: the present
  // column again reverses the order, another column sorts ascending.
  void sortBy(int column);

  // --- core::PickupWindow
  sys::WindowHandle handle() const override { return TForm::handle(); }
  int rowCount() const override { return static_cast<int>(rows_.size()); }
  std::string previousPath() const override;
  std::string nextPath() const override;
  void stepPrevious() override;
  void stepNext() override;
  void bringToFront() override;
  bool takeJustOpened() override;
  void applyLookSettings() override;

 private:
  TFolderForm(core::StartedPlugin& plugin, sys::WindowHandle hostMainWindow);

  // What the list control shows of a row.
  class RowSource : public sys::ListSource {
   public:
    explicit RowSource(const TFolderForm& form) : form_(form) {}
    std::string cellText(int row, int column) const override;
    int stateImage(int row) const override;

   private:
    const TFolderForm& form_;
  };
  struct Builder;

  // --- Handlers of the layout
  void FormCreate();
  void FormShow();
  void FormClose(ui::EventArgs& args);
  void FormResize();
  void HeaderControl1DrawSection(ui::EventArgs& args);
  void HeaderControl1SectionClick(ui::EventArgs& args);
  void HeaderControl1SectionResize(ui::EventArgs& args);
  void HeaderControl1MouseDown(ui::EventArgs& args);
  void ListView1Change();
  void ListView1DblClick();
  void ListView1MouseDown(ui::EventArgs& args);
  void ListView1KeyDown(ui::EventArgs& args);
  void SortMenuPopup();
  void SortSubjectAsIsClick();
  void SortSubjectIgnoreReClick();
  void ViewMenuPopup();
  void ViewOpenInViewClick();
  void ViewOpenNewInViewClick();
  void ViewOpenExViewClick();
  void ViewListOutClick();
  void ViewCopyMoveClick(ui::EventArgs& args);
  void Timer1Timer();

  // --- The list and its bars
  // Font, colour and count bar from the settings ("Pickup").
  void applyLook();
  void applyFont(const sys::Font& font);
  void applyColumnWidths();
  void fitLastColumn();
  void refreshDateColumn();
  void refreshCountBar();
  // Brings the control up to the rows after rows were added while hidden.
  void syncControl();
  // After the rows were reordered or removed: nothing selected, the view
  // at the top when asked, every row shown anew.
  void rowsReplaced(bool toTop);
  void subjectSortChosen(bool ignoreRe);
  void scrollIntoView(int row);
  void step(int delta);
  int selectedRow() const;

  // --- Acting on rows
  // A double click or Enter: the external viewer with Shift, a new VIEW
  // window with Alt, else the present VIEW window.
  void activateSelected();
  void openInView(int row, bool newWindow);
  void launchViewer(int row);
  std::string mailFile(int row) const;

  core::StartedPlugin& plugin_;
  sys::WindowHandle hostMainWindow_;
  RowSource source_;
  std::vector<pickup::PickupRow> rows_;
  // Reads the picked mails while rows are added; released once shown.
  std::unique_ptr<Builder> builder_;
  pickup::SortState sort_;
  pickup::DateFormat dateFormat_ = pickup::DateFormat::YearMinute;
  // The date column width and font the format was chosen for.
  int measuredWidth_ = -1;
  sys::Font measuredFont_;
  sys::Color color_ = 0;  // the list's background
  std::string viewerPath_;
  bool justOpened_ = false;

  ui::THeaderControl& header_;
  ui::TListView& list_;
  ui::TStatusBar& statusBar_;
  ui::TImageList& images_;
  ui::TPopupMenu& sortMenu_;
  ui::TPopupMenu& viewMenu_;
  ui::TTimer& timer_;
};

}  // namespace gleanix::listwindow
