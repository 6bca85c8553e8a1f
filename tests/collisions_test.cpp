// The collision stage: walls, arming, paddle hits, reversal and wrap, points, the end of a match.
#include <gtest/gtest.h>

#include <string>

#include "fake_platform.h"
#include "game_state.h"
#include "paddle_hit_examples.h"
#include "rules.h"
#include "test_support.h"

namespace {

class Collisions : public testing::Test {
 protected:
  void SetUp() override { reset_game(); }
  FakePlatform fake;
};

// ---- Walls ------------------------------------------------------------------------------------

struct WallCase {
  int y_in, angle_in;
  int y_out, angle_out;
};

// The worked examples, then a negative heading left by a wall (30 - 60 = -30, which the wrap
// brings back to 330), then a ball one pixel clear of each wall.
const WallCase kWallCases[] = {
    {4, 300, 6, 240},     {4, 320, 6, 215},    {4, 30, 6, 135},      {5, 10, 6, 115},
    {4, 50, 6, 110},      {4, 180, 6, 120},    {236, 200, 234, 305}, {235, 215, 234, 275},
    {235, 120, 234, 60},  {235, 140, 234, 35}, {235, 30, 234, 330},  {6, 300, 6, 300},
    {234, 120, 234, 120},
};

class Walls : public Collisions, public testing::WithParamInterface<WallCase> {};

TEST_P(Walls, BounceTheBallWithTheExtraTurnOutOfAFlatSector) {
  const WallCase& c = GetParam();
  game.ball_x = 100;  // away from both paddles and goals
  game.ball_y = c.y_in;
  game.angle = c.angle_in;
  handle_collisions();
  EXPECT_EQ(game.ball_y, c.y_out);
  EXPECT_EQ(game.angle, c.angle_out);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, Walls, testing::ValuesIn(kWallCases),
                         [](const testing::TestParamInfo<WallCase>& info) {
                           return "y" + std::to_string(info.param.y_in) + "_angle" +
                                  std::to_string(info.param.angle_in);
                         });

// ---- Arming -----------------------------------------------------------------------------------

struct ArmCase {
  int angle, ball_x;
  int armed;
};

const ArmCase kArmCases[] = {
    {90, 159, 0},  {90, 160, 1},  {0, 160, 1},   {180, 160, 1}, {180, 161, 1},
    {181, 161, 0}, {181, 160, 1}, {270, 161, 0}, {270, 100, 1}, {360, 160, 1},
    {360, 161, 0}, {365, 100, 0}, {365, 200, 0},
};

class Arming : public Collisions, public testing::WithParamInterface<ArmCase> {};

TEST_P(Arming, HappensInTheHalfTheBallHeadsInto) {
  const ArmCase& c = GetParam();
  game.ball_x = c.ball_x;
  game.ball_y = 120;
  game.angle = c.angle;
  game.crossed_middle = 0;
  handle_collisions();
  EXPECT_EQ(game.crossed_middle, c.armed);
}

INSTANTIATE_TEST_SUITE_P(Line, Arming, testing::ValuesIn(kArmCases),
                         [](const testing::TestParamInfo<ArmCase>& info) {
                           return "angle" + std::to_string(info.param.angle) + "_x" +
                                  std::to_string(info.param.ball_x);
                         });

TEST_F(Collisions, ArmingSeesTheHeadingLeftByTheWall) {
  // 190 at x 159 would arm the left paddle, but the top wall turns it to 130 (rightwards) first.
  game.ball_x = 159;
  game.ball_y = 4;
  game.angle = 190;
  handle_collisions();
  EXPECT_EQ(game.angle, 130);
  EXPECT_EQ(game.crossed_middle, 0);
}

// ---- Paddle hits: the worked examples ---------------------------------------------------------

// Places the ball inside the meeting paddle's window and reach, armed, with the paddle's intents.
void set_up_hit(Side side, Motion motion, int angle, int random) {
  reset_game();
  game.paddle1_y = 105;
  game.paddle2_y = 105;
  game.ball_x = side == kLeft ? 13 : 305;
  game.ball_y = 120;
  game.angle = angle;
  game.random = random;
  game.crossed_middle = 1;
  int& up = side == kLeft ? game.p1_moveup : game.p2_moveup;
  int& down = side == kLeft ? game.p1_movedown : game.p2_movedown;
  up = motion == kUp ? 1 : 0;
  down = motion == kDown ? 1 : 0;
}

class PaddleHits : public Collisions, public testing::WithParamInterface<HitCase> {};

TEST_P(PaddleHits, TurnReverseAndWrapTheHeading) {
  const HitCase& c = GetParam();
  set_up_hit(c.side, c.motion, c.angle_in, c.random);
  handle_collisions();
  EXPECT_EQ(game.angle, c.angle_end);
  EXPECT_EQ(game.crossed_middle, 0);
  EXPECT_EQ(game.p1_collision, c.side == kLeft ? 1 : 0);
  EXPECT_EQ(game.p2_collision, c.side == kRight ? 1 : 0);
  EXPECT_TRUE(fake.delays.empty()) << "a hit scores no point";

  // The next frame, as the play screen runs it: the sound stage has cleared the flags; the
  // paddles stand still.
  game.p1_collision = game.p2_collision = 0;
  game.p1_moveup = game.p1_movedown = game.p2_moveup = game.p2_movedown = 0;
  const int x = game.ball_x;
  const int y = game.ball_y;
  update_locations();
  EXPECT_EQ(game.ball_x - x, c.next_dx);
  EXPECT_EQ(game.ball_y - y, c.next_dy);
  EXPECT_EQ(game.angle, c.next_angle);
  if (c.next_wrap != kSame) {
    handle_collisions();
    EXPECT_EQ(game.angle, c.next_wrap);
    EXPECT_EQ(game.p1_collision + game.p2_collision, 0) << "a heading out of range arms nothing";
  }
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, PaddleHits, testing::ValuesIn(kHitCases),
                         [](const testing::TestParamInfo<HitCase>& info) {
                           return std::string(info.param.name);
                         });

// ---- Paddle hits: windows, reach and the cases in which the ball passes -------------------------

struct WindowCase {
  const char* name;
  Side side;
  int ball_x;
  int ball_y;  // paddle top is 105
  bool met;
};

const WindowCase kWindowCases[] = {
    {"left_x10", kLeft, 10, 120, false},
    {"left_x11", kLeft, 11, 120, true},
    {"left_x15", kLeft, 15, 120, true},
    {"left_x16", kLeft, 16, 120, false},
    {"right_x299", kRight, 299, 120, false},
    {"right_x300", kRight, 300, 120, true},
    {"right_x310", kRight, 310, 120, true},
    {"right_x311", kRight, 311, 120, false},
    {"left_top_minus_1", kLeft, 13, 104, false},
    {"left_top", kLeft, 13, 105, true},
    {"left_top_plus_30", kLeft, 13, 135, true},
    {"left_top_plus_31", kLeft, 13, 136, false},
    {"right_top_minus_1", kRight, 305, 104, false},
    {"right_top", kRight, 305, 105, true},
    {"right_top_plus_30", kRight, 305, 135, true},
    {"right_top_plus_31", kRight, 305, 136, false},
};

class HitWindow : public Collisions, public testing::WithParamInterface<WindowCase> {};

TEST_P(HitWindow, MeetsTheBallOnlyWithinItsEdges) {
  const WindowCase& c = GetParam();
  const int angle = c.side == kLeft ? 191 : 10;
  set_up_hit(c.side, kStill, angle, 0);
  game.ball_x = c.ball_x;
  game.ball_y = c.ball_y;
  handle_collisions();
  const int hits = c.side == kLeft ? game.p1_collision : game.p2_collision;
  EXPECT_EQ(hits, c.met ? 1 : 0);
  EXPECT_EQ(game.crossed_middle, c.met ? 0 : 1);
  EXPECT_EQ(game.angle, c.met ? (c.side == kLeft ? 146 : 325) : angle);
}

INSTANTIATE_TEST_SUITE_P(Edges, HitWindow, testing::ValuesIn(kWindowCases),
                         [](const testing::TestParamInfo<WindowCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Collisions, AnUnarmedPaddleLetsTheBallPass) {
  // Heading away from the paddle, the ball arms nothing in this frame: only a flag left armed
  // from earlier lets the paddle meet it.
  for (int armed : {0, 1}) {
    for (Side side : {kLeft, kRight}) {
      const int away = side == kLeft ? 45 : 300;
      set_up_hit(side, kStill, away, 0);
      game.crossed_middle = armed;
      handle_collisions();
      EXPECT_EQ(game.p1_collision + game.p2_collision, armed) << "side " << side;
      EXPECT_EQ(game.crossed_middle, 0);
    }
  }
}

TEST_F(Collisions, BothIntentsHeldLetTheBallPassStillArmed) {
  for (Side side : {kLeft, kRight}) {
    set_up_hit(side, kStill, side == kLeft ? 191 : 10, 0);
    (side == kLeft ? game.p1_moveup : game.p2_moveup) = 1;
    (side == kLeft ? game.p1_movedown : game.p2_movedown) = 1;
    handle_collisions();
    EXPECT_EQ(game.p1_collision + game.p2_collision, 0);
    EXPECT_EQ(game.crossed_middle, 1);
    EXPECT_EQ(game.angle, side == kLeft ? 191 : 10);
  }
}

TEST_F(Collisions, AHitOnAHeadingWithoutARuleOnlyReverses) {
  // Left, 345: no sector rule; the reversal adds 360 in all and the wrap takes 360 back.
  set_up_hit(kLeft, kStill, 345, 0);
  handle_collisions();
  EXPECT_EQ(game.p1_collision, 1);
  EXPECT_EQ(game.crossed_middle, 0);
  EXPECT_EQ(game.angle, 345);

  // Right, 170: no sector rule; one reversal pass adds 180, the second finds it above 180.
  set_up_hit(kRight, kStill, 170, 0);
  handle_collisions();
  EXPECT_EQ(game.p2_collision, 1);
  EXPECT_EQ(game.crossed_middle, 0);
  EXPECT_EQ(game.angle, 350);
}

TEST_F(Collisions, PaddleRulesSeeTheHeadingLeftByTheWall) {
  // The top wall turns 300 into 240 first; the still paddle then turns 240 by -45 to 195.
  set_up_hit(kLeft, kStill, 300, 0);
  game.paddle1_y = 5;
  game.ball_y = 4;
  handle_collisions();
  EXPECT_EQ(game.ball_y, 6);
  EXPECT_EQ(game.angle, 195);
  EXPECT_EQ(game.p1_collision, 1);
}

TEST_F(Collisions, PaddleReachUsesThePositionBeforeTheDrawingClamp) {
  // A paddle moved up to 2 reaches 2..32 in this frame, not the clamped 5..35.
  set_up_hit(kLeft, kUp, 191, 0);
  game.paddle1_y = 2;
  game.ball_y = 33;
  handle_collisions();
  EXPECT_EQ(game.p1_collision, 0);

  set_up_hit(kLeft, kUp, 191, 0);
  game.paddle1_y = 2;
  game.ball_y = 32;
  handle_collisions();
  EXPECT_EQ(game.p1_collision, 1);
}

// ---- Points and the end of the match ----------------------------------------------------------

struct PointCase {
  int ball_x;
  int p1_points, p2_points;
  int serve_angle;  // 0: no serve
};

const PointCase kPointCases[] = {
    {312, 1, 0, 90},
    {311, 0, 0, 0},
    {3, 0, 1, 270},
    {4, 0, 0, 0},
};

class Points : public Collisions, public testing::WithParamInterface<PointCase> {};

TEST_P(Points, AreScoredPastEitherGoalWithAPauseAndAServe) {
  const PointCase& c = GetParam();
  game.ball_x = c.ball_x;
  game.ball_y = 50;
  game.angle = c.ball_x > 160 ? 100 : 280;
  game.crossed_middle = 1;
  game.paddle1_y = game.paddle2_y = 150;  // out of reach
  handle_collisions();
  EXPECT_EQ(game.p1_score, c.p1_points);
  EXPECT_EQ(game.p2_score, c.p2_points);
  if (c.serve_angle != 0) {
    EXPECT_EQ(game.ball_x, 155);
    EXPECT_EQ(game.ball_y, 115);
    EXPECT_EQ(game.angle, c.serve_angle);
    EXPECT_EQ(fake.delays, std::vector<uint32_t>{500});
    EXPECT_EQ(game.crossed_middle, 1) << "a serve leaves the arming flag alone";
  } else {
    EXPECT_EQ(game.ball_x, c.ball_x);
    EXPECT_TRUE(fake.delays.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Goals, Points, testing::ValuesIn(kPointCases),
                         [](const testing::TestParamInfo<PointCase>& info) {
                           return "x" + std::to_string(info.param.ball_x);
                         });

TEST_F(Collisions, TheTenthPointEndsTheMatch) {
  for (bool left : {true, false}) {
    reset_game();
    game.ball_y = 50;
    game.ball_x = left ? 312 : 3;
    (left ? game.p1_score : game.p2_score) = 9;
    handle_collisions();
    EXPECT_EQ(left ? game.p1_score : game.p2_score, 10);
    EXPECT_EQ(game.gameover, 1);
  }
}

TEST_F(Collisions, OnlyExactlyTenEndsTheMatch) {
  game.ball_y = 50;
  game.ball_x = 100;
  game.p1_score = 9;
  handle_collisions();
  EXPECT_EQ(game.gameover, 0);

  game.p1_score = 10;
  game.ball_x = 312;
  handle_collisions();
  EXPECT_EQ(game.p1_score, 11);
  EXPECT_EQ(game.gameover, 0);
}

}  // namespace
