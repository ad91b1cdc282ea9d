#include "ui/list_view.h"

#include "ui/form.h"
#include "ui/image_list.h"

namespace gleanix::ui {
namespace {

unsigned listStyle(const Props& p) {
  unsigned s = 0;
  if (p.readOnly) s |= sys::kReadOnly;
  if (!p.hideSelection) s |= sys::kShowSelectionAlways;
  if (p.multiSelect) s |= sys::kMultiSelect;
  if (p.rowSelect) s |= sys::kRowSelect;
  if (!p.showColumnHeaders) s |= sys::kNoColumnHeader;
  if (p.ownerData) s |= sys::kOwnerData;
  return s;
}

}  // namespace

TListView::TListView(TForm& form, const ControlSpec& spec, TComponent& parent)
    : TControl(form, spec, parent, sys::ControlKind::ListView, listStyle(spec.props)),
      ownerData_(spec.props.ownerData) {
  for (const Column& c : spec.props.columns) {
    desktop().listAddColumn(handle(), c.caption, c.width);
    ++columns_;
  }
}

int TListView::columnWidth(int column) const { return desktop().listColumnWidth(handle(), column); }

void TListView::setColumnWidth(int column, int width) { desktop().listSetColumnWidth(handle(), column, width); }

int TListView::count() const { return desktop().listCount(handle()); }

void TListView::addItem(const std::vector<std::string>& texts, int stateIndex) {
  insertItem(count(), texts, stateIndex);
}

void TListView::insertItem(int index, const std::vector<std::string>& texts, int stateIndex) {
  desktop().listInsertItem(handle(), index, texts, stateIndex);
}

void TListView::deleteItem(int index) { desktop().listDeleteItem(handle(), index); }

void TListView::clear() { desktop().listDeleteAll(handle()); }

std::string TListView::itemText(int index, int column) const {
  return desktop().listItemText(handle(), index, column);
}

void TListView::setItemText(int index, int column, const std::string& text) {
  desktop().listSetItemText(handle(), index, column, text);
}

int TListView::stateIndex(int index) const { return desktop().listStateImage(handle(), index); }

void TListView::setStateIndex(int index, int stateIndex) {
  desktop().listSetStateImage(handle(), index, stateIndex);
}

bool TListView::isSelected(int index) const { return desktop().listIsSelected(handle(), index); }

void TListView::setSelected(int index, bool selected) { desktop().listSetSelected(handle(), index, selected); }

int TListView::firstSelected() const { return nextSelected(-1); }

int TListView::nextSelected(int after) const { return desktop().listNextSelected(handle(), after); }

std::vector<int> TListView::selectedRows() const {
  std::vector<int> rows;
  for (int i = nextSelected(-1); i >= 0;) {
    rows.push_back(i);
    const int next = nextSelected(i);
    if (next <= i) break;  // the search only ever moves on
    i = next;
  }
  return rows;
}

int TListView::selectedCount() const { return static_cast<int>(selectedRows().size()); }

int TListView::rowAt(int x, int y) const { return desktop().listHitTest(handle(), {x, y}); }

void TListView::setSource(const sys::ListSource* source) { desktop().listSetSource(handle(), source); }

void TListView::setCount(int count) { desktop().listSetCount(handle(), count); }

int TListView::topIndex() const { return desktop().listTopIndex(handle()); }

int TListView::visibleRowCount() const { return desktop().listCountPerPage(handle()); }

void TListView::scrollBy(int lines) { desktop().listScroll(handle(), lines); }

void TListView::setStateImages(TImageList* images) {
  desktop().listSetStateImages(handle(), images ? images->handle() : 0);
}

}  // namespace gleanix::ui
