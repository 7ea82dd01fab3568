// Eye creatures and living rock: the eye guy, the great eye and its pink
// eyes, the geozoid and the ultrazoid turret.
#include <algorithm>
#include <cmath>

#include "forge/creatures/models.h"
#include "forge/creatures/poses.h"
#include "forge/creatures/rigs.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

// An eyeball looking along gaze: white, iris, pupil; lid 0 open .. 1 shut.
void DrawEyeball(Scene& scene, Vec3 c, double r, Vec3 gaze, int irisRamp, double lid,
                 const Material& lidMat, double glare = 0) {
  gaze = Normalize(gaze);
  Mat3 along = AlongX(gaze);
  scene.Sphere(c, r, Mat(kGrey, 12, 30, 8));
  scene.Ellipsoid(c + gaze * (r * 0.84), {r * 0.2, r * 0.48, r * 0.48},
                  Mat(irisRamp, 8 + static_cast<int>(8 * glare), 27, 6), along);
  scene.Ellipsoid(c + gaze * (r * 0.9),
                  {r * 0.13, r * (0.22 - 0.08 * glare), r * (0.22 - 0.08 * glare)},
                  glare > 0.5 ? Flat(irisRamp, 31) : Flat(kGrey, 1), along);
  // The lid is a hood over the back of the eye that slides forward to shut it.
  double back = r * 1.6 * (1 - lid);
  scene.Sphere(c - gaze * back, r * 1.05, lidMat);
}

// ---------------------------------------------------------------------------
// Eye guy: one huge eye for a head on a squat body with short legs.

void BuildEyeGuy(Scene& scene, const PoseKey& key) {
  const Material skin = Mat(kViolet, 4, 20, 3);
  const Material lidMat = Mat(kViolet, 5, 22, 3);
  double stride = 0, lid = 0, glare = 0, recoil = 0, squash = 0, bob = 0;
  if (key.frame == 1) lid = 1;
  switch (key.anim) {
    case 1:
      stride = Wave(key.cycle);
      bob = std::fabs(stride);
      break;
    case 2: {
      double hit = BeatT(key, 4);
      glare = Pulse(key.t, 0.0, hit, 1.0);
      recoil = Pulse(key.t, hit, std::min(1.0, hit + 0.2), 1.0);
      lid = 0.3 * Pulse(key.t, 0.0, hit * 0.5, hit);
      break;
    }
    case 3:
      squash = Smooth(key.t);
      lid = 0.7 + 0.3 * key.t;
      break;
    default:
      break;
  }
  double h = 14 - 7 * squash - 1.0 * bob;
  // Legs.
  for (int side = -1; side <= 1; side += 2) {
    double swing = side * stride * 4;
    Vec3 hip{-1, side * 4.0, h - 6};
    Vec3 foot{swing, side * 4.5, 1.2};
    if (squash > 0) foot = {side * 2.0, side * 7.0, 1.0};
    scene.Capsule(hip, foot, 1.8, skin);
    scene.Ellipsoid(foot + Vec3{1.5, 0, 0}, {3.0, 1.8, 1.3}, Mat(kViolet, 3, 14));
    scene.Cone({0, side * 7.5, h}, {3.5 + 2 * glare, side * 9.5, h - 5}, 1.4, 1.1, skin);
  }
  scene.Ellipsoid({-1.0 - recoil * 2, 0, h}, {7, 8, 7.5}, skin);
  DrawEyeball(scene, {1.5 - recoil * 2, 0, h + 3}, 7.2, {1, 0, -0.15}, kGreen, lid, lidMat, glare);
}

// ---------------------------------------------------------------------------
// The great eye: a mound of flesh round one giant eye that opens slowly.

