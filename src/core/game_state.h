// The whole game's state: one record with program lifetime, shared by every screen and stage.
//
// The member initialisers are the values at program start. A new match changes only what
// init_gamestate lists; everything else (the arming flag, the intents, the collision flags, the
// channels, the settings and the clock) carries over from one match to the next.
#pragma once

#include <cstdint>

struct SDL_Surface;
struct Mix_Chunk;

struct GameState {
  // Playfield, in screen pixels from the top-left corner (y grows downwards).
  int32_t paddle1_y = 0;  // top edge of the left paddle
  int32_t paddle2_y = 0;  // top edge of the right paddle
  int32_t ball_x = 0;     // top-left corner of the ball
  int32_t ball_y = 0;
  int32_t angle = 0;           // heading in degrees: 0 up, 90 right, 180 down, 270 left
  int32_t crossed_middle = 0;  // 1 once the ball is in the half it heads into: paddles armed

  // Movement intents for this frame, each 0 or 1.
  int32_t p1_moveup = 0;
  int32_t p1_movedown = 0;
  int32_t p2_moveup = 0;
  int32_t p2_movedown = 0;

  // Score, events and the end of a match.
  int32_t p1_score = 0;
  int32_t p2_score = 0;
  int32_t p1_collision = 0;  // the left paddle hit the ball in this frame
  int32_t p2_collision = 0;  // the right paddle hit the ball in this frame
  int32_t random = 0;        // this frame's random choice: 0, 1 or 2
  int32_t gameover = 0;      // a side has reached the winning score
  int32_t finished = 0;      // a screen's loop runs while this is 0

  // Timing: tick counts are unsigned and compared modulo 2^32.
  int32_t frame_time = 16;  // milliseconds per play frame
  uint32_t time_now = 0;
  uint32_t time_then = 0;  // the last frame boundary

  // Settings and the menu's latch for the players button.
  int32_t players = 1;  // 1: the computer drives the right paddle
  int32_t volume = 5;   // level 0..9
  int32_t y_pressed = 0;
  int32_t y_released = 1;
  // 1 in the desktop edition: Y (P, Pause) and losing the focus pause a match.
  int32_t pausable = 0;
  // 1 in the desktop edition: the slides and waits take their time, and waits sleep (pacing.h).
  int32_t paced = 0;

  // Mixer channel on which each paddle's blip last started; -1 after a failed start.
  int32_t channelp1 = 0;
  int32_t channelp2 = 0;

  // Pin-state array: entry i is the level of button line i, 1 released, 0 pressed.
  int8_t inputs[32] = {};

  // Resources, null until loaded or when loading failed.
  SDL_Surface* screen = nullptr;
  SDL_Surface* background = nullptr;
  SDL_Surface* paddle = nullptr;
  SDL_Surface* ball = nullptr;
  SDL_Surface* num = nullptr;
  SDL_Surface* menu = nullptr;
  SDL_Surface* gameover_left = nullptr;
  SDL_Surface* gameover_right = nullptr;
  Mix_Chunk* p1_blip = nullptr;  // left paddle's blip, also the menu's volume click
  Mix_Chunk* p2_blip = nullptr;  // right paddle's blip
};

extern GameState game;

// Starts a match: paddles, ball, heading, scores and the end flags go back to their serve
// values, and the two blips are loaded afresh (any still held are released first).
void init_gamestate();

// Releases both blips, leaving their handles null.
void release_sounds();
