#include "gfx/sprites.h"

#include <algorithm>

#include "common/byte_io.h"
#include "gfx/display.h"
#include "gfx/ramp.h"
#include "platform/paths.h"

namespace torvel {

namespace {

constexpr size_t kRecordBytes = 16;
// The largest file a set may come from: 65535 records and room for big art.
constexpr size_t kMaxSetFile = 64u * 1024u * 1024u;

// The screen limits the drawing modes test the left and top edges against.
constexpr int64_t kLastColumn = 639;
constexpr int64_t kLastRow = 479;
// Shadows stop one column short of the right edge.
constexpr int64_t kShadowColumnEnd = 639;

// Reads one row's runs from src (moving it on) and hands each literal run to
// literal(column, pixels, n), the row's first pixel being at column cx. False
// when the data end early or the runs do not add up to exactly width.
template <typename Literal>
bool WalkRow(const uint8_t*& src, const uint8_t* end, int64_t width, int64_t cx, Literal literal) {
  int64_t done = 0;
  while (done < width) {
    if (src >= end) return false;
    const uint8_t run = *src++;
    const int64_t n = run & 127;
    if (!(run & 0x80)) {
      if (n > end - src) return false;
      literal(cx, src, n);
      src += n;
    }
    cx += n;
    done += n;
  }
  return done == width;
}

// The common walk: decodes the sprite's rows at screen position (left, top)
// and hands every visible opaque span to span(dst, src, count). Rows above the
// screen are decoded but not drawn so that later rows line up; pixels left of
// column 0 and from the row's end (the pitch) onward are skipped in the source.
template <typename Span>
void WalkSprite(const Sprite* sprite, int32_t x, int32_t y, Display* display, Span span) {
  if (!sprite || !display || !display->screen) return;
  const int64_t left = static_cast<int64_t>(x) - sprite->ofsX;
  const int64_t top = static_cast<int64_t>(y) - sprite->ofsY;
  if (left > kLastColumn || top > kLastRow) return;
  const int64_t screenHeight = display->height;
  const int64_t pitch = display->pitch;
  const int64_t width = sprite->width;
  int64_t rows = sprite->height;
  if (top > screenHeight - rows) rows = screenHeight - top;
  if (top + rows <= 0 || left + width <= 0) return;

  const uint8_t* src = sprite->data.data();
  const uint8_t* const end = src + sprite->data.size();
  for (int64_t r = 0; r < rows; ++r) {
    const int64_t screenY = top + r;
    uint8_t* row = screenY >= 0 ? display->screen + screenY * pitch : nullptr;
    const bool whole =
        WalkRow(src, end, width, left, [&](int64_t cx, const uint8_t* pixels, int64_t n) {
          if (!row) return;
          const int64_t from = std::max<int64_t>(cx, 0);
          const int64_t to = std::min<int64_t>(cx + n, pitch);
          if (from < to) span(row + from, pixels + (from - cx), static_cast<int>(to - from));
        });
    if (!whole) return;
  }
}

// Reads one set from bytes into sprites; false when anything is short or a
// sprite's runs do not add up.
bool ParseSet(const uint8_t* bytes, size_t size, std::vector<std::unique_ptr<Sprite>>& out,
              uint16_t& count) {
  ByteReader reader(bytes, size);
  const uint16_t n = reader.U16();
  if (!reader.ok()) return false;
  if (reader.Remaining() / kRecordBytes < n) return false;
  std::vector<std::unique_ptr<Sprite>> sprites;
  sprites.reserve(n);
  std::vector<uint32_t> sizes(n);
  for (uint16_t i = 0; i < n; ++i) {
    auto sprite = std::make_unique<Sprite>();
    sprite->width = reader.U16();
    sprite->height = reader.U16();
    sprite->ofsX = reader.I16();
    sprite->ofsY = reader.I16();
    sizes[i] = reader.U32();
    reader.U32();  // not interpreted
    sprites.push_back(std::move(sprite));
  }
  for (uint16_t i = 0; i < n; ++i) {
    Sprite& sprite = *sprites[i];
    if (sizes[i] > reader.Remaining()) return false;
    sprite.data.resize(sizes[i]);
    reader.Bytes(sprite.data.data(), sizes[i]);
    if (!SpriteRunsValid(sprite.data.data(), sprite.data.size(), sprite.width, sprite.height))
      return false;
  }
  if (!reader.ok()) return false;
  out = std::move(sprites);
  count = n;
  return true;
}

}  // namespace

bool SpriteRunsValid(const uint8_t* data, size_t size, int width, int height) {
  if (width < 0 || height < 0 || (!data && size > 0)) return false;
  const uint8_t* src = data;
  const uint8_t* const end = data + size;
  for (int r = 0; r < height; ++r) {
    if (!WalkRow(src, end, width, 0, [](int64_t, const uint8_t*, int64_t) {})) return false;
  }
  return true;
}

SpriteSet::SpriteSet(const char* name) {
  Load(name);
}

bool SpriteSet::Load(const char* name) {
  Free();
  if (!name) return false;
  return LoadFile(DataPath(name));
}

bool SpriteSet::LoadFile(const std::string& hostPath) {
  Free();
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(hostPath, bytes, kMaxSetFile)) return false;
  return LoadBytes(bytes.data(), bytes.size());
}

