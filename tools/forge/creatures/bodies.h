// Dressing a posed two-legged skeleton: limbs, trunk and head in a look's
// materials. Models add their own clothes, faces and things they hold.
#pragma once

#include "forge/creatures/render3d.h"
#include "forge/creatures/rigs.h"

namespace torvel::forge::creatures {

struct HumanLook {
  Material skin, shirt, sleeve, trousers, boot, hand;
  double thighR = 2.3, shinR = 1.9;
  double upperArmR = 1.8, foreArmR = 1.6, handR = 1.5;
  Vec3 chestR{3.4, 5.2, 4.6};  // front-back, side, up
  Vec3 bellyR{3.0, 4.2, 3.6};
  double neckR = 1.6;
  double bootLen = 1.0;  // how far the foot reaches toward the toe (0..1)
  bool head = true;
  bool legs = true;
  bool arms = true;
  bool trunk = true;
};

void DrawHumanoid(Scene& scene, const HumanBody& body, const HumanJoints& j, const HumanLook& look);

// A look in one material throughout (fur, bandages, armour).
HumanLook DressedIn(const Material& all);
// Limbs in proportion to one thickness (the thigh's), and the trunk's sizes.
void Build(HumanLook& look, double limb, Vec3 chest, Vec3 belly);

// A point on the head's sphere: forward, right, up angles in radians.
Vec3 OnHead(const HumanJoints& j, double r, double yaw, double up);

// Where a held thing runs: through the hand along dir, from below to above it.
struct Held {
  Vec3 base, tip;
};
Held HoldAlong(Vec3 hand, Vec3 dir, double below, double above);

}  // namespace torvel::forge::creatures
