#include "actors/particles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "gfx/draw_list.h"
#include "platform/random.h"
#include "world/world.h"

namespace torvel {
namespace {

Map LitMap(int8_t curLight, int32_t size = 20) {
  Map map;
  map.width = size;
  map.height = size;
  map.tiles.assign(static_cast<size_t>(size * size), Tile{});
  for (Tile& t : map.tiles) t.curLight = curLight;
  return map;
}

std::vector<const Particle*> Live() {
  std::vector<const Particle*> live;
  for (int i = 0; i < ParticlePoolSize(); ++i) {
    if (GetParticle(i)->life > 0) live.push_back(GetParticle(i));
  }
  return live;
}

// The centre of tile (5, 5), on the ground.
constexpr Fixed kX = ToFixed(5 * 32 + 16);
constexpr Fixed kY = ToFixed(5 * 24 + 12);

class ParticlesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRandom();
    InitParticles(kParticlePoolSize);
    ResetCamera();
    ClearDrawList();
  }
  void TearDown() override {
    ExitParticles();
    ClearDrawList();
  }
};

TEST_F(ParticlesTest, SnowflakesKeepTheirLifeWhileFallingThenFadeOnTheGround) {
  Map map = LitMap(0);
  AddParticleRaw(kX, kY, ToFixed(40), 0, 0, 0, 100, kParticleSnow, 31);
  Particle& flake = *GetParticle(0);
  int ticks = 0;
  while (flake.z > 0 && ticks < 1000) {
    UpdateParticles(map);
    ++ticks;
    if (flake.z > 0) {
      ASSERT_EQ(flake.life, 100) << "tick " << ticks;
      ASSERT_EQ(flake.colour, 31);
      ASSERT_EQ(flake.size, 2);
    }
  }
  ASSERT_EQ(flake.z, 0);
  // Sinking slowly: far more ticks than a free fall from 40 pixels.
  EXPECT_GT(ticks, 30);
  EXPECT_EQ(flake.life, 99);  // the landing tick is the first that counts
  EXPECT_EQ(flake.dx, 0);
  EXPECT_EQ(flake.dy, 0);
  EXPECT_EQ(flake.dz, 0);
  EXPECT_EQ(FlakesOnGround(), 1);

  // On the ground: colour life / 4 kept within 20..31, size 1 below 50, 0 below 25.
  const struct {
    int32_t life;
    uint8_t colour;
    uint16_t size;
  } fade[] = {{99, 24, 2}, {84, 21, 2}, {79, 20, 2}, {49, 20, 1}, {24, 20, 0}};
  for (const auto& f : fade) {
    while (flake.life > f.life) UpdateParticles(map);
    EXPECT_EQ(flake.colour, f.colour) << "life " << f.life;
    EXPECT_EQ(flake.size, f.size) << "life " << f.life;
  }
  const Fixed x = flake.x;
  UpdateParticles(map);
  EXPECT_EQ(flake.x, x);  // it lies still
}

TEST_F(ParticlesTest, SnowStopsFallingWhileMoreThanSixtyFourFlakesLie) {
  Map map = LitMap(0);
  map.flags = kMapSnow;
  for (int flakes : {64, 65}) {
    InitParticles(kParticlePoolSize);
    for (int i = 0; i < flakes; ++i) AddParticleRaw(kX, kY, 0, 0, 0, 0, 1000, kParticleSnow, 31);
    UpdateParticles(map);
    ASSERT_EQ(FlakesOnGround(), flakes);
    for (int tick = 0; tick < 100; ++tick) SnowFall(map);
    const int added = static_cast<int>(Live().size()) - flakes;
    if (flakes == 64) {
      EXPECT_GT(added, 10) << "about 31 in 100 ticks";
      EXPECT_LT(added, 60);
    } else {
      EXPECT_EQ(added, 0);
    }
  }
}

