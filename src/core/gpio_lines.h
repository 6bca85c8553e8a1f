// The handheld's GPIO port 3, to which its buttons are wired: 32 lines, active low, whose levels
// the kernel shows as a short text in a proc file; and the question the game asks of a reading of
// them, whatever gave it (dingoo_check_input). Plain C++, no SDL: the paddle drivers, the button
// module of every build (dingoo_input.h) and the fuzz target use it.
//
// Buttons are named by letters (either case):
//
//   a start   b right paddle down   d left paddle down   e volume down   i volume up
//   t back / quit   u left paddle up   x right paddle up   y players   h l p r (unused)
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kButtonLines = 32;

// The line that a button letter is wired to, or -1 for an unknown letter.
int button_line(int8_t letter);

// Reads the proc file's text from `path` and decodes it into `inputs` (entry i is line i: 1
// released, 0 pressed). Returns 1 with a message, leaving `inputs` untouched, when the file cannot
// be opened or read.
int read_gpio_file(const char* path, int8_t* inputs);

// Whether a button is held in a reading (`inputs`, entry i line i: 0 pressed): 1 when it is, 0
// when it is not, -1 (with a message) when the letter names no button.
int dingoo_check_input(int8_t letter, const int8_t* inputs);
