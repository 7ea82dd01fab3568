// Swimmers, drawn as they show above the surface with rings of ripples: the
// water serpent, the magmazoid in its lava, the freakazoid, the thing in the
// pool and its tentacles.
#include <algorithm>
#include <cmath>

#include "forge/creatures/models.h"
#include "forge/creatures/poses.h"
#include "forge/creatures/rigs.h"
#include "forge/paint/paint_math.h"
#include "forge/palette.h"

namespace torvel::forge::creatures {

namespace {

// Rings spreading on the surface round a swimmer; phase 0..1 moves them out.
void DrawRipples(Scene& scene, double r, double phase, int ramp) {
  for (int k = 0; k < 2; ++k) {
    double f = std::fmod(phase + k * 0.5, 1.0);
    double rr = r * (0.8 + 0.6 * f);
    Material m = Mat(ramp, 14, 26 - static_cast<int>(8 * f));
    m.noOutline = true;
    scene.Ring({0, 0, 0.05}, rr, rr + 1.0, m);
  }
}

// A neck rising from the water and bending toward its head: base, the top of
// the neck and where it looks.
void DrawNeck(Scene& scene, Vec3 base, Vec3 top, double r0, double r1, const Material& m) {
  Vec3 mid = Lerp(base, top, 0.5) + Vec3{-2, 0, 3};
  Vec3 pts[4] = {base, Lerp(base, mid, 0.7), Lerp(mid, top, 0.5), top};
  DrawChain(scene, pts, 4, r0, r1, m);
}

// ---------------------------------------------------------------------------
// Water serpent.

struct SerpentLook {
  Material hide, belly, fin, eye, mouth;
  int water = kBlue;
};

void DrawSerpent(Scene& scene, const SerpentLook& look, const PoseKey& key, int spitPos) {
  double sway = 0, rear = 0, thrust = 0, sink = 0, phase = 0, mouth = 0, roll = 0;
  switch (key.anim) {
    case 1:
      phase = key.cycle;
      sway = Wave(key.cycle);
      break;
    case 2: {
      double hit = BeatT(key, spitPos);
      rear = Pulse(key.t, 0.0, hit * 0.8, hit);
      thrust = Pulse(key.t, hit * 0.8, hit, 1.0);
      mouth = Ramp(key.t, hit * 0.6, hit) * (1 - Ramp(key.t, std::min(1.0, hit + 0.15), 1.0));
      break;
    }
    case 3:
      sink = Smooth(key.t);
      roll = 0.8 * key.t;
      mouth = 0.5;
      break;
    default:
      break;
  }
  Mat3 tilt = RotX(roll);
  double down = 16 * sink;
  auto at = [&](Vec3 v) { return tilt * v + Vec3{0, 0, -down}; };
  // Two humps of the coiled body behind the neck.
  for (int k = 0; k < 2; ++k) {
    double hx = -9 - 8 * k;
    double hy = 3 * Sin(2 * kPi * (phase + k * 0.3));
    scene.Ellipsoid(at({hx, hy, 0.5 + 1.5 * Cos(2 * kPi * (phase + k * 0.3))}), {4.5, 3.2, 4.0},
                    look.hide, tilt);
    scene.Cone(at({hx, hy, 3.5}), at({hx - 2, hy, 6}), 1.6, 0.4, look.fin);
  }
  Vec3 base = at({-2, 0, -2});
  Vec3 top = at({3 + 5 * thrust - 5 * rear, 2.0 * sway, 16 + 4 * rear - 3 * thrust});
  DrawNeck(scene, base, top, 4.0, 3.0, look.hide);
  scene.Ellipsoid(base + tilt * Vec3{1.2, 0, 5}, {2.5, 2.8, 6}, look.belly, tilt);
  Vec3 head = top + tilt * Vec3{2.5, 0, 0.5};
  scene.Ellipsoid(head, {4.8, 3.4, 3.0}, look.hide, tilt * RotY(0.2 - 0.5 * rear + 0.3 * thrust));
  scene.Ellipsoid(head + tilt * Vec3{3, 0, -1.5 - 1.5 * mouth}, {3.4, 2.6, 1.2}, look.belly, tilt);
  if (mouth > 0.2) scene.Sphere(head + tilt * Vec3{4.5, 0, -1.2}, 1.2 * mouth + 0.4, look.mouth);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere(head + tilt * Vec3{1.5, side * 2.4, 1.8}, 0.9, look.eye);
    scene.Cone(head + tilt * Vec3{-1.5, side * 2.0, 2.0}, head + tilt * Vec3{-5, side * 4.0, 4.5},
               1.0, 0.3, look.fin);
  }
  DrawRipples(scene, 9, phase, look.water);
}

void BuildSerpent(Scene& scene, const PoseKey& key) {
  SerpentLook look;
  look.hide = Banded(Mat(kBlue, 4, 22, 6), {0, 0, 1}, 3.0, 0.8, -4);
  look.belly = Mat(kIce, 10, 26, 4);
  look.fin = Mat(kGreen, 6, 22, 3);
  look.eye = Flat(kGold, 29);
  look.mouth = Flat(kRed, 6);
  DrawSerpent(scene, look, key, 6);
}

// ---------------------------------------------------------------------------
// Magmazoid: molten rock heaving up out of the lava, cracked with fire.

void BuildMagmazoid(Scene& scene, const PoseKey& key) {
  const Material crust = Banded(Mat(kGrey, 2, 13, 2), {0.4, 0.3, 1}, 3.5, 1.0, 18, kGold);
  const Material molten = Mat(kGold, 16, 30, 6);
  double rise = 0, phase = 0, mouth = 0, sink = 0, arms = 0;
  switch (key.anim) {
    case 1:
      phase = key.cycle;
      rise = 0.5 + 0.5 * Wave(key.cycle);
      break;
    case 2: {
      double a = BeatT(key, 6), b = BeatT(key, 12);
      rise = Ramp(key.t, 0.0, a);
      mouth = Ramp(key.t, a * 0.7, a) * (1 - Ramp(key.t, b, 1.0));
      arms = rise;
      if (key.frame == 14) mouth = 1.3;
      break;
    }
    case 3:
      sink = Smooth(key.t);
      break;
    default:
      rise = 0.3;
      break;
  }
  double h = 8 + 4 * rise - 16 * sink;
  scene.Ellipsoid({0, 0, h}, {8, 8, 10}, crust);
  scene.Ellipsoid({2.5, 0, h + 8}, {5.5, 5.5, 5}, crust);
  for (int side = -1; side <= 1; side += 2) {
    scene.Sphere({6.8, side * 2.2, h + 9.5}, 1.2, Flat(kGold, 31));
    Vec3 sh{1, side * 7.0, h + 3};
    Vec3 hand = sh + Vec3{3 + 5 * arms, side * (3 - 1 * arms), -4 + 7 * arms};
    scene.Cone(sh, hand, 2.6, 2.0, crust);
    scene.Sphere(hand, 2.4, molten);
  }
  scene.Ellipsoid({7, 0, h + 5}, {1.5, 3.0, 0.8 + 2.2 * mouth}, Flat(kGold, mouth > 0.5 ? 31 : 20));
  DrawRipples(scene, 10, phase, kRed);
  Material pool = Mat(kGold, 20, 28);
  pool.noOutline = true;
  scene.Ring({0, 0, 0.1}, 0, 8.5, pool);
}

// ---------------------------------------------------------------------------
// Freakazoid: a bulbous many-eyed swimmer with feelers and a frill.

void BuildFreakazoid(Scene& scene, const PoseKey& key) {
  const Material hide = Mat(kViolet, 4, 22, 6);
  const Material frill = Mat(kGreen, 6, 24, 3);
  double phase = 0, rear = 0, thrust = 0, mouth = 0, sink = 0;
  switch (key.anim) {
    case 1:
      phase = key.cycle;
      break;
    case 2: {
      double hit = BeatT(key, 6);
      rear = Pulse(key.t, 0.0, hit * 0.8, hit);
      thrust = Pulse(key.t, hit * 0.8, hit, 1.0);
      mouth = thrust;
      break;
    }
    case 3:
      sink = Smooth(key.t);
      break;
    default:
      break;
  }
  double bob = 1.2 * Wave(phase);
  double h = 6 + bob - 14 * sink + 2 * rear;
  Vec3 c{-2 * rear + 3 * thrust, 0, h};
  scene.Ellipsoid(c, {7, 7.5, 8}, hide);
  for (int i = 0; i < 5; ++i) {
    double a = -1.2 + i * 0.6;
    Vec3 root = c + Vec3{-2, Sin(a) * 6, 5 + Cos(a) * 2};
    scene.Ellipsoid(root + Vec3{-2, Sin(a) * 2, 3}, {1.2, 1.8, 3.8}, frill, RotX(a * 0.8));
  }
  static const double kEyes[4][3] = {
      {0.55, 0.0, 0.5}, {0.4, -0.6, 0.2}, {0.4, 0.6, 0.2}, {0.2, 0.3, 0.9}};
  for (const auto& e : kEyes) {
    Vec3 d = Normalize(Vec3{Cos(e[1]) * e[0] * 2, Sin(e[1]), e[2]});
    Vec3 p = c + Vec3{d.x * 6.5, d.y * 7, d.z * 7.5};
    scene.Sphere(p, 1.8, Mat(kGold, 14, 30, 6));
    scene.Sphere(p + d * 1.3, 0.8, Flat(kGrey, 1));
  }
  scene.Ellipsoid(c + Vec3{6, 0, -1.5}, {1.6, 3.5, 1 + 2 * mouth},
                  Flat(kRed, mouth > 0.3 ? 10 : 4));
  for (int side = -1; side <= 1; side += 2) {
    Vec3 f[3] = {c + Vec3{5, side * 3.0, -2}, c + Vec3{10 + 3 * thrust, side * 6.0, -1},
                 c + Vec3{12 + 4 * thrust, side * 9.0, 2 - 2 * Wave(phase)}};
    DrawChain(scene, f, 3, 1.0, 0.4, frill);
  }
  DrawRipples(scene, 9, phase, kBlue);
}

// ---------------------------------------------------------------------------
// The thing in the pool: a great dome of hide with a maw and a ring of
// tentacles thrashing round it.

void DrawTentacle(Scene& scene, Vec3 root, double angle, double length, double wave,
                  const Material& m, const Material& suckers) {
  Vec3 out{Cos(angle), Sin(angle), 0};
  Vec3 pts[6];
  for (int i = 0; i < 6; ++i) {
    double f = i / 5.0;
    double bend = Sin(f * 3.0 + wave) * length * 0.18;
    Vec3 side{-out.y, out.x, 0};
    pts[i] = root + out * (length * 0.35 * f) + side * bend +
             Vec3{0, 0, length * (0.9 * f - 0.35 * f * f)};
  }
  DrawChain(scene, pts, 6, length * 0.11, length * 0.03, m);
  for (int i = 1; i < 5; i += 2)
    scene.Sphere(pts[i] + out * (length * 0.08), length * 0.035, suckers);
}

void BuildTheThing(Scene& scene, const PoseKey& key) {
  const Material hide = Mat(kGreen, 3, 19, 6);
  const Material tent = Banded(Mat(kGreen, 4, 21, 5), {0, 0, 1}, 6, 2, -4);
  const Material suckers = Mat(kViolet, 8, 24, 4);
  double maw = 0, sink = 0, twitch = 0, wave = 0;
  if (key.frame == 1) wave = 1.5;
  if (key.anim == 2)
    maw = key.frame == 2   ? 0.2
          : key.frame == 3 ? 0.45
          : key.frame == 4 ? 0.7
          : key.frame == 5 ? 1.0
                           : 0.9;
  if (key.anim == 2) wave = 0.6 * key.frame;
  if (key.anim == kAnimDie) sink = key.frame == 7 ? 0.25 : key.frame == 8 ? 0.55 : 0.85;
  if (key.frame == 10) twitch = 1;
  double h = 30 * (1 - sink);
  scene.Ellipsoid({0, 0, h - 10}, {44, 52, 36 * (1 - 0.5 * sink)}, hide);
  for (int i = 0; i < 8; ++i) {
    double a = -2.6 + i * 0.74;
    Vec3 root{Cos(a) * 40, Sin(a) * 48, 2};
    double len = (50 + 10 * (i % 3)) * (1 - 0.7 * sink) * (1 + 0.3 * twitch * (i % 2));
    DrawTentacle(scene, root, a, len, wave + i * 0.9 + twitch * 2, tent, suckers);
  }
  // Eyes above the maw.
  for (int k = -1; k <= 1; ++k) {
    Vec3 e{34 * Cos(k * 0.35), 40 * Sin(k * 0.35), h + 14 - std::abs(k) * 4.0};
    scene.Sphere(e, 5.5, Mat(kGold, 12, 30, 8));
    scene.Sphere(e + Vec3{4.2, 0, 0}, 2.4, sink > 0.5 ? Flat(kGrey, 8) : Flat(kRed, 4));
  }
  scene.Ellipsoid({38, 0, h - 4}, {6, 20 + 6 * maw, 3 + 12 * maw}, Flat(kRed, 4));
  for (int k = -2; k <= 2; ++k) {
    scene.Cone({40, k * 7.0, h - 4 + 3 + 10 * maw}, {43, k * 7.0, h - 4 - 2 + 8 * maw}, 1.6, 0.3,
               Mat(kGrey, 16, 30));
  }
  for (int k = 0; k < 3; ++k) {
    double rr = 58 + k * 9;
    Material m = Mat(kBlue, 14, 26 - 4 * k);
    m.noOutline = true;
    scene.Ring({0, 0, 0.1}, rr, rr + 1.5, m);
  }
}

void BuildTentacle(Scene& scene, const PoseKey&, double lean, const Material& m) {
  Vec3 pts[6];
  for (int i = 0; i < 6; ++i) {
    double f = i / 5.0;
    pts[i] = {lean * 10 * f * f, 4 * Sin(f * 4), 50 * f};
  }
  DrawChain(scene, pts, 6, 7, 2, m);
  for (int k = 0; k < 2; ++k) {
    double rr = 9 + k * 6;
    Material m = Mat(kBlue, 14, 24);
    m.noOutline = true;
    scene.Ring({0, 0, 0.1}, rr, rr + 1.2, m);
  }
}

void BuildTentacle1(Scene& scene, const PoseKey& key) {
  BuildTentacle(scene, key, 1.0, Banded(Mat(kGreen, 4, 21, 5), {0, 0, 1}, 6, 2, -4));
}

void BuildTentacle2(Scene& scene, const PoseKey& key) {
  BuildTentacle(scene, key, -0.6, Banded(Mat(kViolet, 4, 21, 5), {0, 0, 1}, 6, 2, -4));
}

}  // namespace

void RegisterSwimmers(DesignTable& table) {
  for (int kind : {10, 23, 26, 27, 28, 50}) table[kind].view.clipBelow = 0.0;
  table[10].build = BuildSerpent;
  table[23].build = BuildMagmazoid;
  table[26].build = BuildTheThing;
  table[27].build = BuildTentacle1;
  table[28].build = BuildTentacle2;
  table[50].build = BuildFreakazoid;
}

}  // namespace torvel::forge::creatures
