// Floors with a purpose: plates and levers, pushable blocks' tops and
// tracks, door areas, decorations, bridges and pits.
#include <algorithm>
#include <cmath>

#include "forge/paint/noise.h"
#include "forge/palette.h"
#include "forge/tilesets/tileset_builder.h"

namespace torvel::forge {

namespace {

// The plain floor plates and levers sit on.
Px PlateGround(Theme theme, double x, double y) {
  if (theme == Theme::kCastle || theme == Theme::kUnder) return Paving(theme, x, y, 0);
  return FamilyGround(theme, x, y, 0);
}

// A square plate in the middle of the tile: raised (lit rim up-left, shade
// down-right) or sunk (the other way round).
void Plate(TilesetCanvas& c, int t, double halfW, double halfH, bool raised, int ramp,
           double face) {
  c.Over(t, [&](double x, double y, Px& px) {
    double dx = x - 16, dy = y - 12;
    if (std::fabs(dx) > halfW || std::fabs(dy) > halfH) return false;
    double inW = halfW - std::fabs(dx), inH = halfH - std::fabs(dy);
    px = {ramp, face};
    if (inW < 1.5 || inH < 1.5) {
      bool upLeft = (inW < 1.5 && dx < 0) || (inH < 1.5 && dy < 0);
      px.shade += (upLeft == raised) ? 4 : -4;
    }
    return true;
  });
}

void Lever(TilesetCanvas& c, int t, Theme theme, bool pressed) {
  c.Fill(t, [&](double x, double y) { return PlateGround(theme, x, y); });
  Plate(c, t, 7, 5, false, kGrey, 6);
  // The handle leans one way, then the other; its knob is gold.
  double lean = pressed ? 0.8 : -0.8;
  for (double s = 0; s <= 10; s += 0.25) {
    int x = static_cast<int>(std::floor(16 + lean * s));
    int y = static_cast<int>(std::floor(14 - s));
    c.Set(t, x, y, {kGrey, 14 + (lean < 0 ? 2 : -1)});
    c.Set(t, x + 1, y, {kGrey, 8});
  }
  c.Pebble(t, 16 + lean * 10.5, 3.5, 1.8, kGold, 24);
  if (pressed)
    c.Pebble(t, 16, 15, 1.4, kGreen, 24);  // a lamp lights in the socket
  else
    c.Pebble(t, 16, 15, 1.4, kRed, 18);
}

void PatternPlate(TilesetCanvas& c, int t, Theme theme, bool lit) {
  c.Fill(t, [&](double x, double y) { return PlateGround(theme, x, y); });
  Plate(c, t, 12, 9, true, lit ? kGold : kGrey, lit ? 18 : 7);
  // A rune on the plate, glowing on the lit one.
  c.Over(t, [&](double x, double y, Px& px) {
    double dx = x - 16, dy = (y - 12) * 1.3;
    double r = std::sqrt(dx * dx + dy * dy);
    bool mark = std::fabs(r - 6) < 0.8 || (r < 6 && std::fabs(dx) < 0.7);
    if (!mark) return false;
    px = lit ? Px{kGold, 30} : Px{kGrey, 3};
    return true;
  });
}

// A wooden crate's top, or a carved stone block's in the castle and below.
void BlockTop(TilesetCanvas& c, int t, Theme theme, bool second) {
  bool stone = theme == Theme::kCastle || theme == Theme::kUnder || second;
  c.Fill(t, [&](double x, double y) {
    double dx = std::min(x, 32 - x), dy = std::min(y, 24 - y);
    double edge = std::min(dx, dy);
    if (stone) {
      double shade = 15 + 2 * Fbm(x / 4, y / 4, 8, 6, 2, 901) - (second ? 2 : 0);
      if (edge < 2) shade += (x < 16 && dx < 2) || (y < 12 && dy < 2) ? 4 : -4;
      if (second && std::fabs(std::fabs(x - 16) - 7) < 0.8 && std::fabs(y - 12) < 7) shade -= 5;
      if (second && std::fabs(std::fabs(y - 12) - 7) < 0.8 && std::fabs(x - 16) < 7) shade -= 5;
      return Px{kGrey, shade};
    }
    double shade = 14 + 3 * Fbm(x / 8, y / 2, 4, 12, 2, 903);
    if (std::fmod(y, 6.0) < 1) shade = 5;
    if (edge < 2.5) shade = 18 + ((x < 16 && dx < 2.5) || (y < 12 && dy < 2.5) ? 3 : -4);
    return Px{kBrown, shade};
  });
}

void Decoration(TilesetCanvas& c, int t, Theme theme, int which) {
  c.Fill(t, [&](double x, double y) { return BaseGround(theme, x, y, which); });
  Rng rng(950 + which);
  switch (which) {
    case 0:  // flowers
      for (int k = 0; k < 6; ++k) {
        const int ramps[4] = {kGold, kViolet, kGrey, kRed};
        double x = rng.Range(5, 27), y = rng.Range(5, 19);
        c.Tuft(t, x, y + 2, 3, kGreen, 14);
        c.Pebble(t, x, y, 1.3, ramps[k % 4], 26);
      }
      break;
    case 1:  // bones
      for (int k = 0; k < 3; ++k) {
        double x = rng.Range(8, 24), y = rng.Range(6, 18), a = rng.Range(0, kPi);
        for (double s = -4; s <= 4; s += 0.5)
          c.Set(t, static_cast<int>(x + s * Cos(a)), static_cast<int>(y + s * Sin(a) * 0.7),
                {kBrown, 26});
        c.Pebble(t, x + 4 * Cos(a), y + 2.8 * Sin(a), 1.2, kBrown, 27);
        c.Pebble(t, x - 4 * Cos(a), y - 2.8 * Sin(a), 1.2, kBrown, 27);
      }
      break;
    case 2:  // a puddle
      c.Over(t, [&](double x, double y, Px& px) {
        double dx = (x - 16) / 10, dy = (y - 12) / 6;
        double n = Fbm(x / 4, y / 4, 8, 6, 2, 961);
        if (dx * dx + dy * dy > 0.8 + 0.4 * n) return false;
        px = {kBlue, 8 + 4 * n + (dy < -0.3 ? 4 : 0)};
        return true;
      });
      break;
    case 3:  // cracks
      c.Crack(t, {3, 5}, {29, 16}, 971, 2);
      c.Crack(t, {12, 21}, {20, 9}, 973, 2);
      break;
    case 4:  // moss
      c.Over(t, [&](double x, double y, Px& px) {
        double n = Fbm(x / 4, y / 4, 8, 6, 3, 981);
        if (n < 0.55) return false;
        px = {kGreen, 6 + 10 * (n - 0.55)};
        return true;
      });
      break;
    case 5:  // fallen leaves
      for (int k = 0; k < 7; ++k) {
        const int ramps[3] = {kGold, kRed, kBrown};
        c.Pebble(t, rng.Range(4, 28), rng.Range(4, 20), rng.Range(1.2, 2), ramps[k % 3], 18);
      }
      break;
    case 6:  // stones
      for (int k = 0; k < 5; ++k)
        c.Pebble(t, rng.Range(5, 27), rng.Range(5, 19), rng.Range(1.5, 3), kGrey, 15);
      break;
    default:  // a drain grate
      c.Over(t, [&](double x, double y, Px& px) {
        double dx = std::fabs(x - 16), dy = std::fabs(y - 12);
        if (dx > 8 || dy > 6) return false;
        bool bar = std::fmod(x, 3.0) < 1.2 || dx > 7 || dy > 5;
        px = bar ? Px{kGrey, dx > 7 || dy > 5 ? 16 : 11} : Px{kGrey, 1};
        return true;
      });
      break;
  }
}

void Bridge(TilesetCanvas& c, int t, bool across, bool end) {
  c.Fill(t, [&](double x, double y) {
    double along = across ? x : y, cross = across ? y : x, width = across ? 24 : 32;
    double board = std::fmod(along, 5.0);
    double grain = Fbm(x / 8, y / 2, 4, 12, 2, 1001 + static_cast<int>(along / 5));
    Px p{kBrown, 11 + 4 * grain};
    if (board < 1) p.shade = 4;
    if (cross < 3 || cross > width - 3) p = {kBrown, cross < 3 ? 16 : 7};        // the rails
    if (end && along < 4 && (cross < 4 || cross > width - 4)) p = {kBrown, 18};  // posts
    return p;
  });
}

void Pit(TilesetCanvas& c, int t, Theme theme, int openSide) {
  // openSide: 0 the whole tile is the pit; else the pit lies beyond that
  // side (west 1, north 2, east 4, south 8) and this tile is its rim.
  c.Fill(t, [&](double x, double y) {
    if (openSide == 0) {
      double depth = y / 24;
      return Px{kGrey, std::max(1.0, 3 - 3 * depth)};
    }
    double d = openSide == 1 ? x : openSide == 2 ? y : openSide == 4 ? 32 - x : 24 - y;
    d -= 1.5 * SideBump(openSide & 5 ? y : x, openSide & 5 ? 24 : 32, 1011 + openSide);
    if (d < 5) return Px{kGrey, 1};
    if (d < 7) return Px{kBrown, 4};
    return BaseGround(theme, x, y, 0);
  });
}

}  // namespace

void PaintSpecialFloors(TilesetCanvas& c, Theme theme) {
  using namespace tile;
  Lever(c, kLever, theme, false);
  Lever(c, kLeverPressed, theme, true);
  c.Fill(kPlate, [&](double x, double y) { return PlateGround(theme, x, y); });
  Plate(c, kPlate, 9, 7, true, kGrey, 15);
  c.Fill(kPlatePressed, [&](double x, double y) { return PlateGround(theme, x, y); });
  Plate(c, kPlatePressed, 9, 7, false, kGrey, 9);
  c.Fill(kRevealedFloor, [&](double x, double y) {
    Px p = Paving(theme, x, y, 5);
    if (Fbm(x / 4, y / 4, 8, 6, 2, 1021) > 0.6) p.shade -= 2;  // dust where the wall stood
    return p;
  });
  PatternPlate(c, kPatternDark, theme, false);
  PatternPlate(c, kPatternLit, theme, true);
  c.Fill(kCracked, [&](double x, double y) { return Paving(theme, x, y, 1); });
  c.Crack(kCracked, {4, 4}, {28, 20}, 1031, 2);
  c.Crack(kCracked, {26, 3}, {8, 21}, 1033, 2);
  c.Crack(kCracked, {16, 2}, {15, 22}, 1035, 2);
  c.Fill(kPit, [&](double x, double y) {
    double dx = (x - 16) / 13, dy = (y - 12) / 10;
    double n = Fbm(x / 4, y / 4, 8, 6, 2, 1037);
    double d = dx * dx + dy * dy + 0.3 * (n - 0.5);
    if (d < 0.8) return Px{kGrey, 1 + std::max(0.0, -dy) * 2};
    Px p = Paving(theme, x, y, 1);
    if (d < 1.0) p.shade -= 4;
    return p;
  });
  BlockTop(c, kBlockTop, theme, false);
  BlockTop(c, kBlockTop2, theme, true);
  c.Fill(kBlockTrack, [&](double x, double y) {
    Px p = Paving(theme, x, y, 2);
    if (std::fabs(y - 7) < 0.6 || std::fabs(y - 17) < 0.6) p.shade -= 3;  // scrape marks
    return p;
  });
  c.Fill(kBlockSocket, [&](double x, double y) { return Paving(theme, x, y, 3); });
  Plate(c, kBlockSocket, 12, 9, false, kGrey, 7);
  c.Fill(kDoorstep, [&](double x, double y) {
    Px p = Paving(theme, x, y, 0);
    if (y < 4) p = IndoorFloor(theme, x, y, 0);
    return p;
  });
  for (int k = 0; k < 4; ++k)
    c.Fill(kIndoorFirst + k, [&](double x, double y) { return IndoorFloor(theme, x, y, k); });
  c.Over(kIndoorFirst + 3, [](double x, double y, Px& px) {  // a mat
    if (std::fabs(x - 16) > 10 || std::fabs(y - 12) > 7) return false;
    px = {kGreen, (static_cast<int>(x + y) % 3 == 0) ? 7.0 : 9.0};
    if (std::fabs(x - 16) > 9 || std::fabs(y - 12) > 6) px.shade = 12;
    return true;
  });
  for (int k = 0; k < 3; ++k) {
    c.Fill(kRugMiddle + k, [&](double x, double y) {
      Px p{kRed, 10 + ((static_cast<int>(x) / 4 + static_cast<int>(y) / 4) % 2 ? 1.5 : 0)};
      double border = k == 1 ? y : (k == 2 ? 24 - y : 99);
      if (border < 3)
        p = {kGold, 16};
      else if (border < 5)
        p = {kRed, 6};
      return p;
    });
  }
  for (int k = 0; k < 8; ++k) Decoration(c, kDecorFirst + k, theme, k);
  Bridge(c, kBridgeAcross, true, false);
  Bridge(c, kBridgeAlong, false, false);
  Bridge(c, kBridgeAcrossEnd, true, true);
  Bridge(c, kBridgeAlongEnd, false, true);
  Pit(c, kChasm, theme, 0);
  const int rims[4] = {8, 1, 2, 4};  // seen from the north: the pit lies south
  for (int k = 0; k < 4; ++k) Pit(c, kChasmRimFirst + k, theme, rims[k]);
}

}  // namespace torvel::forge
