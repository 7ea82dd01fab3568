#include "gfx/draw_list.h"

#include <algorithm>

#include "actors/particles.h"
#include "common/trig.h"
#include "gfx/display.h"
#include "gfx/font.h"
#include "gfx/sprites.h"
#include "gfx/tiles.h"
#include "platform/random.h"
#include "world/map_render.h"
#include "world/world.h"

namespace torvel {

namespace {

constexpr int32_t kHalfScreenW = 320;
constexpr int32_t kHalfScreenH = 240;
// The camera looks this far ahead of the hero in the facing direction.
constexpr int32_t kLookAheadX = 80;
constexpr int32_t kLookAheadY = 60;
constexpr int32_t kDeadZone = 20;
// 216, not 240: one tile row above the map stays reachable, so wall tops on
// the first row can be seen.
constexpr int32_t kTopClamp = 216;
// Objects this far off the screen are still queued (big sprites reach in).
constexpr int64_t kQueueMargin = 300;
// Far enough off the screen that nothing drawn there can reach it.
constexpr int64_t kFar = 1 << 24;

struct CameraState {
  int32_t x = 0;
  int32_t y = 0;
  Fixed fixedX = 0;
  Fixed fixedY = 0;
  Fixed velocityX = 0;
  Fixed velocityY = 0;
  uint8_t shake = 0;
};

struct DrawListState {
  CameraState camera;
  DrawEntry entries[kDrawListSize];
  int32_t head = -1;
  // Entries are only ever freed all at once, so the first free one is always
  // the one after those in use.
  int32_t used = 0;
};
DrawListState gDraw;

// Velocity that closes the distance beyond the dead zone in 16 updates.
int32_t ChaseVelocity(int32_t camera, int32_t target, int32_t velocity) {
  if (camera > target + kDeadZone) {
    return static_cast<int32_t>(static_cast<int64_t>(target - camera + kDeadZone) * kFixedOne / 16);
  }
  if (camera < target - kDeadZone) {
    return static_cast<int32_t>(static_cast<int64_t>(target - camera - kDeadZone) * kFixedOne / 16);
  }
  return velocity;
}

Fixed ClampAxis(Fixed value, int64_t lowPixels, int64_t highPixels) {
  int64_t v = value;
  v = std::max<int64_t>(v, lowPixels * kFixedOne);
  v = std::min<int64_t>(v, highPixels * kFixedOne);  // the upper bound wins
  return static_cast<Fixed>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

bool AddEntry(int32_t x, int32_t y, int32_t z, uint8_t colour, int8_t bright, uintptr_t object,
              uint8_t flags) {
  const CameraState& cam = gDraw.camera;
  const int64_t sx = static_cast<int64_t>(x) - cam.x + kHalfScreenW;
  const int64_t sy = static_cast<int64_t>(y) - cam.y + kHalfScreenH;
  if (sx < -kQueueMargin || sx > 2 * kHalfScreenW + kQueueMargin) return true;
  if (sy < -kQueueMargin || sy > 2 * kHalfScreenH + kQueueMargin) return true;
  if (flags == 0) return true;  // would read as a free entry

  if (gDraw.used >= kDrawListSize) return false;
  const int32_t slot = gDraw.used++;

  DrawEntry& e = gDraw.entries[slot];
  e.x = x;
  e.y = y;
  e.z = z;
  e.colour = colour;
  e.bright = bright;
  e.object = object;
  e.flags = flags;
  e.prev = -1;
  e.next = -1;

  auto insertBefore = [&](int32_t at) {
    DrawEntry& after = gDraw.entries[at];
    e.next = at;
    e.prev = after.prev;
    if (after.prev >= 0) {
      gDraw.entries[after.prev].next = slot;
    } else {
      gDraw.head = slot;
    }
    after.prev = slot;
  };

  if (gDraw.head < 0) {
    gDraw.head = slot;
    return true;
  }
  // Shadows go to the very front: they lie under everything.
  if (flags & kDrawShadow) {
    insertBefore(gDraw.head);
    return true;
  }
  int32_t at = gDraw.head;
  int32_t last = -1;
  while (at >= 0) {
    const DrawEntry& other = gDraw.entries[at];
    if (!(other.flags & kDrawShadow) && (other.y > y || (other.y == y && other.z > z))) {
      insertBefore(at);
      return true;
    }
    last = at;
    at = other.next;
  }
  gDraw.entries[last].next = slot;
  e.prev = last;
  return true;
}

void DrawEntryOnScreen(const DrawEntry& e, int32_t left, int32_t top, Display* display) {
  // Entries were tested against the camera when queued; the clamp only keeps
  // a camera moved in between from overflowing the arithmetic.
  auto onScreen = [](int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, -kFar, kFar));
  };
  const int32_t sx = onScreen(int64_t{e.x} - left);
  const int32_t sy = onScreen(int64_t{e.y} - top);
  const int32_t lifted = onScreen(int64_t{e.y} - top - e.z);
  const uint8_t f = e.flags;
  const auto* sprite = reinterpret_cast<const Sprite*>(e.object);
  const uint8_t number = static_cast<uint8_t>(e.object & 0xFF);
  if ((f & kDrawWall) && (f & kDrawMasked)) {
    DrawWallMasked(sx, sy, number, e.colour, e.bright);
  } else if (f & kDrawWall) {
    DrawWall(sx, sy, number, e.colour, e.bright);
  } else if ((f & kDrawTile) && (f & kDrawMasked)) {
    DrawTileMasked(sx, sy - kTileHeight, e.colour, e.bright);
  } else if (f & kDrawTile) {
    DrawTileBright(sx, sy - kTileHeight, e.colour, e.bright);
  } else if (f & kDrawShadow) {
    DrawShadow(sprite, sx, lifted, display);
  } else if (f & kDrawParticle) {
    if (display && display->screen) {
      PlotDot(sx, lifted, display->screen, e.colour, static_cast<uint8_t>(e.bright));
    }
  } else if (f & kDrawGlow) {
    DrawGlow(sprite, sx, lifted, display, e.bright);
  } else if (f & kDrawGhost) {
    DrawGhost(sprite, sx, lifted, display, e.bright);
  } else if (e.colour == kOwnColours) {
    DrawBright(sprite, sx, lifted, display, e.bright);
  } else {
    DrawColored(sprite, sx, lifted, display, e.colour, e.bright);
  }
}

}  // namespace

