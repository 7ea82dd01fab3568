// The surfaces tiles are painted with, per world. Every surface is a
// function of a pixel's place inside its tile (x 0..32, y 0..24) that repeats
// with the tile, so that any tile of a surface meets any other on every side.
#pragma once

#include <cstdint>
#include <string>

namespace torvel::forge {

enum class Theme { kBasic, kRiver, kForest, kCastle, kUnder };

struct Px {
  int ramp = 0;
  double shade = 0;
  Px() = default;
  // Any number will do for a shade (whole shades are common in the tables).
  template <typename Shade>
  Px(int r, Shade s) : ramp(r), shade(static_cast<double>(s)) {}
};

// The base ground ("outside"); variant picks a speckle (0, 1 alike; others
// may carry more).
Px BaseGround(Theme theme, double x, double y, int variant);
// The ground family (path, sand, carpet, gravel); variant 0..11.
Px FamilyGround(Theme theme, double x, double y, int variant);
// Water and lava, frame 0..3 of their animation (the pattern drifts a
// quarter of a tile per frame, so frame 3 leads back into frame 0).
Px Water(Theme theme, double x, double y, int frame);
Px Lava(double x, double y, int frame);
Px LavaCrust(double x, double y, int variant);
Px Ice(double x, double y, int variant);
Px Mud(double x, double y, int variant);
Px Snow(double x, double y, int variant);
Px Paving(Theme theme, double x, double y, int variant);
Px IndoorFloor(Theme theme, double x, double y, int variant);
// The top of a wall (roof) and the second roof family, without rims.
Px RoofTop(Theme theme, double x, double y);
Px RoofTop2(Theme theme, double x, double y);
// A wall face and the second material's face, without foot or ledge.
Px WallFace(Theme theme, double x, double y);
Px WallFace2(Theme theme, double x, double y);
// The world's second animated floor, frame 0..3.
Px CycleFloor(Theme theme, double x, double y, int frame);

// How far the ground family reaches into an edge piece (pixels) and how
// ragged its border is.
double FamilySpill(Theme theme);
double FamilyRagged(Theme theme);

// File name of the tileset picture ("basicTiles", "river", ...), and the
// theme of such a name (false when there is none).
std::string ThemeName(Theme theme);
bool ThemeFromName(const std::string& name, Theme& theme);

}  // namespace torvel::forge
