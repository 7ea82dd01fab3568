#include "autoplay/driver.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "actors/guys.h"
#include "actors/kinds.h"
#include "autoplay/combat.h"
#include "common/byte_io.h"
#include "gfx/display.h"
#include "gfx/movie.h"
#include "input/input.h"
#include "platform/headless/headless_platform.h"
#include "platform/paths.h"
#include "player/player_record.h"
#include "player/shop.h"
#include "shell/cheats.h"
#include "shell/pause_menu.h"
#include "shell/play_loop.h"
#include "shell/program.h"
#include "shell/replay.h"
#include "world/items.h"
#include "world/world.h"

namespace torvel::autoplay {

namespace {

constexpr uint8_t kEscape = 27;
constexpr uint32_t kMenuStepMs = 40;  // a little more than a menu's 33 ms step
const char* const kWorldFolders[4] = {"river", "forest", "castle", "under"};

Driver* gDriver = nullptr;

void Pump(HeadlessPlatform& platform) {
  if (gDriver) gDriver->OnPump(platform);
}

// Pause menu entries, as the menu numbers them.
constexpr uint8_t kEntryResume = 0;
constexpr uint8_t kEntrySaveOrLeave = 2;
constexpr int kStallSteps = 18000;  // ten minutes of play
constexpr uint8_t kEntryQuit = 5;

}  // namespace

void Driver::Say(const std::string& line) {
  if (options_.verbose > 0) std::printf("%s\n", line.c_str());
  if (log_) std::fprintf(log_, "%s\n", line.c_str());
}

void Driver::Picture(const std::string& name) {
  if (options_.shotsDir.empty() || !platform_) return;
  std::error_code ec;
  std::filesystem::create_directories(options_.shotsDir, ec);
  platform_->WriteLastFrame(options_.shotsDir + "/" + name + ".png");
}

void Driver::QueueNewGame() {
  // Let go of everything, then fire on the first entry.
  for (int i = 0; i < 3; ++i) menu_.push_back({0, 0});
  menu_.push_back({kActionFire, 0});
  menu_.push_back({0, 0});
}

void Driver::QueueContinue(int slot) {
  for (int i = 0; i < 3; ++i) menu_.push_back({0, 0});
  menu_.push_back({kActionDown, 0});
  menu_.push_back({0, 0});
  menu_.push_back({kActionFire, 0});
  for (int i = 0; i < 3; ++i) menu_.push_back({0, 0});
  for (int i = 0; i < slot; ++i) {
    menu_.push_back({kActionDown, 0});
    menu_.push_back({0, 0});
  }
  menu_.push_back({kActionFire, 0});
  menu_.push_back({0, 0});
}

void Driver::QueueQuit() {
  for (int i = 0; i < 3; ++i) menu_.push_back({0, 0});
  menu_.push_back({0, kEscape});
}

void Driver::StartRecording(int world) {
  recordingWorld_ = world;
  if (options_.outDir.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(options_.outDir, ec);
  std::string path = options_.outDir + "/" + kWorldFolders[world] + ".rpl";
  RequestReplayRecording(path);
  Say("recording world " + std::to_string(world) + " into " + path);
}

void Driver::OnGameStarted(void* self, bool continuing) {
  auto* d = static_cast<Driver*>(self);
  d->inGame_ = true;
  d->Say(std::string("game started") + (continuing ? " (continued)" : " (new)"));
}

void Driver::OnGameEnded(void* self) {
  auto* d = static_cast<Driver*>(self);
  d->inGame_ = false;
  d->keys_.Release(*d->platform_);
  d->Say("game ended");
  int next = d->recordingWorld_ + 1;
  // Keep the saved games that carry the next world's start.
  if (!d->options_.outDir.empty() && d->worldsFinished_ > 0 && d->recordingWorld_ >= 0) {
    std::vector<uint8_t> save;
    if (ReadFileBytes(UserPath(kSaveFileName), save, 1u << 20)) {
      std::string path =
          d->options_.outDir + "/after-" + kWorldFolders[d->recordingWorld_] + ".sav";
      WriteFileAtomic(path, save);
    }
  }
  if (d->endingReached_ || next > d->options_.lastWorld || d->worldsFinished_ == 0 ||
      d->recordingWorld_ < 0) {
    d->done_ = true;
    d->QueueQuit();
    return;
  }
  d->worldsFinished_ = 0;
  d->StartRecording(next);
  d->QueueContinue(d->saveSlot_);
}

void Driver::OnMapCompleted(void* self, uint8_t world, uint8_t map) {
  auto* d = static_cast<Driver*>(self);
  d->Say("completed: world " + std::to_string(world) + " map " + std::to_string(map) + " at step " +
         std::to_string(d->totalSteps_));
  if (MapStats* s = d->report_.Find(world, map)) s->completed = true;
  if (map == d->options_.stopAfterMap && !d->quitting_) {
    d->Say("the map asked for is done: stopping");
    d->quitting_ = true;
    d->stoppedAtMap_ = true;
  }
  if (map != 1) {
    // A won challenge counts on the roaming map's row too.
    for (int a : d->routes_[world & 3].arenas) {
      if (a == map) {
        if (MapStats* hub = d->report_.Find(world, 1)) ++hub->challengesWon;
      }
    }
  }
}

void Driver::OnWorldFinished(void* self, uint8_t world) {
  auto* d = static_cast<Driver*>(self);
  d->Say("world finished: " + std::to_string(world));
  ++d->worldsFinished_;
  d->finishedThrough_ = std::max<int>(d->finishedThrough_, world);
  if (world < 3) {
    // At the next world's roaming map: save there, and leave for the title.
    d->saveAndQuit_ = true;
    d->saveSlot_ = world;
    d->pausePhase_ = 0;
  }
}

void Driver::OnEnding(void* self) {
  auto* d = static_cast<Driver*>(self);
  d->endingReached_ = true;
  d->Say("ending reached");
}

void Driver::OnPump(HeadlessPlatform& platform) {
  uint32_t now = platform.Milliseconds();
  if (!inGame_) {
    if (!menu_.empty() && static_cast<int32_t>(now - nextMenuAt_) >= 0) {
      MenuAction a = menu_.front();
      menu_.pop_front();
      keys_.Hold(platform, a.held);
      if (a.typed) keys_.Type(platform, a.typed);
      nextMenuAt_ = now + kMenuStepMs;
    }
    return;
  }
  if (MoviePlaying() || !PlayingMap()) {
    // Movies and the ending's pictures: Escape, as a player skips them.
    if (keys_.held()) keys_.Release(platform);
    if (static_cast<int32_t>(now - nextEscapeAt_) >= 0) {
      keys_.Type(platform, kEscape);
      nextEscapeAt_ = now + 100;
    }
    return;
  }
  PlayLoopView view = GetPlayLoopView();
  if (view.steps == lastSteps_) return;
  lastSteps_ = view.steps;
  Decide(platform);
}

void Driver::NewVisit() {
  const PlayerRecord& p = Player();
  int w = p.worldNumber & 3;
  int m = PlayingMapNumber();
  if (!routesLoaded_[w] && !options_.worldsDir.empty()) {
    std::string error;
    if (!LoadWorldRoutes(options_.worldsDir, w, routes_[w], error)) Say("routes: " + error);
    routesLoaded_[w] = true;
  }
  bool arena = false;
  for (int a : routes_[w].arenas) arena = arena || a == m;
  std::string name = routes_[w].sources.count(m) ? routes_[w].sources[m] : std::to_string(m);
  MapStats& s = report_.Visit(w, m, name, arena, m == 1);
  if (s.visits == 1) {
    s.levelOnArrival = p.level;
    s.lifeOnArrival = p.lifeMax;
    s.moneyOnArrival = p.money;
  }
  MapContext context;
  context.world = static_cast<uint8_t>(w);
  context.map = static_cast<uint8_t>(m);
  context.roaming = m == 1;
  auto route = routes_[w].maps.find(m);
  context.route = route != routes_[w].maps.end() ? &route->second : nullptr;
  // The lab's map is not the real one: its own route, if any.
  labRoute_.steps = options_.labRoute;
  if (m == options_.labMap) context.route = labRoute_.steps.empty() ? nullptr : &labRoute_;
  agent_.Start(context);
  agent_.explain = options_.traceHero && w == options_.watchWorld && m == options_.watchMap;
  if (m == 1 || m != lastMap_) deathsInRow_ = 0;
  visitSteps_ = 0;
  lastMap_ = m;
  alive_.clear();
  lastLife_ = 0;
  Say("map start: world " + std::to_string(w) + " map " + std::to_string(m) + " (" + name +
      ") level " + std::to_string(p.level) + " life " + std::to_string(p.lifeMax) + " money " +
      std::to_string(p.money) + (arena ? " [challenge]" : "") + " at step " +
      std::to_string(totalSteps_));
  report_.Sample({totalSteps_, w, p.level, p.lifeMax, p.money});
  stuckSteps_ = 0;
  skipTyped_ = 0;
  for (const auto& skip : options_.skipMaps) {
    if (skip == std::pair<int, int>{w, m}) Say("  skipping it (the word that ends a map)");
  }
}

void Driver::Decide(HeadlessPlatform& platform) {
  ++totalSteps_;
  PlayLoopView view = GetPlayLoopView();
  if (view.mapVisits != lastVisit_) {
    lastVisit_ = view.mapVisits;
    NewVisit();
  }
  if (MapStats* s = report_.Current()) {
    ++s->steps;
    const Guy* hero = HeroGuy();
    if (hero && hero->kind == 1 && view.mode == kModePlaying && view.startupCountdown == 0)
      s->lowestLife = std::min(s->lowestLife, static_cast<int>(Player().life));
    int life = hero && hero->kind == 1 ? hero->life : 0;
    if (lastLife_ > 0 && life <= 0 && hero && hero->kind == 1) {
      ++s->deaths;
      ++deathsInRow_;
      Say("  the hero died (" + std::to_string(deathsInRow_) + " in a row here; lost " +
          std::to_string(lastLife_) + ", near:" + DescribeNear(*hero) + ")");
    }
    lastLife_ = life;
    // Kills: foes that were alive and now lie dying.
    std::vector<std::pair<int, int>> alive;
    for (int slot = 0; slot < GuyPoolSize(); ++slot) {
      const Guy* g = GetGuy(slot);
      if (!g || g->kind == 0 || g->kind == 11) continue;
      if (KindFlags(g->kind) & KindFlag::HeroSide) continue;
      if (g->life > 0) {
        alive.push_back({slot, g->kind});
      } else {
        for (const auto& a : alive_) {
          if (a.first == slot && a.second == g->kind) ++s->kills;
        }
      }
    }
    alive_ = std::move(alive);
  }
  if (totalSteps_ > options_.maxSteps && !quitting_) {
    Say("too many steps: giving up");
    quitting_ = true;
  }
  Press press;
  switch (view.mode) {
    case kModePlaying:
      press = PlayStep();
      break;
    case kModePauseMenu:
      press = PauseStep();
      break;
    case kModeShop:
      press = ShopStep();
      break;
    case kModeDialogue:
      agent_.NoteTalked();
      [[fallthrough]];
    case kModePicture:
      // Read on: fire, let go, fire.
      press.held = (++tap_ & 1) ? kActionFire : 0;
      break;
    default:
      break;
  }
  keys_.Hold(platform, press.held);
  if (press.typed) keys_.Type(platform, press.typed);
  bool watched =
      Player().worldNumber == options_.watchWorld && PlayingMapNumber() == options_.watchMap;
  if (watched && totalSteps_ % options_.watchEvery == 0)
    Picture("watch-" + std::to_string(totalSteps_));
  if (watched && options_.traceHero && log_) {
    const Guy* hero = HeroGuy();
    if (hero)
      std::fprintf(log_,
                   "step %llu hero %d,%d v %.2f,%.2f life %d keys %02x mode %d typed %d %s |%s\n",
                   static_cast<unsigned long long>(totalSteps_), hero->x >> 16, hero->y >> 16,
                   hero->dx / 65536.0, hero->dy / 65536.0, Player().life, press.held, view.mode,
                   press.typed, agent_.decision.c_str(), DescribeNear(*hero).c_str());
  }
  std::string log = agent_.TakeLog();
  if (!log.empty() && options_.verbose > 1) {
    std::printf("%s", log.c_str());
  }
  if (!log.empty() && log_) std::fprintf(log_, "%s", log.c_str());
}

Press Driver::PlayStep() {
  Press press;
  PlayLoopView view = GetPlayLoopView();
  Map* map = PlayingMap();
  World* world = PlayingWorld();
  if (!map || !world) return press;
  if (view.endCountdown > 0 || view.startupCountdown > 0) return press;
  if (view.pendingEvent) return press;
  bool roaming = PlayingMapNumber() == 1;
  if (quitting_ || (saveAndQuit_ && roaming)) {
    // To the pause menu: save (on the roaming map), then again to quit.
    press.typed = kEscape;
    return press;
  }
  if (!roaming) {
    const std::pair<int, int> here{Player().worldNumber, PlayingMapNumber()};
    for (const auto& skip : options_.skipMaps) {
      if (skip != here) continue;
      const std::string word = CheatWord(0);
      if (skipTyped_ < word.size()) press.typed = static_cast<uint8_t>(word[skipTyped_++]);
      return press;
    }
  }
  if (!roaming) ++visitSteps_;
  // Ten minutes on one visit without an end: as bad as being beaten.
  const bool stalled = visitSteps_ > kStallSteps;
  if (!roaming && (deathsInRow_ >= 3 || stalled) && !leaveMap_ && view.startupCountdown == 0 &&
      PlayingMapNumber() != options_.labMap) {
    if (stalled) Say("  no end in sight on map " + std::to_string(PlayingMapNumber()));
    visitSteps_ = 0;
    // Beaten three times running: leave, grow stronger elsewhere, come back.
    int m = PlayingMapNumber();
    if (m > 0 && m < 24) {
      postponed_[m] = Player().mapsDoneInWorld + 1;
      postponeLevel_[m] = Player().level;
    }
    Say("  leaving map " + std::to_string(m) + " for now");
    leaveMap_ = true;
    deathsInRow_ = 0;
  }
  if (leaveMap_ && !roaming) {
    pausePhase_ = 0;
    press.typed = kEscape;
    return press;
  }
  if (view.challengeFlag && !AnyGuyOfKind(255)) {
    // The challenge is won: leave it through the pause menu.
    leaveArena_ = true;
    pausePhase_ = 0;
    press.typed = kEscape;
    return press;
  }
  if (roaming && idled_ < options_.idleSteps) {
    ++idled_;
    return press;
  }
  if (roaming) HubPlan(*map, *world);
  press = agent_.Step(*map, *world);
  if (agent_.stuck()) {
    if (++stuckSteps_ == 1) {
      Say("stuck on world " + std::to_string(Player().worldNumber) + " map " +
          std::to_string(PlayingMapNumber()) + ": " + agent_.stuckReason());
      Picture("stuck-w" + std::to_string(Player().worldNumber) + "-m" +
              std::to_string(PlayingMapNumber()));
    }
    if (stuckSteps_ > 3000) {
      // Nothing left to try here: come back later, with more to bring; on
      // the roaming map there is nowhere else to go.
      if (roaming) {
        quitting_ = true;
      } else {
        visitSteps_ = kStallSteps + 1;
        stuckSteps_ = 0;
      }
    }
  } else {
    stuckSteps_ = 0;
  }
  return press;
}

Press Driver::PauseStep() {
  Press press;
  PauseMenuView menu = GetPauseMenuView();
  // Which entry, and which slot.
  uint8_t want = kEntryResume;
  int slot = -1;
  if (quitting_) {
    want = kEntryQuit;
  } else if (saveAndQuit_ && menu.mapKind == 0) {
    want = pausePhase_ == 0 ? kEntrySaveOrLeave : kEntryQuit;
    slot = saveSlot_;
  } else if (leaveArena_ || (leaveMap_ && menu.mapKind != 0)) {
    want = kEntrySaveOrLeave;
  }
  ++tap_;
  bool on = (tap_ & 1) != 0;  // every other step a key, so each press counts
  if (menu.slotPanelOpen) {
    if (slot < 0) {
      press.typed = on ? kEscape : 0;
      return press;
    }
    if (menu.slotCursor != slot) {
      press.held = on ? kActionDown : 0;
    } else if (on) {
      press.held = kActionFire;
      pausePhase_ = 1;  // saved: the menu closes; next time, quit
      Say("saving into slot " + std::to_string(slot));
    }
    return press;
  }
  if (menu.cursor != want) {
    press.held = on ? (menu.cursor < want ? kActionDown : kActionUp) : 0;
    return press;
  }
  if (on) {
    press.held = kActionFire;
    if (want == kEntrySaveOrLeave && menu.mapKind != 0) {
      leaveArena_ = false;
      leaveMap_ = false;
    }
    if (want == kEntryQuit) {
      saveAndQuit_ = false;
      quitting_ = false;
    }
  }
  return press;
}

int Driver::ShopWish() const {
  // The best the money buys: the staff counts most, then the heart and the
  // armour, then the boots; the dearer, the better.
  const PlayerRecord& p = Player();
  int best = -1;
  double bestValue = 0;
  for (int cell = 0; cell <= 13; ++cell) {
    if (!ShopCellBuyable(cell) || ShopPrice(cell) > p.money) continue;
    double weight = cell >= 4 && cell <= 7 ? 4
                    : cell <= 3            ? 1.5
                    : cell <= 11           ? 1.2
                    : cell == 12           ? 2.5
                                           : 1;
    // Boots first while the hero is no quicker than what chases it.
    if (cell == 8 && p.speedLevel == 0) weight = 100;
    double value = weight * ShopPrice(cell);
    if (value > bestValue) {
      bestValue = value;
      best = cell;
    }
  }
  return best;
}

Press Driver::ShopStep() {
  Press press;
  const PlayerRecord& p = Player();
  moneyAtLastShop_ = p.money;
  int want = ShopWish();
  if (want < 0) want = kShopExitCell;
  ++tap_;
  bool on = (tap_ & 1) != 0;
  int cursor = ShopCursor();
  if (cursor != want) {
    int row = cursor / 4, col = cursor % 4, wrow = want / 4, wcol = want % 4;
    if (!on) return press;
    if (row != wrow) {
      press.held = row < wrow ? kActionDown : kActionUp;
    } else {
      press.held = col < wcol ? kActionRight : kActionLeft;
    }
    return press;
  }
  if (on) {
    press.held = kActionFire;
    if (want != kShopExitCell) Say("shop: buying cell " + std::to_string(want));
  }
  return press;
}

void Driver::HubPlan(Map& map, World& world) {
  (void)world;
  const PlayerRecord& p = Player();
  const Guy* hero = HeroGuy();
  if (!hero) return;
  int w = p.worldNumber & 3;
  int hx = hero->x >> 16, hy = hero->y >> 16;
  int finalMap = WorldFinalMap(p.worldNumber);
  // The exits open now to maps not done yet.
  struct Exit {
    const Special* s;
    int order;  // place in the designer's route, or 100
    bool waiting;
    int distance;
  };
  std::vector<Exit> exits;
  const MapRoute* route = nullptr;
  auto r = routes_[w].maps.find(1);
  if (r != routes_[w].maps.end()) route = &r->second;
  for (const Special& s : map.specials) {
    if (!s.trigger || s.effect != kFxGoto || !(s.trigger & kTrigHeroStep)) continue;
    if (s.value == 50 || s.value >= 24 || s.value <= 1) continue;
    if (PlayerMapDone(p.worldNumber, s.value)) continue;
    if (!SpecialConditionsHold(s)) continue;
    Exit e{&s, s.value == options_.labMap ? -1 : 100, false, 0};
    if (route) {
      for (size_t i = 0; i < route->steps.size(); ++i) {
        if (route->steps[i].op == RouteStep::kVisit && route->steps[i].map == s.value) {
          e.order = static_cast<int>(i);
          break;
        }
      }
    }
    // A map put off waits until another map is done or the hero has grown.
    int m = s.value;
    e.waiting = postponed_[m] != 0 && p.mapsDoneInWorld + 1 <= postponed_[m] &&
                p.level < postponeLevel_[m] + 2;
    if (m == finalMap) e.order += 200;  // the way on, last
    e.distance = std::abs(TileCentrePx(s.x) - hx) + std::abs(TileCentrePy(s.y) - hy);
    exits.push_back(e);
  }
  // The way on only once all else is done.
  bool othersLeft = false;
  for (const Exit& e : exits) othersLeft = othersLeft || e.s->value != finalMap;
  const Exit* best = nullptr;
  for (int pass = 0; pass < 2 && !best; ++pass) {
    for (const Exit& e : exits) {
      if (pass == 0 && e.waiting) continue;
      if (e.s->value == finalMap && othersLeft) continue;
      if (!best || e.order < best->order || (e.order == best->order && e.distance < best->distance))
        best = &e;
    }
  }
  // A way on a tile that stops the hero (a wall, the underworld's skull
  // door) takes it on when walked into.
  auto solid = [&](int x, int y) {
    const Tile& t = MapTile(map, x, y);
    return t.wall != 0 || ItemBlocksWalkers(t.item);
  };
  Goal g;
  if (best) {
    g.type = solid(best->s->x, best->s->y) ? Goal::kBump : Goal::kStep;
    g.tile = {best->s->x, best->s->y};
    g.why = "the way to map " + std::to_string(best->s->value);
  }
  // The shop first, whenever the money buys something worth having.
  if (ShopWish() >= 0 && p.money != moneyAtLastShop_) {
    for (const Special& s : map.specials) {
      if (!s.trigger || s.effect != kFxGoto || s.value != 50) continue;
      g.type = solid(s.x, s.y) ? Goal::kBump : Goal::kStep;
      g.tile = {s.x, s.y};
      g.why = "the shop";
    }
  }
  agent_.SetHubGoal(g);
}

int Driver::Run() {
  HeadlessPlatform platform;
  platform_ = &platform;
  // One step a frame, as a player at 30 frames a second sees the game.
  platform.presentMs = 33;
  platform.onPump = Pump;
  gDriver = this;
  InstallPlatform(&platform);
  if (!options_.logFile.empty()) log_ = std::fopen(options_.logFile.c_str(), "w");
  {
    auto display = std::make_unique<Display>("TORVEL", 640, 480, 8, true);
    GlobalInit(display.get());
    keys_.Init();
    PlayProgressHooks hooks;
    hooks.context = this;
    hooks.gameStarted = OnGameStarted;
    hooks.gameEnded = OnGameEnded;
    hooks.mapCompleted = OnMapCompleted;
    hooks.worldFinished = OnWorldFinished;
    hooks.endingReached = OnEnding;
    SetPlayProgressHooks(hooks);
    StartRecording(options_.firstWorld);
    // The lab may take a river hero from a saved game too (slot 1): the
    // river's own fights are measured on the hero that reaches them.
    const bool riverFromSave =
        options_.firstWorld == 0 && options_.labMap >= 0 && !options_.saveFile.empty();
    if (options_.firstWorld == 0 && !riverFromSave) {
      QueueNewGame();
    } else {
      saveSlot_ = riverFromSave ? 0 : options_.firstWorld - 1;
      QueueContinue(saveSlot_);
    }
    RunModeLoop(display.get());
    SetPlayProgressHooks(PlayProgressHooks{});
    GlobalShutdown();
  }
  InstallPlatform(nullptr);
  gDriver = nullptr;
  std::string error;
  if (!options_.reportDir.empty() && !report_.Write(options_.reportDir, error)) Say(error);
  bool finishedAll =
      (finishedThrough_ >= options_.lastWorld && (options_.lastWorld < 3 || endingReached_)) ||
      stoppedAtMap_;
  Say(finishedAll ? "autoplay: finished" : "autoplay: did not finish");
  if (log_) std::fclose(log_);
  log_ = nullptr;
  return finishedAll ? 0 : 1;
}

}  // namespace torvel::autoplay