bool SpriteSet::LoadBytes(const uint8_t* bytes, size_t size) {
  Free();
  if (!bytes) return false;
  return ParseSet(bytes, size, sprites, count);
}

void SpriteSet::Free() {
  sprites.clear();
  sprites.shrink_to_fit();
  count = 0;
}

const Sprite* SpriteSet::GetSprite(int index) const {
  if (index < 0 || index >= count) return nullptr;
  return sprites[index].get();
}

bool SpriteSet::Add(const Sprite& sprite) {
  if (count == 0xFFFF) return false;
  if (!SpriteRunsValid(sprite.data.data(), sprite.data.size(), sprite.width, sprite.height))
    return false;
  sprites.push_back(std::make_unique<Sprite>(sprite));
  count = static_cast<uint16_t>(sprites.size());
  return true;
}

std::vector<uint8_t> SpriteSet::Encode() const {
  std::vector<Sprite> copy;
  copy.reserve(count);
  for (const auto& s : sprites) copy.push_back(*s);
  return EncodeSpriteSet(copy);
}

bool SpriteSet::Save(const std::string& hostPath) const {
  return WriteFileAtomic(hostPath, Encode());
}

Sprite EncodeSprite(const uint8_t* pixels, int width, int height, int pitch, uint8_t transparent,
                    int16_t ofsX, int16_t ofsY) {
  Sprite sprite;
  sprite.width = static_cast<uint16_t>(std::clamp(width, 0, 0xFFFF));
  sprite.height = static_cast<uint16_t>(std::clamp(height, 0, 0xFFFF));
  sprite.ofsX = ofsX;
  sprite.ofsY = ofsY;
  if (!pixels) {
    sprite.width = 0;
    sprite.height = 0;
    return sprite;
  }
  std::vector<uint8_t>& out = sprite.data;
  for (int y = 0; y < sprite.height; ++y) {
    const uint8_t* row = pixels + static_cast<size_t>(y) * pitch;
    int x = 0;
    while (x < sprite.width) {
      const bool clear = row[x] == transparent;
      int n = 1;
      while (x + n < sprite.width && n < 127 && (row[x + n] == transparent) == clear) ++n;
      if (clear) {
        out.push_back(static_cast<uint8_t>(0x80 | n));
      } else {
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), row + x, row + x + n);
      }
      x += n;
    }
  }
  return sprite;
}

std::vector<uint8_t> EncodeSpriteSet(const std::vector<Sprite>& sprites) {
  ByteWriter w;
  const size_t n = std::min<size_t>(sprites.size(), 0xFFFF);
  w.U16(static_cast<uint16_t>(n));
  for (size_t i = 0; i < n; ++i) {
    const Sprite& s = sprites[i];
    w.U16(s.width);
    w.U16(s.height);
    w.I16(s.ofsX);
    w.I16(s.ofsY);
    w.U32(static_cast<uint32_t>(s.data.size()));
    w.U32(0);
  }
  for (size_t i = 0; i < n; ++i) w.Bytes(sprites[i].data.data(), sprites[i].data.size());
  return std::move(w.bytes());
}

bool WriteSpriteSet(const std::string& hostPath, const std::vector<Sprite>& sprites) {
  return WriteFileAtomic(hostPath, EncodeSpriteSet(sprites));
}

bool UnpackSprite(const Sprite& sprite, uint8_t background, std::vector<uint8_t>& pixels) {
  if (!SpriteRunsValid(sprite.data.data(), sprite.data.size(), sprite.width, sprite.height))
    return false;
  pixels.assign(static_cast<size_t>(sprite.width) * sprite.height, background);
  const uint8_t* src = sprite.data.data();
  const uint8_t* const end = src + sprite.data.size();
  for (int y = 0; y < sprite.height; ++y) {
    uint8_t* row = pixels.data() + static_cast<size_t>(y) * sprite.width;
    WalkRow(src, end, sprite.width, 0, [row](int64_t x, const uint8_t* literal, int64_t n) {
      std::copy_n(literal, n, row + x);
    });
  }
  return true;
}

