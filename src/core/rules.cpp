#include "core/rules.h"

#include <climits>

#include "core/game_state.h"
#include "core/geometry.h"
#include "core/platform.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Ball motion

// What a heading sector does to the ball once per frame: a step, or (in the two near-vertical
// sectors) a push of the heading by 25 degrees so that the ball never flies straight up or down.
struct Sector {
  int32_t low, high;  // [low, high)
  int32_t dx, dy;
  int32_t push;
};

// In the order in which they are tested. Every test sees the live heading, so a push carries the
// heading into a later sector, whose step then applies in the same frame.
constexpr Sector kSectors[] = {
    {0, 23, +1, -2, 0},    {23, 45, +2, -2, 0},   {45, 68, +2, -1, 0},   {68, 91, +2, 0, 0},
    {91, 113, +2, +1, 0},  {113, 136, +2, +2, 0}, {136, 158, +1, +2, 0}, {158, 181, 0, 0, 25},
    {181, 203, -1, +2, 0}, {203, 226, -2, +2, 0}, {226, 248, -2, +1, 0}, {248, 271, -2, 0, 0},
    {271, 293, -2, -1, 0}, {293, 316, -2, -2, 0}, {316, 338, -1, -2, 0}, {338, 361, 0, 0, 25},
};

constexpr int32_t kHumanPaddleStep = 3;
constexpr int32_t kComputerPaddleStep = 2;

void move_paddle(int32_t& top, int32_t up, int32_t down, int32_t step) {
  if (up) top -= step;
  if (down) top += step;
}

// ---------------------------------------------------------------------------------------------
// Walls

// A wall rule fires when the ball's top edge has reached the wall with a heading from the given
// range. It puts the ball back, turns the heading, and turns it further when the result would
// run flat along the wall.
struct WallRule {
  int32_t y_low, y_high;          // ball_y in [y_low, y_high): the ball is at this wall
  int32_t angle_low, angle_high;  // heading in [angle_low, angle_high)
  int32_t put_back_y;
  int32_t turn;
  int32_t flat_low, flat_high;  // a flat sector ...
  int32_t flat_turn;            // ... and the extra turn away from the wall
};

// The ball is at a wall once its top edge has passed that wall's bound (ball_y < kBallTopBound,
// or ball_y >= kBelowBottom), and is put back on the bound.
constexpr int32_t kBelowBottom = kBallBottomBound + 1;

constexpr WallRule kWallRules[] = {
    {INT_MIN, kBallTopBound, 180, INT_MAX, kBallTopBound, -60, 248, 271, -45},
    {INT_MIN, kBallTopBound, INT_MIN, 181, kBallTopBound, +60, 68, 91, +45},
    {kBelowBottom, INT_MAX, 180, INT_MAX, kBallBottomBound, +60, 248, 271, +45},
    {kBelowBottom, INT_MAX, INT_MIN, 181, kBallBottomBound, -60, 68, 91, -45},
};

