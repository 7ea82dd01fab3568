// The snow world: the snowman, the penguin, the zomboni, the yeti and the
// wicked Grandfather Frost.
#include <algorithm>
#include <cmath>

#include "forge/creatures/bodies.h"
#include "forge/creatures/models.h"
#include "forge/creatures/poses.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

const Material kSnow = Mat(kGrey, 13, 30, 3);
const Material kCoal = Flat(kGrey, 2);

// ---------------------------------------------------------------------------
// Snowman: three balls of snow, coal eyes, a carrot, stick arms, a pot hat.

void BuildSnowman(Scene& scene, const PoseKey& key) {
  const Material stick = Mat(kBrown, 3, 15);
  double hop = 0, tilt = 0, arm = 0, armBack = 0, scoop = 0, melt = 0, ball = 0;
  switch (key.anim) {
    case 1: {
      double w = Wave(key.cycle);
      tilt = 0.15 * w;
      hop = 3 * std::fabs(w);
      break;
    }
    case 2: {
      double hit = BeatT(key, 3);
      armBack = Pulse(key.t, 0.0, hit * 0.6, hit);
      arm = Pulse(key.t, hit * 0.6, hit, 1.0);
      break;
    }
    case 3:
      melt = Smooth(Ramp(key.t, 0.0, 0.65));
      break;
    case 4: {
      double rel = BeatT(key, 11);
      scoop = Pulse(key.t, 0.0, 0.25, 0.55);
      armBack = Pulse(key.t, 0.4, rel * 0.85, rel);
      arm = Pulse(key.t, rel * 0.85, rel, 1.0);
      ball = key.t > 0.15 && key.t < rel ? 1 : 0;
      break;
    }
    default:
      break;
  }
  Mat3 lean = RotX(-tilt) * RotY(0.35 * scoop - 0.15 * armBack + 0.2 * arm);
  double squash = 1 - 0.55 * melt;
  Vec3 base{0, 0, hop};
  auto up = [&](double z) { return base + lean * Vec3{0, 0, z * squash}; };
  scene.Ellipsoid(up(11), Vec3{15 + 5 * melt, 15 + 5 * melt, 11 * squash}, kSnow);
  scene.Ellipsoid(up(27), Vec3{11, 11, 9 * squash}, kSnow, lean);
  Vec3 head = up(40);
  scene.Ellipsoid(head, Vec3{8, 8, 7.5 * squash}, kSnow, lean);
  for (int k = 0; k < 3; ++k)
    scene.Sphere(up(22 + k * 4.5) + lean * Vec3{10.5 - k * 0.5, 0, 0}, 1.2, kCoal);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(head + lean * Vec3{6.6, side * 2.6, 1.8 * squash}, 1.2, kCoal);
  }
  scene.Cone(head + lean * Vec3{7, 0, 0}, head + lean * Vec3{13 - 3 * melt, 0, -1 - 2 * melt}, 1.6,
             0.3, Mat(kGold, 10, 26));
  if (melt < 0.8) {
    Vec3 hat = head + lean * Vec3{0, 0, 6 * squash};
    scene.Cylinder(hat, hat + lean * Vec3{0, 0, 1}, 8, Mat(kGrey, 2, 10, 4));
    scene.Cylinder(hat, hat + lean * Vec3{0, 0, 9}, 5.5, Mat(kGrey, 2, 10, 4));
  }
  // Stick arms: the right one swings, the left one scoops.
  for (int side = -1; side <= 1; side += 2) {
    Vec3 sh = up(28) + lean * Vec3{0, side * 10.0, 0};
    Vec3 hand;
    if (side > 0) {
      hand =
          sh + Vec3{4 - 10 * armBack + 12 * arm, side * (9 - 4 * arm), 6 + 10 * armBack - 4 * arm};
    } else {
      hand = sh + Vec3{4 + 8 * scoop, side * 9.0, 5 - 18 * scoop};
    }
    if (melt > 0.5) hand = sh + Vec3{2, side * 10.0, -12};
    scene.Cone(sh, hand, 1.0, 0.6, stick);
    scene.Cone(hand, hand + Vec3{1.5, side * 1.5, 2.5}, 0.6, 0.3, stick);
    if (side > 0 && ball > 0) scene.Sphere(hand + Vec3{0, 0, 2.5}, 4.0, kSnow);
  }
}

// ---------------------------------------------------------------------------
// Penguin: it hovers a hand above the snow on its whirring little wings.

