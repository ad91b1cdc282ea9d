#pragma once
// TRelatedProgressForm, "進捗状況 / Gleanix": the small window a pickup
// search runs under, with the button "中断" centred at its bottom. The mark
// and keyword searches show a progress bar above the button; the related
// search shows one line of text per pass, stacked from the top.
//
// It is the searches' pickup::PickupProgress: after each unit of work a
// search lets pending window messages run through it, so that the window
// repaints and a press on "中断" (or on the close box, or Escape) reaches
// it; from then on the search is told to stop.

#include <cstddef>
#include <string>
#include <vector>

#include "core/started_plugin.h"
#include "pickup/progress.h"
#include "ui/form.h"

namespace gleanix::pickupcommands {

enum class ProgressKind { Bar, Lines };

namespace progress_layout {
inline constexpr int kClientWidth = 320;
inline constexpr int kButtonPanelHeight = 41;
inline constexpr int kLineHeight = 18;
// Lines shown at once; later passes push the earlier ones up.
inline constexpr int kVisibleLines = 10;
}  // namespace progress_layout

class TRelatedProgressForm : public ui::TForm, public pickup::PickupProgress {
 public:
  // Built hidden, with its geometry restored under formName
  // ("MarkFindProgressForm", "KeyFindProgressForm", "RelatedProgressForm").
  TRelatedProgressForm(core::StartedPlugin& plugin, sys::WindowHandle owner, ProgressKind kind,
                       std::string formName);

  bool aborted() const { return aborted_; }
  // Every pass line so far, the first pass first.
  const std::vector<std::string>& passLines() const { return lines_; }
  // Writes the geometry under the form name (and the settings file).
  void saveGeometry();

  // --- pickup::PickupProgress
  void setMaximum(std::size_t maximum) override;
  void setPosition(std::size_t position) override;
  void addLine() override;
  void setLine(const std::string& text) override;
  bool processMessages() override;

 private:
  void FormClose(ui::EventArgs& args);
  void AbortButtonClick();
  void ButtonPanelResize();
  // The client height that shows this many lines above the button.
  void fitLines(int lines);
  void showLines();

  core::StartedPlugin& plugin_;
  std::string formName_;
  std::vector<std::string> lines_;
  bool aborted_ = false;
};

}  // namespace gleanix::pickupcommands
