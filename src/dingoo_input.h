// The buttons as the game's screens ask for them: one reading of the 32 lines of the handheld's
// GPIO port 3 per frame into the pin-state array (entry i is line i: 1 released, 0 pressed), then
// questions about single buttons answered from that array (dingoo_check_input, in the core with
// the port's wiring: core/gpio_lines.h), so that every decision of a frame rests on the same
// reading.
#pragma once

#include <cstdint>

#include "core/gpio_lines.h"

// Takes one reading into `inputs` from the build's button source: the GPIO proc file on the
// handheld (buttons_gpio.cpp), the keys and gamepads elsewhere (buttons_keyboard.cpp). Returns 0,
// or 1 when the source cannot be read; the array then keeps the previous reading. Once the program
// has been asked to quit (window closed, SIGINT, SIGTERM), every reading reports 't' as held.
int dingoo_read_input(int8_t* inputs);

// The reading of the button source that the build links: the lines alone.
int read_button_lines(int8_t* inputs);
