// Scenery of the item set: obstacles, doors, torches and floor decorations.
#include <cmath>

#include "forge/art/items_art.h"
#include "forge/art/motifs.h"

namespace torvel::forge {

namespace {

// Sprite 1: a round leafy bush (stops walkers only).
SpriteImage Bush() {
  Canvas c(48, 40, 24, 36);
  Material leaves = Foliage(31);
  const double blobs[][3] = {{15, 27, 8}, {33, 27, 8}, {24, 29, 9},
                             {19, 20, 8}, {29, 19, 8}, {24, 15, 7}};
  for (const auto& b : blobs) Ellipsoid(c.img, b[0], b[1], b[2], b[2] * 0.85, leaves);
  Material berry = Jewel(kRed);
  berry.dark = 8;
  const double berries[][2] = {{17, 24}, {30, 17}, {27, 28}, {21, 16}, {34, 25}};
  for (const auto& b : berries) Ellipsoid(c.img, b[0], b[1], 1.4, 1.4, berry);
  return FinishPlain(c);
}

// Sprite 2: a standing stone with a carved rune (stops everything).
SpriteImage StandingStone() {
  Canvas c(40, 56, 20, 52);
  Paint(c.img, 0, 0, 39, 55, [&](double x, double y, int& ramp, double& shade) {
    double v = (52 - y) / 44.0;  // 0 at the foot, 1 at the crown
    if (v < 0 || v > 1.05) return false;
    double half = 9.5 * (1 - 0.25 * v) + 2.2 * (ValueNoise(y / 6, 0, 0, 0, 41) - 0.5);
    if (v > 0.8) half *= std::sqrt(std::max(0.0, 1 - (v - 0.8) / 0.25 * (v - 0.8) / 0.25));
    double u = (x - 20) / half;
    if (std::fabs(u) > 1) return false;
    Vec3 n = Normalize({u * 0.9, v > 0.8 ? -(v - 0.8) * 3 : 0.05, std::sqrt(1 - 0.8 * u * u)});
    Material m = Stone(43);
    ramp = kGrey;
    shade = SurfaceShade(m, n, x, y);
    double moss = Fbm(x / 4, y / 4, 0, 0, 3, 44) + (v - 0.6) * 0.6;
    if (moss > 0.66) {
      ramp = kGreen;
      shade -= 3;
    }
    return true;
  });
  // The rune: a glowing violet sign cut into the face.
  const Vec2 rune[][2] = {
      {{20, 22}, {20, 40}}, {{20, 26}, {25, 21}}, {{20, 31}, {15, 26}}, {{20, 35}, {25, 31}}};
  for (const auto& seg : rune) Line(c.img, seg[0], seg[1], 1.6, kViolet, 20);
  return FinishPlain(c);
}

// Sprite 27: a wooden barrel.
SpriteImage Barrel() {
  Canvas c(32, 40, 16, 36);
  Splatter sp(c.img, {16, 35}, TurnX(-0.45), 0.3);
  double h = 20, r = 7.5;
  Material wood = Wood(47);
  sp.Lathe(
      [&](double y) {
        double t = -y / h;
        return r * (0.86 + 0.14 * (1 - (2 * t - 1) * (2 * t - 1)));
      },
      -h, 0, wood,
      [&](Vec3 q) {
        Decal d;
        double t = -q.y / h;
        double a = Atan2(q.z, q.x);
        if (std::fabs(std::fmod(a + 10 * kTwoPi, kTwoPi / 10)) < 0.09) d.bias = -4;
        for (double band : {0.14, 0.82}) {
          if (std::fabs(t - band) < 0.06) {
            d.ramp = kGrey;
            d.bias = -4;
          }
        }
        if (std::fabs(q.y + h) < 0.01) {  // the lid
          double rr = std::sqrt(q.x * q.x + q.z * q.z);
          d.bias = rr > r * 0.75 ? -3 : 1;
          if (std::fabs(std::fmod(q.x + 20, 3.0)) < 0.4) d.bias -= 2;
        }
        return d;
      });
  return FinishPlain(c);
}

// Sprite 28: a big red toadstool.
SpriteImage Toadstool() {
  Canvas c(40, 44, 20, 40);
  Splatter sp(c.img, {20, 39}, TurnX(-0.5), 0.3);
  Material stem = Parchment();
  stem.dark = 8;
  stem.lit = 22;
  sp.Lathe([](double y) { return 3.6 + 0.8 * (-y / 14); }, -14, 0, stem);
  Material cap = Cloth(kRed);
  cap.specular = 0.35;
  cap.glint = 24;
  sp.Ellipsoid({0, -15, 0}, {12, 8, 12}, cap, [](Vec3 q) {
    Decal d;
    if (q.y > -15) d.hole = true;  // only the dome
    const double spots[][3] = {{-5, -20, 0}, {4, -21, 3},  {0, -17, 9},
                               {8, -16, 5},  {-8, -17, 6}, {-3, -22, -4}};
    for (const auto& s : spots) {
      double dx = q.x - s[0], dy = q.y - s[1], dz = q.z - s[2];
      if (dx * dx + dy * dy + dz * dz < 5.5) {
        d.ramp = kGrey;
        d.bias = 8;
      }
    }
    return d;
  });
  sp.Ellipsoid({0, -15, 0}, {11.5, 1.8, 11.5}, stem);  // the gills' rim
  return FinishPlain(c);
}

// Sprite 29: a pine tree (stops everything).
SpriteImage PineTree() {
  Canvas c(56, 76, 28, 72);
  Splatter sp(c.img, {28, 71}, TurnX(-0.35), 0.3);
  Material bark = Wood(53);
  bark.lit = 12;
  sp.Lathe([](double) { return 3.2; }, -16, 0, bark);
  Material needles = Foliage(55);
  needles.dark = 1;
  needles.lit = 16;
  needles.grain = 3;
  needles.grainScale = 1.3;
  const double tiers[][3] = {{-12, -32, 15}, {-24, -44, 12}, {-35, -55, 9}, {-45, -64, 6}};
  for (const auto& t : tiers) {
    double foot = t[0], top = t[1], reach = t[2];
    sp.Lathe([&](double y) { return reach * (y - top) / (foot - top); }, top, foot, needles,
             [&](Vec3 q) {
               Decal d;
               // A ragged hem of needle tufts.
               double a = Atan2(q.z, q.x);
               double tuft = std::fabs(Sin(a * 7)) * 2.5;
               if (q.y > foot - tuft) d.hole = true;
               if (q.y > foot - 3) d.bias = -2;
               return d;
             });
  }
  return FinishPlain(c);
}

// Sprite 30: a wooden crate.
SpriteImage Crate() {
  Canvas c(36, 40, 18, 36);
  Splatter sp(c.img, {18, 35}, TurnX(-0.55), 0.3);
  Material wood = Wood(57);
  wood.lit = 18;
  double h = 9;
  sp.Box({0, -h, 0}, {10, h, 9}, wood, [&](Vec3 q) {
    Decal d;
    bool front = q.z > 8.9, top = q.y < -2 * h + 0.1;
    double u = q.x, v = front ? q.y : q.z;
    double edge =
        std::min(10 - std::fabs(u), front ? std::min(-q.y, 2 * h + q.y) : 9 - std::fabs(q.z));
    if (edge < 2) {
      d.bias = 2;  // the frame boards
    } else if (front && std::fabs((u - (-q.y - h) * 10 / h * 0.9)) < 1.6) {
      d.bias = 1;  // the diagonal brace
    } else if (std::fabs(std::fmod(v + 40, 4.5)) < 0.5 ||
               (top && std::fabs(std::fmod(u + 40, 5.0)) < 0.5)) {
      d.bias = -4;  // gaps between planks
    }
    if (edge < 0.5) d.bias = -2;
    return d;
  });
  return FinishPlain(c);
}

// Sprite 31: a pile of rocks.
SpriteImage RockPile() {
  Canvas c(40, 32, 20, 28);
  Material rock = Stone(61);
  const double stones[][4] = {{12, 23, 7, 4.8}, {27, 23, 8, 5}, {19, 17, 8, 6}, {30, 16, 5, 4}};
  for (const auto& s : stones) Ellipsoid(c.img, s[0], s[1], s[2], s[3], rock);
  return FinishPlain(c);
}

// Sprite 36: a bronze urn on a stone plinth.
SpriteImage Urn() {
  Canvas c(36, 52, 18, 48);
  Splatter sp(c.img, {18, 47}, TurnX(-0.5), 0.3);
  Material stone = Stone(63);
  stone.lit = 19;
  sp.Box({0, -5, 0}, {8, 5, 7}, stone);
  Material bronze = Gold();
  bronze.ramp = kBrown;
  bronze.lit = 20;
  bronze.dark = 2;
  sp.Lathe(
      [](double y) {
        double t = (-y - 10) / 22;  // 0 at the foot, 1 at the lip
        if (t < 0.12) return 3.5;
        if (t > 0.88) return 4.8 + (t - 0.88) * 10;
        return 3.6 + 3.6 * Sin(kPi * (t - 0.12) / 0.76);
      },
      -32, -10, bronze,
      [](Vec3 q) {
        Decal d;
        if (std::fabs(q.y + 20) < 0.8) d.bias = -4;  // an engraved band
        return d;
      });
  return FinishPlain(c);
}

// Sprite 37: a cluster of ice-blue crystals.
SpriteImage CrystalCluster() {
  Canvas c(44, 48, 22, 44);
  const double spikes[][5] = {{14, 20, 4, -0.5, 0.2},
                              {31, 22, 3.5, 0.55, 0.7},
                              {22, 34, 6, 0.05, 0.4},
                              {27, 16, 3, 0.3, 0.1}};
  Material m = Jewel(kIce);
  m.dark = 4;
  m.lit = 22;
  for (const auto& s : spikes) {
    Splatter sp(c.img, {s[0], 42}, TurnX(-0.3) * TurnZ(s[3]) * TurnY(s[4]), 0.25);
    sp.Gem({0, -s[1] / 2, 0}, {s[2], s[1] / 2, s[2]}, 6, m);
  }
  Material rock = Stone(67);
  rock.lit = 10;
  Ellipsoid(c.img, 22, 42, 13, 3.5, rock);
  return FinishPlain(c);
}

// Sprites 39 and 40: the skull door, dormant and awakened. It stands in a
// gap of a wall, its foot on the tile's lower edge.
SpriteImage SkullDoor(bool awake) {
  Canvas c(40, 56, 20, 43);
  Material stone = Stone(71);
  stone.lit = 16;
  Splatter sp(c.img, {20, 53}, TurnX(-0.3), 0.3);
  auto slab = [](double x, double y) {
    double top = -44 + 4 * (x / 15.5) * (x / 15.5);  // a rounded top
    return std::fabs(x) < 15.5 && y > top && y < 0;
  };
  sp.Slab(slab, -16, -45, 16, 0, 6, 1.5, stone, [&](Vec3 q) {
    Decal d;
    if (q.z < 2.9) return d;
    double x = q.x, y = q.y + 22;  // skull centred on the face
    auto skull = [](double sx, double sy) {
      bool cranium = sx * sx / 90.0 + (sy + 2) * (sy + 2) / 80.0 < 1;
      bool jaw = std::fabs(sx) < 6 && sy > 4 && sy < 12;
      return cranium || jaw;
    };
    if (skull(x, y)) {
      d.bias = 3;
      if (!skull(x - 1, y - 1)) d.bias += 3;
      if (!skull(x + 1, y + 1)) d.bias -= 4;
      bool eye = (std::fabs(x) - 4) * (std::fabs(x) - 4) + (y + 1) * (y + 1) < 6.5;
      bool nose = std::fabs(x) < 1.3 && y > 3 && y < 6;
      bool teeth = y > 8 && y < 11 && std::fabs(std::fmod(x + 30, 2.4)) < 0.6;
      if (eye) {
        if (awake) {
          d.ramp = kRed;
          d.bias = 14 - ((std::fabs(x) - 4) * (std::fabs(x) - 4) + (y + 1) * (y + 1));
        } else {
          d.bias = -12;
        }
      }
      if (nose || teeth) d.bias = -8;
    } else {
      // A border of carved runes, alight on the awakened door.
      double inset = std::min(15.5 - std::fabs(x), -q.y);
      if (inset > 1.5 && inset < 3.5 && std::fabs(std::fmod(q.y + 60, 6.0)) < 2.5) {
        if (awake) {
          d.ramp = kViolet;
          d.bias = 8;
        } else {
          d.bias = -4;
        }
      }
    }
    return d;
  });
  return FinishPlain(c);
}

// Sprites 9 to 16: locked doors. Set A faces the viewer in a wall running
// across; set B stands in a wall running up the map and shows its edge.
// The lock's plate carries the colour of the key it takes.
SpriteImage LockedDoor(KeyKind kind, bool sideways) {
  Canvas c(36, 52, 2, 47);
  Material stone = Stone(73);
  Material wood = Wood(75);
  wood.lit = 15;
  int plateRamp = kind == KeyKind::kOrdinary ? kGold : KeyGemRamp(kind);
  Material plate = Gold();
  plate.ramp = plateRamp;
  // Set B is the same door turned most of the way round, so that it reads
  // as standing in a wall that runs up the map.
  Splatter sp(c.img, {16, 47}, TurnX(-0.5) * TurnY(sideways ? 1.05 : 0), 0.3);
  double frameHalf = sideways ? 13 : 16;
  sp.Box({0, -12, 0}, {frameHalf, 12, sideways ? 5.0 : 10.0}, stone, [&](Vec3 q) {
    Decal d;
    if (std::fabs(q.z) > (sideways ? 4.9 : 9.9)) {
      double x = q.x, y = q.y;
      bool door = std::fabs(x) < 10 && y > -20 + 0.06 * x * x;
      if (door) d.hole = true;
      if (std::fabs(std::fmod(y + 60, 6.0)) < 0.5 && !door) d.bias = -3;
    }
    return d;
  });
  auto doorShape = [](double x, double y) {
    return std::fabs(x) < 10 && y > -20 + 0.06 * x * x && y < 0;
  };
  Splatter door(c.img, {16, 47}, TurnX(-0.5) * TurnY(sideways ? 1.05 : 0), 0.3);
  door.Slab(doorShape, -10, -21, 10, 0, 2, 0.8, wood, [&](Vec3 q) {
    Decal d;
    if (std::fabs(std::fmod(q.x + 40, 4.0)) < 0.45) d.bias = -3;
    if (std::fabs(q.y + 5) < 1 || std::fabs(q.y + 15) < 1) {
      d.ramp = kGrey;
      d.bias = -2;
    }
    return d;
  });
  // The lock plate and its keyhole, bright in the key's colour.
  double plateZ = 1.4;
  door.Box({5, -9, plateZ}, {2.8, 3.6, 0.6}, plate, [&](Vec3 q) {
    Decal d;
    if (q.z > plateZ + 0.5 && std::fabs(q.x - 5) < 0.7 && q.y > -10.5 && q.y < -7.5) d.bias = -20;
    return d;
  });
  return FinishPlain(c);
}

// A flame, brightest at its heart, for torches (plain art: the game does
// not light it, so its own shades carry the glow).
void Flame(ShadeImage& img, double cx, double baseY, double height, double width) {
  Paint(img, static_cast<int>(cx - width), static_cast<int>(baseY - height),
        static_cast<int>(cx + width), static_cast<int>(baseY + 2),
        [&](double x, double y, int& ramp, double& shade) {
          double v = (baseY - y) / height;  // 0 at the base, 1 at the tip
          if (v < -0.15 || v > 1) return false;
          double lick = 0.25 * Sin(v * 9 + 1.3) * v;
          double half =
              width * (v < 0.3 ? std::sqrt(std::max(0.0, (v + 0.15) / 0.45)) : (1 - v) / 0.7);
          double u = (x - cx) / width - lick;
          if (std::fabs(u) * width > half) return false;
          double heat = 1 - std::fabs(u) * width / std::max(half, 0.01);
          heat = heat * (1 - v * 0.6);
          ramp = heat > 0.45 ? kGold : kRed;
          shade = heat > 0.45 ? 20 + heat * 11 : 16 + heat * 14;
          return true;
        });
}

// Sprites 157 and 158: lamp posts whose flame hangs 30 px left of and 90 px
// above their foot, where the game lets its sparks rise.
SpriteImage LampPost(bool lantern) {
  Canvas c(64, 116, 44, 110);
  Material post = lantern ? Wood(81) : Iron();
  if (lantern) post.lit = 14;
  // The post and its arm.
  Capsule(c.img, {44, 109}, {44, 16}, 2.4, 1.8, post);
  Capsule(c.img, {44, 18}, {13, 14}, 1.5, 1.5, post);
  Capsule(c.img, {44, 34}, {33, 16}, 1.2, 1.2, post);  // a brace
  Block(c.img, 38, 104, 12, 2, 4, Stone(83));          // a foot stone
  if (!lantern) {
    // A hanging fire basket of iron straps.
    Capsule(c.img, {14, 14}, {14, 20}, 0.8, 0.8, Iron());
    Flame(c.img, 14, 26, 16, 6.5);
    Material iron = Iron();
    for (int k = -2; k <= 2; ++k)
      Capsule(c.img, {14 + k * 2.6, 23}, {14 + k * 1.6, 30}, 0.7, 0.7, iron);
    Torus(c.img, 14, 23, 5.5, 0.9, 0.35, iron);
    Torus(c.img, 14, 30, 3.2, 0.8, 0.35, iron);
  } else {
    // A lantern: brass frame, glowing panes.
    Capsule(c.img, {14, 14}, {14, 18}, 0.8, 0.8, Gold());
    Paint(c.img, 8, 20, 20, 34, [](double x, double y, int& ramp, double& shade) {
      double u = (x - 14) / 6, v = (y - 27) / 7;
      if (std::fabs(u) > 1 || std::fabs(v) > 1) return false;
      ramp = kGold;
      shade = 30 - 8 * (u * u + v * v);
      return true;
    });
    Flame(c.img, 14, 31, 9, 3);
    Material brass = Gold();
    brass.lit = 18;
    Capsule(c.img, {7.5, 20}, {7.5, 34}, 0.9, 0.9, brass);
    Capsule(c.img, {20.5, 20}, {20.5, 34}, 0.9, 0.9, brass);
    Capsule(c.img, {14, 20}, {14, 34}, 0.6, 0.6, brass);
    Block(c.img, 6, 17, 16, 2, 2, brass);
    Block(c.img, 6, 34, 16, 1, 2, brass);
  }
  return FinishPlain(c, 0.4);
}

// Flat things lying on the floor, centred on their tile.
SpriteImage Bones() {
  Canvas c(40, 32, 20, 16);
  Material bone = Parchment();
  bone.lit = 27;
  bone.dark = 12;
  Capsule(c.img, {8, 20}, {19, 17}, 1.2, 1.2, bone);
  Ellipsoid(c.img, 8, 20, 1.8, 1.8, bone);
  Ellipsoid(c.img, 19, 17, 1.8, 1.8, bone);
  Capsule(c.img, {22, 22}, {31, 25}, 1.1, 1.1, bone);
  Ellipsoid(c.img, 31, 25, 1.7, 1.7, bone);
  Capsule(c.img, {14, 10}, {12, 14}, 1, 1, bone);
  // The skull, looking up.
  Ellipsoid(c.img, 24, 11, 5.5, 4.6, bone);
  Ellipsoid(c.img, 24, 14.5, 3.2, 2.2, bone);
  Disc(c.img, 22, 11.5, 1.3, kBrown, 2);
  Disc(c.img, 26.2, 11.5, 1.3, kBrown, 2);
  return FinishPlain(c, 0.3);
}

SpriteImage Flowers() {
  Canvas c(40, 32, 20, 16);
  Material leaf = Foliage(85);
  const double tufts[][2] = {{12, 18}, {20, 13}, {28, 19}, {17, 23}, {25, 11}, {31, 14}};
  for (const auto& t : tufts) {
    for (int k = 0; k < 5; ++k) {
      double a = kTwoPi * k / 5 + t[0];
      Capsule(c.img, {t[0], t[1]}, {t[0] + 3.2 * Cos(a), t[1] + 2.2 * Sin(a)}, 0.8, 0.5, leaf);
    }
  }
  const int petalRamps[] = {kGold, kViolet, kGrey, kRed, kGold, kIce};
  int i = 0;
  for (const auto& t : tufts) {
    Material petal = Cloth(petalRamps[i++ % 6]);
    petal.lit = 26;
    petal.dark = 10;
    for (int k = 0; k < 5; ++k) {
      double a = kTwoPi * k / 5;
      Ellipsoid(c.img, t[0] + 1.5 * Cos(a), t[1] - 1 + 1.2 * Sin(a), 1.1, 1.0, petal);
    }
    Disc(c.img, t[0], t[1] - 1, 0.8, kGold, 26);
  }
  return FinishPlain(c, 0.3);
}

SpriteImage Plaque() {
  Canvas c(36, 28, 18, 14);
  Material stone = Stone(87);
  stone.lit = 19;
  Block(c.img, 5, 5, 26, 14, 3, stone);
  for (int row = 0; row < 3; ++row) {
    double y = 9 + row * 3.5;
    double len = row == 2 ? 10 : 16;
    for (double x = 10; x < 10 + len; x += 2.5) Line(c.img, {x, y}, {x + 1.4, y}, 1, kGrey, 5);
  }
  return FinishPlain(c, 0.3);
}

SpriteImage MagicCircle() {
  Canvas c(40, 32, 20, 16);
  Paint(c.img, 0, 0, 39, 31, [](double x, double y, int& ramp, double& shade) {
    double dx = (x - 20) / 15, dy = (y - 16) / 11;
    double r = std::sqrt(dx * dx + dy * dy);
    double a = Atan2(dy, dx);
    bool ring = std::fabs(r - 0.95) < 0.06 || std::fabs(r - 0.72) < 0.05;
    bool glyph = r > 0.76 && r < 0.9 && std::fabs(Sin(a * 6)) > 0.8 && std::fabs(Sin(a * 30)) < 0.6;
    // A six-pointed star inside.
    bool star = false;
    for (int k = 0; k < 6; ++k) {
      double ang = kTwoPi * k / 6;
      double nx = Cos(ang), ny = Sin(ang);
      if (std::fabs(dx * nx + dy * ny - 0.36) < 0.045 && r < 0.72) star = true;
    }
    if (!ring && !glyph && !star) return false;
    ramp = ring ? kGold : kViolet;
    shade = ring ? 20 : 24;
    return true;
  });
  Finish f = Finish::Unrimmed(0);
  f.outlineShade = 2;
  return Finished(c.img, c.hotX, c.hotY, f);
}

}  // namespace

void PaintItemScenery(SpriteSetArt& set) {
  set.Put(1, Bush());
  set.Put(2, StandingStone());
  const KeyKind kinds[4] = {KeyKind::kOrdinary, KeyKind::kRed, KeyKind::kBlue, KeyKind::kViolet};
  for (int k = 0; k < 4; ++k) {
    for (bool sideways : {false, true}) {
      // Queued 14 px left of and 11 px below the tile centre: the door's
      // foot on the tile's lower edge, centred across the tile.
      SpriteImage door = LockedDoor(kinds[k], sideways);
      door.ofsY = door.height - 1;
      door.ofsX = 2 + (door.width - 32) / 2;
      set.Put((sideways ? 13 : 9) + k, door);
    }
  }
  set.Put(26, Bones());
  set.Put(27, Barrel());
  SpriteImage toadstool = Toadstool();
  StandOnHotSpot(toadstool);
  set.Put(28, toadstool);
  SpriteImage pine = PineTree();
  StandOnHotSpot(pine);
  set.Put(29, pine);
  set.Put(30, Crate());
  set.Put(31, RockPile());
  set.Put(32, Flowers());
  set.Put(34, Plaque());
  SpriteImage urn = Urn();
  StandOnHotSpot(urn);
  set.Put(36, urn);
  SpriteImage crystals = CrystalCluster();
  StandOnHotSpot(crystals);
  set.Put(37, crystals);
  set.Put(39, SkullDoor(false));
  set.Put(40, SkullDoor(true));
  set.Put(42, MagicCircle());
  for (int i : {157, 158}) {
    SpriteImage post = LampPost(i == 158);
    StandOnHotSpot(post);
    set.Put(i, post);
  }
}

}  // namespace torvel::forge
