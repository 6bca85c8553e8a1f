// The paddle drivers: the buttons and the computer opponent setting the movement intents.
#include <gtest/gtest.h>

#include <string>

#include "drivers.h"
#include "fake_platform.h"
#include "game_state.h"
#include "paddle_hit_examples.h"
#include "rules.h"
#include "test_support.h"

namespace {

class Drivers : public testing::Test {
 protected:
  void SetUp() override { reset_game(); }
  FakePlatform fake;
};

struct AiCase {
  const char* name;
  int ball_x, angle, ball_y, paddle2_y;
  int up, down;
};

const AiCase kAiCases[] = {
    {"serve_position_waits", 155, 90, 115, 105, 0, 0},
    {"x160_waits", 160, 90, 100, 105, 0, 0},
    {"x161_chases_and_is_on_target", 161, 90, 115, 105, 0, 0},
    {"chases_up", 161, 90, 114, 105, 1, 0},
    {"chases_down", 161, 90, 116, 105, 0, 1},
    {"angle180_chases", 200, 180, 200, 105, 0, 1},
    {"angle181_waits", 200, 181, 200, 105, 0, 0},
    {"angle0_chases", 200, 0, 20, 105, 1, 0},
    {"waits_below_band_top", 100, 270, 115, 49, 0, 1},
    {"waits_at_band_top", 100, 270, 115, 50, 0, 0},
    {"waits_at_band_bottom", 100, 270, 115, 190, 0, 0},
    {"waits_above_band_bottom", 100, 270, 115, 191, 1, 0},
    {"waiting_ignores_the_ball", 300, 200, 20, 191, 1, 0},
};

class Computer : public Drivers, public testing::WithParamInterface<AiCase> {};

TEST_P(Computer, ChasesOrWaits) {
  const AiCase& c = GetParam();
  game.ball_x = c.ball_x;
  game.angle = c.angle;
  game.ball_y = c.ball_y;
  game.paddle2_y = c.paddle2_y;
  game.p2_moveup = game.p2_movedown = 1;  // nothing of the last frame survives
  handle_ai();
  EXPECT_EQ(game.p2_moveup, c.up);
  EXPECT_EQ(game.p2_movedown, c.down);
}

INSTANTIATE_TEST_SUITE_P(Modes, Computer, testing::ValuesIn(kAiCases),
                         [](const testing::TestParamInfo<AiCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Drivers, TheComputerNeverSettlesAtAnOddDistance) {
  // Its paddle moves 2 pixels a frame and has no dead zone: 1 pixel off target, it swings.
  game.players = 1;
  game.ball_x = 250;
  game.angle = 90;
  game.paddle2_y = 100;
  std::vector<int> tops;
  for (int frame = 0; frame < 4; ++frame) {
    game.ball_y = 111;
    game.ball_x = 250;
    handle_ai();
    update_locations();
    tops.push_back(game.paddle2_y);
  }
  EXPECT_EQ(tops, (std::vector<int>{102, 100, 102, 100}));
}

struct InputCase {
  const char* name;
  int players;
  const char* held;
  int p1_up, p1_down, p2_up, p2_down;  // the right intents start at 1 and 1
};

const InputCase kInputCases[] = {
    {"nothing", 2, "", 0, 0, 0, 0},
    {"left_up", 2, "u", 1, 0, 0, 0},
    {"left_down", 2, "d", 0, 1, 0, 0},
    {"left_both", 2, "ud", 1, 1, 0, 0},
    {"right_up", 2, "x", 0, 0, 1, 0},
    {"right_down", 2, "b", 0, 0, 0, 1},
    {"right_both", 2, "xb", 0, 0, 1, 1},
    {"one_player_ignores_x_and_b", 1, "xbu", 1, 0, 1, 1},
    {"other_buttons_move_nothing", 2, "aeiyt", 0, 0, 0, 0},
};

class Buttons : public Drivers, public testing::WithParamInterface<InputCase> {};

TEST_P(Buttons, SetTheIntents) {
  const InputCase& c = GetParam();
  game.players = c.players;
  game.p2_moveup = game.p2_movedown = 1;
  fake.readings = {held(c.held)};
  handle_input();
  EXPECT_EQ(fake.reads, 1u);
  EXPECT_EQ(game.p1_moveup, c.p1_up);
  EXPECT_EQ(game.p1_movedown, c.p1_down);
  EXPECT_EQ(game.p2_moveup, c.p2_up);
  EXPECT_EQ(game.p2_movedown, c.p2_down);
}

INSTANTIATE_TEST_SUITE_P(Readings, Buttons, testing::ValuesIn(kInputCases),
                         [](const testing::TestParamInfo<InputCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Drivers, AFailedReadingKeepsTheLastOne) {
  fake.readings = {held("d"), ""};
  handle_input();
  handle_input();
  EXPECT_EQ(game.p1_movedown, 1);
  EXPECT_EQ(game.p1_moveup, 0);
}

TEST_F(Drivers, TheComputerPaddleIsSlowerThanAPersons) {
  // One player: the computer chases a ball below its aim, 2 pixels a frame.
  game.players = 1;
  game.ball_x = 250;
  game.angle = 90;
  game.ball_y = 200;
  game.paddle2_y = 100;
  fake.readings = {held("b")};
  handle_input();
  handle_ai();
  update_locations();
  EXPECT_EQ(game.paddle2_y, 102);

  // Two players: 'b' moves the right paddle down 3 pixels a frame.
  game.players = 2;
  game.paddle2_y = 100;
  handle_input();
  update_locations();
  EXPECT_EQ(game.paddle2_y, 103);
}

// Every moving-paddle row of the worked examples, with the paddle's motion coming from a real
// button reading.
class MovingHits : public Drivers, public testing::WithParamInterface<HitCase> {};

TEST_P(MovingHits, TurnTheBallAsTheExamplesSay) {
  const HitCase& c = GetParam();
  game.players = 2;
  game.paddle1_y = game.paddle2_y = 105;
  game.ball_x = c.side == kLeft ? 13 : 305;
  game.ball_y = 120;
  game.angle = c.angle_in;
  game.random = c.random;
  game.crossed_middle = 1;
  const char* button =
      c.side == kLeft ? (c.motion == kUp ? "u" : "d") : (c.motion == kUp ? "x" : "b");
  fake.readings = {held(button)};
  handle_input();
  handle_collisions();
  EXPECT_EQ(game.angle, c.angle_end);
  EXPECT_EQ(c.side == kLeft ? game.p1_collision : game.p2_collision, 1);
}

std::vector<HitCase> moving_rows() {
  std::vector<HitCase> rows;
  for (const HitCase& c : kHitCases) {
    if (c.motion != kStill) rows.push_back(c);
  }
  return rows;
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, MovingHits, testing::ValuesIn(moving_rows()),
                         [](const testing::TestParamInfo<HitCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
