#include "autoplay/agent.h"

#include <algorithm>
#include <cstdlib>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/kinds.h"
#include "input/input.h"
#include "player/player_record.h"
#include "shell/play_loop.h"
#include "world/world.h"

namespace torvel::autoplay {

namespace {

constexpr int kUnreachable = 1 << 29;
constexpr uint8_t kFriendly = 11;
constexpr int kGiveUpSteps = 300;

TilePos HeroTile(const Guy& hero) {
  return {(hero.x >> 16) / 32, (hero.y >> 16) / 24};
}

bool Useful(uint8_t item) {
  // Everything the hero can pick up and use; "not taken" (10) and the
  // decorations stay, and the relic ends the map at once (taken last).
  return (item >= 1 && item <= 9) || (item >= 11 && item <= 19);
}

std::string KindWord(int kind) {
  std::string file = KindSpriteFile(kind);
  size_t slash = file.find_last_of("\\/");
  if (slash != std::string::npos) file = file.substr(slash + 1);
  size_t dot = file.find('.');
  if (dot != std::string::npos) file = file.substr(0, dot);
  return file;
}

std::string TileText(TilePos t) {
  return "(" + std::to_string(t.x) + "," + std::to_string(t.y) + ")";
}

int GemTotal(const Map& map) {
  int n = 0;
  for (const Tile& t : map.tiles) n += t.item == 11;
  return n;
}

}  // namespace

void MapAgent::Start(const MapContext& context) {
  context_ = context;
  goal_ = Goal{};
  hubGoal_ = Goal{};
  goalSteps_ = 0;
  sinceProgress_ = 0;
  bestDistance_ = kUnreachable;
  step_ = 0;
  routeStep_ = 0;
  routeRepeat_ = 0;
  talked_ = false;
  stepOff_ = false;
  failed_.clear();
  stuck_ = false;
  stuckReason_.clear();
  tapPhase_ = 0;
}

std::string MapAgent::TakeLog() {
  std::string out;
  out.swap(log_);
  return out;
}

void MapAgent::Log(const std::string& line) {
  log_ += line;
  log_ += '\n';
}

bool MapAgent::Blacklisted(const Goal& g) const {
  for (const Failed& f : failed_) {
    if (f.until > step_ && f.goal.type == g.type && f.goal.tile == g.tile && f.goal.slot == g.slot)
      return true;
  }
  return false;
}

Goal MapAgent::AutoGoal(Map& map, World& world, const Guy& hero) {
  (void)world;
  const PlayerRecord& p = Player();
  TilePos from = HeroTile(hero);
  std::vector<int> dist, previous;
  grid_.Distances(from, true, dist, previous);
  auto reach = [&](TilePos t) {
    return grid_.OnGrid(t.x, t.y) ? dist[grid_.Index(t.x, t.y)] : kUnreachable;
  };

  // A foe coming at the hero is dealt with first (once the hero can shoot).
  if (p.shotPower > 0) {
    std::vector<Foe> foes = ListFoes();
    int hx = hero.x >> 16, hy = hero.y >> 16;
    const Foe* threat = nullptr;
    int threatD = kUnreachable;
    for (const Foe& f : foes) {
      if (f.invulnerable || f.swims) continue;
      int d = std::abs(f.x - hx) + std::abs(f.y - hy);
      double toward = (hx - f.x) * (f.dx / 65536.0) + (hy - f.y) * (f.dy / 65536.0);
      bool coming = (toward > 0 && d < 260) || d < f.keepOut + 60;
      if (!coming) continue;
      if (!f.flies && reach({f.x / 32, f.y / 24}) >= kUnreachable) continue;
      // Only what can get at the hero from where it is: a walker of
      // another room (behind a wall, or a teleport away) comes to no one.
      int heroArea = grid_.Area(hx / 32, hy / 24);
      if (!f.flies && (heroArea < 0 || grid_.Area(f.x / 32, f.y / 24) != heroArea)) continue;
      Goal g;
      g.type = Goal::kKill;
      g.slot = f.slot;
      if (Blacklisted(g)) continue;
      if (d < threatD) {
        threatD = d;
        threat = &f;
      }
    }
    if (threat) {
      Goal g;
      g.type = Goal::kKill;
      g.slot = threat->slot;
      g.kind = threat->kind;
      g.why = "it comes at the hero";
      return g;
    }
  }

  // The nearest useful item, the power-up first while the hero cannot shoot.
  Goal best;
  int bestCost = kUnreachable;
  // Coins a fallen foe scattered, while they last.
  for (int slot = 0; slot < kBulletPoolSize; ++slot) {
    const Bullet* b = GetBullet(slot);
    if (!b || (b->kind != 26 && b->kind != 31) || b->timer < 20) continue;
    TilePos t{(b->x >> 16) / 32, (b->y >> 16) / 24};
    int cost = reach(t);
    if (cost >= 400) continue;
    Goal g;
    g.type = Goal::kReach;
    g.tile = t;
    g.slot = -2 - slot;
    if (Blacklisted(g)) continue;
    if (cost < bestCost) {
      bestCost = cost;
      best = g;
      best.why = "a coin";
    }
  }
  if (best.type != Goal::kNone) return best;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      uint8_t item = MapTile(map, x, y).item;
      if (!Useful(item)) continue;
      if (item == 6 && p.life >= p.lifeMax) continue;  // kept for later
      if (item == 7 && p.mana >= p.manaMax) continue;
      if (item == 16 && p.keys >= 3) continue;
      Goal g;
      g.type = Goal::kTake;
      g.tile = {x, y};
      if (Blacklisted(g)) continue;
      int cost = reach(g.tile);
      if (cost >= kUnreachable) continue;
      if (item == 1 && p.shotPower == 0) cost /= 8;
      if (cost < bestCost) {
        bestCost = cost;
        best = g;
        best.why = "item " + std::to_string(item);
      }
    }
  }
  if (best.type != Goal::kNone) return best;

  // The winning plate and what it asks first.
  const Special* win = nullptr;
  for (const Special& s : map.specials) {
    if (s.trigger && s.effect == kFxWin) win = &s;
  }
  if (win && (win->trigger & kTrigNoneOfKind)) {
    std::vector<Foe> foes = ListFoes();
    const Foe* nearest = nullptr;
    int nearestD = kUnreachable;
    for (const Foe& f : foes) {
      if (win->trigValue != 255 && f.kind != win->trigValue) continue;
      Goal g;
      g.type = Goal::kKill;
      g.slot = f.slot;
      if (Blacklisted(g)) continue;
      if (!f.flies && reach({f.x / 32, f.y / 24}) >= kUnreachable &&
          reach({f.x / 32 + 1, f.y / 24}) >= kUnreachable &&
          reach({f.x / 32 - 1, f.y / 24}) >= kUnreachable)
        continue;
      int d = std::abs(f.x - (hero.x >> 16)) + std::abs(f.y - (hero.y >> 16));
      if (d < nearestD) {
        nearestD = d;
        nearest = &f;
      }
    }
    if (nearest) {
      Goal g;
      g.type = Goal::kKill;
      g.slot = nearest->slot;
      g.kind = nearest->kind;
      g.why =
          "the plate wants every " + KindWord(win->trigValue == 255 ? 0 : win->trigValue) + " dead";
      return g;
    }
  }

  // Switches that open the way: step specials that change walls, not yet set off.
  for (const Special& s : map.specials) {
    if (!s.trigger || !(s.trigger & kTrigHeroStep)) continue;
    if (s.effect != kFxZap && s.effect != kFxToggle && s.effect != kFxRaise) continue;
    if (s.trigger & kTrigRepeat) continue;
    Goal g;
    g.tile = {s.x, s.y};
    g.type = grid_.Use(s.x, s.y) == CellUse::kBlocked ? Goal::kBump : Goal::kStep;
    if (Blacklisted(g)) continue;
    g.why = "a switch";
    return g;
  }
  // Walls that a shot brings down.
  for (const Special& s : map.specials) {
    if (!s.trigger || !(s.trigger & kTrigShot)) continue;
    Goal g;
    g.type = Goal::kShoot;
    g.tile = {s.x, s.y};
    if (Blacklisted(g)) continue;
    g.why = "a wall that gives to shots";
    return g;
  }

  if (win && SpecialConditionsHold(*win) && p.collected >= static_cast<uint32_t>(GemTotal(map))) {
    Goal g;
    g.type = grid_.Use(win->x, win->y) == CellUse::kBlocked ? Goal::kBump : Goal::kStep;
    g.tile = {win->x, win->y};
    g.why = "the winning plate";
    if (!Blacklisted(g)) return g;
  }
  // The relic ends the map: last.
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      if (MapTile(map, x, y).item != 20) continue;
      Goal g;
      g.type = Goal::kTake;
      g.tile = {x, y};
      g.why = "the relic";
      if (!Blacklisted(g)) return g;
    }
  }
  // Whatever is left alive.
  std::vector<Foe> foes = ListFoes();
  for (const Foe& f : foes) {
    Goal g;
    g.type = Goal::kKill;
    g.slot = f.slot;
    g.kind = f.kind;
    if (Blacklisted(g)) continue;
    if (!f.flies && reach({f.x / 32, f.y / 24}) >= kUnreachable) continue;
    g.why = "a monster left";
    return g;
  }
  // Out of reach: a block pushed aside may open the way.
  std::vector<TilePos> targets;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      uint8_t item = MapTile(map, x, y).item;
      if ((Useful(item) || item == 20) && reach({x, y}) >= kUnreachable) targets.push_back({x, y});
    }
  }
  for (const Foe& f : foes) {
    if (reach({f.x / 32, f.y / 24}) >= kUnreachable) targets.push_back({f.x / 32, f.y / 24});
  }
  if (win && reach({win->x, win->y}) >= kUnreachable) targets.push_back({win->x, win->y});
  Goal push;
  if (!targets.empty() && PushToReach(map, world, hero, targets, push)) return push;
  return Goal{};
}

