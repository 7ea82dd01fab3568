// The play loop's own state, shared by its two halves: play_loop.cpp (games,
// worlds, maps and the pacing) and play_step.cpp (the update step, the
// events, the typed keys and the frame). Nothing else includes this.
#pragma once

#include <cstdint>
#include <memory>

#include "shell/play_loop.h"
#include "world/world.h"

namespace torvel {

struct PlayLoopState {
  Display* display = nullptr;
  uint8_t mode = kModePlaying;
  int32_t accumulator = 0;
  int32_t excludedPending = 0;
  int32_t excludedThisPass = 0;
  uint32_t excludedEver = 0;  // wraps; only differences are read
  uint8_t suspended = 0;
  uint8_t pendingEvent = kEventNone;
  uint8_t eventParameter = 0;
  uint16_t endCountdown = 0;
  uint8_t endReason = 0;
  uint8_t startupCountdown = 0;
  uint8_t nextMap = 0;
  uint8_t currentMapNumber = 0;
  uint8_t drawWorld = 0;
  uint8_t challengeFlag = 0;
  uint8_t challengeCleared = 0;
  uint8_t challengeParameter = 0;
  uint8_t lastTypedKey = 0;
  uint8_t mapFlags = 0;
  // The ending movie already played on this map ("game won").
  bool endingPlayed = false;
  // The world file could not be read, or lacks its roaming map.
  bool worldFailed = false;
  // A map tried from the editor: Escape ends it instead of pausing.
  bool playTest = false;
  uint64_t steps = 0;
  uint32_t mapVisits = 0;
  std::unique_ptr<Map> map;  // the working copy of the map being played
  World world;
  PlayHooks hooks;
  PlayProgressHooks progress;
};

PlayLoopState& PlayState();

// One update step (play_step.cpp): kMapGoOn or the map's result.
uint8_t UpdateStep();

// Plays the ending movie and tells the progress hooks, once per map.
void PlayEnding();

}  // namespace torvel
