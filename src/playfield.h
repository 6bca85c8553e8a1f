// Drawing a match: the playfield, the paddles, the scores and the ball.
#pragma once

#include <SDL.h>

// Scratch rectangles shared by every drawing site. `dest` places the next blit (the blit writes
// the clipped rectangle back into it, so each site sets the coordinates it needs); `src` cuts a
// cell from the digit strip.
extern SDL_Rect src;
extern SDL_Rect dest;

// Composes one picture of the match into the display surface (the caller flips it). Also keeps
// both paddles within 5..205, the only place where they are bounded, and sets gameover when it
// finds the winning score.
void draw_screen();
