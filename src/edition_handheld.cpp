// The handheld edition: the 320x240 full screen itself is the game's picture, and nothing
// happens before start-up (no options, data relative to the working directory).
#include <SDL.h>

#include "core/geometry.h"
#include "edition.h"
#include "main_loop.h"

const bool kAnswersDriverKeys = true;

int prepare_edition(int /*argc*/, char** /*argv*/) {
  return kStartGame;
}

SDL_Surface* open_display() {
  return SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenDepth, SDL_FULLSCREEN);
}

void play_screens(void (*screens)()) {
  screens();
}

SDL_Surface* display_format(SDL_Surface* loaded) {
  return SDL_DisplayFormat(loaded);
}

int edition_screen(int code) {
  return main_loop(code);
}
