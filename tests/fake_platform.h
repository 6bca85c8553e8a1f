// A platform for tests: a fake clock, a recording display and a fake mixer.
//
// The clock moves only when the game reads it or waits: every reading lets `tick_step`
// milliseconds pass (so busy-waits end), and every delay lets its length pass. Blits are recorded
// and, where both surfaces exist, really performed with SDL_UpperBlit, so pictures can be
// compared and the clipped rectangle is written back exactly as SDL does.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform.h"

class FakePlatform : public Platform {
 public:
  FakePlatform();
  ~FakePlatform() override;

  // Clock.
  uint32_t now = 0;
  uint32_t tick_step = 1;
  std::vector<uint32_t> delays;
  std::vector<uint32_t> flip_times;
  uint32_t flip_cost = 0;         // milliseconds that each flip takes
  std::function<void()> on_flip;  // called at every flip, before its cost is paid

  // Display.
  struct Blit {
    SDL_Surface* surface;
    int x, y;   // the destination asked for (before clipping); -1000 for "no rectangle"
    int src_x;  // the cut's x, or -1 for the whole surface
  };
  std::vector<Blit> blits;

  // Mixer: eight channels, like SDL_mixer's default.
  static constexpr int kChannels = 8;
  std::set<std::string> missing_sounds;  // load_wav fails for these paths
  std::vector<std::string> loaded_paths;
  std::set<Mix_Chunk*> live_chunks;
  int double_frees = 0;
  bool channel_busy[kChannels] = {};
  bool refuse_play = false;  // play_channel_timed fails like a mixer with no free channel
  struct Play {
    Mix_Chunk* chunk;
    int channel;  // what was returned
  };
  std::vector<Play> plays;
  std::vector<int> volumes;
  int mixer_calls = 0;  // every mixer call but loading and freeing
  std::string error = "no error";

  // Buttons: each reading takes the next text of the proc file from `readings` and decodes it as
  // the handheld would (the last text repeats once the script runs out); "" is a reading that
  // fails, leaving the array as it was. Nothing is held unless a test says otherwise.
  std::vector<std::string> readings = {"0xffffffff\n"};
  size_t reads = 0;
  bool quit = false;  // a quit request: every reading holds 't', as the real source does

  void finish_sounds();  // every channel falls silent

  uint32_t get_ticks() override;
  void delay(uint32_t ms) override;
  int blit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) override;
  int flip(SDL_Surface* screen) override;
  Mix_Chunk* load_wav(const char* path) override;
  void free_chunk(Mix_Chunk* chunk) override;
  int play_channel_timed(int channel, Mix_Chunk* chunk, int loops, int ticks) override;
  int playing(int channel) override;
  int volume(int channel, int level) override;
  int read_input(int8_t* inputs) override;
  bool quit_requested() override;
  const char* get_error() override;
};
