// Drawing a match: the playfield, the paddles, the scores and the ball.
#pragma once

#include <SDL.h>

// Scratch rectangles shared by every drawing site. `dest` places the next blit (the blit writes
// the clipped rectangle back into it, so each site sets the coordinates it needs); `src` cuts a
// cell from the digit strip.
extern SDL_Rect src;
extern SDL_Rect dest;

// Digit cells of the strip num.bmp: digit d is the 20x30 cell at x 20*d.
constexpr int kDigitWidth = 20;
constexpr int kDigitHeight = 30;

// Composes one picture of the match into the display surface (the caller flips it). Also keeps
// both paddles within 5..205, the only place where they are bounded, and sets gameover when it
// finds a score of 10.
void draw_screen();