TEST_F(ParticlesTest, SnowFallsOnlyOnSnowyMapsAndHighOverTheScreen) {
  Map map = LitMap(0, 64);
  SetCamera(ToFixed(1000), ToFixed(700));
  for (int tick = 0; tick < 200; ++tick) SnowFall(map);
  EXPECT_TRUE(Live().empty());
  map.flags = kMapSnow;
  for (int tick = 0; tick < 200; ++tick) SnowFall(map);
  ASSERT_FALSE(Live().empty());
  for (const Particle* p : Live()) {
    EXPECT_EQ(p->type, kParticleSnow);
    EXPECT_GE(FixedToInt(p->x), 1000 - 320);
    EXPECT_LT(FixedToInt(p->x), 1000 + 320);
    EXPECT_GE(FixedToInt(p->y), 700 - 240);
    EXPECT_LT(FixedToInt(p->y), 700 + 240);
    EXPECT_GE(FixedToInt(p->z), 300);
    EXPECT_LT(FixedToInt(p->z), 600);
    EXPECT_GE(p->life, 50);
    EXPECT_LT(p->life, 100);
  }
}

TEST_F(ParticlesTest, DotColoursFollowTheirTypeAndStayInsideTheirRamp) {
  // One tick from a life one above the listed one; size rule included.
  const struct {
    uint8_t type;
    int32_t life;  // after the tick
    int8_t light;
    uint8_t colour;
    uint16_t size;
  } cases[] = {
      {kParticleGrey, 5, 0, 15, 0},
      {kParticleGrey, 12, 0, 24, 1},
      {kParticleGrey, 30, 0, 31, 2},
      {kParticleEarth, 10, 0, 73, 1},
      {kParticleEarth, 30, 0, 87, 2},
      {kParticleBlood, 23, 0, 150, 2},
      {kParticleBlood, 30, 0, 151, 2},
      {kParticleGreen, 11, 0, 46, 2},
      {kParticleGreen, 10, 0, 45, 1},
      {kParticleGreen, 5, 0, 40, 0},
      {kParticleSplash, 7, 0, 104, 0},
      {kParticleSplash, 20, 0, 116, 1},
      {kParticleSplash, 40, 0, 127, 2},
      {kParticleFire, 27, 0, 186, 2},
      {kParticleFire, 28, 0, 187, 2},
      {kParticleMicro, 8, 0, 191, 2},
      {kParticleMicro, 7, 0, 184, 2},
      {kParticleMicro, 4, 0, 172, 1},
      {kParticleMicro, 2, 0, 164, 0},
      {kParticleRising, 20, 0, 127, 1},
      {kParticleRising, 12, 0, 126, 1},
      {kParticleRising, 9, 0, 120, 0},
      {kParticleEarth, 10, -3, 70, 1},
      // The tile light never carries a dot out of its ramp.
      {kParticleBlood, 30, 16, 159, 2},
      {kParticleBlood, 30, -32, 128, 2},
      {kParticleFire, 28, 10, 191, 2},
      {kParticleGrey, 5, -20, 0, 0},
  };
  for (const auto& c : cases) {
    InitParticles(kParticlePoolSize);
    Map map = LitMap(c.light);
    AddParticleRaw(kX, kY, 0, 0, 0, 0, c.life + 1, c.type, 0);
    UpdateParticles(map);
    const Particle& p = *GetParticle(0);
    EXPECT_EQ(p.colour, c.colour) << "type " << int(c.type) << " life " << c.life << " light "
                                  << int(c.light);
    EXPECT_EQ(p.size, c.size) << "type " << int(c.type) << " life " << c.life;
  }
}

TEST_F(ParticlesTest, SparksAndPuffsRiseAtTheirLiftAndCarryTheLight) {
  Map map = LitMap(-5);
  AddSmokePuff(kX, kY, ToFixed(10), ToFixed(2));
  AddParticleRaw(kX, kY, ToFixed(10), 0, 0, 0, 7, kParticleExplosion, 0);
  const Particle& puff = *GetParticle(0);
  const Particle& bang = *GetParticle(1);
  const int32_t life = puff.life;
  UpdateParticles(map);
  EXPECT_EQ(puff.z, ToFixed(12));
  EXPECT_EQ(puff.dz, ToFixed(2));
  EXPECT_EQ(puff.colour, 64 - 5);
  EXPECT_EQ(puff.size, 6 - (life - 1) / 8);
  EXPECT_EQ(bang.z, ToFixed(10));
  EXPECT_EQ(bang.size, 2);  // 8 - life
  UpdateParticles(map);
  EXPECT_EQ(puff.z, ToFixed(14));
  EXPECT_EQ(bang.size, 3);
}

