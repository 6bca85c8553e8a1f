#include "platform_sdl.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>

#include "button_source.h"
#include "dingoo_input.h"

namespace {

// Shows a 16-bit frame on a 16-bit video surface of the same pixel format: each pixel becomes a
// square block of the largest whole factor at which the frame fits, and the result is centred.
// Returns the area written; pixels outside it are left as they are.
SDL_Rect scale_frame(SDL_Surface* frame, SDL_Surface* video) {
  const int factor = std::min(video->w / frame->w, video->h / frame->h);
  const int left = (video->w - frame->w * factor) / 2;
  const int top = (video->h - frame->h * factor) / 2;
  SDL_Rect area = {static_cast<Sint16>(left), static_cast<Sint16>(top),
                   static_cast<Uint16>(frame->w * factor), static_cast<Uint16>(frame->h * factor)};
  if (factor < 1 || frame->format->BytesPerPixel != 2 || video->format->BytesPerPixel != 2 ||
      SDL_LockSurface(video) != 0) {
    return SDL_Rect{};
  }
  const size_t row_bytes = static_cast<size_t>(frame->w) * factor * sizeof(Uint16);
  for (int y = 0; y < frame->h; ++y) {
    const auto* in = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(frame->pixels) +
                                                     y * frame->pitch);
    auto* row = static_cast<Uint8*>(video->pixels) + (top + y * factor) * video->pitch +
                left * sizeof(Uint16);
    auto* out = reinterpret_cast<Uint16*>(row);
    for (int x = 0; x < frame->w; ++x) out = std::fill_n(out, factor, in[x]);
    // The other rows of the block are copies of the first.
    for (int copy = 1; copy < factor; ++copy)
      std::memcpy(row + copy * video->pitch, row, row_bytes);
  }
  SDL_UnlockSurface(video);
  return area;
}

}  // namespace

uint32_t SdlPlatform::get_ticks() {
  return SDL_GetTicks();
}

void SdlPlatform::delay(uint32_t ms) {
  SDL_Delay(ms);
}

int SdlPlatform::blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) {
  return SDL_UpperBlit(src, srcrect, dst, dstrect);
}

// The game's picture is either SDL's video surface itself or, when the window or the full
// screen is larger (desktop edition), a surface of its own that each flip scales onto the video
// surface. That one is never double-buffered, so showing the scaled area is the whole flip.
int SdlPlatform::flip(SDL_Surface* screen) {
  SDL_Surface* video = SDL_GetVideoSurface();
  if (screen == nullptr || video == nullptr || screen == video) return SDL_Flip(screen);
  SDL_Rect area = scale_frame(screen, video);
  SDL_UpdateRects(video, 1, &area);
  return 0;
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

// As SDL_WaitEvent, but the event stays in the queue for the next reading to take.
void SdlPlatform::wait_for_event() {
  SDL_Event event;
  while (pump_events(), SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0) SDL_Delay(10);
}

const char* SdlPlatform::get_error() {
  return SDL_GetError();
}
