// present_bench: the desktop edition's pace and appetite on a real display, a benchmark (it
// reports, never fails on a figure). With the desktop's own start-up, display, pacing and
// presenter, it plays:
//   - the menu's slide, then 4 s of the menu's wait, then A;
//   - a one-player match with no button held (the computer wins it 10-0, in the same frames at
//     any size);
//   - the game-over slide, 4 s of its wait, then A;
//   - a match paused at once for 4 s, then back to the menu, and out;
// and prints one line: the path and the window, the two slides' durations, the match's wall time,
// frames and pictures a second, then the per cent of one core that the whole process and the
// game's thread take in the menu's wait, the match, the game-over wait and the pause (each wait
// measured over its last 3 s).
//
//   present_bench [--scale N | --fullscreen] [--renderer R]     (run where data/ is)
#include <SDL.h>
#include <SDL_mixer.h>
#include <pthread.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

#include "core/game_state.h"
#include "core/gpio_lines.h"
#include "desktop/presenter.h"
#include "edition.h"
#include "graphics.h"
#include "main_loop.h"

namespace {

constexpr double kWaitSeconds = 4, kMeasuredSeconds = 3;

double seconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

// The clocks of the whole process's and the game thread's processor time, and the wall's.
clockid_t game_thread = CLOCK_THREAD_CPUTIME_ID;
struct Sample {
  double wall, process, thread;
};
Sample sample() {
  return {seconds(CLOCK_MONOTONIC), seconds(CLOCK_PROCESS_CPUTIME_ID), seconds(game_thread)};
}
struct Use {
  double process = 0, thread = 0;  // per cent of one core
};
Use used_since(const Sample& start) {
  const Sample end = sample();
  const double wall = end.wall - start.wall;
  return {100 * (end.process - start.process) / wall, 100 * (end.thread - start.thread) / wall};
}

enum { kMenuWait, kMatch, kGameOverWait, kPause, kPhases };
Use use[kPhases];
int screen_now = kMenu, visits[4];
double menu_slide = 0, gameover_slide = 0;  // seconds
double match_s = 0, delays_s = 0;
long flips = 0, match_flips = 0, match_shown = 0;

// Reads as a player who waits, then presses A; who holds nothing in the first match; who pauses
// the second at once and, after the pause, goes back to the menu and leaves.
class Player : public PresentedPlatform {
 public:
  int read_input(int8_t* inputs) override {
    const int result = PresentedPlatform::read_input(inputs);
    if (game_thread == CLOCK_THREAD_CPUTIME_ID) pthread_getcpuclockid(pthread_self(), &game_thread);
    for (int line = 0; line < kButtonLines; ++line) inputs[line] = 1;
    const double waited = seconds(CLOCK_MONOTONIC) - screen_start_;
    char button = 0;
    if (screen_now == kMenu && visits[kMenu] == 1) button = waiting(kMenuWait, waited) ? 0 : 'a';
    if (screen_now == kGameOver) button = waiting(kGameOverWait, waited) ? 0 : 'a';
    if (screen_now == kPlay && visits[kPlay] == 2) button = pause_reading(waited);
    if (screen_now == kMenu && visits[kMenu] == 2) button = ++readings_ > 1 ? 't' : 0;
    if (button != 0) inputs[button_line(button)] = 0;
    return result;
  }
  void delay(uint32_t ms) override {  // the pauses after a point and at the end of a match
    if (ms >= 200) delays_s += ms / 1000.0;
    PresentedPlatform::delay(ms);
  }
  int flip(SDL_Surface* screen) override {
    ++flips;
    const int slide = screen_now == kMenu ? 240 : screen_now == kGameOver ? 160 : 0;
    if (++slide_flips_ == 1) slide_start_ = seconds(CLOCK_MONOTONIC);
    if (slide_flips_ == slide) {  // the last step, shown a step's time before the slide's end
      (screen_now == kMenu ? menu_slide : gameover_slide) =
          seconds(CLOCK_MONOTONIC) - slide_start_ + 0.002;
    }
    return PresentedPlatform::flip(screen);
  }
  void enter(int code) {
    screen_now = code;
    ++visits[code];
    screen_start_ = seconds(CLOCK_MONOTONIC);
    slide_flips_ = 0;
    readings_ = 0;
    measuring_ = false;
  }

 private:
  // Whether the wait goes on; measures its last kMeasuredSeconds.
  bool waiting(int phase, double waited) {
    if (!measuring_ && waited >= kWaitSeconds - kMeasuredSeconds) {
      measuring_ = true;
      start_ = sample();
    }
    if (waited < kWaitSeconds) return true;
    use[phase] = used_since(start_);
    return false;
  }
  // Y on the second reading (a Y held from the first does not pause); while paused, the game reads
  // only when an event arrives: one is sent after the pause's time, and then back is held.
  char pause_reading(double waited) {
    if (++readings_ == 1) return 0;
    if (!measuring_) {
      measuring_ = true;
      start_ = sample();
      std::thread([] {
        std::this_thread::sleep_for(std::chrono::duration<double>(kMeasuredSeconds));
        SDL_Event wake = {SDL_USEREVENT};
        SDL_PushEvent(&wake);
      }).detach();
      return 'y';
    }
    if (waited < kMeasuredSeconds) return 0;
    use[kPause] = used_since(start_);
    return 't';
  }

  double screen_start_ = 0, slide_start_ = 0;
  int slide_flips_ = 0, readings_ = 0;
  bool measuring_ = false;
  Sample start_{};
};

Player* player;

int screen(int code) {
  player->enter(code);
  const Sample start = sample();
  const long flips_before = flips, shown_before = pictures_shown();
  const int next = main_loop(code);
  if (code == kPlay && visits[kPlay] == 1) {
    use[kMatch] = used_since(start);
    match_s = sample().wall - start.wall;
    match_flips = flips - flips_before;
    match_shown = pictures_shown() - shown_before;
  }
  return next;
}

}  // namespace

int main(int argc, char** argv) {
  if (prepare_edition(argc, argv) != kStartGame) return 1;
  SdlPlatform sdl;  // as the program binds it
  set_platform(&sdl);
  if (sdl_init() != 0 || load_graphics() != 0) return 1;
  const SDL_Surface* video = SDL_GetVideoSurface();
  Player playing;
  player = &playing;
  run_presented(playing, [] { run_screens(screen); });
  const double playing_s = match_s - delays_s;
  std::printf("%-8s %4dx%-4d slides %.2f %.2f s | match %5.1f s %5.1f frames/s %5.1f shown/s |",
              (video->flags & SDL_OPENGL) != 0 ? "opengl" : "software", video->w, video->h,
              menu_slide, gameover_slide, match_s, match_flips / playing_s, match_shown / match_s);
  for (const Use& each : use) std::printf(" %5.1f%% (%4.1f%%)", each.process, each.thread);
  std::printf("\n");
  Mix_CloseAudio();
  SDL_Quit();
  return 0;
}
