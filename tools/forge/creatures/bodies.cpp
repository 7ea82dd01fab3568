#include "forge/creatures/bodies.h"
#include "forge/paint/paint_math.h"

#include <cmath>

namespace torvel::forge::creatures {

void DrawHumanoid(Scene& scene, const HumanBody& body, const HumanJoints& j,
                  const HumanLook& look) {
  const Mat3& t = j.torsoFrame;
  if (look.trunk) {
    scene.Ellipsoid(j.pelvis + t * Vec3{0, 0, body.torso * 0.22}, look.bellyR, look.shirt, t);
    scene.Ellipsoid(j.pelvis + t * Vec3{0, 0, body.torso * 0.66}, look.chestR, look.shirt, t);
  }
  if (look.head) {
    scene.Capsule(j.chest, j.neckTop, look.neckR, look.skin);
    scene.Sphere(j.head, body.headR, look.skin);
  }
  if (look.arms) {
    for (int i = 0; i < 2; ++i) {
      scene.Cone(j.shoulder[i], j.elbow[i], look.upperArmR, look.foreArmR, look.sleeve);
      scene.Cone(j.elbow[i], j.hand[i], look.foreArmR, look.foreArmR * 0.9, look.sleeve);
      scene.Sphere(j.hand[i], look.handR, look.hand);
    }
  }
  if (look.legs) {
    for (int i = 0; i < 2; ++i) {
      scene.Cone(j.hip[i], j.knee[i], look.thighR, look.shinR, look.trousers);
      scene.Cone(j.knee[i], j.ankle[i], look.shinR, look.shinR * 0.85, look.trousers);
      Vec3 toe = Lerp(j.ankle[i], j.toe[i], look.bootLen);
      scene.Cone(j.ankle[i], toe, look.shinR * 0.9, look.shinR * 0.75, look.boot);
    }
  }
}

HumanLook DressedIn(const Material& all) {
  HumanLook look;
  look.skin = look.shirt = look.sleeve = look.trousers = look.boot = look.hand = all;
  return look;
}

void Build(HumanLook& look, double limb, Vec3 chest, Vec3 belly) {
  look.thighR = limb;
  look.shinR = limb * 0.85;
  look.upperArmR = limb * 0.9;
  look.foreArmR = limb * 0.8;
  look.handR = limb * 0.8;
  look.neckR = limb * 0.8;
  look.chestR = chest;
  look.bellyR = belly;
}

Vec3 OnHead(const HumanJoints& j, double r, double yaw, double up) {
  return j.head + j.headFrame * Vec3{r * Cos(up) * Cos(yaw), r * Cos(up) * Sin(yaw), r * Sin(up)};
}

Held HoldAlong(Vec3 hand, Vec3 dir, double below, double above) {
  Vec3 d = Normalize(dir);
  return {hand - d * below, hand + d * above};
}

}  // namespace torvel::forge::creatures
