// The desert and the old tombs: the djinni and its lamp, the dust devil, the
// spiked boulder, the lich, and the sphinx with its two great paws.
#include <algorithm>
#include <cmath>

#include "forge/creatures/bodies.h"
#include "forge/creatures/models.h"
#include "forge/creatures/poses.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

// ---------------------------------------------------------------------------
// Djinni: a body of light from the waist up that trails off into smoke; its
// turban, eyes and bracelets are solid.

const HumanBody kDjinniBody = [] {
  HumanBody b;
  b.torso = 11;
  b.headR = 5;
  b.shoulderHalf = 6;
  b.upperArm = 7;
  b.foreArm = 7;
  return b;
}();

void BuildDjinni(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.shoulder[0] = p.shoulder[1] = 0.5;
  p.elbow[0] = p.elbow[1] = 1.6;
  p.armOut[0] = p.armOut[1] = 0.6;
  double wave = 0, fade = 0, trail = 0;
  switch (key.anim) {
    case 0:
      wave = key.frame / 3.0;
      break;
    case 1:
      wave = (key.frame - 4) / 3.0;
      trail = 1;
      p.lean = 0.35;
      break;
    case 2:
      PunchPose(p, key.t, BeatT(key, 5), 1);
      break;
    case 3:
      fade = (key.pos + 1) / 4.0;
      break;
    case 4: {
      // A flourish: arms wide, turning on itself.
      double s = (key.frame - 19) / 4.0;
      p.twist = -0.8 + 1.6 * s;
      p.shoulder[0] = p.shoulder[1] = 1.6;
      p.armOut[0] = p.armOut[1] = 1.2;
      p.elbow[0] = p.elbow[1] = 0.3;
      wave = s;
      break;
    }
    default:
      break;
  }
  p.grounded = false;
  p.lift = 2;
  HumanJoints j = PoseHuman(kDjinniBody, p);
  Material body = Glow(6, 22);
  Material smoke = Glow(3, 13);
  double keep = 1 - fade;
  const Mat3& t = j.torsoFrame;
  if (keep > 0.05) {
    scene.Ellipsoid(j.pelvis + t * Vec3{0, 0, kDjinniBody.torso * 0.62}, Vec3{3.4, 5.2, 4.6} * keep,
                    body, t);
    scene.Sphere(j.head, kDjinniBody.headR * keep, body);
    for (int i = 0; i < 2; ++i) {
      scene.Cone(j.shoulder[i], j.elbow[i], 1.8 * keep, 1.6 * keep, body);
      scene.Cone(j.elbow[i], j.hand[i], 1.6 * keep, 1.4 * keep, body);
      scene.Cylinder(Lerp(j.elbow[i], j.hand[i], 0.75), Lerp(j.elbow[i], j.hand[i], 0.95),
                     1.9 * keep, Mat(kGold, 10, 28, 8));
    }
    const Mat3& h = j.headFrame;
    scene.Ellipsoid(j.head + h * Vec3{-0.5, 0, 3.5}, Vec3{5.4, 5.4, 3.6} * keep,
                    Mat(kViolet, 6, 24, 4), h);
    scene.Sphere(j.head + h * Vec3{3.5, 0, 5.5}, 1.3 * keep, Mat(kRed, 12, 30, 10));
    for (int side = -1; side <= 1; side += 2) {
      scene.Sphere(OnHead(j, kDjinniBody.headR * keep, side * 0.4, 0.1), 0.8, Flat(kBlue, 28));
    }
  }
  // The tail of smoke that takes the place of legs, curling as it waves.
  Vec3 tail[5];
  for (int i = 0; i < 5; ++i) {
    double f = i / 4.0;
    tail[i] =
        j.pelvis + Vec3{-f * (4 + 10 * trail), 3 * Sin(2 * kPi * (wave + f * 0.6)) * f, -f * 17};
  }
  DrawChain(scene, tail, 5, 4.8 * std::max(0.3, keep), 0.8, smoke);
  if (fade > 0) {
    for (int k = 0; k < 4; ++k) {
      double a = k * 1.57 + fade * 2;
      scene.Sphere(j.chest + Vec3{Cos(a) * 8 * fade, Sin(a) * 8 * fade, 4 * fade}, 3.5 * fade,
                   smoke);
    }
  }
}

// ---------------------------------------------------------------------------
// The magic lamp: gold, with a long spout that smokes before the djinni comes.

