// The desktop's display through OpenGL, where the graphics card scales the picture: one texture
// of the 320x240 picture, drawn with nearest filtering at the largest whole factor that fits and
// centred on black, as SDL's own surface shows it.
#pragma once

#include <SDL.h>

// Sets an OpenGL video mode of this size (`flags` may add SDL_FULLSCREEN) and prepares the
// texture, anew at every mode. Returns null when OpenGL is not available; SDL_GetError says why.
SDL_Surface* open_gl_display(int width, int height, Uint32 flags);

// The name of the renderer that draws OpenGL's pictures (GL_RENDERER) once a mode is set.
const char* gl_renderer();

// Shows a 16-bit RGB565 picture on the OpenGL display and swaps the buffers.
void show_gl_picture(SDL_Surface* picture);
