// The rules of a match, one play frame at a time. Plain code over the game state: no SDL here;
// the only thing these stages need from outside is the pause after a point, which they take
// through the platform seam.
#pragma once

#include <cstdint>

// Headings are sorted into sixteen sectors [low, high): lower bound in, upper bound out.
constexpr bool in_sector(int32_t angle, int32_t low, int32_t high) {
  return angle >= low && angle < high;
}

// Movement stage: paddles move by their intents (unbounded), the ball takes its sector's step.
void update_locations();

// Collision stage: walls, arming, paddle hits, reversal and wrap of the heading, points with
// their pause and the serve, and the end of the match.
void handle_collisions();
