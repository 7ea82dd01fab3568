#include "autoplay/nav.h"

#include <algorithm>
#include <queue>

#include "actors/guys.h"
#include "player/player_record.h"
#include "world/world.h"

namespace torvel::autoplay {

namespace {

constexpr int kInfinity = 1 << 29;

// A locked door the hero holds the key to.
bool DoorOpens(uint8_t item) {
  const PlayerRecord& p = Player();
  switch (item) {
    case 71:
    case 75:
      return p.keys > 0;
    case 72:
    case 76:
      return p.specialKeys[0] != 0;
    case 73:
    case 77:
      return p.specialKeys[1] != 0;
    case 74:
    case 78:
      return p.specialKeys[2] != 0;
    default:
      return false;
  }
}

// What a step special on the tile does to a hero walking over it.
CellUse SpecialUse(const Special& s) {
  switch (s.effect) {
    case kFxNone:
    case kFxLight:
      return CellUse::kFree;
    case kFxGoto:
      // An exit to a map already done does nothing.
      return CellUse::kGoalOnly;
    default:
      return CellUse::kGoalOnly;
  }
}

}  // namespace

bool SpecialConditionsHold(const Special& s) {
  const PlayerRecord& p = Player();
  if ((s.trigger & kTrigNoneOfKind) && AnyGuyOfKind(s.trigValue)) return false;
  if ((s.trigger & kTrigCollected) && p.collected < s.trigValue) return false;
  if ((s.trigger & kTrigAllPieces) && !PlayerHasAllPieces()) return false;
  if ((s.trigger & kTrigMapsDone) && p.mapsDoneInWorld < s.trigValue) return false;
  return true;
}

void NavGrid::Build(const Map& map, const World& world, bool roaming,
                    const std::vector<TilePos>& allowed) {
  w_ = map.width;
  h_ = map.height;
  use_.assign(static_cast<size_t>(w_) * h_, CellUse::kFree);
  penalty_.assign(use_.size(), 0);
  way_.assign(use_.size(), 0);
  teleports_.clear();
  teleportAt_.assign(use_.size(), -1);
  const bool everythingStops = Player().worldNumber == 3 && roaming;
  (void)everythingStops;
  for (int y = 0; y < h_; ++y) {
    for (int x = 0; x < w_; ++x) {
      const Tile& t = MapTile(map, x, y);
      uint16_t flags = TerrainFlags(world, t.floor);
      CellUse u = CellUse::kFree;
      if (t.wall) u = CellUse::kBlocked;
      if (flags & (kTerrainImpassable | kTerrainWater | kTerrainLava)) u = CellUse::kBlocked;
      if (t.item >= 50 && !DoorOpens(t.item)) u = CellUse::kBlocked;
      if (u == CellUse::kFree && (flags & kTerrainStepChanges)) {
        uint8_t next = world.terrain[t.floor].next;
        uint16_t nextFlags = TerrainFlags(world, next);
        // A floor that gives way, or one that toggles when walked over.
        if (nextFlags & (kTerrainImpassable | kTerrainWater | kTerrainLava)) u = CellUse::kAvoid;
        if (nextFlags & kTerrainStepChanges) u = CellUse::kAvoid;
      }
      use_[Index(x, y)] = u;
    }
  }
  for (const Special& s : map.specials) {
    if (!s.trigger || !(s.trigger & kTrigHeroStep)) continue;
    if (!OnGrid(s.x, s.y)) continue;
    int i = Index(s.x, s.y);
    if (s.effect == kFxTeleport) {
      Teleport t;
      t.from = {s.x, s.y};
      t.to = {s.targetX, s.targetY};
      t.oneShot = !(s.trigger & kTrigRepeat);
      // A teleport on a solid tile (a portcullis) fires when the hero walks
      // into it, once its conditions hold.
      t.bumped = use_[i] == CellUse::kBlocked && SpecialConditionsHold(s);
      teleportAt_[i] = static_cast<int>(teleports_.size());
      teleports_.push_back(t);
    }
    if (use_[i] == CellUse::kBlocked) continue;
    CellUse u = SpecialUse(s);
    if (s.effect == kFxGoto && PlayerMapDone(Player().worldNumber, s.value) && s.value < 24)
      u = CellUse::kFree;
    if (u == CellUse::kGoalOnly || use_[i] == CellUse::kFree) use_[i] = u;
  }
  for (const TilePos& a : allowed) {
    if (OnGrid(a.x, a.y) && use_[Index(a.x, a.y)] == CellUse::kGoalOnly)
      use_[Index(a.x, a.y)] = CellUse::kFree;
  }
  // Room to move: steps (eight ways) from the nearest blocked tile or edge.
  clear_.assign(use_.size(), 8);
  {
    std::vector<int> frontier;
    for (int i = 0; i < static_cast<int>(use_.size()); ++i) {
      TilePos p = PosOf(i);
      bool edge = p.x == 0 || p.y == 0 || p.x == w_ - 1 || p.y == h_ - 1;
      if (use_[i] == CellUse::kBlocked || edge) {
        clear_[i] = 0;
        frontier.push_back(i);
      }
    }
    for (uint8_t d = 1; d < 8 && !frontier.empty(); ++d) {
      std::vector<int> next;
      for (int i : frontier) {
        TilePos p = PosOf(i);
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            int nx = p.x + dx, ny = p.y + dy;
            if (!OnGrid(nx, ny)) continue;
            int n = Index(nx, ny);
            if (clear_[n] > d) {
              clear_[n] = d;
              next.push_back(n);
            }
          }
        }
      }
      frontier.swap(next);
    }
  }
  // The walkable areas.
  area_.assign(use_.size(), -1);
  int next = 0;
  std::vector<int> stack;
  for (int i = 0; i < static_cast<int>(use_.size()); ++i) {
    if (use_[i] == CellUse::kBlocked || area_[i] >= 0) continue;
    area_[i] = next;
    stack.push_back(i);
    while (!stack.empty()) {
      int j = stack.back();
      stack.pop_back();
      TilePos p = PosOf(j);
      const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
      for (int k = 0; k < 4; ++k) {
        int nx = p.x + dx[k], ny = p.y + dy[k];
        if (!OnGrid(nx, ny)) continue;
        int n = Index(nx, ny);
        if (use_[n] == CellUse::kBlocked || area_[n] >= 0) continue;
        area_[n] = next;
        stack.push_back(n);
      }
    }
    ++next;
  }
}

