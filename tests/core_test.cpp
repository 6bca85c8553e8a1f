// The core's tables: the rules against their worked examples and the edges of their ranges, paddle
// hits among them (tests/golden/rules.txt), the GPIO proc file's texts (gpio_texts.txt), the
// settings' text, and the whole-factor fit.
#include <cstring>
#include <map>
#include <sstream>

#include "core/drivers.h"
#include "core/fit.h"
#include "core/rules.h"
#include "core/settings.h"
#include "support.h"

namespace {

// The game's variables by name.
int32_t& variable(const std::string& name) {
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

}  // namespace

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
    (stage == "motion" ? update_locations : stage == "computer" ? handle_ai : handle_collisions)();
    while (words >> word) {
      const std::string name = word.substr(0, word.find('='));
      const int pause = fake.events.empty() ? 0 : std::stoi(fake.events.substr(1));
      EXPECT_EQ(name == "pause" ? pause : variable(name), std::stoi(word.substr(name.size() + 1)))
          << line << "\n    " << name;
    }
  }
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

TEST(Settings, AreReadFromTheirTextOrRefusedWithTheLineAtFault) {
  const struct {
    std::string text;
    Settings read;
    const char* fault;
    int line;
  } kCases[] = {
      {"volume=3\nplayers=2\n", {3, 2}, nullptr, 0},
      {"# kept\n\n volume = 9 \r\nplayers=1", {9, 1}, nullptr, 0},
      {"", {5, 1}, nullptr, 0},
      {"volume=0", {0, 1}, nullptr, 0},
      {"volume=10", {5, 1}, "the volume is a level from 0 to 9", 1},
      {"volume=-1", {5, 1}, "the volume is a level from 0 to 9", 1},
      {"players=1\nvolume=", {5, 1}, "the volume is a level from 0 to 9", 2},
      {"players=3", {5, 1}, "players is 1 or 2", 1},
      {"players=0", {5, 1}, "players is 1 or 2", 1},
      {"volume=2\nspeed=3", {5, 1}, "unknown setting", 2},
      {"volume 3", {5, 1}, "not a line name=value", 1},
      {std::string(256, '#'), {5, 1}, nullptr, 0},
      {std::string(257, '#'), {5, 1}, "longer than the settings can be", 0},
      {std::string("volume=1\0", 9), {5, 1}, "not a text", 0},
  };
  for (const auto& each : kCases) {
    Settings settings = {5, 1};
    int line = -1;
    const char* fault = parse_settings(each.text.data(), each.text.size(), &settings, &line);
    EXPECT_STREQ(fault, each.fault) << each.text;
    EXPECT_EQ(line, each.line) << each.text;
    EXPECT_EQ(settings.volume * 10 + settings.players, each.read.volume * 10 + each.read.players)
        << each.text;
  }
}

TEST(Display, FitsThePictureByTheLargestWholeFactorCentred) {
  const struct {
    int width, height, factor, left, top;
  } kCases[] = {{320, 240, 1, 0, 0},     {640, 480, 2, 0, 0},    {1920, 1080, 4, 320, 60},
                {1366, 768, 3, 203, 24}, {1283, 725, 3, 161, 2}, {1728, 972, 4, 224, 6},
                {3840, 2160, 9, 480, 0}, {319, 240, 0, 159, 120}};
  const int kWindows[][3] = {
      {1920, 1080, 4}, {1366, 768, 2}, {2560, 1440, 5}, {640, 480, 2}, {3840, 2160, 8}};
  for (auto [width, height, factor] : kWindows) {
    EXPECT_EQ(window_factor(width, height), factor) << width << "x" << height << ", a window";
  }
  for (const auto& each : kCases) {
    const Fit fit = fit_picture(each.width, each.height, 320, 240);
    EXPECT_EQ(fit.factor * 1000000 + fit.left * 1000 + fit.top,
              each.factor * 1000000 + each.left * 1000 + each.top)
        << each.width << "x" << each.height;
  }
}
