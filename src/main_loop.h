// The screens and the sequencer that moves between them.
#pragma once

// Screen codes: what main_loop is given (the screen to run) and returns (the screen to run next).
constexpr int kQuit = 0;
constexpr int kMenu = 1;
constexpr int kPlay = 2;
constexpr int kGameOver = 3;

// Runs one screen: 1 the menu, 3 the game-over screen, 2 (and any other code) a match.
int main_loop(int code);

// Feeds each screen's result back in, starting from the menu, until a screen returns 0. A result
// outside 0..3 runs the same screen again.
void run_screens(int (*screen)(int));