void BuildPenguin(Scene& scene, const PoseKey& key) {
  const Material back = Mat(kGrey, 1, 9, 4);
  const Material belly = Mat(kGrey, 18, 30, 3);
  const Material beak = Mat(kGold, 10, 27, 4);
  double wing = 0, lean = 0, roll = 0, limp = 0;
  switch (key.frame) {
    case 1:
      wing = 1;
      break;
    case 2:
      wing = -1;
      break;
    case 3:
      lean = 0.7;
      wing = -0.6;
      break;
    case 4:
      lean = -0.35;
      wing = 0.8;
      break;
    case 5:
      roll = 0.5;
      wing = 1;
      break;
    case 6:
      roll = 1.4;
      wing = -1;
      lean = 0.3;
      break;
    case 7:
      roll = 1.7;
      limp = 1;
      break;
    default:
      break;
  }
  Mat3 body = RotX(roll) * RotY(lean);
  Vec3 c{0, 0, 9};
  scene.Ellipsoid(c, {6, 6.5, 9}, back, body);
  scene.Ellipsoid(c + body * Vec3{2.6, 0, -0.5}, {4.2, 5, 7.8}, belly, body);
  Vec3 head = c + body * Vec3{0.5, 0, 9.5};
  scene.Sphere(head, 4.6, back);
  scene.Ellipsoid(head + body * Vec3{2.4, 0, -0.6}, {2.4, 3.4, 2.8}, belly, body);
  scene.Cone(head + body * Vec3{4, 0, 0}, head + body * Vec3{7.5, 0, -1}, 1.4, 0.3, beak);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(head + body * Vec3{3.4, side * 1.9, 1.3}, 0.8, limp > 0 ? Flat(kGrey, 10) : kCoal);
    Vec3 sh = c + body * Vec3{0, side * 5.8, 3};
    Vec3 tip =
        sh + body * Vec3{-1.5, side * (3 + 3 * Cos(wing)), -7 * (1 - std::fabs(wing)) + 6 * wing};
    scene.Cone(sh, tip, 1.8, 0.8, back);
    scene.Ellipsoid(c + body * Vec3{1.5, side * 2.2, -9}, {2.8, 1.6, 0.9}, beak, body);
  }
}

// ---------------------------------------------------------------------------
// Zomboni: an ice-smoothing machine with a zombie at the wheel.

void BuildZomboni(Scene& scene, const PoseKey& key) {
  const Material paint = Mat(kBlue, 4, 22, 8);
  const Material metal = Mat(kGrey, 5, 24, 10);
  const Material tyre = Mat(kGrey, 1, 7, 2);
  double wheel = 0, shake = 0, wreck = 0, smoke = 0;
  bool driver = true;
  if (key.anim == 1) {
    wheel = key.pos * 2 * kPi / 3 / 3;
    shake = key.pos == 1 ? 1 : 0;
    smoke = key.pos == 0 ? 1 : 0;
  }
  if (key.anim == kAnimDie) {
    wreck = Smooth(Ramp(key.t, 0.0, 0.5));
    smoke = key.t > 0.3 ? 1 : 0;
    driver = key.frame != 8;
  }
  Mat3 tilt = RotX(0.18 * wreck) * RotY(-0.05 * wreck);
  Vec3 lift{0, 0, 0.5 * shake};
  auto at = [&](Vec3 v) { return tilt * v + lift; };
  // Body: the tank behind, the cab in front, the scraper at the back.
  scene.Box(at({-8, 0, 16}), {22, 17, 9}, paint, tilt);
  scene.Box(at({-16, 0, 28}), {12, 15, 6}, Mat(kIce, 8, 26, 8), tilt);
  scene.Box(at({-31, 0, 7}), {3, 18, 4}, metal, tilt);
  scene.Box(at({18, 0, 13}), {7, 15, 6}, paint, tilt);
  scene.Box(at({22, 0, 22}), {2, 13, 4}, Mat(kIce, 14, 30, 12), tilt);
  for (int side = -1; side <= 1; side += 2) {
    for (double x : {-18.0, 14.0}) {
      Vec3 c = at({x, side * 17.0, 7});
      scene.Cylinder(c - tilt * Vec3{0, 2.5, 0}, c + tilt * Vec3{0, 2.5, 0}, 7, tyre);
      Vec3 spoke{Cos(wheel) * 4, 0, Sin(wheel) * 4};
      scene.Sphere(c + tilt * Vec3{spoke.x, side * 3.0, spoke.z}, 1.4, metal);
    }
  }
  scene.Cylinder(at({-24, 11, 30}), at({-24, 11, 40}), 2, metal);
  if (smoke > 0) {
    scene.Sphere(at({-26, 11, 45}), 4, Mat(kGrey, 8, 22));
    scene.Sphere(at({-30, 13, 50}), 3, Mat(kGrey, 8, 22));
  }
  if (wreck > 0.5) {
    scene.Sphere(at({18, 0, 21}), 5, Mat(kGold, 18, 30));
    scene.Sphere(at({14, 4, 27}), 4, Mat(kRed, 14, 28));
  }
  if (driver) {
    Vec3 seat = at({4, 0, 26});
    scene.Ellipsoid(seat + Vec3{0, 0, 4}, {4, 6, 6}, Mat(kBrown, 4, 17), tilt);
    scene.Sphere(seat + tilt * Vec3{0.5, 0, 12.5}, 4.2, Mat(kGreen, 6, 22, 2));
    for (int side = -1; side <= 1; side += 2) {
      scene.Sphere(seat + tilt * Vec3{4, side * 1.6, 13.5}, 0.8, Flat(kGold, 26));
      scene.Capsule(seat + tilt * Vec3{0, side * 5.0, 7}, seat + tilt * Vec3{9, side * 4.0, 6}, 1.5,
                    Mat(kGreen, 6, 22));
    }
  }
}

