// The desktop edition's command line and data lookup (edition_desktop.cpp).
#pragma once

#include <string>

struct DesktopOptions {
  bool fullscreen = false;
  int scale = 0;  // the window's factor; 0 picks the largest that fits the desktop
};

// Reads the options into *options. Returns kStartGame, or the exit status after --help or
// --version (0, on standard output) or a wrong command line (2, with the usage on standard error).
int parse_options(int argc, char** argv, DesktopOptions* options);

// When the working directory holds no data/ folder, changes into the first folder that does:
// the executable's own, then ../share/rally from it. Returns whether data/ is now at hand; `tried`
// gets the data folders looked for, separated by ", ".
bool enter_data_folder(const char* executable, std::string* tried);
