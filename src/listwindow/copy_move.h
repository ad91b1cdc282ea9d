#pragma once
// TCopyMoveForm: the destination of a copy or move from the pickup list, one
// folder checked in a mailbox tree of inboxes, outboxes, trashes and user
// folders. OK is enabled only while exactly one folder is checked; checking
// a second one unchecks the first.

#include <string>

#include "core/started_plugin.h"
#include "ui/form.h"

namespace gleanix::controls {
class TMailboxTreeView;
}
namespace gleanix::ui {
class TButton;
}

namespace gleanix::listwindow {

class TCopyMoveForm : public ui::TForm {
 public:
  // copyTexts: the captions of a copy ("コピー先の指定", "コピー"), else
  // those of a move ("移動先の指定", "移動").
  TCopyMoveForm(core::StartedPlugin& plugin, sys::WindowHandle owner, bool copyTexts);

  // The tree path of the checked folder (relative to the mail root; a
  // trash is "...\Trash.box"); the last one when several are checked.
  const std::string& destination() const { return destination_; }

 private:
  void FormCreate();
  void FormClose();
  void MailboxTreeView1Click();
  void updateDestination();

  core::StartedPlugin& plugin_;
  controls::TMailboxTreeView& tree_;
  ui::TButton& okButton_;
  std::string destination_;
};

}  // namespace gleanix::listwindow