void bounce_off_walls() {
  for (const WallRule& rule : kWallRules) {
    if (in_sector(game.ball_y, rule.y_low, rule.y_high) &&
        in_sector(game.angle, rule.angle_low, rule.angle_high)) {
      game.ball_y = rule.put_back_y;
      game.angle += rule.turn;
      if (in_sector(game.angle, rule.flat_low, rule.flat_high)) game.angle += rule.flat_turn;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Arming: a paddle can turn the ball only once the ball is in the half it is heading into.

// Headings 0..180 arm at ball_x >= kRightHalfFrom, headings 180..360 at ball_x < kLeftHalfBelow:
// the centre line's column belongs to both halves.
constexpr int32_t kRightHalfFrom = kCentreLineX;
constexpr int32_t kLeftHalfBelow = kCentreLineX + 1;

void arm_paddles() {
  if (in_sector(game.angle, 0, 181) && game.ball_x >= kRightHalfFrom) game.crossed_middle = 1;
  if (in_sector(game.angle, 180, 361) && game.ball_x < kLeftHalfBelow) game.crossed_middle = 1;
}

// ---------------------------------------------------------------------------------------------
// Paddle hits

// One of a paddle's seven sector rules: a fixed turn, then (for the flat sector) a random turn.
struct TurnRule {
  int32_t low, high;
  int32_t turn;
  bool random_turn;
};

using CaseRules = TurnRule[7];

// A paddle's case is chosen by its intents: still, moving down, moving up (both held: no case).
struct PaddleCase {
  int32_t up, down;
};
constexpr PaddleCase kCases[] = {{0, 0}, {0, 1}, {1, 0}};

// Left paddle, for headings that point left (181..337); indexed like kCases.
constexpr CaseRules kLeftRules[] = {
    {{181, 203, -45, false},
     {203, 226, -45, false},
     {226, 248, -45, false},
     {248, 271, 0, true},
     {271, 293, +45, false},
     {293, 316, +45, false},
     {316, 338, +45, false}},
    {{181, 203, -30, false},
     {203, 226, -30, false},
     {226, 248, -30, false},
     {248, 271, +202, true},
     {271, 293, +67, false},
     {293, 316, +67, false},
     {316, 338, +67, false}},
    {{181, 203, -67, false},
     {203, 226, -67, false},
     {226, 248, -67, false},
     {248, 271, +158, true},
     {271, 293, +30, false},
     {293, 316, +30, false},
     {316, 338, +30, false}},
};

// Right paddle, for headings that point right (0..157).
constexpr CaseRules kRightRules[] = {
    {{0, 23, -45, false},
     {23, 45, -45, false},
     {45, 68, -45, false},
     {68, 91, 0, true},
     {91, 113, +45, false},
     {113, 136, +45, false},
     {136, 158, +45, false}},
    {{0, 23, -30, false},
     {23, 45, -30, false},
     {45, 68, -30, false},
     {68, 91, +30, true},
     {91, 113, +67, false},
     {113, 136, +67, false},
     {136, 158, +67, false}},
    {{0, 23, -67, false},
     {23, 45, -67, false},
     {45, 68, -67, false},
     {68, 91, -30, true},
     {91, 113, +30, false},
     {113, 136, +30, false},
     {136, 158, +30, false}},
};

// The random turn of a flat arrival, indexed by the frame's random value 0, 1, 2.
constexpr int32_t kLeftRandomTurns[] = {+240, +120, +180};
constexpr int32_t kRightRandomTurns[] = {-240, -120, -180};

struct PaddleSide {
  int32_t window_low, window_high;  // ball_x in [low, high)
  const CaseRules* rules;
  const int32_t* random_turns;
};

constexpr PaddleSide kLeftSide = {kLeftHitFrom, kLeftHitBelow, kLeftRules, kLeftRandomTurns};
constexpr PaddleSide kRightSide = {kRightHitFrom, kRightHitBelow, kRightRules, kRightRandomTurns};

// A paddle reaches the ball when the ball's top lies from the paddle's top to the paddle's top plus
// its height, both included.
constexpr int32_t kPaddleReach = kPaddleHeight;

void apply_rules(const CaseRules& rules, const int32_t* random_turns) {
  for (const TurnRule& rule : rules) {
    if (in_sector(game.angle, rule.low, rule.high)) {
      game.angle += rule.turn;
      if (rule.random_turn) game.angle += random_turns[game.random];
    }
  }
}

// Tests the three cases in order, each with the full condition; the case that applies clears the
// arming flag, so no later case can apply in the same frame.
void hit_paddle(const PaddleSide& side, int32_t top, int32_t up, int32_t down, int32_t& collision) {
  for (int c = 0; c < 3; ++c) {
    const bool meets = in_sector(game.ball_x, side.window_low, side.window_high) &&
                       game.ball_y >= top && game.ball_y <= top + kPaddleReach &&
                       game.crossed_middle == 1;
    if (meets && up == kCases[c].up && down == kCases[c].down) {
      collision = 1;
      apply_rules(side.rules[c], side.random_turns);
      game.crossed_middle = 0;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Reversal, wrap, points

// Sends the ball back the way it came after a hit. The second pass sees the first one's result.
void reverse_after_hits() {
  for (int pass = 0; pass < 2; ++pass) {
    if (game.p1_collision && game.angle >= 180) game.angle += 180;
    if (game.p2_collision && game.angle < 181) game.angle += 180;
  }
}

// Not a modulo: one correction each way, so 360 stays 360 and 730 becomes 370 (the ball then
// stands still for a frame and the next frame's wrap finishes the job).
void wrap_heading() {
  if (game.angle < 0) game.angle += 360;
  if (game.angle >= 361) game.angle -= 360;
}

constexpr uint32_t kPointPauseMs = 500;

// The ball is served from the middle towards the side that lost the point.
void score_point(int32_t& score, int32_t serve_angle) {
  score += 1;
  game.ball_x = kServeX;
  game.ball_y = kServeY;
  game.angle = serve_angle;
  platform().delay(kPointPauseMs);
}

}  // namespace

void update_locations() {
  move_paddle(game.paddle1_y, game.p1_moveup, game.p1_movedown, kHumanPaddleStep);
  const int32_t step2 = game.players == 2 ? kHumanPaddleStep : kComputerPaddleStep;
  move_paddle(game.paddle2_y, game.p2_moveup, game.p2_movedown, step2);

  for (const Sector& sector : kSectors) {
    if (!in_sector(game.angle, sector.low, sector.high)) continue;
    game.angle += sector.push;
    game.ball_x += sector.dx;
    game.ball_y += sector.dy;
  }
}

void handle_collisions() {
  bounce_off_walls();
  arm_paddles();
  hit_paddle(kLeftSide, game.paddle1_y, game.p1_moveup, game.p1_movedown, game.p1_collision);
  hit_paddle(kRightSide, game.paddle2_y, game.p2_moveup, game.p2_movedown, game.p2_collision);
  reverse_after_hits();
  wrap_heading();

  if (game.ball_x >= kRightGoalX) score_point(game.p1_score, kServeRightward);
  if (game.ball_x < kLeftGoalX) score_point(game.p2_score, kServeLeftward);

  if (game.p1_score == kWinningScore || game.p2_score == kWinningScore) game.gameover = 1;
}
