// The behaviour dispatch and the operations the routines share, with the two
// routines of the roaming map: the roamers' chase and the friendly's talk.
#include "actors/behaviour.h"

#include <cstdlib>

#include "actors/guys.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "common/trig.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/play_loop.h"

namespace torvel {

namespace {

constexpr uint8_t kHero = 1;
constexpr int32_t kChallengeReach = 48;
constexpr int32_t kRoamSpeed = 3;
constexpr int32_t kTalkReach = 32;
constexpr int32_t kTalkRearm = 64;
constexpr uint8_t kChallengeEvent = 6;

Fixed Scaled(Fixed speed, int32_t unit) {
  return static_cast<Fixed>((static_cast<int64_t>(speed) * unit) >> 16);
}

// The eight directions around a dead zone of `zone` pixels; keep is returned
// when the target is inside the zone on both axes.
uint8_t Direction(const Guy& guy, const Guy& target, int32_t zone, uint8_t keep) {
  Fixed zoneFixed = ToFixed(zone);
  Fixed ddx = target.x - guy.x;
  Fixed ddy = target.y - guy.y;
  bool above = ddy < -zoneFixed;
  bool below = ddy > zoneFixed;
  if (ddx < -zoneFixed) return above ? 5 : below ? 3 : 4;
  if (ddx > zoneFixed) return above ? 7 : below ? 1 : 0;
  return above ? 6 : below ? 2 : keep;
}

void RoamStep(Guy& guy, Guy* target) {
  if (target && GuyDistance(guy, *target) < kChallengeReach) {
    MakeNormalSound(157);
    PostMapEvent(kChallengeEvent, guy.kind);
    return;
  }
  if (guy.aiState == 0) {
    if (target) FaceTarget(guy, *target);
    Walk(guy, kRoamSpeed);
    if (!target || Chance(64)) {
      guy.aiState = 1;
      guy.aiTimer = 1;
    }
    return;
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
  Walk(guy, kRoamSpeed);
}

}  // namespace

void RunBehaviour(Guy& guy, Map& map, World& world) {
  BehaviourRoutine routine = BehaviourOf(guy.kind);
  if (routine) routine(guy, map, world, NearestFoe(guy));
}

void RoamBehaviour(Guy& guy, Map&, World&, Guy* target) {
  // Monsters the map places on the roaming map are scenery.
  if (guy.aux == 1) return;
  RoamStep(guy, target);
}

int FriendlyDialogue(int world, int map) {
  switch (world * 50 + map) {
    case 1:
      return 0;
    case 10:
      return 1;
    case 11:
      return 2;
    case 13:
      return 3;
    case 51:
      return 5;
    case 55:
      return 7;
    case 111:
      return 10;
    case 116:
      return 12;
    default:
      return -1;
  }
}

void FriendlyBehaviour(Guy& guy, Map&, World&, Guy* target) {
  // The pose is the sequence its map gave it, held on its first frame.
  guy.anim = guy.aiState;
  guy.animFrame = 0;
  guy.animAccum = 0;
  guy.animRate = 1;
  if (!target || target->kind != kHero) return;
  int32_t d = GuyDistance(guy, *target);
  if (d < kTalkReach && guy.aiTimer == 0) {
    int dialogue = FriendlyDialogue(PlayerWorldNumber(), PlayerCurrentMap());
    if (dialogue >= 0) StartDialogue(static_cast<uint8_t>(dialogue));
    guy.aiTimer = 1;
  } else if (d > kTalkRearm) {
    guy.aiTimer = 0;
  }
}

bool Chance(int32_t n) {
  return Random(n) == 0;
}

int32_t GuyDistance(const Guy& a, const Guy& b) {
  return Manhattan(FixedToInt(a.x) - FixedToInt(b.x), FixedToInt(a.y) - FixedToInt(b.y));
}

void PointAhead(const Guy& guy, int32_t distance, int32_t& px, int32_t& py) {
  int angle = guy.facing * 32;
  px = FixedToInt(guy.x + distance * Cosine(angle));
  py = FixedToInt(guy.y + distance * Sine(angle));
}

Fixed FacingPushX(const Guy& guy, int32_t pixels) {
  return pixels * Cosine(guy.facing * 32);
}
Fixed FacingPushY(const Guy& guy, int32_t pixels) {
  return pixels * Sine(guy.facing * 32);
}

void FaceTarget(Guy& guy, const Guy& target) {
  guy.facing = Direction(guy, target, 16, guy.facing);
}

uint8_t DirectionToward(const Guy& guy, const Guy& target) {
  // Within the zone on both axes it still picks south.
  return Direction(guy, target, 32, 2);
}

void TurnTowardTarget(Guy& guy, const Guy& target) {
  guy.facing = TurnOneStep(guy.facing, DirectionToward(guy, target));
}

uint8_t TurnOneStep(uint8_t f, uint8_t d) {
  int facing = f;
  if (d > f) facing += d - f < 5 ? 1 : -1;
  if (d < f) facing += f - d < 5 ? -1 : 1;
  return static_cast<uint8_t>(facing & 7);
}

void StartAction(Guy& guy, uint8_t anim, int16_t rate) {
  guy.anim = anim;
  guy.animFrame = 0;
  guy.animAccum = 0;
  guy.animRate = rate;
  guy.busy = 1;
  guy.dx = guy.dy = 0;
}

void MoveInFacing(Guy& guy, Fixed speed) {
  int angle = guy.facing * 32;
  guy.dx = Scaled(speed, Cosine(angle));
  guy.dy = Scaled(speed, Sine(angle));
}

void PlayMoveSequence(Guy& guy) {
  if (guy.anim == 1) return;
  guy.anim = 1;
  guy.animFrame = 0;
  guy.animAccum = 0;
  guy.animRate = 128;
}

void Walk(Guy& guy, int32_t speed) {
  MoveInFacing(guy, ToFixed(speed));
  PlayMoveSequence(guy);
}

void Wander(Guy& guy, int32_t maxTime, uint8_t& timer) {
  if (timer == 0) {
    guy.facing = static_cast<uint8_t>(Random(8));
    timer = static_cast<uint8_t>(Random(maxTime) + 1);
  } else {
    timer -= 1;
  }
}

void Wander(Guy& guy, int32_t maxTime) {
  Wander(guy, maxTime, guy.aiTimer);
}

void CountDownCooldown(Guy& guy) {
  if (guy.cooldown > 0) guy.cooldown -= 1;
}

void HurtCry(const Guy& guy, int hurtSound, int deathSound, int32_t priority) {
  if (guy.hurtTimer != 4) return;
  int sound = guy.life > 0 ? hurtSound : deathSound;
  if (sound >= 0) GuySound(guy, sound, priority);
}

void GuySound(const Guy& guy, int number, int32_t priority) {
  MakeSoundAt(number, guy.x, guy.y, kSoundMayCutItself, priority);
}

void DyingSmoke(const Guy& guy) {
  Fixed left = guy.x + ToFixed(guy.boxLeft), right = guy.x + ToFixed(guy.boxRight);
  Fixed top = guy.y + ToFixed(guy.boxTop), bottom = guy.y + ToFixed(guy.boxBottom);
  AddExplosions(left, top, right, bottom, guy.z, Random(2) + 1);
  int32_t w = guy.boxRight - guy.boxLeft + 1;
  int32_t h = guy.boxBottom - guy.boxTop + 1;
  AddSmokePuff(left + ToFixed(Random(w)), top + ToFixed(Random(h)), guy.z, kFixedOne);
}

}  // namespace torvel
