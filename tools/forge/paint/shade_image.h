// The forge's painting canvas. Every pixel holds a palette ramp and a
// fractional shade (0 darkest .. 31 brightest), so shapes are shaded as
// smoothly as doubles allow and turned into palette values only at the end,
// with an ordered dither between neighbouring shades if wanted. Shapes are lit
// from the upper left and a little from the viewer, like all the game's art.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "forge/paint/paint_math.h"
#include "forge/sprite_image.h"

namespace torvel::forge {

class ShadeImage {
 public:
  ShadeImage() = default;
  ShadeImage(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  bool Painted(int x, int y) const { return Inside(x, y) && ramp_[Index(x, y)] >= 0; }
  int RampAt(int x, int y) const { return ramp_[Index(x, y)]; }
  double ShadeAt(int x, int y) const { return shade_[Index(x, y)]; }

  void Set(int x, int y, int ramp, double shade) {
    if (!Inside(x, y)) return;
    ramp_[Index(x, y)] = static_cast<int8_t>(ramp);
    shade_[Index(x, y)] = static_cast<float>(shade);
  }
  // Moves a painted pixel's shade; empty pixels stay empty.
  void AddShade(int x, int y, double delta) {
    if (Painted(x, y)) shade_[Index(x, y)] += static_cast<float>(delta);
  }
  void Erase(int x, int y) {
    if (Inside(x, y)) ramp_[Index(x, y)] = -1;
  }

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
  int width_ = 0, height_ = 0;
  std::vector<int8_t> ramp_;  // -1: nothing painted
  std::vector<float> shade_;
};

// How a surface takes the light.
struct Material {
  int ramp = 0;
  double dark = 3;        // shade facing away from the light
  double lit = 24;        // shade facing the light
  double ambient = 0.2;   // share of light that reaches every side
  double specular = 0;    // 0..1: strength of the glint
  int shininess = 16;     // the glint's tightness
  double glint = 30;      // shade of the glint's centre
  double grain = 0;       // shades of noise over the surface
  double grainScale = 3;  // pixels per grain cell
  uint32_t grainSeed = 1;
};

// The direction the light comes from: upper left, toward the viewer.
Vec3 LightDirection();
// Shade of a surface with the given (unit) normal; z points at the viewer.
double LightShade(const Material& m, Vec3 normal);
// The same with the material's grain added for the pixel (x, y).
double SurfaceShade(const Material& m, Vec3 normal, double x, double y);

// A paint callback: given a pixel centre, say whether it is covered and with
// what ramp and shade.
using PixelPainter = std::function<bool(double x, double y, int& ramp, double& shade)>;
// Runs the painter over the pixels of a rectangle (clipped to the image).
void Paint(ShadeImage& img, int x0, int y0, int x1, int y1, const PixelPainter& painter);

// Shapes. Coordinates are in pixels (a pixel's centre is x + 0.5).
void Ellipsoid(ShadeImage& img, double cx, double cy, double rx, double ry, const Material& m);
// A round tube from a to b whose radius runs from ra to rb, with round ends.
void Capsule(ShadeImage& img, Vec2 a, Vec2 b, double ra, double rb, const Material& m);
// A flat facet facing along normal.
void Polygon(ShadeImage& img, const std::vector<Vec2>& points, const Material& m, Vec3 normal);
// A polygon whose pixels are shaded by the callback (ramp stays the material's).
void PolygonShaded(ShadeImage& img, const std::vector<Vec2>& points, int ramp,
                   const std::function<double(double x, double y)>& shade);
// A solid block seen from above: its top (x, y, w, h) and its front face of
// height depth below it.
void Block(ShadeImage& img, double x, double y, double w, double h, double depth,
           const Material& m);
// A ring lying flat (facing the viewer) around (cx, cy): tube centre at
// radius r, tube half-thickness t; ry / rx squashes it into an ellipse.
void Torus(ShadeImage& img, double cx, double cy, double r, double t, double squash,
           const Material& m);
// A flat disc and a flat line of the given shade.
void Disc(ShadeImage& img, double cx, double cy, double r, int ramp, double shade);
void Line(ShadeImage& img, Vec2 a, Vec2 b, double width, int ramp, double shade);
// True when (x, y) lies inside the polygon (even-odd rule).
bool InsidePolygon(const std::vector<Vec2>& points, double x, double y);

// Finishing touches.
// A one-pixel border around everything painted, in the darkest shades of
// the ramp it touches.
void Outline(ShadeImage& img, double shade = 1);
// Brightens pixels whose upper-left side is open and darkens those whose
// lower-right side is open: a crisp rim that makes silhouettes read.
void RimLight(ShadeImage& img, double lighter, double darker);
// Copies src onto dst at (x, y); painted pixels only.
void Stamp(ShadeImage& dst, const ShadeImage& src, int x, int y);
ShadeImage MirrorX(const ShadeImage& img);

// Shrinks an image painted at `factor` times the size: an output pixel is
// painted when at least half its cell is, with the ramp most of the cell has
// and the mean shade of that ramp's pixels. Small icons painted large and
// shrunk keep their shapes cleaner than ones painted at size.
ShadeImage Downsample(const ShadeImage& img, int factor);

// Palette value of a shade at a pixel, with ordered dithering of the given
// strength (0 rounds, 1 spreads the fraction fully over a 4 x 4 pattern).
uint8_t QuantizeShade(int ramp, double shade, int x, int y, double dither);
// The whole image as palette values (unpainted pixels give 0).
std::vector<uint8_t> Quantize(const ShadeImage& img, double dither);
// The painted part as a sprite: cropped to what is painted, with the hot
// spot at image position (hotX, hotY). Nothing painted gives an empty sprite.
SpriteImage ToSprite(const ShadeImage& img, int hotX, int hotY, double dither = 0.5);

// The usual finish of a plain sprite: rim light, dark outline, quantised.
struct Finish {
  bool outline = true;
  double outlineShade = 1;
  double rimLighter = 2, rimDarker = 2;
  double dither = 0.5;

  // Outlined, without the rim light (art that carries its own bevel).
  static Finish Unrimmed(double dither) {
    Finish f;
    f.rimLighter = 0;
    f.rimDarker = 0;
    f.dither = dither;
    return f;
  }
  // Neither outline nor rim: ghost and glow art, panels, see-through parts.
  static Finish Soft(double dither) {
    Finish f = Unrimmed(dither);
    f.outline = false;
    return f;
  }
};
SpriteImage Finished(ShadeImage img, int hotX, int hotY, const Finish& finish = {});

}  // namespace torvel::forge
