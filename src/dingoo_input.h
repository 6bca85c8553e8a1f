// The handheld's buttons: 32 line levels of its GPIO port 3, active low.
//
// A reading fills the pin-state array (entry i is line i: 1 released, 0 pressed); questions about
// single buttons are then answered from that array, so every decision of a frame rests on the
// same reading. Buttons are named by letters (either case):
//
//   a start   b right paddle down   d left paddle down   e volume down   i volume up
//   t back / quit   u left paddle up   x right paddle up   y players   h l p r (unused)
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kButtonLines = 32;

// Takes one reading into `inputs` from this build's source (the GPIO proc file on the handheld,
// the keyboard on a desktop). Returns 0, or 1 when the source cannot be read; the array then keeps
// the previous reading. Once the program has been asked to quit (window closed, SIGINT, SIGTERM),
// every reading reports 't' as held.
int dingoo_read_input(int8_t* inputs);

// 1 when the button is held in the last reading, 0 when it is not, -1 (with a message) when the
// letter names no button.
int dingoo_check_input(int8_t letter, const int8_t* inputs);

// The line that a button letter is wired to, or -1 for an unknown letter.
int button_line(int8_t letter);

// Reads the proc file's text from `path` and decodes it into `inputs`. Returns 1 with a message,
// leaving `inputs` untouched, when the file cannot be opened or read.
int read_gpio_file(const char* path, int8_t* inputs);
