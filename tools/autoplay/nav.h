// The autoplayer's picture of the map: which tiles the hero may walk on by
// the game's own rules (walls, solid items, liquids, impassable floors,
// locked doors and the keys held, floors that give way), which tiles it
// should not step on unless it means to (exits, the winning plate, switches,
// teleports), and the shortest ways between tiles, teleports included.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace torvel {

struct Map;
struct World;
struct Special;

namespace autoplay {

struct TilePos {
  int x = 0, y = 0;
  bool operator==(const TilePos& o) const { return x == o.x && y == o.y; }
  bool operator!=(const TilePos& o) const { return !(*this == o); }
};

// What stepping onto a tile does, as far as walking is concerned.
enum class CellUse : uint8_t {
  kBlocked,   // the hero cannot stand there (or dies there)
  kFree,      // walk on it freely
  kAvoid,     // walkable, but better not (a floor that gives way, a toggling floor)
  kGoalOnly,  // walkable, but it does something: only when it is where the hero goes
};

// The eight neighbours of a tile: the four straight ones first, and what a
// step to each costs (pixels walked; tiles are 32 wide and 24 high).
inline constexpr int kStepDx[8] = {1, -1, 0, 0, 1, 1, -1, -1};
inline constexpr int kStepDy[8] = {0, 0, 1, -1, 1, -1, 1, -1};
inline constexpr int kStepCost[8] = {32, 32, 24, 24, 40, 40, 40, 40};

// The hero's box about its position, in whole pixels.
constexpr int kHeroBoxLeft = -11, kHeroBoxRight = 11, kHeroBoxTop = -8, kHeroBoxBottom = 8;

struct Teleport {
  TilePos from, to;
  bool oneShot = false;
  bool bumped = false;  // on a tile that cannot be entered: walking into it carries the hero on
};

class NavGrid {
 public:
  // Reads the map as it stands. Tiles named in `allowed` are walkable even
  // when they would be kGoalOnly (the step the plan means to take).
  void Build(const Map& map, const World& world, bool roaming, const std::vector<TilePos>& allowed);

  int width() const { return w_; }
  int height() const { return h_; }
  bool OnGrid(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  CellUse Use(int x, int y) const { return OnGrid(x, y) ? use_[Index(x, y)] : CellUse::kBlocked; }
  bool Walkable(int x, int y) const {
    CellUse u = Use(x, y);
    return u == CellUse::kFree || u == CellUse::kAvoid;
  }
  // Whether the hero's box at pixel (px, py), grown by margin, covers only
  // tiles it may stand on (goal-only tiles count when `goals` is set). Tiles
  // to avoid count only where the way means to cross them (MarkWay).
  bool BoxFits(int px, int py, int margin, bool goals) const;
  // The tiles of the way being walked: the only ones to avoid that the
  // hero may touch.
  void MarkWay(const std::vector<TilePos>& way) const;
  const std::vector<Teleport>& teleports() const { return teleports_; }
  // Which walkable area a tile belongs to (walking alone, no teleports);
  // -1 for a tile no one walks on. Walkers on the map move within theirs.
  int Area(int x, int y) const { return OnGrid(x, y) ? area_[Index(x, y)] : -1; }
  // How many tiles of open ground lie between the tile and the nearest tile
  // no one walks on (0 next to one, at most 8): room to move.
  int Clearance(int x, int y) const { return OnGrid(x, y) ? clear_[Index(x, y)] : 0; }
  // Extra cost for tiles (danger near monsters), added per entered tile.
  void SetPenalty(int x, int y, int cost);
  // What-if: the tile as it would be (a block pushed away, or arriving).
  void SetUse(int x, int y, CellUse use) {
    if (OnGrid(x, y)) use_[Index(x, y)] = use;
  }
  void ClearPenalties();

  // Shortest ways from one tile to every tile: pixel lengths (32 across, 24
  // down, 40 diagonally), plus the penalties. Teleports that may be used
  // carry the hero from their tile to their target.
  void Distances(TilePos from, bool useTeleports, std::vector<int>& dist,
                 std::vector<int>& previous) const;
  // The length of the shortest way from every tile to `to` (teleports
  // carrying the hero on as they do), for judging where a step leads.
  void DistancesTo(TilePos to, bool useTeleports, std::vector<int>& dist) const;
  // The tiles from `from` to `to` (both included), empty when unreachable;
  // `to` may be a goal-only tile.
  std::vector<TilePos> Path(TilePos from, TilePos to, bool useTeleports) const;
  int Index(int x, int y) const { return x + y * w_; }
  TilePos PosOf(int index) const { return {index % w_, index / w_}; }

 private:
  int w_ = 0, h_ = 0;
  std::vector<CellUse> use_;
  std::vector<int> penalty_;
  mutable std::vector<uint8_t> way_;
  std::vector<int> area_;
  std::vector<uint8_t> clear_;
  std::vector<Teleport> teleports_;
  std::vector<int> teleportAt_;  // index into teleports_ by tile, -1 none
};

// The centre of a tile in whole pixels.
inline int TileCentrePx(int tx) {
  return tx * 32 + 16;
}
inline int TileCentrePy(int ty) {
  return ty * 24 + 12;
}

// The tile a special acts through when stepped on or bumped (specials with a
// step trigger), and what it does: the effect numbers of the specials.
enum SpecialEffect : uint8_t {
  kFxNone = 0,
  kFxSummon = 1,
  kFxZap = 2,
  kFxRaise = 3,
  kFxToggle = 4,
  kFxTeleport = 5,
  kFxLight = 6,
  kFxGoto = 7,
  kFxWin = 8,
  kFxPicture = 9,
};
constexpr uint16_t kTrigHeroStep = 0x0001;
constexpr uint16_t kTrigMonsterStep = 0x0002;
constexpr uint16_t kTrigHeroNear = 0x0004;
constexpr uint16_t kTrigMapsDone = 0x0008;
constexpr uint16_t kTrigAllPieces = 0x0010;
constexpr uint16_t kTrigNoneOfKind = 0x0020;
constexpr uint16_t kTrigCollected = 0x0040;
constexpr uint16_t kTrigShot = 0x0080;
constexpr uint16_t kTrigRepeat = 0x0100;
constexpr uint16_t kTrigChained = 0x0400;

// Whether the special's conditions hold now (maps done, pieces, kinds left,
// gems taken).
bool SpecialConditionsHold(const Special& s);

}  // namespace autoplay
}  // namespace torvel
