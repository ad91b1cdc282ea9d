#include "ui/image_list.h"

#include <stdexcept>
#include <string>

#include "ui/form.h"

namespace gleanix::ui {

TImageList::TImageList(TForm& form, const ControlSpec& spec, TComponent&)
    : TComponent(form, spec.name),
      width_(spec.bounds.width),
      height_(spec.bounds.height),
      handle_(form.desktop().createImageList(width_, height_)) {}

TImageList::TImageList(TForm& form, int width, int height)
    : TComponent(form, ""), width_(width), height_(height), handle_(form.desktop().createImageList(width, height)) {}

TImageList::~TImageList() { desktop().destroyImageList(handle_); }

int TImageList::count() const { return desktop().imageListCount(handle_); }

int TImageList::addMasked(const sys::Bitmap& bitmap, sys::Color transparent) {
  return desktop().imageListAdd(handle_, bitmap, transparent);
}

sys::Color paletteColor(int index) {
  static constexpr sys::Color kPalette[16] = {
      sys::rgb(0, 0, 0),       sys::rgb(128, 0, 0),   sys::rgb(0, 128, 0),   sys::rgb(128, 128, 0),
      sys::rgb(0, 0, 128),     sys::rgb(128, 0, 128), sys::rgb(0, 128, 128), sys::rgb(192, 192, 192),
      sys::rgb(128, 128, 128), sys::rgb(255, 0, 0),   sys::rgb(0, 255, 0),   sys::rgb(255, 255, 0),
      sys::rgb(0, 0, 255),     sys::rgb(255, 0, 255), sys::rgb(0, 255, 255), sys::rgb(255, 255, 255),
  };
  return kPalette[index & 15];
}

sys::Bitmap bitmapFromText(std::string_view text, int width, int height) {
  if (width <= 0 || height <= 0 || text.size() != static_cast<std::size_t>(width) * height) {
    throw std::invalid_argument("bitmap text of " + std::to_string(text.size()) + " digits for " +
                                std::to_string(width) + "x" + std::to_string(height));
  }
  sys::Bitmap bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.pixels.resize(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    int v;
    if (c >= '0' && c <= '9') {
      v = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      v = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      v = c - 'a' + 10;
    } else {
      throw std::invalid_argument(std::string("bitmap text holds '") + c + "'");
    }
    const int row = static_cast<int>(i) / width;  // counted from the bottom
    const int x = static_cast<int>(i) % width;
    bmp.pixels[static_cast<std::size_t>(height - 1 - row) * width + x] = paletteColor(v);
  }
  return bmp;
}

}  // namespace gleanix::ui