// ---------------------------------------------------------------------------
// Yeti: a hulking white ape with a blue face, arms to the ground.

const HumanBody kYetiBody = [] {
  HumanBody b;
  b.thigh = 13;
  b.shin = 12;
  b.torso = 26;
  b.neck = 2;
  b.headR = 11;
  b.shoulderHalf = 17;
  b.hipHalf = 8;
  b.upperArm = 20;
  b.foreArm = 19;
  b.footLen = 8;
  return b;
}();

void BuildYeti(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.lean = 0.2;
  p.headPitch = -0.1;
  p.armOut[0] = p.armOut[1] = 0.25;
  double mouth = 0;
  bool ball = false;
  switch (key.anim) {
    case 1:
      WalkPose(p, key.cycle, 0.35);
      p.roll = 0.1 * Wave(key.cycle);
      break;
    case 2: {
      double hit = BeatT(key, 7);
      ThrowPose(p, key.t, hit, 1);
      ball = key.t < hit;
      break;
    }
    case 3:
      CollapsePose(p, Ramp(key.t, 0.0, 0.6));
      mouth = 0.6;
      break;
    case 4: {
      // Both fists hammer the ground on 5 and 6.
      double hit = BeatT(key, 5);
      ChopPose(p, key.t, hit, 0);
      ChopPose(p, key.t, hit, 1);
      p.twist = 0;
      p.crouch += 5 * Pulse(key.t, hit * 0.8, hit, 1.0);
      mouth = Pulse(key.t, 0.0, hit, 1.0);
      break;
    }
    case 5:
      RoarPose(p, Ramp(key.t, 0.0, 0.55) * 0.5 + (key.t > 0.3 ? 0.2 : 0));
      mouth = Ramp(key.t, 0.0, 0.4);
      break;
    case 6:
      // Roused: still hunched, head low, shaking itself awake.
      p.crouch = 6;
      p.lean = 0.6;
      p.headPitch = 0.5;
      p.knee[0] = p.knee[1] = 0.9;
      p.hip[0] = p.hip[1] = 0.5;
      p.shoulder[0] = p.shoulder[1] = 0.6;
      break;
    default:
      BreathePose(p, 1);
      break;
  }
  HumanJoints j = PoseHuman(kYetiBody, p);
  HumanLook look = DressedIn(Mat(kIce, 10, 29, 2));
  look.boot = Mat(kBlue, 6, 20);
  look.hand = Mat(kBlue, 6, 22, 3);
  Build(look, 7, {13, 18, 15}, {11, 14, 11});
  DrawHumanoid(scene, kYetiBody, j, look);
  const Mat3& h = j.headFrame;
  scene.Ellipsoid(j.head + h * Vec3{6, 0, -1}, {5, 7, 6.5 + 2 * mouth}, Mat(kBlue, 6, 22, 3), h);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(j.head + h * Vec3{10, side * 3.0, 2}, 1.6, Flat(kRed, 26));
    scene.Cone(j.head + h * Vec3{-2, side * 8.0, 6}, j.head + h * Vec3{-5, side * 14.0, 14}, 3, 1,
               Mat(kGrey, 10, 28, 6));
  }
  if (mouth > 0.2)
    scene.Ellipsoid(j.head + h * Vec3{10.5, 0, -4}, {1.5, 4, 2.5 * mouth + 0.5}, Flat(kRed, 5), h);
  if (ball) scene.Sphere(j.hand[1] + Vec3{0, 0, 5}, 6, kSnow);
}

