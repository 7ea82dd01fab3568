// The SDL sound device: one output stream, mixed by our own mixer in SDL's
// audio callback. SDL converts the float stereo stream to whatever the
// hardware wants.
#include <SDL.h>

#include <memory>

#include "audio/mixer.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sound_device.h"

namespace torvel {

namespace {

constexpr int kWantedRate = 44100;
constexpr Uint16 kCallbackFrames = 1024;  // about 23 ms at 44.1 kHz

class SdlSoundDevice : public SoundDevice {
 public:
  SdlSoundDevice() = default;
  ~SdlSoundDevice() override {
    // Closing waits for a running callback, so the mixer outlives the stream.
    if (device_) SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool Open() {
    SDL_AudioSpec want{};
    want.freq = kWantedRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = kCallbackFrames;
    want.callback = &SdlSoundDevice::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (device_ == 0) return false;
    mixer_ = std::make_unique<Mixer>(static_cast<uint32_t>(have.freq));
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

  SoundHandle CreateBuffer(const WaveFormat& format, const uint8_t* data, size_t size) override {
    return mixer_->CreateBuffer(format, data, size);
  }
  SoundHandle Duplicate(SoundHandle buffer) override { return mixer_->Duplicate(buffer); }
  void Release(SoundHandle voice) override { mixer_->Release(voice); }
  void Play(SoundHandle voice, bool loop) override { mixer_->Play(voice, loop); }
  void Stop(SoundHandle voice) override { mixer_->Stop(voice); }
  void Rewind(SoundHandle voice) override { mixer_->Rewind(voice); }
  void SetVolume(SoundHandle voice, int32_t hundredthsDb) override {
    mixer_->SetVolume(voice, hundredthsDb);
  }
  void SetPan(SoundHandle voice, int32_t pan) override { mixer_->SetPan(voice, pan); }
  bool IsPlaying(SoundHandle voice) override { return mixer_->IsPlaying(voice); }

 private:
  static void SDLCALL Callback(void* userdata, Uint8* stream, int len) {
    auto* self = static_cast<SdlSoundDevice*>(userdata);
    size_t frames = static_cast<size_t>(len) / (2 * sizeof(float));
    self->mixer_->Mix(reinterpret_cast<float*>(stream), frames);
  }

  SDL_AudioDeviceID device_ = 0;
  std::unique_ptr<Mixer> mixer_;
};

}  // namespace

std::unique_ptr<SoundDevice> CreateSdlSoundDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  auto device = std::make_unique<SdlSoundDevice>();
  // A failed open quits the audio subsystem again in the destructor; the game
  // then runs silent.
  if (!device->Open()) return nullptr;
  return device;
}

}  // namespace torvel
