// The rest of the ground creatures: the hero's golem, the zomboni and its
// driver, the hopping geozoid, the rolling cactus and roller, the
// mechagorvash, and the centipede's head and body.
#include <initializer_list>

#include "actors/behaviour_kinds.h"
#include "actors/behaviours_shared.h"
#include "actors/bullets.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "common/trig.h"
#include "gfx/draw_list.h"
#include "platform/random.h"
#include "player/status.h"

namespace torvel {

namespace {

constexpr Fixed kHalf = kFixedOne / 2;
constexpr uint8_t kHero = 1;

// Toward the goal on one axis: -1, 0 or +1.
Fixed Toward(Fixed from, Fixed to) {
  return to > from ? 1 : to < from ? -1 : 0;
}

// The golem crumbles a little every 15 ticks; at nothing left it falls apart.
void GolemWastes(Guy& guy) {
  if (++guy.aux < 15) return;
  guy.aux = 0;
  int32_t full = KindLife(guy.kind);
  int32_t before = guy.life;
  guy.life -= 1;
  if (!CreatureBarShowsOther()) {
    ShowCreatureBar(KindName(guy.kind), before * 128 / full, guy.life * 128 / full, guy.life > 0);
  }
  if (guy.life > 0) return;
  guy.life = 0;
  StartAction(guy, kAnimDie, 64);
  guy.hurtTimer = 4;
}

}  // namespace

void GolemBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  Guy* hero = HeroGuy();
  if (!hero || hero->kind != kHero) {
    RemoveGuy(&guy);
    return;
  }
  CountDownCooldown(guy);
  if (guy.life > 0) GolemWastes(guy);
  HurtCry(guy, 186, 187);
  if (guy.life == 0) {
    if (guy.anim == kAnimDie && guy.animFrame >= 4) {
      int32_t ox = Random(65) - 32, oy = Random(65) - 32;
      AddFloatingSpark(guy.x + ToFixed(ox), guy.y + ToFixed(oy), guy.z, kFixedOne);
      if (NewFrame(guy)) {
        // A grenade with a short fuse: it bursts where the golem crumbles.
        Bullet* b = FireFrom(guy, ox, oy, 0, 7);
        if (b) b->timer = 3;
      }
    }
    return;
  }
  if (guy.busy) {
    // Rising from the ground: it needs room to stand.
    if (AtFrame(guy, 4, 0) && NewFrame(guy) && !CanGuyStand(guy, guy.x, guy.y, map, world)) {
      RemoveGuy(&guy);
    } else if (Beat(guy, 2, 5)) {
      GuySound(guy, 12, 600);
      SetShake(5);
      FireAhead(guy, 32, guy.facing, 35);
      guy.cooldown = 60;
    }
    return;
  }
  // The friendly is nobody to fight.
  Guy* enemy = target && target->kind != 11 && target->life > 0 ? target : nullptr;
  bool enemyNear = Within(guy, enemy, 300);
  int32_t heroDistance = GuyDistance(guy, *hero);
  auto everyFourTicks = [&](const Guy& toward) {
    if (guy.aiTimer > 0) {
      guy.aiTimer -= 1;
      return;
    }
    TurnTowardTarget(guy, toward);
    guy.aiTimer = 4;
  };
  switch (guy.aiState) {
    case 0:  // fight
      if (enemyNear && heroDistance <= 512) {
        everyFourTicks(*enemy);
        if (guy.cooldown == 0 && Within(guy, enemy, 96)) {
          StartAction(guy, 2, 128);
          GuySound(guy, 185);
          return;
        }
      } else {
        guy.aiState = 1;
      }
      Walk(guy, 2);
      break;
    case 1:  // return to the hero
      everyFourTicks(*hero);
      Walk(guy, 2);
      if (heroDistance <= 128) guy.aiState = enemyNear ? 0 : 2;
      break;
    default:  // guard
      Halt(guy);
      KeepAnim(guy, 0, 128);
      if (enemyNear) {
        guy.aiState = 0;
      } else if (heroDistance > 256) {
        guy.aiState = 1;
      }
      break;
  }
}

void ZomboniBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  if (guy.life == 0) {
    if (guy.animFrame >= 4) DyingSmoke(guy);
    if (AtFrame(guy, kAnimDie, 8)) {
      // The machine is wrecked; its driver climbs out and walks on.
      guy.kind = 6;
      guy.life = 20;
      guy.aiState = 0;
      guy.busy = 0;
      Halt(guy);
      PlayAnim(guy, 0, 32);
    }
    return;
  }
  if (AtFrame(guy, 1, 1) && NewFrame(guy)) GuySound(guy, 108, 1500);
  if (guy.aiState == 0) {
    Halt(guy);
    if (Within(guy, target, 400) || JustHurt(guy)) guy.aiState = 1;
    return;
  }
  if (guy.cooldown == 0) {
    if (target) TurnTowardTarget(guy, *target);
    guy.cooldown = 8;
  }
  MoveInFacing(guy, ToFixed(6));
  KeepAnim(guy, 1, 256);
  if (guy.animFrame == 0) {
    // Exhaust from the stack behind, and whoever is under the wheels.
    AddSmokePuff(guy.x - 32 * Cosine(guy.facing * 32), guy.y - 32 * Sine(guy.facing * 32),
                 ToFixed(40), kFixedOne);
    if (Within(guy, target, 90)) {
      HurtGuy(target, FacingPushX(guy, 12), FacingPushY(guy, 12), 10, map, world);
    }
  }
}

void GeozoidBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 64, 65);
  if (guy.busy) {
    if (Beat(guy, 2, 6)) {
      FireAhead(guy, 8, guy.facing, 23);
      guy.cooldown = 20;
    }
    return;
  }
  if (Within(guy, target, 512) && Chance(8) && guy.cooldown == 0) {
    GuySound(guy, 66);
    StartAction(guy, 2, 128);
    return;
  }
  if (target) TurnTowardTarget(guy, *target);
  if (guy.aiState == 1) {
    // A hop just landed: it rests before the next.
    guy.aiState = 0;
    guy.aiTimer = static_cast<uint8_t>(Random(50) + 10);
  }
  Halt(guy);
  if (guy.aiTimer > 0) {
    guy.aiTimer -= 1;
    return;
  }
  StartAction(guy, 1, 64);
  MoveInFacing(guy, kFixedOne / 8);
  guy.aiState = 1;
}

void CactusBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, -1, 122);
  if (guy.life == 0) return;
  if (guy.anim == 2) {
    if (AtFrame(guy, 2, 3) && NewFrame(guy)) {
      GuySound(guy, 121, 600);
      if (Within(guy, target, 1024)) {
        // A spray of needles; caught late in the frame it swings wider.
        int start = guy.facing * 32 - (guy.animAccum >= 128 ? 60 : 55);
        for (int i = 0; i < 12; ++i) {
          FireBullet(guy.x, guy.y, static_cast<uint8_t>((start + 10 * i) & 255), 24);
        }
      }
    }
    if (guy.busy) return;
  }
  switch (guy.aiState) {
    case 0:  // standing
      Halt(guy);
      if (guy.cooldown == 0 && target) {
        guy.cooldown = 120;
        FaceTarget(guy, *target);
        StartAction(guy, 2);
        return;
      }
      if (guy.aiTimer > 0) {
        guy.aiTimer -= 1;
        return;
      }
      guy.facing = static_cast<uint8_t>(Random(8));
      PlayAnim(guy, 4, 128);
      guy.aiState = 1;
      guy.aiTimer = static_cast<uint8_t>(Random(30) + 30);
      guy.aux = 0;
      break;
    case 1:  // rolling, gathering speed half a pixel a tick
      if (guy.anim != 4) KeepAnim(guy, 1, 128);
      if (guy.aux < 12) guy.aux += 1;
      MoveInFacing(guy, guy.aux * kHalf);
      if (guy.aiTimer > 0) guy.aiTimer -= 1;
      if (guy.aiTimer == 0) {
        guy.aiState = 2;
        PlayAnim(guy, 5, 128);
      }
      break;
    default:  // slowing to a stop
      guy.dx = Dampen(guy.dx, kHalf);
      guy.dy = Dampen(guy.dy, kHalf);
      if (guy.anim != 5) {
        Halt(guy);
        guy.aiState = 0;
        guy.aiTimer = static_cast<uint8_t>(Random(70) + 30);
      }
      break;
  }
}

void RollerBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  if (guy.life == 0) {
    for (int i = 0; i < 3; ++i) {
      FireFrom(guy, Random(65) - 32, Random(65) - 32, static_cast<uint8_t>(Random(8)), 23);
    }
    return;
  }
  if (guy.aiTimer != 0) {
    // Off a wall, a quarter turn clockwise.
    guy.aiTimer = 0;
    guy.facing = static_cast<uint8_t>((guy.facing + 2) & 7);
    GuySound(guy, 130, 800);
  }
  guy.facing &= 6;
  static constexpr uint8_t kSequenceOfFacing[4] = {4, 1, 5, 2};  // east, south, west, north
  uint8_t anim = kSequenceOfFacing[guy.facing / 2];
  if (guy.anim != anim) PlayAnim(guy, anim, 128);
  MoveInFacing(guy, ToFixed(4));
  if (target && GuyHitsSquare(40, FixedToInt(guy.x), FixedToInt(guy.y), target)) {
    HurtGuy(target, 0, 0, 128, map, world);
    GuySound(guy, 130, 1000);
  }
}

void MechaBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  if (guy.life == 0) {
    DyingSmoke(guy);
    return;
  }
  bool hurt = JustHurt(guy);
  if (guy.aiState == 1 && hurt) {
    // Hits heat it up; hot enough, it takes off.
    guy.aiTimer = static_cast<uint8_t>(guy.aiTimer + 16 > 64 ? 64 : guy.aiTimer + 16);
  }
  if (guy.busy) {
    if (Beat(guy, 2, 4)) {
      FireBullet(guy.x, guy.y, guy.facing, 25);
      guy.cooldown = static_cast<uint8_t>(Random(50) + 20);
    }
    if ((AtFrame(guy, 2, 7) && NewFrame(guy) && Chance(4)) ||
        (AtFrame(guy, 4, 7) && NewFrame(guy))) {
      guy.facing = static_cast<uint8_t>(Random(8));
    }
    return;
  }
  switch (guy.aiState) {
    case 0:  // idle
      KeepAnim(guy, 5, 32);
      Halt(guy);
      if (Within(guy, target, 256) || hurt) {
        StartAction(guy, 6, 256);
        guy.cooldown = static_cast<uint8_t>(Random(30) + 5);
        guy.aiState = 1;
      }
      break;
    case 1:  // running and shooting
      if (guy.aiTimer >= 33) {
        guy.aiState = 2;
        StartAction(guy, 4, 256);
        break;
      }
      if (guy.aiTimer > 0) guy.aiTimer -= 1;
      if (guy.cooldown == 0) {
        StartAction(guy, 2);
        break;
      }
      Walk(guy, 6);
      break;
    default:  // flying on its rockets until it cools down
      if (Chance(32)) guy.facing = static_cast<uint8_t>(Random(8));
      KeepAnim(guy, 5, 16);
      guy.dx += 2 * Cosine(guy.facing * 32);
      guy.dy += 2 * Sine(guy.facing * 32);
      ClampVelocity(guy, ToFixed(12));
      if (guy.z < ToFixed(16)) guy.dz = ToFixed(3);
      if (guy.aiTimer > 0) guy.aiTimer -= 1;
      if (guy.aiTimer == 0) guy.aiState = 1;
      break;
  }
}

void CentipedeBodyBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  HurtCry(guy, -1, 77);
  if (guy.life == 0) {
    AddParticles(kParticleBlood, guy.x, guy.y, guy.z, 3);
    return;
  }
  CountDownCooldown(guy);
  const Guy* parent = guy.parent;
  if (!parent || parent->kind == 0 || parent->life <= 0) {
    Halt(guy);
    return;
  }
  // Each segment hurries after the one ahead of it.
  guy.dx += 2 * kFixedOne * Toward(guy.x, parent->x);
  guy.dy += 2 * kFixedOne * Toward(guy.y, parent->y);
  ClampVelocity(guy, ToFixed(6));
  guy.facing = FacingOfVector(guy.dx, guy.dy, kFixedOne, guy.facing);
  if (guy.cooldown == 0 && Within(guy, target, 44)) {
    HurtGuy(target, guy.dy, -guy.dx, 4, map, world);
    guy.cooldown = 5;
  }
}

void CentipedeHeadBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  HurtCry(guy, 48, 77);
  if (guy.life == 0) {
    AddParticles(kParticleBlood, guy.x, guy.y, guy.z, 3);
    return;
  }
  CountDownCooldown(guy);
  if (guy.aiTimer != 0) {
    guy.aiTimer = 0;
    guy.facing = static_cast<uint8_t>(Random(8));
  }
  guy.dx = Dampen(guy.dx + Cosine(guy.facing * 32), kHalf);
  guy.dy = Dampen(guy.dy + Sine(guy.facing * 32), kHalf);
  ClampVelocity(guy, ToFixed(5));
  PlayMoveSequence(guy);
  if (guy.cooldown == 0 && Within(guy, target, 44)) {
    HurtGuy(target, guy.dx, guy.dy, 6, map, world);
    guy.cooldown = 5;
  }
}

}  // namespace torvel
