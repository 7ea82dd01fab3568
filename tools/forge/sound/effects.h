// The game's sound effects, each a recipe that synthesises it, grouped by
// family. The forge finishes every recipe's raw mix to its loudness class.
#pragma once

#include <vector>

#include "forge/sound/synth.h"

namespace torvel::forge {

// How loud an effect sits against the others (momentary loudness, dBFS).
enum class Loud {
  kTick,    // menu ticks, typing: heard, never in the way
  kSoft,    // small pickups, small hits
  kNormal,  // most effects
  kLoud,    // explosions, big creatures
  kBoss,    // bosses and the earthquake
};
double TargetDb(Loud loud);

struct EffectRecipe {
  int number;
  Loud loud;
  synth::Samples (*make)();
};

// Menus, pickups, magic and the world around the hero.
const std::vector<EffectRecipe>& InterfaceEffects();
// Shots, impacts, blasts and spells.
const std::vector<EffectRecipe>& CombatEffects();
// Doors, walls, stones, metal, the ground.
const std::vector<EffectRecipe>& WorldEffects();
// Every creature's cries, the hero's among them.
const std::vector<EffectRecipe>& CreatureEffects();
// The big ones: bosses and their attacks.
const std::vector<EffectRecipe>& BossEffects();

}  // namespace torvel::forge
