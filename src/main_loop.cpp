#include "main_loop.h"

#include <algorithm>
#include <cstdlib>

#include "core/drivers.h"
#include "core/game_state.h"
#include "core/geometry.h"
#include "core/pacing.h"
#include "core/platform.h"
#include "core/rules.h"
#include "playfield.h"
#include "sounds.h"

namespace {

constexpr uint32_t kEndOfMatchPauseMs = 200;

// Back (t) on a screen that returns to the menu is usually still held when the menu arrives, and
// the menu's slide-in can end before the button is let go. So after a match or the game-over
// screen, back quits only once it has been seen released in the menu.
bool back_held_into_menu = false;

// The pause (where the edition has one). Y pressed (P or Pause on the desktop) or the window's
// focus lost pauses a match; a press counts once, when Y has been seen up before.
bool pause_asked(bool& y_seen_up) {
  const bool pressed = button_held('y') && y_seen_up;
  y_seen_up = !button_held('y');
  const bool focus_lost = platform().focus_lost();
  return game.pausable != 0 && (pressed || focus_lost);
}

constexpr Sint16 kPauseBarX[] = {144, 164};
constexpr Sint16 kPauseBarY = 100;
constexpr Uint16 kPauseBarWidth = 12;
constexpr Uint16 kPauseBarHeight = 40;
constexpr uint32_t kWhite = 0xffff;  // in the picture's 16-bit RGB565

// A paused match: the sounds stop, two bars cover the picture, and the game sleeps until Y is
// pressed again (returns kPlay) or back is held (returns kMenu, as back does in play).
int pause_match() {
  platform().pause_sounds(true);
  for (Sint16 x : kPauseBarX) {
    SDL_Rect bar = {x, kPauseBarY, kPauseBarWidth, kPauseBarHeight};
    platform().fill(game.screen, &bar, kWhite);
  }
  platform().flip(game.screen);
  // A tap that paused counted for one reading only: the first reading here, at once, sees it up.
  bool y_seen_up = false;
  while (true) {
    platform().read_input(game.inputs);
    if (button_held('t') || (button_held('y') && y_seen_up)) break;
    y_seen_up = !button_held('y');
    platform().wait_for_event();
  }
  platform().pause_sounds(false);
  return button_held('t') ? kMenu : kPlay;
}

// One match, in paced frames. Returns 3 when the match is over.
int play_screen() {
  init_gamestate();
  platform().focus_lost();  // only a focus lost during the match pauses it
  bool y_seen_up = false;
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
    if (pause_asked(y_seen_up)) {
      if (pause_match() == kMenu) {
        back_held_into_menu = true;
        return kMenu;
      }
      y_seen_up = false;
      game.time_now = game.time_then = platform().get_ticks();  // the paused time does not count
    }
    if (game.players == 1) handle_ai();
    update_locations();
    handle_collisions();
    draw_screen();
    play_sounds();

    // Back to the menu, on the reading taken at the start of this frame; the picture just drawn
    // is left unshown, and the menu slides in over it.
    if (button_held('t')) {
      back_held_into_menu = true;
      return kMenu;
    }

    // Wait until a whole frame has passed since the last boundary (busily on the handheld). The
    // difference is taken modulo 2^32, so the wait stays right when the tick counter wraps.
    const uint32_t frame = static_cast<uint32_t>(game.frame_time);
    while (game.time_now - game.time_then < frame) {
      rest_of_frame(frame - (game.time_now - game.time_then));
      game.time_now = platform().get_ticks();
    }
    game.time_then = game.time_now;
    platform().flip(game.screen);
  }
  return kGameOver;  // not reached: nothing in a play frame sets finished
}

// ---------------------------------------------------------------------------------------------
// The menu

// The digit shown for each volume level and the mixer level it stands for (128 is full volume);
// the steps are uneven on purpose.
constexpr int kVolumeLevels[] = {0, 70, 80, 85, 90, 95, 100, 105, 120, 128};
constexpr int32_t kMaxVolume = 9;

