// The shop driven step by step with held keys over the forged data: the
// cursor's wrapping, buying and refusing, and closing.
#include "player/shop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/sound.h"
#include "gfx/font.h"
#include "input/input.h"
#include "player/player.h"
#include "player/player_record.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

constexpr int kEnter = 28;  // fire by default
constexpr int kUpKey = 72, kDownKey = 80, kLeftKey = 75, kRightKey = 77;

class ShopTest : public testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    SetGameDir(TORVEL_GAME_DIR);
    InitGraphics(&display());
    InitInput();
    ASSERT_TRUE(LoadShopSprites());
    InitPlayerRecord();
    PlayerRecord& p = Player();
    p.level = 5;
    p.lifeMax = p.manaMax = 19;
    p.life = 10;
    p.mana = 3;
    p.topSpeed = TopSpeedOfLevel(0);
    p.damageValue = DamageValueOfLevel(0);
    OpenShop();
    SetShopCursor(0);
    Idle();  // lets go of the buttons the shop opened with
  }
  void TearDown() override {
    CloseShop();
    FreeShopSprites();
    ExitGraphics();
    HeadlessTest::TearDown();
  }
  // One step with nothing held.
  bool Idle() { return StepShop(&display()); }
  // One step with a key held, then let go.
  bool Press(int code) {
    OnKeyDown(code);
    bool closed = StepShop(&display());
    OnKeyUp(code);
    Idle();
    return closed;
  }
  // Sounds started or restarted so far.
  int Plays() {
    int n = 0;
    auto* device = static_cast<RecordingSoundDevice*>(platform().Sound());
    for (const auto& call : device->calls()) n += call.op == "play" || call.op == "rewind";
    return n;
  }
};

TEST_F(ShopTest, TheCursorWrapsRoundRowsAndColumns) {
  struct Case {
    uint8_t from;
    int key;
    uint8_t to;
  } cases[] = {
      {4, kLeftKey, 7},  {7, kRightKey, 4}, {1, kUpKey, 13},    {13, kDownKey, 1},
      {0, kUpKey, 12},   {15, kDownKey, 3}, {12, kLeftKey, 15}, {15, kRightKey, 12},
      {5, kRightKey, 6}, {5, kLeftKey, 4},  {5, kDownKey, 9},   {9, kUpKey, 5},
  };
  for (const Case& c : cases) {
    SetShopCursor(c.from);
    int before = Plays();
    EXPECT_FALSE(Press(c.key));
    EXPECT_EQ(ShopCursor(), c.to) << int(c.from) << " key " << c.key;
    EXPECT_EQ(Plays(), before + 1);  // a click for each move
  }
}

TEST_F(ShopTest, AHeldDirectionMovesAtOnceThenEveryEleventhStep) {
  SetShopCursor(0);
  OnKeyDown(kRightKey);
  std::vector<uint8_t> cells;
  for (int step = 0; step < 23; ++step) {
    StepShop(&display());
    cells.push_back(ShopCursor());
  }
  OnKeyUp(kRightKey);
  EXPECT_EQ(cells[0], 1);
  EXPECT_EQ(cells[10], 1);
  EXPECT_EQ(cells[11], 2);
  EXPECT_EQ(cells[21], 2);
  EXPECT_EQ(cells[22], 3);
}

