#include "world/light.h"

#include <gtest/gtest.h>

#include <vector>

#include "actors/particles.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "world/world.h"

namespace torvel {
namespace {

// A small map of plain floor, every tile at base and current light `light`.
Map FlatMap(int8_t light = 0, int32_t size = 20) {
  Map map;
  map.width = size;
  map.height = size;
  map.tiles.assign(static_cast<size_t>(size * size), Tile{});
  for (Tile& t : map.tiles) {
    t.light = light;
    t.curLight = light;
  }
  return map;
}

class LightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRandom();
    InitMapLight();
    InitPlayerRecord();
    InitParticles(kParticlePoolSize);
  }
  void TearDown() override { ExitParticles(); }
  World world;
};

TEST_F(LightTest, ActsOnEverySecondCallAndAnimatesOnEveryFourth) {
  Map map = FlatMap();
  world.terrain[3] = {kTerrainAnimates, 4, 0};
  world.terrain[4] = {kTerrainAnimates, 3, 0};
  Tile& t = MapTile(map, 5, 5);
  t.floor = 3;
  t.light = 10;
  t.curLight = 0;

  const struct {
    int8_t curLight;
    uint8_t floor;
  } after[] = {{0, 3}, {1, 3}, {1, 3}, {2, 4}, {2, 4}, {3, 4}, {3, 4}, {4, 3}};
  for (size_t call = 0; call < std::size(after); ++call) {
    UpdateMapLight(map, kLightPlay, world);
    EXPECT_EQ(t.curLight, after[call].curLight) << "after call " << call + 1;
    EXPECT_EQ(t.floor, after[call].floor) << "after call " << call + 1;
  }
}

TEST_F(LightTest, EachModeMovesTheCurrentLightItsOwnWay) {
  const struct {
    uint8_t mode;
    int8_t light;
    int8_t curLight;
    int8_t expected;
  } cases[] = {
      {kLightPlay, 5, 9, 8},        {kLightPlay, 5, -3, -2},      {kLightPlay, 5, 5, 5},
      {kLightEditor, 5, -30, 5},    {kLightEditor, -7, 16, -7},   {kLightFadeOut, 5, 4, 2},
      {kLightFadeOut, 5, -31, -33}, {kLightFadeOut, 5, -32, -32}, {kLightFadeIn, 5, 9, 8},
      {kLightFadeIn, 5, -32, -30},  {kLightFadeIn, 5, 3, 5},      {kLightFadeIn, 5, 4, 4},
      {kLightFadeIn, 5, 5, 5},
  };
  for (const auto& c : cases) {
    InitMapLight();
    Map map = FlatMap();
    MapTile(map, 0, 0).light = c.light;
    MapTile(map, 0, 0).curLight = c.curLight;
    UpdateMapLight(map, c.mode, world);
    UpdateMapLight(map, c.mode, world);
    EXPECT_EQ(MapTile(map, 0, 0).curLight, c.expected)
        << "mode " << int(c.mode) << " light " << int(c.light) << " from " << int(c.curLight);
  }
}

TEST_F(LightTest, TheEditorNeitherAnimatesNorSparks) {
  Map map = FlatMap();
  world.terrain[3] = {kTerrainAnimates, 4, 0};
  for (Tile& t : map.tiles) {
    t.floor = 3;
    t.item = 81;
  }
  for (int i = 0; i < 16; ++i) UpdateMapLight(map, kLightEditor, world);
  for (const Tile& t : map.tiles) EXPECT_EQ(t.floor, 3);
  for (int i = 0; i < ParticlePoolSize(); ++i) EXPECT_LE(GetParticle(i)->life, 0);
}

TEST_F(LightTest, TorchesSparkFromAboveTheirTileAboutOnceInThree) {
  Map map = FlatMap();
  MapTile(map, 4, 6).item = 81;
  MapTile(map, 10, 2).item = 82;
  int sparks = 0;
  for (int pass = 0; pass < 60; ++pass) {
    InitParticles(kParticlePoolSize);
    for (int call = 0; call < 4; ++call) UpdateMapLight(map, kLightPlay, world);
    for (int i = 0; i < ParticlePoolSize(); ++i) {
      const Particle& p = *GetParticle(i);
      if (p.life <= 0) continue;
      ++sparks;
      EXPECT_EQ(p.type, kParticleSpark);
      EXPECT_EQ(p.z, ToFixed(80));
      EXPECT_EQ(p.dz, ToFixed(2));
      const bool first = p.y < ToFixed(100);
      const int32_t x = FixedToInt(p.x) - (first ? 10 * 32 - 14 : 4 * 32 - 14);
      const int32_t y = FixedToInt(p.y) - (first ? 2 * 24 + 2 : 6 * 24 + 2);
      EXPECT_TRUE(x >= -2 && x <= 2 && y >= -2 && y <= 2) << x << "," << y;
    }
  }
  // 120 chances at 1 in 3.
  EXPECT_GT(sparks, 20);
  EXPECT_LT(sparks, 70);
}

