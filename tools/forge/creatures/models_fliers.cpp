// Things that fly: the bats, the summoned pterodactyl and the peeper.
#include <algorithm>
#include <cmath>

#include "forge/creatures/models.h"
#include "forge/creatures/poses.h"
#include "forge/creatures/rigs.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

struct BatLook {
  double scale = 1;
  double body = 1;  // body and head against the wings
  Material fur, skin, bone, eye, mouth;
};

struct BatPose {
  double flap = 0;   // wings 1 up, -1 down
  double fold = 0;   // wings folded
  double pitch = 0;  // nose down
  double roll = 0;
  double bite = 0;    // head thrust forward, jaws open
  double height = 3;  // body above the sprite's ground point
};

void DrawBat(Scene& scene, const BatLook& look, const BatPose& p) {
  const double s = look.scale;
  const double b = s * look.body;
  Mat3 body = RotX(p.roll) * RotY(p.pitch);
  Vec3 base{0, 0, (p.height + 4.0 * look.body) * s};
  auto at = [&](Vec3 v) { return base + body * (v * s); };
  scene.Ellipsoid(at(Vec3{-0.5, 0, 0} * look.body), Vec3{4.2, 3.2, 3.0} * b, look.fur, body);
  Vec3 head = at(Vec3{3.4 + 1.5 * p.bite, 0, 1.4} * look.body);
  scene.Sphere(head, 2.5 * b, look.fur);
  for (int side = -1; side <= 1; side += 2) {
    Vec3 ear = head + body * (Vec3{-0.6, side * 1.4, 3.2} * b);
    scene.Cone(head + body * (Vec3{0, side * 1.2, 1.2} * b), ear, 1.0 * b, 0.3 * b, look.skin);
    scene.Sphere(head + body * (Vec3{2.0, side * 1.0, 0.6} * b), 0.55 * b, look.eye);
    WingShape w;
    w.span = 16 * s;
    w.chord = 8 * s;
    w.boneR = 0.55 * s;
    DrawBatWing(scene, at({0.4, side * 2.2, 1.0}), side > 0, w, p.flap, p.fold, look.bone,
                look.skin);
  }
  if (p.bite > 0.2) {
    scene.Sphere(head + body * (Vec3{2.3, 0, -0.8} * b), 0.9 * b * p.bite, look.mouth);
  }
  // Little feet tucked under.
  for (int side = -1; side <= 1; side += 2) {
    scene.Capsule(at(Vec3{-3.5, side * 1.0, -2.2} * look.body),
                  at(Vec3{-4.5, side * 1.0, -3.2} * look.body), 0.5 * b, look.skin);
  }
}

BatLook CaveBat(double scale) {
  BatLook look;
  look.scale = scale;
  look.fur = Mat(kBrown, 3, 15, 2);
  look.skin = Mat(kViolet, 2, 13, 2);
  look.bone = Mat(kBrown, 5, 18);
  look.eye = Flat(kRed, 27);
  look.mouth = Flat(kRed, 6);
  return look;
}

void BuildBat(Scene& scene, const PoseKey& key) {
  BatPose p;
  switch (key.anim) {
    case 1:
      p.flap = Cos(2 * kPi * key.cycle);
      p.height = 3 + 1.2 * Sin(2 * kPi * key.cycle);
      break;
    case 2: {
      double hit = BeatT(key, 2);
      p.bite = Pulse(key.t, 0.0, hit, 1.0);
      p.flap = 0.6 - 1.2 * Ramp(key.t, 0.0, hit);
      p.pitch = 0.3 * p.bite;
      break;
    }
    case 3:
      p.fold = Smooth(key.t);
      p.roll = 2.4 * key.t;
      p.pitch = 0.6 * key.t;
      p.height = 3 * (1 - key.t);
      break;
    case 4:  // the dive: wings swept back
      p.fold = 0.75;
      p.flap = 0.3;
      p.pitch = 0.45;
      p.bite = 0.4 * Ramp(key.t, 0.1, 0.3);
      break;
    case 5:  // thrown back after a hit
      p.flap = 1.0 - 0.5 * key.t;
      p.pitch = -0.5 * (1 - key.t);
      break;
    default:
      p.flap = 0.2;
      break;
  }
  DrawBat(scene, CaveBat(1.0), p);
}

