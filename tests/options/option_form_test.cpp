// The options dialog on the simulated desktop, driven as a user would:
// categories, the settings behind every control, the menu message, the
// destination trees, the font and colour sample, the pane widths, and
// APCSetup handing the new look to the open pickup list windows.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/mailbox_tree_test_store.h"
#include "controls/mailbox_tree_view.h"
#include "options/option_form.h"
#include "options/setup.h"
#include "option_store.h"
#include "support/fake_pickup_window.h"
#include "support/form_fit.h"
#include "support/plugin_fixture.h"
#include "ui/std_controls.h"

namespace gleanix::options {
namespace {

using controls::TMailboxTreeView;

const char* const kMenuMessage =
    "メニューの設定は、すぐには反映しない場合があります。\r\n確実に反映させるには、Quillon を起動しなおしてください。";

// A pickup list window that notes the background colour the settings held
// each time it was told to take its look again.
class LookWindow : public testing::FakePickupWindow {
 public:
  LookWindow(sys::WindowHandle h, const settings::SettingsCache& s) : FakePickupWindow(h), settings_(s) {}
  void applyLookSettings() override { colors.push_back(settings_.readInt("Pickup", "Color", -1)); }
  std::vector<std::int32_t> colors;

 private:
  const settings::SettingsCache& settings_;
};

class OptionDialog : public testing::PluginTest {
 protected:
  OptionDialog() {
    testing::writeOptionStore(*fs, testing::kMailRoot);
    EXPECT_EQ(startUp(), 255);
  }

  settings::SettingsCache& s() { return started().settings(); }
  // A window of the pickup list window's class on the desktop.
  sys::WindowHandle listWindow() {
    return desktop->createWindow({.kind = sys::ControlKind::Form, .className = "TFolderForm"}, nullptr);
  }

  // Opens a fresh dialog, runs the script while it is shown and returns the
  // modal result.
  int run(const std::function<void(TOptionForm&)>& script) {
    TOptionForm form(started());
    desktop->onModal([&](sys::WindowHandle) { script(form); });
    return form.showModal();
  }

  static sys::WindowHandle h(TOptionForm& f, const std::string& name) {
    return f.component<ui::TControl>(name).handle();
  }
  void click(TOptionForm& f, const std::string& name) { ASSERT_TRUE(desktop->click(h(f, name))) << name; }
  bool checked(TOptionForm& f, const std::string& name) { return f.component<ui::TCheckBox>(name).checked(); }
  bool radio(TOptionForm& f, const std::string& name) { return f.component<ui::TRadioButton>(name).checked(); }

