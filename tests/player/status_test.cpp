// The status display, drawn frame by frame over a sprite set made here: every
// sprite is one pixel, placed so that sprite i drawn at (x, y) lights pixel
// (x + i, y + dy), which tells which sprite was drawn where.
#include "player/status.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "actors/kinds.h"
#include "common/byte_io.h"
#include "gfx/font.h"
#include "gfx/sprites.h"
#include "player/player.h"
#include "player/player_record.h"
#include "support/headless_fixture.h"
#include "world/prepare.h"

namespace torvel {
namespace {

constexpr uint8_t kMark = 223;

// Where sprite i lands below (or above) its anchor, so that every sprite the
// display draws lands on the screen.
int Dy(int i) {
  if (i == 1) return 60;             // clear of the experience gauge drawn later
  if (i <= 7 || i == 42) return 40;  // anchored above the screen's top
  if (i == 8 || i == 9) return -10;  // anchored on the bottom row
  return 0;
}

class StatusTest : public testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    std::filesystem::create_directories(dir() + "/graphics");
    std::vector<Sprite> sprites;
    for (int i = 0; i < 69; ++i) {
      uint8_t pixel = kMark;
      sprites.push_back(
          EncodeSprite(&pixel, 1, 1, 1, 0, static_cast<int16_t>(-i), static_cast<int16_t>(-Dy(i))));
    }
    ASSERT_TRUE(WriteSpriteSet(dir() + "/graphics/intface.vsp", sprites));
    std::filesystem::copy_file(std::string(TORVEL_GAME_DIR) + "/graphics/listium.vft",
                               dir() + "/graphics/listium.vft");
    ASSERT_TRUE(LoadStatusSprites());
    InitGraphics(&display());
    InitPlayerRecord();
    PlayerRecord& p = Player();
    p.level = 1;
    p.lifeMax = p.manaMax = 15;
    p.experienceNeeded = 100;
    p.shotDelay = 12;
    SetCollectibleTotal(0);
    ResetStatus();
  }
  void TearDown() override {
    ExitGraphics();
    FreeStatusSprites();
    HeadlessTest::TearDown();
  }

  void Frame() {
    display().ClearScreen();
    DrawStatus(&display());
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
  // Sprite i drawn plainly with its anchor at (x, y).
  bool Drawn(int i, int x, int y) {
    int px = x + i, py = y + Dy(i);
    return px >= 0 && px < 640 && py >= 0 && py < 480 && Pixel(px, py) == kMark;
  }
  // The same for a sprite drawn as a ghost over black, which changes its colour.
  bool DrawnGhost(int i, int x, int y) { return Pixel(x + i, y + Dy(i)) != 0; }
  // The length of a bar drawn from x = 2 at row y + 4: its lit pixels, the
  // end mark not counted.
  int BarLength(int y) {
    int n = 0;
    while (n < 200 && Pixel(2 + n, y + 4) != 0 && Pixel(2 + n, y + 4) != 16) ++n;
    return n;
  }
};

TEST_F(StatusTest, LifeAndManaBarsMoveTwoAFrameTowardTheRecord) {
  Player().life = 15;
  Player().mana = 7;
  std::vector<int> life, mana;
  for (int i = 0; i < 9; ++i) {
    Frame();
    life.push_back(BarLength(3));
    mana.push_back(BarLength(19));
  }
  EXPECT_EQ(life, (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 15, 15}));
  EXPECT_EQ(mana, (std::vector<int>{2, 4, 6, 7, 7, 7, 7, 7, 7}));
  // A drop from 15 to 5 takes five frames.
  Player().life = 5;
  life.clear();
  for (int i = 0; i < 6; ++i) {
    Frame();
    life.push_back(BarLength(3));
  }
  EXPECT_EQ(life, (std::vector<int>{13, 11, 9, 7, 5, 5}));
}

TEST_F(StatusTest, BarColourFollowsHowFullItIs) {
  struct Case {
    int value, max;
    bool mana;
    uint8_t base;
  } cases[] = {
      {30, 30, false, 44},  {22, 30, false, 44}, {21, 30, false, 174}, {12, 30, false, 174},
      {11, 30, false, 140}, {5, 30, false, 140}, {30, 30, true, 111},  {5, 30, true, 111},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " of " + std::to_string(c.max));
    ResetStatus();
    PlayerRecord& p = Player();
    p.life = p.mana = static_cast<uint8_t>(c.value);
    p.lifeMax = p.manaMax = static_cast<uint8_t>(c.max);
    Frames(20);
    int y = c.mana ? 19 : 3;
    const int end = 2 + c.value - 1;
    EXPECT_EQ(Pixel(2, y + 4), c.base - 6);  // left end
    EXPECT_EQ(Pixel(3, y + 4), c.base - 1);
    EXPECT_EQ(Pixel(4, y + 4), c.base + 4);    // body
    EXPECT_EQ(Pixel(4, y + 2), c.base + 8);    // highlight
    EXPECT_EQ(Pixel(4, y), c.base - 3);        // top edge
    EXPECT_EQ(Pixel(end, y + 4), c.base - 6);  // right end
    EXPECT_EQ(Pixel(end + 1, y + 4), c.value < c.max ? 0 : Pixel(end + 1, y + 4));
  }
}

