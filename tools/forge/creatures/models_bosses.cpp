// The great foes: the walking tower, giant Bobby, the hell boiler, Vorga and
// Vorga's true form.
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
// The walking tower: a round keep of stone on two stumpy legs, an eye glaring
// from its window and a mortar on its roof.

void BuildTower(Scene& scene, const PoseKey& key) {
  const Material stone = Banded(Mat(kGrey, 4, 21, 2), {0, 0, 1}, 9, 1.2, -6);
  const Material roof = Mat(kRed, 3, 19, 3);
  double stride = 0, lean = 0, lift = 0, crouch = 0, crumble = 0, eye = 1, mortar = 0;
  switch (key.anim) {
    case 0:
      eye = 0.2;  // asleep
      break;
    case 1:
      stride = Wave(key.cycle);
      break;
    case 2:
      switch (key.frame) {
        case 5:
          crouch = 0.5;
          lean = -0.1;
          break;
        case 6:
          crouch = 1.0;
          lean = -0.18;
          break;
        case 7:
          lean = 0.3;
          break;
        case 8:
          lean = -0.15;
          break;
        case 9:
          lift = 14;
          crouch = -0.3;
          break;
        case 10:
          crouch = 1.0;
          lean = 0.05;
          break;
        default:
          crouch = 0.3;
          break;
      }
      break;
    case 3:
      crumble = (key.frame - 11) / 4.0;
      eye = 1 - crumble;
      break;
    case 4:
      mortar = 1;
      break;
    default:
      break;
  }
  Mat3 tilt = RotY(lean + 0.35 * crumble) * RotX(0.12 * crumble);
  double legLen = 22 - 8 * crouch;
  Vec3 base{0, 0, legLen + lift};
  for (int side = -1; side <= 1; side += 2) {
    double s = side * stride;
    Vec3 hip = base + tilt * Vec3{0, side * 24.0, 2};
    Vec3 foot{10 * s, side * 26.0, lift > 0 ? lift * 0.5 : 0};
    scene.Cone(hip, foot + Vec3{0, 0, 8}, 11, 9, stone);
    scene.Box(foot + Vec3{6, 0, 4}, {16, 11, 4.5}, Mat(kGrey, 3, 16, 2));
  }
  double h = 110 * (1 - 0.3 * crumble);
  Vec3 top = base + tilt * Vec3{0, 0, h};
  scene.Frustum(base, top, 46, 38, stone);
  // Battlements, a conical roof, a window with the eye, arrow slits.
  for (int k = 0; k < 10; ++k) {
    double a = k * kPi / 5;
    if (crumble > 0.5 && k % 3 == 0) continue;
    scene.Box(top + tilt * Vec3{Cos(a) * 36, Sin(a) * 36, 5}, {6, 6, 6}, stone, tilt * RotZ(a));
  }
  scene.Frustum(top + tilt * Vec3{0, 0, 2}, top + tilt * Vec3{-4, 0, 34 - 20 * crumble}, 30, 2,
                roof);
  Vec3 win = base + tilt * Vec3{40, 0, h * 0.62};
  scene.Ellipsoid(win, {8, 13, 15}, Flat(kGrey, 1), tilt);
  scene.Sphere(win + tilt * Vec3{2, 0, 0}, 9.5 * std::max(0.2, eye), Mat(kGold, 10, 30, 8));
  scene.Sphere(win + tilt * Vec3{10.5, 0, 0}, 3.2 * std::max(0.2, eye),
               Flat(kRed, eye > 0.5 ? 24 : 6));
  for (int side = -1; side <= 1; side += 2) {
    scene.Box(base + tilt * Vec3{Cos(side * 0.7) * 44, Sin(side * 0.7) * 44, h * 0.3}, {2, 2, 8},
              Flat(kGrey, 1), tilt * RotZ(side * 0.7));
  }
  Vec3 gun = top + tilt * Vec3{6, 0, 22 - 10 * crumble};
  Vec3 dir = tilt * Normalize(Vec3{1, 0, mortar > 0 ? 1.6 : 0.5});
  scene.Cylinder(gun, gun + dir * 22, 7, Mat(kGrey, 2, 14, 8));
  if (mortar > 0) scene.Sphere(gun + dir * 27, 6, Mat(kGrey, 10, 24));
  if (crumble > 0) {
    for (int k = 0; k < 8; ++k) {
      double a = k * 0.8;
      double r = 40 + 30 * crumble;
      scene.Box({Cos(a) * r, Sin(a) * r, 5}, {7, 6, 5}, stone, RotZ(a));
    }
  }
}

