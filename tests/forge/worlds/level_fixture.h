// Small level sources compiled over a small test tileset, and the result
// read back through the game's own LoadWorld.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/byte_io.h"
#include "forge/worlds/level_build.h"
#include "platform/paths.h"
#include "support/headless_fixture.h"
#include "world/world.h"

namespace torvel::forge::testing {

// Floors where the forge's tilesets keep them: 0..4 outside ground, 5..16
// the ground family, 36 water, 52 lava, 120 an impassable chasm, 96 <-> 97 an
// animated pair, 76 a pushable block's top leaving 77, a track blocks may be
// pushed on. Walls: 1 stone, 3 hedge. Tile n of the picture is filled with
// the value n % 251 so that cut images can be told apart.
inline WorldTileset TestTileset() {
  WorldTileset t;
  t.picture.assign(640u * 480u, 0);
  for (int n = 0; n < 400; ++n) {
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 32; ++x)
        t.picture[static_cast<size_t>((n / 20) * 24 + y) * 640 + (n % 20) * 32 + x] =
            static_cast<uint8_t>(n % 251);
  }
  t.terrain[36] = {kTerrainWater, 36, 0};
  t.terrain[52] = {kTerrainLava, 52, 0};
  t.terrain[120] = {kTerrainImpassable, 120, 0};
  t.terrain[96] = {kTerrainAnimates, 97, 0};
  t.terrain[97] = {kTerrainAnimates, 96, 0};
  t.terrain[76] = {kTerrainPushable, 77, 0};
  t.terrain[77] = {kTerrainCanBePushedOn, 77, 0};
  t.floorNames = {{"dirt", 0},   {"grass", 5}, {"water", 36}, {"lava", 52},
                  {"rock", 120}, {"pool", 96}, {"block", 76}, {"track", 77}};
  t.wallNames = {{"stone", 1}, {"hedge", 3}};
  return t;
}

inline bool TestTilesets(const std::string& name, WorldTileset& tileset, std::string& error) {
  if (name != "test") {
    error = "no such tileset";
    return false;
  }
  tileset = TestTileset();
  return true;
}

// A world file naming the test tileset; extra lines go after it.
inline SourceFile WorldFile(const std::string& extra = "") {
  return {"w/world.txt",
          "file test.vwd\n"
          "tileset test\n"
          "final 2\n"
          "legend\n"
          "  .  floor grass\n"
          "  ,  floor dirt\n"
          "  #  wall stone\n"
          "  ~  floor water\n"
          "  @  hero\n"
          "end\n" +
              extra};
}

// The smallest maps a world needs besides the one under test: map 0, a hub
// and a final map.
inline SourceFile Map0() {
  return {"w/00.map", "map 0\nname \"X\"\nsize 20\nfill .\n"};
}
inline SourceFile Hub() {
  return {"w/01.map", "map 1\nname \"HUB\"\nsize 64\nfill .\nhero at 5 5\n"};
}
inline SourceFile Final() {
  return {"w/02.map", "map 2\nname \"END\"\nsize 20\nfill .\nhero at 1 1\n"};
}

inline bool Compile(const SourceFile& world, const std::vector<SourceFile>& maps,
                    CompiledWorld& out, std::string& error) {
  CompileOptions options;
  options.tilesets = TestTilesets;
  return CompileWorld(world, maps, options, out, error);
}

// Compiles, writes the file into a fresh folder and loads it with the game's
// loader.
class LevelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = torvel::testing::MakeTempDir(torvel::testing::TestName());
    SetGameDir(dir_);
    SetUserDir(dir_);
  }

  // Compiles and loads; fails the test with the compiler's message.
  void CompileAndLoad(const SourceFile& world, const std::vector<SourceFile>& maps) {
    std::string error;
    ASSERT_TRUE(Compile(world, maps, compiled_, error)) << error;
    ASSERT_TRUE(WriteFileBytes(dir_ + "/" + compiled_.fileName, CompiledWorldBytes(compiled_)));
    ASSERT_TRUE(LoadWorld(loaded_, compiled_.fileName.c_str()));
  }
  // Compiles a map 3 beside map 0, the hub and the final map, and returns
  // it as loaded (null when it did not compile).
  const Map* Map3(const std::string& text) {
    CompileAndLoad(WorldFile(), {Map0(), Hub(), Final(), {"w/03.map", "map 3\n" + text}});
    if (HasFatalFailure() || loaded_.mapCount <= 3) return nullptr;
    return loaded_.maps[3].get();
  }

  std::string dir_;
  CompiledWorld compiled_;
  World loaded_;
};

}  // namespace torvel::forge::testing