void NavGrid::MarkWay(const std::vector<TilePos>& way) const {
  std::fill(way_.begin(), way_.end(), 0);
  for (const TilePos& t : way) {
    if (OnGrid(t.x, t.y)) way_[Index(t.x, t.y)] = 1;
  }
}

void NavGrid::SetPenalty(int x, int y, int cost) {
  if (OnGrid(x, y)) penalty_[Index(x, y)] = std::max(penalty_[Index(x, y)], cost);
}

void NavGrid::ClearPenalties() {
  std::fill(penalty_.begin(), penalty_.end(), 0);
}

bool NavGrid::BoxFits(int px, int py, int margin, bool goals) const {
  int left = (px + kHeroBoxLeft - margin) / 32, right = (px + kHeroBoxRight + margin) / 32;
  int top = (py + kHeroBoxTop - margin) / 24, bottom = (py + kHeroBoxBottom + margin) / 24;
  if (px + kHeroBoxLeft - margin < 0 || py + kHeroBoxTop - margin < 0) return false;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (Use(x, y) == CellUse::kBlocked) return false;
    }
  }
  // Floors that give way and plates that act do so under the hero's middle
  // only: its box may brush them.
  int cx = px / 32, cy = py / 24;
  CellUse u = Use(cx, cy);
  if (u == CellUse::kGoalOnly && !goals && !way_[Index(cx, cy)]) return false;
  if (u == CellUse::kAvoid && !way_[Index(cx, cy)]) return false;
  return true;
}

