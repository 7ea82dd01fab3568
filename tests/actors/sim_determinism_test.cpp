// The same map and the same inputs give the same game, however many frames
// are drawn in between. A busy room (monsters of several kinds fighting the
// hero, shots, particles, specials that summon, teleport and toggle walls)
// is played for 10,000 ticks with the hero's keys scripted tick by tick,
// once drawing a frame after every tick and once never; a digest of the
// whole simulation is taken every 500 ticks and must agree between the runs.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gfx/display.h"
#include "player/status.h"
#include "shell/play_loop.h"
#include "support/scenario.h"

namespace torvel::testing {
namespace {

constexpr int kTicks = 10000;
constexpr int kCheckpointEvery = 500;

// FNV-1a over every value fed to it, byte by byte.
class Digest {
 public:
  void Add(int64_t v) {
    for (int i = 0; i < 8; ++i) {
      h_ ^= static_cast<uint8_t>(v >> (i * 8));
      h_ *= 0x100000001b3ull;
    }
  }
  void AddBytes(const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i) Add(p[i]);
  }
  uint64_t value() const { return h_; }

 private:
  uint64_t h_ = 0xcbf29ce484222325ull;
};

// What a run did, so that it cannot agree with another by doing nothing.
struct Activity {
  int monsterDeaths = 0;   // guys other than the hero whose life fell to 0
  int arrivals = 0;        // guys that took a free slot after the start
  int bulletsStarted = 0;  // bullets that took a free slot
  int maxParticles = 0;
  int heroTilesVisited = 0;
  int heroRespawns = 0;  // the hero's deaths
  int wallToggles = 0;   // ticks on which the shot-switched wall changed
  bool operator==(const Activity&) const = default;
};

struct RunResult {
  std::vector<uint64_t> checkpoints;
  Activity activity;
};

// The room. Monsters are summoned over and over by the specials, so that the
// fight goes on all through the run.
//   T   a teleport pad the hero steps on (to the far corner)
//   w   the wall a shot near the target switches on and off
//   D   a locked door, with a key to open it lying about
constexpr const char* kRoom[] = {
    "####################",  //
    "#..................#",  //
    "#..~~~....#....^^..#",  //
    "#..~~~....#........#",  //
    "#.........#...====.#",  //
    "#.....B,..#........#",  //
    "#.........D........#",  //
    "#..s.S....#....X...#",  //
    "#.........#........#",  //
    "#####.#####.########",  //
    "#..................#",  //
    "#...T..........w...#",  //
    "#..................#",  //
    "#....#.....#.......#",  //
    "#....#.....#...~~..#",  //
    "#....#.....#...~~..#",  //
    "#..................#",  //
    "#..................#",  //
    "#..................#",  //
    "####################",
};

constexpr uint8_t kHeroKind = 1;
constexpr int kHeroStartX = 9, kHeroStartY = 12;
constexpr int kToggleX = 15, kToggleY = 11;

// The summoned kinds (they walk, fly, shoot and glow), and where each lands.
struct Summoner {
  uint8_t kind;
  uint8_t x, y;
};
constexpr Summoner kSummoners[] = {
    {2, 7, 3},   {4, 15, 3}, {5, 3, 16},  {24, 16, 16}, {18, 8, 7},
    {13, 12, 1}, {6, 17, 8}, {9, 13, 13}, {3, 8, 15},
};

class SimDeterminism : public Scenario {
 protected:
  void TearDown() override {
    FreeStatusSprites();
    FreeItems();
    Scenario::TearDown();
  }