TEST_F(ParticlesTest, GravityBouncesAndTheRisingKindsLift) {
  Map map = LitMap(0);
  AddParticleRaw(kX, kY, ToFixed(1), 0, 0, ToFixed(-3), 50, kParticleEarth, 0);
  AddParticleRaw(kX, kY, ToFixed(10), 0, 0, 0, 50, kParticleRising, 0);
  AddParticleRaw(kX, kY, ToFixed(10), 0, 0, 0, 50, kParticleLevelUp, 0);
  AddParticleRaw(kX, kY, ToFixed(10), ToFixed(1), ToFixed(-2), 0, 50, kParticleAfterImage, 7);
  UpdateParticles(map);
  // Down 4 from height 1 hits the ground and bounces up at half the speed.
  EXPECT_EQ(GetParticle(0)->z, 0);
  EXPECT_EQ(GetParticle(0)->dz, ToFixed(2));
  EXPECT_EQ(GetParticle(1)->z, ToFixed(9));
  EXPECT_EQ(GetParticle(1)->dz, ToFixed(1));
  EXPECT_EQ(GetParticle(2)->dz, kFixedOne / 8);
  EXPECT_EQ(GetParticle(3)->dz, 0);
  EXPECT_EQ(GetParticle(3)->x, kX + ToFixed(1));
  EXPECT_EQ(GetParticle(3)->y, kY - ToFixed(2));
  EXPECT_EQ(GetParticle(3)->colour, 7);  // after-images take no light
}

TEST_F(ParticlesTest, ParticlesOffTheMapVanishAtOnce) {
  Map map = LitMap(0);
  // Into the column right of the map, below the map, and far left of it.
  AddParticleRaw(ToFixed(20 * 32 - 1), kY, 0, ToFixed(1), 0, 0, 50, kParticleFire, 0);
  AddParticleRaw(kX, ToFixed(20 * 24 - 1), 0, 0, ToFixed(1), 0, 50, kParticleSpark, 0);
  AddParticleRaw(ToFixed(5), kY, 0, ToFixed(-40), 0, 0, 50, kParticleBlood, 0);
  AddParticleRaw(kX, kY, 0, 0, 0, 0, 50, kParticleBlood, 0);
  UpdateParticles(map);
  EXPECT_EQ(GetParticle(0)->life, 0);
  EXPECT_EQ(GetParticle(1)->life, 0);
  EXPECT_EQ(GetParticle(2)->life, 0);
  EXPECT_EQ(GetParticle(3)->life, 49);
}

TEST_F(ParticlesTest, AddersTakeTheFirstFreeSlotsAndAFullPoolDropsTheRest) {
  InitParticles(4);
  AddParticleRaw(kX, kY, 0, 0, 0, 0, 10, kParticleBlood, 0);
  AddParticleRaw(kX, kY, 0, 0, 0, 0, 10, kParticleBlood, 0);
  GetParticle(0)->life = 0;  // a freed slot is taken again first
  AddParticles(kParticleFire, kX, kY, 0, 5);
  EXPECT_EQ(GetParticle(0)->type, kParticleFire);
  EXPECT_EQ(GetParticle(1)->type, kParticleBlood);
  EXPECT_EQ(GetParticle(2)->type, kParticleFire);
  EXPECT_EQ(GetParticle(3)->type, kParticleFire);
  AddSmokePuff(kX, kY, 0, 0);
  AddFloatingSpark(kX, kY, 0, 0);
  AddRisingDots(kX, kY);
  AddAfterImage(kX, kY, 3);
  EXPECT_EQ(Live().size(), 4u);
  EXPECT_EQ(GetParticle(1)->type, kParticleBlood);

  InitParticles(kParticlePoolSize);
  AddParticlesSpread(kParticleBlood, kX, kY, 0, 0, 8);
  EXPECT_TRUE(Live().empty());
  AddRisingDots(kX, kY);
  EXPECT_EQ(Live().size(), 30u);
}

