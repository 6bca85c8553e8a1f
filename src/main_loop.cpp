#include "main_loop.h"

#include <cstdlib>

#include "dingoo_input.h"
#include "drivers.h"
#include "game_state.h"
#include "platform.h"
#include "playfield.h"
#include "rules.h"
#include "sounds.h"

namespace {

constexpr uint32_t kEndOfMatchPauseMs = 200;

// One match, in paced frames. Returns 3 when the match is over.
int play_screen() {
  init_gamestate();
  while (game.finished == 0) {
    // The last point's frame has been drawn and shown; hold it for a moment and leave.
    if (game.gameover) {
      release_sounds();
      platform().delay(kEndOfMatchPauseMs);
      return kGameOver;
    }
    game.random = std::rand() % 3;
    game.time_now = platform().get_ticks();

    handle_input();
    if (game.players == 1) handle_ai();
    update_locations();
    handle_collisions();
    draw_screen();
    play_sounds();

    // Back to the menu, on the reading taken at the start of this frame; the picture just drawn
    // is left unshown, and the menu slides in over it.
    if (dingoo_check_input('t', game.inputs)) return kMenu;

    // Busy-wait until a whole frame has passed since the last boundary. The difference is taken
    // modulo 2^32, so the wait stays right when the tick counter wraps.
    while (game.time_now - game.time_then < static_cast<uint32_t>(game.frame_time)) {
      game.time_now = platform().get_ticks();
    }
    game.time_then = game.time_now;
    platform().flip(game.screen);
  }
  return kGameOver;  // not reached: nothing in a play frame sets finished
}

// Until the menu exists: one reading, then quit on 't' or straight on to a match.
int menu_screen() {
  platform().read_input(game.inputs);
  return dingoo_check_input('t', game.inputs) ? kQuit : kPlay;
}

// Until the game-over screen exists, the end of a match ends the program.
int gameover_screen() {
  return kQuit;
}

}  // namespace

int main_loop(int code) {
  switch (code) {
    case kMenu:
      return menu_screen();
    case kGameOver:
      return gameover_screen();
    default:
      return play_screen();
  }
}

void run_screens(int (*screen)(int)) {
  int code = kMenu;
  for (;;) {
    const int next = screen(code);
    if (next == kQuit) return;
    if (next == kMenu || next == kPlay || next == kGameOver) code = next;
  }
}
