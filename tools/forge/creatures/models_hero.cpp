// The hero: a young wizard in a blue robe and pointed hat with a staff, and
// the same wizard in the four pieces of armour with the sword made whole.
// Both looks share every pose, so their frames keep the same timing.
#include <cmath>

#include "forge/creatures/bodies.h"
#include "forge/creatures/models.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

const HumanBody kHeroBody = [] {
  HumanBody b;
  b.thigh = 8;
  b.shin = 8;
  b.torso = 11;
  b.headR = 5.6;
  b.shoulderHalf = 5.6;
  b.upperArm = 6.5;
  b.foreArm = 6.5;
  return b;
}();

struct HeroPose {
  HumanPose body;
  Vec3 staffDir{0.05, 0, 1};  // where the staff or sword points from the hand
  double staffBelow = 12;     // how much of it lies below the hand
  double charge = 0;          // 0..1 light in the orb or blade
  bool dropped = false;       // the staff lies on the ground beside the body
};

HeroPose PoseHero(const PoseKey& key) {
  HeroPose h;
  HumanPose& p = h.body;
  // The staff hand: forearm forward, the staff upright beside the body.
  p.shoulder[1] = 0.3;
  p.elbow[1] = 1.1;
  p.armOut[1] = 0.18;
  switch (key.anim) {
    case 1: {  // walk
      double s = Wave(key.cycle);
      ApplyStride(p, s, 0.5, 0.5);
      p.shoulder[1] = 0.3 + 0.12 * s;
      p.elbow[1] = 1.1;
      p.lean = 0.06;
      h.staffDir = {0.12 + 0.1 * s, 0, 1};
      break;
    }
    case 2: {  // shot: wind up, thrust on the shot frame, recover
      double t = key.t;
      double wind = Pulse(t, 0.0, 0.3, 0.55);
      double thrust = Ramp(t, 0.35, 0.62) * (1 - 0.55 * Ramp(t, 0.75, 1.0));
      p.twist = -0.35 * wind + 0.3 * thrust;
      p.lean = -0.08 * wind + 0.16 * thrust;
      p.shoulder[1] = 0.3 + 1.0 * wind + 1.25 * thrust;
      p.elbow[1] = 1.1 + 0.8 * wind - 1.05 * thrust;
      p.armOut[1] = 0.18 + 0.25 * wind;
      p.shoulder[0] = 0.3 * wind - 0.4 * thrust;
      p.hip[0] = 0.25 * thrust;
      p.hip[1] = -0.2 * thrust;
      p.knee[1] = 0.3 * thrust;
      h.staffDir = Lerp(Vec3{-0.5, 0, 1}, Vec3{1, 0, 0.12}, Smooth(Ramp(t, 0.3, 0.62)));
      h.staffDir = Lerp(h.staffDir, Vec3{0.3, 0, 1}, 0.5 * Ramp(t, 0.75, 1.0));
      h.staffBelow = 12 - 6 * thrust;
      h.charge = Pulse(t, 0.1, 0.62, 1.0);
      break;
    }
    case 4: {  // the big cast: both arms up, the staff overhead
      double up = key.pos < 2 ? 0.55 : 1.0;
      p.shoulder[0] = 2.4 * up;
      p.shoulder[1] = 2.5 * up;
      p.armOut[0] = 0.5;
      p.armOut[1] = 0.35;
      p.elbow[0] = 0.3;
      p.elbow[1] = 0.4;
      p.headPitch = -0.25 * up;
      p.lean = -0.1 * up;
      h.staffDir = {0.4, 0.2, 1};
      h.staffBelow = 4;
      h.charge = up;
      break;
    }
    case 3: {  // dying: struck, knees give, falls on its back
      double t = key.t;
      double hit = Pulse(t, 0.0, 0.1, 0.4);
      double sag = Ramp(t, 0.1, 0.55);
      double fall = Smooth(Ramp(t, 0.35, 0.9));
      p.headPitch = -0.4 * hit + 0.3 * sag;
      p.shoulder[0] = 0.8 * hit + 0.4 * fall;
      p.shoulder[1] = 0.9 * hit + 0.6 * fall;
      p.armOut[0] = 0.5 * hit + 0.9 * fall;
      p.armOut[1] = 0.5 * hit + 0.9 * fall;
      p.crouch = 5 * sag * (1 - fall);
      p.knee[0] = p.knee[1] = 1.2 * sag * (1 - fall * 0.7);
      p.hip[0] = p.hip[1] = 0.6 * sag * (1 - fall * 0.7);
      p.fallBack = 1.45 * fall;
      h.dropped = t > 0.3;
      break;
    }
    default: {  // idle: a breath
      p.shoulder[0] = 0.05;
      break;
    }
  }
  return h;
}

