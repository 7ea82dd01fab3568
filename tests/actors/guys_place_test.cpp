// A challenge's mix of monsters, and the roaming map's spawner.
#include <gtest/gtest.h>

#include <map>

#include "actors/guys.h"
#include "gfx/draw_list.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

class PlacementTest : public Scenario {};

// An arena with its hero start and twelve monster starts.
void ArenaStarts(Map& map) {
  map.monsters[0] = {5, 5, 1};
  for (int i = 0; i < 12; ++i)
    map.monsters[static_cast<size_t>(i + 1)] = {uint8_t(1 + i % 8), uint8_t(2 + i / 8), 2};
}

std::vector<uint8_t> PlacedKinds() {
  std::vector<uint8_t> kinds;
  for (int s = 0; s < GuyPoolSize(); ++s) {
    if (GetGuy(s)->kind != 0 && GetGuy(s)->kind != 1) kinds.push_back(GetGuy(s)->kind);
  }
  return kinds;
}

TEST_F(PlacementTest, AChallengeFillsOneToTenStartsWithTheRoamersMix) {
  struct Mix {
    uint8_t roamer;
    uint8_t common, rare;
    bool lastIsRare;
  } mixes[] = {
      {2, 2, 6, false},   {5, 4, 5, true},     {13, 13, 14, false}, {14, 13, 14, false},
      {18, 24, 18, true}, {24, 24, 18, false}, {31, 3, 31, true},
  };
  for (const Mix& m : mixes) {
    std::map<uint8_t, int> seen;
    int lastRare = 0, rounds = 0;
    for (int round = 0; round < 200; ++round) {
      BuildMap({"..........", "..........", "..........", ".........."}, 20);
      ArenaStarts(map());
      PlaceChallengeMonsters(map(), m.roamer);
      ASSERT_NE(HeroGuy(), nullptr);
      std::vector<uint8_t> kinds = PlacedKinds();
      ASSERT_GE(kinds.size(), 1u);
      ASSERT_LE(kinds.size(), 10u);
      for (uint8_t k : kinds) {
        ASSERT_TRUE(k == m.common || k == m.rare)
            << "roamer " << int(m.roamer) << " gave " << int(k);
        seen[k]++;
      }
      lastRare += kinds.back() == m.rare;
      ++rounds;
    }
    EXPECT_GT(seen[m.common], 0) << "roamer " << int(m.roamer);
    EXPECT_GT(seen[m.rare], 0) << "roamer " << int(m.roamer);
    if (m.lastIsRare) {
      EXPECT_EQ(lastRare, rounds) << "roamer " << int(m.roamer);
    }
  }
}

TEST_F(PlacementTest, AnArenaWithFewStartsGetsFewerMonsters) {
  for (int round = 0; round < 50; ++round) {
    BuildMap({"..........", ".........."});
    map().monsters[3] = {1, 1, 1};
    map().monsters[7] = {4, 1, 2};
    map().monsters[9] = {6, 1, 2};
    PlaceChallengeMonsters(map(), 5);
    std::vector<uint8_t> kinds = PlacedKinds();
    ASSERT_GE(kinds.size(), 1u);
    ASSERT_LE(kinds.size(), 2u);
    EXPECT_EQ(kinds.back(), 5) << "the last one placed is the brood's mother";
    for (int s = 0; s < GuyPoolSize(); ++s) {
      const Guy* g = GetGuy(s);
      if (g->kind == 0 || g->kind == 1) continue;
      // Only where the map put a start.
      EXPECT_TRUE(g->x == ToFixed(4 * 32 + 16) || g->x == ToFixed(6 * 32 + 16));
    }
  }
}

class RoamerTest : public Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    BuildMap({}, 64);
    for (Tile& t : map().tiles) t.wall = 0;
    SetCamera(ToFixed(320), ToFixed(240));
  }
};

TEST_F(RoamerTest, RoamersAppearOutOfSightWithTheirWorldsKinds) {
  const std::pair<int, std::vector<uint8_t>> cases[] = {
      {1, {5, 24}}, {2, {5, 24, 18}}, {3, {2, 13, 14}}, {4, {2, 31}}, {7, {2}},
  };
  for (const auto& [worldNumber, kinds] : cases) {
    InitGuys(kGuyPoolSize);
    for (int i = 0; i < 60; ++i) SpawnRoamer(map(), world(), worldNumber, false);
    std::map<uint8_t, int> seen;
    for (int s = 0; s < GuyPoolSize(); ++s) {
      const Guy* g = GetGuy(s);
      if (g->kind == 0) continue;
      seen[g->kind]++;
      bool near = std::abs(FixedToInt(g->x) - 320) < 400 && std::abs(FixedToInt(g->y) - 240) < 400;
      EXPECT_FALSE(near) << "a roamer appeared in sight";
    }
    int total = 0;
    for (uint8_t k : kinds) {
      EXPECT_GT(seen[k], 0) << "world " << worldNumber << " kind " << int(k);
      total += seen[k];
    }
    int all = 0;
    for (auto& [k, n] : seen) all += n;
    EXPECT_EQ(total, all) << "only the world's kinds";
    EXPECT_GT(all, 20);
  }
}

TEST_F(RoamerTest, RoamersAreRareInTheFirstThreeWorldsAndConstantInTheLast) {
  InitGuys(kGuyPoolSize);
  for (int i = 0; i < 2000; ++i) SpawnRoamer(map(), world(), 2, true);
  int early = 0;
  for (int s = 0; s < GuyPoolSize(); ++s) early += GetGuy(s)->kind != 0;
  EXPECT_LE(early, 2) << "about one try in 20000";

  InitGuys(kGuyPoolSize);
  for (int i = 0; i < 100; ++i) SpawnRoamer(map(), world(), 4, true);
  int late = 0;
  for (int s = 0; s < GuyPoolSize(); ++s) late += GetGuy(s)->kind != 0;
  EXPECT_GT(late, 30);
}

TEST_F(RoamerTest, ARoamerThatCannotStandIsTakenAway) {
  for (Tile& t : map().tiles) t.wall = 1;
  InitGuys(kGuyPoolSize);
  for (int i = 0; i < 50; ++i) SpawnRoamer(map(), world(), 4, false);
  for (int s = 0; s < GuyPoolSize(); ++s) EXPECT_EQ(GetGuy(s)->kind, 0);
}

}  // namespace
}  // namespace torvel::testing