TEST_F(ParticlesTest, ExplosionsAndSparksStartWhereAndHowTheyShould) {
  const Fixed x1 = ToFixed(100), y1 = ToFixed(200), x2 = ToFixed(164), y2 = ToFixed(248);
  AddExplosions(x1, y1, x2, y2, ToFixed(7), 40);
  ASSERT_EQ(Live().size(), 40u);
  for (const Particle* p : Live()) {
    EXPECT_EQ(p->type, kParticleExplosion);
    EXPECT_EQ(p->life, 7);
    EXPECT_EQ(p->z, ToFixed(7));
    EXPECT_EQ(p->dx, 0);
    EXPECT_EQ(p->dz, 0);
    EXPECT_TRUE(p->x >= x1 && p->x < x2 && p->y >= y1 && p->y < y2);
  }
  InitParticles(kParticlePoolSize);
  for (int i = 0; i < 100; ++i) AddFloatingSpark(kX, kY, ToFixed(80), ToFixed(2));
  for (const Particle* p : Live()) {
    EXPECT_EQ(p->type, kParticleSpark);
    EXPECT_LE(std::abs(p->x - kX), ToFixed(2));
    EXPECT_LE(std::abs(p->y - kY), ToFixed(2));
    EXPECT_LE(std::abs(p->dx), kFixedOne);
    EXPECT_LE(std::abs(p->dy), kFixedOne);
    EXPECT_EQ(p->dz, ToFixed(2));
    EXPECT_GT(p->life, 16);
    EXPECT_LE(p->life, 24);
    EXPECT_EQ(p->colour, 64);
  }
}

TEST_F(ParticlesTest, AddParticleScattersWithinItsSpread) {
  for (int i = 0; i < 200; ++i) AddParticlesSpread(kParticleBlood, kX, kY, ToFixed(5), 1, 6);
  ASSERT_EQ(Live().size(), 200u);
  for (const Particle* p : Live()) {
    EXPECT_EQ(p->size, 2);
    EXPECT_GE(p->x, kX - ToFixed(16));
    EXPECT_LE(p->x, kX + ToFixed(16));
    EXPECT_GE(p->y, kY - ToFixed(16));
    EXPECT_LE(p->y, kY + ToFixed(16));
    EXPECT_EQ(p->z, ToFixed(5));
    EXPECT_EQ(p->dx % kFixedOne, 0) << "whole pixels";
    EXPECT_GE(p->dx, ToFixed(-3));
    EXPECT_LE(p->dx, ToFixed(2));
    EXPECT_GE(p->dz, 0);
    EXPECT_LT(p->dz, ToFixed(12));
    EXPECT_GE(p->life, 20);
    EXPECT_LT(p->life, 26);
  }
}

TEST_F(ParticlesTest, RenderQueuesSpritesAndDotsAtWholePixels) {
  SetCamera(kX, kY);
  AddParticleRaw(kX, kY + ToFixed(1), ToFixed(3), 0, 0, 0, 10, kParticleSpark, 61);
  GetParticle(0)->size = 4;
  AddParticleRaw(kX, kY + ToFixed(2), 0, 0, 0, 0, 10, kParticleExplosion, 70);
  AddParticleRaw(kX, kY + ToFixed(3), 0, 0, 0, 0, 21, kParticleLevelUp, 0);
  AddParticleRaw(kX, kY + ToFixed(4), ToFixed(2), 0, 0, 0, 10, kParticleBlood, 140);
  GetParticle(3)->size = 1;
  RenderParticles();
  const std::vector<DrawEntry> entries = DrawListInOrder();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].flags, kDrawVisible | kDrawGlow);
  EXPECT_EQ(entries[0].bright, -3);
  EXPECT_EQ(entries[0].z, 3);
  EXPECT_EQ(entries[1].flags, kDrawVisible | kDrawGhost);
  EXPECT_EQ(entries[1].bright, 6);
  EXPECT_EQ(entries[2].flags, kDrawVisible | kDrawGhost);
  EXPECT_EQ(entries[3].flags, kDrawVisible | kDrawParticle);
  EXPECT_EQ(entries[3].colour, 140);
  EXPECT_EQ(entries[3].bright, 1);
  EXPECT_EQ(entries[3].x, FixedToInt(kX));
  EXPECT_EQ(entries[3].z, 2);
}

