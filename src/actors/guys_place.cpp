// Guys at map start: the map's own monsters, a challenge's mix, and the
// roamers that wander onto the roaming map.
#include <cstdlib>

#include "actors/guys_pool.h"
#include "gfx/draw_list.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "world/world.h"

namespace torvel {

namespace {

constexpr uint8_t kHero = 1;
constexpr uint8_t kRoamingMap = 1;
constexpr int32_t kNoRoamingPosition = -2000;
constexpr int32_t kSpawnClearance = 400;

// The kind a challenge entry gets from the roamer that started it; the last
// of the n entries leans to the roamer's own kind for the mixed broods.
uint8_t ChallengeKind(uint8_t roamer, bool last) {
  switch (roamer) {
    case 2:
      return Random(20) == 0 ? 6 : 2;
    case 5:
      return last || Random(5) == 0 ? 5 : 4;
    case 13:
      return Random(8) == 0 ? 14 : 13;
    case 14:
      return Random(4) == 0 ? 14 : 13;
    case 18:
      return last || Random(10) == 0 ? 18 : 24;
    case 24:
      return Random(20) == 0 ? 18 : 24;
    case 31:
      return last || Random(10) == 0 ? 31 : 3;
    default:
      return roamer;
  }
}

uint8_t RoamerKind(int worldNumber) {
  switch (worldNumber) {
    case 1:
      return Random(2) == 0 ? 5 : 24;
    case 2: {
      int r = Random(3);
      return r == 0 ? 5 : r == 1 ? 24 : 18;
    }
    case 3: {
      int r = Random(5);
      return r < 2 ? 2 : r < 4 ? 13 : 14;
    }
    case 4:
      return Random(5) < 3 ? 2 : 31;
    default:
      return 2;
  }
}

Guy* PlaceStart(const MonsterStart& start, uint8_t kind) {
  Fixed x = TileCentreX(start.x), y = TileCentreY(start.y);
  const PlayerRecord& p = Player();
  if (kind == kHero && p.currentMap == kRoamingMap && p.roamingX != kNoRoamingPosition) {
    x = p.roamingX;
    y = p.roamingY;
  }
  Guy* guy = AddGuy(x, y, 0, kind);
  if (guy) guy->aux = 1;
  return guy;
}

}  // namespace

void PlaceMapMonsters(Map& map) {
  for (const MonsterStart& start : map.monsters) {
    if (start.kind != 0) PlaceStart(start, start.kind);
  }
}

void PlaceChallengeMonsters(Map& map, uint8_t kind) {
  int n = Random(10) + 1;
  // The mix fills the map's own monster starts in order; an arena with fewer
  // than n of them simply gets fewer monsters.
  int filled = 0;
  int others = 0;
  for (const MonsterStart& start : map.monsters) {
    if (start.kind != 0 && start.kind != kHero) ++others;
  }
  int count = others < n ? others : n;
  for (const MonsterStart& start : map.monsters) {
    if (start.kind == kHero) {
      PlaceStart(start, kHero);
    } else if (start.kind != 0 && filled < count) {
      ++filled;
      PlaceStart(start, ChallengeKind(kind, filled == count));
    }
  }
}

void SpawnRoamer(Map& map, World& world, int worldNumber, bool throttled) {
  if (worldNumber < 4 && throttled) {
    if (Random(200) != 0) return;
    if (Random(100) != 0) return;
  }
  uint8_t kind = RoamerKind(worldNumber);
  int32_t tx = Random(map.width), ty = Random(map.height);
  int32_t camX, camY;
  GetCamera(camX, camY);
  int32_t px = tx * kTileWidth + kTileWidth / 2, py = ty * kTileHeight + kTileHeight / 2;
  // Roamers never appear in sight.
  if (std::abs(px - camX) < kSpawnClearance && std::abs(py - camY) < kSpawnClearance) return;
  Guy* guy = AddGuy(TileCentreX(tx), TileCentreY(ty), 0, kind);
  if (!guy) return;
  if (!CanGuyStand(*guy, guy->x, guy->y, map, world)) RemoveGuy(guy);
}

}  // namespace torvel
