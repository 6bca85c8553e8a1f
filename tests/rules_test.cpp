// The rules of a match, against the worked examples and range edges in tests/golden/rules.txt,
// and every heading a paddle can meet against the net turns of the paddles' rule sets.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "drivers.h"
#include "rules.h"
#include "support.h"

namespace {

class Rules : public testing::Test {
 protected:
  void SetUp() override { fresh_game(); }
  FakePlatform fake;
};

// The game's variables by name.
int32_t& variable(const std::string& name) {
#define VARIABLE(name) \
  { #name, &GameState::name }
  static const std::map<std::string, int32_t GameState::*> kVariables = {
      VARIABLE(paddle1_y),    VARIABLE(paddle2_y),      VARIABLE(ball_x),    VARIABLE(ball_y),
      VARIABLE(angle),        VARIABLE(crossed_middle), VARIABLE(p1_moveup), VARIABLE(p1_movedown),
      VARIABLE(p2_moveup),    VARIABLE(p2_movedown),    VARIABLE(p1_score),  VARIABLE(p2_score),
      VARIABLE(p1_collision), VARIABLE(p2_collision),   VARIABLE(random),    VARIABLE(gameover),
      VARIABLE(players)};
#undef VARIABLE
  return game.*kVariables.at(name);
}

TEST_F(Rules, FollowTheWorkedExamplesAndTheEdgesOfTheirRanges) {
  for (const std::string& line : examples("rules.txt")) {
    fresh_game();
    fake.events.clear();
    std::istringstream words(line);
    std::string stage, word;
    words >> stage;
    while (words >> word && word != "->") {
      variable(word.substr(0, word.find('='))) = std::stoi(word.substr(word.find('=') + 1));
    }
    (stage == "motion" ? update_locations : stage == "computer" ? handle_ai : handle_collisions)();
    while (words >> word) {
      const std::string name = word.substr(0, word.find('='));
      const int pause = fake.events.empty() ? 0 : std::stoi(fake.events.substr(1));
      EXPECT_EQ(name == "pause" ? pause : variable(name), std::stoi(word.substr(name.size() + 1)))
          << line << "\n    " << name;
    }
  }
}

// The ball inside the paddle's window and reach (top 105), armed, the paddle moving as told
// ('s'till, 'd'own, 'u'p, 'b'oth intents).
void set_up_hit(int side, int motion, int angle, int random = 0) {
  fresh_game();
  game.paddle1_y = game.paddle2_y = 105;
  game.ball_x = side == 'L' ? 13 : 305, game.ball_y = 120;
  game.angle = angle, game.random = random, game.crossed_middle = 1;
  (side == 'L' ? game.p1_moveup : game.p2_moveup) = motion == 'u' || motion == 'b';
  (side == 'L' ? game.p1_movedown : game.p2_movedown) = motion == 'd' || motion == 'b';
}

TEST_F(Rules, PaddleHitsTurnEveryHeadingByTheNetChangeOfTheirSectorRules) {
  for (const std::string& line : examples("paddle_turns.txt")) {
    char side, motion;
    int from, to, net, turns[3] = {};
    std::sscanf(line.c_str(), "%c %c %d..%d %d %d %d %d", &side, &motion, &from, &to, &net,
                &turns[0], &turns[1], &turns[2]);
    for (int angle = from; angle <= to; ++angle) {
      for (int random : {0, 1, 2}) {
        set_up_hit(side, motion, angle, random);
        handle_collisions();
        int end = angle + net + turns[random];
        // The reversal sends a right hit back leftwards; the wrap brings it into range.
        if (side == 'R') end += end <= 0 ? 360 : end <= 180 ? 180 : 0;
        ASSERT_EQ(game.angle, end) << line << ": heading " << angle << ", random " << random;
      }
    }
  }
}

}  // namespace
