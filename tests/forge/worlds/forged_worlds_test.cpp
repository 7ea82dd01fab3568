// The forged worlds, read with the game's own LoadWorld: everything the
// game's rules need of each world is there (the hub, the final map, the
// arenas, the scrolls and friendlies on their maps), and nothing a map
// must never hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "actors/behaviour.h"
#include "actors/kinds.h"
#include "common/byte_io.h"
#include "forge/tilesets/tileset_builder.h"
#include "forge/worlds/level_names.h"
#include "forge/worlds/world_sources.h"
#include "platform/paths.h"
#include "player/player.h"
#include "support/headless_fixture.h"
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
    {1, "forest.vwd", Theme::kForest, 12, {7, 8, 9, 10}, 64},
    {2, "castle.vwd", Theme::kCastle, 15, {2, 3, 4, 5}, 64},
    {3, "under.vwd", Theme::kUnder, 11, {2, 3, 4, 5}, 128},
};

constexpr uint16_t kEventBits = 0x0001 | 0x0002 | 0x0004 | 0x0080 | 0x0400;
constexpr uint8_t kGotoMap = 7, kWinLevel = 8, kSummon = 1;
constexpr int kShop = 50;

class ForgedWorld : public ::testing::TestWithParam<WorldRule> {
 protected:
  void SetUp() override {
    SetGameDir(TORVEL_GAME_DIR);
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
      // The challengers come from a distance: a start beside the hero's would
      // hurt a fresh hero before it can turn round.
      const MonsterStart hero = Starts(m, 1).at(0);
      for (const MonsterStart& s : Starts(m)) {
        if (s.kind == 1) continue;
        const int dx = (s.x - hero.x) * 32, dy = (s.y - hero.y) * 24;
        EXPECT_GE(dx * dx + dy * dy, 100 * 100) << "a start at " << int(s.x) << ", " << int(s.y);
      }
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

// The castle's lock: the lever, the plates, the wall it opens and the
// special it switches off sit where the game checks them.
TEST(ForgedWorlds, TheCastleLockIsWhereTheGameChecksIt) {
  SetGameDir(TORVEL_GAME_DIR);
  World w;
  ASSERT_TRUE(LoadWorld(w, "castle.vwd"));
  ASSERT_GE(w.mapCount, 17);
  const Map& m = *w.maps[16];
  ASSERT_GE(m.width, 64);
  EXPECT_EQ(MapTile(m, 11, 31).floor, 59);
  const int plates[][2] = {{2, 33},  {4, 33},  {6, 33},  {2, 35},  {4, 35},  {6, 35},
                           {2, 37},  {4, 37},  {6, 37},  {9, 33},  {11, 33}, {13, 33},
                           {9, 35},  {11, 35}, {13, 35}, {9, 37},  {11, 37}, {13, 37},
                           {18, 33}, {18, 37}, {16, 35}, {18, 35}, {20, 35}};
  for (const auto& p : plates) {
    const Tile& t = MapTile(m, p[0], p[1]);
    EXPECT_TRUE(t.floor == 64 || t.floor == 65) << p[0] << "," << p[1];
    EXPECT_EQ(t.wall, 0);
  }
  // Stepping on a plate turns it over, both ways.
  EXPECT_TRUE(w.terrain[64].flags & kTerrainStepChanges);
  EXPECT_EQ(w.terrain[64].next, 65);
  EXPECT_TRUE(w.terrain[65].flags & kTerrainStepChanges);
  EXPECT_EQ(w.terrain[65].next, 64);
  for (int x = 29; x <= 35; ++x) EXPECT_NE(MapTile(m, x, 46).wall, 0) << x;
  bool special = false;
  for (const Special& s : m.specials) special |= s.trigger && s.x == 32 && s.y == 46;
  EXPECT_TRUE(special);
  // Any guy crossing a plate would turn it: no monster starts near them.
  for (const MonsterStart& s : m.monsters) {
    if (s.kind > 1) {
      EXPECT_FALSE(s.x <= 22 && s.y >= 28 && s.y <= 40) << int(s.x) << "," << int(s.y);
    }
  }
}

// The underworld's hub: the chasm is the only way north, the tiles the game
// bridges are open chasm until then, and the skull door beyond leads on.
TEST(ForgedWorlds, TheUnderworldOpeningIsWhereTheGameMakesIt) {
  SetGameDir(TORVEL_GAME_DIR);
  World w;
  ASSERT_TRUE(LoadWorld(w, "under.vwd"));
  const Map& hub = *w.maps[1];
  ASSERT_EQ(hub.width, 128);
  for (int y = 12; y <= 14; ++y) {
    for (int x = 0; x < hub.width; ++x) {
      const Tile& t = MapTile(hub, x, y);
      const bool blocked = t.wall != 0 || (w.terrain[t.floor].flags & kTerrainImpassable);
      EXPECT_TRUE(blocked) << x << "," << y;
      if (x == 63 || x == 64) {
        EXPECT_EQ(t.wall, 0) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(w.terrain[35].flags & (kTerrainImpassable | kTerrainWater | kTerrainLava), 0);
  EXPECT_TRUE(ItemBlocksAll(MapTile(hub, 61, 8).item));
  bool door = false;
  for (const Special& s : hub.specials)
    door |= s.trigger && s.x == 61 && s.y == 8 && s.effect == kGotoMap && s.value == 11;
  EXPECT_TRUE(door);
  bool thing = false;
  for (const MonsterStart& s : w.maps[11]->monsters) thing |= s.kind == 26;
  EXPECT_TRUE(thing);
}

// Each piece of the sword lies once in the whole game: a second one would
// complete the armour again.
TEST(ForgedWorlds, EachPieceOfTheSwordOnce) {
  SetGameDir(TORVEL_GAME_DIR);
  std::map<int, int> pieces;
  for (const WorldRule& rule : kWorlds) {
    World w;
    ASSERT_TRUE(LoadWorld(w, rule.file));
    for (int m = 0; m < w.mapCount; ++m) {
      for (const Tile& t : w.maps[m]->tiles) {
        if (t.item >= 12 && t.item <= 15) ++pieces[t.item];
      }
    }
  }
  for (int item = 12; item <= 15; ++item) EXPECT_EQ(pieces[item], 1) << item;
}

// The forge writes the same bytes from the same sources, and the game
// folder holds what the sources say now.
TEST(ForgedWorlds, SameSourcesSameBytes) {
  std::vector<WorldSourceFiles> sources;
  std::string error;
  ASSERT_TRUE(ReadWorldSources(std::string(TORVEL_SOURCE_DIR) + "/content/worlds", sources, error))
      << error;
  ASSERT_EQ(sources.size(), std::size(kWorlds));
  const std::string root = torvel::testing::MakeTempDir(torvel::testing::TestName());
  for (int run = 0; run < 2; ++run) {
    ForgeOptions options;
    options.outDir = root + "/game" + std::to_string(run);
    std::filesystem::create_directories(options.outDir);
    ASSERT_TRUE(ForgeWorldFiles(options, sources, ForgedWorldTileset, error)) << error;
  }
  for (const WorldRule& rule : kWorlds) {
    std::vector<uint8_t> a, b, forged;
    ASSERT_TRUE(ReadFileBytes(root + "/game0/" + rule.file, a));
    ASSERT_TRUE(ReadFileBytes(root + "/game1/" + rule.file, b));
    ASSERT_TRUE(ReadFileBytes(std::string(TORVEL_GAME_DIR) + "/" + rule.file, forged));
    EXPECT_EQ(a, b) << rule.file;
    EXPECT_EQ(a, forged) << rule.file;
  }
}

}  // namespace
}  // namespace torvel::forge
