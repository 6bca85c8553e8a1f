// A libFuzzer target: arbitrary bytes as the text of the GPIO proc file, read through a real file
// by the game's own reader, then every button code there is, known or unknown, asked of the
// reading. Built with clang under AddressSanitizer and UndefinedBehaviorSanitizer (see
// CMakeLists.txt); a longer run than the test's minute:
//
//   build-asan/tests/fuzz_buttons -max_total_time=3600 -close_fd_mask=2 tests/fuzz_corpus
#include <cstdio>

#include "dingoo_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen("fuzz_gpio3_pxpin", "wb");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  int8_t inputs[32] = {};
  if (read_gpio_file("fuzz_gpio3_pxpin", inputs) != 0) __builtin_trap();
  for (int8_t level : inputs) {
    if (level != 0 && level != 1) __builtin_trap();
  }
  for (int each = -128; each < 128; ++each) {  // -1 for exactly the unknown codes
    const int8_t code = static_cast<int8_t>(each);
    const int held = dingoo_check_input(code, inputs);
    if (held < -1 || held > 1 || (held == -1) != (button_line(code) < 0)) __builtin_trap();
  }
  return 0;
}
