#pragma once
// What tests and benchmarks of the pickups share: the folders a pickup can
// search, and a progress that stops a search where a user would have.

#include <cstddef>
#include <string>
#include <vector>

#include "core/started_plugin.h"
#include "listwindow/folder_form.h"
#include "pickup/progress.h"
#include "store/folders.h"
#include "store/mail_store.h"

namespace gleanix::testing {

// Every inbox, outbox, trash and user folder, in tree order.
inline std::vector<std::string> searchableFolders(const store::MailStore& store) {
  std::vector<std::string> out;
  for (const store::TreeFolder& t : store::folderTree(store)) {
    if (t.folder.type != store::ctAccount && t.folder.type != store::ctGroup) out.push_back(t.folder.path);
  }
  return out;
}

// The folders as a stored folder list: each followed by CR LF.
inline std::string folderListText(const std::vector<std::string>& folders) {
  std::string text;
  for (const std::string& f : folders) text += f + "\r\n";
  return text;
}

// The rows of the registered pickup list windows, oldest window first, each
// as its hit path (folder + key) in row order.
inline std::vector<std::string> listedHits(core::StartedPlugin& plugin) {
  std::vector<std::string> out;
  for (const core::PickupWindowList::Entry& e : plugin.pickupWindows().entries()) {
    const auto* window = dynamic_cast<const listwindow::TFolderForm*>(e.window.get());
    if (!window) continue;
    for (const pickup::PickupRow& r : window->rows()) out.push_back(r.folder + r.key);
  }
  return out;
}

// Tells the search to stop once its position has reached the given one
// (the mails a keyword search has tested).
class StopAfter final : public pickup::PickupProgress {
 public:
  explicit StopAfter(std::size_t position) : stopAt_(position) {}
  void setMaximum(std::size_t) override {}
  void setPosition(std::size_t p) override { position_ = p; }
  void addLine() override {}
  void setLine(const std::string&) override {}
  bool processMessages() override { return position_ >= stopAt_; }

 private:
  std::size_t stopAt_;
  std::size_t position_ = 0;
};

}  // namespace gleanix::testing
