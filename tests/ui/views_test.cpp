// List views, owner-drawn header controls, tree views and image lists on
// the simulated desktop.

#include <gtest/gtest.h>

#include "backend/sim/sim_desktop.h"
#include "ui/form.h"
#include "ui/header_control.h"
#include "ui/image_list.h"
#include "ui/list_view.h"
#include "ui/std_controls.h"
#include "ui/tree_view.h"

namespace gleanix::ui {
namespace {

using backend::SimDesktop;

const FormTable kViews = {
    .className = "TViewsForm",
    .clientWidth = 400,
    .clientHeight = 300,
    .controls =
        {
            {.kind = make<THeaderControl>, .name = "HeaderControl1", .align = Align::Top, .bounds = {0, 0, 400, 20},
             .props = {.columns = {{"パス", 50}, {"フォルダ", 50}, {"送信日時", 50}}},
             .events = {{Event::OnDrawSection, "HeaderControl1DrawSection"},
                        {Event::OnSectionClick, "HeaderControl1SectionClick"},
                        {Event::OnSectionResize, "HeaderControl1SectionResize"}}},
            {.kind = make<TStatusBar>, .name = "StatusBar", .align = Align::Bottom, .bounds = {0, 280, 400, 20}},
            {.kind = make<TTreeView>, .name = "TreeView1", .align = Align::Left, .bounds = {0, 20, 150, 260},
             .props = {.readOnly = true}, .events = {{Event::OnChange, "TreeView1Change"}}},
            {.kind = make<TListView>, .name = "ListView1", .align = Align::Client, .bounds = {150, 20, 250, 260},
             .props = {.readOnly = true,
                       .hideSelection = false,
                       .multiSelect = true,
                       .rowSelect = true,
                       .showColumnHeaders = false,
                       .columns = {{"パス", 50}, {"フォルダ", 50}, {"題名", 80}}},
             .events = {{Event::OnChange, "ListView1Change"}, {Event::OnDblClick, "ListView1DblClick"}}},
            {.kind = make<TImageList>, .name = "ImageList1", .bounds = {0, 0, 16, 16}},
        },
};

class TViewsForm : public TForm {
 public:
  explicit TViewsForm(sys::Desktop& d) : TForm(d, kViews) {
    handler("HeaderControl1DrawSection", &TViewsForm::HeaderControl1DrawSection);
    handler("HeaderControl1SectionClick", &TViewsForm::HeaderControl1SectionClick);
    handler("HeaderControl1SectionResize", &TViewsForm::HeaderControl1SectionResize);
    handler("TreeView1Change", &TViewsForm::TreeView1Change);
    handler("ListView1Change", &TViewsForm::ListView1Change);
    handler("ListView1DblClick", &TViewsForm::ListView1DblClick);
    created();
  }
  // Bold caption for the sort column, as the pickup list draws its header.
  void HeaderControl1DrawSection(EventArgs& a) {
    sys::Font f = font();
    f.bold = a.index == sortColumn;
    a.canvas->setFont(f);
    a.canvas->fillRect(a.rect, desktop().systemColor(sys::SystemColor::ButtonFace));
    a.canvas->textOut({a.rect.left + 2, a.rect.top + 2}, header().sectionText(a.index));
  }
  void HeaderControl1SectionClick(EventArgs& a) { sortColumn = a.index; }
  void HeaderControl1SectionResize(EventArgs& a) { log.append("resize").append(std::to_string(a.index)).append(";"); }
  void TreeView1Change() { log += "tree;"; }
  void ListView1Change() { log += "list;"; }
  void ListView1DblClick() { log += "dbl;"; }

  THeaderControl& header() { return component<THeaderControl>("HeaderControl1"); }
  TListView& list() { return component<TListView>("ListView1"); }
  TTreeView& tree() { return component<TTreeView>("TreeView1"); }

