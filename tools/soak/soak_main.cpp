// The soak: every map of a world played for a long time with seeded random
// input on the headless backend, the way a restless player would play it:
// walking, firing, casting every spell, opening and closing the pause menu,
// visiting the shop, talking. Built with the sanitizers, it is the long
// test that a fault in a rarely walked corner of the game cannot hide from.
//
//   torvel_soak --world W [--roaming N] [--other M] [--steps K] [--seed S]
//               [--game-dir DIR]
//
// N steps on the roaming map and M on each other map (defaults 100000 and
// 20000; --steps sets both). Prints the world's figures on one line; the
// exit status is 0 unless a map could not be played at all (a sanitizer
// report ends the program on its own).
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/particles.h"
#include "gfx/display.h"
#include "input/input.h"
#include "platform/headless/headless_platform.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/messages.h"
#include "shell/play_loop.h"
#include "shell/program.h"
#include "world/world.h"

namespace torvel {
namespace {

constexpr uint8_t kEscape = 27;
constexpr uint8_t kShopMap = 50;
constexpr uint8_t kRoamingMap = 1;
constexpr int kDialogues = 18;
// A session that plays no step of its map this many times running means the
// map cannot be played.
constexpr int kFruitlessSessions = 5;

// The soak's own generator: the game's stays the game's.
class SoakRandom {
 public:
  explicit SoakRandom(uint64_t seed) : state_(seed * 2 + 1) {}
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state_ >> 33);
  }
  uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }
  bool OneIn(uint32_t n) { return Below(n) == 0; }

 private:
  uint64_t state_;
};

struct Figures {
  uint64_t steps = 0;
  uint32_t deaths = 0;
  uint32_t completed = 0;
  int guys = 0, bullets = 0, particles = 0;
};

// One map's soak, driven from the play loop's hooks.
struct MapSoak {
  uint8_t world = 0;
  uint8_t map = 0;
  uint64_t target = 0;
  uint64_t onMap = 0;
  SoakRandom* random = nullptr;
  Figures* figures = nullptr;
  Display* display = nullptr;
  bool worldLeft = false;
  // The input as it stands.
  uint8_t held = 0;
  int holdFor = 0;
  int menuFor = 0;
  int shopFor = 0;
  uint16_t lastCountdown = 0;
  int offMap = 0;
};

MapSoak* gSoak = nullptr;

// Held bits: a direction or none, with fire and spell now and then.
uint8_t RandomHeld(SoakRandom& r) {
  static constexpr uint8_t kDirections[] = {0,
                                            kActionUp,
                                            kActionDown,
                                            kActionLeft,
                                            kActionRight,
                                            kActionUp | kActionLeft,
                                            kActionUp | kActionRight,
                                            kActionDown | kActionLeft,
                                            kActionDown | kActionRight};
  uint8_t bits = kDirections[r.Below(9)];
  if (r.Below(2)) bits |= kActionFire;
  if (r.OneIn(4)) bits |= kActionSpell;
  return bits;
}

bool BeforeStep(void*) {
  MapSoak& s = *gSoak;
  SoakRandom& r = *s.random;
  if (s.onMap >= s.target || s.worldLeft) return false;
  const PlayLoopView v = GetPlayLoopView();
  uint8_t key = 0;
  uint8_t held = 0;
  switch (v.mode) {
    case kModePauseMenu:
      // Look around the menu, choosing nothing, and close it again.
      if (--s.menuFor <= 0) {
        key = kEscape;
      } else if (r.OneIn(3)) {
        held = r.Below(2) ? kActionUp : kActionDown;
      }
      break;
    case kModeShop:
      // Walk the shelves, buy what can be bought, and go.
      if (s.shopFor <= 0) s.shopFor = 40 + static_cast<int>(r.Below(80));
      if (--s.shopFor <= 0) {
        key = kEscape;
      } else if (r.OneIn(2)) {
        static constexpr uint8_t kShopMoves[] = {kActionUp, kActionDown, kActionLeft, kActionRight,
                                                 kActionFire};
        held = kShopMoves[r.Below(5)];
      }
      break;
    case kModePicture:
    case kModeDialogue:
      // Read a while, then fire on.
      if (r.OneIn(12)) held = kActionFire;
      break;
    default:
      if (--s.holdFor <= 0) {
        s.held = RandomHeld(r);
        s.holdFor = 5 + static_cast<int>(r.Below(40));
      }
      held = s.held;
      if (r.OneIn(90)) held |= r.Below(2) ? kActionNext : kActionPrev;
      if (r.OneIn(150)) key = static_cast<uint8_t>('0' + r.Below(10));
      if (v.endCountdown == 0 && PlayingMap()) {
        if (r.OneIn(1500)) {
          key = kEscape;
          s.menuFor = 10 + static_cast<int>(r.Below(40));
        } else if (PlayingMapNumber() == kRoamingMap && r.OneIn(4000)) {
          PostMapEvent(kEventLeaveToMap, kShopMap);
        } else if (r.OneIn(5000)) {
          StartDialogue(static_cast<uint8_t>(r.Below(kDialogues)));
        }
      }
      break;
  }
  static uint8_t lastHeld = 0;
  SetActionState(held, static_cast<uint8_t>(held & ~lastHeld));
  lastHeld = held;
  FreezeActions();
  s.display->lastKey = key;
  return true;
}

