// The platform's flip on real SDL surfaces: where the picture is shown larger (the desktop's
// window or full screen), each of its pixels is repeated by a whole factor, centred, and the rest
// of the screen is left alone.
#include <gtest/gtest.h>

#include "edition.h"
#include "platform_sdl.h"
#include "support.h"

namespace {

Uint16& pixel(SDL_Surface* s, int x, int y) {
  return reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
}

TEST(Platform, FlipsAPictureScaledByAWholeFactor) {
  fresh_game();
  SDL_Surface* frame = SDL_CreateRGBSurface(0, 320, 240, 16, 0xf800, 0x07e0, 0x001f, 0);
  for (int i = 0; i < 320 * 240; ++i) pixel(frame, i % 320, i / 320) = Uint16(i * 7 + i / 320);
  // The screen's size, the factor, and where the picture's top-left corner lands.
  for (auto [w, h, k, left, top] :
       {std::array{640, 480, 2, 0, 0}, {1920, 1080, 4, 320, 60}, {1366, 768, 3, 203, 24}}) {
    SDL_Surface* video = SDL_SetVideoMode(w, h, 16, SDL_FULLSCREEN);
    SDL_FillRect(video, nullptr, 0x1234);
    SdlPlatform().flip(frame);
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool inside = x >= left && y >= top && x < left + 320 * k && y < top + 240 * k;
        wrong +=
            pixel(video, x, y) != (inside ? pixel(frame, (x - left) / k, (y - top) / k) : 0x1234);
      }
    }
    EXPECT_EQ(wrong, 0) << w << "x" << h;
  }
  SDL_FreeSurface(frame);
  game.screen = open_display();  // as the other tests expect
}

}  // namespace
