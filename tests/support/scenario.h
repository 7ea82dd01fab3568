// The scenario harness: a small map built in code, guys placed on it, held
// action bits scripted tick by tick, the simulation run, the state asserted.
//
//   class DoorTest : public torvel::testing::Scenario {};
//   TEST_F(DoorTest, KeyOpensDoor) {
//     BuildMap({
//         "#####",
//         "#.D.#",   // legend below; 'D' is ours: a plain floor we put an item on
//         "#####",
//     });
//     At(2, 1).item = 71;
//     Player().keys = 1;
//     Guy* hero = Hero(1, 1);
//     Hold(kActionRight);
//     Tick(20);
//     EXPECT_EQ(At(2, 1).item, 0);
//   }
//
// Legend (unknown characters are plain floor):
//   '.' plain floor    '#' wall          '~' water    '^' lava     '=' ice
//   'X' impassable     'B' pushable block (a wall on a pushable floor)
//   ',' a floor a block may be pushed onto            's' a floor that
//   changes to 'S' when stepped on ('S' changes back)
// The rows are drawn from the top-left corner of a 20 x 20 map (or 64 or 128
// when asked); the rest of the map is wall.
//
// Tick() is the play loop's update step reduced to the simulation: light,
// guys (the roaming variant when the player's current map is 1), the burst,
// bullets, specials, particles, messages and the item clock. Frame() queues
// and draws one frame, which must never change the simulation.
//
// Passive() switches kinds' routines off so a test can steer them by hand.
//
// SetUp starts a new game on map 2 of world 0; tests change Player() freely
// before placing the hero. Data files are read from the forged game folder.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "actors/behaviour.h"
#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "common/trig.h"
#include "gfx/draw_list.h"
#include "gfx/font.h"
#include "input/input.h"
#include "player/hero_control.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "support/headless_fixture.h"
#include "world/items.h"
#include "world/light.h"
#include "world/prepare.h"
#include "world/specials.h"
#include "world/world.h"

