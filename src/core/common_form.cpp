#include "core/common_form.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "ui/image_list.h"

namespace gleanix::core {
namespace {

const ui::FormTable kCommonLayout = {
    .className = "TCommonForm",
    .caption = "Gleanix",
    .clientWidth = 100,
    .clientHeight = 50,
    .sizeable = false,
};

// A picture written top row first, one palette digit per pixel (see
// ui::paletteColor: 0 black, 4 navy, 7 silver, 8 grey, F white ...).
sys::Bitmap picture(std::initializer_list<std::string_view> rowsTopFirst) {
  const int width = static_cast<int>(rowsTopFirst.begin()->size());
  std::string bottomUp;
  for (auto it = std::rbegin(rowsTopFirst); it != std::rend(rowsTopFirst); ++it) {
    if (static_cast<int>(it->size()) != width) throw std::logic_error("picture rows of unequal width");
    bottomUp += *it;
  }
  return ui::bitmapFromText(bottomUp, width, static_cast<int>(rowsTopFirst.size()));
}

// Every pixel twice as wide and twice as high.
sys::Bitmap doubled(const sys::Bitmap& b) {
  sys::Bitmap out{b.width * 2, b.height * 2, {}};
  out.pixels.reserve(static_cast<std::size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) out.pixels.push_back(b.at(x / 2, y / 2));
  }
  return out;
}

// A white letter with its flap drawn in black, and a magnifying glass
// (navy rim, aqua glass with a white gleam, black handle) over its lower
// right corner; fuchsia (D) around them.
sys::Bitmap smallIcon() {
  return picture({
      "DDDDDDDDDDDDDDDD",
      "0000000000000DDD",
      "00FFFFFFFFF00DDD",
      "0F0FFFFFFF0F0DDD",
      "0FF0FFFFF0FF0DDD",
      "0FFF0FFF0FFF0DDD",
      "0FFFF0F0F4444DDD",
      "0FFFFF0F4EEEE4DD",
      "0FFFFFF4FFEEEE4D",
      "0FFFFFF4FEEEEE4D",
      "00000004EEEEEE4D",
      "DDDDDDD4EEEEEE4D",
      "DDDDDDDD4EEEE40D",
      "DDDDDDDDD4444000",
      "DDDDDDDDDDDDDD00",
      "DDDDDDDDDDDDDDD0",
  });
}

// A navy triangle pointing up: the previous mail of the pickup list.
sys::Bitmap prevImage() {
  return picture({
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777477777777777",
      "77777777774447777777777",
      "77777777744444777777777",
      "77777777444444477777777",
      "77777774444444447777777",
      "77777744444444444777777",
      "77777444444444444477777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
  });
}

// A navy triangle pointing down: the next mail.
sys::Bitmap nextImage() {
  return picture({
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777444444444444477777",
      "77777744444444444777777",
      "77777774444444447777777",
      "77777777444444477777777",
      "77777777744444777777777",
      "77777777774447777777777",
      "77777777777477777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
  });
}

// The up triangle greyed, with the white lower edge of an engraved shape.
sys::Bitmap prevDisabledImage() {
  return picture({
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777877777777777",
      "77777777778887777777777",
      "77777777788888777777777",
      "77777777888888877777777",
      "77777778888888887777777",
      "77777788888888888777777",
      "77777888888888888877777",
      "777777FFFFFFFFFFFFF7777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
  });
}

// The down triangle greyed, its lower right edge white.
sys::Bitmap nextDisabledImage() {
  return picture({
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777888888888888877777",
      "77777788888888888FF7777",
      "7777777888888888FF77777",
      "777777778888888FF777777",
      "77777777788888FF7777777",
      "7777777777888FF77777777",
      "777777777778FF777777777",
      "777777777777F7777777777",
      "77777777777777777777777",
      "77777777777777777777777",
      "77777777777777777777777",
  });
}

// A flag on a black pole; x is the cloth, where the mark's digit goes.
constexpr std::string_view kFlag[16] = {
    "FFFFFFFFFFFFFFFF", "FF000000000000FF", "FF0xxxxxxxxxx0FF", "FF0xxxxxxxxxx0FF",
    "FF0xxxxxxxxxx0FF", "FF0xxxxxxxxxx0FF", "FF0xxxxxxxxxx0FF", "FF0xxxxxxxxxx0FF",
    "FF000000000000FF", "FF0FFFFFFFFFFFFF", "FF0FFFFFFFFFFFFF", "FF0FFFFFFFFFFFFF",
    "FF0FFFFFFFFFFFFF", "FF0FFFFFFFFFFFFF", "F000FFFFFFFFFFFF", "FFFFFFFFFFFFFFFF",
};
// Digits 1 to 7, 3 x 5, written on the cloth from its fifth column and
// first row.
constexpr std::string_view kDigits[7][5] = {
    {".#.", "##.", ".#.", ".#.", "###"}, {"##.", "..#", ".#.", "#..", "###"}, {"##.", "..#", ".#.", "..#", "##."},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "##.", "..#", "##."}, {".##", "#..", "###", "#.#", "###"},
    {"###", "..#", ".#.", ".#.", ".#."},
};
constexpr int kDigitLeft = 7;
constexpr int kDigitTop = 2;
// Cloth and digit colour of marks 1 to 7: red, yellow, lime, aqua, blue,
// fuchsia, grey; silver digits on the dark cloths, black on the light ones.
constexpr char kCloth[7] = {'9', 'B', 'A', 'E', 'C', 'D', '8'};
constexpr char kDigitColor[7] = {'7', '0', '0', '0', '7', '0', '0'};

// The eight mark icons side by side; mark 0 stays white, that is empty.
sys::Bitmap marksImage() {
  std::string rows[16];
  for (int y = 0; y < 16; ++y) {
    rows[y] = std::string(16, 'F');
    for (int mark = 1; mark <= 7; ++mark) {
      for (int x = 0; x < 16; ++x) {
        char c = kFlag[y][x];
        if (c == 'x') {
          const int dx = x - kDigitLeft;
          const int dy = y - kDigitTop;
          const bool digit = dx >= 0 && dx < 3 && dy >= 0 && dy < 5 && kDigits[mark - 1][dy][dx] == '#';
          c = digit ? kDigitColor[mark - 1] : kCloth[mark - 1];
        }
        rows[y] += c;
      }
    }
  }
  return picture({rows[0], rows[1], rows[2], rows[3], rows[4], rows[5], rows[6], rows[7], rows[8], rows[9],
                  rows[10], rows[11], rows[12], rows[13], rows[14], rows[15]});
}

}  // namespace

TCommonForm::TCommonForm(sys::Desktop& desktop)
    : TForm(desktop, kCommonLayout),
      icon_(doubled(smallIcon())),
      smallIcon_(smallIcon()),
      prevImage_(prevImage()),
      nextImage_(nextImage()),
      prevDisabledImage_(prevDisabledImage()),
      nextDisabledImage_(nextDisabledImage()),
      marksImage_(marksImage()) {
  created();
}

void TCommonForm::giveIcon(sys::WindowHandle window) const {
  if (!desktop().isWindow(window)) return;
  desktop().setWindowIcon(window, icon_, kIconTransparent, true);
  desktop().setWindowIcon(window, smallIcon_, kIconTransparent, false);
}

}  // namespace gleanix::core
