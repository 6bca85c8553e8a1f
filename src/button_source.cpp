#include "button_source.h"

#include <cstring>

#include "controls.h"
#include "gpio_lines.h"

namespace {

// Whether the driver keys of the table of controls hold their buttons too: the handheld edition
// answers them, the desktop's does not.
#ifndef RALLY_HANDHELD_KEYS
#define RALLY_HANDHELD_KEYS 0
#endif

bool quit = false;
bool focus_lost = false;
// Whether the thread that reads the buttons also takes the window system's events into SDL's
// queue; the desktop's presenter, which owns the window, does it instead.
bool pump_here = true;

// Keys that went down since the last reading. A tap shorter than the time between two readings
// would otherwise be missed by the key state alone: it counts as held for one reading.
Uint8 pressed_since_reading[SDLK_LAST];

// Line levels for a keyboard state as SDL_GetKeyState gives it: every line released except those
// of the buttons whose keys are down.
void keyboard_lines(const Uint8* keys, int8_t* inputs) {
  for (int line = 0; line < kButtonLines; ++line) inputs[line] = 1;
  for (const Control& control : kControls) {
    bool held =
        RALLY_HANDHELD_KEYS && control.driver_key != SDLK_UNKNOWN && keys[control.driver_key] != 0;
    for (SDLKey key : control.keys) held = held || (key != SDLK_UNKNOWN && keys[key] != 0);
    if (held) inputs[button_line(control.button)] = 0;
  }
}

}  // namespace

int read_keyboard(int8_t* inputs) {
  const Uint8* down = SDL_GetKeyState(nullptr);
  for (int key = 0; key < SDLK_LAST; ++key) pressed_since_reading[key] |= down[key];
  keyboard_lines(pressed_since_reading, inputs);
  std::memset(pressed_since_reading, 0, sizeof pressed_since_reading);
  return 0;
}

void pump_events_elsewhere(bool elsewhere) {
  pump_here = !elsewhere;
}

void pump_events() {
  if (pump_here) SDL_PumpEvents();
}

void drain_events() {
  // SDL's queue holds 128 events and drops what arrives when it is full, a quit event included,
  // so it is emptied at every reading.
  pump_events();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
    if (event.type == SDL_QUIT) quit = true;
    if (event.type == SDL_ACTIVEEVENT && event.active.gain == 0 &&
        (event.active.state & SDL_APPINPUTFOCUS) != 0) {
      focus_lost = true;
    }
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym < SDLK_LAST) {
      pressed_since_reading[event.key.keysym.sym] = 1;
    }
  }
}

bool quit_requested() {
  return quit;
}

bool take_focus_loss() {
  const bool lost = focus_lost;
  focus_lost = false;
  return lost;
}

void forget_quit_request() {
  quit = false;
}