TEST_F(ParticlesTest, TheLevelUpSparkleBlinksOutItsLastTwentyTicks) {
  SetCamera(kX, kY);
  for (int32_t life : {22, 21, 20, 19, 18, 1}) {
    ClearDrawList();
    InitParticles(kParticlePoolSize);
    AddParticleRaw(kX, kY, 0, 0, 0, 0, life, kParticleLevelUp, 0);
    RenderParticles();
    const bool shown = life > 20 || (life & 1) != 0;
    EXPECT_EQ(DrawListInOrder().size(), shown ? 1u : 0u) << "life " << life;
  }
}

// PlotDot on a grey screen of colour 0x50 (ramp 2, shade 16).
class PlotDotTest : public ::testing::Test {
 protected:
  std::vector<uint8_t> screen = std::vector<uint8_t>(640 * 480, 0x50);
  uint8_t At(int x, int y) const { return screen[y * 640 + x]; }
  int Changed() const {
    int n = 0;
    for (uint8_t v : screen) n += v != 0x50;
    return n;
  }
};

TEST_F(PlotDotTest, DrawsAPixelAPlusOrADiamond) {
  PlotDot(10, 10, screen.data(), 0x9F, 0);
  EXPECT_EQ(At(10, 10), 0x9F);
  EXPECT_EQ(Changed(), 1);

  PlotDot(100, 100, screen.data(), 0x9F, 1);
  EXPECT_EQ(At(100, 100), 0x9F);
  for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
    EXPECT_EQ(At(100 + dx, 100 + dy), 0x9E);
  EXPECT_EQ(Changed(), 6);

  PlotDot(200, 200, screen.data(), 0x9F, 2);
  for (int dy : {-1, 0, 1}) EXPECT_EQ(At(200, 200 + dy), 0x9F);
  for (int dy : {-1, 0, 1}) {
    EXPECT_EQ(At(199, 200 + dy), 0x9D);
    EXPECT_EQ(At(201, 200 + dy), 0x9D);
  }
  for (auto [dx, dy] : {std::pair{0, -2}, {-2, 0}, {2, 0}, {0, 2}})
    EXPECT_EQ(At(200 + dx, 200 + dy), 0x9B);
  EXPECT_EQ(Changed(), 6 + 13);
}

TEST_F(PlotDotTest, RimsNeverLeaveTheRampBottom) {
  PlotDot(50, 50, screen.data(), 0x80, 1);
  EXPECT_EQ(At(49, 50), 0x80);
  PlotDot(100, 100, screen.data(), 0x81, 2);
  EXPECT_EQ(At(99, 100), 0x81);  // shade 1: below 2, the ring keeps the colour
  EXPECT_EQ(At(98, 100), 0x81);
  PlotDot(150, 150, screen.data(), 0x83, 2);
  EXPECT_EQ(At(149, 150), 0x81);  // shade 3 - 2 = 1 ...
  EXPECT_EQ(At(148, 150), 0x81);  // ... and the tips stay at 1
}

TEST_F(PlotDotTest, DotsThatDoNotFitAreNotDrawn) {
  const struct {
    int32_t x, y;
    uint8_t size;
  } cases[] = {{-1, 5, 0}, {640, 5, 0}, {5, 480, 0}, {0, 5, 1},   {639, 5, 1}, {5, 479, 1},
               {1, 5, 2},  {638, 5, 2}, {5, 1, 2},   {5, 478, 2}, {5, 5, 3}};
  for (const auto& c : cases) PlotDot(c.x, c.y, screen.data(), 0x9F, c.size);
  EXPECT_EQ(Changed(), 0);
  PlotDot(639, 479, screen.data(), 0x9F, 0);
  PlotDot(638, 1, screen.data(), 0x9F, 1);
  PlotDot(637, 477, screen.data(), 0x9F, 2);
  PlotDot(2, 2, screen.data(), 0x9F, 2);
  EXPECT_EQ(Changed(), 1 + 5 + 13 + 13);
}

}  // namespace
}  // namespace torvel
