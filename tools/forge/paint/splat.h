// A tiny point-splatting renderer for the forge's small 3-D objects: spinning
// coins and runes, turning swords and scrolls, bolts pointing in 16
// directions. Surfaces are sampled densely (several points per pixel),
// turned, projected straight onto the canvas (x right, y down, z toward the
// viewer) and kept where nearest; each point is lit as it faces after the
// turn, so the light stays in the upper left whichever way the object points.
#pragma once

#include <functional>
#include <vector>

#include "forge/paint/shade_image.h"

namespace torvel::forge {

struct Mat3 {
  double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  Vec3 operator*(Vec3 v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
  }
  Mat3 operator*(const Mat3& o) const;
};
// Turns about the vertical axis (a spin seen from the front), about the
// horizontal axis (tips the top toward the viewer) and in the picture plane
// (clockwise on screen).
Mat3 TurnY(double angle);
Mat3 TurnX(double angle);
Mat3 TurnZ(double angle);

// What a surface point looks like, in the object's own coordinates: a
// decal may change the ramp and move the shade (engravings, runes, labels).
struct Decal {
  int ramp = -1;      // -1 keeps the material's ramp
  double bias = 0;    // shades added after lighting
  double lift = 0;    // tilts the normal as if the surface were raised here
  bool hole = false;  // not drawn at all
};
using DecalFn = std::function<Decal(Vec3 objectPos)>;

class Splatter {
 public:
  // origin: where the object's (0, 0, 0) lands on the canvas.
  Splatter(ShadeImage& img, Vec2 origin, const Mat3& turn, double step = 0.3);

  // One surface point with its outward normal, in object space.
  void Point(Vec3 p, Vec3 n, const Material& m, const Decal& d = {});

  // A solid of revolution about the object's y axis: radius(y) for y in
  // y0..y1, closed by flat caps where the radius is not 0.
  void Lathe(const std::function<double(double y)>& radius, double y0, double y1, const Material& m,
             const DecalFn& decal = nullptr);
  void Ellipsoid(Vec3 centre, Vec3 radii, const Material& m, const DecalFn& decal = nullptr);
  // A round tube from a to b, radius ra to rb, with round ends.
  void Tube(Vec3 a, Vec3 b, double ra, double rb, const Material& m,
            const DecalFn& decal = nullptr);
  // A flat plate in the object's x-y plane, thickness along z, whose outline
  // is where inside(x, y) holds within the box (x0, y0)-(x1, y1). bevel
  // rounds its rims over that many pixels.
  void Slab(const std::function<bool(double x, double y)>& inside, double x0, double y0, double x1,
            double y1, double thickness, double bevel, const Material& m,
            const DecalFn& decal = nullptr);
  // A cut stone: an ellipsoid whose normals are snapped to `sides` facets
  // around and three bands from crown to point, so it glints facet by facet.
  void Gem(Vec3 centre, Vec3 radii, int sides, const Material& m, const DecalFn& decal = nullptr);
  // An axis-aligned box (centre, half sizes).
  void Box(Vec3 centre, Vec3 half, const Material& m, const DecalFn& decal = nullptr);

  // Lit shade of the nearest point at a canvas pixel was written straight to
  // the image; the depth buffer is kept here for further splats.
 private:
  ShadeImage& img_;
  Vec2 origin_;
  Mat3 turn_;
  double step_;
  std::vector<float> depth_;
};

}  // namespace torvel::forge
