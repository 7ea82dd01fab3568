// The ground: base ground, the ground family and the edge pieces between
// them, water and lava with their banks, ice, mud, snow and paving.
#include <algorithm>
#include <cmath>

#include "forge/paint/noise.h"
#include "forge/palette.h"
#include "forge/tilesets/tileset_builder.h"

namespace torvel::forge {

namespace {

// Signed distance (pixels, negative inside) to the part of an edge piece
// the ground family covers: strips along the family's sides, each as deep
// as the spill plus a bump that dies away at the tile's corners, or a
// rounded corner for the corner-only pieces.
double FamilyField(const EdgeShape& shape, double x, double y, double spill, double ragged,
                   uint32_t seed) {
  double best = 1e9;
  auto strip = [&](double fromSide, double along, double len, uint32_t s) {
    double depth = spill + ragged * SideBump(along, len, s);
    best = std::min(best, fromSide - depth);
  };
  if (shape.sides & 1) strip(x, y, 24, seed + 1);       // west
  if (shape.sides & 2) strip(y, x, 32, seed + 2);       // north
  if (shape.sides & 4) strip(32 - x, y, 24, seed + 3);  // east
  if (shape.sides & 8) strip(24 - y, x, 32, seed + 4);  // south
  if (shape.corner) {
    double cx = (shape.corner & 1) ? 0 : 32, cy = (shape.corner & 2) ? 0 : 24;
    double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
    best = std::min(best, d - spill);
  }
  return best;
}

void PaintEdges(TilesetCanvas& c, Theme theme) {
  double spill = FamilySpill(theme), ragged = FamilyRagged(theme);
  for (int t = tile::kEdgeFirst; t <= tile::kEdgeLast; ++t) {
    EdgeShape shape = EdgeShapeOf(t);
    c.Fill(t, [&](double x, double y) {
      double f = FamilyField(shape, x, y, spill, ragged, 300);
      if (f < 0) {
        Px p = FamilyGround(theme, x, y, 0);
        if (f > -1.5) {
          if (theme == Theme::kCastle) return Px{kGold, 17};  // the carpet's fringe
          p.shade -= 2;
        }
        return p;
      }
      Px p = BaseGround(theme, x, y, 0);
      if (f < 1.5) p.shade -= 3;  // the ground's lip over the path
      return p;
    });
  }
}

// Banks: base ground whose sides (or corners) meet water or lava beyond
// the tile. sides: west 1, north 2, east 4, south 8; corner the same bits.
void PaintBank(TilesetCanvas& c, int t, Theme theme, int sides, int corner, bool lava) {
  c.Fill(t, [&](double x, double y) {
    double d = 1e9;
    auto side = [&](double from, double along, double len, uint32_t s) {
      d = std::min(d, from - 1.2 * SideBump(along, len, s));
    };
    if (sides & 1) side(x, y, 24, 401);
    if (sides & 2) side(y, x, 32, 402);
    if (sides & 4) side(32 - x, y, 24, 403);
    if (sides & 8) side(24 - y, x, 32, 404);
    if (corner) {
      double cx = (corner & 1) ? 0 : 32, cy = (corner & 2) ? 0 : 24;
      d = std::min(d, std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)));
    }
    Px p = BaseGround(theme, x, y, 0);
    double lip = 4.5;
    if (d < lip) {
      double t = d / lip;  // 0 at the water, 1 where the ground starts
      if (lava)
        p = {kGrey, 3 + 5 * t};
      else
        p = {kBrown, 3 + 6 * t};
      if (d < 1) p.shade = lava ? 6 : 2;  // wet, or glowing, right at the edge
      if (lava && d < 1) p.ramp = kRed;
      if (HashUnit(static_cast<int>(x), static_cast<int>(y), 405) > 0.75 && d > 1.5)
        p = {kGrey, 10 + 4 * t};  // stones along the bank
    } else if (d < lip + 1.2) {
      p.shade -= 2;
    }
    return p;
  });
}

void PaintBanks(TilesetCanvas& c, Theme theme, int first, bool lava) {
  const int sides[8] = {2, 4, 8, 1, 2 | 4, 8 | 4, 8 | 1, 2 | 1};
  for (int k = 0; k < 8; ++k) PaintBank(c, first + k, theme, sides[k], 0, lava);
  const int corners[4] = {2 | 4, 8 | 4, 8 | 1, 2 | 1};
  for (int k = 0; k < 4; ++k) PaintBank(c, first + 8 + k, theme, 0, corners[k], lava);
}

