// The creature renderer: ray tests of its solid parts against a plain
// inside-or-outside oracle, the frame-to-pose reading of the sequences, and
// what a drawn sprite looks like.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "actors/kinds.h"
#include "forge/creatures/creature_sets.h"
#include "forge/creatures/render3d.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {
namespace {

// A small deterministic generator for the test's rays.
struct Lcg {
  uint64_t state = 12345;
  double Next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state >> 11) / static_cast<double>(1ull << 53);
  }
  double Range(double a, double b) { return a + (b - a) * Next(); }
};

// Whether a point lies inside a part, worked out the slow and obvious way.
bool Inside(const Part& p, Vec3 q) {
  Mat3 inv = p.axes.Transposed();
  switch (p.shape) {
    case Shape::kEllipsoid: {
      Vec3 l = inv * (q - p.a);
      double s = (l.x / p.radii.x) * (l.x / p.radii.x) + (l.y / p.radii.y) * (l.y / p.radii.y) +
                 (l.z / p.radii.z) * (l.z / p.radii.z);
      return s <= 1;
    }
    case Shape::kBox: {
      Vec3 l = inv * (q - p.a);
      return std::fabs(l.x) <= p.radii.x && std::fabs(l.y) <= p.radii.y &&
             std::fabs(l.z) <= p.radii.z;
    }
    case Shape::kRoundCone: {
      // Inside when some sphere swept along the axis holds it; the distance
      // to the swept sphere's surface is convex along the axis, so a ternary
      // search finds the nearest.
      auto gap = [&](double s) {
        return Length(q - Lerp(p.a, p.b, s)) - (p.ra + (p.rb - p.ra) * s);
      };
      double lo = 0, hi = 1;
      for (int i = 0; i < 50; ++i) {
        double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
        if (gap(m1) < gap(m2)) {
          hi = m2;
        } else {
          lo = m1;
        }
      }
      return gap((lo + hi) / 2) <= 0;
    }
    case Shape::kCylinder:
    case Shape::kFrustum: {
      Vec3 axis = p.b - p.a;
      double len = Length(axis);
      double u = Dot(q - p.a, axis) / len;
      if (u < 0 || u > len) return false;
      double radial = Length(q - p.a - axis * (u / len));
      double r = p.shape == Shape::kCylinder ? p.ra : p.ra + (p.rb - p.ra) * u / len;
      return radial <= r;
    }
    case Shape::kRing:
      return false;
  }
  return false;
}

using Build = std::function<void(Scene&)>;

struct ShapeCase {
  std::string name;
  Build build;
};

