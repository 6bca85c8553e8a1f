#include "desktop/desktop_display.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/fit.h"
#include "core/geometry.h"
#include "desktop/gl_display.h"

namespace {

struct Modes {
  int window_width = kScreenWidth, window_height = kScreenHeight;
  int desktop_width = 0, desktop_height = 0;  // 0: unknown (the dummy driver)
  bool fullscreen = false;
  bool opengl = false;  // the path chosen at start-up
  bool verbose = false;
} modes;

// The picture's RGB565 colours in the video surface's format, for the scaled flip: each of the 5 or
// 6 bits widened to 8 by repeating its top bits (white stays white), as OpenGL widens them. Mapped
// anew whenever the video surface's format changes.
Uint32 colours[1 << 16];
struct {
  Uint8 bits;
  Uint32 red, green, blue;
} mapped = {0, 0, 0, 0};

void map_colours(SDL_PixelFormat* format) {
  if (format->BitsPerPixel == mapped.bits && format->Rmask == mapped.red &&
      format->Gmask == mapped.green && format->Bmask == mapped.blue) {
    return;
  }
  mapped = {format->BitsPerPixel, format->Rmask, format->Gmask, format->Bmask};
  for (Uint32 pixel = 0; pixel < 1 << 16; ++pixel) {
    const Uint32 r = pixel >> 11, g = pixel >> 5 & 63, b = pixel & 31;
    colours[pixel] =
        SDL_MapRGB(format, static_cast<Uint8>(r << 3 | r >> 2), static_cast<Uint8>(g << 2 | g >> 4),
                   static_cast<Uint8>(b << 3 | b >> 2));
  }
}

// Writes one area of the picture onto the video surface, each pixel a block of fit.factor.
template <class Pixel>
void scale_area(const SDL_Surface* picture, SDL_Surface* video, const Fit& fit,
                const SDL_Rect& area) {
  const int factor = fit.factor;
  const size_t row_bytes = static_cast<size_t>(area.w) * factor * sizeof(Pixel);
  for (int y = area.y; y < area.y + area.h; ++y) {
    const auto* in = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(picture->pixels) +
                                                     y * picture->pitch);
    auto* row = static_cast<Uint8*>(video->pixels) + (fit.top + y * factor) * video->pitch +
                (fit.left + area.x * factor) * sizeof(Pixel);
    auto* out = reinterpret_cast<Pixel*>(row);
    for (int x = area.x; x < area.x + area.w; ++x) {
      out = std::fill_n(out, factor, static_cast<Pixel>(colours[in[x]]));
    }
    for (int copy = 1; copy < factor; ++copy)
      std::memcpy(row + copy * video->pitch, row, row_bytes);
  }
}

// The scaled flip: the given areas of the picture onto SDL's video surface, then shown.
void show_scaled(SDL_Surface* picture, SDL_Surface* video, const SDL_Rect* areas, int count) {
  const SDL_Rect whole = {0, 0, kScreenWidth, kScreenHeight};
  if (count == 0) {
    areas = &whole;
    count = 1;
  }
  const Fit fit = fit_picture(video->w, video->h, picture->w, picture->h);
  const int bytes = video->format->BytesPerPixel;
  if (fit.factor < 1 || (bytes != 2 && bytes != 4) || SDL_LockSurface(video) != 0) return;
  map_colours(video->format);
  SDL_Rect shown[kMaxChangedAreas];
  for (int i = 0; i < count; ++i) {
    bytes == 2 ? scale_area<Uint16>(picture, video, fit, areas[i])
               : scale_area<Uint32>(picture, video, fit, areas[i]);
    shown[i] = {static_cast<Sint16>(fit.left + areas[i].x * fit.factor),
                static_cast<Sint16>(fit.top + areas[i].y * fit.factor),
                static_cast<Uint16>(areas[i].w * fit.factor),
                static_cast<Uint16>(areas[i].h * fit.factor)};
  }
  SDL_UnlockSurface(video);
  SDL_UpdateRects(video, count, shown);
}

// SDL's own surface at the display's depth; at 16 bits where the display has another depth that
// the scaled flip does not write (SDL then converts).
SDL_Surface* set_software_mode(int width, int height, Uint32 flags) {
  SDL_Surface* video = SDL_SetVideoMode(width, height, 0, flags);
  if (video != nullptr && video->format->BytesPerPixel != 2 && video->format->BytesPerPixel != 4) {
    video = SDL_SetVideoMode(width, height, kScreenDepth, flags);
  }
  if (video != nullptr) {  // black around the picture
    SDL_FillRect(video, nullptr, 0);
    SDL_UpdateRect(video, 0, 0, 0, 0);
  }
  return video;
}

// Sets the video mode that `modes` asks for, on the chosen path.
SDL_Surface* set_mode() {
  const bool full = modes.fullscreen && modes.desktop_width > 0;
  const int width = full ? modes.desktop_width : modes.window_width;
  const int height = full ? modes.desktop_height : modes.window_height;
  const Uint32 flags = SDL_SWSURFACE | (modes.fullscreen ? SDL_FULLSCREEN : 0);
  return modes.opengl ? open_gl_display(width, height, flags)
                      : set_software_mode(width, height, flags);
}

