// Painted backdrops for the movies: skies, stars and moon, hills, water and
// lava, trees, castles and caves. Everything is drawn straight into a
// picture in the game palette's ramps, with ordered dithering where a
// gradient would band; `frame` moves what moves (water, stars, clouds).
#pragma once

#include <cstdint>
#include <vector>

#include "forge/movie/picture.h"

namespace torvel::forge {

// Rows top..bottom shaded from shadeTop to shadeBottom in one ramp.
void Gradient(Picture& p, int top, int bottom, int ramp, double shadeTop, double shadeBottom);
// Rows top..bottom passing from one ramp to another: (rampTop, shadeTop) at
// the top, (rampBottom, shadeBottom) at the bottom, the hues mixed by an
// ordered pattern through the middle so no seam shows.
void SkyBlend(Picture& p, int top, int bottom, int rampTop, double shadeTop, int rampBottom,
              double shadeBottom);
// Twinkling stars above maxY, the brightest with a small cross.
void Stars(Picture& p, int count, int maxY, uint32_t seed, int frame);
// A full moon with its halo.
void Moon(Picture& p, double cx, double cy, double r);
// A low sun: a bright disc and a wide glow.
void Sun(Picture& p, double cx, double cy, double r, double glow);
// Soft clouds between top and bottom, worked out once over a strip twice
// the picture's width that wraps round, then drifted across frame by frame:
// they lighten (amount > 0) or darken the sky where they lie.
class Clouds {
 public:
  Clouds(int top, int bottom, double cover, uint32_t seed);
  void Draw(Picture& p, double amount, double speed, int frame) const;

 private:
  int top_, bottom_;
  std::vector<float> density_;  // kMovieWidth * 2 columns per row
};
// A ridge of land: its skyline wanders around baseY by amplitude, filled
// downward to the bottom in ramp, darker toward its foot. Painted once and
// stamped (with a lift for the light of the hour) as often as needed.
ShadeImage Ridge(double baseY, double amplitude, double wavelength, int ramp, double shadeTop,
                 double shadeBottom, uint32_t seed);
// Water between top and bottom: ripples running with the frames, bigger and
// quicker toward the viewer, with glints on their crests.
void Water(Picture& p, int top, int bottom, int ramp, double shade, int frame, double flow);
// Molten rock between top and bottom, churning.
void Lava(Picture& p, int top, int bottom, int frame);
// A dark conifer on the ground at (x, groundY).
void Conifer(Picture& p, double x, double groundY, double height, int ramp, double shade,
             uint32_t seed);
// A broad leafy tree.
void LeafyTree(Picture& p, double x, double groundY, double height, int ramp, double shade,
               uint32_t seed);
// A castle on the skyline: keep, towers and walls in silhouette, with
// windows lit when litWindows (a flicker per frame).
void Castle(Picture& p, double cx, double groundY, double scale, int ramp, double shade,
            bool litWindows, int frame);
// A cave's roof with its stalactites hanging to about roofY, and its rough
// floor from floorY down.
void CaveRoof(Picture& p, double roofY, uint32_t seed);
ShadeImage CaveFloor(double floorY, uint32_t seed);
// Reeds or grass tufts along a line, swaying with the frames.
void Reeds(Picture& p, double y, int count, double height, int ramp, uint32_t seed, int frame);
// A burning torch flame at (x, y), flickering.
void Torch(Picture& p, double x, double y, int frame);
// The four pieces of the great sword, each painted once upright on its own
// canvas (its foot at the bottom middle), with the point about which it
// turns as it flies: the middle of its stretch.
struct SwordPieces {
  ShadeImage image[4];
  Vec2 middle[4];
};
SwordPieces UprightSwordPieces(double scale);
// A bird far off: two wing strokes, beating with the frames.
void Bird(Picture& p, double x, double y, int frame);
// Tiny glowing motes drifting upward (fireflies, embers, sparks).
void Motes(Picture& p, int count, int ramp, uint32_t seed, int frame, int top, int bottom);

}  // namespace torvel::forge
