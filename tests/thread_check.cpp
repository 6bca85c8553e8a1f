// The thread check of the test builds: SDL 1.2 wants its events, its keyboard state and its
// joysticks handled on the thread that set the video mode, which on the desktop is not the game's.
// The linker sends the program's own calls of these functions here first (-Wl,--wrap=...), and a
// call from any other thread stops the program with a message.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

static Uint32 owner = 0;  // the thread that last set the video mode

// A wrapper of SDL's `name`, checked before it calls the real function.
#define CHECKED(result, name, parameters, arguments)                                    \
  extern "C" result __real_##name parameters;                                           \
  extern "C" result __wrap_##name parameters {                                          \
    if (owner != 0 && SDL_ThreadID() != owner) {                                        \
      std::fprintf(stderr, "thread check: %s called off the window's thread\n", #name); \
      std::abort();                                                                     \
    }                                                                                   \
    return __real_##name arguments;                                                     \
  }

CHECKED(void, SDL_PumpEvents, (), ())
CHECKED(Uint8*, SDL_GetKeyState, (int* count), (count))
CHECKED(int, SDL_NumJoysticks, (), ())
CHECKED(SDL_Joystick*, SDL_JoystickOpen, (int index), (index))
CHECKED(int, SDL_JoystickEventState, (int state), (state))

extern "C" SDL_Surface* __real_SDL_SetVideoMode(int, int, int, Uint32);
extern "C" SDL_Surface* __wrap_SDL_SetVideoMode(int width, int height, int bits, Uint32 flags) {
  owner = SDL_ThreadID();
  return __real_SDL_SetVideoMode(width, height, bits, flags);
}
