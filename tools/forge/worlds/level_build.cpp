// Building one map from its source: paint the cells, turn them into tiles,
// place monsters, specials and torches, and check everything the game and
// its editor take for granted about a map.
#include "forge/worlds/level_build.h"

#include <cstring>
#include <map>

#include "actors/kinds.h"
#include "forge/worlds/level_autotile.h"
#include "forge/worlds/level_names.h"
#include "world/items.h"
#include "world/light.h"

namespace torvel::forge {

namespace {

constexpr int kDefaultRoof = 199;  // the interior roof piece; auto-tile picks the right one

// A legend entry with its words turned into numbers. A word may offer
// alternatives ("ground|speckle|ground-stones"), one picked per tile.
struct Resolved {
  const LegendEntry* entry = nullptr;
  std::vector<int> floor;
  std::vector<int> wall;
  std::vector<int> roof = {kDefaultRoof};
};

// The same pick for the same tile of the same map, whatever else changes.
int Pick(const std::vector<int>& choices, int x, int y, int map, int salt) {
  if (choices.size() == 1) return choices[0];
  uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^
               static_cast<uint32_t>(map + 1) * 83492791u ^
               static_cast<uint32_t>(salt) * 2654435761u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return choices[h % choices.size()];
}

struct Cell {
  bool covered = false;  // some ground was painted here
  char32_t ch = 0;
  SourceLocation at;  // where the character was written
  uint8_t floor = 0, wall = 0, item = 0;
  int light = 0;
  int monster = 0;
  std::string special;
  int torch = 0;
};

std::string TileText(int x, int y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

class MapBuilder {
 public:
  MapBuilder(const MapSource& source, const WorldSource& world, const WorldTileset& tileset,
             const CompileOptions& options)
      : src_(source), world_(world), tileset_(tileset), options_(options) {}

  bool Build(Map& map, std::vector<RouteStep>* route, std::string& error) {
    bool ok =
        ResolveLegend() && Paint() && Tiles() && Monsters() && Specials() && Torches() && Route();
    if (!ok) {
      error = error_;
      return false;
    }
    map = std::move(map_);
    if (route) *route = std::move(route_);
    return true;
  }

 private:
  bool Fail(const SourceLocation& at, const std::string& what) {
    if (error_.empty()) error_ = Where(at) + ": " + what;
    return false;
  }

  // Each of the alternatives a word offers.
  bool TileNumbers(const LegendEntry& e, const std::string& words, bool wall,
                   std::vector<int>& out) {
    out.clear();
    size_t start = 0;
    while (true) {
      size_t bar = words.find('|', start);
      int n = 0;
      if (!TileNumber(e, words.substr(start, bar == std::string::npos ? bar : bar - start), wall,
                      n))
        return false;
      out.push_back(n);
      if (bar == std::string::npos) return true;
      start = bar + 1;
    }
  }

  // A floor (or roof) or wall word: a number or a name of the tileset or the world.
  bool TileNumber(const LegendEntry& e, const std::string& word, bool wall, int& number) {
    if (ParseInt(word, number)) {
      if (wall ? (number < 1 || number > 200) : (number < 0 || number > 199))
        return Fail(e.at, (wall ? "wall " : "floor ") + word + " is outside " +
                              (wall ? "1..200" : "0..199"));
      return true;
    }
    const auto& names = wall ? tileset_.wallNames : tileset_.floorNames;
    const auto& own = wall ? world_.wallNames : world_.floorNames;
    for (const auto* list : {&own, &names}) {
      for (const auto& [name, n] : *list) {
        if (name == word) {
          number = n;
          return true;
        }
      }
    }
    return Fail(e.at, std::string("unknown ") + (wall ? "wall" : "floor") + " \"" + word +
                          "\" (the tileset \"" + world_.tileset + "\" has no such name)");
  }

  bool ResolveLegend() {
    for (const auto& [ch, e] : src_.legend) {
      Resolved r;
      r.entry = &e;
      if (!e.floor.empty() && !TileNumbers(e, e.floor, false, r.floor)) return false;
      if (!e.wall.empty() && !TileNumbers(e, e.wall, true, r.wall)) return false;
      if (!e.roof.empty() && !TileNumbers(e, e.roof, false, r.roof)) return false;
      resolved_[ch] = r;
    }
    return true;
  }

  const SpecialSource* FindSpecial(const std::string& name) const {
    for (const SpecialSource& s : src_.specials) {
      if (s.name == name) return &s;
    }
    return nullptr;
  }

  bool PaintCell(int x, int y, char32_t ch, const SourceLocation& at) {
    auto found = resolved_.find(ch);
    if (found == resolved_.end())
      return Fail(at, "unknown legend character " + QuoteCell(ch) + " at " + TileText(x, y));
    const Resolved& r = found->second;
    const LegendEntry& e = *r.entry;
    if (!e.special.empty() && !FindSpecial(e.special))
      return Fail(at, QuoteCell(ch) + " places special \"" + e.special +
                          "\", which this map does not define");
    Cell& c = cells_[static_cast<size_t>(y) * size_ + x];
    if (e.Ground()) {
      c = Cell{};
      c.covered = true;
      const int n = src_.number;
      if (!r.wall.empty()) {
        c.wall = static_cast<uint8_t>(Pick(r.wall, x, y, n, 1));
        c.floor = static_cast<uint8_t>(Pick(r.roof, x, y, n, 2));
      } else {
        c.floor = static_cast<uint8_t>(Pick(r.floor, x, y, n, 3));
      }
      c.light = src_.light;
    }
    c.ch = ch;
    c.at = at;
    if (e.item >= 0) c.item = static_cast<uint8_t>(e.item);
    if (e.light != INT_MIN) c.light = e.light;
    if (e.monster >= 0) c.monster = e.monster;
    if (!e.special.empty()) c.special = e.special;
    if (e.torch) c.torch = e.torch;
    return true;
  }

  bool Paint() {
    size_ = src_.size;
    cells_.assign(static_cast<size_t>(size_) * size_, Cell{});
    for (const PaintStep& p : src_.paints) {
      int x0 = p.kind == PaintStep::kFill ? 0 : p.x;
      int y0 = p.kind == PaintStep::kFill ? 0 : p.y;
      int w = p.kind == PaintStep::kFill ? size_ : p.w;
      int h = p.kind == PaintStep::kFill ? size_ : p.h;
      if (x0 + w > size_ || y0 + h > size_)
        return Fail(p.at, std::string(p.kind == PaintStep::kGrid ? "the grid" : "the rectangle") +
                              " at " + TileText(x0, y0) + ", " + std::to_string(w) + " x " +
                              std::to_string(h) + ", reaches past the " + std::to_string(size_) +
                              " x " + std::to_string(size_) + " map");
      for (int j = 0; j < h; ++j) {
        SourceLocation at = p.at;
        if (p.kind == PaintStep::kGrid) at.line = p.rowLines[j];
        for (int i = 0; i < w; ++i) {
          char32_t ch = p.kind == PaintStep::kGrid ? p.rows[j][i] : p.cell;
          if (!PaintCell(x0 + i, y0 + j, ch, at)) return false;
        }
      }
    }
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        const Cell& c = At(x, y);
        if (c.covered) continue;
        if (c.ch)
          return Fail(c.at, QuoteCell(c.ch) + " at " + TileText(x, y) +
                                " lies on no ground: paint a floor under it first");
        return Fail(src_.at, "tile " + TileText(x, y) +
                                 " is not painted: add a 'fill' or cover it with a grid");
      }
    }
    return true;
  }

