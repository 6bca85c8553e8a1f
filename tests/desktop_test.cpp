// The desktop edition's manners, in process: what keys and gamepads hold, the settings file, and
// the picture scaled onto the window. (The desktop's pace and pause are in the recorded session;
// the game and the window on threads of their own are the display test's and the web check's,
// which play the real program.)
#include <array>
#include <filesystem>

#include "desktop/desktop_display.h"
#include "desktop/settings_file.h"
#include "edition.h"
#include "support.h"

namespace {

SDL_Event key(SDLKey sym, bool down, SDLMod mod = KMOD_NONE) {
  SDL_Event event;
  event.key = {static_cast<Uint8>(down ? SDL_KEYDOWN : SDL_KEYUP), 0, down, {0, sym, mod, 0}};
  return event;
}

// A pad's button pressed, its D-pad (hat 0) or one of its axes moved; and the same let go.
SDL_Event pad(Uint8 type, Uint8 which, Uint8 what, Sint16 value = 0) {
  SDL_Event event = {type};
  if (type == SDL_JOYBUTTONDOWN) event.jbutton = {type, which, what, SDL_PRESSED};
  if (type == SDL_JOYHATMOTION) event.jhat = {type, which, 0, what};
  if (type == SDL_JOYAXISMOTION) event.jaxis = {type, which, what, value};
  return event;
}

SDL_Event let_go(SDL_Event event) {
  if (event.type == SDL_KEYDOWN) event.type = SDL_KEYUP;
  if (event.type == SDL_JOYBUTTONDOWN) event.type = SDL_JOYBUTTONUP;
  if (event.type == SDL_JOYHATMOTION) event.jhat.value = SDL_HAT_CENTERED;
  if (event.type == SDL_JOYAXISMOTION) event.jaxis.value = 0;
  return event;
}

// The buttons held in one reading of the keys and pads, by letter.
std::string reading() {
  int8_t inputs[kButtonLines];
  dingoo_read_input(inputs);
  return held_in(inputs);
}

}  // namespace

// What each key and pad event holds, on the reading after it and after its release (nothing).
// The first pad plays the left paddle and sets the volume; the second plays the right paddle; A,
// Start, Back and Y work on either. F11 and Alt+Enter only switch the display. A tap between two
// readings counts for one, unless the presses are forgotten (at each step of a slide).
TEST(Buttons, ComeFromPadsAndKeysAndTheFullScreenKeysHoldNothing) {
  constexpr Uint8 kButton = SDL_JOYBUTTONDOWN, kHat = SDL_JOYHATMOTION, kAxis = SDL_JOYAXISMOTION;
  const struct {
    const char* what;
    SDL_Event event;
    const char* held;
    bool switches;
  } kCases[] = {
      {"A, pad 1", pad(kButton, 0, 0), "a", false},
      {"Start, pad 2", pad(kButton, 1, 7), "a", false},
      {"Back, pad 2", pad(kButton, 1, 6), "t", false},
      {"LB, pad 1", pad(kButton, 0, 4), "e", false},
      {"RB, pad 1", pad(kButton, 0, 5), "i", false},
      {"LB, pad 2", pad(kButton, 1, 4), "", false},
      {"Y, pad 2", pad(kButton, 1, 3), "y", false},
      {"A, pad 3", pad(kButton, 2, 0), "", false},
      {"D-pad up, pad 3", pad(kHat, 2, SDL_HAT_UP), "", false},
      {"stick up, pad 3", pad(kAxis, 2, 1, -32768), "", false},
      {"button 32, pad 1", pad(kButton, 0, 32), "", false},
      {"D-pad up-left, pad 1", pad(kHat, 0, SDL_HAT_LEFTUP), "u", false},
      {"D-pad down, pad 2", pad(kHat, 1, SDL_HAT_DOWN), "b", false},
      {"stick past a quarter up", pad(kAxis, 0, 1, -8193), "u", false},
      {"stick a quarter down", pad(kAxis, 0, 1, 8192), "", false},
      {"stick past a quarter down, pad 2", pad(kAxis, 1, 1, 8193), "b", false},
      {"Enter", key(SDLK_RETURN, true), "a", false},
      {"Alt+Enter", key(SDLK_RETURN, true, KMOD_LALT), "", true},
      {"F11", key(SDLK_F11, true), "", true},
  };
  fresh_game();
  for (const auto& each : kCases) {
    push({each.event});
    EXPECT_EQ(reading(), each.held) << each.what;
    EXPECT_EQ(take_display_switch(), each.switches) << each.what;
    push({let_go(each.event)});
    EXPECT_EQ(reading(), "") << each.what << ", let go";
  }
  push({key(SDLK_w, true), key(SDLK_w, false)});
  EXPECT_EQ(reading() + reading(), "u");
  push({key(SDLK_RETURN, true), focus(false)});  // a key let go in another window
  EXPECT_EQ(reading() + reading(), "a");
  EXPECT_TRUE(take_focus_loss());
  push({key(SDLK_w, true), key(SDLK_w, false), key(SDLK_RETURN, true)});
  forget_presses();
  EXPECT_EQ(reading(), "a");
  forget_events();  // as when the game starts afresh: nothing is held any more
  EXPECT_EQ(reading(), "");
}

