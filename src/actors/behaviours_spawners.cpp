// Creatures that bring out more creatures: the egg sac and the mother
// spider, the moss and its ground source, the huge bat's roost, the lamp and
// its djinni, and the thing's tentacles.
#include <initializer_list>

#include "actors/behaviour_kinds.h"
#include "actors/behaviours_shared.h"
#include "actors/bullets.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "platform/random.h"
#include "world/world.h"

namespace torvel {

namespace {

constexpr uint8_t kSpider = 4;
constexpr uint8_t kMoss = 21;
constexpr uint8_t kMossGround = 22;

// A live moss other than `self` holds the tile.
bool OtherMossAt(const Guy& self, int32_t tx, int32_t ty) {
  for (int slot = 0; slot < GuyPoolSize(); ++slot) {
    const Guy* g = GetGuy(slot);
    if (!g || g == &self || g->life <= 0) continue;
    if ((g->kind == kMoss || g->kind == kMossGround) && g->tileX == tx && g->tileY == ty)
      return true;
  }
  return false;
}

// Moss may creep onto a cell of open, dry, passable floor that has none yet.
bool MossCanGrowInto(const Map& map, const World& world, int32_t cx, int32_t cy) {
  if (!OnMap(map, cx, cy)) return false;
  const Tile& tile = MapTile(map, cx, cy);
  if (tile.wall != 0 || tile.item >= 50) return false;
  if (TerrainFlags(world, tile.floor) & (kTerrainImpassable | kTerrainWater | kTerrainLava)) {
    return false;
  }
  return !MossAt(cx, cy);
}

// Directions in the order moss draws them: west, east, north, south.
constexpr int kStepX[4] = {-1, 1, 0, 0};
constexpr int kStepY[4] = {0, 0, -1, 1};

// A patch creeping from `from` toward the neighbour in direction d.
void GrowMoss(const Guy& from, int d, const Map& map, const World& world) {
  if (!MossCanGrowInto(map, world, from.tileX + kStepX[d], from.tileY + kStepY[d])) return;
  Guy* moss = AddGuy(from.x, from.y, 0, kMoss);
  if (!moss) return;
  moss->busy = 1;
  moss->animFrame = 0;
  moss->animAccum = 0;
  moss->animRate = 64;
  if (d < 2) {
    moss->anim = 2;
    moss->dx = kStepX[d] * 0x19999;  // 1.6 pixels: a tile's width by frame 4
  } else {
    moss->anim = 1;
    moss->dy = kStepY[d] * 0x13333;  // 1.2 pixels: a tile's height
  }
}

}  // namespace

void EggSacBehaviour(Guy& guy, Map& map, World& world, Guy*) {
  CountDownCooldown(guy);
  HurtCry(guy, -1, 52);
  if (guy.life == 0) return;
  if (guy.busy) {
    if (Beat(guy, 2, 18)) {
      // A spiderling crawls out under the sac, if there is room for it.
      SpawnChecked(guy.x, guy.y + ToFixed(2), 0, kSpider, guy.x, guy.y, map, world);
      guy.cooldown = 200;
    }
    return;
  }
  if (guy.cooldown == 0 && Chance(500)) {
    GuySound(guy, 53);
    PlayAnim(guy, 2, 64);
    guy.busy = 1;
  }
}

void MotherSpiderBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  HurtCry(guy, 54, 55);
  if (guy.busy) {
    if (guy.anim == kAnimDie) {
      // Her brood spills out as she dies.
      if (Chance(2)) {
        Fixed x = guy.x + ToFixed(Random(17) - 8), y = guy.y + ToFixed(Random(17) - 8);
        SpawnChecked(x, y, 0, kSpider, x, y, map, world);
      }
    } else if (guy.anim == 2 && guy.animFrame >= 5 && guy.animFrame <= 7 && guy.cooldown == 0) {
      if (Within(guy, target, 700)) {
        int32_t px = 0, py = 0;
        PointAhead(guy, 20, px, py);
        for (int i = 0; i < 3; ++i) {
          FireBullet(ToFixed(px + Random(9) - 4), ToFixed(py + Random(9) - 4),
                     static_cast<uint8_t>(guy.facing * 32 + Random(33) - 16), 6);
        }
      }
    } else if (Beat(guy, 4, 2) && target) {
      Blow(guy, target, 32, 32, 20, 12, map, world);
      guy.cooldown = 2;
    }
    return;
  }
  if (target && guy.cooldown == 0) {
    int32_t d = GuyDistance(guy, *target);
    uint8_t anim = 0;
    if (d > 128 && d < 512 && Chance(32)) {
      GuySound(guy, 57);
      anim = 2;  // spit
    } else if (d < 128 && Chance(16)) {
      GuySound(guy, 56);
      anim = 4;  // bite
    }
    if (anim != 0) {
      FaceTarget(guy, *target);
      StartAction(guy, anim, 128);
      guy.cooldown = 1;
      return;
    }
  }
  Wander(guy, 120);
  Walk(guy, 3);
}

void MossBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  if (guy.life == 0) return;
  if (guy.busy) {
    if (guy.animFrame == 4 && guy.anim != kAnimDie) {
      // Arrived: it settles in the middle of its tile, unless moss got there first.
      int32_t tx = FixedToInt(guy.x) / kTileWidth, ty = FixedToInt(guy.y) / kTileHeight;
      guy.x = ToFixed(tx * kTileWidth + kTileWidth / 2);
      guy.y = ToFixed(ty * kTileHeight + kTileHeight / 2);
      guy.tileX = static_cast<uint8_t>(tx);
      guy.tileY = static_cast<uint8_t>(ty);
      Halt(guy);
      guy.cooldown = static_cast<uint8_t>(Random(200) + 55);
      if (OtherMossAt(guy, tx, ty)) RemoveGuy(&guy);
    }
    return;
  }
  if (guy.aiState > 0) guy.aiState -= 1;
  if (guy.aiState == 0 && Closer(guy, target, 20)) {
    HurtGuy(target, 0, 0, 4, map, world);
    guy.aiState = 5;
  }
  if (guy.cooldown == 0) {
    guy.cooldown = static_cast<uint8_t>(Random(200) + 55);
    GrowMoss(guy, Random(4), map, world);
  }
}

void MossGroundBehaviour(Guy& guy, Map& map, World& world, Guy*) {
  CountDownCooldown(guy);
  if (guy.aiTimer > 0) guy.aiTimer -= 1;
  if (guy.life == 0) return;
  // The ground breathes at an uneven pace.
  if (guy.anim == 0) guy.animRate = static_cast<int16_t>(Random(200) + 1);
  if (!guy.busy && guy.aiTimer == 0 && Chance(100)) {
    PlayAnim(guy, 2, 128);
    guy.busy = 1;
  }
  // It spreads whatever else it is doing, spitting included.
  if (guy.cooldown == 0 && Chance(200)) {
    guy.cooldown = 255;
    for (int d = 0; d < 4; ++d) GrowMoss(guy, d, map, world);
  }
  if (guy.busy && AtFrame(guy, 2, 11) && guy.aiTimer == 0) {
    for (int angle = 0; angle < 256; angle += 16) {
      FireBullet(guy.x, guy.y, static_cast<uint8_t>(angle), 9);
    }
    guy.aiTimer = 60;
  }
}

void TentacleBehaviour(Guy& guy, Map&, World&, Guy*) {
  // A tentacle moves only with a living body to hang from, and none is
  // ever given one: it withers at once.
  if (!guy.parent || guy.parent->kind == 0) RemoveGuy(&guy);
}

void HugeBatBehaviour(Guy& guy, Map& map, World& world, Guy* target) {
  CountDownCooldown(guy);
  if (JustHurt(guy)) GuySound(guy, guy.life > 0 ? 182 : 183, guy.life > 0 ? 1800 : 2000);
  if (guy.life == 0) {
    if (guy.animFrame >= 8) DyingSmoke(guy);
    return;
  }
  if (guy.busy) {
    if (Beat(guy, 2, 2)) {
      // Three bats burst from the roost, diving out in a fan.
      static constexpr struct {
        int32_t ox;
        uint8_t facing;
      } kBats[3] = {{-32, 3}, {0, 2}, {32, 1}};
      for (const auto& b : kBats) {
        Guy* bat = LaunchBat(guy.x + ToFixed(b.ox), guy.y + ToFixed(20), ToFixed(40), b.facing);
        if (bat && !CanGuyStand(*bat, bat->x, bat->y, map, world)) RemoveGuy(bat);
      }
      guy.cooldown = 60;
    }
    return;
  }
  if (guy.cooldown == 0 && Within(guy, target, 512)) {
    StartAction(guy, 2, 128);
    GuySound(guy, 184);
  }
}

void LampBehaviour(Guy& guy, Map& map, World& world, Guy*) {
  CountDownCooldown(guy);
  HurtCry(guy, -1, 128);
  if (guy.life == 0) return;
  if (guy.busy) {
    if (guy.anim != 2) return;
    if (guy.animFrame >= 5)
      AddSmokePuff(guy.x + ToFixed(20), guy.y + ToFixed(12), guy.z, kFixedOne);
    if (Beat(guy, 2, 18)) {
      // Out of the smoke a djinni takes shape.
      Guy* djinni = SpawnChecked(guy.x + ToFixed(20), guy.y + ToFixed(12), ToFixed(10), 40, guy.x,
                                 guy.y, map, world);
      if (djinni) StartAction(*djinni, 5, 64);
      guy.cooldown = 200;
    }
    return;
  }
  if (guy.cooldown == 0 && Chance(200)) {
    GuySound(guy, 127);
    StartAction(guy, 2);
  }
}

}  // namespace torvel
