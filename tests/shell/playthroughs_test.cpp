// The recorded playthroughs, content/playthroughs/<world>.rpl: each plays back
// over the forged worlds to the end of its world exactly as it was recorded
// (the last one to the ending), none typed a cheat word, and each world's
// starts from the saved game the one before it left. A change to the rules
// or the maps that alters a playthrough fails here until it is recorded
// anew (scripts/playthroughs). A world not recorded yet is skipped.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "player/player_record.h"
#include "shell/cheats.h"
#include "shell/pause_menu.h"
#include "shell/play_loop.h"
#include "shell/program.h"
#include "shell/replay.h"
#include "support/headless_fixture.h"

// Steps of each playthrough played back; 0 plays them whole. A build may
// play only the start of each (the sanitizer build, where the whole would
// take too long): its checks are then those the start can show.
#ifndef TORVEL_PLAYTHROUGH_STEPS
#define TORVEL_PLAYTHROUGH_STEPS 0
#endif

namespace torvel {
namespace {

const char* const kWorldNames[kWorldCount] = {"river", "forest", "castle", "under"};

std::string PlaythroughPath(int world) {
  return std::string(TORVEL_SOURCE_DIR) + "/content/playthroughs/" + kWorldNames[world] + ".rpl";
}

bool HavePlaythrough(int world) {
  return std::filesystem::exists(PlaythroughPath(world));
}

void LoadPlaythrough(int world, Replay& replay) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(PlaythroughPath(world), bytes, 64u << 20)) << PlaythroughPath(world);
  std::string error;
  ASSERT_TRUE(DecodeReplay(bytes, replay, error)) << PlaythroughPath(world) << ": " << error;
  ASSERT_TRUE(replay.finished) << PlaythroughPath(world) << ": the recording was cut short";
}

// The first cheat word the letters typed in a replay spell, in the order
// typed (whatever else was typed between them), or "".
std::string CheatWordTyped(const Replay& replay) {
  std::string letters;
  for (const ReplayStep& s : replay.steps) {
    if (s.key < 128 && std::isalpha(s.key)) letters += static_cast<char>(std::tolower(s.key));
  }
  for (int i = 0; i < kCheatWordCount; ++i) {
    if (letters.find(CheatWord(i)) != std::string::npos) return CheatWord(i);
  }
  return "";
}

struct Progress {
  std::vector<int> worldsFinished;
  bool ending = false;
};

class Playthroughs : public testing::HeadlessTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    // The forged worlds; the saved games in the test's own folder.
    SetGameDir(TORVEL_GAME_DIR);
    GlobalInit(&display());
    // Long frames, as the replay program draws them: a second of steps each.
    platform().presentMs = 1000;
  }
  void TearDown() override {
    SetPlayProgressHooks(PlayProgressHooks{});
    GlobalShutdown();
    HeadlessTest::TearDown();
  }
};

TEST_P(Playthroughs, PlayBackToTheirWorldsEnd) {
  const int world = GetParam();
  if (!HavePlaythrough(world)) GTEST_SKIP() << "no playthrough of " << kWorldNames[world] << " yet";
  Replay replay;
  ASSERT_NO_FATAL_FAILURE(LoadPlaythrough(world, replay));

  // It starts at the world's beginning: a new game, or the saved game the
  // world before it left.
  PlayerRecord start;
  ByteReader in(replay.record);
  ASSERT_TRUE(ReadPlayerRecord(in, start));
  EXPECT_EQ(int{start.worldNumber}, world);
  EXPECT_EQ(replay.continuing, world > 0);
  EXPECT_EQ(CheatWordTyped(replay), "") << "a playthrough played with a cheat";

  Replay played = replay;
  const uint32_t limit = TORVEL_PLAYTHROUGH_STEPS;
  const bool whole = limit == 0 || limit >= replay.steps.size();
  if (!whole) {
    played.steps.resize(limit);
    played.finished = false;
  }
  Progress progress;
  PlayProgressHooks hooks;
  hooks.context = &progress;
  hooks.worldFinished = [](void* p, uint8_t w) {
    static_cast<Progress*>(p)->worldsFinished.push_back(w);
  };
  hooks.endingReached = [](void* p) { static_cast<Progress*>(p)->ending = true; };
  SetPlayProgressHooks(hooks);
  ReplayOutcome out = PlayReplay(&display(), played, &platform());
  SetPlayProgressHooks(PlayProgressHooks{});

  // Its own world must be the one it was recorded over; the others may
  // change (a later world's maps) as long as it still plays the same.
  EXPECT_EQ(out.worldsChanged & (1 << world), 0)
      << "the forged " << kWorldNames[world] << " world is not the one " << kWorldNames[world]
      << ".rpl was recorded over: record the playthroughs anew";
  if (!whole) {
    // Only a start: it plays, and nothing more can be told.
    std::printf("playthrough %s: the first %u of its %zu steps played back\n", kWorldNames[world],
                limit, replay.steps.size());
    EXPECT_EQ(out.steps, limit);
    return;
  }
  EXPECT_TRUE(out.Same()) << kWorldNames[world] << ".rpl: " << out.steps << " steps, digest "
                          << std::hex << out.digest << "; recorded " << std::dec
                          << out.recordedSteps << " steps, digest " << std::hex
                          << out.recordedDigest
                          << ": the game no longer plays it the same; record it anew";
  EXPECT_EQ(progress.worldsFinished, std::vector<int>{world});
  EXPECT_EQ(progress.ending, world == kWorldCount - 1);

  // The chain: the world after it starts from the slot it saved into at
  // that world's hub.
  if (world + 1 >= kWorldCount) return;
  std::vector<uint8_t> save;
  ASSERT_TRUE(ReadFileBytes(UserPath(kSaveFileName), save))
      << kWorldNames[world] << ".rpl saved no game for the next world";
  ASSERT_EQ(save.size(), static_cast<size_t>(kSaveFileBytes));
  const std::vector<uint8_t> slot(save.begin() + world * kPlayerRecordBytes,
                                  save.begin() + (world + 1) * kPlayerRecordBytes);
  PlayerRecord saved;
  ByteReader slotIn(slot);
  ASSERT_TRUE(ReadPlayerRecord(slotIn, saved));
  EXPECT_EQ(int{saved.worldNumber}, world + 1)
      << "slot " << world << " holds no start of the next world";
  if (!HavePlaythrough(world + 1)) return;
  Replay next;
  ASSERT_NO_FATAL_FAILURE(LoadPlaythrough(world + 1, next));
  ASSERT_EQ(next.record.size(), slot.size());
  size_t differs = 0;
  while (differs < slot.size() && next.record[differs] == slot[differs]) ++differs;
  EXPECT_EQ(differs, slot.size()) << kWorldNames[world + 1] << ".rpl does not start from the game "
                                  << kWorldNames[world] << ".rpl saved (the player record differs "
                                  << "from byte " << differs
                                  << " on): record them anew, one after the other";
}

INSTANTIATE_TEST_SUITE_P(Recorded, Playthroughs, ::testing::Range(0, kWorldCount),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(kWorldNames[info.param]);
                         });

}  // namespace
}  // namespace torvel