void Draw(const Sprite* sprite, int32_t x, int32_t y, Display* display) {
  WalkSprite(sprite, x, y, display,
             [](uint8_t* dst, const uint8_t* src, int n) { std::copy_n(src, n, dst); });
}

void DrawBright(const Sprite* sprite, int32_t x, int32_t y, Display* display, int8_t bright) {
  if (bright == 0) {
    Draw(sprite, x, y, display);
    return;
  }
  const uint8_t* lit = BrightenTable(bright);
  WalkSprite(sprite, x, y, display, [lit](uint8_t* dst, const uint8_t* src, int n) {
    for (int i = 0; i < n; ++i) dst[i] = lit[src[i]];
  });
}

void DrawColored(const Sprite* sprite, int32_t x, int32_t y, Display* display, uint8_t colour,
                 int8_t bright) {
  const int ramp = colour;
  const uint8_t* lit = BrightenTable(bright);
  WalkSprite(sprite, x, y, display, [ramp, lit](uint8_t* dst, const uint8_t* src, int n) {
    for (int i = 0; i < n; ++i) dst[i] = lit[Recolour(src[i], ramp)];
  });
}

void DrawGlow(const Sprite* sprite, int32_t x, int32_t y, Display* display, int8_t bright) {
  const uint8_t* lit = BrightenTable(bright);
  const uint8_t* light = BrightenTable(0);  // the tables for +1, +2, ... follow it
  WalkSprite(sprite, x, y, display, [lit, light](uint8_t* dst, const uint8_t* src, int n) {
    for (int i = 0; i < n; ++i) {
      const uint8_t s = src[i];
      // Ramp-0 pixels are light: they brighten what is underneath by their value.
      dst[i] = s < 32 ? light[s * 256 + dst[i]] : lit[s];
    }
  });
}

void DrawGhost(const Sprite* sprite, int32_t x, int32_t y, Display* display, int8_t bright) {
  const int b = bright;
  WalkSprite(sprite, x, y, display, [b](uint8_t* dst, const uint8_t* src, int n) {
    for (int i = 0; i < n; ++i) {
      dst[i] = static_cast<uint8_t>(RampBase(src[i]) |
                                    ClampShade(ShadeOf(dst[i]) + ShadeOf(src[i]) + b));
    }
  });
}

void DrawShadow(const Sprite* sprite, int32_t x, int32_t y, Display* display) {
  if (!sprite || !display || !display->screen) return;
  const int64_t h = sprite->height;
  // The shadow is the sprite squashed to half height; each row starts one
  // pixel further right than the row above, so it leans left going up, and
  // its last row starts one pixel left of the sprite's left edge.
  const int64_t left = static_cast<int64_t>(x) - sprite->ofsX - h / 2;
  const int64_t top = static_cast<int64_t>(y) - sprite->ofsY / 2;
  if (left > kLastColumn || top > kLastRow) return;
  const int64_t screenHeight = display->height;
  const int64_t pitch = display->pitch;
  const int64_t width = sprite->width;
  const int64_t rows = std::min<int64_t>(h / 2, screenHeight - top);
  if (rows <= 0 || top + rows <= 0) return;

  const uint8_t* src = sprite->data.data();
  const uint8_t* const end = src + sprite->data.size();
  // Every other source row is dropped: shadow row k is source row 2k.
  for (int64_t sourceRow = 0; sourceRow < 2 * rows; ++sourceRow) {
    const int64_t k = sourceRow / 2;
    const int64_t screenY = top + k;
    uint8_t* row =
        (sourceRow % 2 == 0 && screenY >= 0) ? display->screen + screenY * pitch : nullptr;
    const bool whole =
        WalkRow(src, end, width, left + k, [&](int64_t cx, const uint8_t*, int64_t n) {
          if (!row) return;
          const int64_t to = std::min<int64_t>(cx + n, kShadowColumnEnd);
          for (int64_t i = std::max<int64_t>(cx, 0); i < to; ++i) {
            const uint8_t d = row[i];
            row[i] = ShadeOf(d) >= 4 ? static_cast<uint8_t>(d - 4) : RampBase(d);
          }
        });
    if (!whole) return;
  }
}

}  // namespace torvel