TEST(CreatureRender, RaysFindTheNearestSurfaceOfEveryShape) {
  const Material m = Mat(kGrey, 4, 24);
  const ShapeCase cases[] = {
      {"ellipsoid",
       [&](Scene& s) {
         s.Ellipsoid({1, 2, 3}, {6, 3, 4}, m, RotZ(0.4) * RotY(0.3));
       }},
      {"sphere",
       [&](Scene& s) {
         s.Sphere({0, 0, 5}, 5, m);
       }},
      {"capsule",
       [&](Scene& s) {
         s.Capsule({-5, 0, 2}, {6, 3, 8}, 2.5, m);
       }},
      {"tapered cone",
       [&](Scene& s) {
         s.Cone({-6, -1, 3}, {5, 4, 6}, 4.5, 1.2, m);
       }},
      {"cone widening",
       [&](Scene& s) {
         s.Cone({0, 0, 0}, {0, 1, 9}, 1.0, 3.5, m);
       }},
      {"cylinder",
       [&](Scene& s) {
         s.Cylinder({-4, 1, 2}, {3, -2, 7}, 3, m);
       }},
      {"upright cylinder",
       [&](Scene& s) {
         s.Cylinder({0, 0, 0}, {0, 0, 9}, 4, m);
       }},
      {"frustum",
       [&](Scene& s) {
         s.Frustum({0, 0, 0}, {1, 2, 10}, 5, 1.5, m);
       }},
      {"pointed frustum",
       [&](Scene& s) {
         s.Frustum({3, 0, 2}, {-4, 1, 3}, 2, 0, m);
       }},
      {"box",
       [&](Scene& s) {
         s.Box({1, 1, 4}, {5, 2, 3}, m, RotZ(0.7) * RotX(0.2));
       }},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    Scene scene;
    c.build(scene);
    ASSERT_EQ(scene.Parts().size(), 1u);
    const Part& part = scene.Parts()[0];
    Lcg rng;
    int hits = 0, misses = 0;
    for (int i = 0; i < 100; ++i) {
      Vec3 target = part.boundCentre + Vec3{rng.Range(-1, 1), rng.Range(-1, 1), rng.Range(-1, 1)} *
                                           (part.boundRadius * 1.1);
      Vec3 dir = Normalize({rng.Range(-1, 1), rng.Range(-1, 1), rng.Range(-1, 1)});
      Vec3 origin = target - dir * 60.0;
      double t = 0;
      Vec3 n;
      const double eps = 1e-3;
      if (IntersectPart(part, origin, dir, t, n)) {
        ++hits;
        // The hit lies on the surface, and the normal points out of it.
        Vec3 at = origin + dir * t;
        EXPECT_NEAR(Length(n), 1.0, 1e-9);
        EXPECT_TRUE(Inside(part, at - n * 0.02)) << "ray " << i << " hit outside the part";
        EXPECT_FALSE(Inside(part, at + n * 0.02)) << "ray " << i << " hit inside the part";
        // Nothing of the part lies between where the ray meets the part's
        // bounding sphere and the hit.
        double enter = std::max(0.0, Dot(part.boundCentre - origin, dir) - part.boundRadius);
        for (int k = 0; k < 60; ++k) {
          double u = enter + (t - eps - enter) * k / 60.0;
          ASSERT_FALSE(Inside(part, origin + dir * u))
              << "ray " << i << " skipped a nearer surface";
        }
      } else {
        ++misses;
        double mid = Dot(part.boundCentre - origin, dir);
        for (int k = -60; k <= 60; ++k) {
          double u = mid + part.boundRadius * k / 60.0;
          ASSERT_FALSE(Inside(part, origin + dir * u)) << "ray " << i << " missed the part";
        }
      }
    }
    EXPECT_GT(hits, 15);
    EXPECT_GT(misses, 15);
  }
}

TEST(CreatureRender, RingsAreFlatAnnuli) {
  Scene scene;
  scene.Ring({0, 0, 1}, 3, 5, Mat(kBlue, 10, 20));
  const Part& ring = scene.Parts()[0];
  Vec3 down{0, 0, -1};
  double t;
  Vec3 n;
  EXPECT_TRUE(IntersectPart(ring, {4, 0, 10}, down, t, n));
  EXPECT_NEAR(t, 9, 1e-9);
  EXPECT_NEAR(n.z, 1, 1e-9);
  EXPECT_FALSE(IntersectPart(ring, {2, 0, 10}, down, t, n));  // the hole
  EXPECT_FALSE(IntersectPart(ring, {0, 6, 10}, down, t, n));  // beyond the rim
}