// ---------------------------------------------------------------------------
// Giant Bobby: an armoured ogre with a club as long as a man, always facing
// the viewer. He slams it down in front, sweeps it all round, stamps the
// ground and hides behind his crossed arms.

const HumanBody kOgreBody = [] {
  HumanBody b;
  b.thigh = 22;
  b.shin = 20;
  b.torso = 40;
  b.neck = 3;
  b.headR = 14;
  b.shoulderHalf = 30;
  b.hipHalf = 13;
  b.upperArm = 30;
  b.foreArm = 28;
  b.footLen = 12;
  return b;
}();

void BuildBobby(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.armOut[0] = p.armOut[1] = 0.25;
  p.shoulder[1] = 0.6;
  p.elbow[1] = 0.9;
  // Where the club points from his hand, in his own frame.
  Vec3 club{0.3, 0.2, 1};
  double roar = 0;
  switch (key.anim) {
    case 0:
      BreathePose(p, key.frame == 1 ? 1.5 : 0);
      break;
    case 1:
      WalkPose(p, key.cycle, 0.3);
      p.shoulder[1] = 0.6;
      p.elbow[1] = 0.9;
      p.roll = 0.08 * Wave(key.cycle);
      break;
    case 2: {
      // Slam: up over his head, down on the ground before him at 5.
      double hit = BeatT(key, 5);
      ChopPose(p, key.t, hit, 1);
      double up = Pulse(key.t, 0.0, hit * 0.7, hit);
      double down = Ramp(key.t, hit * 0.75, hit) * (1 - 0.6 * Ramp(key.t, hit, 1.0));
      club = Lerp(Lerp(Vec3{0.3, 0.2, 1}, Vec3{-0.8, 0.1, 1}, up), Vec3{1, -0.2, -0.4}, down);
      roar = down;
      break;
    }
    case 3:
      CollapsePose(p, Ramp(key.t, 0.0, 0.7));
      club = {0.2, 1, -0.2};
      break;
    case 4:
      // Guard: arms crossed before his face.
      for (int i = 0; i < 2; ++i) {
        p.shoulder[i] = 1.7;
        p.armOut[i] = -0.35;
        p.elbow[i] = 1.3;
      }
      p.crouch = 4;
      p.headPitch = 0.3;
      club = {0.2, -1, 0.6};
      break;
    case 5: {
      // Sweep: the club swings round him, clockwise as seen from above,
      // starting in front and ending at his side.
      static const double kAngle[10] = {-0.6, -0.3, 0.0, 0.0, 0.8, 1.57, 2.35, 3.14, 3.9, 4.7};
      int k = std::clamp(key.frame - 25, 0, 9);
      double a = kAngle[k];
      // Angle 0 is in front of him (toward the viewer), increasing round to
      // his right hand side (screen left) and behind.
      Vec3 out{Cos(a), Sin(a), 0.05};
      p.shoulder[1] = 1.5;
      p.armOut[1] = 0.3;
      p.elbow[1] = 0.1;
      p.twist = std::clamp(a, -0.6, 1.2) * 0.6;
      club = out;
      if (k <= 2) club = {0.2, 1, 0.6};
      break;
    }
    case 6: {
      // Quake: lifts one foot high and stamps on 9 and 10.
      double stamp = key.frame >= 41 ? 1 : 0;
      double raise = Smooth(Ramp(key.pos, 0, 6)) * (1 - stamp);
      p.hip[0] = 1.1 * raise;
      p.knee[0] = 1.6 * raise;
      p.roll = -0.15 * raise;
      p.crouch = 6 * stamp;
      p.shoulder[0] = p.shoulder[1] = 1.0 + 0.8 * raise;
      p.armOut[0] = p.armOut[1] = 0.8;
      roar = stamp;
      break;
    }
    case 7:
      // A blocked blow: thrown back behind his guard.
      for (int i = 0; i < 2; ++i) {
        p.shoulder[i] = 1.9;
        p.armOut[i] = -0.2;
        p.elbow[i] = 1.1;
      }
      p.lean = key.frame == 44 ? -0.25 : -0.1;
      p.headPitch = -0.2;
      roar = key.frame == 45 ? 0 : 1;
      club = {0.2, -1, 0.6};
      break;
    default:
      break;
  }
  HumanJoints j = PoseHuman(kOgreBody, p);
  HumanLook l;
  l.skin = Mat(kGreen, 5, 22, 3);
  l.hand = l.skin;
  l.shirt = Mat(kBrown, 4, 18, 2);
  l.sleeve = l.skin;
  l.trousers = Mat(kBrown, 3, 14);
  l.boot = Mat(kGrey, 3, 16, 6);
  Build(l, 10, {20, 30, 22}, {22, 26, 18});
  DrawHumanoid(scene, kOgreBody, j, l);
  const Mat3& t = j.torsoFrame;
  const Mat3& h = j.headFrame;
  Material iron = Mat(kGrey, 4, 24, 10);
  scene.Ellipsoid(j.pelvis + t * Vec3{2, 0, 30}, {18, 28, 14}, iron, t);
  for (int i = 0; i < 2; ++i) scene.Sphere(j.shoulder[i] + t * Vec3{0, 0, 4}, 12, iron);
  scene.Cylinder(j.pelvis + t * Vec3{0, 0, 8}, j.pelvis + t * Vec3{0, 0, 13}, 25,
                 Mat(kBrown, 3, 15));
  // Helmet with horns, a heavy jaw with tusks.
  scene.Ellipsoid(j.head + h * Vec3{-2, 0, 5}, {13, 14, 10}, iron, h);
  for (int side = -1; side <= 1; side += 2) {
    scene.Cone(j.head + h * Vec3{-2, side * 12.0, 9}, j.head + h * Vec3{2, side * 22.0, 22}, 4, 1,
               Mat(kGrey, 12, 30, 6));
    scene.Sphere(OnHead(j, 13.5, side * 0.38, 0.0), 2.2, Flat(kRed, 27));
    scene.Cone(j.head + h * Vec3{11, side * 5.0, -7}, j.head + h * Vec3{13, side * 6.0, -1}, 1.8,
               0.5, Mat(kGrey, 16, 30));
  }
  scene.Ellipsoid(j.head + h * Vec3{9, 0, -8}, {6, 10, 3 + 4 * roar},
                  roar > 0.3 ? Flat(kRed, 5) : l.skin, h);
  // The club: a great studded log.
  Vec3 d = t * Normalize(club);
  Vec3 grip = j.hand[1];
  Vec3 end = grip + d * 60;
  scene.Cone(grip - d * 6, end, 5, 11, Mat(kBrown, 4, 20, 2));
  for (int k = 0; k < 4; ++k) {
    Vec3 at = Lerp(grip, end, 0.55 + 0.12 * k);
    Vec3 side = Normalize(Cross(d, Vec3{0, 0, 1}) + Vec3{0, 0, 0.3 * (k % 2 ? 1 : -1)});
    scene.Cone(at + side * 8, at + side * 14, 2.5, 0.5, Mat(kGrey, 10, 28, 8));
  }
}

