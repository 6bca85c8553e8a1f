// Shared by the tests: a fake platform, the game on a real display of SDL's dummy driver, tables
// of cases written as text, and records of what the game did.
#pragma once

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "button_source.h"
#include "buttons.h"
#include "core/game_state.h"
#include "core/gpio_lines.h"
#include "dingoo_input.h"
#include "graphics.h"
#include "platform_sdl.h"
#include "records.h"

// Puts the game back to its state at program start, with the bitmaps of data/ loaded and the
// screen cleared to black. The first call starts SDL on its dummy drivers as the program does.
// The tests run in the checkout, where data/ and tests/golden/ are.
inline void fresh_game() {
  static GameState start;  // as at program start, once SDL has started and the bitmaps are loaded
  if (game.screen == nullptr) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(sdl_init() + load_graphics(), 0);
    start = game;
  }
  start.screen = game.screen;  // the display as the last test left it
  game = start;
  SDL_FillRect(game.screen, nullptr, 0);
  forget_events();
  std::srand(1);
}

// Events of the window system, as SDL's queue gives them to the game's readings.
inline SDL_Event focus(bool gained) {
  SDL_Event event;
  event.active = {SDL_ACTIVEEVENT, gained, SDL_APPINPUTFOCUS};
  return event;
}

inline void push(std::initializer_list<SDL_Event> events) {
  for (SDL_Event event : events) SDL_PushEvent(&event);
}

// A hash of the picture on a surface, in hexadecimal.
inline std::string picture_hash(const SDL_Surface* s) {
  uint64_t hash = 14695981039346656037ull, word;  // FNV-1a over the picture's 64-bit words
  for (int at = 0; at + 8 <= s->h * s->pitch; at += 8) {
    std::memcpy(&word, static_cast<const char*>(s->pixels) + at, 8);
    hash = (hash ^ word) * 1099511628211ull;
  }
  char text[9];
  std::snprintf(text, sizeof text, "%08x", static_cast<uint32_t>(hash ^ hash >> 32));
  return text;
}

// The platform of the tests: SDL's for blits and quit requests, the rest faked. Its clock moves
// only when the game reads it (1 ms a reading) or waits, so paced frames run at once. Each reading
// of the buttons writes the text for `press(reading)` into a real file ("?" removes it) and reads
// it with the program's own reader. The mixer has 8 channels, each busy for 3 flips after a start;
// it can be made to refuse every start (`refuse_play`) or to find no data/p2_blip.wav
// (`missing_p2`). Waiting for an event takes 500 ms.
//
// What the game asks of the mixer and the clock, and each time it forgets the presses made so far
// (X), is written into `events`; at every flip, the frame's events, the clock and a hash of the
// picture become one line of `frames`, and what the rules promise is checked.
class FakePlatform : public SdlPlatform {
 public:
  FakePlatform() { set_platform(this); }
  ~FakePlatform() override { set_platform(nullptr); }

  std::function<std::string(int reading)> press = [](int) { return ""; };
  std::function<void()> on_flip;  // called at each flip, before its line is written
  int reading = 0;                // readings so far; beyond 100000 the game is taken to be stuck
  bool refuse_play = false, missing_p2 = false;
  uint32_t now = 0, flip_cost = 0;  // flip_cost: the milliseconds that each flip takes
  long flips = 0, faults = 0;       // faults: flips at which a promise of the rules was broken
  std::string events;
  std::vector<std::string> frames;

