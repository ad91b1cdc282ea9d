#pragma once
// A started plug-in over quillon-sim on the simulated desktop with a small
// two-account store, for running the pickup commands from their command
// procedures with scripted answers, and reading back what they left.
//
// The store, as the folder trees show it:
//   C:\Mail\                          M
//     Home          Acc1\             A
//       郵便受け    Acc1\Inbox.box\   I   00000001 00000002 00000003
//       送信箱      Acc1\Outbox.box\  O   (empty)
//       ごみ箱      Acc1\Trash.box    T   Acc1\Inbox.box\00000006
//       Lists       Acc1\User001.box\ G
//         ml        ...\User002.box\  F   00000004
//     Work          Acc2\             A
//       郵便受け    Acc2\Inbox.box\   I   00000005
//       送信箱      Acc2\Outbox.box\  O   (empty)
//       ごみ箱      Acc2\Trash.box    T   (empty)
//
// The mails (mark, read state, subject, ids, body):
//   1 mark 1 unread  "Hello"       <m1@x>                  "alpha beta"
//   2 mark 0 read    "Re: Hello"   <m2@x> reply to <m1@x>  "alpha"
//   3 mark 3 read    "Other"       <m3@x>                  "gamma"
//   4 mark 0 unread  "Re: Re: Hello" <m4@x> reply to <m2@x> "beta"
//   5 mark 1 read    "Meeting"     <m5@x>                  "ALPHA"
//   6 mark 1 read    "Old" (in Home's trash)               "alpha"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "listwindow/folder_form.h"
#include "pickupcommands/pickup_commands.h"
#include "store/attribute.h"
#include "support/memory_store.h"
#include "support/pickup_support.h"
#include "support/plugin_fixture.h"

namespace gleanix::testing {

inline const std::string kInbox1 = "Acc1\\Inbox.box\\";
inline const std::string kMl = "Acc1\\User001.box\\User002.box\\";
inline const std::string kInbox2 = "Acc2\\Inbox.box\\";

class PickupCommandTest : public PluginTest {
 protected:
  PickupCommandTest() {
    store.account("Acc1", "Home");
    store.account("Acc2", "Work");
    for (const char* acc : {"Acc1", "Acc2"}) {
      store.emptyEntryList(std::string(acc) + "\\Outbox.box\\");
      store.fs.addFile(store.abs(std::string(acc) + "\\Trash.box"), "");
    }
    store.fs.addFile(store.abs("Acc1\\User001.box\\Entry.ini"), "TITLE=Lists\r\nType=Subfolder\r\n");
    store.folder(kMl, "ml");
    mail(kInbox1, "00000001", store::kUnreadBit | 1, "Hello", "<m1@x>", "", "alpha beta");
    mail(kInbox1, "00000002", 0, "Re: Hello", "<m2@x>", "<m1@x>", "alpha");
    mail(kInbox1, "00000003", 3, "Other", "<m3@x>", "", "gamma");
    mail(kMl, "00000004", store::kUnreadBit, "Re: Re: Hello", "<m4@x>", "<m2@x>", "beta");
    mail(kInbox2, "00000005", 1, "Meeting", "<m5@x>", "", "ALPHA");
    store.trashMail("Acc1", kInbox1, "00000006", 1, text("Old", "<m6@x>", "", "alpha"));
    EXPECT_EQ(startUp(), 255);
    sim.setCurrentFolder("Acc1\\Inbox.box");
    started().setMainWindow(sim.mainWindow());
    // The list windows show their rows in hit order.
    started().settings().writeSetting("Sort", "Index", -1);
  }

  static std::string text(const std::string& subject, const std::string& id, const std::string& replyTo,
                          const std::string& body) {
    std::string t = "From: someone@example.jp\r\nSubject: " + subject + "\r\nMessage-ID: " + id + "\r\n";
    if (!replyTo.empty()) t += "In-Reply-To: " + replyTo + "\r\n";
    return t + "\r\n" + body + "\r\n";
  }
  void mail(const std::string& folder, const std::string& key, std::uint32_t attribute, const std::string& subject,
            const std::string& id, const std::string& replyTo, const std::string& body) {
    store.mail(folder, key, attribute, text(subject, id, replyTo, body));
  }

