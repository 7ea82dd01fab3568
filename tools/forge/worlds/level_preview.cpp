#include "forge/worlds/level_preview.h"

#include <algorithm>
#include <cstdlib>

#include "forge/palette.h"
#include "forge/preview.h"
#include "world/items.h"

namespace torvel::forge {

namespace {

constexpr int kStrip = 9;      // label strip above the map
constexpr int kDarkest = -12;  // dark maps still read in the preview

struct Canvas {
  MapPreview& p;
  void Set(int x, int y, uint8_t v) {
    if (x >= 0 && y >= 0 && x < p.width && y < p.height)
      p.pixels[static_cast<size_t>(y) * p.width + x] = v;
  }
  void Box(int x0, int y0, int x1, int y1, uint8_t v) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) Set(x, y, v);
  }
  void Frame(int x0, int y0, int x1, int y1, uint8_t v) {
    for (int x = x0; x <= x1; ++x) Set(x, y0, v), Set(x, y1, v);
    for (int y = y0; y <= y1; ++y) Set(x0, y, v), Set(x1, y, v);
  }
  void Line(int x0, int y0, int x1, int y1, uint8_t v) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    for (;;) {
      // Every other pixel, so the ground shows through the line.
      if (((x0 + y0) & 1) == 0) Set(x0, y0, v);
      if (x0 == x1 && y0 == y1) break;
      int e2 = 2 * err;
      if (e2 >= dy) err += dy, x0 += sx;
      if (e2 <= dx) err += dx, y0 += sy;
    }
  }
};

uint8_t Lit(uint8_t v, int light) {
  if (v == 0) return 0;
  return Shade(RampOf(v), ShadeOf(v) + std::max(light, kDarkest));
}

// Items by what they mean to a player.
uint8_t ItemMark(uint8_t item) {
  if (item == 1 || item == 2 || item == 3 || item == 4) return Shade(kViolet, 24);
  if (item == 5 || item == 20) return Shade(kViolet, 31);
  if (item == 6) return Shade(kRed, 26);
  if (item == 7) return Shade(kBlue, 28);
  if (item == 8 || item == 9) return Shade(kGold, 26);
  if (item == 11) return Shade(kIce, 30);
  if (item >= 12 && item <= 15) return Shade(kGrey, 31);
  if (item >= 16 && item <= 19) return Shade(kGold, 31);
  if (IsLockedDoor(item)) return Shade(kGold, 16);
  if (IsTorch(item)) return Shade(kRed, 31);
  if (item == 69 || item == 80) return Shade(kGrey, 26);
  if (ItemBlocksAll(item)) return Shade(kBrown, 8);
  if (ItemBlocksWalkers(item)) return Shade(kBrown, 16);
  return Shade(kGreen, 26);
}

}  // namespace

MapPreview RenderMapPreview(const Map& map, const WorldTileset& tileset, const std::string& label) {
  MapPreview p;
  const int shrink = map.width <= 20 ? 2 : 4;
  const int tw = 32 / shrink, th = 24 / shrink;
  p.width = map.width * tw;
  p.height = kStrip + map.height * th;
  p.pixels.assign(static_cast<size_t>(p.width) * p.height, Shade(kGrey, 3));
  Canvas c{p};
  DrawPreviewLabel(p.pixels, p.width, p.height, 2, 2, label, Shade(kGrey, 30));
  const bool havePicture = tileset.picture.size() == 640u * 480u;

  for (int ty = 0; ty < map.height; ++ty) {
    for (int tx = 0; tx < map.width; ++tx) {
      const Tile& t = MapTile(map, tx, ty);
      const int x0 = tx * tw, y0 = kStrip + ty * th;
      // From above a wall shows its roof, which its floor byte holds.
      const int image = t.floor;
      for (int py = 0; py < th; ++py) {
        for (int px = 0; px < tw; ++px) {
          uint8_t v = Shade(kGrey, 10);
          if (havePicture) {
            const int sx = (image % 20) * 32 + px * shrink, sy = (image / 20) * 24 + py * shrink;
            v = tileset.picture[static_cast<size_t>(sy) * 640 + sx];
          }
          c.Set(x0 + px, y0 + py, Lit(v, t.light));
        }
      }
      if (t.wall) {
        auto open = [&](int x, int y) { return OnMap(map, x, y) && MapTile(map, x, y).wall == 0; };
        if (open(tx - 1, ty)) c.Box(x0, y0, x0, y0 + th - 1, 0);
        if (open(tx + 1, ty)) c.Box(x0 + tw - 1, y0, x0 + tw - 1, y0 + th - 1, 0);
        if (open(tx, ty - 1)) c.Box(x0, y0, x0 + tw - 1, y0, 0);
        if (open(tx, ty + 1)) c.Box(x0, y0 + th - 1, x0 + tw - 1, y0 + th - 1, 0);
      }
    }
  }
  const int mark = std::max(1, tw / 4);
  for (int ty = 0; ty < map.height; ++ty) {
    for (int tx = 0; tx < map.width; ++tx) {
      const uint8_t item = MapTile(map, tx, ty).item;
      if (!item) continue;
      const int cx = tx * tw + tw / 2, cy = kStrip + ty * th + th / 2;
      if (IsLockedDoor(item)) {
        c.Box(tx * tw + 1, cy - 1, tx * tw + tw - 2, cy, ItemMark(item));
      } else {
        c.Box(cx - mark, cy - mark, cx + mark - 1, cy + mark - 1, 0);
        c.Box(cx - mark + 1, cy - mark + 1, cx + mark - 2, cy + mark - 2, ItemMark(item));
        if (mark == 1) c.Set(cx, cy, ItemMark(item));
      }
    }
  }
  for (const Special& s : map.specials) {
    if (!s.trigger) continue;
    const int x0 = s.x * tw, y0 = kStrip + s.y * th;
    c.Frame(x0, y0, x0 + tw - 1, y0 + th - 1, Shade(kViolet, 28));
    const bool targeted = s.effect >= 1 && s.effect <= 6;
    if (targeted && (s.targetX != s.x || s.targetY != s.y)) {
      const int tx0 = s.targetX * tw, ty0 = kStrip + s.targetY * th;
      c.Line(x0 + tw / 2, y0 + th / 2, tx0 + tw / 2, ty0 + th / 2, Shade(kViolet, 28));
      c.Frame(tx0 + 1, ty0 + 1, tx0 + tw - 2, ty0 + th - 2, Shade(kViolet, 20));
    }
  }
  for (const MonsterStart& m : map.monsters) {
    if (!m.kind) continue;
    const int cx = m.x * tw + tw / 2, cy = kStrip + m.y * th + th / 2;
    const int r = mark + 1;
    const uint8_t body =
        m.kind == 1 ? Shade(kGrey, 31) : (m.kind == 11 ? Shade(kGreen, 28) : Shade(kRed, 24));
    c.Box(cx - r, cy - r, cx + r - 1, cy + r - 1, 0);
    c.Box(cx - r + 1, cy - r + 1, cx + r - 2, cy + r - 2, body);
  }
  return p;
}

}  // namespace torvel::forge
