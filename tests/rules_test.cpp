// The rules of a match, against the worked examples and range edges in tests/golden/rules.txt,
// and every heading a paddle can meet against the net turns of the paddles' rule sets.
#include <gtest/gtest.h>

#include <fstream>
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
  std::ifstream examples("tests/golden/rules.txt");
  for (std::string line; std::getline(examples, line);) {
    if (line.empty() || line[0] == '#') continue;
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
  // side, motion, incoming headings from and to, net change by the sector rules, and for the flat
  // sector the random turn added for the random values 0, 1, 2
  for (const Case& c :
       cases("L,s,181,247,-45 L,s,248,270,0,240,120,180 L,s,271,292,90 L,s,293,337,45 "
             "L,d,181,247,-30 L,d,248,270,202,240,120,180 L,d,271,337,67 L,u,181,247,-67 "
             "L,u,248,270,158,240,120,180 L,u,271,277,90 L,u,278,307,60 L,u,308,337,30 "
             "R,s,0,67,-45 R,s,68,90,0,-240,-120,-180 R,s,91,112,90 R,s,113,157,45 R,d,0,67,-30 "
             "R,d,68,90,30,-240,-120,-180 R,d,91,157,67 R,u,0,67,-67 R,u,68,90,-30,-240,-120,-180 "
             "R,u,91,97,90 R,u,98,127,60 R,u,128,157,30")) {
    for (int angle = c[2]; angle <= c[3]; ++angle) {
      for (int random : {0, 1, 2}) {
        set_up_hit(c[0], c[1], angle, random);
        handle_collisions();
        int end = angle + c[4] + (c.words.size() > 5 ? c[5 + random] : 0);
        // The reversal sends a right hit back leftwards; the wrap brings it into range.
        if (c[0] == 'R') end += end <= 0 ? 360 : end <= 180 ? 180 : 0;
        ASSERT_EQ(game.angle, end) << c.text << ": " << angle << ", random " << random;
      }
    }
  }
}

}  // namespace
