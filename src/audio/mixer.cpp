#include "audio/mixer.h"

#include <algorithm>

namespace torvel {

namespace {

// Gain changes glide over this long: short enough to feel immediate, long
// enough not to click.
constexpr uint32_t kRampMs = 4;
// Voices cut while audible fade out on their own; beyond this many at once
// (only a storm of restarts gets there) the newest cut is simply silent.
constexpr size_t kMaxTails = 64;
// No sample the game plays comes near this; a longer one is refused rather
// than converted into an enormous buffer.
constexpr uint64_t kMaxSeconds = 600;

int16_t SourceSample(const uint8_t* frame, int channel, int bits) {
  if (bits == 8) return static_cast<int16_t>((frame[channel] - 128) * 256);
  const uint8_t* p = frame + 2 * channel;
  return static_cast<int16_t>(p[0] | (p[1] << 8));
}

}  // namespace

Mixer::Mixer(uint32_t outputRate)
    : rate_(outputRate ? outputRate : 44100),
      rampFrames_(std::max<uint32_t>(1, rate_ * kRampMs / 1000)) {}

Mixer::~Mixer() = default;

std::shared_ptr<const Mixer::Sample> Mixer::Convert(const WaveFormat& f, const uint8_t* data,
                                                    size_t size) const {
  if (f.channels != 1 && f.channels != 2) return nullptr;
  if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return nullptr;
  if (f.samplesPerSec == 0 || !data) return nullptr;
  const size_t frameBytes = static_cast<size_t>(f.channels) * f.bitsPerSample / 8;
  const uint64_t inFrames = size / frameBytes;
  if (inFrames == 0) return nullptr;
  const uint64_t inRate = f.samplesPerSec;
  const uint64_t outFrames = std::max<uint64_t>(1, (inFrames * rate_ + inRate / 2) / inRate);
  if (outFrames > kMaxSeconds * rate_) return nullptr;

  auto sample = std::make_shared<Sample>();
  sample->channels = f.channels;
  sample->frames = static_cast<size_t>(outFrames);
  sample->samples.resize(sample->frames * f.channels);
  const int bits = f.bitsPerSample;
  for (uint64_t i = 0; i < outFrames; ++i) {
    // Output frame i lies at source position i * inRate / rate, between two
    // source frames; the sample is read as one period of a loop, so the last
    // frames lean toward the first and a looping song joins without a step.
    uint64_t num = i * inRate;
    uint64_t index = num / rate_;
    int64_t frac = static_cast<int64_t>(num % rate_);
    const uint8_t* a = data + (index % inFrames) * frameBytes;
    const uint8_t* b = data + ((index + 1) % inFrames) * frameBytes;
    for (int c = 0; c < f.channels; ++c) {
      int64_t sa = SourceSample(a, c, bits);
      int64_t sb = SourceSample(b, c, bits);
      int64_t v = sa + (sb - sa) * frac / static_cast<int64_t>(rate_);
      sample->samples[i * f.channels + c] = static_cast<int16_t>(v);
    }
  }
  return sample;
}

Mixer::Voice* Mixer::Find(SoundHandle h) {
  auto it = voices_.find(h);
  return it == voices_.end() ? nullptr : &it->second;
}

SoundHandle Mixer::CreateBuffer(const WaveFormat& format, const uint8_t* data, size_t size) {
  // The conversion is the slow part; it runs before the mixer is locked.
  std::shared_ptr<const Sample> sample = Convert(format, data, size);
  if (!sample) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  SoundHandle h = nextHandle_++;
  Voice& v = voices_[h];
  v.sample = std::move(sample);
  return h;
}

SoundHandle Mixer::Duplicate(SoundHandle buffer) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* master = Find(buffer);
  if (!master) return 0;
  Voice copy;
  copy.sample = master->sample;
  copy.volume = master->volume;
  copy.pan = master->pan;
  copy.target = master->target;
  copy.gain = master->target;
  SoundHandle h = nextHandle_++;
  voices_[h] = std::move(copy);
  return h;
}

void Mixer::Release(SoundHandle voice) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = voices_.find(voice);
  if (it == voices_.end()) return;
  AddTail(it->second);
  voices_.erase(it);
}

