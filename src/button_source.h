// Where the button lines come from on this build (RALLY_INPUT): the handheld's GPIO proc file,
// or the keyboard through SDL, turned into the same active-low line levels.
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
