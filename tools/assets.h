// The asset generator's shared pieces: surfaces and boxes, the colours that the pictures and the
// icons share, and the three makers that main runs (one file each).
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

struct Rgb {
  Uint8 r, g, b;
};

// ---------------------------------------------------------------------------------------------
// Colours shared by the pictures and the icons

// The playfield colour, also the transparent colour of zoomed text (text is never black).
constexpr Rgb kBlack = {0, 0, 0};

constexpr Rgb kWallColour = {220, 220, 220};
constexpr Rgb kCentreLineColour = {110, 110, 110};
constexpr Rgb kSpriteColour = {235, 235, 235};  // paddle, ball and digits
constexpr Rgb kScreenColour = {14, 18, 52};     // behind the menu and the game-over picture
constexpr Rgb kTitleColour = {255, 200, 40};

// ---------------------------------------------------------------------------------------------
// Helpers (make_assets.cpp)

// 32-bit XRGB surfaces without an alpha channel: every blit between them is a plain copy and
// SDL_SaveBMP turns them into 24-bit bitmaps.
Surface make_surface(int width, int height, Rgb fill);

// A filled box with both corners included.
void fill_box(SDL_Surface* dst, int x1, int y1, int x2, int y2, Rgb c);

// Reports that `path` could not be written, and why; returns false.
bool fail(const std::string& path, const char* why);

// ---------------------------------------------------------------------------------------------
// The makers: each writes its files into `dir`, stopping at the first failure, which it reports.

// pictures.cpp: the seven bitmaps of data/.
bool make_pictures(const std::string& dir);

// sounds.cpp: the two blips of data/.
bool make_sounds(const std::string& dir);

// icons.cpp: the PNG icons of every size, and the window icon's source.
bool make_icons(const std::string& dir);
