// Things that grow: mushrooms and their lord, moss and its source, the
// rolling cactus and the great pumpkin.
#include <algorithm>
#include <cmath>

#include "forge/creatures/bodies.h"
#include "forge/creatures/models.h"
#include "forge/creatures/poses.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

// A mushroom cap with spots: centre of its underside, radius, height.
void DrawCap(Scene& scene, Vec3 base, double r, double h, const Material& cap, const Material& spot,
             const Mat3& tilt, double squash = 0) {
  double hh = h * (1 - 0.35 * squash);
  double rr = r * (1 + 0.15 * squash);
  scene.Ellipsoid(base + tilt * Vec3{0, 0, hh * 0.35}, {rr, rr, hh}, cap, tilt);
  scene.Ellipsoid(base + tilt * Vec3{0, 0, hh * 0.1}, {rr * 0.92, rr * 0.92, hh * 0.3},
                  Mat(kBrown, 6, 18), tilt);
  for (int i = 0; i < 6; ++i) {
    double a = i * 1.047 + 0.3;
    double u = i == 5 ? 0.0 : 0.62;
    Vec3 d = tilt * Normalize(Vec3{Cos(a) * u, Sin(a) * u, 1.0});
    Vec3 on = base + tilt * Vec3{0, 0, hh * 0.35};
    Vec3 p{on.x + d.x * rr * 0.98, on.y + d.y * rr * 0.98, on.z + d.z * hh * 0.98};
    scene.Sphere(p, r * 0.18, spot);
  }
}

void DrawSpores(Scene& scene, Vec3 c, double spread, double amount, const Material& m) {
  if (amount <= 0.05) return;
  for (int i = 0; i < 8; ++i) {
    double a = i * 0.785 + 0.2;
    double r = spread * (0.5 + 0.5 * (i % 2)) * amount;
    scene.Sphere(c + Vec3{Cos(a) * r, Sin(a) * r, (i % 3) * 2.0 * amount}, 1.2 + 0.8 * amount, m);
  }
}

// ---------------------------------------------------------------------------
// Mushroom: a red-capped toadstool on two stubby feet.

void BuildShroom(Scene& scene, const PoseKey& key) {
  const Material stem = Mat(kBrown, 12, 28, 3);
  const Material cap = Mat(kRed, 5, 24, 6);
  const Material spot = Mat(kGrey, 18, 30, 4);
  double hop = 0, sway = 0, squash = 0, puff = 0, wilt = 0, stride = 0;
  switch (key.anim) {
    case 1: {
      double w = Wave(key.cycle);
      stride = w;
      hop = std::fabs(Sin(2 * kPi * key.cycle)) * 2.0;
      sway = 0.15 * w;
      break;
    }
    case 2: {
      double hit = BeatT(key, 5);
      squash = Pulse(key.t, 0.0, hit * 0.8, hit);
      puff = Pulse(key.t, hit * 0.8, hit, 1.0);
      break;
    }
    case 3:
      wilt = Smooth(key.t);
      break;
    default:
      break;
  }
  Mat3 tilt = RotX(-sway) * RotY(0.9 * wilt);
  Vec3 foot{0, 0, hop};
  for (int side = -1; side <= 1; side += 2) {
    scene.Ellipsoid({stride * side * 2.5, side * 4.0, 1.5 + hop * (side * stride > 0 ? 1 : 0)},
                    {3.2, 2.0, 1.6}, Mat(kBrown, 5, 18));
  }
  double stemH = 12 * (1 - 0.35 * squash) * (1 - 0.5 * wilt);
  Vec3 top = foot + tilt * Vec3{0, 0, stemH + 2};
  scene.Cone(foot + Vec3{0, 0, 3}, top, 6.0, 4.6, stem);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(foot + tilt * Vec3{4.6, side * 1.8, stemH * 0.7 + 2}, 1.0, Flat(kGrey, 2));
  }
  DrawCap(scene, top, 11 * (1 - 0.2 * wilt), 6, cap, spot, tilt, squash);
  DrawSpores(scene, top + Vec3{0, 0, 6}, 14, puff, Mat(kGold, 12, 28));
}

// ---------------------------------------------------------------------------
// Giant mushroom: a violet-capped brute with two stalk arms.

