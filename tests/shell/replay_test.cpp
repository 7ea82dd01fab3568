#include "shell/replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "actors/guys.h"
#include "common/byte_io.h"
#include "player/player.h"
#include "player/player_record.h"
#include "player/shop.h"
#include "shell/play_loop.h"
#include "support/play_fixture.h"
#include "world/specials.h"

namespace torvel {
namespace {

using Ev = HeadlessPlatform::EventType;
using testing::Script;

Replay SampleReplay() {
  Replay r;
  r.continuing = true;
  r.slotCursor = 2;
  r.randomState = 0x0123456789abcdefull;
  r.record.assign(336, 0);
  r.record[250] = 7;
  r.saveFile.assign(1008, 0x5A);
  for (int w = 0; w < 4; ++w) r.worldHashes[w] = 0x1111111111111111ull * (w + 1);
  r.steps = {{1, 1, 0}, {1, 0, 'g'}, {0x30, 0x20, 27}};
  r.finished = true;
  r.recordedSteps = 3;
  r.recordedDigest = 0xfeedfacecafebeefull;
  return r;
}

void ExpectSame(const Replay& a, const Replay& b) {
  EXPECT_EQ(a.continuing, b.continuing);
  EXPECT_EQ(a.slotCursor, b.slotCursor);
  EXPECT_EQ(a.randomState, b.randomState);
  EXPECT_EQ(a.record, b.record);
  EXPECT_EQ(a.saveFile, b.saveFile);
  for (int w = 0; w < 4; ++w) EXPECT_EQ(a.worldHashes[w], b.worldHashes[w]);
  ASSERT_EQ(a.steps.size(), b.steps.size());
  for (size_t i = 0; i < a.steps.size(); ++i) {
    EXPECT_EQ(a.steps[i].held, b.steps[i].held);
    EXPECT_EQ(a.steps[i].pressed, b.steps[i].pressed);
    EXPECT_EQ(a.steps[i].key, b.steps[i].key);
  }
  EXPECT_EQ(a.finished, b.finished);
  EXPECT_EQ(a.recordedSteps, b.recordedSteps);
  EXPECT_EQ(a.recordedDigest, b.recordedDigest);
}

TEST(ReplayFile, RoundTrips) {
  Replay in = SampleReplay();
  Replay out;
  std::string error;
  ASSERT_TRUE(DecodeReplay(EncodeReplay(in), out, error)) << error;
  ExpectSame(in, out);

  in.saveFile.clear();
  in.finished = false;
  in.recordedSteps = 0;
  in.recordedDigest = 0;
  ASSERT_TRUE(DecodeReplay(EncodeReplay(in), out, error)) << error;
  ExpectSame(in, out);
}

TEST(ReplayFile, ACutRecordingKeepsItsWholeSteps) {
  Replay in = SampleReplay();
  in.finished = false;
  std::vector<uint8_t> bytes = EncodeReplay(in);
  bytes.resize(bytes.size() - 2);  // half of the last step
  Replay out;
  std::string error;
  ASSERT_TRUE(DecodeReplay(bytes, out, error)) << error;
  EXPECT_EQ(out.steps.size(), 2u);
  EXPECT_FALSE(out.finished);
}

TEST(ReplayFile, RefusesWhatIsNoReplay) {
  std::vector<uint8_t> good = EncodeReplay(SampleReplay());
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"empty", {}},
      {"other magic",
       [&] {
         auto b = good;
         b[0] = 'X';
         return b;
       }()},
      {"other version",
       [&] {
         auto b = good;
         b[8] = 9;
         return b;
       }()},
      {"save file longer than the game reads",
       [&] {
         auto b = good;
         b[8 + 2 + 2 + 8 + 336 + 1] = 4;  // the size's second byte: 1008 becomes 1264
         return b;
       }()},
      {"header cut short", std::vector<uint8_t>(good.begin(), good.begin() + 100)},
      {"unknown record",
       [&] {
         auto b = good;
         size_t firstStep = 8 + 2 + 2 + 8 + 336 + 4 + 1008 + 32;
         b[firstStep] = 9;
         return b;
       }()},
  };
  for (const Case& c : cases) {
    Replay out;
    std::string error;
    EXPECT_FALSE(DecodeReplay(c.bytes, out, error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

class ReplayTest : public testing::PlayTest {};

// Keys held and typed through the window, the way a person plays: right for
// a while, fire now and then, a cheat word, up and left, then the window is
// closed.
void ScheduleAPlayer(HeadlessPlatform& p) {
  uint32_t t = p.Milliseconds();
  auto key = [&](uint32_t at, Ev type, int code) { p.At(t + at, {type, code}); };
  key(2000, Ev::KeyDown, 77);
  key(2600, Ev::KeyDown, 29);
  key(2700, Ev::KeyUp, 29);
  key(3000, Ev::KeyUp, 77);
  key(3100, Ev::KeyDown, 80);
  key(3500, Ev::KeyDown, 42);
  key(3550, Ev::KeyUp, 42);
  key(3900, Ev::KeyUp, 80);
  const std::string word = "zumbraxi";  // sixty bullets at random places
  for (size_t i = 0; i < word.size(); ++i) key(4000 + 40 * i, Ev::Character, word[i]);
  key(4600, Ev::Character, '3');
  key(4700, Ev::KeyDown, 72);
  key(4700, Ev::KeyDown, 75);
  key(5500, Ev::KeyUp, 72);
  key(5800, Ev::KeyUp, 75);
  key(7000, Ev::Close, 0);
}

TEST_F(ReplayTest, APlayedGameRecordedAndPlayedBackEndsTheSameWhateverTheFrameRate) {
  WriteWorlds();
  std::string path = dir() + "/game.rpl";
  RequestReplayRecording(path);
  platform().presentMs = 16;
  ScheduleAPlayer(platform());
  // A new game, but without the opening movie, whose frames would take the
  // player's time.
  ResetPlayer(kResetNewGame, 0, 0);
  PlayGame(&display(), true);
  EXPECT_EQ(platform().PendingEvents(), 0u);

  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  Replay replay;
  std::string error;
  ASSERT_TRUE(DecodeReplay(bytes, replay, error)) << error;
  ASSERT_TRUE(replay.finished);
  EXPECT_GT(replay.recordedSteps, 150u);
  EXPECT_EQ(replay.steps.size(), replay.recordedSteps);
  bool sawHeld = false, sawKey = false;
  for (const ReplayStep& s : replay.steps) {
    sawHeld |= s.held != 0;
    sawKey |= s.key != 0;
  }
  EXPECT_TRUE(sawHeld);
  EXPECT_TRUE(sawKey);

  for (uint32_t frameMs : {16u, 1000u, 45u}) {
    SCOPED_TRACE(frameMs);
    platform().presentMs = frameMs;
    display().quit = false;
    ReplayOutcome out = PlayReplay(&display(), replay, &platform());
    EXPECT_TRUE(out.worldsMatch);
    EXPECT_EQ(out.worldsChanged, 0);
    EXPECT_EQ(out.steps, replay.recordedSteps);
    EXPECT_EQ(out.digest, replay.recordedDigest);
    EXPECT_TRUE(out.Same());
  }

  // Another world's file than the one played changed: it is named, and the
  // game still plays the same.
  replay.worldHashes[2] ^= 1;
  display().quit = false;
  ReplayOutcome out = PlayReplay(&display(), replay, &platform());
  EXPECT_FALSE(out.worldsMatch);
  EXPECT_EQ(out.worldsChanged, 1 << 2);
  EXPECT_TRUE(out.Same());
}

// The recording keeps what the game reads of torvel.sav, whatever its size,
// and the playback puts it back, so a slot loaded in the recording loads the
// same on playback.
TEST_F(ReplayTest, ARecordingCarriesTheSaveFileAsTheGameReadsIt) {
  WriteWorlds();
  const std::string save = dir() + "/torvel.sav";
  const std::string path = dir() + "/game.rpl";
  struct Case {
    const char* what;
    int size;  // -1: no file
    size_t recorded;
  } cases[] = {
      {"no file", -1, 0},
      {"empty", 0, 0},
      {"two whole slots and part of the third", 700, 700},
      {"less than one slot", 200, 200},
      {"the game's own size", 1008, 1008},
      {"longer", 2000, 1008},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> bytes;
    for (int i = 0; i < c.size; ++i) bytes.push_back(static_cast<uint8_t>(i * 7 + 3));
    std::remove(save.c_str());
    if (c.size >= 0) {
      ASSERT_TRUE(WriteFileBytes(save, bytes));
    }

    RequestReplayRecording(path);
    platform().presentMs = 16;
    platform().At(platform().Milliseconds() + 300, {Ev::Close, 0});
    display().quit = false;
    ResetPlayer(kResetNewGame, 0, 0);
    PlayGame(&display(), true);

    std::vector<uint8_t> file;
    ASSERT_TRUE(ReadFileBytes(path, file));
    Replay replay;
    std::string error;
    ASSERT_TRUE(DecodeReplay(file, replay, error)) << error;
    ASSERT_EQ(replay.saveFile.size(), c.recorded);
    EXPECT_TRUE(std::equal(replay.saveFile.begin(), replay.saveFile.end(), bytes.begin()));

    // Played back where no save file is, the recorded bytes are put back.
    std::remove(save.c_str());
    display().quit = false;
    PlayReplay(&display(), replay, &platform());
    std::vector<uint8_t> after;
    if (c.recorded > 0) {
      ASSERT_TRUE(ReadFileBytes(save, after));
      EXPECT_EQ(after, replay.saveFile);
    } else {
      EXPECT_FALSE(ReadFileBytes(save, after));
    }
  }
}

TEST_F(ReplayTest, ADifferentInputGivesADifferentDigest) {
  WriteWorlds();
  Script s;
  s.Wait(40).Hold(kActionRight).Wait(20).Hold(0).Wait(10);
  ReplayOutcome a = Run(s);
  Script t;
  t.Wait(40).Hold(kActionDown).Wait(20).Hold(0).Wait(10);
  ReplayOutcome b = Run(t);
  ReplayOutcome c = Run(s);
  EXPECT_EQ(a.steps, s.size());
  EXPECT_NE(a.digest, b.digest);
  EXPECT_EQ(a.digest, c.digest);
}

// A replay of five idle steps from a blank player record.
Replay FiveIdleSteps() {
  Script s;
  s.Wait(5);
  Replay replay;
  replay.steps = s.steps();
  replay.record.assign(336, 0);
  return replay;
}

TEST_F(ReplayTest, ChangedWorldsAreNoticed) {
  WriteWorlds();
  Replay replay = FiveIdleSteps();
  // Hashes of other files.
  for (uint64_t& h : replay.worldHashes) h = 42;
  display().quit = false;
  ReplayOutcome out = PlayReplay(&display(), replay, &platform());
  EXPECT_FALSE(out.worldsMatch);
  EXPECT_EQ(out.worldsChanged, 0x0F);
  EXPECT_EQ(out.steps, 5u);
}

// What the menus remember from an earlier game of the same run (here the
// shop's cursor) does not reach a playback: it starts as the recording did.
TEST_F(ReplayTest, APlaybackStartsWithTheShopCursorOnItsFirstCell) {
  WriteWorlds();
  SetShopCursor(7);
  display().quit = false;
  PlayReplay(&display(), FiveIdleSteps(), &platform());
  EXPECT_EQ(ShopCursor(), 0);
}

// Every map of the worlds in turn, entered from the hubs and ended by the
// game's own events, with a death and a map left on the way. What the replay
// program prints as the game gets on goes to printed; the lines it should
// print, each with the step it happened at, to expected.
struct PlanRun {
  size_t movesMade = 0;
  std::string expected;
  std::string printed;
  uint32_t endingStep = 0;
  ReplayOutcome outcome;
};

class ProgressTest : public ReplayTest {
 protected:
  PlanRun PlayThePlan(const Script& s) {
    struct Move {
      uint8_t world, map, event, parameter;
    };
    static const Move plan[] = {
        {0, 1, kEventLeaveToMap, 3},    {0, 3, kEventLeaveToMap, 1},
        {0, 1, kEventLeaveToMap, 2},    {0, 2, kEventHeroKilled, 0},
        {0, 2, kEventMapCompleted, 1},  {0, 1, kEventLeaveToMap, 14},
        {0, 14, kEventMapCompleted, 1}, {1, 1, kEventLeaveToMap, 12},
        {1, 12, kEventMapCompleted, 1}, {2, 1, kEventLeaveToMap, 15},
        {2, 15, kEventMapCompleted, 1}, {3, 1, kEventLeaveToMap, 11},
        {3, 11, kEventMapCompleted, 1},
    };
    PlanRun run;
    // Every move once its map has settled, a step's input before the next.
    uint32_t actedVisit = 0;
    std::FILE* out = std::tmpfile();
    if (!out) {
      ADD_FAILURE() << "no temporary file";
      return run;
    }
    SetPlayProgressHooks(ReplayProgressPrinter(out));
    run.outcome = Run(s, [&](uint32_t step) {
      PlayLoopView v = GetPlayLoopView();
      if (run.movesMade >= std::size(plan) || !PlayingMap() || v.mapVisits == actedVisit) return;
      if (v.mode != kModePlaying || v.startupCountdown > 0 || v.endCountdown > 0) return;
      const Move& m = plan[run.movesMade++];
      ASSERT_EQ(Player().worldNumber, m.world) << "move " << run.movesMade;
      ASSERT_EQ(PlayingMapNumber(), m.map) << "move " << run.movesMade;
      actedVisit = v.mapVisits;
      PostMapEvent(m.event, m.parameter);
      if (m.event != kEventMapCompleted) return;
      // Taken up in the next step; the map ends with the one after.
      char line[96];
      std::snprintf(line, sizeof line, "completed: world %u map %u at step %u\n", m.world, m.map,
                    step + 2);
      run.expected += line;
      if (m.map == WorldFinalMap(m.world)) {
        std::snprintf(line, sizeof line, "world finished: %u at step %u\n", m.world, step + 2);
        run.expected += line;
      }
      if (m.world == 3 && m.map == WorldFinalMap(3)) {
        std::snprintf(line, sizeof line, "ending reached at step %u\n", step + 2);
        run.expected += line;
        run.endingStep = step + 2;
      }
    });
    SetPlayProgressHooks(PlayProgressHooks{});
    EXPECT_EQ(run.movesMade, std::size(plan));
    std::rewind(out);
    for (int c; (c = std::fgetc(out)) != EOF;) run.printed += static_cast<char>(c);
    std::fclose(out);
    return run;
  }
};

// What the replay program prints as a game gets on: a line for every map
// completed, for every world finished and for the ending, each with the step
// it happened at. Leaving a map or dying on it prints nothing.
TEST_F(ProgressTest, TheProgressLinesTellEveryMapCompletedEveryWorldFinishedAndTheEnding) {
  WriteWorlds();
  Script s;
  s.Wait(5000);
  PlanRun run = PlayThePlan(s);
  // The ending leaves the game for the title: the replay stops there.
  EXPECT_LT(run.outcome.steps, s.size());
  EXPECT_EQ(run.printed, run.expected);
}

// A recording made by a player who stops on the very step the last map ends
// (an autoplayer does): the playback still takes up that step's end, so the
// last map counts as completed, its world as finished and the ending as reached.
TEST_F(ProgressTest, AReplayEndingOnTheStepTheLastMapEndsStillReachesTheEnding) {
  WriteWorlds();
  Script whole;
  whole.Wait(5000);
  uint32_t endingStep = PlayThePlan(whole).endingStep;
  ASSERT_GT(endingStep, 0u);

  Script cut;
  cut.Wait(static_cast<int>(endingStep));
  PlanRun run = PlayThePlan(cut);
  EXPECT_EQ(run.outcome.steps, endingStep);
  EXPECT_EQ(run.printed, run.expected);
  EXPECT_NE(run.printed.find("ending reached"), std::string::npos);
}

// The keys change between the last step of a map and the start of the next
// one (the program pumps its messages after drawing the last step): the new
// map's first guy update sees the keys as the last step saw them, as the
// playback does, so the replay plays back the same.
struct KeyChange {
  bool sawLeaving = false;
  bool changed = false;
  uint64_t atStep = 0;
};

void ChangeKeysAfterTheMapsLastStep(HeadlessPlatform& p) {
  auto& k = *static_cast<KeyChange*>(p.hookContext);
  PlayLoopView v = GetPlayLoopView();
  if (k.changed || !PlayingMap() || PlayingMapNumber() != 1) return;
  if (v.endCountdown > 0) {
    k.sawLeaving = true;
  } else if (k.sawLeaving) {
    // The countdown ran out in the step just done: the map is over.
    k.changed = true;
    k.atStep = v.steps;
    p.Push({Ev::KeyUp, 77});
    p.Push({Ev::KeyDown, 80});
    p.At(p.Milliseconds() + 3000, {Ev::Close, 0});
  }
}

TEST_F(ReplayTest, KeysChangedJustBeforeANewMapStartsPlayBackTheSame) {
  Special exit;
  exit.trigger = kTriggerHeroStep;
  exit.effect = kEffectGotoMap;
  exit.value = 2;
  exit.x = kHeroX + 2;
  exit.y = kHeroY;
  GameWorld(0).maps[1]->specials[0] = exit;
  WriteWorlds();
  std::string path = dir() + "/game.rpl";
  RequestReplayRecording(path);
  // A step a frame, and a pump after each.
  platform().presentMs = 33;
  KeyChange k;
  platform().hookContext = &k;
  platform().onPump = ChangeKeysAfterTheMapsLastStep;
  platform().Push({Ev::KeyDown, 77});
  ResetPlayer(kResetNewGame, 0, 0);
  const uint64_t before = GetPlayLoopView().steps;
  PlayGame(&display(), true);
  platform().onPump = nullptr;
  ASSERT_TRUE(k.changed) << "the hero never left the hub";
  k.atStep -= before;

  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  Replay replay;
  std::string error;
  ASSERT_TRUE(DecodeReplay(bytes, replay, error)) << error;
  ASSERT_TRUE(replay.finished);
  ASSERT_GT(replay.steps.size(), k.atStep + 30);
  // Right held to the hub's last step, down from the new map's first.
  EXPECT_EQ(replay.steps[k.atStep - 1].held, kActionRight);
  EXPECT_EQ(replay.steps[k.atStep].held, kActionDown);

  display().quit = false;
  bool onMap2 = false;
  ReplayOutcome out = PlayReplay(&display(), replay, &platform(), [&](uint32_t step) {
    if (step == k.atStep + 1) onMap2 = PlayingMapNumber() == 2;
  });
  EXPECT_TRUE(onMap2);
  EXPECT_EQ(out.steps, replay.recordedSteps);
  EXPECT_EQ(out.digest, replay.recordedDigest) << "the playback parted from the game recorded";
}

}  // namespace
}  // namespace torvel
