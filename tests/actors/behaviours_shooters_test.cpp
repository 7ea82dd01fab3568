// Everything that fires: each shooting kind, posed on the frame its volley
// leaves on, fires the right bullets, from the right place, the right way,
// as often as it should in that frame and on no other frame; the ones that
// fire only at somebody hold their fire with nobody there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "actors/behaviours_shared.h"
#include "actors/kinds.h"
#include "common/trig.h"
#include "monster_fixture.h"

namespace torvel::testing {
namespace {

// Where a volley leaves from, relative to the shooter: `ahead` pixels along
// its facing, `side` pixels to its right, then (ox, oy); with `alongFlight`
// each bullet starts `ahead` or `ahead2` pixels along its own flight instead.
// Within tolX, tolY pixels.
struct Origin {
  int ahead = 0, side = 0, ox = 0, oy = 0;
  int tolX = 1, tolY = 1;
  bool alongFlight = false;
  int ahead2 = 0;
};
Origin Self(int ox = 0, int oy = 0, int tol = 1) {
  return Origin{0, 0, ox, oy, tol, tol};
}
Origin Ahead(int d, int tol = 1) {
  return Origin{d, 0, 0, 0, tol, tol};
}
Origin AheadRight(int d, int side) {
  return Origin{d, side, 0, 0, 1, 1};
}

// The way the bullets fly: their flight angles relative to the facing's
// angle (or absolute), each within [lo, hi], or exactly the listed set; or
// straight at the target; or not checked (bullets that stand still or
// whose way is the bullet's own business).
struct Aim {
  enum Type { kUnchecked, kRange, kSet, kAtTarget } type = kUnchecked;
  int lo = 0, hi = 0;
  std::vector<int> set;
  bool absolute = false;
};
Aim Along(int lo = 0, int hi = 0) {
  return Aim{Aim::kRange, lo, hi, {}, false};
}
Aim Fan(std::vector<int> angles, bool absolute = false) {
  return Aim{Aim::kSet, 0, 0, std::move(angles), absolute};
}
Aim AtTarget() {
  Aim aim;
  aim.type = Aim::kAtTarget;
  return aim;
}
Aim Ring() {
  std::vector<int> angles;
  for (int a = 0; a < 256; a += 16) angles.push_back(a);
  return Fan(angles, true);
}

enum Cadence {
  kOncePerFrame,  // the volley leaves on the frame's first tick only
  kEveryTick,     // on every tick of the frame
};

struct ShotCase {
  const char* what;
  uint8_t kind, anim;
  uint8_t first, last;  // the frames it fires on; the volley checked is the first's
  int16_t rate;         // the sequence's pace as the kind starts it
  uint8_t bullet;
  int count;  // bullets in one tick's volley
  Origin from;
  Aim aim;
  int zLo = -1, zHi = -1;  // the height it leaves at, in pixels (-1: the kind's own)
  Cadence cadence = kOncePerFrame;
  bool needsTarget = false;  // holds its fire when there is nobody to shoot at
  bool heroSide = false;     // an ally: it shoots at a monster, with the hero about
};

// The shooter stands at (300, 200) facing south-east (1), so an angle read as
// a facing or a facing read as an angle shows; its target stands 100 pixels
// further along both axes, where it would face anyway.
constexpr int kX = 300, kY = 200;
constexpr uint8_t kFacing = 1;
constexpr int kFacingAngle = kFacing * 32;

class ShooterTest : public MonsterTest {
 protected:
  // The shooter and its target (and, for an ally, the hero off to one side).
  Guy* Place(const ShotCase& c, bool withTarget) {
    BuildRoom();
    ResetBullets();
    if (c.heroSide) {
      AddAtPixel(1, kX - 60, kY - 60);
      if (withTarget) AddAtPixel(19, kX + 100, kY + 100);
      Passive({1, 19});
    } else if (withTarget) {
      AddAtPixel(1, kX + 100, kY + 100);
      Passive({1});
    }
    return AddAtPixel(c.kind, kX, kY);
  }
  void PoseAt(Guy* g, const ShotCase& c, uint8_t frame) {
    Pose(g, c.anim, frame, c.rate);
    g->facing = kFacing;
    g->aiTimer = 0;
    g->aux = 0;
  }
  static std::vector<const Bullet*> BulletsOf(uint8_t kind) {
    std::vector<const Bullet*> out;
    for (int s = 0; s < kBulletPoolSize; ++s) {
      if (GetBullet(s)->kind == kind) out.push_back(GetBullet(s));
    }
    return out;
  }
  static int Relative(int angle, bool absolute) {
    int a = absolute ? angle : angle - kFacingAngle;
    a = ((a % 256) + 256) % 256;
    return a >= 128 ? a - 256 : a;
  }

