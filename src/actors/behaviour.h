// Behaviours: what each monster decides to do in a tick, before it moves.
//
// A routine sets the guy's velocity, sequence and timers; the mover of the
// guys module applies them. Every kind's routine is registered in the table of
// behaviour_table.cpp, one line per kind; a kind without a line does nothing.
// The routines of the kinds are grouped by family in behaviours_*.cpp files.
//
// Speeds in the helpers below are in pixels per tick along the facing;
// distances are Manhattan distances in whole pixels.
#pragma once

#include <cstdint>

#include "common/fixed.h"

namespace torvel {

struct Guy;
struct Map;
struct World;

// One kind's routine. target is the guy's nearest foe, or null.
using BehaviourRoutine = void (*)(Guy& guy, Map& map, World& world, Guy* target);

// The routine registered for a kind, or null (it does nothing).
BehaviourRoutine BehaviourOf(uint8_t kind);
// Tests: the kind thinks with this routine instead (null: it does nothing)
// until ClearBehaviourOverrides.
void OverrideBehaviour(uint8_t kind, BehaviourRoutine routine);
void ClearBehaviourOverrides();
// One tick of a monster on an ordinary map, against its nearest foe.
void RunBehaviour(Guy& guy, Map& map, World& world);

// Every monster on the roaming map except the friendly: map-placed guys stand
// still; spawned roamers chase the hero and start a challenge on touching.
void RoamBehaviour(Guy& guy, Map& map, World& world, Guy* target);
// Kind 11: holds its pose and opens its map's dialogue when the hero comes close.
void FriendlyBehaviour(Guy& guy, Map& map, World& world, Guy* target);
// The dialogue a friendly opens on map `map` of world `world`; -1 for none.
int FriendlyDialogue(int world, int map);

// Shared operations.

// Chance 1 in n (the gameplay generator).
bool Chance(int32_t n);
// Manhattan distance between two guys in whole pixels.
int32_t GuyDistance(const Guy& a, const Guy& b);
// The point `distance` pixels ahead of the guy along its facing, in whole pixels.
void PointAhead(const Guy& guy, int32_t distance, int32_t& px, int32_t& py);
// A push of `pixels` along the guy's facing (16.16 components).
Fixed FacingPushX(const Guy& guy, int32_t pixels);
Fixed FacingPushY(const Guy& guy, int32_t pixels);

// Faces the target: the eight directions with a 16-pixel dead zone; inside
// the zone on both axes the facing stays.
void FaceTarget(Guy& guy, const Guy& target);
// The direction toward the target with a 32-pixel dead zone (north or south
// when within 32 horizontally).
uint8_t DirectionToward(const Guy& guy, const Guy& target);
// Turns one step toward the target's direction.
void TurnTowardTarget(Guy& guy, const Guy& target);
// One step from facing f toward d, the short way round (0-7).
uint8_t TurnOneStep(uint8_t f, uint8_t d);

// Starts an action sequence: from its first frame at the rate, busy, stopped.
void StartAction(Guy& guy, uint8_t anim, int16_t rate = 64);
// Velocity of `speed` (16.16) along the facing.
void MoveInFacing(Guy& guy, Fixed speed);
// speed pixels per tick in the facing, playing the move sequence.
void Walk(Guy& guy, int32_t speed);
// The move sequence at rate 128 unless it already plays.
void PlayMoveSequence(Guy& guy);
// Counts the timer down; when it is found at 0 a new random facing is taken
// and the timer restarts at random(maxTime) + 1.
void Wander(Guy& guy, int32_t maxTime, uint8_t& timer);
void Wander(Guy& guy, int32_t maxTime);
// Cooldown down by one while above 0.
void CountDownCooldown(Guy& guy);
// The hurt cry: in the tick a guy is hurt, its hurt sound, or its death
// sound when the hit killed it (-1 for none).
void HurtCry(const Guy& guy, int hurtSound, int deathSound, int32_t priority = 1200);
// A sound at the guy's position.
void GuySound(const Guy& guy, int number, int32_t priority = 1200);
// Smoke and explosion puffs over a dying guy's box.
void DyingSmoke(const Guy& guy);

}  // namespace torvel
