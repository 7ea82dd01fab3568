// The player's rules: resets, the map-start snapshot, map completion,
// experience and levels, power-ups, keys and the hero's two looks. The record
// itself and its plain accessors are player/player_record.h.
#pragma once

#include <cstdint>

#include "common/fixed.h"

namespace torvel {

enum ResetKind : uint8_t { kResetMapStart = 0, kResetWorldStart = 1, kResetNewGame = 2 };

// kResetNewGame starts everything afresh; kResetWorldStart enters a world;
// kResetMapStart (every map) takes the snapshot and refills life and mana.
void ResetPlayer(uint8_t kind, uint8_t world, uint8_t map);
// 0 the plain hero, 1 the armoured one; loads kind 1's sprite set when it changes.
void SetHeroAppearance(uint8_t armoured);

// A record that has reached `level` (1..50) without anything else: the life
// and mana maxima of that level, both full, no experience towards the next.
void SetStartingLevel(uint8_t level);
// Score, level, experience and money go back to the map-start snapshot.
void RestoreMapStart();
// Marks map m of world w done; the first time it adds 100 progress and,
// unless notCounted, one to the world's done tally.
void CompleteMap(uint8_t world, uint8_t map, bool notCounted);
// The world's map total (100 per map present).
void SetWorldMapTotal(uint8_t world, uint32_t total);
// Score and experience; levels up as often as it fills the bar.
void AddExperience(uint32_t amount);
// The hero's guy and the player's life, capped at the life maximum.
void Heal(int32_t amount);
// Poison steps, capped at 255.
void AddPoison(int32_t amount);
// The hero touches item `kind` lying at (x, y). True when the item is not
// taken and stays on the map, false when it is used up.
bool PickUpPowerUp(uint8_t kind, Fixed x, Fixed y);
// Uses up an ordinary key (k = 0) or drops special key k (1-3), if held.
void UseKey(int k);
// Whether this map's scroll would teach nothing new: owned (worlds 0 and 1)
// or upgraded.
bool SpellSeenHere();
// The spell slot a scroll on map `map` of world `world` teaches; -1 for none.
int SpellSlotOfMap(int world, int map);
// The hero leans on a pushable block: the push counter gains 2 and the push
// goes ahead (true) when it reaches 5, which also starts the count again.
bool PushCounterStep();

// A spell's mana cost at level 1 (learned) or 2 (upgraded).
int SpellCost(int slot, int level);
// The two names of a spell slot, shown when it is learned and upgraded.
const char* SpellLearnedName(int slot);
const char* SpellUpgradedName(int slot);

// Top speed (16.16), armour value and damage value of a level 0-4.
Fixed TopSpeedOfLevel(int level);
uint8_t ArmourValueOfLevel(int level);
uint8_t DamageValueOfLevel(int level);

}  // namespace torvel
