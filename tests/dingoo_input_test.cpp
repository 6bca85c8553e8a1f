// Reading the buttons: the GPIO proc file's text, the button codes, and the keyboard source.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "button_source.h"
#include "dingoo_input.h"
#include "test_support.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// The handheld's wiring, written out independently of the program's table.
struct Wire {
  char button;
  int line;
};
const Wire kWiring[] = {{'a', 0},  {'b', 1},  {'d', 27}, {'e', 14}, {'h', 22}, {'i', 15}, {'l', 5},
                        {'p', 29}, {'r', 18}, {'t', 17}, {'u', 6},  {'x', 19}, {'y', 2}};

// The buttons held in `inputs`, in the order of kWiring, as a string of letters.
std::string held_in(const int8_t* inputs) {
  std::string letters;
  for (const Wire& wire : kWiring) {
    if (dingoo_check_input(wire.button, inputs) == 1) letters += wire.button;
  }
  return letters;
}

struct TextCase {
  const char* name;
  std::string text;
  int8_t before;     // every entry's value before the reading
  const char* held;  // buttons held afterwards
};

const std::string kAll = "abdehilprtuxy";

const TextCase kTextCases[] = {
    {"only_line_6_low", "0xffffffbf\n", 0, "u"},
    {"all_high", "0xffffffff\n", 0, ""},
    {"all_low", "0x00000000\n", 1, "abdehilprtuxy"},
    {"low_half_high", "0x0000ffff\n", 0, "dhprtx"},
    {"leading_characters_ignored", "zzffffffbf", 0, "u"},
    {"upper_case_writes_nothing_over_zeros", "0xFFFFFFBF\n", 0, "abdehilprtuxy"},
    {"upper_case_writes_nothing_over_ones", "0xFFFFFFBF\n", 1, ""},
    {"short_text_fills_only_what_it_reaches", "0xffff", 0, "abeiluy"},
    {"long_text_is_cut", "0xffffffbf and then a great deal more text than fits\n", 0, "u"},
    {"empty_file_changes_nothing", "", 0, "abdehilprtuxy"},
    {"no_line_end", "0xfffdffff", 1, "t"},
};

class GpioText : public testing::TestWithParam<TextCase> {};

TEST_P(GpioText, DecodesThroughARealFile) {
  const TextCase& c = GetParam();
  TempDir dir;
  write_file(dir.file("gpio"), c.text);
  int8_t inputs[32];
  std::memset(inputs, c.before, sizeof inputs);
  CaptureStderr();
  EXPECT_EQ(read_gpio_file(dir.file("gpio").c_str(), inputs), 0);
  EXPECT_EQ(held_in(inputs), c.held);
  EXPECT_EQ(GetCapturedStderr(), "");
}

