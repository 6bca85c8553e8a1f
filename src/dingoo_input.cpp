#include "dingoo_input.h"

#include "button_source.h"

int dingoo_read_input(int8_t* inputs) {
  if (!events_shared()) take_events();
  const int result = read_button_lines(inputs);
  // The program leaves through its own screens: 't' walks it back to the menu and out.
  if (quit_requested()) inputs[button_line('t')] = 0;
  return result;
}
