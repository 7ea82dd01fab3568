#include "forge/creatures/poses.h"

#include <algorithm>
#include <cmath>

namespace torvel::forge::creatures {

double BeatT(const PoseKey& key, int pos) {
  return key.length > 1 ? static_cast<double>(pos) / (key.length - 1) : 0;
}

void BreathePose(HumanPose& p, double amount) {
  p.crouch += 0.4 * amount;
  p.shoulder[0] += 0.05 * amount;
  p.shoulder[1] += 0.05 * amount;
  p.headPitch -= 0.05 * amount;
}

void WalkPose(HumanPose& p, double cycle, double swing) {
  ApplyStride(p, Wave(cycle), swing, swing);
  p.lean += 0.06;
}

void ChopPose(HumanPose& p, double t, double hit, int arm) {
  double wind = Smooth(Ramp(t, 0.0, hit * 0.75)) * (1 - Smooth(Ramp(t, hit * 0.75, hit)));
  double strike = Smooth(Ramp(t, hit * 0.7, hit)) * (1 - 0.7 * Smooth(Ramp(t, hit, 1.0)));
  double up = wind + strike;
  p.shoulder[arm] = 0.2 + 2.6 * wind + 1.3 * strike * (1 - wind);
  p.elbow[arm] = 0.3 + 1.0 * wind - 0.2 * strike;
  p.armOut[arm] = 0.15 + 0.1 * up;
  p.lean += -0.12 * wind + 0.22 * strike;
  p.twist += (arm == 1 ? -1 : 1) * (0.25 * wind - 0.2 * strike);
  p.headPitch += -0.15 * wind + 0.1 * strike;
  p.hip[arm == 1 ? 0 : 1] += 0.25 * strike;
  p.knee[arm == 1 ? 0 : 1] += 0.25 * strike;
}

void PunchPose(HumanPose& p, double t, double hit, int arm) {
  double wind = Smooth(Ramp(t, 0.0, hit * 0.7)) * (1 - Smooth(Ramp(t, hit * 0.7, hit)));
  double strike = Smooth(Ramp(t, hit * 0.6, hit)) * (1 - 0.8 * Smooth(Ramp(t, hit, 1.0)));
  p.shoulder[arm] = 0.1 - 0.5 * wind + 1.55 * strike;
  p.elbow[arm] = 0.3 + 1.5 * wind - 0.25 * strike;
  p.shoulder[1 - arm] += 0.4 * wind - 0.3 * strike;
  p.elbow[1 - arm] += 0.6 * wind;
  p.twist += (arm == 1 ? 1 : -1) * (-0.35 * wind + 0.35 * strike);
  p.lean += 0.2 * strike;
  p.hip[1 - arm] += 0.3 * strike;
  p.hip[arm] -= 0.2 * strike;
  p.knee[arm] += 0.3 * strike;
}

void ThrowPose(HumanPose& p, double t, double hit, int arm) {
  double wind = Smooth(Ramp(t, 0.0, hit * 0.8)) * (1 - Smooth(Ramp(t, hit * 0.8, hit)));
  double release = Smooth(Ramp(t, hit * 0.8, hit)) * (1 - 0.8 * Smooth(Ramp(t, hit, 1.0)));
  p.shoulder[arm] = 0.2 + 2.2 * wind * 1.2 + 1.3 * release;
  p.armOut[arm] = 0.2 + 0.4 * wind;
  p.elbow[arm] = 0.3 + 1.6 * wind;
  p.shoulder[1 - arm] += 0.9 * wind;
  p.twist += (arm == 1 ? -1 : 1) * (0.45 * wind - 0.35 * release);
  p.lean += -0.15 * wind + 0.25 * release;
  p.hip[1 - arm] += 0.25 * release;
}

void CastPose(HumanPose& p, double t, double hit) {
  double raise = Smooth(Ramp(t, 0.0, hit)) * (1 - Smooth(Ramp(t, std::min(1.0, hit + 0.25), 1.0)));
  for (int i = 0; i < 2; ++i) {
    p.shoulder[i] = 0.2 + 1.4 * raise;
    p.elbow[i] = 0.3 - 0.15 * raise;
    p.armOut[i] = 0.12 + 0.2 * raise;
  }
  p.lean += 0.1 * raise;
  p.headPitch -= 0.1 * raise;
}

void RoarPose(HumanPose& p, double t) {
  double r = Smooth(Ramp(t, 0.0, 0.35)) * (1 - Smooth(Ramp(t, 0.75, 1.0)));
  for (int i = 0; i < 2; ++i) {
    p.shoulder[i] = 0.2 + 1.9 * r;
    p.armOut[i] = 0.12 + 0.9 * r;
    p.elbow[i] = 0.3 + 0.4 * r;
  }
  p.headPitch -= 0.5 * r;
  p.lean -= 0.2 * r;
  p.crouch += 1.0 * r;
}

void CollapsePose(HumanPose& p, double t, bool forward) {
  double hit = Pulse(t, 0.0, 0.12, 0.4);
  double sag = Smooth(Ramp(t, 0.1, 0.5));
  double fall = Smooth(Ramp(t, 0.35, 0.85));
  p.headPitch += (forward ? 0.4 : -0.4) * hit + 0.3 * sag;
  for (int i = 0; i < 2; ++i) {
    p.shoulder[i] = p.shoulder[i] * (1 - sag) + (0.8 * hit + (forward ? 2.2 : 0.6) * fall);
    p.armOut[i] = 0.4 * hit + 0.9 * fall;
    p.knee[i] = 1.3 * sag * (1 - fall * 0.75);
    p.hip[i] = 0.65 * sag * (1 - fall * 0.75);
  }
  p.crouch += 5 * sag * (1 - fall);
  if (forward) {
    p.fallBack = -1.45 * fall;
  } else {
    p.fallBack = 1.45 * fall;
  }
}

void LeapPose(HumanPose& p, double t, double peak, double height) {
  double crouch = Pulse(t, 0.0, peak * 0.5, peak * 0.8) + Pulse(t, peak * 1.4, 0.95, 1.0) * 0.6;
  double air = Pulse(t, peak * 0.6, peak, std::min(1.0, peak * 1.6));
  p.crouch += 4 * crouch;
  for (int i = 0; i < 2; ++i) {
    p.knee[i] += 1.2 * crouch + 0.8 * air;
    p.hip[i] += 0.6 * crouch + 0.5 * air;
  }
  p.lift += height * air;
  p.grounded = air <= 0;
}

}  // namespace torvel::forge::creatures