void BuildBigBat(Scene& scene, const PoseKey& key) {
  BatPose p;
  BatLook look = CaveBat(2.6);
  look.fur = Mat(kGrey, 3, 16, 2);
  look.skin = Mat(kBrown, 3, 15, 3);
  if (key.anim <= 1) {
    p.flap = Cos(kPi * key.frame / 5.0);
    p.height = 2 + 1.2 * Sin(kPi * key.frame / 5.0);
  } else if (key.anim == 2) {
    double release = Pulse(key.t, 0.0, BeatT(key, 2), 1.0);
    p.flap = 1.0 * release;
    p.pitch = -0.35 * release;
    p.bite = release;
  } else if (key.anim == kAnimDie) {
    p.fold = key.t;
    p.roll = 2.0 * key.t;
    p.height = 2 * (1 - key.t);
  }
  DrawBat(scene, look, p);
}

// The queen of the bats hangs in the air facing the viewer, wings spread.
void BuildHugeBat(Scene& scene, const PoseKey& key) {
  BatPose p;
  BatLook look = CaveBat(4.6);
  look.body = 1.8;
  look.fur = Mat(kBrown, 3, 16, 3);
  look.skin = Mat(kViolet, 2, 11, 2);
  p.height = 0;
  // Hanging in the air before the viewer, wings held up like a cloak.
  switch (key.anim) {
    case 0:
      p.flap = key.frame == 0 ? 0.65 : 0.45;
      break;
    case 2:
      p.flap = 0.65 + 0.35 * Pulse(key.t, 0.0, 0.5, 1.0);
      p.bite = Pulse(key.t, 0.0, 0.5, 1.0);
      p.pitch = -0.2 * p.bite;
      break;
    case 3:
      p.flap = key.frame == 5 ? -0.6 : -0.9;
      p.fold = key.frame == 5 ? 0.2 : 0.6;
      p.pitch = key.frame == 5 ? 0.2 : 0.5;
      p.height = key.frame == 5 ? 0 : -4;
      break;
    default:
      p.flap = 0.65;
      break;
  }
  DrawBat(scene, look, p);
}

// ---------------------------------------------------------------------------
// Pterodactyl: the hero's summoned flier.

void BuildPtero(Scene& scene, const PoseKey& key) {
  const Material hide = Mat(kGreen, 4, 22, 3);
  const Material wing = Mat(kGold, 5, 22, 2);
  const Material beak = Mat(kGold, 8, 27, 6);
  double flap = 0, shoot = 0, fold = 0, roll = 0, pitch = 0;
  if (key.anim <= 1) {
    flap = Cos(2 * kPi * key.cycle);
  } else if (key.anim == 2) {
    shoot = Pulse(key.t, 0.0, BeatT(key, 3), 1.0);
    flap = 0.4;
    pitch = -0.2 * shoot;
  } else if (key.anim == kAnimDie) {
    fold = 0.6 + 0.4 * key.t;
    roll = 1.5 + key.t;
    pitch = 0.5;
  }
  Mat3 body = RotX(roll) * RotY(pitch);
  Vec3 base{0, 0, 7};
  auto at = [&](Vec3 v) { return base + body * v; };
  scene.Ellipsoid(at({0, 0, 0}), {5.5, 2.6, 2.4}, hide, body);
  scene.Cone(at({-4, 0, 0}), at({-10, 0, -0.5}), 1.2, 0.3, hide);
  Vec3 neck = at({4.5, 0, 1.2});
  Vec3 head = at({7.5 + 1.5 * shoot, 0, 3.0});
  scene.Cone(neck, head, 1.6, 1.4, hide);
  scene.Sphere(head, 2.0, hide);
  scene.Cone(head, head + body * Vec3{6.5, 0, -0.8 - 0.8 * shoot}, 1.2, 0.3, beak);
  if (shoot > 0.2) scene.Cone(head, head + body * Vec3{5.5, 0, 0.8 * shoot}, 0.9, 0.3, beak);
  scene.Cone(head, head + body * Vec3{-5, 0, 2.5}, 1.4, 0.4, Mat(kRed, 6, 24, 3));
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(head + body * Vec3{1.0, side * 1.5, 0.8}, 0.6, Flat(kGrey, 3));
    WingShape w;
    w.span = 17;
    w.chord = 8;
    w.fingers = 1;
    w.boneR = 0.7;
    DrawBatWing(scene, at({1.5, side * 1.8, 1.0}), side > 0, w, flap, fold, hide, wing);
  }
  if (shoot > 0.6) scene.Sphere(head + body * Vec3{8, 0, -0.5}, 1.8, Flat(kGold, 31));
}

