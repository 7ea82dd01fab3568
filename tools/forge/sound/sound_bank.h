// Every sound the forge makes: the effect recipes and the scores of
// content/music, each rendered to finished 16-bit samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forge/sound/effects.h"

namespace torvel::forge {

constexpr uint32_t kSoundRate = 22050;

struct SoundJob {
  int number = -1;
  const EffectRecipe* recipe = nullptr;  // an effect made in code, or
  std::string scorePath;                 // a score (song or musical cue)
};

// The sound numbers the game plays: 0..208 less the ones it never asks for.
std::vector<int> GameSoundNumbers();

// Lists every recipe and every *.score in musicDir. Fails if a number is
// made twice, if one the game plays is missing, or if one it never plays
// is made.
bool ListSounds(const std::string& musicDir, std::vector<SoundJob>& jobs, std::string& error);

// Renders one sound to finished samples.
bool RenderSound(const SoundJob& job, std::vector<int16_t>& pcm, std::string& error);

}  // namespace torvel::forge
