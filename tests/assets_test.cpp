// The data files: reproducible from the generator, in the formats and sizes the game relies on.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

namespace {

const char* const kAssets[] = {
    "paddle.bmp", "ball.bmp", "background.bmp", "game_over_left.bmp", "game_over_right.bmp",
    "num.bmp",    "menu.bmp", "p1_blip.wav",    "p2_blip.wav"};

TEST(Assets, AreExactlyWhatTheGeneratorMakes) {
  TempDir dir;
  const std::string command = std::string(RALLY_MAKE_ASSETS) + " " + dir.path();
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
  for (const char* name : kAssets) {
    const std::string committed = read_file("data/" + std::string(name));
    ASSERT_FALSE(committed.empty()) << name;
    EXPECT_TRUE(committed == read_file(dir.file(name)))
        << "data/" << name << " differs from the generator's output: run make_assets data";
  }
}

struct BitmapSize {
  const char* name;
  int w, h;
};

// The paddle and ball sizes follow the hit rules: a ball 5 wide touches the right paddle's face
// (x 305) at x 300, where its hit window starts; a paddle 10 wide at x 5 has its face at x 15,
// where the left window ends.
const BitmapSize kSizes[] = {
    {"paddle.bmp", 10, 30},
    {"ball.bmp", 5, 5},
    {"background.bmp", 320, 240},
    {"game_over_left.bmp", 160, 240},
    {"game_over_right.bmp", 160, 240},
    {"num.bmp", 200, 30},
    {"menu.bmp", 320, 240},
};

TEST(Assets, BitmapsHaveTheSizesTheScreensDrawThemAt) {
  for (const BitmapSize& expected : kSizes) {
    SDL_Surface* s = SDL_LoadBMP(("data/" + std::string(expected.name)).c_str());
    ASSERT_NE(s, nullptr) << expected.name << ": " << SDL_GetError();
    EXPECT_EQ(s->w, expected.w) << expected.name;
    EXPECT_EQ(s->h, expected.h) << expected.name;
    SDL_FreeSurface(s);
  }
}

Uint32 rgb_at(SDL_Surface* s, int x, int y) {
  SDL_LockSurface(s);
  const auto* p =
      static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
  Uint32 value = 0;
  for (int i = 0; i < s->format->BytesPerPixel; ++i) value |= static_cast<Uint32>(p[i]) << (8 * i);
  SDL_UnlockSurface(s);
  Uint8 r, g, b;
  SDL_GetRGB(value, s->format, &r, &g, &b);
  return (r << 16) | (g << 8) | b;
}

TEST(Assets, WallsStandWhereTheBallIsPutBack) {
  // The ball (5 tall) is put back at y 6 and y 234: it then touches lines on rows 5 and 239.
  SDL_Surface* s = SDL_LoadBMP("data/background.bmp");
  ASSERT_NE(s, nullptr);
  for (int x : {0, 100, 319}) {
    EXPECT_NE(rgb_at(s, x, 5), 0u) << x;
    EXPECT_NE(rgb_at(s, x, 239), 0u) << x;
    EXPECT_EQ(rgb_at(s, x, 6), 0u) << x;
    EXPECT_EQ(rgb_at(s, x, 238), 0u) << x;
  }
  SDL_FreeSurface(s);
}

TEST(Assets, BlipsAreShortClearlyDifferentAndInTheMixersFormat) {
  Uint32 lengths[2] = {};
  Uint8* buffers[2] = {};
  const char* names[2] = {"data/p1_blip.wav", "data/p2_blip.wav"};
  for (int i = 0; i < 2; ++i) {
    SDL_AudioSpec spec;
    ASSERT_NE(SDL_LoadWAV(names[i], &spec, &buffers[i], &lengths[i]), nullptr) << SDL_GetError();
    EXPECT_EQ(spec.freq, 44100);
    EXPECT_EQ(spec.format, AUDIO_S16LSB);
    EXPECT_EQ(spec.channels, 2);
    const Uint32 ms = lengths[i] / 4 * 1000 / 44100;
    EXPECT_GE(ms, 10u) << names[i];
    EXPECT_LE(ms, 100u) << names[i];
  }
  EXPECT_NE(lengths[0], lengths[1]);
  for (Uint8* buffer : buffers) SDL_FreeWAV(buffer);
}

}  // namespace
