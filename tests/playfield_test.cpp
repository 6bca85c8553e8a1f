// Drawing a match onto a real display surface (SDL's dummy video driver), with plain single-colour
// bitmaps so that every pixel tells which element was drawn there.
#include <gtest/gtest.h>

#include <utility>

#include "fake_platform.h"
#include "game_state.h"
#include "playfield.h"
#include "test_support.h"

namespace {

const SDL_Color kBackground = {0, 0, 64, 0};
const SDL_Color kPaddle = {255, 0, 0, 0};
const SDL_Color kBall = {0, 255, 0, 0};

// Digit d of the synthetic strip is a solid cell of grey level 20 * (d + 1).
SDL_Color digit_colour(int d) {
  const Uint8 level = static_cast<Uint8>(20 * (d + 1));
  return {level, level, level, 0};
}

class Playfield : public testing::Test {
 protected:
  void SetUp() override {
    open_test_display();
    ASSERT_NE(game.screen, nullptr);
    reset_game();
    saved_[0] = game.background;
    saved_[1] = game.paddle;
    saved_[2] = game.ball;
    saved_[3] = game.num;
    game.background = solid(320, 240, kBackground);
    game.paddle = solid(10, 30, kPaddle);
    game.ball = solid(5, 5, kBall);
    game.num = solid(200, 30, kBackground);
    for (int d = 0; d < 10; ++d) {
      SDL_Rect cell = {static_cast<Sint16>(20 * d), 0, 20, 30};
      SDL_FillRect(game.num, &cell, map(digit_colour(d)));
    }
    game.paddle1_y = game.paddle2_y = 105;
    game.ball_x = 155;
    game.ball_y = 115;
  }

  void TearDown() override {
    for (SDL_Surface* s : {game.background, game.paddle, game.ball, game.num}) SDL_FreeSurface(s);
    game.background = saved_[0];
    game.paddle = saved_[1];
    game.ball = saved_[2];
    game.num = saved_[3];
  }

  static Uint32 map(SDL_Color c) { return SDL_MapRGB(game.screen->format, c.r, c.g, c.b); }

  static SDL_Surface* solid(int w, int h, SDL_Color c) {
    SDL_Surface* s =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, game.screen->format->Rmask,
                             game.screen->format->Gmask, game.screen->format->Bmask, 0);
    SDL_FillRect(s, nullptr, map(c));
    return s;
  }

  static Uint32 pixel(int x, int y) {
    const auto* row = static_cast<const Uint8*>(game.screen->pixels) + y * game.screen->pitch;
    return reinterpret_cast<const Uint16*>(row)[x];
  }

  // The score cell drawn with its top-left corner at (x, 8), as a digit; -1 for none.
  static int digit_at(int x) {
    for (int d = 0; d < 10; ++d) {
      if (pixel(x, 8) == map(digit_colour(d)) && pixel(x + 19, 37) == map(digit_colour(d))) {
        return d;
      }
    }
    return -1;
  }

  FakePlatform fake;
  SDL_Surface* saved_[4] = {};
};

TEST_F(Playfield, DrawsEveryElementAtItsPlaceInOrder) {
  game.paddle1_y = 50;
  game.paddle2_y = 150;
  game.ball_x = 100;
  game.ball_y = 60;
  game.p1_score = 3;
  game.p2_score = 7;
  draw_screen();

  // Background first (it covers the last picture), then paddles, scores and the ball on top.
  ASSERT_EQ(fake.blits.size(), 6u);
  const SDL_Surface* order[] = {game.background, game.paddle, game.paddle,
                                game.num,        game.num,    game.ball};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(fake.blits[i].surface, order[i]) << "blit " << i;

  EXPECT_EQ(pixel(5, 50), map(kPaddle));
  EXPECT_EQ(pixel(14, 79), map(kPaddle));
  EXPECT_EQ(pixel(4, 50), map(kBackground));
  EXPECT_EQ(pixel(15, 50), map(kBackground));
  EXPECT_EQ(pixel(5, 80), map(kBackground));
  EXPECT_EQ(pixel(305, 150), map(kPaddle));
  EXPECT_EQ(pixel(314, 179), map(kPaddle));
  EXPECT_EQ(pixel(315, 150), map(kBackground));
  EXPECT_EQ(pixel(100, 60), map(kBall));
  EXPECT_EQ(pixel(104, 64), map(kBall));
  EXPECT_EQ(pixel(105, 64), map(kBackground));
  EXPECT_EQ(digit_at(135), 3);
  EXPECT_EQ(digit_at(165), 7);
  EXPECT_EQ(pixel(134, 8), map(kBackground));
  EXPECT_EQ(pixel(185, 8), map(kBackground));
}

