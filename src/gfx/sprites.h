// Sprite sets (".vsp" files) and the six ways of drawing a sprite.
//
// A sprite is a run-length-encoded 8-bit image: rows top to bottom, each row a
// sequence of run bytes adding up to exactly the sprite's width. A run byte
// with bit 7 set skips (byte & 127) transparent pixels; one with bit 7 clear is
// followed by that many opaque pixel values, drawn as they are (0 included).
//
// File layout, little-endian: u16 count; count records of 16 bytes (u16 width,
// u16 height, s16 ofsX, s16 ofsY, u32 size, u32 unused); then each sprite's
// size bytes of run data in record order. The hot spot (ofsX, ofsY) is where a
// sprite is anchored: its left edge is drawn at x - ofsX, its top at y - ofsY.
//
// Every sprite is checked once when its set loads: a sprite whose runs do not
// add up to its width on every row, or whose data end early, makes the whole
// set refuse to load, so drawing never has to doubt its data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace torvel {

class Display;

struct Sprite {
  uint16_t width = 0;
  uint16_t height = 0;
  int16_t ofsX = 0;
  int16_t ofsY = 0;
  std::vector<uint8_t> data;  // the run bytes; its length is the record's size
};

class SpriteSet {
 public:
  SpriteSet() = default;
  // Loads the set at once; an unreadable file leaves it empty.
  explicit SpriteSet(const char* name);
  SpriteSet(const SpriteSet&) = delete;
  SpriteSet& operator=(const SpriteSet&) = delete;
  SpriteSet(SpriteSet&&) = default;
  SpriteSet& operator=(SpriteSet&&) = default;

  // Frees what the set held, then reads a set from the game folder
  // ("graphics\\items.vsp"). False for a missing, short or malformed file;
  // the set is then empty.
  bool Load(const char* name);
  // The same from a host path, and from bytes in memory.
  bool LoadFile(const std::string& hostPath);
  bool LoadBytes(const uint8_t* bytes, size_t size);
  // Frees every sprite; the set may be loaded again.
  void Free();

  // The sprite at index, or null when the set is not loaded, the index is
  // outside 0..count-1 or the slot is empty.
  const Sprite* GetSprite(int index) const;
  uint16_t Count() const { return count; }

  // Builders (the forge): appends a copy of a sprite. False when the sprite's
  // runs do not fit its size or the set already holds 65535 sprites.
  bool Add(const Sprite& sprite);
  // The file bytes of the set, and the same written atomically to a host path.
  std::vector<uint8_t> Encode() const;
  bool Save(const std::string& hostPath) const;

 private:
  uint16_t count = 0;
  std::vector<std::unique_ptr<Sprite>> sprites;
};

// True when data holds, for each of height rows, runs adding up to exactly
// width pixels, and every literal run's pixels are present.
bool SpriteRunsValid(const uint8_t* data, size_t size, int width, int height);

// Encodes an 8-bit image (rows of pitch bytes) into a sprite: pixels equal to
// transparent become skip runs, the others literal runs; runs are at most 127
// pixels either way. A row that ends in transparent pixels still ends with a
// skip run, so that every row adds up to the width.
Sprite EncodeSprite(const uint8_t* pixels, int width, int height, int pitch, uint8_t transparent,
                    int16_t ofsX, int16_t ofsY);
// The file bytes of a set holding these sprites (the unused record field is
// written as 0), and the same written atomically to a host path.
std::vector<uint8_t> EncodeSpriteSet(const std::vector<Sprite>& sprites);
bool WriteSpriteSet(const std::string& hostPath, const std::vector<Sprite>& sprites);

// Unpacks a sprite into width * height pixels, transparent ones set to
// background; false (and nothing unpacked) for malformed runs.
bool UnpackSprite(const Sprite& sprite, uint8_t background, std::vector<uint8_t>& pixels);

// The drawing modes. x, y is the hot spot in screen pixels; a null sprite or
// display draws nothing, and nothing is ever written outside the screen.
// Plain copy.
void Draw(const Sprite* sprite, int32_t x, int32_t y, Display* display);
// Every shade moved by bright within its ramp; bright 0 is a plain copy.
void DrawBright(const Sprite* sprite, int32_t x, int32_t y, Display* display, int8_t bright);
// Recoloured into ramp colour (0..7) keeping the shades, then brightened.
void DrawColored(const Sprite* sprite, int32_t x, int32_t y, Display* display, uint8_t colour,
                 int8_t bright);
// Ramp-0 pixels add their shade as light to what is underneath; the others
// are drawn as DrawBright.
void DrawGlow(const Sprite* sprite, int32_t x, int32_t y, Display* display, int8_t bright);
// The sprite's ramp over the background's lightness.
void DrawGhost(const Sprite* sprite, int32_t x, int32_t y, Display* display, int8_t bright);
// The sprite's shape squashed to half height and leaning left, darkening the
// ground by 4 shades.
void DrawShadow(const Sprite* sprite, int32_t x, int32_t y, Display* display);

}  // namespace torvel
