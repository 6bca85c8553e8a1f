// The buttons as the game's screens ask for them: one reading of the 32 lines of the handheld's
// GPIO port 3 per frame into the pin-state array (entry i is line i: 1 released, 0 pressed), then
// questions about single buttons answered from that array, so that every decision of a frame
// rests on the same reading. The buttons and their lines are listed in gpio_lines.h.
//
// Each executable compiles this module with its button source (RALLY_INPUT): the GPIO proc file,
// or the keyboard through SDL (button_source.h).
#pragma once

#include <cstdint>

#include "gpio_lines.h"

// Takes one reading into `inputs` from this build's source (the GPIO proc file on the handheld,
// the keyboard on a desktop). Returns 0, or 1 when the source cannot be read; the array then keeps
// the previous reading. Once the program has been asked to quit (window closed, SIGINT, SIGTERM),
// every reading reports 't' as held.
int dingoo_read_input(int8_t* inputs);

// 1 when the button is held in the last reading, 0 when it is not, -1 (with a message) when the
// letter names no button.
int dingoo_check_input(int8_t letter, const int8_t* inputs);
