// The software mixer beneath the SDL sound device: buffers converted once to
// the output rate, voices sharing them, and one stereo float stream mixed
// from every playing voice.
//
// The game thread creates, starts, stops and queries voices; the audio thread
// calls Mix. One lock keeps the two apart, held only for short bookkeeping on
// the game side and for one mixing pass on the audio side.
//
// Volume and pan changes on a playing voice glide over a few milliseconds, and
// a voice that is stopped, rewound or released while audible fades out over
// the same time, so that neither clicks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "audio/gain.h"
#include "platform/sound_device.h"

namespace torvel {

class Mixer : public SoundDevice {
 public:
  // Mixes at outputRate frames per second, two channels.
  explicit Mixer(uint32_t outputRate);
  ~Mixer() override;

  SoundHandle CreateBuffer(const WaveFormat& format, const uint8_t* data, size_t size) override;
  SoundHandle Duplicate(SoundHandle buffer) override;
  void Release(SoundHandle voice) override;
  void Play(SoundHandle voice, bool loop) override;
  void Stop(SoundHandle voice) override;
  void Rewind(SoundHandle voice) override;
  void SetVolume(SoundHandle voice, int32_t hundredthsDb) override;
  void SetPan(SoundHandle voice, int32_t pan) override;
  bool IsPlaying(SoundHandle voice) override;

  // Fills frames stereo frames (left, right interleaved, -1..1) with the mix
  // of every playing voice, advancing them.
  void Mix(float* out, size_t frames);

  uint32_t OutputRate() const { return rate_; }
  // Frames a gain change takes, and a cut voice takes to fade out.
  uint32_t RampFrames() const { return rampFrames_; }
  // Frames the voice's sample lasts at the output rate (0 for no such voice).
  size_t LengthFrames(SoundHandle voice);
  size_t LiveVoices();

 private:
  struct Sample {
    std::vector<int16_t> samples;  // interleaved when stereo
    uint16_t channels = 1;
    size_t frames = 0;
  };
  struct Voice {
    std::shared_ptr<const Sample> sample;
    bool playing = false;
    bool loop = false;
    size_t pos = 0;
    int32_t volume = 0;
    int32_t pan = 0;
    StereoGain target;
    StereoGain gain;  // what is applied now; glides toward target
    float stepLeft = 0, stepRight = 0;
    uint32_t rampLeft = 0;
  };

  std::shared_ptr<const Sample> Convert(const WaveFormat& format, const uint8_t* data,
                                        size_t size) const;
  Voice* Find(SoundHandle h);
  void Retarget(Voice& v);
  // Keeps the voice's current sound going as a fade-out of its own.
  void AddTail(const Voice& v);
  // Adds one voice's next frames to out; false when it ran out (not looping).
  bool MixVoice(Voice& v, float* out, size_t frames);

  const uint32_t rate_;
  const uint32_t rampFrames_;
  std::mutex mutex_;
  std::unordered_map<SoundHandle, Voice> voices_;
  std::vector<Voice> tails_;
  SoundHandle nextHandle_ = 1;
};

}  // namespace torvel