  // The volley of one tick, bullet by bullet.
  void CheckVolley(const ShotCase& c, const Guy& g, const Guy* target) {
    std::vector<const Bullet*> volley = BulletsOf(c.bullet);
    ASSERT_EQ(static_cast<int>(volley.size()), c.count)
        << c.what << ": bullets of kind " << int(c.bullet);
    std::vector<int> angles;
    for (const Bullet* b : volley) {
      int flight = AngleOf(b->dx, b->dy);
      angles.push_back(Relative(flight, c.aim.absolute));
      // Where it left from.
      int fa = c.from.alongFlight ? flight : kFacingAngle;
      bool placed = false;
      for (int d : {c.from.ahead, c.from.alongFlight ? c.from.ahead2 : c.from.ahead}) {
        Fixed ex =
            g.x + d * Cosine(fa) + c.from.side * Cosine((fa + 64) & 255) + ToFixed(c.from.ox);
        Fixed ey = g.y + d * Sine(fa) + c.from.side * Sine((fa + 64) & 255) + ToFixed(c.from.oy);
        placed = placed || (std::abs(FixedToInt(b->x) - FixedToInt(ex)) <= c.from.tolX &&
                            std::abs(FixedToInt(b->y) - FixedToInt(ey)) <= c.from.tolY);
      }
      EXPECT_TRUE(placed) << c.what << ": a bullet at (" << FixedToInt(b->x) << ", "
                          << FixedToInt(b->y) << ") from (" << FixedToInt(g.x) << ", "
                          << FixedToInt(g.y) << ")";
      if (c.zLo >= 0) {
        EXPECT_GE(FixedToInt(b->z), c.zLo) << c.what;
        EXPECT_LE(FixedToInt(b->z), c.zHi) << c.what;
      }
      if (c.aim.type == Aim::kRange) {
        EXPECT_GE(angles.back(), c.aim.lo) << c.what << ": flies at angle " << flight;
        EXPECT_LE(angles.back(), c.aim.hi) << c.what << ": flies at angle " << flight;
      } else if (c.aim.type == Aim::kAtTarget) {
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(flight, AngleOf(target->x - b->x, target->y - b->y)) << c.what;
      }
    }
    if (c.aim.type == Aim::kSet) {
      std::vector<int> want;
      for (int a : c.aim.set) want.push_back(Relative(a, true));
      std::sort(want.begin(), want.end());
      std::sort(angles.begin(), angles.end());
      EXPECT_EQ(angles, want) << c.what;
    }
  }

