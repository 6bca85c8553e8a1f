// rally_baseline FRAMES: the least that the game's start-up and frames can cost. It opens SDL's
// display and audio as the game does and loads the same files, then draws FRAMES pictures of a
// match with only the unavoidable work: the whole background and five small blits (two paddles,
// two score digits, the ball), all from surfaces in the display's format, then a flip.
#include <SDL.h>
#include <SDL_mixer.h>

#include <string>

int main(int argc, char** argv) {
  SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO);
  SDL_Surface* screen = SDL_SetVideoMode(320, 240, 16, SDL_FULLSCREEN);
  Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048);
  SDL_Surface* bitmaps[7];  // those drawn in a match first
  const char* const kNames[] = {"background",     "paddle",         "num", "ball", "menu",
                                "game_over_left", "game_over_right"};
  for (int i = 0; i < 7; ++i) {
    SDL_Surface* loaded = SDL_LoadBMP(("data/" + std::string(kNames[i]) + ".bmp").c_str());
    bitmaps[i] = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
  }
  Mix_LoadWAV("data/p1_blip.wav");
  Mix_LoadWAV("data/p2_blip.wav");

  // Background, paddles, digits (cut from the strip), ball.
  const int drawn[6] = {0, 1, 1, 2, 2, 3};
  for (int frame = argc > 1 ? SDL_atoi(argv[1]) : 0; frame > 0; --frame) {
    SDL_Rect digit = {20, 0, 20, 30}, at[6] = {{0, 0, 0, 0},   {5, 105, 0, 0}, {305, 105, 0, 0},
                                               {135, 8, 0, 0}, {165, 8, 0, 0}, {155, 115, 0, 0}};
    for (int i = 0; i < 6; ++i)
      SDL_BlitSurface(bitmaps[drawn[i]], drawn[i] == 2 ? &digit : nullptr, screen, &at[i]);
    SDL_Flip(screen);
  }
}
