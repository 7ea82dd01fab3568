// Kind 32, the castle's great boss: the attacks it may choose from where the
// hero stands, the guard that blocks hits in the middle of its sequence, and
// the guard it raises when stung.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "actors/guys.h"
#include "monster_fixture.h"
#include "support/sound_probe.h"

namespace torvel::testing {
namespace {

constexpr uint8_t kBobby = 32;
constexpr int kBx = 1000, kBy = 700;  // its place in a 64 x 64 room
constexpr uint8_t kSlam = 2, kWalk = 1, kGuard = 4, kSweep = 5, kQuake = 6, kBlock = 7;

class BobbyTest : public MonsterTest {
 protected:
  void SetUp() override {
    MonsterTest::SetUp();
    BuildMap({"."}, 64);
    for (int y = 1; y < 63; ++y) {
      for (int x = 1; x < 63; ++x) At(x, y).wall = 0;
    }
  }
  // Bobby standing free to choose, its cooldown spent.
  static void Ready(Guy* bobby) {
    bobby->anim = 0;
    bobby->animFrame = 0;
    bobby->animAccum = 0;
    bobby->animRate = 128;
    bobby->busy = 0;
    bobby->cooldown = 0;
    bobby->aux = 0;
    bobby->hurtTimer = 0;
    bobby->facing = 2;
    bobby->dx = bobby->dy = 0;
  }
};

// What it starts, think after think, with the hero at an offset: an attack
// of the class the hero's place gives, or else it walks. Each attack starts
// with its cry, its cooldown and standing still.
TEST_F(BobbyTest, ItsAttacksDependOnWhereTheHeroStands) {
  struct Case {
    const char* what;
    int dx, dy;  // the hero from bobby, in pixels
    std::set<uint8_t> starts;
  } cases[] = {
      {"near, level", 100, 0, {kSweep}},
      {"near, above", 0, -150, {kSweep}},
      {"near, right below", 0, 100, {kSlam, kSweep}},
      {"near, below within 64 across", 63, 100, {kSlam, kSweep}},
      {"near, below 64 across", 64, 100, {kSweep}},
      {"near, below 64 to the left", -64, 100, {kSweep}},
      {"just near", 179, 0, {kSweep}},
      {"middling, level", 180, 0, {kQuake}},
      {"middling, above", -40, -250, {kQuake}},
      {"middling, below off to the side", 150, 100, {kQuake, kGuard}},
      {"middling, right below", 30, 200, {kSlam, kQuake, kGuard}},
      {"just middling, below", 0, 299, {kSlam, kQuake, kGuard}},
      {"far, below", 0, 300, {kQuake, kSweep}},
      {"far, level", 400, 0, {kQuake, kSweep}},
  };
  struct Attack {
    uint8_t anim;
    int sound;  // -1 none
    uint8_t cooldown;
  };
  const Attack attacks[] = {
      {kSlam, 190, 30}, {kQuake, 191, 60}, {kGuard, -1, 30}, {kSweep, 192, 60}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildMap({"."}, 64);
    for (int y = 1; y < 63; ++y) {
      for (int x = 1; x < 63; ++x) At(x, y).wall = 0;
    }
    Guy* bobby = AddAtPixel(kBobby, kBx, kBy);
    AddAtPixel(1, kBx + c.dx, kBy + c.dy);
    std::set<uint8_t> started;
    for (int trial = 0; trial < 1000; ++trial) {
      Ready(bobby);
      bobby->aux = 5;  // an attack clears it, a guard keeps it
      ForgetSounds();
      Think(bobby);
      std::vector<int> heard = HeardNumbers();
      if (bobby->anim == kWalk) {
        EXPECT_EQ(bobby->busy, 0);
        EXPECT_TRUE(heard.empty());
        continue;
      }
      started.insert(bobby->anim);
      EXPECT_EQ(bobby->busy, 1);
      EXPECT_EQ(bobby->dx, 0);
      EXPECT_EQ(bobby->dy, 0);
      for (const Attack& a : attacks) {
        if (a.anim != bobby->anim) continue;
        EXPECT_EQ(bobby->cooldown, a.cooldown) << "anim " << int{a.anim};
        EXPECT_EQ(bobby->aux, a.anim == kGuard ? 5 : 0) << "anim " << int{a.anim};
        EXPECT_EQ(heard, a.sound < 0 ? std::vector<int>{} : std::vector<int>{a.sound})
            << "anim " << int{a.anim};
      }
    }
    EXPECT_EQ(started, c.starts);
  }
}

// On frames 2 to 10 of its guard a hit is blocked: no damage, the block
// sequence with its clang, the guard's frame kept; a hit while it blocks is
// ignored; and the block hands back to the guard where it left off.
TEST_F(BobbyTest, TheGuardBlocksHitsOnItsMiddleFrames) {
  struct Case {
    uint8_t anim, frame;
    bool blocked;
  } cases[] = {{kGuard, 0, false},  {kGuard, 1, false}, {kGuard, 2, true},
               {kGuard, 6, true},   {kGuard, 10, true}, {kGuard, 11, false},
               {kGuard, 12, false}, {kSweep, 5, false}, {0, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "anim " << int{c.anim} << " frame " << int{c.frame});
    BuildRoom();
    Guy* bobby = Add(kBobby, 10, 10);
    Pose(bobby, c.anim, c.frame);
    const int32_t life = bobby->life;
    ForgetSounds();
    HurtGuy(bobby, 0, 0, 5, map(), world());
    std::vector<HeardSound> heard = HeardSounds();
    if (!c.blocked) {
      EXPECT_EQ(bobby->life, life - 5);
      EXPECT_EQ(bobby->anim, c.anim);
      EXPECT_TRUE(heard.empty());
      continue;
    }
    EXPECT_EQ(bobby->life, life);
    EXPECT_EQ(bobby->hurtTimer, 0);
    EXPECT_EQ(bobby->anim, kBlock);
    EXPECT_EQ(bobby->animFrame, 0);
    EXPECT_EQ(bobby->animRate, 128);
    EXPECT_EQ(bobby->aux, c.frame);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].number, 193);
    EXPECT_TRUE(heard[0].At(Px(bobby), Py(bobby), 1200)) << heard[0];

