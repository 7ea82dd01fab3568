// The bullet pool, the firing calls, the hero's volleys, the storm and how
// bullets are drawn.
#include "actors/bullets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "bullet_fixture.h"
#include "common/trig.h"
#include "gfx/draw_list.h"
#include "platform/paths.h"
#include "world/items.h"

namespace torvel {
namespace {

using testing::BulletRoom;

class BulletPool : public BulletRoom {};

// Kind 7 draws nothing and hurts nobody: good filler.
void FillPool() {
  for (int i = 0; i < kBulletPoolSize; ++i) {
    ASSERT_NE(AddBullet(ToFixed(100), ToFixed(100), 0, 0, 0, 0, 0, 50, 0, 7), nullptr);
  }
}

TEST_F(BulletPool, AFullPoolDropsNewBulletsSilently) {
  FillPool();
  EXPECT_EQ(FireBullet(ToFixed(200), ToFixed(200), 0, 9), nullptr);
  EXPECT_EQ(AddBullet(ToFixed(200), ToFixed(200), 0, 0, 0, 0, 0, 30, 0, 9), nullptr);
  EXPECT_EQ(FireBeam(ToFixed(200), ToFixed(200), 0), nullptr);
  HeroShot(ToFixed(200), ToFixed(200), 0, 5, 3);
  HeroShot2(ToFixed(200), ToFixed(200), 0, 5, 3);
  EXPECT_EQ(LiveBulletCount(), kBulletPoolSize);
  for (int i = 0; i < kBulletPoolSize; ++i) {
    EXPECT_EQ(GetBullet(i)->kind, 7);
    EXPECT_EQ(GetBullet(i)->x, ToFixed(100));
  }

  // A freed slot is the next one taken.
  GetBullet(57)->kind = 0;
  Bullet* b = FireBullet(ToFixed(200), ToFixed(200), 0, 9);
  EXPECT_EQ(b, GetBullet(57));
}

TEST_F(BulletPool, FiringAfterABulletOnlyTakesLaterSlots) {
  for (int i = 0; i < 10; ++i) AddBullet(ToFixed(100), ToFixed(100), 0, 0, 0, 0, 0, 50, 0, 7);
  GetBullet(3)->kind = 0;
  EXPECT_EQ(FireBulletAfter(ToFixed(200), ToFixed(200), 0, 9, *GetBullet(5)), GetBullet(10));
  EXPECT_EQ(FireBullet(ToFixed(200), ToFixed(200), 0, 9), GetBullet(3));

  // With every later slot taken there is no room, however many lie before.
  for (int i = 11; i < kBulletPoolSize; ++i) {
    AddBullet(ToFixed(100), ToFixed(100), 0, 0, 0, 0, 0, 50, 0, 7);
  }
  GetBullet(0)->kind = 0;
  EXPECT_EQ(FireBulletAfter(ToFixed(200), ToFixed(200), 0, 9, *GetBullet(100)), nullptr);
  EXPECT_EQ(GetBullet(0)->kind, 0);
}

TEST_F(BulletPool, AddedBulletsTakeEveryFieldAsGiven) {
  Bullet* b = AddBullet(1, 2, 3, 4, 5, 6, 7, 8, 9, 14);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->x, 1);
  EXPECT_EQ(b->y, 2);
  EXPECT_EQ(b->z, 3);
  EXPECT_EQ(b->dx, 4);
  EXPECT_EQ(b->dy, 5);
  EXPECT_EQ(b->dz, 6);
  EXPECT_EQ(b->anim, 7);
  EXPECT_EQ(b->timer, 8);
  EXPECT_EQ(b->facing, 9);
  EXPECT_EQ(b->kind, 14);
  EXPECT_EQ(b->target, 0);
  EXPECT_EQ(b->light, 0);
}

TEST_F(BulletPool, EveryKindStartsOnItsFirstFrameInAReusedSlot) {
  // The slot's previous bullet was far into its animation; whatever kind
  // takes the slot next must not inherit that.
  for (uint8_t kind = 1; kind <= 36; ++kind) {
    Bullet* old = AddBullet(ToFixed(100), ToFixed(100), 0, 0, 0, 0, 13, 50, 0, 7);
    ASSERT_EQ(old, GetBullet(0));
    old->kind = 0;
    Bullet* b = FireBullet(ToFixed(300), ToFixed(200), 2, kind);
    ASSERT_EQ(b, GetBullet(0));
    EXPECT_EQ(b->anim, 0) << "kind " << int{kind};
    EXPECT_EQ(b->kind, kind);
    b->kind = 0;
  }
}

TEST_F(BulletPool, StartsReadTheDirectionAsAFacingOrAnAngle) {
  struct Case {
    uint8_t kind;
    uint8_t dir;
    int speed;
    int angle;  // of the flight
    uint8_t facing;
    int z;
    int32_t timer;
  } cases[] = {
      {1, 2, 12, 64, 2, 20, 30},      // facing 2 flies south
      {9, 64, 8, 64, 64, 20, 30},     // an angle
      {6, 100, 10, 100, 3, 10, 30},   // an angle, drawn in eight directions
      {24, 200, 8, 200, 12, 20, 60},  // an angle, drawn in sixteen
      {28, 200, 12, 200, 12, 20, 30}, {36, 72, 6, 72, 4, 20, 60},
      {15, 1, 8, 32, 1, 32, 60},      {29, 6, 10, 192, 6, 2, 15},
  };
  for (const Case& c : cases) {
    Bullet* b = FireBullet(ToFixed(300), ToFixed(200), c.dir, c.kind);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->dx, c.speed * Cosine(c.angle)) << "kind " << int{c.kind};
    EXPECT_EQ(b->dy, c.speed * Sine(c.angle)) << "kind " << int{c.kind};
    EXPECT_EQ(b->facing, c.facing) << "kind " << int{c.kind};
    EXPECT_EQ(b->z, ToFixed(c.z)) << "kind " << int{c.kind};
    EXPECT_EQ(b->timer, c.timer) << "kind " << int{c.kind};
    EXPECT_EQ(b->x, ToFixed(300));
    b->kind = 0;
  }
}

