// The pieces the kinds' routines share: sequence beats, blows, shots from a
// point ahead, spawning where there is room, and the foot soldiers' and
// swimmers' common routines.
#include "actors/behaviours_shared.h"

#include <climits>

#include "actors/bullets.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "common/trig.h"
#include "platform/random.h"

namespace torvel {

namespace {

Fixed Scale(Fixed speed, int32_t unit) {
  return static_cast<Fixed>((static_cast<int64_t>(speed) * unit) >> 16);
}

}  // namespace

void PlayAnim(Guy& guy, uint8_t anim, int16_t rate) {
  guy.anim = anim;
  guy.animFrame = 0;
  guy.animAccum = 0;
  guy.animRate = rate;
}

void KeepAnim(Guy& guy, uint8_t anim, int16_t rate) {
  if (guy.anim != anim) PlayAnim(guy, anim, rate);
  guy.animRate = rate;
}

void Halt(Guy& guy) {
  guy.dx = guy.dy = 0;
}

void TurnBy(Guy& guy, int n) {
  guy.facing = static_cast<uint8_t>((guy.facing + n) & 7);
}

void MoveAlong(Guy& guy, int angle, Fixed speed) {
  guy.dx = Scale(speed, Cosine(angle));
  guy.dy = Scale(speed, Sine(angle));
}

void ClampVelocity(Guy& guy, Fixed limit) {
  guy.dx = Clamp(guy.dx, limit);
  guy.dy = Clamp(guy.dy, limit);
}

uint8_t FacingOfVector(Fixed vx, Fixed vy, Fixed zone, uint8_t keep) {
  bool up = vy<-zone, down = vy> zone;
  if (vx < -zone) return up ? 5 : down ? 3 : 4;
  if (vx > zone) return up ? 7 : down ? 1 : 0;
  return up ? 6 : down ? 2 : keep;
}

uint8_t AngleOf(Fixed vx, Fixed vy) {
  // The step of the circle that points most nearly along the vector; exact
  // and the same on every machine, unlike a floating arc tangent.
  int64_t best = INT64_MIN;
  int bestAngle = 0;
  for (int a = 0; a < 256; ++a) {
    int64_t dot = static_cast<int64_t>(vx) * Cosine(a) + static_cast<int64_t>(vy) * Sine(a);
    if (dot > best) {
      best = dot;
      bestAngle = a;
    }
  }
  return static_cast<uint8_t>(bestAngle);
}

void PointAlong(const Guy& guy, int angle, int32_t distance, int32_t& px, int32_t& py) {
  px = FixedToInt(guy.x + distance * Cosine(angle));
  py = FixedToInt(guy.y + distance * Sine(angle));
}

bool Blow(Guy& guy, Guy* target, int32_t ahead, int32_t reach, int32_t damage, int32_t push,
          Map& map, World& world) {
  if (!target) return false;
  int32_t px = 0, py = 0;
  PointAhead(guy, ahead, px, py);
  if (!GuyHitsSquare(reach, px, py, target)) return false;
  HurtGuy(target, FacingPushX(guy, push), FacingPushY(guy, push), damage, map, world);
  return true;
}

Bullet* FireAhead(const Guy& guy, int32_t ahead, uint8_t dir, uint8_t kind) {
  int angle = guy.facing * 32;
  return FireBullet(guy.x + ahead * Cosine(angle), guy.y + ahead * Sine(angle), dir, kind);
}

Bullet* FireFrom(const Guy& guy, int32_t ox, int32_t oy, uint8_t dir, uint8_t kind) {
  return FireBullet(guy.x + ToFixed(ox), guy.y + ToFixed(oy), dir, kind);
}

Bullet* ThrowFrom(const Guy& guy, int32_t ox, int32_t oy, Fixed z, Fixed dx, Fixed dy, Fixed dz,
                  int32_t timer, uint8_t facing, uint8_t kind) {
  return AddBullet(guy.x + ToFixed(ox), guy.y + ToFixed(oy), z, dx, dy, dz, 0, timer, facing, kind);
}

Guy* SpawnChecked(Fixed x, Fixed y, Fixed z, uint8_t kind, Fixed standX, Fixed standY, Map& map,
                  World& world) {
  Guy* spawn = AddGuy(x, y, z, kind);
  if (!spawn) return nullptr;
  // A slot keeps its last occupant's busy flag; a newcomer starts free.
  spawn->busy = 0;
  if (!CanGuyStand(*spawn, standX, standY, map, world)) {
    RemoveGuy(spawn);
    return nullptr;
  }
  return spawn;
}

Guy* LaunchBat(Fixed x, Fixed y, Fixed z, uint8_t facing) {
  Guy* bat = AddGuy(x, y, z, 3);
  if (!bat) return nullptr;
  bat->facing = facing;
  StartAction(*bat, 4, 128);
  MoveInFacing(*bat, ToFixed(12));
  return bat;
}

void FloatingSparks(const Guy& guy, int32_t radius) {
  int32_t span = 2 * radius + 1;
  AddFloatingSpark(guy.x + ToFixed(Random(span) - radius), guy.y + ToFixed(Random(span) - radius),
                   guy.z, kFixedOne);
}

bool ChaseAndWander(Guy& guy, Guy* target, const ChaseStyle& style) {
  auto tryClose = [&]() {
    if (!Closer(guy, target, style.closeReach) || !Chance(style.closeOdds)) return false;
    if (style.closeNeedsCooldown && guy.cooldown != 0) return false;
    GuySound(guy, style.closeSound, style.closeSoundPriority);
    if (style.closeFaces) FaceTarget(guy, *target);
    StartAction(guy, style.closeAnim);
    guy.cooldown = 0;
    return true;
  };
  auto walk = [&](int32_t speed) {
    Walk(guy, speed);
    guy.animRate = style.walkRate;
  };
  if (guy.aiState == 0) {
    if (tryClose()) return true;
    if (target) FaceTarget(guy, *target);
    walk(style.speed);
    if (!target || Chance(64)) {
      guy.aiState = 1;
      guy.aiTimer = 1;
    }
    return false;
  }
  if (style.closeEverywhere && tryClose()) return true;
  if (style.farReach > 0 && Closer(guy, target, style.farReach) && Chance(style.farOdds)) {
    GuySound(guy, style.farSound, style.farSoundPriority);
    StartAction(guy, style.farAnim);
    guy.cooldown = 0;
    FaceTarget(guy, *target);
    return true;
  }
  if (guy.aiTimer > 0) guy.aiTimer -= 1;
  if (guy.aiTimer == 0) {
    if (target && Chance(3)) {
      guy.aiState = 0;
    } else {
      guy.facing = static_cast<uint8_t>(Random(8));
    }
    guy.aiTimer = static_cast<uint8_t>(Random(40) + 1);
  }
  walk(style.wanderSpeed);
  return false;
}

void SwimmerDecide(Guy& guy, Guy* target) {
  if (Closer(guy, target, 512) && Chance(16) && guy.cooldown == 0) {
    GuySound(guy, 66);
    FaceTarget(guy, *target);
    StartAction(guy, kAnimAttack, 128);
    return;
  }
  Wander(guy, 60, guy.aiState);
  Walk(guy, 2);
}

}  // namespace torvel