void AfterStep(void*) {
  MapSoak& s = *gSoak;
  Figures& f = *s.figures;
  ++f.steps;
  if (Player().worldNumber != s.world) {
    // The world's last map was won: the next world has begun.
    s.worldLeft = true;
    return;
  }
  const PlayLoopView v = GetPlayLoopView();
  if (v.endCountdown > 0 && s.lastCountdown == 0) {
    if (std::strcmp(BigMessageText(), "3AH0B0!") == 0) ++f.deaths;
    if (v.endReason == kMapCompleted) ++f.completed;
  }
  s.lastCountdown = v.endCountdown;
  if (!PlayingMap()) return;
  if (PlayingMapNumber() == s.map) {
    ++s.onMap;
    s.offMap = 0;
  } else if (v.endCountdown == 0 && v.mode == kModePlaying && ++s.offMap > 45) {
    // Sent elsewhere (a door, a completed map, a challenge): back again.
    PostMapEvent(kEventLeaveToMap, s.map);
    s.offMap = 0;
  }
  int guys = 0, bullets = 0, particles = 0;
  for (int i = 0; i < GuyPoolSize(); ++i) {
    const Guy* g = GetGuy(i);
    guys += g && g->kind != 0;
  }
  for (int i = 0; i < kBulletPoolSize; ++i) {
    const Bullet* b = GetBullet(i);
    bullets += b && b->kind != 0;
  }
  for (int i = 0; i < ParticlePoolSize(); ++i) {
    const Particle* p = GetParticle(i);
    particles += p && p->life > 0;
  }
  f.guys = std::max(f.guys, guys);
  f.bullets = std::max(f.bullets, bullets);
  f.particles = std::max(f.particles, particles);
}

// Movies and the credits between the steps end at once. The backend's log
// of sound calls is dropped as it goes: nothing reads it here, and over a
// long run it would grow into most of the peak memory the soak reports.
void PressEscape(HeadlessPlatform& platform) {
  platform.PushChar(kEscape);
  static_cast<RecordingSoundDevice*>(platform.Sound())->ClearCalls();
}

// A hero who has seen some of the world: every spell, some upgraded, money
// for the shop, and more life and mana than a new one.
void EquipHero(uint8_t world, SoakRandom& r) {
  ResetPlayer(kResetNewGame, 0, 0);
  PlayerRecord& p = Player();
  p.worldNumber = world;
  for (uint8_t& spell : p.spells) spell = static_cast<uint8_t>(1 + r.Below(2));
  p.selectedSpell = static_cast<uint8_t>(r.Below(kSpellSlots));
  p.money = static_cast<uint16_t>(500 + r.Below(5000));
  p.lifeMax = static_cast<uint8_t>(30 + r.Below(60));
  p.manaMax = static_cast<uint8_t>(30 + r.Below(60));
  p.musicVolume = static_cast<uint8_t>(r.Below(4));
}

