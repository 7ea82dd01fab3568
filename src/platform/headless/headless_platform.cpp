#include "platform/headless/headless_platform.h"

#include <cstdio>

#include "common/png.h"

namespace torvel {

// ---- Recording sound device ----

RecordingSoundDevice::Voice* RecordingSoundDevice::Find(SoundHandle h) {
  if (h <= 0 || static_cast<size_t>(h) > voices_.size()) return nullptr;
  Voice& v = voices_[h - 1];
  return v.released ? nullptr : &v;
}

const RecordingSoundDevice::Voice* RecordingSoundDevice::GetVoice(SoundHandle h) const {
  if (h <= 0 || static_cast<size_t>(h) > voices_.size()) return nullptr;
  const Voice& v = voices_[h - 1];
  return v.released ? nullptr : &v;
}

int RecordingSoundDevice::LiveVoices() const {
  int n = 0;
  for (const Voice& v : voices_) n += v.released ? 0 : 1;
  return n;
}

uint32_t RecordingSoundDevice::LengthMs(SoundHandle h) const {
  const Voice* v = GetVoice(h);
  if (!v || v->format.avgBytesPerSec == 0) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(v->size) * 1000 / v->format.avgBytesPerSec);
}

SoundHandle RecordingSoundDevice::CreateBuffer(const WaveFormat& format, const uint8_t* data,
                                               size_t size) {
  calls_.push_back({"create", 0, static_cast<int32_t>(size)});
  if (failCreate) return 0;
  Voice v;
  v.format = format;
  v.size = size;
  v.data.assign(data, data + size);
  voices_.push_back(std::move(v));
  SoundHandle h = static_cast<SoundHandle>(voices_.size());
  voices_.back().buffer = h;
  calls_.back().handle = h;
  return h;
}

SoundHandle RecordingSoundDevice::Duplicate(SoundHandle buffer) {
  calls_.push_back({"duplicate", buffer, 0});
  Voice* master = Find(buffer);
  if (failCreate || !master) return 0;
  Voice v;
  v.buffer = master->buffer;
  v.format = master->format;
  v.size = master->size;
  voices_.push_back(std::move(v));
  return static_cast<SoundHandle>(voices_.size());
}

void RecordingSoundDevice::Release(SoundHandle voice) {
  calls_.push_back({"release", voice, 0});
  if (Voice* v = Find(voice)) {
    v->released = true;
    v->playing = false;
    // The samples go with the buffer (clear() would keep their memory, and
    // a long session that starts a song on every map would hold them all).
    std::vector<uint8_t>().swap(v->data);
  }
}

void RecordingSoundDevice::Play(SoundHandle voice, bool loop) {
  calls_.push_back({"play", voice, loop ? 1 : 0});
  if (Voice* v = Find(voice)) {
    if (!IsPlaying(voice)) v->startMs = owner_->Milliseconds();
    v->playing = true;
    v->loop = loop;
  }
}

void RecordingSoundDevice::Stop(SoundHandle voice) {
  calls_.push_back({"stop", voice, 0});
  if (Voice* v = Find(voice)) v->playing = false;
}

void RecordingSoundDevice::Rewind(SoundHandle voice) {
  calls_.push_back({"rewind", voice, 0});
  if (Voice* v = Find(voice)) v->startMs = owner_->Milliseconds();
}

void RecordingSoundDevice::SetVolume(SoundHandle voice, int32_t hundredthsDb) {
  calls_.push_back({"volume", voice, hundredthsDb});
  if (Voice* v = Find(voice)) v->volume = hundredthsDb;
}

void RecordingSoundDevice::SetPan(SoundHandle voice, int32_t pan) {
  calls_.push_back({"pan", voice, pan});
  if (Voice* v = Find(voice)) v->pan = pan;
}

bool RecordingSoundDevice::IsPlaying(SoundHandle voice) {
  Voice* v = Find(voice);
  if (!v || !v->playing) return false;
  if (v->loop) return true;
  if (owner_->Milliseconds() - v->startMs >= LengthMs(voice)) v->playing = false;
  return v->playing;
}

// ---- Headless platform ----

HeadlessPlatform::HeadlessPlatform() : back_(640 * 480, 0), front_(640 * 480, 0), sound_(this) {}

HeadlessPlatform::~HeadlessPlatform() = default;

bool HeadlessPlatform::Start(const char*, std::string& error) {
  if (failStart) {
    error = "No display available.";
    return false;
  }
  return true;
}

bool HeadlessPlatform::FindMode(int width, int height, int bitsPerPixel) {
  return !failMode && width == 640 && height == 480 && bitsPerPixel == 8;
}

bool HeadlessPlatform::SetMode(int width, int height, int bitsPerPixel, bool, std::string& error) {
  if (!FindMode(width, height, bitsPerPixel)) {
    error = "Unable to set the display mode.";
    return false;
  }
  return true;
}

