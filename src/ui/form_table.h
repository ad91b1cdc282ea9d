#pragma once
// A form described as data: its window class, caption and size, and a
// control table whose rows give each component's kind, name, caption,
// parent, alignment, bounds, properties and event bindings. Handlers are
// bound by the names of the form's methods.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/component.h"
#include "ui/layout.h"

namespace gleanix::ui {

struct ControlSpec;

// Creates the component a row describes; parent is the component named in
// the row's parent column (the form when that is empty).
using ControlFactory = std::unique_ptr<TComponent> (*)(TForm& form, const ControlSpec& spec,
                                                       TComponent& parent);

template <class T>
std::unique_ptr<TComponent> make(TForm& form, const ControlSpec& spec, TComponent& parent) {
  return std::make_unique<T>(form, spec, parent);
}

struct Column {
  std::string caption{};
  int width = 50;
};

// Properties of a row; each applies to the kinds named.
struct Props {
  bool visible = true;
  bool enabled = true;  // also TTimer
  unsigned anchors = akLeft | akTop;
  int tag = 0;
  std::string hint{};
  bool isDefault = false;  // TButton: the default button; TMenuItem: the default item
  bool isCancel = false;   // TButton: Escape clicks it
  int modalResult = 0;     // TButton: set on the form when clicked
  bool checked = false;    // TCheckBox, TRadioButton
  bool bevel = false;      // TPanel: a raised border
  int minSize = 30;        // TSplitter: smallest size of either side
  bool readOnly = false;   // TEdit, TMemo, TTreeView, TListView
  bool wordWrap = true;    // TMemo
  bool dropDownList = false;  // TComboBox: choose from the list only
  int dropDownCount = 8;      // TComboBox: rows shown
  std::vector<std::string> items{};  // TComboBox: the list; TMemo: the lines
  bool hideSelection = true;       // TTreeView, TListView, TEdit, TMemo
  bool multiSelect = false;        // TListView
  bool rowSelect = false;          // TListView
  bool showColumnHeaders = true;   // TListView
  bool ownerData = false;          // TListView: a virtual list whose rows come from setSource
  std::vector<Column> columns{};     // TListView columns, THeaderControl sections
  int interval = 1000;             // TTimer, milliseconds
  // Properties of controls from other layers, by name ("Checkable").
  std::vector<std::pair<std::string, std::string>> extra{};
};

struct Binding {
  Event event = Event::OnClick;
  std::string handler{};  // the name of the form's method
};

struct ControlSpec {
  ControlFactory kind = nullptr;
  std::string name{};
  std::string caption{};
  std::string parent{};  // empty: the form
  Align align = Align::None;
  Bounds bounds{};       // TImageList: width and height of one image
  Props props{};
  std::vector<Binding> events{};
};

struct FormTable {
  std::string className{};  // the window class name ("TFolderForm")
  std::string caption{};
  int clientWidth = 400;
  int clientHeight = 300;
  bool sizeable = true;
  std::vector<Binding> events{};  // the form's own: OnCreate, OnShow, OnClose, OnResize
  std::vector<ControlSpec> controls{};
};

}  // namespace gleanix::ui
