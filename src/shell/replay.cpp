// Recording and playing back the input of a game, step by step.
#include "shell/replay.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "actors/bullets.h"
#include "actors/guys.h"
#include "common/byte_io.h"
#include "common/file_io.h"
#include "gfx/display.h"
#include "gfx/draw_list.h"
#include "input/input.h"
#include "platform/headless/headless_platform.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "player/player_record.h"
#include "player/shop.h"
#include "shell/cheats.h"
#include "shell/messages.h"
#include "shell/pause_menu.h"
#include "shell/play_loop.h"
#include "shell/program.h"
#include "world/items.h"
#include "world/light.h"

namespace torvel {

namespace {

constexpr char kMagic[8] = {'T', 'O', 'R', 'V', 'E', 'L', 'R', 'P'};
constexpr uint16_t kVersion = 1;
constexpr uint8_t kTagStep = 1;
constexpr uint8_t kTagEnd = 2;
constexpr uint64_t kFnvPrime = 0x100000001b3ull;
constexpr size_t kMaxReplayBytes = 64u << 20;

uint64_t Mix(uint64_t digest, const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < size; ++i) {
    digest ^= p[i];
    digest *= kFnvPrime;
  }
  return digest;
}

template <typename T>
uint64_t MixValue(uint64_t digest, T value) {
  // Byte by byte, lowest first, whatever the machine.
  for (size_t i = 0; i < sizeof(T); ++i) {
    digest ^= static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
    digest *= kFnvPrime;
  }
  return digest;
}

uint64_t HashFile(const std::string& hostPath) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(hostPath, bytes, kMaxReplayBytes)) return 0;
  return Mix(kDigestStart, bytes.data(), bytes.size());
}

void HashWorlds(uint64_t hashes[4]) {
  for (int w = 0; w < 4; ++w) hashes[w] = HashFile(ReadPath(WorldFileName(w)));
}

// Everything a game keeps between its steps that a previous game in the same
// run may have left behind: a replay starts from none of it.
void ResetGameSideState() {
  ResetMessages();
  ResetCheatBuffer();
  ResetPauseMenu();
  // The shop remembers its cursor from game to game: a recorded game and
  // its playback both find it on the first cell, whatever came before.
  SetShopCursor(0);
  ClearChallengeFlag();
  InitMapLight();
  SetItemClock(0);
  ResetCamera();
}

// With TORVEL_REPLAY_TRACE naming a file, recording and playback write the
// running digest of every step there, so that the first step where two runs
// part can be found.
std::FILE* gTrace = nullptr;
void TraceStep(uint32_t step, uint64_t digest) {
  if (!gTrace) return;
  PlayLoopView v = GetPlayLoopView();
  const Guy* hero = HeroGuy();
  std::fprintf(gTrace, "%u %016llx map %u mode %u random %08llx hero %d,%d held %02x\n", step,
               static_cast<unsigned long long>(digest), PlayingMapNumber(), v.mode,
               static_cast<unsigned long long>(GetRandomState().state), hero ? hero->x >> 16 : -1,
               hero ? hero->y >> 16 : -1, GetHeldActions());
}
void OpenTrace() {
  if (gTrace) std::fclose(gTrace);
  gTrace = nullptr;
  if (const char* path = std::getenv("TORVEL_REPLAY_TRACE")) gTrace = std::fopen(path, "w");
}
void CloseTrace() {
  if (gTrace) std::fclose(gTrace);
  gTrace = nullptr;
}

// ---- Recording ----

struct Recorder {
  bool requested = false;
  bool active = false;
  std::string path;
  std::FILE* file = nullptr;
  uint32_t steps = 0;
  uint64_t digest = kDigestStart;
};

Recorder gRecorder;

bool RecordBeforeStep(void*) {
  Recorder& r = gRecorder;
  Display* display = TheDisplay();
  uint8_t bytes[4] = {kTagStep, GetHeldActions(), PeekPressedActions(),
                      display ? display->lastKey : uint8_t{0}};
  std::fwrite(bytes, 1, sizeof(bytes), r.file);
  // Now and then on disk, so that a crash keeps most of the game.
  if ((r.steps & 255) == 0) std::fflush(r.file);
  return true;
}

void RecordAfterStep(void*) {
  Recorder& r = gRecorder;
  ++r.steps;
  r.digest = MixPlayDigest(MixValue(r.digest, r.steps));
  TraceStep(r.steps, r.digest);
}

// ---- Playback ----

struct Playback {
  const Replay* replay = nullptr;
  const std::function<void(uint32_t)>* observe = nullptr;
  Display* display = nullptr;
  uint32_t next = 0;
  uint64_t digest = kDigestStart;
  void (*previousOnPresent)(HeadlessPlatform&) = nullptr;
};

