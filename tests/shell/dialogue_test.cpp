#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "actors/guys.h"
#include "audio/sound.h"
#include "common/trig.h"
#include "gfx/font.h"
#include "input/input.h"
#include "player/player.h"
#include "player/player_record.h"
#include "shell/game_texts.h"
#include "shell/messages.h"
#include "shell/play_loop.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

constexpr int kFireKey = 29;  // Control

class DialogueTest : public testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetGameDir(TORVEL_GAME_DIR);  // fonts, sprites and sounds
    InitTrigTables();
    InitGraphics(&display());
    InitInput();
    InitPlayerRecord();
    ResetPlayer(kResetNewGame, 0, 1);
    ResetMessages();
    InitGuys(kGuyPoolSize);
  }
  void TearDown() override {
    ExitGuys();
    ExitGraphics();
    HeadlessTest::TearDown();
  }

  RecordingSoundDevice& Device() { return *static_cast<RecordingSoundDevice*>(platform().Sound()); }
  // Sounds asked for since the last call: a voice started, or one still
  // playing started over.
  int NewPlays() {
    int n = 0;
    for (const auto& c : Device().calls()) n += c.op == "play" || c.op == "rewind";
    Device().ClearCalls();
    return n;
  }

  // One dialogue step with fire held (true) or let go.
  bool StepWithFire(bool fire) {
    if (fire) {
      OnKeyDown(kFireKey);
    } else {
      OnKeyUp(kFireKey);
    }
    return StepDialogue();
  }
  // Lets go, then presses fire for one step.
  bool PressFire() {
    StepWithFire(false);
    return StepWithFire(true);
  }
};

int LineLength(int dialogue, int line) {
  return static_cast<int>(strnlen(kDialogueTable[dialogue][line], kDialogueLineBytes));
}

TEST_F(DialogueTest, DialogueTypesItsLinesLetterByLetterWithATypingSound) {
  StartDialogue(0);
  EXPECT_EQ(PlayMode(), kModeDialogue);
  EXPECT_EQ(CurrentDialogue(), 0);
  NewPlays();
  int first = LineLength(0, 0);
  ASSERT_GT(first, 2);
  for (int i = 1; i < first; ++i) {
    EXPECT_FALSE(StepDialogue());
    ASSERT_EQ(DialogueTypedLetters(), i);
    ASSERT_EQ(DialogueShownLines(), 0);
  }
  // The sound goes with every second letter.
  EXPECT_EQ(NewPlays(), first / 2);
  StepDialogue();
  EXPECT_EQ(DialogueShownLines(), 1);
  EXPECT_EQ(DialogueTypedLetters(), 0);

  // All four lines typed out, and then nothing more happens until fire.
  int total = first;
  for (int l = 1; l < 4; ++l) total += std::max(1, LineLength(0, l));
  for (int i = first; i < total; ++i) StepDialogue();
  EXPECT_EQ(DialogueShownLines(), 4);
  for (int i = 0; i < 10; ++i) EXPECT_FALSE(StepDialogue());
  EXPECT_TRUE(PressFire());
}

TEST_F(DialogueTest, FireShowsEveryLineAtOnceAndThenClosesTheBox) {
  StartDialogue(0);
  StepDialogue();
  EXPECT_FALSE(PressFire());
  EXPECT_EQ(DialogueShownLines(), 4);
  // Holding fire does not count again.
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(StepWithFire(true));
  EXPECT_TRUE(PressFire());
}

TEST_F(DialogueTest, AFireButtonHeldWhenTheDialogueOpensDoesNotCount) {
  OnKeyDown(kFireKey);
  StartDialogue(0);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(StepWithFire(true));
  EXPECT_LT(DialogueShownLines(), 4);
}

