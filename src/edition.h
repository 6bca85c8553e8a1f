// What the two editions of the game do differently, chosen once by the build (RALLY_EDITION):
//
// - handheld (edition_handheld.cpp): 320x240 full screen, no command-line options, data read
//   from the working directory;
// - desktop (edition_desktop.cpp): a window scaled to fit the desktop (or --fullscreen), the
//   usual options, data found from the executable's own location, gamepads, settings kept from
//   one game to the next, and screens that take their time and sleep while they wait.
//
// The screens and the rules never ask which edition they run in: they draw into game.screen,
// always 320x240 at 16 bits per pixel, and the platform's flip shows it.
#pragma once

struct SDL_Surface;

// What prepare_edition returns when the game is to start.
constexpr int kStartGame = -1;

// Runs before start-up with main's arguments. Returns kStartGame, or the exit status to end with
// at once (after --help, --version or a wrong option).
int prepare_edition(int argc, char** argv);

// Plays the game's screens until they end: the handheld on this thread; the desktop on a thread
// of its own, while this one shows the pictures (presenter.h).
void play_screens(void (*screens)());

// Sets SDL's video mode (SDL is started) and returns the 320x240x16 surface that the game draws
// into, or null when the mode cannot be set (SDL_GetError says why).
SDL_Surface* open_display();

// Whether the keys that the handheld's own keyboard driver sends for its buttons hold them too
// (controls.h): on the handheld they do; on a desktop they would surprise (Alt+Tab would move a
// paddle).
extern const bool kAnswersDriverKeys;

// A loaded bitmap converted to the format of the game's picture, or null.
SDL_Surface* display_format(SDL_Surface* loaded);

// Runs one screen (main_loop). The desktop also keeps its settings when the menu starts a match
// or quits.
int edition_screen(int code);
