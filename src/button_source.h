// What the button module (dingoo_input.h) takes from SDL: the keyboard, turned into the same
// active-low line levels as the handheld's GPIO port gives, and the window system's events, which
// every reading drains, whatever this build's button source (RALLY_INPUT) is.
#pragma once

#include <SDL.h>

#include <cstdint>

// Takes the window system's events into SDL's queue, unless another thread does it: SDL 1.2 wants
// that done on the thread that set the video mode, which is not the game's on the desktop.
void pump_events();
void pump_events_elsewhere(bool elsewhere);
// Reads SDL's pending events; a quit request (the window's close button, SIGINT, SIGTERM) is
// remembered for the rest of the run.
void drain_events();
bool quit_requested();
bool take_focus_loss();  // whether the window lost the input focus since the last call
// One reading of the keyboard into `inputs`: every line released except those of the buttons whose
// keys (controls.h) are down or went down since the last reading. Returns 0.
int read_keyboard(int8_t* inputs);
