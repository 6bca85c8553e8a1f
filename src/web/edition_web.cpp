// The web edition: the game in a page, on one thread, through Emscripten. The canvas shows the
// game's picture at the largest whole factor that fits the browser's window; the keys and the
// pause are the desktop's; the screens sleep as the desktop's do; the volume and the number of
// players are kept in the browser's local storage. The page (shell.html) shows a start overlay,
// which opens the sound, and says when the game has ended.
#include <SDL.h>
#include <emscripten.h>

#include <cstdio>

#include "button_source.h"
#include "core/game_state.h"
#include "core/geometry.h"
#include "core/settings.h"
#include "edition.h"
#include "main_loop.h"
#include "web/platform_web.h"

namespace {

constexpr char kSettingsKey[] = "rally-settings";

// JavaScript, in C++ macros: clang-format leaves it as it is.
// clang-format off
EM_JS(int, stored_settings, (const char* key, char* text, int size), {
  var value = null;
  try {
    value = window.localStorage.getItem(UTF8ToString(key));
  } catch (e) {
  }
  if (value == null) return -1;
  return stringToUTF8(value, text, size);  // the bytes written, cut to fit
});

EM_JS(void, store_settings, (const char* key, const char* text), {
  try {
    window.localStorage.setItem(UTF8ToString(key), UTF8ToString(text));
  } catch (e) {
  }
});

// clang-format on

// A stored text longer than the settings can be is refused as a whole, as on the desktop.
void load_settings() {
  char text[kSettingsMaxBytes + 2];
  const int length = stored_settings(kSettingsKey, text, sizeof text);
  if (length < 0) return;  // nothing kept yet
  Settings settings = {game.volume, game.players};
  int line = 0;
  const char* fault = parse_settings(text, static_cast<size_t>(length), &settings, &line);
  if (fault != nullptr) {
    std::fprintf(stderr, "rally: ignoring the page's %s: %s\n", kSettingsKey, fault);
    return;
  }
  game.volume = settings.volume;
  game.players = settings.players;
}

void keep_settings() {
  char text[kSettingsMaxBytes];
  format_settings({game.volume, game.players}, text);
  store_settings(kSettingsKey, text);
}

// The page's start overlay opens the sound with a click or a key; the key must not reach the game.
void wait_for_start() {
  EM_ASM({ Module.showStartOverlay(); });
  while (EM_ASM_INT({ return Module.started && Object.keys(SDL.keyboardMap).length == 0; }) == 0) {
    emscripten_sleep(20);
  }
  forget_events();
}

}  // namespace

const bool kAnswersDriverKeys = false;

int prepare_edition(int /*argc*/, char** /*argv*/) {
  game.pausable = 1;
  game.paced = 1;
  load_settings();
  return kStartGame;
}

SDL_Surface* open_display() {
  // The emulation's screen is the page's canvas; the game draws into a picture of its own.
  if (SDL_SetVideoMode(kScreenWidth, kScreenHeight, 32, SDL_SWSURFACE) == nullptr) return nullptr;
  web_install();
  return web_surface(kScreenWidth, kScreenHeight);
}

SDL_Surface* display_format(SDL_Surface* loaded) {
  return web_picture_of(loaded);
}

int edition_screen(int code) {
  const int next = main_loop(code);
  if (code == kMenu) keep_settings();  // the menu ends only to start a match or to quit
  return next;
}

void play_screens(void (*screens)()) {
  WebPlatform web;
  set_platform(&web);
  wait_for_start();
  screens();
  EM_ASM({ Module.gameEnded(); });
}
