// present_bench: the desktop edition's pace on a real display, a benchmark (it reports, never
// fails on a figure). With the desktop's own start-up, display and presenter, it plays the menu's
// slide-in, a one-player match with no button held (the computer wins it 10-0, in the same number
// of frames at any scale), the game-over screen and the way out, and prints one line:
//
//   <opengl|software> <window> slide-in <ms> match <s> <frames/s> frames/s <pictures/s> shown/s
//
// (frames a second leave out the pauses after each point, when nothing moves; pictures a second
// are over the whole match).
//
//   present_bench [--scale N | --fullscreen]     (run where data/ is; DISPLAY names the display)
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

#include "button_source.h"
#include "dingoo_input.h"
#include "edition.h"
#include "game_state.h"
#include "graphics.h"
#include "main_loop.h"
#include "presenter.h"

namespace {

int screen_now = kMenu, visits[4], readings = 0;
long flips = 0, match_flips = 0, match_shown = 0;
Uint32 menu_start = 0, slide_in_end = 0, match_ms = 0, delays_ms = 0;

// The player: start in the menu, back on the game-over screen, and back again (once seen up) in
// the menu that follows; nothing held in the match.
class Player : public PresentedPlatform {
 public:
  int read_input(int8_t* inputs) override {
    const int result = PresentedPlatform::read_input(inputs);
    for (int line = 0; line < kButtonLines; ++line) inputs[line] = 1;
    char button = screen_now == kGameOver ? 't' : 0;
    if (screen_now == kMenu) button = visits[kMenu] == 1 ? 'a' : ++readings > 1 ? 't' : 0;
    if (button != 0) inputs[button_line(button)] = 0;
    return result;
  }
  void delay(uint32_t ms) override {  // the pauses after a point and at the end
    delays_ms += ms;
    PresentedPlatform::delay(ms);
  }
  int flip(SDL_Surface* screen) override {
    if (++flips == 240) slide_in_end = SDL_GetTicks();  // the first menu's slide-in is over
    return PresentedPlatform::flip(screen);
  }
};

int screen(int code) {
  screen_now = code;
  if (++visits[code] == 1 && code == kMenu) menu_start = SDL_GetTicks();
  const Uint32 start = SDL_GetTicks();
  const long flips_before = flips, shown_before = pictures_shown();
  const int next = main_loop(code);
  if (code == kPlay) {
    match_ms = SDL_GetTicks() - start;
    match_flips = flips - flips_before;
    match_shown = pictures_shown() - shown_before;
  }
  return next;
}

}  // namespace

int main(int argc, char** argv) {
  SdlPlatform sdl;  // as the program binds it
  set_platform(&sdl);
  if (prepare_edition(argc, argv) != kStartGame || sdl_init() != 0 || load_graphics() != 0) {
    return 1;
  }
  const SDL_Surface* video = SDL_GetVideoSurface();
  Player player;
  run_presented(player, [] { run_screens(screen); });
  const double playing_s = (match_ms - delays_ms) / 1000.0;
  std::printf("%-9s %4dx%-4d slide-in %4u ms  match %5.1f s %5.1f frames/s %6.1f shown/s\n",
              (video->flags & SDL_OPENGL) != 0 ? "opengl" : "software", video->w, video->h,
              slide_in_end - menu_start, match_ms / 1000.0, match_flips / playing_s,
              match_shown * 1000.0 / match_ms);
  Mix_CloseAudio();
  SDL_Quit();
  return 0;
}