Playback gPlayback;

// A viewer who presses Escape on every frame: movies, the epilogue and the
// credits between and after the steps end at once. It never reaches the
// game: every step starts with the typed key it was recorded with.
void PressEscape(HeadlessPlatform& platform) {
  platform.PushChar(27);
  if (gPlayback.previousOnPresent) gPlayback.previousOnPresent(platform);
}

bool PlaybackBeforeStep(void*) {
  Playback& pb = gPlayback;
  if (pb.next >= pb.replay->steps.size()) return false;
  const ReplayStep& step = pb.replay->steps[pb.next];
  SetActionState(step.held, step.pressed);
  FreezeActions();
  pb.display->lastKey = step.key;
  return true;
}

void PlaybackAfterStep(void*) {
  Playback& pb = gPlayback;
  ++pb.next;
  pb.digest = MixPlayDigest(MixValue(pb.digest, pb.next));
  TraceStep(pb.next, pb.digest);
  if (pb.observe && *pb.observe) (*pb.observe)(pb.next);
  // The game goes on to take up what the last step did (a map it ended, the
  // world or the ending after it); the step after, which has no input,
  // closes the window.
}

// The replay program tells how far the game got, step by step.
void PrintMapCompleted(void* out, uint8_t world, uint8_t map) {
  std::fprintf(static_cast<std::FILE*>(out), "completed: world %u map %u at step %u\n", world, map,
               gPlayback.next);
}
void PrintWorldFinished(void* out, uint8_t world) {
  std::fprintf(static_cast<std::FILE*>(out), "world finished: %u at step %u\n", world,
               gPlayback.next);
}
void PrintEndingReached(void* out) {
  std::fprintf(static_cast<std::FILE*>(out), "ending reached at step %u\n", gPlayback.next);
}

}  // namespace

std::vector<uint8_t> EncodeReplay(const Replay& replay) {
  ByteWriter out;
  out.Bytes(kMagic, sizeof(kMagic));
  out.U16(kVersion);
  out.U8(replay.continuing ? 1 : 0);
  out.U8(replay.slotCursor);
  out.U32(static_cast<uint32_t>(replay.randomState));
  out.U32(static_cast<uint32_t>(replay.randomState >> 32));
  std::vector<uint8_t> record = replay.record;
  record.resize(kPlayerRecordBytes, 0);
  out.Bytes(record.data(), record.size());
  out.U32(static_cast<uint32_t>(replay.saveFile.size()));
  out.Bytes(replay.saveFile.data(), replay.saveFile.size());
  for (uint64_t h : replay.worldHashes) {
    out.U32(static_cast<uint32_t>(h));
    out.U32(static_cast<uint32_t>(h >> 32));
  }
  for (const ReplayStep& s : replay.steps) {
    out.U8(kTagStep);
    out.U8(s.held);
    out.U8(s.pressed);
    out.U8(s.key);
  }
  if (replay.finished) {
    out.U8(kTagEnd);
    out.U32(replay.recordedSteps);
    out.U32(static_cast<uint32_t>(replay.recordedDigest));
    out.U32(static_cast<uint32_t>(replay.recordedDigest >> 32));
  }
  return out.bytes();
}

bool DecodeReplay(const std::vector<uint8_t>& bytes, Replay& replay, std::string& error) {
  ByteReader in(bytes);
  char magic[8];
  in.Bytes(magic, sizeof(magic));
  if (!in.ok() || std::memcmp(magic, kMagic, sizeof(magic)) != 0) {
    error = "not a replay file";
    return false;
  }
  Replay r;
  if (in.U16() != kVersion) {
    error = "a replay of another version";
    return false;
  }
  r.continuing = in.U8() != 0;
  r.slotCursor = in.U8();
  uint64_t low = in.U32();
  r.randomState = low | (static_cast<uint64_t>(in.U32()) << 32);
  r.record.resize(kPlayerRecordBytes);
  in.Bytes(r.record.data(), r.record.size());
  uint32_t saveSize = in.U32();
  if (!in.ok() || saveSize > static_cast<uint32_t>(kSaveFileBytes)) {
    error = "the replay's header is damaged";
    return false;
  }
  r.saveFile.resize(saveSize);
  in.Bytes(r.saveFile.data(), saveSize);
  for (uint64_t& h : r.worldHashes) {
    uint64_t lo = in.U32();
    h = lo | (static_cast<uint64_t>(in.U32()) << 32);
  }
  if (!in.ok()) {
    error = "the replay's header is damaged";
    return false;
  }
  while (in.Remaining() > 0) {
    uint8_t tag = in.U8();
    if (tag == kTagStep) {
      ReplayStep s;
      s.held = in.U8();
      s.pressed = in.U8();
      s.key = in.U8();
      if (!in.ok()) break;  // cut short in the middle of a step
      r.steps.push_back(s);
    } else if (tag == kTagEnd) {
      r.recordedSteps = in.U32();
      uint64_t lo = in.U32();
      r.recordedDigest = lo | (static_cast<uint64_t>(in.U32()) << 32);
      r.finished = in.ok();
      break;
    } else {
      error = "the replay holds an unknown record";
      return false;
    }
  }
  replay = std::move(r);
  return true;
}

