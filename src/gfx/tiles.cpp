#include "gfx/tiles.h"

#include <algorithm>
#include <cstring>

#include "common/byte_io.h"
#include "gfx/display.h"
#include "gfx/ramp.h"

namespace torvel {

namespace {

constexpr int kTileW = 32;
constexpr int kTileH = 24;
constexpr int kScreenW = 640;
constexpr int kScreenH = 480;
constexpr int kTilesPerRow = kScreenW / kTileW;
// Below this light a tile is simply black.
constexpr int kDarkestLight = -28;
// Tile columns from here on form the shaded right edge.
constexpr int kShadedEdgeColumn = 25;

struct TileState {
  Display* display = nullptr;
  uint8_t block[kTileBlockBytes] = {};
};
TileState gTiles;

// The part of a tile at (x, y) that lies on the screen.
struct TileClip {
  uint8_t* dst = nullptr;        // screen pixel of the first visible tile pixel
  const uint8_t* src = nullptr;  // first visible tile pixel
  int32_t pitch = 0;
  int srcX = 0;  // tile column of the first visible pixel
  int width = 0;
  int height = 0;
};

bool ClipTile(int32_t x, int32_t y, int t, TileClip& clip) {
  Display* display = gTiles.display;
  if (!display || !display->screen || t < 0 || t >= kTileCount) return false;
  int width = kTileW;
  int srcX = 0;
  if (x < 0) {
    width = x + kTileW;
    if (width < 1) return false;
    srcX = -x;
  } else if (x > kScreenW - kTileW) {
    if (x - (kScreenW - kTileW) >= kTileW) return false;
    width = kScreenW - x;
  }
  int height = kTileH;
  int srcY = 0;
  if (y < 0) {
    height = y + kTileH;
    if (height <= 0) return false;
    srcY = -y;
  } else if (y > kScreenH - kTileH) {
    if (y - (kScreenH - kTileH) >= kTileH) return false;
    height = kScreenH - y;
  }
  const int32_t left = std::max<int32_t>(x, 0);
  const int32_t top = std::max<int32_t>(y, 0);
  clip.pitch = display->pitch;
  clip.dst = display->screen + static_cast<size_t>(top) * clip.pitch + left;
  clip.src = gTiles.block + static_cast<size_t>(t) * kTilePixels + srcY * kTileW + srcX;
  clip.srcX = srcX;
  clip.width = width;
  clip.height = height;
  return true;
}

template <typename Row>
void ForEachRow(const TileClip& clip, Row row) {
  uint8_t* dst = clip.dst;
  const uint8_t* src = clip.src;
  for (int r = 0; r < clip.height; ++r) {
    row(dst, src);
    dst += clip.pitch;
    src += kTileW;
  }
}

}  // namespace

void SetTileDisplay(Display* display) {
  gTiles.display = display;
}

void ClearTiles() {
  std::memset(gTiles.block, 0, sizeof(gTiles.block));
}

uint8_t* TileBlock() {
  return gTiles.block;
}

const uint8_t* GetTile(int t) {
  if (t < 0 || t >= kTileCount) return nullptr;
  return gTiles.block + static_cast<size_t>(t) * kTilePixels;
}

void TilesFromPicture(const uint8_t* picture) {
  if (!picture) return;
  for (int n = 0; n < kTileCount; ++n) {
    const uint8_t* from =
        picture + (n / kTilesPerRow) * kTileH * kScreenW + (n % kTilesPerRow) * kTileW;
    uint8_t* to = gTiles.block + static_cast<size_t>(n) * kTilePixels;
    for (int r = 0; r < kTileH; ++r) std::memcpy(to + r * kTileW, from + r * kScreenW, kTileW);
  }
}

void WriteTiles(ByteWriter& writer) {
  writer.Bytes(gTiles.block, sizeof(gTiles.block));
}

bool ReadTiles(ByteReader& reader) {
  if (reader.Remaining() < sizeof(gTiles.block)) {
    reader.Skip(reader.Remaining() + 1);  // marks the reader failed
    return false;
  }
  return reader.Bytes(gTiles.block, sizeof(gTiles.block));
}

void DrawTile(int32_t x, int32_t y, int t) {
  TileClip clip;
  if (!ClipTile(x, y, t, clip)) return;
  ForEachRow(clip, [&](uint8_t* dst, const uint8_t* src) { std::memcpy(dst, src, clip.width); });
}

void DrawTileBright(int32_t x, int32_t y, int t, int8_t bright) {
  if (bright == 0) {
    DrawTile(x, y, t);
    return;
  }
  TileClip clip;
  if (!ClipTile(x, y, t, clip)) return;
  if (bright < kDarkestLight) {
    ForEachRow(clip, [&](uint8_t* dst, const uint8_t*) { std::memset(dst, 0, clip.width); });
    return;
  }
  const uint8_t* lit = BrightenTable(bright);
  ForEachRow(clip, [&](uint8_t* dst, const uint8_t* src) {
    for (int i = 0; i < clip.width; ++i) dst[i] = lit[src[i]];
  });
}

void DrawTileShaded(int32_t x, int32_t y, int t, int8_t bright) {
  TileClip clip;
  if (!ClipTile(x, y, t, clip)) return;
  const uint8_t* lit = BrightenTable(bright);
  const uint8_t* edge = BrightenTable(bright - 4);
  ForEachRow(clip, [&](uint8_t* dst, const uint8_t* src) {
    for (int i = 0; i < clip.width; ++i) {
      dst[i] = (clip.srcX + i >= kShadedEdgeColumn ? edge : lit)[src[i]];
    }
  });
}

void DrawTileMasked(int32_t x, int32_t y, int t, int8_t bright) {
  TileClip clip;
  if (!ClipTile(x, y, t, clip)) return;
  const uint8_t* lit = BrightenTable(bright);
  ForEachRow(clip, [&](uint8_t* dst, const uint8_t* src) {
    for (int i = 0; i < clip.width; ++i) {
      if (src[i] != 0) dst[i] = lit[src[i]];
    }
  });
}

void DrawWall(int32_t x, int32_t y, uint8_t wall, uint8_t roof, int8_t bright) {
  DrawTileBright(x, y, wall + kWallTileBase, bright);
  if (y > INT32_MIN + kTileH) DrawTileBright(x, y - kTileH, roof, bright);
}

void DrawWallMasked(int32_t x, int32_t y, uint8_t wall, uint8_t roof, int8_t bright) {
  DrawTileBright(x, y, wall + kWallTileBase, bright);
  if (y > INT32_MIN + kTileH) DrawTileMasked(x, y - kTileH, roof, bright);
}

}  // namespace torvel