void HeadlessPlatform::Push(Event e) {
  scheduled_.push_back({0, 0, e});
}

void HeadlessPlatform::PushKey(int scanCode) {
  Push({EventType::KeyDown, scanCode});
  Push({EventType::KeyUp, scanCode});
}

void HeadlessPlatform::At(uint32_t ms, Event e) {
  scheduled_.push_back({ms, 0, e});
}

void HeadlessPlatform::AtFrame(uint64_t frame, Event e) {
  scheduled_.push_back({0, frame, e});
}

void HeadlessPlatform::Deliver(const Event& e) {
  switch (e.type) {
    case EventType::KeyDown:
      if (events_.keyDown) events_.keyDown(e.value);
      break;
    case EventType::KeyUp:
      if (events_.keyUp) events_.keyUp(e.value);
      break;
    case EventType::Character:
      if (events_.character) events_.character(e.value);
      break;
    case EventType::MouseDown:
      if (events_.mouseButton) events_.mouseButton(true);
      break;
    case EventType::MouseUp:
      if (events_.mouseButton) events_.mouseButton(false);
      break;
    case EventType::MouseMove:
      mouseX_ = e.value & 0xFFFF;
      mouseY_ = e.value >> 16;
      break;
    case EventType::Activate:
      if (events_.activate) events_.activate(true);
      break;
    case EventType::Deactivate:
      if (events_.activate) events_.activate(false);
      break;
    case EventType::Close:
      if (events_.closeRequested) events_.closeRequested();
      break;
    case EventType::RightMouseDown:
      if (events_.rightButton) events_.rightButton(true);
      break;
    case EventType::RightMouseUp:
      if (events_.rightButton) events_.rightButton(false);
      break;
  }
}

void HeadlessPlatform::PumpMessages() {
  if (onPump) onPump(*this);
  // Deliver in scheduling order everything whose time has come; a hook may
  // schedule more, which waits for the next pump.
  std::deque<Scheduled> due;
  for (auto it = scheduled_.begin(); it != scheduled_.end();) {
    bool timeOk = static_cast<int32_t>(clock_ - it->atMs) >= 0;
    bool frameOk = frames_ >= it->atFrame;
    if (timeOk && frameOk) {
      due.push_back(*it);
      it = scheduled_.erase(it);
    } else {
      ++it;
    }
  }
  for (const Scheduled& s : due) Deliver(s.event);
}

void HeadlessPlatform::WaitForMessages(uint32_t timeoutMs) {
  // Jump to the earliest scheduled event by time, or by the whole timeout.
  uint32_t wake = clock_ + timeoutMs;
  for (const Scheduled& s : scheduled_) {
    if (frames_ < s.atFrame) continue;
    if (static_cast<int32_t>(s.atMs - clock_) <= 0) return;
    if (static_cast<int32_t>(s.atMs - wake) < 0) wake = s.atMs;
  }
  clock_ = wake;
}

bool HeadlessPlatform::Present() {
  clock_ += presentMs;
  if (skipUnchangedFrames && frames_ > 0 && back_ == front_ && hwPalette_ == frontPalette_) {
    ++skipped_;
    return false;
  }
  front_ = back_;
  frontPalette_ = hwPalette_;
  ++frames_;
  if (keepFrames) kept_.push_back({front_, hwPalette_});
  if (onPresent) onPresent(*this);
  return true;
}

void HeadlessPlatform::SetHardwarePalette(const uint8_t bgrx[1024]) {
  for (int i = 0; i < 1024; ++i) hwPalette_[i] = bgrx[i];
  ++paletteSets_;
}

void HeadlessPlatform::ClearBackBuffer() {
  std::fill(back_.begin(), back_.end(), 0);
}

void HeadlessPlatform::GetMousePosition(int& x, int& y) {
  x = mouseX_;
  y = mouseY_;
}

void HeadlessPlatform::SetMousePosition(int x, int y) {
  mouseX_ = x;
  mouseY_ = y;
}

void HeadlessPlatform::WaitUntil(uint32_t deadline) {
  if (static_cast<int32_t>(deadline - clock_) > 0) clock_ = deadline;
}

bool HeadlessPlatform::GetJoystickCaps(JoystickCaps& caps) {
  if (!joystickPresent) return false;
  caps = joystickCaps;
  return true;
}

bool HeadlessPlatform::ReadJoystick(JoystickPosition& position) {
  if (!joystickPresent || joystickFails) return false;
  position = joystickPosition;
  return true;
}

void HeadlessPlatform::ShowFatalError(const char* text) {
  lastFatalError = text ? text : "";
}

bool HeadlessPlatform::WriteLastFrame(const std::string& hostPath) const {
  return WritePalettedPng(hostPath, front_.data(), 640, 480, 640, hwPalette_.data());
}

}  // namespace torvel
