// Things with many legs: the spiders and their egg sac, the centipede, the
// microbe.
#include <algorithm>
#include <cmath>

#include "forge/creatures/models.h"
#include "forge/creatures/poses.h"
#include "forge/creatures/rigs.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

struct SpiderLook {
  double scale = 1;
  Material body, belly, leg, eye;
  Material mark;  // a marking on the abdomen's back
  bool hairy = false;
};

// A spider in its own frame, body length about 16 units before scaling.
// rear lifts the front (spitting), lunge pushes it forward, bite closes the
// fangs, curl and flip are for its death.
struct SpiderPose {
  double cycle = 0, step = 0;  // walking
  double rear = 0;             // front raised, 0..1
  double lunge = 0;            // body pushed forward
  double bite = 0;             // fangs open (0) to closed (1)
  double flip = 0;             // slumped over, dying
  double curl = 0;             // legs drawn in
  double pulse = 0;            // abdomen swelling
};

void DrawSpider(Scene& scene, const SpiderLook& look, const SpiderPose& p) {
  const double s = look.scale;
  // Dead, it sinks onto its belly with its legs drawn up over it.
  Mat3 body = RotY(-0.45 * p.rear) * RotX(0.35 * p.flip);
  Vec3 lift{p.lunge * s, 0, (4.0 + 2.5 * p.rear - 1.8 * p.flip) * s};
  auto at = [&](Vec3 v) { return lift + body * (v * s); };
  scene.Ellipsoid(at({-6.5, 0, 1.2}), Vec3{6.0, 5.0, 4.2} * (s * (1 + 0.08 * p.pulse)), look.belly,
                  body);
  if (look.mark.ramp != look.belly.ramp || look.mark.light != look.belly.light) {
    scene.Ellipsoid(at({-6.0, 0, 4.4}), Vec3{3.0, 1.6, 1.2} * s, look.mark, body);
  }
  scene.Ellipsoid(at({1.0, 0, 0.6}), Vec3{3.6, 3.2, 2.4} * s, look.body, body);
  scene.Ellipsoid(at({4.2, 0, 0.6}), Vec3{1.8, 2.2, 1.8} * s, look.body, body);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(at({5.3, side * 1.0, 1.9}), 0.75 * s, look.eye);
    scene.Sphere(at({4.9, side * 2.0, 1.5}), 0.55 * s, look.eye);
    Vec3 root = at({5.2, side * 1.0, -0.5});
    Vec3 tip = at({6.6 + 0.6 * (1 - p.bite), side * (1.3 - 0.9 * p.bite), -2.4});
    scene.Cone(root, tip, 0.7 * s, 0.35 * s, look.leg);
  }
  LegSet legs;
  legs.pairs = 4;
  legs.spanFront = 1.0;
  legs.spanBack = -0.75;
  legs.reach = 8.5 * s;
  legs.hipHeight = 0;
  legs.kneeUp = 5 * s;
  legs.radius = 0.8 * s * (look.hairy ? 1.3 : 1.0);
  legs.bodyHalfWidth = 2.2 * s;
  legs.centre = lift + Vec3{0.8 * s, 0, -lift.z + 2.0 * s};
  legs.hipHeight = lift.z - 2.0 * s;
  DrawLegs(scene, legs, p.cycle, p.step * s, p.curl, look.leg);
}

SpiderPose SpiderAction(const PoseKey& key, int biteAnim, int bitePos, int spitAnim, int spitFrom,
                        int spitTo) {
  SpiderPose p;
  if (key.anim == 1) {
    p.cycle = key.cycle;
    p.step = 2.5;
  } else if (key.anim == kAnimDie) {
    p.flip = Smooth(Ramp(key.t, 0.0, 0.4));
    p.curl = Smooth(Ramp(key.t, 0.2, 0.8));
  } else if (key.anim == biteAnim) {
    double hit = BeatT(key, bitePos);
    p.lunge = 3.5 * Pulse(key.t, 0.0, hit, 1.0);
    p.rear = 0.3 * Pulse(key.t, 0.0, hit * 0.6, hit);
    p.bite = Ramp(key.t, hit * 0.5, hit);
  } else if (key.anim == spitAnim) {
    double a = BeatT(key, spitFrom), b = BeatT(key, spitTo);
    p.rear = Smooth(Ramp(key.t, 0.0, a)) * (1 - Smooth(Ramp(key.t, b, 1.0)));
    p.pulse = Pulse(key.t, 0.0, a * 0.8, b);
    p.bite = 1 - Pulse(key.t, a * 0.8, (a + b) / 2, std::min(1.0, b + 0.1));
  }
  return p;
}

