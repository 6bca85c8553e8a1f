#include "core/drivers.h"

#include "core/game_state.h"
#include "core/geometry.h"
#include "core/gpio_lines.h"
#include "core/platform.h"

namespace {

// The computer chases a ball that is in the right half heading its way, steering the point 10
// pixels below its top towards the ball's y; otherwise it waits inside a band.
constexpr int32_t kChaseFromX = kCentreLineX + 1;  // past the centre line
constexpr int32_t kChaseBelowAngle = 181;
constexpr int32_t kAimBelowTop = 10;
constexpr int32_t kWaitingBandTop = 50;
constexpr int32_t kWaitingBandBottom = 190;

}  // namespace

bool button_held(char button) {
  return dingoo_check_input(button, game.inputs) != 0;
}

void handle_input() {
  // A failed reading leaves the last one in the array, and play goes on with it.
  platform().read_input(game.inputs);
  game.p1_moveup = button_held('u') ? 1 : 0;
  game.p1_movedown = button_held('d') ? 1 : 0;
  if (game.players == 2) {
    game.p2_moveup = button_held('x') ? 1 : 0;
    game.p2_movedown = button_held('b') ? 1 : 0;
  }
}

void handle_ai() {
  bool up;
  bool down;
  if (game.ball_x >= kChaseFromX && game.angle < kChaseBelowAngle) {
    const int32_t aim = game.paddle2_y + kAimBelowTop;
    up = game.ball_y < aim;
    down = game.ball_y > aim;
  } else {
    up = game.paddle2_y > kWaitingBandBottom;
    down = game.paddle2_y < kWaitingBandTop;
  }
  game.p2_moveup = up ? 1 : 0;
  game.p2_movedown = down ? 1 : 0;
}
