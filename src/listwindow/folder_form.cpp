// TFolderForm: the layout, creation, showing and closing, adding rows,
// sorting, the header and the two bars.

#include "listwindow/folder_form.h"

#include <algorithm>

#include "core/form_services.h"
#include "pickup/count_text.h"
#include "store/mail_store.h"
#include "store/time_zone.h"
#include "ui/busy_cursor.h"
#include "ui/header_control.h"
#include "ui/image_list.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/std_controls.h"
#include "ui/timer.h"

namespace gleanix::listwindow {
namespace {

using ui::Event;

constexpr int kColumns = 5;
constexpr int kLastColumn = kColumns - 1;
constexpr int kDateColumn = 2;
constexpr int kSubjectColumn = 4;

// Design widths: wide enough for every caption and for a date in its
// longest format; the subject column takes what is left.
const std::vector<ui::Column> kColumnsDesigned = {
    {"パス", 110}, {"フォルダ", 90}, {"送信日時", 110}, {"差出人", 120}, {"題名", 200},
};

const ui::FormTable kFolderLayout = {
    .className = core::kPickupWindowClass,
    .caption = "Gleanix",
    .clientWidth = 640,
    .clientHeight = 320,
    .sizeable = true,
    .events = {{Event::OnCreate, "FormCreate"},
               {Event::OnShow, "FormShow"},
               {Event::OnClose, "FormClose"},
               {Event::OnResize, "FormResize"}},
    .controls =
        {
            {.kind = ui::make<ui::THeaderControl>, .name = "HeaderControl1", .align = ui::Align::Top,
             .bounds = {0, 0, 640, 18}, .props = {.columns = kColumnsDesigned},
             .events = {{Event::OnDrawSection, "HeaderControl1DrawSection"},
                        {Event::OnSectionClick, "HeaderControl1SectionClick"},
                        {Event::OnSectionResize, "HeaderControl1SectionResize"},
                        {Event::OnMouseDown, "HeaderControl1MouseDown"}}},
            {.kind = ui::make<ui::TStatusBar>, .name = "StatusBar", .align = ui::Align::Bottom,
             .bounds = {0, 301, 640, 19}},
            {.kind = ui::make<ui::TListView>, .name = "ListView1", .align = ui::Align::Client,
             .bounds = {0, 18, 640, 283},
             .props = {.readOnly = true, .hideSelection = false, .multiSelect = true, .rowSelect = true,
                       .showColumnHeaders = false, .ownerData = true, .columns = kColumnsDesigned},
             .events = {{Event::OnChange, "ListView1Change"},
                        {Event::OnDblClick, "ListView1DblClick"},
                        {Event::OnMouseDown, "ListView1MouseDown"},
                        {Event::OnKeyDown, "ListView1KeyDown"}}},
            {.kind = ui::make<ui::TImageList>, .name = "ImageList1", .bounds = {0, 0, 16, 16}},
            {.kind = ui::make<ui::TPopupMenu>, .name = "SortMenu", .events = {{Event::OnPopup, "SortMenuPopup"}}},
            {.kind = ui::make<ui::TMenuItem>, .name = "SortSubjectAsIs", .caption = "Subject そのままの順でソートする",
             .parent = "SortMenu", .events = {{Event::OnClick, "SortSubjectAsIsClick"}}},
            {.kind = ui::make<ui::TMenuItem>, .name = "SortSubjectIgnoreRe",
             .caption = "[xxx] や Re: は除いてソートする", .parent = "SortMenu",
             .events = {{Event::OnClick, "SortSubjectIgnoreReClick"}}},
            {.kind = ui::make<ui::TPopupMenu>, .name = "ViewMenu", .events = {{Event::OnPopup, "ViewMenuPopup"}}},
            {.kind = ui::make<ui::TMenuItem>, .name = "ViewOpenInView", .caption = "開く", .parent = "ViewMenu",
             .props = {.isDefault = true}, .events = {{Event::OnClick, "ViewOpenInViewClick"}}},
            {.kind = ui::make<ui::TMenuItem>, .name = "ViewOpenNewInView", .caption = "新しい VIEW 画面で開く",
             .parent = "ViewMenu", .events = {{Event::OnClick, "ViewOpenNewInViewClick"}}},
            {.kind = ui::make<ui::TMenuItem>, .name = "ViewOpenExView", .caption = "外部ビューアで開く",
             .parent = "ViewMenu", .events = {{Event::OnClick, "ViewOpenExViewClick"}}},
            {.kind = ui::make<ui::TMenuItem>, .name = "N1", .caption = "-", .parent = "ViewMenu"},
            {.kind = ui::make<ui::TMenuItem>, .name = "ViewListOut", .caption = "この一時フォルダから除く",
             .parent = "ViewMenu", .events = {{Event::OnClick, "ViewListOutClick"}}},
            {.kind = ui::make<ui::TMenuItem>, .name = "ViewCopy", .caption = "コピー ...", .parent = "ViewMenu",
             .events = {{Event::OnClick, "ViewCopyMoveClick"}}},
            {.kind = ui::make<ui::TMenuItem>, .name = "ViewMove", .caption = "移動 ...", .parent = "ViewMenu",
             .events = {{Event::OnClick, "ViewCopyMoveClick"}}},
            {.kind = ui::make<ui::TTimer>, .name = "Timer1", .props = {.enabled = false, .interval = 500},
             .events = {{Event::OnTimer, "Timer1Timer"}}},
        },
};

std::string columnWidthKey(int column) { return "ColWidth" + std::to_string(column); }

}  // namespace

// What reads the picked mails: the store as the window first looked at it.
struct TFolderForm::Builder {
  Builder(const sys::FileSystem& fs, const std::string& root, std::int32_t bias)
      : store(fs, root), rows(store, bias) {}
  store::MailStore store;
  pickup::RowBuilder rows;
};

std::shared_ptr<TFolderForm> TFolderForm::create(core::StartedPlugin& plugin, sys::WindowHandle hostMainWindow) {
  return std::shared_ptr<TFolderForm>(new TFolderForm(plugin, hostMainWindow));
}

TFolderForm::TFolderForm(core::StartedPlugin& plugin, sys::WindowHandle hostMainWindow)
    : TForm(plugin.desktop(), kFolderLayout),
      plugin_(plugin),
      hostMainWindow_(hostMainWindow),
      source_(*this),
      header_(component<ui::THeaderControl>("HeaderControl1")),
      list_(component<ui::TListView>("ListView1")),
      statusBar_(component<ui::TStatusBar>("StatusBar")),
      images_(component<ui::TImageList>("ImageList1")),
      sortMenu_(component<ui::TPopupMenu>("SortMenu")),
      viewMenu_(component<ui::TPopupMenu>("ViewMenu")),
      timer_(component<ui::TTimer>("Timer1")) {
  handler("FormCreate", &TFolderForm::FormCreate);
  handler("FormShow", &TFolderForm::FormShow);
  handler("FormClose", &TFolderForm::FormClose);
  handler("FormResize", &TFolderForm::FormResize);
  handler("HeaderControl1DrawSection", &TFolderForm::HeaderControl1DrawSection);
  handler("HeaderControl1SectionClick", &TFolderForm::HeaderControl1SectionClick);
  handler("HeaderControl1SectionResize", &TFolderForm::HeaderControl1SectionResize);
  handler("HeaderControl1MouseDown", &TFolderForm::HeaderControl1MouseDown);
  handler("ListView1Change", &TFolderForm::ListView1Change);
  handler("ListView1DblClick", &TFolderForm::ListView1DblClick);
  handler("ListView1MouseDown", &TFolderForm::ListView1MouseDown);
  handler("ListView1KeyDown", &TFolderForm::ListView1KeyDown);
  handler("SortMenuPopup", &TFolderForm::SortMenuPopup);
  handler("SortSubjectAsIsClick", &TFolderForm::SortSubjectAsIsClick);
  handler("SortSubjectIgnoreReClick", &TFolderForm::SortSubjectIgnoreReClick);
  handler("ViewMenuPopup", &TFolderForm::ViewMenuPopup);
  handler("ViewOpenInViewClick", &TFolderForm::ViewOpenInViewClick);
  handler("ViewOpenNewInViewClick", &TFolderForm::ViewOpenNewInViewClick);
  handler("ViewOpenExViewClick", &TFolderForm::ViewOpenExViewClick);
  handler("ViewListOutClick", &TFolderForm::ViewListOutClick);
  handler("ViewCopyMoveClick", &TFolderForm::ViewCopyMoveClick);
  handler("Timer1Timer", &TFolderForm::Timer1Timer);
  created();
}

TFolderForm::~TFolderForm() {
  // The control must not ask for rows that are going away.
  if (!released()) list_.setSource(nullptr);
}

// --- creation, showing, closing

void TFolderForm::FormCreate() {
  plugin_.commonForm().giveIcon(handle());
  sort_ = {};
  justOpened_ = false;
  images_.addMasked(plugin_.commonForm().MarksImage(), core::TCommonForm::kMarksTransparent);
  list_.setStateImages(&images_);
  list_.setSource(&source_);
  list_.setCount(0);

  core::restoreFormGeometry(plugin_, *this, kFolderSection);
  color_ = desktop().systemColor(sys::SystemColor::Window);
  applyLook();
  applyColumnWidths();
  fitLastColumn();
  refreshDateColumn();
  refreshCountBar();
}

void TFolderForm::applyColumnWidths() {
  const settings::SettingsCache& settings = plugin_.settings();
  for (int i = 0; i < kLastColumn; ++i) {
    const int width = std::max(0, settings.readInt(kFolderSection, columnWidthKey(i), list_.columnWidth(i)));
    header_.setSectionWidth(i, width);
    list_.setColumnWidth(i, width);
  }
}

void TFolderForm::FormShow() {
  // The reading is done: the lists kept for it are let go.
  builder_.reset();
  syncControl();
  // Both are read first: sorting writes them.
  const settings::SettingsCache& settings = plugin_.settings();
  const int index = settings.readInt("Sort", "Index", 0);
  const bool reverse = settings.readBool("Sort", "Reverse", false);
  if (index < 0 || index >= kColumns) return;  // no sort, or a column that does not exist
  sortBy(index);
  if (reverse) sortBy(index);
}

void TFolderForm::FormClose(ui::EventArgs& args) {
  settings::SettingsCache& settings = plugin_.settings();
  for (int i = 0; i < kLastColumn; ++i) {
    settings.writeSetting(kFolderSection, columnWidthKey(i), static_cast<std::int32_t>(header_.sectionWidth(i)));
  }
  core::saveFormGeometry(plugin_, *this, kFolderSection);
  list_.setSource(nullptr);
  list_.setCount(0);
  rows_.clear();
  rows_.shrink_to_fit();
  builder_.reset();
  args.action = ui::CloseAction::Free;
}

void TFolderForm::FormResize() { fitLastColumn(); }

// --- rows

bool TFolderForm::addPickedMail(const std::string& folder, const std::string& displayPath, const std::string& key,
                                const pickup::MailSummary* seen) {
  if (released()) return false;
  if (!builder_) {
    const std::string root = store::withTrailingBackslash(plugin_.host().getMailbox());
    const std::int32_t bias = store::storeTimeZoneBias(plugin_.fs(), root, plugin_.system().timeZoneBias());
    builder_ = std::make_unique<Builder>(plugin_.fs(), root, bias);
  }
  std::optional<pickup::PickupRow> row = builder_->rows.build(folder, displayPath, key, seen);
  if (!row) return false;
  rows_.push_back(std::move(*row));
  // A hidden window catches up when it is shown (FormShow): the control is
  // not touched once per row of a long pickup.
  if (visible()) syncControl();
  return true;
}

void TFolderForm::syncControl() {
  list_.setCount(static_cast<int>(rows_.size()));
  list_.invalidate();
  // The list may have gained or lost its vertical scroll bar.
  fitLastColumn();
  refreshDateColumn();
  refreshCountBar();
}

void TFolderForm::rowsReplaced(bool toTop) {
  for (int row : list_.selectedRows()) list_.setSelected(row, false);
  list_.setCount(static_cast<int>(rows_.size()));
  if (toTop && list_.topIndex() > 0) list_.scrollBy(-list_.topIndex());
  list_.invalidate();
  fitLastColumn();
  refreshCountBar();
}

std::string TFolderForm::RowSource::cellText(int row, int column) const {
  if (row < 0 || row >= static_cast<int>(form_.rows_.size())) return {};
  const pickup::PickupRow& r = form_.rows_[static_cast<std::size_t>(row)];
  switch (column) {
    case 0: return r.pathText;
    case 1: return r.folderText;
    case 2: return pickup::formatDate(r.sortableDate, form_.dateFormat_);
    case 3: return r.sender;
    case 4: return r.subject;
    default: return {};
  }
}

int TFolderForm::RowSource::stateImage(int row) const {
  if (row < 0 || row >= static_cast<int>(form_.rows_.size())) return -1;
  return form_.rows_[static_cast<std::size_t>(row)].mark;
}

// --- sorting

void TFolderForm::sortBy(int column) {
  if (released()) return;
  sort_.choose(column);
  header_.invalidate();
  settings::SettingsCache& settings = plugin_.settings();
  settings.writeSetting("Sort", "Index", static_cast<std::int32_t>(sort_.column));
  settings.writeSetting("Sort", "Reverse", sort_.descending);
  settings.saveSettings(plugin_.fs());
  if (sort_.column < 0 || sort_.column >= kColumns) return;

  const ui::BusyCursor busy(desktop());
  // Hidden while the rows change places; back with its focus on every way out.
  struct Hidden {
    ui::TListView& list;
    bool hadFocus;
    explicit Hidden(ui::TListView& l) : list(l), hadFocus(l.desktop().focus() == l.handle()) { list.setVisible(false); }
    ~Hidden() {
      list.setVisible(true);
      if (hadFocus) list.setFocus();
    }
  } hidden(list_);
  pickup::sortRows(rows_, static_cast<pickup::SortColumn>(sort_.column), sort_.descending,
                   settings.readBool("Sort", "IgnoreRe", true));
  rowsReplaced(true);
  refreshDateColumn();
}

void TFolderForm::subjectSortChosen(bool ignoreRe) {
  plugin_.settings().writeSetting("Sort", "IgnoreRe", ignoreRe);
  // From no sort to the subject: ascending, whatever was sorted before.
  sort_.column = -1;
  sortBy(kSubjectColumn);
}

void TFolderForm::SortMenuPopup() {
  const bool ignoreRe = plugin_.settings().readBool("Sort", "IgnoreRe", true);
  component<ui::TMenuItem>("SortSubjectAsIs").setDefault(!ignoreRe);
  component<ui::TMenuItem>("SortSubjectIgnoreRe").setDefault(ignoreRe);
}

void TFolderForm::SortSubjectAsIsClick() { subjectSortChosen(false); }

void TFolderForm::SortSubjectIgnoreReClick() { subjectSortChosen(true); }

// --- the header

void TFolderForm::HeaderControl1DrawSection(ui::EventArgs& args) {
  if (!args.canvas) return;
  sys::Font f = font();
  f.bold = args.index == sort_.column;
  args.canvas->setFont(f);
  const sys::Rect& r = args.rect;
  args.canvas->fillRect(r, desktop().systemColor(sys::SystemColor::ButtonFace));
  // A grey line between the sections and under them.
  const sys::Color line = desktop().systemColor(sys::SystemColor::GrayText);
  args.canvas->fillRect({r.right - 1, r.top + 2, r.right, r.bottom - 2}, line);
  args.canvas->fillRect({r.left, r.bottom - 1, r.right, r.bottom}, line);
  if (args.index >= 0 && args.index < header_.sectionCount()) {
    args.canvas->textOut({r.left + 2, r.top + 2}, header_.sectionText(args.index));
  }
}

void TFolderForm::HeaderControl1SectionClick(ui::EventArgs& args) { sortBy(args.index); }

void TFolderForm::HeaderControl1SectionResize(ui::EventArgs& args) {
  const int i = args.index;
  if (i >= 0 && i < kLastColumn) list_.setColumnWidth(i, header_.sectionWidth(i));
  fitLastColumn();
  if (i == kDateColumn) refreshDateColumn();
}

void TFolderForm::HeaderControl1MouseDown(ui::EventArgs& args) {
  if (args.button != sys::MouseButton::Right) return;
  // Strictly inside the subject section.
  if (args.x <= header_.sectionLeft(kSubjectColumn) || args.x >= header_.sectionRight(kSubjectColumn)) return;
  args.handled = true;
  const sys::Point at = desktop().clientToScreen(header_.handle(), {args.x, args.y});
  sortMenu_.popup(at.x, at.y);
}

void TFolderForm::fitLastColumn() {
  header_.setSectionWidth(kLastColumn, clientWidth());
  int others = 0;
  for (int i = 0; i < kLastColumn; ++i) others += list_.columnWidth(i);
  const int client = desktop().clientRect(list_.handle()).width();
  list_.setColumnWidth(kLastColumn, std::max(0, client - others));
}

// --- the bars

void TFolderForm::applyLook() {
  const settings::SettingsCache& settings = plugin_.settings();
  applyFont(core::restoreFont(settings, "Pickup", font()));
  color_ = static_cast<sys::Color>(settings.readInt("Pickup", "Color", static_cast<std::int32_t>(color_)));
  list_.setColor(color_);
  statusBar_.setVisible(settings.readBool("Pickup", "StatusBar", true));
}

void TFolderForm::applyFont(const sys::Font& f) {
  setFont(f);
  // The header grows with its font, so that the captions show whole.
  header_.setHeight(std::max(18, desktop().textExtent(f, "Ag").y + 6));
}

void TFolderForm::refreshDateColumn() {
  const int width = list_.columnWidth(kDateColumn);
  if (width != measuredWidth_ || !(font() == measuredFont_)) {
    measuredWidth_ = width;
    measuredFont_ = font();
    const pickup::DateFormat chosen =
        pickup::chooseDateFormat(width, [this](std::string_view text) { return textWidth(text); });
    if (chosen != dateFormat_) {
      dateFormat_ = chosen;
      list_.invalidate();
    }
  }
}

void TFolderForm::refreshCountBar() {
  const int first = list_.firstSelected();
  statusBar_.setSimpleText(pickup::countText(rows_.size(), first < 0 ? std::nullopt
                                                                     : std::optional<std::size_t>(first)));
}

}  // namespace gleanix::listwindow
