#include "framework/platform.h"

#include <cstdlib>
#include <utility>

namespace fw {

namespace {
Platform* current_platform = nullptr;
}

void SetPlatform(Platform* platform) { current_platform = platform; }

Platform* ReplacePlatform(Platform* platform) { return std::exchange(current_platform, platform); }

Platform& CurrentPlatform() {
  // A dialog shown before a backend exists is a programming error that no
  // user action could recover from.
  if (current_platform == nullptr) std::abort();
  return *current_platform;
}

}  // namespace fw
