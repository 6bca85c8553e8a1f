// Reading the buttons: the GPIO proc file's text through real files, the button letters in either
// case, and the desktop's keys.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "support.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// The buttons held in a reading, by letter; a capital letter asks for the same button.
std::string held_in(const int8_t* inputs) {
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
    int8_t inputs[32];
    std::memset(inputs, before, sizeof inputs);
    CaptureStderr();
    EXPECT_EQ(read_gpio_file(text == "/" ? "/" : RALLY_TEST_GPIO_FILE, inputs), fails) << line;
    EXPECT_EQ(GetCapturedStderr(), fails ? "error: couldn't read from gpio" : "") << line;
    EXPECT_EQ(held_in(inputs), after == "-" ? "" : after) << line;
  }
  for (char b : std::string("abdehilprtuxy")) {  // each button on its own line
    int8_t inputs[32];
    decode_gpio_text(held(std::string(1, b)).c_str(), 11, inputs);
    EXPECT_EQ(held_in(inputs), std::string(1, b));
  }
  for (char letter : std::string("zZc1 @[\xe9\x80")) {
    CaptureStderr();
    EXPECT_EQ(dingoo_check_input(letter, nullptr), -1) << int{letter};
    EXPECT_EQ(GetCapturedStderr(), "error, unknown button requested\n");
  }
}

TEST(Buttons, ComeFromTheDesktopKeysAndATapCountsForOneReading) {
  fresh_game();
  int8_t inputs[32];
  const std::pair<SDLKey, const char*> kKeys[] = {
      {SDLK_UP, "u"},    {SDLK_s, "d"},      {SDLK_i, "x"}, {SDLK_KP2, "b"},
      {SDLK_TAB, "e"},   {SDLK_EQUALS, "i"}, {SDLK_y, "y"}, {SDLK_RETURN, "a"},
      {SDLK_LCTRL, "a"}, {SDLK_ESCAPE, "t"}, {SDLK_q, ""}};
  for (const auto& [key, button] : kKeys) {
    SDL_Event down = {SDL_KEYDOWN};
    down.key.keysym.sym = key;
    SDL_PushEvent(&down);
    dingoo_read_input(inputs);
    EXPECT_EQ(held_in(inputs), button) << SDL_GetKeyName(key);  // for one reading
    dingoo_read_input(inputs);
    EXPECT_EQ(held_in(inputs), "") << SDL_GetKeyName(key);
  }
  SDL_GetKeyState(nullptr)[SDLK_RETURN] = 1;  // a key held down holds its button
  for (int reading = 0; reading < 2; ++reading) {
    dingoo_read_input(inputs);
    EXPECT_EQ(held_in(inputs), "a");
  }
  SDL_GetKeyState(nullptr)[SDLK_RETURN] = 0;
}

}  // namespace