// Plays map m until it has had its steps; false when it cannot be played.
bool SoakMap(Display* display, uint8_t world, uint8_t m, uint64_t steps, SoakRandom& random,
             Figures& figures) {
  MapSoak soak;
  soak.world = world;
  soak.map = m;
  soak.target = steps;
  soak.random = &random;
  soak.figures = &figures;
  soak.display = display;
  gSoak = &soak;
  PlayHooks hooks;
  hooks.beforeStep = BeforeStep;
  hooks.afterStep = AfterStep;
  int fruitless = 0;
  while (soak.onMap < steps && fruitless < kFruitlessSessions) {
    const uint64_t before = soak.onMap;
    EquipHero(world, random);
    soak.worldLeft = false;
    soak.offMap = 0;
    soak.lastCountdown = 0;
    // The map is entered from the roaming map, as through its door.
    if (m != kRoamingMap) soak.offMap = 40;
    display->quit = false;
    SetPlayHooks(hooks);
    PlayGame(display, true);
    SetPlayHooks(PlayHooks{});
    fruitless = soak.onMap > before ? 0 : fruitless + 1;
  }
  gSoak = nullptr;
  return soak.onMap >= steps;
}

std::string TempUserDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "torvel-soak-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back(0);
  if (!mkdtemp(name.data())) return {};
  return name.data();
}

int Run(int argc, char** argv) {
  int world = -1;
  uint64_t roaming = 100000, other = 20000, seed = 1;
  std::string gameDir;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    const char* value = argv[i + 1];
    if (flag == "--world") {
      world = std::atoi(value);
    } else if (flag == "--roaming") {
      roaming = std::strtoull(value, nullptr, 10);
    } else if (flag == "--other") {
      other = std::strtoull(value, nullptr, 10);
    } else if (flag == "--steps") {
      roaming = other = std::strtoull(value, nullptr, 10);
    } else if (flag == "--seed") {
      seed = std::strtoull(value, nullptr, 10);
    } else if (flag == "--game-dir") {
      gameDir = value;
    } else {
      std::fprintf(stderr, "soak: unknown option %s\n", flag.c_str());
      return 2;
    }
  }
  if (world < 0 || world >= kWorldCount || gameDir.empty() || argc % 2 == 0) {
    std::fprintf(stderr,
                 "usage: torvel_soak --world 0-3 --game-dir DIR [--roaming N] [--other M] "
                 "[--steps K] [--seed S]\n");
    return 2;
  }
  const std::string userDir = TempUserDir();
  if (userDir.empty()) {
    std::fprintf(stderr, "soak: cannot make a temporary folder\n");
    return 2;
  }
  SetGameDir(gameDir);
  SetUserDir(userDir);
  HeadlessPlatform platform;
  // A drawn frame every ten steps: drawing is soaked too, at a tenth of
  // the cost of drawing every frame.
  platform.presentMs = 330;
  platform.onPresent = PressEscape;
  InstallPlatform(&platform);
  ResetRandom();
  SoakRandom random(seed * 4 + static_cast<uint64_t>(world));
  Figures figures;
  std::vector<int> unplayable;
  int maps = 0;
  {
    auto display = std::make_unique<Display>("TORVEL", 640, 480, 8, true);
    GlobalInit(display.get());
    World layout;
    if (!LoadWorld(layout, WorldFileName(world))) {
      std::fprintf(stderr, "soak: cannot read %s\n", WorldFileName(world));
      return 1;
    }
    for (int m = 1; m < layout.mapCount; ++m) {
      if (!layout.maps[m]) continue;
      ++maps;
      const uint64_t steps = m == kRoamingMap ? roaming : other;
      if (!SoakMap(display.get(), static_cast<uint8_t>(world), static_cast<uint8_t>(m), steps,
                   random, figures))
        unplayable.push_back(m);
    }
    FreeWorld(layout);
    GlobalShutdown();
  }
  InstallPlatform(nullptr);
  std::error_code ec;
  std::filesystem::remove_all(userDir, ec);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf(
      "soak: %-10s %2d maps, %9llu steps, %5u deaths, %5u maps completed, highest pool use: "
      "guys %3d/%d, bullets %3d/%d, particles %3d/%d; peak memory %ld MB\n",
      WorldFileName(world), maps, static_cast<unsigned long long>(figures.steps), figures.deaths,
      figures.completed, figures.guys, kGuyPoolSize, figures.bullets, kBulletPoolSize,
      figures.particles, kParticlePoolSize, usage.ru_maxrss / 1024);
  for (int m : unplayable)
    std::printf("soak: %s map %d could not be played\n", WorldFileName(world), m);
  return unplayable.empty() ? 0 : 1;
}

}  // namespace
}  // namespace torvel

int main(int argc, char** argv) {
  return torvel::Run(argc, argv);
}