void DrawStaff(Scene& scene, const HumanJoints& j, const HeroPose& h) {
  const Material wood = Mat(kBrown, 5, 18, 3);
  const Material orb = Mat(kGold, 14 + static_cast<int>(6 * h.charge), 30, 6);
  if (h.dropped) {
    // The staff lies on the ground at the body's side.
    Vec3 a{-10, -7, 1}, b{8, -9, 1};
    scene.Capsule(a, b, 0.9, wood);
    scene.Sphere(b + Vec3{1.5, 0, 1}, 2.0, orb);
    return;
  }
  Held s = HoldAlong(j.hand[1], h.staffDir, h.staffBelow, 14);
  scene.Capsule(s.base, s.tip, 0.9, wood);
  Vec3 d = Normalize(h.staffDir);
  scene.Sphere(s.tip + d * 1.6, 2.2 + 0.8 * h.charge, h.charge > 0.5 ? Flat(kGold, 31) : orb);
}

void DrawSword(Scene& scene, const HumanJoints& j, const HeroPose& h) {
  const Material blade = Mat(kIce, 12 + static_cast<int>(6 * h.charge), 30, 10);
  const Material gold = Mat(kGold, 8, 26, 6);
  if (h.dropped) {
    scene.Box({0, -8, 0.8}, {9, 0.7, 0.4}, blade);
    scene.Box({-9, -8, 1}, {0.8, 2.5, 0.8}, gold);
    return;
  }
  Vec3 d = Normalize(h.staffDir);
  Mat3 along = AlongX(d);
  Vec3 hilt = j.hand[1] - d * 2.5;
  Vec3 guard = j.hand[1] + d * 1.8;
  scene.Capsule(hilt, guard, 0.8, Mat(kBrown, 4, 14));
  scene.Box(guard, {0.6, 2.8, 0.8}, gold, along);
  double len = 16;
  scene.Box(guard + d * (len * 0.5 + 0.6), {len * 0.5, 1.0, 0.9}, blade, along);
  scene.Sphere(hilt, 1.0, gold);
}

