// People and things shaped like people: the friendly folk who talk, the
// pygmy, the wacko, the stick man, the golem and the mechagorvash.
#include <algorithm>
#include <cmath>

#include "forge/creatures/bodies.h"
#include "forge/creatures/models.h"
#include "forge/creatures/poses.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

const HumanBody kFolkBody = [] {
  HumanBody b;
  b.thigh = 8.5;
  b.shin = 8.5;
  b.torso = 12;
  b.headR = 5.6;
  b.shoulderHalf = 6;
  return b;
}();

void DrawFace(Scene& scene, const HumanJoints& j, double r, int eyeShade = 2) {
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(OnHead(j, r - 0.2, side * 0.4, 0.1), 0.8, Flat(kGrey, eyeShade));
  }
}

// ---------------------------------------------------------------------------
// The friendly folk: four looks held by the map they stand on. 0 an old
// hermit with a long beard and a stick, 1 a fisherman in a straw hat, 2 a
// woodsman in a green hood, 3 a monk with a lantern.

void BuildFriendly(Scene& scene, const PoseKey& key) {
  HumanPose p;
  int look = key.frame;
  p.shoulder[1] = 0.5;
  p.elbow[1] = 0.8;
  if (look == 0) p.lean = 0.15;
  HumanJoints j = PoseHuman(kFolkBody, p);
  HumanLook l;
  l.skin = Mat(kBrown, 13, 28, 2);
  l.hand = l.skin;
  const Mat3& t = j.torsoFrame;
  const Mat3& h = j.headFrame;
  Vec3 waist = j.pelvis + t * Vec3{0, 0, 2.5};
  Vec3 hem = j.pelvis + t * Vec3{0, 0, -12};
  switch (look) {
    case 0: {
      l.shirt = l.sleeve = Mat(kGrey, 6, 22, 2);
      l.trousers = l.shirt;
      l.boot = Mat(kBrown, 3, 12);
      DrawHumanoid(scene, kFolkBody, j, l);
      scene.Frustum(waist, hem, 5, 8, l.shirt);
      scene.Ellipsoid(j.head + h * Vec3{3.5, 0, -5}, {2.6, 4.0, 7.5}, Mat(kGrey, 16, 30), h);
      scene.Ellipsoid(j.head + h * Vec3{-0.5, 0, 2.5}, {5.4, 5.8, 3.6}, Mat(kGrey, 16, 30), h);
      Held s = HoldAlong(j.hand[1], {0.1, 0, 1}, 14, 6);
      scene.Capsule(s.base, s.tip, 0.9, Mat(kBrown, 4, 16));
      scene.Sphere(s.tip, 1.6, Mat(kBrown, 5, 18));
      break;
    }
    case 1: {
      l.shirt = l.sleeve = Mat(kBlue, 5, 22, 2);
      l.trousers = Mat(kBrown, 4, 17);
      l.boot = Mat(kBrown, 2, 10);
      DrawHumanoid(scene, kFolkBody, j, l);
      Vec3 brim = j.head + h * Vec3{0, 0, 3.2};
      scene.Cylinder(brim, brim + h * Vec3{0, 0, 0.8}, 9, Mat(kGold, 10, 28, 2));
      scene.Frustum(brim, brim + h * Vec3{0, 0, 5}, 5, 2, Mat(kGold, 10, 28, 2));
      Held rod = HoldAlong(j.hand[1], {0.6, 0.2, 1}, 4, 24);
      scene.Capsule(rod.base, rod.tip, 0.6, Mat(kBrown, 5, 20));
      scene.Capsule(rod.tip, rod.tip + Vec3{4, 0, -18}, 0.25, Mat(kGrey, 20, 28));
      break;
    }
    case 2: {
      l.shirt = l.sleeve = Mat(kGreen, 4, 20, 2);
      l.trousers = Mat(kBrown, 3, 15);
      l.boot = Mat(kBrown, 2, 10);
      DrawHumanoid(scene, kFolkBody, j, l);
      scene.Ellipsoid(j.head + h * Vec3{-1.5, 0, 1.0}, {6.0, 6.4, 6.2}, Mat(kGreen, 4, 20, 2), h);
      scene.Cone(j.head + h * Vec3{-5, 0, 3}, j.head + h * Vec3{-10, 0, -2}, 3, 0.8,
                 Mat(kGreen, 4, 20));
      Vec3 axeDir = Normalize(Vec3{0.2, 0, 1});
      Held axe = HoldAlong(j.hand[1], axeDir, 6, 10);
      scene.Capsule(axe.base, axe.tip, 0.8, Mat(kBrown, 5, 18));
      scene.Box(axe.tip + Vec3{2, 0, -1}, {2.5, 0.6, 3}, Mat(kGrey, 8, 28, 10));
      break;
    }
    default: {
      l.shirt = l.sleeve = Mat(kBrown, 4, 19, 2);
      l.trousers = l.shirt;
      l.boot = Mat(kBrown, 2, 10);
      DrawHumanoid(scene, kFolkBody, j, l);
      scene.Frustum(waist, hem - t * Vec3{0, 0, 4}, 5, 8.5, l.shirt);
      scene.Cylinder(j.pelvis + t * Vec3{0, 0, 1.5}, j.pelvis + t * Vec3{0, 0, 2.8}, 5.2,
                     Mat(kGold, 6, 20));
      scene.Ellipsoid(j.head + h * Vec3{-1.8, 0, 0.5}, {5.6, 6.2, 6.0}, l.shirt, h);
      Vec3 lamp = j.hand[1] + Vec3{0, 0, -4};
      scene.Capsule(j.hand[1], lamp, 0.4, Mat(kGrey, 6, 20));
      scene.Cylinder(lamp, lamp + Vec3{0, 0, -5}, 2.4, Mat(kGold, 24, 31));
      break;
    }
  }
  DrawFace(scene, j, kFolkBody.headR);
}

