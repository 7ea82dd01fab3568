// Skeletons the models share: a two-legged body, many-legged bodies and wings.
// Each turns a handful of pose angles into joint positions in the creature's
// own frame (x forward, y right, z up, feet on z = 0); the models then hang
// their parts on the joints.
#pragma once

#include "forge/creatures/render3d.h"

namespace torvel::forge::creatures {

constexpr double kPi = 3.14159265358979323846;

double Smooth(double t);                                  // 0..1 eased at both ends
double Ramp(double t, double a, double b);                // 0 before a, 1 after b, linear between
double Pulse(double t, double a, double peak, double b);  // 0 at a, 1 at peak, 0 at b
double Wave(double cycle);                                // sin(2 pi cycle)

// ---------------------------------------------------------------------------
// Two legs, two arms, a head.

struct HumanBody {
  double thigh = 8.5, shin = 8.5;  // leg bones
  double torso = 12;               // pelvis to the base of the neck
  double neck = 2;
  double headR = 5.5;
  double shoulderHalf = 6;  // half the shoulder width
  double hipHalf = 3.2;
  double upperArm = 7, foreArm = 7;
  double footLen = 4;
};

struct HumanPose {
  double crouch = 0;                // pelvis lowered
  double lean = 0;                  // torso pitched forward
  double twist = 0;                 // torso turned right
  double roll = 0;                  // torso tilted to its right
  double hip[2] = {0, 0};           // legs swung forward (0 left, 1 right)
  double knee[2] = {0, 0};          // knees bent
  double legOut[2] = {0, 0};        // legs spread sideways
  double shoulder[2] = {0, 0};      // arms raised forward
  double armOut[2] = {0.12, 0.12};  // arms spread sideways
  double elbow[2] = {0.15, 0.15};   // elbows bent
  double headPitch = 0;             // nodding down
  double headYaw = 0;
  double headRoll = 0;
  // The whole body turned about the ground point: falling back, to its right.
  double fallBack = 0, fallSide = 0;
  double lift = 0;       // raised off the ground
  bool grounded = true;  // moved so the lower foot touches the ground
};

struct HumanJoints {
  Vec3 pelvis, chest, neckTop, head;
  Mat3 torsoFrame, headFrame;
  Vec3 shoulder[2], elbow[2], hand[2];
  Vec3 hip[2], knee[2], ankle[2], toe[2];
};

HumanJoints PoseHuman(const HumanBody& body, const HumanPose& pose);

// A walking stride: s in -1..1 swings the left leg forward for s > 0, the
// arms against the legs.
void ApplyStride(HumanPose& pose, double s, double legSwing = 0.45, double armSwing = 0.45);

// ---------------------------------------------------------------------------
// Legs around a body (spiders, centipedes): leg i of n per side.

struct LegSet {
  int pairs = 4;
  double spanFront = 0.9, spanBack = -0.9;  // angle of the first and last pair from sideways
  double reach = 10;                        // hip to foot, flat
  double hipHeight = 4;
  double kneeUp = 6;  // knee height above the hip line at rest
  double radius = 1.2;
  Vec3 centre;  // where the legs fan from
  double bodyHalfWidth = 3;
};

// Draws the legs with a walking ripple of phase cycle (0..1; each pair
// alternates), or curled in by curl (0..1) for a death.
void DrawLegs(Scene& scene, const LegSet& legs, double cycle, double step, double curl,
              const Material& m);

// ---------------------------------------------------------------------------
// A membrane wing from a shoulder: flap 1 up, -1 down; fold 0 open, 1 closed.

struct WingShape {
  double span = 14;
  double chord = 7;
  int fingers = 3;
  double boneR = 0.8;
};

void DrawBatWing(Scene& scene, Vec3 shoulder, bool right, const WingShape& w, double flap,
                 double fold, const Material& bone, const Material& skin);

// A feathered or leathery wing drawn as a flattened ellipsoid blade.
void DrawBladeWing(Scene& scene, Vec3 shoulder, bool right, double span, double chord, double flap,
                   double sweep, const Material& m);

// ---------------------------------------------------------------------------
// Small helpers.

// Two eyes on a sphere: centre, radius, the head's frame, how far apart
// (radians either side of forward), how high (radians above the middle).
void DrawEyes(Scene& scene, Vec3 centre, double r, const Mat3& frame, double apart, double up,
              double eyeR, const Material& white, const Material& pupil, double pupilR = 0);

// A chain of capsules through the points (a tail, a tentacle).
void DrawChain(Scene& scene, const Vec3* points, int count, double r0, double r1,
               const Material& m);

}  // namespace torvel::forge::creatures
