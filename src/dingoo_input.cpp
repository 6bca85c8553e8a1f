#include "dingoo_input.h"

#include <cstdio>

#include "button_source.h"

#ifndef RALLY_INPUT_GPIO
#define RALLY_INPUT_GPIO 0
#endif
#ifndef RALLY_GPIO_PATH
#define RALLY_GPIO_PATH "/proc/jz/gpio3_pxpin"
#endif

int dingoo_read_input(int8_t* inputs) {
  if (!events_shared()) take_events();
  const int result =
      RALLY_INPUT_GPIO ? read_gpio_file(RALLY_GPIO_PATH, inputs) : read_keyboard(inputs);
  // The program leaves through its own screens: 't' walks it back to the menu and out.
  if (quit_requested()) inputs[button_line('t')] = 0;
  return result;
}

int dingoo_check_input(int8_t letter, const int8_t* inputs) {
  const int line = button_line(letter);
  if (line < 0) {
    std::fputs("error, unknown button requested\n", stderr);
    return -1;
  }
  return inputs[line] == 0 ? 1 : 0;
}
