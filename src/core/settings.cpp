#include "core/settings.h"

#include <cstdio>
#include <cstring>

namespace {

struct Setting {
  const char* name;
  int32_t Settings::*value;
  int32_t low, high;
  const char* out_of_range;
};

constexpr Setting kSettings[] = {
    {"volume", &Settings::volume, 0, 9, "the volume is a level from 0 to 9"},
    {"players", &Settings::players, 1, 2, "players is 1 or 2"},
};

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// [begin, end) without the blanks around it.
void trim(const char*& begin, const char*& end) {
  while (begin < end && is_blank(*begin)) ++begin;
  while (end > begin && is_blank(end[-1])) --end;
}

bool same(const char* begin, const char* end, const char* word) {
  return static_cast<size_t>(end - begin) == std::strlen(word) &&
         std::strncmp(begin, word, static_cast<size_t>(end - begin)) == 0;
}

// One line without its end. Returns null or the fault.
const char* parse_line(const char* begin, const char* end, Settings* settings) {
  trim(begin, end);
  if (begin == end || *begin == '#') return nullptr;
  const char* equals = static_cast<const char*>(std::memchr(begin, '=', end - begin));
  if (equals == nullptr) return "not a line name=value";
  const char* name_end = equals;
  const char* value = equals + 1;
  trim(begin, name_end);
  trim(value, end);
  for (const Setting& setting : kSettings) {
    if (!same(begin, name_end, setting.name)) continue;
    // At most two digits: no sign, no overflow.
    if (value == end || end - value > 2) return setting.out_of_range;
    int32_t number = 0;
    for (const char* c = value; c < end; ++c) {
      if (*c < '0' || *c > '9') return setting.out_of_range;
      number = number * 10 + (*c - '0');
    }
    if (number < setting.low || number > setting.high) return setting.out_of_range;
    settings->*setting.value = number;
    return nullptr;
  }
  return "unknown setting";
}

}  // namespace

const char* parse_settings(const char* text, size_t length, Settings* settings, int* line) {
  *line = 0;
  if (length > kSettingsMaxBytes) return "longer than the settings can be";
  if (std::memchr(text, '\0', length) != nullptr) return "not a text";
  Settings read = *settings;
  for (const char* begin = text; begin < text + length;) {
    ++*line;
    const char* end = static_cast<const char*>(std::memchr(begin, '\n', text + length - begin));
    if (end == nullptr) end = text + length;
    if (const char* fault = parse_line(begin, end, &read)) return fault;
    begin = end + 1;
  }
  *line = 0;
  *settings = read;
  return nullptr;
}

size_t format_settings(const Settings& settings, char* out) {
  const int length =
      std::snprintf(out, kSettingsMaxBytes,
                    "# rally keeps these from one game to the next\n"
                    "volume=%d\nplayers=%d\n",
                    static_cast<int>(settings.volume), static_cast<int>(settings.players));
  return length > 0 ? static_cast<size_t>(length) : 0;
}
