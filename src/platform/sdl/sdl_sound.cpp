// Stand-in until the SDL mixer lands: no sound device.
#include "platform/sdl/sdl_platform.h"
#include "platform/sound_device.h"

namespace torvel {

std::unique_ptr<SoundDevice> CreateSdlSoundDevice() { return nullptr; }

}  // namespace torvel
