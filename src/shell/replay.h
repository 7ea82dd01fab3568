// Replays: the input of every update step of a game (held action bits, the
// presses waiting to be taken, the typed key) recorded to a file, and played
// back at full speed on the headless backend. The game advances only in
// fixed steps from a fixed random start, so the same input gives the same
// game; a digest of the game state after every step tells whether it did.
//
// File, little-endian: "TORVELRP", u16 version (1), u8 continuing, u8 the
// pause menu's slot cursor, u64 random state, the 336-byte player record,
// u32 save-file size (at most 1008) and that many bytes of "torvel.sav" as
// the game reads it (its first 1008 bytes, or all of a shorter one), four
// u64 hashes of the world files; then records: tag 1 and three bytes (held,
// pressed, typed key) per step, and at the end tag 2 with u32 steps and u64
// digest. A recording cut short (a crash) still plays up to where it ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "shell/play_loop.h"

namespace torvel {

class Display;
class HeadlessPlatform;

struct ReplayStep {
  uint8_t held = 0;
  uint8_t pressed = 0;
  uint8_t key = 0;
};

struct Replay {
  bool continuing = false;
  uint8_t slotCursor = 0;
  uint64_t randomState = 0;
  std::vector<uint8_t> record;    // 336 bytes
  std::vector<uint8_t> saveFile;  // empty when there was none
  uint64_t worldHashes[4] = {};
  std::vector<ReplayStep> steps;
  bool finished = false;  // the end record is present
  uint32_t recordedSteps = 0;
  uint64_t recordedDigest = 0;
};

std::vector<uint8_t> EncodeReplay(const Replay& replay);
// False (with the reason) for a file that is not a replay or is malformed;
// a missing end record is not an error.
bool DecodeReplay(const std::vector<uint8_t>& bytes, Replay& replay, std::string& error);

// The digest of the game state as it stands, mixed into a running digest.
uint64_t MixPlayDigest(uint64_t digest);
// The running digest's start.
constexpr uint64_t kDigestStart = 0xcbf29ce484222325ull;

// Recording: the first game played after this call is written to the file
// (the program's record option). PlayGame brackets every game with
// ReplayGameStarts and ReplayGameEnds.
void RequestReplayRecording(const std::string& hostPath);
void ReplayGameStarts(bool continuing);
void ReplayGameEnds();

struct ReplayOutcome {
  bool ok = false;  // the file could be read
  std::string error;
  uint32_t steps = 0;  // steps played back
  uint64_t digest = 0;
  bool worldsMatch = true;    // the world files are the ones recorded with
  uint8_t worldsChanged = 0;  // bit w: world w's file is not the one recorded with
  // The recording's own end, when it has one.
  bool finished = false;
  uint32_t recordedSteps = 0;
  uint64_t recordedDigest = 0;
  bool Same() const { return ok && finished && steps == recordedSteps && digest == recordedDigest; }
};

// Plays a replay back on the display. The caller has installed the platform,
// the folders and the program's start-up; the replay's saved games are
// written into the user folder first. With the headless backend given,
// Escape is typed on every frame, so that movies and the credits after the
// ending do not hold the playback up (the steps themselves only see their
// recorded keys). observe, when given, is called after every step
// with the number of steps played so far (tests watch and stage events).
ReplayOutcome PlayReplay(Display* display, const Replay& replay, HeadlessPlatform* headless,
                         const std::function<void(uint32_t)>& observe = {});

// Hooks that print how far a game played back gets, a line each:
// "completed: world W map M at step S", "world finished: W at step S" and
// "ending reached at step S", S counting the steps played back so far.
PlayProgressHooks ReplayProgressPrinter(std::FILE* out);

// The program's playback option: the headless backend over the game folder
// and a fresh temporary user folder, the replay played at full speed, the
// outcome printed. Returns the exit status: 0 when the digest matches the
// recorded one, 1 when it differs, 2 when the file cannot be played.
int RunReplayProgram(const std::string& replayPath, const std::string& gameDir);

}  // namespace torvel