  // Everything a game holds between ticks, every slot of every pool
  // included (a free slot's leftovers can leak into its next occupant).
  uint64_t StateDigest() {
    Digest d;
    for (int s = 0; s < GuyPoolSize(); ++s) {
      const Guy& g = *GetGuy(s);
      for (int64_t v : {int64_t{g.x},         int64_t{g.y},
                        int64_t{g.z},         int64_t{g.dx},
                        int64_t{g.dy},        int64_t{g.dz},
                        int64_t{g.tileX},     int64_t{g.tileY},
                        int64_t{g.facing},    int64_t{g.aiState},
                        int64_t{g.aiTimer},   int64_t{g.cooldown},
                        int64_t{g.hurtTimer}, int64_t{g.busy},
                        int64_t{g.animAccum}, int64_t{g.animRate},
                        int64_t{g.animFrame}, int64_t{g.anim},
                        int64_t{g.light},     int64_t{g.frozenTimer},
                        int64_t{g.aux},       int64_t{g.parent ? g.parent->slot : -1},
                        int64_t{g.life},      int64_t{g.kind},
                        int64_t{g.boxLeft},   int64_t{g.boxTop},
                        int64_t{g.boxRight},  int64_t{g.boxBottom},
                        int64_t{g.slot}}) {
        d.Add(v);
      }
    }
    for (int s = 0; s < kBulletPoolSize; ++s) {
      const Bullet& b = *GetBullet(s);
      for (int64_t v : {int64_t{b.x}, int64_t{b.y}, int64_t{b.z}, int64_t{b.dx}, int64_t{b.dy},
                        int64_t{b.dz}, int64_t{b.timer}, int64_t{b.target}, int64_t{b.anim},
                        int64_t{b.facing}, int64_t{b.kind}, int64_t{b.light}}) {
        d.Add(v);
      }
    }
    for (int s = 0; s < ParticlePoolSize(); ++s) {
      const Particle& p = *GetParticle(s);
      for (int64_t v :
           {int64_t{p.size}, int64_t{p.type}, int64_t{p.colour}, int64_t{p.x}, int64_t{p.y},
            int64_t{p.z}, int64_t{p.dx}, int64_t{p.dy}, int64_t{p.dz}, int64_t{p.life}}) {
        d.Add(v);
      }
    }
    d.Add(FlakesOnGround());
    auto record = PlayerRecordBytes(Player());
    d.AddBytes(record.data(), record.size());
    d.Add(HeroGlow());
    d.Add(BurstCounter());
    d.Add(SpecialCooldown());
    d.Add(CurrentHeroAppearance());
    for (const Tile& t : map().tiles) {
      for (int64_t v : {int64_t{t.floor}, int64_t{t.wall}, int64_t{t.item}, int64_t{t.light},
                        int64_t{t.curLight}, int64_t{t.mark}}) {
        d.Add(v);
      }
    }
    for (const Special& s : map().specials) {
      for (int64_t v : {int64_t{s.trigger}, int64_t{s.trigValue}, int64_t{s.effect}, int64_t{s.x},
                        int64_t{s.y}, int64_t{s.targetX}, int64_t{s.targetY}, int64_t{s.value}}) {
        d.Add(v);
      }
    }
    d.Add(static_cast<int64_t>(GetRandomState().state));
    int32_t cx = 0, cy = 0;
    GetCamera(cx, cy);
    d.Add(cx);
    d.Add(cy);
    d.Add(ItemClock());
    d.Add(EnemiesPresent());
    const PlayLoopView loop = GetPlayLoopView();
    d.Add(loop.pendingEvent);
    d.Add(loop.eventParameter);
    return d.value();
  }

