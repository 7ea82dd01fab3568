// Poses the two-legged models share. Each adds its action on top of what the
// pose already holds; t runs 0..1 over the action, hit is the t of the frame
// the behaviour acts on.
#pragma once

#include "forge/creatures/creature_sets.h"
#include "forge/creatures/rigs.h"

namespace torvel::forge::creatures {

// The t of a position in a sequence of the kind (the strike, the shot).
double BeatT(const PoseKey& key, int pos);

void BreathePose(HumanPose& p, double amount);
void WalkPose(HumanPose& p, double cycle, double swing = 0.45);
// An overhead chop with one arm (0 left, 1 right) landing at hit.
void ChopPose(HumanPose& p, double t, double hit, int arm);
// A straight punch or stab forward landing at hit.
void PunchPose(HumanPose& p, double t, double hit, int arm);
// An overarm throw leaving the hand at hit.
void ThrowPose(HumanPose& p, double t, double hit, int arm);
// Both hands pushed forward, strongest at hit.
void CastPose(HumanPose& p, double t, double hit);
// Arms flung wide and up, head back, strongest in the middle.
void RoarPose(HumanPose& p, double t);
// Struck, knees give, falls on its back (or face down).
void CollapsePose(HumanPose& p, double t, bool forward = false);
// A crouch and spring up into the air, highest at peak.
void LeapPose(HumanPose& p, double t, double peak, double height);

}  // namespace torvel::forge::creatures
