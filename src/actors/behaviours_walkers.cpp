// The foot soldiers: creatures that chase the hero on foot and strike or
// shoot at close range (skeleton, spiders, zombie, pygmy, eye guy, shroom
// lord, micro, shroom, stickman, snow guy, penguin, mummy, wacko, santa).
#include <initializer_list>

#include "actors/behaviour_kinds.h"
#include "actors/behaviours_shared.h"
#include "actors/bullets.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "common/trig.h"
#include "platform/random.h"

namespace torvel {

namespace {

constexpr Fixed kHalf = kFixedOne / 2;

}  // namespace

void SkeletonBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 36, 37);
  if (guy.busy) {
    if (Beat(guy, 2, 3) && target) {
      Blow(guy, target, 16, 16, 10, 4, map, world);
      guy.cooldown = 5;
    } else if (Beat(guy, 4, 3) && target) {
      FireAhead(guy, 16, static_cast<uint8_t>(guy.facing * 32), 9);
      guy.cooldown = 5;
      guy.aiTimer = 1;
    }
    return;
  }
  // Now and then it strikes a pose.
  if (guy.aiState == 0 && Chance(100)) {
    StartAction(guy, 5);
    return;
  }
  static constexpr ChaseStyle kStyle{4,     4,     128,   48,  8,  34, 1200, 2,
                                     false, false, false, 512, 32, 35, 1200, 4};
  ChaseAndWander(guy, target, kStyle);
}

void SpiderBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, -1, 43);
  if (guy.busy) {
    if (Beat(guy, 2, 2)) {
      Blow(guy, target, 8, 16, 1, 2, map, world);
      guy.cooldown = 2;
    }
    return;
  }
  if (Closer(guy, target, 32) && Chance(4)) {
    FaceTarget(guy, *target);
    GuySound(guy, 44);
    StartAction(guy, 2, 255);
    return;
  }
  Wander(guy, 40, guy.aiState);
  Walk(guy, 8);
}

void BigSpiderBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 45, 46);
  if (guy.busy) {
    if (Beat(guy, 2, 6)) {
      GuySound(guy, 47);
      FireAhead(guy, 8, static_cast<uint8_t>(guy.facing * 32), 6);
      guy.cooldown = 40;
    }
    return;
  }
  if (Closer(guy, target, 256) && Chance(32) && guy.cooldown == 0) {
    FaceTarget(guy, *target);
    StartAction(guy, 2, 128);
    return;
  }
  Wander(guy, 120, guy.aiState);
  Walk(guy, 4);
}

void ZombieBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 48, 49);
  if (guy.busy) {
    if (guy.anim != 2) return;
    // The lunge: off at frame 5, braking after it, the arms reaching from 7 on.
    if (guy.animFrame == 5) {
      MoveInFacing(guy, ToFixed(8));
    } else if (guy.animFrame > 5) {
      guy.dx = Dampen(guy.dx, kHalf);
      guy.dy = Dampen(guy.dy, kHalf);
    }
    if (guy.animFrame >= 7 && guy.animFrame <= 12 && guy.cooldown == 0) {
      if (Blow(guy, target, 16, 8, 10, 4, map, world)) guy.cooldown = 2;
    }
    return;
  }
  static constexpr ChaseStyle kStyle{1,     1,     64,    128, 32, 50, 1200, 2,
                                     false, false, false, 0,   0,  0,  0,    0};
  ChaseAndWander(guy, target, kStyle);
}

void PygmyBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 58, 59);
  bool hurt = JustHurt(guy) && guy.life > 0;
  // Every hit makes an angry pygmy angrier for longer.
  if (hurt && guy.aiState == 1 && guy.aiTimer < 240)
    guy.aiTimer = static_cast<uint8_t>(guy.aiTimer + 10);
  if (guy.busy) {
    if (Beat(guy, 2, 6)) {
      Blow(guy, target, 16, 16, 8, 6, map, world);
      guy.cooldown = 10;
    }
    return;
  }
  if (guy.aiState == 0) {
    if (Closer(guy, target, 256) || hurt) {
      guy.aiState = 1;
      guy.aiTimer = hurt ? 120 : 60;
      if (target) FaceTarget(guy, *target);
      StartAction(guy, 6, 255);
      GuySound(guy, 63);
      return;
    }
    KeepAnim(guy, 0, 32);
    Halt(guy);
    if (guy.aiTimer < 101) {
      guy.aiTimer += 1;
    } else if (Chance(200)) {
      // Idle business: a dance, a look round, or a shuffle to one side.
      switch (Random(3)) {
        case 0:
          StartAction(guy, 4);
          GuySound(guy, 61);
          break;
        case 1:
          StartAction(guy, 5);
          GuySound(guy, 60);
          break;
        default:
          TurnBy(guy, Random(3) - 1);
          break;
      }
    }
    return;
  }
  if (target) FaceTarget(guy, *target);
  if (Closer(guy, target, 72) && Chance(16) && guy.cooldown == 0) {
    GuySound(guy, 62);
    StartAction(guy, 2, 255);
    guy.cooldown = 1;
    return;
  }
  if (guy.aiTimer > 0) {
    guy.aiTimer -= 1;
    Walk(guy, 4);
    return;
  }
  Halt(guy);
  if (!target || GuyDistance(guy, *target) > 256) {
    guy.aiState = 0;
  } else {
    guy.aiTimer = 20;
  }
}

void EyeguyBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 172, 173);
  if (guy.busy) {
    if (Beat(guy, 2, 4)) {
      FireBullet(guy.x, guy.y, guy.facing, 29);
      guy.cooldown = 10;
    }
    return;
  }
  static constexpr ChaseStyle kStyle{3,    3,    128,  256, 32, 168, 1200, 2,
                                     true, true, true, 0,   0,  0,   0,    0};
  ChaseAndWander(guy, target, kStyle);
}

void ShroomLordBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 73, 74);
  if (guy.life == 0) {
    // It bursts into two small shrooms and a shower of sparks.
    if (AtFrame(guy, 3, 1) && NewFrame(guy)) {
      AddGuy(guy.x - ToFixed(32), guy.y, 0, 24);
      AddGuy(guy.x + ToFixed(32), guy.y, 0, 24);
      for (int i = 0; i < 30; ++i) FloatingSparks(guy, 16);
    }
    return;
  }
  if (guy.busy) {
    if (guy.anim == 2 && guy.animFrame >= 6 && guy.animFrame <= 8 && guy.cooldown == 0) {
      // A fan of spores, finer as the puff goes on.
      int step = 2 * guy.animFrame;
      int base = guy.facing * 32;
      for (int a = -32; a <= 32; a += step) {
        int angle = (base + a) & 255;
        for (int32_t out : {32, 24}) {
          int32_t px = 0, py = 0;
          PointAlong(guy, angle, out, px, py);
          AddBullet(ToFixed(px), ToFixed(py), ToFixed(16), 8 * Cosine(angle), 8 * Sine(angle), 0, 0,
                    16, static_cast<uint8_t>(angle), 14);
        }
      }
      guy.cooldown = 1;
    }
    return;
  }
  if (Closer(guy, target, 128) && Chance(8)) {
    GuySound(guy, 76);
    StartAction(guy, 2, 128);
    return;
  }
  if (guy.aiState == 1) {
    // Resting.
    KeepAnim(guy, 0, 64);
    Halt(guy);
    if (guy.aiTimer > 0) {
      guy.aiTimer -= 1;
    } else {
      guy.aiState = 0;
    }
    return;
  }
  if (!target || Chance(256)) {
    guy.aiState = 1;
    guy.aiTimer = static_cast<uint8_t>(Random(100));
    return;
  }
  TurnTowardTarget(guy, *target);
  Walk(guy, 4);
}

void MicroBehaviour(Guy& guy, Map&, World&, Guy*) {
  if (guy.life == 0) {
    AddParticles(kParticleMicro, guy.x, guy.y, guy.z, 2);
    return;
  }
  Wander(guy, 10, guy.aiState);
  Walk(guy, 2);
}

void ShroomBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  if (guy.busy) {
    if (Beat(guy, 2, 5)) {
      for (int angle = 0; angle < 256; angle += 16) {
        FireBullet(guy.x, guy.y, static_cast<uint8_t>(angle), 14);
      }
      guy.cooldown = 5;
    }
    return;
  }
  static constexpr ChaseStyle kStyle{1,     1,     128,   72, 8, 34, 1200, 2,
                                     false, false, false, 0,  0, 0,  0,    0};
  ChaseAndWander(guy, target, kStyle);
}

void StickmanBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 104, 105);
  // Every hit that does not kill staggers it, in the middle of a lunge or a
  // roar as much as on foot. The hit that wakes it is the exception: waking,
  // it roars.
  bool hurt = JustHurt(guy) && guy.life > 0;
  if (hurt && guy.aiState != 0) PlayAnim(guy, 5, 32);
  if (guy.busy) {
    if (Beat(guy, 2, 1)) {
      if (Within(guy, target, 60)) {
        HurtGuy(target, FacingPushX(guy, 16), FacingPushY(guy, 16), 10, map, world);
      }
      guy.cooldown = 4;
    }
    return;
  }
  if (guy.aiState == 0) {
    if (Closer(guy, target, 300) || hurt) {
      GuySound(guy, 103, 1500);
      StartAction(guy, 4);
      guy.aiState = 1;
    }
    return;
  }
  if (Closer(guy, target, 60) && Chance(4) && guy.cooldown == 0) {
    GuySound(guy, 106, 1500);
    StartAction(guy, 2, 128);
    MoveInFacing(guy, ToFixed(2));
    return;
  }
  if (Chance(256)) {
    GuySound(guy, 103, 1200);
    StartAction(guy, 4);
    return;
  }
  if (target) {
    TurnTowardTarget(guy, *target);
  } else {
    Wander(guy, 40);
  }
  if (guy.anim == 5) {
    MoveInFacing(guy, ToFixed(2));
  } else {
    Walk(guy, 8);
  }
}

void SnowguyBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 113, 114);
  if (guy.busy) {
    if (Beat(guy, 2, 3)) {
      Blow(guy, target, 20, 20, 8, 4, map, world);
      guy.cooldown = 5;
    } else if (Beat(guy, 4, 11)) {
      if (Within(guy, target, 800)) FireAhead(guy, 32, static_cast<uint8_t>(guy.facing * 32), 21);
      guy.cooldown = 5;
    }
    return;
  }
  static constexpr ChaseStyle kStyle{2,     2,     128,   64,  8,  34,  1200, 2,
                                     false, false, false, 512, 32, 115, 1100, 4};
  ChaseAndWander(guy, target, kStyle);
}

void PenguinBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, -1, 111);
  if (guy.life == 0) {
    TurnBy(guy, 1);  // it spins as it goes
    return;
  }
  if (guy.busy) {
    if (guy.anim != 2) return;
    if (guy.animFrame <= 3) {
      MoveInFacing(guy, ToFixed(7));
      // A touch ends the dash at once.
      if (Blow(guy, target, 10, 10, 4, 4, map, world)) {
        guy.animFrame = 4;
        guy.animAccum = 0;
      }
    } else {
      MoveInFacing(guy, ToFixed(-3));
    }
    return;
  }
  if (guy.aiState == 0) {
    if (Within(guy, target, 128)) {
      guy.aiState = 1;
    } else {
      Wander(guy, 40);
      Walk(guy, 4);
      guy.animRate = 256;
      return;
    }
  }
  if (!target) {
    guy.aiState = 0;
    return;
  }
  if (guy.cooldown == 0 && Chance(32)) {
    GuySound(guy, 112, 1000);
    StartAction(guy, 2);
    guy.cooldown = 10;
    return;
  }
  TurnTowardTarget(guy, *target);
  if (GuyDistance(guy, *target) <= 128) {
    // It circles sideways round its prey.
    MoveAlong(guy, ((guy.facing + 2) & 7) * 32, ToFixed(3));
  } else {
    MoveInFacing(guy, ToFixed(4));
  }
  KeepAnim(guy, 1, 256);
}

void MumbleBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  if (guy.busy) {
    if (Beat(guy, 2, 5)) {
      Blow(guy, target, 20, 24, 12, 10, map, world);
      guy.cooldown = 5;
    }
    return;
  }
  if (guy.aiState == 0) {
    KeepAnim(guy, 0, 128);
    Halt(guy);
    if (Within(guy, target, 200)) guy.aiState = 1;
    return;
  }
  if (Closer(guy, target, 60) && Chance(8) && guy.cooldown == 0) {
    GuySound(guy, 129, 1000);
    StartAction(guy, 2, 128);
    return;
  }
  if (guy.aiTimer > 0) {
    guy.aiTimer -= 1;
  } else {
    if (target) TurnTowardTarget(guy, *target);
    guy.aiTimer = 30;
  }
  KeepAnim(guy, 1, 64);
  // A shuffle: it stands still on the frames where its feet are planted.
  bool planted =
      (guy.animFrame >= 3 && guy.animFrame <= 5) || (guy.animFrame >= 9 && guy.animFrame <= 11);
  if (planted) {
    Halt(guy);
  } else {
    MoveInFacing(guy, ToFixed(1));
  }
}

void WackoBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 135, 136);
  if (guy.busy) {
    if (guy.anim == 2 && guy.animAccum < 196 && guy.cooldown == 0) {
      if (Blow(guy, target, 16, 32, 8, 4, map, world)) guy.cooldown = 10;
    }
    return;
  }
  static constexpr ChaseStyle kStyle{4,     3,     128,   48, 8, 134, 1200, 2,
                                     false, false, false, 0,  0, 0,   0,    0};
  ChaseAndWander(guy, target, kStyle);
}

void SantaBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 150, 151);
  if (guy.busy) {
    if (Beat(guy, 2, 8)) {
      Blow(guy, target, 16, 32, 16, 6, map, world);
      if (guy.aiTimer > 0) {
        guy.aiTimer -= 1;
        guy.cooldown = 10;
      }
    }
    return;
  }
  if (Closer(guy, target, 96) && Chance(16) && guy.cooldown == 0) {
    GuySound(guy, 152);
    StartAction(guy, 2);
    guy.cooldown = 1;
    guy.aiTimer = 2;
    return;
  }
  if (target) {
    TurnTowardTarget(guy, *target);
  } else {
    Wander(guy, 40);
  }
  Walk(guy, 6);
}

}  // namespace torvel
