// The gpio button source: the handheld's GPIO proc file, whose path the build gives
// (RALLY_GPIO_PATH).
#include "dingoo_input.h"

int read_button_lines(int8_t* inputs) {
  return read_gpio_file(RALLY_GPIO_PATH, inputs);
}