  settings::SettingsCache& settings() { return started().settings(); }
  sys::WindowHandle mainWindow() const { return sim.mainWindow(); }

  // --- The dialogs, as the user answers them
  // The next modal run of a form of that class gets the script.
  void onDialog(const std::string& className, std::function<void(sys::WindowHandle form)> script) {
    desktop->onModal([this, className, script](sys::WindowHandle form) {
      ASSERT_EQ(desktop->className(form), className);
      script(form);
    });
  }
  // The next dialog of that class is confirmed as it opens.
  void confirm(const std::string& className) {
    onDialog(className, [this](sys::WindowHandle form) { clickButton(form, "OKButton"); });
  }
  void clickButton(sys::WindowHandle form, const std::string& name) {
    ASSERT_TRUE(desktop->click(desktop->child(form, name))) << name;
  }

  // The tree node under these captions (from the top node's children).
  sys::TreeItem treeItem(sys::WindowHandle tree, const std::vector<std::string>& captions) const {
    const backend::SimWindow& w = desktop->window(tree);
    std::vector<sys::TreeItem> level = w.roots.empty() ? std::vector<sys::TreeItem>{}
                                                       : w.nodes.at(w.roots.front()).children;
    sys::TreeItem found = 0;
    for (const std::string& caption : captions) {
      found = 0;
      for (sys::TreeItem item : level) {
        if (w.nodes.at(item).data.text == caption) found = item;
      }
      if (!found) return 0;
      level = w.nodes.at(found).children;
    }
    return found;
  }
  // A left click on the node's check box; its branch is opened first, as a
  // user would open it to get there.
  void toggle(sys::WindowHandle tree, const std::vector<std::string>& captions) {
    const sys::TreeItem item = treeItem(tree, captions);
    ASSERT_NE(item, 0u) << captions.back();
    const auto& nodes = desktop->window(tree).nodes;
    for (sys::TreeItem a = nodes.at(item).parent; a; a = nodes.at(a).parent) desktop->expandTreeItem(tree, a, true);
    const sys::Rect box = desktop->treePartRect(tree, item, sys::TreePart::StateIcon);
    ASSERT_TRUE(desktop->clickAt(tree, sys::MouseButton::Left, {box.left + 4, box.top + 4}));
  }
  // The checked nodes and the open nodes, each as its captions below the
  // top node joined by "\" ("Home\郵便受け"), in tree order.
  std::vector<std::string> checkedNodes(sys::WindowHandle tree) const { return nodesWhere(tree, true); }
  std::vector<std::string> openNodes(sys::WindowHandle tree) const { return nodesWhere(tree, false); }

  // --- What the commands leave
  // The pickup list windows registered, oldest first.
  std::vector<std::shared_ptr<listwindow::TFolderForm>> listWindows() {
    std::vector<std::shared_ptr<listwindow::TFolderForm>> out;
    for (const auto& e : started().pickupWindows().entries()) {
      if (auto w = std::dynamic_pointer_cast<listwindow::TFolderForm>(e.window)) out.push_back(w);
    }
    return out;
  }
  // The rows of the one list window, as folder + key in row order.
  std::vector<std::string> listedHits() {
    EXPECT_EQ(listWindows().size(), 1u);
    return testing::listedHits(started());
  }
  // The lines of a folder's entry list.
  std::vector<std::string> entryLines(const std::string& folder) const {
    return fs->readLines(kMailRoot + folder + "ENTRY.LST").value_or(std::vector<std::string>{});
  }

  MemoryStore store{*fs};

 private:
  std::vector<std::string> nodesWhere(sys::WindowHandle tree, bool checked) const {
    const backend::SimWindow& w = desktop->window(tree);
    std::vector<std::string> out;
    std::function<void(sys::TreeItem, const std::string&)> walk = [&](sys::TreeItem item, const std::string& at) {
      const backend::SimTreeNode& n = w.nodes.at(item);
      const std::string name = at.empty() ? n.data.text : at + "\\" + n.data.text;
      if (checked ? n.data.state == 3 : n.expanded) out.push_back(name);
      for (sys::TreeItem c : n.children) walk(c, item == w.roots.front() ? "" : name);
    };
    for (sys::TreeItem r : w.roots) walk(r, "");
    return out;
  }
};

}  // namespace gleanix::testing
