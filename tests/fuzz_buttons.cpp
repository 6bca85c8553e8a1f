// A libFuzzer target: arbitrary bytes as the text of the GPIO proc file, read through a real file
// by the game's own reader, then every button code there is, known or unknown, looked up. Built
// with clang under AddressSanitizer and UndefinedBehaviorSanitizer (see CMakeLists.txt); a longer
// run than the test's minute:
//
//   build-asan/tests/fuzz_buttons -max_total_time=3600 -close_fd_mask=2 tests/fuzz_corpus
#include <fstream>

#include "core/gpio_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ofstream("fuzz_gpio3_pxpin").write(reinterpret_cast<const char*>(data), size);
  int8_t inputs[32] = {};
  int wrong = read_gpio_file("fuzz_gpio3_pxpin", inputs);  // a readable file always reads
  for (int8_t level : inputs) wrong += level != 0 && level != 1;
  for (int each = -128; each < 128; ++each) {  // a line of the port, or -1 for an unknown code
    const int line = button_line(static_cast<int8_t>(each));
    wrong += line < -1 || line >= kButtonLines;
  }
  if (wrong != 0) __builtin_trap();
  return 0;
}
