// The play screen and the sequencer, run through the real screens on the fake platform.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "fake_platform.h"
#include "game_state.h"
#include "main_loop.h"
#include "test_support.h"

namespace {

class PlayScreen : public testing::Test {
 protected:
  void SetUp() override {
    open_test_display();
    reset_game();
    std::srand(1);
  }

  // Frame boundaries (time_then) and frame start readings (time_now before the wait), as seen
  // at each flip.
  void record_frames() {
    fake.on_flip = [this] { boundaries.push_back(game.time_then); };
  }

  FakePlatform fake;
  std::vector<uint32_t> boundaries;
};

TEST_F(PlayScreen, PlaysAWholeMatchWithStillPaddlesToTheGameOverScreen) {
  game.players = 2;  // nobody touches a button: both paddles stand still
  fake.now = 1000;
  record_frames();

  ASSERT_EQ(main_loop(kPlay), kGameOver);

  const int points = game.p1_score + game.p2_score;
  EXPECT_TRUE(game.p1_score == 10 || game.p2_score == 10);
  EXPECT_LT(game.p1_score + game.p2_score, 20);
  EXPECT_EQ(game.gameover, 1);

  // A 500 ms pause per point, then the 200 ms pause that ends the match.
  ASSERT_EQ(fake.delays.size(), static_cast<size_t>(points + 1));
  for (int i = 0; i < points; ++i) EXPECT_EQ(fake.delays[i], 500u);
  EXPECT_EQ(fake.delays.back(), 200u);

  // Every frame draws the whole picture and is shown; the last frame, which sees the end of the
  // match, draws and shows nothing.
  size_t pictures = 0;
  for (const auto& blit : fake.blits) pictures += blit.surface == game.background ? 1 : 0;
  EXPECT_EQ(pictures, fake.flip_times.size());
  EXPECT_EQ(fake.blits.back().surface, game.ball);

  // Pacing: 16 ms between boundaries, except frames with a point, whose pause makes them late:
  // they get no wait at all, and the next frames are not shortened to make up for them.
  int late = 0;
  for (size_t i = 1; i < boundaries.size(); ++i) {
    const uint32_t gap = boundaries[i] - boundaries[i - 1];
    if (gap == 16) continue;
    ++late;
    EXPECT_GT(gap, 500u);
    EXPECT_LT(gap, 516u) << "a late frame waits no further";
  }
  EXPECT_EQ(late, points);

  // Both blips were loaded for the match and released at its end.
  EXPECT_EQ(fake.loaded_paths, (std::vector<std::string>{"data/p1_blip.wav", "data/p2_blip.wav"}));
  EXPECT_TRUE(fake.live_chunks.empty());
  EXPECT_EQ(fake.double_frees, 0);
  EXPECT_EQ(game.p1_blip, nullptr);
  EXPECT_EQ(game.p2_blip, nullptr);
}

TEST_F(PlayScreen, KeepsItsPaceWhenTheTickCounterWraps) {
  game.players = 2;
  fake.now = 0xFFFFF000u;  // wraps to 0 about 4 seconds into the match
  game.time_then = fake.now - 16;
  record_frames();
  ASSERT_EQ(main_loop(kPlay), kGameOver);

  bool wrapped = false;
  int late = 0;
  for (size_t i = 1; i < boundaries.size(); ++i) {
    wrapped = wrapped || boundaries[i] < boundaries[i - 1];
    const uint32_t gap = boundaries[i] - boundaries[i - 1];
    if (gap != 16) ++late;
  }
  EXPECT_TRUE(wrapped);
  EXPECT_EQ(late, game.p1_score + game.p2_score);
}

TEST_F(PlayScreen, FirstFrameMeasuresFromTheLastBoundaryEvenAcrossTheWrap) {
  // At program start the last boundary is 0. A clock just below the wrap is far past it, so the
  // first frame does not wait (a signed difference would make it wait for the wrap).
  const uint32_t start = 0xFFFFFFF8u;
  fake.now = start;
  record_frames();
  game.gameover = 0;
  fake.on_flip = [this] {
    boundaries.push_back(game.time_then);
    game.gameover = 1;  // end after one frame
  };
  main_loop(kPlay);
  ASSERT_EQ(boundaries.size(), 1u);
  EXPECT_EQ(boundaries[0], start);
}

TEST_F(PlayScreen, FirstFrameWaitsOutAFrameStartedRecently) {
  // time_then is never reset by the play screen: a boundary 5 ms ago leaves 11 ms to wait.
  fake.now = 5000;
  game.time_then = 4995;
  fake.on_flip = [this] {
    boundaries.push_back(game.time_then);
    game.gameover = 1;
  };
  main_loop(kPlay);
  ASSERT_EQ(boundaries.size(), 1u);
  EXPECT_EQ(boundaries[0], 5011u);
}

TEST_F(PlayScreen, SlowFramesFollowEachOtherWithoutWaiting) {
  // Each flip takes 20 ms: there is never a wait, and each boundary is the frame's start reading.
  fake.now = 100;
  fake.tick_step = 0;  // the readings themselves take no time
  fake.flip_cost = 20;
  int frames = 0;
  fake.on_flip = [&] {
    boundaries.push_back(game.time_then);
    if (++frames == 5) game.gameover = 1;
  };
  main_loop(kPlay);
  // The first frame starts at 100 (long after boundary 0); each flip then takes 20 ms.
  EXPECT_EQ(boundaries, (std::vector<uint32_t>{100, 120, 140, 160, 180}));
}

TEST_F(PlayScreen, RunsForEveryCodeButMenuAndGameOver) {
  for (int code : {kPlay, kQuit, 7, -1}) {
    reset_game();
    FakePlatform local;
    local.on_flip = [] { game.gameover = 1; };
    EXPECT_EQ(main_loop(code), kGameOver) << "code " << code;
    EXPECT_EQ(local.flip_times.size(), 1u) << "code " << code;
  }
}

TEST_F(PlayScreen, StartsEachMatchFromTheServeKeepingWhatCarriesOver) {
  game.players = 2;
  game.crossed_middle = 1;
  game.channelp1 = 3;
  game.volume = 7;
  fake.on_flip = [] { game.gameover = 1; };
  main_loop(kPlay);
  // One frame ran from the serve: the ball took one step to the right from (155, 115).
  EXPECT_EQ(game.ball_x, 157);
  EXPECT_EQ(game.ball_y, 115);
  EXPECT_EQ(game.angle, 90);
  EXPECT_EQ(game.paddle1_y, 105);
  EXPECT_EQ(game.paddle2_y, 105);
  EXPECT_EQ(game.p1_score + game.p2_score, 0);
  EXPECT_EQ(game.crossed_middle, 1);
  EXPECT_EQ(game.channelp1, 3);
  EXPECT_EQ(game.volume, 7);
}

TEST_F(PlayScreen, BackHeldFromTheFirstFrameStillPlaysThatFrameButShowsNothing) {
  fake.readings = {held("t")};
  EXPECT_EQ(main_loop(kPlay), kMenu);
  EXPECT_EQ(fake.reads, 1u);
  EXPECT_EQ(game.ball_x, 157) << "the frame moved the ball";
  EXPECT_EQ(fake.blits.size(), 6u) << "and drew the whole picture";
  EXPECT_TRUE(fake.flip_times.empty()) << "but left before showing it";
  EXPECT_NE(game.p1_blip, nullptr) << "the blips stay loaded when leaving early";
}

TEST_F(PlayScreen, BackHeldInTheFrameOfTheLastPointGoesToTheMenu) {
  // Play a match once to learn in which frame its last point falls...
  game.players = 2;
  ASSERT_EQ(main_loop(kPlay), kGameOver);
  const size_t last_point_frame = fake.flip_times.size();

  // ...then play it again, the same way, holding 't' in that frame only.
  reset_game();
  game.players = 2;
  std::srand(1);
  FakePlatform again;
  again.readings.assign(last_point_frame - 1, held(""));
  again.readings.push_back(held("t"));
  EXPECT_EQ(main_loop(kPlay), kMenu);
  EXPECT_EQ(game.gameover, 1);
  EXPECT_EQ(again.flip_times.size(), last_point_frame - 1);
  EXPECT_EQ(again.delays.back(), 500u) << "no end-of-match pause";
}

TEST_F(PlayScreen, WithOnePlayerTheComputerDrivesTheRightPaddle) {
  game.players = 1;
  fake.readings = {held("xb")};
  fake.on_flip = [] { game.gameover = 1; };
  main_loop(kPlay);
  // At the serve the computer waits in its band: 'x' and 'b' are nobody's buttons.
  EXPECT_EQ(game.p2_moveup, 0);
  EXPECT_EQ(game.p2_movedown, 0);
  EXPECT_EQ(game.paddle2_y, 105);
}

TEST_F(PlayScreen, WithTwoPlayersTheButtonsDriveBothPaddles) {
  game.players = 2;
  fake.readings = {held("dx")};
  fake.on_flip = [] { game.gameover = 1; };
  main_loop(kPlay);
  EXPECT_EQ(game.paddle1_y, 108);
  EXPECT_EQ(game.paddle2_y, 102);
}

TEST(Sequencer, FeedsEachResultBackUntilAScreenQuits) {
  static std::vector<int> calls;
  static const int results[] = {7, -1, kPlay, kGameOver, kMenu, kQuit};
  calls.clear();
  run_screens([](int code) {
    calls.push_back(code);
    return results[calls.size() - 1];
  });
  // Codes outside 0..3 run the same screen again.
  EXPECT_EQ(calls, (std::vector<int>{kMenu, kMenu, kMenu, kPlay, kGameOver, kMenu}));
}

}  // namespace
