#pragma once
// Image lists built from masked bitmaps, and bitmaps written as text.

#include <string_view>

#include "ui/component.h"
#include "ui/form_table.h"

namespace gleanix::ui {

class TImageList : public TComponent {
 public:
  // From a row of the table: bounds.width x bounds.height per image.
  TImageList(TForm& form, const ControlSpec& spec, TComponent& parent);
  TImageList(TForm& form, int width, int height);
  ~TImageList() override;

  sys::ImageListHandle handle() const { return handle_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int count() const;
  // Cuts the bitmap into images of the list's size and appends them; pixels
  // of the transparent colour are left out. Returns the first new index.
  int addMasked(const sys::Bitmap& bitmap, sys::Color transparent);

 private:
  int width_;
  int height_;
  sys::ImageListHandle handle_;
};

// The standard 16 colours: 0 black, 1 maroon, 2 green, 3 olive, 4 navy,
// 5 purple, 6 teal, 7 silver, 8 grey, 9 red, A lime, B yellow, C blue,
// D fuchsia, E aqua, F white.
sys::Color paletteColor(int index);

// A bitmap written as text: one hexadecimal digit per pixel (an index into
// the 16 colours), row by row from the bottom row up, each row from left to
// right. Throws std::invalid_argument when the text does not hold exactly
// width x height digits.
sys::Bitmap bitmapFromText(std::string_view text, int width, int height);

}  // namespace gleanix::ui
