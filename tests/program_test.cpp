// The real program, built to read its buttons from a file, in sessions served one reading at a
// time by rally_session from a fresh copy of data/: the exit status (0 in every case) and what
// it writes to standard error, compared with the record tests/golden/program.txt, at start-up
// failures and on the ways out that need a real process (back, SIGTERM, SIGINT).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "graphics.h"
#include "support.h"

namespace {

std::string read_file(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

TEST(Program, StartsReportsAndEndsAsTold) {
  // name, how the run is set up, the session's script
  const char* const kRuns[][3] = {
      {"back", ":", "-*2 a -*10 t t*3 - t"},
      {"sigterm", ":", "-*2 a -*10 TERM"},
      {"sigint", ":", "-*2 y a -*10 INT"},
      {"no display", "export SDL_VIDEODRIVER=none", ""},
      {"no audio", "export SDL_AUDIODRIVER=none", "i - t"},
      {"no digits", "rm data/num.bmp", "a -*10 t - t"},
      {"broken ball", "truncate -s 54 data/ball.bmp", "t"},
      {"no blip", "rm data/p1_blip.wav", "i a -*10 t - t"},
      {"blips", "export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=out SDL_DISKAUDIODELAY=20",
       "i 300ms t"}};
  std::vector<std::string> record;
  for (const auto& run : kRuns) {
    char dir[] = "/tmp/rally-program-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string command = std::string("cd ") + dir +
                                " && cp -r " RALLY_SOURCE_DIR "/data . && " + run[1] +
                                " && " RALLY_SESSION " '" + run[2] + "' " RALLY_GPIO_GAME " 2> err";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    std::string err = read_file(std::string(dir) + "/err");
    for (size_t at; (at = err.find('\n')) != std::string::npos;) err.replace(at, 1, "\\n");
    record.push_back(std::string(run[0]) + ": " + err);
    const std::string sound = read_file(std::string(dir) + "/out");
    EXPECT_EQ(sound.find_first_not_of('\0') != std::string::npos, run[0] == std::string("blips"));
    std::system((std::string("rm -rf ") + dir).c_str());
  }
  expect_record("program.txt", record);
}

TEST(Program, OpensAFullScreenOf320x240In16BitsAndStereoSoundAt44100Hz) {
  fresh_game();
  ASSERT_EQ(sdl_init(), 0);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  EXPECT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
  EXPECT_EQ(std::vector<int>({rate, format, channels}), std::vector<int>({44100, AUDIO_S16LSB, 2}));
  EXPECT_EQ(std::vector<int>({game.screen->w, game.screen->h, game.screen->format->BitsPerPixel}),
            std::vector<int>({320, 240, 16}));
  EXPECT_TRUE(game.screen->flags & SDL_FULLSCREEN);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  Mix_CloseAudio();
}

}  // namespace
