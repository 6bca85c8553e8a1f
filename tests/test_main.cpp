// Runs every test from the checkout's root (where data/ lives) on SDL's headless drivers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "test_support.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (chdir(source_dir().c_str()) != 0) return 2;
  const int result = RUN_ALL_TESTS();
  close_test_display();
  return result;
}
