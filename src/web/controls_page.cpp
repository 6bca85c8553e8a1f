// Prints the rows of the page's table of controls, from the table of controls itself: the build
// runs it (under Node.js) and writes them into the page.
#include <cstdio>
#include <string>

#include "controls.h"

int main() {
  for (const Control& control : kControls) {
    if (*control.help_keys == '\0') continue;  // named on the line before
    std::string row = std::string("<tr><td>") + control.help_keys + "</td><td>" +
                      control.help_action + "</td></tr>";
    std::puts(row.c_str());
  }
  return 0;
}
