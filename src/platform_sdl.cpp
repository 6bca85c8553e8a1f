#include "platform_sdl.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <time.h>

#include "button_source.h"
#include "dingoo_input.h"

uint32_t SdlPlatform::get_ticks() {
  return SDL_GetTicks();
}

void SdlPlatform::delay(uint32_t ms) {
  SDL_Delay(ms);
}

void SdlPlatform::nap() {
  const timespec a_quarter_of_a_millisecond = {0, 250000};
  nanosleep(&a_quarter_of_a_millisecond, nullptr);
}

int SdlPlatform::blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) {
  return SDL_UpperBlit(src, srcrect, dst, dstrect);
}

int SdlPlatform::flip(SDL_Surface* screen) {
  return SDL_Flip(screen);
}

int SdlPlatform::fill(SDL_Surface* dst, SDL_Rect* rect, uint32_t color) {
  return SDL_FillRect(dst, rect, color);
}

Mix_Chunk* SdlPlatform::load_wav(const char* path) {
  return Mix_LoadWAV_RW(SDL_RWFromFile(path, "rb"), 1);
}

void SdlPlatform::free_chunk(Mix_Chunk* chunk) {
  Mix_FreeChunk(chunk);
}

int SdlPlatform::play_channel_timed(int channel, Mix_Chunk* chunk, int loops, int ticks) {
  return Mix_PlayChannelTimed(channel, chunk, loops, ticks);
}

int SdlPlatform::playing(int channel) {
  return Mix_Playing(channel);
}

int SdlPlatform::volume(int channel, int level) {
  // For all channels SDL_mixer averages over them, and it has none when the audio failed to open:
  // a division by zero, which traps on MIPS.
  if (channel == -1 && Mix_AllocateChannels(-1) == 0) return 0;
  return Mix_Volume(channel, level);
}

void SdlPlatform::pause_sounds(bool paused) {
  if (Mix_AllocateChannels(-1) == 0) return;  // the audio device never opened
  paused ? Mix_Pause(-1) : Mix_Resume(-1);
}

int SdlPlatform::read_input(int8_t* inputs) {
  return dingoo_read_input(inputs);
}

bool SdlPlatform::quit_requested() {
  return ::quit_requested();
}

bool SdlPlatform::focus_lost() {
  return take_focus_loss();
}

void SdlPlatform::wait_for_event() {
  wait_for_events();
}

void SdlPlatform::forget_presses() {
  ::forget_presses();
}

const char* SdlPlatform::get_error() {
  return SDL_GetError();
}
