// The text of the handheld's GPIO proc file in which these buttons are held: the port's level
// word, from the wiring written out here independently of the program. Buttons are active low.
#pragma once

#include <cstdio>
#include <cstring>

// Into `text` (at least 16 bytes), for the buttons named in `buttons` (other characters ignored).
inline void held_text(const char* buttons, char* text) {
  const char* const wiring = "aby..lu.......ei.trx..h....d.p";  // the button on each line
  unsigned word = 0xffffffffu;
  for (; *buttons != '\0'; ++buttons) {
    const char* line = *buttons == '.' ? nullptr : std::strchr(wiring, *buttons);
    if (line != nullptr) word &= ~(1u << (line - wiring));
  }
  std::snprintf(text, 16, "0x%08x\n", word);
}
