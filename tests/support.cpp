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

int Case::operator[](size_t i) const {
  return std::isdigit(words[i].back()) ? std::stoi(words[i]) : words[i][0];
}

std::vector<Case> cases(const std::string& table) {
  std::vector<Case> out;
  std::istringstream in(table);
  for (std::string text, word; in >> text;) {
    out.push_back({text, {}});
    for (std::istringstream words(text); std::getline(words, word, ',');) {
      out.back().words.push_back(word);
    }
  }
  return out;
}

void expect_record(const std::string& name, const std::vector<std::string>& lines) {
  const std::string path = "tests/golden/" + name;
  const bool update = std::getenv("RALLY_UPDATE_RECORD") != nullptr;
  std::fstream file(path, update ? std::ios::out : std::ios::in);
  std::string line;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (update) file << lines[i] << "\n";
    if (update) continue;
    ASSERT_TRUE(std::getline(file, line) && line == lines[i])
        << "line " << i + 1 << " of " << path << " is now:\n"
        << lines[i] << "\nrecorded:\n"
        << line;
  }
  EXPECT_FALSE(!update && std::getline(file, line)) << path << " goes on: " << line;
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
