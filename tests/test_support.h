// Shared helpers for the tests.
#pragma once

#include <string>

#include "game_state.h"

// Puts the game back to its program-start values, keeping the display and the bitmaps.
void reset_game();

// A real 320x240x16 display surface on SDL's dummy video driver, with the bitmaps of data/
// loaded and converted to its format. Opened on first use and again after a test shut SDL down.
void open_test_display();

// Closes SDL and forgets every surface the game held (start-up tests use this to begin afresh).
void close_test_display();

// The checkout's root, where data/ lives; tests run from there.
std::string source_dir();

// The text of the GPIO proc file in a reading where exactly these buttons (letters) are held.
std::string held(const std::string& buttons = "");

// Reads a whole file into a string ("" when it cannot be read).
std::string read_file(const std::string& path);

// A fresh empty directory under /tmp, removed with everything in it when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Copies the checkout's data/ into dir/data, leaving out the named file (if any).
void copy_data(const std::string& dir, const std::string& leave_out = "");

// Writes a whole file; fails the current test if it cannot.
void write_file(const std::string& path, const std::string& contents);