// ---------------------------------------------------------------------------
// The wicked Grandfather Frost: red coat, white beard, an ice staff.

const HumanBody kFrostBody = [] {
  HumanBody b;
  b.thigh = 9;
  b.shin = 9;
  b.torso = 14;
  b.headR = 5.8;
  b.shoulderHalf = 7;
  b.upperArm = 8;
  b.foreArm = 8;
  return b;
}();

void BuildFrost(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.shoulder[1] = 0.4;
  p.elbow[1] = 0.9;
  switch (key.anim) {
    case 1:
      WalkPose(p, key.cycle, 0.45);
      p.shoulder[1] = 0.4;
      p.elbow[1] = 0.9;
      break;
    case 2:
      ChopPose(p, key.t, BeatT(key, 8), 1);
      break;
    case 3:
      CollapsePose(p, Ramp(key.t, 0.0, 0.65));
      break;
    default:
      BreathePose(p, 1);
      break;
  }
  HumanJoints j = PoseHuman(kFrostBody, p);
  const Material coat = Mat(kRed, 4, 22, 3);
  const Material fur = Mat(kGrey, 16, 30, 2);
  HumanLook look;
  look.skin = Mat(kBrown, 15, 29, 2);
  look.hand = Mat(kGrey, 12, 26);
  look.shirt = coat;
  look.sleeve = coat;
  look.trousers = coat;
  look.boot = Mat(kGrey, 2, 10, 4);
  look.chestR = {4.2, 6.0, 5.6};
  look.bellyR = {4.6, 5.6, 4.6};
  DrawHumanoid(scene, kFrostBody, j, look);
  const Mat3& t = j.torsoFrame;
  scene.Frustum(j.pelvis + t * Vec3{0, 0, 4}, j.pelvis + t * Vec3{0, 0, -13}, 6.5, 9.5, coat);
  scene.Cylinder(j.pelvis + t * Vec3{0, 0, -13}, j.pelvis + t * Vec3{0, 0, -11.5}, 9.8, fur);
  const Mat3& h = j.headFrame;
  // A long white beard down the chest, the fur-trimmed hat.
  scene.Ellipsoid(j.head + h * Vec3{3.5, 0, -4.5}, {3.0, 4.6, 7.5}, fur, h * RotY(-0.25));
  Vec3 brim = j.head + h * Vec3{-0.3, 0, 3.2};
  scene.Cylinder(brim, brim + h * Vec3{0, 0, 2}, 6.2, fur);
  scene.Cone(brim + h * Vec3{0, 0, 2}, brim + h * Vec3{-5, 0, 9}, 5.0, 1.5, coat);
  scene.Sphere(brim + h * Vec3{-5.5, 0, 9.5}, 1.8, fur);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(OnHead(j, kFrostBody.headR - 0.2, side * 0.42, 0.15), 0.8, Flat(kIce, 28));
  }
  // The staff: ice, a crystal at its head.
  Vec3 fore = Normalize(j.hand[1] - j.elbow[1]);
  Vec3 d = Normalize(Cross(fore, t.cy) + fore * 0.2);
  Held s = HoldAlong(j.hand[1], d, 12, 16);
  scene.Capsule(s.base, s.tip, 1.0, Mat(kIce, 8, 26, 8));
  scene.Ellipsoid(s.tip + d * 2.5, {2.6, 2.6, 4.0}, Mat(kIce, 14, 31, 14),
                  AlongX(d) * RotY(kPi / 2));
}

}  // namespace

void RegisterSnow(DesignTable& table) {
  table[33].build = BuildSnowman;
  table[34].build = BuildPenguin;
  table[35].build = BuildZomboni;
  table[36].build = BuildYeti;
  table[36].scale = 1.35;
  table[37] = table[36];
  table[59].build = BuildFrost;
}

}  // namespace torvel::forge::creatures
