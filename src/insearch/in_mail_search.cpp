#include "insearch/in_mail_search.h"

#include "insearch/replace_form.h"
#include "insearch/search_form.h"
#include "insearch/search_loop.h"
#include "insearch/search_settings.h"
#include "regex/reg_exp_error.h"

namespace gleanix::insearch {
namespace {

namespace ss = search_settings;

// A search dialog already up in this process (from another host window).
sys::WindowHandle openSearchForm(const sys::Desktop& desktop) {
  for (const sys::WindowHandle w : desktop.topLevelWindows()) {
    if (desktop.processId(w) == desktop.currentProcessId() && desktop.className(w) == TSearchForm::kClassName &&
        desktop.isVisible(w)) {
      return w;
    }
  }
  return 0;
}

// Runs the dialog; true when it was closed with the search button.
bool askWithDialog(core::StartedPlugin& plugin, sys::WindowHandle window, bool inView, bool replaceMode) {
  if (const sys::WindowHandle open = openSearchForm(plugin.desktop())) {
    plugin.desktop().setForegroundWindow(open);
    return false;
  }
  TSearchForm form(plugin, window);
  form.inViewWindow = inView;
  form.replaceMode = replaceMode;
  return form.showModal() == sys::result::Ok;
}

std::string firstLine(const std::string& text) {
  const std::size_t end = text.find_first_of("\r\n");
  return end == std::string::npos ? text : text.substr(0, end);
}

}  // namespace

std::optional<std::string> preparePattern(regex::TRegularExpression& matcher, const std::string& pattern,
                                          bool plain) {
  if (matcher.RegExp() == pattern && matcher.literalPattern() == plain && matcher.errorPosition() == 0) {
    return std::nullopt;
  }
  matcher.setLiteralPattern(plain);
  try {
    matcher.setRegExp(pattern);
  } catch (const regex::ERegExpParser& e) {
    return std::string(e.what());
  }
  if (matcher.errorPosition() != 0) return matcher.errorMessage();
  return std::nullopt;
}

void inMailSearch(core::StartedPlugin& plugin, sys::WindowHandle window, int code) {
  const bool inView = code < 10;
  const int kind = code % 10;
  if (code < 0 || kind > 2) return;
  settings::SettingsCache& settings = plugin.settings();

  if (kind == 2) {
    if (settings.readString(ss::kSection, ss::kKeyword, "").empty()) return;
  } else if (!askWithDialog(plugin, window, inView, kind == 1)) {
    return;
  }

  sys::Desktop& desktop = plugin.desktop();
  const sys::WindowHandle editor = inView ? plugin.host().viewGetEditor(window) : plugin.host().sendGetEditor(window);
  if (editor == 0) return;
  // The selection the search makes must show while the dialog has the focus.
  if (!inView) desktop.hideEditSelection(editor, false);

  const std::string pattern = firstLine(settings.readString(ss::kSection, ss::kKeyword, ""));
  const bool plain = !settings.readBool(ss::kSection, ss::kRegularExpression, false);
  if (const auto error = preparePattern(plugin.matcher(), pattern, plain)) {
    desktop.messageBox(window, *error, kErrorCaption, sys::MessageIcon::Error, sys::MessageButtons::Ok);
    return;
  }

  SearchLoopOptions options;
  options.replacement = firstLine(settings.readString(ss::kSection, ss::kReplace, ""));
  // A VIEW window shows a received mail: its find next only finds, even
  // after the replace dialog of a SEND window.
  options.find = inView || settings.readBool(ss::kSection, ss::kFind, true);
  options.message = settings.readBool(ss::kSection, ss::kMessage, true);
  options.continueReplacing = settings.readBool(ss::kSection, ss::kContinue, true);
  options.confirm = settings.readBool(ss::kSection, ss::kConfirm, true);
  runSearchLoop(desktop, plugin.matcher(), window, editor, options, [&plugin](const std::string& question) {
    TReplaceForm form(plugin, question);
    return form.showModal();
  });
}

}  // namespace gleanix::insearch
