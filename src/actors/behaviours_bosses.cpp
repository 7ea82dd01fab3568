// The walking bosses and big guards: the walking tower, the big shroom, the
// yetis, the vorga and what it turns into, the sdzl. Kind 32 has a file of
// its own (behaviours_bobby.cpp).
#include <initializer_list>

#include "actors/behaviour_kinds.h"
#include "actors/behaviours_shared.h"
#include "actors/bullets.h"
#include "actors/kinds.h"
#include "audio/sound.h"
#include "common/trig.h"
#include "gfx/draw_list.h"
#include "gfx/movie.h"
#include "platform/random.h"

namespace torvel {

namespace {

constexpr uint8_t kSdzl = 58;

// A spore from the big shroom's left side, flung at speed 12 within 32
// steps either side of its facing.
void ShroomSpore(const Guy& guy) {
  int angle = (guy.facing * 32 + Random(33) - 16) & 255;
  ThrowFrom(guy, -32, 0, ToFixed(16), 12 * Cosine(angle), 12 * Sine(angle), 0, 16,
            static_cast<uint8_t>(angle), 14);
}

}  // namespace

void TowerBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 175, 176);
  if (guy.life == 0) {
    DyingSmoke(guy);
    return;
  }
  if (guy.busy) {
    if (guy.anim == 4) {
      // The mortar swings round, a shell on every frame.
      if (NewFrame(guy)) {
        GuySound(guy, 97, 1500);
        FireBullet(guy.x, guy.y, static_cast<uint8_t>(guy.facing * 32 + 32), 16);
        TurnBy(guy, 1);
      }
    } else if (guy.anim == 2) {
      // The charge: wind up, dash, brake, and stamp a shockwave.
      if (guy.animFrame <= 3) {
        Halt(guy);
      } else if (guy.animFrame == 4) {
        MoveInFacing(guy, ToFixed(12));
      } else if (guy.animFrame <= 7) {
        // Braking: an eighth of a pixel a tick off its speed, as every
        // "slows by" of the creatures goes.
        guy.dx = Dampen(guy.dx, kFixedOne / 8);
        guy.dy = Dampen(guy.dy, kFixedOne / 8);
      } else if (guy.animFrame == 12 && NewFrame(guy)) {
        FireFrom(guy, 0, -1, 0, 18);
        GuySound(guy, 12, 1500);
        SetShake(10);
        guy.dx = Dampen(guy.dx, kFixedOne / 2);
        guy.dy = Dampen(guy.dy, kFixedOne / 2);
      }
    }
    return;
  }
  if (guy.aiState == 0) {
    Halt(guy);
    if (!(Closer(guy, target, 300) || JustHurt(guy))) return;
    guy.aiState = 1;
  }
  // aux holds a course for a few ticks; a wall turns it well aside.
  if (guy.aux > 0) {
    guy.aux -= 1;
  } else if (guy.aiTimer != 0) {
    TurnBy(guy, Random(3) + 3);
    guy.aiTimer = 0;
    guy.aux = 8;
  } else if (target) {
    TurnTowardTarget(guy, *target);
    guy.aux = 4;
  }
  Walk(guy, 4);
  if (!target) return;
  if (Farther(guy, target, 200) && guy.cooldown == 0) {
    StartAction(guy, 4, 128);
    guy.cooldown = 120;
  } else if (Within(guy, target, 100) || Chance(32)) {
    StartAction(guy, 2);
  }
}

void BigShroomBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 99, 100);
  if (guy.life == 0) return;
  if (guy.busy) {
    if (guy.anim == 4 && guy.animFrame >= 1 && guy.animFrame <= 15) {
      ShroomSpore(guy);
      GuySound(guy, 98, 600);
    } else if (Beat(guy, 2, 1)) {
      FireFrom(guy, 32, 0, guy.facing, 15);
      GuySound(guy, 97, 1000);
      guy.cooldown = 5;
    }
    return;
  }
  switch (guy.aiState) {
    case 0:  // waiting
      Halt(guy);
      if (Within(guy, target, 256) || JustHurt(guy)) {
        GuySound(guy, 96);
        StartAction(guy, 5);
        guy.facing = 2;
        guy.aiState = 2;
      }
      break;
    case 1:  // closing in
      if (!target) {
        guy.aiState = 2;
        break;
      }
      TurnTowardTarget(guy, *target);
      Walk(guy, 8);
      if (Within(guy, target, 200)) guy.aiState = 2;
      break;
    default:  // standing its ground
      Halt(guy);
      KeepAnim(guy, 0, 128);
      if (!target) break;
      if (GuyDistance(guy, *target) > 256) {
        guy.aiState = 1;
      } else if (Chance(32)) {
        StartAction(guy, 2);
      } else if (Chance(28)) {
        StartAction(guy, 4, 256);
      } else {
        TurnTowardTarget(guy, *target);
      }
      break;
  }
}

void YetiBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 118, 119);
  if (guy.life == 0) {
    guy.facing = 2;
    if (guy.animFrame >= 4) DyingSmoke(guy);
    return;
  }
  if (guy.busy) {
    if (guy.anim == 5 && guy.animFrame >= 4) {
      // The roar brings icicles down all over the screen around it.
      SetShake(3);
      uint8_t kind = Chance(3) ? 21 : 20;
      ThrowFrom(guy, Random(640) - 320, Random(480) - 240, ToFixed(400), 0, 0, 0, 100, 2, kind);
    } else if (guy.kind == 36 && Beat(guy, 2, 7)) {
      // A snowball thrown from the right hand.
      int angle = guy.facing * 32;
      Fixed x = guy.x + 64 * Cosine(angle) + 32 * Cosine(angle + 64);
      Fixed y = guy.y + 64 * Sine(angle) + 32 * Sine(angle + 64);
      AddBullet(x, y, ToFixed(40), 8 * Cosine(angle), 8 * Sine(angle), ToFixed(4), 0, 100,
                static_cast<uint8_t>(angle), 21);
      guy.cooldown = 10;
    } else if (guy.kind == 37 && guy.anim == 4 && (guy.animFrame == 5 || guy.animFrame == 6) &&
               NewFrame(guy)) {
      FireAhead(guy, 64, guy.facing, 22);
    }
    return;
  }
  if (guy.aiState == 0) {
    Halt(guy);
    if (Within(guy, target, 300) || JustHurt(guy)) {
      GuySound(guy, guy.kind == 36 ? 116 : 117);
      StartAction(guy, 6, 64);
      guy.facing = 2;
      guy.aiState = 1;
    }
    return;
  }
  if (guy.aiTimer > 0) {
    guy.aiTimer -= 1;
  } else {
    TurnBy(guy, Random(3) - 1);
    guy.aiTimer = static_cast<uint8_t>(Random(30) + 1);
  }
  Walk(guy, 3);
  if (guy.cooldown != 0 || !target || !Chance(20)) return;
  if (Random(16) < 4) {
    GuySound(guy, 120, 1500);
    StartAction(guy, 5, 64);
    guy.facing = 2;
  } else {
    FaceTarget(guy, *target);
    StartAction(guy, guy.kind == 36 ? 2 : 4, 128);
  }
}

void VorgaBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 143, 144);
  if (guy.life == 0) {
    if (AtFrame(guy, kAnimDie, 15) && NewFrame(guy)) {
      // Its true shape rises out of the wreck.
      PlayNumberedMovie(10);
      guy.kind = kSdzl;
      guy.life = 1500;
      guy.facing = 2;
      guy.aiState = 0;
      guy.aiTimer = 0;
      guy.busy = 0;
      Halt(guy);
      PlayAnim(guy, 0, 128);
    }
    return;
  }
  if (guy.busy) return;
  switch (guy.aiState) {
    case 0:  // waiting for the hero
      Halt(guy);
      if (Within(guy, target, 160)) {
        MakeNormalSound(141);
        StartAction(guy, 2, 64);
        guy.aiState = 1;
        guy.cooldown = 96;
      }
      break;
    case 1:  // off to the north end
      if (guy.cooldown > 0) {
        guy.facing = 6;
        guy.dx = 0;
        guy.dy = ToFixed(-8);
        KeepAnim(guy, 1, 256);
        break;
      }
      guy.aiState = 2;
      [[fallthrough]];
    case 2:  // standing guard, facing south
      guy.facing = 2;
      guy.aiTimer = 0;
      Halt(guy);
      KeepAnim(guy, 0, 128);
      if (Within(guy, target, 128) || JustHurt(guy)) {
        MakeNormalSound(142);
        guy.aiState = 3;
        guy.aux = 0;
      }
      break;
    default:  // running about
      if (guy.aiTimer != 0) {
        guy.facing = static_cast<uint8_t>(Random(8));
        guy.aiTimer = 0;
        guy.aux = 32;
      } else if (guy.aux > 0) {
        guy.aux -= 1;
      } else {
        TurnBy(guy, Random(3) - 1);
        guy.aux = static_cast<uint8_t>(Random(16) + 1);
      }
      MoveInFacing(guy, ToFixed(8));
      KeepAnim(guy, 1, 256);
      break;
  }
}

void SdzlBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 145, 146);
  if (guy.life == 0) return;
  if (guy.busy) {
    if (guy.anim == 6 && (guy.animFrame == 7 || guy.animFrame == 8) && NewFrame(guy)) {
      // The quake: rocks fall all around.
      SetShake(30);
      GuySound(guy, 148);
      for (int i = 0; i < 10; ++i) {
        ThrowFrom(guy, Random(513) - 256, Random(513) - 256, ToFixed(80 + Random(40)), 0, 0, 0, 60,
                  2, 23);
      }
    } else if (AtFrame(guy, 5, 12) && NewFrame(guy)) {
      for (int i = -2; i <= 2; ++i) {
        Bullet* glob = FireFrom(guy, 0, 20, static_cast<uint8_t>(64 + 16 * i), 16);
        if (glob) glob->z = ToFixed(60);
      }
    } else if (guy.anim == 2 && guy.animFrame >= 9 && guy.animFrame <= 13 && guy.aux == 0 &&
               target) {
      // The tail sweeps the ground to its right, once per sweep.
      if (GuyHitsSquare(100, FixedToInt(guy.x) + 50, FixedToInt(guy.y) + 10, target)) {
        HurtGuy(target, ToFixed(-12), ToFixed(4), 25, map, world);
        guy.aux = 1;
      }
    }
    return;
  }
  if (target) TurnTowardTarget(guy, *target);
  guy.dx = 4 * Cosine(guy.facing * 32);
  guy.dy = 3 * Sine(guy.facing * 32);
  bool facingLeft = guy.facing >= 3 && guy.facing <= 5;
  KeepAnim(guy, facingLeft ? 4 : 1, 128);
  if (guy.cooldown != 0 || !Within(guy, target, 256)) return;
  int32_t r = Random(1024);
  if (r < 40) {
    StartAction(guy, 6);
    GuySound(guy, 147);
    guy.cooldown = 60;
  } else if (r < 100) {
    StartAction(guy, 5);
    GuySound(guy, 149);
    guy.cooldown = 60;
  } else if (r < 180) {
    StartAction(guy, 2);
    GuySound(guy, 147);
    guy.cooldown = 30;
    guy.aux = 0;
  }
}

}  // namespace torvel
