#include "core/game_state.h"

#include <cstdio>

#include "core/geometry.h"
#include "core/platform.h"

GameState game;

namespace {

// Loads one blip; a missing or unreadable file leaves the handle null and play goes on silently.
Mix_Chunk* load_sound(const char* path) {
  Mix_Chunk* chunk = platform().load_wav(path);
  if (chunk == nullptr) {
    std::fprintf(stderr, "Unable to load WAV file: %s\n", platform().get_error());
  }
  return chunk;
}

}  // namespace

void release_sounds() {
  platform().free_chunk(game.p1_blip);
  game.p1_blip = nullptr;
  platform().free_chunk(game.p2_blip);
  game.p2_blip = nullptr;
}

void init_gamestate() {
  game.paddle1_y = kPaddleStartTop;
  game.paddle2_y = kPaddleStartTop;
  game.ball_x = kServeX;
  game.ball_y = kServeY;
  game.angle = kServeRightward;
  game.gameover = 0;
  game.finished = 0;
  game.p1_score = 0;
  game.p2_score = 0;

  // Leaving a match early skips the release at its end; never hold two copies of a blip.
  release_sounds();
  game.p1_blip = load_sound("data/p1_blip.wav");
  game.p2_blip = load_sound("data/p2_blip.wav");
}
