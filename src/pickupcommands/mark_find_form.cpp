#include "pickupcommands/mark_find_form.h"

#include <algorithm>
#include <string>
#include <vector>

#include "pickupcommands/search_settings.h"
#include "ui/std_controls.h"

namespace gleanix::pickupcommands {
namespace {

using namespace dialog_layout;
using namespace mark_layout;
using ui::Align;
using ui::Event;
using ui::make;

constexpr int kBodyHeight = kClientHeight - kButtonPanelHeight;
constexpr int kRightLeft = kTreeWidth + kSplitterWidth;
constexpr int kRightWidth = kClientWidth - kRightLeft;
constexpr int kRowTop = 32;
constexpr int kRowStep = 22;

constexpr std::array<const char*, 10> kCheckNames = {"MidokuCheck", "KidokuCheck", "Mark0Check", "Mark1Check",
                                                     "Mark2Check",  "Mark3Check",  "Mark4Check", "Mark5Check",
                                                     "Mark6Check",  "Mark7Check"};
constexpr std::array<const char*, 10> kCaptions = {"未読",     "既読",     "マークなし", "マーク１", "マーク２",
                                                   "マーク３", "マーク４", "マーク５",   "マーク６", "マーク７"};

std::string swatchName(int mark) { return "Mark" + std::to_string(mark) + "Swatch"; }

std::vector<ui::ControlSpec> rows() {
  std::vector<ui::ControlSpec> r;
  addButtonPanel(r, "ピックアップ", kClientWidth, kClientHeight);
  addTreePanel(r, "対象フォルダ", kTreeWidth, kBodyHeight);
  r.push_back({.kind = make<ui::TPanel>, .name = "MarkPanel", .align = Align::Client,
               .bounds = {kRightLeft, 0, kRightWidth, kBodyHeight}});
  r.push_back({.kind = make<ui::TLabel>, .name = "MarkLabel", .caption = "探すマーク", .parent = "MarkPanel",
               .bounds = {8, 8, kRightWidth - 16, kLabelHeight}});
  for (std::size_t i = 0; i < kCheckNames.size(); ++i) {
    const int top = kRowTop + static_cast<int>(i) * kRowStep;
    r.push_back({.kind = make<ui::TCheckBox>, .name = kCheckNames[i], .caption = kCaptions[i], .parent = "MarkPanel",
                 .bounds = {36, top, 160, kCheckHeight}, .events = {{Event::OnClick, "MarkCheckClick"}}});
    // Marks 1 to 7 in the colour the host flags them with; "マークなし" an
    // empty flag.
    if (i >= 2) {
      r.push_back({.kind = make<ui::TPanel>, .name = swatchName(static_cast<int>(i) - 2), .parent = "MarkPanel",
                   .bounds = {14, top + 2, 16, 14}, .props = {.bevel = true}});
    }
  }
  return r;
}

const ui::FormTable& layout() {
  static const ui::FormTable table =
      searchDialogTable("TMarkFindForm", "マークで抽出 / Gleanix", kClientWidth, kClientHeight, rows());
  return table;
}

// The cloth of the mark's flag in the shared mark strip (16 x 16 per mark),
// a pixel the digit never covers.
sys::Color flagColour(const sys::Bitmap& marks, int mark) { return marks.at(mark * 16 + 3, 3); }

}  // namespace

TMarkFindForm::TMarkFindForm(core::StartedPlugin& plugin, sys::WindowHandle owner)
    : TPickupDialog(plugin, layout(), owner, kMarkFind, kMarkFindFormName) {
  for (std::size_t i = 0; i < checks_.size(); ++i) checks_[i] = &component<ui::TCheckBox>(kCheckNames[i]);
  const sys::Bitmap& marks = plugin.commonForm().MarksImage();
  for (int mark = 0; mark <= 7; ++mark) component<ui::TPanel>(swatchName(mark)).setColor(flagColour(marks, mark));
  handler("FormShow", &TMarkFindForm::FormShow);
  handler("MarkCheckClick", &TMarkFindForm::MarkCheckClick);
  handler("OKButtonClick", &TMarkFindForm::OKButtonClick);
  created();
}

void TMarkFindForm::FormShow() {
  applyExpandOnCheckAll();
  for (std::size_t i = 0; i < checks_.size(); ++i) {
    checks_[i]->setChecked(plugin().settings().readBool(kMarkFind, kMarkKeys[i], markKeyDefault(i)));
  }
  updateOKButton();
}

void TMarkFindForm::MarkCheckClick() { updateOKButton(); }

void TMarkFindForm::updateOKButton() {
  const bool any = std::any_of(checks_.begin(), checks_.end(), [](const ui::TCheckBox* c) { return c->checked(); });
  component<ui::TButton>("OKButton").setEnabled(any);
}

// The button's modal result ends the dialog right after this; the dialog
// then hides as the modal run ends.
void TMarkFindForm::OKButtonClick() {
  writeFolderList();
  for (std::size_t i = 0; i < checks_.size(); ++i) {
    plugin().settings().writeSetting(kMarkFind, kMarkKeys[i], checks_[i]->checked());
  }
  plugin().settings().saveSettings(plugin().fs());
}

}  // namespace gleanix::pickupcommands
