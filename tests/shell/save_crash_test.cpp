// A game killed while it writes torvel.sav loses nothing: a child process
// saves a slot and is killed in the middle of writing, before the new file
// takes the old one's name; the old file is found whole, and the next start
// of the game continues from it.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "common/byte_io.h"
#include "common/file_io.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/pause_menu.h"
#include "shell/program.h"
#include "shell/title.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using Ev = HeadlessPlatform::EventType;

int gReadyPipe = -1;
AtomicWriteStage gStopAt = AtomicWriteStage::kHalfWritten;

// In the child: tell the parent where the writer stands, then wait for the end.
void StopHere(AtomicWriteStage stage, const std::string&) {
  if (stage != gStopAt) return;
  const char ready = 1;
  if (write(gReadyPipe, &ready, 1) != 1) _exit(4);
  for (;;) pause();
}

class SaveCrashTest : public testing::HeadlessTest,
                      public ::testing::WithParamInterface<AtomicWriteStage> {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetGameDir(TORVEL_GAME_DIR);
    GlobalInit(&display());
  }
  void TearDown() override {
    SetAtomicWriteHook(nullptr);
    GlobalShutdown();
    HeadlessTest::TearDown();
  }
  std::string SavePath() const { return dir() + "/torvel.sav"; }
};

TEST_P(SaveCrashTest, AKilledSaveLeavesTheOldFileWholeAndTheNextStartReadsIt) {
  // The old file: slot 1 a game of level 17 in the third world.
  ResetPlayer(kResetNewGame, 0, 0);
  Player().level = 17;
  Player().worldNumber = 2;
  Player().money = 4321;
  ASSERT_TRUE(SaveSlot(0));
  const PlayerRecord saved = Player();
  std::vector<uint8_t> before;
  ASSERT_TRUE(ReadFileBytes(SavePath(), before));
  ASSERT_EQ(before.size(), 1008u);

  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  gStopAt = GetParam();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A later game saved over the same slot, killed on the way.
    close(fds[0]);
    gReadyPipe = fds[1];
    SetAtomicWriteHook(StopHere);
    Player().level = 40;
    Player().money = 1;
    SaveSlot(0);
    _exit(3);  // the writer never reached the stop
  }
  close(fds[1]);
  char ready = 0;
  const bool reached = read(fds[0], &ready, 1) == 1;
  close(fds[0]);
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(reached) << "the child ended with status " << status << " before the stop";
  ASSERT_TRUE(WIFSIGNALED(status));

  // The temporary file holds the half-written or whole new save; the old
  // name still holds the old bytes.
  EXPECT_TRUE(std::filesystem::exists(SavePath() + ".tmp"));
  std::vector<uint8_t> after;
  ASSERT_TRUE(ReadFileBytes(SavePath(), after));
  EXPECT_EQ(after, before);

  // The next start: the continue screen lists the game and fire loads it.
  GlobalShutdown();
  GlobalInit(&display());
  ResetPlayer(kResetNewGame, 0, 0);
  SlotSummary summaries[3];
  ReadSlotSummaries(summaries);
  EXPECT_EQ(summaries[0].level, 17);
  EXPECT_EQ(summaries[0].chapter, 3);
  const uint64_t frame = platform().frameCount() + 4;
  platform().AtFrame(frame, {Ev::KeyDown, 28});
  platform().AtFrame(frame + 2, {Ev::KeyUp, 28});
  ASSERT_TRUE(ContinueScreen(&display()));
  auto loaded = PlayerRecordBytes(Player());
  auto expected = PlayerRecordBytes(saved);
  EXPECT_EQ(std::vector<uint8_t>(loaded.begin(), loaded.end()),
            std::vector<uint8_t>(expected.begin(), expected.end()));

  // And the next save goes through, over the leftover temporary file.
  Player().level = 18;
  ASSERT_TRUE(SaveSlot(0));
  SlotSummary again[3];
  ReadSlotSummaries(again);
  EXPECT_EQ(again[0].level, 18);
  EXPECT_FALSE(std::filesystem::exists(SavePath() + ".tmp"));
}

std::string StageName(const ::testing::TestParamInfo<AtomicWriteStage>& info) {
  return info.param == AtomicWriteStage::kHalfWritten ? "HalfWritten" : "WrittenNotRenamed";
}
INSTANTIATE_TEST_SUITE_P(Stages, SaveCrashTest,
                         ::testing::Values(AtomicWriteStage::kHalfWritten,
                                           AtomicWriteStage::kBeforeRename),
                         StageName);

}  // namespace
}  // namespace torvel
