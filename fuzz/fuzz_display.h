// A headless display shared by the graphics fuzzers: the loaders' results are
// drawn into it, so that a malformed file that got through would be caught
// writing or reading out of bounds.
#pragma once

#include <memory>

#include "gfx/display.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

namespace torvel::fuzz {

inline Display* FuzzDisplay() {
  static std::unique_ptr<HeadlessPlatform> platform = [] {
    auto p = std::make_unique<HeadlessPlatform>();
    InstallPlatform(p.get());
    return p;
  }();
  static Display display("TORVEL", 640, 480, 8, true);
  return &display;
}

}  // namespace torvel::fuzz
