// Where a picture stands on a larger area: scaled by the largest whole factor at which it fits,
// every pixel a square block, and centred. The window's size, the full screen, the scaled flip and
// OpenGL all place the game's 320x240 picture so.
#pragma once

#include <algorithm>

struct Fit {
  int factor;     // 0 when the picture does not fit at all
  int left, top;  // the picture's top-left corner on the area
};

constexpr Fit fit_picture(int area_width, int area_height, int picture_width, int picture_height) {
  const int factor =
      std::max(0, std::min(area_width / picture_width, area_height / picture_height));
  return {factor, (area_width - picture_width * factor) / 2,
          (area_height - picture_height * factor) / 2};
}
