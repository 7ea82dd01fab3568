// Creatures that stand their ground and fire: the all-seeing eye and its
// pink eyes, the thing in the lake, the sphinx and its two arms, the boiler
// and the ultrazoid.
#include <initializer_list>

#include "actors/behaviour_kinds.h"
#include "actors/behaviours_shared.h"
#include "actors/bullets.h"
#include "actors/kinds.h"
#include "common/trig.h"
#include "gfx/draw_list.h"
#include "gfx/movie.h"
#include "platform/random.h"
#include "shell/play_loop.h"

namespace torvel {

namespace {

constexpr uint8_t kMummy = 39;
constexpr uint8_t kWorldWonEvent = 5;

// A volley's bullet: velocity (dx, dy, dz) in whole pixels per tick.
struct Throw {
  int8_t dx, dy, dz;
};

void ThrowVolley(const Guy& guy, const Throw* throws, int count, int32_t timer, uint8_t kind) {
  for (int i = 0; i < count; ++i) {
    ThrowFrom(guy, 0, 30, ToFixed(60), ToFixed(throws[i].dx), ToFixed(throws[i].dy),
              ToFixed(throws[i].dz), timer, 2, kind);
  }
}

}  // namespace

void LookylooBehaviour(Guy& guy, Map&, World&, Guy*) {
  CountDownCooldown(guy);
  if (JustHurt(guy)) GuySound(guy, guy.life > 0 ? 177 : 178, guy.life > 0 ? 1800 : 2000);
  if (guy.life == 0) {
    // The eye blows apart, and every pink eye with it.
    FireFrom(guy, Random(257) - 128, Random(129) - 64, 0, 8);
    SetShake(20);
    if (AtFrame(guy, kAnimDie, 4) && NewFrame(guy)) BurstKind17Guys();
    return;
  }
  if (guy.busy) {
    if (AtFrame(guy, 2, 9) && NewFrame(guy)) FireBeam(guy.x, guy.y + ToFixed(40), guy.slot);
    if (AtFrame(guy, 2, 18)) guy.cooldown = 150;
    return;
  }
  if (guy.cooldown == 0) {
    // The eye opens, slowly; only then can it be hurt.
    PlayAnim(guy, 2, 32);
    guy.busy = 1;
  }
}

void PinkeyeBehaviour(Guy& guy, Map&, World&, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 170, 169);
  if (guy.life == 0) {
    // It only plays dead: it lies at frame 3 a while, then gets up again.
    if (JustHurt(guy)) guy.cooldown = 255;
    if (guy.anim != kAnimDie) return;
    if (guy.animFrame >= 3 && guy.cooldown > 0) {
      guy.animFrame = 3;
      guy.animAccum = 0;
    } else if (guy.animFrame == 8) {
      guy.life = 20;
      guy.busy = 0;
      PlayAnim(guy, 0, 128);
    }
    return;
  }
  if (guy.busy) {
    if (AtFrame(guy, 2, 5) && NewFrame(guy)) {
      FireBullet(guy.x, guy.y, static_cast<uint8_t>(guy.facing * 32 + Random(32) - 16), 9);
    }
    return;
  }
  if (target) FaceTarget(guy, *target);
  if (guy.cooldown == 0) {
    StartAction(guy, 2, 128);
    guy.cooldown = static_cast<uint8_t>(Random(90) + 30);
  }
}

void TheThingBehaviour(Guy& guy, Map&, World&, Guy*) {
  CountDownCooldown(guy);
  HurtCry(guy, 99, 100);
  if (guy.life == 0) {
    KillChildren(&guy);
    DyingSmoke(guy);
    guy.x += ToFixed(Random(3) - 1);  // it shudders as it sinks
    if (AtFrame(guy, kAnimDie, 14) && NewFrame(guy)) {
      PlayNumberedMovie(0);
      PostMapEvent(kWorldWonEvent);
    }
    return;
  }
  if (guy.busy) return;
  if (Chance(128)) {
    StartAction(guy, 4);
  } else if (guy.cooldown == 0 && Chance(16)) {
    // Two globs lobbed high from either side of its head.
    GuySound(guy, 97, 1500);
    for (int32_t side : {-48, 48}) {
      FireFrom(guy, side, -10, static_cast<uint8_t>(Random(88) + 20), 16);
    }
    guy.cooldown = 30;
  } else if (Chance(128)) {
    GuySound(guy, 107, 1500);
    StartAction(guy, 2);
  }
}

void SphinxArmBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  if (guy.life == 0) {
    DyingSmoke(guy);
    return;
  }
  if (guy.busy) {
    if (AtFrame(guy, 2, 6) && guy.animAccum < 64 && target) {
      // The paw comes down in front of the sphinx, left or right of its chest.
      GuySound(guy, 133, 600);
      int32_t px = FixedToInt(guy.x) + (guy.kind == 47 ? -20 : 20);
      int32_t py = FixedToInt(guy.y) + 115;
      if (GuyHitsSquare(60, px, py, target)) {
        FaceTarget(guy, *target);
        HurtGuy(target, FacingPushX(guy, 12), FacingPushY(guy, 12), 30, map, world);
        // Swatted away along the blow.
        target->dx = 6 * Cosine(guy.facing * 32);
        target->dy = 6 * Sine(guy.facing * 32);
      }
      SetShake(6);
    }
    return;
  }
  if (guy.cooldown == 0) {
    StartAction(guy, 2, 128);
    guy.cooldown = static_cast<uint8_t>(Random(60) + 30);
  }
}