    // Blocking, it shrugs every hit off, silently.
    ForgetSounds();
    HurtGuy(bobby, 0, 0, 5, map(), world());
    EXPECT_EQ(bobby->life, life);
    EXPECT_EQ(bobby->aux, c.frame);
    EXPECT_TRUE(HeardSounds().empty());

    // With nobody to fight it only plays its sequences out.
    int ticks = 0;
    while (bobby->anim == kBlock && ticks < 100) {
      Tick();
      ++ticks;
    }
    EXPECT_EQ(bobby->anim, kGuard);
    EXPECT_EQ(bobby->animFrame, c.frame);
  }
}

// Stung while free to choose, it may raise its guard (and then not again
// until that guard is over); a hit of ticks ago, a cooldown still running or
// a guard already raised by a hit leave it to walk on. The hero stands level
// and near, where no attack but the sweep is ever chosen.
TEST_F(BobbyTest, AFreshHitMayRaiseItsGuard) {
  struct Case {
    const char* what;
    uint8_t hurtTimer;
    uint8_t aux;
    uint8_t cooldown;
    bool guards;
  } cases[] = {
      {"hit this tick", 4, 0, 0, true},      {"hit a tick ago", 3, 0, 0, true},
      {"hit two ticks ago", 2, 0, 0, false}, {"its guard up from a hit", 4, 1, 0, false},
      {"cooling down", 4, 0, 5, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildRoom();
    Guy* bobby = Add(kBobby, 5, 10);
    Hero(8, 10);
    int guards = 0;
    for (int trial = 0; trial < 400; ++trial) {
      Ready(bobby);
      bobby->hurtTimer = c.hurtTimer;
      bobby->aux = c.aux;
      bobby->cooldown = c.cooldown;
      Think(bobby);
      if (bobby->anim == kSweep) continue;
      if (bobby->anim == kGuard) {
        ++guards;
        EXPECT_EQ(bobby->busy, 1);
        EXPECT_EQ(bobby->cooldown, 60);
        EXPECT_EQ(bobby->aux, 1);
        continue;
      }
      EXPECT_EQ(bobby->anim, kWalk);
    }
    EXPECT_EQ(guards > 0, c.guards) << guards << " guards";
    // One in four of the hits that come while it is free.
    if (c.guards) {
      EXPECT_NEAR(guards, 100, 40);
    }
  }
}

}  // namespace
}  // namespace torvel::testing