  uint32_t get_ticks() override { return now++; }
  void delay(uint32_t ms) override {
    log('D', ms);
    now += ms;
  }
  void nap() override { ++now; }  // to the next tick of the fake's clock
  int flip(SDL_Surface* screen) override {
    if (on_flip) on_flip();
    // Paddles within reach, scores up to 10, hit flags cleared by the sounds, no chunk freed
    // twice, and a heading past 360 only in a frame with a hit (whose blips were asked for).
    const bool hit = events.find('?') != std::string::npos;
    const bool kept = game.paddle1_y >= 5 && game.paddle1_y <= 205 && game.paddle2_y >= 5 &&
                      game.paddle2_y <= 205 && game.p1_score <= 10 && game.p2_score <= 10 &&
                      game.p1_collision + game.p2_collision == 0 && game.angle >= 0 &&
                      (game.angle <= 360 || (hit && game.angle < 721)) &&
                      events.find("twice") == std::string::npos;
    if (!kept && faults++ == 0) ADD_FAILURE() << events << ", heading " << game.angle;
    log('@', now, " #", picture_hash(screen));
    frames.push_back(events.substr(0, events.size() - 1));
    events.clear();
    now += flip_cost;
    ++flips;
    return 0;
  }
  // The two blips are chunks 1 and 2; freeing one that is not loaded is logged as an error.
  Mix_Chunk* load_wav(const char* path) override {
    const int n = std::strstr(path, "p1") ? 1 : 2;
    loaded_[n] = n == 1 || !missing_p2;
    log('L', n, loaded_[n] ? "" : "!");
    error_ = std::string("Couldn't open ") + path;
    return loaded_[n] ? &chunks_[n] : nullptr;
  }
  void free_chunk(Mix_Chunk* chunk) override {
    log('F', name(chunk), chunk == nullptr || loaded_[name(chunk)] ? "" : " twice!");
    loaded_[name(chunk)] = false;
  }
  int play_channel_timed(int channel, Mix_Chunk* chunk, int loops, int ticks) override {
    int played = -1;
    for (int c = 0; c < 8 && played < 0 && chunk != nullptr && !refuse_play; ++c) {
      if (started_[c] + 3 <= flips) played = c;
    }
    if (played >= 0) started_[played] = flips;
    error_ = chunk == nullptr ? "Tried to play a NULL chunk" : "No free channels available";
    log('P', name(chunk), '(', channel, ',', loops, ',', ticks, ")>", played);
    return played;
  }
  int playing(int channel) override {
    int busy = 0;
    for (int c = 0; c < 8; ++c) busy += (channel == -1 || channel == c) && started_[c] + 3 > flips;
    log('?', channel, '=', busy);
    return busy;
  }
  int volume(int channel, int level) override {
    log('V', channel, ':', level);
    return level;
  }
  void pause_sounds(bool paused) override { log('Z', paused ? 1 : 0); }
  void forget_presses() override {
    log('X');
    SdlPlatform::forget_presses();
  }
  void wait_for_event() override { now += 500; }
  int read_input(int8_t* inputs) override {
    if (++reads_ > 100000) throw std::runtime_error("the game does not stop reading buttons");
    const std::string buttons = press(reading++);
    if (buttons != file_) {  // the button file changes only when the buttons do
      char text[16];
      held_text(buttons.c_str(), text);
      std::remove(RALLY_TEST_GPIO_FILE);
      if ((file_ = buttons) != "?") std::ofstream(RALLY_TEST_GPIO_FILE) << text;
    }
    take_events();  // as the program's own reading does, a quit request holds back
    const int result = read_gpio_file(RALLY_TEST_GPIO_FILE, inputs);
    if (::quit_requested()) inputs[button_line('t')] = 0;
    return result;
  }
  const char* get_error() override { return error_.c_str(); }

 private:
  template <class... Parts>
  void log(const Parts&... parts) {
    std::ostringstream text;
    (text << ... << parts) << ' ';
    events += text.str();
  }
  int name(const Mix_Chunk* chunk) const { return chunk ? static_cast<int>(chunk - chunks_) : 0; }

  std::string error_ = "no error", file_ = "?";
  Mix_Chunk chunks_[3] = {};
  bool loaded_[3] = {};
  int reads_ = 0;
  int started_[8] = {-9, -9, -9, -9, -9, -9, -9, -9};  // the flip at which each channel started
};
