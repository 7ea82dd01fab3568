// The whole game under a fuzzer: the headless backend over the forged game
// folder (TORVEL_GAME_DIR from the environment, else the build's own), a
// temporary user folder for the files a harness writes, the program's
// start-up once, and play driven step by step as a replay drives it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "gfx/display.h"
#include "platform/headless/headless_platform.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "shell/program.h"
#include "shell/replay.h"

namespace torvel::fuzz {

class FuzzGame {
 public:
  FuzzGame() {
    const char* env = std::getenv("TORVEL_GAME_DIR");
    SetGameDir(env && *env ? env : TORVEL_GAME_DIR);
    std::string pattern = (std::filesystem::temp_directory_path() / "torvel-fuzz-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back(0);
    if (!mkdtemp(name.data())) std::abort();
    userDir_ = name.data();
    SetUserDir(userDir_);
    platform_ = std::make_unique<HeadlessPlatform>();
    InstallPlatform(platform_.get());
    display_ = std::make_unique<Display>("TORVEL", 640, 480, 8, true);
    GlobalInit(display_.get());
  }
  ~FuzzGame() {
    GlobalShutdown();
    display_.reset();
    InstallPlatform(nullptr);
    platform_.reset();
    std::error_code ec;
    std::filesystem::remove_all(userDir_, ec);
  }

  Display* display() { return display_.get(); }
  HeadlessPlatform& platform() { return *platform_; }
  const std::string& userDir() const { return userDir_; }

  // Plays a game from the player record as it stands (continuing: from its
  // world's roaming map) on the given steps; observe sees every step.
  ReplayOutcome Play(const std::vector<ReplayStep>& steps,
                     const std::function<void(uint32_t)>& observe = {}) {
    Replay replay;
    replay.continuing = true;
    ResetRandom();
    replay.randomState = GetRandomState().state;
    auto record = PlayerRecordBytes(Player());
    replay.record.assign(record.begin(), record.end());
    replay.steps = steps;
    display_->quit = false;
    // The backend's log of sound calls would grow with every input.
    static_cast<RecordingSoundDevice*>(platform_->Sound())->ClearCalls();
    // A drawn frame every ten steps.
    platform_->presentMs = 330;
    return PlayReplay(display_.get(), replay, platform_.get(), observe);
  }

 private:
  std::string userDir_;
  std::unique_ptr<HeadlessPlatform> platform_;
  std::unique_ptr<Display> display_;
};

inline FuzzGame& Game() {
  static FuzzGame game;
  return game;
}

// Steps of a player wandering about: held directions that change now and
// then, firing, casting and changing spells, from a fixed seed.
inline std::vector<ReplayStep> WanderSteps(int count, uint32_t seed) {
  std::vector<ReplayStep> steps;
  uint32_t state = seed * 2654435761u + 1;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 16;
  };
  uint8_t held = 0;
  for (int i = 0; i < count; ++i) {
    if (i % 12 == 0) {
      static constexpr uint8_t kMoves[] = {1, 2, 4, 8, 5, 6, 9, 10, 0};
      held = static_cast<uint8_t>(kMoves[next() % 9] | (next() % 2 ? 16 : 0) |
                                  (next() % 4 == 0 ? 32 : 0));
    }
    uint8_t now = held;
    if (next() % 40 == 0) now |= next() % 2 ? 64 : 128;
    const uint8_t before = steps.empty() ? 0 : steps.back().held;
    steps.push_back({now, static_cast<uint8_t>(now & ~before), 0});
  }
  return steps;
}

}  // namespace torvel::fuzz
