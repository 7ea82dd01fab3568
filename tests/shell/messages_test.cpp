#include "shell/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "common/trig.h"
#include "gfx/font.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

class MessagesTest : public testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetGameDir(TORVEL_GAME_DIR);  // fonts and sounds; keys.ini stays in the test's folder
    InitTrigTables();
    InitGraphics(&display());
    ResetMessages();
  }
  void TearDown() override {
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
};

TEST_F(MessagesTest, BigMessageFallsBouncesSettlesAndDropsOffTheScreen) {
  ShowBigMessage("HNKT0", 100);
  MessagePlace start = BigMessagePlace();
  EXPECT_EQ(start.y, -100);
  EXPECT_EQ(start.x, 320 - TextWidthOf("HNKT0", kFontBig) / 2);

  // Falling from -100 with the speed growing by 2 a step, it first passes
  // row 200 on step 18 (-100 + 18 * 17 = 206): it lands on 200 and bounces
  // with half the speed it had.
  for (int i = 0; i < 17; ++i) UpdateMessages();
  EXPECT_EQ(BigMessagePlace().y, -100 + 17 * 16);
  UpdateMessages();
  EXPECT_EQ(BigMessagePlace().y, 200);
  EXPECT_EQ(BigMessagePlace().ySpeed, -18);

  // Every later bounce is lower than the one before, and none goes below 200.
  std::vector<int32_t> apexes;
  int32_t apex = 200;
  int maxBrightness = BigMessagePlace().brightness;
  for (int step = 18; step < 100; ++step) {
    UpdateMessages();
    MessagePlace p = BigMessagePlace();
    ASSERT_LE(p.y, 200) << "step " << step;
    maxBrightness = std::max(maxBrightness, p.brightness);
    if (p.y == 200) {
      if (apex < 200) apexes.push_back(apex);
      apex = 200;
    } else {
      apex = std::min(apex, p.y);
    }
  }
  // The bounces shrink to a small jiggle on the floor row that lasts until
  // the time is up; by then the flash is over.
  ASSERT_GE(apexes.size(), 3u);
  EXPECT_GT(apexes[1], apexes[0]);
  for (size_t i = 1; i < apexes.size(); ++i) EXPECT_GE(apexes[i], apexes[i - 1]);
  EXPECT_GE(apexes.back(), 190);
  EXPECT_EQ(BigMessagePlace().time, 0);
  EXPECT_EQ(BigMessagePlace().brightness, 0);
  EXPECT_GE(maxBrightness, 32);
  EXPECT_STREQ(BigMessageText(), "HNKT0");

  // Time is up: it falls through the bottom of the screen and is gone.
  int steps = 0;
  while (BigMessageText()[0] != 0 && steps < 100) {
    UpdateMessages();
    ++steps;
  }
  EXPECT_EQ(BigMessageText()[0], 0);
  EXPECT_GT(steps, 5);  // it falls, it does not vanish on the spot
  EXPECT_EQ(BigMessagePlace().y, 0);
  EXPECT_EQ(BigMessagePlace().ySpeed, 0);
}

TEST_F(MessagesTest, SmallMessageRisesThirtySixPixelsHoldsThenSinks) {
  ShowSmallMessage("3EVbE", 40);
  EXPECT_EQ(SmallMessagePlace().y, 484);
  for (int i = 0; i < 8; ++i) UpdateMessages();
  EXPECT_EQ(SmallMessagePlace().y, 448);
  for (int i = 8; i < 40; ++i) {
    UpdateMessages();
    ASSERT_EQ(SmallMessagePlace().y, 448) << i;
  }
  int steps = 0;
  while (SmallMessageText()[0] && steps < 100) {
    UpdateMessages();
    ++steps;
  }
  EXPECT_EQ(SmallMessageText()[0], 0);
  EXPECT_GT(steps, 3);
}

TEST_F(MessagesTest, SmallMessageFlashesOnceAndSettlesAtNormalBrightness) {
  ShowSmallMessage("3EVbE", 200);
  std::vector<int32_t> b;
  for (int i = 0; i < 80; ++i) {
    UpdateMessages();
    b.push_back(SmallMessagePlace().brightness);
  }
  EXPECT_EQ(b[0], -30);
  EXPECT_EQ(*std::max_element(b.begin(), b.end()), 32);
  EXPECT_EQ(b.back(), 0);
}

TEST_F(MessagesTest, ANewMessageReplacesTheOldOneAtOnce) {
  ShowBigMessage("ODNH", 100);
  for (int i = 0; i < 30; ++i) UpdateMessages();
  ShowBigMessage("DBA", 50);
  EXPECT_STREQ(BigMessageText(), "DBA");
  EXPECT_EQ(BigMessagePlace().y, -100);
  EXPECT_EQ(BigMessagePlace().time, 50);
}

TEST_F(MessagesTest, TextsAreCutToThirtyOneCharacters) {
  std::string longText(45, 'A');
  ShowBigMessage(longText.c_str(), 10);
  ShowSmallMessage(longText.c_str(), 10);
  EXPECT_EQ(std::strlen(BigMessageText()), 31u);
  EXPECT_EQ(std::strlen(SmallMessageText()), 31u);
}

TEST_F(MessagesTest, AHintIsShownAndHeardOnlyWhenItsTextIsNew) {
  NewPlays();
  ShowHint("3AKPbIT0", 75);
  EXPECT_STREQ(SmallMessageText(), "3AKPbIT0");
  EXPECT_EQ(NewPlays(), 1);
  for (int i = 0; i < 10; ++i) UpdateMessages();
  int32_t y = SmallMessagePlace().y;
  ShowHint("3AKPbIT0", 75);
  EXPECT_EQ(NewPlays(), 0);
  EXPECT_EQ(SmallMessagePlace().y, y) << "the same hint must not start over";
  ShowHint("0TKPbIT0", 75);
  EXPECT_EQ(NewPlays(), 1);
  EXPECT_EQ(SmallMessagePlace().y, 484);
}

TEST_F(MessagesTest, ClearSmallMessageEmptiesOnlyTheSmallLine) {
  ShowBigMessage("BBEPX", 20);
  ShowSmallMessage("BHN3", 20);
  ClearSmallMessage();
  EXPECT_EQ(SmallMessageText()[0], 0);
  EXPECT_STREQ(BigMessageText(), "BBEPX");
}

}  // namespace
}  // namespace torvel
