// Simulation ticks per second, beside the floor measured in the same run:
//   a tick of a busy 128 x 128 map: 128 guys (the hero and 127 monsters of a
//     walking, flying, shooting mix), 128 bullets, 256 particles
//   vs  a tick of the same map empty: nobody on it, nothing in the air
// A tick is the play loop's update step on a map: light, guys, the burst,
// bullets, specials, particles, messages and the item clock. The game needs
// one every 33 ms; "realtime_ticks/s" gives that pace beside the measured one.
//
// Guys die, bullets land and particles fade, so between ticks (with the
// clock stopped) the pools are topped up again; the counters give the guys,
// bullets and particles still live at the end of each tick, on average, to
// show the map really stayed busy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "common/fixed.h"
#include "common/trig.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "gfx/font.h"
#include "platform/headless/headless_platform.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "player/hero_control.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "world/items.h"
#include "world/light.h"
#include "world/specials.h"
#include "world/world.h"

namespace {

using namespace torvel;

constexpr int kMapSide = 128;
constexpr int kGuys = 128;
constexpr int kBullets = 128;
constexpr int kParticles = 256;

// Monsters that walk, fly, shoot and glow.
constexpr uint8_t kMonsterKinds[] = {2, 3, 4, 5, 6, 9, 13, 18, 24};
// Shots of both sides: plain, bouncing, homing, flames, balls, spit, stars
// and needles.
constexpr uint8_t kBulletKinds[] = {1, 2, 3, 4, 5, 6, 7, 9, 13, 24};
constexpr uint8_t kParticleTypes[] = {1, 3, 5, 6, 7, 8, 9, 10, 11, 12};

constexpr uint8_t kFloorWater = 1;
constexpr uint8_t kFloorLava = 2;

// A fixed sequence of our own for placing things, so that topping up never
// draws on the game's generator.
struct Placer {
  uint32_t state = 12345;
  int32_t Next(int32_t n) {
    state = state * 1103515245u + 12345u;
    return static_cast<int32_t>((state >> 8) % static_cast<uint32_t>(n));
  }
};

struct Sim {
  explicit Sim(bool busy) : busy(busy) {
    SetGameDir(TORVEL_GAME_DIR);
    InstallPlatform(&platform);
    display = std::make_unique<Display>("bench", 640, 480, 8, true);
    InitTrigTables();
    InitGraphics(display.get());
    ResetRandom();
    ResetCamera();
    InitMapLight();
    InitPlayerRecord();
    ResetPlayer(kResetNewGame, 0, 2);
    ResetPlayer(kResetMapStart, 0, 2);
    InitGuys(kGuyPoolSize);
    InitBullets();
    InitParticles(kParticlePoolSize);
    ResetMessages();
    BuildMap();
    if (busy) TopUp();
  }
  ~Sim() {
    ExitParticles();
    ExitBullets();
    ExitGuys();
    FreeKindSprites();
    ExitGraphics();
    display.reset();
    InstallPlatform(nullptr);
  }

  // Open floor walled round the edge, short walls scattered over it, a lake
  // and a lava pool; the empty map is the same ground with nothing on it.
  void BuildMap() {
    world.mapCount = 1;
    world.terrain[kFloorWater].flags = kTerrainWater;
    world.terrain[kFloorLava].flags = kTerrainLava;
    map.width = map.height = kMapSide;
    map.tiles.assign(static_cast<size_t>(kMapSide) * kMapSide, Tile{});
    for (int y = 0; y < kMapSide; ++y) {
      for (int x = 0; x < kMapSide; ++x) {
        Tile& t = MapTile(map, x, y);
        const bool edge = x == 0 || y == 0 || x == kMapSide - 1 || y == kMapSide - 1;
        if (edge || (x % 9 == 4 && y % 7 < 3)) t.wall = 1;
        if (x >= 40 && x < 52 && y >= 60 && y < 70) t.floor = kFloorWater;
        if (x >= 90 && x < 96 && y >= 20 && y < 26) t.floor = kFloorLava;
        t.light = static_cast<int8_t>((x + y) % 12 - 6);
      }
    }
  }

