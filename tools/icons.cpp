// The icons: PNGs for desktops and handheld launchers, and the window icon that the desktop
// edition builds in. Each is a tiny playfield drawn on a 16x16 grid and scaled up pixel for pixel,
// so every size shows the same crisp picture.

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets.h"
#include "core/geometry.h"

namespace {

constexpr int kIconGrid = 16;
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

struct IconCell {
  int x1, y1, x2, y2;  // grid cells, inclusive
  Rgb colour;
};

constexpr IconCell kIconPicture[] = {
    {0, 0, 15, 15, kScreenColour},   {1, 1, 14, 1, kWallColour},
    {1, 14, 14, 14, kWallColour},    {8, 3, 8, 4, kCentreLineColour},
    {8, 7, 8, 8, kCentreLineColour}, {8, 11, 8, 12, kCentreLineColour},
    {2, 4, 3, 8, kSpriteColour},     {12, 7, 13, 11, kSpriteColour},
    {10, 5, 11, 6, kTitleColour},
};

Surface make_icon(int size) {
  Surface s = make_surface(size, size, kBlack);
  if (!s) return s;
  const int f = size / kIconGrid;
  for (const IconCell& c : kIconPicture) {
    fill_box(s.get(), c.x1 * f, c.y1 * f, (c.x2 + 1) * f - 1, (c.y2 + 1) * f - 1, c.colour);
  }
  return s;
}

// An 8-bit RGB PNG of a 32-bit XRGB surface.
bool save_png(const Surface& surface, const std::string& path) {
  if (!surface) return fail(path, SDL_GetError());
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return fail(path, std::strerror(errno));
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(static_cast<size_t>(surface->w) * 3);
  volatile bool written = false;  // libpng reports its errors by longjmp back to here
  if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface->w),
                 static_cast<png_uint_32>(surface->h), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface->h; ++y) {
      const auto* pixels = reinterpret_cast<const Uint32*>(
          static_cast<const Uint8*>(surface->pixels) + y * surface->pitch);
      for (int x = 0; x < surface->w; ++x) {
        SDL_GetRGB(pixels[x], surface->format, &row[x * 3], &row[x * 3 + 1], &row[x * 3 + 2]);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  const bool closed = std::fclose(file) == 0;
  return written && closed ? true : fail(path, "PNG write error");
}

// The window's icon as the source of a C array of RGB565 pixels, which the desktop edition builds
// in and gives its window.
bool save_window_icon(const Surface& icon, const std::string& path) {
  if (!icon) return fail(path, SDL_GetError());
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) return fail(path, std::strerror(errno));
  std::fprintf(file,
               "// The window's icon: %dx%d pixels of RGB565, row by row (make_assets --icons).\n",
               icon->w, icon->h);
  for (int y = 0; y < icon->h; ++y) {
    const auto* pixels =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(icon->pixels) + y * icon->pitch);
    for (int x = 0; x < icon->w; ++x) {
      Uint8 r, g, b;
      SDL_GetRGB(pixels[x], icon->format, &r, &g, &b);
      std::fprintf(file, "0x%04x,%c", (r >> 3) << 11 | (g >> 2) << 5 | b >> 3,
                   x % 8 == 7 ? '\n' : ' ');
    }
  }
  return std::fclose(file) == 0 ? true : fail(path, "write error");
}

}  // namespace

bool make_icons(const std::string& dir) {
  for (int size : kIconSizes) {
    if (!save_png(make_icon(size), dir + "/rally-" + std::to_string(size) + ".png")) return false;
  }
  return save_window_icon(make_icon(kWindowIconSize), dir + "/window_icon.inc");
}
