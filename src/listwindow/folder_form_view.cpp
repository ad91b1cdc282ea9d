// TFolderForm: the mouse and the keyboard on the list, the row menu,
// opening mails, dropping rows, and what the VIEW windows ask of the list.

#include <algorithm>

#include "core/form_services.h"
#include "listwindow/external_viewer.h"
#include "listwindow/folder_form.h"
#include "store/mail_move.h"
#include "store/mail_store.h"
#include "ui/header_control.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/std_controls.h"
#include "ui/timer.h"

namespace gleanix::listwindow {
namespace {

// Virtual-key code of the Delete key.
constexpr int kDeleteKey = 0x2E;

}  // namespace

int TFolderForm::selectedRow() const {
  if (released()) return -1;
  const int row = list_.firstSelected();
  return row < static_cast<int>(rows_.size()) ? row : -1;
}

std::string TFolderForm::mailFile(int row) const {
  const pickup::PickupRow& r = rows_[static_cast<std::size_t>(row)];
  return store::withTrailingBackslash(plugin_.host().getMailbox()) + r.folder + r.key + ".ALM";
}

// --- the mouse and the keyboard

void TFolderForm::ListView1Change() { refreshCountBar(); }

void TFolderForm::ListView1DblClick() { activateSelected(); }

void TFolderForm::ListView1MouseDown(ui::EventArgs& args) {
  if (args.button != sys::MouseButton::Right) return;
  // The control's own right-button handling would wait for a release the
  // menu takes; the row under the mouse is selected here, as the control
  // selects it, unless it already belongs to the selection.
  args.handled = true;
  const int hit = list_.rowAt(args.x, args.y);
  if (hit >= 0 && !list_.isSelected(hit)) {
    for (int row : list_.selectedRows()) list_.setSelected(row, false);
    list_.setSelected(hit, true);
    refreshCountBar();
  }
  if (selectedRow() < 0) return;
  const sys::Point at = desktop().clientToScreen(list_.handle(), {args.x, args.y});
  viewMenu_.popup(at.x, at.y);
}

void TFolderForm::ListView1KeyDown(ui::EventArgs& args) {
  if (args.key == sys::vk::Return) {
    args.handled = true;
    activateSelected();
  } else if (args.key == kDeleteKey) {
    args.handled = true;
    ViewListOutClick();
  }
}

void TFolderForm::activateSelected() {
  const int row = selectedRow();
  if (row < 0) return;
  if (desktop().isKeyDown(sys::vk::Shift)) {
    launchViewer(row);
  } else {
    openInView(row, desktop().isKeyDown(sys::vk::Menu));
  }
}

// --- the row menu

void TFolderForm::ViewMenuPopup() {
  viewerPath_ = lookUpViewer(plugin_.fs(), store::withTrailingBackslash(plugin_.host().getMailbox()));
  component<ui::TMenuItem>("ViewOpenExView").setEnabled(!viewerPath_.empty());
}

void TFolderForm::ViewOpenInViewClick() {
  if (const int row = selectedRow(); row >= 0) openInView(row, false);
}

void TFolderForm::ViewOpenNewInViewClick() {
  if (const int row = selectedRow(); row >= 0) openInView(row, true);
}

void TFolderForm::ViewOpenExViewClick() {
  if (const int row = selectedRow(); row >= 0) launchViewer(row);
}

void TFolderForm::ViewListOutClick() {
  const std::vector<int> selected = list_.selectedRows();
  if (selected.empty()) return;
  struct Hidden {
    ui::TListView& list;
    explicit Hidden(ui::TListView& l) : list(l) { list.setVisible(false); }
    ~Hidden() { list.setVisible(true); }
  } hidden(list_);
  // One pass over the rows keeps the others in their order; the mails
  // themselves are not touched.
  std::vector<bool> drop(rows_.size(), false);
  for (int row : selected) {
    if (row >= 0 && row < static_cast<int>(rows_.size())) drop[static_cast<std::size_t>(row)] = true;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (drop[i]) continue;
    if (kept != i) rows_[kept] = std::move(rows_[i]);
    ++kept;
  }
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(kept), rows_.end());
  rowsReplaced(false);
}

// --- opening mails

void TFolderForm::openInView(int row, bool newWindow) {
  // The window may be closed while the host opens the mail.
  const std::shared_ptr<TFolderForm> keep = weak_from_this().lock();
  justOpened_ = true;
  store::openMail(plugin_.host(), hostMainWindow_, rows_[static_cast<std::size_t>(row)].hit(), newWindow);
}

void TFolderForm::launchViewer(int row) {
  // Before the row menu has ever popped up the viewer is looked up here.
  if (viewerPath_.empty()) {
    viewerPath_ = lookUpViewer(plugin_.fs(), store::withTrailingBackslash(plugin_.host().getMailbox()));
  }
  if (viewerPath_.empty()) return;
  const std::string file = mailFile(row);
  plugin_.shell().open(handle(), "open", viewerPath_, viewerParameters(plugin_.fs(), viewerPath_, file), "");
}

// --- the VIEW windows' stepping

std::string TFolderForm::previousPath() const {
  const int row = selectedRow();
  return row > 0 ? rows_[static_cast<std::size_t>(row) - 1].hit() : std::string();
}

std::string TFolderForm::nextPath() const {
  const int row = selectedRow();
  return row >= 0 && row + 1 < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row) + 1].hit()
                                                              : std::string();
}

void TFolderForm::stepPrevious() { step(-1); }

void TFolderForm::stepNext() { step(1); }

void TFolderForm::step(int delta) {
  const int row = selectedRow();
  const int target = row + delta;
  if (row < 0 || target < 0 || target >= static_cast<int>(rows_.size())) return;
  list_.setSelected(row, false);
  list_.setSelected(target, true);
  scrollIntoView(target);
  refreshCountBar();
}

void TFolderForm::scrollIntoView(int row) {
  // One step at a time, each a line longer than the one before, never past
  // the row, until the row lies among the visible ones.
  for (int length = 1;; ++length) {
    const int top = list_.topIndex();
    const int visible = std::max(1, list_.visibleRowCount());
    if (row >= top && row < top + visible) return;
    const int needed = row < top ? row - top : row - (top + visible - 1);
    list_.scrollBy(needed < 0 ? -std::min(length, -needed) : std::min(length, needed));
    if (list_.topIndex() == top) return;  // the control scrolls no further
  }
}

void TFolderForm::bringToFront() {
  if (!released()) timer_.setEnabled(true);
}

void TFolderForm::Timer1Timer() {
  timer_.setEnabled(false);
  desktop().setForegroundWindow(handle());
}

bool TFolderForm::takeJustOpened() {
  const bool was = justOpened_;
  justOpened_ = false;
  return was;
}

void TFolderForm::applyLookSettings() {
  if (released()) return;
  applyLook();
  refreshDateColumn();
  fitLastColumn();
}

}  // namespace gleanix::listwindow
