// A long fight: every kind of creature let loose in a room with the hero for
// 3,000 ticks while the hero runs about shooting and casting. Nothing may
// crash or trip the sanitizers, and every guy must stay a guy the rest of
// the program can draw and move: a kind of the table, a sequence and frame
// inside its table, a facing of eight, a place on the map.
#include <gtest/gtest.h>

#include "actors/kinds.h"
#include "actors/particles.h"
#include "monster_fixture.h"
#include "player/player_record.h"

namespace torvel::testing {
namespace {

class SoakTest : public MonsterTest, public ::testing::WithParamInterface<std::vector<uint8_t>> {
 protected:
  // The room with a pond across its lower part, for the swimmers.
  void BuildPondRoom() {
    BuildRoom();
    for (int y = 13; y < 18; ++y) {
      for (int x = 2; x < 18; ++x) At(x, y).floor = x < 14 ? kFloorWater : kFloorLava;
    }
  }

  void CheckInvariants(int tick) {
    ASSERT_EQ(GuyPoolSize(), kGuyPoolSize);
    ASSERT_LE(LiveBulletCount(), kBulletPoolSize);
    ASSERT_EQ(ParticlePoolSize(), kParticlePoolSize);
    const int32_t width = map().width * kTileWidth, height = map().height * kTileHeight;
    for (int s = 0; s < GuyPoolSize(); ++s) {
      const Guy* g = GetGuy(s);
      if (g->kind == 0) continue;
      SCOPED_TRACE(::testing::Message()
                   << "tick " << tick << " slot " << s << " kind " << int(g->kind));
      ASSERT_LT(g->kind, kKindCount);
      ASSERT_LT(g->anim, kSequenceCount);
      ASSERT_LT(g->animFrame, kSequenceLength);
      ASSERT_LT(g->facing, 8);
      ASSERT_EQ(g->slot, s);
      ASSERT_GE(g->z, 0);
      int32_t px = FixedToInt(g->x), py = FixedToInt(g->y);
      ASSERT_TRUE(px >= 0 && px < width && py >= 0 && py < height) << px << "," << py;
    }
  }

  // The hero keeps moving, turning every 20 ticks, firing and now and then
  // casting; hits land but it never stays dead.
  void DriveHero(int tick) {
    static constexpr uint8_t kMoves[] = {
        kActionRight | kActionFire,
        kActionDown | kActionFire,
        kActionLeft,
        kActionUp | kActionFire,
        kActionFire | kActionSpell,
        kActionNext,
        kActionLeft | kActionDown,
        kActionRight | kActionUp | kActionFire,
    };
    Hold(kMoves[(tick / 20) % 8]);
    Guy* hero = HeroGuy();
    if (!hero || hero->kind != 1) {
      hero = Hero(9, 9);
      if (hero) hero->busy = 0;
      return;
    }
    if (hero->life > 0) {
      hero->life = 128;
      Player().life = 128;
    }
    Player().mana = Player().manaMax;
  }
};

TEST_P(SoakTest, EveryKindFightsTheHeroForThreeThousandTicks) {
  BuildPondRoom();
  for (uint8_t& s : Player().spells) s = 2;
  Player().manaMax = 100;
  ASSERT_NE(Hero(9, 6), nullptr);
  int i = 0;
  for (uint8_t kind : GetParam()) {
    bool swims = KindFlags(kind) & KindFlag::Swims;
    int tx = 2 + (i * 5) % 16;
    int ty = swims ? 14 + i % 3 : 2 + (i * 3) % 9;
    Guy* g = AddGuy(CentreX(tx), CentreY(ty), 0, kind);
    ASSERT_NE(g, nullptr) << "kind " << int(kind);
    g->busy = 0;
    ++i;
  }
  for (int t = 0; t < 3000; ++t) {
    DriveHero(t);
    Tick();
    if (t % 10 == 0) Frame();
    CheckInvariants(t);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Families, SoakTest,
    ::testing::Values(
        std::vector<uint8_t>{2, 4, 5, 6, 9, 13, 18, 19, 24},       // foot soldiers
        std::vector<uint8_t>{30, 33, 34, 35, 38, 39, 42, 53, 59},  // more on foot
        std::vector<uint8_t>{3, 12, 14, 20, 31, 40, 44, 45},       // the air, and allies
        std::vector<uint8_t>{10, 23, 50, 26, 27, 28, 43, 46},      // water, lava, and rollers
        std::vector<uint8_t>{7, 8, 21, 22, 29, 41, 51, 52},        // spawners and the centipede
        std::vector<uint8_t>{16, 17, 17, 47, 48, 49, 54, 55, 56},  // sentinels
        std::vector<uint8_t>{15, 25, 32, 36, 37, 57, 58, 11}));    // bosses and a friend

}  // namespace
}  // namespace torvel::testing