  Cell& At(int x, int y) { return cells_[static_cast<size_t>(y) * size_ + x]; }

  bool Tiles() {
    map_.width = map_.height = size_;
    std::memset(map_.name, 0, sizeof map_.name);
    std::memcpy(map_.name, src_.name.data(), std::min<size_t>(src_.name.size(), 31));
    map_.song = static_cast<uint8_t>(src_.song);
    map_.flags = src_.flags;
    map_.tiles.assign(static_cast<size_t>(size_) * size_, Tile{});
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        const Cell& c = At(x, y);
        Tile& t = MapTile(map_, x, y);
        t.floor = c.floor;
        t.wall = c.wall;
        t.item = c.item;
        t.light = static_cast<int8_t>(c.light);
        if (c.item && c.wall)
          return Fail(c.at, "item " + std::to_string(c.item) + " on a wall at " + TileText(x, y));
      }
    }
    if (src_.autotile)
      AutotileMap(map_, src_.autotile, static_cast<uint32_t>(src_.number + 1), tileset_.terrain);
    return true;
  }

  bool Locate(const TilePlace& place, const SourceLocation& at, const char* what, int& x, int& y) {
    if (!place.cell) {
      x = place.x;
      y = place.y;
      if (x >= size_ || y >= size_)
        return Fail(at, std::string(what) + " " + TileText(x, y) + " lies off the " +
                            std::to_string(size_) + " x " + std::to_string(size_) + " map");
      return true;
    }
    int found = 0;
    for (int j = 0; j < size_; ++j) {
      for (int i = 0; i < size_; ++i) {
        if (At(i, j).ch != place.cell) continue;
        x = i;
        y = j;
        ++found;
      }
    }
    if (found == 1) return true;
    return Fail(at, std::string(what) + " " + QuoteCell(place.cell) +
                        " names the one tile of that character, but the map has " +
                        std::to_string(found));
  }

  // Where a guy of this kind may start: the game's placement never checks.
  bool CheckStart(int kind, int x, int y, const SourceLocation& at) {
    const Tile& t = MapTile(map_, x, y);
    const std::string who =
        KindWord(kind) + " (kind " + std::to_string(kind) + ") at " + TileText(x, y);
    if (t.wall) return Fail(at, who + " starts on a wall");
    if (t.item) return Fail(at, who + " starts on item " + std::to_string(t.item));
    if (KindNeverPlaced(kind)) return Fail(at, who + ": this kind is never placed on a map");
    const uint16_t flags = t.floor < kTerrainEntries ? tileset_.terrain[t.floor].flags : 0;
    const bool liquid = (flags & (kTerrainWater | kTerrainLava)) != 0;
    if (KindSwims(kind)) {
      if (!liquid)
        return Fail(at, who +
                            " swims: start it in water or lava (a character naming no floor stands "
                            "on what was painted before it: 'like ~ monster ...' brings its own)");
    }
    const uint16_t kf = KindEntry(kind).flags;
    if (kind == 1 && (liquid || (flags & kTerrainImpassable)))
      return Fail(at, who + " starts in water, lava or on impassable ground");
    if (!KindSwims(kind) && !(kf & (KindFlag::Flies | KindFlag::PassesWalls))) {
      if (flags & kTerrainImpassable) return Fail(at, who + " starts on impassable ground");
      if (liquid && !(kf & KindFlag::EntersLiquid))
        return Fail(at, who + " starts in water or lava");
    }
    return CheckFootprint(kind, x, y, at, who);
  }

  // A guy moves only while its whole box is free for it: a big one started
  // against a wall, or a swimmer whose pool is too small, is stuck for good.
  bool CheckFootprint(int kind, int x, int y, const SourceLocation& at, const std::string& who) {
    const uint16_t kf = KindEntry(kind).flags;
    if (kf & (KindFlag::BoxFromSprite | KindFlag::PassesWalls)) return true;
    const int size = KindSize(kind);
    const int cx = x * 32 + 16, cy = y * 24 + 12;
    const int x0 = (cx - size) / 32, x1 = (cx + size - 1) / 32;
    const int y0 = (cy - 3 * size / 4) / 24, y1 = (cy + 3 * size / 4 - 1) / 24;
    const std::string box = " needs the tiles (" + std::to_string(x0) + ".." + std::to_string(x1) +
                            ", " + std::to_string(y0) + ".." + std::to_string(y1) + ") ";
    for (int ty = y0; ty <= y1; ++ty) {
      for (int tx = x0; tx <= x1; ++tx) {
        if (!OnMap(map_, tx, ty)) return Fail(at, who + box + "and they reach off the map");
        const Tile& t = MapTile(map_, tx, ty);
        const uint16_t flags = tileset_.terrain[t.floor].flags;
        const bool liquid = (flags & (kTerrainWater | kTerrainLava)) != 0;
        const std::string where = TileText(tx, ty);
        if (t.wall) return Fail(at, who + box + "clear, but " + where + " is a wall");
        if (KindSwims(kind)) {
          if (!liquid || ItemBlocksWalkers(t.item))
            return Fail(at, who + box + "all in open water or lava, but " + where + " is not");
        } else if (kf & KindFlag::Flies) {
          if (ItemBlocksAll(t.item))
            return Fail(
                at, who + box + "clear, but " + where + " holds item " + std::to_string(t.item));
        } else {
          if (ItemBlocksWalkers(t.item))
            return Fail(
                at, who + box + "clear, but " + where + " holds item " + std::to_string(t.item));
          if ((flags & kTerrainImpassable) || (liquid && !(kf & KindFlag::EntersLiquid)))
            return Fail(at, who + box + "passable, but " + where + " is not");
        }
      }
    }
    return true;
  }

  bool AddMonster(int kind, int x, int y, const SourceLocation& at) {
    if (!CheckStart(kind, x, y, at)) return false;
    if (taken_.count({x, y})) return Fail(at, "two monsters start on " + TileText(x, y));
    if (kind == 1 && heroes_++ > 0) return Fail(at, "a second hero start at " + TileText(x, y));
    if (count_ >= kMonsterStarts)
      return Fail(at, "more than " + std::to_string(kMonsterStarts) + " monster starts");
    taken_.insert({{x, y}, kind});
    map_.monsters[count_++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                               static_cast<uint8_t>(kind)};
    return true;
  }

  bool Monsters() {
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        const Cell& c = At(x, y);
        if (c.monster && !AddMonster(c.monster, x, y, c.at)) return false;
      }
    }
    for (const MonsterSource& m : src_.monsters) {
      int x = 0, y = 0;
      if (!Locate(m.place, m.at, KindWord(m.kind).c_str(), x, y) || !AddMonster(m.kind, x, y, m.at))
        return false;
    }
    if (src_.number != 0 && heroes_ == 0)
      return Fail(src_.at, "map " + std::to_string(src_.number) + " has no hero start");
    return true;
  }

  bool CheckTarget(const SpecialSource& s, int tx, int ty) {
    const Tile& t = MapTile(map_, tx, ty);
    const std::string where =
        "special \"" + s.name + "\": its " + s.effectWord + " tile " + TileText(tx, ty);
    switch (s.record.effect) {
      case 1:
        if (src_.number == 1)
          return Fail(
              s.at, "special \"" + s.name +
                        "\" summons on the hub, where every monster it brings starts a challenge");
        if (KindNeverPlaced(s.record.value))
          return Fail(s.at, "special \"" + s.name + "\" summons kind " +
                                std::to_string(s.record.value) + ", which is never placed");
        break;
      case 2:
        if (!t.wall) return Fail(s.at, where + " has no wall to zap");
        break;
      case 5:
        if (t.wall || ItemBlocksWalkers(t.item) ||
            (tileset_.terrain[t.floor].flags & (kTerrainWater | kTerrainLava | kTerrainImpassable)))
          return Fail(s.at, where + " is no place to stand");
        break;
      default:
        break;
    }
    return true;
  }

  bool AddSpecial(const SpecialSource& s, int x, int y, const SourceLocation& at) {
    if (specialAt_.count({x, y}))
      return Fail(at, "special \"" + s.name + "\" and special \"" + specialAt_[{x, y}] +
                          "\" on one tile " + TileText(x, y) + ": the editor keeps one per tile");
    if (specials_ >= kSpecialSlots)
      return Fail(at, "more than " + std::to_string(kSpecialSlots) + " specials");
    specialAt_[{x, y}] = s.name;
    Special rec = s.record;
    rec.x = static_cast<uint8_t>(x);
    rec.y = static_cast<uint8_t>(y);
    if (s.target.given) {
      int tx = 0, ty = 0;
      if (!Locate(s.target, s.at, "the target", tx, ty) || !CheckTarget(s, tx, ty)) return false;
      rec.targetX = static_cast<uint8_t>(tx);
      rec.targetY = static_cast<uint8_t>(ty);
    } else if (!CheckTarget(s, 0, 0)) {
      return false;
    }
    if (!s.tileWord.empty()) {
      LegendEntry e;
      e.at = s.at;
      int n = 0;
      if (!TileNumber(e, s.tileWord, s.record.effect != 2, n)) return false;
      rec.value = n;
    }
    if (rec.effect == 9 && options_.pictureExists && !options_.pictureExists(rec.msg))
      return Fail(s.at, "special \"" + s.name + "\" shows \"graphics\\" + std::string(rec.msg) +
                            "\", which the game folder lacks");
    map_.specials[specials_++] = rec;
    return true;
  }

  bool Specials() {
    for (const SpecialSource& s : src_.specials) {
      int placed = 0;
      if (s.place.given) {
        int x = 0, y = 0;
        if (!Locate(s.place, s.at, "the special's tile", x, y) || !AddSpecial(s, x, y, s.at))
          return false;
        ++placed;
      }
      for (int y = 0; y < size_; ++y) {
        for (int x = 0; x < size_; ++x) {
          if (At(x, y).special != s.name) continue;
          if (!AddSpecial(s, x, y, At(x, y).at)) return false;
          ++placed;
        }
      }
      if (!placed)
        return Fail(s.at, "special \"" + s.name +
                              "\" is never placed: give it 'at X Y' or a legend character");
    }
    return true;
  }

  // The route's tiles, each where the step says it is.
  bool Route() {
    route_ = src_.route;
    for (RouteStep& step : route_) {
      if (!step.place.given) continue;
      int x = 0, y = 0;
      if (!Locate(step.place, step.at, "the route's tile", x, y)) return false;
      step.place.x = x;
      step.place.y = y;
      step.place.cell = 0;
      const Tile& t = MapTile(map_, x, y);
      if (step.op == RouteStep::kTake && t.item == 0)
        return Fail(step.at, "'take' " + TileText(x, y) + ": no item lies there");
      if (step.op == RouteStep::kPush &&
          (!t.wall || !(tileset_.terrain[t.floor].flags & kTerrainPushable)))
        return Fail(step.at, "'push' " + TileText(x, y) + ": no block stands there");
    }
    return true;
  }

  // The editor's torch brush: strength 4 and radius 2 for every size step.
  bool Torches() {
    auto light = [&](int x, int y, int size) {
      SpreadLight(map_, x, y, 2 * size, 4 * size, kLightRuleBase);
    };
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        if (At(x, y).torch) light(x, y, At(x, y).torch);
      }
    }
    for (const TorchSource& t : src_.torches) {
      int x = 0, y = 0;
      if (!Locate(t.place, t.at, "the torch", x, y)) return false;
      light(x, y, t.size);
    }
    // Files keep the current light equal to the base light, and the spread's
    // scratch marks are of no use to anyone.
    for (Tile& t : map_.tiles) {
      t.curLight = t.light;
      t.mark = 0;
    }
    return true;
  }

  const MapSource& src_;
  const WorldSource& world_;
  const WorldTileset& tileset_;
  const CompileOptions& options_;
  std::map<char32_t, Resolved> resolved_;
  std::vector<RouteStep> route_;
  int size_ = 0;
  std::vector<Cell> cells_;
  Map map_;
  std::map<std::pair<int, int>, int> taken_;
  std::map<std::pair<int, int>, std::string> specialAt_;
  int heroes_ = 0;
  int count_ = 0;
  int specials_ = 0;
  std::string error_;
};

}  // namespace

bool BuildMap(const MapSource& source, const WorldSource& world, const WorldTileset& tileset,
              const CompileOptions& options, Map& map, std::string& error,
              std::vector<RouteStep>* route) {
  return MapBuilder(source, world, tileset, options).Build(map, route, error);
}

}  // namespace torvel::forge
