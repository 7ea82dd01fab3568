// What the kinds' routines (behaviours_*.cpp) share beyond the operations of
// behaviour.h: beats of a sequence, blows and shots from a point ahead, the
// common chase-and-wander of the foot soldiers, the swimmers' routine, and
// the dying effects. Distances are whole pixels, speeds pixels per tick.
#pragma once

#include <cstdint>

#include "actors/behaviour.h"
#include "actors/guys.h"
#include "common/fixed.h"

namespace torvel {

struct Bullet;

// The guy plays `anim` and stands on `frame` of it.
inline bool AtFrame(const Guy& guy, uint8_t anim, uint8_t frame) {
  return guy.anim == anim && guy.animFrame == frame;
}
// The same with the cooldown spent: the beat of an action that sets a
// cooldown when it acts, so it acts once per frame.
inline bool Beat(const Guy& guy, uint8_t anim, uint8_t frame) {
  return AtFrame(guy, anim, frame) && guy.cooldown == 0;
}
// The first tick of the current frame: the accumulator has not yet gathered
// one more step since the frame began. At 255 and above every tick shows a
// new frame (the accumulator then sits at the rate's remainder).
inline bool NewFrame(const Guy& guy) {
  if (guy.animRate >= 255) return true;
  return guy.animAccum < static_cast<uint16_t>(guy.animRate > 0 ? guy.animRate : 1);
}
// The target is there and nearer than d (Manhattan, whole pixels).
inline bool Closer(const Guy& guy, const Guy* target, int32_t d) {
  return target && GuyDistance(guy, *target) < d;
}
// The target is there and no farther than d.
inline bool Within(const Guy& guy, const Guy* target, int32_t d) {
  return target && GuyDistance(guy, *target) <= d;
}
inline bool Farther(const Guy& guy, const Guy* target, int32_t d) {
  return target && GuyDistance(guy, *target) > d;
}
// Hurt this tick (the hurt cry's tick).
inline bool JustHurt(const Guy& guy) {
  return guy.hurtTimer == 4;
}

// The sequence from its first frame at the rate, leaving busy and the
// velocity as they are.
void PlayAnim(Guy& guy, uint8_t anim, int16_t rate);
// The sequence at the rate unless it already plays (then only the rate).
void KeepAnim(Guy& guy, uint8_t anim, int16_t rate);
// Stands still.
void Halt(Guy& guy);
// The facing turned by n steps (negative: anticlockwise).
void TurnBy(Guy& guy, int n);
// Velocity of `speed` (16.16) along an angle of the 256-step circle.
void MoveAlong(Guy& guy, int angle, Fixed speed);
// Both velocity components clamped to limit (16.16).
void ClampVelocity(Guy& guy, Fixed limit);
// The direction 0-7 of a vector with a dead zone of `zone` (16.16); keep
// inside the zone on both axes.
uint8_t FacingOfVector(Fixed vx, Fixed vy, Fixed zone, uint8_t keep);
// The angle (0-255) of the shared circle closest to the vector.
uint8_t AngleOf(Fixed vx, Fixed vy);
// The point `distance` pixels ahead along an angle (whole pixels).
void PointAlong(const Guy& guy, int angle, int32_t distance, int32_t& px, int32_t& py);

// A blow: a target whose box meets the square of half-size `reach` around the
// point `ahead` pixels in front is hurt, pushed `push` pixels along the facing.
// True when it landed.
bool Blow(Guy& guy, Guy* target, int32_t ahead, int32_t reach, int32_t damage, int32_t push,
          Map& map, World& world);
// A bullet from the point `ahead` pixels in front.
Bullet* FireAhead(const Guy& guy, int32_t ahead, uint8_t dir, uint8_t kind);
// A bullet from the guy's position moved by (ox, oy) pixels.
Bullet* FireFrom(const Guy& guy, int32_t ox, int32_t oy, uint8_t dir, uint8_t kind);
// A bullet with every field given, from the guy's position moved by (ox, oy)
// pixels; heights and speeds in 16.16.
Bullet* ThrowFrom(const Guy& guy, int32_t ox, int32_t oy, Fixed z, Fixed dx, Fixed dy, Fixed dz,
                  int32_t timer, uint8_t facing, uint8_t kind);

// A new guy of `kind` at (x, y, z) that must be able to stand at (standX,
// standY), else it is removed at once; null when the pool is full or it was
// removed.
Guy* SpawnChecked(Fixed x, Fixed y, Fixed z, uint8_t kind, Fixed standX, Fixed standY, Map& map,
                  World& world);

// A bat leaving its roost or its mother: busy in its dive at speed 12 along
// the facing. Null when the pool is full.
Guy* LaunchBat(Fixed x, Fixed y, Fixed z, uint8_t facing);

// Dying effects, each tick: floating sparks at random points within `radius`.
void FloatingSparks(const Guy& guy, int32_t radius);

// The foot soldier's routine: it chases the target, now and then strikes at
// close range, and wanders off for a while, coming back one time in three.
struct ChaseStyle {
  int32_t speed;        // chasing
  int32_t wanderSpeed;  // wandering
  int16_t walkRate;     // the move sequence's rate
  // The close attack, tried while chasing.
  int32_t closeReach;
  int32_t closeOdds;
  int closeSound;
  int32_t closeSoundPriority;
  uint8_t closeAnim;
  bool closeNeedsCooldown;
  bool closeFaces;
  bool closeEverywhere;  // tried while wandering too
  // The far attack, tried while wandering (reach 0: none).
  int32_t farReach;
  int32_t farOdds;
  int farSound;
  int32_t farSoundPriority;
  uint8_t farAnim;
};
// Not busy: one tick of the chase or wander. Returns true when it started an attack.
bool ChaseAndWander(Guy& guy, Guy* target, const ChaseStyle& style);

// The swimmers' choice when not busy: within 512 now and then (cooldown
// spent) it turns to the target and starts its volley, else it wanders in
// the water at speed 2 with aiState as its timer.
void SwimmerDecide(Guy& guy, Guy* target);

}  // namespace torvel
