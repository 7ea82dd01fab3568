// Items: the things lying on map tiles (power-ups, money, keys, the map's
// collectibles, armour pieces, locked doors, torches, decorations), their
// looks and classes, the item sprite set and the clock that animates them.
//
// An item is a number 1-82 in a tile's item byte; 0 is none. What happens
// when the hero takes one is the player's rule; here are only its looks and
// what kind of thing it is.
#pragma once

#include <cstdint>

namespace torvel {

class Display;
struct Sprite;

// Loads "graphics\items.vsp" and sets the item clock to 0. An unreadable set
// leaves items drawing nothing.
bool LoadItems();
void FreeItems();
// Once per game tick; the clock wraps at 256. The editor does not tick it.
void TickItems();
uint8_t ItemClock();
void SetItemClock(uint8_t clock);

// How an item is drawn in play at a clock value and tile light.
struct ItemLook {
  bool drawn = false;    // numbers not in the table draw nothing
  int sprite = 0;        // index in the item set
  int height = 0;        // pixels above the ground
  int bright = 0;        // shade offset
  uint8_t colour = 255;  // colour ramp to recolour into, 255 its own colours
  bool ghost = false;
  bool shadow = false;  // a shadow of the same sprite lies on the ground
  int offsetX = 0;      // from the tile centre (the locked doors sit low left)
  int offsetY = 0;
};
ItemLook LookOfItem(uint8_t item, uint8_t clock, int light);

// The editor's icon: a sprite, or a text for the two skull doors.
struct ItemIcon {
  bool drawn = false;
  int sprite = 0;
  const char* text = nullptr;
  int offsetX = 0;
  int offsetY = 0;
};
ItemIcon IconOfItem(uint8_t item);

// Queues the item for this frame at world (x, y), the tile centre, lit by l.
void DrawItem(int32_t x, int32_t y, uint8_t item, int l);
// Draws the editor icon straight onto the display at screen (x, y).
void DrawItemIcon(int32_t x, int32_t y, uint8_t item, int8_t bright, Display* display);
// A sprite of the item set (coins fly with these), or null.
const Sprite* GetItemSprite(int index);
// The marker over a completed map's exit, unshaded, at screen (x, y).
void DrawExitMarker(int32_t x, int32_t y, Display* display);

// Classes by number.
constexpr uint8_t kItemCollectible = 11;
// 1-49: walked over; the hero's touch offers it as a power-up.
constexpr bool ItemIsPickup(uint8_t item) {
  return item >= 1 && item <= 49;
}
// 50 and up: stops walking guys.
constexpr bool ItemBlocksWalkers(uint8_t item) {
  return item >= 50;
}
// 69 and up: stops flying guys too, and light and bullets.
constexpr bool ItemBlocksAll(uint8_t item) {
  return item >= 69;
}
constexpr bool ItemBlocksLight(uint8_t item) {
  return ItemBlocksAll(item);
}
// 71-78: locked doors.
constexpr bool IsLockedDoor(uint8_t item) {
  return item >= 71 && item <= 78;
}
// The key a locked door takes: 0 an ordinary key, 1-3 the special keys.
constexpr int DoorKey(uint8_t item) {
  return (item - 71) % 4;
}
// 81 and 82 burn and give off sparks.
constexpr bool IsTorch(uint8_t item) {
  return item == 81 || item == 82;
}

}  // namespace torvel
