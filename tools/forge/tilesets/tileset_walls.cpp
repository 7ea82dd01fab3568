// Roofs and wall faces: the auto-tile's roof pieces and a second family of
// them, see-through roofs, and every wall face of the layout.
#include <algorithm>
#include <cmath>

#include "forge/paint/noise.h"
#include "forge/palette.h"
#include "forge/tilesets/tileset_builder.h"

namespace torvel::forge {

namespace {

// A roof piece: the top's surface, with a rim on every side that does not
// join another wall: lit along the top and left, shaded along the right and
// bottom, and a dark line where it stops.
void RoofPiece(TilesetCanvas& c, int t, int joins, const Surface& top) {
  c.Fill(t, [&](double x, double y) {
    Px p = top(x, y);
    const double inf = 1e9;
    double dW = (joins & 1) ? inf : x, dN = (joins & 2) ? inf : y;
    double dE = (joins & 4) ? inf : 32 - x, dS = (joins & 8) ? inf : 24 - y;
    double d = std::min({dW, dN, dE, dS});
    if (d >= 3.5) return p;
    if (d < 1 && d != dS) {
      p.shade = 1;  // the outline against the ground behind
    } else if (d == dN || d == dW) {
      p.shade += d == dN ? 5 : 4;
    } else if (d == dE) {
      p.shade -= 4;
    } else {
      p.shade -= d < 1.5 ? 6 : 3;  // the lip over the face below
    }
    return p;
  });
}

void PaintRoofFamily(TilesetCanvas& c, int first, const Surface& top) {
  for (int mask = 0; mask < 16; ++mask)
    RoofPiece(c, first + (kAutoRoofs[mask] - tile::kAutoRoofFirst), mask, top);
}

// What grows or lies at a wall's foot.
enum class Foot { kBase, kFamily, kWater, kNone };

Px FootGround(Theme theme, Foot foot, double x, double y) {
  switch (foot) {
    case Foot::kFamily:
      return FamilyGround(theme, x, y, 0);
    case Foot::kWater:
      return Water(theme, x, y, 0);
    default:
      return BaseGround(theme, x, y, 0);
  }
}

// A wall face: the material, a ledge of light at its top under the roof's
// lip, and the ground its foot stands in, with a shade where they meet.
void Face(TilesetCanvas& c, int t, Theme theme, const Surface& material, Foot foot) {
  c.Fill(t, [&](double x, double y) {
    double rise = foot == Foot::kNone ? 0 : 3 + 1.3 * SideBump(x, 32, 1101 + t);
    if (foot == Foot::kWater) rise = 4;
    double fromFoot = 24 - y;
    if (fromFoot < rise) {
      Px g = FootGround(theme, foot, x, y);
      if (foot == Foot::kWater && fromFoot > rise - 1.2) g = {kIce, 24};  // foam
      return g;
    }
    Px p = material(x, y);
    if (y < 1) p.shade += 3;
    if (fromFoot < rise + 1.5) p.shade -= 3;
    return p;
  });
  if (foot == Foot::kBase && theme != Theme::kCastle && theme != Theme::kUnder) {
    Rng rng(1111 + t);
    for (int k = 0; k < 5; ++k) c.Tuft(t, rng.Range(2, 30), 22, rng.Range(3, 5), kGreen, 15);
  }
}

Surface FaceMaterial(Theme theme, bool second) {
  return [theme, second](double x, double y) {
    return second ? WallFace2(theme, x, y) : WallFace(theme, x, y);
  };
}

// Things standing on the ground whose face is the whole tile: a trunk, a
// fence, a pillar.
void StandingFace(TilesetCanvas& c, int t, Theme theme, int kind) {
  c.Fill(t, [&](double x, double y) { return BaseGround(theme, x, y, 0); });
  c.Over(t, [&](double x, double y, Px& px) {
    switch (kind) {
      case 0: {  // a trunk with roots
        double half = 5 + std::max(0.0, (y - 18) * 0.9);
        double u = (x - 16) / half;
        if (std::fabs(u) > 1) {
          if (u > 1 && u < 1.6 && y > 14) {  // its shadow to the right
            px.shade -= 3;
            return true;
          }
          return false;
        }
        double bark = Fbm(x / 2, y / 8, 16, 3, 2, 1121);
        double round = 1 - (u + 0.4) * (u + 0.4) * 0.6;
        if (theme == Theme::kUnder)
          px = {kGrey, 9 + 10 * round + bark};  // a toadstool's stem
        else
          px = {kBrown, 4 + 8 * round + 3 * bark};
        return true;
      }
      case 1: {  // a fence
        bool post = std::fabs(x - 4.5) < 2 || std::fabs(x - 27.5) < 2;
        bool rail = std::fabs(y - 9) < 1.3 || std::fabs(y - 16) < 1.3;
        if (!post && !rail) {
          if (std::fabs(y - 18) < 1 || std::fabs(y - 11) < 0.6) {
            px.shade -= 2;  // the rails' shadow
            return true;
          }
          return false;
        }
        px = {kBrown, post ? 13 - std::fabs(std::fabs(x - 16) - 11.5) * 2 : (y < 12 ? 15 : 13)};
        if (post && y < 2) px.shade += 3;
        return true;
      }
      default: {  // a pillar on a plinth
        bool plinth = y > 19 && std::fabs(x - 16) < 10;
        double u = (x - 16) / 7;
        if (!plinth && std::fabs(u) > 1) {
          if (u > 1 && u < 1.5) {
            px.shade -= 3;
            return true;
          }
          return false;
        }
        if (plinth) {
          px = {kGrey, y < 21 ? 18 : 12};
          return true;
        }
        double flute = std::fabs(Sin(kPi * (x - 9) / 3.5)) * 1.5;
        px = {kGrey, 8 + 10 * (1 - (u + 0.35) * (u + 0.35) * 0.7) - flute};
        return true;
      }
    }
  });
}

void FaceDetails(TilesetCanvas& c, Theme theme) {
  using namespace tile;
  c.Crack(kFaceCracked, {6, 2}, {14, 20}, 1131, 2);
  c.Crack(kFaceCracked, {24, 4}, {20, 18}, 1133, 2);
  c.Over(kFaceOvergrown, [](double x, double y, Px& px) {
    double hang = 6 + 14 * Fbm(x / 4, 0.5, 8, 1, 2, 1141);
    if (y > hang || y > 20) return false;
    px = {kGreen, 6 + 8 * Fbm(x / 2, y / 2, 16, 12, 2, 1143) + (y < 2 ? 3 : 0)};
    return true;
  });
  c.Over(kFaceWindow, [](double x, double y, Px& px) {
    double dx = std::fabs(x - 16), dy = y - 10.5;
    if (dx > 7 || std::fabs(dy) > 7) return false;
    if (dx > 5.5 || std::fabs(dy) > 5.5) {
      px = {kGrey, dy > 5.5 ? 18 : 14};  // the frame and sill
      return true;
    }
    px = {kBlue, 3 + (dx < 0.6 || std::fabs(dy) < 0.6 ? 6 : 0)};
    if (x - 16 - dy < -6 && x - 16 - dy > -7.5) px = {kIce, 18};  // a glint
    return true;
  });
  c.Over(kFaceBanner, [](double x, double y, Px& px) {
    double dx = std::fabs(x - 16);
    double bottom = 17 + (5 - dx);
    if (dx > 5 || y < 1 || y > bottom) return false;
    px = {kRed, 10 + (x < 16 ? 2 : -1)};
    if (dx > 4) px = {kGold, 16};
    double ex = x - 16, ey = y - 9;
    if (ex * ex + ey * ey < 6) px = {kGold, 22};
    return true;
  });
  c.Over(kFaceDoorway, [](double x, double y, Px& px) {
    double dx = x - 16;
    double top = 8 + dx * dx / 14;
    if (std::fabs(dx) > 8 || y < top - 2) return false;
    if (y < top || std::fabs(dx) > 7) {
      px = {kGrey, 16};  // the arch's stones
      return true;
    }
    px = {kGrey, std::max(1.0, 3 - (y - top) / 6)};
    return true;
  });
  (void)theme;
}

void Battlements(TilesetCanvas& c, int t, Theme theme) {
  c.Over(t, [&](double x, double y, Px& px) {
    bool merlon = (x > 2 && x < 13) || (x > 19 && x < 30);
    if (!merlon || y < 4) return false;
    px = RoofTop(theme == Theme::kBasic ? Theme::kBasic : Theme::kCastle, x, y);
    double dx = std::min(std::fabs(x - 2), std::fabs(x - 13));
    dx = std::min({dx, std::fabs(x - 19), std::fabs(x - 30)});
    if (y < 5.5)
      px.shade += 4;
    else if (dx < 1)
      px.shade -= 3;
    return true;
  });
}

void SeeThroughRoofs(TilesetCanvas& c, Theme theme) {
  using namespace tile;
  // Tree crowns: clumps of leaves, the corners open.
  for (int k = 0; k < 2; ++k) {
    int t = k ? kCanopy2 : kCanopy;
    c.Over(t, [&](double x, double y, Px& px) {
      double dx = (x - 16) / 15, dy = (y - 13) / 11.5;
      double n = Fbm(x / 4, y / 4, 8, 6, 3, 1151 + k);
      double r = dx * dx + dy * dy;
      if (r > 0.75 + 0.4 * n) return false;
      double lit = 1 - (dx + dy + 1) * 0.45;
      if (theme == Theme::kUnder) {
        // Below the ground the "trees" are giant toadstools: a red cap with
        // pale spots, or a violet one that glows.
        px = {k ? kViolet : kRed, (k ? 8 : 5) + 9 * lit + 3 * n};
        if (Fbm(x / 3, y / 3, 8, 6, 1, 1157 + k) > 0.7) px = {kGrey, 20 + 6 * lit};
        return true;
      }
      px = {kGreen, (k ? 3 : 5) + 9 * lit + 5 * n};
      if (k && n > 0.62) px = {kGold, 8 + 6 * lit};  // an autumn crown
      return true;
    });
  }
  c.Over(kBushTop, [](double x, double y, Px& px) {
    double dx = (x - 16) / 11, dy = (y - 17) / 7;
    double n = Fbm(x / 4, y / 4, 8, 6, 2, 1161);
    if (dx * dx + dy * dy > 0.8 + 0.3 * n) return false;
    px = {kGreen, 6 + 8 * (1 - (dx + dy + 1) * 0.4) + 3 * n};
    return true;
  });
  Battlements(c, kBattlements, theme);
  c.Over(kFenceTop, [](double x, double y, Px& px) {
    bool post = (std::fabs(x - 4.5) < 2 || std::fabs(x - 27.5) < 2) && y > 16;
    bool rail = std::fabs(y - 19) < 1.2;
    if (!post && !rail) return false;
    px = {kBrown, post ? 17 : 14};
    return true;
  });
  c.Over(kArchTop, [](double x, double y, Px& px) {
    double dx = x - 16, dy = y - 26;
    double r = std::sqrt(dx * dx + dy * dy);
    if (r < 11 || r > 16) return false;
    px = {kGrey, 12 + (r < 12 ? -3 : (r > 15 ? 4 : 0)) +
                     (std::fmod(Atan2(dy, dx) * 6, 1.0) < 0.1 ? -4 : 0)};
    return true;
  });
  c.Over(kPillarTop, [](double x, double y, Px& px) {
    double dx = (x - 16) / 9, dy = (y - 16) / 6.5;
    double r = dx * dx + dy * dy;
    if (r > 1) return false;
    px = {kGrey, 14 + 6 * (1 - (dx + dy + 1) * 0.5) - (r > 0.75 ? 3 : 0)};
    return true;
  });
  c.Over(kLampTop, [](double x, double y, Px& px) {
    if (std::fabs(x - 16) < 0.8 && y > 6 && y < 13) {
      px = {kGrey, 8};  // the chain
      return true;
    }
    double dx = (x - 16) / 4, dy = (y - 17) / 4.5;
    if (dx * dx + dy * dy > 1) return false;
    bool cage = std::fabs(dx) > 0.75 || std::fabs(dy) > 0.8;
    px = cage ? Px{kGold, 14} : Px{kGold, 30 - (dx * dx + dy * dy) * 6};
    return true;
  });
}

}  // namespace

void PaintRoofs(TilesetCanvas& c, Theme theme) {
  PaintRoofFamily(c, tile::kAutoRoofFirst,
                  [theme](double x, double y) { return RoofTop(theme, x, y); });
  PaintRoofFamily(c, tile::kRoof2First,
                  [theme](double x, double y) { return RoofTop2(theme, x, y); });
  SeeThroughRoofs(c, theme);
}

void PaintWallFaces(TilesetCanvas& c, Theme theme) {
  using namespace tile;
  Surface wall = FaceMaterial(theme, false), wall2 = FaceMaterial(theme, true);
  Foot grass = Foot::kBase;
  Face(c, kFace, theme, wall, grass);
  Face(c, kFaceOnFamily, theme, wall, Foot::kFamily);
  for (int t : {kFaceCracked, kFaceOvergrown, kFaceWindow, kFaceBanner, kFaceDoorway})
    Face(c, t, theme, wall, grass);
  FaceDetails(c, theme);
  // The pushable blocks' fronts fill their tiles.
  c.Fill(kFaceBlock, [theme](double x, double y) {
    bool stone = theme == Theme::kCastle || theme == Theme::kUnder;
    double dx = std::min(x, 32 - x);
    Px p = stone ? Px{kGrey, 11 + 2 * Fbm(x / 4, y / 4, 8, 6, 2, 1171)}
                 : Px{kBrown, 10 + 3 * Fbm(x / 8, y / 2, 4, 12, 2, 1173)};
    if (!stone && std::fmod(x, 8.0) < 1) p.shade = 4;
    if (dx < 2.5 || y > 21.5) p = stone ? Px{kGrey, dx < 2.5 ? 14.0 : 7.0} : Px{kGrey, 9};
    if (y < 1) p.shade += 3;
    return p;
  });
  c.Fill(kFaceBlock2, [](double x, double y) {
    double dx = std::min(x, 32 - x);
    Px p{kGrey, 9 + 2 * Fbm(x / 4, y / 4, 8, 6, 2, 1175)};
    if (std::fabs(x - 16) < 7 && std::fabs(y - 11) < 6 &&
        (std::fabs(x - 16) > 5.5 || std::fabs(y - 11) > 4.5))
      p.shade -= 4;  // a carved square
    if (dx < 1.5) p.shade += x < 16 ? 3 : -3;
    if (y > 22) p.shade -= 3;
    if (y < 1) p.shade += 3;
    return p;
  });
  StandingFace(c, kFaceTrunk, theme, 0);
  StandingFace(c, kFaceFence, theme, 1);
  Face(c, kFaceBattlement, theme,
       FaceMaterial(theme == Theme::kBasic ? Theme::kBasic : Theme::kCastle, false), grass);
  StandingFace(c, kFacePillar, theme, 2);
  Face(c, kFace2, theme, wall2, grass);
  Face(c, kFace2Window, theme, wall2, grass);
  c.Over(kFace2Window, [](double x, double y, Px& px) {
    if (std::fabs(x - 16) > 5 || y < 5 || y > 15) return false;
    bool bar = std::fabs(x - 16) < 0.6 || std::fabs(y - 10) < 0.6 || std::fabs(x - 16) > 4 ||
               y < 6 || y > 14;
    px = bar ? Px{kBrown, 5} : Px{kGold, 22};  // warm light behind the panes
    return true;
  });
  Face(c, kFace2Door, theme, wall2, grass);
  c.Over(kFace2Door, [](double x, double y, Px& px) {
    if (std::fabs(x - 16) > 6 || y < 5 || y > 21) return false;
    px = {kBrown, 8 + (std::fmod(x, 3.0) < 0.8 ? -3 : 0) + (std::fabs(x - 16) > 5 ? 4 : 0)};
    if (std::fabs(x - 19.5) < 1 && std::fabs(y - 14) < 1) px = {kGold, 24};
    return true;
  });
  Face(c, kFace2OnFamily, theme, wall2, Foot::kFamily);
  Surface cliff = [theme](double x, double y) {
    return WallFace(theme == Theme::kCastle || theme == Theme::kBasic ? Theme::kRiver : theme, x,
                    y);
  };
  Face(c, kFaceCliff, theme, cliff, grass);
  Face(c, kFaceCliffWater, theme, cliff, Foot::kWater);
}

}  // namespace torvel::forge
