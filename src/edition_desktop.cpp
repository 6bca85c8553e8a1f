// The desktop edition: a window titled "rally" showing the 320x240 picture scaled by a whole
// factor (or the full screen with the picture centred on black), the usual options, and the data
// found from wherever the game is started.
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

#include "controls.h"
#include "edition.h"
#include "game_state.h"
#include "geometry.h"
#include "gl_display.h"
#include "presenter.h"

#ifndef RALLY_VERSION
#define RALLY_VERSION "unknown"
#endif

namespace {

struct DesktopOptions {
  bool fullscreen = false;
  int scale = 0;  // the window's factor; 0 picks the largest that fits the desktop
};

constexpr int kMaxScale = 16;
// The window may take this share (in tenths) of the desktop: the rest is left for title bars and
// panels.
constexpr int kDesktopShare = 9;

constexpr char kUsage[] =
    "Usage: rally [--fullscreen] [--scale N]\n"
    "       rally --help | --version\n";

constexpr char kHelp[] =
    "A two-paddle bat-and-ball game for one or two players.\n"
    "\n"
    "Options:\n"
    "  --fullscreen  fill the screen; the picture takes the largest whole factor that fits\n"
    "  --scale N     a window N times the game's 320x240 pixels (1 to 16); by default the\n"
    "                largest that fits the desktop, at least 2\n"
    "  -h, --help    show this help and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "Controls:\n";
// The Controls lines come from the table of controls, each key text in a column of this width.
constexpr int kHelpKeysWidth = 27;
constexpr char kHelpEnd[] =
    "A match also pauses when the window loses the focus; P or Pause goes on.\n"
    "Closing the window quits.\n";

void print_help() {
  std::printf("%s\n%s", kUsage, kHelp);
  for (const Control& control : kControls) {
    if (*control.help_keys == '\0') continue;  // named on the line before
    std::printf("  %-*s%s\n", kHelpKeysWidth, control.help_keys, control.help_action);
  }
  std::fputs(kHelpEnd, stdout);
}

DesktopOptions options;

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

int fitting_scale(int width, int height) {
  return std::min(width / kScreenWidth, height / kScreenHeight);
}

// Reads the options into *options. Returns kStartGame, or the exit status after --help or
// --version (0, on standard output) or a wrong command line (2, with the usage on standard error).
int parse_options(int argc, char** argv, DesktopOptions* result) {
  static const option kOptions[] = {
      {"fullscreen", no_argument, nullptr, 'f'},
      {"scale", required_argument, nullptr, 's'},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'v'},
      {nullptr, 0, nullptr, 0},
  };
  *result = DesktopOptions{};
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
  return kStartGame;
}

namespace {

// The window's icon, drawn by the asset generator (icons/window_icon.inc) and built in, so that
// the window shows it wherever the game runs from. SDL takes it before the video mode is set.
void set_window_icon() {
  static Uint16 pixels[] = {
#include "window_icon.inc"
  };
  SDL_Surface* icon = SDL_CreateRGBSurfaceFrom(pixels, kWindowIconSize, kWindowIconSize, 16,
                                               kWindowIconSize * 2, 0xf800, 0x07e0, 0x001f, 0);
  if (icon == nullptr) return;  // the window then has the desktop's default icon
  SDL_WM_SetIcon(icon, nullptr);
  SDL_FreeSurface(icon);
}

}  // namespace

SDL_Surface* open_display() {
  // SDL reports the desktop's size only before the first video mode is set. The dummy driver
  // knows none: there the picture is shown at its own size unless a factor is asked for.
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  const int desktop_width = info != nullptr ? info->current_w : 0;
  const int desktop_height = info != nullptr ? info->current_h : 0;
  const bool desktop_known = fitting_scale(desktop_width, desktop_height) >= 1;

  int width = kScreenWidth * std::max(options.scale, 1);
  int height = kScreenHeight * std::max(options.scale, 1);
  Uint32 flags = SDL_SWSURFACE;
  if (options.fullscreen) {
    flags |= SDL_FULLSCREEN;
    if (desktop_known) {
      width = desktop_width;
      height = desktop_height;
    }
  } else if (options.scale == 0 && desktop_known) {
    const int scale = std::max(
        2, fitting_scale(desktop_width * kDesktopShare / 10, desktop_height * kDesktopShare / 10));
    width = kScreenWidth * scale;
    height = kScreenHeight * scale;
  }

  SDL_WM_SetCaption("rally", "rally");
  set_window_icon();
  // OpenGL where it is available (a graphics card scales the picture for almost nothing), SDL's
  // own surface otherwise; the choice holds for the whole run.
  SDL_Surface* video = open_gl_display(width, height, flags);
  if (video == nullptr) video = SDL_SetVideoMode(width, height, kScreenDepth, flags);
  if (video == nullptr) return nullptr;
  // The game draws into a picture of its own, which the presenter shows scaled (presenter.h);
  // what lies around it stays black.
  if ((video->flags & SDL_OPENGL) != 0) {  // the texture's pixels are RGB565
    return SDL_CreateRGBSurface(SDL_SWSURFACE, kScreenWidth, kScreenHeight, kScreenDepth, 0xf800,
                                0x07e0, 0x001f, 0);
  }
  SDL_FillRect(video, nullptr, 0);
  SDL_Flip(video);
  const SDL_PixelFormat* format = video->format;
  return SDL_CreateRGBSurface(SDL_SWSURFACE, kScreenWidth, kScreenHeight, kScreenDepth,
                              format->Rmask, format->Gmask, format->Bmask, 0);
}

void play_screens(void (*screens)()) {
  PresentedPlatform presented;
  run_presented(presented, screens);
}
