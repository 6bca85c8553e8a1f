// The SDL side of the buttons: the window system's events (keys, gamepads, the window's focus and
// close button, the full-screen keys) taken into one record, and the keyboard flavour's reading of
// that record as the same active-low lines as the handheld's GPIO port gives.
//
// Events are taken on the thread that owns the window, as SDL 1.2 wants SDL_PumpEvents there: on
// the handheld, the game's own thread at each reading; on the desktop, the presenter's thread,
// which then shares the record with the game's thread under its handover lock (share_events). The
// game's thread never reads SDL's keyboard state or the pads itself.
#pragma once

#include <SDL.h>

#include <cstdint>

// Opens the first two gamepads, plugged in before start, for their events. On the thread that owns
// the window.
void open_pads();

// Takes the window system's pending events into the record. On the thread that owns the window.
void take_events();
// From now on another thread takes the events, and the record is only touched under `lock`; null:
// the reading thread takes them again.
void share_events(SDL_mutex* lock);
bool events_shared();

// A quit request (the window's close button, SIGINT, SIGTERM) holds for the rest of the run.
bool quit_requested();
bool take_focus_loss();      // whether the window lost the input focus since the last call
bool take_display_switch();  // whether F11 or Alt+Enter asked to switch window and full screen
// Takes no focus loss for the next `ms` milliseconds: those that a switch itself causes.
void ignore_focus_loss(Uint32 ms);
// Forgets the presses since the last reading (buttons still held stay held).
void forget_presses();
// Forgets every key and pad held and every request: the game starts afresh.
void forget_events();
// The window lost the focus, as a page tells it (the keys held are let go).
void lose_focus();
// Sleeps until the record takes another event.
void wait_for_events();

// One reading of the keys and pads into `inputs`: every line released except those of the buttons
// held now or pressed since the last reading (a tap shorter than the time between two readings
// counts for one reading). Returns 0.
int read_keyboard(int8_t* inputs);