// ---------------------------------------------------------------------------
// Pygmy: a small tribal warrior with a painted mask, a grass skirt and a
// spear.

const HumanBody kPygmyBody = [] {
  HumanBody b;
  b.thigh = 6.5;
  b.shin = 6.5;
  b.torso = 9;
  b.headR = 5.4;
  b.shoulderHalf = 4.8;
  b.upperArm = 5.5;
  b.foreArm = 5.5;
  b.footLen = 3;
  return b;
}();

void BuildPygmy(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.shoulder[1] = 0.5;
  p.elbow[1] = 0.9;
  double shake = 0;
  switch (key.anim) {
    case 0:
      // Fidgets: a scratch of the head (1, 2), a look round (3, 4).
      if (key.frame == 1 || key.frame == 2) {
        p.shoulder[0] = 2.6;
        p.elbow[0] = key.frame == 1 ? 1.8 : 2.2;
        p.armOut[0] = 0.6;
        p.headRoll = 0.2;
      }
      if (key.frame == 3) p.headYaw = -0.6;
      if (key.frame == 4) p.headYaw = 0.6;
      break;
    case 1:
      WalkPose(p, key.cycle, 0.5);
      p.shoulder[1] = 0.5;
      p.elbow[1] = 0.9;
      break;
    case 2:
      PunchPose(p, key.t, BeatT(key, 6), 1);
      break;
    case 3:
      CollapsePose(p, key.t);
      break;
    case 4: {
      // A dance: arms up and down in turn, knees bobbing.
      double s = Wave(key.cycle * 0.5 + key.t);
      p.shoulder[0] = 1.6 + 1.0 * s;
      p.shoulder[1] = 1.6 - 1.0 * s;
      p.armOut[0] = p.armOut[1] = 0.8;
      p.knee[0] = p.knee[1] = 0.4 + 0.3 * s;
      p.hip[0] = p.hip[1] = 0.2 + 0.15 * s;
      break;
    }
    case 5:
      // Jumps on the spot, spear held high.
      LeapPose(p, key.t, 0.5, 6);
      p.shoulder[1] = 2.8;
      p.elbow[1] = 0.2;
      break;
    case 6:
      // Angry: stamps and shakes the spear overhead.
      shake = Wave(key.t * 2);
      p.shoulder[1] = 2.6 + 0.3 * shake;
      p.elbow[1] = 0.4;
      p.shoulder[0] = 1.2;
      p.armOut[0] = 0.7;
      p.hip[0] = 0.3 * std::max(0.0, shake);
      p.knee[0] = 0.6 * std::max(0.0, shake);
      p.headPitch = -0.2;
      break;
    default:
      break;
  }
  HumanJoints j = PoseHuman(kPygmyBody, p);
  HumanLook l;
  l.skin = Mat(kBrown, 6, 22, 3);
  l.hand = l.skin;
  l.shirt = l.skin;
  l.sleeve = l.skin;
  l.trousers = l.skin;
  l.boot = l.skin;
  l.thighR = 1.8;
  l.shinR = 1.6;
  l.upperArmR = 1.5;
  l.foreArmR = 1.3;
  l.chestR = {2.8, 4.2, 3.6};
  l.bellyR = {3.0, 3.8, 3.0};
  DrawHumanoid(scene, kPygmyBody, j, l);
  const Mat3& t = j.torsoFrame;
  const Mat3& h = j.headFrame;
  Material grass = Banded(Mat(kGreen, 5, 22), {0, 1, 0}, 1.6, 0.6, -6);
  scene.Frustum(j.pelvis + t * Vec3{0, 0, 1.5}, j.pelvis + t * Vec3{0, 0, -5.5}, 3.8, 5.6, grass);
  // The mask: a painted oval with dark eye holes and a crest of feathers.
  scene.Ellipsoid(j.head + h * Vec3{3.6, 0, 0}, {2.4, 4.8, 6.6}, Mat(kGold, 8, 27, 3), h);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(j.head + h * Vec3{5.6, side * 1.9, 1.4}, 1.0, Flat(kGrey, 1));
    scene.Capsule(j.head + h * Vec3{5.8, side * 3.0, -1.2},
                  j.head + h * Vec3{5.6, side * 1.0, -3.6}, 0.5, Flat(kRed, 20));
  }
  for (int k = -1; k <= 1; ++k) {
    scene.Cone(j.head + h * Vec3{-1, k * 2.0, 4}, j.head + h * Vec3{-3, k * 4.0, 11}, 1.0, 0.3,
               Mat(k == 0 ? kRed : kBlue, 8, 26));
  }
  Vec3 fore = Normalize(j.hand[1] - j.elbow[1]);
  Vec3 d = Normalize(Cross(fore, t.cy) + fore * 0.6);
  if (key.anim == 2) d = Normalize(fore + Vec3{0, 0, 0.1});
  Held spear = HoldAlong(j.hand[1], d, 8, 12);
  scene.Capsule(spear.base, spear.tip, 0.5, Mat(kBrown, 5, 20));
  scene.Cone(spear.tip, spear.tip + d * 4, 1.2, 0.2, Mat(kGrey, 10, 29, 8));
}

