// The platform's flip on real SDL surfaces.
#include <gtest/gtest.h>

#include "edition.h"
#include "platform_sdl.h"
#include "support.h"

namespace {

Uint16& pixel(SDL_Surface* s, int x, int y) {
  return reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
}

// Where the picture is shown larger (the desktop's window or full screen), the flip repeats each
// of its pixels by a whole factor, centred; the rest of the screen is left alone.
TEST(Program, FlipsAPictureScaledByAWholeFactor) {
  fresh_game();
  // screen size, factor, where the picture's top-left corner lands
  for (const std::vector<int>& c :
       {std::vector<int>{640, 480, 2, 0, 0}, {1920, 1080, 4, 320, 60}, {1366, 768, 3, 203, 24}}) {
    SDL_Surface* video = SDL_SetVideoMode(c[0], c[1], 16, SDL_FULLSCREEN);
    SDL_FillRect(video, nullptr, 0x1234);
    SDL_Surface* frame = SDL_CreateRGBSurface(0, 320, 240, 16, 0xf800, 0x07e0, 0x001f, 0);
    for (int i = 0; i < 320 * 240; ++i) pixel(frame, i % 320, i / 320) = Uint16(i * 7 + i / 320);
    SdlPlatform().flip(frame);
    int wrong = 0;
    for (int y = 0; y < c[1]; ++y) {
      for (int x = 0; x < c[0]; ++x) {
        const int fx = (x - c[3]) / c[2], fy = (y - c[4]) / c[2];
        const bool inside = x >= c[3] && y >= c[4] && fx < 320 && fy < 240;
        wrong += pixel(video, x, y) != (inside ? pixel(frame, fx, fy) : 0x1234);
      }
    }
    EXPECT_EQ(wrong, 0) << c[0] << "x" << c[1];
    SDL_FreeSurface(frame);
  }
  game.screen = open_display();  // as the other tests expect
}

}  // namespace
