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

// The window's factor for the game's 320x240 picture on a desktop of this size: the largest at
// which it fits nine tenths of the desktop (the rest is left for title bars and panels), and at
// least 2.
constexpr int window_factor(int desktop_width, int desktop_height) {
  return std::max(2, fit_picture(desktop_width * 9 / 10, desktop_height * 9 / 10, 320, 240).factor);
}