uint64_t MixPlayDigest(uint64_t digest) {
  auto record = PlayerRecordBytes(Player());
  digest = Mix(digest, record.data(), record.size());
  digest = MixValue(digest, GetRandomState().state);
  PlayLoopView v = GetPlayLoopView();
  digest = MixValue(digest, v.mode);
  digest = MixValue(digest, PlayingMapNumber());
  digest = MixValue(digest, v.endCountdown);
  digest = MixValue(digest, v.nextMap);
  digest = MixValue(digest, v.challengeFlag);
  digest = MixValue(digest, v.challengeCleared);
  for (int slot = 0; slot < GuyPoolSize(); ++slot) {
    const Guy* g = GetGuy(slot);
    if (!g || g->kind == 0) continue;
    digest = MixValue(digest, slot);
    digest = MixValue(digest, g->kind);
    digest = MixValue(digest, g->x);
    digest = MixValue(digest, g->y);
    digest = MixValue(digest, g->z);
    digest = MixValue(digest, g->dx);
    digest = MixValue(digest, g->dy);
    digest = MixValue(digest, g->life);
    digest = MixValue(digest, g->anim);
    digest = MixValue(digest, g->animFrame);
    digest = MixValue(digest, g->aiState);
    digest = MixValue(digest, g->facing);
  }
  for (int slot = 0; slot < kBulletPoolSize; ++slot) {
    const Bullet* b = GetBullet(slot);
    if (!b || b->kind == 0) continue;
    digest = MixValue(digest, slot);
    digest = MixValue(digest, b->kind);
    digest = MixValue(digest, b->x);
    digest = MixValue(digest, b->y);
    digest = MixValue(digest, b->z);
    digest = MixValue(digest, b->timer);
  }
  return digest;
}

void RequestReplayRecording(const std::string& hostPath) {
  gRecorder = Recorder{};
  gRecorder.requested = !hostPath.empty();
  gRecorder.path = hostPath;
}

void ReplayGameStarts(bool continuing) {
  Recorder& r = gRecorder;
  if (!r.requested || r.active) return;
  r.requested = false;
  ResetGameSideState();
  Replay header;
  header.continuing = continuing;
  header.slotCursor = GetPauseMenuView().slotCursor;
  header.randomState = GetRandomState().state;
  auto record = PlayerRecordBytes(Player());
  header.record.assign(record.begin(), record.end());
  // What the game reads of the save file: its first 1008 bytes, or the
  // whole slots of a shorter one, so that a load in the recording loads the
  // same on playback.
  std::vector<uint8_t> save;
  if (ReadFileHead(UserPath(kSaveFileName), save, kSaveFileBytes)) header.saveFile = save;
  HashWorlds(header.worldHashes);
  r.file = std::fopen(r.path.c_str(), "wb");
  if (!r.file) {
    std::fprintf(stderr, "TORVEL: cannot write the replay \"%s\"\n", r.path.c_str());
    return;
  }
  std::vector<uint8_t> bytes = EncodeReplay(header);
  std::fwrite(bytes.data(), 1, bytes.size(), r.file);
  r.active = true;
  r.steps = 0;
  r.digest = kDigestStart;
  OpenTrace();
  PlayHooks hooks;
  hooks.beforeStep = RecordBeforeStep;
  hooks.afterStep = RecordAfterStep;
  SetPlayHooks(hooks);
}

void ReplayGameEnds() {
  Recorder& r = gRecorder;
  if (!r.active) return;
  SetPlayHooks(PlayHooks{});
  ByteWriter out;
  out.U8(kTagEnd);
  out.U32(r.steps);
  out.U32(static_cast<uint32_t>(r.digest));
  out.U32(static_cast<uint32_t>(r.digest >> 32));
  std::fwrite(out.bytes().data(), 1, out.size(), r.file);
  std::fclose(r.file);
  r.file = nullptr;
  r.active = false;
  CloseTrace();
  std::printf("replay: recorded %u steps into %s, digest %016llx\n", r.steps, r.path.c_str(),
              static_cast<unsigned long long>(r.digest));
}

