#include "audio/sound.h"

#include <cstdio>
#include <vector>

#include "audio/wav.h"
#include "gfx/draw_list.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "platform/sound_device.h"
#include "player/player_record.h"

namespace torvel {

namespace {

constexpr int32_t kTopPriority = 65536;
constexpr int32_t kSongPriority = 2;
constexpr int32_t kStartSongVolume = -700;
constexpr int32_t kFarthestVolume = -5000;  // about 800 pixels away
constexpr int kSongChannel = 0;
constexpr int kFirstEffectChannel = 1;

struct SoundState {
  SoundDevice* device = nullptr;
  bool on = false;
  // Buffer slots: the master buffers of cached samples and the duplicates
  // that play them. 0 = empty.
  std::vector<SoundHandle> slots;
  int firstFree = 0;                // the lowest slot that may be free
  int32_t cache[kSoundCount] = {};  // slot of sound n's master buffer, -1 not loaded
  SoundChannel channels[kSoundChannels];
  int32_t songVolume = kStartSongVolume;
  int currentSong = 0;
  int previousSong = 0;
};

SoundState gSound;

bool ValidNumber(int n) {
  return n >= 0 && n < kSoundCount;
}

// The player's music setting: 0 off, 1 low, 2 medium, 3 full.
uint8_t MusicSetting() {
  return Player().musicVolume;
}

// ---- Slots ----

// Puts a new buffer into the first free slot; -1 when the table is full.
int TakeSlot(SoundHandle handle) {
  int count = static_cast<int>(gSound.slots.size());
  if (gSound.firstFree >= count) return -1;
  int slot = gSound.firstFree;
  gSound.slots[slot] = handle;
  int next = slot + 1;
  while (next < count && gSound.slots[next] != 0) ++next;
  gSound.firstFree = next;
  return slot;
}

bool SlotFree() {
  return gSound.firstFree < static_cast<int>(gSound.slots.size());
}

SoundHandle SlotHandle(int32_t slot) {
  if (slot < 0 || slot >= static_cast<int32_t>(gSound.slots.size())) return 0;
  return gSound.slots[slot];
}

void FreeSlot(int32_t slot) {
  SoundHandle h = SlotHandle(slot);
  if (h == 0) return;
  if (gSound.device->IsPlaying(h)) gSound.device->Stop(h);
  gSound.device->Release(h);
  gSound.slots[slot] = 0;
  if (slot < gSound.firstFree) gSound.firstFree = slot;
}

// ---- Samples ----

// Loads sound n into the cache on first use. A failure keeps nothing, so the
// file is tried again on the next request.
bool LoadSound(int n) {
  if (gSound.cache[n] >= 0) return true;
  if (!SlotFree()) return false;
  char name[32];
  std::snprintf(name, sizeof(name), "sound\\snd%03d.wav", n);
  WavSound wav;
  if (!LoadWav(DataPath(name), wav)) return false;
  SoundHandle h = gSound.device->CreateBuffer(wav.format, wav.data.data(), wav.data.size());
  if (h == 0) return false;
  gSound.cache[n] = TakeSlot(h);
  return true;
}

// A new voice sharing sound n's cached sample, in a slot of its own; -1 on failure.
int32_t DuplicateSound(int n) {
  if (!SlotFree()) return -1;
  SoundHandle h = gSound.device->Duplicate(SlotHandle(gSound.cache[n]));
  if (h == 0) return -1;
  return TakeSlot(h);
}

void ClearChannel(SoundChannel& c) {
  FreeSlot(c.slot);
  c = SoundChannel{};
}

// ---- Songs ----

void StartSong(int s, int32_t volume) {
  if (!LoadSound(s)) return;
  SoundChannel& c = gSound.channels[kSongChannel];
  if (c.sound != s) {
    FreeSlot(c.slot);
    c.slot = -1;
    c.sound = s;
  }
  if (c.slot < 0) {
    c.slot = DuplicateSound(s);
    if (c.slot < 0) return;
  }
  c.priority = kSongPriority;
  c.pan = 0;
  c.volume = volume;
  c.flags = kSoundStarted;
  // A song already playing goes on as it is, at the volume it has.
  SoundHandle h = SlotHandle(c.slot);
  if (!gSound.device->IsPlaying(h)) {
    gSound.device->SetPan(h, 0);
    gSound.device->SetVolume(h, volume);
    gSound.device->Play(h, true);
  }
}

// Picks the effect channel for a new request of sound n at the effective
// priority; 0 when none may be taken.
int ChooseChannel(int n, int32_t priority, uint8_t flags) {
  // A channel with nothing on it, or whose sound was seen finished, at once.
  for (int ch = kFirstEffectChannel; ch < kSoundChannels; ++ch) {
    const SoundChannel& c = gSound.channels[ch];
    if (c.sound < 0 || !(c.flags & kSoundStarted)) return ch;
  }
  // Otherwise the least important of those this request outranks (or that
  // play this very sound, when it may cut itself off); the first on a tie.
  int best = 0;
  for (int ch = kFirstEffectChannel; ch < kSoundChannels; ++ch) {
    const SoundChannel& c = gSound.channels[ch];
    bool candidate = c.priority < priority || (c.sound == n && (flags & kSoundMayCutItself));
    if (candidate && (best == 0 || c.priority < gSound.channels[best].priority)) best = ch;
  }
  return best;
}

}  // namespace

bool InitSound(int slots) {
  ExitSound();
  if (slots <= 0 || slots > kSoundCount || !HasPlatform()) return false;
  SoundDevice* device = GetPlatform().Sound();
  if (!device) return false;
  gSound.device = device;
  gSound.slots.assign(slots, 0);
  gSound.firstFree = 0;
  for (int32_t& entry : gSound.cache) entry = -1;
  for (SoundChannel& c : gSound.channels) c = SoundChannel{};
  gSound.songVolume = kStartSongVolume;
  gSound.currentSong = 0;
  gSound.previousSong = 0;
  gSound.on = true;
  return true;
}

void ExitSound() {
  if (gSound.device) {
    for (int32_t slot = 0; slot < static_cast<int32_t>(gSound.slots.size()); ++slot) FreeSlot(slot);
  }
  gSound.slots.clear();
  gSound.firstFree = 0;
  for (int32_t& entry : gSound.cache) entry = -1;
  for (SoundChannel& c : gSound.channels) c = SoundChannel{};
  gSound.device = nullptr;
  gSound.on = false;
}

bool SoundOn() {
  return gSound.on;
}

void MakeSound(int n, int32_t pan, int32_t volume, uint8_t flags, int32_t priority) {
  if (!gSound.on || !ValidNumber(n)) return;
  if (!LoadSound(n)) return;
  SoundDevice& device = *gSound.device;
  // A quieter request is a less important one.
  int32_t effective = (flags & kSoundTopPriority) ? kTopPriority : priority + volume;

  if (flags & kSoundOneInstance) {
    for (int ch = kFirstEffectChannel; ch < kSoundChannels; ++ch) {
      SoundChannel& c = gSound.channels[ch];
      if (c.sound != n) continue;
      if (!(flags & kSoundMayCutItself) && (c.flags & kSoundStarted)) return;
      SoundHandle h = SlotHandle(c.slot);
      c.pan = pan;
      c.volume = volume;
      c.flags = flags | kSoundStarted;
      c.priority = effective;
      if (device.IsPlaying(h)) device.Rewind(h);
      device.SetPan(h, pan);
      device.SetVolume(h, volume);
      if (!device.IsPlaying(h)) device.Play(h, false);
      return;
    }
  }

  int ch = ChooseChannel(n, effective, flags);
  if (ch == 0) return;
  SoundChannel& c = gSound.channels[ch];
  if (c.sound == n) {
    // The same sound starts over, keeping the pan and volume it had.
    device.Rewind(SlotHandle(c.slot));
  } else {
    ClearChannel(c);
    int32_t slot = DuplicateSound(n);
    if (slot < 0) return;  // the channel stays free
    c.sound = n;
    c.slot = slot;
  }
  c.priority = effective;
  c.pan = pan;
  c.volume = volume;
  c.flags = flags | kSoundStarted;
  SoundHandle h = SlotHandle(c.slot);
  if (!device.IsPlaying(h)) {
    device.SetPan(h, pan);
    device.SetVolume(h, volume);
    device.Play(h, false);
  }
}

void MakeSoundAt(int n, Fixed x, Fixed y, uint8_t flags, int32_t priority) {
  if (!gSound.on) return;
  // Heard from the camera's view centre.
  int32_t cx = 0, cy = 0;
  GetCamera(cx, cy);
  int64_t dx = int64_t{x >> 16} - cx;
  int64_t dy = int64_t{y >> 16} - cy;
  int64_t volume = -((dx * dx + dy * dy) / 128);
  if (volume < kFarthestVolume) return;
  MakeSound(n, static_cast<int32_t>(2 * dx), static_cast<int32_t>(volume), flags, priority);
}

void MakeNormalSound(int n) {
  MakeSound(n, 0, 0, kSoundMayCutItself | kSoundTopPriority | kSoundOneInstance, kTopPriority);
}

void PlaySong(int s) {
  if (!gSound.on || !ValidNumber(s)) return;
  gSound.previousSong = gSound.currentSong;
  gSound.currentSong = s;
  if (MusicSetting() != 0) {
    StartSong(s, gSound.songVolume);
  } else {
    // Music is off: remember the song so that turning music on starts it.
    gSound.previousSong = s;
  }
}

void StopSong() {
  if (!gSound.on) return;
  SoundChannel& c = gSound.channels[kSongChannel];
  SoundHandle h = SlotHandle(c.slot);
  if (h != 0) {
    gSound.device->Stop(h);
    gSound.device->Rewind(h);
    FreeSlot(c.slot);
  }
  c.slot = -1;
  gSound.previousSong = gSound.currentSong;
  gSound.currentSong = 0;
}

void ResumeSong() {
  if (!gSound.on || MusicSetting() == 0) return;
  gSound.currentSong = gSound.previousSong;
  // With no song before there is nothing to resume (sound 0 is a menu tick,
  // not a song to loop).
  if (gSound.currentSong != 0) StartSong(gSound.currentSong, gSound.songVolume);
}

void SetMusicLevel(int level) {
  if (!gSound.on) return;
  static constexpr int32_t kLevelVolume[4] = {0, -1400, -700, 0};
  if (level == 0) {
    StopSong();
    return;
  }
  if (level < 1 || level > 3) return;
  gSound.songVolume = kLevelVolume[level];
  SoundChannel& c = gSound.channels[kSongChannel];
  SoundHandle h = SlotHandle(c.slot);
  if (h != 0) {
    c.volume = gSound.songVolume;
    gSound.device->SetVolume(h, gSound.songVolume);
  }
}

int CurrentSong() {
  return gSound.currentSong;
}

void UpdateSounds() {
  if (!gSound.on) return;
  for (int ch = kFirstEffectChannel; ch < kSoundChannels; ++ch) {
    SoundChannel& c = gSound.channels[ch];
    if ((c.flags & kSoundStarted) && !gSound.device->IsPlaying(SlotHandle(c.slot)))
      c.flags &= static_cast<uint8_t>(~kSoundStarted);
  }
}

void StopEffect(int n) {
  if (!gSound.on || !ValidNumber(n)) return;
  for (int ch = kFirstEffectChannel; ch < kSoundChannels; ++ch) {
    SoundChannel& c = gSound.channels[ch];
    SoundHandle h = SlotHandle(c.slot);
    if (c.sound != n || h == 0) continue;
    gSound.device->Stop(h);
    gSound.device->Rewind(h);
  }
}

void StopAllSounds() {
  if (!gSound.device) return;
  for (int ch = kFirstEffectChannel; ch < kSoundChannels; ++ch) ClearChannel(gSound.channels[ch]);
  const SoundChannel& song = gSound.channels[kSongChannel];
  int keep = SlotHandle(song.slot) != 0 ? song.sound : -1;
  for (int n = 0; n < kSoundCount; ++n) {
    if (n == keep || gSound.cache[n] < 0) continue;
    FreeSlot(gSound.cache[n]);
    gSound.cache[n] = -1;
  }
}

void ResetSound() {
  StopAllSounds();
  gSound.songVolume = kStartSongVolume;
  gSound.currentSong = 0;
  gSound.previousSong = 0;
}

SoundChannel GetSoundChannel(int channel) {
  if (channel < 0 || channel >= kSoundChannels) return SoundChannel{};
  return gSound.channels[channel];
}

int32_t SongVolume() {
  return gSound.songVolume;
}

int32_t CachedSlot(int n) {
  return ValidNumber(n) ? gSound.cache[n] : -1;
}

int32_t SlotVoice(int32_t slot) {
  return SlotHandle(slot);
}

}  // namespace torvel
