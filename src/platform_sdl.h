// The platform seam bound to SDL 1.2 and SDL_mixer 1.2.
#pragma once

#include <SDL.h>

#include "core/platform.h"

class SdlPlatform : public Platform {
 public:
  uint32_t get_ticks() override;
  void delay(uint32_t ms) override;
  void nap() override;
  int blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) override;
  int flip(SDL_Surface* screen) override;
  int fill(SDL_Surface* dst, SDL_Rect* rect, uint32_t color) override;
  Mix_Chunk* load_wav(const char* path) override;
  void free_chunk(Mix_Chunk* chunk) override;
  int play_channel_timed(int channel, Mix_Chunk* chunk, int loops, int ticks) override;
  int playing(int channel) override;
  int volume(int channel, int level) override;
  void pause_sounds(bool paused) override;
  int read_input(int8_t* inputs) override;
  bool quit_requested() override;
  bool focus_lost() override;
  void wait_for_event() override;
  void forget_presses() override;
  const char* get_error() override;
};
