// The test backend: a fake clock the test advances, scripted events, and the
// presented frames kept for inspection.
//
// The clock only moves when the test moves it, when the program waits
// (WaitUntil jumps to the deadline) or when a frame is presented (each Present
// stands for one retrace and advances the clock by presentMs). Scripted events
// are delivered by PumpMessages once their time or frame has come.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sound_device.h"

namespace torvel {

// The sound device of the headless backend: remembers every call, and plays a
// voice for as long as its sample lasts on the backend's clock.
class RecordingSoundDevice : public SoundDevice {
 public:
  struct Call {
    std::string op;  // "create", "duplicate", "release", "play", "stop", "rewind", "volume", "pan"
    SoundHandle handle = 0;
    int32_t value = 0;  // loop flag, volume or pan
  };
  struct Voice {
    SoundHandle buffer = 0;  // the master buffer whose samples it plays (itself for a master)
    WaveFormat format;
    size_t size = 0;
    std::vector<uint8_t> data;  // masters only
    bool playing = false;
    bool loop = false;
    uint32_t startMs = 0;
    int32_t volume = 0;
    int32_t pan = 0;
    bool released = false;
  };

  explicit RecordingSoundDevice(class HeadlessPlatform* owner) : owner_(owner) {}

  SoundHandle CreateBuffer(const WaveFormat& format, const uint8_t* data, size_t size) override;
  SoundHandle Duplicate(SoundHandle buffer) override;
  void Release(SoundHandle voice) override;
  void Play(SoundHandle voice, bool loop) override;
  void Stop(SoundHandle voice) override;
  void Rewind(SoundHandle voice) override;
  void SetVolume(SoundHandle voice, int32_t hundredthsDb) override;
  void SetPan(SoundHandle voice, int32_t pan) override;
  bool IsPlaying(SoundHandle voice) override;

  // Test controls.
  bool failCreate = false;  // CreateBuffer and Duplicate fail
  const std::vector<Call>& calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  const Voice* GetVoice(SoundHandle h) const;
  int LiveVoices() const;
  // Length of a voice's sample in milliseconds.
  uint32_t LengthMs(SoundHandle h) const;

 private:
  Voice* Find(SoundHandle h);
  class HeadlessPlatform* owner_;
  std::vector<Voice> voices_;  // handle h is voices_[h - 1]
  std::vector<Call> calls_;
};

class HeadlessPlatform : public Platform {
 public:
  enum class EventType {
    KeyDown,
    KeyUp,
    Character,
    MouseDown,
    MouseUp,
    MouseMove,  // value: MouseMoveValue(x, y), the pointer's new screen position
    Activate,
    Deactivate,
    Close,
    RightMouseDown,
    RightMouseUp,
  };
  struct Event {
    EventType type;
    int value = 0;
  };

  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // Platform.
  bool Start(const char* title, std::string& error) override;
  bool FindMode(int width, int height, int bitsPerPixel) override;
  bool SetMode(int width, int height, int bitsPerPixel, bool windowed, std::string& error) override;
  uint8_t* BackBuffer() override { return back_.data(); }
  int32_t Pitch() override { return 640; }
  void SetEvents(const PlatformEvents& events) override { events_ = events; }
  void HideCursor() override {}
  void PumpMessages() override;
  void WaitForMessages(uint32_t timeoutMs) override;
  bool Present() override;
  void SetHardwarePalette(const uint8_t bgrx[1024]) override;
  void ClearBackBuffer() override;
  void GetMousePosition(int& x, int& y) override;
  void SetMousePosition(int x, int y) override;
  uint32_t Milliseconds() override { return clock_; }
  void WaitUntil(uint32_t deadline) override;
  bool GetJoystickCaps(JoystickCaps& caps) override;
  bool ReadJoystick(JoystickPosition& position) override;
  SoundDevice* Sound() override { return &sound_; }
  void ShowFatalError(const char* text) override;
  void Shutdown() override {}

  // Test controls: clock.
  void AdvanceClock(uint32_t ms) { clock_ += ms; }
  void SetClock(uint32_t ms) { clock_ = ms; }
  uint32_t presentMs = 16;  // clock advance per presented frame
  // Frames like the last shown one are not shown again, as on the real
  // screen: they wait their retrace (presentMs) but are not counted or kept.
  bool skipUnchangedFrames = false;
  uint64_t skippedFrames() const { return skipped_; }

  // Test controls: events. Push delivers at the next pump; At delivers at the
  // first pump when the clock reads ms or later; AtFrame after n presents.
  void Push(Event e);
  void PushKey(int scanCode);  // down and up in one pump
  void PushChar(int code) { Push({EventType::Character, code}); }
  static int MouseMoveValue(int x, int y) { return (y << 16) | (x & 0xFFFF); }
  static Event MouseMoveTo(int x, int y) { return {EventType::MouseMove, MouseMoveValue(x, y)}; }
  void At(uint32_t ms, Event e);
  void AtFrame(uint64_t frame, Event e);
  size_t PendingEvents() const { return scheduled_.size(); }

  // Test controls: frames.
  uint64_t frameCount() const { return frames_; }
  const std::vector<uint8_t>& lastFrame() const { return front_; }
  const std::array<uint8_t, 1024>& hardwarePalette() const { return hwPalette_; }
  int paletteSets() const { return paletteSets_; }
  bool keepFrames = false;  // keep every presented frame (and its palette)
  struct Frame {
    std::vector<uint8_t> pixels;
    std::array<uint8_t, 1024> palette;
  };
  const std::vector<Frame>& keptFrames() const { return kept_; }
  void ClearKeptFrames() { kept_.clear(); }
  // Writes the last presented frame as a PNG with the hardware palette.
  bool WriteLastFrame(const std::string& hostPath) const;

  // Test controls: hooks called when the game presents a frame or sleeps.
  void (*onPresent)(HeadlessPlatform& p) = nullptr;
  // Called at the start of every message pump, before anything due is
  // delivered, so events it pushes arrive in the same pump: a tool that
  // plays the game looks at it here and presses its keys.
  void (*onPump)(HeadlessPlatform& p) = nullptr;
  void* hookContext = nullptr;

  // Test controls: joystick.
  bool joystickPresent = false;
  bool joystickFails = false;
  JoystickCaps joystickCaps;
  JoystickPosition joystickPosition;

  // Test controls: failures of the window layer.
  bool failStart = false;
  bool failMode = false;
  std::string lastFatalError;

 private:
  struct Scheduled {
    uint32_t atMs;
    uint64_t atFrame;
    Event event;
  };
  void Deliver(const Event& e);

  std::vector<uint8_t> back_;
  std::vector<uint8_t> front_;
  std::array<uint8_t, 1024> hwPalette_{};
  int paletteSets_ = 0;
  PlatformEvents events_;
  uint32_t clock_ = 1000;
  uint64_t frames_ = 0;
  uint64_t skipped_ = 0;
  std::array<uint8_t, 1024> frontPalette_{};
  std::deque<Scheduled> scheduled_;
  std::vector<Frame> kept_;
  int mouseX_ = 320, mouseY_ = 240;
  RecordingSoundDevice sound_;
};

}  // namespace torvel