void BuildBigShroom(Scene& scene, const PoseKey& key) {
  const Material stem = Mat(kBrown, 10, 27, 3);
  const Material cap = Mat(kViolet, 4, 22, 6);
  const Material spot = Mat(kGold, 12, 28, 4);
  double stride = 0, lean = 0, rightArm = 0, leftArm = 0, squash = 0, wilt = 0, rise = 1;
  double podOut = 0, spores = 0;
  switch (key.anim) {
    case 1:
      stride = Wave(key.cycle);
      lean = 0.2;
      break;
    case 2: {
      double hit = BeatT(key, 1);
      rightArm = Pulse(key.t, 0.0, hit, 1.0);
      podOut = Ramp(key.t, 0.0, hit) * (key.t <= hit ? 1 : 0);
      break;
    }
    case 3:
      wilt = Smooth(key.t);
      break;
    case 4:
      leftArm = key.frame == 18 ? 0.4 : 1.0;
      spores = key.frame == 15 ? 0.3 : key.frame == 16 ? 1.0 : key.frame == 17 ? 0.7 : 0.2;
      squash = 0.3 * spores;
      break;
    case 5:
      rise = 0.4 + 0.6 * Smooth(key.t);
      squash = 0.5 * (1 - rise);
      break;
    default:
      break;
  }
  Mat3 tilt = RotY(lean + 1.0 * wilt);
  for (int side = -1; side <= 1; side += 2) {
    double s = side * stride;
    scene.Capsule({0, side * 9.0, 10}, {s * 7, side * 10.0, 3}, 4.5, stem);
    scene.Ellipsoid({s * 7 + 2, side * 10.0, 2.5}, {6, 4, 2.5}, Mat(kBrown, 5, 18));
  }
  double h = (30 * rise) * (1 - 0.5 * wilt);
  Vec3 top = tilt * Vec3{0, 0, h + 10};
  scene.Cone({0, 0, 8}, top, 14, 11, stem);
  for (int side = -1; side <= 1; side += 2) {
    double lift = side > 0 ? rightArm : leftArm;
    Vec3 sh = tilt * Vec3{0, side * 12.0, h * 0.8 + 8};
    Vec3 hand = sh + Vec3{6 + 10 * lift, side * (8 - 2 * lift), -10 + 16 * lift};
    scene.Cone(sh, hand, 4.0, 3.2, stem);
    scene.Sphere(hand, 4.0, stem);
    if (side > 0 && podOut > 0) scene.Sphere(hand + Vec3{4, 0, 2}, 5.0, Mat(kGreen, 6, 24, 6));
    if (side < 0) DrawSpores(scene, hand + Vec3{6, -2, 2}, 14, spores, Mat(kGold, 12, 28));
  }
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(tilt * Vec3{12, side * 4.0, h * 0.75 + 8}, 2.2, Flat(kGrey, 2));
    scene.Sphere(tilt * Vec3{13.5, side * 4.0, h * 0.75 + 8.5}, 0.9, Flat(kGold, 28));
  }
  DrawCap(scene, top, 30 * (1 - 0.15 * wilt), 15, cap, spot, tilt, squash);
}

// ---------------------------------------------------------------------------
// Mushroom lord: a robed walker crowned by a spotted cap.

const HumanBody kLordBody = [] {
  HumanBody b;
  b.thigh = 8;
  b.shin = 8;
  b.torso = 12;
  b.headR = 5.5;
  b.shoulderHalf = 6;
  return b;
}();