  // The category node with that text, under the top-level node "parent"
  // (empty: a top-level node).
  static ui::TTreeNode* category(TOptionForm& f, const std::string& parent, const std::string& text) {
    for (ui::TTreeNode* n : f.component<ui::TTreeView>("CategoryTree").nodes()) {
      const std::string above = n->parent() ? n->parent()->text() : "";
      if (above == parent && n->text() == text) return n;
    }
    return nullptr;
  }
  void choose(TOptionForm& f, const std::string& parent, const std::string& text) {
    ui::TTreeNode* n = category(f, parent, text);
    ASSERT_TRUE(n) << text;
    ASSERT_TRUE(desktop->selectTreeItem(h(f, "CategoryTree"), n->item()));
  }
  static std::string shownPage(TOptionForm& f) {
    ui::TTabSheet* page = f.component<ui::TPageControl>("PageControl1").activePage();
    return page ? page->name() : "";
  }
  static ui::TTreeNode* selectedCategory(TOptionForm& f) {
    return f.component<ui::TTreeView>("CategoryTree").selected();
  }
};

TEST_F(OptionDialog, CategoryTreeIsBuiltFromThePageTagsAndShowsOnePage) {
  run([&](TOptionForm& f) {
    std::vector<std::string> shape;
    for (ui::TTreeNode* n : f.component<ui::TTreeView>("CategoryTree").nodes()) {
      shape.push_back(std::string(n->level(), '-') + n->text());
      EXPECT_TRUE(!n->hasChildren() || n->expanded()) << n->text();
      EXPECT_EQ(f.pageOf(n)->caption(), n->text());
    }
    EXPECT_EQ(shape, (std::vector<std::string>{
                         "ピックアップメール一覧画面", "-関連メールのピックアップ", "-キーワードでピックアップ",
                         "-マークでピックアップ", "メイン画面", "-右ボタンメニュー", "VIEW画面", "-右ボタンメニュー",
                         "-メール内の検索", "送信画面", "-右ボタンメニュー"}));
    EXPECT_EQ(desktop->text(f.handle()), "設定 / Gleanix");
    EXPECT_EQ(shownPage(f), "PickupPage");
    choose(f, "送信画面", "右ボタンメニュー");
    EXPECT_EQ(shownPage(f), "SendContextManuPage");
    EXPECT_EQ(f.component<ui::TLabel>("CaptionLabel").caption(), "右ボタンメニュー");
    EXPECT_FALSE(desktop->isVisible(h(f, "PickupPage")));
    EXPECT_TRUE(testing::layoutFaults(f).empty()) << ::testing::PrintToString(testing::layoutFaults(f));
  });
}

TEST_F(OptionDialog, ReopeningSelectsTheFirstCategoryWithTheTextUsedLast) {
  run([&](TOptionForm& f) { choose(f, "VIEW画面", "メール内の検索"); });
  EXPECT_EQ(s().readString("OptionForm", "Last", ""), "メール内の検索");
  run([&](TOptionForm& f) {
    EXPECT_EQ(selectedCategory(f)->parent()->text(), "VIEW画面");
    EXPECT_EQ(shownPage(f), "ViewSearchPage");
    EXPECT_EQ(f.component<ui::TLabel>("CaptionLabel").caption(), "メール内の検索");
    choose(f, "VIEW画面", "右ボタンメニュー");
  });
  // Three pages share that caption: the main window's comes first.
  run([&](TOptionForm& f) {
    EXPECT_EQ(selectedCategory(f)->parent()->text(), "メイン画面");
    EXPECT_EQ(shownPage(f), "ContextMenupage");
  });
}

TEST_F(OptionDialog, EveryCheckBoxReadsAndWritesItsOwnSetting) {
  struct Item {
    const char* control;
    const char* section;
    const char* key;
  };
  const std::vector<Item> items = {
      {"StatusBarCheck", "Pickup", "StatusBar"},
      {"MainRelatedCheck", "MainMenu", "Related"},
      {"MainKeyFindCheck", "MainMenu", "KeyFind"},
      {"MainMarkFindCheck", "MainMenu", "MarkFind"},
      {"ContextRelatedCheck", "ContextMenu", "Related"},
      {"ContextKeyFindCheck", "ContextMenu", "KeyFind"},
      {"ContextMarkFindCheck", "ContextMenu", "MarkFind"},
      {"ButtonCheck", "View", "Buttons"},
      {"ViewRelatedCheck", "View", "Related"},
      {"ViewSearchCheck", "View", "Search"},
      {"ViewContextRelatedCheck", "View\\Context", "Related"},
      {"ViewContextSearchCheck", "View\\Context", "Search"},
      {"SearchMLCheck", "ViewContext", "SearchML"},
      {"ViewSearchCommonKeywordCheck", "View\\Search", "CommonKeyword"},
      {"SendSearchCheck", "Send", "Search"},
      {"SendContextSearchCheck", "Send\\Context", "Search"},
      {"PluginHeaderCheck", "Header", "X-Mailer-Plugin"},
      {"RelatedTreeExpandOnCheckAll", "Related\\Tree", "ExpandOnCheckAll"},
      {"KeyFindTreeExpandOnCheckAll", "KeyFind\\Tree", "ExpandOnCheckAll"},
      {"MarkFindTreeExpandOnCheckAll", "MarkFind\\Tree", "ExpandOnCheckAll"},
  };
  // Nothing stored: every box is ticked.
  run([&](TOptionForm& f) {
    for (const Item& i : items) EXPECT_TRUE(checked(f, i.control)) << i.control;
  });
  // One setting false at a time: exactly its box is clear, and OK writes
  // every box back unchanged (so no menu message either).
  for (const Item& off : items) {
    for (const Item& i : items) s().writeSetting(i.section, i.key, &i != &off);
    EXPECT_EQ(run([&](TOptionForm& f) {
                for (const Item& i : items) {
                  EXPECT_EQ(checked(f, i.control), &i != &off) << off.control << " " << i.control;
                }
                click(f, "OkButton");
              }),
              sys::result::Ok);
    for (const Item& i : items) EXPECT_EQ(s().readBool(i.section, i.key, true), &i != &off) << i.control;
  }
  EXPECT_TRUE(desktop->messageBoxes().empty());
  EXPECT_TRUE(fs->exists(testing::kSettingsFile));
}

TEST_F(OptionDialog, MenuMessageComesOnlyForItemsBuiltIntoTheMenuBars) {
  struct Case {
    const char* parent;
    const char* category;
    const char* control;
    bool message;
  };
  const std::vector<Case> cases = {
      {"メイン画面", "右ボタンメニュー", "ContextKeyFindCheck", false},
      {"VIEW画面", "右ボタンメニュー", "ViewContextRelatedCheck", false},
      {"VIEW画面", "右ボタンメニュー", "SearchMLCheck", false},
      {"送信画面", "右ボタンメニュー", "SendContextSearchCheck", false},
      {"", "送信画面", "PluginHeaderCheck", false},
      {"", "メイン画面", "MainMarkFindCheck", true},
      {"", "VIEW画面", "ViewSearchCheck", true},
      {"", "VIEW画面", "ViewRelatedCheck", true},
      {"", "送信画面", "SendSearchCheck", true},
  };
  for (const Case& c : cases) {
    const std::size_t before = desktop->messageBoxes().size();
    sys::WindowHandle dialog = 0;
    run([&](TOptionForm& f) {
      dialog = f.handle();
      choose(f, c.parent, c.category);
      click(f, c.control);
      click(f, "OkButton");
    });
    ASSERT_EQ(desktop->messageBoxes().size(), before + (c.message ? 1 : 0)) << c.control;
    if (c.message) {
      const backend::SimMessageBox& m = desktop->messageBoxes().back();
      EXPECT_EQ(m.text, kMenuMessage);
      EXPECT_EQ(m.caption, "ご参考");
      EXPECT_EQ(m.icon, sys::MessageIcon::Information);
      EXPECT_EQ(m.buttons, sys::MessageButtons::Ok);
      EXPECT_EQ(m.owner, dialog);
    }
  }
  // The menu caption as typed; a change undone before OK is no change.
  run([&](TOptionForm& f) {
    choose(f, "", "メイン画面");
    desktop->typeText(h(f, "MenuCaptionEdit"), "Gleanix(&G)");
    click(f, "OkButton");
  });
  EXPECT_EQ(s().readString("Menu", "Caption", ""), "Gleanix(&G)");
  const std::size_t before = desktop->messageBoxes().size();
  EXPECT_EQ(desktop->messageBoxes().back().text, kMenuMessage);
  run([&](TOptionForm& f) {
    choose(f, "", "メイン画面");
    click(f, "MainRelatedCheck");
    click(f, "MainRelatedCheck");
    click(f, "OkButton");
  });
  EXPECT_EQ(desktop->messageBoxes().size(), before);
}

TEST_F(OptionDialog, RadioGroupsFollowTheirNumbersAndFallBackWhenOutOfRange) {
  s().writeSetting("KeyFind\\Tree", "Last", false);
  s().writeSetting("MarkFind\\Tree", "Check", 7);
  s().writeSetting("MarkFind", "Destination", -1);
  s().writeSetting("Related\\Tree", "Open", 2);
  run([&](TOptionForm& f) {
    // No "Check" and "Last" false: only the open folder.
    EXPECT_TRUE(radio(f, "KeyFindTreeCurrentRadio"));
    EXPECT_TRUE(radio(f, "RelatedTreeLastRadio"));
    EXPECT_TRUE(radio(f, "RelatedTreeCheckedOnlyRadio"));
    EXPECT_TRUE(radio(f, "RelatedDestinationPickupRadio"));
    for (const char* r : {"MarkFindTreeLastRadio", "MarkFindTreeCurrentRadio", "MarkFindTreeNoneRadio",
                          "MarkFindDestinationAskRadio", "MarkFindDestinationPickupRadio",
                          "MarkFindDestinationCopyRadio"}) {
      EXPECT_FALSE(radio(f, r)) << r;
    }
    EXPECT_FALSE(f.component<TMailboxTreeView>("MarkFindDestinationTree").enabled());
    click(f, "OkButton");
  });
  EXPECT_EQ(s().readInt("KeyFind\\Tree", "Check", -9), 1);
  EXPECT_EQ(s().readInt("Related\\Tree", "Open", -9), 2);
  EXPECT_EQ(s().readInt("MarkFind\\Tree", "Check", -9), 0);
  EXPECT_EQ(s().readInt("MarkFind", "Destination", -9), 1);
  EXPECT_EQ(s().readInt("KeyFind", "Destination", -9), 1);
}

TEST_F(OptionDialog, DestinationTreeWorksOnlyForCopyButItsChecksAreWrittenAnyway) {
  s().writeSetting("KeyFind", "Destination", 2);
  s().writeSetting("KeyFind\\Destination", "Folder",
                   "Acc1\\User002.box\\User003.box\\\r\nAcc1\\Trash.box\r\nAcc1\\Inbox.box\\");
  run([&](TOptionForm& f) {
    choose(f, "ピックアップメール一覧画面", "キーワードでピックアップ");
    auto& tree = f.component<TMailboxTreeView>("KeyFindDestinationTree");
    EXPECT_TRUE(tree.enabled());
    EXPECT_FALSE(f.component<TMailboxTreeView>("RelatedDestinationTree").enabled());
    // The trash has no check box in a destination tree.
    EXPECT_EQ(testing::checkedPaths(tree),
              (std::vector<std::string>{"Acc1\\Inbox.box\\", "Acc1\\User002.box\\User003.box\\"}));
    EXPECT_TRUE(testing::nodeOfPath(tree, "Acc1\\User002.box\\")->expanded());

    ui::TTreeNode* friends = testing::nodeOfPath(tree, "Acc1\\User001.box\\");
    const sys::Rect box = desktop->treePartRect(tree.handle(), friends->item(), sys::TreePart::StateIcon);
    ASSERT_TRUE(desktop->clickAt(tree.handle(), sys::MouseButton::Left, {box.left + 2, box.top + 2}));
    click(f, "KeyFindDestinationAskRadio");
    EXPECT_FALSE(tree.enabled());
    EXPECT_FALSE(desktop->clickAt(tree.handle(), sys::MouseButton::Left, {box.left + 2, box.top + 2}));
    click(f, "OkButton");
  });
  EXPECT_EQ(s().readInt("KeyFind", "Destination", -9), 0);
  EXPECT_EQ(s().readString("KeyFind\\Destination", "Folder", ""),
            "Acc1\\Inbox.box\\\r\nAcc1\\User001.box\\\r\nAcc1\\User002.box\\User003.box\\");
  EXPECT_EQ(s().readString("Related\\Destination", "Folder", "absent"), "");
}

TEST_F(OptionDialog, UnreadableStoreKeepsTheStoredDestinations) {
  fs->removeFile(testing::kMailRoot + "Mailbox.ini");
  s().writeSetting("MarkFind\\Destination", "Folder", "Acc1\\Inbox.box\\");
  run([&](TOptionForm& f) { click(f, "OkButton"); });
  EXPECT_EQ(s().readString("MarkFind\\Destination", "Folder", ""), "Acc1\\Inbox.box\\");
}

TEST_F(OptionDialog, StandardBackgroundIsStoredAndTakenByEveryOpenListWindow) {
  s().writeSetting("Pickup", "Color", 0x123456);
  std::vector<std::shared_ptr<LookWindow>> windows;
  for (int i = 0; i < 3; ++i) {
    windows.push_back(std::make_shared<LookWindow>(listWindow(), s()));
    started().pickupWindows().add(windows.back());
  }
  desktop->destroyWindow(windows[1]->handle());  // closed by the user meanwhile
  const sys::Color white = desktop->systemColor(sys::SystemColor::Window);
  desktop->onModal([&](sys::WindowHandle form) {
    const sys::WindowHandle sample = desktop->child(form, "FontPanel");
    EXPECT_EQ(desktop->window(sample).color, sys::Color{0x123456});
    desktop->click(desktop->child(form, "DefaultColorButton"));
    EXPECT_EQ(desktop->window(sample).color, white);
    desktop->click(desktop->child(form, "OkButton"));
  });
  APCSetup(started(), 0);
  EXPECT_EQ(s().readInt("Pickup", "Color", -1), static_cast<std::int32_t>(white));
  EXPECT_EQ(windows[0]->colors, (std::vector<std::int32_t>{static_cast<std::int32_t>(white)}));
  EXPECT_TRUE(windows[1]->colors.empty());
  EXPECT_EQ(windows[2]->colors, windows[0]->colors);
  EXPECT_EQ(started().pickupWindows().size(), 2u);
}

TEST_F(OptionDialog, ChoosersFeedTheSampleAndOkStoresItsFont) {
  sys::Font arial{"Arial", 14, sys::rgb(0, 0, 128), true};
  desktop->answerFont(arial);
  desktop->answerFont(std::nullopt);
  desktop->answerColor(sys::rgb(1, 2, 3));
  desktop->answerColor(std::nullopt);
  run([&](TOptionForm& f) {
    const sys::WindowHandle sample = h(f, "FontPanel");
    click(f, "FontButton");
    EXPECT_EQ(desktop->window(sample).font, arial);
    click(f, "FontButton");  // cancelled
    EXPECT_EQ(desktop->window(sample).font, arial);
    click(f, "ColorButton");
    click(f, "ColorButton");  // cancelled
    EXPECT_EQ(desktop->window(sample).color, sys::rgb(1, 2, 3));
    click(f, "OkButton");
  });
  EXPECT_EQ(s().readString("Pickup\\Font", "Name", ""), "Arial");
  EXPECT_EQ(s().readInt("Pickup\\Font", "Size", 0), 14);
  EXPECT_TRUE(s().readBool("Pickup\\Font", "Bold", false));
  EXPECT_EQ(s().readInt("Pickup", "Color", 0), static_cast<std::int32_t>(sys::rgb(1, 2, 3)));
  // "標準フォント" is the dialog's own font again.
  run([&](TOptionForm& f) {
    EXPECT_EQ(f.component<ui::TPanel>("FontPanel").font(), arial);
    click(f, "DefaultFontButton");
    EXPECT_EQ(f.component<ui::TPanel>("FontPanel").font(), f.font());
    click(f, "OkButton");
  });
  EXPECT_EQ(s().readString("Pickup\\Font", "Name", ""), sys::Font{}.name);
}

TEST_F(OptionDialog, CancelLeavesTheStoredFontAndTheOpenWindowsAlone) {
  s().writeSetting("Pickup\\Font", "Name", "ＭＳ ゴシック");
  s().saveSettings(*fs);
  auto window = std::make_shared<LookWindow>(listWindow(), s());
  started().pickupWindows().add(window);
  desktop->answerFont(sys::Font{"Arial", 12});
  desktop->onModal([&](sys::WindowHandle form) {
    desktop->click(desktop->child(form, "FontButton"));
    desktop->click(desktop->child(form, "CancelButton"));
  });
  APCSetup(started(), 0);
  EXPECT_EQ(s().readString("Pickup\\Font", "Name", ""), "ＭＳ ゴシック");
  EXPECT_EQ(fs->content(testing::kSettingsFile).find("Arial"), std::string::npos);
  EXPECT_TRUE(window->colors.empty());
  // The dialog's own layout is still kept.
  EXPECT_EQ(s().readString("OptionForm", "Last", ""), "ピックアップメール一覧画面");
  EXPECT_TRUE(s().readSetting("OptionForm", "Left", {}).toInt().has_value());
}

TEST_F(OptionDialog, PaneWidthsAreKeptEachForItsOwnPage) {
  s().writeSetting("MarkFind", "PanelWidth", 5000);  // wider than the page
  run([&](TOptionForm& f) {
    EXPECT_GE(f.component<ui::TPanel>("MarkFindRightPanel").width(), layout::kMinPaneWidth);
    choose(f, "ピックアップメール一覧画面", "キーワードでピックアップ");
    ASSERT_TRUE(desktop->drag(h(f, "KeyFindSplitter"), {2, 50}, {42, 50}));
    ASSERT_TRUE(desktop->drag(h(f, "MainSplitter"), {2, 50}, {22, 50}));
  });
  EXPECT_EQ(s().readInt("KeyFind", "PanelWidth", 0), layout::kLeftPanelWidth + 40);
  EXPECT_EQ(s().readInt("Related", "PanelWidth", 0), layout::kLeftPanelWidth);
  EXPECT_EQ(s().readInt("OptionForm", "TreeWidth", 0), layout::kCategoryWidth + 20);
  run([&](TOptionForm& f) {
    EXPECT_EQ(f.component<ui::TPanel>("KeyFindLeftPanel").width(), layout::kLeftPanelWidth + 40);
    EXPECT_EQ(f.component<ui::TPanel>("RelatedLeftPanel").width(), layout::kLeftPanelWidth);
    EXPECT_EQ(f.component<ui::TPanel>("CategoryPanel").width(), layout::kCategoryWidth + 20);
  });
}

TEST_F(OptionDialog, GeometryIsKeptUnderOptionForm) {
  s().writeSetting("OptionForm", "Left", 40);
  s().writeSetting("OptionForm", "Top", 30);
  s().writeSetting("OptionForm", "Width", 800);
  run([&](TOptionForm& f) {
    EXPECT_EQ(f.windowRect().left, 40);
    EXPECT_EQ(f.windowRect().width(), 800);
    desktop->setBounds(f.handle(), {60, 70, 860, 570});
  });
  EXPECT_EQ(s().readInt("OptionForm", "Left", 0), 60);
  EXPECT_EQ(s().readInt("OptionForm", "Height", 0), 500);
}

TEST_F(OptionDialog, HelpOpensTheHelpFileOwnedByTheDialog) {
  registry->putString(sys::RegistryRoot::LocalMachine, "SOFTWARE\\Brantor\\Quillon", "InstallPath",
                      testing::kExeDir + "Quillon.exe");
  fs->addFile(testing::kExeDir + "Plugins\\Gleanix.hlp", "help");
  sys::WindowHandle dialog = 0;
  run([&](TOptionForm& f) {
    dialog = f.handle();
    click(f, "HelpButton");
  });
  ASSERT_TRUE(shell->lastCall().has_value());
  EXPECT_EQ(shell->lastCall()->owner, dialog);
  EXPECT_TRUE(shell->opened(testing::kExeDir + "Plugins\\Gleanix.hlp"));
}

TEST_F(OptionDialog, SetupOwnsTheDialogByTheHostWindowAndGivesItTheIcon) {
  const sys::WindowHandle host =
      desktop->createWindow({.kind = sys::ControlKind::Form, .className = "TMainForm"}, nullptr);
  desktop->setVisible(host, true);
  sys::WindowHandle iconed = 0;
  desktop->onModal([&](sys::WindowHandle form) {
    EXPECT_EQ(form, iconed);
    EXPECT_EQ(desktop->owner(form), host);
    EXPECT_FALSE(desktop->isEnabled(host));
  });
  APCSetup(started(), host, [&](sys::WindowHandle w) { iconed = w; });
  EXPECT_TRUE(desktop->isEnabled(host));
  // A handle that names no window: the dialog has no owner.
  desktop->onModal([&](sys::WindowHandle form) { EXPECT_EQ(desktop->owner(form), 0u); });
  APCSetup(started(), 0xDEAD);
  EXPECT_EQ(desktop->modalDepth(), 0);
}

}  // namespace
}  // namespace gleanix::options
