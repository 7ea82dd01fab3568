// The hero's golem and its three modes, the roller going round its room
// clockwise, the zomboni parked and driving, and the centipede's segments
// following the one ahead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "actors/guys.h"
#include "actors/particles.h"
#include "common/trig.h"
#include "monster_fixture.h"
#include "support/sound_probe.h"

namespace torvel::testing {
namespace {

constexpr uint8_t kSkeleton = 2;
constexpr uint8_t kFriendly = 11;
constexpr uint8_t kGolem = 20;
constexpr uint8_t kZomboni = 35;
constexpr uint8_t kRoller = 43;
constexpr uint8_t kSegment = 51;
constexpr uint8_t kCentipede = 52;

class GroundTest : public MonsterTest {
 protected:
  // A 64 x 64 map, open but for its rim.
  void BuildBigRoom() {
    BuildMap({"."}, 64);
    for (int y = 1; y < 63; ++y) {
      for (int x = 1; x < 63; ++x) At(x, y).wall = 0;
    }
  }
  static int CountParticles(uint8_t type) {
    int n = 0;
    for (int s = 0; s < ParticlePoolSize(); ++s) {
      n += GetParticle(s)->life > 0 && GetParticle(s)->type == type;
    }
    return n;
  }
  // Speed s along the guy's facing.
  static bool MovesAlongFacing(const Guy* g, int32_t s) {
    return g->dx == s * Cosine(g->facing * 32) && g->dy == s * Sine(g->facing * 32);
  }
};

// One think of the golem in each mode, with the hero straight below it and
// an enemy off to its right: the mode it goes on in, whether it punches
// (with its cry), and whether it walks or stands this tick.
TEST_F(GroundTest, TheGolemFightsReturnsToTheHeroAndGuards) {
  enum Mode : uint8_t { kFight = 0, kReturn = 1, kGuardMode = 2 };
  struct Case {
    const char* what;
    uint8_t mode;
    int hero;         // pixels below
    uint8_t foe;      // 0 none
    int foeDistance;  // pixels to the right
    uint8_t cooldown;
    uint8_t then;
    bool punches;
  } cases[] = {
      {"fights an enemy in reach", kFight, 200, kSkeleton, 300, 0, kFight, false},
      {"an enemy too far sends it back", kFight, 200, kSkeleton, 301, 0, kReturn, false},
      {"fights with the hero at the edge of its leash", kFight, 512, kSkeleton, 100, 0, kFight,
       false},
      {"a hero too far sends it back", kFight, 513, kSkeleton, 100, 0, kReturn, false},
      {"nobody to fight", kFight, 200, 0, 0, 0, kReturn, false},
      {"the friendly is nobody to fight", kFight, 200, kFriendly, 50, 0, kReturn, false},
      {"punches an enemy close by", kFight, 200, kSkeleton, 96, 0, kFight, true},
      {"too far to punch", kFight, 200, kSkeleton, 97, 0, kFight, false},
      {"holds its punch while cooling down", kFight, 200, kSkeleton, 50, 5, kFight, false},
      {"still on its way back", kReturn, 129, kSkeleton, 100, 0, kReturn, false},
      {"back with an enemy about", kReturn, 128, kSkeleton, 300, 0, kFight, false},
      {"back with an enemy too far to matter", kReturn, 128, kSkeleton, 301, 0, kGuardMode, false},
      {"back with nobody about", kReturn, 128, 0, 0, 0, kGuardMode, false},
      {"guards while all is quiet", kGuardMode, 256, 0, 0, 0, kGuardMode, false},
      {"leaves its guard to fight", kGuardMode, 100, kSkeleton, 300, 0, kFight, false},
      {"follows the hero off", kGuardMode, 257, 0, 0, 0, kReturn, false},
  };
  constexpr int kX = 600, kY = 600;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildBigRoom();
    Guy* golem = AddAtPixel(kGolem, kX, kY);
    AddAtPixel(1, kX, kY + c.hero);
    if (c.foe) AddAtPixel(c.foe, kX + c.foeDistance, kY);
    golem->aiState = c.mode;
    golem->cooldown = c.cooldown;
    golem->facing = 2;
    ForgetSounds();
    Think(golem);
    EXPECT_EQ(golem->aiState, c.then);
    std::vector<HeardSound> heard = HeardSounds();
    if (c.punches) {
      EXPECT_EQ(golem->anim, 2);
      EXPECT_EQ(golem->animRate, 128);
      EXPECT_EQ(golem->busy, 1);
      ASSERT_EQ(heard.size(), 1u);
      EXPECT_EQ(heard[0].number, 185);
      EXPECT_TRUE(heard[0].At(kX, kY, 1200)) << heard[0];
      continue;
    }
    EXPECT_EQ(golem->busy, 0);
    EXPECT_TRUE(heard.empty());
    if (c.mode == kGuardMode) {
      EXPECT_EQ(golem->dx, 0);
      EXPECT_EQ(golem->dy, 0);
    } else {
      EXPECT_TRUE(MovesAlongFacing(golem, 2)) << "facing " << int{golem->facing};
    }
  }
}

// It turns toward whom it follows one step at a time, with at least four
// ticks between two turns.
TEST_F(GroundTest, TheGolemTurnsEveryFewTicksOneStepAtATime) {
  BuildBigRoom();
  Guy* golem = AddAtPixel(kGolem, 600, 600);
  AddAtPixel(1, 600, 600 - 400);  // due north
  golem->aiState = 1;
  golem->facing = 2;  // south: the long way round, by the west
  std::vector<int> turnedAt;
  int facing = golem->facing;
  for (int t = 0; t < 20; ++t) {
    Think(golem);
    if (golem->facing == facing) continue;
    EXPECT_EQ(golem->facing, facing + 1) << "one step, tick " << t;
    facing = golem->facing;
    turnedAt.push_back(t);
  }
  EXPECT_EQ(facing, 6);
  ASSERT_EQ(turnedAt.size(), 4u);
  EXPECT_EQ(turnedAt[0], 0);
  for (size_t i = 1; i < turnedAt.size(); ++i) EXPECT_GE(turnedAt[i] - turnedAt[i - 1], 4);
}

TEST_F(GroundTest, TheGolemCrumblesAwayWithoutAHero) {
  BuildBigRoom();
  Guy* golem = AddAtPixel(kGolem, 600, 600);
  AddAtPixel(kSkeleton, 650, 600);
  Think(golem);
  EXPECT_EQ(golem->kind, 0);
}

// Along each of its four facings at speed 4, with that facing's sequence.
TEST_F(GroundTest, TheRollerRollsStraightWithASequenceForEachWay) {
  struct Case {
    uint8_t facing;
    uint8_t anim;
  } cases[] = {{0, 4}, {2, 1}, {4, 5}, {6, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int{c.facing});
    BuildRoom();
    Guy* roller = Add(kRoller, 10, 10);
    EXPECT_EQ(roller->facing, 2) << "it starts facing south";
    roller->facing = c.facing;
    Think(roller);
    EXPECT_EQ(roller->facing, c.facing);
    EXPECT_EQ(roller->anim, c.anim);
    EXPECT_EQ(roller->animFrame, 0);
    EXPECT_TRUE(MovesAlongFacing(roller, 4));
  }
}

// Rolling into the walls of its room, it turns a quarter clockwise at each
// with a thud, and so goes round and round.
TEST_F(GroundTest, TheRollerTurnsClockwiseOffEveryWall) {
  BuildRoom();
  Guy* roller = Add(kRoller, 10, 10);
  std::vector<int> facings{roller->facing};
  int thuds = 0;
  for (int t = 0; t < 600 && facings.size() < 6; ++t) {
    ForgetSounds();
    Tick();
    for (const HeardSound& s : HeardSounds()) {
      EXPECT_EQ(s.number, 130);
      EXPECT_EQ(s.priority, 800);
      ++thuds;
    }
    if (roller->facing != facings.back()) facings.push_back(roller->facing);
  }
  EXPECT_EQ(facings, (std::vector<int>{2, 4, 6, 0, 2, 4}));
  EXPECT_EQ(thuds, 5);
}

// Whoever its square of 40 meets is crushed for 128.
TEST_F(GroundTest, TheRollerCrushesWhatItsSquareMeets) {
  for (bool touching : {true, false}) {
    SCOPED_TRACE(touching ? "touching" : "a pixel off");
    BuildRoom();
    Guy* roller = Add(kRoller, 10, 10);
    roller->facing = 6;
    Player().lifeMax = 200;
    Guy* hero = Hero(2, 10);
    hero->x = roller->x + ToFixed(40 - hero->boxLeft + (touching ? 0 : 1));
    ForgetSounds();
    Think(roller);
    EXPECT_EQ(hero->life, touching ? 200 - 128 : 200);
    std::vector<HeardSound> heard = HeardSounds();
    ASSERT_EQ(heard.size(), touching ? 1u : 0u);
    if (touching) {
      EXPECT_EQ(heard[0].number, 130);
      EXPECT_EQ(heard[0].priority, 1000);
    }
  }
}

// Parked until the hero comes within 400 or it is hurt.
TEST_F(GroundTest, TheZomboniStaysParkedUntilTheHeroNearsOrItIsHurt) {
  struct Case {
    const char* what;
    int hero;  // pixels to the right
    bool hurt;
    bool drives;
  } cases[] = {
      {"the hero far off", 401, false, false},
      {"the hero near", 400, false, true},
      {"hurt from afar", 700, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildBigRoom();
    Guy* zomboni = AddAtPixel(kZomboni, 600, 600);
    AddAtPixel(1, 600 + c.hero, 600);
    if (c.hurt) zomboni->hurtTimer = 4;
    for (int t = 0; t < 3; ++t) Think(zomboni);
    EXPECT_EQ(zomboni->aiState, c.drives ? 1 : 0);
    if (c.drives) {
      EXPECT_TRUE(MovesAlongFacing(zomboni, 6));
      EXPECT_EQ(zomboni->anim, 1);
      EXPECT_EQ(zomboni->animRate, 256);
    } else {
      EXPECT_EQ(zomboni->dx, 0);
      EXPECT_EQ(zomboni->dy, 0);
    }
  }
}

// Driving, it turns one step toward the hero once in eight ticks.
TEST_F(GroundTest, TheZomboniTurnsOnlyEveryEighthTick) {
  BuildBigRoom();
  Guy* zomboni = AddAtPixel(kZomboni, 600, 600);
  AddAtPixel(1, 600, 900);  // due south
  zomboni->aiState = 1;
  zomboni->facing = 6;
  zomboni->cooldown = 0;
  std::vector<int> facings;
  for (int t = 0; t < 17; ++t) {
    Think(zomboni);
    facings.push_back(zomboni->facing);
  }
  // From north round to south, the way down the facings on a tie.
  EXPECT_EQ(facings, (std::vector<int>{5, 5, 5, 5, 5, 5, 5, 5, 4, 4, 4, 4, 4, 4, 4, 4, 3}));
}

// On the tick its driving sequence shows frame 0 it puffs smoke from behind
// and runs over whoever is within 90; on frame 1 its engine roars.
TEST_F(GroundTest, TheZomboniRunsOverThoseUnderItOnItsFirstFrame) {
  struct Case {
    uint8_t frame;
    int hero;  // pixels ahead
    bool runsOver;
    bool smokes;
    bool roars;
  } cases[] = {
      {0, 90, true, true, false},
      {0, 91, false, true, false},
      {1, 50, false, false, true},
      {3, 50, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "frame " << int{c.frame} << ", hero " << c.hero);
    BuildBigRoom();
    InitParticles(kParticlePoolSize);
    Guy* zomboni = AddAtPixel(kZomboni, 600, 600);
    Guy* hero = AddAtPixel(1, 600 + c.hero, 600);
    zomboni->aiState = 1;
    zomboni->facing = 0;
    zomboni->cooldown = 3;  // no turn this tick
    zomboni->anim = 1;
    zomboni->animFrame = c.frame;
    zomboni->animRate = 256;
    zomboni->animAccum = 0;
    const Fixed heroX = hero->x;
    ForgetSounds();
    Think(zomboni);
    EXPECT_EQ(hero->life, c.runsOver ? 128 - 10 : 128);
    EXPECT_EQ(hero->x - heroX, c.runsOver ? 12 * Cosine(0) : 0);
    EXPECT_EQ(CountParticles(kParticleSpark), c.smokes ? 1 : 0);
    if (c.smokes) {
      const Particle* puff = nullptr;
      for (int s = 0; s < ParticlePoolSize(); ++s) {
        if (GetParticle(s)->life > 0) puff = GetParticle(s);
      }
      ASSERT_NE(puff, nullptr);
      EXPECT_EQ(puff->x, zomboni->x - 32 * Cosine(0));
      EXPECT_EQ(puff->y, zomboni->y);
      EXPECT_EQ(puff->z, ToFixed(40));
    }
    std::vector<HeardSound> heard = HeardSounds();
    ASSERT_EQ(heard.size(), c.roars ? 1u : 0u);
    if (c.roars) {
      EXPECT_EQ(heard[0].number, 108);
      EXPECT_EQ(heard[0].priority, 1500);
    }
  }
}

// A segment hurries after the one ahead: 2 pixels a tick faster on each axis
// toward it, up to 6, facing the way it goes; with the one ahead dead, it
// stops.
TEST_F(GroundTest, ACentipedeSegmentHurriesAfterTheOneAhead) {
  struct Case {
    const char* what;
    int dx, dy;  // where the one ahead is, in pixels
    int thinks;
    int vx, vy;  // pixels a tick afterwards
    uint8_t facing;
  } cases[] = {
      {"ahead to the east", 100, 0, 1, 2, 0, 0},
      {"ahead to the south-west", -100, 100, 1, -2, 2, 3},
      {"ahead to the north", 0, -100, 2, 0, -4, 6},
      {"up to its top speed", 200, 200, 5, 6, 6, 1},
      {"right on it", 0, 0, 1, 0, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildBigRoom();
    Passive({kSkeleton});
    Guy* ahead = AddAtPixel(kSkeleton, 600 + c.dx, 600 + c.dy);
    Guy* segment = AddAtPixel(kSegment, 600, 600);
    segment->parent = ahead;
    for (int t = 0; t < c.thinks; ++t) Think(segment);
    EXPECT_EQ(segment->dx, ToFixed(c.vx));
    EXPECT_EQ(segment->dy, ToFixed(c.vy));
    EXPECT_EQ(segment->facing, c.facing);

    // The one ahead dies: the segment stops where it is.
    HurtGuy(ahead, 0, 0, 1000, map(), world());
    Think(segment);
    EXPECT_EQ(segment->dx, 0);
    EXPECT_EQ(segment->dy, 0);
  }
}

// Whoever a segment comes within 44 of is hurt by 4 and shoved across the
// segment's way; then it waits five ticks.
TEST_F(GroundTest, ACentipedeSegmentShovesWhomItBrushesAside) {
  BuildBigRoom();
  Passive({kSkeleton});
  Guy* ahead = AddAtPixel(kSkeleton, 900, 600);
  Guy* segment = AddAtPixel(kSegment, 600, 600);
  segment->parent = ahead;
  segment->dx = ToFixed(4);
  segment->cooldown = 0;
  Guy* hero = AddAtPixel(1, 640, 604);
  const Fixed heroX = hero->x, heroY = hero->y;
  Think(segment);
  EXPECT_EQ(hero->life, 128 - 4);
  EXPECT_EQ(hero->x - heroX, segment->dy);
  EXPECT_EQ(hero->y - heroY, -segment->dx);
  EXPECT_EQ(segment->cooldown, 5);
  for (int t = 0; t < 5; ++t) Think(segment);
  EXPECT_EQ(hero->life, 128 - 8) << "once more after five ticks";
}

// The whole centipede crawling about its room for twenty seconds: every
// segment keeps close behind the one ahead of it.
TEST_F(GroundTest, TheCentipedeCrawlsInOneLine) {
  BuildBigRoom();
  Guy* head = AddAtPixel(kCentipede, 1000, 700);
  std::vector<Guy*> chain{head};
  for (int s = 0; s < GuyPoolSize(); ++s) {
    if (GetGuy(s)->kind == kSegment) chain.push_back(GetGuy(s));
  }
  ASSERT_EQ(chain.size(), 16u);
  for (size_t i = 1; i < chain.size(); ++i) ASSERT_EQ(chain[i]->parent, chain[i - 1]);
  int32_t widest = 0;
  int32_t headMoved = 0;
  for (int t = 0; t < 600; ++t) {
    const Fixed hx = head->x, hy = head->y;
    Tick();
    headMoved += std::abs(FixedToInt(head->x - hx)) + std::abs(FixedToInt(head->y - hy));
    for (size_t i = 1; i < chain.size(); ++i) {
      int32_t gap =
          std::abs(Px(chain[i]) - Px(chain[i - 1])) + std::abs(Py(chain[i]) - Py(chain[i - 1]));
      widest = std::max(widest, gap);
    }
  }
  EXPECT_GT(headMoved, 300) << "the head went about the room";
  // Each swings about the one ahead, overshooting by what it takes to turn
  // from its top speed, but never falls behind.
  EXPECT_LE(widest, 80);
}

}  // namespace
}  // namespace torvel::testing
