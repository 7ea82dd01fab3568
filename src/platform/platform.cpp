#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace torvel {

namespace {
Platform* gPlatform = nullptr;
}

void InstallPlatform(Platform* platform) { gPlatform = platform; }

bool HasPlatform() { return gPlatform != nullptr; }

Platform& GetPlatform() {
  if (!gPlatform) {
    std::fprintf(stderr, "TORVEL: no platform backend installed\n");
    std::abort();
  }
  return *gPlatform;
}

}  // namespace torvel