  int sortColumn = -1;
  std::string log;
};

class Views : public ::testing::Test {
 protected:
  void SetUp() override { form.show(); }
  SimDesktop sim;
  TViewsForm form{sim};
};

TEST_F(Views, HeaderSectionsAreOwnerDrawnAndReportClicksAndResizes) {
  THeaderControl& h = form.header();
  EXPECT_EQ(h.sectionCount(), 3);
  EXPECT_EQ(h.sectionLeft(2), 100);
  sim.clickHeaderSection(h.handle(), 1);
  EXPECT_EQ(form.sortColumn, 1);
  sim.paint(h.handle());
  const auto& ops = sim.window(h.handle()).paintLog;
  // Per section: the canvas font, then the handler's font, fill and caption.
  ASSERT_EQ(ops.size(), 12u);
  EXPECT_FALSE(ops[1].font.bold);
  EXPECT_TRUE(ops[5].font.bold);
  EXPECT_EQ(ops[6].rect, (sys::Rect{50, 0, 100, 20}));
  EXPECT_EQ(ops[7].text, "フォルダ");
  EXPECT_EQ(ops[7].at, (sys::Point{52, 2}));
  sim.resizeHeaderSection(h.handle(), 2, 120);
  EXPECT_EQ(h.sectionWidth(2), 120);
  EXPECT_EQ(form.log, "resize2;");
}

TEST_F(Views, ListViewHoldsRowsWithStateImagesAndMultipleSelection) {
  TListView& l = form.list();
  EXPECT_EQ(l.columnCount(), 3);
  EXPECT_TRUE(sim.window(l.handle()).style & sys::kNoColumnHeader);
  EXPECT_TRUE(sim.window(l.handle()).style & sys::kRowSelect);
  for (int i = 0; i < 20; ++i) l.addItem({std::to_string(i), "F", "S"}, i % 8);
  l.insertItem(0, {"first"}, -1);
  EXPECT_EQ(l.count(), 21);
  EXPECT_EQ(l.itemText(0, 0), "first");
  EXPECT_EQ(l.itemText(0, 2), "");
  EXPECT_EQ(l.stateIndex(8), 7);
  l.setItemText(3, 2, "題名");
  EXPECT_EQ(l.itemText(3, 2), "題名");

  EXPECT_EQ(l.firstSelected(), -1);
  sim.selectListRows(l.handle(), {4, 2});
  EXPECT_EQ(l.firstSelected(), 2);
  EXPECT_EQ(l.selectedCount(), 2);
  EXPECT_EQ(form.log, "list;");
  l.deleteItem(2);
  EXPECT_EQ(l.firstSelected(), 3);

  // 260 pixels of 16-pixel rows, no header: 16 rows show.
  EXPECT_EQ(l.visibleRowCount(), 16);
  l.scrollBy(3);
  EXPECT_EQ(l.topIndex(), 3);
  l.scrollBy(100);
  EXPECT_EQ(l.topIndex(), 20 - 16);
  l.scrollBy(-100);
  EXPECT_EQ(l.topIndex(), 0);
}

TEST_F(Views, ClickingAListRowSelectsItAndDoubleClickReportsIt) {
  TListView& l = form.list();
  for (int i = 0; i < 3; ++i) l.addItem({std::to_string(i)});
  l.setSelected(0, true);
  sim.clickAt(l.handle(), sys::MouseButton::Left, {10, 16 + 3});  // the second row
  EXPECT_FALSE(l.isSelected(0));
  EXPECT_TRUE(l.isSelected(1));
  sim.clickAt(l.handle(), sys::MouseButton::Left, {10, 2 * 16 + 3}, sys::kCtrl);
  EXPECT_EQ(l.selectedCount(), 2);
  sim.doubleClickAt(l.handle(), {10, 3});
  EXPECT_EQ(form.log, "list;list;list;dbl;");
  sim.clickAt(l.handle(), sys::MouseButton::Left, {10, 200});  // below the rows
  EXPECT_EQ(l.selectedCount(), 0);
}

TEST_F(Views, TreeNodesKeepTheirOrderIdsAndParts) {
  TTreeView& t = form.tree();
  TTreeNode* root = t.addChild(nullptr, "root");
  TTreeNode* a = t.addChild(root, "a");
  TTreeNode* a1 = t.addChild(a, "a1");
  TTreeNode* b = t.addChild(root, "b");
  EXPECT_EQ(t.count(), 4);
  EXPECT_EQ(t.nodes(), (std::vector<TTreeNode*>{root, a, a1, b}));
  EXPECT_EQ(b->id(), 3);
  EXPECT_EQ(a1->level(), 2);
  a1->setStateIndex(2);
  a1->setImageIndex(7);
  EXPECT_EQ(sim.treeItem(t.handle(), a1->item()).state, 2);
  EXPECT_EQ(sim.treeItem(t.handle(), a1->item()).image, 7);

  root->expand(true);
  EXPECT_TRUE(a->expanded());
  EXPECT_FALSE(a1->expanded());  // no children: nothing to open
  root->collapse(false);
  EXPECT_TRUE(a->expanded());
  EXPECT_FALSE(root->expanded());
  t.fullCollapse();
  EXPECT_FALSE(a->expanded());

  t.clear();
  EXPECT_EQ(t.count(), 0);
  EXPECT_EQ(t.addChild(nullptr, "again")->id(), 0);
}

TEST_F(Views, ClickingATreeRowSelectsTheNodeAndReportsTheChange) {
  TTreeView& t = form.tree();
  TTreeNode* root = t.addChild(nullptr, "root");
  TTreeNode* child = t.addChild(root, "child");
  root->expand(false);
  const sys::Rect label = sim.treePartRect(t.handle(), child->item(), sys::TreePart::Label);
  ASSERT_GT(label.width(), 0);
  const TTreeView::Hit hit = t.hitTest(label.left + 1, label.top + 1);
  EXPECT_EQ(hit.node, child);
  EXPECT_EQ(hit.part, sys::TreePart::Label);
  sim.clickAt(t.handle(), sys::MouseButton::Left, {label.left + 1, label.top + 1});
  EXPECT_EQ(t.selected(), child);
  EXPECT_EQ(form.log, "tree;");
  // The button in front of the root toggles its branch.
  const sys::Rect button = sim.treePartRect(t.handle(), root->item(), sys::TreePart::Button);
  sim.clickAt(t.handle(), sys::MouseButton::Left, {button.left + 1, button.top + 1});
  EXPECT_FALSE(root->expanded());
  EXPECT_EQ(t.selected(), root);  // the hidden selection moved up to the branch
  EXPECT_EQ(t.hitTest(5, 200).node, nullptr);
}

TEST(ImageText, DigitsAreRowsFromTheBottomUpInTheSixteenColours) {
  // 2 x 2: bottom row black, red; top row lime, white.
  const sys::Bitmap b = bitmapFromText("09AF", 2, 2);
  EXPECT_EQ(b.at(0, 1), sys::rgb(0, 0, 0));
  EXPECT_EQ(b.at(1, 1), sys::rgb(255, 0, 0));
  EXPECT_EQ(b.at(0, 0), sys::rgb(0, 255, 0));
  EXPECT_EQ(b.at(1, 0), sys::rgb(255, 255, 255));
  EXPECT_EQ(paletteColor(7), sys::rgb(192, 192, 192));
  EXPECT_EQ(paletteColor(0xD), sys::rgb(255, 0, 255));
  EXPECT_THROW(bitmapFromText("09A", 2, 2), std::invalid_argument);
  EXPECT_THROW(bitmapFromText("09AG", 2, 2), std::invalid_argument);
}

TEST_F(Views, ImageListCutsAStripAndMasksTheTransparentColour) {
  auto& images = form.component<TImageList>("ImageList1");
  std::string text;
  for (int y = 0; y < 16; ++y) text += std::string(16, 'A') + std::string(16, '4');  // lime, then navy
  EXPECT_EQ(images.addMasked(bitmapFromText(text, 32, 16), sys::rgb(0, 255, 0)), 0);
  EXPECT_EQ(images.count(), 2);
  const backend::SimImageList& il = sim.imageList(images.handle());
  EXPECT_TRUE(il.transparent[0][0]);
  EXPECT_FALSE(il.transparent[1][0]);
  EXPECT_EQ(il.images[1].at(3, 3), sys::rgb(0, 0, 128));
  // A bitmap of the wrong height is refused.
  EXPECT_EQ(images.addMasked(bitmapFromText(std::string(16 * 8, '0'), 16, 8), 0), -1);
}

}  // namespace
}  // namespace gleanix::ui
