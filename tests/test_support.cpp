#include "test_support.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "graphics.h"

namespace {

void free_surface(SDL_Surface*& surface) {
  SDL_FreeSurface(surface);
  surface = nullptr;
}

}  // namespace

void reset_game() {
  GameState fresh;
  fresh.screen = game.screen;
  fresh.background = game.background;
  fresh.paddle = game.paddle;
  fresh.ball = game.ball;
  fresh.num = game.num;
  fresh.menu = game.menu;
  fresh.gameover_left = game.gameover_left;
  fresh.gameover_right = game.gameover_right;
  game = fresh;
}

void open_test_display() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0 && game.screen != nullptr) return;
  SDL_Init(SDL_INIT_VIDEO);
  game.screen = SDL_SetVideoMode(320, 240, 16, SDL_FULLSCREEN);
  load_graphics();
}

void close_test_display() {
  free_surface(game.background);
  free_surface(game.paddle);
  free_surface(game.ball);
  free_surface(game.num);
  free_surface(game.menu);
  free_surface(game.gameover_left);
  free_surface(game.gameover_right);
  game.screen = nullptr;  // SDL_Quit releases the display itself
  Mix_CloseAudio();
  SDL_Quit();
}

std::string source_dir() {
  return RALLY_SOURCE_DIR;
}

std::string held(const std::string& buttons) {
  // The handheld's wiring: the GPIO line of each button, active low.
  struct Wire {
    char button;
    int line;
  };
  static const Wire kWiring[] = {{'a', 0},  {'b', 1},  {'d', 27}, {'e', 14}, {'h', 22},
                                 {'i', 15}, {'l', 5},  {'p', 29}, {'r', 18}, {'t', 17},
                                 {'u', 6},  {'x', 19}, {'y', 2}};
  uint32_t word = 0xffffffffu;
  for (char button : buttons) {
    for (const Wire& wire : kWiring) {
      if (wire.button == button) word &= ~(1u << wire.line);
    }
  }
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x\n", word);
  return text;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TempDir::TempDir() {
  char pattern[] = "/tmp/rally-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  path_ = made != nullptr ? made : "";
}

TempDir::~TempDir() {
  if (!path_.empty()) std::filesystem::remove_all(path_);
}

void copy_data(const std::string& dir, const std::string& leave_out) {
  namespace fs = std::filesystem;
  fs::create_directories(dir + "/data");
  for (const auto& entry : fs::directory_iterator(source_dir() + "/data")) {
    const std::string name = entry.path().filename().string();
    if (name != leave_out) fs::copy_file(entry.path(), dir + "/data/" + name);
  }
}

void write_file(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << contents;
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}