TEST_F(DialogueTest, ConversationsChainIntoTheirNextDialogues) {
  struct Case {
    uint8_t first;
    std::vector<uint8_t> then;
  } cases[] = {
      {1, {13, 16, 17}}, {2, {14, 15}}, {3, {4}}, {0, {}}, {12, {}}, {17, {}},
  };
  for (const Case& c : cases) {
    StartDialogue(c.first);
    for (uint8_t next : c.then) {
      PressFire();  // every line at once
      EXPECT_FALSE(PressFire()) << int(c.first);
      EXPECT_EQ(CurrentDialogue(), next) << int(c.first);
      EXPECT_EQ(DialogueShownLines(), 0);
    }
    PressFire();
    EXPECT_TRUE(PressFire()) << int(c.first);
    StepWithFire(false);
  }
}

TEST_F(DialogueTest, TheErrandDialogueGivesTheSecondSpecialKeyAndIsThankedFor) {
  StartDialogue(7);
  EXPECT_EQ(CurrentDialogue(), 7);
  PressFire();
  PressFire();
  EXPECT_EQ(CurrentDialogue(), 8);
  EXPECT_EQ(Player().specialKeys[1], 0);
  PressFire();
  NewPlays();
  EXPECT_TRUE(PressFire());
  EXPECT_EQ(Player().specialKeys[1], 1);
  EXPECT_EQ(NewPlays(), 1);
  StepWithFire(false);

  // With the key held, the friendly only thanks.
  StartDialogue(7);
  EXPECT_EQ(CurrentDialogue(), 9);
}

TEST_F(DialogueTest, TheCountdownDialogueShowsTheMapsLeftAsADigit) {
  struct Case {
    uint8_t done;
    uint8_t shown;
    char digit;  // 0: the dialogue has no countdown
  } cases[] = {
      {0, 5, '5'}, {2, 5, '3'}, {4, 5, '1'}, {5, 6, 0}, {6, 6, 0}, {9, 6, 0},
  };
  for (const Case& c : cases) {
    Player().mapsDoneInWorld = c.done;
    StartDialogue(5);
    EXPECT_EQ(CurrentDialogue(), c.shown) << int(c.done);
    std::string line = DialogueLineText(kCountdownLine);
    if (c.digit) {
      ASSERT_GT(line.size(), static_cast<size_t>(kCountdownColumn));
      EXPECT_EQ(line[kCountdownColumn], c.digit) << int(c.done);
    }
    // No line of what is shown holds the placeholder or a character below "0"
    // where a digit should be.
    for (int l = 0; l < 4; ++l) {
      EXPECT_EQ(std::string(DialogueLineText(l)).find(kCountdownPlaceholder), std::string::npos);
    }
  }
  // The table itself keeps its placeholder for the next time.
  EXPECT_EQ(kDialogueTable[5][kCountdownLine][kCountdownColumn], kCountdownPlaceholder);
}

TEST_F(DialogueTest, TheGuardsDialogueKnowsWhetherEnemiesAreLeft) {
  StartDialogue(10);
  EXPECT_EQ(CurrentDialogue(), 11);
  AddGuy(ToFixed(100), ToFixed(100), 0, 4);
  StartDialogue(10);
  EXPECT_EQ(CurrentDialogue(), 10);
}

TEST_F(DialogueTest, TheDialogueBoxDrawsOnlyWhatIsTyped) {
  StartDialogue(0);
  display().ClearScreen();
  DrawDialogue();
  // Nothing typed yet: the text rows are untouched (the box sprite lies
  // elsewhere in the stand-in-free set, so look at the first letter's place).
  std::vector<uint8_t> before(display().screen, display().screen + 640 * 480);
  for (int i = 0; i < 3; ++i) StepDialogue();
  display().ClearScreen();
  DrawDialogue();
  std::vector<uint8_t> after(display().screen, display().screen + 640 * 480);
  EXPECT_NE(before, after);
  int changedRows = 0;
  for (int y = 0; y < 480; ++y) {
    bool changed = false;
    for (int x = 0; x < 640; ++x) changed |= before[y * 640 + x] != after[y * 640 + x];
    if (changed) {
      ++changedRows;
      EXPECT_GE(y, 95);
      EXPECT_LT(y, 115);
    }
  }
  EXPECT_GT(changedRows, 0);
}

}  // namespace
}  // namespace torvel
