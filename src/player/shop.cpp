// The shop.
//
// Buying a level skips the ones below it: the steel hat bought first sets the
// armour straight to 4. Only a new press of fire buys, so holding the button
// never empties the purse.
#include "player/shop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "audio/sound.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/sprites.h"
#include "input/input.h"
#include "player/player.h"
#include "player/player_record.h"
#include "player/status.h"
#include "shell/game_texts.h"

namespace torvel {

namespace {

constexpr uint8_t kEscape = 27;
constexpr int kShopSong = 204;

// The hat, staff and boots of each level 0..4, by row: what the stats panel
// shows as owned, and what a cell of the grid shows as sold. The level-0
// ones are the hero's own from the start; the shop sells levels 1 to 4.
constexpr const char* kLevelNames[3][5] = {
    {"SYMAGHAR UVRLA", "OETP0BAR UVRLA", "VYHHAR UVRLA", "KVET4ATAR UVRLA", "CTAVbHAR UVRLA"},
    {"L0C0X N3 SAVb3A", "L0C0X N3 C0CHbI", "L0C0X N3 DYSA", "L0C0X N3 TNCA", "L0C0X MAFNN"},
    {"MRFKNE S0TNHKN", "K0GAHbIE S0TNHKN", "D0KT0P MEPVNHC", "S0TNHKN C4ACTbR", "ZNP VAHCEV0TC"},
};
constexpr int kLevelFirstIcon[3] = {13, 3, 8};

// The prices in cell order: rows of hats, staffs and boots, then the three
// upgrades and the way out.
constexpr int32_t kPrices[16] = {30, 120, 400, 1500, 70,  180,  600, 2500,
                                 20, 100, 250, 1000, 800, 1200, 220, 0};
constexpr uint8_t kUpgradeOfCell[3] = {kUpgradeDoubleLife, kUpgradeDoubleMana, kUpgradeHeroLight};
constexpr const char* kUpgradeNames[3] = {"L0DBECKA-CEPDQE", "AMYVET VYH", "O0HAPb"};
constexpr int kUpgradeIcons[3] = {18, 19, 20};
// The sword's pieces 0..3 in the status set.
constexpr int kPieceSprites[4] = {63, 65, 66, 64};

struct ShopState {
  SpriteSet sprites;
  uint8_t cursor = 0;
  uint8_t lastHeld = 0;
  uint8_t repeat = 0;
  std::unique_ptr<uint8_t[]> picture;  // the shop picture while the shop is open
  uint32_t panelFrame = 0;             // drives the pieces' bobbing
};
ShopState gShop;

Display* ShopDisplay() {
  return GraphicsDisplay() ? GraphicsDisplay() : TheDisplay();
}

// The level a row of the grid raises: armour, damage, speed.
uint8_t& RowLevel(PlayerRecord& p, int row) {
  return row == 0 ? p.armourLevel : (row == 1 ? p.damageLevel : p.speedLevel);
}

void Buy(int cell) {
  PlayerRecord& p = Player();
  if (cell < 12) {
    const int row = cell / 4;
    const uint8_t level = static_cast<uint8_t>(cell % 4 + 1);
    RowLevel(p, row) = level;
    if (row == 0) p.armourValue = ArmourValueOfLevel(level);
    if (row == 1) p.damageValue = DamageValueOfLevel(level);
    if (row == 2) p.topSpeed = TopSpeedOfLevel(level);
    return;
  }
  const uint8_t doubled = static_cast<uint8_t>((p.level + 14) * 2);
  p.upgrades |= kUpgradeOfCell[cell - 12];
  if (cell == 12) {
    p.lifeMax = doubled;
    Heal(128);
  } else if (cell == 13) {
    p.manaMax = doubled;
    p.mana = doubled;
  }
}

// Draws a name the panel's way: a black shadow, then the text.
void PanelText(int32_t x, int32_t y, const char* text) {
  Print(x + 2, y + 2, text, 1, kFontSmall);
  Print(x, y, text, 0, kFontSmall);
}

// Levels past the last name show the last one.
int Named(int level) {
  return level < 0 ? 0 : (level > 4 ? 4 : level);
}

int RowOf(int cell) {
  return cell / 4;
}
// The level a cell of the first three rows sells.
int LevelOf(int cell) {
  return cell % 4 + 1;
}

void CellPosition(int cell, int32_t& x, int32_t& y) {
  x = 30 + 80 * (cell % 4);
  y = cell < 12 ? 50 + 80 * (cell / 4) : 290;
}

}  // namespace

bool LoadShopSprites() {
  return gShop.sprites.Load("graphics\\shop.vsp");
}
void FreeShopSprites() {
  gShop.sprites.Free();
}
const Sprite* ShopSprite(int index) {
  return gShop.sprites.GetSprite(index);
}

uint8_t ShopCursor() {
  return gShop.cursor;
}
void SetShopCursor(uint8_t cell) {
  gShop.cursor = static_cast<uint8_t>(cell % 16);
}

int32_t ShopPrice(int cell) {
  return cell >= 0 && cell < 16 ? kPrices[cell] : 0;
}

int LevelIcon(int row, int level) {
  return kLevelFirstIcon[row < 0 || row > 2 ? 0 : row] + Named(level);
}
const char* LevelName(int row, int level) {
  return kLevelNames[row < 0 || row > 2 ? 0 : row][Named(level)];
}

int ShopCellIcon(int cell) {
  if (cell >= 0 && cell < 12) return LevelIcon(RowOf(cell), LevelOf(cell));
  if (cell >= 12 && cell < 15) return kUpgradeIcons[cell - 12];
  return -1;
}
const char* ShopCellName(int cell) {
  if (cell >= 0 && cell < 12) return LevelName(RowOf(cell), LevelOf(cell));
  if (cell >= 12 && cell < 15) return kUpgradeNames[cell - 12];
  return "BCE";
}

bool ShopCellBuyable(int cell) {
  PlayerRecord& p = Player();
  if (cell < 0 || cell >= kShopExitCell) return false;
  if (cell < 12) return RowLevel(p, cell / 4) < cell % 4 + 1;
  return (p.upgrades & kUpgradeOfCell[cell - 12]) == 0;
}

void OpenShop() {
  PlaySong(kShopSong);
  Display* display = ShopDisplay();
  if (!display) return;
  display->LoadBmp("graphics\\shop.bmp");
  const size_t size = static_cast<size_t>(display->GetPitch()) * display->GetHeight();
  gShop.picture.reset(new (std::nothrow) uint8_t[size]);
  if (!gShop.picture) FatalError("MAV0 LAMRTN!!");
  std::memcpy(gShop.picture.get(), display->GetScreen(), size);
  // A button still held from play does not buy anything.
  gShop.lastHeld = 0xFF;
  gShop.repeat = 0;
}

bool StepShop(Display* display) {
  const uint8_t held = GetHeldActions();
  ++gShop.repeat;
  if (gShop.lastHeld == 0 || gShop.repeat > 10) gShop.repeat = 0;
  int cursor = gShop.cursor;
  if (gShop.repeat == 0) {
    if (held & kActionUp) {
      cursor -= 4;
      if (cursor < 0) cursor += 16;  // to the same column of the bottom row
      MakeNormalSound(0);
    }
    if (held & kActionDown) {
      cursor += 4;
      if (cursor >= 16) cursor -= 16;
      MakeNormalSound(0);
    }
    if (held & kActionLeft) {
      cursor += cursor % 4 == 0 ? 3 : -1;  // round to the row's end
      MakeNormalSound(0);
    }
    if (held & kActionRight) {
      cursor += 1;
      if (cursor % 4 == 0) cursor -= 4;  // round to the row's start
      MakeNormalSound(0);
    }
  }
  gShop.cursor = static_cast<uint8_t>(cursor);

  bool close = false;
  if ((held & kActionFire) && !(gShop.lastHeld & kActionFire)) {
    PlayerRecord& p = Player();
    if (cursor == kShopExitCell) {
      close = true;
    } else if (p.money < kPrices[cursor] || !ShopCellBuyable(cursor)) {
      MakeNormalSound(0);
    } else {
      p.money = static_cast<uint16_t>(p.money - kPrices[cursor]);
      Buy(cursor);
    }
  }
  gShop.lastHeld = held;
  UpdateSounds();
  if (display && display->TakeLastKey() == kEscape) close = true;
  return close;
}

void CloseShop() {
  gShop.picture.reset();
}

void DrawShop() {
  Display* display = ShopDisplay();
  if (!display) return;
  const size_t size = static_cast<size_t>(display->GetPitch()) * display->GetHeight();
  if (gShop.picture) std::memcpy(display->GetScreen(), gShop.picture.get(), size);

  const PlayerRecord& p = Player();
  int32_t x, y;
  for (int cell = 0; cell < 12; ++cell) {
    const int row = cell / 4, column = cell % 4;
    const uint8_t level = row == 0 ? p.armourLevel : (row == 1 ? p.damageLevel : p.speedLevel);
    CellPosition(cell, x, y);
    Draw(ShopSprite(level >= column + 1 ? 1 : 0), x, y, display);
    Draw(ShopSprite(ShopCellIcon(cell)), x, y, display);
  }
  for (int i = 0; i < 3; ++i) {
    CellPosition(12 + i, x, y);
    Draw(ShopSprite((p.upgrades & kUpgradeOfCell[i]) ? 1 : 0), x, y, display);
    Draw(ShopSprite(ShopCellIcon(12 + i)), x, y, display);
  }
  Draw(ShopSprite(0), 270, 290, display);
  PrintGlow(278, 308, ShopCellName(kShopExitCell), kFontSmall);
  CellPosition(gShop.cursor, x, y);
  Draw(ShopSprite(2), x, y, display);

  DrawStatsPanel(450);
  Print(2, 2, "MAFA3NH", 0, kFontBig);
  Print(5, 360, ShopCellName(gShop.cursor), 0, kFontSmall);
  if (gShop.cursor != kShopExitCell) {
    char price[16];
    std::snprintf(price, sizeof price, "$%d", kPrices[gShop.cursor]);
    PrintGlowRight(355, 360, price, kFontSmall);
  }
  for (int line = 0; line < kShopDescriptionLines; ++line)
    PrintGlowBright(5, 390 + 20 * line, kShopDescriptions[gShop.cursor][line], -4, kFontSmall);
}

void DrawStatsPanel(int32_t x) {
  Display* display = ShopDisplay();
  if (!display) return;
  const PlayerRecord& p = Player();
  const int32_t b = x - 80;
  ++gShop.panelFrame;

  DrawGlow(ShopSprite(21), x, 250, display, 0);
  Draw(ShopSprite(1), b, 50, display);
  Draw(ShopSprite(LevelIcon(0, p.armourLevel)), b, 50, display);
  PanelText(x - 20, 70, LevelName(0, p.armourLevel));
  for (int i = 0; i < 3; ++i) {
    if ((p.upgrades & kUpgradeOfCell[i]) == 0) continue;
    Draw(ShopSprite(1), b, 106 + 56 * i, display);
    Draw(ShopSprite(kUpgradeIcons[i]), b, 106 + 56 * i, display);
    PanelText(x - 20, 126 + 56 * i, kUpgradeNames[i]);
  }
  Draw(ShopSprite(1), b, 274, display);
  if (PlayerHasAllPieces()) {
    Draw(ShopSprite(23), b, 274, display);
    PanelText(x - 20, 294, "APMAFEDD0H CBD");
  } else {
    Draw(ShopSprite(LevelIcon(1, p.damageLevel)), b, 274, display);
    PanelText(x - 20, 294, LevelName(1, p.damageLevel));
  }
  Draw(ShopSprite(1), b, 330, display);
  Draw(ShopSprite(LevelIcon(2, p.speedLevel)), b, 330, display);
  PanelText(x - 20, 350, LevelName(2, p.speedLevel));

  char line[4][40];
  std::snprintf(line[0], sizeof line[0], "GN3Hb:%03d/%03d", p.life, p.lifeMax);
  std::snprintf(line[1], sizeof line[1], "MAHA:%03d/%03d", p.mana, p.manaMax);
  std::snprintf(line[2], sizeof line[2], "0LbIT:%04d/%04d", p.experience, p.experienceNeeded);
  std::snprintf(line[3], sizeof line[3], "DEHbFN: $%d", p.money);
  for (int i = 0; i < 4; ++i) PanelText(x - 80, 384 + 20 * i, line[i]);

  // The sword's holder, and the pieces found so far bobbing in it.
  Draw(StatusSprite(67), x + 175, 476, display);
  const int32_t c = static_cast<int32_t>(gShop.panelFrame);
  const int32_t bob = std::abs((c / 2) % 32 - 16) - 8;
  for (int piece = 0; piece < 4; ++piece) {
    if (PlayerHasPiece(piece))
      Draw(StatusSprite(kPieceSprites[piece]), x + 175, 476 + bob, display);
  }
}

}  // namespace torvel
