// What the program needs to start the SDL backend, without SDL's headers:
// the settings only this port has and the backend's factory.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace torvel {

// Settings only this port has, from port.ini; the defaults behave like the
// original program (full screen unless the command line says window).
struct PortSettings {
  bool forceWindow = false;        // [Display] Window=1
  bool integerScaling = true;      // [Display] IntegerScaling=1
  bool vsync = true;               // [Display] VSync=1
  bool presentEveryFrame = false;  // [Display] PresentEveryFrame=1: even frames like the last
};

std::unique_ptr<Platform> CreateSdlPlatform(const PortSettings& settings);

}  // namespace torvel
