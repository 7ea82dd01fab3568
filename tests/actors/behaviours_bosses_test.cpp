// The bosses and the big guards: each signature attack lands with its
// effect (the screen shakes, rocks rain, the blow hurts and flings), and
// each death ends as it must (the world won, a movie, a second shape, a
// chain of explosions, smoke).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "actors/behaviours_shared.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "common/trig.h"
#include "monster_fixture.h"
#include "shell/play_loop.h"
#include "support/sound_probe.h"

namespace torvel::testing {
namespace {

constexpr int kX = 320, kY = 160;

class BossTest : public MonsterTest {
 protected:
  void SetUp() override {
    MonsterTest::SetUp();
    BuildBigRoom();
    PostMapEvent(kEventNone);
  }
  // A 64 x 64 map, open but for its rim: room for the widest attacks.
  void BuildBigRoom() {
    BuildMap({"."}, 64);
    for (int y = 1; y < 63; ++y) {
      for (int x = 1; x < 63; ++x) At(x, y).wall = 0;
    }
  }
  static int CountBulletsIn(uint8_t kind, int zLo, int zHi) {
    int n = 0;
    for (int s = 0; s < kBulletPoolSize; ++s) {
      const Bullet* b = GetBullet(s);
      n += b->kind == kind && FixedToInt(b->z) >= zLo && FixedToInt(b->z) <= zHi;
    }
    return n;
  }
  static int CountParticles(uint8_t type) {
    int n = 0;
    for (int s = 0; s < ParticlePoolSize(); ++s) {
      n += GetParticle(s)->life > 0 && GetParticle(s)->type == type;
    }
    return n;
  }
};

// Each signature attack, posed on the frame it strikes on with the hero
// where it reaches: the shake it sets, the bullets it brings down, the hurt
// it does and the speed it flings the hero away with.
TEST_F(BossTest, EachSignatureAttackLandsWithItsEffect) {
  struct Case {
    const char* what;
    uint8_t kind, anim, frame;
    int16_t rate;
    uint8_t facing;
    int heroX, heroY;  // relative to the boss
    int shake;
    uint8_t bullet;  // 0: none
    int bullets;     // at least, within the heights below
    int zLo, zHi;
    int damage;          // to the hero
    int flingX, flingY;  // the hero's speed after the blow (pixels per tick; -1 not checked)
    int sound;           // heard at the blow (-1: none checked)
  } cases[] = {
      {"tower's stamp", 15, 2, 12, 64, 2, 300, 0, 10, 18, 1, 0, 0, 0, 0, 0, 12},
      {"yeti's roar", 36, 5, 4, 64, 2, 300, 0, 3, 0, 0, 0, 0, 0, 0, 0, -1},
      {"bobby's quake", 32, 6, 9, 128, 2, 250, 0, 30, 23, 15, 160, 199, 0, 0, 0, 148},
      {"bobby's slam", 32, 2, 5, 64, 2, -28, 100, 0, 0, 0, 0, 0, 64, 0, 12, -1},
      {"bobby's sweep", 32, 5, 5, 128, 4, -100, -90, 0, 0, 0, 0, 0, 32, -12, 0, -1},
      {"sdzl's quake", 58, 6, 7, 64, 2, 200, 0, 30, 23, 10, 80, 119, 0, 0, 0, 148},
      {"sdzl's tail", 58, 2, 9, 64, 2, 50, 10, 0, 0, 0, 0, 0, 25, 0, 0, -1},
      // The paws come down left and right of the chest: the hero right
      // below is swatted on south by either; one off to the left only by
      // the left paw, though the right one still shakes the ground.
      {"left arm's smash", 47, 2, 6, 128, 2, 0, 115, 6, 0, 0, 0, 0, 30, 0, 6, 133},
      {"right arm's smash", 48, 2, 6, 128, 2, 0, 115, 6, 0, 0, 0, 0, 30, 0, 6, 133},
      {"left arm off to the left", 47, 2, 6, 128, 2, -75, 115, 6, 0, 0, 0, 0, 30, -1, -1, 133},
      {"right arm off to the left", 48, 2, 6, 128, 2, -75, 115, 6, 0, 0, 0, 0, 0, 0, 0, 133},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildBigRoom();
    ResetBullets();
    SetShake(0);
    Player().life = 128;
    Guy* hero = AddAtPixel(1, kX + c.heroX, kY + c.heroY);
    Passive({1});
    Guy* boss = AddAtPixel(c.kind, kX, kY);
    ASSERT_TRUE(hero && boss);
    ASSERT_GT(KindSequenceLength(c.kind, c.anim), c.frame);
    int heard = c.sound >= 0 ? Plays(c.sound) : 0;
    Pose(boss, c.anim, c.frame, c.rate);
    boss->facing = c.facing;
    boss->aiTimer = 0;
    boss->aux = 0;
    Think(boss);
    EXPECT_EQ(GetShake(), c.shake);
    if (c.bullet != 0) {
      EXPECT_GE(CountBulletsIn(c.bullet, c.zLo, c.zHi), c.bullets);
    }
    if (c.kind == 36) {
      // An icicle, or now and then a snowball, high overhead.
      EXPECT_EQ(CountBulletsIn(20, 400, 400) + CountBulletsIn(21, 400, 400), 1);
    }
    EXPECT_EQ(128 - hero->life, c.damage);
    if (c.damage > 0 && !(c.flingX == -1 && c.flingY == -1)) {
      // (Along a facing the speed comes from the cosine table, a hair short.)
      EXPECT_NEAR(hero->dx, ToFixed(c.flingX), 16);
      EXPECT_NEAR(hero->dy, ToFixed(c.flingY), 16);
    }
    if (c.sound >= 0) {
      EXPECT_EQ(Plays(c.sound) - heard, 1);
    }
  }
}

// "Slows by 1/n" takes 1/n of a pixel a tick off a speed, wherever it is
// said: the tower braking after its dash and stamping, the centipede's head
// (which so reaches its top speed of 5), and a flame.
TEST_F(BossTest, SlowingTakesAFixedAmountOffTheSpeedEachTick) {
  Passive({1});
  AddAtPixel(1, kX + 600, kY + 600);
  Guy* tower = AddAtPixel(15, kX, kY);
  ASSERT_NE(tower, nullptr);
  tower->aiState = 1;
  const struct {
    uint8_t frame;
    Fixed before, after;
  } brakes[] = {
      {5, ToFixed(12), ToFixed(12) - kFixedOne / 8},
      {7, ToFixed(3), ToFixed(3) - kFixedOne / 8},
      {6, kFixedOne / 16, 0},  // never past standing still
      {12, ToFixed(10), ToFixed(10) - kFixedOne / 2},
  };
  for (const auto& b : brakes) {
    Pose(tower, 2, b.frame, 64);
    tower->facing = 0;
    tower->dx = b.before;
    tower->dy = -b.before;
    Think(tower);
    EXPECT_EQ(tower->dx, b.after) << "frame " << int{b.frame};
    EXPECT_EQ(tower->dy, -b.after) << "frame " << int{b.frame};
  }

  Guy* head = AddAtPixel(52, kX, kY + 200);
  ASSERT_NE(head, nullptr);
  head->facing = 0;
  head->aiTimer = 0;
  for (int tick = 1; tick <= 12; ++tick) {
    Think(head);
    EXPECT_EQ(head->dx, std::min(ToFixed(5), tick * (kFixedOne / 2))) << "tick " << tick;
  }

  // An enemy flame fired east at 10 loses at most three quarters of a pixel
  // a tick (its nudge and its slowing); taken as a share of its speed it
  // would be down to a crawl by now.
  Bullet* flame = FireBullet(ToFixed(kX), ToFixed(kY + 400), 0, 13);
  ASSERT_NE(flame, nullptr);
  for (int tick = 0; tick < 8; ++tick) UpdateBullets(map(), world());
  ASSERT_EQ(flame->kind, 13);
  EXPECT_GE(flame->dx, ToFixed(10) - 8 * (kFixedOne * 3 / 4));
}

TEST_F(BossTest, ABlowThatSweepsThroughSeveralFramesHurtsOnce) {
  struct Case {
    const char* what;
    uint8_t kind, anim, first, last;
    int heroX, heroY;
    uint8_t facing;
  } cases[] = {
      // The sdzl's tail stays in the hero's square the whole sweep.
      {"sdzl's tail", 58, 2, 9, 13, 50, 10, 2},
      // The hero in the box of frames 3 and 10 of bobby's sweep.
      {"bobby's sweep", 32, 5, 3, 11, -20, 80, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildBigRoom();
    Guy* hero = AddAtPixel(1, kX + c.heroX, kY + c.heroY);
    Passive({1});
    Guy* boss = AddAtPixel(c.kind, kX, kY);
    Pose(boss, c.anim, c.first);
    boss->facing = c.facing;
    boss->aiTimer = 0;
    boss->aux = 0;
    int hits = 0;
    for (int frame = c.first; frame <= c.last; ++frame) {
      boss->animFrame = static_cast<uint8_t>(frame);
      boss->x = ToFixed(kX);  // the sweep carries it along; hold it in place
      boss->y = ToFixed(kY);
      hero->x = ToFixed(kX + c.heroX);
      hero->y = ToFixed(kY + c.heroY);
      hero->hurtTimer = 0;
      int32_t before = hero->life;
      Think(boss);
      hits += hero->life < before;
    }
    EXPECT_EQ(hits, 1);
  }
}

TEST_F(BossTest, TheBoilersMortarLobsFourShellsThenItBoilsOver) {
  AddAtPixel(1, kX, kY + 300);
  Passive({1});
  Guy* boiler = AddAtPixel(54, kX, kY);
  boiler->cooldown = 0;
  // Until it decides to fire: chance 1 in 16 each tick.
  for (int i = 0; i < 2000 && boiler->aiTimer == 0; ++i) {
    boiler->cooldown = 0;
    boiler->busy = 0;  // no boiling over meanwhile
    Think(boiler);
  }
  ASSERT_NE(boiler->aiTimer, 0);
  std::vector<int> firedAt;
  int ticks = 1;  // the tick that started it fired the first shell
  if (LiveBulletCount() == 1) firedAt.push_back(0);
  while (boiler->aiTimer > 0 && ticks < 40) {
    int before = CountBullets(16);
    Think(boiler);
    if (CountBullets(16) > before) firedAt.push_back(ticks);
    ++ticks;
  }
  EXPECT_EQ(firedAt, (std::vector<int>{0, 8, 16, 24}));
  EXPECT_EQ(boiler->cooldown, 80 - 24);
  for (int s = 0; s < kBulletPoolSize; ++s) {
    const Bullet* b = GetBullet(s);
    if (b->kind != 16) continue;
    EXPECT_EQ(FixedToInt(b->x), kX - 48);
    EXPECT_EQ(FixedToInt(b->y), kY + 40);
    EXPECT_GE(b->dy, 0) << "the shells go out to the front";
  }
}

TEST_F(BossTest, TheThingLobsGlobsFromEitherSideOfItsHead) {
  AddAtPixel(1, kX, kY + 300);
  Passive({1});
  Guy* thing = AddAtPixel(26, kX, kY);
  for (int i = 0; i < 4000 && CountBullets(16) == 0; ++i) {
    thing->busy = 0;
    thing->cooldown = 0;
    Think(thing);
  }
  ASSERT_EQ(CountBullets(16), 2);
  std::vector<int> xs;
  for (int s = 0; s < kBulletPoolSize; ++s) {
    const Bullet* b = GetBullet(s);
    if (b->kind != 16) continue;
    xs.push_back(FixedToInt(b->x) - kX);
    EXPECT_EQ(FixedToInt(b->y), kY - 10);
    int angle = AngleOf(b->dx, b->dy);
    EXPECT_GE(angle, 20);
    EXPECT_LE(angle, 107);
  }
  std::sort(xs.begin(), xs.end());
  EXPECT_EQ(xs, (std::vector<int>{-48, 48}));
  EXPECT_EQ(thing->cooldown, 30);
}

// Deaths, played out from the killing blow through the whole sequence.
TEST_F(BossTest, TheThingsDeathWinsTheWorldAfterItsMovie) {
  AddAtPixel(1, kX, kY + 300);
  Passive({1});
  Guy* thing = AddAtPixel(26, kX, kY);
  ASSERT_GT(KindSequenceLength(26, kAnimDie), 14) << "the death must reach frame 14";
  HurtGuy(thing, 0, 0, 100000, map(), world());
  ASSERT_EQ(thing->life, 0);
  uint64_t frames = platform().frameCount();
  int smoke = 0;
  for (int t = 0; t < 400 && GetPlayLoopView().pendingEvent == kEventNone && thing->kind == 26;
       ++t) {
    Run(1);
    smoke = std::max(smoke, CountParticles(kParticleExplosion));
  }
  EXPECT_EQ(GetPlayLoopView().pendingEvent, kEventGameWon);
  EXPECT_GT(smoke, 0) << "it goes down in smoke";
  EXPECT_GT(platform().frameCount(), frames + 2) << "the chapter's movie played";
  EXPECT_EQ(CurrentSong(), 202);
}

TEST_F(BossTest, TheVorgaDiesIntoTheSdzlAfterTheSwordMovie) {
  AddAtPixel(1, kX, kY + 300);
  Passive({1});
  Guy* vorga = AddAtPixel(57, kX, kY);
  ASSERT_GT(KindSequenceLength(57, kAnimDie), 15) << "the death must reach frame 15";
  int sword = Plays(194);
  uint64_t frames = platform().frameCount();
  HurtGuy(vorga, 0, 0, 100000, map(), world());
  for (int t = 0; t < 400 && vorga->kind == 57; ++t) Run(1);
  ASSERT_EQ(vorga->kind, 58);
  EXPECT_EQ(vorga->life, 1500);
  EXPECT_EQ(vorga->facing, 2);
  EXPECT_EQ(vorga->busy, 0);
  EXPECT_EQ(vorga->anim, 0);
  EXPECT_EQ(Plays(194) - sword, 1);
  EXPECT_GT(platform().frameCount(), frames + 2) << "the sword movie played";
  EXPECT_EQ(GetPlayLoopView().pendingEvent, kEventNone);
  // And the second shape fights on.
  Run(60);
  EXPECT_EQ(vorga->kind, 58);
  EXPECT_GT(vorga->life, 0);
}

// The vorga's phases: it waits for the hero to come within 160, roars
// (plain sound 141) and then runs north for what is left of its 96-tick
// count, stands facing south until the hero comes within 128 or it is hurt
// (plain sound 142), and then runs about at speed 8.
TEST_F(BossTest, TheVorgaWaitsRoarsRunsNorthStandsAndThenRunsAbout) {
  struct Case {
    const char* what;
    bool byAHit;  // else by the hero coming near
  } cases[] = {{"the hero comes near", false}, {"a hit", true}};
  constexpr int kVx = 600, kVy = 900;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildBigRoom();
    Passive({1});
    Guy* vorga = AddAtPixel(57, kVx, kVy);
    Guy* hero = AddAtPixel(1, kVx + 161, kVy);
    testing::ForgetSounds();
    Run(5);
    EXPECT_EQ(vorga->aiState, 0);
    EXPECT_EQ(vorga->busy, 0);
    EXPECT_EQ(Px(vorga), kVx);
    EXPECT_TRUE(testing::HeardSounds().empty());

    hero->x = ToFixed(kVx + 160);
    testing::ForgetSounds();
    Run(1);
    EXPECT_EQ(vorga->aiState, 1);
    EXPECT_EQ(vorga->anim, 2);
    EXPECT_EQ(vorga->animRate, 64);
    EXPECT_EQ(vorga->busy, 1);
    EXPECT_EQ(vorga->cooldown, 96);
    std::vector<testing::HeardSound> heard = testing::HeardSounds();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].number, 141);
    EXPECT_TRUE(heard[0].Plain()) << heard[0];

