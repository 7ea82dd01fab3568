// The whole game, each beside its floor measured in the same run:
//   one drawn play frame (map, guys, bullets, particles, messages, status)
//     vs  presenting an empty frame
//   a replayed game of a busy map, steps per second
//     vs  the same number of steps on an empty map
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/particles.h"
#include "gfx/display.h"
#include "input/input.h"
#include "platform/headless/headless_platform.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/play_loop.h"
#include "shell/program.h"
#include "shell/replay.h"
#include "world/world.h"

namespace {

using namespace torvel;

// A monster mix that walks, flies, shoots and glows.
constexpr uint8_t kKinds[] = {4, 5, 24, 18, 2, 13, 6, 3, 9, 15};

std::unique_ptr<Map> MakeMap(int size, bool busy) {
  auto map = std::make_unique<Map>();
  map->width = map->height = size;
  map->tiles.assign(static_cast<size_t>(size * size), Tile{});
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Tile& t = MapTile(*map, x, y);
      bool border = x == 0 || y == 0 || x == size - 1 || y == size - 1;
      t.floor = static_cast<uint8_t>(busy ? (x * 7 + y * 3) % 40 : 0);
      t.light = static_cast<int8_t>(busy ? (x + y) % 12 - 6 : 0);
      if (border || (busy && (x / 4 + y / 3) % 7 == 0 && x % 4 == 0)) t.wall = 1;
      if (busy && !t.wall && (x * 5 + y) % 11 == 0) t.item = static_cast<uint8_t>(50 + x % 7);
    }
  }
  std::snprintf(map->name, sizeof(map->name), "CTEHA");
  map->monsters[0] = {5, 5, 1};
  if (busy) {
    int n = 1;
    for (int y = 8; y < size - 2 && n < 100; y += 3) {
      for (int x = 4; x < size - 2 && n < 100; x += 5) {
        if (MapTile(*map, x, y).wall || MapTile(*map, x, y).item) continue;
        map->monsters[n] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                            kKinds[n % std::size(kKinds)]};
        ++n;
      }
    }
  }
  return map;
}

// The program over the forged data, with a world of the test's making in a
// folder of its own; map 1 (where a game starts) is the busy one or not.
struct Game {
  explicit Game(bool busy) {
    dir =
        (std::filesystem::temp_directory_path() / ("torvel-bench-play-" + std::to_string(getpid())))
            .string();
    std::filesystem::create_directories(dir);
    SetGameDir(TORVEL_GAME_DIR);
    SetUserDir(dir);
    platform.presentMs = 1000;
    InstallPlatform(&platform);
    display = std::make_unique<Display>("bench", 640, 480, 8, true);
    GlobalInit(display.get());
    World world;
    world.mapCount = 15;
    for (int m = 0; m < world.mapCount; ++m)
      world.maps[m] = MakeMap(m == 1 ? 64 : 20, busy && m == 1);
    SaveWorld(world, "river.vwd");
  }
  ~Game() {
    SetPlayHooks(PlayHooks{});
    GlobalShutdown();
    display.reset();
    InstallPlatform(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  // Plays the script from a new game in world 0 (no opening movie).
  ReplayOutcome Play(const std::vector<ReplayStep>& steps,
                     const std::function<void(uint32_t)>& observe = {}) {
    ResetRandom();
    ResetPlayer(kResetNewGame, 0, 0);
    Replay replay;
    replay.continuing = true;
    replay.randomState = GetRandomState().state;
    auto record = PlayerRecordBytes(Player());
    replay.record.assign(record.begin(), record.end());
    replay.steps = steps;
    display->quit = false;
    return PlayReplay(display.get(), replay, &platform, observe);
  }

  std::string dir;
  HeadlessPlatform platform;
  std::unique_ptr<Display> display;
};

// The hero walks a square and fires now and then.
std::vector<ReplayStep> Route(int steps) {
  std::vector<ReplayStep> route;
  const uint8_t sides[4] = {kActionRight, kActionDown, kActionLeft, kActionUp};
  for (int i = 0; i < steps; ++i) {
    uint8_t held = sides[(i / 40) % 4];
    uint8_t pressed = i % 40 == 0 ? held : 0;
    if (i % 9 == 0) {
      held |= kActionFire;
      pressed |= kActionFire;
    }
    route.push_back({held, pressed, 0});
  }
  return route;
}

benchmark::State* gFrameState = nullptr;

// Inside a step once the map has faded in: fill the air, then draw frame
// after frame of it.
void MeasureFrames(uint32_t step) {
  if (step != 40 || !gFrameState) return;
  Guy* hero = HeroGuy();
  Fixed x = hero ? hero->x : 0, y = hero ? hero->y : 0;
  for (int i = 0; i < 100; ++i) {
    FireBullet(x + ToFixed(Random(600) - 300), y + ToFixed(Random(400) - 200),
               static_cast<uint8_t>(i % 8), static_cast<uint8_t>(1 + i % 8));
  }
  for (int i = 0; i < 25; ++i) {
    AddParticles(static_cast<uint8_t>(1 + i % 12), x + ToFixed(Random(500) - 250),
                 y + ToFixed(Random(400) - 200), ToFixed(10), 10);
  }
  ShowBigMessage("CTEHA", 100);
  ShowSmallMessage("3EVbE GN3HN!", 100);
  for (int i = 0; i < 20; ++i) UpdateMessages();
  for (auto _ : *gFrameState) DrawPlayFrame();
  int guys = 0;
  for (int i = 0; i < GuyPoolSize(); ++i) guys += GetGuy(i) && GetGuy(i)->kind != 0;
  gFrameState->counters["guys"] = guys;
  gFrameState->counters["bullets"] = LiveBulletCount();
  gFrameState = nullptr;
}

void BM_PlayFrame(benchmark::State& state) {
  Game game(true);
  gFrameState = &state;
  game.Play(Route(41), MeasureFrames);
  if (gFrameState) state.SkipWithError("the map was never played");
  gFrameState = nullptr;
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond);

void BM_FloorPresentEmptyFrame(benchmark::State& state) {
  Game game(false);
  for (auto _ : state) {
    game.display->ClearScreen();
    game.display->Flip();
  }
}
BENCHMARK(BM_FloorPresentEmptyFrame)->Unit(benchmark::kMicrosecond);

constexpr int kGameSteps = 900;  // half a minute of play

void PlaySteps(benchmark::State& state, bool busy) {
  Game game(busy);
  std::vector<ReplayStep> route = Route(kGameSteps);
  for (auto _ : state) {
    ReplayOutcome out = game.Play(route);
    benchmark::DoNotOptimize(out.digest);
  }
  state.counters["steps/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kGameSteps, benchmark::Counter::kIsRate);
}

void BM_GameStepsBusyMap(benchmark::State& state) {
  PlaySteps(state, true);
}
BENCHMARK(BM_GameStepsBusyMap)->Unit(benchmark::kMillisecond);

void BM_FloorGameStepsEmptyMap(benchmark::State& state) {
  PlaySteps(state, false);
}
BENCHMARK(BM_FloorGameStepsEmptyMap)->Unit(benchmark::kMillisecond);

}  // namespace