// The window icon, drawn by the asset generator (icons/window_icon.inc) and built in, so that the
// window shows it wherever the game runs from. SDL takes it before the video mode is set.
void set_window_icon() {
  static Uint16 pixels[] = {
#include "window_icon.inc"
  };
  SDL_Surface* icon = SDL_CreateRGBSurfaceFrom(pixels, kWindowIconSize, kWindowIconSize, 16,
                                               kWindowIconSize * 2, 0xf800, 0x07e0, 0x001f, 0);
  if (icon == nullptr) return;  // the window then has the desktop's default icon
  SDL_WM_SetIcon(icon, nullptr);
  SDL_FreeSurface(icon);
}

// Tries OpenGL as the options ask; returns whether its mode is set.
bool choose_opengl(const DisplayOptions& options) {
  if (options.renderer == Renderer::kSoftware) return false;
  modes.opengl = true;
  if (set_mode() == nullptr) {
    if (options.verbose || options.renderer == Renderer::kOpenGl) {
      std::fprintf(stderr, "rally: no OpenGL (%s); showing the picture through SDL's surface\n",
                   SDL_GetError());
    }
    return modes.opengl = false;
  }
  const char* renderer = gl_renderer();
  if (options.renderer == Renderer::kAuto && is_software_renderer(renderer)) {
    if (options.verbose) {
      std::fprintf(stderr,
                   "rally: OpenGL draws in software (%s); showing the picture through "
                   "SDL's surface\n",
                   renderer);
    }
    return modes.opengl = false;
  }
  if (options.verbose) {
    std::fprintf(stderr, "rally: showing the picture through OpenGL (%s)\n", renderer);
  }
  return true;
}

}  // namespace

int changed_areas(const SDL_Surface* before, const SDL_Surface* after, SDL_Rect* areas) {
  const int width = after->w, height = after->h;
  int count = 0;
  for (int top = 0; top < height; top += kBandRows) {
    int left = width, right = -1, first = -1, last = -1;
    for (int y = top; y < std::min(top + kBandRows, height); ++y) {
      const auto* was = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(before->pixels) +
                                                        y * before->pitch);
      const auto* now = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(after->pixels) +
                                                        y * after->pitch);
      if (std::memcmp(was, now, static_cast<size_t>(width) * sizeof(Uint16)) == 0) continue;
      if (first < 0) first = y;
      last = y;
      int l = 0, r = width - 1;
      while (was[l] == now[l]) ++l;
      while (was[r] == now[r]) --r;
      left = std::min(left, l);
      right = std::max(right, r);
    }
    if (first >= 0) {
      areas[count++] = {static_cast<Sint16>(left), static_cast<Sint16>(first),
                        static_cast<Uint16>(right - left + 1),
                        static_cast<Uint16>(last - first + 1)};
    }
  }
  return count;
}

bool is_software_renderer(const char* name) {
  if (name == nullptr) return true;
  for (const char* soft : {"llvmpipe", "softpipe", "software"}) {
    for (const char* at = name; *at != '\0'; ++at) {
      if (strncasecmp(at, soft, std::strlen(soft)) == 0) return true;
    }
  }
  return false;
}

SDL_Surface* open_desktop_display(const DisplayOptions& options) {
  // SDL reports the desktop's size only before the first video mode is set. The dummy driver
  // knows none: there the picture is shown at its own size unless a factor is asked for.
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info != nullptr &&
      fit_picture(info->current_w, info->current_h, kScreenWidth, kScreenHeight).factor >= 1) {
    modes.desktop_width = info->current_w;
    modes.desktop_height = info->current_h;
  }
  int scale = std::max(options.scale, 1);
  if (options.scale == 0 && modes.desktop_width > 0) {
    scale = window_factor(modes.desktop_width, modes.desktop_height);
  }
  modes.window_width = kScreenWidth * scale;
  modes.window_height = kScreenHeight * scale;
  modes.fullscreen = options.fullscreen;
  modes.verbose = options.verbose;

  SDL_WM_SetCaption("rally", "rally");
  set_window_icon();
  if (!choose_opengl(options)) {
    if (set_mode() == nullptr) return nullptr;
    if (options.verbose && options.renderer == Renderer::kSoftware) {
      std::fputs("rally: showing the picture through SDL's surface\n", stderr);
    }
  }
  // The game draws into a picture of its own, in the texture's RGB565.
  return SDL_CreateRGBSurface(SDL_SWSURFACE, kScreenWidth, kScreenHeight, kScreenDepth, 0xf800,
                              0x07e0, 0x001f, 0);
}

void show_picture(SDL_Surface* picture, const SDL_Rect* areas, int count) {
  SDL_Surface* video = SDL_GetVideoSurface();
  if (video == nullptr) return;  // a switch failed and left no mode
  if ((video->flags & SDL_OPENGL) != 0) {
    show_gl_picture(picture);
  } else {
    show_scaled(picture, video, areas, count);
  }
}

void switch_display() {
  modes.fullscreen = !modes.fullscreen;
  if (set_mode() != nullptr) return;
  std::fprintf(stderr, "rally: cannot switch to %s: %s\n",
               modes.fullscreen ? "the full screen" : "a window", SDL_GetError());
  modes.fullscreen = !modes.fullscreen;
  set_mode();
}
