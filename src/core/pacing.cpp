#include "core/pacing.h"

#include "core/game_state.h"
#include "core/platform.h"

namespace {

uint32_t slide_start = 0;
uint32_t last_waiting_frame = 0;

// Sleeps through `ms` milliseconds that remain of a wait, all but the last, which is napped away
// until the clock ticks: a wake-up a little late would otherwise read the clock a millisecond on,
// and every frame that ends on such a reading would last a millisecond longer.
void sleep_for(uint32_t ms) {
  if (ms > 1) {
    platform().delay(ms - 1);
  } else {
    platform().nap();
  }
}

// Sleeps until `length` milliseconds have passed since `since` (modulo 2^32, as the play frame's
// wait counts); returns the clock then.
uint32_t sleep_past(uint32_t since, uint32_t length) {
  uint32_t now = platform().get_ticks();
  while (now - since < length) {
    sleep_for(length - (now - since));
    now = platform().get_ticks();
  }
  return now;
}

}  // namespace

void pace_slide_step(int step) {
  if (game.paced == 0) return;
  if (step == 0) slide_start = platform().get_ticks();
  sleep_past(slide_start, static_cast<uint32_t>(step) * kSlideStepMs);
  platform().forget_presses();
}

void pace_waiting_frame() {
  if (game.paced == 0) return;
  last_waiting_frame = sleep_past(last_waiting_frame, static_cast<uint32_t>(game.frame_time));
}

void rest_of_frame(uint32_t ms) {
  if (game.paced != 0) sleep_for(ms);
}
