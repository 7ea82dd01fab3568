// The forged worlds, read with the game's own LoadWorld: everything the
// game's rules need of each world is there (the hub, the final map, the
// arenas, the scrolls and friendlies on their maps), and nothing a map
// must never hold.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "actors/behaviour.h"
#include "actors/kinds.h"
#include "forge/tilesets/tileset_builder.h"
#include "forge/worlds/level_names.h"
#include "platform/paths.h"
#include "player/player.h"
#include "world/items.h"
#include "world/world.h"

namespace torvel::forge {
namespace {

struct WorldRule {
  int number;
  const char* file;
  Theme theme;
  int finalMap;
  std::vector<int> arenas;
  int hubSize;  // the smallest the hub may be
};

const WorldRule kWorlds[] = {
    {0, "river.vwd", Theme::kRiver, 14, {6, 7, 8, 9}, 64},
};

constexpr uint16_t kEventBits = 0x0001 | 0x0002 | 0x0004 | 0x0080 | 0x0400;
constexpr uint8_t kGotoMap = 7, kWinLevel = 8, kSummon = 1;
constexpr int kShop = 50;

class ForgedWorld : public ::testing::TestWithParam<WorldRule> {
 protected:
  void SetUp() override {
    SetGameDir(TORVEL_GAME_DIR);
    SetUserDir(TORVEL_GAME_DIR);
    ASSERT_TRUE(LoadWorld(world_, GetParam().file)) << GetParam().file;
  }
  const Map& At(int m) const { return *world_.maps[m]; }
  int CountItem(int m, uint8_t item) const {
    int n = 0;
    for (const Tile& t : At(m).tiles) n += t.item == item;
    return n;
  }
  std::vector<MonsterStart> Starts(int m, int kind = -1) const {
    std::vector<MonsterStart> out;
    for (const MonsterStart& s : At(m).monsters) {
      if (s.kind && (kind < 0 || s.kind == kind)) out.push_back(s);
    }
    return out;
  }
  World world_;
};

TEST_P(ForgedWorld, HasEveryMapThePlayNeeds) {
  const WorldRule& w = GetParam();
  int highest = w.finalMap;
  for (int a : w.arenas) highest = std::max(highest, a);
  for (int m = 0; m < kMaxMaps; ++m) {
    if (SpellSlotOfMap(w.number, m) >= 0 || FriendlyDialogue(w.number, m) >= 0)
      highest = std::max(highest, m);
  }
  EXPECT_GE(world_.mapCount, highest + 1);
  EXPECT_LE(world_.mapCount, kMaxMaps);

  const Map& hub = At(1);
  EXPECT_GE(hub.width, w.hubSize);
  ASSERT_EQ(Starts(1, 1).size(), 1u);

  // The hub leads to the shop and to the final map; every exit leads to a
  // map that exists, never to map 0 or to an arena.
  std::set<int> exits;
  for (int m = 0; m < world_.mapCount; ++m) {
    for (const Special& s : At(m).specials) {
      if (!s.trigger || s.effect != kGotoMap) continue;
      EXPECT_TRUE(s.value == kShop || (s.value > 0 && s.value < world_.mapCount))
          << m << ": " << s.value;
      EXPECT_EQ(std::count(w.arenas.begin(), w.arenas.end(), s.value), 0)
          << m << " leads into an arena";
      if (m == 1) exits.insert(s.value);
    }
  }
  EXPECT_TRUE(exits.count(kShop));
  EXPECT_TRUE(exits.count(w.finalMap));
}

TEST_P(ForgedWorld, EveryPlayedMapIsSound) {
  for (int m = 0; m < world_.mapCount; ++m) {
    const Map& map = At(m);
    SCOPED_TRACE("map " + std::to_string(m));
    EXPECT_TRUE(IsMapSize(map.width));
    EXPECT_EQ(map.width, map.height);
    EXPECT_GT(std::string(map.name).size(), 0u);
    if (m > 0) {
      EXPECT_EQ(Starts(m, 1).size(), 1u);
    }
    std::set<std::pair<int, int>> taken;
    for (const MonsterStart& s : Starts(m)) {
      ASSERT_TRUE(OnMap(map, s.x, s.y));
      const Tile& t = MapTile(map, s.x, s.y);
      EXPECT_EQ(t.wall, 0) << KindWord(s.kind) << " at " << int(s.x) << "," << int(s.y);
      EXPECT_EQ(t.item, 0) << KindWord(s.kind) << " at " << int(s.x) << "," << int(s.y);
      EXPECT_FALSE(KindNeverPlaced(s.kind)) << KindWord(s.kind);
      EXPECT_TRUE(taken.insert({s.x, s.y}).second) << int(s.x) << "," << int(s.y);
    }
    for (const Tile& t : map.tiles) {
      if (t.wall) {
        EXPECT_EQ(t.item, 0);
      }
      EXPECT_LE(t.item, 82);
      EXPECT_LE(t.wall, 200);
      EXPECT_LT(t.floor, 200);
      EXPECT_GE(t.light, -32);
      EXPECT_LE(t.light, 16);
    }
    std::set<std::pair<int, int>> specialTiles;
    for (const Special& s : map.specials) {
      if (!s.trigger) continue;
      EXPECT_TRUE(specialTiles.insert({s.x, s.y}).second)
          << "two specials at " << int(s.x) << "," << int(s.y);
      // Monsters summoned on the hub would roam and start challenges.
      if (m == 1) {
        EXPECT_NE(s.effect, kSummon);
      }
    }
  }
}

// Every map but the hub can be finished, the final map included; arenas
// are cleared instead, and keep out of the tally.
TEST_P(ForgedWorld, MapsCanBeCompletedAndArenasCleared) {
  const WorldRule& w = GetParam();
  for (int m = 2; m < world_.mapCount; ++m) {
    SCOPED_TRACE("map " + std::to_string(m));
    const bool arena = std::count(w.arenas.begin(), w.arenas.end(), m) > 0;
    bool finish = CountItem(m, 20) > 0;
    for (const Special& s : At(m).specials) finish |= s.trigger && s.effect == kWinLevel;
    for (const MonsterStart& s : At(m).monsters)
      finish |= s.kind == 26;  // the thing's death wins the game
    if (arena) {
      EXPECT_FALSE(finish) << "an arena is cleared, not won";
      EXPECT_GE(Starts(m).size(), 11u);
      EXPECT_GE(CountItem(m, 1), 1);
      EXPECT_TRUE(At(m).flags & kMapSecret);
      EXPECT_TRUE(Starts(m, 11).empty());
    } else {
      EXPECT_TRUE(finish);
    }
  }
  // The hub is never completed: that would bar every way back to it.
  EXPECT_EQ(CountItem(1, 20), 0);
  for (const Special& s : At(1).specials) EXPECT_FALSE(s.trigger && s.effect == kWinLevel);
}

// A scroll on every map the spell table names and nowhere else; a friendly
// on every map it talks on and nowhere else.
TEST_P(ForgedWorld, ScrollsAndFriendliesWhereTheGameLooksForThem) {
  const WorldRule& w = GetParam();
  for (int m = 1; m < world_.mapCount; ++m) {
    SCOPED_TRACE("map " + std::to_string(m));
    EXPECT_EQ(CountItem(m, 5), SpellSlotOfMap(w.number, m) >= 0 ? 1 : 0);
    EXPECT_EQ(Starts(m, 11).size(), FriendlyDialogue(w.number, m) >= 0 ? 1u : 0u);
  }
}

TEST_P(ForgedWorld, TerrainComesFromTheTileset) {
  const TerrainTable terrain = TilesetTerrain(GetParam().theme);
  for (int f = 0; f < kTerrainEntries; ++f) {
    EXPECT_EQ(world_.terrain[f].flags, terrain[f].flags) << f;
    EXPECT_EQ(world_.terrain[f].next, terrain[f].next) << f;
  }
}

INSTANTIATE_TEST_SUITE_P(Worlds, ForgedWorld, ::testing::ValuesIn(kWorlds),
                         [](const ::testing::TestParamInfo<WorldRule>& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace torvel::forge