// ---------------------------------------------------------------------------
// Wacko: a wild-haired madman in a striped shirt whose arms windmill.

void BuildWacko(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.headRoll = 0.15;
  switch (key.anim) {
    case 1:
      WalkPose(p, key.cycle, 0.6);
      p.shoulder[0] = 1.2;
      p.armOut[0] = 0.8;
      break;
    case 2: {
      double a = 2 * kPi * key.cycle;
      p.shoulder[0] = 1.5 + 1.4 * Sin(a);
      p.shoulder[1] = 1.5 + 1.4 * Sin(a + kPi);
      p.armOut[0] = p.armOut[1] = 0.5;
      p.elbow[0] = p.elbow[1] = 0.3;
      p.lean = 0.2;
      p.headRoll = 0.3 * Sin(a);
      p.hip[0] = 0.3 * Sin(a);
      p.hip[1] = -0.3 * Sin(a);
      break;
    }
    case 3:
      CollapsePose(p, Ramp(key.t, 0.0, 0.7));
      break;
    default:
      p.shoulder[0] = 0.8;
      p.elbow[0] = 1.5;
      break;
  }
  HumanJoints j = PoseHuman(kFolkBody, p);
  HumanLook l;
  l.skin = Mat(kBrown, 13, 28, 2);
  l.hand = l.skin;
  l.shirt = Banded(Mat(kGrey, 14, 29), {0, 0, 1}, 2.5, 1.2, 0, kRed);
  l.sleeve = Banded(Mat(kGrey, 14, 29), {1, 0, 0}, 2.5, 1.2, 0, kRed);
  l.trousers = Mat(kGreen, 3, 15);
  l.boot = Mat(kBrown, 2, 10);
  DrawHumanoid(scene, kFolkBody, j, l);
  const Mat3& h = j.headFrame;
  for (int k = 0; k < 7; ++k) {
    double a = k * 0.9;
    Vec3 d{Cos(a) * 0.8 - 0.3, Sin(a), 0.9};
    scene.Cone(j.head + h * (d * 3.0), j.head + h * (d * 9.0), 1.8, 0.5, Mat(kGold, 12, 29));
  }
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(OnHead(j, kFolkBody.headR - 0.2, side * 0.42, 0.15), 1.4, Mat(kGrey, 20, 30));
    scene.Sphere(OnHead(j, kFolkBody.headR + 0.8, side * 0.42 + (side > 0 ? 0.1 : 0.0), 0.2), 0.6,
                 Flat(kGrey, 1));
  }
  scene.Ellipsoid(OnHead(j, kFolkBody.headR - 0.4, 0, -0.45), {1.0, 2.6, 1.2}, Flat(kRed, 6), h);
}

