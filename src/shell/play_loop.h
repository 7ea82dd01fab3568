// The play loop: worlds, maps, fixed 33 ms update steps, play modes, map
// events, and the time accounting that keeps movies and an inactive window
// out of the game clock.
//
// A game plays the four worlds in order; a world starts at its roaming map
// (map 1) and comes back to it after every other map; a map runs pass after
// pass of the loop (as many 33 ms update steps as the time since the last
// pass allows, then one drawn frame) until a map event ends it.
#pragma once

#include <cstdint>

namespace torvel {

class Display;
struct Map;
struct World;

// Play modes.
enum PlayModeValue : uint8_t {
  kModePlaying = 0,
  kModePauseMenu = 1,
  kModePicture = 2,
  kModeShop = 3,
  kModeDialogue = 4,
};

// Map events (PostMapEvent).
enum MapEvent : uint8_t {
  kEventNone = 0,
  kEventLeaveToMap = 1,    // parameter: the map, or 50 for the shop
  kEventMapCompleted = 2,  // parameter 1: at once, else after 40 steps
  kEventHeroKilled = 3,
  kEventGameLoaded = 4,
  kEventGameWon = 5,
  kEventChallenge = 6,  // parameter: the kind of the roamer touched
};

// PlayMap's results.
enum MapResult : uint8_t {
  kMapLeft = 0,  // next map as set; 255 leaves the world
  kMapCompleted = 1,
  kMapGoOn = 2,  // (inside the loop: keep playing)
  kMapHeroKilled = 3,
  kMapGameLoaded = 4,
  kMapQuit = 9,
};

// PlayWorld's results.
enum WorldResult : uint8_t {
  kWorldAgain = 5,   // failed to load, or play was aborted: the same world again
  kWorldLoaded = 8,  // a saved game was loaded: the world it was saved in
  kWorldQuit = 9,    // back to the title menu
};

constexpr int kWorldCount = 4;
constexpr int32_t kStepMs = 33;
constexpr uint8_t kLeaveWorld = 255;

// The world file and the final map of each world.
const char* WorldFileName(int world);
uint8_t WorldFinalMap(int world);

// Runs worlds until the player quits to the title menu (or closes the window).
void PlayGame(Display* display, bool continuing);
// Loads world w and plays its maps (5, 8 or 9 as above).
uint8_t PlayWorld(Display* display, uint8_t world);
// Map start, the loop, map end (0, 1, 3, 4 or 9 as above).
uint8_t PlayMap(Display* display, uint8_t map);

// Plays map m of a copy of the world as a game would, for the editor: the
// hero at the map's start, a fresh player record of the given level, the
// roaming rules on map 1. Completing the map, dying, leaving it or Escape
// ends it; the world, the player record in hand and the saved games stay as
// they were. Returns PlayMap's result (kMapQuit for Escape).
uint8_t PlayTestMap(Display* display, const World& world, uint8_t m, uint8_t level);

// The window-activation callback: 1 when the window becomes inactive, 0 when active.
void SetSuspended(uint8_t suspended);
bool IsSuspended();
// Time spent in movies or an inactive window, kept out of the game clock.
void AddExcludedTime(int32_t ms);
// Every millisecond ever excluded. A wait that may hold other excluded waits
// (a movie during which the window went inactive) takes this before and
// after, and adds only what the inner waits did not.
uint32_t ExcludedTimeSoFar();
// Hands the pending excluded time over (and clears it).
int32_t TakePendingExcludedTime();

// Records a pending map event; taken up by the next update step.
void PostMapEvent(uint8_t event, uint8_t parameter = 0);
// Modes 2 (picture) and 4 (dialogue), set by specials and dialogues; presses
// made before the mode began are forgotten.
void SetPlayMode(uint8_t mode);
uint8_t PlayMode();

uint8_t ChallengeParameter();
bool NoChallengePending();
// Global start-up: no challenge is being played.
void ClearChallengeFlag();

// What is being played, for the modules that need the world around a map and
// for tests and tools: null outside a map.
World* PlayingWorld();
Map* PlayingMap();
uint8_t PlayingMapNumber();

// Draws and presents the frame of the map being played, as each pass of the
// loop does (benchmarks and tools call it while a map is played); false when
// the screen already showed just this frame.
bool DrawPlayFrame();

// The loop as it stands, for tests and tools.
struct PlayLoopView {
  uint8_t mode = 0;
  int32_t accumulator = 0;
  uint8_t pendingEvent = 0;
  uint8_t eventParameter = 0;
  uint16_t endCountdown = 0;
  uint8_t endReason = 0;
  uint8_t startupCountdown = 0;
  uint8_t nextMap = 0;
  uint8_t challengeFlag = 0;
  uint8_t challengeCleared = 0;
  uint8_t lastTypedKey = 0;
  uint64_t steps = 0;      // update steps run since start-up
  uint32_t mapVisits = 0;  // maps started since start-up
};
PlayLoopView GetPlayLoopView();

// Tools that watch or drive play (replays, tests). beforeStep runs at the
// start of every update step, once the window messages are in and the input
// is frozen for the step, before anything reads it; returning false ends the
// play as a closed window would. afterStep runs once the step is done.
struct PlayHooks {
  bool (*beforeStep)(void* context) = nullptr;
  void (*afterStep)(void* context) = nullptr;
  void* context = nullptr;
};
void SetPlayHooks(const PlayHooks& hooks);

// Tools that follow how far a game gets (the replay program, the
// autoplayer): told when a map is completed, when a world is finished (its
// final map completed, before the next world's movie) and when the ending
// plays. Any of them may be unset.
struct PlayProgressHooks {
  void (*gameStarted)(void* context, bool continuing) = nullptr;
  void (*gameEnded)(void* context) = nullptr;
  void (*mapCompleted)(void* context, uint8_t world, uint8_t map) = nullptr;
  void (*worldFinished)(void* context, uint8_t world) = nullptr;
  void (*endingReached)(void* context) = nullptr;
  void* context = nullptr;
};
void SetPlayProgressHooks(const PlayProgressHooks& hooks);

}  // namespace torvel