TEST_F(LightTest, BaseLightSpreadRaisesTheCentreRingToZeroAndKeepsBrighterTiles) {
  Map map = FlatMap(-20);
  MapTile(map, 6, 5).light = 12;
  SpreadLight(map, 5, 5, 2, 4, kLightRuleBase);
  for (int y = 3; y <= 7; ++y) {
    for (int x = 3; x <= 7; ++x) {
      const bool ring = x >= 4 && x <= 6 && y >= 4 && y <= 6;
      int8_t expected = ring ? 0 : -20;
      if (x == 6 && y == 5) expected = 12;
      EXPECT_EQ(MapTile(map, x, y).light, expected) << x << "," << y;
      // The current light is not the base rule's business.
      EXPECT_EQ(MapTile(map, x, y).curLight, -20);
    }
  }
}

TEST_F(LightTest, BaseLightStrengthFallsOffAndIsCappedAtSixteen) {
  Map map = FlatMap(-32);
  SpreadLight(map, 10, 10, 8, 80, kLightRuleBase);
  // e = 80 - d2 / 2; above 16 it is quartered, then capped at 16.
  const struct {
    int dx, dy;
    int8_t light;
  } cases[] = {{0, 0, 16}, {3, 0, 16}, {4, 4, 16}, {6, 5, 12}, {7, 7, 7}, {7, 0, 14}};
  for (const auto& c : cases) {
    EXPECT_EQ(MapTile(map, 10 + c.dx, 10 + c.dy).light, c.light) << c.dx << "," << c.dy;
  }
  // Radius 8 reaches out to ring 7 only.
  EXPECT_EQ(MapTile(map, 18, 10).light, -32);
}

TEST_F(LightTest, AWallCastsAShadowButIsItselfLit) {
  Map map = FlatMap(-20);
  MapTile(map, 7, 5).wall = 3;
  SpreadLight(map, 5, 5, 5, 16, kLightRuleBase);
  EXPECT_EQ(MapTile(map, 7, 5).light, 0);
  EXPECT_EQ(MapTile(map, 7, 5).mark, 1);
  // Straight behind the wall both inner neighbours block: dark and marked.
  EXPECT_EQ(MapTile(map, 8, 5).light, -20);
  EXPECT_EQ(MapTile(map, 8, 5).mark, 1);
  EXPECT_EQ(MapTile(map, 9, 5).light, -20);
  EXPECT_EQ(MapTile(map, 9, 5).mark, 1);
  // One row off, the diagonal inner neighbour lets light past the corner.
  EXPECT_EQ(MapTile(map, 8, 6).light, 0);
  EXPECT_EQ(MapTile(map, 8, 6).mark, 0);
}

TEST_F(LightTest, BlockingItemsCastShadowsAndLowerOnesDoNot) {
  const struct {
    uint8_t item;
    bool shadow;
  } cases[] = {{68, false}, {69, true}, {80, true}, {11, false}};
  for (const auto& c : cases) {
    Map map = FlatMap(-20);
    MapTile(map, 5, 7).item = c.item;
    SpreadLight(map, 5, 5, 4, 4, kLightRuleBase);
    EXPECT_EQ(MapTile(map, 5, 8).light, c.shadow ? -20 : 0) << "item " << int(c.item);
    EXPECT_EQ(MapTile(map, 5, 7).light, 0) << "item " << int(c.item);
  }
}

TEST_F(LightTest, SpreadFromOffTheMapDoesNothingAndRingsClipAtTheEdges) {
  Map map = FlatMap(-20);
  SpreadLight(map, -1, 0, 5, 40, kLightRuleBase);
  SpreadLight(map, 20, 3, 5, 40, kLightRuleBase);
  for (const Tile& t : map.tiles) EXPECT_EQ(t.light, -20);
  SpreadLight(map, 0, 0, 3, 4, kLightRuleBase);
  EXPECT_EQ(MapTile(map, 2, 2).light, 0);
  EXPECT_EQ(MapTile(map, 3, 0).light, -20);
}

TEST_F(LightTest, LightSourcesRaiseTheCurrentLightByTwoAtMost) {
  // The flash rule's target at the centre is min(strength + light, 16).
  const struct {
    int8_t curLight;
    int strength;
    int8_t expected;
  } cases[] = {
      {-10, 8, -8},  // far below: +2
      {7, 8, 8},     // one below: snaps to the target
      {8, 8, 8},     // at the target: unchanged
      {12, 8, 12},   // above: a source never darkens
      {15, 40, 16},  // target capped at 16
      {0, -1, 0},    // negative strength: nothing
  };
  for (const auto& c : cases) {
    Map map = FlatMap(0);
    MapTile(map, 3, 3).curLight = c.curLight;
    SpreadLight(map, 3, 3, 1, c.strength, kLightRuleFlash);
    EXPECT_EQ(MapTile(map, 3, 3).curLight, c.expected) << int(c.curLight) << " " << c.strength;
  }
}

