// One long session through every screen, in process on the fake platform, compared frame by frame
// with a committed record (tests/golden/session.txt): for each picture shown, what the game asked
// of the mixer and the clock, the pauses and messages, the time of the flip and a hash of the
// picture. The session: settings in the menu; a match to 10 against the computer, with the button
// file lost for a moment, the tick counter wrapping and slow frames; a new match from the
// game-over screen, left early with back; a match to 10 between two players with a blip file
// missing and the mixer refusing for a while; back to the menu from the game-over screen; a match
// ended by a quit request; the quit.
//
// After an intended change, look at the pictures that differ (RALLY_RECORD_PICTURE=<flip> saves
// that flip's picture as rally-flip-<flip>.bmp in the checkout), then regenerate the record:
//
//   RALLY_UPDATE_RECORD=1 build/tests/rally_tests
//
// Also here: the menu's latches, the mixer's calls and the pause.
#include "main_loop.h"
#include "support.h"

static FakePlatform* fake;
static int visits[4];

// The n-th of the readings in `script`, the last one repeating ("-": nothing held).
static std::string reading(const std::string& script, int n) {
  std::istringstream readings(script);
  std::string buttons;
  while (readings >> buttons && n-- > 0 && !readings.eof()) {
  }
  return buttons == "-" ? "" : buttons;
}

// A player who keeps the paddle (top edge `top`) near the ball, but for a few stretches of 8
// readings, chosen by `seed`, in which he presses at random (and so loses a point now and then).
static std::string player(int n, int top, char up, char down, uint32_t seed) {
  const uint32_t r = (static_cast<uint32_t>(n / 8) + seed) * 2654435761u >> 16;
  const std::string moves[] = {"", {up}, {down}, {up, down}};
  if (r % 4 == 0) return moves[r / 4 % 4];
  if (game.ball_y < top + 2) return moves[1];
  return game.ball_y > top + 26 ? moves[2] : moves[n % 3];
}

// What the player does on each visit of each screen.
static int scripted_screen(int code) {
  const int visit = ++visits[code == kMenu || code == kGameOver ? code : kPlay];
  if (visit > (code == kGameOver ? 2 : 4)) return kQuit;  // the game has left the script
  fake->events += "S" + std::to_string(code) + " ";
  fake->reading = 0;
  const char* const kMenus[] = {
      "- - e - e - e - e - e - e - i - i - i - i - i - i - i - i - i - i - ei - y - y - ya",
      "t t - a", "t - a", "-"};
  if (code == kMenu) {
    fake->press = [script = kMenus[visit - 1]](int n) { return reading(script, n); };
  } else if (code == kGameOver) {
    fake->press = [visit](int n) { return reading(visit == 1 ? "- - a" : "at", n); };
  } else if (visit == 1) {
    fake->press = [](int n) {
      fake->flip_cost = n >= 300 && n < 305 ? 20 : 0;
      return n >= 200 && n < 204 ? "?" : player(n, game.paddle1_y, 'u', 'd', 1);
    };
  } else if (visit == 2) {
    fake->missing_p2 = true;
    fake->press = [](int n) { return n < 150 ? "" : "t"; };
  } else if (visit == 3) {
    fake->missing_p2 = false;
    fake->press = [](int n) {
      fake->refuse_play = n >= 500 && n < 800;
      return player(n, game.paddle1_y, 'u', 'd', 2) + player(n, game.paddle2_y, 'x', 'b', 3);
    };
  } else {
    fake->press = [](int n) {
      SDL_Event quit = {SDL_QUIT};
      if (n == 40) SDL_PushEvent(&quit);
      return "";
    };
  }
  return main_loop(code);
}

TEST(Record, OfASessionThroughEveryScreen) {
  fresh_game();
  FakePlatform platform;
  fake = &platform;
  platform.now = 0xffffffffu - 2000;  // wraps during the first match
  const char* picture = std::getenv("RALLY_RECORD_PICTURE");
  CaptureStderr();
  platform.on_flip = [&] {  // the messages of each frame, on one line
    std::string messages = GetCapturedStderr();
    for (size_t at; (at = messages.find('\n')) != std::string::npos;)
      messages.replace(at, 1, "\\n");
    if (!messages.empty()) platform.events += "E:" + messages + " ";
    CaptureStderr();
    if (picture && std::to_string(platform.frames.size()) == picture)
      SDL_SaveBMP(game.screen, ("rally-flip-" + std::string(picture) + ".bmp").c_str());
  };
  run_screens(scripted_screen);
  platform.on_flip();
  GetCapturedStderr();
  // One line a flip, then the rest, and whether start-up left the mouse cursor shown.
  platform.frames.push_back("end " + platform.events + "cursor " +
                            std::to_string(SDL_ShowCursor(-1)));
  expect_record("session.txt", platform.frames);
}