void BuildLamp(Scene& scene, const PoseKey& key) {
  const Material gold = Mat(kGold, 6, 28, 14);
  double rock = 0, smoke = 0, dent = 0;
  switch (key.frame) {
    case 1:
      rock = 0.25;
      break;
    case 2:
      rock = -0.25;
      break;
    case 3:
      rock = 0.12;
      break;
    case 4:
      smoke = 0.4;
      break;
    case 5:
      smoke = 0.8;
      break;
    case 6:
      smoke = 1.0;
      break;
    case 7:
      dent = 0.4;
      break;
    case 8:
      dent = 0.8;
      break;
    case 9:
      dent = 1.0;
      break;
    default:
      break;
  }
  Mat3 tilt = RotX(rock) * RotY(0.9 * dent);
  Vec3 base{0, 0, 0};
  auto at = [&](Vec3 v) { return base + tilt * v; };
  scene.Cylinder(at({0, 0, 0}), at({0, 0, 3}), 6, gold);
  scene.Ellipsoid(at({0, 0, 9}), {12, 8, 6}, gold, tilt);
  scene.Cone(at({10, 0, 10}), at({20, 0, 15}), 3.2, 1.2, gold);
  scene.Ellipsoid(at({-1, 0, 15}), {4, 4, 2.5}, gold, tilt);
  scene.Sphere(at({-1, 0, 18}), 1.6, Mat(kRed, 12, 30, 10));
  Vec3 h[4] = {at({-10, 0, 12}), at({-16, 0, 13}), at({-16, 0, 7}), at({-10, 0, 6})};
  DrawChain(scene, h, 4, 1.4, 1.4, gold);
  if (smoke > 0) {
    for (int k = 0; k < 4; ++k) {
      double f = (k + 1) / 4.0 * smoke;
      scene.Sphere(at({21 + 4 * f, -2 * k * f, 16 + 18 * f}), 2 + 4 * f, Mat(kViolet, 8, 24, 2));
    }
  }
}

// ---------------------------------------------------------------------------
// Dust devil: a whirl of glowing dust, wide at the top, with grit flying in it.

void BuildDustDevil(Scene& scene, const PoseKey& key) {
  double spin = 0, lean = 0, wide = 0, fade = 0;
  switch (key.anim) {
    case 0:
      spin = key.frame / 6.0;
      break;
    case 1:
      spin = (key.frame - 6) / 6.0;
      lean = 0.35;
      break;
    case 2:
      spin = (key.frame - 12) / 6.0;
      wide = Pulse(key.t, 0.0, BeatT(key, 5), 1.0);
      break;
    case 3:
      spin = (key.frame - 18) / 5.0;
      fade = (key.frame - 17) / 5.0;
      break;
    default:
      break;
  }
  // Streaks of glowing dust winding up round a widening funnel.
  double top = 110 * (1 - 0.4 * fade);
  double rTop = 40 * (1 + 0.4 * wide) * (1 - 0.5 * fade);
  const int strands = 5, points = 32;
  for (int k = 0; k < strands; ++k) {
    Vec3 pts[points];
    for (int i = 0; i < points; ++i) {
      double u = i / (points - 1.0);
      double r = 4 + (rTop - 4) * u * u;
      double a = 2 * kPi * (k / double(strands) + 2.5 * u + spin);
      double z = 2 + u * (top - 2);
      pts[i] = {lean * z * 0.3 + Cos(a) * r, Sin(a) * r * 0.9, z};
    }
    DrawChain(scene, pts, points, 1.6, 3.2, Glow(5 + k % 3, 15 + 2 * (k % 3)));
  }
  for (int k = 0; k < 10; ++k) {
    double a = 2 * kPi * (spin + k * 0.1);
    double z = 10 + k * 10.0 * (1 - 0.4 * fade);
    double r = (8 + 2.6 * k) * (1 + 0.4 * wide);
    scene.Sphere({Cos(a) * r + lean * z * 0.3, Sin(a) * r, z}, 1.6 + (k % 3) * 0.6,
                 Mat(kBrown, 6, 22));
  }
}

// ---------------------------------------------------------------------------
// The spiked boulder: a ball of stone with a spike along each of its axes and
// toward each corner, so that it looks the same every quarter turn.

