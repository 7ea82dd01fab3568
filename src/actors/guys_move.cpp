// One tick of a guy: think, move with collision, height, animation, and what
// the tile it arrives on does to it.
#include <cstdlib>

#include "actors/behaviour.h"
#include "actors/guys_pool.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "gfx/draw_list.h"
#include "player/hero_control.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "world/items.h"
#include "world/light.h"
#include "world/specials.h"
#include "world/world.h"

namespace torvel {

namespace {

constexpr uint8_t kHero = 1;
constexpr uint8_t kFriendly = 11;
// Guys more than this many tiles away on an axis are never in the way.
constexpr int kNearbyTiles = 8;
// Fliers sink from 20 pixels up and rise below it.
constexpr Fixed kHoverHeight = 0x13FFFF;
constexpr Fixed kFlyLimit = ToFixed(4);

// The kinds that hear about their wall bumps through aiTimer.
bool ReportsBumps(uint8_t kind, bool roaming) {
  switch (kind) {
    case 1:
    case 43:
    case 52:
    case 57:
      return true;
    case 15:
      return !roaming;
    default:
      return false;
  }
}

bool EveryKindStopsAtImpassable() {
  return PlayerWorldNumber() == 3 && PlayerCurrentMap() == 1;
}

// The castle's floor-pattern lock: tiles (column, row) and the floor each must show.
struct LockTile {
  uint8_t x, y, floor;
};
constexpr LockTile kLockPattern[] = {
    {2, 33, 65},  {4, 33, 64},  {6, 33, 65},  {2, 35, 64},  {4, 35, 65},  {6, 35, 64},
    {2, 37, 65},  {4, 37, 64},  {6, 37, 65},  {9, 33, 65},  {11, 33, 64}, {13, 33, 65},
    {9, 35, 65},  {11, 35, 64}, {13, 35, 65}, {9, 37, 64},  {11, 37, 65}, {13, 37, 64},
    {18, 33, 65}, {18, 37, 65}, {16, 35, 64}, {18, 35, 65}, {20, 35, 64},
};
constexpr int kLockX = 11, kLockY = 31;
constexpr uint8_t kLockFloor = 59, kLockOpenFloor = 60, kGateFloor = 63;
constexpr int kGateRow = 46, kGateFirst = 29, kGateLast = 35, kGateSpecialX = 32;

bool LockPatternHolds(const Map& map) {
  for (const LockTile& t : kLockPattern) {
    if (!OnMap(map, t.x, t.y) || MapTile(map, t.x, t.y).floor != t.floor) return false;
  }
  return true;
}

// The hero stepped onto the lock's plate; false when the step is refused as
// a change of tile (a wrong pattern).
bool TryFloorLock(Map& map) {
  if (LockPatternHolds(map)) {
    ShowSmallMessage("L0DBAV 0TKPbIT!!", 60);
    MakeNormalSound(0);
    MapTile(map, kLockX, kLockY).floor = kLockOpenFloor;
    for (int x = kGateFirst; x <= kGateLast; ++x) {
      if (!OnMap(map, x, kGateRow)) continue;
      Tile& t = MapTile(map, x, kGateRow);
      t.wall = 0;
      t.floor = kGateFloor;
    }
    for (Special& s : map.specials) {
      if (s.x == kGateSpecialX && s.y == kGateRow) s.trigger = 0;
    }
    return true;
  }
  ShowSmallMessage("TYMSVEP HE DBNFAETCR!", 60);
  return false;
}

// The hero's floor: drowning, burning, and the castle's lock. Returns false
// when the step must not count as entering a new tile.
bool HeroFloor(Guy& hero, Map& map, World& world, bool tileChanged) {
  if (hero.life <= 0 || PlayerFloorImmune() || !OnMap(map, hero.tileX, hero.tileY)) return true;
  Tile& cell = MapTile(map, hero.tileX, hero.tileY);
  uint16_t terrain = TerrainFlags(world, cell.floor);
  if (terrain & kTerrainWater) {
    hero.life = 0;
    hero.facing = static_cast<uint8_t>((hero.facing - 4) & 7);
    SetPlayerLife(0);
    hero.anim = 6;
    hero.dx = hero.dy = 0;
    hero.animFrame = 0;
    hero.animRate = 255;
    hero.animAccum = 0;
    hero.busy = 1;
    MakeSoundAt(25, hero.x, hero.y, kSoundMayCutItself | kSoundOneInstance, 65536);
  }
  if (terrain & kTerrainLava) {
    AddFloatingSpark(hero.x, hero.y, hero.z, ToFixed(2));
    AddFloatingSpark(hero.x, hero.y, hero.z, ToFixed(4));
    GuyPoolState& pool = GuyPool();
    pool.lavaToggle ^= 1;
    if (pool.lavaToggle) HurtGuy(&hero, 0, 0, 10, map, world);
  }
  if (tileChanged && PlayerWorldNumber() == 2 && PlayerCurrentMap() == 16 && hero.tileX == kLockX &&
      hero.tileY == kLockY && cell.floor == kLockFloor) {
    return TryFloorLock(map);
  }
  return true;
}

// A floor that changes underfoot turns into its next image.
void SteppedOnFloor(Map& map, World& world, int32_t tx, int32_t ty) {
  Tile& cell = MapTile(map, tx, ty);
  if (!(TerrainFlags(world, cell.floor) & kTerrainStepChanges)) return;
  MakeSoundAt(0, TileCentreX(tx), TileCentreY(ty), kSoundMayCutItself, 1200);
  cell.floor = world.terrain[cell.floor].next;
}

void Height(Guy& guy) {
  uint16_t flags = KindFlags(guy.kind);
  if (flags & KindFlag::Flies) {
    guy.dz += guy.z > kHoverHeight ? -kFixedOne : kFixedOne;
    guy.dz = Clamp(guy.dz, kFlyLimit);
    guy.z += guy.dz;
    if (guy.z < 0) guy.z = 0;
    return;
  }
  guy.z += guy.dz;
  if (guy.z < 0) {
    guy.z = 0;
    guy.dz = 0;
  } else if (!(flags & KindFlag::NoGravity)) {
    guy.dz -= 2 * kFixedOne;
  }
}

void Animate(Guy& guy) {
  guy.animAccum = static_cast<uint16_t>(guy.animAccum + guy.animRate);
  // 255, not 256: the accumulator keeps one frame per 255, so rate 255 is a
  // frame every tick.
  while (guy.animAccum > 255 && Occupied(guy)) {
    guy.animAccum = static_cast<uint16_t>(guy.animAccum - 255);
    NextFrame(guy);
  }
}

void StepGuy(Guy& guy, Map& map, World& world, bool roaming) {
  uint8_t oldTileX = guy.tileX, oldTileY = guy.tileY;
  SetGuyBox(guy);

  if (guy.frozenTimer > 0 && guy.life > 0) {
    guy.frozenTimer -= 1;
    if (guy.hurtTimer) guy.hurtTimer -= 1;
    return;
  }

  bool hero = guy.kind == kHero;
  if (hero) {
    ControlHero(guy, map, world);
  } else if (roaming) {
    if (guy.kind == kFriendly) {
      FriendlyBehaviour(guy, map, world, HeroGuy());
    } else {
      RoamBehaviour(guy, map, world, HeroGuy());
    }
  } else {
    RunBehaviour(guy, map, world);
  }
  // A routine may have removed its own guy.
  if (!Occupied(guy)) return;

  if (guy.hurtTimer) guy.hurtTimer -= 1;

  // x first with the old y, so a guy blocked on one axis slides along the other.
  bool bumps = ReportsBumps(guy.kind, roaming);
  guy.x += guy.dx;
  if (!CanGuyStand(guy, guy.x, guy.y, map, world)) {
    guy.x -= guy.dx;
    if (bumps) guy.aiTimer = 1;
  }
  guy.y += guy.dy;
  if (!CanGuyStand(guy, guy.x, guy.y, map, world)) {
    guy.y -= guy.dy;
    if (bumps) guy.aiTimer = static_cast<uint8_t>(guy.aiTimer + 2);
  }

  Height(guy);
  Animate(guy);
  if (!Occupied(guy)) return;

  RefreshGuyTile(guy);
  bool changed = guy.tileX != oldTileX || guy.tileY != oldTileY;
  int32_t tx = guy.tileX, ty = guy.tileY;

  if (hero) {
    UpdateCamera(PixelX(guy), PixelY(guy), static_cast<uint8_t>(guy.facing * 32), &map);
    HeroLight(map, tx, ty);
    if (!roaming && !HeroFloor(guy, map, world, changed)) changed = false;
  }

  if (!OnMap(map, tx, ty)) return;
  if (changed) {
    if (roaming) {
      if (hero) SteppedOnFloor(map, world, tx, ty);
      StepSpecials(map, tx, ty, &guy);
    } else {
      StepSpecials(map, tx, ty, &guy);
      SteppedOnFloor(map, world, tx, ty);
    }
  }
  guy.light = MapTile(map, tx, ty).curLight;
}

}  // namespace

void UpdateGuy(Guy& guy, Map& map, World& world) {
  StepGuy(guy, map, world, false);
}

void UpdateGuyRoaming(Guy& guy, Map& map, World& world) {
  StepGuy(guy, map, world, true);
}

void UpdateGuys(Map& map, World& world) {
  GuyPoolState& pool = GuyPool();
  pool.enemiesPresent = false;
  for (Guy& g : pool.guys) {
    if (!Occupied(g)) continue;
    if (!(KindFlags(g.kind) & KindFlag::HeroSide)) pool.enemiesPresent = true;
    UpdateGuy(g, map, world);
    // Haste: the hero lives two ticks in one.
    if (g.kind == kHero && Player().hasteTimer != 0) UpdateGuy(g, map, world);
  }
}

void UpdateGuysRoaming(Map& map, World& world) {
  GuyPoolState& pool = GuyPool();
  pool.enemiesPresent = false;
  for (Guy& g : pool.guys) {
    if (!Occupied(g)) continue;
    if (!(KindFlags(g.kind) & KindFlag::HeroSide)) pool.enemiesPresent = true;
    UpdateGuyRoaming(g, map, world);
  }
}

bool CanGuyStand(Guy& guy, Fixed x, Fixed y, Map& map, World& world) {
  if (x < 0 || y < 0) return false;
  int32_t px = FixedToInt(x), py = FixedToInt(y);
  int32_t left = (px + guy.boxLeft) / kTileWidth;
  int32_t right = (px + guy.boxRight) / kTileWidth;
  int32_t top = (py + guy.boxTop) / kTileHeight;
  int32_t bottom = (py + guy.boxBottom) / kTileHeight;
  if (left < 0 || top < 0 || right >= map.width || bottom >= map.height) return false;

  for (int32_t cx = left; cx <= right; ++cx) {
    for (int32_t cy = top; cy <= bottom; ++cy) {
      if (!CanGuyEnterCell(guy, cx, cy, map, world)) return false;
    }
  }
  if (KindFlags(guy.kind) & KindFlag::HeroPassesThrough) return true;

  for (const Guy& other : GuyPool().guys) {
    if (&other == &guy || !Occupied(other) || other.life <= 0) continue;
    if (std::abs(other.tileX - guy.tileX) >= kNearbyTiles ||
        std::abs(other.tileY - guy.tileY) >= kNearbyTiles) {
      continue;
    }
    if (GuysOverlap(guy, px, py, other)) return false;
  }
  return true;
}

bool GuysOverlap(const Guy& mover, int32_t px, int32_t py, const Guy& other) {
  uint16_t flags = KindFlags(other.kind);
  bool moverIsHero = mover.kind == kHero;
  if ((flags & KindFlag::OnlyHeroBumps) && !moverIsHero) return false;
  if ((flags & KindFlag::HeroPassesThrough) && moverIsHero) return false;
  int32_t ox = PixelX(other), oy = PixelY(other);
  return ox + other.boxRight >= px + mover.boxLeft && oy + other.boxBottom >= py + mover.boxTop &&
         px + mover.boxRight >= ox + other.boxLeft && py + mover.boxBottom >= oy + other.boxTop;
}

bool CanGuyEnterCell(Guy& guy, int32_t cx, int32_t cy, Map& map, World& world) {
  bool hero = guy.kind == kHero;
  uint16_t kind = KindFlags(guy.kind);
  bool flies = kind & KindFlag::Flies;
  bool passesWalls = kind & KindFlag::PassesWalls;
  Tile& cell = MapTile(map, cx, cy);

  if (hero && cell.item != 0 && !PickUpPowerUp(cell.item, guy.x, guy.y)) cell.item = 0;

  uint16_t terrain = TerrainFlags(world, cell.floor);
  bool liquid = terrain & (kTerrainWater | kTerrainLava);
  bool ok = !liquid || flies || (kind & KindFlag::EntersLiquid);

  if (terrain & kTerrainImpassable) {
    if ((!flies && !passesWalls) || EveryKindStopsAtImpassable()) ok = false;
  }

  // Only a wall on the pushable floor is a block; a bare pushable floor is walked over.
  if (hero && (terrain & kTerrainPushable) && cell.wall != 0) PushBlock(guy, cx, cy, map, world);

  if (hero && IsLockedDoor(cell.item)) {
    int key = DoorKey(cell.item);
    const PlayerRecord& p = Player();
    bool held = key == 0 ? p.keys > 0 : p.specialKeys[key - 1] != 0;
    if (held) {
      // Only the plain doors use their key up; the coloured keys open every door of their colour.
      if (key == 0) UseKey(0);
      cell.item = 0;
      MakeSoundAt(92, TileCentreX(cx), TileCentreY(cy), kSoundMayCutItself, 1500);
    }
  }

  if (flies) {
    if ((cell.wall != 0 || ItemBlocksAll(cell.item)) && !passesWalls) ok = false;
  } else if (kind & KindFlag::Swims) {
    if (!liquid || cell.wall != 0 || ItemBlocksWalkers(cell.item)) ok = false;
  } else if ((cell.wall != 0 || ItemBlocksWalkers(cell.item)) && !passesWalls) {
    ok = false;
  }

  if (!ok) StepSpecials(map, cx, cy, &guy);
  return ok;
}

void PushBlock(Guy& hero, int32_t cx, int32_t cy, Map& map, World& world) {
  if (!PushCounterStep()) return;

  int32_t heroX, heroY, targetX, targetY;
  if (std::abs(hero.dy) < std::abs(hero.dx)) {
    int32_t step = hero.dx > 0 ? 1 : -1;
    heroX = cx - step;
    heroY = cy;
    targetX = cx + step;
    targetY = cy;
  } else {
    int32_t step = hero.dy > 0 ? 1 : -1;
    heroX = cx;
    heroY = cy - step;
    targetX = cx;
    targetY = cy + step;
  }
  if (hero.tileX != heroX || hero.tileY != heroY) return;
  if (!OnMap(map, targetX, targetY)) return;

  Tile& target = MapTile(map, targetX, targetY);
  if (target.wall != 0 || target.item != 0) return;
  if (!(TerrainFlags(world, target.floor) & kTerrainCanBePushedOn)) return;
  int32_t cellX = targetX * kTileWidth, cellY = targetY * kTileHeight;
  for (const Guy& g : GuyPool().guys) {
    if (!Occupied(g) || g.life <= 0) continue;
    if (std::abs(g.tileX - targetX) >= kNearbyTiles ||
        std::abs(g.tileY - targetY) >= kNearbyTiles) {
      continue;
    }
    if (GuyTouchesCell(cellX, cellY, &g)) return;
  }

  MakeSoundAt(95, hero.x, hero.y, kSoundMayCutItself, 1000);
  Tile& block = MapTile(map, cx, cy);
  target.wall = block.wall;
  target.floor = block.floor;
  block.floor = world.terrain[block.floor].next;
  block.wall = 0;
}

}  // namespace torvel
