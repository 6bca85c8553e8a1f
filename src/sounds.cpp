#include "sounds.h"

#include "game_state.h"

// The blips themselves arrive with the mixer work; until then a hit only clears its flag, which
// the next frame's reversal passes rely on.
void play_sounds() {
  game.p1_collision = 0;
  game.p2_collision = 0;
}
