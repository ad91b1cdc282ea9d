#include "entry/step_buttons.h"

#include "core/thread_state.h"
#include "entry/commands.h"

namespace gleanix::entry {
namespace {

// The size of the toolbar bitmaps, for a toolbar that has no image list yet.
constexpr int kImageWidth = 23;
constexpr int kImageHeight = 16;

sys::ToolButton button(int image, int command) {
  // Added enabled: a toolbar ignores clicks on a button without the enabled
  // state, and the buttons must be clickable; the images tell the user
  // whether a step leads anywhere.
  return {.image = image, .command = command, .state = sys::toolbar::kEnabled, .style = sys::toolbar::kButton};
}

}  // namespace

sys::WindowHandle viewToolbar(const sys::Desktop& desktop, sys::WindowHandle view) {
  const sys::WindowHandle top = desktop.firstChild(view);
  return top ? desktop.nextWindow(top) : 0;
}

void addStepButtons(core::StartedPlugin& plugin, sys::WindowHandle view) {
  sys::Desktop& desktop = plugin.desktop();
  const sys::WindowHandle toolbar = viewToolbar(desktop, view);
  if (!desktop.isWindow(toolbar)) return;

  core::ThreadWindowState& state = core::threadState();
  state.viewToolbar = toolbar;
  desktop.toolbarSetButtonRecordSize(toolbar, sys::toolbar::kButtonRecordSize);
  sys::ImageListHandle images = desktop.toolbarImageList(toolbar);
  if (!images) images = desktop.createImageList(kImageWidth, kImageHeight);

  const core::TCommonForm& common = plugin.commonForm();
  const sys::Color silver = core::TCommonForm::kToolbarTransparent;
  state.previousImage = desktop.imageListAdd(images, common.PrevImage(), silver);
  state.nextImage = desktop.imageListAdd(images, common.NextImage(), silver);
  state.previousDisabledImage = desktop.imageListAdd(images, common.PrevDisabledImage(), silver);
  state.nextDisabledImage = desktop.imageListAdd(images, common.NextDisabledImage(), silver);
  desktop.toolbarSetImageList(toolbar, images);

  sys::Host& host = plugin.host();
  state.previousButtonId = host.registCallback(pickupStepCommand, kStepPrevious);
  state.nextButtonId = host.registCallback(pickupStepCommand, kStepNext);
  desktop.toolbarAddButtons(toolbar, {{.style = sys::toolbar::kSeparator}});
  desktop.toolbarAddButtons(toolbar, {button(state.previousImage, state.previousButtonId)});
  desktop.toolbarAddButtons(toolbar, {button(state.nextImage, state.nextButtonId)});
}

void showStepImages(core::StartedPlugin& plugin, bool previousEnabled, bool nextEnabled) {
  const core::ThreadWindowState& state = core::threadState();
  if (!state.viewToolbar) return;
  sys::Desktop& desktop = plugin.desktop();
  desktop.toolbarChangeBitmap(state.viewToolbar, state.previousButtonId,
                              previousEnabled ? state.previousImage : state.previousDisabledImage);
  desktop.toolbarChangeBitmap(state.viewToolbar, state.nextButtonId,
                              nextEnabled ? state.nextImage : state.nextDisabledImage);
}

}  // namespace gleanix::entry
