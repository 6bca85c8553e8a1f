// Benchmarks: what the game spends in the work of one frame, and what a whole match costs on the
// fake clock. Timing is measured here, never asserted in the tests.
//
//   build/tests/rally_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "dingoo_input.h"
#include "drivers.h"
#include "fake_platform.h"
#include "game_state.h"
#include "main_loop.h"
#include "playfield.h"
#include "rules.h"
#include "sounds.h"
#include "test_support.h"

namespace {

void prepare() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (chdir(source_dir().c_str()) != 0) std::abort();
  open_test_display();
  reset_game();
  game.players = 1;
}

// The rule stages of a play frame, as the play screen runs them for one player.
void run_rules() {
  game.random = std::rand() % 3;
  handle_ai();
  update_locations();
  handle_collisions();
}

// The stages of a play frame after the reading: the computer, motion, collisions, the whole
// picture and the sounds (a 16 ms frame leaves the rest to the wait).
void BM_PlayFrameStages(benchmark::State& state) {
  FakePlatform fake;
  prepare();
  init_gamestate();
  for (auto _ : state) {
    run_rules();
    draw_screen();
    play_sounds();
    if (game.gameover) init_gamestate();
  }
  release_sounds();
}
BENCHMARK(BM_PlayFrameStages);

void BM_DrawScreen(benchmark::State& state) {
  FakePlatform fake;
  prepare();
  init_gamestate();
  for (auto _ : state) draw_screen();
  release_sounds();
}
BENCHMARK(BM_DrawScreen);

void BM_RulesOnly(benchmark::State& state) {
  FakePlatform fake;
  prepare();
  init_gamestate();
  for (auto _ : state) {
    run_rules();
    game.p1_collision = game.p2_collision = 0;
    if (game.gameover) init_gamestate();
  }
  release_sounds();
}
BENCHMARK(BM_RulesOnly);

// One reading of the GPIO proc file's text from a real file.
void BM_ReadGpioFile(benchmark::State& state) {
  TempDir dir;
  write_file(dir.file("gpio"), "0xffffffbf\n");
  int8_t inputs[32] = {};
  for (auto _ : state) benchmark::DoNotOptimize(read_gpio_file(dir.file("gpio").c_str(), inputs));
}
BENCHMARK(BM_ReadGpioFile);

// A whole match of one player against the computer, played through the real play screen on the
// fake clock (about 80 seconds of play).
void BM_WholeMatchOnFakeClock(benchmark::State& state) {
  prepare();
  for (auto _ : state) {
    FakePlatform fake;
    reset_game();
    std::srand(1);
    main_loop(kPlay);
    state.counters["frames"] = static_cast<double>(fake.flip_times.size());
  }
}
BENCHMARK(BM_WholeMatchOnFakeClock)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
