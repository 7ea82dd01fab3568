// Stand-in until the sound module lands: the game runs silent.
#include "audio/sound.h"

namespace torvel {

bool InitSound(int) { return false; }
void ExitSound() {}
bool SoundOn() { return false; }
void MakeSound(int, int32_t, int32_t, uint8_t, int32_t) {}
void MakeSoundAt(int, Fixed, Fixed, uint8_t, int32_t) {}
void MakeNormalSound(int) {}
void PlaySong(int) {}
void StopSong() {}
void ResumeSong() {}
void SetMusicLevel(int) {}
int CurrentSong() { return 0; }
void UpdateSounds() {}
void StopEffect(int) {}
void StopAllSounds() {}
void ResetSound() {}

}  // namespace torvel
