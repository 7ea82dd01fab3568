// Sound playback: numbered samples ("sound\snd%03d.wav", 0..254) loaded on
// first use and cached, 15 prioritised effect channels with positional volume
// and pan, and one song channel.
//
// Volumes are in hundredths of a decibel (0 full, -10000 silent), pans run
// from -10000 (left) to 10000 (right). Everything here does nothing while
// sound is off (no device), and numbers outside 0..254 are ignored.
#pragma once

#include <cstdint>

#include "common/fixed.h"

namespace torvel {

constexpr int kSoundCount = 255;
constexpr int kSoundChannels = 16;  // 0 is the song channel, 1..15 carry effects

// MakeSound flags.
enum SoundFlags : uint8_t {
  kSoundMayCutItself = 1,  // may cut off another instance of the same sound
  kSoundTopPriority = 2,   // the priority becomes 65536
  kSoundOneInstance = 4,   // at most one instance plays; a new request restarts it
  kSoundStarted = 8,       // (kept in the channel) started and not yet seen finished
};

// One channel's record.
struct SoundChannel {
  int32_t slot = -1;   // buffer slot of the voice playing here, -1 none
  int32_t sound = -1;  // sound number, -1 none
  int32_t priority = 0;
  int32_t pan = 0;
  int32_t volume = 0;
  uint8_t flags = 0;
};

// Opens the platform's sound device with the given number of buffer slots
// (the game asks for 255); true when sound is on.
bool InitSound(int slots);
// Releases every voice and buffer and lets the device go; sound is off.
void ExitSound();
bool SoundOn();

// Plays an effect on one of the effect channels (see the channel rules in sound.cpp).
void MakeSound(int number, int32_t pan, int32_t volume, uint8_t flags, int32_t priority);
// Positional effect: x, y are world positions in 16.16; volume falls with the
// squared distance to the camera centre, pan follows the horizontal offset,
// and beyond about 800 pixels nothing plays.
void MakeSoundAt(int number, Fixed x, Fixed y, uint8_t flags, int32_t priority);
// Centred, full volume, top priority, one instance.
void MakeNormalSound(int number);

// Songs loop on the song channel at the song volume; with the player's music
// setting (the player record's music volume) at 0 they are only remembered,
// for ResumeSong.
void PlaySong(int number);
void StopSong();
void ResumeSong();
// 0 stops the song; 1, 2, 3 set the song volume to -1400, -700, 0 at once.
void SetMusicLevel(int level);
// The current song (0 = none).
int CurrentSong();

// Once per frame: effect channels whose sound has finished lose their started mark.
void UpdateSounds();
// Stops and rewinds the effect voice playing this number; its channel record stays.
void StopEffect(int number);
// Frees every effect voice and every cached sample except the playing song's.
void StopAllSounds();
// StopAllSounds, and the song state back to its start (volume -700, no song).
void ResetSound();

// A copy of a channel's record (0..15), for the tests and the curious.
SoundChannel GetSoundChannel(int channel);
// The song volume in hundredths of a decibel.
int32_t SongVolume();
// The buffer slot holding sound n's cached sample, -1 when it is not loaded.
int32_t CachedSlot(int number);
// The device's handle of the buffer or voice in a slot (0 for an empty slot).
int32_t SlotVoice(int32_t slot);

}  // namespace torvel
