#include "about/version_form.h"

#include <string>

#include "core/version_info.h"
#include "ui/std_controls.h"

namespace gleanix::about {
namespace {

using ui::make;

constexpr int kClientWidth = 280;
constexpr int kClientHeight = 150;
constexpr int kTextLeft = 24;
constexpr int kTextWidth = kClientWidth - 2 * kTextLeft;
constexpr int kLineHeight = 18;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 25;

std::string copyrightText() { return std::string("Copyright (C) ") + core::kCopyrightYear + " Orvane Lab"; }

ui::ControlSpec line(const char* name, std::string caption, int top) {
  return {.kind = make<ui::TLabel>, .name = name, .caption = std::move(caption),
          .bounds = {kTextLeft, top, kTextWidth, kLineHeight}};
}

const ui::FormTable& layout() {
  static const ui::FormTable table = {
      .className = "TVersionForm",
      .caption = "バージョン情報",
      .clientWidth = kClientWidth,
      .clientHeight = kClientHeight,
      .sizeable = false,
      .events = {{ui::Event::OnCreate, "FormCreate"}},
      .controls =
          {
              line("NameLabel", core::kPlugName, 14),
              line("VersionLabel", core::kVersionText, 36),
              line("DescriptionLabel", kDescription, 58),
              line("CopyrightLabel", copyrightText(), 80),
              {.kind = make<ui::TButton>, .name = "OKButton", .caption = "ＯＫ",
               .bounds = {(kClientWidth - kButtonWidth) / 2, kClientHeight - kButtonHeight - 12, kButtonWidth,
                          kButtonHeight},
               .props = {.isDefault = true, .isCancel = true, .modalResult = sys::result::Ok}},
          },
  };
  return table;
}

}  // namespace

TVersionForm::TVersionForm(sys::Desktop& desktop, sys::WindowHandle owner) : ui::TForm(desktop, layout(), owner) {
  handler("FormCreate", &TVersionForm::FormCreate);
  created();
}

// The name stands out in bold.
void TVersionForm::FormCreate() {
  auto& name = component<ui::TLabel>("NameLabel");
  sys::Font bold = name.font();
  bold.bold = true;
  name.setFont(bold);
}

sys::Rect centredOver(const sys::Rect& parent, const sys::Rect& box, const sys::Rect& screen) {
  int left = parent.left + (parent.width() - box.width()) / 2;
  int top = parent.top + (parent.height() - box.height()) / 2;
  if (left + box.width() > screen.right) left = screen.right - box.width();
  if (top + box.height() > screen.bottom) top = screen.bottom - box.height();
  if (left < screen.left) left = screen.left;
  if (top < screen.top) top = screen.top;
  return {left, top, left + box.width(), top + box.height()};
}

void showVersionInfo(sys::Desktop& desktop, const core::TCommonForm& common, sys::WindowHandle parent) {
  const bool overWindow = parent != 0 && desktop.isWindow(parent);
  TVersionForm form(desktop, overWindow ? parent : 0);
  common.giveIcon(form.handle());
  const sys::Rect screen = desktop.screenRect();
  form.setWindowRect(centredOver(overWindow ? desktop.bounds(parent) : screen, form.windowRect(), screen));
  form.showModal();
}

}  // namespace gleanix::about
