// The pace of the screens. The handheld runs its slides and its menu and game-over waits as fast
// as it can, and busy-waits for the end of each play frame; where game.paced is set (the desktop
// and the web), the same screens sleep instead, and the slides take a time that a player can see.
// With game.paced clear, these calls do nothing at all, so the handheld reads its clock exactly as
// often as ever.
#pragma once

#include <cstdint>

// Each step of a slide (the menu's 240, the game-over's 160) is shown this long after the last.
constexpr uint32_t kSlideStepMs = 2;

// Before step `step` of a slide is drawn: step 0 starts the slide's clock, step i waits until
// i * kSlideStepMs after that start (so a late wake-up does not stretch the slide). No button is
// read during a slide, so presses made during it are forgotten; a button still held counts.
void pace_slide_step(int step);

// Before each frame of the menu and each reading of the game-over wait: one play frame after the
// last one.
void pace_waiting_frame();

// In the play frame's closing wait, with `ms` milliseconds of the frame left: sleeps them (the
// caller reads the clock again and calls again while the frame lasts).
void rest_of_frame(uint32_t ms);
