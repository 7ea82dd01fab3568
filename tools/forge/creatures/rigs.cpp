#include "forge/creatures/rigs.h"
#include "forge/paint/paint_math.h"

#include <algorithm>
#include <cmath>

namespace torvel::forge::creatures {

double Smooth(double t) {
  t = std::clamp(t, 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

double Ramp(double t, double a, double b) {
  if (b <= a) return t < a ? 0 : 1;
  return std::clamp((t - a) / (b - a), 0.0, 1.0);
}

double Pulse(double t, double a, double peak, double b) {
  if (t <= a || t >= b) return 0;
  if (t <= peak) return peak > a ? (t - a) / (peak - a) : 1;
  return b > peak ? (b - t) / (b - peak) : 1;
}

double Wave(double cycle) {
  return Sin(2 * kPi * cycle);
}

HumanJoints PoseHuman(const HumanBody& body, const HumanPose& pose) {
  HumanJoints j;
  const double ankleHeight = 1.2;
  Vec3 pelvis{0, 0, body.thigh + body.shin + ankleHeight - pose.crouch};
  Mat3 torso = RotZ(pose.twist) * RotX(-pose.roll) * RotY(pose.lean);
  Mat3 hips = RotZ(pose.twist * 0.3);
  j.pelvis = pelvis;
  j.chest = pelvis + torso * Vec3{0, 0, body.torso};
  j.neckTop = j.chest + torso * Vec3{0, 0, body.neck};
  j.headFrame = torso * RotZ(pose.headYaw) * RotY(pose.headPitch) * RotX(-pose.headRoll);
  j.head = j.neckTop + j.headFrame * Vec3{0, 0, body.headR * 0.85};
  j.torsoFrame = torso;
  const Vec3 down{0, 0, -1};
  for (int i = 0; i < 2; ++i) {
    double side = i == 0 ? -1 : 1;
    j.shoulder[i] = j.chest + torso * Vec3{0, side * body.shoulderHalf, -1.5};
    Mat3 out = RotX(side * pose.armOut[i]);
    Vec3 upper = torso * (RotY(-pose.shoulder[i]) * (out * down));
    Vec3 fore = torso * (RotY(-(pose.shoulder[i] + pose.elbow[i])) * (out * down));
    j.elbow[i] = j.shoulder[i] + upper * body.upperArm;
    j.hand[i] = j.elbow[i] + fore * body.foreArm;

    j.hip[i] = pelvis + hips * Vec3{0, side * body.hipHalf, -1};
    Mat3 spread = RotX(side * pose.legOut[i]);
    Vec3 thigh = hips * (RotY(-pose.hip[i]) * (spread * down));
    Vec3 shin = hips * (RotY(-(pose.hip[i] - pose.knee[i])) * (spread * down));
    j.knee[i] = j.hip[i] + thigh * body.thigh;
    j.ankle[i] = j.knee[i] + shin * body.shin;
    j.toe[i] = j.ankle[i] + hips * Vec3{body.footLen, side * 0.4, -ankleHeight * 0.5};
  }
  double lift = pose.lift;
  if (pose.grounded) {
    double low = std::min(j.ankle[0].z, j.ankle[1].z) - ankleHeight;
    lift -= low;
  }
  // Everything moved up, then turned about the ground point for a fall.
  Mat3 fall = RotX(-pose.fallSide) * RotY(-pose.fallBack);
  auto place = [&](Vec3& p) { p = fall * (p + Vec3{0, 0, lift}); };
  place(j.pelvis);
  place(j.chest);
  place(j.neckTop);
  place(j.head);
  for (int i = 0; i < 2; ++i) {
    place(j.shoulder[i]);
    place(j.elbow[i]);
    place(j.hand[i]);
    place(j.hip[i]);
    place(j.knee[i]);
    place(j.ankle[i]);
    place(j.toe[i]);
  }
  j.torsoFrame = fall * j.torsoFrame;
  j.headFrame = fall * j.headFrame;
  if (pose.fallBack != 0 || pose.fallSide != 0) {
    // A fallen body rests on the ground instead of sinking into it.
    double low = j.head.z - body.headR;
    for (const Vec3* p : {&j.pelvis, &j.chest, &j.knee[0], &j.knee[1], &j.ankle[0], &j.ankle[1],
                          &j.hand[0], &j.hand[1], &j.elbow[0], &j.elbow[1]}) {
      low = std::min(low, p->z - 2.0);
    }
    if (low < 0) {
      Vec3 up{0, 0, -low};
      for (Vec3* p : {&j.pelvis, &j.chest, &j.neckTop, &j.head}) *p = *p + up;
      for (int i = 0; i < 2; ++i) {
        for (Vec3* p : {&j.shoulder[i], &j.elbow[i], &j.hand[i], &j.hip[i], &j.knee[i], &j.ankle[i],
                        &j.toe[i]}) {
          *p = *p + up;
        }
      }
    }
  }
  return j;
}

void ApplyStride(HumanPose& pose, double s, double legSwing, double armSwing) {
  pose.hip[0] = s * legSwing;
  pose.hip[1] = -s * legSwing;
  for (int i = 0; i < 2; ++i) {
    double back = std::max(0.0, -pose.hip[i] / std::max(legSwing, 1e-6));
    double front = std::max(0.0, pose.hip[i] / std::max(legSwing, 1e-6));
    pose.knee[i] = 0.1 + 0.55 * back + 0.1 * front;
  }
  pose.shoulder[0] = -s * armSwing;
  pose.shoulder[1] = s * armSwing;
  pose.elbow[0] = 0.2 + 0.35 * std::max(0.0, pose.shoulder[0]);
  pose.elbow[1] = 0.2 + 0.35 * std::max(0.0, pose.shoulder[1]);
}

void DrawLegs(Scene& scene, const LegSet& legs, double cycle, double step, double curl,
              const Material& m) {
  for (int side = -1; side <= 1; side += 2) {
    for (int i = 0; i < legs.pairs; ++i) {
      double f = legs.pairs > 1 ? static_cast<double>(i) / (legs.pairs - 1) : 0.5;
      double a = legs.spanFront + (legs.spanBack - legs.spanFront) * f;
      Vec3 dir{Sin(a), side * Cos(a), 0};
      Vec3 hip = legs.centre + dir * legs.bodyHalfWidth + Vec3{0, 0, legs.hipHeight};
      // Neighbouring legs, and the two sides, step in turn.
      double phase = ((i + (side > 0 ? 1 : 0)) % 2) * 0.5;
      double w = 2 * kPi * (cycle + phase);
      Vec3 foot = legs.centre + dir * (legs.bodyHalfWidth + legs.reach);
      foot.z = 0;
      foot.x += step * Sin(w);
      foot.z += std::max(0.0, Cos(w)) * step * 0.6;
      Vec3 curled = legs.centre + dir * (legs.bodyHalfWidth + legs.reach * 0.3) +
                    Vec3{0, 0, legs.hipHeight + legs.kneeUp * 0.6};
      foot = Lerp(foot, curled, curl);
      Vec3 knee = Lerp(hip, foot, 0.45) + Vec3{0, 0, legs.kneeUp * (1 + curl * 0.3)};
      scene.Cone(hip, knee, legs.radius, legs.radius * 0.85, m);
      scene.Cone(knee, foot, legs.radius * 0.85, legs.radius * 0.5, m);
    }
  }
}

namespace {

// A flat lobe of membrane filling the triangle a, b, c (bulging a little past
// its edges, which scallops the wing's trailing edge).
void Membrane(Scene& scene, Vec3 a, Vec3 b, Vec3 c, Vec3 normal, const Material& m) {
  Vec3 centre = (a + b + c) * (1.0 / 3.0);
  Vec3 edge = c - b;
  double half = Length(edge) * 0.5;
  if (half < 1e-6) return;
  Vec3 u = Normalize(edge);
  Vec3 v = Normalize(Cross(normal, u));
  double reach = std::max(std::fabs(Dot(a - centre, v)), std::fabs(Dot(b - centre, v)));
  reach = std::max(reach, std::fabs(Dot(c - centre, v)));
  scene.Ellipsoid(centre, {half * 1.05, reach * 1.05, 0.3}, m, Mat3{u, v, Cross(u, v)});
}

}  // namespace

void DrawBatWing(Scene& scene, Vec3 shoulder, bool right, const WingShape& w, double flap,
                 double fold, const Material& bone, const Material& skin) {
  double side = right ? 1 : -1;
  double phi = flap * 0.9;
  double open = 1 - 0.65 * fold;
  Vec3 out{0, side * Cos(phi), Sin(phi)};  // along the wing
  Vec3 back{-1, 0, 0};
  Vec3 normal = Normalize(Cross(back, out));
  double span = w.span * open;
  Vec3 wrist = shoulder + out * (span * 0.42) + Vec3{1.0, 0, 0};
  scene.Cone(shoulder, wrist, w.boneR * 1.3, w.boneR, bone);
  Vec3 prev = wrist;
  Vec3 first{};
  for (int k = 0; k < w.fingers; ++k) {
    double f = w.fingers > 1 ? static_cast<double>(k) / (w.fingers - 1) : 0;
    Vec3 tip = wrist + out * (span * (0.58 - 0.3 * f)) + back * (w.chord * (0.1 + 0.9 * f));
    scene.Cone(wrist, tip, w.boneR, w.boneR * 0.5, bone);
    if (k == 0) {
      first = tip;
      Membrane(scene, shoulder, wrist, tip, normal, skin);
    } else {
      Membrane(scene, wrist, prev, tip, normal, skin);
    }
    prev = tip;
  }
  // From the last finger back to the flank.
  Vec3 flank = shoulder + back * (w.chord * 0.75) + out * (span * 0.05);
  Membrane(scene, shoulder, prev, flank, normal, skin);
  if (w.fingers == 1) Membrane(scene, wrist, first, flank, normal, skin);
}

void DrawBladeWing(Scene& scene, Vec3 shoulder, bool right, double span, double chord, double flap,
                   double sweep, const Material& m) {
  double side = right ? 1 : -1;
  double phi = flap * 0.9;
  Vec3 out{-Sin(sweep), side * Cos(sweep) * Cos(phi), Sin(phi)};
  out = Normalize(out);
  Vec3 back{-1, 0, 0};
  Vec3 normal = Normalize(Cross(back, out));
  Vec3 fwd = Normalize(Cross(out, normal));
  Mat3 plane{fwd, out, normal};
  scene.Ellipsoid(shoulder + out * (span * 0.5) + back * (chord * 0.2),
                  {chord * 0.5, span * 0.5, 0.5}, m, plane);
}

void DrawEyes(Scene& scene, Vec3 centre, double r, const Mat3& frame, double apart, double up,
              double eyeR, const Material& white, const Material& pupil, double pupilR) {
  for (int side = -1; side <= 1; side += 2) {
    Vec3 d = frame * Vec3{Cos(up) * Cos(apart), side * Cos(up) * Sin(apart), Sin(up)};
    Vec3 eye = centre + d * (r - eyeR * 0.35);
    scene.Sphere(eye, eyeR, white);
    if (pupilR > 0) scene.Sphere(eye + d * (eyeR * 0.62), pupilR, pupil);
  }
}

void DrawChain(Scene& scene, const Vec3* points, int count, double r0, double r1,
               const Material& m) {
  for (int i = 0; i + 1 < count; ++i) {
    double f0 = static_cast<double>(i) / std::max(1, count - 1);
    double f1 = static_cast<double>(i + 1) / std::max(1, count - 1);
    scene.Cone(points[i], points[i + 1], r0 + (r1 - r0) * f0, r0 + (r1 - r0) * f1, m);
  }
}

}  // namespace torvel::forge::creatures