// The real platform's mixer calls, on SDL's dummy audio driver: a pause holds a playing blip and
// the resume lets it go on; a volume for all channels reaches each of them.
TEST(Platform, PausesTheSoundsAndSetsTheVolumeOfTheMixer) {
  fresh_game();
  SdlPlatform sdl;
  Mix_Chunk* blip = sdl.load_wav("data/p1_blip.wav");
  const int channel = sdl.play_channel_timed(-1, blip, -1, -1);  // until halted
  sdl.pause_sounds(true);
  EXPECT_EQ(Mix_Paused(channel), 1);
  sdl.pause_sounds(false);
  sdl.volume(-1, 32);
  EXPECT_EQ(Mix_Paused(channel) * 1000 + Mix_Volume(channel, -1), 32);
  Mix_HaltChannel(-1);
  sdl.free_chunk(blip);
}

// A button held in the menu for several readings counts once: the volume steps down once and the
// players switch once.
TEST(Menu, CountsAHeldButtonOnce) {
  fresh_game();
  FakePlatform platform;
  const int volume = game.volume, players = game.players;
  platform.press = [](int n) { return std::string(n < 5 ? "ey" : n < 7 ? "" : "t"); };
  EXPECT_EQ(main_loop(kMenu), kQuit);
  EXPECT_EQ(game.volume, volume - 1);
  EXPECT_EQ(game.players, 3 - players);
}

// The desktop's pause. Readings: Y (P) pauses a match, Y seen up and pressed again resumes it; the
// window losing the focus ("f") pauses it too, getting it back ("F") does not resume, and back
// leaves for the menu. The fake's wait for an event lasts 500 ms. Where the edition has no pause
// (the handheld), the same readings only play frames.
TEST(Pause, HoldsAMatchUntilYAgainWithoutCountingThePausedTime) {
  for (const bool pausable : {true, false}) {
    fresh_game();
    FakePlatform platform;
    game.pausable = pausable;
    std::vector<int> readings, xs;  // at each flip
    std::vector<uint32_t> times;
    std::vector<Uint16> bars;
    std::string sounds;  // what the game asked of the mixer's pause
    platform.on_flip = [&] {
      readings.push_back(platform.reading);
      xs.push_back(game.ball_x);
      times.push_back(platform.now);
      const auto* pixels = static_cast<const Uint16*>(game.screen->pixels);  // 320 a row
      bars.push_back(pixels[120 * 320 + 150] & pixels[139 * 320 + 170]);
      for (size_t at = 0; (at = platform.events.find('Z', at)) != std::string::npos; ++at)
        sounds += platform.events.substr(at, 2);
    };
    platform.press = [](int n) {
      const std::string script[] = {"", "", "", "y", "y", "", "", "y", "", "", "f", "", "F", ""};
      if (n >= 14) return std::string("t");
      if (script[n] == "f" || script[n] == "F") push({focus(script[n] == "F")});
      return script[n] == "y" ? script[n] : std::string();
    };
    push({focus(false)});  // lost in the menu, before the match: it does not pause the match
    take_events();
    EXPECT_EQ(main_loop(kPlay), kMenu);
    if (!pausable) {
      EXPECT_EQ(readings.size(), 14u);
      EXPECT_EQ(sounds + platform.events, "");
      continue;
    }
    // Frames at readings 1..3; the pause's picture at 4; the frame resumed at 8, then 9 and 10;
    // the focus lost at 11 pauses, and the sounds resume as the match leaves for the menu.
    EXPECT_EQ(readings, (std::vector<int>{1, 2, 3, 4, 8, 9, 10, 11}));
    EXPECT_EQ(sounds + platform.events.substr(0, 2), "Z1Z0Z1Z0");
    EXPECT_EQ(bars, (std::vector<Uint16>{0, 0, 0, 0xffff, 0, 0, 0, 0xffff}));
    EXPECT_EQ(xs[3], xs[2]);  // nothing moves in a paused frame until it resumes
    EXPECT_NE(xs[4], xs[3]);
    EXPECT_GE(times[4] - times[3], 3 * 500u + 16);  // a whole frame after the resume
  }
}