  // A random open tile's centre.
  void OpenSpot(Fixed& x, Fixed& y) {
    for (;;) {
      const int tx = 1 + place.Next(kMapSide - 2), ty = 1 + place.Next(kMapSide - 2);
      const Tile& t = MapTile(map, tx, ty);
      if (t.wall || t.floor) continue;
      x = ToFixed(tx * kTileWidth + kTileWidth / 2);
      y = ToFixed(ty * kTileHeight + kTileHeight / 2);
      return;
    }
  }

  // Back to a full map: a hero who cannot be hurt, 127 monsters, a full
  // bullet pool and a full particle pool.
  void TopUp() {
    Player().invulnerable = 255;
    Player().life = Player().lifeMax;
    Player().mana = Player().manaMax;
    Fixed x = 0, y = 0;
    if (!HeroGuy()) {
      OpenSpot(x, y);
      AddGuy(x, y, 0, 1);
    }
    while (LiveGuys() < kGuys) {
      OpenSpot(x, y);
      if (!AddGuy(x, y, 0, kMonsterKinds[place.Next(std::size(kMonsterKinds))])) break;
    }
    while (LiveBulletCount() < kBullets) {
      OpenSpot(x, y);
      if (!FireBullet(x, y, static_cast<uint8_t>(place.Next(8)),
                      kBulletKinds[place.Next(std::size(kBulletKinds))])) {
        break;
      }
    }
    while (LiveParticles() < kParticles) {
      OpenSpot(x, y);
      const int before = LiveParticles();
      AddParticles(kParticleTypes[place.Next(std::size(kParticleTypes))], x, y, ToFixed(8),
                   std::min(8, kParticles - before));
      if (LiveParticles() == before) break;
    }
  }

  static int LiveGuys() {
    int n = 0;
    for (int s = 0; s < GuyPoolSize(); ++s) n += GetGuy(s)->kind != 0;
    return n;
  }
  static int LiveParticles() {
    int n = 0;
    for (int s = 0; s < ParticlePoolSize(); ++s) n += GetParticle(s)->life > 0;
    return n;
  }

  void Tick() {
    Player().playTime += 1;
    UpdateMapLight(map, kLightPlay, world);
    UpdateGuys(map, world);
    StepBurst(map);
    UpdateBullets(map, world);
    TickSpecials(map);
    UpdateParticles(map);
    UpdateMessages();
    TickItems();
  }

  bool busy;
  HeadlessPlatform platform;
  std::unique_ptr<Display> display;
  World world;
  Map map;
  Placer place;
};

void RunTicks(benchmark::State& state, bool busy) {
  Sim sim(busy);
  double guys = 0, bullets = 0, particles = 0;
  for (auto _ : state) {
    sim.Tick();
    state.PauseTiming();
    guys += Sim::LiveGuys();
    bullets += LiveBulletCount();
    particles += Sim::LiveParticles();
    if (busy) sim.TopUp();
    state.ResumeTiming();
  }
  const double n = static_cast<double>(std::max<int64_t>(state.iterations(), 1));
  state.counters["ticks/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["realtime_ticks/s"] = 1000.0 / 33.0;
  state.counters["guys"] = guys / n;
  state.counters["bullets"] = bullets / n;
  state.counters["particles"] = particles / n;
}

void BM_SimTickBusyMap(benchmark::State& state) {
  RunTicks(state, true);
}
BENCHMARK(BM_SimTickBusyMap)->Unit(benchmark::kMicrosecond);

void BM_FloorSimTickEmptyMap(benchmark::State& state) {
  RunTicks(state, false);
}
BENCHMARK(BM_FloorSimTickEmptyMap)->Unit(benchmark::kMicrosecond);

}  // namespace