TEST_F(StatusTest, AShortBarMarksWhereItWouldBeFull) {
  PlayerRecord& p = Player();
  p.life = 5;
  p.lifeMax = 20;
  p.mana = 20;
  p.manaMax = 20;
  Frames(12);
  EXPECT_EQ(Pixel(2 + 19, 3 + 4), 16);   // the life bar's end mark
  EXPECT_EQ(Pixel(2 + 10, 3 + 4), 0);    // nothing between
  EXPECT_NE(Pixel(2 + 19, 19 + 4), 16);  // a full bar needs none
  EXPECT_EQ(BarLength(3), 5);
}

TEST_F(StatusTest, TheCreatureBarSlidesInStaysSixtyFramesAndSlidesOut) {
  ShowCreatureBar("SPIDER", 100, 60, true);
  EXPECT_FALSE(CreatureBarShowsOther());  // at 500, not yet drawn
  std::vector<int> ys;
  std::vector<int> values;
  for (int f = 1; f <= 62; ++f) {
    Frame();
    int y = -1;
    for (int row = 479; row >= 400; --row)
      if (Drawn(30, 0, row)) y = row;
    ys.push_back(y);
    if (y >= 0 && y + 8 < 480) values.push_back(BarLength(y + 4));
    if (f == 1 || f == 30) {
      EXPECT_TRUE(CreatureBarShowsOther()) << f;
    }
  }
  // In by 4 a frame from 500 to 462, out by 4 a frame over the last ten.
  EXPECT_EQ(ys[0], -1);  // 496: below the screen
  EXPECT_EQ(ys[5], 476);
  EXPECT_EQ(ys[9], 462);
  EXPECT_EQ(ys[48], 462);
  EXPECT_EQ(ys[49], 466);
  EXPECT_EQ(ys[52], 478);
  EXPECT_EQ(ys[53], -1);
  EXPECT_EQ(ys[61], -1);
  EXPECT_FALSE(CreatureBarShowsOther());
  // The value falls by 4 a frame to its target.
  ASSERT_FALSE(values.empty());
  EXPECT_EQ(values.back(), 60);
}

TEST_F(StatusTest, HurtAgainTheBarStaysUpAndItsTimeStartsAfresh) {
  ShowCreatureBar("SPIDER", 128, 100, false);
  Frames(40);
  ShowCreatureBar("SPIDER", 100, 80, false);
  // Not back at the bottom edge: still at 462 on the next frame.
  Frame();
  EXPECT_TRUE(Drawn(30, 0, 462));
  Frames(48);  // 49 frames since the second hurt: still up
  EXPECT_TRUE(Drawn(30, 0, 462));
  EXPECT_TRUE(CreatureBarShowsOther());
  Frames(11);
  EXPECT_FALSE(CreatureBarShowsOther());
}

TEST_F(StatusTest, TheGolemsOwnBarDoesNotCountAsAnothers) {
  ShowCreatureBar(KindName(20), 128, 128, true);
  Frames(20);
  EXPECT_TRUE(Drawn(30, 0, 462));
  EXPECT_FALSE(CreatureBarShowsOther());
  ShowCreatureBar(KindName(4), 128, 120, true);
  Frame();
  EXPECT_TRUE(CreatureBarShowsOther());
}

TEST_F(StatusTest, WithNothingToCollectTheGaugeStaysOffScreen) {
  Frames(100);
  for (int y = 340; y < 480; ++y)
    for (int x = 600; x < 640; ++x) ASSERT_EQ(Pixel(x, y), 0) << x << "," << y;
}

TEST_F(StatusTest, TheGaugeSlidesInFillsAndLeavesWhenAllIsCollected) {
  SetCollectibleTotal(4);
  Player().collected = 1;  // 96 of 128 left
  Frames(60);
  // In place at x 640: the tube's inside x 621..636 filled from row 381.
  EXPECT_EQ(Pixel(630, 476), 109 + 96 / 8);
  EXPECT_EQ(Pixel(630, 381), 109 + 96 / 8);
  EXPECT_EQ(Pixel(630, 380), 0);
  EXPECT_EQ(Pixel(621, 400), 121);
  EXPECT_EQ(Pixel(636, 400), 121);
  EXPECT_EQ(Pixel(637, 400), 0);
  EXPECT_EQ(Pixel(620, 400), 0);
  // Everything collected: the fill drains 2 a frame, then the tube slides out.
  Player().collected = 4;
  Frames(48);
  EXPECT_EQ(Pixel(630, 476), 0);
  Frames(40);
  for (int x = 600; x < 640; ++x) EXPECT_EQ(Pixel(x, 469), 0) << x;
}

