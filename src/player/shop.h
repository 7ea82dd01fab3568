// The shop: a full-screen picture with a 4 x 4 grid of goods (hats for
// armour, staffs for damage, boots for speed, three upgrades and the way
// out), bought with the player's money, and the stats panel at its right that
// the pause menu shows too.
#pragma once

#include <cstdint>

namespace torvel {

class Display;
struct Sprite;

// The shop's sprite set, loaded once at start-up and freed at the end.
bool LoadShopSprites();
void FreeShopSprites();
// A sprite of the set for other screens (the pause menu's panel), or null.
const Sprite* ShopSprite(int index);

// Plays the shop's song and puts up its picture, keeping a copy to draw on.
void OpenShop();
// One update step; true when the shop is to close (the way out or Escape).
bool StepShop(Display* display);
// Lets the picture go.
void CloseShop();
// The shop's frame: picture, goods, cursor, stats panel and the chosen
// cell's name, price and description.
void DrawShop();
// The stats panel with its left edge at x (the shop uses 450).
void DrawStatsPanel(int32_t x);

// The grid: cell 15 is the way out.
constexpr int kShopExitCell = 15;
// The cell under the cursor (0..15).
uint8_t ShopCursor();
void SetShopCursor(uint8_t cell);
// What a cell costs; 0 for the way out.
int32_t ShopPrice(int cell);
// Whether the player may buy the cell now (money aside).
bool ShopCellBuyable(int cell);

// Hats (row 0), staffs (row 1) and boots (row 2) by level 0..4 (levels past
// 4 look like 4): the shop sprite and the name the stats panel shows for
// what is owned.
int LevelIcon(int row, int level);
const char* LevelName(int row, int level);
// What a cell shows and is called: the cells of the first three rows show
// the level they sell, as the panel will once it is bought; -1 for the way
// out, which has no icon.
int ShopCellIcon(int cell);
const char* ShopCellName(int cell);

}  // namespace torvel
