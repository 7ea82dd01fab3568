// Level sources compiled and read back with the game's own loader: every
// tile, monster start and special lands where the source puts it, with the
// tileset's images and terrain.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "forge/worlds/level_autotile.h"
#include "forge/worlds/level_text.h"
#include "gfx/tiles.h"
#include "level_fixture.h"

namespace torvel::forge {
namespace {

using testing::Final;
using testing::Hub;
using testing::LevelTest;
using testing::Map0;
using testing::WorldFile;

constexpr char kMill[] =
    "name \"Мельница\"\n"
    "size 20\n"
    "song 3\n"
    "flags lit secret\n"
    "light -6\n"
    "fill ,\n"
    "legend\n"
    "  k  item key\n"
    "  D  like # special gate\n"
    "  S  monster spider\n"
    "  T  torch 2\n"
    "end\n"
    "grid at 2 3\n"
    "#####\n"
    "#.kS#\n"
    "#.T.D   // the gate\n"
    "#####\n"
    "end\n"
    "rect 10 10 2 2 ~\n"
    "monster bigspdr at 15 15\n"
    "hero at 12 1\n"
    "special gate step do zap 'D' floor grass message \"Открыто\"\n"
    "special lamp at 15 2 near 2 repeat do light 10 10 40 message \"Свет\"\n"
    "special exit at 18 18 step do win\n";

TEST_F(LevelTest, MapLandsWhereTheSourcePutsIt) {
  const Map* m = Map3(kMill);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(loaded_.mapCount, 4);
  EXPECT_EQ(m->width, 20);
  EXPECT_EQ(m->height, 20);
  EXPECT_STREQ(m->name, "MEVbHNQA");
  EXPECT_EQ(m->song, 3);
  EXPECT_EQ(m->flags, kMapLit | kMapSecret);

  // Ground, walls with their default roof, items laid onto the ground.
  EXPECT_EQ(MapTile(*m, 0, 0).floor, 0);
  EXPECT_EQ(MapTile(*m, 0, 0).wall, 0);
  EXPECT_EQ(MapTile(*m, 2, 3).wall, 1);
  EXPECT_EQ(MapTile(*m, 2, 3).floor, 199);
  EXPECT_EQ(MapTile(*m, 6, 5).wall, 1);
  EXPECT_EQ(MapTile(*m, 4, 4).item, 16);
  EXPECT_EQ(MapTile(*m, 4, 4).floor, 0);  // laid onto the filled dirt
  EXPECT_EQ(MapTile(*m, 10, 10).floor, 36);
  EXPECT_EQ(MapTile(*m, 11, 11).floor, 36);
  EXPECT_EQ(MapTile(*m, 12, 12).floor, 0);

  // Grid starts first in reading order, then the listed ones.
  EXPECT_EQ(m->monsters[0].x, 5);
  EXPECT_EQ(m->monsters[0].y, 4);
  EXPECT_EQ(m->monsters[0].kind, 4);
  EXPECT_EQ(m->monsters[1].x, 15);
  EXPECT_EQ(m->monsters[1].kind, 5);
  EXPECT_EQ(m->monsters[2].x, 12);
  EXPECT_EQ(m->monsters[2].y, 1);
  EXPECT_EQ(m->monsters[2].kind, 1);
  EXPECT_EQ(m->monsters[3].kind, 0);

  const Special& gate = m->specials[0];
  EXPECT_EQ(gate.trigger, 0x0001 | 0x0200);
  EXPECT_EQ(gate.effect, 2);
  EXPECT_EQ(gate.x, 6);
  EXPECT_EQ(gate.y, 5);
  EXPECT_EQ(gate.targetX, 6);
  EXPECT_EQ(gate.targetY, 5);
  EXPECT_EQ(gate.value, 5);
  EXPECT_STREQ(gate.msg, "0TKPbIT0");
  const Special& lamp = m->specials[1];
  EXPECT_EQ(lamp.trigger, 0x0004 | 0x0100 | 0x0200);
  EXPECT_EQ(lamp.trigValue, 2);
  EXPECT_EQ(lamp.effect, 6);
  EXPECT_EQ(lamp.value, 40);
  EXPECT_EQ(lamp.x, 15);
  EXPECT_EQ(lamp.y, 2);
  EXPECT_EQ(lamp.targetX, 10);
  EXPECT_EQ(lamp.targetY, 10);
  EXPECT_STREQ(lamp.msg, "CBET");
  EXPECT_EQ(m->specials[2].effect, 8);
  EXPECT_EQ(m->specials[2].x, 18);
  EXPECT_EQ(m->specials[3].trigger, 0);

  // The torch brush of size 2 lifts its surroundings to 0; far tiles keep
  // the map's light. Files keep the current light equal to the base light.
  EXPECT_EQ(MapTile(*m, 4, 5).light, 0);
  EXPECT_EQ(MapTile(*m, 5, 5).light, 0);
  EXPECT_EQ(MapTile(*m, 15, 15).light, -6);
  for (const Tile& t : m->tiles) {
    EXPECT_EQ(t.curLight, t.light);
    EXPECT_EQ(t.mark, 0);
  }
}

TEST_F(LevelTest, WorldCarriesTheTilesetsImagesAndTerrain) {
  ASSERT_NE(Map3(kMill), nullptr);
  const WorldTileset tiles = testing::TestTileset();
  for (int f = 0; f < kTerrainEntries; ++f) {
    EXPECT_EQ(loaded_.terrain[f].flags, tiles.terrain[f].flags) << f;
    EXPECT_EQ(loaded_.terrain[f].next, tiles.terrain[f].next) << f;
  }
  for (int n : {0, 5, 36, 199, 200, 300, 399}) {
    ASSERT_NE(GetTile(n), nullptr);
    EXPECT_EQ(GetTile(n)[0], n % 251) << n;
    EXPECT_EQ(GetTile(n)[767], n % 251) << n;
  }
  EXPECT_EQ(loaded_.maps[0]->width, 20);
  EXPECT_EQ(loaded_.maps[1]->width, 64);
  EXPECT_EQ(loaded_.maps[1]->monsters[0].kind, 1);
  EXPECT_EQ(loaded_.maps[1]->monsters[0].x, 5);
}

// An entry with a floor or a wall makes the whole tile; one without is laid
// onto what is there. Later painting wins.
TEST_F(LevelTest, PaintingLayersInFileOrder) {
  const Map* m = Map3(
      "name \"L\"\nsize 20\nfill .\n"
      "legend\n"
      "  g  item gold\n"
      "  G  like ~ item gold\n"
      "  d  light -20\n"
      "  w  like # roof 190\n"
      "end\n"
      "grid at 0 0\n"
      "gggg\n"
      "Gdww  x 2\n"
      "end\n"
      "rect 1 0 1 1 ,\n"
      "grid at 3 3\n"
      "g\n"
      "end\n"
      "hero at 10 10\n");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(MapTile(*m, 0, 0).floor, 5);  // gold on the filled grass
  EXPECT_EQ(MapTile(*m, 0, 0).item, 8);
  EXPECT_EQ(MapTile(*m, 1, 0).floor, 0);  // the dirt rectangle took the gold away
  EXPECT_EQ(MapTile(*m, 1, 0).item, 0);
  EXPECT_EQ(MapTile(*m, 0, 1).floor, 36);  // 'like ~' plus gold
  EXPECT_EQ(MapTile(*m, 0, 1).item, 8);
  EXPECT_EQ(MapTile(*m, 0, 2).item, 8);  // the repeated row
  EXPECT_EQ(MapTile(*m, 1, 2).light, -20);
  EXPECT_EQ(MapTile(*m, 1, 2).floor, 5);
  EXPECT_EQ(MapTile(*m, 2, 1).wall, 1);
  EXPECT_EQ(MapTile(*m, 2, 1).floor, 190);
  EXPECT_EQ(MapTile(*m, 0, 3).item, 0);  // past the repeats: the fill
  EXPECT_EQ(MapTile(*m, 3, 3).item, 8);
}

TEST_F(LevelTest, TileNamesFromTheWorldFileAndNumbers) {
  std::string error;
  CompiledWorld w;
  ASSERT_TRUE(testing::Compile(
      WorldFile("tiles\n  bog floor 77\n  brick wall 9\nend\n"),
      {Map0(),
       Hub(),
       Final(),
       {"w/03.map",
        "map 3\nname \"N\"\nsize 20\nfill .\nlegend\n  b floor bog\n  B wall brick roof 12\n"
        "  n floor 120\nend\ngrid at 0 0\nbBn\nend\nhero at 5 5\n"}},
      w, error))
      << error;
  const Map& m = *w.world.maps[3];
  EXPECT_EQ(MapTile(m, 0, 0).floor, 77);
  EXPECT_EQ(MapTile(m, 1, 0).wall, 9);
  EXPECT_EQ(MapTile(m, 1, 0).floor, 12);
  EXPECT_EQ(MapTile(m, 2, 0).floor, 120);
}

// Roofs follow the walls around them, a plain wall above the ground family
// turns into its footed face, and outside ground gets edges toward it.
TEST(LevelAutotile, RoofsWallFeetAndEdges) {
  Map m;
  NewMap(m, kSizeSmall, "A");
  for (Tile& t : m.tiles) t = Tile{};  // all dirt (floor 0)
  for (int y = 5; y <= 7; ++y)
    for (int x = 5; x <= 7; ++x) MapTile(m, x, y) = Tile{199, 1, 0, 0, 0, 0};
  MapTile(m, 15, 15) = Tile{199, 1, 0, 0, 0, 0};
  for (int y = 8; y <= 9; ++y)
    for (int x = 5; x <= 7; ++x) MapTile(m, x, y).floor = 5;
  for (int y = 2; y <= 3; ++y)
    for (int x = 10; x <= 12; ++x) MapTile(m, x, y).floor = 6;
  AutotileMap(m, kAutotileRoofs | kAutotileGround | kAutotileEdges, 1,
              testing::TestTileset().terrain);

  struct Case {
    int x, y;
    uint8_t floor, wall;
  } cases[] = {
      {5, 5, 191, 1},    // joined east and south
      {6, 5, 195, 1},    // joined west, east and south
      {6, 6, 199, 1},    // interior
      {7, 7, 194, 2},    // joined west and north; grass below: footed face
      {15, 15, 188, 1},  // a lone pillar
      {9, 2, 20, 0},     // grass to the east
      {11, 1, 17, 0},    // grass to the south
      {9, 1, 21, 0},     // grass only at the south-east corner
      {13, 4, 24, 0},    // grass only at the north-west corner
      {0, 0, 0, 0},      // far from everything
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MapTile(m, c.x, c.y).floor, c.floor) << c.x << "," << c.y;
    EXPECT_EQ(MapTile(m, c.x, c.y).wall, c.wall) << c.x << "," << c.y;
  }
  for (int x = 10; x <= 12; ++x) {
    const uint8_t f = MapTile(m, x, 2).floor;
    EXPECT_TRUE(f >= 5 && f <= 16) << int(f);
  }
}

// Outside ground beside water or lava shows the shore on the sides where it
// lies; the second roof family is pieced together like the first.
TEST(LevelAutotile, BanksAndTheSecondRoofs) {
  Map m;
  NewMap(m, kSizeSmall, "B");
  for (Tile& t : m.tiles) t = Tile{};
  for (int y = 5; y <= 7; ++y)
    for (int x = 5; x <= 7; ++x) MapTile(m, x, y).floor = 36;  // a pond
  MapTile(m, 15, 5).floor = 52;                                // a lava hole
  MapTile(m, 12, 12).floor = 36;                               // water on both sides of (13, 12)
  MapTile(m, 14, 12).floor = 36;
  for (int x = 2; x <= 3; ++x) MapTile(m, x, 15) = Tile{175, 14, 0, 0, 0, 0};
  AutotileMap(m, kAutotileRoofs | kAutotileBanks, 1, testing::TestTileset().terrain);
  struct Case {
    int x, y;
    uint8_t floor;
  } cases[] = {
      {6, 4, 42},    // water to the south
      {8, 6, 43},    // to the west
      {6, 8, 40},    // to the north
      {4, 6, 41},    // to the east
      {4, 4, 49},    // only across the south-east corner
      {8, 8, 51},    // only across the north-west corner
      {15, 4, 127},  // lava to the south: the lava shore of the same side
      {13, 12, 0},   // water east and west: no piece fits
      {6, 6, 36},    // the water itself
      {2, 15, 162},  // second roofs: joined east only (186 in the first family)
      {3, 15, 163},  // joined west only (187)
  };
  for (const Case& c : cases) EXPECT_EQ(MapTile(m, c.x, c.y).floor, c.floor) << c.x << "," << c.y;
}

TEST(LevelAutotile, AlternativesArePickedPerTile) {
  CompiledWorld w;
  std::string error;
  ASSERT_TRUE(testing::Compile(WorldFile(),
                               {Map0(),
                                Hub(),
                                Final(),
                                {"w/03.map",
                                 "map 3\nname \"A\"\nsize 64\nlegend\n  a floor dirt|grass|rock\n"
                                 "  w wall stone|hedge roof 190\nend\nfill a\nrect 0 0 64 2 "
                                 "w\nrect 9 9 1 1 ,\nhero at 9 9\n"}},
                               w, error))
      << error;
  std::map<int, int> floors, walls;
  for (const Tile& t : w.world.maps[3]->tiles) {
    if (t.wall) {
      ++walls[t.wall];
      EXPECT_EQ(t.floor, 190);
    } else {
      ++floors[t.floor];
    }
  }
  EXPECT_EQ(floors.size(), 3u);
  for (auto [floor, count] : floors) EXPECT_GT(count, 64 * 62 / 6) << floor;
  EXPECT_EQ(walls.size(), 2u);
}

TEST_F(LevelTest, AutotileIsTheSameEveryRun) {
  const std::string src =
      "name \"A\"\nsize 64\nautotile\nfill ,\nrect 10 10 30 30 .\nrect 20 20 5 5 #\nhero at 2 2\n";
  CompiledWorld a, b;
  std::string error;
  std::vector<SourceFile> maps = {Map0(), Hub(), Final(), {"w/03.map", "map 3\n" + src}};
  ASSERT_TRUE(testing::Compile(WorldFile(), maps, a, error)) << error;
  ASSERT_TRUE(testing::Compile(WorldFile(), maps, b, error)) << error;
  EXPECT_EQ(CompiledWorldBytes(a), CompiledWorldBytes(b));
  // The ground family was rolled into more than one variant.
  std::set<int> seen;
  for (const Tile& t : a.world.maps[3]->tiles) {
    if (t.floor >= 5 && t.floor <= 16) seen.insert(t.floor);
  }
  EXPECT_GT(seen.size(), 4u);
}

TEST(LevelText, RussianTurnsIntoTheLetterCoding) {
  struct Case {
    const char* written;
    const char* coded;
  } cases[] = {
      {"Река", "PEKA"},
      {"ёжик", "EGNK"},
      {"Мыло и щи", "MbIV0 N &N"},
      {"Юный Эльф", "WHbIJ ZVbO"},
      {"Объезд: 3 км!", "0SbE3D: 3 KM!"},
      {"H0BAR NFPA", "H0BAR NFPA"},  // already coded
  };
  for (const Case& c : cases) {
    std::string coded, error;
    EXPECT_TRUE(ToGameText(c.written, coded, error)) << c.written << ": " << error;
    EXPECT_EQ(coded, c.coded) << c.written;
  }
  for (const char* bad : {"hello", "tab\there", "€", "ü"}) {
    std::string coded, error;
    EXPECT_FALSE(ToGameText(bad, coded, error)) << bad;
    EXPECT_NE(error.find("cannot show"), std::string::npos) << error;
  }
}

TEST(LevelText, WordsQuotesAndComments) {
  std::vector<Word> w;
  std::string error;
  ASSERT_TRUE(SplitWords("special a \"two words\" x//y // note", w, error));
  ASSERT_EQ(w.size(), 4u);
  EXPECT_EQ(w[2].text, "two words");
  EXPECT_TRUE(w[2].quoted);
  EXPECT_EQ(w[3].text, "x//y");
  ASSERT_TRUE(SplitWords("// only a note", w, error));
  EXPECT_TRUE(w.empty());
  ASSERT_TRUE(SplitWords("say \"a \\\"b\\\"\"", w, error));
  EXPECT_EQ(w[1].text, "a \"b\"");
  EXPECT_FALSE(SplitWords("say \"open", w, error));
}

}  // namespace
}  // namespace torvel::forge
