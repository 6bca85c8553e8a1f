#include "web/platform_web.h"

#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "button_source.h"
#include "core/fit.h"
#include "core/geometry.h"

namespace {

// The one format of this module's surfaces.
SDL_PixelFormat rgb565() {
  SDL_PixelFormat format{};
  format.BitsPerPixel = 16;
  format.BytesPerPixel = 2;
  format.Rmask = 0xf800;
  format.Gmask = 0x07e0;
  format.Bmask = 0x001f;
  format.Rshift = 11;
  format.Gshift = 5;
  format.Rloss = 3;
  format.Gloss = 2;
  format.Bloss = 3;
  return format;
}
SDL_PixelFormat kRgb565 = rgb565();

bool own(const SDL_Surface* surface) {
  return surface != nullptr && surface->format == &kRgb565;
}

Uint16* row(const SDL_Surface* surface, int y) {
  return reinterpret_cast<Uint16*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
}

// The picture in RGBA for the canvas, each colour's bits widened as OpenGL widens them, and the
// picture on the canvas now.
Uint32 colours[1 << 16];
Uint32 rgba[kScreenWidth * kScreenHeight];
Uint16 shown[kScreenWidth * kScreenHeight];
bool anything_shown = false;

// JavaScript, in C++ macros: clang-format leaves it as it is.
// clang-format off
EM_JS(void, put_picture, (const void* pixels, int width, int height), {
  if (!Module.rallyImage) {
    Module.rallyContext = Module.canvas.getContext('2d');
    Module.rallyImage = Module.rallyContext.createImageData(width, height);
  }
  Module.rallyImage.data.set(HEAPU8.subarray(pixels, pixels + width * height * 4));
  Module.rallyContext.putImageData(Module.rallyImage, 0, 0);
  // For the page and its benchmark: how many pictures were shown, and when the first was.
  Module.rallyShown = (Module.rallyShown || 0) + 1;
  if (Module.rallyShown == 1) Module.rallyFirstShown = performance.now();
});

// A turn of the browser that is over at once: a message to itself. A timer (emscripten_sleep)
// asked for less than 4 ms from within a timer lasts 4 ms, as browsers clamp nested timers.
EM_ASYNC_JS(void, take_a_turn, (), {
  await new Promise(function (resolve) {
    var channel = new MessageChannel();
    channel.port1.onmessage = resolve;
    channel.port2.postMessage(0);
  });
});
// clang-format on

// The canvas keeps its 320x240 pixels; its size on the page is the largest whole factor of them
// that fits the window, in the screen's own pixels, and the page centres it on black.
void fit_canvas() {
  const double ratio = emscripten_get_device_pixel_ratio();
  const int width = EM_ASM_INT({ return window.innerWidth; });
  const int height = EM_ASM_INT({ return window.innerHeight; });
  const int factor =
      std::max(1, fit_picture(static_cast<int>(width * ratio), static_cast<int>(height * ratio),
                              kScreenWidth, kScreenHeight)
                      .factor);
  emscripten_set_element_css_size("#canvas", kScreenWidth * factor / ratio,
                                  kScreenHeight * factor / ratio);
}

EM_BOOL on_resize(int, const EmscriptenUiEvent*, void*) {
  fit_canvas();
  return EM_FALSE;
}

EM_BOOL on_blur(int, const EmscriptenFocusEvent*, void*) {
  lose_focus();
  return EM_FALSE;
}

EM_BOOL on_visibility(int, const EmscriptenVisibilityChangeEvent* event, void*) {
  if (event->hidden) lose_focus();
  return EM_FALSE;
}

}  // namespace

SDL_Surface* web_surface(int width, int height) {
  auto* surface = static_cast<SDL_Surface*>(std::calloc(1, sizeof(SDL_Surface)));
  void* pixels = std::calloc(static_cast<size_t>(width) * height, sizeof(Uint16));
  if (surface == nullptr || pixels == nullptr) {
    std::free(surface);
    std::free(pixels);
    SDL_SetError("Out of memory");
    return nullptr;
  }
  surface->format = &kRgb565;
  surface->w = width;
  surface->h = height;
  surface->pitch = width * static_cast<int>(sizeof(Uint16));
  surface->pixels = pixels;
  surface->clip_rect = {0, 0, width, height};
  surface->refcount = 1;
  return surface;
}

