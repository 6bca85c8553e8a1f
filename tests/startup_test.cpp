// Start-up: opening the display and the audio, loading the bitmaps, and their failure messages.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "child_process.h"
#include "game_state.h"
#include "graphics.h"
#include "platform_sdl.h"
#include "test_support.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// Each test starts with SDL shut down and no surfaces, runs from a scratch directory holding a copy
// of data/, and leaves SDL shut down again.
class Startup : public testing::Test {
 protected:
  void SetUp() override {
    close_test_display();
    copy_data(dir_.path());
    ASSERT_EQ(chdir(dir_.path().c_str()), 0);
  }
  void TearDown() override {
    close_test_display();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_DISKAUDIOFILE");
    EXPECT_EQ(chdir(source_dir().c_str()), 0);
  }

  TempDir dir_;
};

TEST_F(Startup, OpensTheDisplayAndTheAudio) {
  CaptureStderr();
  EXPECT_EQ(sdl_init(), 0);
  EXPECT_EQ(GetCapturedStderr(), "");
  ASSERT_NE(game.screen, nullptr);
  EXPECT_EQ(game.screen->w, 320);
  EXPECT_EQ(game.screen->h, 240);
  EXPECT_EQ(game.screen->format->BitsPerPixel, 16);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 0);
}

TEST_F(Startup, WithoutAVideoDeviceReportsSdlAndLoadsNothing) {
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  CaptureStderr();
  EXPECT_EQ(sdl_init(), 1);
  EXPECT_EQ(load_graphics(), 1);
  EXPECT_EQ(GetCapturedStderr(), "Unable to initialize SDL: No available video device\n");
  EXPECT_EQ(game.screen, nullptr);
  EXPECT_EQ(game.paddle, nullptr);
}

TEST_F(Startup, WithoutADisplayAMissingFirstBitmapIsStillReported) {
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  unlink("data/paddle.bmp");
  CaptureStderr();
  sdl_init();
  GetCapturedStderr();
  CaptureStderr();
  EXPECT_EQ(load_graphics(), 1);
  EXPECT_EQ(GetCapturedStderr(), "Unable to load bitmap: Couldn't open data/paddle.bmp\n");
}

TEST_F(Startup, ALostAudioDeviceKeepsThePicture) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  CaptureStderr();
  EXPECT_EQ(sdl_init(), 1);
  EXPECT_EQ(GetCapturedStderr(), "Unable to initialize audio: No available audio device\n");
  ASSERT_NE(game.screen, nullptr);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 0);

  CaptureStderr();
  EXPECT_EQ(load_graphics(), 0) << "all seven bitmaps load with the display working";
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_NE(game.menu, nullptr);
}

TEST_F(Startup, AMixerThatCannotOpenIsReported) {
  // The disk audio driver fails to open when its output file cannot be created.
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/nonexistent/dir/out.raw", 1);
  CaptureStderr();
  EXPECT_EQ(sdl_init(), 1);
  const std::string err = GetCapturedStderr();
  EXPECT_EQ(err.rfind("Unable to initialize audio: ", 0), 0u) << err;
  EXPECT_EQ(err.back(), '\n');
  EXPECT_NE(game.screen, nullptr);
}

TEST_F(Startup, LoadsAllSevenBitmapsInTheDisplayFormat) {
  ASSERT_EQ(sdl_init(), 0);
  CaptureStderr();
  EXPECT_EQ(load_graphics(), 0);
  EXPECT_EQ(GetCapturedStderr(), "");
  for (SDL_Surface* s : {game.paddle, game.ball, game.background, game.gameover_left,
                         game.gameover_right, game.num, game.menu}) {
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->format->BitsPerPixel, 16);
  }
}

TEST_F(Startup, StopsAtAMissingBitmapKeepingTheOnesBefore) {
  unlink("data/num.bmp");
  ASSERT_EQ(sdl_init(), 0);
  CaptureStderr();
  EXPECT_EQ(load_graphics(), 1);
  EXPECT_EQ(GetCapturedStderr(), "Unable to load bitmap: Couldn't open data/num.bmp\n");
  for (SDL_Surface* s :
       {game.paddle, game.ball, game.background, game.gameover_left, game.gameover_right}) {
    EXPECT_NE(s, nullptr);
  }
  EXPECT_EQ(game.num, nullptr);
  EXPECT_EQ(game.menu, nullptr);
}

TEST_F(Startup, StopsAtACorruptBitmap) {
  write_file("data/ball.bmp", "BM this is not a bitmap");
  ASSERT_EQ(sdl_init(), 0);
  CaptureStderr();
  EXPECT_EQ(load_graphics(), 1);
  const std::string err = GetCapturedStderr();
  EXPECT_EQ(err, std::string("Unable to load bitmap: ") + SDL_GetError() + "\n");
  EXPECT_NE(game.paddle, nullptr);
  EXPECT_EQ(game.ball, nullptr);
  EXPECT_EQ(game.background, nullptr);
}

TEST_F(Startup, ReportsBothSoundsThatCannotBeLoaded) {
  unlink("data/p1_blip.wav");
  write_file("data/p2_blip.wav", "RIFF....WAVEnot really");
  ASSERT_EQ(sdl_init(), 0);
  SdlPlatform sdl;  // through the real mixer
  set_platform(&sdl);
  CaptureStderr();
  init_gamestate();
  const std::string err = GetCapturedStderr();
  release_sounds();
  set_platform(nullptr);
  // p1 first, then p2, each with the mixer's own explanation.
  const std::string first = "Unable to load WAV file: Mix_LoadWAV_RW with NULL src\n";
  EXPECT_EQ(err.substr(0, first.size()), first);
  EXPECT_EQ(err.substr(first.size()).rfind("Unable to load WAV file: ", 0), 0u) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2);
  EXPECT_EQ(game.p1_blip, nullptr);
  EXPECT_EQ(game.p2_blip, nullptr);
}

// ---- The real program -------------------------------------------------------------------------

TEST(Program, WithoutADisplayExitsAtOnceWithStatusZero) {
  TempDir dir;
  copy_data(dir.path());
  ChildProcess rally(RALLY_BINARY, dir.path(), {"SDL_VIDEODRIVER=no-such-driver"});
  ASSERT_TRUE(rally.wait(10000));
  ASSERT_TRUE(rally.exited());
  EXPECT_EQ(rally.exit_status(), 0);
  EXPECT_EQ(rally.err(),
            "Unable to initialize SDL: No available video device\n"
            "sdl init failed"
            "load graphics failed");
}

TEST(Program, WithTheDigitStripMissingReportsItAndPlaysOn) {
  TempDir dir;
  copy_data(dir.path(), "num.bmp");
  ChildProcess rally(RALLY_BINARY, dir.path());
  rally.pump(1500);
  EXPECT_TRUE(rally.running()) << "the match goes on without scores";
  EXPECT_EQ(rally.err(), "Unable to load bitmap: Couldn't open data/num.bmp\nload graphics failed");
}

}  // namespace
