// The desktop plays on one thread and shows its pictures on another, so that the game's pace
// never depends on how long putting a picture on the screen takes: at a large scale without a
// graphics card, showing a picture can take longer than a frame. The game's thread draws as
// always; each flip hands the finished picture over and returns at once. The thread that set
// the video mode (SDL 1.2 wants the video calls and the window's events there) shows the newest
// picture when it differs from the one on the screen, redrawing only the areas that changed, and
// takes the window's events into the record of the buttons (button_source.h), which the game's
// readings take under the same lock. It also switches between the window and the full screen
// when F11 or Alt+Enter asks. When showing costs more than a frame, fewer pictures are shown;
// every frame is still played on time.
#pragma once

#include "platform_sdl.h"

// The SDL platform with the flip that hands the picture over.
class PresentedPlatform : public SdlPlatform {
 public:
  int flip(SDL_Surface* screen) override;
};

// Binds `platform`, runs `screens` on a thread of its own and shows its pictures on this one
// until `screens` returns; then binds the platform that was bound before. When the threads cannot
// be set up, `screens` runs on this thread and each flip shows its picture itself.
void run_presented(PresentedPlatform& platform, void (*screens)());

// The pictures shown, and the switches between window and full screen, since the program started.
long pictures_shown();
long display_switches();
