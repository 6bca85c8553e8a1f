// One long session through every screen, in process on the fake platform, compared frame by frame
// with a committed record (tests/golden/session.txt): for each picture shown, what the game asked
// of the mixer and the clock, the pauses and messages, the time of the flip and a hash of the
// picture. The session: settings in the menu, with buttons held over several readings (counted
// once); a match to 10 against the computer, with the button file lost for a moment, the tick
// counter wrapping, slow frames, and Y and a focus loss that the handheld ignores; a new match
// from the game-over screen, left early with back; a match to 10 between two players with a blip
// file missing and the mixer refusing for a while; then the desktop's pace (slides stepping every
// 2 ms from their start, with late steps, and forgetting presses at each step; frames and waits
// that sleep) from the game-over screen back to the menu, and a match with the desktop's pause (Y
// pauses and resumes, without counting the paused time; the focus lost pauses, its return does
// not resume), ended by a quit request; the quit.
//
// After an intended change, look at the pictures that differ (RALLY_RECORD_PICTURE=<flip> saves
// that flip's picture as rally-flip-<flip>.bmp in the checkout), then regenerate the record:
//
//   RALLY_UPDATE_RECORD=1 build/tests/rally_tests
//
// Also here: the mixer's calls on the real platform.
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
      "- - e e e - e - e - e - e - e - i - i - i - i - i - i - i - i - i - i - ei - y y y - y - ya",
      "t t - a", "t - a", "-"};
  if (code == kMenu) {
    fake->press = [script = kMenus[visit - 1]](int n) { return reading(script, n); };
  } else if (code == kGameOver) {
    game.paced = visit == 2;  // the desktop's pace from here on, and slide steps that run late
    fake->flip_cost = visit == 2 ? 3 : 0;
    fake->press = [visit](int n) {
      fake->flip_cost = 0;
      return reading(visit == 1 ? "- - a" : "at", n);
    };
  } else if (visit == 1) {
    fake->press = [](int n) {  // with Y pressed and the focus lost, which the handheld ignores
      fake->flip_cost = n >= 300 && n < 305 ? 20 : 0;
      if (n == 90) push({focus(false)});
      return n >= 200 && n < 204 ? "?"
                                 : player(n, game.paddle1_y, 'u', 'd', 1) + (n % 50 < 2 ? "y" : "");
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
  } else {  // the desktop's pause: Y pauses and resumes, the focus lost pauses, its return not
    game.pausable = 1;
    fake->press = [](int n) {
      const std::string script = "...yy..y..f.F.y";
      SDL_Event quit = {SDL_QUIT};
      if (n == 40) SDL_PushEvent(&quit);
      if (n < 15 && (script[n] == 'f' || script[n] == 'F')) push({focus(script[n] == 'F')});
      return std::string(n < 15 && script[n] == 'y', 'y');
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