void Mixer::Play(SoundHandle voice, bool loop) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* v = Find(voice);
  if (!v) return;
  v->loop = loop;
  if (v->playing) return;
  v->playing = true;
  v->gain = v->target;
  v->rampLeft = 0;
}

void Mixer::Stop(SoundHandle voice) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* v = Find(voice);
  if (!v || !v->playing) return;
  AddTail(*v);
  v->playing = false;
}

void Mixer::Rewind(SoundHandle voice) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* v = Find(voice);
  if (!v) return;
  if (v->pos != 0) AddTail(*v);
  v->pos = 0;
}

void Mixer::SetVolume(SoundHandle voice, int32_t hundredthsDb) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* v = Find(voice);
  if (!v) return;
  v->volume = hundredthsDb;
  Retarget(*v);
}

void Mixer::SetPan(SoundHandle voice, int32_t pan) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* v = Find(voice);
  if (!v) return;
  v->pan = pan;
  Retarget(*v);
}

bool Mixer::IsPlaying(SoundHandle voice) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* v = Find(voice);
  return v && v->playing;
}

size_t Mixer::LengthFrames(SoundHandle voice) {
  std::lock_guard<std::mutex> lock(mutex_);
  Voice* v = Find(voice);
  return v ? v->sample->frames : 0;
}

size_t Mixer::LiveVoices() {
  std::lock_guard<std::mutex> lock(mutex_);
  return voices_.size();
}

void Mixer::Retarget(Voice& v) {
  v.target = GainsFromVolumePan(v.volume, v.pan);
  if (!v.playing) {
    // Nothing is heard yet: the next start takes the new gains as they are.
    v.gain = v.target;
    v.rampLeft = 0;
    return;
  }
  v.stepLeft = (v.target.left - v.gain.left) / static_cast<float>(rampFrames_);
  v.stepRight = (v.target.right - v.gain.right) / static_cast<float>(rampFrames_);
  v.rampLeft = rampFrames_;
}

void Mixer::AddTail(const Voice& v) {
  if (!v.playing || (v.gain.left == 0 && v.gain.right == 0)) return;
  if (tails_.size() >= kMaxTails) return;
  Voice tail = v;
  tail.target = StereoGain{0.0f, 0.0f};
  tail.stepLeft = -v.gain.left / static_cast<float>(rampFrames_);
  tail.stepRight = -v.gain.right / static_cast<float>(rampFrames_);
  tail.rampLeft = rampFrames_;
  tails_.push_back(std::move(tail));
}

bool Mixer::MixVoice(Voice& v, float* out, size_t frames) {
  constexpr float kScale = 1.0f / 32768.0f;
  const Sample& s = *v.sample;
  const int16_t* samples = s.samples.data();
  const bool stereo = s.channels == 2;
  for (size_t i = 0; i < frames; ++i) {
    if (v.rampLeft > 0) {
      v.gain.left += v.stepLeft;
      v.gain.right += v.stepRight;
      if (--v.rampLeft == 0) v.gain = v.target;
    }
    float left, right;
    if (stereo) {
      left = samples[2 * v.pos] * kScale;
      right = samples[2 * v.pos + 1] * kScale;
    } else {
      left = right = samples[v.pos] * kScale;
    }
    out[2 * i] += left * v.gain.left;
    out[2 * i + 1] += right * v.gain.right;
    if (++v.pos >= s.frames) {
      v.pos = 0;
      if (!v.loop) {
        // Played to its end: stopped, and ready to start again from the top.
        v.playing = false;
        return false;
      }
    }
  }
  return true;
}

void Mixer::Mix(float* out, size_t frames) {
  std::fill(out, out + 2 * frames, 0.0f);
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& entry : voices_) {
    if (entry.second.playing) MixVoice(entry.second, out, frames);
  }
  for (size_t i = 0; i < tails_.size();) {
    Voice& tail = tails_[i];
    size_t fade = std::min<size_t>(frames, tail.rampLeft);
    if (MixVoice(tail, out, fade) && tail.rampLeft > 0) {
      ++i;
    } else {
      if (i + 1 != tails_.size()) tails_[i] = std::move(tails_.back());
      tails_.pop_back();
    }
  }
  for (size_t i = 0; i < 2 * frames; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace torvel