// ---------------------------------------------------------------------------
// Stick man: a figure of twigs bound with twine, a knot for a head.

const HumanBody kStickBody = [] {
  HumanBody b;
  b.thigh = 12;
  b.shin = 12;
  b.torso = 15;
  b.neck = 3;
  b.headR = 4.5;
  b.shoulderHalf = 7;
  b.hipHalf = 3;
  b.upperArm = 10;
  b.foreArm = 10;
  b.footLen = 4;
  return b;
}();

void BuildStickMan(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.armOut[0] = p.armOut[1] = 0.35;
  switch (key.anim) {
    case 1:
      ApplyStride(p, Wave(key.cycle), 0.7, 0.6);
      p.lean = 0.25;
      break;
    case 2:
      PunchPose(p, key.pos == 0 ? 0.4 : 0.75, 0.75, 1);
      PunchPose(p, key.pos == 0 ? 0.4 : 0.75, 0.75, 0);
      p.lean += 0.2;
      break;
    case 3:
      CollapsePose(p, Ramp(key.t, 0.0, 0.8));
      break;
    case 4:
      // Roused: stretches its twig arms high.
      p.shoulder[0] = p.shoulder[1] = 2.8;
      p.armOut[0] = p.armOut[1] = 0.6;
      p.elbow[0] = p.elbow[1] = 0.5;
      p.headPitch = -0.3;
      break;
    default:
      break;
  }
  HumanJoints j = PoseHuman(kStickBody, p);
  const Material twig = Mat(kBrown, 4, 20, 2);
  const Material twine = Mat(kGold, 10, 26);
  const Mat3& t = j.torsoFrame;
  scene.Capsule(j.pelvis, j.neckTop, 1.4, twig);
  scene.Capsule(j.shoulder[0], j.shoulder[1], 1.2, twig);
  scene.Capsule(j.hip[0], j.hip[1], 1.2, twig);
  for (int i = 0; i < 2; ++i) {
    scene.Capsule(j.shoulder[i], j.elbow[i], 1.0, twig);
    scene.Capsule(j.elbow[i], j.hand[i], 0.9, twig);
    scene.Capsule(j.hand[i],
                  j.hand[i] + Normalize(j.hand[i] - j.elbow[i]) * 3 + t * Vec3{0, 0, 1.5}, 0.5,
                  twig);
    scene.Capsule(j.hip[i], j.knee[i], 1.1, twig);
    scene.Capsule(j.knee[i], j.ankle[i], 1.0, twig);
    scene.Capsule(j.ankle[i], j.toe[i], 0.8, twig);
    scene.Sphere(j.knee[i], 1.5, twine);
    scene.Sphere(j.elbow[i], 1.4, twine);
  }
  scene.Sphere(j.chest, 2.0, twine);
  scene.Ellipsoid(j.head, {4.5, 4.2, 5.0}, Mat(kBrown, 5, 22, 3), j.headFrame);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(OnHead(j, 4.4, side * 0.45, 0.15), 0.8, Flat(kGold, 29));
  }
}

// ---------------------------------------------------------------------------
// Golem: the hero's summoned ally, blocks of stone bound by blue runes.

