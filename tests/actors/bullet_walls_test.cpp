// How bullets meet walls and the floor.
#include <gtest/gtest.h>

#include "actors/bullets.h"
#include "bullet_fixture.h"

namespace torvel {
namespace {

using testing::BulletRoom;

class BulletWalls : public BulletRoom {};

constexpr int kRow = 132;  // the middle of tile row 5
// Flying east at 12 pixels a tick from here, a bullet's square of 8 pixels
// first reaches the room's east wall (pixel 608) on its first move.
constexpr int kNearEastWall = 590;

enum class Meets { kVanishes, kBounces, kHalts, kStops, kTurnsInto };

struct WallCase {
  uint8_t kind;
  Meets outcome;
  uint8_t becomes = 0;
};

TEST_F(BulletWalls, EachKindMeetsAWallItsOwnWay) {
  const WallCase cases[] = {
      {1, Meets::kVanishes},       {2, Meets::kBounces},   {3, Meets::kTurnsInto, 19},
      {4, Meets::kStops},          {5, Meets::kBounces},   {6, Meets::kVanishes},
      {7, Meets::kHalts},          {9, Meets::kVanishes},  {10, Meets::kTurnsInto, 12},
      {11, Meets::kTurnsInto, 12}, {13, Meets::kStops},    {14, Meets::kVanishes},
      {16, Meets::kHalts},         {20, Meets::kVanishes}, {22, Meets::kVanishes},
      {23, Meets::kBounces},       {24, Meets::kVanishes}, {25, Meets::kBounces},
      {26, Meets::kBounces},       {27, Meets::kHalts},    {28, Meets::kVanishes},
      {29, Meets::kVanishes},      {30, Meets::kBounces},  {31, Meets::kBounces},
      {33, Meets::kTurnsInto, 34}, {36, Meets::kVanishes},
  };
  for (const WallCase& c : cases) {
    ResetBullets();
    Bullet* b = Place(c.kind, kNearEastWall, kRow, 40, ToFixed(12), 0);
    Fly();
    const char* name = "kind";
    switch (c.outcome) {
      case Meets::kVanishes:
        EXPECT_EQ(b->kind, 0) << name << " " << int{c.kind};
        break;
      case Meets::kBounces:
        EXPECT_EQ(b->kind, c.kind) << name << " " << int{c.kind};
        EXPECT_EQ(b->x, ToFixed(kNearEastWall)) << name << " " << int{c.kind};
        EXPECT_LT(b->dx, 0) << name << " " << int{c.kind};
        break;
      case Meets::kHalts:
        EXPECT_EQ(b->kind, c.kind) << name << " " << int{c.kind};
        EXPECT_EQ(b->x, ToFixed(kNearEastWall)) << name << " " << int{c.kind};
        EXPECT_EQ(b->dx, ToFixed(12)) << name << " " << int{c.kind};
        break;
      case Meets::kStops:
        EXPECT_EQ(b->kind, c.kind) << name << " " << int{c.kind};
        EXPECT_EQ(b->dx, 0) << name << " " << int{c.kind};
        EXPECT_LE(std::abs(b->dy), ToFixed(3)) << name << " " << int{c.kind};
        break;
      case Meets::kTurnsInto:
        EXPECT_EQ(b->kind, c.becomes) << name << " " << int{c.kind};
        break;
    }
  }
}

TEST_F(BulletWalls, AShotFiredPointBlankIntoAWallBurstsWhereItStands) {
  // Within 8 pixels of the wall the shot does not fit at all: it bursts at
  // once in sparks, and even a bouncing shot does not get to bounce.
  for (uint8_t kind : {1, 2}) {
    ResetBullets();
    InitParticles(kParticlePoolSize);
    Bullet* b = Place(kind, 603, kRow, 20, ToFixed(-12), 0);
    Fly();
    EXPECT_EQ(b->kind, 0) << "kind " << int{kind};
    EXPECT_EQ(Particles(kParticleFire), 8) << "kind " << int{kind};
  }
  // One with room to move flies.
  ResetBullets();
  Bullet* b = Place(1, 590, kRow, 20, ToFixed(-12), 0);
  Fly();
  EXPECT_EQ(b->kind, 1);
  EXPECT_EQ(b->x, ToFixed(578));
}

TEST_F(BulletWalls, BouncingShotsTurnBackAndMirrorTheirFacing) {
  struct Case {
    uint8_t kind;
    int px, py;
    Fixed dx, dy;
    uint8_t facing;
    int x, y;  // after the bounce
    Fixed newDx, newDy;
    uint8_t newFacing;
    int sparks;
  } cases[] = {
      // Into the east wall: x is undone and reversed.
      {2, 590, kRow, ToFixed(12), 0, 0, 590, kRow, ToFixed(-12), 0, 4, 3},
      {25, 590, kRow, ToFixed(12), 0, 0, 590, kRow, ToFixed(-12), 0, 4, 0},
      // Into the south wall (pixel 456): y is undone and reversed.
      {2, 300, 438, 0, ToFixed(12), 2, 300, 438, 0, ToFixed(-12), 6, 3},
      // Diagonally into the east wall: x is refused and y stays put that tick.
      {2, 590, 200, ToFixed(12), ToFixed(12), 1, 590, 200, ToFixed(-12), ToFixed(12), 3, 3},
      // Diagonally into the south wall: x moves, y bounces.
      {25, 300, 438, ToFixed(12), ToFixed(12), 1, 312, 438, ToFixed(12), ToFixed(-12), 7, 0},
  };
  for (const Case& c : cases) {
    ResetBullets();
    InitParticles(kParticlePoolSize);
    Bullet* b = Place(c.kind, c.px, c.py, 40, c.dx, c.dy, 30, c.facing);
    Fly();
    EXPECT_EQ(b->kind, c.kind);
    EXPECT_EQ(b->x, ToFixed(c.x)) << "kind " << int{c.kind} << " from " << c.px << "," << c.py;
    EXPECT_EQ(b->y, ToFixed(c.y)) << "kind " << int{c.kind} << " from " << c.px << "," << c.py;
    EXPECT_EQ(b->dx, c.newDx);
    EXPECT_EQ(b->dy, c.newDy);
    EXPECT_EQ(b->facing, c.newFacing);
    EXPECT_EQ(Particles(kParticleFire), c.sparks) << "kind " << int{c.kind};
  }
}

TEST_F(BulletWalls, AMechShotFallsAndBouncesOffTheFloor) {
  Bullet* b = Place(25, 300, 200, 1, 0, 0);
  b->dz = ToFixed(-3);
  Fly();
  // Below the floor: back on it, rising at three quarters of its fall.
  EXPECT_EQ(b->kind, 25);
  EXPECT_EQ(b->z, 0);
  EXPECT_EQ(b->dz, ToFixed(3) * 3 / 4 - kFixedOne);
  Fly();
  EXPECT_GT(b->z, 0);
}

TEST_F(BulletWalls, CoinsLandingInWaterOrLavaAreLost) {
  struct Case {
    char floor;
    bool kept;
    uint8_t particle;
    int particles;
  } cases[] = {
      {'.', true, kParticleSplash, 0},
      {'~', false, kParticleSplash, 8},
      {'^', false, kParticleSpark, 3},
  };
  for (uint8_t kind : {26, 31}) {
    for (const Case& c : cases) {
      ResetBullets();
      InitParticles(kParticlePoolSize);
      At(9, 8).floor = c.floor == '~'   ? testing::kFloorWater
                       : c.floor == '^' ? testing::kFloorLava
                                        : testing::kFloorPlain;
      Bullet* b = Place(kind, 9 * 32 + 16, 8 * 24 + 12, 0, 0, 0, 200);
      b->z = kFixedOne / 2;
      b->dz = ToFixed(-2);
      Fly();
      EXPECT_EQ(b->kind != 0, c.kept) << "kind " << int{kind} << " on " << c.floor;
      EXPECT_EQ(Particles(c.particle), c.particles) << "kind " << int{kind} << " on " << c.floor;
      if (c.kept) {
        EXPECT_EQ(b->z, 0);
        EXPECT_EQ(b->dz, ToFixed(2) * 7 / 8 - kFixedOne);
      }
    }
  }
}

TEST_F(BulletWalls, ShotsSplashIntoWaterAndFlyOn) {
  At(9, 8).floor = testing::kFloorWater;
  Bullet* b = Place(1, 9 * 32 + 16, 8 * 24 + 12, 0, 0, 0);
  b->dz = ToFixed(-4);
  Fly();
  EXPECT_EQ(b->kind, 1);
  EXPECT_EQ(b->dz, ToFixed(3));
  EXPECT_EQ(Particles(kParticleSplash), 8);
}

TEST_F(BulletWalls, LandingsThatEndOrChangeABullet) {
  struct Case {
    uint8_t kind;
    uint8_t becomes;
    int32_t timer;
  } cases[] = {
      {6, 0, 0},    // spit splatters
      {9, 0, 0},    // the star bursts
      {15, 0, 0},   // the pod bursts
      {16, 17, 8},  // the rock lands as a blast of nine ticks (one gone already)
      {20, 0, 0},   // the icicle shatters
      {21, 0, 0},   // the snowball bursts into icicles
  };
  for (const Case& c : cases) {
    ResetBullets();
    Bullet* b = Place(c.kind, 300, 200, 0, 0, 0, 30);
    b->dz = ToFixed(-1);
    Fly();
    EXPECT_EQ(b->kind, c.becomes) << "kind " << int{c.kind};
    if (c.becomes) {
      EXPECT_EQ(b->timer, c.timer) << "kind " << int{c.kind};
    }
  }
}

TEST_F(BulletWalls, BulletsOffTheMapVanishWithoutMeetingAWall) {
  struct Case {
    int px, py;
    int burst;  // particles of a star meeting a wall
  } cases[] = {
      {-1, 200, 0},
      {300, 20 * 24, 0},
      {20 * 32, 200, 0},
      {300, 19 * 24 + 5, 4},  // in the wall row at the bottom: still on the map
  };
  for (const Case& c : cases) {
    ResetBullets();
    InitParticles(kParticlePoolSize);
    Bullet* b = Place(9, c.px, c.py, 20, 0, 0);
    Fly();
    EXPECT_EQ(b->kind, 0) << c.px << "," << c.py;
    EXPECT_EQ(Particles(kParticleBlood), c.burst) << c.px << "," << c.py;
  }
}

TEST_F(BulletWalls, ABulletEndsWhenItsTimerRunsOut) {
  Bullet* b = Place(9, 300, 200, 20, 0, 0, 3);
  Fly(2);
  EXPECT_EQ(b->kind, 9);
  Fly();
  EXPECT_EQ(b->kind, 0);

  // A fireball's end is an explosion.
  Bullet* f = Place(7, 300, 200, 100, 0, 0, 1);
  Fly();
  EXPECT_EQ(f->kind, 8);
  EXPECT_EQ(f->timer, 7);
  EXPECT_EQ(f->anim, 0);
}

}  // namespace
}  // namespace torvel
