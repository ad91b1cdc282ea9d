#pragma once
// TCommonForm: the hidden form every part of the plug-in shares, created at
// start-up and released at clean-up. It carries the plug-in's icon, the
// previous/next bitmaps that the VIEW window's toolbar gets, and the mark
// strip the pickup list cuts its mark icons from.

#include "sys/desktop.h"
#include "ui/form.h"

namespace gleanix::core {

class TCommonForm : public ui::TForm {
 public:
  explicit TCommonForm(sys::Desktop& desktop);

  // The plug-in's icon, 32 x 32 and 16 x 16: a letter with a magnifying
  // glass over it. kIconTransparent marks the pixels around them.
  const sys::Bitmap& Icon() const { return icon_; }
  const sys::Bitmap& SmallIcon() const { return smallIcon_; }
  // Gives a window of the plug-in both icons (caption and task switcher).
  void giveIcon(sys::WindowHandle window) const;
  // Toolbar bitmaps, 23 x 16 on silver (the toolbar adds them with silver
  // as the transparent colour): a triangle pointing up (previous) or down
  // (next), navy when enabled, grey with a white edge when disabled.
  const sys::Bitmap& PrevImage() const { return prevImage_; }
  const sys::Bitmap& NextImage() const { return nextImage_; }
  const sys::Bitmap& PrevDisabledImage() const { return prevDisabledImage_; }
  const sys::Bitmap& NextDisabledImage() const { return nextDisabledImage_; }
  // The mark strip, 128 x 16: eight 16 x 16 icons on white (the
  // transparent colour), image n for mark number n. Mark 0 is empty; marks
  // 1 to 7 are flags of their own colour carrying their digit.
  const sys::Bitmap& MarksImage() const { return marksImage_; }

  static constexpr sys::Color kIconTransparent = sys::rgb(255, 0, 255);
  static constexpr sys::Color kToolbarTransparent = sys::rgb(192, 192, 192);
  static constexpr sys::Color kMarksTransparent = sys::rgb(255, 255, 255);

 private:
  sys::Bitmap icon_;
  sys::Bitmap smallIcon_;
  sys::Bitmap prevImage_;
  sys::Bitmap nextImage_;
  sys::Bitmap prevDisabledImage_;
  sys::Bitmap nextDisabledImage_;
  sys::Bitmap marksImage_;
};

}  // namespace gleanix::core
