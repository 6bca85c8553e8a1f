// Whole pictures, compared pixel for pixel on the real 16-bit display surface (SDL's dummy video
// driver) with reference pictures kept in tests/golden/. After an intended change to the art or
// the drawing, regenerate them with:
//
//   RALLY_UPDATE_GOLDEN=1 build/tests/rally_tests --gtest_filter='Golden*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "fake_platform.h"
#include "game_state.h"
#include "main_loop.h"
#include "test_support.h"

namespace {

class Golden : public testing::Test {
 protected:
  void SetUp() override {
    open_test_display();
    ASSERT_NE(game.screen, nullptr);
    ASSERT_EQ(game.screen->format->BitsPerPixel, 16);
    reset_game();
    std::srand(1);
  }

  // Compares the display with tests/golden/<name>.bmp, or writes it when asked to.
  static void expect_picture(const std::string& name) {
    const std::string path = source_dir() + "/tests/golden/" + name + ".bmp";
    if (std::getenv("RALLY_UPDATE_GOLDEN") != nullptr) {
      ASSERT_EQ(SDL_SaveBMP(game.screen, path.c_str()), 0) << SDL_GetError();
      return;
    }
    SDL_Surface* stored = SDL_LoadBMP(path.c_str());
    ASSERT_NE(stored, nullptr) << path << ": " << SDL_GetError();
    SDL_Surface* expected = SDL_ConvertSurface(stored, game.screen->format, SDL_SWSURFACE);
    SDL_FreeSurface(stored);
    ASSERT_NE(expected, nullptr);

    int differing = 0;
    int first_x = -1;
    int first_y = -1;
    for (int y = 0; y < 240; ++y) {
      const auto* want = reinterpret_cast<const Uint16*>(
          static_cast<const Uint8*>(expected->pixels) + y * expected->pitch);
      const auto* got = reinterpret_cast<const Uint16*>(
          static_cast<const Uint8*>(game.screen->pixels) + y * game.screen->pitch);
      for (int x = 0; x < 320; ++x) {
        if (want[x] == got[x]) continue;
        if (differing++ == 0) {
          first_x = x;
          first_y = y;
        }
      }
    }
    SDL_FreeSurface(expected);
    if (differing != 0) {
      const std::string actual = "/tmp/rally-" + name + "-actual.bmp";
      SDL_SaveBMP(game.screen, actual.c_str());
      ADD_FAILURE() << name << ": " << differing << " pixels differ, the first at (" << first_x
                    << ", " << first_y << "); the picture drawn is in " << actual;
    }
  }

  FakePlatform fake;
};

TEST_F(Golden, FirstMenuFrame) {
  int flips = 0;
  fake.on_flip = [&] {
    if (++flips == 241) expect_picture("menu_first_frame");
  };
  fake.readings = {held(""), held("a")};
  main_loop(kMenu);
  EXPECT_EQ(flips, 241);
}

TEST_F(Golden, MidMatchFrame) {
  int flips = 0;
  fake.on_flip = [&] {
    if (++flips == 400) {
      expect_picture("mid_match");
      game.gameover = 1;
    }
  };
  fake.readings = {held("d")};
  main_loop(kPlay);
  EXPECT_EQ(flips, 400);
}

TEST_F(Golden, LastGameOverSlideFrame) {
  fake.readings = {held("u")};
  ASSERT_EQ(main_loop(kPlay), kGameOver);
  int flips = 0;
  fake.on_flip = [&] {
    if (++flips == 160) expect_picture("game_over_last_slide");
  };
  fake.readings = {held("a")};
  main_loop(kGameOver);
  EXPECT_EQ(flips, 160);
}

}  // namespace