TEST_F(BulletPool, HomingBulletsStartWithoutATarget) {
  for (uint8_t kind : {3, 36}) {
    GetBullet(0)->target = 5;
    Bullet* b = FireBullet(ToFixed(300), ToFixed(200), 0, kind);
    ASSERT_EQ(b, GetBullet(0));
    EXPECT_EQ(b->target, kNoTarget);
    b->kind = 0;
  }
  Bullet* beam = FireBeam(ToFixed(300), ToFixed(200), 7);
  ASSERT_NE(beam, nullptr);
  EXPECT_EQ(beam->kind, 10);
  EXPECT_EQ(beam->target, 7);
}

TEST_F(BulletPool, CoinsScatterWithinTheirRanges) {
  for (int i = 0; i < 200; ++i) {
    Bullet* b = FireBullet(ToFixed(300), ToFixed(200), 0, i % 2 ? 26 : 31);
    ASSERT_NE(b, nullptr);
    EXPECT_GE(b->dx, ToFixed(-4));
    EXPECT_LE(b->dx, ToFixed(4));
    EXPECT_GE(b->dy, ToFixed(-4));
    EXPECT_LE(b->dy, ToFixed(4));
    EXPECT_GE(b->dz, ToFixed(4));
    EXPECT_LE(b->dz, ToFixed(10));
    EXPECT_EQ(b->z, kFixedOne / 2);
    EXPECT_GE(b->timer, 270);
    EXPECT_LT(b->timer, 390);
    b->kind = 0;
  }
}

// The volleys of the hero's shot fired facing east, by power: the angles of
// the shots in the order they are fired, and their facings.
struct Volley {
  uint8_t power;
  std::vector<int> angles;
  std::vector<int> facings;
};
const Volley kVolleys[] = {
    {1, {0}, {0}},
    {2, {-8, 8}, {0, 0}},
    {3, {0, -32, 32}, {0, 7, 1}},
    {4, {-8, 8, -56, 56}, {0, 0, 6, 2}},
    {5, {0, -32, 32, -56, 56}, {0, 7, 1, 6, 2}},
};

