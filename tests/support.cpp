#include "support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "graphics.h"

void fresh_game() {
  static GameState start;  // as at program start, once SDL has started and the bitmaps are loaded
  if (game.screen == nullptr) {
    ASSERT_EQ(sdl_init() + load_graphics(), 0);
    start = game;
  }
  start.screen = game.screen;  // the display as the last test left it
  game = start;
  SDL_FillRect(game.screen, nullptr, 0);
  forget_quit_request();
  std::srand(1);
}

std::vector<std::string> examples(const std::string& name) {
  std::ifstream file("tests/golden/" + name);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

void expect_record(const std::string& name, const std::vector<std::string>& lines) {
  const std::string path = "tests/golden/" + name;
  if (std::getenv("RALLY_UPDATE_RECORD") != nullptr) {
    std::ifstream in(path);
    std::string header;  // the comments at the top stay
    for (std::string line; std::getline(in, line) && line[0] == '#';) header += line + "\n";
    std::ofstream out(path);
    out << header;
    for (const std::string& line : lines) out << line << "\n";
    return;
  }
  const std::vector<std::string> recorded = examples(name);
  for (size_t i = 0; i < std::max(lines.size(), recorded.size()); ++i) {
    ASSERT_EQ(i < lines.size() ? lines[i] : "(nothing)",
              i < recorded.size() ? recorded[i] : "(the end)")
        << "line " << i + 1 << " of the record in " << path;
  }
}

std::string one_line(std::string text) {
  for (size_t at; (at = text.find('\n')) != std::string::npos;) text.replace(at, 1, "\\n");
  return text;
}

std::string picture_hash(const SDL_Surface* s) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over the picture's 64-bit words
  for (int at = 0; at + 8 <= s->h * s->pitch; at += 8) {
    uint64_t word;
    std::memcpy(&word, static_cast<const char*>(s->pixels) + at, 8);
    hash = (hash ^ word) * 1099511628211ull;
  }
  char text[9];
  std::snprintf(text, sizeof text, "%08x", static_cast<uint32_t>(hash ^ hash >> 32));
  return text;
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (chdir(RALLY_SOURCE_DIR) != 0) return 2;
  return RUN_ALL_TESTS();
}
