// The thread check of the test builds: SDL 1.2 wants its events, its keyboard state and its
// joysticks handled on the thread that set the video mode, which on the desktop is not the game's.
// The linker sends the program's own calls of these functions here first (-Wl,--wrap=...), and a
// call from any other thread stops the program with a message.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {

Uint32 owner = 0;  // the thread that last set the video mode

void check(const char* call) {
  if (owner == 0 || SDL_ThreadID() == owner) return;
  std::fprintf(stderr, "thread check: %s called on a thread that does not own the window\n", call);
  std::abort();
}

}  // namespace

extern "C" {
SDL_Surface* __real_SDL_SetVideoMode(int, int, int, Uint32);
void __real_SDL_PumpEvents();
Uint8* __real_SDL_GetKeyState(int*);
int __real_SDL_NumJoysticks();
SDL_Joystick* __real_SDL_JoystickOpen(int);
int __real_SDL_JoystickEventState(int);

SDL_Surface* __wrap_SDL_SetVideoMode(int width, int height, int bits, Uint32 flags) {
  owner = SDL_ThreadID();
  return __real_SDL_SetVideoMode(width, height, bits, flags);
}
void __wrap_SDL_PumpEvents() {
  check("SDL_PumpEvents");
  __real_SDL_PumpEvents();
}
Uint8* __wrap_SDL_GetKeyState(int* count) {
  check("SDL_GetKeyState");
  return __real_SDL_GetKeyState(count);
}
int __wrap_SDL_NumJoysticks() {
  check("SDL_NumJoysticks");
  return __real_SDL_NumJoysticks();
}
SDL_Joystick* __wrap_SDL_JoystickOpen(int index) {
  check("SDL_JoystickOpen");
  return __real_SDL_JoystickOpen(index);
}
int __wrap_SDL_JoystickEventState(int state) {
  check("SDL_JoystickEventState");
  return __real_SDL_JoystickEventState(state);
}
}