void BuildLookyloo(Scene& scene, const PoseKey& key) {
  const Material flesh = Mat(kRed, 3, 18, 5);
  const Material lidMat = Mat(kRed, 4, 20, 5);
  double lid = 1, glare = 0, dead = 0;
  switch (key.frame) {
    case 1:
      lid = 0.75;
      break;
    case 2:
      lid = 0.4;
      break;
    case 3:
      lid = 0;
      break;
    case 4:
      lid = 0;
      glare = 1;
      break;
    case 5:
      lid = 0.2;
      dead = 0.5;
      break;
    case 6:
      lid = 0.6;
      dead = 1;
      break;
    default:
      break;
  }
  double sink = 10 * dead;
  scene.Ellipsoid({-6, 0, 18 - sink}, {40, 54, 22}, flesh);
  for (int i = 0; i < 7; ++i) {
    double a = -1.4 + i * 0.47;
    Vec3 root{Cos(a) * 30 - 8, Sin(a) * 44, 8};
    Vec3 vein[3] = {root, root + Vec3{Cos(a) * 10, Sin(a) * 10, -6},
                    root + Vec3{Cos(a) * 16, Sin(a) * 18, -8}};
    DrawChain(scene, vein, 3, 3.0, 1.2, Mat(kRed, 3, 15, 3));
  }
  DrawEyeball(scene, {10, 0, 30 - sink}, 24 - 4 * dead, {1, 0, 0.05}, dead > 0 ? kRed : kGold, lid,
              lidMat, glare);
  if (dead > 0) {
    for (int k = 0; k < 4; ++k) {
      double a = -0.9 + k * 0.6;
      scene.Capsule({28, Sin(a) * 10, 30 - sink + Cos(a) * 8},
                    {22, Sin(a) * 18, 30 - sink + Cos(a) * 14}, 0.8, Flat(kRed, 8));
    }
  }
}

// ---------------------------------------------------------------------------
// Pink eye: a small eye on a fleshy stalk that turns to watch and spit.

void BuildPinkEye(Scene& scene, const PoseKey& key) {
  const Material stalk = Mat(kRed, 8, 25, 4);
  const Material lidMat = Mat(kRed, 10, 27, 4);
  double back = 0, glare = 0, droop = 0, lid = 0, sway = 0;
  switch (key.anim) {
    case 1:
      sway = 0.2;
      break;
    case 2: {
      double hit = BeatT(key, 5);
      back = Pulse(key.t, 0.0, hit * 0.8, hit);
      glare = Pulse(key.t, hit * 0.7, hit, std::min(1.0, hit + 0.2));
      break;
    }
    case 3: {
      // Collapses by its fourth frame, lies twitching, then rises again.
      double down = key.pos <= 3 ? key.pos / 3.0 : (8 - key.pos) / 5.0;
      droop = Smooth(down);
      lid = droop;
      if (key.frame == 12) sway = 0.3;
      break;
    }
    default:
      break;
  }
  Vec3 base{0, 0, 0};
  Vec3 mid{-3 * back + 3 * droop, sway * 4, 8 - 4 * droop};
  Vec3 top{-4 * back + 8 * droop, sway * 6, 15 - 11 * droop};
  scene.Ellipsoid(base + Vec3{0, 0, 1.5}, {6, 6, 2.5}, stalk);
  Vec3 chain[3] = {base + Vec3{0, 0, 2}, mid, top};
  DrawChain(scene, chain, 3, 3.0, 2.2, stalk);
  DrawEyeball(scene, top + Vec3{1, 0, 3}, 5.5, {1, 0, -0.2 - droop}, kRed, lid, lidMat, glare);
}

// ---------------------------------------------------------------------------
// Geozoid: a boulder with one eye and stubby legs that hops and flings rocks.

