// The walking dead: skeleton, zombie and the desert mummy.
#include <cmath>

#include "forge/creatures/bodies.h"
#include "forge/creatures/models.h"
#include "forge/creatures/poses.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

// ---------------------------------------------------------------------------
// Skeleton: bones, a rusty blade, a spark of grave-light for its shot.

const HumanBody kSkeletonBody = [] {
  HumanBody b;
  b.thigh = 6.8;
  b.shin = 6.8;
  b.torso = 9.5;
  b.neck = 1.6;
  b.headR = 4.4;
  b.shoulderHalf = 4.8;
  b.hipHalf = 2.4;
  b.upperArm = 5.6;
  b.foreArm = 5.4;
  b.footLen = 3;
  return b;
}();

void DrawBones(Scene& scene, const HumanBody& b, const HumanJoints& j, double jaw, bool sword) {
  const Material bone = Mat(kGrey, 9, 28, 3);
  const Material dark = Flat(kGrey, 2);
  const Mat3& t = j.torsoFrame;
  // Spine, ribs, pelvis.
  scene.Capsule(j.pelvis, j.neckTop, 0.9, bone);
  Material ribs = Banded(bone, {0, 0, 1}, 1.9, 0.9, -11);
  scene.Ellipsoid(j.pelvis + t * Vec3{0.3, 0, b.torso * 0.66}, {2.6, 3.8, 3.2}, ribs, t);
  scene.Ellipsoid(j.pelvis + t * Vec3{0, 0, 0.2}, {1.6, 2.9, 1.4}, bone, t);
  for (int i = 0; i < 2; ++i) {
    scene.Capsule(j.shoulder[i], j.elbow[i], 0.8, bone);
    scene.Capsule(j.elbow[i], j.hand[i], 0.7, bone);
    scene.Sphere(j.elbow[i], 1.0, bone);
    scene.Sphere(j.hand[i], 1.1, bone);
    scene.Capsule(j.hip[i], j.knee[i], 0.9, bone);
    scene.Capsule(j.knee[i], j.ankle[i], 0.8, bone);
    scene.Sphere(j.knee[i], 1.1, bone);
    scene.Cone(j.ankle[i], j.toe[i], 1.0, 0.7, bone);
  }
  // Skull with dark sockets, a red spark in each, and a hanging jaw.
  const Mat3& h = j.headFrame;
  scene.Ellipsoid(j.head, {b.headR, b.headR * 0.92, b.headR * 0.95}, bone, h);
  for (int side = -1; side <= 1; side += 2) {
    Vec3 socket = OnHead(j, b.headR - 0.5, side * 0.45, 0.05);
    scene.Sphere(socket, 1.25, dark);
    scene.Sphere(OnHead(j, b.headR + 0.2, side * 0.45, 0.05), 0.45, Flat(kRed, 24));
  }
  scene.Ellipsoid(j.head + h * Vec3{2.0, 0, -3.2 - jaw}, {2.0, 2.8, 1.1}, bone, h);
  if (sword) {
    // The blade stands across the forearm: forward when the arm hangs, up
    // when it is raised forward, back when it is lifted overhead.
    Vec3 fore = Normalize(j.hand[1] - j.elbow[1]);
    Vec3 d = Normalize(Cross(fore, j.torsoFrame.cy) + fore * 0.3);
    Mat3 along = AlongX(d);
    scene.Box(j.hand[1] + d * 6.5, {5.5, 0.8, 0.5}, Mat(kBrown, 4, 17, 5), along);
    scene.Box(j.hand[1] + d * 1.0, {0.5, 1.8, 0.6}, Mat(kBrown, 3, 12), along);
  }
}

// The bones lying where the skeleton fell apart; spread 0..1.
void DrawBonePile(Scene& scene, double spread) {
  const Material bone = Mat(kGrey, 9, 28, 3);
  const Material dark = Flat(kGrey, 2);
  double s = 1 + 0.6 * spread;
  scene.Ellipsoid({-1.0 * s, 0, 1.6}, {2.6, 3.6, 1.8}, Banded(bone, {1, 0, 0}, 1.9, 0.9, -11));
  scene.Capsule({-5 * s, -2 * s, 0.8}, {2 * s, -4 * s, 0.8}, 0.8, bone);
  scene.Capsule({-3 * s, 3 * s, 0.8}, {4 * s, 2 * s, 0.8}, 0.8, bone);
  scene.Capsule({3 * s, -1 * s, 0.8}, {7 * s, 1.5 * s, 0.8}, 0.7, bone);
  scene.Capsule({-6 * s, 1 * s, 0.8}, {-8 * s, 4 * s, 0.8}, 0.7, bone);
  Vec3 skull{4.5 * s + 2 * spread, -3.5 * s, 3.6};
  scene.Sphere(skull, 3.8, bone);
  scene.Sphere(skull + Vec3{2.2, -1.2, 1.0}, 1.1, dark);
  scene.Sphere(skull + Vec3{2.2, 1.2, 1.0}, 1.1, dark);
}

