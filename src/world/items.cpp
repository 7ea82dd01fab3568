#include "world/items.h"

#include <cstdlib>

#include "gfx/draw_list.h"
#include "gfx/font.h"
#include "gfx/sprites.h"

namespace torvel {

namespace {

struct ItemState {
  SpriteSet sprites;
  uint8_t clock = 0;
};

ItemState gItems;

// A pulse of 0..3..0 over eight ticks.
int Pulse(uint8_t c) {
  return std::abs((c & 7) - 3);
}

ItemLook Plain(int sprite, int light) {
  ItemLook look;
  look.drawn = true;
  look.sprite = sprite;
  look.bright = light;
  return look;
}

ItemLook WithShadow(int sprite, int light) {
  ItemLook look = Plain(sprite, light);
  look.shadow = true;
  return look;
}

// The small power-ups spin eight frames a tick, hovering over their shadow.
ItemLook Hovering(int firstSprite, uint8_t c, int light) {
  ItemLook look = WithShadow(firstSprite + (c & 7), light);
  look.ghost = true;
  look.height = 8;
  return look;
}

// The armour pieces turn through sixteen frames, pulsing.
ItemLook ArmourPiece(int firstSprite, uint8_t c, int light) {
  ItemLook look = WithShadow(firstSprite + (c & 15), light + Pulse(c) - 4);
  look.height = 8;
  return look;
}

}  // namespace

bool LoadItems() {
  gItems.clock = 0;
  return gItems.sprites.Load("graphics\\items.vsp");
}

void FreeItems() {
  gItems.sprites.Free();
}

void TickItems() {
  gItems.clock = static_cast<uint8_t>(gItems.clock + 1);
}
uint8_t ItemClock() {
  return gItems.clock;
}
void SetItemClock(uint8_t clock) {
  gItems.clock = clock;
}

ItemLook LookOfItem(uint8_t item, uint8_t c, int l) {
  switch (item) {
    case 1: {
      ItemLook look = Plain(0, l + Pulse(c));
      look.ghost = true;
      return look;
    }
    case 2:
      return Hovering(59, c, l);
    case 3:
      return Hovering(67, c, l);
    case 4:
      return Hovering(75, c, l);
    case 5: {
      ItemLook look = WithShadow(43 + ((c >> 1) & 15), l);
      look.height = 4;
      return look;
    }
    case 6:
      return Plain(156, (c & 7) == 0 ? l + 2 : l);
    case 7:
      return Plain(155, (c & 7) == 0 ? l + 2 : l);
    case 8:
      return Plain(159 + ((c >> 2) & 7), l);
    case 9:
      return Plain(147 + ((c >> 2) & 7), l);
    case 10:
      return Plain(34, l);
    case 11: {
      ItemLook look = Plain(7, l + Pulse(c) - 6);
      look.ghost = true;
      look.height = 6;
      return look;
    }
    case 12:
      return ArmourPiece(83, c, l);
    case 13:
      return ArmourPiece(99, c, l);
    case 14:
      return ArmourPiece(115, c, l);
    case 15:
      return ArmourPiece(131, c, l);
    case 16:
    case 17:
    case 18:
    case 19:
      return Plain(item + 1, l);
    case 20: {
      // The relic glows through all eight colour ramps, one per 32 ticks.
      ItemLook look = Plain(25, l + std::abs(16 - (c & 31)));
      look.colour = static_cast<uint8_t>((c >> 5) & 7);
      return look;
    }
    case 30:
      return Plain(32, l);
    case 31:
      return Plain(26, l);
    case 32:
      return Plain(42, l);
    case 50:
      return Plain(1, l);
    case 51:
      return Plain(27, l);
    case 52:
      return Plain(30, l);
    case 53:
      return Plain(31, l);
    case 54:
      return WithShadow(28, l);
    case 55:
      return WithShadow(36, l);
    case 56:
      return WithShadow(37, l);
    case 69:
      return WithShadow(39, l);
    case 70:
      return Plain(2, l);
    case 79:
      return WithShadow(29, l);
    case 80:
      return WithShadow(40, l);
    case 81:
      return WithShadow(157, l);
    case 82:
      return WithShadow(158, l);
    default:
      break;
  }
  if (IsLockedDoor(item)) {
    ItemLook look = Plain(item - 62, l);
    look.offsetX = -14;
    look.offsetY = 11;
    return look;
  }
  return ItemLook{};
}

ItemIcon IconOfItem(uint8_t item) {
  ItemIcon icon;
  if (item == 69 || item == 80) {
    icon.drawn = true;
    icon.text = item == 69 ? "SKLDOOR" : "SKLDOOR2";
    return icon;
  }
  static constexpr struct {
    uint8_t item;
    int sprite;
  } kIcons[] = {{2, 3}, {3, 4}, {4, 5}, {12, 24}, {13, 21}, {14, 22}, {15, 23}};
  for (const auto& entry : kIcons) {
    if (entry.item == item) {
      icon.drawn = true;
      icon.sprite = entry.sprite;
      return icon;
    }
  }
  // Everything else shows its first frame as drawn in play.
  ItemLook look = LookOfItem(item, 0, 0);
  if (!look.drawn) return icon;
  icon.drawn = true;
  icon.sprite = look.sprite;
  icon.offsetX = look.offsetX;
  icon.offsetY = look.offsetY;
  return icon;
}

void DrawItem(int32_t x, int32_t y, uint8_t item, int l) {
  ItemLook look = LookOfItem(item, gItems.clock, l);
  if (!look.drawn) return;
  const Sprite* sprite = gItems.sprites.GetSprite(look.sprite);
  x += look.offsetX;
  y += look.offsetY;
  uint8_t flags = kDrawVisible;
  if (look.ghost) flags |= kDrawGhost;
  AddToDrawList(x, y, look.height, look.colour, static_cast<int8_t>(look.bright), sprite, flags);
  if (look.shadow) AddToDrawList(x, y, 0, 255, 0, sprite, kDrawVisible | kDrawShadow);
}

void DrawItemIcon(int32_t x, int32_t y, uint8_t item, int8_t bright, Display* display) {
  ItemIcon icon = IconOfItem(item);
  if (!icon.drawn) return;
  if (icon.text) {
    Print(x, y, icon.text, 0, 2);
    return;
  }
  DrawBright(gItems.sprites.GetSprite(icon.sprite), x + icon.offsetX, y + icon.offsetY, display,
             bright);
}

const Sprite* GetItemSprite(int index) {
  return gItems.sprites.GetSprite(index);
}

void DrawExitMarker(int32_t x, int32_t y, Display* display) {
  Draw(gItems.sprites.GetSprite(8), x, y, display);
}

}  // namespace torvel
