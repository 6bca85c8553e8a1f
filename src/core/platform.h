// The seam between the game and the machine it runs on.
//
// Everything the screens and the match rules need from outside the program (the clock, the
// display, the mixer, the buttons and the library's error text) is reached through this one
// interface. The program binds it to SDL (platform_sdl.cpp); the tests bind a fake that runs on
// a fake clock and records what was drawn, flipped, played and waited for.
//
// The header names the SDL types only by declaration, so code that includes it (the match rules
// among them) stays free of SDL.
#pragma once

#include <cstdint>

struct SDL_Surface;
struct SDL_Rect;
struct Mix_Chunk;

class Platform {
 public:
  virtual ~Platform() = default;

  // Clock: milliseconds since start-up (wrapping at 2^32), a blocking pause, and a sleep much
  // shorter than a millisecond, for a wait that ends on the clock's next tick.
  virtual uint32_t get_ticks() = 0;
  virtual void delay(uint32_t ms) = 0;
  virtual void nap() = 0;

  // Display: SDL_UpperBlit's contract (writes the clipped rectangle back into dstrect, refuses
  // null surfaces with -1) and SDL_Flip.
  virtual int blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) = 0;
  virtual int flip(SDL_Surface* screen) = 0;
  virtual int fill(SDL_Surface* dst, SDL_Rect* rect, uint32_t color) = 0;  // SDL_FillRect

  // Mixer: SDL_mixer's contracts for the same calls.
  virtual Mix_Chunk* load_wav(const char* path) = 0;
  virtual void free_chunk(Mix_Chunk* chunk) = 0;
  virtual int play_channel_timed(int channel, Mix_Chunk* chunk, int loops, int ticks) = 0;
  virtual int playing(int channel) = 0;
  virtual int volume(int channel, int level) = 0;
  virtual void pause_sounds(bool paused) = 0;  // Mix_Pause / Mix_Resume on every channel

  // Buttons: one reading of the 32 button lines into the pin-state array (dingoo_read_input), and
  // whether the program has been asked to quit (window closed, SIGINT, SIGTERM); from then on
  // every reading holds 't'.
  virtual int read_input(int8_t* inputs) = 0;
  virtual bool quit_requested() = 0;
  // Whether the window has lost the input focus since the last call; and a sleep until the
  // next event of the window system (a key, the focus, a quit request).
  virtual bool focus_lost() = 0;
  virtual void wait_for_event() = 0;
  // Forgets the presses made since the last reading: only buttons still held count at the next.
  virtual void forget_presses() = 0;

  // The text of the last library failure (SDL_GetError).
  virtual const char* get_error() = 0;
};

// The binding in use. The program sets it once at start-up; tests swap in their fake.
Platform& platform();
void set_platform(Platform* binding);