void BuildSkeleton(Scene& scene, const PoseKey& key) {
  HumanPose p;
  double jaw = 0;
  bool sword = true;
  switch (key.anim) {
    case 1:
      WalkPose(p, key.cycle, 0.5);
      break;
    case 2:
      ChopPose(p, key.t, BeatT(key, 3), 1);
      jaw = 1.0 * Pulse(key.t, 0.4, 0.75, 1.0);
      break;
    case 3: {
      // It folds up, then falls apart into a heap of bones.
      if (key.t > 0.5) {
        DrawBonePile(scene, Ramp(key.t, 0.5, 1.0));
        return;
      }
      CollapsePose(p, key.t / 0.5 * 0.7);
      jaw = 1.5;
      break;
    }
    case 4: {
      // Raises its free hand and flings a spark.
      double hit = BeatT(key, 3);
      ThrowPose(p, key.t, hit, 0);
      if (key.t > hit * 0.5 && key.t <= hit) {
        HumanJoints j = PoseHuman(kSkeletonBody, p);
        scene.Sphere(j.hand[0], 1.8, Flat(kGreen, 28));
      }
      break;
    }
    case 5: {
      // A taunt: arms up, jaw rattling.
      RoarPose(p, key.pos == 0 ? 0.2 : 0.5);
      jaw = 1.8;
      break;
    }
    default:
      p.shoulder[1] = 0.4;
      p.elbow[1] = 0.6;
      break;
  }
  HumanJoints j = PoseHuman(kSkeletonBody, p);
  DrawBones(scene, kSkeletonBody, j, jaw, sword);
}

// ---------------------------------------------------------------------------
// Zombie: green skin, rags, arms reaching.

const HumanBody kZombieBody = [] {
  HumanBody b;
  b.thigh = 8;
  b.shin = 8;
  b.torso = 11.5;
  b.headR = 5.2;
  b.shoulderHalf = 6;
  b.upperArm = 7;
  b.foreArm = 7;
  return b;
}();

void BuildZombie(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.shoulder[0] = 1.35;
  p.shoulder[1] = 1.25;
  p.elbow[0] = p.elbow[1] = 0.2;
  p.headRoll = 0.25;
  p.headPitch = 0.2;
  p.lean = 0.12;
  switch (key.anim) {
    case 1: {
      // A dragging shamble: one leg stiff, the body rolling with each step.
      double s = Wave(key.cycle);
      ApplyStride(p, s, 0.35, 0.0);
      p.shoulder[0] = 1.35 + 0.15 * s;
      p.shoulder[1] = 1.25 - 0.15 * s;
      p.roll = 0.12 * s;
      break;
    }
    case 2: {
      // Crouches, leaps at 5, grabs from 7 to 12, straightens.
      double t = key.t;
      double leap = BeatT(key, 5);
      LeapPose(p, t, leap, 6);
      double grab = Ramp(t, BeatT(key, 6), BeatT(key, 8)) * (1 - Ramp(t, BeatT(key, 12), 1.0));
      p.lean += 0.35 * Ramp(t, 0.1, leap) - 0.2 * Ramp(t, BeatT(key, 12), 1.0) + 0.15 * grab;
      p.shoulder[0] = 1.35 + 0.5 * Ramp(t, 0.0, leap) - 0.6 * grab;
      p.shoulder[1] = 1.25 + 0.6 * Ramp(t, 0.0, leap) - 0.5 * grab;
      p.elbow[0] = p.elbow[1] = 0.2 + 0.9 * grab;
      break;
    }
    case 3:
      CollapsePose(p, key.t, true);
      break;
    default:
      BreathePose(p, 1);
      break;
  }
  HumanJoints j = PoseHuman(kZombieBody, p);
  HumanLook look;
  look.skin = Mat(kGreen, 6, 22, 2);
  look.hand = look.skin;
  look.shirt = Banded(Mat(kBrown, 4, 17), {0, 0, 1}, 3.5, 1.0, -4);
  look.sleeve = look.skin;
  look.trousers = Mat(kBlue, 3, 14);
  look.boot = Mat(kBrown, 2, 10);
  look.upperArmR = 1.6;
  look.foreArmR = 1.4;
  DrawHumanoid(scene, kZombieBody, j, look);
  // Torn sleeves, sunken eyes, a gaping mouth.
  for (int i = 0; i < 2; ++i)
    scene.Cone(j.shoulder[i], Lerp(j.shoulder[i], j.elbow[i], 0.6), 2.2, 2.0, look.shirt);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(OnHead(j, kZombieBody.headR - 0.3, side * 0.42, 0.15), 1.1, Flat(kGreen, 2));
    scene.Sphere(OnHead(j, kZombieBody.headR + 0.1, side * 0.42, 0.15), 0.5, Flat(kGold, 26));
  }
  scene.Sphere(OnHead(j, kZombieBody.headR - 0.6, 0, -0.45), 1.4, Flat(kRed, 4));
  scene.Ellipsoid(j.head + j.headFrame * Vec3{-1.5, 0, 2.6}, {3.6, 4.4, 2.4}, Mat(kGrey, 2, 9),
                  j.headFrame);
}