bool MapAgent::PushToReach(Map& map, World& world, const Guy& hero,
                           const std::vector<TilePos>& targets, Goal& out) {
  TilePos from = HeroTile(hero);
  std::vector<int> dist, previous;
  grid_.Distances(from, true, dist, previous);
  static constexpr int kDir[4] = {0, 2, 4, 6};
  int bestScore = kUnreachable;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      const Tile& b = MapTile(map, x, y);
      if (!b.wall || !(TerrainFlags(world, b.floor) & kTerrainPushable)) continue;
      for (int d : kDir) {
        int ux = d == 0 ? 1 : d == 4 ? -1 : 0, uy = d == 2 ? 1 : d == 6 ? -1 : 0;
        TilePos side{x - ux, y - uy};
        if (!grid_.Walkable(side.x, side.y) || dist[grid_.Index(side.x, side.y)] >= kUnreachable)
          continue;
        // Push on as long as the track goes: the first push that opens a way.
        for (int k = 1; k <= 6; ++k) {
          int tx = x + ux * k, ty = y + uy * k;
          if (!OnMap(map, tx, ty)) break;
          const Tile& t = MapTile(map, tx, ty);
          if (t.wall || t.item || !(TerrainFlags(world, t.floor) & kTerrainCanBePushedOn)) break;
          NavGrid what = grid_;
          for (int j = 0; j < k; ++j) what.SetUse(x + ux * j, y + uy * j, CellUse::kFree);
          what.SetUse(tx, ty, CellUse::kBlocked);
          std::vector<int> d2, p2;
          what.Distances(from, true, d2, p2);
          int gained = 0;
          for (const TilePos& g : targets) {
            // A foe or item beside the opened tiles counts as reached too.
            bool near = false;
            for (int oy = -1; oy <= 1 && !near; ++oy)
              for (int ox = -1; ox <= 1 && !near; ++ox)
                near = what.OnGrid(g.x + ox, g.y + oy) &&
                       d2[what.Index(g.x + ox, g.y + oy)] < kUnreachable;
            gained += near;
          }
          if (gained == 0) continue;
          int score = dist[grid_.Index(side.x, side.y)] + 100 * k - 1000 * gained;
          if (score < bestScore) {
            bestScore = score;
            out = Goal{};
            out.type = Goal::kPush;
            out.tile = {x, y};
            out.dir = d;
            out.why = "a block pushed " + std::to_string(k) + " to open the way";
          }
          break;
        }
      }
    }
  }
  return bestScore < kUnreachable;
}

