// The seam bound to a web page, through Emscripten's SDL 1.2 and SDL_mixer emulation (built with
// ASYNCIFY, so that the game's waits can sleep and give the browser its turn). SDL's emulation
// serves the keys and the sounds; the rest it cannot do as the game needs:
//
// - pictures: the emulation's surfaces are all 32-bit canvases, so the game's 16-bit RGB565
//   pictures are surfaces of this module's own (plain memory, never handed to the emulation), with
//   their blits and fills done here; each flip turns the picture into RGBA and puts it on the
//   page's canvas, when it differs from the one there;
// - waits: every sleep is emscripten_sleep, the browser's turn;
// - focus: the page reports its blur and its hiding through html5.h, not as SDL events.
#pragma once

#include "platform_sdl.h"

class WebPlatform : public SdlPlatform {
 public:
  void delay(uint32_t ms) override;
  void nap() override;
  int blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) override;
  int flip(SDL_Surface* screen) override;
  int fill(SDL_Surface* dst, SDL_Rect* rect, uint32_t color) override;
};

// A 16-bit RGB565 surface of this module's own, `width` by `height`, or null.
SDL_Surface* web_surface(int width, int height);

// A bitmap loaded through the emulation (32-bit RGBA), as a surface of this module's own.
SDL_Surface* web_picture_of(const SDL_Surface* loaded);

// Once the video mode is set: the canvas's size, which follows the window, the page's blur and
// hiding as a lost focus, and the keys that the emulation's table lacks.
void web_install();
