// Whole games through the headless backend: the program's start-up over the
// forged game data, small worlds built in code and saved where the game reads
// them, and scripted input run through the replay player.
//
//   class FlowTest : public torvel::testing::PlayTest {};
//   TEST_F(FlowTest, QuitFromTheHub) {
//     WriteWorlds();
//     Script s;
//     s.Wait(40).Type(27).Wait(12).Tap(kActionUp).Tap(kActionFire);
//     Run(s, [&](uint32_t step) { ... look at the game after each step ... });
//   }
//
// The worlds: every map 20 x 20 tiles, open floor inside a wall border, the
// hero's start at tile (3, 3); maps 6 to 10 have ten more monster starts, so
// that any of them can serve as a challenge's arena. Tests change them before
// WriteWorlds. With UseOwnGameFolder the game folder becomes a folder of the
// test's own that links to every forged file, so that tests may add movies.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "gfx/display.h"
#include "input/input.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/play_loop.h"
#include "shell/program.h"
#include "shell/replay.h"
#include "support/headless_fixture.h"
#include "world/world.h"

namespace torvel::testing {

// Input step by step, as the replay player feeds it to the game.
class Script {
 public:
  // n steps with nothing new (held bits stay held).
  Script& Wait(int n) {
    for (int i = 0; i < n; ++i) steps_.push_back({held_, 0, 0});
    return *this;
  }
  // A character typed during one step.
  Script& Type(uint8_t key) {
    steps_.push_back({held_, 0, key});
    return *this;
  }
  Script& TypeText(const std::string& text) {
    for (char c : text) Type(static_cast<uint8_t>(c));
    return *this;
  }
  // Bits pressed and held for one step, then let go for one.
  Script& Tap(uint8_t bits) {
    steps_.push_back({static_cast<uint8_t>(held_ | bits), bits, 0});
    steps_.push_back({held_, 0, 0});
    return *this;
  }
  // Bits held from now on (pressed in this step).
  Script& Hold(uint8_t bits) {
    uint8_t pressed = static_cast<uint8_t>(bits & ~held_);
    held_ = bits;
    steps_.push_back({held_, pressed, 0});
    return *this;
  }
  size_t size() const { return steps_.size(); }
  const std::vector<ReplayStep>& steps() const { return steps_; }

 private:
  std::vector<ReplayStep> steps_;
  uint8_t held_ = 0;
};

class PlayTest : public HeadlessTest {
 protected:
  static constexpr uint8_t kHeroX = 3;
  static constexpr uint8_t kHeroY = 3;

  void SetUp() override {
    HeadlessTest::SetUp();
    SetGameDir(TORVEL_GAME_DIR);
    GlobalInit(&display());
    // Three steps to a drawn frame: the flows run on steps, not frames.
    platform().presentMs = 100;
    ResetMessages();
    for (int w = 0; w < kWorldCount; ++w) worlds_[w] = MakeWorld(WorldFinalMap(w) + 1);
  }
  void TearDown() override {
    SetPlayHooks(PlayHooks{});
    GlobalShutdown();
    HeadlessTest::TearDown();
  }

  // A folder of the test's own as the game folder, linking to the forged data.
  void UseOwnGameFolder() {
    namespace fs = std::filesystem;
    fs::path own = fs::path(dir()) / "game";
    fs::create_directories(own / "graphics");
    for (const auto& e : fs::directory_iterator(fs::path(TORVEL_GAME_DIR) / "graphics"))
      fs::create_symlink(e.path(), own / "graphics" / e.path().filename());
    fs::create_directory_symlink(fs::path(TORVEL_GAME_DIR) / "sound", own / "sound");
    SetGameDir(own.string());
  }
  // A file of the own folder to write: the link to the forged file goes first,
  // so that writing never reaches the forged data through it.
  std::string OwnGraphicsPath(const std::string& file) {
    std::string path = dir() + "/game/graphics/" + file;
    std::filesystem::remove(path);
    return path;
  }

  static std::unique_ptr<Map> MakeMap(int m) {
    auto map = std::make_unique<Map>();
    map->width = map->height = 20;
    map->tiles.assign(400, Tile{});
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        if (x == 0 || y == 0 || x == 19 || y == 19) MapTile(*map, x, y).wall = 1;
      }
    }
    std::snprintf(map->name, sizeof(map->name), "KAPTA %d", m);
    map->song = 0;
    map->monsters[0] = {kHeroX, kHeroY, 1};
    if (m >= 6 && m <= 10) {
      for (int i = 0; i < 10; ++i) map->monsters[1 + i] = {static_cast<uint8_t>(4 + i), 14, 4};
    }
    return map;
  }
  static World MakeWorld(int mapCount) {
    World world;
    world.mapCount = static_cast<uint8_t>(mapCount);
    for (int m = 0; m < mapCount; ++m) world.maps[m] = MakeMap(m);
    return world;
  }
  World& GameWorld(int w) { return worlds_[w]; }
  // Saves the four worlds where the game reads them (the user folder).
  void WriteWorlds() {
    for (int w = 0; w < kWorldCount; ++w) ASSERT_TRUE(SaveWorld(worlds_[w], WorldFileName(w)));
  }

  // Runs a game (a new one unless continuing, then from the player record as
  // it stands) on the script; observe sees the game after every step. The game ends after the
  // script's last step (as if the window was closed) unless it ended before.
  ReplayOutcome Run(const Script& script, const std::function<void(uint32_t)>& observe = {},
                    bool continuing = false) {
    Replay replay;
    replay.continuing = continuing;
    // Every run from the generator's fixed start, like a fresh program.
    ResetRandom();
    replay.randomState = GetRandomState().state;
    auto record = PlayerRecordBytes(Player());
    replay.record.assign(record.begin(), record.end());
    std::vector<uint8_t> save;
    if (ReadFileBytes(dir() + "/torvel.sav", save)) replay.saveFile = save;
    replay.steps = script.steps();
    display().quit = false;
    return PlayReplay(&display(), replay, &platform(), observe);
  }

 private:
  World worlds_[kWorldCount];
};

}  // namespace torvel::testing