namespace torvel::testing {

// Floor images of the fixture's terrain table.
enum FixtureFloor : uint8_t {
  kFloorPlain = 0,
  kFloorWater = 1,
  kFloorLava = 2,
  kFloorIce = 3,
  kFloorImpassable = 4,
  kFloorPushable = 5,
  kFloorPushTarget = 6,
  kFloorStepA = 7,
  kFloorStepB = 8,
  kFloorAfterBlock = 9,  // what a pushed block leaves behind
};
constexpr uint8_t kFixtureWall = 1;
constexpr uint8_t kFixtureBlockWall = 2;

// The scan codes of the default key bindings, by action bit order.
constexpr int kActionScanCodes[kActionCount] = {72, 80, 75, 77, 29, 42, 30, 31};

class Scenario : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    // Sprite sets (boxes of BoxFromSprite kinds, drawing) come from the forged
    // game folder; keys.ini and saves stay in the test's own folder.
    SetGameDir(TORVEL_GAME_DIR);
    InitTrigTables();
    InitGraphics(&display());
    ResetCamera();
    InitMapLight();
    InitInput();
    ClearKindSprites();
    SetHeroEntersLiquid(true);
    InitPlayerRecord();
    ResetPlayer(kResetNewGame, 0, 2);
    ResetPlayer(kResetMapStart, 0, 2);
    InitGuys(kGuyPoolSize);
    InitBullets();
    InitParticles(kParticlePoolSize);
    SetCollectibleTotal(0);
    ClearBehaviourOverrides();
    held_ = 0;
    BuildWorld();
    BuildMap({"."});
  }

  void TearDown() override {
    ClearBehaviourOverrides();
    ExitParticles();
    ExitBullets();
    ExitGuys();
    FreeKindSprites();
    ExitGraphics();
    HeadlessTest::TearDown();
  }

  // A fresh map of size x size (20, 64 or 128) from legend rows; the guy pool
  // is emptied with it.
  void BuildMap(std::initializer_list<std::string_view> rows, int size = 20) {
    map_ = Map{};
    map_.width = map_.height = size;
    map_.tiles.assign(static_cast<size_t>(size) * static_cast<size_t>(size), Tile{});
    for (Tile& t : map_.tiles) {
      t.floor = kFloorPlain;
      t.wall = kFixtureWall;
    }
    int y = 0;
    for (std::string_view row : rows) {
      for (int x = 0; x < static_cast<int>(row.size()) && x < size; ++x) SetCell(x, y, row[x]);
      if (++y >= size) break;
    }
    InitGuys(kGuyPoolSize);
  }

  // The tile at (x, y) of the map.
  Tile& At(int x, int y) { return MapTile(map_, x, y); }

  // Opens the tiles from (x0, y0) to (x1, y1), both included: no walls.
  void OpenRoom(int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) At(x, y).wall = 0;
  }

  // Guys at tile centres, or at pixel positions.
  Guy* Hero(int tx, int ty) { return Add(1, tx, ty); }
  Guy* Add(uint8_t kind, int tx, int ty) {
    return AddGuy(ToFixed(tx * kTileWidth + kTileWidth / 2),
                  ToFixed(ty * kTileHeight + kTileHeight / 2), 0, kind);
  }
  Guy* AddAtPixel(uint8_t kind, int px, int py) {
    return AddGuy(ToFixed(px), ToFixed(py), 0, kind);
  }

  // These kinds think nothing (their routines are switched off), so a test
  // can steer them by hand.
  void Passive(std::initializer_list<uint8_t> kinds) {
    for (uint8_t k : kinds) OverrideBehaviour(k, nullptr);
  }

  // The action bits held from now on, through the key handlers.
  void Hold(uint8_t bits) {
    for (int a = 0; a < kActionCount; ++a) {
      uint8_t bit = static_cast<uint8_t>(1u << a);
      if ((bits & bit) && !(held_ & bit)) OnKeyDown(kActionScanCodes[a]);
      if (!(bits & bit) && (held_ & bit)) OnKeyUp(kActionScanCodes[a]);
    }
    held_ = bits;
  }
  // A press and release of the bits before the next tick (held bits stay held).
  void Press(uint8_t bits) {
    for (int a = 0; a < kActionCount; ++a) {
      uint8_t bit = static_cast<uint8_t>(1u << a);
      if (!(bits & bit) || (held_ & bit)) continue;
      OnKeyDown(kActionScanCodes[a]);
      OnKeyUp(kActionScanCodes[a]);
    }
  }

  // n update steps of play.
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      Player().playTime += 1;
      UpdateMapLight(map_, kLightPlay, world_);
      if (Player().currentMap == 1) {
        UpdateGuysRoaming(map_, world_);
      } else {
        UpdateGuys(map_, world_);
      }
      StepBurst(map_);
      UpdateBullets(map_, world_);
      TickSpecials(map_);
      UpdateParticles(map_);
      UpdateMessages();
      TickItems();
    }
  }

  // One drawn frame of the playfield.
  void Frame() {
    RenderGuys(true);
    RenderBullets();
    RenderParticles();
    RenderWorld(&map_, &world_, 7);
  }

  // The pixel position of a guy.
  static int32_t Px(const Guy* g) { return FixedToInt(g->x); }
  static int32_t Py(const Guy* g) { return FixedToInt(g->y); }

  Map& map() { return map_; }
  World& world() { return world_; }

 private:
  void BuildWorld() {
    world_ = World{};
    world_.mapCount = 1;
    auto& t = world_.terrain;
    t[kFloorWater].flags = kTerrainWater;
    t[kFloorLava].flags = kTerrainLava;
    t[kFloorIce].flags = kTerrainIcy;
    t[kFloorImpassable].flags = kTerrainImpassable;
    t[kFloorPushable].flags = kTerrainPushable;
    t[kFloorPushable].next = kFloorAfterBlock;
    t[kFloorPushTarget].flags = kTerrainCanBePushedOn;
    t[kFloorStepA].flags = kTerrainStepChanges;
    t[kFloorStepA].next = kFloorStepB;
    t[kFloorStepB].flags = kTerrainStepChanges;
    t[kFloorStepB].next = kFloorStepA;
  }

  void SetCell(int x, int y, char c) {
    Tile& t = At(x, y);
    t.wall = 0;
    t.floor = kFloorPlain;
    switch (c) {
      case '#':
        t.wall = kFixtureWall;
        break;
      case '~':
        t.floor = kFloorWater;
        break;
      case '^':
        t.floor = kFloorLava;
        break;
      case '=':
        t.floor = kFloorIce;
        break;
      case 'X':
        t.floor = kFloorImpassable;
        break;
      case 'B':
        t.floor = kFloorPushable;
        t.wall = kFixtureBlockWall;
        break;
      case ',':
        t.floor = kFloorPushTarget;
        break;
      case 's':
        t.floor = kFloorStepA;
        break;
      case 'S':
        t.floor = kFloorStepB;
        break;
      default:
        break;
    }
  }

  Map map_;
  World world_;
  uint8_t held_ = 0;
};

}  // namespace torvel::testing
