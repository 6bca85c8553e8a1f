#include "playfield.h"

#include <algorithm>

#include "core/game_state.h"
#include "core/geometry.h"
#include "core/platform.h"

SDL_Rect src;
SDL_Rect dest;

namespace {

void blit_at(SDL_Surface* surface, SDL_Rect* cut, Sint16 x, Sint16 y) {
  dest.x = x;
  dest.y = y;
  platform().blit(surface, cut, game.screen, &dest);
}

void draw_paddle(Sint16 x, int32_t& top) {
  top = std::clamp<int32_t>(top, kPaddleTopMin, kPaddleTopMax);
  blit_at(game.paddle, nullptr, x, static_cast<Sint16>(top));
}

void draw_digit(int digit, int x) {
  src.x = static_cast<Sint16>(kDigitWidth * digit);
  blit_at(game.num, &src, static_cast<Sint16>(x), static_cast<Sint16>(kScoreY));
}

// 0..9 is one cell and the winning score is the two cells "1" "0"; any other value shows a 0. The
// left score grows leftwards from its last cell, the right score rightwards from its first, so
// that both stay clear of the centre line. Reaching the winning score ends the match.
static_assert(kWinningScore == 10, "the winning score is drawn as the two digits 1 and 0");

void draw_score(int32_t score, bool left) {
  if (score == kWinningScore) {
    game.gameover = 1;
    const int first_x = left ? kLeftScoreX - kDigitWidth : kRightScoreX;
    draw_digit(1, first_x);
    draw_digit(0, first_x + kDigitWidth);
    return;
  }
  const int digit = (score >= 0 && score < kDigitCount) ? score : 0;
  draw_digit(digit, left ? kLeftScoreX : kRightScoreX);
}

}  // namespace

void draw_screen() {
  platform().blit(game.background, nullptr, game.screen, nullptr);
  draw_paddle(static_cast<Sint16>(kLeftPaddleX), game.paddle1_y);
  draw_paddle(static_cast<Sint16>(kRightPaddleX), game.paddle2_y);

  src.y = 0;
  src.w = kDigitWidth;
  src.h = kDigitHeight;
  draw_score(game.p1_score, true);
  draw_score(game.p2_score, false);

  blit_at(game.ball, nullptr, static_cast<Sint16>(game.ball_x), static_cast<Sint16>(game.ball_y));
}