  // Everything the runs share is put back to its start: the random
  // generator, the player, the pools, the map and the clocks.
  void StartRun() {
    ResetRandom();
    ResetCamera();
    InitMapLight();
    InitInput();
    ResetMessages();
    ResetStatus();
    SetItemClock(0);
    SetSpecialCooldown(0);
    SetHeroGlow(0);
    SetBurstCounter(0);
    PostMapEvent(kEventNone);
    InitPlayerRecord();
    ResetPlayer(kResetNewGame, 0, 2);
    ResetPlayer(kResetMapStart, 0, 2);
    InitBullets();
    InitParticles(kParticlePoolSize);
    Hold(0);

    BuildMap({kRoom[0],  kRoom[1],  kRoom[2],  kRoom[3],  kRoom[4],  kRoom[5],  kRoom[6],
              kRoom[7],  kRoom[8],  kRoom[9],  kRoom[10], kRoom[11], kRoom[12], kRoom[13],
              kRoom[14], kRoom[15], kRoom[16], kRoom[17], kRoom[18], kRoom[19]});
    At(10, 6).item = 71;  // a locked door
    At(2, 1).item = 16;   // its key
    At(12, 16).item = 1;  // shot power
    At(17, 12).item = 2;  // shot rate
    At(6, 1).item = 6;    // healing
    At(14, 10).item = 7;  // mana
    At(4, 8).item = 9;    // a coin
    At(1, 17).item = 11;  // collectibles
    At(18, 1).item = 11;
    SetCollectibleTotal(2);
    for (int y = 0; y < map().height; ++y) {
      for (int x = 0; x < map().width; ++x) At(x, y).light = static_cast<int8_t>((x + y) % 9 - 4);
    }

    int slot = 0;
    for (const Summoner& s : kSummoners) {
      Special& sp = map().specials[slot++];
      sp.trigger = kTriggerNoneOfKind | kTriggerRepeat;
      sp.trigValue = s.kind;
      sp.effect = kEffectSummon;
      sp.value = s.kind;
      sp.x = sp.targetX = s.x;
      sp.y = sp.targetY = s.y;
    }
    Special& pad = map().specials[slot++];
    pad.trigger = kTriggerHeroStep | kTriggerRepeat;
    pad.effect = kEffectTeleport;
    pad.x = 4;
    pad.y = 11;
    pad.targetX = 17;
    pad.targetY = 1;
    Special& toggle = map().specials[slot++];
    toggle.trigger = kTriggerShot | kTriggerRepeat;
    toggle.effect = kEffectToggleWall;
    toggle.x = toggle.targetX = kToggleX;
    toggle.y = toggle.targetY = kToggleY;
    toggle.value = kFixtureWall;
    At(kToggleX, kToggleY).wall = kFixtureWall;

    // A hero strong enough to win fights now and then, with every spell.
    Player().lifeMax = 120;
    Player().life = 120;
    Player().manaMax = 100;
    Player().mana = 100;
    Player().shotPower = 2;
    Player().armourValue = 2;
    for (uint8_t& s : Player().spells) s = 2;
    Hero(kHeroStartX, kHeroStartY);
  }

  // The hero's keys for a tick: a fixed walk of its own (a small LCG of the
  // tick, never the game's generator), firing most of the time, now and then
  // a spell or the next spell slot.
  static uint8_t ScriptedKeys(int tick) {
    static constexpr uint8_t kWalks[] = {
        kActionRight, kActionDown | kActionRight, kActionDown, kActionDown | kActionLeft,
        kActionLeft,  kActionUp | kActionLeft,    kActionUp,   kActionUp | kActionRight,
    };
    const uint32_t leg = static_cast<uint32_t>(tick / 23);
    const uint32_t r = leg * 1103515245u + 12345u;
    uint8_t keys = kWalks[(r >> 16) % 8];
    if ((r >> 8) % 5 == 0) keys = 0;  // stands still now and then
    if (tick % 7 != 0) keys |= kActionFire;
    if (tick % 97 < 10) keys |= kActionSpell;
    if (tick % 331 == 0) keys |= kActionNext;
    return keys;
  }

  // The frame a pass of the play loop draws, up to presenting it (which is
  // the platform's and sees only the screen).
  void DrawFrame() {
    Frame();
    DrawSpecialMarkers(&display(), map(), 0);
    DrawMessages();
    DrawStatus(&display());
  }

