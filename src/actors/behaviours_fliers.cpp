// Creatures of the air: the bat and the big bat, the hero's pterodactyl, the
// peeper, the djinni, the lich and the dust devil.
#include <initializer_list>

#include "actors/behaviour_kinds.h"
#include "actors/behaviours_shared.h"
#include "actors/bullets.h"
#include "actors/kinds.h"
#include "common/trig.h"
#include "platform/random.h"
#include "player/player.h"
#include "player/player_record.h"

namespace torvel {

namespace {

constexpr uint8_t kHero = 1;

Fixed Toward(Fixed from, Fixed to) {
  return to > from ? 1 : to < from ? -1 : 0;
}

}  // namespace

void BatBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, -1, 40);
  if (guy.busy) {
    if (Beat(guy, 2, 2)) {
      Blow(guy, target, 16, 16, 2, 4, map, world);
      guy.cooldown = 2;
    } else if (guy.anim == 4 && guy.animFrame >= 2 && target &&
               GuyHitsSquare(16, FixedToInt(guy.x), FixedToInt(guy.y), target)) {
      // The dive struck home: it bounces off and recoils.
      HurtGuy(target, FacingPushX(guy, 8), FacingPushY(guy, 8), 6, map, world);
      PlayAnim(guy, 5, 64);
      guy.dx = -guy.dx / 4;
      guy.dy = -guy.dy / 4;
    }
    return;
  }
  if (guy.aiState == 0 && !target) guy.aiState = 1;
  if (guy.aiState == 0) {
    if (Closer(guy, target, 48) && Chance(4)) {
      GuySound(guy, 38);
      StartAction(guy, 2, 128);
    } else if (Farther(guy, target, 64) && Chance(32)) {
      GuySound(guy, 39);
      StartAction(guy, 4, 128);
      MoveInFacing(guy, ToFixed(12));
    } else {
      FaceTarget(guy, *target);
      Walk(guy, 8);
      if (Chance(16)) guy.aiState = 1;
    }
    return;
  }
  // Fluttering about; when its turn runs out it may take up the chase again.
  if (guy.aiTimer == 0 && target && Chance(3)) {
    guy.aiState = 0;
  } else {
    Wander(guy, 40);
  }
  Walk(guy, 6);
  guy.animRate = 110;
}

void PteroBehaviour(Guy& guy, Map&, World&, Guy* target) {
  Guy* hero = HeroGuy();
  if (!hero || hero->kind != kHero) {
    RemoveGuy(&guy);
    return;
  }
  CountDownCooldown(guy);
  HurtCry(guy, 160, 160);
  if (guy.life == 0) {
    if (guy.anim == kAnimDie) FloatingSparks(guy, 16);
    return;
  }
  int level = Player().level;
  Guy* enemy = target && target->life > 0 ? target : nullptr;
  if (guy.busy && AtFrame(guy, 2, 3) && NewFrame(guy) && enemy) {
    // The swoop: it takes aim at its prey.
    FireBullet(guy.x, guy.y, AngleOf(enemy->x - guy.x, enemy->y - guy.y), 28);
    int reload = 27 - level / 2;
    guy.cooldown = static_cast<uint8_t>(reload > 0 ? reload : 0);
  }
  int32_t heroDistance = GuyDistance(guy, *hero);
  bool hunting = enemy && heroDistance <= 200 && GuyDistance(guy, *enemy) < 300;
  if (!enemy || heroDistance > 200) {
    TurnTowardTarget(guy, *hero);
  } else if (hunting) {
    TurnTowardTarget(guy, *enemy);
    if (!guy.busy && guy.cooldown == 0) {
      if (GuyDistance(guy, *enemy) < 128) {
        GuySound(guy, 159, 600);
        FireBullet(guy.x, guy.y, static_cast<uint8_t>(guy.facing * 32), 28);
        int reload = 14 - level / 5;
        guy.cooldown = static_cast<uint8_t>(reload > 0 ? reload : 0);
      } else {
        PlayAnim(guy, 2, 128);
        guy.busy = 1;
      }
    }
  }
  // It flies with momentum, steering by leaning into its facing.
  guy.dx += Cosine(guy.facing * 32);
  guy.dy += Sine(guy.facing * 32);
  ClampVelocity(guy, ToFixed(10));
  if (!guy.busy) KeepAnim(guy, 1, 128);
}

void PeeperBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 170, 169);
  if (guy.life == 0) {
    FloatingSparks(guy, 16);
    return;
  }
  if (guy.busy) {
    if (Beat(guy, 2, 3)) {
      FireBullet(guy.x, guy.y, guy.facing, 30);
      GuySound(guy, 171);
      guy.cooldown = 120;
    }
    return;
  }
  if (guy.aiState == 0) {
    // Shut until something comes near or hits it; then it blinks open.
    KeepAnim(guy, 5, 64);
    Halt(guy);
    if (Within(guy, target, 256) || JustHurt(guy)) {
      guy.aiState = 1;
      guy.busy = 1;
      guy.aiTimer = 4;
    }
    return;
  }
  if (guy.aiTimer > 0) {
    guy.aiTimer -= 1;
  } else {
    if (target) TurnTowardTarget(guy, *target);
    guy.aiTimer = 4;
  }
  if (target && Chance(64) && guy.cooldown == 0) {
    StartAction(guy, 2);
    return;
  }
  if (Chance(256)) {
    StartAction(guy, 4, 256);
    return;
  }
  Walk(guy, 2);
}

void BigBatBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 179, 180);
  if (JustHurt(guy) && guy.life == 0) guy.cooldown = 255;
  if (guy.life == 0) {
    FloatingSparks(guy, 26);
    return;
  }
  if (guy.busy) {
    if (AtFrame(guy, 2, 2) && guy.animAccum < 32) {
      // A bat drops from under its wing; with no room it never leaves.
      Guy* bat = LaunchBat(guy.x, guy.y, guy.z, guy.facing);
      if (bat && !CanGuyStand(*bat, bat->x, bat->y, map, world)) {
        RemoveGuy(bat);
      }
      guy.cooldown = 30;
    }
    return;
  }
  if (guy.aiState == 0) {
    if (!target) {
      guy.aiState = 1;
      guy.aiTimer = 60;
    } else if (guy.aiTimer > 0) {
      guy.aiTimer -= 1;
    } else {
      TurnTowardTarget(guy, *target);
      guy.aiTimer = 8;
      if (Chance(16)) {
        guy.aiState = 1;
        guy.aiTimer = 60;
      }
    }
  } else if (guy.aiTimer > 0) {
    guy.aiTimer -= 1;
  } else {
    if (target && Chance(16)) {
      guy.aiState = 0;
    } else {
      TurnBy(guy, Random(3) - 1);
    }
    guy.aiTimer = 8;
  }
  Walk(guy, 2);
  if (guy.cooldown == 0 && Chance(32) && Within(guy, target, 512)) {
    // It keeps its way while it lets a bat go.
    PlayAnim(guy, 2, 128);
    guy.busy = 1;
    GuySound(guy, 181);
  }
}

void DjinniBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 123, 124);
  if (guy.busy) {
    if (Beat(guy, 2, 5)) {
      Blow(guy, target, 20, 20, 6, 10, map, world);
      guy.cooldown = 10;
    }
    return;
  }
  if (Closer(guy, target, 54) && Chance(8) && guy.cooldown == 0) {
    GuySound(guy, 125, 600);
    StartAction(guy, 2);
    return;
  }
  if (Chance(256)) {
    GuySound(guy, 126, 1300);
    StartAction(guy, 4);
    return;
  }
  if (guy.aiTimer > 0) {
    guy.aiTimer -= 1;
  } else {
    if (target) {
      TurnTowardTarget(guy, *target);
    } else {
      TurnBy(guy, Random(3) - 1);
    }
    guy.aiTimer = 10;
  }
  Walk(guy, 2);
}

void LichBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  if (guy.life == 0) {
    DyingSmoke(guy);
    return;
  }
  if (guy.aiState == 0) {
    Halt(guy);
    if (!(Within(guy, target, 400) || JustHurt(guy))) return;
    guy.aiState = 1;
  }
  if (guy.busy && AtFrame(guy, 2, 1) && NewFrame(guy))
    FireBeam(guy.x, guy.y + ToFixed(8), guy.slot);
  if (!target) {
    guy.dx = Dampen(guy.dx, kFixedOne / 8);
    guy.dy = Dampen(guy.dy, kFixedOne / 8);
    return;
  }
  // Its cold aura burns and poisons whoever comes too close.
  if (guy.cooldown == 0 && GuyHitsSquare(55, FixedToInt(guy.x), FixedToInt(guy.y), target)) {
    HurtGuy(target, 0, 0, 10, map, world);
    if (target->kind == kHero) AddPoison(60);
  }
  TurnTowardTarget(guy, *target);
  // It drifts to hang over its prey's head.
  guy.dx += Toward(guy.x, target->x) * (kFixedOne / 8);
  guy.dy += Toward(guy.y, target->y - ToFixed(96)) * (kFixedOne / 8);
  Fixed limitX = guy.busy ? kFixedOne : ToFixed(3);
  Fixed limitY = guy.busy ? kFixedOne : ToFixed(4);
  guy.dx = Clamp(guy.dx, limitX);
  guy.dy = Clamp(guy.dy, limitY);
  // Stars from either hand in turn, sweeping across its front.
  if (guy.cooldown == 8 || guy.cooldown == 0) {
    bool left = guy.cooldown == 8;
    int angle = (guy.facing * 32 - 32 + (guy.aux * 8) % 64) & 255;
    ThrowFrom(guy, left ? -32 : 32, 32, guy.z + ToFixed(80), 8 * Cosine(angle), 8 * Sine(angle),
              -3 * kFixedOne, 30, static_cast<uint8_t>(angle), 9);
    if (!left) {
      guy.cooldown = 16;
      guy.aux = static_cast<uint8_t>(guy.aux + 1);
    }
  }
  if (!guy.busy && Chance(128)) {
    PlayAnim(guy, 2, 64);
    guy.busy = 1;
  }
}

void DustDevilBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  if (guy.life == 0 || !target) return;
  if (!guy.busy && Within(guy, target, 80)) StartAction(guy, 2);
  if (AtFrame(guy, 2, 5) && NewFrame(guy) &&
      GuyHitsSquare(80, FixedToInt(guy.x), FixedToInt(guy.y), target)) {
    // Flung out of the funnel, away from its heart.
    int away = AngleOf(target->x - guy.x, target->y - guy.y);
    HurtGuy(target, 12 * Cosine(away), 12 * Sine(away), 25, map, world);
    guy.aiTimer = 10;
    guy.aux = 0;
  }
  Fixed sx = Toward(target->x, guy.x), sy = Toward(target->y, guy.y);
  if (guy.aiTimer > 0) {
    guy.aiTimer -= 1;
    target->dx -= 2 * kFixedOne * sx;
    target->dy -= 2 * kFixedOne * sy;
  } else {
    // The pull grows the longer it holds, and swirls a little across.
    if (guy.aux < 255) guy.aux += 1;
    int32_t strength = guy.aux;
    target->dx += sx * strength * (kFixedOne / 128) - sy * strength * (kFixedOne / 1024);
    target->dy += sy * strength * (kFixedOne / 128) + sx * strength * (kFixedOne / 1024);
  }
  target->dx = Clamp(target->dx, ToFixed(6));
  target->dy = Clamp(target->dy, ToFixed(6));
}

}  // namespace torvel
