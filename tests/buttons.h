// The text of the handheld's GPIO proc file in which these buttons are held: the port's level
// word, from the wiring written out here independently of the program. Buttons are active low.
#pragma once

#include <cstdio>
#include <string>

inline std::string held(const std::string& buttons) {
  const std::string wiring = "aby..lu.......ei.trx..h....d.p";  // the button on each line
  unsigned word = 0xffffffffu;
  for (char button : buttons) {
    if (button != '.' && wiring.find(button) < wiring.size()) word &= ~(1u << wiring.find(button));
  }
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x\n", word);
  return text;
}
