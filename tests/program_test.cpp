// The real program, built to read its buttons from a file, in the sessions of
// tests/golden/program.txt, served one reading at a time by rally_session: start-up failures
// with their exact messages, and the ways out that need a real process (back, SIGTERM, SIGINT).
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

// Plays the sessions of a file of examples and compares what they wrote with its record.
void play_sessions(const std::string& name) {
  std::vector<std::string> record;
  for (std::string line : examples(name)) {
    std::vector<std::string> fields;  // name, set-up, script, standard error
    for (size_t at; (at = line.find(" | ")) != std::string::npos; line.erase(0, at + 3)) {
      fields.push_back(line.substr(0, at));
    }
    char dir[] = "/tmp/rally-program-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string command =
        std::string("cd ") + dir + " && cp -r " RALLY_SOURCE_DIR "/data . && " + fields[1] +
        " && " RALLY_SESSION " '" + fields[2] + "' " RALLY_GPIO_GAME " 2> err";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    std::string err = read_file(std::string(dir) + "/err");
    for (size_t at; (at = err.find('\n')) != std::string::npos;) err.replace(at, 1, "\\n");
    record.push_back(fields[0] + " | " + fields[1] + " | " + fields[2] + " | " + err);
    const bool heard =
        read_file(std::string(dir) + "/out").find_first_not_of('\0') != std::string::npos;
    EXPECT_EQ(heard, fields[0] == "blips") << "the blips in SDL's disk audio output";
    std::system((std::string("rm -rf ") + dir).c_str());
  }
  expect_record(name, record);
}

TEST(Program, StartsReportsAndEndsAsTold) {
  play_sessions("program.txt");
}

// Each data file in turn missing, empty, cut short, random bytes, a folder, or a file of another
// kind: the game reports what it cannot load, plays on without it and ends with status 0.
TEST(Long, BrokenData) {
  play_sessions("broken_data.txt");
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
