// The desktop edition: a window titled "rally" showing the 320x240 picture scaled by a whole
// factor (or the full screen with the picture centred on black; F11 or Alt+Enter switches), the
// usual options, the data found from wherever the game is started, gamepads, the settings kept
// from one game to the next, and screens that sleep while they wait.
#include <SDL.h>
#include <getopt.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "button_source.h"
#include "controls.h"
#include "core/game_state.h"
#include "desktop/desktop_display.h"
#include "desktop/presenter.h"
#include "desktop/settings_file.h"
#include "edition.h"
#include "main_loop.h"

#ifndef RALLY_VERSION
#define RALLY_VERSION "unknown"
#endif

namespace {

constexpr int kMaxScale = 16;

constexpr char kUsage[] =
    "Usage: rally [--fullscreen] [--scale N] [--renderer auto|opengl|software] [--verbose]\n"
    "       rally --help | --version\n";

constexpr char kHelp[] =
    "A two-paddle bat-and-ball game for one or two players.\n"
    "\n"
    "Options:\n"
    "  --fullscreen  fill the screen; the picture takes the largest whole factor that fits\n"
    "  --scale N     a window N times the game's 320x240 pixels (1 to 16); by default the\n"
    "                largest that fits the desktop, at least 2\n"
    "  --renderer R  how the picture is shown: opengl, software (SDL's own surface), or\n"
    "                auto, the default: OpenGL unless it draws on the processor too\n"
    "  --verbose     say on standard error how the picture is shown\n"
    "  -h, --help    show this help and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Controls:\n";
// The Controls lines come from the table of controls, each key text in a column of this width.
constexpr int kHelpKeysWidth = 27;
constexpr char kHelpEnd[] =
    "\n"
    "F11 or Alt+Enter switches between the window and the full screen.\n"
    "A match also pauses when the window loses the focus; P or Pause goes on.\n"
    "Closing the window quits.\n"
    "\n"
    "The volume and the number of players are kept in $XDG_CONFIG_HOME/rally/settings\n"
    "(~/.config/rally/settings when XDG_CONFIG_HOME is not set).\n";

void print_help() {
  std::printf("%s\n%s", kUsage, kHelp);
  for (const Control& control : kControls) {
    if (*control.help_keys == '\0') continue;  // named on the line before
    std::printf("  %-*s%s\n", kHelpKeysWidth, control.help_keys, control.help_action);
  }
  std::puts("\nGamepads (plugged in before the game starts):");
  for (const Control& control : kControls) {
    if (*control.help_pads == '\0') continue;
    std::printf("  %-*s%s\n", kHelpKeysWidth, control.help_pads, control.help_action);
  }
  std::fputs(kHelpEnd, stdout);
}

DisplayOptions options;

int usage_error() {
  std::fputs(kUsage, stderr);
  return 2;
}

bool parse_scale(const char* text, int* scale) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > kMaxScale) return false;
  *scale = static_cast<int>(value);
  return true;
}

bool is_folder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool enter_data_folder(const char* executable, std::string* tried);

