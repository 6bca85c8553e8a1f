// A libFuzzer target: arbitrary bytes as the text of the GPIO proc file, read through a real file
// by the game's own reader, then every button code there is, known or unknown, asked of the
// reading. Built with clang under AddressSanitizer and UndefinedBehaviorSanitizer (see
// CMakeLists.txt); a longer run than the test's minute:
//
//   build-asan/tests/fuzz_buttons -max_total_time=3600 -close_fd_mask=2 tests/fuzz_corpus
#include <fstream>

#include "dingoo_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ofstream("fuzz_gpio3_pxpin").write(reinterpret_cast<const char*>(data), size);
  int8_t inputs[32] = {};
  int wrong = read_gpio_file("fuzz_gpio3_pxpin", inputs);  // a readable file always reads
  for (int8_t level : inputs) wrong += level != 0 && level != 1;
  for (int each = -128; each < 128; ++each) {  // -1 for exactly the unknown codes
    const int8_t code = static_cast<int8_t>(each);
    const int held = dingoo_check_input(code, inputs);
    wrong += held < -1 || held > 1 || (held == -1) != (button_line(code) < 0);
  }
  if (wrong != 0) __builtin_trap();
  return 0;
}
