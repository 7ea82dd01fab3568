// Pictures of the shop's goods. Each is painted on a 46 x 46 field and cut
// with the hot spot (-4, -4): drawn at a cell frame's corner it sits inside
// the frame.
#include <cmath>

#include "forge/art/motifs.h"
#include "forge/art/shop_art.h"

namespace torvel::forge {

namespace {

SpriteImage Icon(const ShadeImage& img) {
  Finish f;
  f.dither = 0.4;
  SpriteImage s = Finished(img, -4 + 3, -4 + 3, f);  // the field starts 3 px into the canvas
  return s;
}

// A 52 x 52 canvas whose field (46 x 46) starts at (3, 3).
ShadeImage Field() {
  return ShadeImage(52, 52);
}

// Staffs lie from lower left to upper right.
SpriteImage Staff(int level) {
  ShadeImage img = Field();
  Material wood = Wood(101 + level);
  double thick = 2.3;
  switch (level) {
    case 0:  // balsa: pale and light
      wood.dark = 9;
      wood.lit = 26;
      thick = 2;
      break;
    case 1:  // pine: honey yellow
      wood.ramp = kGold;
      wood.dark = 4;
      wood.lit = 17;
      wood.grain = 1.5;
      break;
    case 2:  // oak: dark and stout
      wood.dark = 2;
      wood.lit = 12;
      thick = 2.9;
      break;
    case 3:  // yew: red-brown
      wood.ramp = kRed;
      wood.dark = 2;
      wood.lit = 12;
      break;
    default:  // the staff of magic: black wood bound in gold
      wood.ramp = kViolet;
      wood.dark = 1;
      wood.lit = 8;
      break;
  }
  Vec2 foot{10, 45}, head{37, 16};
  Capsule(img, foot, head, thick, thick + 0.4, wood);
  switch (level) {
    case 0:
      Ellipsoid(img, head.x + 1, head.y - 1, 3, 3, wood);
      break;
    case 1: {
      // A pine cone for a head.
      Material cone = Wood(107);
      cone.lit = 14;
      Ellipsoid(img, head.x + 2, head.y - 3, 4, 5.5, cone);
      for (int k = 0; k < 4; ++k)
        Line(img, {head.x - 1.5, head.y - 6 + 2.5 * k}, {head.x + 5.5, head.y - 5 + 2.5 * k}, 0.8,
             kBrown, 4);
      break;
    }
    case 2: {
      // A gnarled knot with a sprig of oak leaves.
      Ellipsoid(img, head.x + 1, head.y - 1, 4.5, 4, wood);
      Material leaf = Foliage(109);
      leaf.grain = 0.5;
      Ellipsoid(img, head.x - 4, head.y - 3, 3.5, 2, leaf);
      Ellipsoid(img, head.x - 2, head.y - 6, 2, 3.2, leaf);
      Material acorn = Wood(111);
      acorn.ramp = kGold;
      acorn.lit = 14;
      Ellipsoid(img, head.x + 5, head.y + 1, 1.8, 2.2, acorn);
      break;
    }
    case 3: {
      Torus(img, head.x + 1, head.y - 2, 4, 1.2, 1.0, Gold());
      Material gem = Jewel(kRed);
      Ellipsoid(img, head.x + 1, head.y - 2, 3, 3, gem);
      break;
    }
    default: {
      for (double t : {0.25, 0.5, 0.75})
        Torus(img, Lerp(foot.x, head.x, t), Lerp(foot.y, head.y, t), 2.2, 0.8, 0.6, Gold());
      // Claws holding a glowing orb.
      Material gold = Gold();
      for (int k = -1; k <= 1; ++k)
        Capsule(img, {head.x, head.y}, {head.x + 4 * k + 2, head.y - 8 + std::fabs(k) * 2}, 1, 0.7,
                gold);
      Material orb = Jewel(kViolet);
      orb.dark = 12;
      orb.lit = 28;
      Ellipsoid(img, head.x + 2, head.y - 6, 4.5, 4.5, orb);
      break;
    }
  }
  return Icon(img);
}

// A boot standing, toe to the right.
SpriteImage Boot(int level) {
  ShadeImage img = Field();
  Material upper = Leather();
  Material sole = Leather();
  sole.dark = 1;
  sole.lit = 6;
  int stitches = -1;
  switch (level) {
    case 0:  // soft felt slippers
      upper = Cloth(kIce);
      upper.dark = 5;
      upper.lit = 18;
      break;
    case 1:  // plain leather
      upper.lit = 15;
      break;
    case 2:  // heavy black boots with yellow stitching
      upper = Iron();
      upper.lit = 8;
      upper.specular = 0.3;
      sole.ramp = kGrey;
      stitches = kGold;
      break;
    case 3:  // lucky green boots
      upper = Cloth(kGreen);
      upper.specular = 0.2;
      stitches = kGold;
      break;
    default:  // winged white runners
      upper = Cloth(kGrey);
      upper.dark = 10;
      upper.lit = 27;
      sole.ramp = kRed;
      sole.lit = 16;
      break;
  }
  double shaftTop = level == 0 ? 18 : 8;
  std::vector<Vec2> shape = {{14, shaftTop}, {27, shaftTop}, {27, 30},
                             {40, 35},       {42, 41},       {14, 41}};
  PolygonShaded(img, shape, upper.ramp, [&](double x, double y) {
    double u = (x - 27) / 14, v = (y - 25) / 17;
    Vec3 n = Normalize({x < 27 ? (x - 20.5) / 7 : u * 0.4, v * 0.4, 1});
    return SurfaceShade(upper, n, x, y);
  });
  Block(img, 13, 41, 30, 2, 2.5, sole);
  if (stitches >= 0) {
    for (double y = shaftTop + 2; y < 40; y += 3)
      img.Set(static_cast<int>(26), static_cast<int>(y), stitches, 24);
    for (double x = 16; x < 41; x += 3) img.Set(static_cast<int>(x), 39, stitches, 24);
  }
  if (level == 3) {
    // A golden four-leaf clover on the shaft.
    for (int k = 0; k < 4; ++k) {
      double a = kTwoPi * k / 4 + 0.4;
      Ellipsoid(img, 20.5 + 2.2 * Cos(a), 20 + 2.2 * Sin(a), 1.8, 1.8, Gold());
    }
  }
  if (level == 4) {
    Material feather = Cloth(kGrey);
    feather.lit = 29;
    feather.dark = 12;
    for (int k = 0; k < 3; ++k)
      Capsule(img, {14, 14.0 + 4 * k}, {4, 8.0 + 5 * k}, 2.2, 1.0, feather);
    Line(img, {28, 31}, {38, 36}, 1.5, kRed, 18);  // a red stripe
  }
  if (level == 1 || level == 2) {
    // Laces.
    for (int k = 0; k < 4; ++k)
      Line(img, {24, 12.0 + 5 * k}, {29, 14.0 + 5 * k}, 0.9, level == 2 ? kGold : kBrown, 20);
  }
  return Icon(img);
}

SpriteImage Hat(int level) {
  ShadeImage img = Field();
  switch (level) {
    case 0: {  // a folded paper hat with printed lines
      Material paper = Parchment();
      paper.ramp = kGrey;
      paper.dark = 12;
      paper.lit = 27;
      std::vector<Vec2> left = {{6, 36}, {24, 8}, {24, 36}}, right = {{24, 8}, {42, 36}, {24, 36}};
      Polygon(img, left, paper, {-0.5, -0.3, 1});
      Polygon(img, right, paper, {0.6, -0.2, 1});
      Block(img, 4, 34, 40, 4, 3, paper);
      for (int k = 0; k < 4; ++k)
        Line(img, {17.0 + k * 1.5, 20.0 + 3 * k}, {30.0 - k, 20.0 + 3 * k}, 0.8, kGrey, 8);
      break;
    }
    case 1: {  // a brown felt hat with a band
      Material felt = Cloth(kBrown);
      felt.dark = 2;
      felt.lit = 13;
      Ellipsoid(img, 24, 34, 20, 5.5, felt);
      Splatter sp(img, {24, 34}, TurnX(-0.35), 0.3);
      sp.Lathe([](double y) { return 9.5 - 0.1 * (y + 16); }, -18, -1, felt,
               [](Vec3 q) {
                 Decal d;
                 if (q.y > -6) {
                   d.ramp = kRed;
                   d.bias = -2;
                 }
                 if (q.y < -16.5 && std::fabs(q.x) < 2) d.bias = -4;  // the crease
                 return d;
               });
      break;
    }
    case 2: {  // the moon hat: a tall blue cone with moons and stars
      Material cloth = Cloth(kBlue);
      cloth.dark = 3;
      cloth.lit = 16;
      Ellipsoid(img, 24, 38, 19, 5, cloth);
      Splatter sp(img, {24, 38}, TurnX(-0.3), 0.3);
      sp.Lathe([](double y) { return 11 * (y + 34) / 33; }, -34, -1, cloth,
               [](Vec3 q) {
                 Decal d;
                 double a = Atan2(q.z, q.x);
                 double u = std::fmod(a + 10 * kTwoPi, 1.3);
                 double v = std::fmod(-q.y + 40, 9.0);
                 if (u < 0.3 && v < 2.4) {
                   d.ramp = kGold;
                   d.bias = 14;
                 }
                 return d;
               });
      Disc(img, 24, 5, 2.2, kGold, 28);
      break;
    }
    case 3: {  // a checked cap
      Material cloth = Cloth(kRed);
      Splatter sp(img, {24, 36}, TurnX(-0.55), 0.3);
      sp.Ellipsoid({0, -4, 0}, {14, 12, 14}, cloth, [](Vec3 q) {
        Decal d;
        if (q.y > -4) d.hole = true;
        bool a = std::fmod(q.x + 40, 6.0) < 3, b = std::fmod(q.z + q.y + 40, 6.0) < 3;
        if (a != b) {
          d.ramp = kGreen;
          d.bias = -3;
        }
        return d;
      });
      Material peak = Cloth(kGreen);
      peak.lit = 10;
      Ellipsoid(img, 29, 37, 13, 3.5, peak);
      Disc(img, 24, 21, 2, kRed, 20);
      break;
    }
    default: {  // the steel hat: a kettle helmet with rivets
      Material steel = Steel();
      Ellipsoid(img, 24, 35, 21, 5.5, steel);
      Splatter sp(img, {24, 35}, TurnX(-0.35), 0.3);
      sp.Ellipsoid({0, -2, 0}, {12.5, 18, 12.5}, steel, [](Vec3 q) {
        Decal d;
        if (q.y > -2) d.hole = true;
        if (std::fabs(q.y + 5) < 1.2) d.bias = -3;
        return d;
      });
      for (int k = -2; k <= 2; ++k)
        Ellipsoid(img, 24 + 5 * k, 31 - std::fabs(k) * 0.6, 1.1, 1.1, Gold());
      break;
    }
  }
  return Icon(img);
}

SpriteImage HeartPendant() {
  ShadeImage img = Field();
  Material chain = Gold();
  for (int k = 0; k < 9; ++k) {
    double t = k / 8.0;
    Torus(img, 8 + 32 * t, 6 + 12 * Sin(kPi * t), 1.6, 0.6, 1.0, chain);
  }
  Material gem = Jewel(kRed);
  Paint(img, 8, 14, 40, 46, [&](double x, double y, int& ramp, double& shade) {
    double u = (x - 24) / 12, v = -(y - 29) / 12 + 0.15;
    double f = u * u + v * v - 1;
    if (f * f * f - u * u * v * v * v > 0) return false;
    ramp = kRed;
    // Cut in facets: the normal snaps to four directions.
    Vec3 n = Normalize({u > 0 ? 0.45 : -0.45, v > 0.1 ? -0.4 : 0.4, 1});
    shade = LightShade(gem, n);
    return true;
  });
  Torus(img, 24, 17, 2.2, 0.8, 1.0, Gold());
  return Icon(img);
}

SpriteImage MoonAmulet() {
  ShadeImage img = Field();
  Material chain = Steel();
  for (int k = 0; k < 9; ++k) {
    double t = k / 8.0;
    Torus(img, 8 + 32 * t, 5 + 10 * Sin(kPi * t), 1.5, 0.6, 1.0, chain);
  }
  Material silver = Steel();
  silver.lit = 24;
  Torus(img, 24, 29, 12, 2.2, 1.0, silver);
  // A crescent moon and a blue stone.
  Paint(img, 12, 17, 36, 41, [&](double x, double y, int& ramp, double& shade) {
    double dx = x - 24, dy = y - 29;
    bool inOuter = dx * dx + dy * dy < 9 * 9;
    double ex = x - 28, ey = y - 26;
    bool inBite = ex * ex + ey * ey < 7.5 * 7.5;
    if (!inOuter || inBite) return false;
    ramp = kGold;
    shade = LightShade(Gold(), Normalize({dx / 12, dy / 12, 1}));
    return true;
  });
  Material stone = Jewel(kBlue);
  Ellipsoid(img, 28.5, 29.5, 3, 3, stone);
  return Icon(img);
}

SpriteImage Lantern() {
  ShadeImage img = Field();
  Material brass = Gold();
  brass.lit = 19;
  Torus(img, 24, 8, 3.5, 1, 1.0, brass);
  Splatter sp(img, {24, 44}, TurnX(-0.3), 0.3);
  sp.Lathe([](double y) { return y > -6 ? 10.0 : (y > -30 ? 8.0 : 10 - (-30 - y) * 1.0); }, -36, 0,
           brass,
           [](Vec3 q) {
             Decal d;
             if (q.y < -7 && q.y > -29) {
               // Glass panes between four brass bars, glowing.
               double a = Atan2(q.z, q.x);
               double k = std::fmod(a + 10 * kTwoPi, kPi / 2);
               if (k > 0.25 && k < kPi / 2 - 0.25) {
                 d.ramp = kGold;
                 d.bias = 12;
               }
             }
             return d;
           });
  // The flame inside shows through the front pane.
  Paint(img, 20, 19, 28, 33, [](double x, double y, int& ramp, double& shade) {
    double v = (33 - y) / 13, u = (x - 24) / (3.5 * (1 - v * 0.8));
    if (v < 0 || v > 1 || std::fabs(u) > 1) return false;
    ramp = kGold;
    shade = 31 - std::fabs(u) * 4;
    return true;
  });
  return Icon(img);
}

SpriteImage FinishedSword() {
  ShadeImage img = Field();
  PaintSword(img, {9, 46}, 0.3, TurnZ(0.78), 0xF, 0);
  return Icon(img);
}

}  // namespace

void PaintShopGoods(SpriteSetArt& set) {
  for (int level = 0; level < 5; ++level) {
    set.Put(3 + level, Staff(level));
    set.Put(8 + level, Boot(level));
    set.Put(13 + level, Hat(level));
  }
  set.Put(18, HeartPendant());
  set.Put(19, MoonAmulet());
  set.Put(20, Lantern());
  set.Put(23, FinishedSword());
}

}  // namespace torvel::forge