  // The cases, one per volley. Speeds and lifetimes are the bullets' own.
  static std::vector<ShotCase> Cases() {
    std::vector<ShotCase> cases = {
        {"skeleton's star", 2, 4, 3, 3, 64, 9, 1, Ahead(16), Along()},
        {"big spider's spit", 5, 2, 6, 6, 128, 6, 1, Ahead(8), Along()},
        {"mother spider's spit", 8, 2, 5, 7, 128, 6, 3, Ahead(20, 5), Along(-16, 16)},
        {"serpent's three stars", 10, 2, 6, 6, 128, 9, 3, Ahead(8), Fan({-4, 0, 4})},
        {"pterodactyl's swoop", 12, 2, 3, 3, 128, 28, 1, Self(), AtTarget()},
        {"eye guy's bolt", 13, 2, 4, 4, 64, 29, 1, Self(), Along()},
        {"peeper's ray", 14, 2, 3, 3, 64, 30, 1, Self(), Along()},
        {"tower's mortar", 15, 4, 0, 0, 128, 16, 1, Self(), Along(32, 32)},
        {"tower's stamp", 15, 2, 12, 12, 64, 18, 1, Self(0, -1), Aim{}},
        {"lookyloo's beam", 16, 2, 9, 9, 32, 10, 1, Self(0, 40), Aim{}},
        {"pink eye's star", 17, 2, 5, 5, 128, 9, 1, Self(), Along(-16, 15)},
        {"golem's shockwave", 20, 2, 5, 5, 128, 35, 1, Ahead(32), Aim{}},
        {"moss ground's ring", 22, 2, 11, 11, 128, 9, 16, Self(), Ring()},
        // The fireball's own start sets it 5 pixels further on, give or take one.
        {"magmazoid's fireballs", 23, 2, 6, 12, 128, 13, 1, Ahead(21, 2), Along()},
        {"shroom's ring", 24, 2, 5, 5, 64, 14, 16, Self(), Ring()},
        {"big shroom's pod", 25, 2, 1, 1, 64, 15, 1, Self(32, 0), Along()},
        {"big shroom's spores", 25, 4, 1, 15, 256, 14, 1, Self(-32, 0), Along(-16, 16)},
        {"bobby's boulders", 32, 7, 0, 0, 128, 30, 6, Self(0, 30), Aim{}, 30, 30},
        {"snow guy's snowball", 33, 4, 11, 11, 128, 21, 1, Ahead(32), Along()},
        {"yeti's snowball", 36, 2, 7, 7, 128, 21, 1, AheadRight(64, 32), Along(), 40, 40},
        {"blue yeti's ice", 37, 4, 5, 6, 128, 22, 1, Ahead(64), Aim{}},
        {"geozoid's rock", 38, 2, 6, 6, 128, 23, 1, Ahead(8), Along()},
        {"mechagorvash's shot", 46, 2, 4, 4, 64, 25, 1, Self(), Along()},
        {"sphinx's rocks", 49, 4, 12, 12, 64, 23, 10, Self(0, 40), Aim{}, 60, 60},
        {"freakazoid's spit", 50, 2, 6, 6, 128, 24, 1, Ahead(8), Along(-16, 16)},
        {"ultrazoid's stars", 56, 2, 6, 7, 72, 9, 5, Self(0, 30), Aim{}, 60, 60},
        {"ultrazoid's fireballs", 56, 2, 6, 7, 72, 13, 3, Self(0, 30), Aim{}, 60, 60},
        {"ultrazoid's rocks", 56, 2, 6, 7, 72, 23, 4, Self(0, 30), Aim{}, 60, 60},
        {"ultrazoid's snowballs", 56, 2, 6, 7, 72, 21, 3, Self(0, 30), Aim{}, 60, 60},
        {"ultrazoid's needles", 56, 2, 6, 7, 72, 24, 9, Self(0, 30),
         Fan({28, 38, 48, 58, 68, 78, 88, 98, 108}, true), 60, 60},
        {"sdzl's globs", 58, 5, 12, 12, 64, 16, 5, Self(0, 20), Aim{}, 60, 60},
    };
    // The shroom lord's fan: spores from 32 and 24 pixels out along their
    // own ways, every 12 steps across the front on frame 6.
    ShotCase lord{"shroom lord's spores", 18, 2,  6,         8, 128, 14, 12, Self(),
                  Along(-32, 32),         -1, -1, kEveryTick};
    lord.from.ahead = 32;
    lord.from.ahead2 = 24;
    lord.from.alongFlight = true;
    cases.push_back(lord);
    cases.push_back(
        {"boiler's lava", 54, 2, 3, 10, 64, 13, 3, Self(52, 0, 16), Aim{}, 50, 50, kEveryTick});
    cases.push_back(
        {"bobby's quake", 32, 6, 9, 10, 128, 23, 15, Self(0, 0, 400), Aim{}, 160, 199, kEveryTick});
    cases.push_back({"cactus's needles", 42, 2, 3, 3, 64, 24, 12, Self(),
                     Fan({-55, -45, -35, -25, -15, -5, 5, 15, 25, 35, 45, 55}), -1, -1,
                     kOncePerFrame, true});
    for (ShotCase& c : cases) {
      if (c.kind == 2 || c.kind == 8 || c.kind == 33 || c.kind == 12) c.needsTarget = true;
      if (c.kind == 8) c.cadence = kEveryTick;
      if (c.kind == 12) c.heroSide = true;
      if (c.kind == 20) c.heroSide = true;
    }
    return cases;
  }
};

TEST_F(ShooterTest, EachVolleyLeavesFromItsPointTheRightWay) {
  for (const ShotCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    Guy* g = Place(c, true);
    ASSERT_NE(g, nullptr);
    ASSERT_GT(KindSequenceLength(c.kind, c.anim), c.last) << "the sequence is too short";
    PoseAt(g, c, c.first);
    Think(g);
    CheckVolley(c, *g, NearestFoe(*g));
  }
}

TEST_F(ShooterTest, AVolleyLeavesOncePerFrameOrOncePerTickAsTheKindFires) {
  for (const ShotCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    Guy* g = Place(c, true);
    ASSERT_NE(g, nullptr);
    PoseAt(g, c, c.first);
    Think(g);
    int fired = static_cast<int>(BulletsOf(c.bullet).size());
    ASSERT_EQ(fired, c.count);
    // The frame's later ticks: the accumulator gathers the rate each tick
    // and the frame turns once it passes 255.
    for (int k = 1; k * c.rate <= 255; ++k) {
      g->animAccum = static_cast<uint16_t>(k * c.rate);
      g->facing = kFacing;
      Think(g);
      int now = static_cast<int>(BulletsOf(c.bullet).size());
      EXPECT_EQ(now - fired, c.cadence == kEveryTick ? c.count : 0) << "tick " << k + 1;
      fired = now;
    }
  }
}

TEST_F(ShooterTest, NoVolleyLeavesOnAnyOtherFrame) {
  for (const ShotCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    Guy* g = Place(c, true);
    ASSERT_NE(g, nullptr);
    int length = KindSequenceLength(c.kind, c.anim);
    for (int frame = 0; frame < length; ++frame) {
      if (frame >= c.first && frame <= c.last) continue;
      if (c.kind == 15 && c.anim == 4) continue;  // the mortar fires on every frame
      ResetBullets();
      PoseAt(g, c, static_cast<uint8_t>(frame));
      Think(g);
      EXPECT_EQ(BulletsOf(c.bullet).size(), 0u) << "frame " << frame;
    }
  }
}

// Every frame a routine strikes, fires, spawns, shakes, turns or ends
// something on must be a frame its kind's sequence shows; a shorter
// sequence would skip the beat (and, where the beat sets the cooldown, let
// the action repeat without a pause).
TEST(BehaviourFrames, EveryFrameARoutineActsOnIsInItsSequence) {
  struct Beat {
    uint8_t kind, anim, frame;
  } beats[] = {
      {2, 2, 3},   {2, 4, 3},   {3, 2, 2},   {3, 4, 2},   {4, 2, 2},   {5, 2, 6},   {6, 2, 12},
      {7, 2, 18},  {8, 2, 7},   {8, 4, 2},   {9, 2, 6},   {10, 2, 6},  {12, 2, 3},  {13, 2, 4},
      {14, 2, 3},  {15, 2, 12}, {16, 2, 18}, {16, 3, 4},  {17, 2, 5},  {17, 3, 8},  {18, 2, 8},
      {18, 3, 1},  {20, 2, 5},  {20, 3, 4},  {21, 1, 4},  {21, 2, 4},  {22, 2, 11}, {23, 2, 13},
      {24, 2, 5},  {25, 2, 1},  {25, 4, 15}, {26, 3, 14}, {29, 2, 2},  {29, 3, 8},  {30, 2, 1},
      {31, 2, 2},  {32, 2, 5},  {32, 3, 8},  {32, 5, 11}, {32, 6, 10}, {32, 7, 0},  {33, 2, 3},
      {33, 4, 11}, {34, 2, 4},  {35, 1, 1},  {35, 3, 8},  {36, 2, 7},  {36, 3, 4},  {36, 5, 4},
      {37, 4, 6},  {38, 2, 6},  {39, 1, 11}, {39, 2, 5},  {40, 2, 5},  {41, 2, 18}, {42, 2, 3},
      {44, 2, 1},  {45, 2, 5},  {46, 2, 7},  {46, 4, 7},  {47, 2, 6},  {48, 2, 6},  {49, 2, 2},
      {49, 4, 12}, {50, 2, 6},  {54, 2, 10}, {56, 2, 7},  {57, 3, 15}, {58, 2, 13}, {58, 5, 12},
      {58, 6, 8},  {59, 2, 8},
  };
  for (const Beat& b : beats) {
    EXPECT_GT(KindSequenceLength(b.kind, b.anim), b.frame)
        << "kind " << int(b.kind) << " sequence " << int(b.anim);
  }
}

TEST_F(ShooterTest, TheTowersMortarFiresOnEveryFrameSwingingRound) {
  BuildRoom();
  AddAtPixel(1, kX + 100, kY + 100);
  Passive({1});
  Guy* tower = AddAtPixel(15, kX, kY);
  StartAction(*tower, 4, 128);
  tower->facing = 0;
  int length = KindSequenceLength(15, 4);
  ASSERT_GE(length, 2);
  std::vector<int> flights;
  for (int tick = 0; tick < 2 * length && tower->anim == 4; ++tick) {
    int before = static_cast<int>(BulletsOf(16).size());
    uint8_t facing = tower->facing;
    bool first = tower->animAccum < tower->animRate;
    Run(1);
    std::vector<const Bullet*> shells = BulletsOf(16);
    if (!first) {
      EXPECT_EQ(static_cast<int>(shells.size()), before) << "tick " << tick;
      continue;
    }
    ASSERT_EQ(static_cast<int>(shells.size()), before + 1) << "tick " << tick;
    EXPECT_EQ(tower->facing, (facing + 1) & 7) << "it turns a step clockwise with each shell";
  }
  EXPECT_EQ(static_cast<int>(BulletsOf(16).size()), length);
}

TEST_F(ShooterTest, TheLookyloosBeamHangsFromItsEye) {
  BuildRoom();
  Guy* eye = AddAtPixel(16, kX, kY);
  Pose(eye, 2, 9, 32);
  Think(eye);
  std::vector<const Bullet*> beams = BulletsOf(10);
  ASSERT_EQ(beams.size(), 1u);
  EXPECT_EQ(beams[0]->target, eye->slot);
}

TEST_F(ShooterTest, ThoseThatShootAtSomebodyHoldTheirFireWithNobodyThere) {
  for (const ShotCase& c : Cases()) {
    if (!c.needsTarget) continue;
    SCOPED_TRACE(c.what);
    Guy* g = Place(c, false);
    ASSERT_NE(g, nullptr);
    PoseAt(g, c, c.first);
    Think(g);
    EXPECT_EQ(BulletsOf(c.bullet).size(), 0u);
  }
}

}  // namespace
}  // namespace torvel::testing
