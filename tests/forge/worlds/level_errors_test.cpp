// Broken level sources stop the compiler with a message naming the file and
// the line, and saying what is wrong.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "level_fixture.h"

namespace torvel::forge {
namespace {

using testing::Final;
using testing::Hub;
using testing::Map0;
using testing::WorldFile;

struct MapCase {
  const char* what;
  const char* body;    // map 3 from its fourth line on (lines 1-3: map, name, size 20)
  const char* expect;  // part of the message
};

// Lines 1-3 of every case; the body starts on line 4.
constexpr char kHead[] = "map 3\nname \"E\"\nsize 20\n";

const MapCase kMapCases[] = {
    {"unknown legend character", "fill .\ngrid at 0 0\n..Q\nend\nhero at 9 9\n",
     "w/03.map:6: unknown legend character 'Q' at (2, 0)"},
    {"ragged rows", "fill .\ngrid at 0 0\n...\n..\nend\n", "w/03.map:7: ragged row"},
    {"monster on a wall",
     "fill .\nlegend\n  W like # monster spider\nend\ngrid at 0 0\nW\nend\nhero at 9 9\n",
     "w/03.map:9: spider (kind 4) at (0, 0) starts on a wall"},
    {"monster on an item",
     "fill .\nlegend\n  k item key\nend\ngrid at 0 0\nk\nend\nmonster spider at 0 0\nhero at 9 9\n",
     "w/03.map:11: spider (kind 4) at (0, 0) starts on item 16"},
    {"two monsters on a tile", "fill .\nmonster spider at 1 1\nmonster bat at 1 1\nhero at 9 9\n",
     "w/03.map:6: two monsters start on (1, 1)"},
    {"two specials on a tile",
     "fill .\nspecial a at 3 3 step do win\nspecial b at 3 3 step do win\nhero at 9 9\n",
     "w/03.map:6: special \"b\" and special \"a\" on one tile (3, 3)"},
    {"second hero", "fill .\nhero at 1 1\nhero at 2 2\n",
     "w/03.map:6: a second hero start at (2, 2)"},
    {"no hero", "fill .\nmonster spider at 1 1\n", "w/03.map: map 3 has no hero start"},
    {"item on a wall",
     "fill .\nlegend\n  X like # item gold\nend\ngrid at 0 0\nX\nend\nhero at 9 9\n",
     "w/03.map:9: item 8 on a wall at (0, 0)"},
    {"grid off the map", "fill .\ngrid at 18 0\n...\nend\nhero at 9 9\n",
     "w/03.map:5: the grid at (18, 0), 3 x 1, reaches past the 20 x 20 map"},
    {"unpainted tiles", "grid at 0 0\n..\nend\nhero at 0 0\n",
     "w/03.map: tile (2, 0) is not painted"},
    {"object with no ground under it", "grid at 0 0\n@\nend\n",
     "w/03.map:5: '@' at (0, 0) lies on no ground"},
    {"unknown floor name", "fill .\nlegend\n  q floor marsh\nend\n",
     "w/03.map:6: unknown floor \"marsh\""},
    {"unknown like", "fill .\nlegend\n  z like Q\nend\n",
     "w/03.map:6: 'like Q': 'Q' is not in the legend yet"},
    {"unknown monster", "fill .\nmonster dragon at 1 1\n",
     "w/03.map:5: unknown monster kind \"dragon\""},
    {"kind never placed", "fill .\nmonster golem at 1 1\nhero at 9 9\n",
     "w/03.map:5: golem (kind 20) at (1, 1): this kind is never placed"},
    {"swimmer on dry land", "fill .\nmonster serpent at 1 1\nhero at 9 9\n",
     "w/03.map:5: serpent (kind 10) at (1, 1) swims"},
    {"walker in water", "fill .\nrect 0 0 2 2 ~\nmonster spider at 1 1\nhero at 9 9\n",
     "w/03.map:6: spider (kind 4) at (1, 1) starts in water or lava"},
    {"big monster against a wall",
     "fill .\nrect 5 0 1 20 #\nmonster mamaspdr at 6 5\nhero at 9 9\n",
     "w/03.map:6: mamaspdr (kind 8) at (6, 5) needs the tiles (5..7, 4..6) clear, but (5, 4) is a "
     "wall"},
    {"pool too small for its swimmer",
     "fill .\nrect 5 5 3 3 ~\nmonster thething at 6 6\nhero at 9 9\n",
     "w/03.map:6: thething (kind 26) at (6, 6) needs the tiles (4..8, 4..8) all in open water or "
     "lava, but "
     "(4, 4) is not"},
    {"hero in water", "fill .\nrect 0 0 2 2 ~\nhero at 1 1\n",
     "w/03.map:6: hero (kind 1) at (1, 1) starts in water, lava or on impassable ground"},
    {"special never placed", "fill .\nspecial lost step do win\nhero at 9 9\n",
     "w/03.map:5: special \"lost\" is never placed"},
    {"legend names a missing special",
     "fill .\nlegend\n  s special nope\nend\ngrid at 0 0\ns\nend\nhero at 9 9\n",
     "w/03.map:9: 's' places special \"nope\", which this map does not define"},
    {"special without a trigger", "fill .\nspecial x at 1 1 do win\n",
     "w/03.map:5: special \"x\" has no trigger"},
    {"special without an effect", "fill .\nspecial x at 1 1 step\n",
     "w/03.map:5: special \"x\" has no 'do EFFECT'"},
    {"teleport fired by a shot", "fill .\nspecial t at 1 1 shot do teleport 5 5\n",
     "w/03.map:5: a teleport moves whoever stepped on it"},
    {"teleport into a wall",
     "fill .\nrect 5 5 1 1 #\nspecial t at 1 1 step do teleport 5 5\nhero at 9 9\n",
     "w/03.map:6: special \"t\": its teleport tile (5, 5) is no place to stand"},
    {"two trigger values", "fill .\nspecial c at 1 1 near 2 collected 3 do win\n",
     "w/03.map:5: collected 3 needs the special's one trigger value, which already holds 2"},
    {"exit to map 0", "fill .\nspecial g at 1 1 step do goto 0\n",
     "w/03.map:5: map 0 is never played"},
    {"exit to a missing map", "fill .\nspecial g at 1 1 step do goto 9\nhero at 9 9\n",
     "w/03.map:5: special \"g\" leads to map 9, which the world does not have"},
    {"zap without a wall", "fill .\nspecial z at 1 1 step do zap 3 3 floor grass\nhero at 9 9\n",
     "w/03.map:5: special \"z\": its zap tile (3, 3) has no wall to zap"},
    {"marker not unique",
     "fill .\nlegend\n  m like .\nend\ngrid at 0 0\nmm\nend\nspecial s at 'm' step do win\nhero at "
     "9 9\n",
     "w/03.map:11: the special's tile 'm' names the one tile of that character, but the map has 2"},
    {"light that lights nothing", "fill .\nspecial l at 1 1 step do light 2 2 200\n",
     "w/03.map:5: light 200 lights nothing"},
    {"message the fonts cannot show",
     "fill .\nspecial m at 1 1 step do nothing message \"hello\"\n",
     "w/03.map:5: the game's fonts cannot show 'h'"},
    {"quote left open", "fill .\nspecial q at 1 1 step do nothing message \"open\n",
     "w/03.map:5: a quoted text is not closed"},
    {"name too long", "name \"Очень длинное название этой карты\"\n", "w/03.map:4: a map name"},
    {"unknown keyword", "sparkle 3\n", "w/03.map:4: unknown keyword \"sparkle\""},
    {"bad size", "size 30\n", "w/03.map:4: a map is 20, 64 or 128 tiles square"},
    {"two scrolls", "fill .\nlegend\n  s item scroll\nend\ngrid at 0 0\nss\nend\nhero at 9 9\n",
     "w/03.map: two spell scrolls on one map"},
    // The route block: its lines are read like the others, and its tiles
    // checked against the map built.
    {"route step unknown", "fill .\nhero at 9 9\nroute\n  jump 3 3\nend\n",
     "w/03.map:7: unknown route step \"jump\""},
    {"route without an end", "fill .\nhero at 9 9\nroute\n  go 3 3\n  win\n",
     "w/03.map:8: the route has no 'end'"},
    {"second route", "fill .\nhero at 9 9\nroute\n  win\nend\nroute\n  win\nend\n",
     "w/03.map:9: a map has one route"},
    {"route step without its tile", "fill .\nhero at 9 9\nroute\n  go\nend\n",
     "w/03.map:7: expected a tile"},
    {"route tile half given", "fill .\nhero at 9 9\nroute\n  step 3\nend\n",
     "w/03.map:7: expected a tile"},
    {"route step with words too many", "fill .\nhero at 9 9\nroute\n  win 3 3 now\nend\n",
     "w/03.map:7: unexpected \"now\""},
    {"route push without a way", "fill .\nhero at 9 9\nroute\n  push 3 3\nend\n",
     "w/03.map:7: expected north, east, south or west"},
    {"route push a way that is none", "fill .\nhero at 9 9\nroute\n  push 3 3 up\nend\n",
     "w/03.map:7: a block is pushed north, east, south or west, not \"up\""},
    {"route push no tiles", "fill .\nhero at 9 9\nroute\n  push 3 3 north 0\nend\n",
     "w/03.map:7: a number of tiles 0 is outside 1..127"},
    {"route wait too long", "fill .\nhero at 9 9\nroute\n  wait 3001\nend\n",
     "w/03.map:7: a number of steps 3001 is outside 1..3000"},
    {"route wait for nothing", "fill .\nhero at 9 9\nroute\n  wait\nend\n",
     "w/03.map:7: expected a number of steps"},
    {"route take an unknown item", "fill .\nhero at 9 9\nroute\n  take sword\nend\n",
     "w/03.map:7: unknown item \"sword\""},
    {"route kill an unknown kind", "fill .\nhero at 9 9\nroute\n  kill dragon\nend\n",
     "w/03.map:7: unknown monster kind \"dragon\""},
    {"route visit past the maps", "fill .\nhero at 9 9\nroute\n  visit 24\nend\n",
     "w/03.map:7: a map number 24 is outside 1..23"},
    {"route tile off the map", "fill .\nhero at 9 9\nroute\n  go 25 3\nend\n",
     "w/03.map:7: the route's tile (25, 3) lies off the 20 x 20 map"},
    {"route marker not unique",
     "fill .\nlegend\n  m like .\nend\ngrid at 0 0\nmm\nend\nhero at 9 9\nroute\n  step 'm'\nend\n",
     "w/03.map:13: the route's tile 'm' names the one tile of that character, but the map has 2"},
    {"route marker missing", "fill .\nhero at 9 9\nroute\n  win 'Z'\nend\n",
     "w/03.map:7: the route's tile 'Z' names the one tile of that character, but the map has 0"},
    {"route take where no item lies",
     "fill .\nlegend\n  m like .\nend\ngrid at 4 4\nm\nend\nhero at 9 9\nroute\n  take "
     "'m'\nend\n",
     "w/03.map:13: 'take' (4, 4): no item lies there"},
    {"route push where no block stands",
     "fill .\nrect 4 4 1 1 #\nhero at 9 9\nroute\n  push 4 4 east\n  push 5 5 east\nend\n",
     "w/03.map:8: 'push' (4, 4): no block stands there"},
    {"route visit off the hub", "fill .\nhero at 9 9\nroute\n  visit 2\nend\n",
     "w/03.map:7: 'visit' belongs in the hub's route (map 1)"},
    {"route shop off the hub", "fill .\nhero at 9 9\nroute\n  win\n  shop\nend\n",
     "w/03.map:8: 'shop' belongs in the hub's route (map 1)"},
};

class LevelErrors : public ::testing::TestWithParam<MapCase> {};

TEST_P(LevelErrors, NameTheFileAndLine) {
  const MapCase& c = GetParam();
  CompiledWorld w;
  std::string error;
  EXPECT_FALSE(testing::Compile(
      WorldFile(), {Map0(), Hub(), Final(), {"w/03.map", std::string(kHead) + c.body}}, w, error));
  EXPECT_NE(error.find(c.expect), std::string::npos)
      << "expected: " << c.expect << "\ngot:      " << error;
}

INSTANTIATE_TEST_SUITE_P(Maps, LevelErrors, ::testing::ValuesIn(kMapCases),
                         [](const ::testing::TestParamInfo<MapCase>& info) {
                           std::string name = info.param.what;
                           for (char& ch : name) {
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return name;
                         });

// Rules about the world as a whole: its maps, the hub, the final map and the
// arenas.
TEST(LevelWorldErrors, NameTheFileAndSayWhat) {
  const std::string spiders =
      "monster spider at 1 1\nmonster spider at 2 1\nmonster spider at 3 1\n"
      "monster spider at 4 1\nmonster spider at 5 1\nmonster spider at 6 1\n"
      "monster spider at 7 1\nmonster spider at 8 1\nmonster spider at 9 1\n";
  struct Case {
    const char* what;
    SourceFile world;
    std::vector<SourceFile> maps;
    const char* expect;
  } cases[] = {
      {"a gap in the maps",
       WorldFile(),
       {Map0(), Hub(), Final(), {"w/04.map", "map 4\nname \"E\"\nsize 20\nfill .\nhero at 1 1\n"}},
       "w/04.map: map 4 follows a gap: map 3 is not written"},
      {"the same map twice",
       WorldFile(),
       {Map0(), Hub(), Final(), {"w/03.map", "map 2\nname \"E\"\nsize 20\nfill .\nhero at 1 1\n"}},
       "w/03.map: map 2 is also written in w/02.map"},
      {"no map 0",
       WorldFile(),
       {Hub(), Final()},
       "w/01.map: map 1 follows a gap: map 0 is not written"},
      {"a small hub",
       WorldFile(),
       {Map0(), {"w/01.map", "map 1\nname \"H\"\nsize 20\nfill .\nhero at 5 5\n"}, Final()},
       "w/01.map: the hub must be 64 or 128 tiles square"},
      {"a summon on the hub",
       WorldFile(),
       {Map0(),
        {"w/01.map",
         "map 1\nname \"H\"\nsize 64\nfill .\nhero at 5 5\nspecial s at 2 2 step do summon spider "
         "3 3\n"},
        Final()},
       "w/01.map:6: special \"s\" summons on the hub"},
      {"the hub's route visits a map not written",
       WorldFile(),
       {Map0(),
        {"w/01.map",
         "map 1\nname \"H\"\nsize 64\nfill .\nhero at 5 5\nroute\n  shop\n  visit 2\n  visit "
         "7\nend\n"},
        Final()},
       "w/01.map:9: 'visit 7': the world has no map 7"},
      {"the hub's route visits the hub",
       WorldFile(),
       {Map0(),
        {"w/01.map", "map 1\nname \"H\"\nsize 64\nfill .\nhero at 5 5\nroute\n  visit 1\nend\n"},
        Final()},
       "w/01.map:7: 'visit 1': the hub visits other maps"},
      {"the final map missing",
       WorldFile("final 7\n"),
       {Map0(), Hub(), Final()},
       "w/world.txt: final map 7 is not written"},
      {"an arena with few monsters",
       WorldFile("arenas 3\n"),
       {Map0(),
        Hub(),
        Final(),
        {"w/03.map",
         "map 3\nname \"A\"\nsize 20\nfill .\nrect 0 0 1 1 P\nhero at 5 5\n" + spiders}},
       "w/03.map: an arena needs at least 10 monster starts besides the hero; it has 9"},
      {"an arena without power",
       WorldFile("arenas 3\n"),
       {Map0(),
        Hub(),
        Final(),
        {"w/03.map",
         "map 3\nname \"A\"\nsize 20\nfill .\nhero at 5 5\nmonster bat at 10 1\n" + spiders}},
       "w/03.map: an arena needs an item power"},
      {"an unknown tileset",
       {"w/world.txt", "file t.vwd\ntileset nope\nfinal 2\n"},
       {Map0(), Hub(), Final()},
       "w/world.txt: tileset \"nope\": no such tileset"},
      {"an unknown world keyword",
       WorldFile("colour red\n"),
       {Map0(), Hub(), Final()},
       "w/world.txt:11: unknown keyword \"colour\" in a world file"},
      {"no file name",
       {"w/world.txt", "tileset test\n"},
       {Map0(), Hub(), Final()},
       "w/world.txt: the world file says no 'file NAME.vwd'"},
  };
  for (const Case& c : cases) {
    CompiledWorld w;
    std::string error;
    std::vector<SourceFile> maps = c.maps;
    // The arenas need their power item, written with a legend of their own.
    for (SourceFile& m : maps) {
      size_t at = m.text.find("rect 0 0 1 1 P");
      if (at != std::string::npos) m.text.insert(at, "legend\n  P item power\nend\n");
    }
    EXPECT_FALSE(testing::Compile(c.world, maps, w, error)) << c.what;
    EXPECT_NE(error.find(c.expect), std::string::npos)
        << c.what << "\nexpected: " << c.expect << "\ngot:      " << error;
  }
}

TEST(LevelWorldErrors, PicturesMustBeInTheGameFolder) {
  CompileOptions options;
  options.tilesets = testing::TestTilesets;
  options.pictureExists = [](const std::string& name) { return name == "map.bmp"; };
  auto withPicture = [](const char* file) {
    return SourceFile{"w/03.map", std::string("map 3\nname \"P\"\nsize 20\nfill .\nhero at 1 1\n"
                                              "special p at 2 2 step do picture \"") +
                                      file + "\"\n"};
  };
  CompiledWorld w;
  std::string error;
  EXPECT_TRUE(CompileWorld(WorldFile(), {Map0(), Hub(), Final(), withPicture("map.bmp")}, options,
                           w, error))
      << error;
  EXPECT_EQ(std::string(w.world.maps[3]->specials[0].msg), "map.bmp");
  EXPECT_FALSE(CompileWorld(WorldFile(), {Map0(), Hub(), Final(), withPicture("lost.bmp")}, options,
                            w, error));
  EXPECT_NE(
      error.find(
          "w/03.map:6: special \"p\" shows \"graphics\\lost.bmp\", which the game folder lacks"),
      std::string::npos)
      << error;
}

}  // namespace
}  // namespace torvel::forge
