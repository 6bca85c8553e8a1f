#include "presenter.h"

#include <SDL.h>
#include <SDL_thread.h>

#include <atomic>
#include <cstring>
#include <utility>

#include "button_source.h"
#include "game_state.h"
#include "gl_display.h"

namespace {

// A display refreshes at most this often: pictures shown closer together than this are never
// seen, so the presenter waits as long between two.
constexpr Uint32 kShortestShowMs = 4;
// How long the presenter sleeps without a new picture before it takes the window's events again.
constexpr Uint32 kEventWaitMs = 10;

// What the two threads share, under `lock`: the newest finished picture and whether it is new.
struct Handover {
  SDL_mutex* lock = nullptr;
  SDL_cond* changed = nullptr;
  SDL_Surface* newest = nullptr;  // the picture of the game's last flip
  bool fresh = false;             // not shown yet
  bool over = false;              // the game's thread has ended
  void (*screens)() = nullptr;
} handover;

std::atomic<long> shown_count{0};

void copy_picture(const SDL_Surface* from, SDL_Surface* to) {
  for (int y = 0; y < from->h; ++y) {
    std::memcpy(static_cast<Uint8*>(to->pixels) + y * to->pitch,
                static_cast<const Uint8*>(from->pixels) + y * from->pitch,
                static_cast<size_t>(from->w) * from->format->BytesPerPixel);
  }
}

SDL_Surface* picture_like(const SDL_Surface* screen) {
  const SDL_PixelFormat* format = screen->format;
  return SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, format->BitsPerPixel,
                              format->Rmask, format->Gmask, format->Bmask, 0);
}

// Shows a picture with OpenGL or, without it, through SDL's scaled flip.
void show(SDL_Surface* picture) {
  const SDL_Surface* video = SDL_GetVideoSurface();
  if (video != nullptr && (video->flags & SDL_OPENGL) != 0) {
    show_gl_picture(picture);
  } else {
    SdlPlatform().flip(picture);
  }
}

int play(void*) {
  handover.screens();
  SDL_mutexP(handover.lock);
  handover.over = true;
  SDL_CondSignal(handover.changed);
  SDL_mutexV(handover.lock);
  return 0;
}

// The presenter's loop: takes the window's events, and shows each new picture, until the game's
// thread has ended.
void present(SDL_Surface* shown) {
  Uint32 last_shown = SDL_GetTicks() - kShortestShowMs;
  SDL_mutexP(handover.lock);
  while (!handover.over) {
    if (!handover.fresh) SDL_CondWaitTimeout(handover.changed, handover.lock, kEventWaitMs);
    const Uint32 since = SDL_GetTicks() - last_shown;
    const bool take = handover.fresh && since >= kShortestShowMs;
    const Uint32 too_soon = handover.fresh && !take ? kShortestShowMs - since : 0;
    if (take) {
      std::swap(shown, handover.newest);
      handover.fresh = false;
    }
    SDL_mutexV(handover.lock);
    SDL_PumpEvents();
    if (take) {
      last_shown = SDL_GetTicks();
      show(shown);
      ++shown_count;
    }
    if (too_soon > 0) SDL_Delay(too_soon);
    SDL_mutexP(handover.lock);
  }
  SDL_mutexV(handover.lock);
}

}  // namespace

int PresentedPlatform::flip(SDL_Surface* screen) {
  if (handover.lock == nullptr) {  // no presenter: shown here
    show(screen);
    ++shown_count;
    return 0;
  }
  SDL_mutexP(handover.lock);
  copy_picture(screen, handover.newest);
  handover.fresh = true;
  SDL_CondSignal(handover.changed);
  SDL_mutexV(handover.lock);
  return 0;
}

void run_presented(PresentedPlatform& platform, void (*screens)()) {
  Platform& before = ::platform();
  set_platform(&platform);
  SDL_Surface* pictures[] = {picture_like(game.screen), picture_like(game.screen)};
  handover = Handover{SDL_CreateMutex(), SDL_CreateCond(), pictures[0], false, false, screens};
  SDL_Thread* game = nullptr;
  if (pictures[0] && pictures[1] && handover.lock && handover.changed) {
    pump_events_elsewhere(true);
    game = SDL_CreateThread(play, nullptr);
  }
  if (game != nullptr) {
    present(pictures[1]);
    SDL_WaitThread(game, nullptr);
  }
  pump_events_elsewhere(false);
  if (handover.changed) SDL_DestroyCond(handover.changed);
  if (handover.lock) SDL_DestroyMutex(handover.lock);
  handover = Handover{};
  if (game == nullptr) screens();
  SDL_FreeSurface(pictures[0]);
  SDL_FreeSurface(pictures[1]);
  set_platform(&before);
}

long pictures_shown() {
  return shown_count;
}