void BuildShroomLord(Scene& scene, const PoseKey& key) {
  HumanPose p;
  double puff = 0;
  switch (key.anim) {
    case 1:
      WalkPose(p, key.cycle, 0.4);
      break;
    case 2: {
      double a = BeatT(key, 6), b = BeatT(key, 8);
      CastPose(p, key.t, a);
      for (int i = 0; i < 2; ++i) p.armOut[i] += 0.8 * Ramp(key.t, 0.0, a);
      puff = Ramp(key.t, a * 0.8, a) * (1 - Ramp(key.t, b, 1.0));
      break;
    }
    case 3:
      CollapsePose(p, 0.6, true);
      break;
    default:
      BreathePose(p, 0.5);
      break;
  }
  HumanJoints j = PoseHuman(kLordBody, p);
  HumanLook look;
  look.skin = Mat(kBrown, 12, 28, 3);
  look.hand = look.skin;
  look.shirt = Mat(kGreen, 4, 20, 2);
  look.sleeve = look.shirt;
  look.trousers = Mat(kGreen, 3, 14);
  look.boot = Mat(kBrown, 3, 13);
  DrawHumanoid(scene, kLordBody, j, look);
  const Mat3& t = j.torsoFrame;
  scene.Frustum(j.pelvis + t * Vec3{0, 0, 3}, j.pelvis + t * Vec3{0, 0, -9}, 5, 8, look.shirt);
  DrawCap(scene, j.head + j.headFrame * Vec3{0, 0, 2.5}, 11, 6, Mat(kViolet, 5, 24, 6),
          Mat(kGold, 12, 29, 4), j.headFrame, 0.3 * puff);
  Vec3 crown = j.head + j.headFrame * Vec3{0, 0, 8.5};
  for (int i = 0; i < 5; ++i) {
    double a = i * 1.256;
    scene.Cone(crown + j.headFrame * Vec3{Cos(a) * 3, Sin(a) * 3, 0},
               crown + j.headFrame * Vec3{Cos(a) * 3.4, Sin(a) * 3.4, 3}, 1.0, 0.4,
               Mat(kGold, 10, 29, 8));
  }
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(OnHead(j, kLordBody.headR - 0.3, side * 0.4, -0.1), 0.9, Flat(kRed, 26));
  }
  DrawSpores(scene, j.head + Vec3{0, 0, 12}, 18, puff, Mat(kGold, 12, 28));
}

// ---------------------------------------------------------------------------
// Moss: a lumpy patch the size of a floor tile.

void DrawMossPatch(Scene& scene, double sx, double sy, double dry) {
  Material moss = Mat(dry > 0.5 ? kBrown : kGreen, 4, 20 - static_cast<int>(6 * dry), 2);
  Material light = Mat(dry > 0.5 ? kBrown : kGreen, 8, 26 - static_cast<int>(6 * dry), 2);
  scene.Ellipsoid({0, 0, 0.8}, {13 * sx, 10 * sy, 2.0}, moss);
  static const double kLumps[9][3] = {{-7, -4, 3.0}, {6, -5, 2.6}, {0, 2, 3.4},
                                      {-8, 4, 2.4},  {8, 4, 2.8},  {3, -1, 2.2},
                                      {-3, -6, 2.0}, {-2, 6, 2.2}, {10, -1, 2.0}};
  for (int i = 0; i < 9; ++i) {
    double r = kLumps[i][2] * (1 - 0.4 * dry);
    scene.Ellipsoid({kLumps[i][0] * sx, kLumps[i][1] * sy, 1.5}, {r * 1.3, r, r * 0.8},
                    i % 2 ? light : moss);
  }
}

void BuildMoss(Scene& scene, const PoseKey& key) {
  double sx = 1, sy = 1, dry = 0;
  if (key.anim == 1 || key.anim == 2) {
    // Growing toward a neighbour: small and stretched the way it moves.
    double g = 0.3 + 0.7 * (key.pos + 1) / 5.0;
    bool northSouth = key.anim == 1;
    // One-facing sets are drawn facing south: local x runs toward the viewer.
    sx = northSouth ? g : g * 0.7;
    sy = northSouth ? g * 0.7 : g;
  } else if (key.anim == kAnimDie) {
    dry = key.t;
    sx = sy = 1 - 0.6 * key.t;
  }
  DrawMossPatch(scene, sx, sy, dry);
}

