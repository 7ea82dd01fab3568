#include "audio/gain.h"

#include <algorithm>
#include <cmath>

namespace torvel {

namespace {

float Attenuation(int32_t hundredthsDb) {
  if (hundredthsDb <= kSilentVolume) return 0.0f;
  return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

}  // namespace

StereoGain GainsFromVolumePan(int32_t volume, int32_t pan) {
  volume = std::clamp(volume, kSilentVolume, 0);
  pan = std::clamp(pan, kPanLeft, kPanRight);
  StereoGain g;
  g.left = Attenuation(volume - std::max(pan, 0));
  g.right = Attenuation(volume + std::min(pan, 0));
  return g;
}

}  // namespace torvel