// ---------------------------------------------------------------------------
// Mummy: bandaged from head to foot, eyes like coals; it stops between steps.

const HumanBody kMummyBody = [] {
  HumanBody b;
  b.thigh = 9.5;
  b.shin = 9.5;
  b.torso = 13;
  b.headR = 5.4;
  b.shoulderHalf = 6.6;
  b.upperArm = 8;
  b.foreArm = 8;
  return b;
}();

void BuildMummy(Scene& scene, const PoseKey& key) {
  HumanPose p;
  p.headPitch = 0.15;
  p.shoulder[0] = p.shoulder[1] = 0.25;
  switch (key.anim) {
    case 1: {
      // Steps on 0-2 and 6-8, stands on 3-5 and 9-11.
      int pos = key.pos;
      double s;
      if (pos < 3) {
        s = (pos + 1) / 3.0;
      } else if (pos < 6) {
        s = 1;
      } else if (pos < 9) {
        s = 1 - 2 * (pos - 5) / 3.0;
      } else {
        s = -1;
      }
      ApplyStride(p, s, 0.35, 0.0);
      p.shoulder[0] = 1.3 - 0.2 * s;
      p.shoulder[1] = 1.3 + 0.2 * s;
      p.roll = 0.1 * s;
      break;
    }
    case 2: {
      // Both fists up and down onto whatever stands before it.
      double hit = BeatT(key, 5);
      ChopPose(p, key.t, hit, 0);
      ChopPose(p, key.t, hit, 1);
      p.twist = 0;
      break;
    }
    case 3:
      CollapsePose(p, key.t, true);
      break;
    default:
      break;
  }
  HumanJoints j = PoseHuman(kMummyBody, p);
  Material wrap = Banded(Mat(kBrown, 10, 27, 2), {0, 0, 1}, 2.2, 0.7, -6);
  Material wrapLimb = Banded(Mat(kBrown, 10, 27, 2), {1, 0, 0}, 2.0, 0.6, -6);
  HumanLook look = DressedIn(wrapLimb);
  look.skin = wrap;
  look.shirt = wrap;
  Build(look, 2.6, {3.6, 5.6, 5.0}, {3.4, 4.8, 4.0});
  DrawHumanoid(scene, kMummyBody, j, look);
  // A loose end of bandage hangs from one arm, the eyes glow through a slit.
  scene.Cone(j.elbow[0], j.elbow[0] + Vec3{-2, -1, -6}, 0.9, 0.4, Mat(kBrown, 8, 22));
  scene.Ellipsoid(OnHead(j, kMummyBody.headR - 0.4, 0, 0.1), {0.8, 3.2, 0.9}, Flat(kBrown, 2),
                  j.headFrame);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(OnHead(j, kMummyBody.headR + 0.1, side * 0.35, 0.1), 0.7, Flat(kRed, 27));
  }
}

}  // namespace

void RegisterUndead(DesignTable& table) {
  table[2].build = BuildSkeleton;
  table[6].build = BuildZombie;
  table[39].build = BuildMummy;
}

}  // namespace torvel::forge::creatures
