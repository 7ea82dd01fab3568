// A small ray caster that draws creatures from simple solid parts: ellipsoids,
// tapered capsules, cylinders, boxes and flat rings, lit from the upper left
// and seen from the game's three-quarter view above the south, then quantised
// into palette ramps with a dark outline.
//
// World axes: x east, y south (toward the viewer), z up; one unit is one
// screen pixel across. A creature is built in its own frame (x forward,
// y to its right, z up) and turned to its facing by the scene's transform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "forge/sprite_image.h"

namespace torvel::forge::creatures {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(Vec3 a) {
  return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(Vec3 a, double s) {
  return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 operator*(double s, Vec3 a) {
  return a * s;
}
inline double Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Vec3 a);
Vec3 Normalize(Vec3 a);
Vec3 Lerp(Vec3 a, Vec3 b, double t);

// A rotation: the columns are where the local x, y and z axes point.
struct Mat3 {
  Vec3 cx{1, 0, 0}, cy{0, 1, 0}, cz{0, 0, 1};
  Vec3 operator*(Vec3 v) const { return cx * v.x + cy * v.y + cz * v.z; }
  Mat3 operator*(const Mat3& m) const { return {*this * m.cx, *this * m.cy, *this * m.cz}; }
  Mat3 Transposed() const;
};

// Turns about the local axes by radians (right-handed: RotZ turns x toward y,
// which in the world is clockwise on screen since y points south).
Mat3 RotX(double a);
Mat3 RotY(double a);
Mat3 RotZ(double a);
// A frame whose x axis points along dir, with z kept as close to up as it can.
Mat3 AlongX(Vec3 dir);

// How a part is coloured.
struct Material {
  int ramp = 0;
  int dark = 5;       // shade where it faces away from the light
  int light = 24;     // shade where it faces the light
  double gloss = 0;   // strength of a highlight, in shades
  bool glow = false;  // drawn as light: ramp-0 values that the glow mode adds
  bool flat = false;  // unlit: the light shade throughout (eyes, embers)
  bool noOutline = false;
  // Optional banding along a local axis of the part: every `period` units a
  // band `width` long is shifted by `bandShift` shades (or into `bandRamp`).
  Vec3 bandAxis{0, 0, 0};
  double bandPeriod = 0;
  double bandWidth = 0;
  double bandOffset = 0;
  int bandShift = 0;
  int bandRamp = -1;
  // Ribs instead: bandPeriod ribs round the part's local z axis, each
  // bandWidth (a fraction of a rib) shifted.
  bool bandAround = false;
};

Material Mat(int ramp, int dark, int light, double gloss = 0);
Material Glow(int dark, int light);
Material Flat(int ramp, int shade);
Material Banded(Material m, Vec3 axis, double period, double width, int shift, int ramp = -1,
                double offset = 0);
Material Ribbed(Material m, int ribs, double width, int shift);

enum class Shape : uint8_t { kEllipsoid, kRoundCone, kCylinder, kFrustum, kBox, kRing };

struct Part {
  Shape shape = Shape::kEllipsoid;
  Vec3 a, b;              // centre, or the two ends of a cone or cylinder
  Vec3 radii;             // ellipsoid radii; box half sizes; ring: inner, outer radius
  double ra = 0, rb = 0;  // cone end radii, cylinder radius
  Mat3 axes;              // ellipsoid, box and ring orientation
  Material mat;
  Vec3 boundCentre;
  double boundRadius = 0;
};

// The view: elevation of the line of sight above the ground.
struct View {
  double elevation = 0.70;  // radians
  int supersample = 3;      // samples per pixel side
  double clipBelow = -1e9;  // nothing below this height is drawn (waterlines)
  int outlineShade = 2;
  int edgeDarken = 4;      // shades lost where a part passes behind another
  double edgeDepth = 3.0;  // depth jump that counts as passing behind
};

// The parts of one posed creature, in world space.
class Scene {
 public:
  // Every part added after this is turned by rotation and moved by offset.
  void SetTransform(const Mat3& rotation, Vec3 offset);
  // Every size given after this is multiplied by scale (a creature drawn
  // bigger than its model); the offset of SetTransform is not.
  void SetScale(double scale) { scale_ = scale; }
  const Mat3& Rotation() const { return rotation_; }
  Vec3 ToWorld(Vec3 local) const { return rotation_ * (local * scale_) + offset_; }

  void Ellipsoid(Vec3 centre, Vec3 radii, const Material& m, const Mat3& axes = Mat3());
  void Sphere(Vec3 centre, double r, const Material& m);
  // A capsule from a (radius ra) to b (radius rb), its ends rounded.
  void Cone(Vec3 a, Vec3 b, double ra, double rb, const Material& m);
  void Capsule(Vec3 a, Vec3 b, double r, const Material& m) { Cone(a, b, r, r, m); }
  void Cylinder(Vec3 a, Vec3 b, double r, const Material& m);
  // A cone cut flat at both ends (skirts, hats, chimneys); rb may be 0.
  void Frustum(Vec3 a, Vec3 b, double ra, double rb, const Material& m);
  void Box(Vec3 centre, Vec3 half, const Material& m, const Mat3& axes = Mat3());
  // A flat ring (a disc when inner is 0) lying in the local xy plane of axes.
  void Ring(Vec3 centre, double inner, double outer, const Material& m, const Mat3& axes = Mat3());

  const std::vector<Part>& Parts() const { return parts_; }
  bool Empty() const { return parts_.empty(); }

 private:
  void Push(Part p);
  Mat3 rotation_;
  Vec3 offset_;
  double scale_ = 1;
  std::vector<Part> parts_;
};

// One ray against one part: the distance along the ray and the surface normal
// there, or false for a miss. Exposed for tests.
bool IntersectPart(const Part& part, Vec3 origin, Vec3 dir, double& t, Vec3& normal);

// Where the world point lands on screen, relative to the ground origin.
void ProjectToScreen(const View& view, Vec3 p, double& sx, double& sy);

// Draws the scene: the hot spot is the world origin (the ground under the
// creature), the image is cropped to what was drawn, and its height is even.
// An empty scene gives an empty image.
SpriteImage RenderScene(const Scene& scene, const View& view);

}  // namespace torvel::forge::creatures