void BuildRoller(Scene& scene, const PoseKey& key) {
  const Material stone = Mat(kGrey, 4, 22, 4);
  const Material spike = Mat(kBrown, 5, 24, 6);
  double aboutY = 0, aboutX = 0;
  int crack = 0;
  // Rolling toward the viewer or away turns it about its across axis; east
  // or west about its along axis.
  if (key.frame >= 1 && key.frame <= 5) aboutY = key.frame * kPi / 12;
  if (key.frame == 6 || key.frame == 7) aboutX = (key.frame - 5) * kPi / 6;
  if (key.frame == 8) crack = 1;
  if (key.frame == 9) crack = 2;
  Mat3 spin = RotY(aboutY) * RotX(aboutX);
  const double r = 28;
  Vec3 c{0, 0, r + 4};
  scene.Sphere(c, r, crack == 2 ? Mat(kGrey, 3, 16, 2) : stone);
  const Vec3 dirs[14] = {{1, 0, 0},  {-1, 0, 0},  {0, 1, 0},   {0, -1, 0},  {0, 0, 1},
                         {0, 0, -1}, {1, 1, 1},   {1, 1, -1},  {1, -1, 1},  {1, -1, -1},
                         {-1, 1, 1}, {-1, 1, -1}, {-1, -1, 1}, {-1, -1, -1}};
  for (const Vec3& d0 : dirs) {
    Vec3 d = spin * Normalize(d0);
    double len = std::fabs(d0.x) + std::fabs(d0.y) + std::fabs(d0.z) > 1.5 ? 9 : 13;
    scene.Cone(c + d * (r - 3), c + d * (r + len), 4.5, 0.6, spike);
  }
  if (crack > 0) {
    for (int k = 0; k < 3 + 2 * crack; ++k) {
      double a = k * 1.3;
      Vec3 d = Normalize(Vec3{Cos(a), Sin(a), 0.6});
      scene.Capsule(c + d * r * 0.98, c + Normalize(d + Vec3{0.2, -0.3, 0.3}) * r * 0.98, 0.9,
                    Flat(kGrey, 1));
    }
  }
}

// ---------------------------------------------------------------------------
// The lich: a crowned skull over robes of ghost-light, hovering.

const HumanBody kLichBody = [] {
  HumanBody b;
  b.torso = 30;
  b.neck = 6;
  b.headR = 11;
  b.shoulderHalf = 17;
  b.upperArm = 19;
  b.foreArm = 18;
  return b;
}();

void BuildLich(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.shoulder[0] = p.shoulder[1] = 0.3;
  p.elbow[0] = p.elbow[1] = 0.8;
  p.armOut[0] = p.armOut[1] = 0.35;
  double sway = 0, power = 0, fade = 0;
  switch (key.frame) {
    case 1:
      sway = 1;
      break;
    case 2:
      CastPose(p, 0.5, 0.5);
      power = 0.4;
      break;
    case 3:
      CastPose(p, 1.0, 1.0);
      p.shoulder[0] = p.shoulder[1] = 2.4;
      power = 1;
      break;
    case 4:
      CastPose(p, 1.0, 1.0);
      p.shoulder[0] = p.shoulder[1] = 2.7;
      p.armOut[0] = p.armOut[1] = 0.9;
      power = 0.8;
      break;
    case 5:
      fade = 0.3;
      break;
    case 6:
      fade = 0.6;
      break;
    case 7:
      fade = 0.9;
      break;
    default:
      break;
  }
  p.grounded = false;
  p.lift = 10 - 8 * fade;
  p.roll = 0.06 * sway;
  HumanJoints j = PoseHuman(kLichBody, p);
  double keep = 1 - fade;
  Material robe = Glow(4, static_cast<int>(18 * keep) + 4);
  const Mat3& t = j.torsoFrame;
  scene.Frustum(j.pelvis + t * Vec3{0, 0, kLichBody.torso}, j.pelvis + t * Vec3{-2 * sway, 0, -24},
                13, 24 * keep + 6, robe);
  scene.Ellipsoid(j.pelvis + t * Vec3{0, 0, kLichBody.torso * 0.62}, {11, 17, 11}, robe, t);
  for (int i = 0; i < 2; ++i) {
    scene.Cone(j.shoulder[i], j.elbow[i], 6, 7, robe);
    scene.Cone(j.elbow[i], j.hand[i], 7, 8, robe);
    Material bone = Mat(kGrey, 8, 26, 4);
    scene.Sphere(j.hand[i], 3.5 * keep + 0.5, bone);
    if (power > 0) scene.Sphere(j.hand[i] + Vec3{0, 0, 5}, 5 * power, Glow(10, 31));
  }
  if (keep > 0.2) {
    Material bone = Mat(kGrey, 9, 28, 4);
    const Mat3& h = j.headFrame;
    scene.Ellipsoid(j.head, Vec3{10, 9.5, 10.5} * keep, bone, h);
    for (int side = -1; side <= 1; side += 2) {
      scene.Sphere(OnHead(j, 9 * keep, side * 0.45, 0.05), 3.0 * keep, Flat(kGrey, 2));
      scene.Sphere(OnHead(j, 10 * keep, side * 0.45, 0.05), 1.3 * keep, Flat(kGreen, 28));
    }
    scene.Ellipsoid(j.head + h * Vec3{4, 0, -8 * keep}, Vec3{5, 6, 2.5} * keep, bone, h);
    Vec3 crown = j.head + h * Vec3{0, 0, 8 * keep};
    scene.Cylinder(crown, crown + h * Vec3{0, 0, 3}, 8 * keep, Mat(kGold, 8, 28, 10));
    for (int k = 0; k < 5; ++k) {
      double a = -kPi / 2 + k * kPi / 4;
      scene.Cone(crown + h * Vec3{Cos(a) * 7 * keep, Sin(a) * 7 * keep, 2},
                 crown + h * Vec3{Cos(a) * 7.5 * keep, Sin(a) * 7.5 * keep, 8}, 1.6, 0.4,
                 Mat(kGold, 8, 28, 10));
    }
  }
}