Goal MapAgent::NextRouteGoal(Map& map, World& /*world*/, const Guy& hero) {
  const std::vector<RouteStep>& steps = context_.route->steps;
  while (routeStep_ < steps.size()) {
    const RouteStep& r = steps[routeStep_];
    TilePos t{r.place.x, r.place.y};
    Goal g;
    g.why = "route: " + r.text;
    switch (r.op) {
      case RouteStep::kTake:
        if (r.place.given) {
          if (OnMap(map, t.x, t.y) && MapTile(map, t.x, t.y).item != 0) {
            g.type = Goal::kTake;
            g.tile = t;
            return g;
          }
        } else {
          // The nearest of that item.
          std::vector<int> dist, previous;
          grid_.Distances(HeroTile(hero), true, dist, previous);
          int bestD = kUnreachable;
          for (int y = 0; y < map.height; ++y) {
            for (int x = 0; x < map.width; ++x) {
              if (MapTile(map, x, y).item != r.item) continue;
              int d = dist[grid_.Index(x, y)];
              if (d < bestD) {
                bestD = d;
                g.type = Goal::kTake;
                g.tile = {x, y};
              }
            }
          }
          if (g.type != Goal::kNone && routeRepeat_ == 0) {
            routeRepeat_ = 1;
            return g;
          }
        }
        break;
      case RouteStep::kTakeAll: {
        // The nearest useful item left that the hero can reach; the fights
        // on the way are the fighter's.
        const PlayerRecord& p = Player();
        std::vector<int> dist, previous;
        grid_.Distances(HeroTile(hero), true, dist, previous);
        int bestD = kUnreachable;
        for (int y = 0; y < map.height; ++y) {
          for (int x = 0; x < map.width; ++x) {
            uint8_t item = MapTile(map, x, y).item;
            if (!Useful(item)) continue;
            if ((item == 6 && p.life >= p.lifeMax) || (item == 7 && p.mana >= p.manaMax) ||
                (item == 16 && p.keys >= 3))
              continue;
            Goal t;
            t.type = Goal::kTake;
            t.tile = {x, y};
            if (Blacklisted(t)) continue;
            int d = dist[grid_.Index(x, y)];
            if (d < bestD) {
              bestD = d;
              g = t;
              g.why = "route: " + r.text;
            }
          }
        }
        if (g.type != Goal::kNone) return g;
        break;
      }
      case RouteStep::kStep: {
        // A teleport the hero has already been carried past: done.
        bool past = false;
        for (const Special& sp : map.specials) {
          if (sp.x != t.x || sp.y != t.y || sp.effect != kFxTeleport) continue;
          TilePos here = HeroTile(hero);
          int area = grid_.Area(here.x, here.y);
          past = area >= 0 && area != grid_.Area(t.x, t.y) &&
                 area == grid_.Area(sp.targetX, sp.targetY);
        }
        if (past) break;
        if (routeRepeat_ == 0) {
          routeRepeat_ = 1;
          g.type = grid_.Use(t.x, t.y) == CellUse::kBlocked ? Goal::kBump : Goal::kStep;
          g.tile = t;
          return g;
        }
        break;
      }
      case RouteStep::kGo:
        if (HeroTile(hero) != t) {
          g.type = Goal::kReach;
          g.tile = t;
          return g;
        }
        break;
      case RouteStep::kBump:
        if (routeRepeat_ == 0) {
          routeRepeat_ = 1;
          g.type = Goal::kBump;
          g.tile = t;
          g.steps = 30;
          return g;
        }
        break;
      case RouteStep::kPush:
        if (routeRepeat_ < r.count) {
          int ux = r.dir == 0 ? 1 : r.dir == 4 ? -1 : 0;
          int uy = r.dir == 2 ? 1 : r.dir == 6 ? -1 : 0;
          g.type = Goal::kPush;
          g.tile = {t.x + ux * routeRepeat_, t.y + uy * routeRepeat_};
          g.dir = r.dir;
          return g;
        }
        break;
      case RouteStep::kShoot: {
        bool armed = false;
        for (const Special& s : map.specials) {
          if (s.x == t.x && s.y == t.y && (s.trigger & kTrigShot)) armed = true;
        }
        if (armed) {
          g.type = Goal::kShoot;
          g.tile = t;
          return g;
        }
        break;
      }
      case RouteStep::kKill: {
        std::vector<Foe> foes = ListFoes();
        // The nearest by the way there (teleports too), then as the crow flies.
        std::vector<int> dist, previous;
        grid_.Distances(HeroTile(hero), true, dist, previous);
        int bestD = kUnreachable;
        for (const Foe& f : foes) {
          if (r.kind && f.kind != r.kind) continue;
          int d = std::abs(f.x - (hero.x >> 16)) + std::abs(f.y - (hero.y >> 16));
          TilePos ft{f.x / 32, f.y / 24};
          if (grid_.OnGrid(ft.x, ft.y) && dist[grid_.Index(ft.x, ft.y)] < kUnreachable)
            d = dist[grid_.Index(ft.x, ft.y)];
          else
            d += 100000;
          if (d < bestD) {
            bestD = d;
            g.type = Goal::kKill;
            g.slot = f.slot;
            g.kind = f.kind;
          }
        }
        if (g.type != Goal::kNone) return g;
        break;
      }
      case RouteStep::kTalk:
        if (!talked_) {
          g.type = Goal::kTalk;
          g.tile = t;
          return g;
        }
        break;
      case RouteStep::kWait:
        if (routeRepeat_ == 0) {
          routeRepeat_ = 1;
          g.type = Goal::kWait;
          g.steps = r.count;
          return g;
        }
        break;
      case RouteStep::kWin: {
        const Special* win = nullptr;
        for (const Special& s : map.specials) {
          if (s.trigger && s.effect == kFxWin) win = &s;
        }
        if (r.place.given) {
          g.tile = t;
        } else if (win) {
          g.tile = {win->x, win->y};
        } else {
          break;
        }
        g.type = grid_.Use(g.tile.x, g.tile.y) == CellUse::kBlocked ? Goal::kBump : Goal::kStep;
        return g;
      }
      default:
        break;
    }
    Log("  route step done: " + r.text);
    ++routeStep_;
    routeRepeat_ = 0;
    // A talk heard on the way counts for the next talk step; a talk step
    // uses it up.
    if (r.op == RouteStep::kTalk) talked_ = false;
  }
  return Goal{};
}

