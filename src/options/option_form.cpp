#include "options/option_form.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "controls/mailbox_tree_view.h"
#include "core/form_services.h"
#include "settings/tree_settings.h"
#include "ui/std_controls.h"

namespace gleanix::options {
namespace {

// The three pickup commands: the prefix of their pages' components, which
// is also the name of their settings section.
constexpr std::array<std::string_view, 3> kCommands = {"Related", "KeyFind", "MarkFind"};

constexpr std::string_view kCrLf = "\r\n";
constexpr const char* kDefaultMenuCaption = "Sorvek(&K)";
constexpr const char* kMenuMessage =
    "メニューの設定は、すぐには反映しない場合があります。\r\n"
    "確実に反映させるには、Quillon を起動しなおしてください。";

std::string cat(std::string_view a, std::string_view b) { return std::string(a) + std::string(b); }

// A check box kept as a boolean whose default is true.
struct CheckSetting {
  std::string control;
  std::string section;
  std::string key;
  // An item built into the host's menus once per window: changing it needs
  // the menus rebuilt. Context menus are built each time they open.
  bool inMenuBar = false;
};

const std::vector<CheckSetting>& checkSettings() {
  static const std::vector<CheckSetting> all = [] {
    std::vector<CheckSetting> v = {
        {"StatusBarCheck", "Pickup", "StatusBar"},
        {"MainRelatedCheck", "MainMenu", "Related", true},
        {"MainKeyFindCheck", "MainMenu", "KeyFind", true},
        {"MainMarkFindCheck", "MainMenu", "MarkFind", true},
        {"ContextRelatedCheck", "ContextMenu", "Related"},
        {"ContextKeyFindCheck", "ContextMenu", "KeyFind"},
        {"ContextMarkFindCheck", "ContextMenu", "MarkFind"},
        // Hidden: kept as it is stored.
        {"ButtonCheck", "View", "Buttons"},
        {"ViewRelatedCheck", "View", "Related", true},
        {"ViewSearchCheck", "View", "Search", true},
        {"ViewContextRelatedCheck", "View\\Context", "Related"},
        {"ViewContextSearchCheck", "View\\Context", "Search"},
        {"SearchMLCheck", "ViewContext", "SearchML"},
        {"ViewSearchCommonKeywordCheck", "View\\Search", "CommonKeyword"},
        {"SendSearchCheck", "Send", "Search", true},
        {"SendContextSearchCheck", "Send\\Context", "Search"},
        {"PluginHeaderCheck", "Header", "X-Mailer-Plugin"},
    };
    for (std::string_view c : kCommands) {
      v.push_back({cat(c, "TreeExpandOnCheckAll"), cat(c, "\\Tree"), "ExpandOnCheckAll"});
    }
    return v;
  }();
  return all;
}

// Three radio buttons kept as the number of the checked one. A stored
// number outside 0-2 checks none of them, and OK then writes the fallback,
// which is also the default of a number never stored.
struct RadioSetting {
  std::array<std::string, 3> radios;  // by number
  std::string section;
  std::string key;
  std::int32_t fallback = 0;
};

const std::vector<RadioSetting>& radioSettings() {
  static const std::vector<RadioSetting> all = [] {
    std::vector<RadioSetting> v;
    for (std::string_view c : kCommands) {
      v.push_back({{cat(c, "TreeLastRadio"), cat(c, "TreeCurrentRadio"), cat(c, "TreeNoneRadio")},
                   cat(c, "\\Tree"), "Check", 0});
      v.push_back({{cat(c, "TreeFullOpenRadio"), cat(c, "TreeFullClosedRadio"), cat(c, "TreeCheckedOnlyRadio")},
                   cat(c, "\\Tree"), "Open", 0});
      v.push_back(
          {{cat(c, "DestinationAskRadio"), cat(c, "DestinationPickupRadio"), cat(c, "DestinationCopyRadio")},
           std::string(c), "Destination", 1});
    }
    return v;
  }();
  return all;
}

std::int32_t storedNumber(const settings::SettingsCache& s, const RadioSetting& r) {
  // "Check" takes its default from the older "Last".
  if (r.key == "Check") return settings::readTreeCheckMode(s, r.section);
  return s.readInt(r.section, r.key, r.fallback);
}

// A width for a pane beside a splitter that leaves both sides usable.
int paneWidth(int wanted, const ui::TControl& pane) {
  const int room = pane.parent()->clientWidth() - layout::kSplitterWidth - layout::kMinPaneWidth;
  return std::clamp(wanted, layout::kMinPaneWidth, std::max(layout::kMinPaneWidth, room));
}

ui::TTreeNode* nextSibling(const ui::TTreeView& tree, const ui::TTreeNode* node) {
  const auto& level = node->parent() ? node->parent()->children() : tree.topNodes();
  for (std::size_t i = 0; i + 1 < level.size(); ++i) {
    if (level[i].get() == node) return level[i + 1].get();
  }
  return nullptr;
}

// The next sibling, made when there is none.
ui::TTreeNode* nextOrNew(ui::TTreeView& tree, ui::TTreeNode* node) {
  ui::TTreeNode* next = nextSibling(tree, node);
  return next ? next : tree.addChild(node->parent(), "");
}

}  // namespace

TOptionForm::TOptionForm(core::StartedPlugin& plugin, sys::WindowHandle owner)
    : ui::TForm(plugin.desktop(), optionFormLayout(), owner), plugin_(plugin) {
  handler("FormCreate", &TOptionForm::FormCreate);
  handler("FormShow", &TOptionForm::FormShow);
  handler("FormClose", &TOptionForm::FormClose);
  handler("CategoryTreeChange", &TOptionForm::CategoryTreeChange);
  handler("FontButtonClick", &TOptionForm::FontButtonClick);
  handler("ColorButtonClick", &TOptionForm::ColorButtonClick);
  handler("DestinationRadioClick", &TOptionForm::DestinationRadioClick);
  handler("OkButtonClick", &TOptionForm::OkButtonClick);
  handler("CancelButtonClick", &TOptionForm::CancelButtonClick);
  handler("HelpButtonClick", &TOptionForm::HelpButtonClick);
  created();
}

ui::TTabSheet* TOptionForm::pageOf(const ui::TTreeNode* node) const {
  if (!node) return nullptr;
  auto it = pageOfNode_.find(node->id());
  return it == pageOfNode_.end() ? nullptr : it->second;
}

void TOptionForm::FormCreate() {
  sys::Font bold = font();
  bold.bold = true;
  component<ui::TLabel>("CaptionLabel").setFont(bold);
  // The sample shows the list's background, whose own default is the
  // system window colour.
  setSample(font(), desktop().systemColor(sys::SystemColor::Window));

  core::restoreFormGeometry(plugin_, *this, kOptionFormSection);
  designedPanelWidth_ = component<ui::TPanel>("RelatedLeftPanel").width();
  for (std::string_view c : kCommands) {
    auto& panel = component<ui::TPanel>(cat(c, "LeftPanel"));
    panel.setWidth(paneWidth(plugin_.settings().readInt(c, "PanelWidth", designedPanelWidth_), panel));
  }
  buildCategoryTree();
}

// Each page's tag places it: tag div 10 is its top-level node, tag mod 10
// its child there (0: the top-level node itself). Missing nodes on the way
// are made.
void TOptionForm::buildCategoryTree() {
  auto& tree = component<ui::TTreeView>("CategoryTree");
  for (ui::TTabSheet* page : component<ui::TPageControl>("PageControl1").pages()) {
    if (page->tag() < 0) continue;
    const int major = page->tag() / 10;
    const int minor = page->tag() % 10;
    ui::TTreeNode* node = tree.topNodes().empty() ? tree.addChild(nullptr, "") : tree.topNodes().front().get();
    for (int i = 0; i < major; ++i) node = nextOrNew(tree, node);
    if (minor > 0) {
      node = node->hasChildren() ? node->children().front().get() : tree.addChild(node, "");
      for (int i = 1; i < minor; ++i) node = nextOrNew(tree, node);
    }
    node->setText(page->caption());
    pageOfNode_[node->id()] = page;
  }
  tree.fullExpand();
}

void TOptionForm::FormShow() {
  auto& categoryPanel = component<ui::TPanel>("CategoryPanel");
  categoryPanel.setWidth(
      paneWidth(plugin_.settings().readInt(kOptionFormSection, "TreeWidth", categoryPanel.width()), categoryPanel));

  auto& tree = component<ui::TTreeView>("CategoryTree");
  if (!tree.topNodes().empty()) {
    ui::TTreeNode* chosen = tree.topNodes().front().get();
    // The first node with that text: of two equal captions the earlier wins.
    const std::string last = plugin_.settings().readString(kOptionFormSection, "Last", "");
    for (ui::TTreeNode* n : tree.nodes()) {
      if (n->text() == last) {
        chosen = n;
        break;
      }
    }
    tree.setSelected(chosen);
    selectCategory(chosen);
  }
  tree.setFocus();

  loadSettings();
  applyDestinationRule();
}

void TOptionForm::CategoryTreeChange() { selectCategory(component<ui::TTreeView>("CategoryTree").selected()); }

void TOptionForm::selectCategory(ui::TTreeNode* node) {
  ui::TTabSheet* page = pageOf(node);
  if (!page) return;
  component<ui::TPageControl>("PageControl1").setActivePage(page);
  component<ui::TLabel>("CaptionLabel").setCaption(node->text());
}

void TOptionForm::loadSettings() {
  const settings::SettingsCache& s = plugin_.settings();
  auto& sample = component<ui::TPanel>("FontPanel");
  setSample(core::restoreFont(s, "Pickup", sample.font()),
            static_cast<sys::Color>(s.readInt("Pickup", "Color", static_cast<std::int32_t>(sampleColor_))));

  for (const CheckSetting& c : checkSettings()) {
    component<ui::TCheckBox>(c.control).setChecked(s.readBool(c.section, c.key, true));
  }
  component<ui::TCheckBox>("PluginHeaderCheck").setEnabled(true);

  for (const RadioSetting& r : radioSettings()) {
    const std::int32_t n = storedNumber(s, r);
    for (int i = 0; i < 3; ++i) component<ui::TRadioButton>(r.radios[i]).setChecked(false);
    if (n >= 0 && n <= 2) component<ui::TRadioButton>(r.radios[n]).setChecked(true);
  }

  const std::string mailRoot = plugin_.host().getMailbox();
  for (std::string_view c : kCommands) {
    auto& tree = component<controls::TMailboxTreeView>(cat(c, "DestinationTree"));
    tree.setFileSystem(&plugin_.fs());
    tree.setPath(mailRoot);
    const std::string wanted = cat(kCrLf, s.readString(cat(c, "\\Destination"), "Folder", "")) + std::string(kCrLf);
    for (ui::TTreeNode* n : tree.nodes()) {
      if (n->stateIndex() != controls::TMailboxTreeView::kUnchecked) continue;
      if (wanted.find(cat(kCrLf, tree.pathOf(n)) + std::string(kCrLf)) == std::string::npos) continue;
      n->setStateIndex(controls::TMailboxTreeView::kChecked);
      for (ui::TTreeNode* p = n->parent(); p; p = p->parent()) p->expand(false);
    }
  }

  component<ui::TEdit>("MenuCaptionEdit").setText(s.readString("Menu", "Caption", kDefaultMenuCaption));
}

void TOptionForm::applyDestinationRule() {
  for (std::string_view c : kCommands) {
    const bool copy = component<ui::TRadioButton>(cat(c, "DestinationCopyRadio")).checked();
    component<controls::TMailboxTreeView>(cat(c, "DestinationTree")).setEnabled(copy);
  }
}

void TOptionForm::DestinationRadioClick() { applyDestinationRule(); }

void TOptionForm::setSample(const sys::Font& f, sys::Color color) {
  auto& sample = component<ui::TPanel>("FontPanel");
  sample.setFont(f);
  sample.setColor(color);
  sampleColor_ = color;
}

void TOptionForm::FontButtonClick(ui::EventArgs& args) {
  auto& sample = component<ui::TPanel>("FontPanel");
  if (args.sender == findComponent("DefaultFontButton")) {
    setSample(font(), sampleColor_);
    return;
  }
  sys::Font chosen = sample.font();
  if (desktop().chooseFont(handle(), chosen)) setSample(chosen, sampleColor_);
}

void TOptionForm::ColorButtonClick(ui::EventArgs& args) {
  const sys::Font sampleFont = component<ui::TPanel>("FontPanel").font();
  if (args.sender == findComponent("DefaultColorButton")) {
    setSample(sampleFont, desktop().systemColor(sys::SystemColor::Window));
    return;
  }
  sys::Color chosen = sampleColor_;
  if (desktop().chooseColor(handle(), chosen)) setSample(sampleFont, chosen);
}

bool TOptionForm::menusChanged() const {
  const settings::SettingsCache& s = plugin_.settings();
  if (component<ui::TEdit>("MenuCaptionEdit").text() != s.readString("Menu", "Caption", kDefaultMenuCaption)) {
    return true;
  }
  return std::any_of(checkSettings().begin(), checkSettings().end(), [&](const CheckSetting& c) {
    return c.inMenuBar && component<ui::TCheckBox>(c.control).checked() != s.readBool(c.section, c.key, true);
  });
}

void TOptionForm::writeSettings() {
  settings::SettingsCache& s = plugin_.settings();
  core::saveFont(s, "Pickup", component<ui::TPanel>("FontPanel").font());
  s.writeSetting("Pickup", "Color", static_cast<std::int32_t>(sampleColor_));

  for (const CheckSetting& c : checkSettings()) {
    s.writeSetting(c.section, c.key, component<ui::TCheckBox>(c.control).checked());
  }
  for (const RadioSetting& r : radioSettings()) {
    std::int32_t n = r.fallback;
    for (int i = 0; i < 3; ++i) {
      if (component<ui::TRadioButton>(r.radios[i]).checked()) n = i;
    }
    s.writeSetting(r.section, r.key, n);
  }

  for (std::string_view c : kCommands) {
    auto& tree = component<controls::TMailboxTreeView>(cat(c, "DestinationTree"));
    // A store that could not be read shows no folders; the stored choice
    // then stays as it was instead of being emptied.
    if (tree.count() == 0) continue;
    std::string folders;
    for (ui::TTreeNode* n : tree.nodes()) {
      if (n->stateIndex() != controls::TMailboxTreeView::kChecked) continue;
      if (!folders.empty()) folders += kCrLf;
      folders += tree.pathOf(n);
    }
    s.writeSetting(cat(c, "\\Destination"), "Folder", folders);
  }

  s.writeSetting("Menu", "Caption", component<ui::TEdit>("MenuCaptionEdit").text());
}

void TOptionForm::OkButtonClick() {
  // Compared before anything is written.
  const bool menus = menusChanged();
  writeSettings();
  plugin_.settings().saveSettings(plugin_.fs());
  if (menus) {
    desktop().messageBox(handle(), kMenuMessage, "ご参考", sys::MessageIcon::Information, sys::MessageButtons::Ok);
  }
  setModalResult(sys::result::Ok);
}

void TOptionForm::CancelButtonClick() { setModalResult(sys::result::Cancel); }

void TOptionForm::HelpButtonClick() { core::showHelp(plugin_, handle()); }

// For OK, Cancel and the close box alike: the dialog's own layout.
void TOptionForm::FormClose(ui::EventArgs&) {
  settings::SettingsCache& s = plugin_.settings();
  s.writeSetting(kOptionFormSection, "TreeWidth", component<ui::TPanel>("CategoryPanel").width());
  for (std::string_view c : kCommands) {
    s.writeSetting(c, "PanelWidth", component<ui::TPanel>(cat(c, "LeftPanel")).width());
  }
  if (ui::TTreeNode* node = component<ui::TTreeView>("CategoryTree").selected()) {
    s.writeSetting(kOptionFormSection, "Last", node->text());
  }
  core::saveFormGeometry(plugin_, *this, kOptionFormSection);
}

}  // namespace gleanix::options
