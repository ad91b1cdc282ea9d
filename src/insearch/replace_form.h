#pragma once
// TReplaceForm: the question asked before each replacement. Its modal
// result is 6 (replace), 7 (skip), 1 (replace all that follow) or 2
// (stop). Its position is kept in the registry under "ReplaceForm".

#include <string>

#include "core/started_plugin.h"
#include "ui/form.h"

namespace gleanix::insearch {

class TReplaceForm : public ui::TForm {
 public:
  static constexpr const char* kClassName = "TReplaceForm";

  TReplaceForm(core::StartedPlugin& plugin, const std::string& question);

  void FormCreate();
  void FormClose();

 private:
  core::StartedPlugin& plugin_;
};

}  // namespace gleanix::insearch
