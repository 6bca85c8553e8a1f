// The worked examples as tables: the rules against their examples and the edges of their ranges
// (tests/golden/rules.txt), every heading a paddle can meet against the net turns of the paddles'
// rule sets (paddle_turns.txt), the GPIO proc file's texts (gpio_texts.txt), and the buttons of
// the desktop's keys (keys.txt).
#include <gtest/gtest.h>

#include <map>

#include "drivers.h"
#include "rules.h"
#include "support.h"

// The game's variables by name.
static int32_t& variable(const std::string& name) {
#define NAMED(v) {#v, &GameState::v},
  // clang-format off
  static const std::map<std::string, int32_t GameState::*> kVariables = {
      NAMED(paddle1_y) NAMED(paddle2_y) NAMED(ball_x) NAMED(ball_y) NAMED(angle) NAMED(random)
      NAMED(crossed_middle) NAMED(p1_moveup) NAMED(p1_movedown) NAMED(p2_moveup) NAMED(players)
      NAMED(p2_movedown) NAMED(p1_score) NAMED(p2_score) NAMED(p1_collision) NAMED(p2_collision)
      NAMED(gameover)};
  // clang-format on
#undef NAMED
  return game.*kVariables.at(name);
}

TEST(Rules, FollowTheWorkedExamplesAndTheEdgesOfTheirRanges) {
  FakePlatform fake;
  for (const std::string& line : examples("rules.txt")) {
    fresh_game();
    fake.events.clear();
    std::istringstream words(line);
    std::string stage, word;
    words >> stage;
    while (words >> word && word != "->") {
      variable(word.substr(0, word.find('='))) = std::stoi(word.substr(word.find('=') + 1));
    }
    ASSERT_TRUE(stage == "motion" || stage == "computer" || stage == "collisions") << line;
    (stage == "motion" ? update_locations : stage == "computer" ? handle_ai : handle_collisions)();
    while (words >> word) {
      const std::string name = word.substr(0, word.find('='));
      const int pause = fake.events.empty() ? 0 : std::stoi(fake.events.substr(1));
      EXPECT_EQ(name == "pause" ? pause : variable(name), std::stoi(word.substr(name.size() + 1)))
          << line << "\n    " << name;
    }
  }
}

TEST(Rules, PaddleHitsTurnEveryHeadingByTheNetChangeOfTheirSectorRules) {
  FakePlatform fake;
  for (const std::string& line : examples("paddle_turns.txt")) {
    char side, motion;  // L or R; s, d or u
    int from, to, net, turns[3] = {};
    const int read = std::sscanf(line.c_str(), "%c %c %d..%d %d %d %d %d", &side, &motion, &from,
                                 &to, &net, &turns[0], &turns[1], &turns[2]);
    ASSERT_TRUE(read == 5 || read == 8) << line;  // the random turns only for a flat sector
    for (int angle = from; angle <= to; ++angle) {
      for (int random : {0, 1, 2}) {
        fresh_game();  // the ball inside the paddle's window and reach (top 105), armed
        game.paddle1_y = game.paddle2_y = 105;
        game.ball_x = side == 'L' ? 13 : 305, game.ball_y = 120;
        game.angle = angle, game.random = random, game.crossed_middle = 1;
        (side == 'L' ? game.p1_moveup : game.p2_moveup) = motion == 'u';
        (side == 'L' ? game.p1_movedown : game.p2_movedown) = motion == 'd';
        handle_collisions();
        int end = angle + net + turns[random];
        // The reversal sends a right hit back leftwards; the wrap brings it into range.
        if (side == 'R') end += end <= 0 ? 360 : end <= 180 ? 180 : 0;
        ASSERT_EQ(game.angle, end) << line << ": heading " << angle << ", random " << random;
      }
    }
  }
}

// The buttons held in a reading, by letter; a capital letter asks for the same button.
static std::string held_in(const int8_t* inputs) {
  std::string letters;
  for (char b : std::string("abdehilprtuxy")) {
    EXPECT_EQ(dingoo_check_input(b, inputs), dingoo_check_input(b - 'a' + 'A', inputs)) << b;
    if (dingoo_check_input(b, inputs) == 1) letters += b;
  }
  return letters;
}

TEST(Buttons, AreReadFromTheGpioFilesTextAndAskedForByLetter) {
  for (const std::string& line : examples("gpio_texts.txt")) {
    std::istringstream words(line);
    std::string text, after;
    int before;
    words >> text >> before >> after;
    const bool fails = text == "?" || text == "/";
    std::remove(RALLY_TEST_GPIO_FILE);
    if (!fails) std::ofstream(RALLY_TEST_GPIO_FILE) << (text == "-" ? "" : text + "\n");
    int8_t inputs[kButtonLines + 1];  // and a byte past the lines, which must stay as it is
    std::memset(inputs, before, sizeof inputs);
    CaptureStderr();
    EXPECT_EQ(read_gpio_file(text == "/" ? "/" : RALLY_TEST_GPIO_FILE, inputs), fails) << line;
    EXPECT_EQ(GetCapturedStderr(), fails ? "error: couldn't read from gpio" : "") << line;
    EXPECT_EQ(held_in(inputs), after == "-" ? "" : after) << line;
    EXPECT_EQ(inputs[kButtonLines], before) << line;
  }
  for (char letter : std::string("zZc1 @[\xe9\x80")) {
    CaptureStderr();
    EXPECT_EQ(dingoo_check_input(letter, nullptr), -1) << int{letter};
    EXPECT_EQ(GetCapturedStderr(), "error, unknown button requested\n");
  }
}

// Every key tapped (down and up between two readings) holds its buttons for one reading; a key
// held down holds them for as long. The record: the buttons held on the two readings after each
// key's tap, for every key that holds any, then on two readings with Enter held down.
TEST(Buttons, ComeFromTheDesktopKeysAndATapCountsForOneReading) {
  fresh_game();
  int8_t inputs[32];
  std::vector<std::string> keys;  // each key with a button: the buttons of two readings
  auto push = [](Uint8 type, int key) {
    SDL_Event event = {type};
    event.key.keysym.sym = static_cast<SDLKey>(key);
    SDL_PushEvent(&event);
  };
  for (int key = 0; key < SDLK_LAST; ++key) {
    push(SDL_KEYDOWN, key);
    push(SDL_KEYUP, key);
    std::string readings;
    for (int reading = 0; reading < 2; ++reading) {
      dingoo_read_input(inputs);
      readings += " [" + held_in(inputs) + "]";
    }
    if (readings != " [] []") keys.push_back(SDL_GetKeyName(static_cast<SDLKey>(key)) + readings);
  }
  push(SDL_KEYDOWN, SDLK_RETURN);
  for (int reading = 0; reading < 2; ++reading) {
    dingoo_read_input(inputs);
    keys.push_back("return held [" + held_in(inputs) + "]");
  }
  push(SDL_KEYUP, SDLK_RETURN);
  dingoo_read_input(inputs);
  expect_record("keys.txt", keys);
}