TEST_F(LightTest, LitHeroRuleShapesAPoolOfLight) {
  // f = strength - d2; g = f - 17 below 16, 0 up to strength - 4, then the
  // bright core f - strength + 4. Approached from far below, one step is +2,
  // so apply it often enough to settle.
  Map map = FlatMap(0);
  for (Tile& t : map.tiles) t.curLight = -32;
  for (int i = 0; i < 40; ++i) SpreadLight(map, 10, 10, 8, 32, kLightRuleLitHero);
  const struct {
    int dx, dy;
    int8_t curLight;
  } cases[] = {{0, 0, 4}, {1, 0, 3}, {2, 0, 0}, {4, 0, 0}, {4, 1, -2}, {5, 2, -14}, {5, 3, -32}};
  for (const auto& c : cases) {
    EXPECT_EQ(MapTile(map, 10 + c.dx, 10 + c.dy).curLight, c.curLight) << c.dx << "," << c.dy;
  }
}

TEST_F(LightTest, OnALitMapTheGlowSettlesAtThirtyTwo) {
  Map map = FlatMap(0);
  map.flags = kMapLit;
  SetHeroGlow(0);
  for (int i = 1; i <= 32; ++i) {
    HeroLight(map, 5, 5);
    ASSERT_EQ(HeroGlow(), i);
  }
  for (int i = 0; i < 10; ++i) HeroLight(map, 5, 5);
  EXPECT_EQ(HeroGlow(), 32);

  // A burst of glow comes down by 4 a call and settles again.
  SetHeroGlow(127);
  int calls = 0;
  while (HeroGlow() != 32 && calls < 100) {
    int before = HeroGlow();
    HeroLight(map, 5, 5);
    EXPECT_LE(HeroGlow(), before);
    ++calls;
  }
  EXPECT_EQ(HeroGlow(), 32);
  EXPECT_LT(calls, 30);
}

TEST_F(LightTest, ElsewhereTheGlowDecaysToNothing) {
  Map map = FlatMap(-10);
  SetHeroGlow(13);
  const uint8_t glows[] = {9, 5, 1, 0, 0};
  for (uint8_t g : glows) {
    HeroLight(map, 5, 5);
    EXPECT_EQ(HeroGlow(), g);
  }
  EXPECT_GT(MapTile(map, 5, 5).curLight, -10);
  // With no glow the hero gives no light at all.
  Map dark = FlatMap(-10);
  HeroLight(dark, 5, 5);
  for (const Tile& t : dark.tiles) EXPECT_EQ(t.curLight, -10);
}

TEST_F(LightTest, TheHeroLightUpgradeWidensTheLitMapPool) {
  for (bool upgraded : {false, true}) {
    InitPlayerRecord();
    if (upgraded) Player().upgrades = kUpgradeHeroLight;
    Map map = FlatMap(0);
    map.flags = kMapLit;
    for (Tile& t : map.tiles) t.curLight = -32;
    SetHeroGlow(32);
    HeroLight(map, 10, 10);
    // Plain: radius 8 reaches ring 7 at most; upgraded: radius 32, strength 64.
    EXPECT_EQ(MapTile(map, 10, 2).curLight, upgraded ? -30 : -32) << upgraded;
  }
}

TEST_F(LightTest, SmoothingAveragesWithTheNeighboursOnTheMap) {
  Map map = FlatMap(0);
  MapTile(map, 5, 5).light = -3;
  MapTile(map, 4, 5).light = 0;
  MapTile(map, 6, 5).light = 0;
  MapTile(map, 5, 4).light = 0;
  MapTile(map, 5, 6).light = 1;
  SmoothLight(map, 5, 5);
  EXPECT_EQ(MapTile(map, 5, 5).light, 0);  // -2 / 5 truncates toward zero

  MapTile(map, 0, 0).light = 16;
  MapTile(map, 1, 0).light = 0;
  MapTile(map, 0, 1).light = -1;
  SmoothLight(map, 0, 0);
  EXPECT_EQ(MapTile(map, 0, 0).light, 5);  // a corner has two neighbours

  MapTile(map, 9, 9).light = -16;
  MapTile(map, 10, 9).light = -16;
  MapTile(map, 8, 9).light = -16;
  MapTile(map, 9, 10).light = -15;
  MapTile(map, 9, 8).light = -16;
  SmoothLight(map, 9, 9);
  EXPECT_EQ(MapTile(map, 9, 9).light, -15);
  SmoothLight(map, 30, 30);  // off the map: nothing, no crash
}

}  // namespace
}  // namespace torvel
