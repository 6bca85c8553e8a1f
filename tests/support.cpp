#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (chdir(RALLY_SOURCE_DIR) != 0) return 2;
  return RUN_ALL_TESTS();
}