INSTANTIATE_TEST_SUITE_P(Readings, GpioText, testing::ValuesIn(kTextCases),
                         [](const testing::TestParamInfo<TextCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(GpioFile, ThatIsMissingLeavesTheArrayUntouched) {
  int8_t inputs[32];
  for (int i = 0; i < 32; ++i) inputs[i] = static_cast<int8_t>(i % 3);
  int8_t before[32];
  std::memcpy(before, inputs, sizeof inputs);
  CaptureStderr();
  EXPECT_EQ(read_gpio_file("/nonexistent/gpio3_pxpin", inputs), 1);
  EXPECT_EQ(GetCapturedStderr(), "error: couldn't read from gpio");
  EXPECT_EQ(std::memcmp(inputs, before, sizeof inputs), 0);
}

TEST(GpioFile, ThatCannotBeReadIsReportedLikeAMissingOne) {
  TempDir dir;  // a directory opens, but reading it fails
  int8_t inputs[32] = {};
  CaptureStderr();
  EXPECT_EQ(read_gpio_file(dir.path().c_str(), inputs), 1);
  EXPECT_EQ(GetCapturedStderr(), "error: couldn't read from gpio");
  EXPECT_EQ(held_in(inputs), kAll);
}

TEST(ButtonCodes, AnswerForTheirLineInEitherCase) {
  for (const Wire& wire : kWiring) {
    int8_t inputs[32];
    std::memset(inputs, 1, sizeof inputs);
    inputs[wire.line] = 0;
    const char upper = static_cast<char>(wire.button - 'a' + 'A');
    EXPECT_EQ(dingoo_check_input(wire.button, inputs), 1) << wire.button;
    EXPECT_EQ(dingoo_check_input(upper, inputs), 1) << upper;
    EXPECT_EQ(held_in(inputs), std::string(1, wire.button));
    inputs[wire.line] = 7;  // any non-zero level is released
    EXPECT_EQ(dingoo_check_input(wire.button, inputs), 0) << wire.button;
  }
}

TEST(ButtonCodes, UnknownOnesAreReportedEachTime) {
  int8_t inputs[32] = {};
  for (int8_t letter : {int8_t{'z'}, int8_t{'Z'}, int8_t{'c'}, int8_t{'1'}, int8_t{' '},
                        static_cast<int8_t>(0xe9), int8_t{-128}}) {
    CaptureStderr();
    EXPECT_EQ(dingoo_check_input(letter, inputs), -1) << int{letter};
    EXPECT_EQ(GetCapturedStderr(), "error, unknown button requested\n");
  }
}

// ---- The keyboard source ----------------------------------------------------------------------

struct KeyCase {
  SDLKey key;
  char button;
};

const KeyCase kKeyCases[] = {
    {SDLK_w, 'u'},        {SDLK_UP, 'u'},      {SDLK_s, 'd'},         {SDLK_DOWN, 'd'},
    {SDLK_i, 'x'},        {SDLK_KP8, 'x'},     {SDLK_SPACE, 'x'},     {SDLK_k, 'b'},
    {SDLK_KP2, 'b'},      {SDLK_LALT, 'b'},    {SDLK_LEFT, 'e'},      {SDLK_MINUS, 'e'},
    {SDLK_KP_MINUS, 'e'}, {SDLK_TAB, 'e'},     {SDLK_RIGHT, 'i'},     {SDLK_EQUALS, 'i'},
    {SDLK_PLUS, 'i'},     {SDLK_KP_PLUS, 'i'}, {SDLK_BACKSPACE, 'i'}, {SDLK_p, 'y'},
    {SDLK_y, 'y'},        {SDLK_LSHIFT, 'y'},  {SDLK_RETURN, 'a'},    {SDLK_KP_ENTER, 'a'},
    {SDLK_LCTRL, 'a'},    {SDLK_ESCAPE, 't'},
};

TEST(KeyboardSource, TurnsEachKeyIntoItsButtonsLine) {
  for (const KeyCase& c : kKeyCases) {
    Uint8 keys[SDLK_LAST] = {};
    keys[c.key] = 1;
    int8_t inputs[32] = {};
    keyboard_lines(keys, inputs);
    EXPECT_EQ(held_in(inputs), std::string(1, c.button)) << SDL_GetKeyName(c.key);
  }
}

TEST(KeyboardSource, ReleasesEveryLineWhenNoKeyIsDown) {
  Uint8 keys[SDLK_LAST] = {};
  keys[SDLK_a] = keys[SDLK_z] = keys[SDLK_F1] = 1;  // keys that are no button
  int8_t inputs[32] = {};
  keyboard_lines(keys, inputs);
  for (int line = 0; line < 32; ++line) EXPECT_EQ(inputs[line], 1) << line;
}

TEST(KeyboardSource, HoldsBackAfterAQuitRequest) {
  open_test_display();  // SDL's event queue lives with the video subsystem
  int8_t inputs[32] = {};
  EXPECT_EQ(dingoo_read_input(inputs), 0);
  EXPECT_EQ(held_in(inputs), "");

  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 0);
  dingoo_read_input(inputs);
  EXPECT_EQ(held_in(inputs), "t");
  dingoo_read_input(inputs);
  EXPECT_EQ(held_in(inputs), "t") << "from then on";
  forget_quit_request();
}

TEST(KeyboardSource, CountsATapBetweenTwoReadingsAsHeldOnce) {
  // Down and up again before the next reading: the key state alone would never show it.
  open_test_display();
  int8_t inputs[32] = {};
  dingoo_read_input(inputs);
  SDL_Event key = {};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_ESCAPE;
  ASSERT_EQ(SDL_PushEvent(&key), 0);
  key.type = SDL_KEYUP;
  ASSERT_EQ(SDL_PushEvent(&key), 0);
  dingoo_read_input(inputs);
  EXPECT_EQ(held_in(inputs), "t");
  dingoo_read_input(inputs);
  EXPECT_EQ(held_in(inputs), "") << "for one reading only";
}

TEST(KeyboardSource, KeepsRoomForAQuitRequestByDrainingTheQueue) {
  // SDL's queue holds 127 events and drops what comes when it is full. Events that pile up
  // between readings must not crowd out a later quit request.
  open_test_display();
  SDL_Event key = {};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_a;
  int8_t inputs[32] = {};
  for (int frame = 0; frame < 3; ++frame) {
    for (int i = 0; i < 100; ++i) ASSERT_EQ(SDL_PushEvent(&key), 0);
    dingoo_read_input(inputs);
  }
  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 0);
  dingoo_read_input(inputs);
  EXPECT_EQ(held_in(inputs), "t");
  forget_quit_request();
}

}  // namespace