bool find_data(std::string* tried) {
  char executable[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", executable, sizeof executable);
  const bool known = length > 0 && length < static_cast<ssize_t>(sizeof executable);
  executable[known ? length : 0] = '\0';
  return enter_data_folder(executable, tried);
}

// Without a driver named in SDL_VIDEODRIVER, SDL 1.2 falls back to text-mode drivers (libcaca,
// aalib) that write to the terminal as they start. Only real displays are tried, and the first
// that starts stays up for sdl_init.
void start_display_driver() {
  if (std::getenv("SDL_VIDEODRIVER") != nullptr) return;  // the user's choice
  for (const char* driver : {"x11", "fbcon"}) {
    setenv("SDL_VIDEODRIVER", driver, 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return;
  }
  // An empty name matches no driver: start-up then fails as on a machine without a video device.
  setenv("SDL_VIDEODRIVER", "", 1);
}

bool parse_renderer(const char* text, Renderer* renderer) {
  const struct {
    const char* name;
    Renderer renderer;
  } kRenderers[] = {
      {"auto", Renderer::kAuto}, {"opengl", Renderer::kOpenGl}, {"software", Renderer::kSoftware}};
  for (const auto& each : kRenderers) {
    if (std::strcmp(text, each.name) == 0) {
      *renderer = each.renderer;
      return true;
    }
  }
  return false;
}

// Reads the options into *options. Returns kStartGame, or the exit status after --help or
// --version (0, on standard output) or a wrong command line (2, with the usage on standard error).
int parse_options(int argc, char** argv, DisplayOptions* result) {
  static const option kOptions[] = {
      {"fullscreen", no_argument, nullptr, 'f'},
      {"scale", required_argument, nullptr, 's'},
      {"renderer", required_argument, nullptr, 'r'},
      {"verbose", no_argument, nullptr, 'V'},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'v'},
      {nullptr, 0, nullptr, 0},
  };
  *result = DisplayOptions{};
  optind = 0;  // a fresh scan on every call
  opterr = 0;  // the messages are the game's own
  for (int letter; (letter = getopt_long(argc, argv, ":h", kOptions, nullptr)) != -1;) {
    switch (letter) {
      case 'f':
        result->fullscreen = true;
        break;
      case 's':
        if (!parse_scale(optarg, &result->scale)) {
          std::fprintf(stderr, "rally: --scale takes a whole number from 1 to %d, not '%s'\n",
                       kMaxScale, optarg);
          return usage_error();
        }
        break;
      case 'r':
        if (!parse_renderer(optarg, &result->renderer)) {
          std::fprintf(stderr, "rally: --renderer takes auto, opengl or software, not '%s'\n",
                       optarg);
          return usage_error();
        }
        break;
      case 'V':
        result->verbose = true;
        break;
      case 'h':
        print_help();
        return 0;
      case 'v':
        std::printf("rally %s\n", RALLY_VERSION);
        return 0;
      case ':':
        std::fprintf(stderr, "rally: option '%s' needs a value\n", argv[optind - 1]);
        return usage_error();
      default:
        std::fprintf(stderr, "rally: unknown option '%s'\n", argv[optind - 1]);
        return usage_error();
    }
  }
  if (optind < argc) {
    std::fprintf(stderr, "rally: unexpected argument '%s'\n", argv[optind]);
    return usage_error();
  }
  return kStartGame;
}

// When the working directory holds no data/ folder, changes into the first folder that does:
// the executable's own, then ../share/rally from it. Returns whether data/ is now at hand; `tried`
// gets the data folders looked for, separated by ", ".
bool enter_data_folder(const char* executable, std::string* tried) {
  char here[PATH_MAX];
  *tried = getcwd(here, sizeof here) != nullptr ? std::string(here) + "/data" : "data";
  if (is_folder("data")) return true;
  const char* slash = std::strrchr(executable, '/');
  if (slash == nullptr) return false;
  const std::string own_folder(executable, slash + 1);
  for (const std::string& folder : {own_folder, own_folder + "../share/rally/"}) {
    *tried += ", " + folder + "data";
    if (is_folder(folder + "data") && chdir(folder.c_str()) == 0) return true;
  }
  return false;
}

}  // namespace

const bool kAnswersDriverKeys = false;

int prepare_edition(int argc, char** argv) {
  const int status = parse_options(argc, argv, &options);
  if (status != kStartGame) return status;
  std::string tried;
  if (!find_data(&tried)) {
    std::fprintf(stderr, "rally: no data folder in %s\n", tried.c_str());
    return 1;
  }
  start_display_driver();
  game.pausable = 1;
  game.paced = 1;
  load_settings();
  return kStartGame;
}

SDL_Surface* open_display() {
  SDL_Surface* picture = open_desktop_display(options);
  if (picture != nullptr) open_pads();
  return picture;
}

SDL_Surface* display_format(SDL_Surface* loaded) {
  return SDL_ConvertSurface(loaded, game.screen->format, SDL_SWSURFACE);
}

int edition_screen(int code) {
  const int next = main_loop(code);
  if (code == kMenu) keep_settings();  // the menu ends only to start a match or to quit
  return next;
}

void play_screens(void (*screens)()) {
  PresentedPlatform presented;
  run_presented(presented, screens);
}