    // The roar plays out where it stands; then north, 8 pixels a tick.
    hero->x = ToFixed(kVx + 900);
    int ticks = 1;
    while (vorga->busy && ticks < 200) {
      EXPECT_EQ(Px(vorga), kVx);
      EXPECT_EQ(Py(vorga), kVy);
      Run(1);
      ++ticks;
    }
    int ran = 0;
    while (vorga->aiState == 1 && ticks < 200) {
      int32_t y = Py(vorga);
      Run(1);
      ++ticks;
      if (vorga->aiState != 1) break;
      EXPECT_EQ(vorga->facing, 6);
      EXPECT_EQ(vorga->anim, 1);
      EXPECT_EQ(Py(vorga), y - 8);
      ++ran;
    }
    EXPECT_EQ(ticks, 96 + 1) << "the count of 96 from the roar on";
    EXPECT_GT(ran, 0);
    const int32_t x = Px(vorga), y = Py(vorga);
    EXPECT_EQ(x, kVx);
    EXPECT_EQ(y, kVy - 8 * ran);

    // It stands facing south for as long as nothing comes.
    Run(60);
    EXPECT_EQ(vorga->aiState, 2);
    EXPECT_EQ(vorga->facing, 2);
    EXPECT_EQ(vorga->anim, 0);
    EXPECT_EQ(Px(vorga), x);
    EXPECT_EQ(Py(vorga), y);