struct Shot {
  Fixed dx, dy;
  int facing;
  int kind;
  bool operator==(const Shot&) const = default;
};

std::vector<Shot> LiveShots() {
  std::vector<Shot> shots;
  for (int i = 0; i < kBulletPoolSize; ++i) {
    const Bullet* b = GetBullet(i);
    if (b->kind != 0) shots.push_back({b->dx, b->dy, b->facing, b->kind});
  }
  return shots;
}

TEST_F(BulletPool, TheHeroShotFansOutWithPowerAndFiresBackwardsWithFlagOne) {
  for (const Volley& v : kVolleys) {
    for (uint8_t flags : {0, 1, 2, 3}) {
      ResetBullets();
      HeroShot(ToFixed(300), ToFixed(200), 0, v.power, flags);
      std::vector<Shot> expected;
      const int kind = (flags & 2) ? 2 : 1;
      for (int turn : {0, 128}) {
        if (turn && !(flags & 1)) break;
        for (size_t i = 0; i < v.angles.size(); ++i) {
          int a = (v.angles[i] + turn) & 255;
          expected.push_back({12 * Cosine(a), 12 * Sine(a), (v.facings[i] + turn / 32) & 7, kind});
        }
      }
      EXPECT_EQ(LiveShots(), expected) << "power " << int{v.power} << " flags " << int{flags};
      for (int i = 0; i < LiveBulletCount(); ++i) {
        EXPECT_EQ(GetBullet(i)->z, ToFixed(20));
        EXPECT_EQ(GetBullet(i)->timer, 30);
        EXPECT_EQ(GetBullet(i)->dz, 0);
      }
    }
  }
}

TEST_F(BulletPool, TheArmouredHeroShotFiresSwordsInTheSamePattern) {
  for (const Volley& v : kVolleys) {
    ResetBullets();
    HeroShot2(ToFixed(300), ToFixed(200), 0, v.power, 1);
    std::vector<Shot> expected;
    for (int turn : {0, 128}) {
      for (int angle : v.angles) {
        int a = (angle + turn) & 255;
        expected.push_back({6 * Cosine(a), 6 * Sine(a), (a / 16) & 15, 36});
      }
    }
    EXPECT_EQ(LiveShots(), expected) << "power " << int{v.power};
  }
}

TEST_F(BulletPool, StormStrikesLandOnlyOnOpenTilesNearTheCentre) {
  // Walls fill the left half of the room: no strike may stand there.
  for (int y = 1; y < 19; ++y) {
    for (int x = 1; x < 10; ++x) At(x, y).wall = 1;
  }
  Player().level = 20;
  const Fixed cx = ToFixed(320), cy = ToFixed(240);
  int strikes = 0;
  for (int i = 0; i < 300; ++i) {
    ResetBullets();
    StormStrike(map(), cx, cy);
    if (LiveBulletCount() == 0) continue;
    ASSERT_EQ(LiveBulletCount(), 1);
    const Bullet* b = GetBullet(0);
    ++strikes;
    EXPECT_EQ(b->kind, 32);
    EXPECT_EQ(b->timer, 14);
    EXPECT_EQ(b->z, 0);
    EXPECT_LE(std::abs(b->x - cx), ToFixed(400));
    EXPECT_LE(std::abs(b->y - cy), ToFixed(300));
    EXPECT_EQ(At(FixedToInt(b->x) / 32, FixedToInt(b->y) / 24).wall, 0);
  }
  // Most of the square lies off this small room or on its walls, but not all.
  EXPECT_GT(strikes, 10);
  EXPECT_LT(strikes, 200);
}