void BaseFeatures(TilesetCanvas& c, Theme theme, int t, int variant) {
  Rng rng(500 + 7 * variant + static_cast<int>(theme) * 31);
  switch (variant) {
    case 2:  // a few stones
      for (int k = 0; k < 3; ++k)
        c.Pebble(t, rng.Range(5, 27), rng.Range(5, 19), rng.Range(1.2, 2.2), kGrey, 16);
      break;
    case 3:  // a darker patch
      c.Over(t, [&](double x, double y, Px& px) {
        double dx = (x - 16) / 10, dy = (y - 12) / 7;
        if (dx * dx + dy * dy > 1) return false;
        px.shade -= 2 * (1 - dx * dx - dy * dy);
        return true;
      });
      break;
    default:  // tufts, or flowers where grass grows
      for (int k = 0; k < 4; ++k) {
        double x = rng.Range(5, 27), y = rng.Range(8, 20);
        if (theme == Theme::kRiver || theme == Theme::kBasic) {
          int ramps[3] = {kGold, kGrey, kViolet};
          c.Pebble(t, x, y, 1.1, ramps[k % 3], 26);
        } else {
          c.Tuft(t, x, y, 4, theme == Theme::kUnder ? kGrey : kGreen, 14);
        }
      }
      break;
  }
}

void FamilyFeatures(TilesetCanvas& c, Theme theme, int t, int variant) {
  Rng rng(600 + 13 * variant + static_cast<int>(theme) * 17);
  switch (variant % 4) {
    case 0:  // pebbles
      for (int k = 0; k < 4; ++k)
        c.Pebble(t, rng.Range(5, 27), rng.Range(5, 19), rng.Range(1, 1.8), kGrey, 15);
      break;
    case 1:  // a crack or a rut
      c.Crack(t, {rng.Range(4, 10), rng.Range(4, 20)}, {rng.Range(22, 28), rng.Range(4, 20)},
              static_cast<uint32_t>(700 + variant), 3);
      break;
    case 2:  // a bigger stone
      c.Pebble(t, rng.Range(10, 22), rng.Range(8, 16), 3, theme == Theme::kCastle ? kGold : kGrey,
               theme == Theme::kCastle ? 20 : 15);
      break;
    default:  // a tuft of the base ground's growth
      if (theme == Theme::kCastle) {
        c.Over(t, [&](double x, double y, Px& px) {  // a worn patch in the carpet
          double dx = (x - 16) / 8, dy = (y - 12) / 5;
          if (dx * dx + dy * dy > 1) return false;
          px.shade -= 1.5;
          return true;
        });
      } else {
        c.Tuft(t, rng.Range(8, 24), rng.Range(10, 18), 4, theme == Theme::kUnder ? kGrey : kGreen,
               13);
      }
      break;
  }
}

}  // namespace

void PaintFloors(TilesetCanvas& c, Theme theme) {
  for (int v = 0; v <= 4; ++v) {
    c.Fill(v, [&](double x, double y) { return BaseGround(theme, x, y, v); });
    if (v >= 2) BaseFeatures(c, theme, v, v);
  }
  for (int t = tile::kFamilyFirst; t <= tile::kFamilyLast; ++t) {
    int v = t - tile::kFamilyFirst;
    c.Fill(t, [&](double x, double y) { return FamilyGround(theme, x, y, v); });
    if (t > tile::kFamilyCommonLast) FamilyFeatures(c, theme, t, v);
  }
  PaintEdges(c, theme);
  for (int k = 0; k < 4; ++k) {
    c.Fill(tile::kWaterFirst + k, [&](double x, double y) { return Water(theme, x, y, k); });
    c.Fill(tile::kLavaFirst + k, [&](double x, double y) { return Lava(x, y, k); });
    c.Fill(tile::kIceFirst + k, [&](double x, double y) { return Ice(x, y, k); });
    c.Fill(tile::kMudFirst + k, [&](double x, double y) { return Mud(x, y, k); });
    c.Fill(tile::kCycleFirst + k, [&](double x, double y) { return CycleFloor(theme, x, y, k); });
    c.Fill(tile::kSnowFirst + k, [&](double x, double y) { return Snow(x, y, k); });
    c.Fill(tile::kSnowyBaseFirst + k, [&](double x, double y) {
      double n = Fbm(x / 8, y / 8, 4, 3, 3, 811 + k);
      return n > 0.5 - 0.06 * k ? Snow(x, y, k) : BaseGround(theme, x, y, k);
    });
  }
  c.Crack(tile::kIceFirst + 2, {4, 6}, {28, 18}, 821, 6);
  c.Crack(tile::kIceFirst + 2, {14, 3}, {18, 21}, 823, 6);
  for (int k = 0; k < 3; ++k)
    c.Fill(tile::kCrustFirst + k, [&](double x, double y) { return LavaCrust(x, y, k); });
  PaintBanks(c, theme, tile::kWaterBankFirst, false);
  PaintBanks(c, theme, tile::kLavaBankFirst, true);
  for (int k = 0; k < 8; ++k)
    c.Fill(tile::kPavingFirst + k, [&](double x, double y) { return Paving(theme, x, y, k); });
}

}  // namespace torvel::forge
