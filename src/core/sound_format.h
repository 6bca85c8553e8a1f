// The mixer's output format: 44.1 kHz, stereo, 16-bit samples. The game opens the audio in it, and
// the asset generator writes the blips of data/ in it (tools/sounds.cpp), so nothing is converted
// when the game loads them.
#pragma once

constexpr int kAudioRate = 44100;
constexpr int kAudioChannels = 2;
