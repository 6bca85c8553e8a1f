#include "core/gpio_lines.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

struct Button {
  char letter;  // lower case; the upper-case letter names the same button
  int line;
};

constexpr Button kButtons[] = {
    {'a', 0},  {'b', 1},  {'d', 27}, {'e', 14}, {'h', 22}, {'i', 15}, {'l', 5},
    {'p', 29}, {'r', 18}, {'t', 17}, {'u', 6},  {'x', 19}, {'y', 2},
};

// The whole text of the proc file fits in 12 characters; anything longer is left unread.
constexpr size_t kReadBufferSize = 12;
constexpr size_t kFirstDigit = 2;
constexpr size_t kDigits = 8;

void report_read_failure() {
  std::fputs("error: couldn't read from gpio", stderr);
}

// The value of a lower-case hexadecimal digit, or -1.
int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Decodes the text of the proc file: two ignored characters, then eight lower-case hexadecimal
// digits of the port's level word, most significant first. A position that does not hold such a
// digit, or that the text does not reach, leaves its four lines as they were.
void decode_gpio_text(const char* text, size_t length, int8_t* inputs) {
  int line = kButtonLines - 1;
  for (size_t pos = kFirstDigit; pos < kFirstDigit + kDigits; ++pos, line -= 4) {
    const int value = pos < length ? hex_value(text[pos]) : -1;
    if (value < 0) continue;
    for (int bit = 3; bit >= 0; --bit) {
      inputs[line - (3 - bit)] = static_cast<int8_t>((value >> bit) & 1);
    }
  }
}

}  // namespace

int button_line(int8_t letter) {
  // Only ASCII letters can name buttons; codes above 127 are negative here and never index.
  const char lower = (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a')
                                                      : static_cast<char>(letter);
  for (const Button& button : kButtons) {
    if (button.letter == lower) return button.line;
  }
  return -1;
}

int dingoo_check_input(int8_t letter, const int8_t* inputs) {
  const int line = button_line(letter);
  if (line < 0) {
    std::fputs("error, unknown button requested\n", stderr);
    return -1;
  }
  return inputs[line] == 0 ? 1 : 0;
}

int read_gpio_file(const char* path, int8_t* inputs) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    report_read_failure();
    return 1;
  }
  char text[kReadBufferSize];
  size_t length = 0;
  // The decoder needs the first ten characters: a reading stops once they are in, so that it
  // costs one open, one read and one close (the proc file gives its whole text to one read).
  while (length < kFirstDigit + kDigits) {
    const ssize_t n = read(fd, text + length, kReadBufferSize - length);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      close(fd);
      report_read_failure();
      return 1;
    }
    length += static_cast<size_t>(n);
  }
  close(fd);
  decode_gpio_text(text, length, inputs);
  return 0;
}