void BuildGeozoid(Scene& scene, const PoseKey& key) {
  const Material rock = Mat(kBrown, 4, 20, 2);
  const Material crust = Mat(kGrey, 5, 20, 3);
  double lift = 0, crouch = 0, heave = 0, crumble = 0;
  switch (key.anim) {
    case 1: {
      // crouch, spring, fly, fly, land, settle
      static const double kLift[6] = {0, 4, 8, 7, 2, 0};
      static const double kCrouch[6] = {1, 0, 0, 0, 0.6, 0.3};
      lift = kLift[std::clamp(key.pos, 0, 5)];
      crouch = kCrouch[std::clamp(key.pos, 0, 5)];
      break;
    }
    case 2:
      heave = Pulse(key.t, 0.0, BeatT(key, 6), 1.0);
      crouch = 0.5 * Pulse(key.t, 0.0, 0.3, 0.6);
      break;
    case 3:
      crumble = Smooth(key.t);
      break;
    default:
      break;
  }
  if (crumble > 0.4) {
    double s = (crumble - 0.4) / 0.6;
    for (int i = 0; i < 7; ++i) {
      double a = i * 0.9;
      double r = 3 + 8 * s;
      scene.Ellipsoid({Cos(a) * r, Sin(a) * r, 3 - 0.5 * s}, {4, 3.5, 3 - 1.2 * s},
                      i % 2 ? rock : crust);
    }
    return;
  }
  double h = 11 + lift - 3 * crouch - 5 * crumble;
  for (int side = -1; side <= 1; side += 2) {
    Vec3 hip{-1, side * 5.0, h - 5};
    Vec3 foot{0.5, side * 7.0, lift * 0.6 + 1};
    scene.Cone(hip, foot, 2.6, 2.0, crust);
  }
  scene.Ellipsoid({0, 0, h}, {9, 8.5, 8 - 2 * crouch}, Banded(rock, {0.3, 0, 1}, 4.0, 1.0, -5));
  scene.Ellipsoid({-3, 2, h + 5.5}, {4, 4, 3}, crust);
  scene.Ellipsoid({6.5, 0, h + 1.5}, {2.0, 3.2, 2.6}, Flat(kGold, 29));
  scene.Sphere({7.7, 0, h + 1.5}, 1.1, Flat(kRed, 6));
  if (heave > 0.1) {
    // A rock hoisted over its back and flung forward.
    Vec3 rockAt = Lerp(Vec3{-6, 0, h + 10}, Vec3{10, 0, h + 8}, Ramp(heave, 0.7, 1.0));
    scene.Ellipsoid(rockAt, {4, 3.6, 3.4}, crust);
    scene.Cone({0, -5, h + 3}, rockAt + Vec3{0, -2, -1}, 1.8, 1.4, crust);
    scene.Cone({0, 5, h + 3}, rockAt + Vec3{0, 2, -1}, 1.8, 1.4, crust);
  }
}

// ---------------------------------------------------------------------------
// Ultrazoid: a rooted turret of crystal and flesh with a crown of barrels
// that glow up and fire a volley.

void BuildUltrazoid(Scene& scene, const PoseKey& key) {
  const Material hide = Mat(kViolet, 3, 19, 5);
  const Material crystal = Mat(kIce, 8, 29, 12);
  double charge = 0, fire = 0, dead = 0;
  if (key.anim == 2) {
    charge = Ramp(key.t, 0.0, BeatT(key, 6));
    fire = key.pos == 6 || key.pos == 7 ? 1 : 0;
    if (key.pos > 7) charge = 0.3;
  } else if (key.anim == kAnimDie) {
    dead = Smooth(key.t);
  }
  double sink = 24 * dead;
  scene.Ellipsoid({0, 0, 6}, {36, 30, 10}, Mat(kViolet, 2, 14, 2));
  scene.Frustum({0, 0, 6}, {0, 0, 52 - sink}, 22, 13, hide);
  scene.Ellipsoid({0, 0, 52 - sink}, {16, 16, 10}, hide);
  for (int i = 0; i < 5; ++i) {
    double a = -1.4 + i * 0.7;
    Vec3 root{Cos(a) * 11, Sin(a) * 11, 56 - sink};
    Vec3 tip = root + Vec3{Cos(a) * 6 + 4, Sin(a) * 6, 12 - 6 * dead};
    scene.Cone(root, tip, 3.0, 2.0, crystal);
    if (charge > 0 || fire > 0) {
      scene.Sphere(
          tip, 2.0 + 1.5 * fire,
          Flat(fire > 0 ? kGold : kIce, 18 + static_cast<int>(12 * std::max(charge, fire))));
    }
  }
  for (int i = 0; i < 3; ++i) {
    double a = -0.7 + i * 0.7;
    Vec3 eye{Cos(a) * 19, Sin(a) * 17, 34 - sink * 0.8 + (i == 1 ? 6 : 0)};
    scene.Sphere(eye, 4.2, Mat(kGrey, 12, 30, 8));
    scene.Sphere(eye + Vec3{3.4, Sin(a) * 1.5, 0}, 1.8,
                 dead > 0.5 ? Flat(kGrey, 6) : Flat(kRed, 20 + static_cast<int>(10 * charge)));
  }
  for (int i = 0; i < 6; ++i) {
    double a = i * 1.05;
    scene.Cone({Cos(a) * 20, Sin(a) * 18, 5}, {Cos(a) * 36, Sin(a) * 30, 1}, 4, 1.5, hide);
  }
}

}  // namespace

void RegisterEyes(DesignTable& table) {
  table[13].build = BuildEyeGuy;
  table[16].build = BuildLookyloo;
  table[17].build = BuildPinkEye;
  table[38].build = BuildGeozoid;
  table[56].build = BuildUltrazoid;
}

}  // namespace torvel::forge::creatures
