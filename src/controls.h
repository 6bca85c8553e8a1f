// The game's controls, one row per button of the handheld: its name there, the desktop keys that
// hold it, the key that the handheld's own keyboard driver sends for it, and what it does, in the
// words of the desktop's --help and of the control card on the menu's picture. The keyboard
// flavours' bindings (button_source.cpp), the Controls lines of --help (edition_desktop.cpp) and
// the menu's card (tools/pictures.cpp) are all made from this table; the manual page and
// README.md are written by hand and a test checks that they list the same keys as --help.
//
// The rows hold SDL's key codes, so only the parts of the game that use SDL include this header.
#pragma once

#include <SDL.h>

struct Control {
  char button;           // the button's letter (dingoo_input.h)
  const char* handheld;  // the button's name on the handheld; empty for a desktop-only key
  SDLKey keys[4];        // the desktop keys; unused places stay SDLK_UNKNOWN
  // The key that the handheld's keyboard driver sends for the button, or SDLK_UNKNOWN. Only the
  // handheld edition answers it, so that firmwares delivering the buttons as key events work too;
  // on a desktop it would surprise (Alt+Tab would move a paddle).
  SDLKey driver_key;
  // The row's line of --help: its keys and what they do. Empty texts: the line of the row before
  // names this row's keys too.
  const char* help_keys;
  const char* help_action;
  // The row's line on the menu's card, counted from 1 at the top (0: not on the card). Rows on
  // one line show their handheld names joined ("UP / DOWN") beside the keys and the action of the
  // row that has them.
  int card_line;
  const char* card_keys;
  const char* card_action;
};

// clang-format off
constexpr Control kControls[] = {
    // button, handheld name, desktop keys, keyboard driver's key,
    //     --help's keys and action, card line, card's keys and action
    {'u', "UP", {SDLK_w, SDLK_UP}, SDLK_UP,
        "W / S, Up / Down", "left paddle", 5, "W / S", "LEFT PADDLE"},
    {'d', "DOWN", {SDLK_s, SDLK_DOWN}, SDLK_DOWN,
        "", "", 5, "", ""},
    {'x', "X", {SDLK_i, SDLK_KP8}, SDLK_SPACE,
        "I / K, keypad 8 / 2", "right paddle (two players)", 6, "I / K", "RIGHT PADDLE"},
    {'b', "B", {SDLK_k, SDLK_KP2}, SDLK_LALT,
        "", "", 6, "", ""},
    {'a', "A", {SDLK_RETURN, SDLK_KP_ENTER}, SDLK_LCTRL,
        "Enter, keypad Enter", "start a match", 1, "ENTER", "START"},
    {'t', "SELECT", {SDLK_ESCAPE}, SDLK_ESCAPE,
        "Escape", "back to the menu; quit from the menu", 2, "ESC", "BACK / QUIT"},
    {'e', "L", {SDLK_LEFT, SDLK_MINUS, SDLK_KP_MINUS}, SDLK_TAB,
        "Left, -, keypad -", "volume down (menu)", 3, "LEFT/RIGHT", "VOLUME - / +"},
    {'i', "R", {SDLK_RIGHT, SDLK_EQUALS, SDLK_PLUS, SDLK_KP_PLUS}, SDLK_BACKSPACE,
        "Right, =, +, keypad +", "volume up (menu)", 3, "", ""},
    {'y', "Y", {SDLK_p, SDLK_y}, SDLK_LSHIFT,
        "P or Y", "one or two players (menu); pause (match)", 4, "P", "1 OR 2 PLAYERS"},
    // The desktop's Pause key holds Y as well; --help names it for the match's pause.
    {'y', "", {SDLK_PAUSE}, SDLK_UNKNOWN,
        "Pause", "pause (match)", 0, "", ""},
};
// clang-format on
