// The real program, built to read its buttons from a file, in the sessions of
// tests/golden/program.txt, served one reading at a time by rally_session: start-up failures
// with their exact messages, and the ways out that need a real process (back, SIGTERM, SIGINT).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <fstream>
#include <map>
#include <sstream>

#include "edition.h"
#include "platform_sdl.h"
#include "support.h"

namespace {

std::string read_file(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

// A session's fields: name, set-up, script, standard error.
std::vector<std::string> fields(std::string line) {
  std::vector<std::string> fields;
  for (size_t at; (at = line.find(" | ")) != std::string::npos; line.erase(0, at + 3)) {
    fields.push_back(line.substr(0, at));
  }
  fields.push_back(line);
  return fields;
}

// Plays the sessions of a file of examples and compares what they wrote with its record. The
// game is the gpio build, or the command in the shell variable `game` when the set-up sets it.
void play_sessions(const std::string& name) {
  std::vector<std::string> record;
  for (const std::string& line : examples(name)) {
    const std::vector<std::string> field = fields(line);
    char dir[] = "/tmp/rally-program-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string command =
        std::string("cd ") + dir + " && cp -r " RALLY_SOURCE_DIR "/data . && " + field[1] +
        " && " RALLY_SESSION " '" + field[2] + "' ${game:-" RALLY_GPIO_GAME "} 2> err";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    const std::string err = one_line(read_file(std::string(dir) + "/err"));
    record.push_back(field[0] + " | " + field[1] + " | " + field[2] + " | " + err);
    const bool heard =
        read_file(std::string(dir) + "/out").find_first_not_of('\0') != std::string::npos;
    EXPECT_EQ(heard, field[0] == "blips") << "the blips in SDL's disk audio output";
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

// The handheld's static binary under qemu-mipsel (RALLY_HANDHELD) in the sessions of
// tests/golden/handheld.txt: each writes what the gpio build writes in the session of
// program.txt with the same name, byte for byte.
TEST(Handheld, SessionsWriteWhatTheGpioBuildWrites) {
  play_sessions("handheld.txt");
  std::map<std::string, std::vector<std::string>> native;
  for (const std::string& line : examples("program.txt")) native[fields(line)[0]] = fields(line);
  for (const std::string& line : examples("handheld.txt")) {
    const std::vector<std::string> session = fields(line), same = native.at(session[0]);
    EXPECT_EQ(session[2] + " | " + session[3], same[2] + " | " + same[3]) << line;
  }
}

Uint16& pixel(SDL_Surface* s, int x, int y) {
  return reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
}

// Where the picture is shown larger (the desktop's window or full screen), the flip repeats each
// of its pixels by a whole factor, centred; the rest of the screen is left alone.
TEST(Program, FlipsAPictureScaledByAWholeFactor) {
  fresh_game();
  // screen size, factor, where the picture's top-left corner lands
  for (const std::vector<int>& c :
       {std::vector<int>{640, 480, 2, 0, 0}, {1920, 1080, 4, 320, 60}, {1366, 768, 3, 203, 24}}) {
    SDL_Surface* video = SDL_SetVideoMode(c[0], c[1], 16, SDL_FULLSCREEN);
    SDL_FillRect(video, nullptr, 0x1234);
    SDL_Surface* frame = SDL_CreateRGBSurface(0, 320, 240, 16, 0xf800, 0x07e0, 0x001f, 0);
    for (int i = 0; i < 320 * 240; ++i) pixel(frame, i % 320, i / 320) = Uint16(i * 7 + i / 320);
    SdlPlatform().flip(frame);
    int wrong = 0;
    for (int y = 0; y < c[1]; ++y) {
      for (int x = 0; x < c[0]; ++x) {
        const int fx = (x - c[3]) / c[2], fy = (y - c[4]) / c[2];
        const bool inside = x >= c[3] && y >= c[4] && fx < 320 && fy < 240;
        wrong += pixel(video, x, y) != (inside ? pixel(frame, fx, fy) : 0x1234);
      }
    }
    EXPECT_EQ(wrong, 0) << c[0] << "x" << c[1];
    SDL_FreeSurface(frame);
  }
  game.screen = open_display();  // as the other tests expect
}

}  // namespace