    testing::ForgetSounds();
    if (c.byAHit) {
      HurtGuy(vorga, 0, 0, 1, map(), world());
    } else {
      hero->x = ToFixed(x + 128);
      hero->y = ToFixed(y);
    }
    Run(1);
    EXPECT_EQ(vorga->aiState, 3);
    bool roared = false;
    for (const testing::HeardSound& s : testing::HeardSounds()) {
      if (s.number != 142) continue;
      roared = true;
      EXPECT_TRUE(s.Plain()) << s;
    }
    EXPECT_TRUE(roared);

    // Running about: 8 pixels a tick along its facing, and no turn for 32
    // ticks after it meets a wall.
    hero->x = ToFixed(100);
    hero->y = ToFixed(100);
    Think(vorga);
    EXPECT_EQ(vorga->dx, 8 * Cosine(vorga->facing * 32));
    EXPECT_EQ(vorga->dy, 8 * Sine(vorga->facing * 32));
    vorga->aiTimer = 1;
    Think(vorga);
    EXPECT_EQ(vorga->aiTimer, 0);
    const uint8_t facing = vorga->facing;
    for (int t = 0; t < 32; ++t) {
      Think(vorga);
      EXPECT_EQ(vorga->facing, facing) << "tick " << t;
    }
  }
}