  // 10,000 ticks, with or without a frame drawn after each.
  RunResult Run(bool drawn) {
    StartRun();
    RunResult out;
    Activity& a = out.activity;
    std::vector<int32_t> lastLife(GuyPoolSize());
    std::vector<uint8_t> lastKind(GuyPoolSize());
    std::vector<uint8_t> lastBullet(kBulletPoolSize);
    for (int s = 0; s < GuyPoolSize(); ++s) {
      lastKind[s] = GetGuy(s)->kind;
      lastLife[s] = GetGuy(s)->life;
    }
    std::set<std::pair<int, int>> visited;
    uint8_t lastToggle = At(kToggleX, kToggleY).wall;
    for (int t = 1; t <= kTicks; ++t) {
      Hold(ScriptedKeys(t));
      if (t % 500 == 0) Player().mana = Player().manaMax;
      Tick();
      if (drawn) DrawFrame();

      for (int s = 0; s < GuyPoolSize(); ++s) {
        const Guy& g = *GetGuy(s);
        // A newcomer, in a free slot or in the slot of one just gone.
        if (g.kind != 0 && (lastKind[s] == 0 || (lastLife[s] <= 0 && g.life > 0))) ++a.arrivals;
        if (g.kind > kHeroKind && lastKind[s] == g.kind && lastLife[s] > 0 && g.life <= 0) {
          ++a.monsterDeaths;
        }
        lastKind[s] = g.kind;
        lastLife[s] = g.life;
      }
      for (int s = 0; s < kBulletPoolSize; ++s) {
        const uint8_t k = GetBullet(s)->kind;
        if (k != 0 && lastBullet[s] == 0) ++a.bulletsStarted;
        lastBullet[s] = k;
      }
      int particles = 0;
      for (int s = 0; s < ParticlePoolSize(); ++s) particles += GetParticle(s)->life > 0;
      a.maxParticles = std::max(a.maxParticles, particles);
      if (At(kToggleX, kToggleY).wall != lastToggle) ++a.wallToggles;
      lastToggle = At(kToggleX, kToggleY).wall;

      // A hero whose death sequence has ended comes back where it started;
      // a game over would end the run.
      Guy* hero = HeroGuy();
      if (!hero || hero->kind != kHeroKind) {
        PostMapEvent(kEventNone);
        Player().life = Player().lifeMax;
        if (Hero(kHeroStartX, kHeroStartY)) ++a.heroRespawns;
      } else {
        visited.insert({hero->tileX, hero->tileY});
      }
      if (t % kCheckpointEvery == 0) out.checkpoints.push_back(StateDigest());
    }
    a.heroTilesVisited = static_cast<int>(visited.size());
    return out;
  }
};

TEST_F(SimDeterminism, DrawingAsManyFramesAsYouLikeNeverChangesTheGame) {
  ASSERT_TRUE(LoadItems());
  ASSERT_TRUE(LoadStatusSprites());

  const RunResult everyTick = Run(true);
  const Activity& a = everyTick.activity;
  // The run must really have played: monsters came and died, shots flew, the
  // air filled, the hero got about and the specials fired.
  EXPECT_GE(a.monsterDeaths, 20);
  EXPECT_GE(a.heroRespawns, 1);
  EXPECT_GE(a.arrivals, 20);
  EXPECT_GE(a.bulletsStarted, 500);
  EXPECT_GE(a.maxParticles, 20);
  EXPECT_GE(a.heroTilesVisited, 40);
  EXPECT_GE(a.wallToggles, 1);

  const RunResult undrawn = Run(false);
  ASSERT_EQ(undrawn.checkpoints.size(), everyTick.checkpoints.size());
  for (size_t i = 0; i < undrawn.checkpoints.size(); ++i) {
    ASSERT_EQ(undrawn.checkpoints[i], everyTick.checkpoints[i])
        << "the games part by tick " << (i + 1) * kCheckpointEvery;
  }
  EXPECT_TRUE(undrawn.activity == everyTick.activity);
}

}  // namespace
}  // namespace torvel::testing
