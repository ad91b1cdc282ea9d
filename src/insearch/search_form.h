#pragma once
// TSearchForm: asks for the text to find in the mail (and, in replace mode,
// its replacement) and the four options, filled from and written back to
// the "Search" settings. Its position is kept in the registry under
// "SearchForm\View" or "SearchForm\Send", by the window it searches.

#include "core/started_plugin.h"
#include "ui/form.h"

namespace gleanix::insearch {

class TSearchForm : public ui::TForm {
 public:
  static constexpr const char* kClassName = "TSearchForm";

  TSearchForm(core::StartedPlugin& plugin, sys::WindowHandle owner);

  // Both set before the form is shown.
  bool inViewWindow = false;
  bool replaceMode = false;

  void FormShow();
  void FormClose();
  void KeywordComboChange();
  void KeywordComboClick();
  void SearchButtonClick();

 private:
  const char* geometryPath() const { return inViewWindow ? "SearchForm\\View" : "SearchForm\\Send"; }
  void enableSearchButton();

  core::StartedPlugin& plugin_;
};

}  // namespace gleanix::insearch
