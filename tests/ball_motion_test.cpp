// The movement stage: paddles by their intents, the ball by the sixteen heading sectors.
#include <gtest/gtest.h>

#include "game_state.h"
#include "rules.h"
#include "test_support.h"

namespace {

struct StepCase {
  int angle_in;
  int dx, dy;
  int angle_out;
};

// Every sector's lower and upper bound, the pushes that carry the heading into a stepping sector
// within the same call, and headings outside 0..360.
const StepCase kStepCases[] = {
    {0, +1, -2, 0},     {22, +1, -2, 22},   {23, +2, -2, 23},   {44, +2, -2, 44},
    {45, +2, -1, 45},   {67, +2, -1, 67},   {68, +2, 0, 68},    {90, +2, 0, 90},
    {91, +2, +1, 91},   {112, +2, +1, 112}, {113, +2, +2, 113}, {135, +2, +2, 135},
    {136, +1, +2, 136}, {157, +1, +2, 157}, {158, -1, +2, 183}, {170, -1, +2, 195},
    {177, -1, +2, 202}, {178, -2, +2, 203}, {180, -2, +2, 205}, {181, -1, +2, 181},
    {202, -1, +2, 202}, {203, -2, +2, 203}, {225, -2, +2, 225}, {226, -2, +1, 226},
    {236, -2, +1, 236}, {247, -2, +1, 247}, {248, -2, 0, 248},  {270, -2, 0, 270},
    {271, -2, -1, 271}, {292, -2, -1, 292}, {293, -2, -2, 293}, {315, -2, -2, 315},
    {316, -1, -2, 316}, {337, -1, -2, 337}, {338, 0, 0, 363},   {340, 0, 0, 365},
    {360, 0, 0, 385},   {361, 0, 0, 361},   {440, 0, 0, 440},   {-1, 0, 0, -1},
};

class BallStep : public testing::TestWithParam<StepCase> {};

TEST_P(BallStep, MovesByTheSectorOfItsLiveHeading) {
  reset_game();
  const StepCase& c = GetParam();
  game.ball_x = 100;
  game.ball_y = 100;
  game.angle = c.angle_in;
  update_locations();
  EXPECT_EQ(game.ball_x, 100 + c.dx);
  EXPECT_EQ(game.ball_y, 100 + c.dy);
  EXPECT_EQ(game.angle, c.angle_out);
}

INSTANTIATE_TEST_SUITE_P(Sectors, BallStep, testing::ValuesIn(kStepCases),
                         [](const testing::TestParamInfo<StepCase>& info) {
                           const int a = info.param.angle_in;
                           return (a < 0 ? "minus" + std::to_string(-a) : std::to_string(a));
                         });

struct PaddleCase {
  const char* name;
  int players;
  int p1_up, p1_down, p2_up, p2_down;
  int paddle1_after, paddle2_after;  // both start at 100
};

const PaddleCase kPaddleCases[] = {
    {"still", 1, 0, 0, 0, 0, 100, 100},
    {"left_up", 1, 1, 0, 0, 0, 97, 100},
    {"left_down", 2, 0, 1, 0, 0, 103, 100},
    {"left_both_held", 1, 1, 1, 0, 0, 100, 100},
    {"computer_down_two_pixels", 1, 0, 0, 0, 1, 100, 102},
    {"computer_up_two_pixels", 1, 0, 0, 1, 0, 100, 98},
    {"second_player_down_three_pixels", 2, 0, 0, 0, 1, 100, 103},
    {"second_player_up_three_pixels", 2, 0, 0, 1, 0, 100, 97},
    {"right_both_held", 2, 0, 0, 1, 1, 100, 100},
};

class PaddleStep : public testing::TestWithParam<PaddleCase> {};

TEST_P(PaddleStep, MovesByItsIntents) {
  reset_game();
  const PaddleCase& c = GetParam();
  game.players = c.players;
  game.paddle1_y = game.paddle2_y = 100;
  game.p1_moveup = c.p1_up;
  game.p1_movedown = c.p1_down;
  game.p2_moveup = c.p2_up;
  game.p2_movedown = c.p2_down;
  update_locations();
  EXPECT_EQ(game.paddle1_y, c.paddle1_after);
  EXPECT_EQ(game.paddle2_y, c.paddle2_after);
}

INSTANTIATE_TEST_SUITE_P(Intents, PaddleStep, testing::ValuesIn(kPaddleCases),
                         [](const testing::TestParamInfo<PaddleCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(PaddleStep, IsNotBoundedHere) {
  reset_game();
  game.paddle1_y = 5;
  game.p1_moveup = 1;
  game.paddle2_y = 205;
  game.players = 2;
  game.p2_movedown = 1;
  update_locations();
  EXPECT_EQ(game.paddle1_y, 2);
  EXPECT_EQ(game.paddle2_y, 208);
}

}  // namespace