const HumanBody kGolemBody = [] {
  HumanBody b;
  b.thigh = 12;
  b.shin = 11;
  b.torso = 22;
  b.neck = 1;
  b.headR = 8;
  b.shoulderHalf = 16;
  b.hipHalf = 7;
  b.upperArm = 15;
  b.foreArm = 15;
  b.footLen = 7;
  return b;
}();

void BuildGolem(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.lean = 0.12;
  p.armOut[0] = p.armOut[1] = 0.22;
  double sink = 0, crumble = 0;
  switch (key.anim) {
    case 1:
      WalkPose(p, key.cycle, 0.35);
      break;
    case 2: {
      double hit = BeatT(key, 5);
      ChopPose(p, key.t, hit, 0);
      ChopPose(p, key.t, hit, 1);
      p.twist = 0;
      p.crouch += 4 * Pulse(key.t, hit * 0.8, hit, 1.0);
      break;
    }
    case 3:
      CollapsePose(p, Ramp(key.t, 0.0, 0.6), true);
      crumble = Ramp(key.t, 0.3, 1.0);
      break;
    case 4:
      // Rising out of the ground.
      sink = 1 - (key.pos + 1) / 5.0;
      p.shoulder[0] = p.shoulder[1] = 1.8 * (1 - sink);
      p.armOut[0] = p.armOut[1] = 0.6;
      break;
    default:
      BreathePose(p, 1);
      break;
  }
  HumanJoints j = PoseHuman(kGolemBody, p);
  const Material stone = Mat(kGrey, 4, 22, 3);
  const Material rune = Flat(kBlue, 27);
  Vec3 down{0, 0, -60 * sink};
  auto put = [&](Vec3 v) { return v + down; };
  const Mat3& t = j.torsoFrame;
  scene.Box(put(j.pelvis + t * Vec3{0, 0, 16}), {9, 15, 10}, stone, t);
  scene.Box(put(j.pelvis + t * Vec3{0, 0, 4}), {7, 11, 6}, stone, t);
  scene.Box(put(j.head), {7, 7, 6.5}, stone, j.headFrame);
  for (int side = -1; side <= 1; side += 2) {
    scene.Box(put(j.head + j.headFrame * Vec3{7.2, side * 3.0, 1}), {0.6, 1.6, 1.0}, rune,
              j.headFrame);
  }
  scene.Box(put(j.pelvis + t * Vec3{9.2, 0, 17}), {0.6, 4, 4}, rune, t);
  for (int i = 0; i < 2; ++i) {
    if (crumble > 0.6 && i == 0) continue;
    scene.Cone(put(j.shoulder[i]), put(j.elbow[i]), 6, 5.5, stone);
    scene.Cone(put(j.elbow[i]), put(j.hand[i]), 5.5, 6.5, stone);
    scene.Sphere(put(j.hand[i]), 7, stone);
    scene.Cone(put(j.hip[i]), put(j.knee[i]), 6.5, 6, stone);
    scene.Cone(put(j.knee[i]), put(j.ankle[i]), 6, 6.5, stone);
    scene.Box(put(j.ankle[i] + Vec3{3, 0, -1}), {6, 5, 2.5}, stone);
  }
  if (crumble > 0) {
    for (int k = 0; k < 6; ++k) {
      double a = k * 1.05;
      scene.Box({Cos(a) * (14 + 16 * crumble), Sin(a) * (14 + 16 * crumble), 4}, {4, 4, 4}, stone,
                RotZ(a));
    }
  }
}

// ---------------------------------------------------------------------------
// Mechagorvash: a squat walking machine with a cannon arm and jets on its back.

const HumanBody kMechBody = [] {
  HumanBody b;
  b.thigh = 8;
  b.shin = 8;
  b.torso = 12;
  b.neck = 1;
  b.headR = 5;
  b.shoulderHalf = 9;
  b.hipHalf = 4.5;
  b.upperArm = 7;
  b.foreArm = 8;
  b.footLen = 5;
  return b;
}();