// ---------------------------------------------------------------------------
// Peeper: a flying eyeball with a fleshy lid, bat wings and dangling nerves.

void BuildPeeper(Scene& scene, const PoseKey& key) {
  const Material white = Mat(kGrey, 12, 30, 8);
  const Material flesh = Mat(kViolet, 4, 20, 4);
  double open = 1, look = 0, glare = 0, shrink = 0, flap = 0.3;
  int iris = kBlue;
  switch (key.frame) {
    case 1:
      flap = -0.3;
      break;
    case 2:
      open = 0.45;
      break;
    case 3:
      open = 0;
      break;
    case 4:
      glare = 1;
      iris = kRed;
      break;
    case 5:
      look = -0.6;
      break;
    case 6:
      look = 0.6;
      break;
    case 7:
      open = 0.3;
      shrink = 1;
      break;
    default:
      break;
  }
  double r = 12 * (1 - 0.25 * shrink);
  Vec3 c{0, 0, r + 2};
  scene.Sphere(c, r, shrink > 0 ? Mat(kGrey, 6, 18) : white);
  Vec3 gaze = Normalize(Vec3{Cos(look), Sin(look), -0.1});
  scene.Ellipsoid(c + gaze * (r * 0.84), {2.4, 5.6 + glare, 5.6 + glare}, Mat(iris, 8, 26, 6),
                  AlongX(gaze));
  scene.Ellipsoid(c + gaze * (r * 0.9), {1.5, 2.6 - glare * 0.8, 2.6 - glare * 0.8},
                  Flat(glare > 0 ? kRed : kGrey, glare > 0 ? 30 : 1), AlongX(gaze));
  // The lid: a fleshy hood over the back of the eye that slides forward to shut it.
  scene.Sphere(c - gaze * (r * 1.6 * open), r * 1.05, flesh);
  for (int side = -1; side <= 1; side += 2) {
    WingShape w;
    w.span = 11;
    w.chord = 6;
    w.boneR = 0.6;
    DrawBatWing(scene, c + Vec3{-2, side * (r - 1), 3}, side > 0, w, flap, shrink,
                Mat(kViolet, 2, 12), Mat(kViolet, 3, 15, 2));
  }
  for (int k = 0; k < 3; ++k) {
    double a = (k - 1) * 0.8;
    Vec3 nerve[3] = {c + Vec3{-Cos(a) * 4, Sin(a) * 5, -r + 2},
                     c + Vec3{-Cos(a) * 6, Sin(a) * 7, -r - 3},
                     c + Vec3{-Cos(a) * 9, Sin(a) * 6, -r - 1}};
    DrawChain(scene, nerve, 3, 1.0, 0.5, Mat(kRed, 4, 18));
  }
}

}  // namespace

void RegisterFliers(DesignTable& table) {
  table[3].build = BuildBat;
  table[12].build = BuildPtero;
  table[14].build = BuildPeeper;
  table[29].build = BuildHugeBat;
  table[31].build = BuildBigBat;
}

}  // namespace torvel::forge::creatures