void BuildSpider(Scene& scene, const PoseKey& key) {
  SpiderLook look;
  look.scale = 0.6;
  look.body = Mat(kBrown, 5, 21, 5);
  look.belly = Mat(kBrown, 5, 20, 6);
  look.mark = Mat(kRed, 8, 24, 4);
  look.leg = Mat(kBrown, 8, 22);
  look.eye = Flat(kRed, 28);
  look.hairy = true;  // thick enough legs to read at this size
  DrawSpider(scene, look, SpiderAction(key, 2, 2, -1, 0, 0));
}

void BuildBigSpider(Scene& scene, const PoseKey& key) {
  SpiderLook look;
  look.scale = 1.05;
  look.body = Mat(kGreen, 3, 17, 3);
  look.belly = Banded(Mat(kGreen, 4, 19, 4), {1, 0, 0}, 3.0, 1.0, -7);
  look.mark = Mat(kGold, 8, 24, 4);
  look.leg = Mat(kGreen, 2, 12);
  look.eye = Flat(kRed, 27);
  look.hairy = true;
  DrawSpider(scene, look, SpiderAction(key, -1, 0, 2, 5, 7));
}

void BuildMotherSpider(Scene& scene, const PoseKey& key) {
  SpiderLook look;
  look.scale = 2.9;
  look.body = Mat(kViolet, 2, 15, 5);
  look.belly = Mat(kViolet, 3, 16, 6);
  look.mark = Mat(kRed, 6, 24, 4);
  look.leg = Banded(Mat(kViolet, 2, 13), {1, 0, 0}, 4.0, 1.2, 6, kRed);
  look.eye = Flat(kRed, 28);
  look.hairy = true;
  SpiderPose p = SpiderAction(key, 4, 2, 2, 5, 7);
  DrawSpider(scene, look, p);
  if (key.anim == kAnimDie && key.t > 0.3) {
    // Her brood spills out as she dies.
    for (int i = 0; i < 5; ++i) {
      double a = i * 1.3 + key.t * 3;
      double r = 12 + 18 * key.t + 4 * (i % 2);
      Vec3 c{Cos(a) * r - 10, Sin(a) * r * 0.8, 1.6};
      scene.Ellipsoid(c, {3.4, 2.8, 2.0}, Mat(kBrown, 3, 14, 4));
    }
  }
}

// ---------------------------------------------------------------------------
// Egg sac: a web-wrapped heap of eggs that swells, splits and lets a spider
// out, or bursts when killed.

void BuildEggSac(Scene& scene, const PoseKey& key) {
  const Material web = Mat(kGrey, 10, 29, 4);
  const Material egg = Mat(kIce, 10, 27, 8);
  const Material slime = Mat(kGreen, 8, 24, 10);
  double swell = 0, split = 0, burst = 0;
  bool spider = false;
  if (key.anim == 0) swell = key.frame == 1 ? 0.35 : key.frame == 2 ? 0.6 : 0;
  if (key.anim == 2) {
    double t = key.t;
    swell = 0.3 + 0.7 * Smooth(Ramp(t, 0.0, 0.6));
    split = Smooth(Ramp(t, 0.55, 0.8));
    spider = t > 0.7;
  }
  if (key.anim == kAnimDie) burst = Ramp(key.t, 0.0, 1.0);
  double grow = 1 + 0.12 * swell;
  if (burst > 0) {
    // Torn web and scattered eggs flattening into goo.
    double spread = 1 + 1.2 * burst;
    scene.Ellipsoid({0, 0, 2}, Vec3{17, 12, 4 * (1 - 0.6 * burst)}, slime);
    for (int i = 0; i < 9; ++i) {
      double a = i * 0.7;
      double r = (8 + 3 * (i % 3)) * spread;
      scene.Sphere({Cos(a) * r, Sin(a) * r * 0.8, 3 - 1.5 * burst}, 3.2 * (1 - 0.5 * burst),
                   i % 2 ? egg : web);
    }
    return;
  }
  // A heap of eggs bound in web, anchored to the floor by a few strands.
  scene.Ellipsoid({0, 0, 9 * grow}, Vec3{13, 11, 9} * grow, Banded(web, {1, 1, 0}, 3.0, 1.0, -6));
  for (int i = 0; i < 7; ++i) {
    double a = i * 0.9 + 0.2;
    Vec3 c{Cos(a) * 10 * grow, Sin(a) * 8.5 * grow, 7.0 + 5 * (i % 2)};
    scene.Sphere(c, 5.0 * grow, egg);
  }
  scene.Sphere({1, 0, 17 * grow}, 5.4 * grow, egg);
  scene.Sphere({-3, -4, 15 * grow}, 4.6 * grow, egg);
  for (int i = 0; i < 6; ++i) {
    double a = i * 1.05 + 0.4;
    scene.Capsule({Cos(a) * 9, Sin(a) * 8, 6}, {Cos(a) * 21, Sin(a) * 16, 0.4}, 0.5, web);
  }
  if (split > 0) {
    // The front splits open on a dark inside.
    scene.Ellipsoid({13 * grow, 0, 11 * grow}, {3, 6 * split + 0.5, 7 * split + 0.5},
                    Flat(kGreen, 3));
  }
  if (spider) {
    SpiderLook look;
    look.scale = 0.55;
    look.body = Mat(kBrown, 3, 15, 4);
    look.belly = Mat(kBrown, 3, 14, 5);
    look.mark = look.belly;
    look.leg = Mat(kBrown, 2, 11);
    look.eye = Flat(kRed, 26);
    SpiderPose p;
    p.rear = 0.6;
    Scene& s = scene;
    Mat3 keep = s.Rotation();
    s.SetTransform(keep, s.ToWorld({17 * grow, 0, -1}));
    DrawSpider(s, look, p);
    s.SetTransform(keep, {0, 0, 0});
  }
}