TEST_F(BossTest, TheLookylooBlowsApartAndTakesItsPinkEyesWithIt) {
  AddAtPixel(1, kX, kY + 300);
  Passive({1});
  Guy* eye = AddAtPixel(16, kX, kY);
  Guy* pinks[2] = {AddAtPixel(17, kX - 200, kY + 100), AddAtPixel(17, kX + 200, kY + 100)};
  Passive({17});
  ASSERT_GT(KindSequenceLength(16, kAnimDie), 4);
  // Only an open eye can be hurt.
  HurtGuy(eye, 0, 0, 100000, map(), world());
  ASSERT_GT(eye->life, 0) << "shut, it shrugs the blow off";
  Pose(eye, 2, 5, 32);
  HurtGuy(eye, 0, 0, 100000, map(), world());
  ASSERT_EQ(eye->life, 0);
  int tick = 0;
  for (; tick < 200 && CountGuys(17) > 0; ++tick) {
    SetShake(0);
    ResetBullets();
    Run(1);
    EXPECT_EQ(GetShake(), 20) << "tick " << tick;
    // An explosion somewhere over it each tick.
    bool near = false;
    for (int s = 0; s < kBulletPoolSize; ++s) {
      const Bullet* b = GetBullet(s);
      if (b->kind != 8) continue;
      near =
          near || (std::abs(FixedToInt(b->x) - kX) <= 128 && std::abs(FixedToInt(b->y) - kY) <= 64);
    }
    EXPECT_TRUE(near) << "tick " << tick;
  }
  ASSERT_EQ(CountGuys(17), 0) << "the pink eyes burst";
  EXPECT_EQ(eye->anim, kAnimDie);
  EXPECT_EQ(eye->animFrame, 4) << "they burst as its death reaches frame 4";
  int bursts = 0;
  for (const Guy* p : pinks) {
    for (int s = 0; s < kBulletPoolSize; ++s) {
      const Bullet* b = GetBullet(s);
      bursts += b->kind == 8 && b->x == p->x && b->y == p->y;
    }
  }
  EXPECT_EQ(bursts, 2) << "each leaves a blast where it was";
}