// ---------------------------------------------------------------------------
// The sphinx: a giant of sandstone lying before the viewer. Its front paws are
// creatures of their own, so the body here has none.

const Material kSandstone = Mat(kBrown, 6, 25, 3);
const Material kNemes = Banded(Mat(kGold, 6, 26, 6), {0, 0, 1}, 7, 3, 0, kBlue);

void BuildSphinx(Scene& scene, const PoseKey& key) {
  double mouth = 0, eyes = 0.3, raise = 0, crumble = 0;
  switch (key.frame) {
    case 1:
      eyes = 0.7;
      mouth = 0.3;
      break;
    case 2:
      eyes = 1;
      mouth = 0.6;
      break;
    case 3:
      crumble = 0.15;
      break;
    case 4:
      crumble = 0.4;
      break;
    case 5:
      crumble = 0.7;
      break;
    case 6:
      crumble = 1;
      break;
    case 7:
      raise = 0.3;
      mouth = 0.3;
      eyes = 0.6;
      break;
    case 8:
      raise = 0.6;
      mouth = 0.7;
      eyes = 0.8;
      break;
    case 9:
      raise = 0.9;
      mouth = 1;
      eyes = 1;
      break;
    case 10:
      raise = 1;
      mouth = 1.2;
      eyes = 1;
      break;
    default:
      break;
  }
  double sink = 30 * crumble;
  // The long lion's body lies behind, haunches last, the tail along its
  // side; the chest rises before it and carries the head.
  scene.Ellipsoid({-150, 0, 38 - sink * 0.4}, {42, 52, 36}, kSandstone);
  scene.Ellipsoid({-85, 0, 42 - sink * 0.5}, {75, 46, 38}, kSandstone);
  Vec3 tail[4] = {{-185, 30, 12}, {-175, 58, 6}, {-140, 66, 5}, {-110, 62, 8}};
  DrawChain(scene, tail, 4, 7, 5, kSandstone);
  scene.Ellipsoid({-8, 0, 52 - sink}, {30, 44, 50}, kSandstone);
  scene.Cone({-14, 0, 88 - sink}, {2, 0, 112 - sink * 1.3}, 24, 20, kSandstone);
  Mat3 tilt = RotY(-0.25 * raise);
  Vec3 head{10, 0, 132 - sink * 1.5 + 6 * raise};
  scene.Ellipsoid(head + tilt * Vec3{-8, 0, -6}, {22, 40, 34}, kNemes, tilt);
  scene.Ellipsoid(head + tilt * Vec3{-4, 0, 14}, {22, 30, 14}, kNemes, tilt);
  for (int side = -1; side <= 1; side += 2) {
    scene.Box(head + tilt * Vec3{4, side * 30.0, -26}, {6, 7, 22}, kNemes, tilt);
  }
  scene.Ellipsoid(head + tilt * Vec3{8, 0, 0}, {18, 22, 26}, kSandstone, tilt);
  scene.Ellipsoid(head + tilt * Vec3{24, 0, -2}, {5, 5, 9}, kSandstone, tilt);
  int glow = 8 + static_cast<int>(23 * eyes);
  for (int side = -1; side <= 1; side += 2) {
    scene.Ellipsoid(head + tilt * Vec3{22, side * 9.0, 6}, {2, 5, 3},
                    Flat(kGold, std::min(31, glow)), tilt);
  }
  scene.Ellipsoid(head + tilt * Vec3{23, 0, -14}, {3, 8, 1.5 + 5 * mouth}, Flat(kRed, 3), tilt);
  scene.Box(head + tilt * Vec3{18, 0, -28}, {4, 3, 8}, kNemes, tilt);
  if (crumble > 0) {
    for (int k = 0; k < 5 + static_cast<int>(8 * crumble); ++k) {
      double a = k * 1.1;
      double r = 50 + 40 * crumble;
      scene.Ellipsoid({Cos(a) * r * 0.7 - 10, Sin(a) * r, 6 + (k % 3) * 4.0}, {8, 7, 6},
                      kSandstone);
    }
    for (int k = 0; k < 4; ++k) {
      scene.Capsule(head + Vec3{24, -10.0 + k * 6, 20 - k * 5.0},
                    head + Vec3{24, -6.0 + k * 6, 5 - k * 8.0}, 1.0, Flat(kBrown, 2));
    }
  }
}