Goal MapAgent::ChooseGoal(Map& map, World& world, const Guy& hero) {
  if (context_.roaming) return hubGoal_;
  if (context_.route && routeStep_ < context_.route->steps.size()) {
    Goal g = NextRouteGoal(map, world, hero);
    if (g.type != Goal::kNone) return g;
  }
  return AutoGoal(map, world, hero);
}

bool MapAgent::GoalDone(const Goal& g, Map& map, World& world, const Guy& hero) {
  (void)world;
  TilePos here = HeroTile(hero);
  switch (g.type) {
    case Goal::kNone:
      return true;
    case Goal::kReach:
      if (g.slot <= -2) {
        const Bullet* b = GetBullet(-2 - g.slot);
        return !b || (b->kind != 26 && b->kind != 31) || here == g.tile;
      }
      return here == g.tile;
    case Goal::kStep:
      return here == g.tile && !stepOff_;
    case Goal::kTake:
      return !OnMap(map, g.tile.x, g.tile.y) || MapTile(map, g.tile.x, g.tile.y).item == 0;
    case Goal::kKill: {
      const Guy* guy = GetGuy(g.slot);
      return !guy || guy->kind == 0 || guy->life <= 0 || (g.kind && guy->kind != g.kind);
    }
    case Goal::kBump:
      return goalSteps_ > 400;
    case Goal::kShoot: {
      for (const Special& s : map.specials) {
        if (s.x == g.tile.x && s.y == g.tile.y && (s.trigger & kTrigShot)) return false;
      }
      return true;
    }
    case Goal::kWait:
      return goalSteps_ >= g.steps;
    case Goal::kPush:
      // The block has left its tile.
      if (!OnMap(map, g.tile.x, g.tile.y) || MapTile(map, g.tile.x, g.tile.y).wall == 0) {
        ++routeRepeat_;
        return true;
      }
      return false;
    case Goal::kTalk:
      return talked_;
    default:
      return false;
  }
}