TEST_F(BossTest, APinkEyeOnlyPlaysDeadAndGetsUpAgain) {
  AddAtPixel(1, kX, kY + 300);
  Passive({1});
  Guy* pink = AddAtPixel(17, kX, kY);
  ASSERT_GT(KindSequenceLength(17, kAnimDie), 8) << "it gets up at frame 8";
  HurtGuy(pink, 0, 0, 100000, map(), world());
  ASSERT_EQ(pink->life, 0);
  int lying = 0;
  int t = 0;
  for (; t < 600 && pink->life == 0; ++t) {
    ASSERT_EQ(pink->kind, 17) << "it never goes for good (tick " << t << ")";
    ASSERT_LE(pink->animFrame, 8);
    lying += pink->animFrame == 3;
    Run(1);
  }
  EXPECT_GE(lying, 200) << "it lies still at frame 3 while its long count runs";
  EXPECT_EQ(pink->kind, 17);
  EXPECT_EQ(pink->life, 20);
  EXPECT_EQ(pink->anim, 0);
  EXPECT_EQ(pink->busy, 0);
}

TEST_F(BossTest, DeathsShakeTheScreenSmokeAndLeaveWhatTheyLeave) {
  struct Case {
    const char* what;
    uint8_t kind;
    int shake;        // each tick of the death (0: none)
    bool smoke;       // explosions over its box at some point
    uint8_t becomes;  // what it turns into (0: it goes)
  } cases[] = {
      {"sphinx", 49, 60, true, 0},     {"boiler", 54, 10, true, 0},
      {"ultrazoid", 56, 10, false, 0}, {"tower", 15, 0, true, 0},
      {"bobby", 32, 0, true, 0},       {"huge bat", 29, 0, true, 0},
      {"yeti", 36, 0, true, 0},        {"mechagorvash", 46, 0, true, 0},
      {"lich", 44, 0, true, 0},        {"left arm", 47, 0, true, 0},
      {"zomboni", 35, 0, true, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BuildBigRoom();
    ResetBullets();
    InitParticles(kParticlePoolSize);
    AddAtPixel(1, kX, kY + 300);
    Passive({1});
    Guy* boss = AddAtPixel(c.kind, kX, kY);
    HurtGuy(boss, 0, 0, 100000, map(), world());
    ASSERT_EQ(boss->life, 0);
    bool smoked = false, shook = true;
    for (int t = 0; t < 400 && boss->kind == c.kind; ++t) {
      SetShake(0);
      Run(1);
      if (boss->kind == c.kind && c.shake > 0) shook = shook && GetShake() == c.shake;
      smoked = smoked || CountParticles(kParticleExplosion) > 0;
    }
    EXPECT_TRUE(shook);
    EXPECT_EQ(smoked, c.smoke);
    EXPECT_EQ(boss->kind, c.becomes);
    if (c.becomes == 6) {
      // The zomboni's driver climbs out and goes on alone.
      EXPECT_EQ(boss->life, 20);
      EXPECT_EQ(boss->busy, 0);
      EXPECT_EQ(boss->aiState, 0);
    }
  }
}

}  // namespace
}  // namespace torvel::testing
