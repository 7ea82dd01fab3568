// Puffs, blasts, beams and strikes of the bullet set, and the sprites the
// particles use.
#include <algorithm>
#include <cmath>

#include "forge/art/bullets_art.h"
#include "forge/paint/noise.h"

namespace torvel::forge {

namespace {

SpriteImage Soft(const Canvas& c, double dither = 0.6) {
  return FinishSoft(c, dither);
}

// A billowing ball of fire or smoke for ghost art: `heat` picks gold, red
// or grey from the middle out; brightness is the shade at the middle.
void Billow(ShadeImage& img, Vec2 centre, double rx, double ry, double brightness, double heat,
            uint32_t seed) {
  Paint(img, static_cast<int>(centre.x - rx - 3), static_cast<int>(centre.y - ry - 3),
        static_cast<int>(centre.x + rx + 3), static_cast<int>(centre.y + ry + 3),
        [&](double x, double y, int& ramp, double& shade) {
          double dx = (x - centre.x) / rx, dy = (y - centre.y) / ry;
          double r = std::sqrt(dx * dx + dy * dy);
          double n = Fbm(x / 5, y / 5, 0, 0, 3, seed);
          double edge = 0.8 + 0.4 * n;
          if (r > edge) return false;
          double t = r / edge;  // 0 middle .. 1 rim
          double warmth = heat - t;
          ramp = warmth > 0.55 ? kGold : (warmth > 0.1 ? kRed : kGrey);
          shade = brightness * (1 - 0.75 * t) + (n - 0.5) * 3;
          return true;
        });
}

// Sprites 0..4: the flame spell's puff, young and bright to dying smoke.
SpriteImage FlamePuff(int age) {
  Canvas c(48, 48, 24, 24);
  double r = 5 + 2.6 * age;
  Billow(c.img, c.Hot(), r, r * 0.9, 14 - 2.2 * age, 1.2 - 0.22 * age, 151 + age);
  return Soft(c);
}

// Sprites 37..43: floating sparks and smoke puffs in glow mode: grey values
// add light to the ground, the small ones have a solid golden heart.
SpriteImage GlowPuff(int size) {
  Canvas c(32, 32, 16, 16);
  double radius = 3 + size * 1.5;
  double peak = 16 - size * 1.8;
  Paint(c.img, 0, 0, 31, 31, [&](double x, double y, int& ramp, double& shade) {
    double dx = x - 16, dy = y - 16;
    double t = std::sqrt(dx * dx + dy * dy) / radius;
    if (t > 1) return false;
    double v = std::floor(peak * (1 - t) * (1 - t) + 0.5);
    if (v < 1) return false;
    ramp = kGrey;
    shade = v;
    if (size <= 2 && t < 0.3 - 0.08 * size) {
      ramp = kGold;
      shade = 28;
    }
    return true;
  });
  Finish f = Finish::Soft(0);
  return Finished(c.img, c.hotX, c.hotY, f);
}

// Sprites 110..117: the explosion, flash to last wisp.
SpriteImage Explosion(int step) {
  Canvas c(56, 56, 28, 28);
  const double radius[8] = {7, 11, 14, 16, 17, 17, 15, 13};
  const double bright[8] = {15, 14, 13, 11, 9, 7, 5, 3};
  const double heat[8] = {1.6, 1.4, 1.2, 1.0, 0.8, 0.45, 0.2, 0.0};
  Billow(c.img, c.Hot(), radius[step], radius[step] * 0.92, bright[step], heat[step], 161 + step);
  return Soft(c);
}

// Sprites 118..123: the beam gathering at its source; 124 a falling piece of
// the beam (they come 32 px apart, so each is a little taller); 125 where it
// strikes. Ghost art drawn 8 shades darker, so brighter than most.
SpriteImage BeamCharge(int step) {
  Canvas c(48, 48, 24, 24);
  double r = 3 + step * 1.3;
  Paint(c.img, 0, 0, 47, 47, [&](double x, double y, int& ramp, double& shade) {
    double dx = x - 24, dy = y - 24;
    double d = std::sqrt(dx * dx + dy * dy);
    double a = Atan2(dy, dx);
    double rays = step >= 3 ? std::max(0.0, Sin(a * 8 + step)) * (step - 2) * 1.5 : 0;
    if (d > r + rays) return false;
    double t = d / (r + rays);
    ramp = t < 0.4 ? kGrey : kViolet;
    shade = 10 + 10 * (1 - t) + step;
    return true;
  });
  return Soft(c);
}

SpriteImage BeamSegment() {
  Canvas c(24, 40, 12, 20);
  Paint(c.img, 0, 2, 23, 37, [](double x, double y, int& ramp, double& shade) {
    double v = std::fabs(x - 12);
    double half = 5 + 0.8 * Sin(y * 0.45);
    if (v > half) return false;
    ramp = v < 1.6 ? kGrey : kViolet;
    shade = 22 - v * 2.2;
    return true;
  });
  return Soft(c, 0.3);
}

SpriteImage BeamImpact() {
  Canvas c(40, 32, 20, 16);
  Paint(c.img, 0, 0, 39, 31, [](double x, double y, int& ramp, double& shade) {
    double dx = (x - 20) / 14, dy = (y - 16) / 8;
    double d = std::sqrt(dx * dx + dy * dy);
    double a = Atan2(dy, dx);
    double spikes = 0.75 + 0.3 * std::fabs(Sin(a * 5));
    if (d > spikes) return false;
    ramp = d < 0.3 ? kGrey : kViolet;
    shade = 20 - d * 12;
    return true;
  });
  return Soft(c);
}

// Sprites 140..144: the blast where a fire rock lands, spreading over the
// ground from its foot.
SpriteImage LandingBlast(int step) {
  Canvas c(80, 72, 40, 50);
  double r = 12 + 4.6 * step;
  Billow(c.img, {40, 50}, r, r * 0.55, 15 - 2 * step, 1.3 - 0.25 * step, 171 + step);
  // A plume rising from the middle.
  Billow(c.img, {40, 50 - r * 0.5}, r * 0.45, r * 0.6, 14 - 2.2 * step, 1.1 - 0.25 * step,
         181 + step);
  return Soft(c);
}

// Sprites 145..148: the shockwave, a ring of dust running over the floor.
SpriteImage Shockwave(int step) {
  Canvas c(128, 72, 64, 36);
  double rx = 18 + 14 * step, ry = rx * 0.55;
  double width = 0.22;
  Paint(c.img, 0, 0, 127, 71, [&](double x, double y, int& ramp, double& shade) {
    double dx = (x - 64) / rx, dy = (y - 36) / ry;
    double d = std::sqrt(dx * dx + dy * dy);
    double off = std::fabs(d - 1);
    if (off > width) return false;
    double n = Fbm(x / 4, y / 4, 0, 0, 2, 191 + step);
    if (n < 0.35) return false;
    ramp = kBrown;
    shade = (11 - 2 * step) * (1 - off / width) + 1;
    return true;
  });
  return Soft(c, 0.4);
}

// Sprites 149..153: the seeker's small blast, 149 the first flash.
SpriteImage MissileBlast(int step) {
  Canvas c(40, 40, 20, 20);
  double r = 4 + 2.2 * step;
  Paint(c.img, 0, 0, 39, 39, [&](double x, double y, int& ramp, double& shade) {
    double dx = x - 20, dy = y - 20;
    double d = std::sqrt(dx * dx + dy * dy) / r;
    if (d > 1) return false;
    double ring = step >= 2 ? 1 - std::fabs(d - 0.8) * 3 : 1 - d;
    if (ring <= 0) return false;
    ramp = d < 0.35 && step < 2 ? kGrey : kViolet;
    shade = (15 - 2.4 * step) * ring + 1;
    return true;
  });
  return Soft(c);
}

// Sprites 158..161: the yeti's rolling blast of ice, growing then shrinking;
// it runs over the floor, its foot at the hot spot.
SpriteImage IceBurst(int step) {
  Canvas c(56, 56, 28, 44);
  const double sizes[4] = {0.5, 0.8, 1.0, 0.7};
  double s = sizes[step];
  Rng rng(201);
  Material ice = Jewel(kIce);
  ice.dark = 9;
  ice.lit = 27;
  for (int k = 0; k < 9; ++k) {
    double a = -kPi / 2 + rng.Range(-1.3, 1.3);
    double len = rng.Range(9, 18) * s;
    double base = rng.Range(2.5, 4.5) * s;
    Vec2 foot{28 + rng.Range(-10, 10) * s, 43 - rng.Range(0, 4) * s};
    Vec2 tip{foot.x + len * Cos(a), foot.y + len * Sin(a)};
    Vec2 side{-Sin(a) * base, Cos(a) * base};
    std::vector<Vec2> shard = {
        {foot.x - side.x, foot.y - side.y}, tip, {foot.x + side.x, foot.y + side.y}};
    Polygon(c.img, shard, ice, {k % 2 ? -0.6 : 0.5, -0.4, 1});
  }
  Material snow = Cloth(kGrey);
  snow.lit = 28;
  snow.dark = 14;
  Ellipsoid(c.img, 28, 43, 14 * s, 4 * s, snow);
  return FinishPlain(c, 0.3);
}

// Sprite 222: the level-up emblem that floats up from the hero.
SpriteImage LevelUpEmblem() {
  Canvas c(40, 40, 20, 20);
  Paint(c.img, 0, 0, 39, 39, [](double x, double y, int& ramp, double& shade) {
    double dx = x - 20, dy = y - 20;
    double a = Atan2(dy, dx) + kPi / 2;
    double d = std::sqrt(dx * dx + dy * dy);
    double k = std::fabs(std::fmod(a * 5 / kTwoPi + 100.5, 1.0) - 0.5) * 2;
    double edge = 6 + 8 * (1 - k);
    if (d > edge) return false;
    ramp = kGold;
    shade = 15 - d * 0.6;
    // An arrow pointing up, cut into the star.
    bool arrow = (dy > -7 && dy < 6 && std::fabs(dx) < 1.6) ||
                 (dy < -2 && dy > -8 && std::fabs(dx) < -dy - 1.5);
    if (arrow) {
      ramp = kGrey;
      shade = 16;
    }
    return true;
  });
  return Soft(c, 0.3);
}

// Sprites 231..237: the storm's lightning strike, its foot at the hot spot.
SpriteImage LightningStrike(int step) {
  Canvas c(64, 136, 32, 128);
  const double bright[7] = {6, 15, 13, 8, 14, 7, 3};
  const double reach[7] = {0.5, 1, 1, 1, 1, 1, 0.15};
  double b = bright[step];
  Rng rng(211 + (step == 4 ? 1 : 0));
  std::vector<Vec2> path;
  double x = 32;
  for (int k = 0; k <= 10; ++k) {
    double y = 128 - 120 * reach[step] * (10 - k) / 10.0;
    path.push_back({x, y});
    x = 32 + rng.Range(-9, 9) * (k < 9 ? 1 : 0.3);
  }
  std::reverse(path.begin(), path.end());  // from the sky down to the foot
  path.back() = {32, 127};
  for (size_t k = 1; k < path.size(); ++k) {
    Line(c.img, path[k - 1], path[k], 6, kBlue, b * 0.45);
    Line(c.img, path[k - 1], path[k], 2.2, kIce, b);
  }
  if (step >= 1 && step <= 5) {
    // The flash where it strikes.
    Paint(c.img, 8, 116, 56, 135, [&](double px, double py, int& ramp, double& shade) {
      double dx = (px - 32) / 20, dy = (py - 127) / 6;
      double d = dx * dx + dy * dy;
      if (d > 1) return false;
      ramp = kIce;
      shade = b * (1 - d) * 0.8 + 1;
      return true;
    });
  }
  return Soft(c, 0.3);
}

// Sprite 238: a freeze that fails, a puff of frost.
SpriteImage FrostFizzle() {
  Canvas c(32, 32, 16, 16);
  Rng rng(221);
  for (int k = 0; k < 8; ++k) {
    Vec2 p{16 + rng.Range(-9, 9), 16 + rng.Range(-9, 9)};
    double r = rng.Range(1.2, 2.6);
    Line(c.img, {p.x - r, p.y}, {p.x + r, p.y}, 0.9, kIce, 11);
    Line(c.img, {p.x, p.y - r}, {p.x, p.y + r}, 0.9, kIce, 11);
  }
  Disc(c.img, 16, 16, 3, kIce, 8);
  return Soft(c, 0.3);
}

}  // namespace

void PaintBulletEffects(SpriteSetArt& set) {
  for (int k = 0; k < 5; ++k) set.Put(k, FlamePuff(k), PreviewMode::kGhost);
  for (int k = 0; k < 7; ++k) set.Put(37 + k, GlowPuff(k), PreviewMode::kGlow);
  for (int k = 0; k < 8; ++k) set.Put(110 + k, Explosion(k), PreviewMode::kGhost);
  for (int k = 0; k < 6; ++k) set.Put(118 + k, BeamCharge(k), PreviewMode::kGhost);
  set.Put(124, BeamSegment(), PreviewMode::kGhost);
  set.Put(125, BeamImpact(), PreviewMode::kGhost);
  for (int k = 0; k < 5; ++k) set.Put(140 + k, LandingBlast(k), PreviewMode::kGhost);
  for (int k = 0; k < 4; ++k) set.Put(145 + k, Shockwave(k), PreviewMode::kGhost);
  for (int k = 0; k < 5; ++k) set.Put(149 + k, MissileBlast(k), PreviewMode::kGhost);
  for (int k = 0; k < 4; ++k) set.Put(158 + k, IceBurst(k));
  set.Put(222, LevelUpEmblem(), PreviewMode::kGhost);
  for (int k = 0; k < 7; ++k) set.Put(231 + k, LightningStrike(k), PreviewMode::kGhost);
  set.Put(238, FrostFizzle(), PreviewMode::kGhost);
}

}  // namespace torvel::forge
