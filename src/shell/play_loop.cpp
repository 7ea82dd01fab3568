// Games, worlds and maps, and the pacing of the play loop.
#include "shell/play_loop.h"

#include <cstdio>
#include <string>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "actors/kinds.h"
#include "actors/particles.h"
#include "audio/sound.h"
#include "gfx/display.h"
#include "gfx/movie.h"
#include "input/input.h"
#include "platform/platform.h"
#include "player/player.h"
#include "player/player_record.h"
#include "player/status.h"
#include "shell/cheats.h"
#include "shell/messages.h"
#include "shell/pause_menu.h"
#include "shell/play_loop_state.h"
#include "shell/replay.h"
#include "world/map_render.h"
#include "world/prepare.h"

namespace torvel {

namespace {

struct WorldRow {
  const char* file;
  uint8_t finalMap;
  int songs[3];  // for a map whose song is 1, 2, 3
};

constexpr WorldRow kWorlds[kWorldCount] = {
    {"river.vwd", 14, {202, 201, 200}},
    {"forest.vwd", 12, {202, 201, 200}},
    {"castle.vwd", 15, {208, 207, 206}},
    {"under.vwd", 11, {208, 207, 206}},
};

constexpr uint8_t kRoamingMap = 1;
constexpr int kEndingMovie = 4;
constexpr int32_t kNoRoamingPosition = -2000;
constexpr int kRoamerTries = 30;

PlayLoopState gPlay;

// The maps done in the world, as completing them counts them: maps marked
// secret never count.
uint8_t CountedMapsDone(const World& world, uint8_t w) {
  if (w >= kRecordWorlds) return 0;
  uint8_t done = 0;
  for (int m = 0; m < kRecordMapsPerWorld; ++m) {
    if (!PlayerMapDone(w, m)) continue;
    if (m < world.mapCount && world.maps[m] && (world.maps[m]->flags & kMapSecret)) continue;
    ++done;
  }
  return done;
}

// The world start: the player enters world w, its file is read and the
// pause menu starts afresh. False when the world cannot be played.
bool StartWorld(uint8_t w) {
  ResetPlayer(kResetWorldStart, w, kRoamingMap);
  gPlay.world = World{};
  if (w >= kWorldCount) {
    // Only a damaged saved game names a fifth world: back to the title.
    std::fprintf(stderr, "TORVEL: the saved game is in world %d, which does not exist\n", w);
    gPlay.worldFailed = true;
    return false;
  }
  if (!LoadWorld(gPlay.world, kWorlds[w].file) || gPlay.world.mapCount <= kRoamingMap ||
      !gPlay.world.maps[kRoamingMap]) {
    // The game's own data are broken: say which file, rather than start
    // the same world over and over or drop back to the title in silence.
    const std::string text = std::string("Cannot play the world.\n") + kWorlds[w].file +
                             " is missing or damaged (or has no roaming map); the game cannot "
                             "go on without it.";
    FatalError(text.c_str());
  }
  Player().mapsDoneInWorld = CountedMapsDone(gPlay.world, w);
  gPlay.drawWorld = w;
  uint8_t present = 0;
  for (int m = 1; m < kMaxMaps && m < gPlay.world.mapCount; ++m)
    present += gPlay.world.maps[m] != nullptr;
  SetWorldMapTotal(w, 100u * present);
  ResetPauseMenu();
  gPlay.nextMap = kRoamingMap;
  gPlay.challengeFlag = 0;
  return true;
}

void PlayMapSong(uint8_t song) {
  if (song < 1 || song > 3) return;  // other values keep the song that plays
  PlaySong(kWorlds[gPlay.drawWorld % kWorldCount].songs[song - 1]);
}

bool StartMap(uint8_t m) {
  StopAllSounds();
  if (m >= gPlay.world.mapCount || !gPlay.world.maps[m]) return false;
  gPlay.map = std::make_unique<Map>();
  CopyMap(*gPlay.map, *gPlay.world.maps[m]);
  Map& map = *gPlay.map;
  gPlay.mapFlags = map.flags;
  gPlay.currentMapNumber = m;
  ++gPlay.mapVisits;
  gPlay.pendingEvent = kEventNone;
  gPlay.endingPlayed = false;
  SetMapDrawPlace(gPlay.drawWorld, m);

  InitGuys(kGuyPoolSize);
  InitBullets();
  ResetPlayer(kResetMapStart, Player().worldNumber, m);
  ClearSmallMessage();
  ShowBigMessage(map.name, 100);
  InitParticles(kParticlePoolSize);
  gPlay.lastTypedKey = 0;
  PrepareMapForPlay(map, gPlay.world);
  gPlay.endCountdown = 0;
  gPlay.startupCountdown = (Player().worldNumber == 3 && Player().currentMap == 11) ? 60 : 30;
  ResetStatus();
  ResetCheatBuffer();
  // The guys' first update belongs to no step: it sees the keys as the last
  // step saw them, so that a replay plays it back the same.
  RefreezeLastStepActions();
  if (m == kRoamingMap) {
    // No drowning on the roaming map: water and lava simply stop the hero.
    SetHeroEntersLiquid(false);
    UpdateGuysRoaming(map, gPlay.world);
    for (int i = 0; i < kRoamerTries; ++i) {
      SpawnRoamer(map, gPlay.world, Player().worldNumber + 1, false);
    }
    SetPauseMapKind(0);
  } else {
    SetHeroEntersLiquid(true);
    UpdateGuys(map, gPlay.world);
    SetPauseMapKind(static_cast<uint8_t>(gPlay.challengeFlag + 1));
  }
  ThawActions();
  gPlay.challengeCleared = 0;
  PlayMapSong(map.song);
  return true;
}

void EndMap() {
  ExitGuys();
  ExitBullets();
  ExitParticles();
  if (gPlay.map) FreeMap(*gPlay.map);
  gPlay.map.reset();
  FreeMonsterSprites();
}

// Passes of the loop until the map ends: measure, run the steps the time
// allows, draw, pump the window.
uint8_t RunLoop() {
  Display* display = gPlay.display;
  gPlay.mode = kModePlaying;
  gPlay.excludedPending = 0;
  gPlay.excludedThisPass = 0;
  uint32_t passStart = PlatformMilliseconds();
  gPlay.accumulator = 1;
  uint8_t result = kMapGoOn;
  while (result == kMapGoOn) {
    uint32_t now = PlatformMilliseconds();
    gPlay.accumulator += static_cast<int32_t>(now - passStart) - gPlay.excludedThisPass;
    passStart = now;
    // Never owed time: should more be excluded than the pass lasted, the map
    // must not stand still afterwards until the difference is made up.
    if (gPlay.accumulator < 0) gPlay.accumulator = 0;

    // The update batch: no upper bound, a slow frame is followed by as many
    // steps as its time asks for.
    while (result == kMapGoOn && gPlay.accumulator >= kStepMs) {
      result = UpdateStep();
      gPlay.accumulator -= kStepMs;
    }
    gPlay.excludedThisPass = gPlay.excludedPending;
    gPlay.excludedPending = 0;
    UpdateSounds();

    bool shown = DrawPlayFrame();
    gPlay.excludedThisPass += gPlay.excludedPending;
    gPlay.excludedPending = 0;
    if (!display->ProcessMessages()) {
      gPlay.nextMap = kLeaveWorld;
      result = kMapLeft;
    }
    // Nothing moved on the screen (a paused game, a still map): draw again
    // only when the next step is due or something happens in the window.
    if (!shown && result == kMapGoOn) {
      int32_t elapsed = static_cast<int32_t>(PlatformMilliseconds() - passStart);
      int32_t due = kStepMs - gPlay.accumulator - elapsed + gPlay.excludedThisPass;
      if (due > 0) GetPlatform().WaitForMessages(static_cast<uint32_t>(due));
    }
  }
  return result;
}

}  // namespace

PlayLoopState& PlayState() {
  return gPlay;
}

const char* WorldFileName(int world) {
  return world >= 0 && world < kWorldCount ? kWorlds[world].file : "";
}

uint8_t WorldFinalMap(int world) {
  return world >= 0 && world < kWorldCount ? kWorlds[world].finalMap : 0;
}

void PlayGame(Display* display, bool continuing) {
  gPlay.display = display;
  gPlay.worldFailed = false;
  ForgetLastStepActions();
  ReplayGameStarts(continuing);
  if (gPlay.progress.gameStarted) gPlay.progress.gameStarted(gPlay.progress.context, continuing);
  if (!continuing) {
    ResetPlayer(kResetNewGame, 0, 0);
    PlayNumberedMovie(0);
  }
  // A closed window, or a world that cannot be played, ends the game instead
  // of starting the same world over and over.
  while (!display->quit && !gPlay.worldFailed) {
    if (PlayWorld(display, Player().worldNumber) == kWorldQuit) break;
  }
  ReplayGameEnds();
  display->TakeLastKey();
  if (gPlay.progress.gameEnded) gPlay.progress.gameEnded(gPlay.progress.context);
}

uint8_t PlayWorld(Display* display, uint8_t w) {
  gPlay.display = display;
  if (!StartWorld(w)) return kWorldAgain;
  for (;;) {
    uint8_t m = gPlay.nextMap;
    uint8_t result = PlayMap(display, m);
    switch (result) {
      case kMapLeft:
        if (m != kRoamingMap) RestoreMapStart();
        if (gPlay.nextMap == kLeaveWorld) {
          FreeWorld(gPlay.world);
          return kWorldAgain;
        }
        break;
      case kMapHeroKilled:
        RestoreMapStart();
        gPlay.nextMap = m;
        break;
      case kMapCompleted: {
        uint8_t c = Player().currentMap;
        CompleteMap(w, c, (gPlay.mapFlags & kMapSecret) != 0);
        if (gPlay.progress.mapCompleted) gPlay.progress.mapCompleted(gPlay.progress.context, w, c);
        if (w < kWorldCount && c == kWorlds[w].finalMap && gPlay.progress.worldFinished)
          gPlay.progress.worldFinished(gPlay.progress.context, w);
        if (w < 3 && c == kWorlds[w].finalMap) {
          ++w;
          if (!StartWorld(w)) return kWorldAgain;
          Player().roamingX = kNoRoamingPosition;
          PlayNumberedMovie(w);
        } else if (w == 3 && c == kWorlds[3].finalMap) {
          // Won by the last boss, the ending has just been shown.
          PlayEnding();
          FreeWorld(gPlay.world);
          return kWorldQuit;
        } else {
          gPlay.nextMap = kRoamingMap;
        }
        break;
      }
      case kMapGameLoaded:
        // The loaded record is played exactly as it was saved, as it is
        // from the title: going back to this map's start would undo what
        // the saved game had spent since its own map began.
        FreeWorld(gPlay.world);
        return kWorldLoaded;
      case kMapQuit:
        FreeWorld(gPlay.world);
        RestoreMapStart();
        return kWorldQuit;
      default:
        // A map the world does not hold: back to the roaming map, or, when
        // that is the one missing, the world cannot be played.
        if (m == kRoamingMap) {
          gPlay.worldFailed = true;
          FreeWorld(gPlay.world);
          return kWorldAgain;
        }
        gPlay.nextMap = kRoamingMap;
        break;
    }
  }
}

uint8_t PlayMap(Display* display, uint8_t m) {
  gPlay.display = display;
  constexpr uint8_t kNoSuchMap = 255;
  if (!StartMap(m)) return kNoSuchMap;
  uint8_t result = RunLoop();
  EndMap();
  return result;
}

void SetSuspended(uint8_t suspended) {
  gPlay.suspended = suspended;
}
bool IsSuspended() {
  return gPlay.suspended != 0;
}
void AddExcludedTime(int32_t ms) {
  gPlay.excludedPending += ms;
  gPlay.excludedEver += static_cast<uint32_t>(ms);
}
uint32_t ExcludedTimeSoFar() {
  return gPlay.excludedEver;
}
int32_t TakePendingExcludedTime() {
  int32_t ms = gPlay.excludedPending;
  gPlay.excludedPending = 0;
  return ms;
}

void PostMapEvent(uint8_t event, uint8_t parameter) {
  gPlay.pendingEvent = event;
  gPlay.eventParameter = parameter;
}

void SetPlayMode(uint8_t mode) {
  gPlay.mode = mode;
  TakePressedActions();
}

uint8_t PlayMode() {
  return gPlay.mode;
}

uint8_t ChallengeParameter() {
  return gPlay.challengeFlag ? gPlay.challengeParameter : 0;
}
bool NoChallengePending() {
  return gPlay.challengeFlag == 0 || !AnyGuyOfKind(255);
}
void ClearChallengeFlag() {
  gPlay.challengeFlag = 0;
}

World* PlayingWorld() {
  return gPlay.map ? &gPlay.world : nullptr;
}
Map* PlayingMap() {
  return gPlay.map.get();
}
uint8_t PlayingMapNumber() {
  return gPlay.currentMapNumber;
}

PlayLoopView GetPlayLoopView() {
  PlayLoopView v;
  v.mode = gPlay.mode;
  v.accumulator = gPlay.accumulator;
  v.pendingEvent = gPlay.pendingEvent;
  v.eventParameter = gPlay.eventParameter;
  v.endCountdown = gPlay.endCountdown;
  v.endReason = gPlay.endReason;
  v.startupCountdown = gPlay.startupCountdown;
  v.nextMap = gPlay.nextMap;
  v.challengeFlag = gPlay.challengeFlag;
  v.challengeCleared = gPlay.challengeCleared;
  v.lastTypedKey = gPlay.lastTypedKey;
  v.steps = gPlay.steps;
  v.mapVisits = gPlay.mapVisits;
  return v;
}

void SetPlayHooks(const PlayHooks& hooks) {
  gPlay.hooks = hooks;
}

void SetPlayProgressHooks(const PlayProgressHooks& hooks) {
  gPlay.progress = hooks;
}

void PlayEnding() {
  if (gPlay.endingPlayed) return;
  gPlay.endingPlayed = true;
  if (gPlay.progress.endingReached) gPlay.progress.endingReached(gPlay.progress.context);
  PlayNumberedMovie(kEndingMovie);
}

}  // namespace torvel