void SphinxBehaviour(Guy& guy, Map&, World&, Guy*) {
  CountDownCooldown(guy);
  if (JustHurt(guy)) GuySound(guy, guy.life > 0 ? 48 : 100, guy.life > 0 ? 1200 : 600);
  if (guy.life == 0) {
    KillChildren(&guy);
    DyingSmoke(guy);
    SetShake(60);
    return;
  }
  if (guy.busy) {
    if (AtFrame(guy, 2, 2) && NewFrame(guy)) {
      // A mummy steps out from between its paws, already awake.
      Guy* mummy = AddGuy(guy.x, guy.y + ToFixed(90), 0, kMummy);
      if (mummy) {
        mummy->busy = 0;
        mummy->aiState = 1;
      }
    } else if (AtFrame(guy, 4, 12) && NewFrame(guy)) {
      for (int i = 0; i < 10; ++i) {
        Bullet* rock = FireFrom(guy, 0, 40, static_cast<uint8_t>(Random(8)), 23);
        if (rock) rock->z = ToFixed(60);
      }
    }
    return;
  }
  if (guy.cooldown == 0) {
    StartAction(guy, 2, 64);
    guy.cooldown = static_cast<uint8_t>(Random(120) + 30);
  } else if (Chance(128)) {
    GuySound(guy, 132, 600);
    StartAction(guy, 4);
  }
}

void BoilerBehaviour(Guy& guy, Map&, World&, Guy*) {
  CountDownCooldown(guy);
  HurtCry(guy, 137, -1);
  if (guy.life == 0) {
    DyingSmoke(guy);
    SetShake(10);
    return;
  }
  if (guy.busy) {
    if (guy.anim == 2 && guy.animFrame >= 3 && guy.animFrame <= 10) {
      // The boiler boils over: lava pours from its three spouts.
      GuySound(guy, 17, 1100);
      static constexpr int32_t kSpoutX[3] = {36, 52, 68};
      static constexpr int32_t kSpoutDx[3] = {-2, 0, 2};
      for (int i = 0; i < 3; ++i) {
        ThrowFrom(guy, kSpoutX[i], 0, ToFixed(50), ToFixed(kSpoutDx[i]), ToFixed(12),
                  -3 * kFixedOne, 24, 2, 13);
      }
    }
    return;
  }
  if (guy.cooldown == 0 && Chance(16)) {
    guy.aiTimer = 25;
    guy.cooldown = 80;
  }
  if (guy.aiTimer > 0) {
    // Four shells from the mortar at its side, eight ticks apart.
    if (guy.aiTimer % 8 == 1) {
      GuySound(guy, 97, 1500);
      FireFrom(guy, -48, 40, static_cast<uint8_t>(Random(129)), 16);
    }
    guy.aiTimer -= 1;
  }
  if (guy.aiTimer == 0 && Chance(64)) StartAction(guy, 2, 64);
}

void UltrazoidBehaviour(Guy& guy, Map&, World&, Guy*) {
  CountDownCooldown(guy);
  HurtCry(guy, 64, 65);
  if (guy.life == 0) {
    SetShake(10);
    return;
  }
  if (guy.busy) {
    if (guy.anim == 2 && (guy.animFrame == 6 || guy.animFrame == 7) && guy.animAccum < 64) {
      // Everything it has, all at once.
      GuySound(guy, 66, 1100);
      guy.aiTimer = 2;
      static constexpr Throw kStars[5] = {
          {-4, 6, -2}, {-2, 8, -2}, {0, 9, -2}, {2, 8, -2}, {4, 6, -2}};
      static constexpr Throw kFireballs[3] = {{-4, 16, -10}, {0, 18, -10}, {4, 16, -10}};
      static constexpr Throw kRocks[4] = {{-8, 1, -1}, {-4, 4, -1}, {4, 4, -1}, {8, 1, -1}};
      static constexpr Throw kSnowballs[3] = {{-5, 1, -2}, {0, 6, -2}, {5, 1, -2}};
      ThrowVolley(guy, kStars, 5, 60, 9);
      ThrowVolley(guy, kFireballs, 3, 24, 13);
      ThrowVolley(guy, kRocks, 4, 60, 23);
      ThrowVolley(guy, kSnowballs, 3, 40, 21);
      for (int angle = 108; angle >= 28; angle -= 10) {
        ThrowFrom(guy, 0, 30, ToFixed(60), 8 * Cosine(angle), 8 * Sine(angle), -2 * kFixedOne, 40,
                  static_cast<uint8_t>(angle / 16), 24);
      }
    }
    return;
  }
  if (guy.cooldown == 0) {
    StartAction(guy, 2, 72);
    guy.cooldown = 90;
  }
}

}  // namespace torvel