// ---------------------------------------------------------------------------
// The hell boiler: an iron cauldron over a furnace, bubbling with lava,
// with pipes, a chimney, and a mortar at its side.

void BuildBoiler(Scene& scene, const PoseKey& key) {
  const Material iron = Banded(Mat(kGrey, 3, 18, 8), {0, 0, 1}, 14, 2.5, -5);
  const Material lava = Mat(kGold, 18, 31, 4);
  const Material pipe = Mat(kBrown, 4, 20, 8);
  double bubble = 0, spew = 0, crack = 0, pump = 0;
  if (key.anim == 0) bubble = key.frame / 8.0;
  if (key.anim == 2) {
    int k = key.frame - 8;
    pump = k <= 2 ? (k + 1) / 3.0 : 1;
    spew = k >= 3 && k <= 6 ? 0.6 + 0.1 * (k - 3) : k > 6 ? 0.5 : 0;
    bubble = k / 9.0;
  }
  if (key.anim == kAnimDie) crack = (key.frame - 16) / 5.0;
  double sink = 30 * crack;
  // The furnace and its glowing door.
  scene.Box({0, 0, 22 - sink * 0.3}, {60, 80, 22}, Mat(kGrey, 2, 13, 4));
  scene.Ellipsoid({60, 0, 20 - sink * 0.3}, {3, 22, 14},
                  Flat(kRed, 18 + static_cast<int>(10 * pump)));
  for (int k = -2; k <= 2; ++k) scene.Box({62, k * 9.0, 20 - sink * 0.3}, {2, 1.2, 14}, iron);
  // The cauldron with lava brimming.
  Vec3 pot{-4, 0, 75 - sink};
  scene.Ellipsoid(pot + Vec3{0, 0, -18}, {66, 66, 22}, iron);
  scene.Cylinder(pot + Vec3{0, 0, -18}, pot + Vec3{0, 0, 34}, 66, iron);
  scene.Cylinder(pot + Vec3{0, 0, 34}, pot + Vec3{0, 0, 35}, 57, lava);
  for (int k = 0; k < 6; ++k) {
    double a = k * 1.05 + bubble * 2 * kPi;
    double r = 20 + 18 * (k % 3);
    double s = 3 + 4 * std::fabs(Sin(bubble * 2 * kPi + k));
    scene.Sphere(pot + Vec3{Cos(a) * r, Sin(a) * r, 34}, s, Mat(kGold, 20, 31, 6));
  }
  if (spew > 0) {
    for (int k = 0; k < 3; ++k) {
      Vec3 spout = pot + Vec3{20, 40.0 - 16.0 * k, 36};
      Vec3 top = spout + Vec3{6, 0, 50 * spew};
      scene.Cone(spout, top, 8, 4, Mat(kRed, 16, 30, 4));
      scene.Sphere(top, 6, lava);
    }
  }
  // Pipes, the chimney and the mortar on the left.
  scene.Cylinder(pot + Vec3{-30, 50, 20}, pot + Vec3{-30, 50, 95}, 11, pipe);
  scene.Cylinder(pot + Vec3{-30, 50, 95}, pot + Vec3{-30, 50, 100}, 14, pipe);
  if (pump > 0 || crack > 0) {
    scene.Sphere(pot + Vec3{-30, 50, 110 + 8 * pump}, 9 + 4 * pump, Mat(kGrey, 6, 20));
  }
  scene.Capsule(pot + Vec3{20, -70, 0}, {40, -85, 30 - sink * 0.3}, 6, pipe);
  scene.Cylinder({30, -92, 34 - sink * 0.3}, {55, -96, 55 - sink * 0.3}, 9, Mat(kGrey, 2, 16, 8));
  if (crack > 0) {
    for (int k = 0; k < 6; ++k) {
      double a = k * 0.7 - 1.7;
      Vec3 on = pot + Vec3{Cos(a) * 58, Sin(a) * 77, 10 - k * 4.0};
      scene.Capsule(on, on + Vec3{2, 6, -12}, 2.0, Flat(kGold, 30));
    }
    if (crack > 0.6) scene.Sphere(pot + Vec3{30, 0, 20}, 40 * crack, Mat(kGold, 16, 31));
  }
}

