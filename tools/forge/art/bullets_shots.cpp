// Shots and bolts of the bullet set: everything that flies in a direction.
#include <cmath>

#include "forge/art/bullets_art.h"
#include "forge/paint/noise.h"

namespace torvel::forge {

namespace {

SpriteImage Centred(const Canvas& c, bool ghost) {
  return ghost ? FinishSoft(c, 0.5) : FinishPlain(c, 0.4);
}

// Sprites 5..20: the energy ball of spell 0, a blue ball trailing a comet
// tail, 16 directions.
SpriteImage EnergyBall(int facing) {
  Canvas c(48, 48, 24, 24);
  double a = FacingAngle(facing, 16);
  PaintAlong(c.img, c.Hot(), a, 20, [&](double u, double v, int& ramp, double& shade) {
    if (u > -1 || u < -15) return false;
    double t = (-u - 1) / 14;  // 0 at the ball, 1 at the tail's end
    double half = 4.2 * (1 - t);
    if (std::fabs(v) > half) return false;
    ramp = kIce;
    shade = 24 - t * 14 - std::fabs(v) / half * 5;
    return true;
  });
  Material ball = Jewel(kBlue);
  ball.dark = 12;
  ball.lit = 27;
  Ellipsoid(c.img, 24, 24, 5.2, 5.2, ball);
  Disc(c.img, 22.5, 22.5, 1.4, kGrey, 31);
  return Centred(c, false);
}

// Sprites 21..36: the seeker bolt of spell 2, a violet arrowhead of light
// with a wavering trail (ghost art, drawn 6 shades darker).
SpriteImage SeekerBolt(int facing) {
  Canvas c(48, 48, 24, 24);
  double a = FacingAngle(facing, 16);
  PaintAlong(c.img, c.Hot(), a, 22, [&](double u, double v, int& ramp, double& shade) {
    // The head: a chevron of light.
    if (u >= -2 && u <= 7) {
      double half = (7 - u) * 0.75;
      if (std::fabs(v) <= half) {
        ramp = kViolet;
        shade = 17 - std::fabs(v) * 1.2 - std::fabs(u - 1) * 0.6;
        return true;
      }
    }
    // The trail: a wavering ribbon.
    if (u < -1 && u > -16) {
      double t = (-u - 1) / 15;
      double centre = 1.6 * Sin(u * 0.7);
      double half = 2.2 * (1 - t) + 0.4;
      if (std::fabs(v - centre) <= half) {
        ramp = kViolet;
        shade = 13 * (1 - t) + 2;
        return true;
      }
    }
    return false;
  });
  return Centred(c, true);
}

// Sprites 44..99: the spiders' venom glob, 8 directions x 7 frames of
// wobble.
SpriteImage VenomGlob(int facing, int frame) {
  Canvas c(40, 40, 20, 20);
  double a = FacingAngle(facing, 8);
  double wobble = Sin(kTwoPi * frame / 7);
  double ru = 5.5 * (1 + 0.18 * wobble), rv = 4.2 * (1 - 0.15 * wobble);
  Material m = Jewel(kGreen);
  m.dark = 6;
  m.lit = 24;
  auto blob = [&](double cu, double cv, double au, double av) {
    PaintAlong(c.img, c.Hot(), a, 14, [&](double u, double v, int& ramp, double& shade) {
      double nu = (u - cu) / au, nv = (v - cv) / av;
      double d2 = nu * nu + nv * nv;
      if (d2 > 1) return false;
      ramp = kGreen;
      shade = LightShade(m, Normalize(TurnNormal({nu, nv, std::sqrt(1 - d2)}, a)));
      return true;
    });
  };
  blob(-9 - wobble, 1.5, 1.6, 1.6);
  blob(-6.5, -1.5 * wobble, 2.2, 2.2);
  blob(0, 0, ru, rv);
  return Centred(c, false);
}

// Sprites 101..105: a steel bolt pointing up-left, for the one facing of the
// mechanical brute's volley that reads these (it is drawn greyed anyway).
SpriteImage SteelBolt(int frame) {
  Canvas c(40, 40, 20, 20);
  double a = FacingAngle(5, 8);
  double len = 8 + frame;
  Material steel = Steel();
  PaintAlong(c.img, c.Hot(), a, 16, [&](double u, double v, int& ramp, double& shade) {
    if (u < -len || u > 6) return false;
    double half = u > 2 ? (6 - u) * 0.7 : 1.6;
    if (std::fabs(v) > half) return false;
    ramp = kGrey;
    shade = LightShade(steel, Normalize(TurnNormal({0, v / 2, 1}, a)));
    return true;
  });
  return Centred(c, false);
}

// Sprites 108, 109: the twinkling star bolt.
SpriteImage StarBolt(int frame) {
  Canvas c(32, 32, 16, 16);
  double a = frame * kPi / 4;
  PaintAlong(c.img, c.Hot(), a, 10, [&](double u, double v, int& ramp, double& shade) {
    double au = std::fabs(u), av = std::fabs(v);
    // A four-pointed star: two crossed diamonds, a bright heart.
    bool in = au / 8 + av / 2.2 <= 1 || av / 8 + au / 2.2 <= 1 || au * au + av * av < 9;
    if (!in) return false;
    ramp = kGold;
    shade = 31 - (au + av) * 1.4;
    return true;
  });
  return Centred(c, false);
}

// Sprites 126..129: a spore turning as it drifts.
SpriteImage Spore(int frame) {
  Canvas c(24, 24, 12, 12);
  Material m = Cloth(kGreen);
  m.dark = 8;
  m.lit = 24;
  Ellipsoid(c.img, 12, 12, 3.6, 3.6, m);
  for (int k = 0; k < 6; ++k) {
    double ang = kTwoPi * k / 6 + frame * kPi / 12;
    Line(c.img, {12 + 3.5 * Cos(ang), 12 + 3.5 * Sin(ang)},
         {12 + 5.5 * Cos(ang), 12 + 5.5 * Sin(ang)}, 1, kGold, 20);
  }
  return Centred(c, false);
}

// Sprites 130..137: the big toadstool's seed pod, 8 directions.
SpriteImage SporePod(int facing) {
  Canvas c(40, 40, 20, 20);
  double a = FacingAngle(facing, 8);
  Material m = Wood(121);
  m.ramp = kGreen;
  m.lit = 16;
  PaintAlong(c.img, c.Hot(), a, 14, [&](double u, double v, int& ramp, double& shade) {
    double nu = u / 8, nv = v / 4.6;
    double d2 = nu * nu + nv * nv;
    if (d2 <= 1) {
      ramp = std::fmod(std::fabs(u) + 20, 4.0) < 1 ? kBrown : kGreen;
      shade = LightShade(m, Normalize(TurnNormal({nu, nv, std::sqrt(1 - d2)}, a)));
      return true;
    }
    if (u < -7 && u > -11 && std::fabs(v) < 1) {  // the stalk
      ramp = kBrown;
      shade = 10;
      return true;
    }
    return false;
  });
  return Centred(c, false);
}

// Sprites 138, 139: a glowing fire rock (ghost), two frames of flicker.
SpriteImage FireOrb(int frame) {
  Canvas c(32, 32, 16, 16);
  Paint(c.img, 4, 4, 28, 28, [&](double x, double y, int& ramp, double& shade) {
    double dx = x - 16, dy = y - 16;
    double r = std::sqrt(dx * dx + dy * dy);
    double edge = 7.5 + 1.2 * Sin(Atan2(dy, dx) * 5 + frame * 2.1);
    if (r > edge) return false;
    double heat = 1 - r / edge;
    ramp = heat > 0.45 ? kGold : kRed;
    shade = 2 + heat * 12;
    return true;
  });
  return Centred(c, true);
}

// Sprite 154: an icicle falling point first.
SpriteImage Icicle() {
  Canvas c(24, 32, 12, 16);
  Material ice = Jewel(kIce);
  ice.dark = 10;
  ice.lit = 27;
  Paint(c.img, 4, 2, 20, 30, [&](double x, double y, int& ramp, double& shade) {
    double v = (y - 4) / 24;  // 0 at the top, 1 at the tip
    if (v < 0 || v > 1) return false;
    double half = 4.5 * (1 - v);
    double u = (x - 12) / std::max(half, 0.01);
    if (std::fabs(u) > 1) return false;
    ramp = kIce;
    shade = LightShade(ice, Normalize({u, -0.2, std::sqrt(1 - 0.8 * u * u)}));
    if (std::fabs(u + 0.35) < 0.12) shade = 31;
    return true;
  });
  return Centred(c, false);
}

// Sprites 155..157: a snowball turning as it flies.
SpriteImage Snowball(int frame) {
  Canvas c(24, 24, 12, 12);
  Splatter sp(c.img, {12, 12}, TurnZ(frame * kTwoPi / 9) * TurnY(frame * 0.7), 0.25);
  Material snow = Cloth(kGrey);
  snow.dark = 12;
  snow.lit = 29;
  sp.Ellipsoid({0, 0, 0}, {5.5, 5.2, 5.5}, snow, [](Vec3 q) {
    Decal d;
    double n = ValueNoise(q.x * 0.8 + 20, q.y * 0.8 + q.z * 0.5 + 20, 0, 0, 131);
    if (n > 0.62) {
      d.ramp = kIce;
      d.bias = -4;
    }
    return d;
  });
  return Centred(c, false);
}

// Sprites 162..165: a tumbling rock.
SpriteImage TumblingRock(int frame) {
  Canvas c(28, 28, 14, 14);
  Splatter sp(c.img, {14, 14}, TurnZ(frame * kPi / 2 + 0.3) * TurnX(0.4), 0.25);
  Material rock = Stone(133);
  rock.ramp = kBrown;
  rock.lit = 16;
  sp.Ellipsoid({0, 0, 0}, {7, 5.5, 6}, rock, [](Vec3 q) {
    Decal d;
    double n = ValueNoise(q.x * 0.5 + 10, q.y * 0.5 + q.z * 0.4 + 10, 0, 0, 137);
    d.bias = (n - 0.5) * 6;
    if (q.x > 5 && q.y < 0) d.hole = true;  // a broken facet makes it tumble visibly
    return d;
  });
  return Centred(c, false);
}

// Sprites 166..181: a thin dart (cactus needle, the ptero's shot).
SpriteImage Dart(int facing) {
  Canvas c(40, 40, 20, 20);
  double a = FacingAngle(facing, 16);
  PaintAlong(c.img, c.Hot(), a, 14, [&](double u, double v, int& ramp, double& shade) {
    if (u < -9 || u > 8) return false;
    if (u < -6) {  // a tuft at the back
      if (std::fabs(v) > 1.8 + (-6 - u) * 0.4) return false;
      ramp = kGreen;
      shade = 14;
      return true;
    }
    double half = u > 4 ? (8 - u) * 0.22 : 0.9;
    if (std::fabs(v) > half) return false;
    ramp = kBrown;
    shade = v < 0 ? 24 : 15;
    return true;
  });
  return Centred(c, false);
}

// Sprites 182..221: the hero's shot, a golden spark of magic, 8 directions x
// 5 frames of pulse (ghost art).
SpriteImage HeroShot(int facing, int frame) {
  Canvas c(40, 40, 20, 20);
  double a = FacingAngle(facing, 8);
  double pulse = 1 + 0.18 * Sin(kTwoPi * frame / 5);
  PaintAlong(c.img, c.Hot(), a, 16, [&](double u, double v, int& ramp, double& shade) {
    double nu = u / (7 * pulse), nv = v / (3.4 * pulse);
    double core = nu * nu + nv * nv;
    if (u < 0) {
      nu = u / (12 * pulse);
      core = std::min(core, nu * nu + nv * nv * 1.6);
    }
    if (core > 1) return false;
    ramp = core < 0.35 ? kGold : kRed;
    shade = 14 * (1 - core) + 1;
    return true;
  });
  // Two sparkles trail behind, placed by the frame.
  for (int k = 0; k < 2; ++k) {
    double back = 10 + 3 * ((frame + 2 * k) % 5);
    double side = (k ? 3.0 : -3.0) * Sin(frame + k);
    Vec2 p{20 - back * Cos(a) - side * Sin(a), 20 - back * Sin(a) + side * Cos(a)};
    Disc(c.img, p.x, p.y, 1.1, kGold, 9);
  }
  return Centred(c, true);
}

// Sprites 223..230: the eye creature's red bolt (ghost).
SpriteImage EyeBolt(int facing) {
  Canvas c(40, 40, 20, 20);
  double a = FacingAngle(facing, 8);
  PaintAlong(c.img, c.Hot(), a, 14, [&](double u, double v, int& ramp, double& shade) {
    double nu = u / 10, nv = v / 2.6;
    double d = nu * nu + nv * nv;
    if (d > 1) return false;
    ramp = d < 0.25 ? kGold : kRed;
    shade = 3 + 11 * (1 - d);
    return true;
  });
  return Centred(c, true);
}

// Sprites 239..242: pieces of the freezing ray (ghost), four variants.
SpriteImage FreezeRay(int variant) {
  Canvas c(32, 32, 16, 16);
  Rng rng(141 + variant);
  Paint(c.img, 4, 10, 28, 22, [&](double x, double y, int& ramp, double& shade) {
    double v = std::fabs(y - 16);
    double wave = 1.2 * Sin(x * 0.6 + variant * 1.7);
    if (v > 3.2 + wave) return false;
    ramp = kIce;
    shade = 12 - v * 2.2;
    return true;
  });
  for (int k = 0; k < 5; ++k) {
    Vec2 p{rng.Range(6, 26), rng.Range(9, 23)};
    double r = rng.Range(1.5, 3);
    Line(c.img, {p.x - r, p.y}, {p.x + r, p.y}, 0.9, kIce, 15);
    Line(c.img, {p.x, p.y - r}, {p.x, p.y + r}, 0.9, kIce, 15);
  }
  return Centred(c, true);
}

// Sprites 243..258: the sword shot, a spectral blade (ghost, drawn 2 shades
// darker), 16 directions.
SpriteImage SwordShot(int facing) {
  Canvas c(48, 48, 24, 24);
  double a = FacingAngle(facing, 16);
  PaintAlong(c.img, c.Hot(), a, 20, [&](double u, double v, int& ramp, double& shade) {
    double av = std::fabs(v);
    // Blade: a tapering sliver ending in a point.
    if (u >= -3 && u <= 15) {
      double half = u < 11 ? 2.2 : 2.2 * (15 - u) / 4;
      if (av <= half) {
        ramp = kIce;
        shade = av < 0.8 ? 15 : 11;
        return true;
      }
      if (av <= half + 1.6) {
        ramp = kViolet;
        shade = 5;
        return true;
      }
    }
    // Guard and hilt.
    if (u >= -5 && u < -3 && av <= 6) {
      ramp = kViolet;
      shade = 12;
      return true;
    }
    if (u >= -11 && u < -5 && av <= 1.3) {
      ramp = kViolet;
      shade = 9;
      return true;
    }
    if (u >= -13 && u < -11 && av <= 2) {
      ramp = kViolet;
      shade = 13;
      return true;
    }
    return false;
  });
  return Centred(c, true);
}

}  // namespace

void PaintBulletShots(SpriteSetArt& set) {
  for (int f = 0; f < 16; ++f) {
    set.Put(5 + f, EnergyBall(f));
    set.Put(21 + f, SeekerBolt(f), PreviewMode::kGhost);
    set.Put(166 + f, Dart(f));
    set.Put(243 + f, SwordShot(f), PreviewMode::kGhost);
  }
  for (int f = 0; f < 8; ++f) {
    for (int k = 0; k < 7; ++k) set.Put(44 + 7 * f + k, VenomGlob(f, k));
    for (int k = 0; k < 5; ++k) set.Put(182 + 5 * f + k, HeroShot(f, k), PreviewMode::kGhost);
    set.Put(130 + f, SporePod(f));
    set.Put(223 + f, EyeBolt(f), PreviewMode::kGhost);
  }
  for (int k = 0; k < 5; ++k) set.Put(101 + k, SteelBolt(k));
  set.Put(108, StarBolt(0));
  set.Put(109, StarBolt(1));
  for (int k = 0; k < 4; ++k) {
    set.Put(126 + k, Spore(k));
    set.Put(162 + k, TumblingRock(k));
    set.Put(239 + k, FreezeRay(k), PreviewMode::kGhost);
  }
  set.Put(138, FireOrb(0), PreviewMode::kGhost);
  set.Put(139, FireOrb(1), PreviewMode::kGhost);
  set.Put(154, Icicle());
  for (int k = 0; k < 3; ++k) set.Put(155 + k, Snowball(k));
}

}  // namespace torvel::forge
