// Collision sounds: the blips of this frame's paddle hits.
#pragma once

#include <cstdint>

struct Mix_Chunk;

// Consumes the frame's hit flags (both are 0 afterwards): each hit plays its paddle's blip unless
// that paddle's last blip is still sounding. A frame without hits touches no mixer function.
void play_sounds();

// Starts `blip` once on the first free channel unless `channel`, the channel of the last one, is
// still busy, and records the new channel (-1, with a message, when it cannot start). With -1
// recorded, the next one starts only when no channel at all is playing.
void play_blip(int32_t& channel, Mix_Chunk* blip);