// ---------------------------------------------------------------------------
// Vorga: the dark warlord in horned black armour, with a red cloak and a
// great sword.

const HumanBody kVorgaBody = [] {
  HumanBody b;
  b.thigh = 16;
  b.shin = 16;
  b.torso = 24;
  b.neck = 2;
  b.headR = 9;
  b.shoulderHalf = 15;
  b.hipHalf = 7;
  b.upperArm = 15;
  b.foreArm = 15;
  b.footLen = 8;
  return b;
}();

void BuildVorga(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.shoulder[1] = 0.5;
  p.elbow[1] = 0.9;
  Vec3 blade{0.6, 0, 1};
  switch (key.anim) {
    case 1:
      WalkPose(p, key.cycle, 0.55);
      p.lean = 0.25;
      p.shoulder[1] = 0.3;
      p.elbow[1] = 0.5;
      break;
    case 2: {
      // Rising from one knee to his full height, sword raised.
      double r = Smooth((key.frame - 7) / 6.0);
      p.crouch = 14 * (1 - r);
      p.hip[0] = 1.3 * (1 - r);
      p.knee[0] = 1.6 * (1 - r);
      p.knee[1] = 2.0 * (1 - r);
      p.hip[1] = -0.2 * (1 - r);
      p.lean = 0.4 * (1 - r);
      p.headPitch = 0.5 * (1 - r) - 0.2 * r;
      p.shoulder[1] = 0.5 + 2.2 * r;
      p.elbow[1] = 0.3;
      blade = {0.1, 0, 1};
      break;
    }
    case 3: {
      // Struck down: to his knees, the sword falls from his hand.
      double t = key.t;
      p.crouch = 14 * Smooth(Ramp(t, 0, 0.4));
      p.knee[0] = p.knee[1] = 1.8 * Smooth(Ramp(t, 0, 0.4));
      p.hip[0] = p.hip[1] = 0.6 * Smooth(Ramp(t, 0, 0.4));
      p.lean = 0.5 * Smooth(Ramp(t, 0.2, 0.6));
      p.headPitch = 0.6 * Smooth(Ramp(t, 0.2, 0.6));
      p.shoulder[1] = 0.2;
      p.shoulder[0] = 0.2;
      blade = {1, 0.8, -0.3};
      break;
    }
    default:
      BreathePose(p, 1);
      break;
  }
  HumanJoints j = PoseHuman(kVorgaBody, p);
  Material plate = Mat(kViolet, 2, 16, 12);
  HumanLook l = DressedIn(plate);
  l.trousers = Mat(kViolet, 1, 12, 6);
  Build(l, 4.5, {7, 10, 9}, {6, 8, 7});
  const Mat3& t = j.torsoFrame;
  const Mat3& h = j.headFrame;
  // The cloak hangs behind.
  scene.Frustum(j.chest + t * Vec3{-5, 0, -1}, j.pelvis + t * Vec3{-9, 0, -30}, 12, 16,
                Mat(kRed, 3, 18, 2));
  DrawHumanoid(scene, kVorgaBody, j, l);
  for (int i = 0; i < 2; ++i) {
    scene.Ellipsoid(j.shoulder[i] + t * Vec3{0, 0, 3}, {6, 6, 4}, plate, t);
    scene.Cone(j.shoulder[i] + t * Vec3{0, i == 0 ? -4.0 : 4.0, 5},
               j.shoulder[i] + t * Vec3{0, i == 0 ? -7.0 : 7.0, 12}, 2, 0.4, Mat(kGrey, 8, 26, 8));
  }
  for (int side = -1; side <= 1; side += 2) {
    scene.Cone(j.head + h * Vec3{0, side * 7.0, 5}, j.head + h * Vec3{-4, side * 14.0, 16}, 3, 0.6,
               Mat(kGrey, 8, 28, 8));
    scene.Sphere(OnHead(j, 8.8, side * 0.35, 0.05), 1.4, Flat(kRed, 29));
  }
  Vec3 fore = Normalize(j.hand[1] - j.elbow[1]);
  Vec3 d = key.anim == 3 ? t * Normalize(blade)
                         : Normalize(Cross(fore, t.cy) * blade.z + fore * blade.x);
  Mat3 along = AlongX(d);
  if (key.anim == 3 && key.t > 0.5) {
    scene.Box({10, 16, 2}, {22, 2.5, 1}, Mat(kIce, 6, 26, 12), RotZ(0.4));
  } else {
    scene.Box(j.hand[1] + d * 25, {22, 2.5, 1.2}, Mat(kIce, 6, 26, 12), along);
    scene.Box(j.hand[1] + d * 2.5, {1, 6, 1.5}, Mat(kGold, 8, 26, 8), along);
  }
}

