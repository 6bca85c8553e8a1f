// Start-up: the display, the audio and the bitmaps. Each returns 0 on success and 1 at the first
// failure, which it reports on standard error.
#pragma once

int sdl_init();
int load_graphics();