void SetCamera(Fixed x, Fixed y) {
  CameraState& cam = gDraw.camera;
  cam.fixedX = x;
  cam.fixedY = y;
  cam.velocityX = 0;
  cam.velocityY = 0;
  cam.x = FixedToInt(x);
  cam.y = FixedToInt(y);
}

void GetCamera(int32_t& x, int32_t& y) {
  x = gDraw.camera.x;
  y = gDraw.camera.y;
}

void UpdateCamera(int32_t heroX, int32_t heroY, uint8_t angle, int32_t mapWidth,
                  int32_t mapHeight) {
  CameraState& cam = gDraw.camera;
  const int32_t tx = static_cast<int32_t>((static_cast<int64_t>(heroX) * kFixedOne +
                                           static_cast<int64_t>(kLookAheadX) * Cosine(angle)) >>
                                          16);
  const int32_t ty = static_cast<int32_t>(
      (static_cast<int64_t>(heroY) * kFixedOne + static_cast<int64_t>(kLookAheadY) * Sine(angle)) >>
      16);

  cam.fixedX = static_cast<Fixed>(static_cast<int64_t>(cam.fixedX) + cam.velocityX);
  cam.fixedY = static_cast<Fixed>(static_cast<int64_t>(cam.fixedY) + cam.velocityY);
  cam.fixedX = ClampAxis(cam.fixedX, kHalfScreenW,
                         static_cast<int64_t>(mapWidth) * kTileWidth - kHalfScreenW);
  cam.fixedY = ClampAxis(cam.fixedY, kTopClamp,
                         static_cast<int64_t>(mapHeight) * kTileHeight - kHalfScreenH);

  cam.velocityX = Dampen(ChaseVelocity(cam.x, tx, cam.velocityX), kFixedOne);
  cam.velocityY = Dampen(ChaseVelocity(cam.y, ty, cam.velocityY), kFixedOne);

  cam.x = FixedToInt(cam.fixedX);
  cam.y = FixedToInt(cam.fixedY);
}

void UpdateCamera(int32_t heroX, int32_t heroY, uint8_t angle, const Map* map) {
  if (map) UpdateCamera(heroX, heroY, angle, map->width, map->height);
}

void SetShake(uint8_t frames) {
  gDraw.camera.shake = frames;
}
uint8_t GetShake() {
  return gDraw.camera.shake;
}

bool AddToDrawList(int32_t x, int32_t y, int32_t z, uint8_t colour, int8_t bright,
                   const Sprite* sprite, uint8_t flags) {
  return AddEntry(x, y, z, colour, bright, reinterpret_cast<uintptr_t>(sprite), flags);
}

bool AddWall(int32_t x, int32_t y, uint8_t wall, uint8_t roof, int8_t bright, uint8_t flags) {
  return AddEntry(x, y, 0, roof, bright, wall, flags);
}

bool AddTile(int32_t x, int32_t y, uint8_t tile, int8_t bright, uint8_t flags) {
  return AddEntry(x, y, kTileHeight, tile, bright, 1, flags);
}

bool AddParticle(int32_t x, int32_t y, int32_t z, uint8_t colour, int8_t bright, uint8_t flags) {
  return AddEntry(x, y, z, colour, bright, 1, flags);
}

void ClearDrawList() {
  for (DrawEntry& e : gDraw.entries) {
    e.flags = 0;
    e.prev = -1;
    e.next = -1;
  }
  gDraw.head = -1;
  gDraw.used = 0;
}

std::vector<DrawEntry> DrawListInOrder() {
  std::vector<DrawEntry> out;
  for (int32_t at = gDraw.head; at >= 0 && out.size() < kDrawListSize;
       at = gDraw.entries[at].next) {
    out.push_back(gDraw.entries[at]);
  }
  return out;
}

void RenderWorld(Map* map, World* world, uint8_t renderFlags) {
  CameraState& cam = gDraw.camera;
  // Each frame is jolted from where the camera has settled, never from the
  // last jolt: frames drawn with no update between them (paused, in a
  // dialogue, or several frames to a step) would otherwise walk the view
  // away. The jolt moves only the whole-pixel view, until the next frame or
  // UpdateCamera.
  cam.x = FixedToInt(cam.fixedX);
  cam.y = FixedToInt(cam.fixedY);
  if (cam.shake > 0) {
    --cam.shake;
    cam.x -= 2 + JitterRandom(5);
    cam.y -= 2 + JitterRandom(5);
  }
  DrawMapLayer(map, world, cam.x, cam.y, renderFlags);

  Display* display = GraphicsDisplay();
  const int32_t left = cam.x - kHalfScreenW;
  const int32_t top = cam.y - kHalfScreenH;
  for (int32_t at = gDraw.head; at >= 0; at = gDraw.entries[at].next) {
    const DrawEntry& e = gDraw.entries[at];
    if (!(e.flags & kDrawVisible) || e.object == 0) continue;
    DrawEntryOnScreen(e, left, top, display);
  }
  ClearDrawList();
}

void ResetCamera() {
  gDraw.camera = CameraState{};
  ClearDrawList();
}

}  // namespace torvel