void BuildHero(Scene& scene, const PoseKey& key) {
  HeroPose h = PoseHero(key);
  HumanJoints j = PoseHuman(kHeroBody, h.body);
  const Material skin = Mat(kBrown, 13, 28, 2);
  const Material hair = Mat(kBrown, 3, 13);
  const Material eye = Flat(kGrey, 3);
  HumanLook look;
  look.skin = skin;
  look.hand = skin;
  look.chestR = {3.1, 4.6, 4.4};
  look.bellyR = {3.0, 4.0, 3.2};
  const Mat3& t = j.torsoFrame;
  // The robe's hem rides just above the knees, whatever the legs do.
  double hemDrop = kHeroBody.torso * 0.25 + 5.5;
  Vec3 waist = j.pelvis + t * Vec3{0, 0, 2.5};
  Vec3 hem = j.pelvis + t * Vec3{0, 0, -hemDrop};
  if (!key.armoured) {
    Material robe = Mat(kBlue, 5, 21, 2);
    look.shirt = robe;
    look.sleeve = robe;
    look.trousers = Mat(kBlue, 3, 13);
    look.boot = Mat(kBrown, 3, 12, 2);
    DrawHumanoid(scene, kHeroBody, j, look);
    scene.Frustum(waist, hem, 4.6, 6.6, robe);
    scene.Cylinder(j.pelvis + t * Vec3{0, 0, 1.6}, j.pelvis + t * Vec3{0, 0, 3.0}, 4.8,
                   Mat(kGold, 8, 24, 4));
    // Hair under a tall pointed hat with a wide brim.
    scene.Ellipsoid(j.head + j.headFrame * Vec3{-1.6, 0, -0.6}, {4.6, 5.8, 4.8}, hair, j.headFrame);
    Vec3 brim = j.head + j.headFrame * Vec3{-0.4, 0, 3.9};
    Material hat = Mat(kViolet, 4, 20, 2);
    scene.Cylinder(brim, brim + j.headFrame * Vec3{0, 0, 0.8}, 6.8, hat);
    Vec3 tipDir = j.headFrame * Normalize(Vec3{-0.4, 0, 1});
    scene.Frustum(brim + j.headFrame * Vec3{0, 0, 0.5}, brim + tipDir * 13, 4.4, 0.5, hat);
    scene.Sphere(brim + tipDir * 13.2, 1.0, Mat(kGold, 12, 28, 5));
  } else {
    Material steel = Mat(kGrey, 6, 26, 12);
    Material gold = Mat(kGold, 8, 27, 6);
    look.shirt = Mat(kBlue, 5, 21, 2);
    look.sleeve = Mat(kBlue, 5, 20, 2);
    look.trousers = Mat(kBlue, 3, 13);
    look.boot = steel;
    look.hand = steel;
    look.handR = 1.8;
    DrawHumanoid(scene, kHeroBody, j, look);
    scene.Frustum(waist, hem, 4.6, 6.6, look.shirt);
    // Breastplate, gauntlets, greaves and the winged helm.
    scene.Ellipsoid(j.pelvis + t * Vec3{0.4, 0, kHeroBody.torso * 0.66}, {3.6, 5.0, 4.8}, steel, t);
    scene.Cylinder(j.pelvis + t * Vec3{0, 0, 1.6}, j.pelvis + t * Vec3{0, 0, 3.0}, 4.9, gold);
    for (int i = 0; i < 2; ++i) {
      scene.Sphere(j.shoulder[i] + t * Vec3{0, i == 0 ? -0.6 : 0.6, 0.8}, 2.6, steel);
      scene.Cone(Lerp(j.elbow[i], j.hand[i], 0.2), j.hand[i], 2.0, 2.2, steel);
      scene.Cone(j.knee[i], Lerp(j.knee[i], j.ankle[i], 0.9), 2.4, 2.2, steel);
    }
    // An open helm: the face shows under its rim, a gold crest runs over it.
    scene.Ellipsoid(j.head + j.headFrame * Vec3{-1.4, 0, 1.5}, {5.4, 6.0, 5.2}, steel, j.headFrame);
    scene.Box(j.head + j.headFrame * Vec3{-0.8, 0, 5.6}, {4.6, 0.7, 1.6}, gold, j.headFrame);
    scene.Box(j.head + j.headFrame * Vec3{3.6, 0, 1.2}, {0.7, 0.6, 2.2}, steel, j.headFrame);
    for (int side = -1; side <= 1; side += 2) {
      Vec3 root = j.head + j.headFrame * Vec3{-1.0, side * 5.2, 2.0};
      scene.Ellipsoid(root + j.headFrame * Vec3{-1.5, side * 1.0, 2.5}, {2.6, 0.6, 3.6}, gold,
                      j.headFrame * RotY(-0.5));
    }
  }
  // A face under the brim or visor.
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(OnHead(j, kHeroBody.headR - 0.2, side * 0.42, 0.05), 0.85, eye);
  }
  if (key.armoured) {
    DrawSword(scene, j, h);
  } else {
    DrawStaff(scene, j, h);
  }
}

}  // namespace

void RegisterHero(DesignTable& table) {
  Design d;
  d.build = BuildHero;
  table[1] = d;
}

}  // namespace torvel::forge::creatures
