#include "fake_platform.h"

#include <algorithm>

#include "dingoo_input.h"
#include "game_state.h"

FakePlatform::FakePlatform() {
  set_platform(this);
}

FakePlatform::~FakePlatform() {
  for (Mix_Chunk* chunk : live_chunks) delete chunk;
  set_platform(nullptr);
}

void FakePlatform::finish_sounds() {
  for (bool& busy : channel_busy) busy = false;
}

uint32_t FakePlatform::get_ticks() {
  const uint32_t reading = now;
  now += tick_step;
  return reading;
}

void FakePlatform::delay(uint32_t ms) {
  delays.push_back(ms);
  now += ms;
}

int FakePlatform::blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) {
  blits.push_back(
      {src, dstrect ? dstrect->x : -1000, dstrect ? dstrect->y : -1000, srcrect ? srcrect->x : -1});
  if (src == nullptr || dst == nullptr) {
    error = "SDL_UpperBlit: passed a NULL surface";
    return -1;
  }
  return SDL_UpperBlit(src, srcrect, dst, dstrect);
}

int FakePlatform::flip(SDL_Surface* /*screen*/) {
  flip_times.push_back(now);
  if (on_flip) on_flip();
  now += flip_cost;
  return 0;
}

Mix_Chunk* FakePlatform::load_wav(const char* path) {
  loaded_paths.push_back(path);
  if (missing_sounds.count(path) != 0) {
    error = std::string("Couldn't open ") + path;
    return nullptr;
  }
  Mix_Chunk* chunk = new Mix_Chunk{};
  live_chunks.insert(chunk);
  return chunk;
}

void FakePlatform::free_chunk(Mix_Chunk* chunk) {
  if (chunk == nullptr) return;  // SDL_mixer ignores a null chunk
  if (live_chunks.erase(chunk) == 0) {
    ++double_frees;
    return;
  }
  delete chunk;
}

int FakePlatform::play_channel_timed(int /*channel*/, Mix_Chunk* chunk, int /*loops*/,
                                     int /*ticks*/) {
  ++mixer_calls;
  int channel = -1;
  if (chunk == nullptr) {
    error = "Tried to play a NULL chunk";
  } else if (refuse_play) {
    error = "No free channels available";
  } else {
    for (int c = 0; c < kChannels && channel < 0; ++c) {
      if (!channel_busy[c]) channel = c;
    }
    if (channel < 0) error = "No free channels available";
  }
  if (channel >= 0) channel_busy[channel] = true;
  plays.push_back({chunk, channel});
  return channel;
}

int FakePlatform::playing(int channel) {
  ++mixer_calls;
  if (channel == -1) {
    int count = 0;
    for (bool busy : channel_busy) count += busy ? 1 : 0;
    return count;
  }
  return channel >= 0 && channel < kChannels && channel_busy[channel] ? 1 : 0;
}

int FakePlatform::volume(int /*channel*/, int level) {
  ++mixer_calls;
  volumes.push_back(level);
  return level;
}

int FakePlatform::read_input(int8_t* inputs) {
  ++reads;
  int result = 1;
  if (!readings.empty()) {
    const std::string& text = readings[std::min(reads, readings.size()) - 1];
    if (!text.empty()) {
      decode_gpio_text(text.data(), text.size(), inputs);
      result = 0;
    }
  }
  if (quit) inputs[button_line('t')] = 0;
  return result;
}

bool FakePlatform::quit_requested() {
  return quit;
}

const char* FakePlatform::get_error() {
  return error.c_str();
}
