// Sound playback: numbered samples on 15 prioritised effect channels with
// positional volume and pan, and one song channel.
#pragma once

#include <cstdint>

#include "common/fixed.h"

namespace torvel {

// Opens the sound device with the given number of buffer slots; true when sound is on.
bool InitSound(int slots);
void ExitSound();
bool SoundOn();

void MakeSound(int number, int32_t pan, int32_t volume, uint8_t flags, int32_t priority);
// Positional effect: x, y are world positions in 16.16.
void MakeSoundAt(int number, Fixed x, Fixed y, uint8_t flags, int32_t priority);
// Centred, full volume, top priority, one instance.
void MakeNormalSound(int number);

void PlaySong(int number);
void StopSong();
void ResumeSong();
void SetMusicLevel(int level);
int CurrentSong();

void UpdateSounds();
void StopEffect(int number);
void StopAllSounds();
void ResetSound();

}  // namespace torvel