// Drawing reads the forged sprite sets, so that each entry can be told by
// the sprite it shows.
class BulletLooks : public BulletRoom {
 protected:
  void SetUp() override {
    BulletRoom::SetUp();
    SetGameDir(TORVEL_GAME_DIR);
    ASSERT_TRUE(InitBullets());
    ASSERT_TRUE(LoadItems());
    SetCamera(ToFixed(320), ToFixed(240));
    ClearDrawList();
  }
  void TearDown() override {
    ClearDrawList();
    FreeItems();
    BulletRoom::TearDown();
  }
};

struct Entry {
  const Sprite* sprite;
  int z;
  uint8_t flags;
  uint8_t colour;
  int bright;
  bool operator==(const Entry&) const = default;
};

std::vector<Entry> Queued() {
  std::vector<Entry> entries;
  for (const DrawEntry& e : DrawListInOrder()) {
    entries.push_back(
        {reinterpret_cast<const Sprite*>(e.object), e.z, e.flags, e.colour, e.bright});
  }
  return entries;
}

TEST_F(BulletLooks, EachKindQueuesItsFrameInItsMode) {
  constexpr uint8_t kGhost = kDrawVisible | kDrawGhost;
  constexpr uint8_t kPlain = kDrawVisible;
  constexpr uint8_t kShadow = kDrawVisible | kDrawShadow;
  auto bullet = [](int n) { return GetBulletSprite(n); };
  struct Case {
    const char* what;
    uint8_t kind, anim, facing;
    int32_t timer;
    int8_t light;
    std::vector<Entry> expected;  // in drawing order: shadows first
  } cases[] = {
      {"hero shot",
       1,
       2,
       3,
       20,
       5,
       {{bullet(199), 0, kShadow, 255, 0}, {bullet(199), 20, kGhost, 255, 5}}},
      {"seeker, darker", 3, 0, 5, 20, 10, {{bullet(26), 20, kGhost, 255, 4}}},
      {"flame, unlit", 4, 3, 0, 20, 10, {{bullet(3), 20, kGhost, 255, 0}}},
      {"explosion by timer", 8, 0, 0, 5, 0, {{bullet(112), 20, kGhost, 255, 0}}},
      {"shockwave on the floor", 18, 4, 0, 5, 2, {{bullet(147), 0, kGhost, 255, 2}}},
      {"mech shot recoloured",
       25,
       3,
       1,
       20,
       1,
       {{bullet(40), 0, kShadow, 255, 0}, {bullet(40), 20, kPlain, 0, 1}}},
      {"coin",
       26,
       5,
       0,
       100,
       0,
       {{GetItemSprite(149), 0, kShadow, 255, 0}, {GetItemSprite(149), 20, kPlain, 255, 0}}},
      {"big coin blinking on",
       31,
       0,
       0,
       21,
       0,
       {{GetItemSprite(159), 0, kShadow, 255, 0}, {GetItemSprite(159), 20, kPlain, 255, 0}}},
      {"coin blinking off", 26, 0, 0, 20, 0, {}},
      {"rock blinking off", 23, 1, 0, 7, 0, {}},
      {"rock blinking on",
       23,
       1,
       0,
       6,
       0,
       {{bullet(163), 0, kShadow, 255, 0}, {bullet(163), 20, kPlain, 255, 0}}},
      {"freeze ray", 33, 0, 96, 4, 0, {{bullet(242), 20, kGhost, 255, 0}}},
      {"sword", 36, 0, 9, 20, 3, {{bullet(252), 20, kGhost, 255, 1}}},
      {"fireball", 7, 0, 0, 20, 0, {}},
  };
  for (const Case& c : cases) {
    ResetBullets();
    ClearDrawList();
    Bullet* b = AddBullet(ToFixed(300), ToFixed(200), ToFixed(20), 0, 0, 0, c.anim, c.timer,
                          c.facing, c.kind);
    b->light = static_cast<uint8_t>(c.light);
    RenderBullets();
    EXPECT_EQ(Queued(), c.expected) << c.what;
    for (const Entry& e : c.expected) EXPECT_NE(e.sprite, nullptr) << c.what;
  }
}

}  // namespace
}  // namespace torvel
