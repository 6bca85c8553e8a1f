// make_assets: writes rally's artwork (BMP) and sound effects (WAV) into a directory, or its
// icons (PNG) for desktops and handheld launchers.
//
//   make_assets OUTDIR           the game's data: bitmaps and sounds
//   make_assets --icons OUTDIR   rally-16.png ... rally-256.png, and window_icon.inc
//
// The pictures are drawn in pictures.cpp, the sounds made in sounds.cpp and the icons in
// icons.cpp; this file holds main and the helpers that they share (declared in assets.h).
//
// The output is byte-for-byte reproducible, so the files in data/ and icons/ can be checked
// against a fresh run. The sounds are computed with integer arithmetic only, and so are the
// pictures' coordinates and colours; the one floating-point step is SDL_gfx's zoomSurface, which
// blows up the large text of the menu and the game-over picture. It is given whole zoom factors
// and no smoothing, so it only repeats pixels and never blends them.

#include <SDL.h>
#include <SDL_gfxPrimitives.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "assets.h"

Surface make_surface(int width, int height, Rgb fill) {
  Surface surface(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x00FF0000, 0x0000FF00,
                                       0x000000FF, 0));
  if (surface) {
    SDL_FillRect(surface.get(), nullptr, SDL_MapRGB(surface->format, fill.r, fill.g, fill.b));
  }
  return surface;
}

void fill_box(SDL_Surface* dst, int x1, int y1, int x2, int y2, Rgb c) {
  boxRGBA(dst, static_cast<Sint16>(x1), static_cast<Sint16>(y1), static_cast<Sint16>(x2),
          static_cast<Sint16>(y2), c.r, c.g, c.b, SDL_ALPHA_OPAQUE);
}

bool fail(const std::string& path, const char* why) {
  std::fprintf(stderr, "make_assets: cannot write %s: %s\n", path.c_str(), why);
  return false;
}

int main(int argc, char** argv) {
  const bool icons = argc == 3 && std::strcmp(argv[1], "--icons") == 0;
  if (argc != 2 && !icons) {
    std::fprintf(stderr, "usage: make_assets [--icons] OUTDIR\n");
    return 1;
  }
  const bool ok = icons ? make_icons(argv[2]) : make_pictures(argv[1]) && make_sounds(argv[1]);
  // Passing no font frees the glyphs SDL_gfx cached while drawing text.
  gfxPrimitivesSetFont(nullptr, 0, 0);
  return ok ? 0 : 1;
}
