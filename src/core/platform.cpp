#include "core/platform.h"

#include <cassert>

namespace {
Platform* current = nullptr;
}

Platform& platform() {
  assert(current != nullptr && "set_platform must be called before the game runs");
  return *current;
}

void set_platform(Platform* binding) {
  current = binding;
}
