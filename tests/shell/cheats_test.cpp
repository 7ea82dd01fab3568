#include "shell/cheats.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gfx/draw_list.h"
#include "shell/messages.h"
#include "shell/play_loop.h"
#include "support/scenario.h"

namespace torvel {
namespace {

class CheatsTest : public testing::Scenario {
 protected:
  void SetUp() override {
    Scenario::SetUp();
    BuildMap({
        "..........",
        "..........",
        "..........",
        "..........",
    });
    hero_ = Hero(4, 2);
    ResetCheatBuffer();
    ResetMessages();
    PostMapEvent(kEventNone, 0);
  }
  void TearDown() override {
    PostMapEvent(kEventNone, 0);
    Scenario::TearDown();
  }

  static void Type(const std::string& letters) {
    for (char c : letters) CheatLetter(c);
  }

  Guy* hero_ = nullptr;
};

TEST_F(CheatsTest, EachWordGrantsItsAdvantage) {
  struct Case {
    int word;
    std::function<void()> before;
    std::function<void(Guy*)> check;
  } cases[] = {
      {0, [] {},
       [](Guy*) {
         PlayLoopView v = GetPlayLoopView();
         EXPECT_EQ(v.pendingEvent, kEventMapCompleted);
         EXPECT_EQ(v.eventParameter, 0);
         EXPECT_STREQ(SmallMessageText(), "LYCTNTE MEHR!");
       }},
      {1, [] {},
       [](Guy*) {
         EXPECT_EQ(Player().shotPower, 5);
         EXPECT_EQ(Player().shotDelay, 0);  // 12 less four times 3
         EXPECT_EQ(Player().shotFlags & (kShotFlag1 | kShotFlag2), kShotFlag1 | kShotFlag2);
         EXPECT_STREQ(SmallMessageText(), "YVbTPAM0V0T BbIP0C!");
       }},
      {2, [] {}, [](Guy*) { EXPECT_EQ(GetShake(), 10); }},
      {3, [] {},
       [](Guy*) {
         EXPECT_EQ(Player().keys, 3);
         for (uint8_t k : Player().specialKeys) EXPECT_EQ(k, 1);
         EXPECT_STREQ(SmallMessageText(), "R HACT0R&NN KVW4HNK");
       }},
      {4, [] { Player().life = 3; },
       [](Guy* hero) {
         EXPECT_EQ(Player().life, Player().lifeMax);
         EXPECT_EQ(hero->life, Player().lifeMax);
         EXPECT_EQ(Player().mana, 128);  // above the maximum of 15
         EXPECT_STREQ(SmallMessageText(), "AAAAAA");
       }},
      {5, [] {}, [](Guy*) { EXPECT_EQ(Player().protectionTimer, 600); }},
      {6, [] {}, [](Guy*) { EXPECT_TRUE(PlayerFloorImmune()); }},
      {7, [] {},
       [](Guy*) {
         EXPECT_EQ(Player().level, 2);
         EXPECT_STREQ(SmallMessageText(), "P0CT YP0BHR");
       }},
      {8, [] { Player().money = 49900; },
       [](Guy*) {
         EXPECT_EQ(Player().money, 50400);  // past the shop's cap of 50000
         EXPECT_STREQ(SmallMessageText(), "DNHEP0 L0P T0D0C!");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(CheatWord(c.word));
    if (&c != &cases[0]) {  // each word on a fresh game
      TearDown();
      SetUp();
    }
    c.before();
    Type(CheatWord(c.word));
    c.check(hero_);
  }
}

TEST_F(CheatsTest, CapitalsCountAsLowerCase) {
  Type("GORBELIN");
  EXPECT_EQ(Player().level, 2);
  Type("GoRbElIn");
  EXPECT_EQ(Player().level, 3);
}

TEST_F(CheatsTest, WhatCameBeforeTheWordDoesNotMatter) {
  Type("xyzzyqqqqqqqqqqqqqqqqgorbelin");
  EXPECT_EQ(Player().level, 2);
}

TEST_F(CheatsTest, TheMoneyWordFillsThePurseToItsTopAndNoFurther) {
  const struct {
    uint16_t before, after;
  } cases[] = {{65000, 65500}, {65035, 65535}, {65100, 65535}, {65535, 65535}};
  for (const auto& c : cases) {
    Player().money = c.before;
    Type("wexamundra");
    EXPECT_EQ(Player().money, c.after) << "from " << c.before;
  }
}

TEST_F(CheatsTest, AWordTypedTwiceWorksTwice) {
  Player().money = 0;
  Type("wexamundrawexamundra");
  EXPECT_EQ(Player().money, 1000);
}

TEST_F(CheatsTest, AStrayLetterInsideTheWordSpoilsIt) {
  Type("gorbxelin");
  Type("gorbeli");
  EXPECT_EQ(Player().level, 1);
}

TEST_F(CheatsTest, TheLevelStopsAtFifty) {
  Player().level = 49;
  Type("gorbelin");
  Type("gorbelin");
  EXPECT_EQ(Player().level, 50);
}

TEST_F(CheatsTest, FloorImmunityTogglesBackOff) {
  Type("plimsoderant");
  EXPECT_TRUE(PlayerFloorImmune());
  Type("plimsoderant");
  EXPECT_FALSE(PlayerFloorImmune());
}

TEST_F(CheatsTest, ClearingTheBufferForgetsHalfTypedWords) {
  Type("gorbe");
  ResetCheatBuffer();
  Type("lin");
  EXPECT_EQ(Player().level, 1);
}

TEST_F(CheatsTest, TheLongestWordFitsTheBuffer) {
  Type("brellowquintar");
  EXPECT_EQ(Player().shotPower, 5);
}

}  // namespace
}  // namespace torvel
