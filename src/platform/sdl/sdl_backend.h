// What the program needs to start the SDL backend, without SDL's headers:
// the settings only this port has and the backend's factory.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "platform/port_settings.h"

namespace torvel {

std::unique_ptr<Platform> CreateSdlPlatform(const PortSettings& settings);

}  // namespace torvel