// One great paw: the foreleg lies along the ground toward the viewer from
// the shoulder at the hot spot; it lifts and slams its paw down far ahead.
void BuildSphinxPaw(Scene& scene, const PoseKey& key, bool left) {
  double lift = 0, crack = 0;
  switch (key.frame) {
    case 1:
      lift = 0.25;
      break;
    case 2:
      lift = 0.6;
      break;
    case 3:
      lift = 1.0;
      break;
    case 4:
      lift = 0.7;
      break;
    case 5:
      lift = 0.3;
      break;
    case 6:
      lift = -0.05;
      break;
    case 7:
      crack = 0.4;
      break;
    case 8:
      crack = 0.8;
      break;
    case 9:
      crack = 1;
      break;
    default:
      break;
  }
  double side = left ? -1 : 1;
  Vec3 shoulder{0, 0, 34};
  Vec3 elbow{40, side * 4.0, 14 + 20 * lift};
  Vec3 wrist{140 - 40 * lift, side * 6.0, 12 + 90 * lift};
  Vec3 paw = wrist + Vec3{16 - 6 * lift, 0, -4 - 4 * lift};
  Material stone = crack > 0.5 ? Mat(kBrown, 4, 20, 2) : kSandstone;
  scene.Ellipsoid({4, 0, 26}, {20, 20, 22}, stone);
  scene.Cone(shoulder, elbow, 19, 16, stone);
  scene.Cone(elbow, wrist, 16, 14, stone);
  scene.Ellipsoid(paw, {20, 20, 12}, stone);
  for (int k = -1; k <= 2; ++k) {
    Vec3 toe = paw + Vec3{16, k * 9.0 - side * 4, -3};
    scene.Ellipsoid(toe, {7, 5, 6}, stone);
    scene.Cone(toe + Vec3{5, 0, -1}, toe + Vec3{10, 0, -5}, 2, 0.5, Mat(kGrey, 8, 26, 6));
  }
  if (crack > 0) {
    for (int k = 0; k < 2 + static_cast<int>(4 * crack); ++k) {
      Vec3 a = Lerp(elbow, wrist, 0.15 + 0.13 * k) + Vec3{0, side * 8.0, 12};
      scene.Capsule(a, a + Vec3{6, -side * 10.0, -8}, 1.2, Flat(kBrown, 2));
    }
  }
}

void BuildSphinxPawLeft(Scene& scene, const PoseKey& key) {
  BuildSphinxPaw(scene, key, true);
}
void BuildSphinxPawRight(Scene& scene, const PoseKey& key) {
  BuildSphinxPaw(scene, key, false);
}

}  // namespace

void RegisterDesert(DesignTable& table) {
  table[40].build = BuildDjinni;
  table[41].build = BuildLamp;
  table[43].build = BuildRoller;
  table[44].build = BuildLich;
  table[44].scale = 1.25;
  table[45].build = BuildDustDevil;
  table[45].scale = 1.15;
  table[47].build = BuildSphinxPawLeft;
  table[48].build = BuildSphinxPawRight;
  table[49].build = BuildSphinx;
  table[49].scale = 1.15;
}

}  // namespace torvel::forge::creatures