SDL_Surface* web_picture_of(const SDL_Surface* loaded) {
  if (loaded->format->BytesPerPixel != 4 || loaded->pixels == nullptr) {
    SDL_SetError("Not a picture the page can draw");
    return nullptr;
  }
  SDL_Surface* picture = web_surface(loaded->w, loaded->h);
  for (int y = 0; picture != nullptr && y < loaded->h; ++y) {
    const Uint8* in = static_cast<const Uint8*>(loaded->pixels) + y * loaded->pitch;
    for (int x = 0; x < loaded->w; ++x, in += 4) {  // R, G, B, A
      row(picture, y)[x] = static_cast<Uint16>((in[0] >> 3) << 11 | (in[1] >> 2) << 5 | in[2] >> 3);
    }
  }
  return picture;
}

void web_install() {
  for (Uint32 pixel = 0; pixel < 1 << 16; ++pixel) {
    const Uint32 r = pixel >> 11, g = pixel >> 5 & 63, b = pixel & 31;
    colours[pixel] =
        0xff000000u | (b << 3 | b >> 2) << 16 | (g << 2 | g >> 4) << 8 | r << 3 | r >> 2;
  }
  fit_canvas();
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, on_resize);
  emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, on_blur);
  emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, on_visibility);
  // The DOM's key codes that the emulation's table lacks, so that they arrive as the SDLK_* values
  // of the table of controls: Pause, and '-' and '=' as Chromium and Safari send them.
  EM_ASM({
    SDL.keyCodes[19] = 72 | 1024;
    SDL.keyCodes[189] = 45;
    SDL.keyCodes[187] = 61;
  });
}

void WebPlatform::delay(uint32_t ms) {
  emscripten_sleep(ms);
}

void WebPlatform::nap() {
  take_a_turn();
}

// SDL 1.2's SDL_UpperBlit on this module's surfaces: the source clipped to its surface, the
// destination to its clip rectangle, and the rectangle drawn written back into `dstrect`.
int WebPlatform::blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) {
  if (!own(src) || !own(dst)) {
    SDL_SetError("SDL_UpperBlit: passed a NULL surface");
    return -1;
  }
  SDL_Rect whole = {0, 0, src->w, src->h}, at = {0, 0, 0, 0};
  SDL_Rect from = srcrect != nullptr ? *srcrect : whole;
  SDL_Rect& to = dstrect != nullptr ? *dstrect : at;
  const SDL_Rect& clip = dst->clip_rect;
  const int left = std::max({0, -from.x, clip.x - to.x});
  const int top = std::max({0, -from.y, clip.y - to.y});
  const int right = std::min({from.w, src->w - from.x, clip.x + clip.w - to.x});
  const int bottom = std::min({from.h, src->h - from.y, clip.y + clip.h - to.y});
  to = {to.x + left, to.y + top, std::max(0, right - left), std::max(0, bottom - top)};
  for (int y = 0; y < to.h; ++y) {
    std::memcpy(row(dst, to.y + y) + to.x, row(src, from.y + top + y) + from.x + left,
                static_cast<size_t>(to.w) * sizeof(Uint16));
  }
  return 0;
}

// SDL_FillRect on this module's surfaces, the rectangle clipped in place.
int WebPlatform::fill(SDL_Surface* dst, SDL_Rect* rect, uint32_t color) {
  if (!own(dst)) return SdlPlatform::fill(dst, rect, color);
  SDL_Rect area = dst->clip_rect;
  if (rect != nullptr) {
    const int left = std::max(rect->x, area.x), top = std::max(rect->y, area.y);
    const int right = std::min(rect->x + rect->w, area.x + area.w);
    const int bottom = std::min(rect->y + rect->h, area.y + area.h);
    *rect = area = {left, top, std::max(0, right - left), std::max(0, bottom - top)};
  }
  for (int y = area.y; y < area.y + area.h; ++y) {
    std::fill_n(row(dst, y) + area.x, area.w, static_cast<Uint16>(color));
  }
  return 0;
}

int WebPlatform::flip(SDL_Surface* screen) {
  if (!own(screen)) return SdlPlatform::flip(screen);
  if (anything_shown && std::memcmp(shown, screen->pixels, sizeof shown) == 0) return 0;
  std::memcpy(shown, screen->pixels, sizeof shown);
  anything_shown = true;
  for (int i = 0; i < kScreenWidth * kScreenHeight; ++i) rgba[i] = colours[shown[i]];
  put_picture(rgba, kScreenWidth, kScreenHeight);
  return 0;
}