TEST_F(ShopTest, BuyingTakesThePriceAndRaisesTheLevelSkippingLowerOnes) {
  struct Case {
    const char* what;
    uint8_t cell;
    uint16_t money;
    uint16_t moneyAfter;
  } cases[] = {
      {"cheapest boots with 25", 8, 25, 5},
      {"steel hat at once", 3, 1500, 0},
      {"yew staff", 7, 3000, 500},
      {"lantern", 14, 220, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InitPlayerRecord();
    Player().level = 5;
    Player().money = c.money;
    SetShopCursor(c.cell);
    int before = Plays();
    EXPECT_FALSE(Press(kEnter));
    EXPECT_EQ(Player().money, c.moneyAfter);
    EXPECT_EQ(Plays(), before);  // buying is silent
    EXPECT_FALSE(ShopCellBuyable(c.cell));
  }
  // What the purchases above set, checked once more from scratch.
  InitPlayerRecord();
  Player().money = 5000;
  for (uint8_t cell : {3, 6, 9}) {
    SetShopCursor(cell);
    Press(kEnter);
  }
  const PlayerRecord& p = Player();
  EXPECT_EQ(p.armourLevel, 4);
  EXPECT_EQ(p.armourValue, ArmourValueOfLevel(4));
  EXPECT_EQ(p.damageLevel, 3);
  EXPECT_EQ(p.damageValue, DamageValueOfLevel(3));
  EXPECT_EQ(p.speedLevel, 2);
  EXPECT_EQ(p.topSpeed, TopSpeedOfLevel(2));
  EXPECT_EQ(p.money, 5000 - 1500 - 600 - 100);
  // A lower hat is no longer for sale.
  SetShopCursor(1);
  Press(kEnter);
  EXPECT_EQ(p.money, 5000 - 1500 - 600 - 100);
  EXPECT_EQ(p.armourLevel, 4);
}

// A cell shows and names what it sells, and once bought the stats panel
// shows that same hat, staff or boots as owned.
TEST_F(ShopTest, ACellShowsWhatThePanelShowsOnceItIsBought) {
  for (uint8_t cell = 0; cell < 12; ++cell) {
    SCOPED_TRACE("cell " + std::to_string(cell));
    InitPlayerRecord();
    Player().money = 5000;
    SetShopCursor(cell);
    Press(kEnter);
    const PlayerRecord& p = Player();
    const int row = cell / 4;
    const int owned = row == 0 ? p.armourLevel : (row == 1 ? p.damageLevel : p.speedLevel);
    ASSERT_EQ(owned, cell % 4 + 1);
    EXPECT_EQ(ShopCellIcon(cell), LevelIcon(row, owned));
    EXPECT_STREQ(ShopCellName(cell), LevelName(row, owned));
    // Nobody sells what the hero starts with.
    EXPECT_NE(ShopCellIcon(cell), LevelIcon(row, 0));
    EXPECT_STRNE(ShopCellName(cell), LevelName(row, 0));
  }
  // Every icon the panel can show is a sprite of its own.
  std::vector<int> icons;
  for (int row = 0; row < 3; ++row) {
    for (int level = 0; level <= 4; ++level) {
      const int icon = LevelIcon(row, level);
      EXPECT_NE(ShopSprite(icon), nullptr);
      for (int other : icons) EXPECT_NE(icon, other);
      icons.push_back(icon);
    }
  }
  EXPECT_STREQ(LevelName(2, 9), LevelName(2, 4)) << "a level past 4 looks like 4";
}

TEST_F(ShopTest, ARefusedPurchaseClicksAndChangesNothing) {
  struct Case {
    const char* why;
    uint8_t cell;
    uint16_t money;
  } cases[] = {
      {"25 does not buy the felt hat", 0, 25},
      {"29 neither", 0, 29},
      {"the heart twice", 12, 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    InitPlayerRecord();
    Player().level = 5;
    Player().money = c.money;
    if (c.cell == 12) Player().upgrades = kUpgradeDoubleLife;
    const auto before = PlayerRecordBytes(Player());
    const int plays = Plays();
    SetShopCursor(c.cell);
    Press(kEnter);
    EXPECT_EQ(PlayerRecordBytes(Player()), before);
    EXPECT_EQ(Plays(), plays + 1);
  }
}

TEST_F(ShopTest, UpgradesDoubleLifeAndManaAtOnce) {
  PlayerRecord& p = Player();
  p.money = 2000;
  SetShopCursor(12);
  Press(kEnter);
  EXPECT_TRUE(p.upgrades & kUpgradeDoubleLife);
  EXPECT_EQ(p.lifeMax, (5 + 14) * 2);
  EXPECT_EQ(p.life, p.lifeMax);  // healed by 128, up to the new maximum
  SetShopCursor(13);
  Press(kEnter);
  EXPECT_TRUE(p.upgrades & kUpgradeDoubleMana);
  EXPECT_EQ(p.manaMax, (5 + 14) * 2);
  EXPECT_EQ(p.mana, p.manaMax);
  EXPECT_EQ(p.money, 0);
  // Bought once, twice refused.
  p.money = 2000;
  SetShopCursor(12);
  Press(kEnter);
  EXPECT_EQ(p.money, 2000);
}

TEST_F(ShopTest, HoldingFireBuysOnce) {
  Player().money = 120;
  SetShopCursor(8);
  OnKeyDown(kEnter);
  for (int i = 0; i < 30; ++i) StepShop(&display());
  OnKeyUp(kEnter);
  EXPECT_EQ(Player().money, 100);
  EXPECT_EQ(Player().speedLevel, 1);
  // Let go and pressed again: the next pair of boots.
  Idle();
  SetShopCursor(9);
  Press(kEnter);
  EXPECT_EQ(Player().money, 0);
}

TEST_F(ShopTest, FireHeldAsTheShopOpensDoesNotBuy) {
  Player().money = 100;
  SetShopCursor(8);
  OnKeyDown(kEnter);
  OpenShop();
  for (int i = 0; i < 5; ++i) StepShop(&display());
  OnKeyUp(kEnter);
  EXPECT_EQ(Player().money, 100);
}

TEST_F(ShopTest, TheWayOutAndEscapeCloseTheShop) {
  SetShopCursor(kShopExitCell);
  EXPECT_TRUE(Press(kEnter));
  SetShopCursor(5);
  EXPECT_FALSE(Idle());
  display().SetLastKey(27);
  EXPECT_TRUE(Idle());
  display().SetLastKey('x');
  EXPECT_FALSE(Idle());
}

TEST_F(ShopTest, TheChosenCellsTextsChangeWithTheCursor) {
  // The lower part of the screen (name, price, description) is the chosen
  // cell's own: two cells never show the same texts.
  std::vector<std::vector<uint8_t>> texts;
  for (uint8_t cell = 0; cell < 16; ++cell) {
    SetShopCursor(cell);
    DrawShop();
    std::vector<uint8_t> rows(display().screen + 360 * 640, display().screen + 470 * 640);
    for (const auto& other : texts) EXPECT_NE(rows, other) << int(cell);
    texts.push_back(rows);
  }
}

}  // namespace
}  // namespace torvel