TEST_F(StatusTest, LevelDigitsAreTwoSprites) {
  struct Case {
    uint8_t level;
    int tens, units;
  } cases[] = {{7, 43, 60}, {23, 45, 56}, {50, 48, 53}, {10, 44, 53}};
  for (const Case& c : cases) {
    Player().level = c.level;
    Frame();
    for (int i = 43; i <= 62; ++i)
      EXPECT_EQ(Drawn(i, 0, 31), i == c.tens || i == c.units) << int(c.level) << " sprite " << i;
  }
}

TEST_F(StatusTest, KeysShowTheSpecialKeysAndOneSpriteForTheOrdinaryOnes) {
  struct Case {
    uint8_t keys, k1, k2, k3;
    std::vector<int> sprites;
  } cases[] = {
      {0, 0, 0, 0, {}},  {1, 0, 0, 0, {5}}, {2, 0, 0, 0, {6}}, {3, 0, 0, 0, {7}},
      {0, 1, 0, 0, {3}}, {0, 0, 1, 0, {4}}, {0, 0, 0, 1, {2}}, {2, 1, 1, 1, {2, 3, 4, 6}},
  };
  for (const Case& c : cases) {
    PlayerRecord& p = Player();
    p.keys = c.keys;
    p.specialKeys[0] = c.k1;
    p.specialKeys[1] = c.k2;
    p.specialKeys[2] = c.k3;
    Frame();
    std::vector<int> drawn;
    for (int i = 2; i <= 7; ++i)
      if (Drawn(i, 86, -17)) drawn.push_back(i);
    EXPECT_EQ(drawn, c.sprites) << int(c.keys) << int(c.k1) << int(c.k2) << int(c.k3);
  }
}

TEST_F(StatusTest, ShotGaugesShowRateBackwardAndBouncingShots) {
  struct Case {
    uint8_t delay, flags;
    std::vector<int> sprites;
  } cases[] = {
      {12, 0, {}},   {9, 0, {33}},  {6, 0, {35}},         {3, 0, {37}}, {0, 0, {39}},
      {12, 1, {40}}, {12, 2, {41}}, {0, 3, {39, 40, 41}}, {12, 4, {}},  // floor immunity has no
                                                                        // icon
  };
  for (const Case& c : cases) {
    Player().shotDelay = c.delay;
    Player().shotFlags = c.flags;
    Frame();
    std::vector<int> drawn;
    for (int i = 31; i <= 39; ++i)
      if (DrawnGhost(i, 244, 14)) drawn.push_back(i);
    if (DrawnGhost(40, 255, 14)) drawn.push_back(40);
    if (DrawnGhost(41, 266, 14)) drawn.push_back(41);
    EXPECT_EQ(drawn, c.sprites) << int(c.delay) << " " << int(c.flags);
  }
}

TEST_F(StatusTest, ShotPowerDrawsOnePipEach) {
  Player().shotPower = 3;
  Frame();
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Drawn(1, 21 * i, -1), i < 3) << i;
}

TEST_F(StatusTest, ExperienceGaugeFillsFromTheBottom) {
  struct Case {
    uint16_t experience, needed;
    int black;  // rows still black from the top
  } cases[] = {{0, 100, 19}, {50, 100, 9}, {99, 100, 0}, {100, 100, 0}, {0, 0, 19}, {300, 200, 0}};
  for (const Case& c : cases) {
    Player().experience = c.experience;
    Player().experienceNeeded = c.needed;
    Frame();
    for (int i = 0; i < 19; ++i) {
      uint8_t expected = i < c.black ? 0 : static_cast<uint8_t>(152 + c.black - i);
      ASSERT_EQ(Pixel(20, 33 + i), expected) << c.experience << "/" << c.needed << " row " << i;
    }
  }
}

TEST_F(StatusTest, TheChosenSpellCardRisesAndTheOthersSink) {
  PlayerRecord& p = Player();
  p.spells[2] = 1;
  p.spells[5] = 2;
  p.selectedSpell = 2;
  auto card = [&](int slot, int sprite, int raise) {
    return Drawn(sprite, 512 + 12 * slot + raise, 22 + raise);
  };
  Frames(3);
  EXPECT_TRUE(card(2, 15, 3));
  EXPECT_TRUE(card(5, 22, 0));  // upgraded: the ornate card
  Frames(10);
  EXPECT_TRUE(card(2, 15, 10));  // no higher than 10
  p.selectedSpell = 5;
  Frames(4);
  EXPECT_TRUE(card(2, 15, 6));
  EXPECT_TRUE(card(5, 22, 4));
  // A slot not owned draws no card, even when chosen.
  p.selectedSpell = 3;
  Frame();
  for (int raise = 0; raise <= 10; ++raise) EXPECT_FALSE(card(3, 17, raise));
}

TEST_F(StatusTest, MoneyIsADollarAndFiveDigits) {
  Player().money = 123;
  Frame();
  std::vector<uint8_t> shown(display().screen, display().screen + 640 * 20);
  display().ClearScreen();
  PrintGlow(320, -1, "$00123", kFontSmall);
  int differences = 0, ink = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 300; x < 440; ++x) {
      differences += shown[y * 640 + x] != Pixel(x, y);
      ink += Pixel(x, y) != 0;
    }
  EXPECT_GT(ink, 0);
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace torvel