// A press counts once: the latch opens again only when the button has been seen up.
void count_press(char button, int32_t& latch, int32_t& request) {
  if (button_held(button) && latch == 1) {
    request = 1;
    latch = 0;
  }
  if (!button_held(button)) latch = 1;
}

void volume_click() {
  play_blip(game.channelp1, game.p1_blip);
}

void draw_menu() {
  const bool known = game.volume >= 0 && game.volume <= kMaxVolume;
  src.x = static_cast<Sint16>(known ? kDigitWidth * game.volume : 0);
  platform().volume(-1, known ? kVolumeLevels[game.volume] : 0);
  src.y = 0;
  src.w = kDigitWidth;
  src.h = kDigitHeight;

  platform().blit(game.menu, nullptr, game.screen, nullptr);
  dest.x = kVolumeDigitX;
  dest.y = kMenuDigitY;
  platform().blit(game.num, &src, game.screen, &dest);
  dest.x = kPlayersDigitX;
  dest.y = kMenuDigitY;
  src.x = static_cast<Sint16>(kDigitWidth * game.players);
  platform().blit(game.num, &src, game.screen, &dest);
  platform().flip(game.screen);
}

// Volume, players, start or quit. Returns 0 (quit) or 2 (a match).
int menu_screen() {
  int32_t volume_down_latch = 1;
  int32_t volume_up_latch = 1;
  int32_t volume_down_request = 0;
  int32_t volume_up_request = 0;
  bool back_released = !back_held_into_menu;
  back_held_into_menu = false;

  // Slide the menu down over the last picture, one pixel a frame, from one screen height above
  // the top (y -240) to y -1.
  dest.x = 0;
  init_gamestate();
  for (int i = 0; i < kScreenHeight; ++i) {
    pace_slide_step(i);
    dest.y = static_cast<Sint16>(i - kScreenHeight);
    platform().blit(game.menu, nullptr, game.screen, &dest);
    platform().flip(game.screen);
  }
  game.finished = 0;

  while (game.finished == 0) {
    pace_waiting_frame();
    platform().read_input(game.inputs);
    count_press('e', volume_down_latch, volume_down_request);
    count_press('i', volume_up_latch, volume_up_request);
    count_press('y', game.y_released, game.y_pressed);

    if (!button_held('t')) back_released = true;
    if (button_held('t') && (back_released || platform().quit_requested())) return kQuit;
    if (button_held('a')) {
      release_sounds();  // the match loads them again
      return kPlay;
    }

    if (volume_down_request == 1) {
      game.volume = std::max(game.volume - 1, 0);
      volume_down_request = 0;
      volume_click();
    }
    if (volume_up_request == 1) {
      game.volume = std::min(game.volume + 1, kMaxVolume);
      volume_up_request = 0;
      volume_click();
    }
    if (game.y_pressed != 0) {
      game.players = game.players == 1 ? 2 : 1;
      game.y_pressed = 0;
    }
    draw_menu();
  }
  return kQuit;  // not reached: nothing in the menu sets finished
}

// ---------------------------------------------------------------------------------------------
// The game-over screen

// Slides the two halves of the picture in over the last picture of the match, then waits for
// start (a new match, returns 2) or back (the menu, returns 1; back wins when both are held).
int gameover_screen() {
  game.time_then = platform().get_ticks();  // the next match's first frame measures from here
  for (int i = 0; i < kHalfScreenWidth; ++i) {
    pace_slide_step(i);
    dest.x = static_cast<Sint16>(i - kHalfScreenWidth);
    dest.y = 0;
    platform().blit(game.gameover_left, nullptr, game.screen, &dest);
    dest.x = static_cast<Sint16>(kScreenWidth - i);
    platform().blit(game.gameover_right, nullptr, game.screen, &dest);
    platform().flip(game.screen);
  }

  game.finished = 0;
  bool to_menu = false;
  while (game.finished == 0) {
    pace_waiting_frame();
    platform().read_input(game.inputs);
    if (button_held('a')) game.finished = 1;
    if (button_held('t')) {
      game.finished = 1;
      to_menu = true;
    }
  }
  back_held_into_menu = to_menu;
  return to_menu ? kMenu : kPlay;
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