Press MapAgent::Pursue(const Goal& g, Map& map, World& world, const Guy& hero) {
  const PlayerRecord& p = Player();
  bool icy = false;
  if (OnMap(map, hero.tileX, hero.tileY))
    icy = TerrainFlags(world, MapTile(map, hero.tileX, hero.tileY).floor) & kTerrainIcy;
  TilePos here = HeroTile(hero);
  Press out;
  int distance = kUnreachable;
  // Standing on the tile already: its special fires on the way in, so off
  // and on again.
  if (g.type == Goal::kStep && goalSteps_ == 1 && here == g.tile) stepOff_ = true;
  if (g.type == Goal::kStep && stepOff_) {
    if (here != g.tile) {
      stepOff_ = false;
    } else {
      static constexpr int kDx[4] = {1, -1, 0, 0}, kDy[4] = {0, 0, 1, -1};
      for (int k = 0; k < 4; ++k) {
        TilePos n{here.x + kDx[k], here.y + kDy[k]};
        if (!grid_.Walkable(n.x, n.y)) continue;
        out.held = mover_.SteerTo(hero, grid_, TileCentrePx(n.x), TileCentrePy(n.y), icy,
                                  p.topSpeed, false);
        return out;
      }
    }
  }
  switch (g.type) {
    case Goal::kReach:
    case Goal::kStep:
    case Goal::kTake: {
      std::vector<TilePos> path = grid_.Path(here, g.tile, true);
      if (goalSteps_ == 1) {
        std::string way = "  way:";
        for (const TilePos& t : path) way += " " + TileText(t);
        Log(way);
      }
      if (path.empty()) {
        distance = kUnreachable;
        break;
      }
      distance = static_cast<int>(path.size());
      out.held = mover_.Steer(hero, grid_, path, icy, p.topSpeed);
      break;
    }
    case Goal::kBump: {
      // From the open side, walk into it.
      static constexpr int kDx[4] = {0, -1, 0, 1}, kDy[4] = {1, 0, -1, 0};
      static constexpr uint8_t kInto[4] = {kActionUp, kActionRight, kActionDown, kActionLeft};
      std::vector<int> dist, previous;
      grid_.Distances(here, true, dist, previous);
      int best = -1, bestD = kUnreachable;
      for (int k = 0; k < 4; ++k) {
        int nx = g.tile.x + kDx[k], ny = g.tile.y + kDy[k];
        if (!grid_.Walkable(nx, ny)) continue;
        int d = dist[grid_.Index(nx, ny)];
        if (d < bestD) {
          bestD = d;
          best = k;
        }
      }
      if (best < 0 || bestD >= kUnreachable) break;
      TilePos side{g.tile.x + kDx[best], g.tile.y + kDy[best]};
      if (here == side && Mover::AtCentre(hero, side, 5)) {
        out.held = kInto[best];
        distance = 0;
      } else {
        std::vector<TilePos> path = grid_.Path(here, side, true);
        distance = static_cast<int>(path.size()) + 1;
        out.held = mover_.Steer(hero, grid_, path, icy, p.topSpeed);
      }
      break;
    }
    case Goal::kKill: {
      const Guy* guy = GetGuy(g.slot);
      if (!guy) break;
      std::vector<Foe> foes = ListFoes();
      const Foe* foe = nullptr;
      for (const Foe& f : foes) {
        if (f.slot == g.slot) foe = &f;
      }
      if (!foe) break;
      TilePos spot;
      int holdX = 0, holdY = 0;
      if (fighter_.GiantHoldPoint(hero, grid_, map, *foe, holdX, holdY)) {
        // Where the giant stays caught below: stand just there.
        distance = foe->life * 64;
        out.held = mover_.SteerTo(hero, grid_, holdX, holdY, icy, p.topSpeed, false);
      } else if (fighter_.FiringSpot(hero, grid_, map, *foe, spot)) {
        std::vector<TilePos> path = grid_.Path(here, spot, true);
        if (goalSteps_ == 1) {
          std::string way = "  firing spot " + TileText(spot) + ", way:";
          for (const TilePos& t : path) way += " " + TileText(t);
          Log(way);
        }
        // Progress is the foe's life going down as much as the way.
        distance = foe->life * 64 + static_cast<int>(path.size());
        if (here == spot) {
          // In place: face it and wait for it to come into line.
          out.held = mover_.SteerTo(hero, grid_, TileCentrePx(spot.x), TileCentrePy(spot.y), icy,
                                    p.topSpeed, false);
        } else {
          out.held = mover_.Steer(hero, grid_, path, icy, p.topSpeed);
        }
      } else {
        TilePos t{foe->x / 32, foe->y / 24};
        std::vector<TilePos> path = grid_.Path(here, t, true);
        if (path.size() > 3) path.resize(path.size() - 2);
        distance = foe->life * 64 + static_cast<int>(path.size()) + 10;
        out.held = mover_.Steer(hero, grid_, path, icy, p.topSpeed);
      }
      break;
    }
    case Goal::kShoot: {
      Foe wall;
      wall.x = TileCentrePx(g.tile.x);
      wall.y = TileCentrePy(g.tile.y);
      wall.half = 16;
      wall.halfY = 12;
      // Stand in line with it and fire until the wall gives.
      int hx = hero.x >> 16, hy = hero.y >> 16;
      int adx = std::abs(wall.x - hx), ady = std::abs(wall.y - hy);
      bool lined = (adx <= 4 && ady > 0) || (ady <= 4 && adx > 0);
      if (lined && adx + ady < 300 && p.shotPower > 0) {
        int f = adx <= 4 ? (wall.y > hy ? 2 : 6) : (wall.x > hx ? 0 : 4);
        out.held = static_cast<uint8_t>(BitsForFacing(f) | kActionFire);
        distance = 0;
        break;
      }
      TilePos spot;
      bool found = false;
      int bestD = kUnreachable;
      std::vector<int> dist, previous;
      grid_.Distances(here, true, dist, previous);
      for (int k = 2; k <= 8 && !found; ++k) {
        const int dx4[4] = {k, -k, 0, 0}, dy4[4] = {0, 0, k, -k};
        for (int i = 0; i < 4; ++i) {
          TilePos t{g.tile.x + dx4[i], g.tile.y + dy4[i]};
          if (!grid_.Walkable(t.x, t.y)) continue;
          int d = dist[grid_.Index(t.x, t.y)];
          if (d >= bestD) continue;
          // The shot flies to the tile next to the wall; the wall itself stops it.
          int nx = g.tile.x + (dx4[i] > 0 ? 1 : dx4[i] < 0 ? -1 : 0);
          int ny = g.tile.y + (dy4[i] > 0 ? 1 : dy4[i] < 0 ? -1 : 0);
          if (!Fighter::ShotClear(map, TileCentrePx(t.x), TileCentrePy(t.y), TileCentrePx(nx),
                                  TileCentrePy(ny)))
            continue;
          bestD = d;
          spot = t;
          found = true;
        }
      }
      if (!found) break;
      std::vector<TilePos> path = grid_.Path(here, spot, true);
      distance = static_cast<int>(path.size()) + 1;
      out.held = mover_.Steer(hero, grid_, path, icy, p.topSpeed);
      break;
    }
    case Goal::kWait:
      distance = 0;
      break;
    case Goal::kPush: {
      int ux = g.dir == 0 ? 1 : g.dir == 4 ? -1 : 0;
      int uy = g.dir == 2 ? 1 : g.dir == 6 ? -1 : 0;
      TilePos side{g.tile.x - ux, g.tile.y - uy};
      if (here == side &&
          (goalSteps_ > 0 && (lastHeld_ & BitsForFacing(g.dir)) ? true
                                                                : Mover::AtCentre(hero, side, 3))) {
        out.held = BitsForFacing(g.dir);
        distance = 0;
      } else {
        std::vector<TilePos> path = grid_.Path(here, side, true);
        if (path.empty()) break;
        distance = static_cast<int>(path.size()) + 1;
        out.held = mover_.Steer(hero, grid_, path, icy, p.topSpeed);
      }
      break;
    }
    case Goal::kTalk: {
      const Guy* friendly = nullptr;
      for (int slot = 0; slot < GuyPoolSize(); ++slot) {
        const Guy* guy = GetGuy(slot);
        if (guy && guy->kind == kFriendly) friendly = guy;
      }
      if (!friendly) break;
      int fx = friendly->x >> 16, fy = friendly->y >> 16;
      int hx = hero.x >> 16, hy = hero.y >> 16;
      distance = std::abs(fx - hx) + std::abs(fy - hy);
      if (distance < 28) {
        out.held = 0;
        distance = 0;
        break;
      }
      // Walk up to it: to the nearest free tile beside it, then toward it.
      TilePos ft{fx / 32, fy / 24};
      std::vector<int> dist, previous;
      grid_.Distances(here, true, dist, previous);
      TilePos best{-1, -1};
      int bestD = kUnreachable;
      for (int k = 0; k < 8; ++k) {
        TilePos n{ft.x + kStepDx[k], ft.y + kStepDy[k]};
        if (!grid_.Walkable(n.x, n.y)) continue;
        int d = dist[grid_.Index(n.x, n.y)];
        if (d < bestD) {
          bestD = d;
          best = n;
        }
      }
      if (best.x < 0) break;
      if (here == best) {
        out.held = mover_.SteerTo(hero, grid_, fx, fy, icy, p.topSpeed, false);
      } else {
        out.held = mover_.Steer(hero, grid_, grid_.Path(here, best, true), icy, p.topSpeed);
      }
      break;
    }
    default:
      break;
  }
  // Progress: the way left gets shorter now and then, or the goal is dropped.
  // A foe killed on the way is progress too (moss shot off the path).
  int foesLeft = static_cast<int>(ListFoes().size());
  bool killed = foesLeft < foesLeft_;
  foesLeft_ = foesLeft;
  if (killed && g.type != Goal::kWait) sinceProgress_ = 0;
  if (distance < bestDistance_) {
    bestDistance_ = distance;
    sinceProgress_ = 0;
  } else if (++sinceProgress_ > kGiveUpSteps || distance >= kUnreachable) {
    std::string where = TileText(g.tile);
    if (g.type == Goal::kKill) {
      const Guy* guy = GetGuy(g.slot);
      if (guy)
        where = TileText({guy->x / 65536 / 32, guy->y / 65536 / 24}) + " (kind " +
                std::to_string(guy->kind) + ")";
    }
    if (g.type == Goal::kStep || g.type == Goal::kTake || g.type == Goal::kReach) {
      std::string around = "    around " + TileText(g.tile) + ":";
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          around += " " + std::to_string(static_cast<int>(grid_.Use(g.tile.x + dx, g.tile.y + dy)));
      Log(around + "; hero " + TileText(HeroTile(hero)) + " area " +
          std::to_string(grid_.Area(HeroTile(hero).x, HeroTile(hero).y)) + " goal area " +
          std::to_string(grid_.Area(g.tile.x, g.tile.y)));
    }
    std::string nearby;
    for (int slot = 0; slot < GuyPoolSize(); ++slot) {
      const Guy* o = GetGuy(slot);
      if (!o || o->kind == 0 || o->kind == 1) continue;
      int ox = o->x >> 16, oy = o->y >> 16;
      if (std::abs(ox - (hero.x >> 16)) + std::abs(oy - (hero.y >> 16)) > 120) continue;
      nearby += " " + KindWord(o->kind) + "@" + std::to_string(ox) + "," + std::to_string(oy);
    }
    Log("  gave up " + std::to_string(g.type) + " at " + where +
        (distance >= kUnreachable ? " (no way there)" : " (no progress)") +
        (nearby.empty() ? "" : "; near:" + nearby));
    if (g.type == Goal::kPush) {
      int ux = g.dir == 0 ? 1 : g.dir == 4 ? -1 : 0, uy = g.dir == 2 ? 1 : g.dir == 6 ? -1 : 0;
      const Tile& b = MapTile(map, g.tile.x, g.tile.y);
      std::string why = "    block floor " + std::to_string(b.floor) + " wall " +
                        std::to_string(b.wall) + " flags " +
                        std::to_string(TerrainFlags(world, b.floor));
      if (OnMap(map, g.tile.x + ux, g.tile.y + uy)) {
        const Tile& t = MapTile(map, g.tile.x + ux, g.tile.y + uy);
        why += "; target floor " + std::to_string(t.floor) + " wall " + std::to_string(t.wall) +
               " item " + std::to_string(t.item) + " flags " +
               std::to_string(TerrainFlags(world, t.floor));
      }
      for (int slot = 0; slot < GuyPoolSize(); ++slot) {
        const Guy* guy = GetGuy(slot);
        if (!guy || guy->kind == 0 || guy->life <= 0) continue;
        if (GuyTouchesCell((g.tile.x + ux) * 32, (g.tile.y + uy) * 24, guy))
          why += "; guy of kind " + std::to_string(guy->kind) + " on the target";
      }
      why += "; hero tile " + TileText({hero.tileX, hero.tileY});
      Log(why);
    }
    if (context_.route && routeStep_ < context_.route->steps.size()) {
      routeRepeat_ = 0;  // the route's step is tried again
    } else {
      failed_.push_back({g, step_ + 900});
    }
    goal_ = Goal{};
  }
  return out;
}

