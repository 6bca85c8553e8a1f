#include "desktop/presenter.h"

#include <SDL.h>
#include <SDL_thread.h>

#include <atomic>
#include <cstring>
#include <utility>

#include "button_source.h"
#include "core/game_state.h"
#include "desktop/desktop_display.h"

namespace {

// A display refreshes at most this often: pictures shown closer together than this are never
// seen, so the presenter waits as long between two.
constexpr Uint32 kShortestShowMs = 4;
// How long the presenter sleeps without a new picture before it takes the window's events again.
constexpr Uint32 kEventWaitMs = 10;
// A window manager may move the focus away and back as the window turns into the full screen and
// back; for this long after a switch, a focus loss does not pause a match.
constexpr Uint32 kSwitchFocusMs = 500;

// What the two threads share, under `lock`: the newest finished picture and whether it is new.
struct Handover {
  SDL_mutex* lock = nullptr;
  SDL_cond* changed = nullptr;
  SDL_Surface* newest = nullptr;  // the picture of the game's last flip
  bool fresh = false;             // not taken yet
  SDL_Surface* last = nullptr;    // the game's thread's own copy of the last picture handed over
  bool over = false;              // the game's thread has ended
  void (*screens)() = nullptr;
} handover;

std::atomic<long> shown_count{0};
std::atomic<long> switch_count{0};

void copy_picture(const SDL_Surface* from, SDL_Surface* to) {
  for (int y = 0; y < from->h; ++y) {
    std::memcpy(static_cast<Uint8*>(to->pixels) + y * to->pitch,
                static_cast<const Uint8*>(from->pixels) + y * from->pitch,
                static_cast<size_t>(from->w) * from->format->BytesPerPixel);
  }
}

bool same_picture(const SDL_Surface* a, const SDL_Surface* b) {
  for (int y = 0; y < a->h; ++y) {
    if (std::memcmp(static_cast<const Uint8*>(a->pixels) + y * a->pitch,
                    static_cast<const Uint8*>(b->pixels) + y * b->pitch,
                    static_cast<size_t>(a->w) * a->format->BytesPerPixel) != 0) {
      return false;
    }
  }
  return true;
}

SDL_Surface* picture_like(const SDL_Surface* screen) {
  const SDL_PixelFormat* format = screen->format;
  return SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, format->BitsPerPixel,
                              format->Rmask, format->Gmask, format->Bmask, 0);
}

void show(SDL_Surface* picture, const SDL_Rect* areas, int count) {
  show_picture(picture, areas, count);
  ++shown_count;
}

// Switches between window and full screen when asked, then shows the picture on the screen again.
void switch_when_asked(SDL_Surface* on_screen) {
  if (!take_display_switch()) return;
  switch_display();
  ignore_focus_loss(kSwitchFocusMs);
  ++switch_count;
  show(on_screen, nullptr, 0);
}

int play(void*) {
  handover.screens();
  SDL_mutexP(handover.lock);
  handover.over = true;
  SDL_CondSignal(handover.changed);
  SDL_mutexV(handover.lock);
  return 0;
}

// The presenter's loop: takes the window's events, and shows each new picture that differs from
// the one on the screen, until the game's thread has ended. `shown` holds the picture on screen.
void present(SDL_Surface* shown) {
  Uint32 last_shown = SDL_GetTicks() - kShortestShowMs;
  SDL_Rect areas[kMaxChangedAreas];
  bool whole = true;  // nothing shown yet: the first picture is shown whole
  SDL_mutexP(handover.lock);
  while (!handover.over) {
    if (!handover.fresh) SDL_CondWaitTimeout(handover.changed, handover.lock, kEventWaitMs);
    const Uint32 since = SDL_GetTicks() - last_shown;
    bool take = handover.fresh && since >= kShortestShowMs;
    const Uint32 too_soon = handover.fresh && !take ? kShortestShowMs - since : 0;
    int count = 0;
    if (take) {
      handover.fresh = false;
      // Compared under the lock: the game's next flip writes into `newest`.
      count = whole ? 0 : changed_areas(shown, handover.newest, areas);
      take = whole || count > 0;
      if (take) std::swap(shown, handover.newest);
    }
    SDL_mutexV(handover.lock);
    take_events();
    if (take) {
      last_shown = SDL_GetTicks();
      show(shown, areas, count);
      whole = false;
    }
    switch_when_asked(shown);
    if (too_soon > 0) SDL_Delay(too_soon);
    SDL_mutexP(handover.lock);
  }
  SDL_mutexV(handover.lock);
}

}  // namespace

int PresentedPlatform::flip(SDL_Surface* screen) {
  if (handover.lock == nullptr) {  // no presenter: shown here
    show(screen, nullptr, 0);
    switch_when_asked(screen);
    return 0;
  }
  // A picture like the last one (the menu's, most of the time) is not handed over at all.
  if (same_picture(screen, handover.last)) return 0;
  copy_picture(screen, handover.last);
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
  SDL_Surface* pictures[] = {picture_like(game.screen), picture_like(game.screen),
                             picture_like(game.screen)};
  handover = Handover{
      SDL_CreateMutex(), SDL_CreateCond(), pictures[0], false, pictures[2], false, screens};
  SDL_Thread* thread = nullptr;
  if (pictures[0] && pictures[1] && pictures[2] && handover.lock && handover.changed) {
    share_events(handover.lock);
    thread = SDL_CreateThread(play, nullptr);
  }
  if (thread != nullptr) {
    present(pictures[1]);
    SDL_WaitThread(thread, nullptr);
  }
  share_events(nullptr);
  if (handover.changed) SDL_DestroyCond(handover.changed);
  if (handover.lock) SDL_DestroyMutex(handover.lock);
  handover = Handover{};
  if (thread == nullptr) screens();
  for (SDL_Surface* picture : pictures) SDL_FreeSurface(picture);
  set_platform(&before);
}

long pictures_shown() {
  return shown_count;
}

long display_switches() {
  return switch_count;
}
