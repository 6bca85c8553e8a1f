// The desktop's window or full screen, and the game's 320x240 picture on it: through OpenGL where
// a graphics card draws it (one texture, which the card scales), or through SDL's own surface,
// scaled here. Either way the picture takes the largest whole factor that fits, centred on black.
// Everything here runs on the thread that set the video mode.
#pragma once

#include <SDL.h>

enum class Renderer { kAuto, kOpenGl, kSoftware };

struct DisplayOptions {
  bool fullscreen = false;
  int scale = 0;  // the window's factor; 0 picks the largest that fits the desktop
  Renderer renderer = Renderer::kAuto;
  bool verbose = false;  // say on standard error how the picture is shown
};

// Whether an OpenGL renderer's name (GL_RENDERER) is one of Mesa's that draw on the processor,
// which costs more there than SDL's own scaling.
bool is_software_renderer(const char* name);

// Sets the first video mode (SDL is started) and returns the picture that the game draws into,
// 320x240 in RGB565; null when no mode can be set (SDL_GetError says why).
SDL_Surface* open_desktop_display(const DisplayOptions& options);

// The areas of the picture that differ between two pictures of the same size and format: at most
// one for each band of rows. Returns how many it wrote into `areas` (0: the same picture).
constexpr int kBandRows = 16;
constexpr int kMaxChangedAreas = (240 + kBandRows - 1) / kBandRows;
int changed_areas(const SDL_Surface* before, const SDL_Surface* after, SDL_Rect* areas);

// Shows the picture whole (count 0), or only the `count` areas of it that changed since the last.
void show_picture(SDL_Surface* picture, const SDL_Rect* areas, int count);

// Switches between the window and the full screen, with the path chosen at start-up. The picture
// must then be shown whole again.
void switch_display();
