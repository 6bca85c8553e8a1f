#include "desktop/gl_display.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "core/fit.h"

namespace {

// The texture is a power of two in each direction, for the oldest OpenGL; the picture takes its
// top-left corner.
constexpr int kTextureWidth = 512;
constexpr int kTextureHeight = 256;

// The OpenGL functions used, looked up through SDL once the context exists, so that the game
// needs no OpenGL library to start: without one it shows its pictures through SDL's own surface.
struct GlFunctions {
  decltype(&glBindTexture) bind_texture;
  decltype(&glBegin) begin;
  decltype(&glClear) clear;
  decltype(&glEnable) enable;
  decltype(&glEnd) end;
  decltype(&glGenTextures) gen_textures;
  decltype(&glGetString) get_string;
  decltype(&glPixelStorei) pixel_store;
  decltype(&glTexCoord2f) tex_coord;
  decltype(&glTexImage2D) tex_image;
  decltype(&glTexParameteri) tex_parameter;
  decltype(&glTexSubImage2D) tex_sub_image;
  decltype(&glVertex2f) vertex;
  decltype(&glViewport) viewport;
} gl;

template <class Function>
bool look_up(Function& function, const char* name) {
  function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
  return function != nullptr;
}

bool look_up_all() {
  return look_up(gl.bind_texture, "glBindTexture") && look_up(gl.begin, "glBegin") &&
         look_up(gl.clear, "glClear") && look_up(gl.enable, "glEnable") &&
         look_up(gl.end, "glEnd") && look_up(gl.gen_textures, "glGenTextures") &&
         look_up(gl.get_string, "glGetString") && look_up(gl.pixel_store, "glPixelStorei") &&
         look_up(gl.tex_coord, "glTexCoord2f") && look_up(gl.tex_image, "glTexImage2D") &&
         look_up(gl.tex_parameter, "glTexParameteri") &&
         look_up(gl.tex_sub_image, "glTexSubImage2D") && look_up(gl.vertex, "glVertex2f") &&
         look_up(gl.viewport, "glViewport");
}

}  // namespace

SDL_Surface* open_gl_display(int width, int height, Uint32 flags) {
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 0);  // never wait for the display's refresh
  SDL_Surface* video = SDL_SetVideoMode(width, height, 0, flags | SDL_OPENGL);
  if (video == nullptr) return nullptr;
  if (!look_up_all()) {
    SDL_SetError("OpenGL lacks the functions the game uses");
    return nullptr;
  }
  GLuint texture = 0;
  gl.gen_textures(1, &texture);
  gl.bind_texture(GL_TEXTURE_2D, texture);
  gl.tex_parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);  // whole pixels, unblurred
  gl.tex_parameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  gl.tex_image(GL_TEXTURE_2D, 0, GL_RGB, kTextureWidth, kTextureHeight, 0, GL_RGB,
               GL_UNSIGNED_SHORT_5_6_5, nullptr);
  gl.enable(GL_TEXTURE_2D);
  gl.pixel_store(GL_UNPACK_ALIGNMENT, 2);
  return video;
}

const char* gl_renderer() {
  const auto* name = reinterpret_cast<const char*>(gl.get_string(GL_RENDERER));
  return name != nullptr ? name : "unknown";
}

void show_gl_picture(SDL_Surface* picture) {
  const SDL_Surface* video = SDL_GetVideoSurface();
  const Fit fit = fit_picture(video->w, video->h, picture->w, picture->h);
  const int factor = fit.factor, left = fit.left, top = fit.top;
  gl.pixel_store(GL_UNPACK_ROW_LENGTH, picture->pitch / 2);
  gl.tex_sub_image(GL_TEXTURE_2D, 0, 0, 0, picture->w, picture->h, GL_RGB, GL_UNSIGNED_SHORT_5_6_5,
                   picture->pixels);
  gl.viewport(0, 0, video->w, video->h);
  gl.clear(GL_COLOR_BUFFER_BIT);  // black around the picture
  // OpenGL counts rows from the bottom; the picture's first row is its top.
  gl.viewport(left, video->h - top - picture->h * factor, picture->w * factor, picture->h * factor);
  const float right = static_cast<float>(picture->w) / kTextureWidth;
  const float bottom = static_cast<float>(picture->h) / kTextureHeight;
  gl.begin(GL_QUADS);
  gl.tex_coord(0, bottom);
  gl.vertex(-1, -1);
  gl.tex_coord(right, bottom);
  gl.vertex(1, -1);
  gl.tex_coord(right, 0);
  gl.vertex(1, 1);
  gl.tex_coord(0, 0);
  gl.vertex(-1, 1);
  gl.end();
  SDL_GL_SwapBuffers();
}
