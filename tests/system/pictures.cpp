// rally_pictures: replays a session script in process, on the fake platform, and writes what the
// game shows at each of the script's stops, for comparison with another run of the same script.
//
//   rally_pictures OUTDIR SCRIPT
//
// SCRIPT as rally_session takes it (waits and "~" are passed over; signals are not supported). At
// each stop "@<name>", the picture on the screen goes to OUTDIR/<name>.rgb565: 320x240 pixels of
// 16 bits, row by row, little-endian. Standard output gets the blips that the game started, in
// order, as the line "blips: <1 or 2>...", and the reading before which each stop came, as
// "stop <name> <reading>". Fails when a ball arrives flat at a paddle before the
// last stop: the turn it takes then comes from rand(), which differs between C libraries.
#include <cstdio>
#include <map>

#include "main_loop.h"
#include "support.h"

static std::string out_dir, script_text;

struct Script {
  std::vector<std::string> readings;    // the buttons of each reading
  std::map<size_t, std::string> stops;  // before which reading each stop comes
};

static Script parse(const std::string& text) {
  Script script;
  std::istringstream steps(text);
  for (std::string step; steps >> step;) {
    const size_t star = step.find('*');
    if (step[0] == '@') {
      script.stops[script.readings.size()] = step.substr(1);
    } else if (step.find("ms") == std::string::npos && step != "~") {
      const int n = star == std::string::npos ? 1 : std::atoi(step.c_str() + star + 1);
      const std::string buttons = step.substr(0, star);
      for (int i = 0; i < std::max(n, 1); ++i)
        script.readings.push_back(buttons == "-" ? "" : buttons);
    }
    EXPECT_TRUE(step != "TERM" && step != "INT") << "signals are not replayed";
  }
  return script;
}

static void save_picture(const std::string& name) {
  std::FILE* file = std::fopen((out_dir + "/" + name + ".rgb565").c_str(), "wb");
  ASSERT_NE(file, nullptr) << out_dir;
  for (int y = 0; y < 240; ++y) {
    std::fwrite(static_cast<const char*>(game.screen->pixels) + y * game.screen->pitch, 2, 320,
                file);
  }
  std::fclose(file);
}

static int screen = kMenu;
static std::vector<int> flat_arrivals;  // the readings of this screen's frames with one

TEST(System, Pictures) {
  const Script script = parse(script_text);
  fresh_game();
  FakePlatform platform;
  platform.keep_frames = false;
  int frame = 0, heading = 0;  // the reading of the frame, the heading at its start
  std::string blips;
  platform.press = [&](int n) {
    const auto stop = script.stops.find(static_cast<size_t>(n));
    if (stop != script.stops.end()) {
      // A flat arrival in the frame shown has turned the ball, but the picture does not show it.
      for (int at : flat_arrivals) EXPECT_EQ(at, n - 1) << "a flat arrival before " << stop->second;
      save_picture(stop->second);
      std::printf("stop %s %d\n", stop->second.c_str(), n);
    }
    frame = n;
    heading = game.angle;
    return static_cast<size_t>(n) < script.readings.size() ? script.readings[n] : "";
  };
  platform.on_flip = [&] {
    const bool flat = (heading >= 248 && heading <= 270) || (heading >= 68 && heading <= 90);
    if (screen == kPlay && platform.events.find('?') != std::string::npos && flat)
      flat_arrivals.push_back(frame);
    for (size_t at = 0; (at = platform.events.find('P', at)) != std::string::npos; ++at) {
      const size_t result = platform.events.find(")>", at) + 2;  // the channel, -1 if none
      if (platform.events.compare(result, 2, "-1") != 0) (blips += ' ') += platform.events[at + 1];
    }
  };
  run_screens([](int code) {
    flat_arrivals.clear();
    return main_loop(screen = code);
  });
  std::printf("blips:%s\n", blips.c_str());
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: rally_pictures OUTDIR SCRIPT\n");
    return 2;
  }
  out_dir = argv[1];
  script_text = argv[2];
  return RUN_ALL_TESTS();
}
