#include "pickupcommands/progress_form.h"

#include <algorithm>
#include <limits>

#include "core/form_services.h"
#include "ui/std_controls.h"

namespace gleanix::pickupcommands {
namespace {

using namespace progress_layout;
using ui::Align;
using ui::Event;
using ui::make;

constexpr unsigned kStretch = ui::akLeft | ui::akTop | ui::akRight;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;
constexpr int kMargin = 12;
constexpr int kLinesTop = 8;

std::string lineName(int i) { return "PassLine" + std::to_string(i); }

std::vector<ui::ControlSpec> rows() {
  std::vector<ui::ControlSpec> r;
  r.push_back({.kind = make<ui::TPanel>, .name = "ButtonPanel", .align = Align::Bottom,
               .bounds = {0, 0, kClientWidth, kButtonPanelHeight}, .events = {{Event::OnResize, "ButtonPanelResize"}}});
  r.push_back({.kind = make<ui::TButton>, .name = "AbortButton", .caption = "中断", .parent = "ButtonPanel",
               .bounds = {(kClientWidth - kButtonWidth) / 2, (kButtonPanelHeight - kButtonHeight) / 2, kButtonWidth,
                          kButtonHeight},
               .props = {.isCancel = true}, .events = {{Event::OnClick, "AbortButtonClick"}}});
  r.push_back({.kind = make<ui::TProgressBar>, .name = "ProgressBar",
               .bounds = {kMargin, kMargin, kClientWidth - 2 * kMargin, 18},
               .props = {.visible = false, .anchors = kStretch}});
  for (int i = 0; i < kVisibleLines; ++i) {
    r.push_back({.kind = make<ui::TLabel>, .name = lineName(i),
                 .bounds = {kMargin, kLinesTop + i * kLineHeight, kClientWidth - 2 * kMargin, kLineHeight - 2},
                 .props = {.visible = false, .anchors = kStretch}});
  }
  return r;
}

const ui::FormTable& layout() {
  static const ui::FormTable table = {
      .className = "TRelatedProgressForm",
      .caption = "進捗状況 / Gleanix",
      .clientWidth = kClientWidth,
      .clientHeight = kButtonPanelHeight,
      .sizeable = false,
      .events = {{Event::OnClose, "FormClose"}},
      .controls = rows(),
  };
  return table;
}

int clampToInt(std::size_t n) {
  return static_cast<int>(std::min<std::size_t>(n, static_cast<std::size_t>(std::numeric_limits<int>::max())));
}

}  // namespace

TRelatedProgressForm::TRelatedProgressForm(core::StartedPlugin& plugin, sys::WindowHandle owner, ProgressKind kind,
                                           std::string formName)
    : ui::TForm(plugin.desktop(), layout(), owner), plugin_(plugin), formName_(std::move(formName)) {
  handler("FormClose", &TRelatedProgressForm::FormClose);
  handler("AbortButtonClick", &TRelatedProgressForm::AbortButtonClick);
  handler("ButtonPanelResize", &TRelatedProgressForm::ButtonPanelResize);
  created();
  if (kind == ProgressKind::Bar) {
    // The dialog grows so that the bar sits above the button panel.
    auto& bar = component<ui::TProgressBar>("ProgressBar");
    bar.setVisible(true);
    const auto& panel = component<ui::TPanel>("ButtonPanel");
    setClientSize(clientWidth(), clientHeight() + bar.top() + bar.height() - panel.top());
  } else {
    // Room for the first pass's line from the start.
    fitLines(1);
  }
  core::restoreFormGeometry(plugin_, *this, formName_);
}

void TRelatedProgressForm::saveGeometry() { core::saveFormGeometry(plugin_, *this, formName_); }

void TRelatedProgressForm::setMaximum(std::size_t maximum) {
  component<ui::TProgressBar>("ProgressBar").setMax(clampToInt(maximum));
}

void TRelatedProgressForm::setPosition(std::size_t position) {
  component<ui::TProgressBar>("ProgressBar").setPosition(clampToInt(position));
}

void TRelatedProgressForm::addLine() {
  lines_.emplace_back();
  fitLines(static_cast<int>(lines_.size()));
  showLines();
}

void TRelatedProgressForm::setLine(const std::string& text) {
  if (lines_.empty()) lines_.emplace_back();
  lines_.back() = text;
  showLines();
}

bool TRelatedProgressForm::processMessages() {
  desktop().processPendingMessages();
  return aborted_;
}

void TRelatedProgressForm::fitLines(int lines) {
  const int shown = std::clamp(lines, 1, kVisibleLines);
  const int wanted = kLinesTop + shown * kLineHeight + 4 + kButtonPanelHeight;
  if (wanted > clientHeight()) setClientSize(clientWidth(), wanted);
}

// The last kVisibleLines passes, from the top; a pass line stands at
// (its place - 1) x the line height below the first.
void TRelatedProgressForm::showLines() {
  const int first = std::max(0, static_cast<int>(lines_.size()) - kVisibleLines);
  for (int i = 0; i < kVisibleLines; ++i) {
    auto& label = component<ui::TLabel>(lineName(i));
    const int index = first + i;
    const bool used = index < static_cast<int>(lines_.size());
    if (used) label.setCaption(lines_[static_cast<std::size_t>(index)]);
    label.setVisible(used);
  }
}

// The close box asks for the same as "中断"; the window stays until the
// search has stopped.
void TRelatedProgressForm::FormClose(ui::EventArgs& args) {
  aborted_ = true;
  args.action = ui::CloseAction::None;
}

void TRelatedProgressForm::AbortButtonClick() { aborted_ = true; }

void TRelatedProgressForm::ButtonPanelResize() {
  const auto& panel = component<ui::TPanel>("ButtonPanel");
  auto& button = component<ui::TButton>("AbortButton");
  button.setLeft((panel.clientWidth() - button.width()) / 2);
}

}  // namespace gleanix::pickupcommands