TEST_F(Playfield, ClampsBothPaddlesToTheField) {
  const std::pair<int, int> cases[] = {{2, 5},     {4, 5},     {5, 5},     {6, 6},
                                       {204, 204}, {205, 205}, {208, 205}, {-300, 5}};
  for (const auto& [before, after] : cases) {
    game.paddle1_y = before;
    game.paddle2_y = before;
    draw_screen();
    EXPECT_EQ(game.paddle1_y, after) << "from " << before;
    EXPECT_EQ(game.paddle2_y, after) << "from " << before;
    EXPECT_EQ(pixel(5, after), map(kPaddle)) << "from " << before;
    EXPECT_EQ(pixel(314, after + 29), map(kPaddle)) << "from " << before;
  }
}

TEST_F(Playfield, CutsTheDigitCellOfEachScore) {
  const std::pair<int, int> cases[] = {{0, 9}, {9, 0}, {4, 5}, {-1, 11}, {11, -1}};
  for (const auto& [left, right] : cases) {
    game.p1_score = left;
    game.p2_score = right;
    draw_screen();
    const int shown_left = left >= 0 && left <= 9 ? left : 0;
    const int shown_right = right >= 0 && right <= 9 ? right : 0;
    EXPECT_EQ(digit_at(135), shown_left) << left << ":" << right;
    EXPECT_EQ(digit_at(165), shown_right) << left << ":" << right;
    EXPECT_EQ(fake.blits[3].src_x, 20 * shown_left);
    EXPECT_EQ(fake.blits[4].src_x, 20 * shown_right);
    EXPECT_EQ(game.gameover, 0) << "only a score of 10 ends the match";
    fake.blits.clear();
  }
}

TEST_F(Playfield, ShowsTenAsTwoDigitsGrowingAwayFromTheCentre) {
  game.p1_score = 10;
  game.p2_score = 7;
  draw_screen();
  EXPECT_EQ(digit_at(115), 1);
  EXPECT_EQ(digit_at(135), 0);
  EXPECT_EQ(digit_at(165), 7);
  EXPECT_EQ(game.gameover, 1);

  game.gameover = 0;
  game.p1_score = 4;
  game.p2_score = 10;
  draw_screen();
  EXPECT_EQ(digit_at(135), 4);
  EXPECT_EQ(digit_at(165), 1);
  EXPECT_EQ(digit_at(185), 0);
  EXPECT_EQ(pixel(114, 8), map(kBackground));
  EXPECT_EQ(game.gameover, 1);
}

TEST_F(Playfield, AMissingBitmapIsSimplyNotDrawn) {
  SDL_FreeSurface(game.num);
  game.num = nullptr;
  game.p1_score = 10;
  game.ball_x = 200;
  game.ball_y = 100;
  game.paddle1_y = 2;
  draw_screen();
  EXPECT_EQ(pixel(135, 8), map(kBackground));
  EXPECT_EQ(pixel(115, 8), map(kBackground));
  EXPECT_EQ(pixel(200, 100), map(kBall));
  EXPECT_EQ(pixel(5, 5), map(kPaddle));
  EXPECT_EQ(game.paddle1_y, 5);
  EXPECT_EQ(game.gameover, 1) << "a score of 10 still ends the match";
}

}  // namespace
