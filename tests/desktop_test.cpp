// The desktop edition: its command line, and the scaled flip on real SDL surfaces. (The data
// lookup is proven by install_test.sh, which starts the game from folders without data/.)
#include <SDL.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "edition.h"
#include "edition_desktop.h"
#include "platform_sdl.h"

using namespace testing::internal;

// main's arguments from one line of words.
struct Args {
  explicit Args(const std::string& line) {
    std::istringstream in("rally " + line);
    for (std::string word; in >> word;) words.push_back(word);
    for (std::string& word : words) argv.push_back(word.data());
  }
  std::vector<std::string> words;
  std::vector<char*> argv;
};

TEST(DesktopOptions, ParseAndExitCodes) {
  // The command line, then what comes of it: "start" with the scale (and "full"), or the exit
  // status; then what is written on standard output and error.
  const std::string cases[] = {"  -> start 0",           "--fullscreen --scale 3 -> start 3 full",
                               "--scale=16 -> start 16", "--help -> 0 out",
                               "--version -> 0 out",     "--bogus -> 2 usage",
                               "--scale -> 2 usage",     "--scale 0 -> 2 usage",
                               "--scale 17 -> 2 usage",  "--scale 2x -> 2 usage",
                               "extra -> 2 usage"};
  for (const std::string& c : cases) {
    const std::string line = c.substr(0, c.find(" -> ")), expected = c.substr(c.find(" -> ") + 4);
    Args args(line);
    DesktopOptions options;
    CaptureStdout();
    CaptureStderr();
    const int status =
        parse_options(static_cast<int>(args.argv.size()), args.argv.data(), &options);
    const std::string out = GetCapturedStdout(), err = GetCapturedStderr();
    std::string result =
        status == kStartGame ? "start " + std::to_string(options.scale) : std::to_string(status);
    if (options.fullscreen) result += " full";
    if (!out.empty()) result += " out";
    if (!err.empty()) result += err.find("\nUsage: rally") != std::string::npos ? " usage" : " err";
    EXPECT_EQ(result, expected) << line;
  }
}

// A scaled flip is the 320x240 frame with each pixel repeated and centred; the rest is untouched.
TEST(DesktopDisplay, FlipScalesTheFrameByWholeFactors) {
  const struct {
    int width, height, factor, left, top;
  } cases[] = {{640, 480, 2, 0, 0}, {1920, 1080, 4, 320, 60}, {1366, 768, 3, 203, 24}};
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  auto pixel = [](SDL_Surface* s, int x, int y) -> Uint16& {
    return reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x];
  };
  for (const auto& c : cases) {
    SDL_Surface* video = SDL_SetVideoMode(c.width, c.height, 16, SDL_FULLSCREEN);
    ASSERT_NE(video, nullptr) << SDL_GetError();
    SDL_FillRect(video, nullptr, 0x1234);
    const SDL_PixelFormat* f = video->format;
    SDL_Surface* frame = SDL_CreateRGBSurface(0, 320, 240, 16, f->Rmask, f->Gmask, f->Bmask, 0);
    for (int i = 0; i < 320 * 240; ++i) pixel(frame, i % 320, i / 320) = Uint16(i * 7 + i / 320);
    SdlPlatform().flip(frame);
    int wrong = 0;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const int fx = (x - c.left) / c.factor, fy = (y - c.top) / c.factor;
        const bool inside = x >= c.left && y >= c.top && fx < 320 && fy < 240;
        wrong += pixel(video, x, y) != (inside ? pixel(frame, fx, fy) : 0x1234);
      }
    }
    EXPECT_EQ(wrong, 0) << c.width << "x" << c.height;
    SDL_FreeSurface(frame);
  }
  SDL_Quit();
}

TEST(DesktopDisplay, OpensAWindowOfTheAskedScaleWithItsOwnPicture) {
  Args args("--scale 3");
  ASSERT_EQ(prepare_edition(int(args.argv.size()), args.argv.data()), kStartGame);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  SDL_Surface* picture = open_display();
  SDL_Surface* video = SDL_GetVideoSurface();
  ASSERT_TRUE(picture != nullptr && picture != video);
  EXPECT_EQ(std::vector<int>({video->w, video->h, picture->w, picture->h, picture->pitch / 320}),
            std::vector<int>({960, 720, 320, 240, 2}));
  char* caption = nullptr;
  SDL_WM_GetCaption(&caption, nullptr);
  EXPECT_STREQ(caption, "rally");
  SDL_FreeSurface(picture);
  SDL_Quit();
}
