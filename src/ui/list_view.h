#pragma once
// A report-style list view. Rows live in the desktop's control; this class
// reads and writes them there. A row's state index picks an image of the
// state image list (-1 for none).
//
// With Props::ownerData the list is virtual: the rows are the source's
// (setSource), the control holds only their number (setCount), the
// selection and the focus, and the calls that add, delete or change rows do
// nothing.

#include <string>
#include <vector>

#include "ui/control.h"

namespace gleanix::ui {

class TImageList;

class TListView : public TControl {
 public:
  TListView(TForm& form, const ControlSpec& spec, TComponent& parent);

  int columnCount() const { return columns_; }
  int columnWidth(int column) const;
  void setColumnWidth(int column, int width);

  int count() const;
  // texts[0] is the caption, the rest the sub-items.
  void addItem(const std::vector<std::string>& texts, int stateIndex = -1);
  void insertItem(int index, const std::vector<std::string>& texts, int stateIndex = -1);
  void deleteItem(int index);
  void clear();
  std::string itemText(int index, int column) const;
  void setItemText(int index, int column, const std::string& text);
  int stateIndex(int index) const;
  void setStateIndex(int index, int stateIndex);

  bool isSelected(int index) const;
  void setSelected(int index, bool selected);
  int firstSelected() const;  // -1 when none
  // The next selected row after `after`; -1 when none.
  int nextSelected(int after) const;
  std::vector<int> selectedRows() const;
  int selectedCount() const;
  // The row at a point of the client area; -1 for none.
  int rowAt(int x, int y) const;

  // A virtual list's rows.
  bool ownerData() const { return ownerData_; }
  void setSource(const sys::ListSource* source);
  void setCount(int count);

  int topIndex() const;
  int visibleRowCount() const;
  void scrollBy(int lines);

  void setStateImages(TImageList* images);

 private:
  int columns_ = 0;
  bool ownerData_ = false;
};

}  // namespace gleanix::ui
