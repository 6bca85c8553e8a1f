// rally: a two-paddle bat-and-ball game for a 320x240 handheld and the desktop.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

#include "core/game_state.h"
#include "edition.h"
#include "graphics.h"
#include "main_loop.h"
#include "platform_sdl.h"

int main(int argc, char** argv) {
  const int status = prepare_edition(argc, argv);
  if (status != kStartGame) return status;

  SdlPlatform sdl;
  set_platform(&sdl);

  if (sdl_init() != 0) std::fputs("sdl init failed", stderr);
  if (load_graphics() != 0) std::fputs("load graphics failed", stderr);

  // Without a display surface there is nothing to play on: SDL would crash drawing to it.
  if (game.screen != nullptr) play_screens([] { run_screens(edition_screen); });

  Mix_CloseAudio();
  SDL_Quit();
  return 0;
}