// The moss source: a mound of moss round a glowing bud that swells and bursts.
void BuildMossSource(Scene& scene, const PoseKey& key) {
  double swell = 0, burst = 0, dry = 0;
  if (key.anim == 0) swell = 0.15 * key.frame;
  if (key.anim == 2) {
    double hit = BeatT(key, 11);
    swell = Ramp(key.t, 0.0, hit);
    burst = Ramp(key.t, hit * 0.97, 1.0);
  }
  if (key.anim == kAnimDie) dry = key.t;
  DrawMossPatch(scene, 1.35, 1.35, dry);
  double r = (6 + 5 * swell) * (1 - burst * 0.6) * (1 - 0.5 * dry);
  Material bud = Mat(dry > 0.5 ? kBrown : kGreen, 8, 28, 8);
  scene.Sphere({0, 0, 5 + r * 0.8}, r, bud);
  for (int i = 0; i < 5; ++i) {
    double a = i * 1.256;
    double open = 0.3 + 0.7 * burst;
    Vec3 base{Cos(a) * r * 0.5, Sin(a) * r * 0.5, 5};
    Vec3 tip =
        base + Vec3{Cos(a) * (4 + 8 * open), Sin(a) * (4 + 8 * open), r * 1.5 * (1 - open) + 2};
    scene.Cone(base, tip, 3.0, 1.0, Mat(kGold, 6, 24, 3));
  }
  if (dry <= 0)
    scene.Sphere({0, 0, 5 + r * 0.8 + r * 0.7}, r * 0.35,
                 Flat(kGold, 22 + static_cast<int>(8 * swell)));
}

// ---------------------------------------------------------------------------
// Cactus: a ribbed barrel cactus with stubby arms, a flower and a scowl. It
// tips over to roll and bristles when it fires its needles.

void BuildCactus(Scene& scene, const PoseKey& key) {
  const Material flesh = Ribbed(Mat(kGreen, 4, 22, 3), 12, 0.3, -5);
  const Material spine = Mat(kGold, 10, 28);
  double tip = 0, roll = 0, bristle = 0, sway = 0, wilt = 0;
  switch (key.anim) {
    case 0: {
      static const double kSway[5] = {0, 0.08, 0.14, -0.08, -0.14};
      sway = kSway[std::clamp(key.frame, 0, 4)];
      break;
    }
    case 1:
      tip = 1;
      roll = 2 * kPi * key.pos / 5.0;
      break;
    case 4:
      tip = (key.pos + 1) / 3.0;
      break;
    case 2:
      bristle = Pulse(key.t, 0.0, BeatT(key, 3), 1.0);
      break;
    case 3:
      wilt = Smooth(key.t);
      break;
    default:
      break;
  }
  // Tipped over, it lies on its side and turns about its own axis, which
  // lies across the way it rolls.
  double r = 13;
  Mat3 body = RotY(kPi / 2 * tip);
  Mat3 spin = RotZ(roll);
  Mat3 frame = RotX(-sway) * body * spin;
  Vec3 c{0, 0, r + 1 - 2 * wilt};
  double tall = 1.35 * (1 - 0.35 * wilt);
  scene.Ellipsoid(c + frame * Vec3{0, 0, 2}, {r, r, r * tall}, flesh, frame);
  for (int side = -1; side <= 1; side += 2) {
    Vec3 arm0 = c + frame * Vec3{0, side * (r - 1), 2};
    Vec3 arm1 = arm0 + frame * Vec3{0, side * 5.0, 0};
    Vec3 arm2 = arm1 + frame * Vec3{0, 0, 7 - 6 * wilt};
    scene.Capsule(arm0, arm1, 3.2, flesh);
    scene.Capsule(arm1, arm2, 3.0, flesh);
  }
  for (int i = 0; i < 14; ++i) {
    double a = i * 0.449;
    double z = -6 + (i % 4) * 5.0;
    Vec3 d = Normalize(Vec3{Cos(a), Sin(a), z / 14});
    Vec3 root = c + frame * Vec3{d.x * r, d.y * r, 2 + z * 1.2};
    scene.Cone(root, root + frame * (d * (2.0 + 4.0 * bristle)), 0.5, 0.2, spine);
  }
  Vec3 top = c + frame * Vec3{0, 0, 2 + r * tall};
  if (wilt < 0.6) {
    for (int i = 0; i < 5; ++i) {
      double a = i * 1.256;
      scene.Sphere(top + frame * Vec3{Cos(a) * 2.2, Sin(a) * 2.2, 0.5}, 1.8, Mat(kRed, 10, 28, 4));
    }
    scene.Sphere(top + frame * Vec3{0, 0, 1.0}, 1.3, Flat(kGold, 28));
  }
  // The scowl, on its front.
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(c + frame * Vec3{r - 0.6, side * 4.0, 6}, 1.5, Flat(kGrey, 2));
    scene.Capsule(c + frame * Vec3{r - 0.2, side * 2.0, 8.5},
                  c + frame * Vec3{r - 0.6, side * 6.0, 9.5}, 0.6, Flat(kGreen, 2));
  }
  scene.Capsule(c + frame * Vec3{r - 0.4, -3, 0}, c + frame * Vec3{r - 0.4, 3, 0}, 0.8,
                Flat(kRed, 4));
}

