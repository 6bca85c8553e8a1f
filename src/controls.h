// The game's controls, one row per button of the handheld: its name there, the desktop keys that
// hold it, the key that the handheld's own keyboard driver sends for it, the gamepad buttons that
// hold it, and what it does, in the words of the desktop's --help and of the control card on the
// menu's picture. The keyboard and gamepad bindings (button_source.cpp), the Controls and
// Gamepads lines of --help (edition_desktop.cpp) and the menu's card (tools/pictures.cpp) are all
// made from this table; the manual page and README.md are written by hand and a test checks that
// they list the same keys and pad buttons as --help.
//
// The rows hold SDL's key codes, so only the parts of the game that use SDL include this header.
#pragma once

#include <SDL.h>

// Gamepads, as SDL 1.2 numbers the buttons of the Linux joystick driver's common pads (xpad).
enum PadButton : int8_t {
  kNoPadButton = -1,
  kPadA = 0,
  kPadY = 3,
  kPadLeftShoulder = 4,
  kPadRightShoulder = 5,
  kPadBack = 6,
  kPadStart = 7,
};

// What holds a button on one pad: up to two of its buttons, or a direction of the D-pad (the hat)
// and the left stick's vertical axis: -1 up, +1 down, 0 none.
struct PadControl {
  PadButton buttons[2];
  int8_t direction;
};
constexpr PadControl kNoPad = {{kNoPadButton, kNoPadButton}, 0};

struct Control {
  char button;           // the button's letter (core/gpio_lines.h)
  const char* handheld;  // the button's name on the handheld; empty for a desktop-only key
  SDLKey keys[4];        // the desktop keys; unused places stay SDLK_UNKNOWN
  // The key that the handheld's keyboard driver sends for the button, or SDLK_UNKNOWN. Only the
  // handheld edition answers it, so that firmwares delivering the buttons as key events work too;
  // on a desktop it would surprise (Alt+Tab would move a paddle).
  SDLKey driver_key;
  PadControl pads[2];  // on the first pad, and on the second
  // The row's line of --help: its keys and what they do. Empty texts: the line of the row before
  // names this row's keys too.
  const char* help_keys;
  const char* help_action;
  // The row's line under Gamepads in --help, with the same action; empty: named on the line before.
  const char* help_pads;
  // The row's line on the menu's card, counted from 1 at the top (0: not on the card). Rows on
  // one line show their handheld names joined ("UP / DOWN") beside the keys and the action of the
  // row that has them.
  int card_line;
  const char* card_keys;
  const char* card_action;
};

// clang-format off
constexpr Control kControls[] = {
    // button, handheld name, desktop keys, keyboard driver's key, first pad, second pad,
    //     --help's keys, action and pad buttons, card line, card's keys and action
    {'u', "UP", {SDLK_w, SDLK_UP}, SDLK_UP, {{{kNoPadButton, kNoPadButton}, -1}, kNoPad},
        "W / S, Up / Down", "left paddle", "pad 1 D-pad or left stick", 5, "W / S", "LEFT PADDLE"},
    {'d', "DOWN", {SDLK_s, SDLK_DOWN}, SDLK_DOWN, {{{kNoPadButton, kNoPadButton}, +1}, kNoPad},
        "", "", "", 5, "", ""},
    {'x', "X", {SDLK_i, SDLK_KP8}, SDLK_SPACE, {kNoPad, {{kNoPadButton, kNoPadButton}, -1}},
        "I / K, keypad 8 / 2", "right paddle (two players)", "pad 2 D-pad or left stick", 6,
        "I / K", "RIGHT PADDLE"},
    {'b', "B", {SDLK_k, SDLK_KP2}, SDLK_LALT, {kNoPad, {{kNoPadButton, kNoPadButton}, +1}},
        "", "", "", 6, "", ""},
    {'a', "A", {SDLK_RETURN, SDLK_KP_ENTER}, SDLK_LCTRL,
        {{{kPadA, kPadStart}, 0}, {{kPadA, kPadStart}, 0}},
        "Enter, keypad Enter", "start a match", "A or Start", 1, "ENTER", "START"},
    {'t', "SELECT", {SDLK_ESCAPE}, SDLK_ESCAPE, {{{kPadBack, kNoPadButton}, 0},
        {{kPadBack, kNoPadButton}, 0}},
        "Escape", "back to the menu; quit from the menu", "Back", 2, "ESC", "BACK / QUIT"},
    {'e', "L", {SDLK_LEFT, SDLK_MINUS, SDLK_KP_MINUS}, SDLK_TAB,
        {{{kPadLeftShoulder, kNoPadButton}, 0}, kNoPad},
        "Left, -, keypad -", "volume down (menu)", "pad 1 LB", 3, "LEFT/RIGHT", "VOLUME - / +"},
    {'i', "R", {SDLK_RIGHT, SDLK_EQUALS, SDLK_PLUS, SDLK_KP_PLUS}, SDLK_BACKSPACE,
        {{{kPadRightShoulder, kNoPadButton}, 0}, kNoPad},
        "Right, =, +, keypad +", "volume up (menu)", "pad 1 RB", 3, "", ""},
    {'y', "Y", {SDLK_p, SDLK_y}, SDLK_LSHIFT, {{{kPadY, kNoPadButton}, 0}, {{kPadY, kNoPadButton}, 0}},
        "P or Y", "one or two players (menu); pause (match)", "Y", 4, "P", "1 OR 2 PLAYERS"},
    // The desktop's Pause key holds Y as well; --help names it for the match's pause.
    {'y', "", {SDLK_PAUSE}, SDLK_UNKNOWN, {kNoPad, kNoPad},
        "Pause", "pause (match)", "", 0, "", ""},
};
// clang-format on

constexpr int kControlCount = sizeof kControls / sizeof kControls[0];