TEST(CreatureRender, SequencesRepeatWithTheirShortestLoop) {
  struct Case {
    std::vector<int> seq;
    int period;
  };
  const Case cases[] = {
      {{1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6}, 6},
      {{1, 2, 3, 2, 1, 0, 4, 5, 6, 5, 4, 0}, 12},
      {{7, 8, 9, 10, 11, 12, 7, 8, 9, 10, 11, 12, 7, 8, 9, 10, 11, 12, 7, 8}, 6},
      {{5, 5, 6}, 3},
      {{3, 3, 3, 3}, 1},
      {{0}, 1},
      {{}, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(SequencePeriod(c.seq), c.period);
}

TEST(CreatureRender, AFrameShowsThePoseOfItsFirstPlaceInTheSequences) {
  struct Case {
    int kind, frame, anim, pos, length, period;
  };
  const Case cases[] = {
      {1, 0, 0, 0, 1, 1},    // idle comes first
      {1, 3, 1, 2, 12, 12},  // the walk's third step
      {1, 11, 2, 5, 9, 9},   // the shot frame of the attack, shared with the cast
      {2, 17, 0, 0, 1, 1},   // a frame no sequence shows stands idle
      {3, 4, 1, 3, 12, 6},   // the bat's wing beat loops every six
      {30, 7, 3, 0, 7, 7},   // the stick man's stagger reuses its death's first frame
  };
  for (const Case& c : cases) {
    PoseKey key = PoseForFrame(c.kind, c.frame);
    SCOPED_TRACE("kind " + std::to_string(c.kind) + " frame " + std::to_string(c.frame));
    EXPECT_EQ(key.anim, c.anim);
    EXPECT_EQ(key.pos, c.pos);
    EXPECT_EQ(key.length, c.length);
    EXPECT_EQ(key.period, c.period);
  }
  PoseKey shot = PoseForFrame(1, 11);
  EXPECT_DOUBLE_EQ(shot.t, 5.0 / 8.0);
  PoseKey flap = PoseForFrame(3, 4);
  EXPECT_DOUBLE_EQ(flap.cycle, 4.0 / 6.0);
}

TEST(CreatureRender, ASpriteStandsOnItsHotSpotWithADarkOutline) {
  Scene scene;
  scene.Sphere({0, 0, 8}, 8, Flat(kGreen, 20));
  View view;
  SpriteImage img = RenderScene(scene, view);
  ASSERT_FALSE(img.Empty());
  EXPECT_EQ(img.height % 2, 0);
  // The ball is 16 across plus its outline, centred on the hot spot.
  EXPECT_NEAR(img.width, 18, 1);
  EXPECT_NEAR(img.ofsX, img.width / 2, 1);
  // Its lowest point touches the ground, which sits low in the sprite.
  EXPECT_GE(img.ofsY, img.height / 2);
  EXPECT_LE(img.ofsY, img.height);
  int body = 0, outline = 0;
  for (size_t i = 0; i < img.pixels.size(); ++i) {
    if (!img.opaque[i]) continue;
    if (img.pixels[i] == Shade(kGreen, 20)) ++body;
    if (img.pixels[i] == Shade(kGreen, view.outlineShade)) ++outline;
  }
  EXPECT_GT(body, 150);
  EXPECT_GT(outline, 40);
  // Every edge pixel of the sprite is outline, never body.
  for (int x = 0; x < img.width; ++x) {
    if (img.Opaque(x, img.height - 1)) {
      EXPECT_NE(img.At(x, img.height - 1), Shade(kGreen, 20));
    }
  }
  EXPECT_TRUE(RenderScene(Scene{}, view).Empty());
}

TEST(CreatureRender, GlowingPartsAreLightWithoutAnOutline) {
  Scene scene;
  scene.Sphere({0, 0, 6}, 6, Glow(4, 20));
  SpriteImage img = RenderScene(scene, View{});
  ASSERT_FALSE(img.Empty());
  for (size_t i = 0; i < img.pixels.size(); ++i) {
    if (!img.opaque[i]) continue;
    EXPECT_GE(img.pixels[i], 1);
    EXPECT_LE(img.pixels[i], 31);  // ramp 0: light the glow mode adds
  }
}

TEST(CreatureRender, NothingBelowTheWaterlineIsDrawn) {
  Scene scene;
  scene.Sphere({0, 0, 0}, 8, Mat(kBlue, 4, 24));
  View dry;
  View wet;
  wet.clipBelow = 0;
  SpriteImage whole = RenderScene(scene, dry), top = RenderScene(scene, wet);
  ASSERT_FALSE(top.Empty());
  // Cut at the middle the ball loses its lower half on screen, not its width.
  EXPECT_LT(top.height, whole.height);
  EXPECT_NEAR(top.width, whole.width, 1);
  EXPECT_LE(top.ofsY, top.height + 1);
}

}  // namespace
}  // namespace torvel::forge::creatures