void NavGrid::Distances(TilePos from, bool useTeleports, std::vector<int>& dist,
                        std::vector<int>& previous) const {
  dist.assign(use_.size(), kInfinity);
  previous.assign(use_.size(), -1);
  if (!OnGrid(from.x, from.y)) return;
  using Entry = std::pair<int, int>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  int start = Index(from.x, from.y);
  dist[start] = 0;
  open.push({0, start});
  while (!open.empty()) {
    auto [d, i] = open.top();
    open.pop();
    if (d != dist[i]) continue;
    TilePos p = PosOf(i);
    if (useTeleports && teleportAt_[i] >= 0 && i != start) {
      const Teleport& t = teleports_[teleportAt_[i]];
      if (OnGrid(t.to.x, t.to.y)) {
        int j = Index(t.to.x, t.to.y);
        if (d + 8 < dist[j]) {
          dist[j] = d + 8;
          previous[j] = i;
          open.push({dist[j], j});
        }
      }
      continue;  // stepping on it, the hero is carried away
    }
    // A goal-only tile ends the way there: walking on would set it off.
    if (i != start && use_[i] == CellUse::kGoalOnly) continue;
    for (int k = 0; k < 8; ++k) {
      int nx = p.x + kStepDx[k], ny = p.y + kStepDy[k];
      if (Use(nx, ny) == CellUse::kBlocked) {
        // Walked into straight, a solid teleport carries the hero on.
        int b = OnGrid(nx, ny) ? Index(nx, ny) : -1;
        if (useTeleports && k < 4 && b >= 0 && teleportAt_[b] >= 0 &&
            teleports_[teleportAt_[b]].bumped && d + kStepCost[k] < dist[b]) {
          dist[b] = d + kStepCost[k];
          previous[b] = i;
          open.push({dist[b], b});
        }
        continue;
      }
      if (k >= 4) {
        // Diagonal steps cut no corners, nor the corner of a floor that
        // acts when the hero's middle comes onto it (it passes over one of
        // the two).
        if (!Walkable(p.x + kStepDx[k], p.y) || !Walkable(p.x, p.y + kStepDy[k])) continue;
        if (Use(p.x + kStepDx[k], p.y) == CellUse::kAvoid ||
            Use(p.x, p.y + kStepDy[k]) == CellUse::kAvoid)
          continue;
        if (Use(nx, ny) == CellUse::kGoalOnly) continue;
      }
      int j = Index(nx, ny);
      // Standing on a teleport that has not fired (it waits for its own
      // cooldown), the hero steps off and on again to be carried away.
      if (j == start && useTeleports && teleportAt_[j] >= 0 && k < 4) {
        const Teleport& t = teleports_[teleportAt_[j]];
        if (OnGrid(t.to.x, t.to.y)) {
          int target = Index(t.to.x, t.to.y);
          int nd = d + kStepCost[k] + 8;
          if (nd < dist[target]) {
            dist[target] = nd;
            previous[target] = i;
            open.push({nd, target});
          }
        }
        continue;
      }
      int cost = kStepCost[k] + penalty_[j] + (use_[j] == CellUse::kAvoid ? 2000 : 0);
      if (d + cost < dist[j]) {
        dist[j] = d + cost;
        previous[j] = i;
        open.push({dist[j], j});
      }
    }
  }
}

void NavGrid::DistancesTo(TilePos to, bool useTeleports, std::vector<int>& dist) const {
  dist.assign(use_.size(), kInfinity);
  if (!OnGrid(to.x, to.y)) return;
  using Entry = std::pair<int, int>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  int goal = Index(to.x, to.y);
  dist[goal] = 0;
  open.push({0, goal});
  // Teleports by their target tile.
  std::vector<std::vector<int>> arrivals;
  if (useTeleports) {
    arrivals.resize(use_.size());
    for (const Teleport& t : teleports_) {
      if (OnGrid(t.to.x, t.to.y) && OnGrid(t.from.x, t.from.y))
        arrivals[Index(t.to.x, t.to.y)].push_back(Index(t.from.x, t.from.y));
    }
  }
  while (!open.empty()) {
    auto [d, i] = open.top();
    open.pop();
    if (d != dist[i]) continue;
    TilePos p = PosOf(i);
    if (useTeleports) {
      for (int j : arrivals[i]) {
        if (d + 8 < dist[j]) {
          dist[j] = d + 8;
          open.push({dist[j], j});
        }
      }
    }
    // Stepping onto i from a neighbour j (not a teleport tile when they are
    // used: from there the hero is carried away; not a goal-only tile).
    int cost_i = penalty_[i] + (use_[i] == CellUse::kAvoid ? 2000 : 0);
    for (int k = 0; k < 8; ++k) {
      int nx = p.x + kStepDx[k], ny = p.y + kStepDy[k];
      if (!OnGrid(nx, ny) || Use(nx, ny) == CellUse::kBlocked) continue;
      int j = Index(nx, ny);
      if (use_[j] == CellUse::kGoalOnly) continue;
      if (useTeleports && teleportAt_[j] >= 0) continue;
      if (i != goal && use_[i] == CellUse::kGoalOnly && !(useTeleports && teleportAt_[i] >= 0))
        continue;
      if (k >= 4) {
        if (!Walkable(p.x, ny) || !Walkable(nx, p.y)) continue;
        if (use_[i] == CellUse::kGoalOnly) continue;
      }
      int nd = d + kStepCost[k] + cost_i;
      if (nd < dist[j]) {
        dist[j] = nd;
        open.push({nd, j});
      }
    }
  }
}

std::vector<TilePos> NavGrid::Path(TilePos from, TilePos to, bool useTeleports) const {
  std::vector<int> dist, previous;
  Distances(from, useTeleports, dist, previous);
  std::vector<TilePos> path;
  if (!OnGrid(to.x, to.y) || dist[Index(to.x, to.y)] >= kInfinity) return path;
  for (int i = Index(to.x, to.y); i >= 0; i = previous[i]) path.push_back(PosOf(i));
  std::reverse(path.begin(), path.end());
  return path;
}

}  // namespace torvel::autoplay
