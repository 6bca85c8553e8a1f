// Reading the buttons: the GPIO proc file's text through real files, the button letters in either
// case, and the desktop's keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

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
  // the file's text ("?": no file, "/": a directory, "-": empty), every line's level before,
  // buttons held after
  for (const Case& c :
       cases("0xffffffbf,0,u 0xffffffff,0,- 0xfffffffa,1,ay 0x00000000,1,abdehilprtuxy "
             "0x0000ffff,0,dhprtx zzf7ffffff,0,d 0xFFFFFFBF,0,abdehilprtuxy 0xFFFFFFBF,1,- "
             "0xffff,0,abeiluy 0xfffdffff_and_more_text_than_fits_in_its_buffer,0,t "
             "-,0,abdehilprtuxy ?,1,- /,0,abdehilprtuxy")) {
    const bool fails = c[0] == '?' || c[0] == '/';
    std::remove(RALLY_TEST_GPIO_FILE);
    if (!fails) std::ofstream(RALLY_TEST_GPIO_FILE) << (c[0] == '-' ? "" : c.words[0] + "\n");
    int8_t inputs[32];
    std::memset(inputs, c[1], sizeof inputs);
    CaptureStderr();
    EXPECT_EQ(read_gpio_file(c[0] == '/' ? "/" : RALLY_TEST_GPIO_FILE, inputs), fails) << c.text;
    EXPECT_EQ(GetCapturedStderr(), fails ? "error: couldn't read from gpio" : "") << c.text;
    EXPECT_EQ(held_in(inputs), c[2] == '-' ? "" : c.words[2]) << c.text;
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
  // SDL's name of the key ('_' for a space) and the button it holds
  for (const Case& c :
       cases("up,u s,d i,x [2],b tab,e =,i y,y return,a left_ctrl,a escape,t q,-")) {
    std::string name = c.words[0];
    std::replace(name.begin(), name.end(), '_', ' ');
    SDL_Event down = {SDL_KEYDOWN};
    for (int key = 0; key < SDLK_LAST; ++key) {
      if (name == SDL_GetKeyName(static_cast<SDLKey>(key))) down.key.keysym.sym = SDLKey(key);
    }
    SDL_PushEvent(&down);
    dingoo_read_input(inputs);
    EXPECT_EQ(held_in(inputs), c[1] == '-' ? "" : c.words[1]) << c.text;
    dingoo_read_input(inputs);
    EXPECT_EQ(held_in(inputs), "") << c.text;
  }
  SDL_GetKeyState(nullptr)[SDLK_RETURN] = 1;  // a key held down holds its button
  for (int reading = 0; reading < 2; ++reading) {
    dingoo_read_input(inputs);
    EXPECT_EQ(held_in(inputs), "a");
  }
  SDL_GetKeyState(nullptr)[SDLK_RETURN] = 0;
}

}  // namespace
