// Kind 32, the great boss of the castle: it picks its attack by where the
// hero stands (a slam straight down, a quake, a guard, a sweep of its arm
// across a ring of boxes), and blocks hits while it guards.
#include <initializer_list>

#include "actors/behaviour_kinds.h"
#include "actors/behaviours_shared.h"
#include "actors/bullets.h"
#include "actors/kinds.h"
#include "common/trig.h"
#include "gfx/draw_list.h"
#include "platform/random.h"

namespace torvel {

namespace {

// Attack classes by where the hero stands: bit 1 a slam, 2 a quake, 4 a
// guard, 8 a sweep.
constexpr int kSlam = 1, kQuake = 2, kGuard = 4, kSweep = 8;

int ClassifyTarget(const Guy& guy, const Guy& target) {
  int32_t d = GuyDistance(guy, target);
  int32_t across = FixedToInt(target.x) - FixedToInt(guy.x);
  bool lower = target.y > guy.y;
  bool below = lower && across > -64 && across < 64;
  if (d < 180) return below ? 9 : 8;
  if (d < 300) return !lower ? 2 : below ? 7 : 6;
  return 10;
}

// Where the sweeping arm reaches on each frame, relative to its pixel
// position, with the push it gives and the speed it leaves the hero with.
struct SweepBox {
  int16_t x1, y1, x2, y2;
  int8_t pushX, pushY;
  int8_t speedX, speedY;
};

constexpr SweepBox kSweepBoxes[12] = {
    {},
    {},
    {},
    {-120, 0, 45, 160, 8, 8, 8, 8},       // 3
    {-180, -100, 0, 80, -8, 8, -8, 8},    // 4
    {-200, -180, 0, 0, -12, 0, -12, 0},   // 5
    {-150, -120, 40, 0, -8, -8, -8, -8},  // 6
    {0, -150, 150, -20, 0, -12, 0, -12},  // 7
    {20, -100, 230, 0, 8, -8, 8, -8},     // 8
    {0, 0, 230, 70, 12, 0, 12, 0},        // 9
    {-120, 0, 45, 160, 8, 8, 8, 8},       // 10
    {-220, 0, -10, 120, 12, 0, 0, 12},    // 11
};

void Sweep(Guy& guy, Guy& target, Map& map, World& world) {
  uint8_t frame = guy.animFrame;
  if (frame >= 3 && frame <= 9) {
    guy.dx = Clamp(guy.dx + Cosine(guy.facing * 32), ToFixed(12));
    guy.dy = Clamp(guy.dy + Sine(guy.facing * 32), ToFixed(12));
  } else if (frame >= 10) {
    guy.dx = Dampen(guy.dx, kFixedOne);
    guy.dy = Dampen(guy.dy, kFixedOne);
  }
  if (frame < 3 || frame > 11 || guy.aiTimer != 0) return;
  const SweepBox& b = kSweepBoxes[frame];
  int32_t x = FixedToInt(guy.x), y = FixedToInt(guy.y);
  if (!GuyHitsBox(x + b.x1, y + b.y1, x + b.x2, y + b.y2, &target)) return;
  HurtGuy(&target, ToFixed(b.pushX), ToFixed(b.pushY), 32, map, world);
  target.dx = ToFixed(b.speedX);
  target.dy = ToFixed(b.speedY);
  guy.aiTimer = 1;  // one hit per sweep
}

void ActionEffects(Guy& guy, Guy& target, Map& map, World& world) {
  int32_t x = FixedToInt(guy.x), y = FixedToInt(guy.y);
  switch (guy.anim) {
    case 2:  // the slam comes down in a column before it
      if (guy.animFrame == 5 && guy.animAccum < 32 &&
          GuyHitsBox(x - 64, y, x + 8, y + 225, &target)) {
        HurtGuy(&target, 0, ToFixed(12), 64, map, world);
        target.dx = 0;
        target.dy = ToFixed(12);
      }
      break;
    case 5:
      Sweep(guy, target, map, world);
      break;
    case 6:  // the quake
      if (guy.animFrame != 9 && guy.animFrame != 10) break;
      SetShake(30);
      if (guy.animFrame == 9 && guy.animAccum < 32) GuySound(guy, 148);
      for (int i = 0; i < 15; ++i) {
        ThrowFrom(guy, Random(801) - 400, Random(801) - 400, ToFixed(160 + Random(40)), 0, 0, 0, 30,
                  2, 23);
      }
      break;
    case 7:  // a blocked hit shakes boulders loose
      if (guy.animFrame == 0 && guy.animAccum < 32) {
        for (int i = 0; i < 6; ++i) {
          int angle = Random(256);
          ThrowFrom(guy, 0, 30, ToFixed(30), 4 * Cosine(angle), 4 * Sine(angle), 0, 255, 4, 30);
        }
      }
      break;
    default:
      break;
  }
}

// Step 1 of its decision: an attack for the class, or none.
bool StartAttack(Guy& guy, const Guy& target) {
  int cls = ClassifyTarget(guy, target);
  if ((cls & kSlam) && Chance(10)) {
    GuySound(guy, 190);
    guy.cooldown = 30;
    StartAction(guy, 2, 64);
    guy.aux = 0;
    return true;
  }
  if ((cls & kQuake) && Chance(40)) {
    GuySound(guy, 191);
    guy.cooldown = 60;
    StartAction(guy, 6, 128);
    guy.aux = 0;
    return true;
  }
  if ((cls & kGuard) && Chance(20)) {
    guy.cooldown = 30;
    StartAction(guy, 4, 128);
    return true;
  }
  if ((cls & kSweep) && Chance(20)) {
    GuySound(guy, 192);
    guy.cooldown = 60;
    FaceTarget(guy, target);
    StartAction(guy, 5, 128);
    guy.aux = 0;
    return true;
  }
  return false;
}

}  // namespace

void BobbyBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  if (JustHurt(guy)) GuySound(guy, guy.life > 0 ? 188 : 189, guy.life > 0 ? 1800 : 2000);
  // With nobody to fight it stands as it is, its sequences doing nothing.
  if (!target) return;
  CountDownCooldown(guy);
  if (guy.life == 0) {
    if (guy.animFrame >= 8) DyingSmoke(guy);
    return;
  }
  if (guy.busy) {
    ActionEffects(guy, *target, map, world);
    return;
  }
  if (guy.cooldown == 0 && StartAttack(guy, *target)) return;
  if (guy.hurtTimer > 2 && guy.cooldown == 0 && guy.aux == 0 && Chance(4)) {
    // Stung, it raises its guard.
    guy.cooldown = 60;
    StartAction(guy, 4, 128);
    guy.aux = 1;
    return;
  }
  TurnTowardTarget(guy, *target);
  MoveInFacing(guy, ToFixed(4));
  guy.aiTimer = 0;
  PlayMoveSequence(guy);
}

}  // namespace torvel
