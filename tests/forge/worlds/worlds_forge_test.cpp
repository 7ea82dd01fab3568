// The worlds part of the forge: sources read from their folders, world files
// written into the game folder the same way every run, and a preview of
// every map.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/byte_io.h"
#include "forge/tilesets/tileset_builder.h"
#include "forge/worlds/level_preview.h"
#include "forge/worlds/world_sources.h"
#include "level_fixture.h"

namespace torvel::forge {
namespace {

using torvel::testing::MakeTempDir;
using torvel::testing::TestName;

void Write(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A folder of sources as an author keeps them: world.txt and *.map files,
// other files ignored, folders without a world.txt skipped.
std::string WriteSources(const std::string& root) {
  const std::string worlds = root + "/worlds";
  Write(worlds + "/test/world.txt", testing::WorldFile().text);
  Write(worlds + "/test/00-start.map", testing::Map0().text);
  Write(worlds + "/test/01-hub.map", testing::Hub().text);
  Write(worlds + "/test/02-end.map",
        "map 2\nname \"END\"\nsize 20\nfill .\nrect 2 2 4 3 #\nhero at 1 1\nmonster spider at 9 9\n"
        "legend\n  k item key\nend\ngrid at 10 10\nk\nend\n"
        "special out at 12 12 step do goto 1\n");
  Write(worlds + "/test/notes.txt", "not a map");
  Write(worlds + "/sketches/02-idea.map", "map 2\nbroken");
  return worlds;
}

TEST(WorldsForge, ReadsEveryWorldFolder) {
  const std::string root = MakeTempDir(TestName());
  std::vector<WorldSourceFiles> worlds;
  std::string error;
  ASSERT_TRUE(ReadWorldSources(WriteSources(root), worlds, error)) << error;
  ASSERT_EQ(worlds.size(), 1u);
  EXPECT_EQ(worlds[0].world.name, "test/world.txt");
  ASSERT_EQ(worlds[0].maps.size(), 3u);
  EXPECT_EQ(worlds[0].maps[0].name, "test/00-start.map");
  EXPECT_EQ(worlds[0].maps[2].name, "test/02-end.map");
}

TEST(WorldsForge, TwoRunsWriteTheSameBytes) {
  const std::string root = MakeTempDir(TestName());
  std::vector<WorldSourceFiles> worlds;
  std::string error;
  ASSERT_TRUE(ReadWorldSources(WriteSources(root), worlds, error)) << error;
  std::vector<uint8_t> runs[2];
  for (int run = 0; run < 2; ++run) {
    ForgeOptions options;
    options.outDir = root + "/game" + std::to_string(run);
    options.previewDir = root + "/preview" + std::to_string(run);
    std::filesystem::create_directories(options.outDir);
    std::filesystem::create_directories(options.previewDir);
    ASSERT_TRUE(ForgeWorldFiles(options, worlds, testing::TestTilesets, error)) << error;
    ASSERT_TRUE(ReadFileBytes(options.outDir + "/test.vwd", runs[run]));
    for (int n = 0; n < 3; ++n) {
      EXPECT_TRUE(std::filesystem::exists(options.previewDir + "/world-test-0" + std::to_string(n) +
                                          ".png"))
          << n;
    }
  }
  EXPECT_EQ(runs[0].size(), kWorldHeaderBytes + MapBlockBytes(20, 20) * 2 + MapBlockBytes(64, 64));
  EXPECT_EQ(runs[0], runs[1]);
}

TEST(WorldsForge, ABrokenSourceStopsTheForge) {
  const std::string root = MakeTempDir(TestName());
  const std::string worlds = WriteSources(root);
  Write(worlds + "/test/03-bad.map",
        "map 3\nname \"B\"\nsize 20\nfill .\nhero at 1 1\nmonster spider at 1 1\n");
  std::vector<WorldSourceFiles> sources;
  std::string error;
  ASSERT_TRUE(ReadWorldSources(worlds, sources, error)) << error;
  ForgeOptions options;
  options.outDir = root + "/game";
  std::filesystem::create_directories(options.outDir);
  EXPECT_FALSE(ForgeWorldFiles(options, sources, testing::TestTilesets, error));
  EXPECT_EQ(error, "test/03-bad.map:6: two monsters start on (1, 1)");
  EXPECT_FALSE(std::filesystem::exists(options.outDir + "/test.vwd"));
}

// The worlds take their tiles from the tileset forge, with words for the
// places of its layout.
TEST(WorldsForge, TilesetsComeFromTheTilesetForge) {
  WorldTileset t;
  std::string error;
  ASSERT_TRUE(ForgedWorldTileset("river", t, error)) << error;
  EXPECT_EQ(t.picture, BuildTileset(Theme::kRiver));
  const TerrainTable terrain = TilesetTerrain(Theme::kRiver);
  for (int f = 0; f < kTerrainEntries; ++f) {
    EXPECT_EQ(t.terrain[f].flags, terrain[f].flags) << f;
    EXPECT_EQ(t.terrain[f].next, terrain[f].next) << f;
  }
  auto floor = [&](const char* name) {
    for (const auto& [n, f] : t.floorNames)
      if (n == name) return f;
    ADD_FAILURE() << name;
    return 0;
  };
  struct Case {
    const char* name;
    uint16_t flag;
  } cases[] = {{"water", kTerrainWater},
               {"lava", kTerrainLava},
               {"pit", kTerrainImpassable},
               {"ice", kTerrainIcy},
               {"mud", kTerrainMuddy},
               {"block-top", kTerrainPushable},
               {"block-track", kTerrainCanBePushedOn},
               {"block-socket", kTerrainCanBePushedOn},
               {"plate", kTerrainStepChanges},
               {"canopy", kTerrainTransparentRoof}};
  for (const Case& c : cases) EXPECT_TRUE(t.terrain[floor(c.name)].flags & c.flag) << c.name;
  EXPECT_EQ(t.terrain[floor("block-top")].next, floor("block-track"));
  for (const auto& [name, wall] : t.wallNames) {
    EXPECT_GE(wall, 1) << name;
    EXPECT_LE(wall, 200) << name;
  }
  EXPECT_FALSE(ForgedWorldTileset("moon", t, error));
  EXPECT_NE(error.find("no tileset named \"moon\""), std::string::npos) << error;
}

// The overview shows walls, items, monsters and specials where they are.
TEST(WorldsForge, PreviewMarksWhatIsOnTheMap) {
  CompiledWorld w;
  std::string error;
  ASSERT_TRUE(
      testing::Compile(testing::WorldFile(),
                       {testing::Map0(),
                        testing::Hub(),
                        testing::Final(),
                        {"w/03.map",
                         "map 3\nname \"P\"\nsize 64\nfill .\nrect 10 10 3 3 #\nhero at 1 1\n"
                         "legend\n  k item key\nend\ngrid at 20 20\nk\nend\nspecial s at 30 30 "
                         "step do teleport 40 40\n"}},
                       w, error))
      << error;
  MapPreview p = RenderMapPreview(*w.world.maps[3], w.tileset, "TEST MAP 3");
  ASSERT_EQ(p.width, 64 * 8);
  ASSERT_EQ(p.height, 9 + 64 * 6);
  auto at = [&](int tx, int ty, int px, int py) {
    return p.pixels[static_cast<size_t>(9 + ty * 6 + py) * p.width + tx * 8 + px];
  };
  const uint8_t ground = at(50, 50, 3, 3);
  EXPECT_EQ(at(10, 10, 0, 3), 0);       // a wall's outline toward open ground
  EXPECT_NE(at(11, 11, 0, 3), 0);       // none inside the block
  EXPECT_NE(at(20, 20, 4, 3), ground);  // the key's mark
  EXPECT_NE(at(1, 1, 4, 3), ground);    // the hero
  EXPECT_NE(at(30, 30, 0, 0), ground);  // the special's frame
  EXPECT_NE(at(40, 40, 1, 1), ground);  // and its target
}

}  // namespace
}  // namespace torvel::forge

namespace torvel::forge {
namespace {

// The README's first example compiles as written.
TEST(WorldsForge, TheReadmeExampleCompiles) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(std::string(TORVEL_SOURCE_DIR) + "/content/worlds/README.md", bytes));
  const std::string readme(bytes.begin(), bytes.end());
  const size_t section = readme.find("## A first map");
  ASSERT_NE(section, std::string::npos);
  const size_t start = readme.find("```\n", section) + 4;
  const size_t end = readme.find("```", start);
  ASSERT_NE(end, std::string::npos);
  const std::string example = readme.substr(start, end - start);
  auto filler = [](int n) {
    return SourceFile{"w/0" + std::to_string(n) + ".map",
                      "map " + std::to_string(n) + "\nname \"F\"\nsize 20\nfill .\nhero at 1 1\n"};
  };
  CompiledWorld w;
  std::string error;
  ASSERT_TRUE(testing::Compile(testing::WorldFile(),
                               {testing::Map0(),
                                testing::Hub(),
                                testing::Final(),
                                filler(3),
                                filler(4),
                                {"README.md", example}},
                               w, error))
      << error;
  const Map& m = *w.world.maps[5];
  EXPECT_EQ(MapTile(m, 7, 7).item, 16);
  EXPECT_EQ(m.specials[0].effect, 2);
  EXPECT_EQ(m.specials[0].targetX, 11);
  EXPECT_EQ(m.specials[0].targetY, 7);
}

}  // namespace
}  // namespace torvel::forge
