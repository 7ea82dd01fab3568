// Map preparation: what it counts, what it removes, and the monsters it places.
#include "world/prepare.h"

#include <gtest/gtest.h>

#include "actors/guys.h"
#include "player/player_record.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

class PrepareTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    BuildMap({
        "..........",
        "..........",
        "..........",
        "..........",
    });
  }
  // Items 1..n laid along row 0 and 1.
  void Lay(std::initializer_list<uint8_t> items) {
    int i = 0;
    for (uint8_t item : items) {
      At(i % 10, i / 10).item = item;
      ++i;
    }
  }
  int Count(uint8_t item) {
    int n = 0;
    for (const Tile& t : map().tiles) n += t.item == item;
    return n;
  }
};

TEST_F(PrepareTest, CountsTheCollectiblesAndDarkensTheMap) {
  Lay({11, 11, 3, 11});
  for (Tile& t : map().tiles) t.curLight = 5;
  PrepareMapForPlay(map(), world());
  EXPECT_EQ(CollectibleTotal(), 3u);
  EXPECT_EQ(Count(11), 3) << "collectibles stay";
  for (const Tile& t : map().tiles) ASSERT_EQ(t.curLight, -32);
}

TEST_F(PrepareTest, AMapWithoutCollectiblesHasATotalOfZero) {
  SetCollectibleTotal(7);
  PrepareMapForPlay(map(), world());
  EXPECT_EQ(CollectibleTotal(), 0u);
}

TEST_F(PrepareTest, OwnedArmourPiecesAreTakenOff) {
  Lay({12, 13, 14, 15, 13});
  Player().armourPieces[1] = 1;
  Player().armourPieces[3] = 1;
  PrepareMapForPlay(map(), world());
  EXPECT_EQ(Count(12), 1);
  EXPECT_EQ(Count(13), 0);
  EXPECT_EQ(Count(14), 1);
  EXPECT_EQ(Count(15), 0);
}

// A scroll stays only while it has something to teach: in the first two
// worlds until its slot is learned, later until it is upgraded.
TEST_F(PrepareTest, AScrollIsTakenOffOnceItHasNothingToTeach) {
  struct Case {
    uint8_t world, map;
    int slot;
    uint8_t level;
    bool stays;
  } cases[] = {
      {0, 2, 1, 0, true},  {0, 2, 1, 1, false}, {1, 11, 6, 1, false}, {2, 6, 3, 0, true},
      {2, 6, 3, 1, true},  {2, 6, 3, 2, false}, {3, 10, 6, 1, true},  {3, 10, 6, 2, false},
      {0, 5, -1, 0, true},  // no slot on this map: left alone
  };
  for (const Case& c : cases) {
    BuildMap({".........."});
    At(4, 0).item = 5;
    PlayerRecord& p = Player();
    p.worldNumber = c.world;
    p.currentMap = c.map;
    for (uint8_t& s : p.spells) s = 0;
    if (c.slot >= 0) p.spells[c.slot] = c.level;
    PrepareMapForPlay(map(), world());
    EXPECT_EQ(At(4, 0).item == 5, c.stays)
        << "world " << int(c.world) << " map " << int(c.map) << " level " << int(c.level);
  }
}

TEST_F(PrepareTest, TheCastlesSkullDoorsTurnOnceItsSixthMapIsDone) {
  struct Case {
    uint8_t world;
    bool sixthDone;
    uint8_t item;
  } cases[] = {{2, true, 80}, {2, false, 69}, {1, true, 69}, {3, true, 69}};
  for (const Case& c : cases) {
    BuildMap({".........."});
    At(1, 0).item = 69;
    PlayerRecord& p = Player();
    p.worldNumber = c.world;
    for (int w = 0; w < 4; ++w) p.mapsDone[w][6] = c.sixthDone;
    PrepareMapForPlay(map(), world());
    EXPECT_EQ(At(1, 0).item, c.item) << "world " << int(c.world);
  }
}

TEST_F(PrepareTest, TheMapsMonstersArePlacedAtTileCentres) {
  map().monsters[0] = {3, 2, 2};
  map().monsters[1] = {1, 1, 1};
  map().monsters[5] = {7, 3, 3};
  PrepareMapForPlay(map(), world());
  Guy* skel = GetGuy(0);
  EXPECT_EQ(skel->kind, 2);
  EXPECT_EQ(skel->x, ToFixed(3 * 32 + 16));
  EXPECT_EQ(skel->y, ToFixed(2 * 24 + 12));
  EXPECT_EQ(skel->aux, 1);
  EXPECT_EQ(GetGuy(1), HeroGuy());
  EXPECT_EQ(GetGuy(2)->kind, 3);
  EXPECT_EQ(GetGuy(3)->kind, 0);
}

TEST_F(PrepareTest, OnTheRoamingMapTheHeroReturnsWhereItWas) {
  map().monsters[0] = {1, 1, 1};
  Player().currentMap = 1;
  Player().roamingX = ToFixed(200);
  Player().roamingY = ToFixed(70);
  PrepareMapForPlay(map(), world());
  EXPECT_EQ(HeroGuy()->x, ToFixed(200));
  EXPECT_EQ(HeroGuy()->y, ToFixed(70));

  BuildMap({".........."});
  map().monsters[0] = {1, 1, 1};
  Player().roamingX = -2000;
  PrepareMapForPlay(map(), world());
  EXPECT_EQ(HeroGuy()->x, ToFixed(48));

  // Elsewhere the remembered position means nothing.
  BuildMap({".........."});
  map().monsters[0] = {1, 1, 1};
  Player().currentMap = 4;
  Player().roamingX = ToFixed(200);
  PrepareMapForPlay(map(), world());
  EXPECT_EQ(HeroGuy()->x, ToFixed(48));
}

}  // namespace
}  // namespace torvel::testing
