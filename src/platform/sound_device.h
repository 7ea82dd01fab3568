// The sound device beneath the audio module: buffers of PCM samples, voices
// that share them, play once or looping, stop, rewind, volume and pan.
//
// Volume is in hundredths of a decibel (0 full, -10000 silent); pan runs from
// -10000 (left) to 10000 (right). The SDL backend mixes its voices itself; the
// headless backend records every call for tests.
#pragma once

#include <cstddef>
#include <cstdint>

namespace torvel {

struct WaveFormat {
  uint16_t formatTag = 1;  // 1 = PCM
  uint16_t channels = 1;
  uint32_t samplesPerSec = 22050;
  uint32_t avgBytesPerSec = 44100;
  uint16_t blockAlign = 2;
  uint16_t bitsPerSample = 16;
};

// Handles are positive; 0 means none.
using SoundHandle = int32_t;

class SoundDevice {
 public:
  virtual ~SoundDevice() = default;

  // A buffer holding a copy of the PCM data in the given format.
  virtual SoundHandle CreateBuffer(const WaveFormat& format, const uint8_t* data,
                                   size_t size) = 0;
  // A second voice sharing the buffer's samples.
  virtual SoundHandle Duplicate(SoundHandle buffer) = 0;
  virtual void Release(SoundHandle voice) = 0;

  virtual void Play(SoundHandle voice, bool loop) = 0;
  virtual void Stop(SoundHandle voice) = 0;
  virtual void Rewind(SoundHandle voice) = 0;
  virtual void SetVolume(SoundHandle voice, int32_t hundredthsDb) = 0;
  virtual void SetPan(SoundHandle voice, int32_t pan) = 0;
  virtual bool IsPlaying(SoundHandle voice) = 0;
};

}  // namespace torvel
