// The hero's control and spells.
#include "player/hero_control.h"

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "common/trig.h"
#include "gfx/draw_list.h"
#include "input/input.h"
#include "platform/random.h"
#include "player/player.h"
#include "player/player_record.h"
#include "world/world.h"

namespace torvel {

namespace {

constexpr uint8_t kRoamingMap = 1;
constexpr Fixed kFriction = 0xC000;       // 0.75 a tick on dry ground
constexpr Fixed kCoastFriction = 0x6000;  // 0.375 with no direction held
constexpr uint8_t kDirectionBits = kActionUp | kActionDown | kActionLeft | kActionRight;

// Hero sequences.
constexpr uint8_t kAnimWalk = 1;
constexpr uint8_t kAnimShoot = 2;
constexpr uint8_t kAnimDying = 3;
constexpr uint8_t kAnimCast = 4;       // slots 4-9
constexpr uint8_t kAnimQuickCast = 5;  // slots 0-3
constexpr uint8_t kAnimLifted = 6;

// Bullet kinds the spells use.
constexpr uint8_t kHomingMissile = 3;
constexpr uint8_t kFlame = 4;
constexpr uint8_t kBolt = 5;
constexpr uint8_t kBomb = 7;
constexpr uint8_t kFreeze = 27;
constexpr uint8_t kStrike = 32;
constexpr uint8_t kFreezingRay = 33;

void HeroSound(const Guy& hero, int n, uint8_t flags, int32_t priority) {
  MakeSoundAt(n, hero.x, hero.y, flags, priority);
}

Fixed Along(int32_t pixels, int angle, bool cosine) {
  return pixels * (cosine ? Cosine(angle) : Sine(angle));
}

// A bullet with its own speed, height and life; the facing it is given is
// the angle in sixteenths of a turn.
void Launch(const Guy& hero, int angle, int32_t speed, Fixed z, int32_t timer, uint8_t kind) {
  angle &= 255;
  AddBullet(hero.x, hero.y, z, Along(speed, angle, true), Along(speed, angle, false), 0, 0, timer,
            static_cast<uint8_t>(angle / 16), kind);
}

// A strike placed on an ellipse around the hero; strikes chain along their
// facing, which is an angle.
void PlaceStrike(const Guy& hero, int angle, int32_t rx, int32_t ry, int32_t timer) {
  angle &= 255;
  AddBullet(hero.x + Along(rx, angle, true), hero.y + Along(ry, angle, false), 0, 0, 0, 0, 0, timer,
            static_cast<uint8_t>(angle), kStrike);
}

// Bolts and flames keep coming while the spell is held and the mana lasts.
void RepeatCast(Guy& hero, int cost) {
  PlayerRecord& p = Player();
  int level = p.level;
  hero.z += ToFixed(Random(4));
  hero.dx += Random(65535) - 32767;
  hero.dy += Random(65535) - 32767;
  uint8_t held = GetHeldActions();
  if ((held & kActionSpell) && p.mana >= cost) {
    p.spellCooldown = 1;
    if (level > 24) {
      hero.animAccum = 0;
    } else {
      hero.animFrame = 2;
      int divisor = 12 - level / 2;
      hero.animRate = static_cast<int16_t>(divisor > 0 ? 512 / divisor : 512);
    }
  } else {
    p.spellCooldown = 5;
  }
  SetFacingFromBits(held, hero);
}

void Fizzle(const Guy& hero) {
  for (uint8_t type :
       {kParticleBlood, kParticleSplash, kParticleFire, kParticleGrey, kParticleGreen}) {
    AddParticlesSpread(type, hero.x, hero.y, hero.z, 4, 8);
  }
}

void StepSpells(PlayerRecord& p) {
  uint8_t pressed = TakePressedActions();
  bool anyOwned = false;
  for (uint8_t s : p.spells) anyOwned = anyOwned || s != 0;
  if (!anyOwned) return;
  if (pressed & kActionPrev) {
    do {
      p.selectedSpell = static_cast<uint8_t>((p.selectedSpell + 1) % kSpellSlots);
    } while (p.spells[p.selectedSpell] == 0);
  }
  if (pressed & kActionNext) {
    do {
      p.selectedSpell = static_cast<uint8_t>((p.selectedSpell + kSpellSlots - 1) % kSpellSlots);
    } while (p.spells[p.selectedSpell] == 0);
  }
}

void CountDown(uint8_t& value) {
  if (value) value -= 1;
}
void CountDown(uint16_t& value) {
  if (value) value -= 1;
}

}  // namespace

void SetFacingFromBits(uint8_t bits, Guy& guy) {
  bool up = bits & kActionUp, down = bits & kActionDown;
  bool left = bits & kActionLeft, right = bits & kActionRight;
  if (up && left) {
    guy.facing = 5;
  } else if (up && right) {
    guy.facing = 7;
  } else if (up) {
    guy.facing = 6;
  } else if (down && left) {
    guy.facing = 3;
  } else if (down && right) {
    guy.facing = 1;
  } else if (down) {
    guy.facing = 2;
  } else if (left) {
    guy.facing = 4;
  } else if (right) {
    guy.facing = 0;
  }
}

void ControlHero(Guy& hero, Map& map, World& world) {
  PlayerRecord& p = Player();
  bool roaming = p.currentMap == kRoamingMap;

  if (roaming) {
    p.roamingX = hero.x;
    p.roamingY = hero.y;
  }
  if (p.hasteTimer != 0) {
    AddAfterImage(hero.x, hero.y, GuySpriteNumber(1, hero.anim, hero.animFrame, hero.facing));
    p.hasteTimer -= 1;
  }
  CountDown(p.protectionTimer);
  CountDown(p.fireCooldown);
  CountDown(p.spellCooldown);
  CountDown(p.invulnerable);
  CountDown(p.pushCounter);
  uint8_t special = SpecialCooldown();
  if (special) SetSpecialCooldown(static_cast<uint8_t>(special - 1));

  if (p.poison != 0) {
    // A point of life every eighth tick.
    if (hero.life > 0 && p.poison % 8 == 0) {
      if (p.life) p.life -= 1;
      hero.life -= 1;
      if (hero.life <= 0) {
        hero.life = 0;
        HeroSound(hero, 90, kSoundMayCutItself | kSoundOneInstance, 2000);
        hero.anim = kAnimDying;
        hero.dx = hero.dy = 0;
        hero.animFrame = 0;
        hero.animRate = 64;
        hero.animAccum = 0;
        hero.busy = 1;
      }
    }
    p.poison -= 1;
  }

  bool icy = false;
  if (OnMap(map, hero.tileX, hero.tileY)) {
    icy = TerrainFlags(world, MapTile(map, hero.tileX, hero.tileY).floor) & kTerrainIcy;
  }
  if (!icy) {
    hero.dx = Dampen(hero.dx, kFriction);
    hero.dy = Dampen(hero.dy, kFriction);
  } else {
    // Ice: a weak bounce off whatever the last move ran into.
    if (hero.aiTimer & 1) hero.dx = -hero.dx / 8;
    if (hero.aiTimer & 2) hero.dy = -hero.dy / 8;
  }
  hero.aiTimer = 0;

  if (hero.hurtTimer == 4) {
    if (hero.life > 0) {
      HeroSound(hero, 89, kSoundMayCutItself | kSoundOneInstance, 2000);
    } else if (hero.anim == kAnimDying) {
      HeroSound(hero, 90, kSoundMayCutItself | kSoundOneInstance, 2000);
    }
  }

  if (hero.busy) {
    if (hero.anim == kAnimShoot && hero.animFrame == 6 && p.fireCooldown == 0 && p.shotPower > 0) {
      FireShot(hero);
    }
    if (hero.anim == kAnimShoot && hero.animFrame == 7) hero.cooldown -= 2;
    if (((hero.anim == kAnimCast && hero.animFrame == 2) ||
         (hero.anim == kAnimQuickCast && hero.animFrame == 4)) &&
        p.spellCooldown == 0) {
      CastSpell(hero);
    }
    if (hero.anim == kAnimLifted) {
      if (hero.animFrame < 11) {
        hero.z = ToFixed(8);
        hero.dz = kFixedOne;
      } else {
        AddParticles(kParticleSplash, hero.x, hero.y, 0, 16);
      }
    }
    if (hero.anim == kAnimDying) hero.facing = static_cast<uint8_t>((hero.facing + 1) & 7);
    return;
  }

  uint8_t held = GetHeldActions();
  SetFacingFromBits(held, hero);
  if (roaming) p.fireCooldown = p.spellCooldown = 1;

  if ((held & kActionFire) && p.fireCooldown == 0) {
    hero.busy = 1;
    hero.anim = kAnimShoot;
    hero.animAccum = 0;
    hero.animRate = 255;
    // A quicker trigger starts further into the swing.
    hero.animFrame = static_cast<uint8_t>(4 - p.shotDelay / 4);
    return;
  }
  if ((held & kActionSpell) && p.spellCooldown == 0 && p.selectedSpell < kSpellSlots &&
      p.spells[p.selectedSpell] != 0) {
    hero.busy = 1;
    hero.anim = p.selectedSpell < 4 ? kAnimQuickCast : kAnimCast;
    hero.animFrame = 0;
    hero.animAccum = 0;
    hero.animRate = 200;
    p.castingSpell = p.selectedSpell;
    return;
  }

  if (held & kDirectionBits) {
    if (p.hasteTimer != 0 && p.spells[7] >= 2 && p.hasteTimer % 4 == 0) {
      AddBullet(hero.x, hero.y, 0, 0, 0, 0, 0, 20, static_cast<uint8_t>(Random(256)), kStrike);
    }
    int angle = hero.facing * 32;
    Fixed c = Cosine(angle), s = Sine(angle);
    if (!icy) {
      hero.dx += c * 3 / 2;
      hero.dy += s * 3 / 2;
      // Turning round stops at once instead of sliding on.
      if ((c < 0 && hero.dx > 0) || (c > 0 && hero.dx < 0)) hero.dx = 0;
      if ((s < 0 && hero.dy > 0) || (s > 0 && hero.dy < 0)) hero.dy = 0;
    } else {
      hero.dx += c / 4;
      hero.dy += s / 4;
    }
    hero.dx = Clamp(hero.dx, p.topSpeed);
    hero.dy = Clamp(hero.dy, p.topSpeed);
    if (hero.anim != kAnimWalk) {
      hero.anim = kAnimWalk;
      hero.animFrame = 0;
      hero.animAccum = 0;
      hero.animRate = 128;
    }
  } else {
    if (!icy) {
      hero.dx = Dampen(hero.dx, kCoastFriction);
      hero.dy = Dampen(hero.dy, kCoastFriction);
    }
    if (hero.anim == kAnimWalk) {
      hero.anim = 0;
      hero.animFrame = 0;
      hero.animAccum = 0;
      hero.animRate = 128;
    }
  }

  StepSpells(p);
}

void FireShot(Guy& hero) {
  PlayerRecord& p = Player();
  if (PlayerHasAllPieces()) {
    HeroShot2(hero.x, hero.y, hero.facing, p.shotPower, p.shotFlags);
  } else {
    HeroShot(hero.x, hero.y, hero.facing, p.shotPower, p.shotFlags);
  }
  p.fireCooldown = static_cast<uint8_t>(p.shotDelay + 2);
}

// The spells' own sounds are plain ones, at full volume and centred like every
// other sound the hero makes happen; only the bullets they fire place theirs.
void CastSpell(Guy& hero) {
  PlayerRecord& p = Player();
  if (hero.life <= 0) return;
  int slot = p.castingSpell;
  if (slot >= kSpellSlots) return;
  int level = p.spells[slot];
  if (level == 0) return;
  bool upgraded = level >= 2;
  int cost = SpellCost(slot, level);
  if (p.mana < cost) {
    Fizzle(hero);
    return;
  }
  p.mana = static_cast<uint8_t>(p.mana - cost);

  int L = p.level;
  uint8_t f = hero.facing;
  switch (slot) {
    case 0:
      if (!upgraded) {
        FireBullet(hero.x, hero.y, f, kBolt);
        if (L > 35) FireBullet(hero.x, hero.y, f, kBolt);
      } else {
        for (int d = 0; d < 8; ++d) {
          Launch(hero, d * 32 + Random(64) - 32, L / 10 + 12, ToFixed(20), 30, kBolt);
        }
        MakeNormalSound(18);
      }
      RepeatCast(hero, cost);
      break;
    case 1:
      if (!upgraded) {
        FireBullet(hero.x, hero.y, f, kFlame);
        RepeatCast(hero, cost);
      } else {
        int angle = f * 32;
        Fixed x = hero.x + Along(32, angle, true), y = hero.y + Along(32, angle, false);
        for (int i = 0; i < L / 15 + 1; ++i) FireBullet(x, y, static_cast<uint8_t>(angle), kStrike);
        MakeNormalSound(17);
        p.spellCooldown = 5;
      }
      break;
    case 2:
      FireBullet(hero.x, hero.y, f, kHomingMissile);
      if (upgraded) {
        FireBullet(hero.x, hero.y, static_cast<uint8_t>((f - 1) & 7), kHomingMissile);
        FireBullet(hero.x, hero.y, static_cast<uint8_t>((f + 1) & 7), kHomingMissile);
      }
      p.spellCooldown = static_cast<uint8_t>(L > 24 ? 2 : 15 - L / 2);
      break;
    case 3:
      if (!upgraded) {
        FireBullet(hero.x, hero.y, f, kFreeze);
      } else {
        FireBullet(hero.x, hero.y, f, kFreezingRay);
        MakeNormalSound(164);
      }
      p.spellCooldown = 15;
      break;
    case 4:
      if (!upgraded) {
        // A fan round the whole circle; below level 4 it is a single bomb.
        int quarter = L / 4;
        int step = quarter > 0 ? 256 / quarter : 256;
        if (step < 1) step = 1;
        for (int offset = 0; offset < 256; offset += step) {
          Launch(hero, f * 32 + offset, 4, 0, offset / 8 + 1, kBomb);
        }
      } else {
        for (int d = 0; d < 8; ++d) {
          Launch(hero, d * 32, 4, 0, 8, kBomb);
          Launch(hero, d * 32, 6, 0, 16, kBomb);
        }
        for (int k = 0; k < 16; ++k) {
          PlaceStrike(hero, k * 16, 64, 48, 14);
          PlaceStrike(hero, k * 16, 96, 72, 20);
        }
        MakeNormalSound(167);
      }
      break;
    case 5:
      SetHeroGlow(64);
      if (!upgraded) {
        MakeNormalSound(161);
        AddGuy(hero.x, hero.y, ToFixed(20), 12);
      } else {
        MakeNormalSound(185);
        int angle = f * 32;
        Guy* golem =
            AddGuy(hero.x + Along(64, angle, true), hero.y + Along(48, angle, false), 0, 20);
        if (golem) {
          golem->anim = 4;
          golem->animRate = 128;
          golem->busy = 1;
        }
      }
      break;
    case 6:
      SetHeroGlow(40);
      p.protectionTimer = static_cast<uint16_t>(p.protectionTimer + L * 20);
      MakeNormalSound(166);
      break;
    case 7:
      SetHeroGlow(40);
      p.hasteTimer = static_cast<uint16_t>(p.hasteTimer + L * 20);
      MakeNormalSound(165);
      break;
    case 8:
      MakeNormalSound(88);
      SetHeroGlow(80);
      if (!upgraded) {
        Heal(L);
        AddParticlesSpread(kParticleGreen, hero.x, hero.y,
                           static_cast<Fixed>(RandomLong(ToFixed(20))), L, 6);
      } else {
        Heal(128);
        AddParticlesSpread(kParticleGreen, hero.x, hero.y,
                           static_cast<Fixed>(RandomLong(ToFixed(20))), 50, 10);
      }
      break;
    case 9:
      StartBurst();
      break;
    default:
      break;
  }
}

void StepBurst(Map& map) {
  uint32_t counter = BurstCounter();
  if (counter == 0) return;
  SetBurstCounter(counter - 1);
  Guy* hero = HeroGuy();
  if (hero) {
    for (int i = 0; i < 5; ++i) StormStrike(map, hero->x, hero->y);
  }
  SetShake(10);
}

}  // namespace torvel
