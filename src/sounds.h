// Collision sounds: the blips of this frame's paddle hits.
#pragma once

// Consumes the frame's hit flags (both are 0 afterwards).
void play_sounds();