// ---------------------------------------------------------------------------
// Vorga's true form: a horned demon with bat wings and a clawed hand; it
// walks sideways toward its prey, seen always from the front.

const HumanBody kDemonBody = [] {
  HumanBody b;
  b.thigh = 18;
  b.shin = 18;
  b.torso = 28;
  b.neck = 4;
  b.headR = 11;
  b.shoulderHalf = 18;
  b.hipHalf = 9;
  b.upperArm = 19;
  b.foreArm = 18;
  b.footLen = 10;
  return b;
}();

void BuildDemon(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.armOut[0] = p.armOut[1] = 0.4;
  p.elbow[0] = p.elbow[1] = 0.6;
  p.shoulder[0] = p.shoulder[1] = 0.5;
  double turn = 0, mouth = 0, wings = 0.3;
  switch (key.anim) {
    case 1:
    case 4: {
      // Walking to its left or right while it faces the viewer.
      turn = key.anim == 1 ? -0.5 : 0.5;
      WalkPose(p, key.cycle, 0.45);
      break;
    }
    case 2: {
      // A sweep of its right claw out to the side (screen right).
      double hit0 = BeatT(key, 9), hit1 = BeatT(key, 13);
      double wind = Pulse(key.t, 0.0, hit0 * 0.9, hit0);
      double swing = Ramp(key.t, hit0 * 0.9, hit1) * (1 - Ramp(key.t, hit1, 1.0));
      p.shoulder[0] = 0.5 + 1.5 * wind + 1.0 * swing;
      p.armOut[0] = 0.4 + 1.4 * swing;
      p.elbow[0] = 0.6 + 1.0 * wind - 0.5 * swing;
      p.twist = 0.5 * wind - 0.5 * swing;
      mouth = swing;
      wings = 0.3 + 0.5 * swing;
      break;
    }
    case 3:
      CollapsePose(p, Ramp(key.t, 0.0, 0.6));
      wings = -0.5;
      mouth = 0.6;
      break;
    case 5: {
      double hit = BeatT(key, 12);
      p.lean = 0.35 * Ramp(key.t, 0.0, hit);
      p.headPitch = -0.3 * Ramp(key.t, 0.0, hit) + 0.3 * Pulse(key.t, hit * 0.9, hit, 1.0);
      mouth = Ramp(key.t, hit * 0.6, hit) * (1 - Ramp(key.t, std::min(1.0, hit + 0.1), 1.0));
      break;
    }
    case 6: {
      // A leap and a stamp on 7 and 8.
      double t = key.t;
      LeapPose(p, t, BeatT(key, 4), 14);
      double stamp = Pulse(t, BeatT(key, 6), BeatT(key, 7), BeatT(key, 10));
      p.crouch += 6 * stamp;
      wings = 0.3 + 0.7 * Pulse(t, 0.0, BeatT(key, 4), BeatT(key, 7));
      mouth = stamp;
      break;
    }
    default:
      BreathePose(p, 1);
      break;
  }
  // A one-facing set: turning to its side while it walks is drawn here.
  Mat3 keep = scene.Rotation();
  scene.SetTransform(keep * RotZ(turn), {0, 0, 0});
  HumanJoints j = PoseHuman(kDemonBody, p);
  Material hide = Mat(kRed, 3, 20, 4);
  HumanLook l = DressedIn(hide);
  l.hand = Mat(kRed, 3, 18, 4);
  l.trousers = Mat(kViolet, 2, 14, 3);
  l.boot = Mat(kGrey, 2, 12, 4);
  Build(l, 6, {10, 14, 12}, {8, 11, 8});
  DrawHumanoid(scene, kDemonBody, j, l);
  const Mat3& t = j.torsoFrame;
  const Mat3& h = j.headFrame;
  WingShape w;
  w.span = 46;
  w.chord = 26;
  w.boneR = 1.6;
  for (int side = -1; side <= 1; side += 2) {
    DrawBatWing(scene, j.chest + t * Vec3{-8, side * 6.0, 2}, side > 0, w, wings, 0.15,
                Mat(kRed, 3, 16), Mat(kViolet, 2, 12, 2));
    scene.Cone(j.head + h * Vec3{-1, side * 8.0, 6}, j.head + h * Vec3{-6, side * 18.0, 16}, 4, 0.6,
               Mat(kGrey, 10, 29, 8));
    scene.Sphere(OnHead(j, 10.7, side * 0.38, 0.1), 1.8, Flat(kGold, 30));
    for (int k = -1; k <= 1; ++k) {
      Vec3 hand = j.hand[side < 0 ? 0 : 1];
      scene.Cone(hand, hand + t * Vec3{5, side * 2.0 + k * 2.5, -5}, 1.3, 0.3, Mat(kGrey, 14, 30));
    }
  }
  scene.Ellipsoid(j.head + h * Vec3{8, 0, -5}, {4, 7, 1.5 + 4 * mouth},
                  mouth > 0.3 ? Flat(kGold, 26) : Flat(kRed, 4), h);
  Vec3 tail[4] = {j.pelvis + t * Vec3{-6, 0, 0}, j.pelvis + t * Vec3{-18, 6, -8},
                  j.pelvis + t * Vec3{-26, 14, -14}, j.pelvis + t * Vec3{-30, 22, -10}};
  DrawChain(scene, tail, 4, 3.5, 1.0, hide);
  scene.SetTransform(keep, {0, 0, 0});
}

}  // namespace

void RegisterBosses(DesignTable& table) {
  table[15].build = BuildTower;
  table[32].build = BuildBobby;
  table[32].scale = 1.9;  // his slam reaches 225 pixels
  table[54].build = BuildBoiler;
  table[57].build = BuildVorga;
  table[57].scale = 1.35;
  table[58].build = BuildDemon;
}

}  // namespace torvel::forge::creatures
