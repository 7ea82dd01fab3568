#include "world/light.h"

#include <algorithm>

#include "actors/particles.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "world/items.h"
#include "world/world.h"

namespace torvel {

namespace {

struct LightState {
  uint8_t lightTick = 0;
  uint8_t animationTick = 0;
};

LightState gLight;

constexpr int kMaxBaseLight = 16;

// Light sources only ever raise the current light, by at most 2 a time; the
// light passes bring it back down.
void Approach(Tile& t, int g) {
  if (t.curLight < g - 1) {
    t.curLight = static_cast<int8_t>(t.curLight + 2);
  } else if (t.curLight == g - 1) {
    t.curLight = static_cast<int8_t>(g);
  }
}

void ApplyRule(Tile& t, int dx, int dy, int strength, uint8_t rule) {
  const int d2 = dx * dx + dy * dy;
  switch (rule) {
    case kLightRuleBase: {
      int e = strength - d2 / 2;
      if (e > 16) {
        e /= 4;
      } else if (e < 0) {
        return;
      } else {
        e = 0;
      }
      int light = std::max<int>(t.light, e);
      t.light = static_cast<int8_t>(std::min(light, kMaxBaseLight));
      break;
    }
    case kLightRuleLitHero: {
      int f = strength - d2;
      if (f < 0) return;
      int g;
      if (f < 16) {
        g = f - 17;
      } else if (f < strength - 4) {
        g = 0;
      } else {
        g = f - strength + 4;
      }
      Approach(t, g);
      break;
    }
    case kLightRuleFlash: {
      int f = strength - 3 * d2;
      if (f < 0) return;
      Approach(t, std::min(f + t.light, kMaxBaseLight));
      break;
    }
    default:
      break;
  }
}

int StepToward(int v) {
  return v > 0 ? v - 1 : (v < 0 ? v + 1 : 0);
}

// Visits one ring tile: lit when at least one of its two inner neighbours
// lets light through, else in shadow.
void SpreadTo(Map& map, int32_t cx, int32_t cy, int32_t tx, int32_t ty, int strength,
              uint8_t rule) {
  if (!OnMap(map, tx, ty)) return;
  const int dx = tx - cx;
  const int dy = ty - cy;
  const int adx = dx < 0 ? -dx : dx;
  const int ady = dy < 0 ? -dy : dy;
  // A steps toward the centre on every unaligned axis, B only along the
  // larger offset (the same tile on a diagonal).
  const int32_t ax = cx + StepToward(dx);
  const int32_t ay = cy + StepToward(dy);
  int32_t bx = tx;
  int32_t by = ty;
  if (adx == ady) {
    bx = ax;
    by = ay;
  } else if (adx > ady) {
    bx = ax;
  } else {
    by = ay;
  }
  Tile& t = MapTile(map, tx, ty);
  if (MapTile(map, ax, ay).mark + MapTile(map, bx, by).mark < 2) {
    t.mark = (t.wall != 0 || ItemBlocksLight(t.item)) ? 1 : 0;
    ApplyRule(t, dx, dy, strength, rule);
  } else {
    t.mark = 1;
  }
}

}  // namespace

void InitMapLight() {
  gLight = LightState{};
}
uint8_t LightTick() {
  return gLight.lightTick;
}
uint8_t AnimationTick() {
  return gLight.animationTick;
}

void UpdateMapLight(Map& map, uint8_t mode, const World& world) {
  gLight.lightTick += 1;
  if (gLight.lightTick < 2) return;
  gLight.lightTick = 0;
  gLight.animationTick += 1;
  const bool animate = mode != kLightEditor && gLight.animationTick == 2;

  for (int32_t r = 0; r < map.height; ++r) {
    for (int32_t c = 0; c < map.width; ++c) {
      Tile& t = MapTile(map, c, r);
      switch (mode) {
        case kLightPlay:
          if (t.curLight > t.light) {
            t.curLight = static_cast<int8_t>(t.curLight - 1);
          } else if (t.curLight < t.light) {
            t.curLight = static_cast<int8_t>(t.curLight + 1);
          }
          break;
        case kLightEditor:
          t.curLight = t.light;
          break;
        case kLightFadeOut:
          if (t.curLight > -32) t.curLight = static_cast<int8_t>(t.curLight - 2);
          break;
        case kLightFadeIn:
          // A tile one below its light stays there until play takes over.
          if (t.curLight > t.light) {
            t.curLight = static_cast<int8_t>(t.curLight - 1);
          } else if (t.curLight < t.light - 1) {
            t.curLight = static_cast<int8_t>(t.curLight + 2);
          }
          break;
        default:
          break;
      }
      if (!animate) continue;
      if (TerrainFlags(world, t.floor) & kTerrainAnimates) t.floor = world.terrain[t.floor].next;
      if (IsTorch(t.item) && Random(3) == 0) {
        AddFloatingSpark(ToFixed(c * kTileWidth - 14), ToFixed(r * kTileHeight + 2), ToFixed(80),
                         ToFixed(2));
      }
    }
  }
  if (gLight.animationTick == 2) gLight.animationTick = 0;
}

void SpreadLight(Map& map, int32_t x, int32_t y, int32_t radius, int32_t strength, uint8_t rule) {
  if (!OnMap(map, x, y)) return;
  Tile& centre = MapTile(map, x, y);
  ApplyRule(centre, 0, 0, strength, rule);
  centre.mark = 0;
  if (radius <= 1) return;
  for (int32_t d = 1; d < radius; ++d) {
    for (int32_t i = x - d; i <= x + d; ++i) SpreadTo(map, x, y, i, y - d, strength, rule);
    for (int32_t i = x - d; i <= x + d; ++i) SpreadTo(map, x, y, i, y + d, strength, rule);
    for (int32_t j = y - d + 1; j <= y + d - 1; ++j) SpreadTo(map, x, y, x - d, j, strength, rule);
    for (int32_t j = y - d + 1; j <= y + d - 1; ++j) SpreadTo(map, x, y, x + d, j, strength, rule);
  }
}

void HeroLight(Map& map, int32_t tx, int32_t ty) {
  int glow = HeroGlow();
  if (map.flags & kMapLit) {
    if (glow < 33) {
      if (PlayerHasUpgrade(kUpgradeHeroLight)) {
        SpreadLight(map, tx, ty, glow, 2 * glow, kLightRuleLitHero);
      } else {
        SpreadLight(map, tx, ty, glow / 4, glow, kLightRuleLitHero);
      }
    } else {
      SpreadLight(map, tx, ty, glow >> 2, glow, kLightRuleFlash);
    }
    // A burst of glow settles back to the steady 32.
    if (glow > 32) glow -= 4;
    if (glow < 32) glow += 1;
  } else if (glow != 0) {
    SpreadLight(map, tx, ty, (glow >> 2) & 63, static_cast<int8_t>(glow), kLightRuleFlash);
    glow -= glow < 5 ? 1 : 4;
  }
  SetHeroGlow(static_cast<uint8_t>(glow));
}

void SmoothLight(Map& map, int32_t x, int32_t y) {
  if (!OnMap(map, x, y)) return;
  int sum = MapTile(map, x, y).light;
  int count = 1;
  const int32_t near[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
  for (const auto& n : near) {
    if (!OnMap(map, n[0], n[1])) continue;
    sum += MapTile(map, n[0], n[1]).light;
    ++count;
  }
  MapTile(map, x, y).light = static_cast<int8_t>(sum / count);
}

}  // namespace torvel