void BuildMech(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.shoulder[1] = 1.3;
  p.elbow[1] = 0.2;
  p.lean = 0.1;
  double jets = 0, recoil = 0, smoke = 0, hover = 0, charge = 0;
  switch (key.anim) {
    case 1:
      WalkPose(p, key.cycle, 0.45);
      p.shoulder[1] = 1.3;
      p.elbow[1] = 0.2;
      break;
    case 2: {
      double hit = BeatT(key, 4);
      recoil = Pulse(key.t, hit * 0.9, hit, 1.0);
      p.shoulder[1] = 1.5 + 0.4 * recoil;
      p.lean = 0.1 - 0.15 * recoil;
      break;
    }
    case 3:
      CollapsePose(p, Ramp(key.t, 0.0, 0.7), true);
      smoke = key.t;
      break;
    case 4:
      jets = 1;
      p.lean = 0.5;
      p.knee[0] = p.knee[1] = 0.8;
      p.hip[0] = p.hip[1] = 0.4;
      break;
    case 5:
      hover = 1;
      jets = 0.5;
      break;
    case 6:
      charge = key.frame == 22 ? 0.5 : 1.0;
      p.crouch = 2;
      p.shoulder[0] = 1.0;
      break;
    default:
      break;
  }
  p.lift = 3 * hover;
  HumanJoints j = PoseHuman(kMechBody, p);
  const Material plate = Mat(kGrey, 5, 25, 12);
  const Material paint = Mat(kRed, 4, 22, 8);
  const Material dark = Mat(kGrey, 2, 10, 4);
  const Mat3& t = j.torsoFrame;
  scene.Box(j.pelvis + t * Vec3{0, 0, 8}, {6, 9, 7}, paint, t);
  scene.Box(j.pelvis + t * Vec3{0, 0, 0}, {4.5, 6, 3}, dark, t);
  scene.Box(j.head, {4.5, 5, 3.5}, plate, j.headFrame);
  scene.Box(j.head + j.headFrame * Vec3{4.6, 0, 0.5}, {0.4, 3.6, 1.0},
            Flat(kGold, 20 + static_cast<int>(11 * charge)), j.headFrame);
  // Jet packs on the back.
  for (int side = -1; side <= 1; side += 2) {
    Vec3 jet = j.pelvis + t * Vec3{-7.5, side * 4.0, 10};
    scene.Cylinder(jet, jet + t * Vec3{0, 0, -6}, 2.4, dark);
    if (jets > 0) {
      scene.Cone(jet + t * Vec3{0, 0, -6}, jet + t * Vec3{-2, 0, -6 - 9 * jets}, 2.2, 0.5,
                 Mat(kGold, 18, 31));
    }
  }
  for (int i = 0; i < 2; ++i) {
    scene.Sphere(j.shoulder[i], 3.6, plate);
    scene.Cone(j.shoulder[i], j.elbow[i], 2.2, 2.0, dark);
    if (i == 1) {
      // The cannon arm.
      Vec3 d = Normalize(j.hand[1] - j.elbow[1]);
      scene.Cylinder(j.elbow[1], j.hand[1] + d * 4, 3.0, plate);
      scene.Cylinder(j.hand[1] + d * 4, j.hand[1] + d * 5, 1.6, Flat(kGrey, 1));
      if (recoil > 0.5) scene.Sphere(j.hand[1] + d * 7, 2.8, Flat(kGold, 31));
    } else {
      scene.Cone(j.elbow[0], j.hand[0], 2.0, 2.4, dark);
      scene.Sphere(j.hand[0], 2.8, plate);
    }
    scene.Cone(j.hip[i], j.knee[i], 2.6, 2.4, dark);
    scene.Cone(j.knee[i], j.ankle[i], 3.0, 2.6, plate);
    scene.Box(j.ankle[i] + Vec3{2, 0, -0.5}, {4, 2.5, 1.5}, paint);
  }
  if (smoke > 0.2) {
    scene.Sphere(j.chest + Vec3{0, 0, 8 + 8 * smoke}, 3 + 3 * smoke, Mat(kGrey, 8, 20));
    scene.Sphere(j.chest + Vec3{-3, 2, 14 + 10 * smoke}, 2 + 2 * smoke, Mat(kGrey, 8, 20));
  }
}

}  // namespace

void RegisterFolk(DesignTable& table) {
  table[9].build = BuildPygmy;
  table[11].build = BuildFriendly;
  table[20].build = BuildGolem;
  table[20].view.clipBelow = 0.0;  // it rises out of the ground
  table[30].build = BuildStickMan;
  table[46].build = BuildMech;
  table[53].build = BuildWacko;
}

}  // namespace torvel::forge::creatures
