#include "graphics.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

#include "core/game_state.h"
#include "core/sound_format.h"
#include "edition.h"

namespace {

constexpr int kAudioChunkSize = 2048;

struct Bitmap {
  const char* path;
  SDL_Surface* GameState::*surface;
};

// In loading order.
constexpr Bitmap kBitmaps[] = {
    {"data/paddle.bmp", &GameState::paddle},
    {"data/ball.bmp", &GameState::ball},
    {"data/background.bmp", &GameState::background},
    {"data/game_over_left.bmp", &GameState::gameover_left},
    {"data/game_over_right.bmp", &GameState::gameover_right},
    {"data/num.bmp", &GameState::num},
    {"data/menu.bmp", &GameState::menu},
};

}  // namespace

int sdl_init() {
  // Some systems have a display but no sound device, and fail the combined start-up. The picture
  // must not be lost with the sound: start the video alone and report the audio failure where the
  // audio would have started.
  char audio_error[256] = "";
  if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) != 0) {
    std::snprintf(audio_error, sizeof audio_error, "%s", SDL_GetError());
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
      std::fprintf(stderr, "Unable to initialize SDL: %s\n", SDL_GetError());
      return 1;
    }
  }

  game.screen = open_display();
  if (game.screen == nullptr) {
    std::fprintf(stderr, "Unable to set video mode: %s\n", SDL_GetError());
    return 1;
  }
  SDL_ShowCursor(0);

  if (audio_error[0] != '\0') {
    std::fprintf(stderr, "Unable to initialize audio: %s\n", audio_error);
    return 1;
  }
  if (Mix_OpenAudio(kAudioRate, AUDIO_S16LSB, kAudioChannels, kAudioChunkSize) != 0) {
    std::fprintf(stderr, "Unable to initialize audio: %s\n", SDL_GetError());
    return 1;
  }
  return 0;
}

int load_graphics() {
  for (const Bitmap& bitmap : kBitmaps) {
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromFile(bitmap.path, "rb"), 1);
    if (loaded == nullptr) {
      std::fprintf(stderr, "Unable to load bitmap: %s\n", SDL_GetError());
      return 1;
    }
    // Converting needs a display; without one, SDL's converter would crash.
    SDL_Surface* converted = game.screen != nullptr ? display_format(loaded) : nullptr;
    SDL_FreeSurface(loaded);
    if (converted == nullptr) return 1;
    game.*bitmap.surface = converted;
  }
  return 0;
}
