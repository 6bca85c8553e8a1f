// The desktop edition's picture on real SDL surfaces: a scaled flip is the 320x240 frame with each
// pixel repeated, in a window or centred on the full screen; and the window that --scale asks for.
// (install_test.sh checks the command line and the data lookup.)
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "edition.h"
#include "platform_sdl.h"

Uint16& pixel(SDL_Surface* s, int x, int y) {
  return reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
}

TEST(Desktop, FlipScalesThePictureByAWholeFactor) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  // screen size, factor, where the picture's top-left corner lands
  for (const std::vector<int>& c :
       {std::vector<int>{640, 480, 2, 0, 0}, {1920, 1080, 4, 320, 60}, {1366, 768, 3, 203, 24}}) {
    SDL_Surface* video = SDL_SetVideoMode(c[0], c[1], 16, SDL_FULLSCREEN);
    ASSERT_NE(video, nullptr) << SDL_GetError();
    SDL_FillRect(video, nullptr, 0x1234);
    const SDL_PixelFormat* f = video->format;
    SDL_Surface* frame = SDL_CreateRGBSurface(0, 320, 240, 16, f->Rmask, f->Gmask, f->Bmask, 0);
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
  SDL_Quit();
}

TEST(Desktop, ScaleThreeOpensA960x720WindowTitledRallyWithAPictureOfItsOwn) {
  char name[] = "rally", option[] = "--scale", factor[] = "3";
  char* argv[] = {name, option, factor};
  ASSERT_EQ(prepare_edition(3, argv), kStartGame);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  SDL_Surface* picture = open_display();
  SDL_Surface* video = SDL_GetVideoSurface();
  ASSERT_TRUE(picture != nullptr && picture != video);
  EXPECT_EQ(std::vector<int>({video->w, video->h, picture->w, picture->h, picture->pitch / 320}),
            std::vector<int>({960, 720, 320, 240, 2}));
  char* caption = nullptr;
  SDL_WM_GetCaption(&caption, nullptr);
  EXPECT_STREQ(caption, "rally");
  SDL_FreeSurface(picture);
  SDL_Quit();
}