Press MapAgent::Step(Map& map, World& world) {
  ++step_;
  Press out;
  Guy* hero = HeroGuy();
  if (!hero || hero->life <= 0 || hero->kind != 1) return out;
  std::vector<TilePos> allowed;
  if (goal_.type == Goal::kStep || goal_.type == Goal::kReach || goal_.type == Goal::kTake)
    allowed.push_back(goal_.tile);
  grid_.Build(map, world, context_.roaming, allowed);

  // Low on life: to the nearest potion first, whatever the plan.
  const PlayerRecord& rec = Player();
  bool forPotion = goal_.type == Goal::kTake && OnMap(map, goal_.tile.x, goal_.tile.y) &&
                   MapTile(map, goal_.tile.x, goal_.tile.y).item == 6;
  if (!context_.roaming && !forPotion &&
      (rec.life * 100 <= 45 * rec.lifeMax || rec.life <= GiantRockHurt())) {
    std::vector<int> dist, previous;
    grid_.Distances(HeroTile(*hero), true, dist, previous);
    Goal potion;
    int bestD = 32 * 24;  // within some two dozen tiles
    for (int y = 0; y < map.height; ++y) {
      for (int x = 0; x < map.width; ++x) {
        if (MapTile(map, x, y).item != 6 || !grid_.OnGrid(x, y)) continue;
        int d = dist[grid_.Index(x, y)];
        if (d < bestD) {
          bestD = d;
          potion.type = Goal::kTake;
          potion.tile = {x, y};
        }
      }
    }
    if (potion.type != Goal::kNone && !Blacklisted(potion)) {
      potion.why = "low on life: a potion";
      goal_ = potion;
      goalSteps_ = 0;
      bestDistance_ = kUnreachable;
      sinceProgress_ = 0;
      Log("  goal " + std::to_string(goal_.type) + " " + TileText(goal_.tile) + ": " + goal_.why);
      allowed.assign(1, goal_.tile);
      grid_.Build(map, world, context_.roaming, allowed);
    }
  }
  if (goal_.type == Goal::kNone || GoalDone(goal_, map, world, *hero)) {
    Goal next = ChooseGoal(map, world, *hero);
    if (next.type == Goal::kNone && !failed_.empty() && !context_.roaming) {
      // Nothing else to do: what failed before may work now.
      failed_.clear();
      next = ChooseGoal(map, world, *hero);
    }
    if (next.type != goal_.type || next.tile != goal_.tile || next.slot != goal_.slot) {
      goal_ = next;
      goalSteps_ = 0;
      bestDistance_ = kUnreachable;
      sinceProgress_ = 0;
      if (goal_.type != Goal::kNone) {
        Log("  goal " + std::to_string(goal_.type) + " " + TileText(goal_.tile) +
            (goal_.slot >= 0 ? " slot " + std::to_string(goal_.slot) : "") + ": " + goal_.why);
      }
    }
    // The allowed tile may have changed with the goal.
    allowed.clear();
    if (goal_.type == Goal::kStep || goal_.type == Goal::kReach || goal_.type == Goal::kTake)
      allowed.push_back(goal_.tile);
    grid_.Build(map, world, context_.roaming, allowed);
  }
  if (goal_.type == Goal::kNone) {
    if (!stuck_) {
      stuck_ = true;
      stuckReason_ = "nothing left to do on the map";
      for (const Foe& f : ListFoes()) {
        stuckReason_ += "; " + KindWord(f.kind) + " at " + TileText({f.x / 32, f.y / 24}) +
                        " (walk " +
                        std::to_string(static_cast<int>(grid_.Use(f.x / 32, f.y / 24))) + ")";
      }
      Log("  stuck: " + stuckReason_);
    }
    return out;
  }
  stuck_ = false;
  ++goalSteps_;
  if (!context_.roaming) AvoidBosses(grid_, ListFoes());
  Press move = Pursue(goal_, map, world, *hero);
  out.held = move.held;
  out.typed = 0;
  if (explain) decision = "move " + std::to_string(move.held);

  // Fight what comes near, on the way.
  if (!context_.roaming && goal_.type != Goal::kNone) {
    std::vector<Foe> foes = ListFoes();
    bool icy = OnMap(map, hero->tileX, hero->tileY) &&
               (TerrainFlags(world, MapTile(map, hero->tileX, hero->tileY).floor) & kTerrainIcy);
    std::vector<int> toGoal, previous;
    TilePos target = goal_.tile;
    bool haveTarget = goal_.type == Goal::kTake || goal_.type == Goal::kStep ||
                      goal_.type == Goal::kReach || goal_.type == Goal::kPush ||
                      goal_.type == Goal::kBump;
    if (goal_.type == Goal::kKill) {
      // Toward a place to shoot it from, or toward it.
      for (const Foe& f : foes) {
        if (f.slot != goal_.slot) continue;
        TilePos spot{f.x / 32, f.y / 24};
        int holdX = 0, holdY = 0;
        if (fighter_.GiantHoldPoint(*hero, grid_, map, f, holdX, holdY)) {
          spot = {holdX / 32, holdY / 24};
          if (explain) decision += " hold " + std::to_string(holdX) + "," + std::to_string(holdY);
        } else
          fighter_.FiringSpot(*hero, grid_, map, f, spot);
        if (explain) decision += " spot " + std::to_string(spot.x) + "," + std::to_string(spot.y);
        grid_.DistancesTo(spot, true, toGoal);
      }
    } else if (haveTarget) {
      grid_.DistancesTo(target, true, toGoal);
      // A goal in a wall: the field from its open sides.
      if (!grid_.Walkable(target.x, target.y)) toGoal.clear();
    }
    // A spell that helps now: pick its slot (its digit), then cast it.
    int slot = -1, facing = 0;
    if (fighter_.SpellToCast(*hero, grid_, map, foes, slot, facing)) {
      if (explain) decision += " spell " + std::to_string(slot);
      const PlayerRecord& pr = Player();
      if (pr.selectedSpell != slot) {
        out.typed = static_cast<uint8_t>(slot == 9 ? '0' : '1' + slot);
        lastHeld_ = out.held;
        return out;
      }
      out.held = static_cast<uint8_t>(BitsForFacing(facing) | kActionSpell);
      lastHeld_ = out.held;
      return out;
    }
    fighter_.SetQuarry(goal_.type == Goal::kKill ? goal_.kind : 0);
    // Unarmed, the power-up is worth a blow or two.
    bool forPower = goal_.type == Goal::kTake && OnMap(map, goal_.tile.x, goal_.tile.y) &&
                    MapTile(map, goal_.tile.x, goal_.tile.y).item == 1 && Player().shotPower == 0;
    // Standing off a foe that never comes, the hero would wait for good:
    // after two seconds of it, it goes on more boldly for a while.
    bool bold = step_ < boldUntil_;
    fighter_.SetUrgency(forPower ? 4.0 : bold ? 3.0 : 1.0);
    uint8_t held = 0;
    // Unarmed with the power-up a few steps off: straight to it.
    bool grab = forPower && std::abs(goal_.tile.x - HeroTile(*hero).x) <= 3 &&
                std::abs(goal_.tile.y - HeroTile(*hero).y) <= 3;
    if (!grab && goal_.type != Goal::kPush && goal_.type != Goal::kBump &&
        fighter_.Tactics(*hero, grid_, map, foes, toGoal, out.held, true, icy, held)) {
      if (held != out.held && (step_ & 1)) {
        // Fighting is not getting nowhere: the goal waits, a while.
        if (sinceProgress_ > 0) --sinceProgress_;
      }
      // Bold, it only stops to shoot.
      if (!bold || (held & kActionFire) || fighter_.deadlyAhead()) out.held = held;
      if (explain) {
        decision += " tactics " + std::to_string(held) + (bold ? " bold" : "") + " (" +
                    fighter_.why() + ")";
      }
    }
    const int life = Player().life;
    // Standing: no key, or keys that do not move it (into a wall).
    const int hx = hero->x >> 16, hy = hero->y >> 16;
    // (Or going to and fro about one spot.)
    bool still = std::abs(hx - standingX_) + std::abs(hy - standingY_) <= 12;
    if (!still) {
      standingX_ = hx;
      standingY_ = hy;
    }
    if (still && life >= standingLife_) {
      if (++standing_ >= 60) {
        int shotTarget = -1;
        int px = hero->x >> 16, py = hero->y >> 16;
        Log("  standing at " + std::to_string(px) + "," + std::to_string(py) + " (move " +
            std::to_string(move.held) + ", fits " + std::to_string(grid_.BoxFits(px, py, 0, true)) +
            ", shot " + std::to_string(fighter_.BestShot(*hero, map, foes, shotTarget)) +
            ", cooldown " + std::to_string(Player().fireCooldown) + ", " + fighter_.why() +
            "): bolder for a while");
        boldUntil_ = step_ + 120;
        standing_ = 0;
      }
    } else {
      standing_ = 0;
    }
    if (life + 5 <= standingLife_) {
      Log("  hurt " + std::to_string(standingLife_ - life) + " at " + std::to_string(hx) + "," +
          std::to_string(hy) + ", near:" + DescribeNear(*hero));
    }
    standingLife_ = life;
  }
  lastHeld_ = out.held;
  return out;
}

}  // namespace torvel::autoplay