// ---------------------------------------------------------------------------
// Centipede: the head with its jaws and feelers, and armoured segments with a
// pair of legs each.

const Material kCentShell = Banded(Mat(kRed, 4, 21, 8), {1, 0, 0}, 3.5, 1.0, -6);
const Material kCentLeg = Mat(kGold, 4, 16);

void BuildCentipedeBody(Scene& scene, const PoseKey& key) {
  double cycle = key.anim == 1 ? key.cycle : 0;
  double stepAmount = key.anim == 1 || key.anim == kAnimDie ? 3.0 : 0;
  scene.Ellipsoid({0, 0, 5}, {7.5, 8, 4.6}, kCentShell);
  scene.Ellipsoid({0, 0, 8.6}, {5.5, 6, 1.2}, Mat(kRed, 6, 25, 10));
  LegSet legs;
  legs.pairs = 2;
  legs.spanFront = 0.35;
  legs.spanBack = -0.35;
  legs.reach = 7;
  legs.hipHeight = 3.5;
  legs.kneeUp = 3;
  legs.radius = 1.0;
  legs.bodyHalfWidth = 6;
  DrawLegs(scene, legs, cycle, stepAmount, 0, kCentLeg);
}

void BuildCentipedeHead(Scene& scene, const PoseKey&) {
  scene.Ellipsoid({0, 0, 6}, {8.5, 7.5, 5.2}, Mat(kRed, 4, 22, 9));
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere({5.2, side * 3.6, 8.2}, 1.6, Flat(kGold, 27));
    Vec3 jaw0{7.5, side * 3.2, 3.5};
    scene.Cone(jaw0, {11.5, side * 1.0, 2.5}, 1.3, 0.5, Mat(kGold, 5, 20, 4));
    Vec3 feeler[3] = {{7, side * 2.0, 9}, {12, side * 6.0, 13}, {16, side * 9.0, 12}};
    DrawChain(scene, feeler, 3, 0.7, 0.4, kCentLeg);
    scene.Cone({2, side * 5.5, 3.5}, {4, side * 11.0, 0.5}, 1.0, 0.6, kCentLeg);
  }
}

// ---------------------------------------------------------------------------
// Microbe: a tiny swimmer with a whip of a tail.

void BuildMicrobe(Scene& scene, const PoseKey&) {
  scene.Ellipsoid({0.5, 0, 1.2}, {2.4, 1.6, 1.1}, Mat(kGreen, 10, 28, 8));
  scene.Cone({-1.5, 0, 1.0}, {-3.5, 0.8, 0.8}, 0.6, 0.3, Mat(kGreen, 8, 20));
}

}  // namespace

void RegisterCrawlers(DesignTable& table) {
  table[4].build = BuildSpider;
  table[5].build = BuildBigSpider;
  table[7].build = BuildEggSac;
  table[8].build = BuildMotherSpider;
  table[19].build = BuildMicrobe;
  table[51].build = BuildCentipedeBody;
  table[52].build = BuildCentipedeHead;
}

}  // namespace torvel::forge::creatures
