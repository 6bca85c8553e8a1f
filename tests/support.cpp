#include "support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

#include "graphics.h"

void fresh_game() {
  if (game.screen == nullptr) {
    SDL_Init(SDL_INIT_VIDEO);
    game.screen = SDL_SetVideoMode(320, 240, 16, SDL_FULLSCREEN);
    ASSERT_EQ(load_graphics(), 0);
  }
  GameState start;
  for (SDL_Surface* GameState::*s :
       {&GameState::screen, &GameState::background, &GameState::paddle, &GameState::ball,
        &GameState::num, &GameState::menu, &GameState::gameover_left, &GameState::gameover_right}) {
    start.*s = game.*s;
  }
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

uint32_t picture_hash(const SDL_Surface* s) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over the picture's 32-bit words
  for (int y = 0; y < s->h; ++y) {
    const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
    for (int x = 0; x + 4 <= s->w * s->format->BytesPerPixel; x += 4) {
      uint32_t word;
      std::memcpy(&word, row + x, 4);
      hash = (hash ^ word) * 1099511628211ull;
    }
  }
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (chdir(RALLY_SOURCE_DIR) != 0) return 2;
  return RUN_ALL_TESTS();
}
