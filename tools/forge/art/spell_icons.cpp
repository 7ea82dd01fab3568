// Pictures of the ten spells, learned and upgraded, for the spell cards of
// the status display. They are painted large and shrunk onto the cards.
#include <cmath>

#include "forge/art/interface_art.h"

namespace torvel::forge {

namespace {

void Star(ShadeImage& img, Vec2 c, double r, int ramp, double shade) {
  std::vector<Vec2> pts;
  for (int k = 0; k < 10; ++k) {
    double a = kTwoPi * k / 10 - kPi / 2;
    double rr = k % 2 ? r * 0.45 : r;
    pts.push_back({c.x + rr * Cos(a), c.y + rr * Sin(a)});
  }
  Material m;
  m.ramp = ramp;
  m.dark = shade - 4;
  m.lit = shade + 2;
  Polygon(img, pts, m, {-0.2, -0.3, 1});
}

void Bolt(ShadeImage& img, Vec2 c, double s, int ramp) {
  std::vector<Vec2> pts = {{c.x + 2 * s, c.y - 14 * s},  {c.x - 6 * s, c.y + 1 * s},
                           {c.x - 0.5 * s, c.y + 1 * s}, {c.x - 3 * s, c.y + 14 * s},
                           {c.x + 6.5 * s, c.y - 3 * s}, {c.x + 1 * s, c.y - 3 * s},
                           {c.x + 5 * s, c.y - 14 * s}};
  Material m = Gold();
  m.ramp = ramp;
  m.dark = 18;
  m.lit = 30;
  Polygon(img, pts, m, {-0.3, -0.3, 1});
}

void FlameShape(ShadeImage& img, Vec2 c, double s) {
  Paint(img, static_cast<int>(c.x - 12 * s), static_cast<int>(c.y - 16 * s),
        static_cast<int>(c.x + 12 * s), static_cast<int>(c.y + 14 * s),
        [&](double x, double y, int& ramp, double& shade) {
          double v = (c.y + 12 * s - y) / (26 * s);
          if (v < 0 || v > 1) return false;
          double half = 10 * s * (v < 0.35 ? std::sqrt(v / 0.35) : (1 - v) / 0.65);
          double u = x - c.x - 3 * s * Sin(v * 5) * v;
          if (std::fabs(u) > half) return false;
          double heat = 1 - std::fabs(u) / std::max(half, 0.1);
          ramp = heat > 0.5 ? kGold : kRed;
          shade = 16 + heat * 14;
          return true;
        });
}

void Snowflake(ShadeImage& img, Vec2 c, double s) {
  for (int k = 0; k < 6; ++k) {
    double a = kTwoPi * k / 6;
    Vec2 tip{c.x + 13 * s * Cos(a), c.y + 13 * s * Sin(a)};
    Line(img, c, tip, 2.6 * s, kIce, 26);
    Vec2 mid{c.x + 8 * s * Cos(a), c.y + 8 * s * Sin(a)};
    Line(img, mid, {mid.x + 4 * s * Cos(a + 0.8), mid.y + 4 * s * Sin(a + 0.8)}, 2 * s, kIce, 24);
    Line(img, mid, {mid.x + 4 * s * Cos(a - 0.8), mid.y + 4 * s * Sin(a - 0.8)}, 2 * s, kIce, 24);
  }
  Disc(img, c.x, c.y, 2.5 * s, kGrey, 30);
}

void Bomb(ShadeImage& img, Vec2 c, double s) {
  Material iron = Iron();
  iron.lit = 14;
  Ellipsoid(img, c.x, c.y + 3 * s, 10 * s, 10 * s, iron);
  Block(img, c.x - 3 * s, c.y - 9 * s, 6 * s, 3 * s, 1.5 * s, Iron());
  Capsule(img, {c.x, c.y - 10 * s}, {c.x + 5 * s, c.y - 15 * s}, 1.2 * s, 1.2 * s, Wood());
  Disc(img, c.x + 6 * s, c.y - 16 * s, 2.6 * s, kGold, 30);
}

void Bird(ShadeImage& img, Vec2 c, double s) {
  Material body = Cloth(kBrown);
  body.lit = 20;
  std::vector<Vec2> wing = {{c.x - 15 * s, c.y - 8 * s}, {c.x - 2 * s, c.y + 2 * s},
                            {c.x + 2 * s, c.y + 2 * s},  {c.x + 15 * s, c.y - 8 * s},
                            {c.x + 4 * s, c.y + 8 * s},  {c.x - 4 * s, c.y + 8 * s}};
  Polygon(img, wing, body, {-0.2, -0.3, 1});
  Ellipsoid(img, c.x, c.y + 4 * s, 3.5 * s, 6 * s, body);
  std::vector<Vec2> beak = {
      {c.x - 1.5 * s, c.y - 2 * s}, {c.x + 1.5 * s, c.y - 2 * s}, {c.x, c.y - 8 * s}};
  Polygon(img, beak, Gold(), {0, 0, 1});
}

void Fist(ShadeImage& img, Vec2 c, double s) {
  Material stone = Stone(91);
  stone.lit = 20;
  Ellipsoid(img, c.x, c.y, 11 * s, 9 * s, stone);
  for (int k = 0; k < 4; ++k)
    Ellipsoid(img, c.x - 7.5 * s + k * 5 * s, c.y - 7 * s, 3 * s, 3.5 * s, stone);
  Capsule(img, {c.x, c.y + 8 * s}, {c.x, c.y + 16 * s}, 6 * s, 6 * s, stone);
}

void Shield(ShadeImage& img, Vec2 c, double s, bool steel) {
  std::vector<Vec2> pts;
  for (int k = 0; k <= 20; ++k) {
    double t = k / 20.0;
    pts.push_back({c.x - 11 * s + 22 * s * t, c.y - 12 * s + 2 * s * Sin(kPi * t)});
  }
  pts.push_back({c.x + 10 * s, c.y + 2 * s});
  pts.push_back({c.x, c.y + 15 * s});
  pts.push_back({c.x - 10 * s, c.y + 2 * s});
  Material m = steel ? Steel() : Stone(93);
  if (!steel) m.ramp = kBrown;
  PolygonShaded(img, pts, m.ramp, [&](double x, double y) {
    double u = (x - c.x) / (11 * s), v = (y - c.y) / (14 * s);
    return LightShade(m, Normalize({u * 0.8, v * 0.5, 1})) + (std::fabs(x - c.x) < 1.5 * s ? 4 : 0);
  });
  if (steel) Star(img, c, 5 * s, kGold, 26);
}

void WingedBoot(ShadeImage& img, Vec2 c, double s, bool strikes) {
  Material leather = Leather();
  leather.lit = 16;
  std::vector<Vec2> boot = {{c.x - 6 * s, c.y - 12 * s},  {c.x + 2 * s, c.y - 12 * s},
                            {c.x + 2 * s, c.y + 4 * s},   {c.x + 11 * s, c.y + 7 * s},
                            {c.x + 11 * s, c.y + 12 * s}, {c.x - 6 * s, c.y + 12 * s}};
  Polygon(img, boot, leather, {-0.2, -0.2, 1});
  Material feather = Cloth(kGrey);
  feather.lit = 28;
  for (int k = 0; k < 3; ++k)
    Capsule(img, {c.x - 5 * s, c.y - 4 * s + k * 3 * s}, {c.x - 15 * s, c.y - 10 * s + k * 4 * s},
            2 * s, 1 * s, feather);
  if (strikes) Bolt(img, {c.x + 8 * s, c.y - 6 * s}, 0.5 * s, kGold);
}

void Heart(ShadeImage& img, Vec2 c, double s, bool big) {
  Material m = Jewel(kRed);
  m.dark = 6;
  Paint(img, static_cast<int>(c.x - 14 * s), static_cast<int>(c.y - 14 * s),
        static_cast<int>(c.x + 14 * s), static_cast<int>(c.y + 14 * s),
        [&](double x, double y, int& ramp, double& shade) {
          double u = (x - c.x) / (12 * s), v = -(y - c.y) / (12 * s) + 0.15;
          double f = (u * u + v * v - 1);
          if (f * f * f - u * u * v * v * v > 0) return false;
          ramp = kRed;
          shade = LightShade(m, Normalize({u * 0.7, -v * 0.5, 1}));
          return true;
        });
  if (big) {
    Line(img, {c.x, c.y - 5 * s}, {c.x, c.y + 5 * s}, 3 * s, kGrey, 31);
    Line(img, {c.x - 5 * s, c.y}, {c.x + 5 * s, c.y}, 3 * s, kGrey, 31);
  }
}

void Cloud(ShadeImage& img, Vec2 c, double s, int boltRamp) {
  Material cloud = Cloth(kGrey);
  cloud.dark = 5;
  cloud.lit = 18;
  const double puffs[][3] = {{-7, -3, 6}, {0, -7, 7}, {7, -3, 6}, {0, -1, 7}};
  for (const auto& p : puffs)
    Ellipsoid(img, c.x + p[0] * s, c.y + p[1] * s, p[2] * s, p[2] * s * 0.8, cloud);
  Bolt(img, {c.x + 1 * s, c.y + 9 * s}, 0.55 * s, boltRamp);
}

void Orb(ShadeImage& img, Vec2 c, double r, int ramp) {
  Material m = Jewel(ramp);
  m.dark = 10;
  m.lit = 26;
  Ellipsoid(img, c.x, c.y, r, r, m);
}

void Missile(ShadeImage& img, Vec2 tip, double s, double angle) {
  Vec2 d{Cos(angle), Sin(angle)}, p{-Sin(angle), Cos(angle)};
  std::vector<Vec2> head = {
      tip,
      {tip.x - d.x * 9 * s + p.x * 4.5 * s, tip.y - d.y * 9 * s + p.y * 4.5 * s},
      {tip.x - d.x * 7 * s, tip.y - d.y * 7 * s},
      {tip.x - d.x * 9 * s - p.x * 4.5 * s, tip.y - d.y * 9 * s - p.y * 4.5 * s}};
  Polygon(img, head, Jewel(kViolet), {-0.3, -0.3, 1});
  Line(img, {tip.x - d.x * 7 * s, tip.y - d.y * 7 * s},
       {tip.x - d.x * 16 * s, tip.y - d.y * 16 * s}, 2.4 * s, kViolet, 16);
}

}  // namespace

void PaintSpellIcon(ShadeImage& img, int slot, bool up, Vec2 c, double s) {
  switch (slot) {
    case 0:
      if (!up) {
        Line(img, {c.x - 14 * s, c.y + 4 * s}, {c.x - 2 * s, c.y + 1 * s}, 3 * s, kIce, 20);
        Line(img, {c.x - 12 * s, c.y - 4 * s}, {c.x - 2 * s, c.y - 2 * s}, 2.4 * s, kIce, 16);
        Orb(img, {c.x + 3 * s, c.y}, 8 * s, kBlue);
      } else {
        for (int k = 0; k < 8; ++k) {
          double a = kTwoPi * k / 8;
          Orb(img, {c.x + 12 * s * Cos(a), c.y + 12 * s * Sin(a)}, 3.6 * s, kBlue);
        }
        Orb(img, c, 5.5 * s, kIce);
      }
      break;
    case 1:
      if (!up)
        FlameShape(img, c, s);
      else
        Bolt(img, c, s, kGold);
      break;
    case 2:
      if (!up) {
        Missile(img, {c.x + 10 * s, c.y - 8 * s}, s, -0.7);
      } else {
        Missile(img, {c.x + 12 * s, c.y - 12 * s}, 0.8 * s, -0.7);
        Missile(img, {c.x + 13 * s, c.y + 4 * s}, 0.8 * s, -0.1);
        Missile(img, {c.x - 2 * s, c.y - 13 * s}, 0.8 * s, -1.3);
      }
      break;
    case 3:
      if (!up) {
        Snowflake(img, c, s);
      } else {
        Line(img, {c.x - 15 * s, c.y + 8 * s}, {c.x + 15 * s, c.y - 8 * s}, 7 * s, kIce, 18);
        Line(img, {c.x - 15 * s, c.y + 8 * s}, {c.x + 15 * s, c.y - 8 * s}, 3 * s, kGrey, 30);
        Snowflake(img, {c.x - 8 * s, c.y - 8 * s}, 0.4 * s);
      }
      break;
    case 4:
      if (up) {
        for (int k = 0; k < 8; ++k) {
          double a = kTwoPi * k / 8;
          Line(img, {c.x + 8 * s * Cos(a), c.y + 3 * s + 8 * s * Sin(a)},
               {c.x + 15 * s * Cos(a), c.y + 3 * s + 15 * s * Sin(a)}, 3 * s, kGold, 26);
        }
      }
      Bomb(img, c, up ? 0.8 * s : s);
      break;
    case 5:
      if (!up)
        Bird(img, c, s);
      else
        Fist(img, c, s);
      break;
    case 6:
      Shield(img, c, s, up);
      break;
    case 7:
      WingedBoot(img, c, s, up);
      break;
    case 8:
      Heart(img, c, s, up);
      break;
    default:
      Cloud(img, c, s, up ? kViolet : kGold);
      break;
  }
}

}  // namespace torvel::forge
