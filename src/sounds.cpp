#include "sounds.h"

#include <cstdio>

#include "core/game_state.h"
#include "core/platform.h"

namespace {

void sound_hit(int32_t& collision, int32_t& channel, Mix_Chunk* blip) {
  if (collision == 0) return;
  play_blip(channel, blip);  // a hit while the blip still sounds is dropped, not queued
  collision = 0;
}

}  // namespace

void play_blip(int32_t& channel, Mix_Chunk* blip) {
  if (platform().playing(channel) != 0) return;
  channel = platform().play_channel_timed(-1, blip, 0, -1);
  if (channel == -1) std::fprintf(stderr, "Unable to play WAV file: %s\n", platform().get_error());
}

void play_sounds() {
  sound_hit(game.p1_collision, game.channelp1, game.p1_blip);
  sound_hit(game.p2_collision, game.channelp2, game.p2_blip);
}