PlayProgressHooks ReplayProgressPrinter(std::FILE* out) {
  PlayProgressHooks hooks;
  hooks.mapCompleted = PrintMapCompleted;
  hooks.worldFinished = PrintWorldFinished;
  hooks.endingReached = PrintEndingReached;
  hooks.context = out;
  return hooks;
}

ReplayOutcome PlayReplay(Display* display, const Replay& replay, HeadlessPlatform* headless,
                         const std::function<void(uint32_t)>& observe) {
  ReplayOutcome outcome;
  outcome.ok = true;
  outcome.finished = replay.finished;
  outcome.recordedSteps = replay.recordedSteps;
  outcome.recordedDigest = replay.recordedDigest;
  uint64_t hashes[4];
  HashWorlds(hashes);
  outcome.worldsMatch = std::memcmp(hashes, replay.worldHashes, sizeof(hashes)) == 0;
  for (int w = 0; w < 4; ++w) {
    if (hashes[w] != replay.worldHashes[w]) outcome.worldsChanged |= static_cast<uint8_t>(1 << w);
  }

  if (!replay.saveFile.empty()) WriteFileAtomic(UserPath(kSaveFileName), replay.saveFile);
  ResetGameSideState();
  ByteReader in(replay.record);
  ReadPlayerRecord(in, Player());
  SetSlotCursor(replay.slotCursor);
  SetRandomState(RandomState{replay.randomState});

  gPlayback = Playback{};
  gPlayback.replay = &replay;
  gPlayback.display = display;
  gPlayback.observe = &observe;
  PlayHooks hooks;
  hooks.beforeStep = PlaybackBeforeStep;
  hooks.afterStep = PlaybackAfterStep;
  SetPlayHooks(hooks);
  if (headless) {
    gPlayback.previousOnPresent = headless->onPresent;
    headless->onPresent = PressEscape;
  }

  // An empty replay plays nothing.
  OpenTrace();
  if (!replay.steps.empty()) PlayGame(display, replay.continuing);
  CloseTrace();

  if (headless) headless->onPresent = gPlayback.previousOnPresent;
  SetPlayHooks(PlayHooks{});
  outcome.steps = gPlayback.next;
  outcome.digest = gPlayback.digest;
  gPlayback = Playback{};
  return outcome;
}

int RunReplayProgram(const std::string& replayPath, const std::string& gameDir) {
  std::vector<uint8_t> bytes;
  Replay replay;
  std::string error = "cannot read the file";
  if (!ReadFileBytes(replayPath, bytes, kMaxReplayBytes) || !DecodeReplay(bytes, replay, error)) {
    std::fprintf(stderr, "replay: %s: %s\n", replayPath.c_str(), error.c_str());
    return 2;
  }
  // Saved games of the replay live in a folder of their own, never the player's.
  std::string pattern = (std::filesystem::temp_directory_path() / "torvel-replay-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back(0);
  if (!mkdtemp(name.data())) {
    std::fprintf(stderr, "replay: cannot make a temporary folder\n");
    return 2;
  }
  std::filesystem::path userDir(name.data());
  SetGameDir(gameDir);
  SetUserDir(userDir.string());

  HeadlessPlatform platform;
  // Long frames: every drawn frame runs a second of steps, so the game
  // plays back far faster than it was played.
  platform.presentMs = 1000;
  InstallPlatform(&platform);
  ReplayOutcome outcome;
  {
    auto display = std::make_unique<Display>("TORVEL", 640, 480, 8, true);
    GlobalInit(display.get());
    SetPlayProgressHooks(ReplayProgressPrinter(stdout));
    outcome = PlayReplay(display.get(), replay, &platform);
    SetPlayProgressHooks(PlayProgressHooks{});
    GlobalShutdown();
  }
  InstallPlatform(nullptr);
  std::error_code ec;
  std::filesystem::remove_all(userDir, ec);

  if (!outcome.worldsMatch) {
    std::printf("replay: the world files differ from the ones it was recorded with\n");
  }
  std::printf("replay: %u steps, digest %016llx", outcome.steps,
              static_cast<unsigned long long>(outcome.digest));
  if (!outcome.finished) {
    std::printf(" (the recording was cut short)\n");
    return 1;
  }
  std::printf(", recorded %u steps, digest %016llx: %s\n", outcome.recordedSteps,
              static_cast<unsigned long long>(outcome.recordedDigest),
              outcome.Same() ? "the same" : "DIFFERENT");
  return outcome.Same() ? 0 : 1;
}

}  // namespace torvel
