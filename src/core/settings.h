// The settings that the desktop and the web editions keep from one game to the next: the volume
// level and the number of players, as a short text of lines "name=value":
//
//   volume=5
//   players=1
//
// Blank lines and lines starting with # are ignored; a setting left out keeps its value. Plain
// C++ without allocation: where the text is stored is each edition's business.
#pragma once

#include <cstddef>
#include <cstdint>

struct Settings {
  int32_t volume;   // 0..9
  int32_t players;  // 1 or 2
};

// The longest text that is read; a longer one is refused as a whole.
constexpr size_t kSettingsMaxBytes = 256;

// Reads the text into *settings. Returns null, or what is wrong with it (then *settings is left as
// it was), with *line the line at fault (0 for the text as a whole).
const char* parse_settings(const char* text, size_t length, Settings* settings, int* line);

// Writes the settings as text into `out` (room for kSettingsMaxBytes); returns its length.
size_t format_settings(const Settings& settings, char* out);
