// The keyboard button source: the keys and gamepads, taken as events (button_source.h).
#include "button_source.h"
#include "dingoo_input.h"

int read_button_lines(int8_t* inputs) {
  return read_keyboard(inputs);
}
