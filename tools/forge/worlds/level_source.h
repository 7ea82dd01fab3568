// Level sources as read from their text (content/worlds/README.md describes
// the format): a world file with its tileset, legend and the maps the game's
// rules single out, and one file per map with its settings, legend, painted
// cells, monsters, torches and specials. Nothing here knows the tileset yet:
// tile names stay words until the map is built.
#pragma once

#include <climits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "forge/worlds/level_text.h"
#include "world/world.h"

namespace torvel::forge {

// What one legend character puts on a tile. An entry with a floor or a wall
// describes the whole tile; one without (only an item, light, monster,
// special or torch) is laid onto the tile that is already there.
struct LegendEntry {
  SourceLocation at;
  std::string floor;  // words, resolved against the tileset's names
  std::string wall;
  std::string roof;
  int item = -1;  // -1 unnamed, 0 none
  int light = INT_MIN;
  int monster = -1;  // -1 unnamed, 0 none
  std::string special;
  int torch = 0;
  bool Ground() const { return !floor.empty() || !wall.empty(); }
};
using Legend = std::map<char32_t, LegendEntry>;

// A tile named either by its coordinates or by the one cell of a character.
struct TilePlace {
  bool given = false;
  int x = 0, y = 0;
  char32_t cell = 0;  // non-zero: the tile of this character
};

struct SpecialSource {
  SourceLocation at;
  std::string name;
  Special record;  // trigger, trigValue, effect, value and msg; tiles come later
  TilePlace place;
  TilePlace target;
  std::string effectWord;  // "zap", "goto", ... for messages
  std::string tileWord;    // zap's floor or raise/toggle's wall, resolved later
  int gotoMap = -1;
  bool hasValueTrigger = false;  // near, maps-done, collected or none-of set trigValue
};

struct MonsterSource {
  SourceLocation at;
  int kind = 0;
  TilePlace place;
};

// One step of a map's route: what its designer means a player to do next.
// The autoplayer finds the way between the steps itself.
struct RouteStep {
  enum Op : uint8_t {
    kTake,     // take the item on the tile, or the nearest of an item number
    kTakeAll,  // every item it can reach
    kStep,     // walk onto the tile (whatever it sets off)
    kGo,       // walk to the tile
    kBump,     // walk into the tile (a wall or door that acts when bumped)
    kPush,     // push the block on the tile a number of tiles one way
    kShoot,    // shoot at the tile until its shot special goes off
    kKill,     // kill every monster of a kind (0: every enemy)
    kTalk,     // walk up to the friendly and hear it out
    kWait,     // stand still a number of steps
    kWin,      // step on the map's winning plate
    kVisit,    // roaming map: go through the exit to a map and finish it
    kShop,     // roaming map: go shopping
  } op = kGo;
  SourceLocation at;
  TilePlace place;   // resolved to x, y by the builder
  int item = 0;      // kTake without a tile: the item number
  int kind = 0;      // kKill, kTalk
  int dir = 0;       // kPush: 0 east, 2 south, 4 west, 6 north
  int count = 1;     // kPush: tiles; kWait: steps
  int map = -1;      // kVisit
  std::string text;  // the line as written, for the autoplayer's log
};

struct TorchSource {
  SourceLocation at;
  TilePlace place;
  int size = 1;
};

// One painting step, applied in file order: the whole map, a rectangle, or
// a block of rows.
struct PaintStep {
  enum Kind { kFill, kRect, kGrid } kind = kFill;
  SourceLocation at;
  int x = 0, y = 0, w = 0, h = 0;
  char32_t cell = 0;
  std::vector<std::u32string> rows;  // kGrid, repeats written out
  std::vector<int> rowLines;
};

constexpr uint8_t kAutotileRoofs = 1;
constexpr uint8_t kAutotileGround = 2;
constexpr uint8_t kAutotileEdges = 4;
constexpr uint8_t kAutotileBanks = 8;
constexpr uint8_t kAutotileAll = 15;

struct MapSource {
  SourceLocation at;
  int number = -1;
  std::string name;  // in the letter coding
  bool haveName = false;
  int size = 0;
  int song = 2;
  uint8_t flags = 0;
  int light = 0;
  uint8_t autotile = 0;
  Legend legend;  // the world's legend with this map's entries over it
  std::vector<PaintStep> paints;
  std::vector<MonsterSource> monsters;
  std::vector<TorchSource> torches;
  std::vector<SpecialSource> specials;
  bool haveRoute = false;
  std::vector<RouteStep> route;
};

struct WorldSource {
  SourceLocation at;
  std::string fileName;  // "river.vwd"
  std::string tileset;
  int finalMap = -1;
  std::vector<int> arenas;
  Legend legend;
  std::vector<std::pair<std::string, int>> floorNames;  // from the world's tiles block
  std::vector<std::pair<std::string, int>> wallNames;
};

// A source file: its name for messages and its text.
struct SourceFile {
  std::string name;
  std::string text;
};

// Reads the world file. False with "file:line: what" in error.
bool ParseWorldSource(const SourceFile& file, WorldSource& world, std::string& error);
// Reads one map file over the world's legend.
bool ParseMapSource(const SourceFile& file, const WorldSource& world, MapSource& map,
                    std::string& error);

}  // namespace torvel::forge