// The settings file: none at first (nothing said), kept and read back, malformed (one line, the
// settings unchanged), and in a folder that cannot be made (one line, however often it is kept).
TEST(Settings, AreKeptInTheUsersConfigFolder) {
  const std::string home = testing::TempDir() + "rally-config";
  std::remove((home + "/rally/settings").c_str());
  setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  fresh_game();
  CaptureStderr();
  load_settings();
  game.volume = 2, game.players = 2;
  keep_settings();
  game.volume = 5, game.players = 1;
  load_settings();
  EXPECT_EQ(game.volume * 10 + game.players, 22);
  std::ofstream(home + "/rally/settings") << "lives=3\nvolume=4\n";
  load_settings();
  EXPECT_EQ(game.volume * 10 + game.players, 22);
  std::filesystem::create_directories(home + "/x/rally/settings");  // a folder where the file is
  setenv("XDG_CONFIG_HOME", (home + "/x").c_str(), 1);
  load_settings();
  unsetenv("XDG_CONFIG_HOME");
  const std::string user_home = std::getenv("HOME") ? std::getenv("HOME") : "/";
  unsetenv("HOME");  // nowhere to keep them: nothing said
  load_settings();
  keep_settings();
  setenv("HOME", user_home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", "/dev/null/config", 1);
  load_settings();
  keep_settings();
  keep_settings();
  const std::string ignoring = "rally: ignoring " + home;
  EXPECT_EQ(GetCapturedStderr(),
            ignoring + "/rally/settings: line 1: unknown setting\n" + ignoring +
                "/x/rally/settings: Is a directory\nrally: cannot keep the settings in "
                "/dev/null/config/rally/settings: Not a directory\n");
  setenv("XDG_CONFIG_HOME", home.c_str(), 1);
}

// SDL's own surface shows the picture scaled and centred, at 16 and 32 bits a pixel; a picture
// that differs in a few places redraws those areas only, and the window then shows it whole.
TEST(Display, ShowsThePictureScaledAndRedrawsWhatChanged) {
  fresh_game();
  SDL_Surface* pictures[3];
  for (int n = 0; n < 3; ++n) {  // a picture, then twice the same with a few changes
    pictures[n] = SDL_CreateRGBSurface(0, 320, 240, 16, 0xf800, 0x07e0, 0x001f, 0);
    auto* pixels = static_cast<Uint16*>(pictures[n]->pixels);
    for (int i = 0; i < 320 * 240; ++i) pixels[i] = static_cast<Uint16>(i * 7 + i / 320);
    for (int i = 0; i < 5 * (n > 0); ++i) pixels[(i * 7919 + 5) % (320 * 240)] ^= 0x5555;
  }
  SDL_Rect areas[kMaxChangedAreas];
  EXPECT_EQ(changed_areas(pictures[1], pictures[2], areas), 0);
  for (auto [w, h, bits, k, left, top] :
       {std::array{960, 720, 16, 3, 0, 0}, {1366, 768, 32, 3, 203, 24}}) {
    SDL_Surface* video = SDL_SetVideoMode(w, h, bits, SDL_SWSURFACE);
    SDL_FillRect(video, nullptr, 0x1234);
    show_picture(pictures[0], nullptr, 0);
    const int count = changed_areas(pictures[0], pictures[1], areas);
    show_picture(pictures[1], areas, count);
    int wrong = count == 0;
    for (int i = 0; i < w * h; ++i) {  // x and y: the place in the picture
      const int x = i % w - left, y = i / w - top;
      const bool inside = x >= 0 && y >= 0 && x < 320 * k && y < 240 * k;
      const Uint8* row = static_cast<Uint8*>(video->pixels) + i / w * video->pitch;
      const Uint32 p = inside ? static_cast<Uint16*>(pictures[1]->pixels)[y / k * 320 + x / k] : 0;
      const Uint32 r = p >> 11, g = p >> 5 & 63, b = p & 31;  // widened as OpenGL does
      const Uint32 expected =
          !inside      ? 0x1234
          : bits == 16 ? p
                       : (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | b << 3 | b >> 2;
      wrong += (bits == 16 ? reinterpret_cast<const Uint16*>(row)[i % w]
                           : reinterpret_cast<const Uint32*>(row)[i % w]) != expected;
    }
    EXPECT_EQ(wrong, 0) << w << "x" << h << "x" << bits;
  }
  for (SDL_Surface* picture : pictures) SDL_FreeSurface(picture);
  SDL_FreeSurface(game.screen);
  game.screen = open_display();  // the game's own picture again, as the other tests expect
}