// ---------------------------------------------------------------------------
// The great pumpkin: a giant jack-o'-lantern among its vines, its face lit
// from within by a flickering fire.

void BuildGreatPumpkin(Scene& scene, const PoseKey& key) {
  static const double kFlicker[8] = {0.6, 0.9, 0.7, 1.0, 0.5, 0.8, 0.65, 0.95};
  double fire = 0.8, mouth = 0, sag = 0;
  if (key.anim == 0) fire = kFlicker[key.frame & 7];
  if (key.anim == 2) {
    mouth = Pulse(key.t, 0.0, 0.4, 1.0) + (key.t > 0.2 && key.t < 0.8 ? 0.3 : 0);
    fire = 1;
  }
  if (key.anim == kAnimDie) {
    sag = key.frame == 11 ? 0.4 : 1.0;
    fire = 0.3 * (1 - sag);
  }
  const Material skin = Ribbed(Mat(kGold, 5, 23, 4), 14, 0.25, -4);
  double h = 62 * (1 - 0.45 * sag);
  scene.Ellipsoid({0, 0, h}, {70, 100, h}, skin);
  scene.Cone({-6, 4, h * 2 - 4}, {-14, 12, h * 2 + 18 - 10 * sag}, 7, 4, Mat(kGreen, 3, 18, 2));
  for (int i = 0; i < 5; ++i) {
    double a = 0.9 + i * 1.0;
    Vec3 v0{Cos(a) * 60, Sin(a) * 90, 4};
    Vec3 vine[3] = {v0, v0 + Vec3{Cos(a) * 20, Sin(a) * 22, 6},
                    v0 + Vec3{Cos(a + 0.6) * 34, Sin(a + 0.6) * 36, 2}};
    DrawChain(scene, vine, 3, 3.0, 1.5, Mat(kGreen, 3, 16));
    scene.Ellipsoid(vine[1] + Vec3{0, 0, 3}, {12, 9, 2.5}, Mat(kGreen, 4, 20, 2),
                    RotZ(a) * RotX(0.3));
  }
  // The carved face: eyes, nose and a jagged mouth, all lit from within.
  int glow = 14 + static_cast<int>(17 * fire);
  Material lit = Flat(kGold, std::clamp(glow, 8, 31));
  Material dark = Flat(kRed, 3);
  const double fx = 66 * (1 - 0.1 * sag);
  for (int side = -1; side <= 1; side += 2) {
    scene.Ellipsoid({fx - 2, side * 36.0, h + 20 - 8 * sag}, {6, 18, 13 - 5 * sag},
                    fire > 0.35 ? lit : dark, RotX(side * 0.5));
  }
  scene.Ellipsoid({fx + 3, 0, h + 2}, {5, 8, 7}, fire > 0.35 ? lit : dark);
  double open = 8 + 14 * mouth;
  scene.Ellipsoid({fx - 4, 0, h - 22}, {8, 50, open}, fire > 0.35 ? lit : dark);
  for (int k = -2; k <= 2; ++k) {
    scene.Box({fx + 2, k * 18.0, h - 22 + open * 0.55}, {4, 4, 4}, skin);
  }
}

}  // namespace

void RegisterPlants(DesignTable& table) {
  table[18].build = BuildShroomLord;
  table[21].build = BuildMoss;
  table[22].build = BuildMossSource;
  table[24].build = BuildShroom;
  table[25].build = BuildBigShroom;
  table[42].build = BuildCactus;
  table[55].build = BuildGreatPumpkin;
}

}  // namespace torvel::forge::creatures
