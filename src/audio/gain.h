// Volume and pan as the sound device takes them, turned into the two channel
// gains the mixer multiplies by.
#pragma once

#include <cstdint>

namespace torvel {

constexpr int32_t kSilentVolume = -10000;  // hundredths of a decibel
constexpr int32_t kPanLeft = -10000;
constexpr int32_t kPanRight = 10000;

struct StereoGain {
  float left = 1.0f;
  float right = 1.0f;
};

// volume: hundredths of a decibel, 0 full, -10000 silent. pan: -10000 (left)
// .. 10000 (right); panning never boosts the near side, it attenuates the far
// side by the pan value in hundredths of a decibel, on top of the volume.
// Values out of range are clamped; -10000 or less in all is silence.
StereoGain GainsFromVolumePan(int32_t volume, int32_t pan);

}  // namespace torvel
