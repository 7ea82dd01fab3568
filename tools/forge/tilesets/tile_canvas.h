// A tileset being painted: the 640 x 480 picture and helpers that paint one
// tile at a time in the tile's own coordinates (x 0..32, y 0..24).
#pragma once

#include <functional>
#include <vector>

#include "forge/paint/shade_image.h"
#include "forge/tilesets/tile_materials.h"

namespace torvel::forge {

using Surface = std::function<Px(double x, double y)>;
using TilePainter = std::function<bool(double x, double y, Px& px)>;

class TilesetCanvas {
 public:
  TilesetCanvas() : img_(640, 480) {}

  // Fills a tile with a surface (pixel centres).
  void Fill(int tile, const Surface& surface);
  // Paints over a tile where the painter says so.
  void Over(int tile, const TilePainter& painter);
  // A pixel of a tile, tile coordinates (no effect outside the tile).
  void Set(int tile, int x, int y, Px px);
  bool Painted(int tile, int x, int y) const;
  Px Get(int tile, int x, int y) const;
  // Copies one tile onto another.
  void Copy(int from, int to);

  // Small things painted onto a tile (tile coordinates).
  void Pebble(int tile, double cx, double cy, double r, int ramp, double lit);
  void Tuft(int tile, double x, double footY, double height, int ramp, double lit);
  void Crack(int tile, Vec2 a, Vec2 b, uint32_t seed, double shade);

  // The picture in palette values. Unpainted pixels are 0 (the holes of
  // see-through roofs); painted ones never are.
  std::vector<uint8_t> Pixels(double dither) const;

 private:
  ShadeImage img_;
};

// Where tile n's top-left pixel is.
inline int TileX(int tile) {
  return 32 * (tile % 20);
}
inline int TileY(int tile) {
  return 24 * (tile / 20);
}

// A bump along a side of length len that is 0 at both ends (so pieces meet
// at the corners), between -1 and 1.
double SideBump(double t, double len, uint32_t seed);

}  // namespace torvel::forge
