// The forged tilesets, read back as the game reads pictures: every tileset
// carries the game palette and the layout the editor's auto-tile relies on,
// its surfaces repeat without seams, and its terrain table links frames and
// states the way play expects.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

#include "common/byte_io.h"
#include "forge/palette.h"
#include "forge/tilesets/tile_layout.h"
#include "forge/tilesets/tile_materials.h"
#include "forge/tilesets/tileset_builder.h"
#include "forged_data.h"
#include "gfx/bmp.h"

namespace torvel::forge {
namespace {

struct Tileset {
  BmpImage image;
  uint8_t At(int tile, int x, int y) const {
    return image.pixels[static_cast<size_t>(24 * (tile / 20) + y) * 640 + 32 * (tile % 20) + x];
  }
  Rgb Colour(int tile, int x, int y) const { return GamePalette()[At(tile, x, y)]; }
};

Tileset LoadTileset(Theme theme) {
  Tileset t;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadFileBytes(testing::GameFile("graphics/" + ThemeName(theme) + ".bmp"), bytes));
  EXPECT_TRUE(DecodeBmp8(bytes, t.image));
  return t;
}

const Theme kThemes[] = {Theme::kBasic, Theme::kRiver, Theme::kForest, Theme::kCastle,
                         Theme::kUnder};

double Luma(Rgb c) {
  return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
}

Rgb MeanColour(const Tileset& t, int tile) {
  double r = 0, g = 0, b = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 32; ++x) {
      Rgb c = t.Colour(tile, x, y);
      r += c.r;
      g += c.g;
      b += c.b;
    }
  return {static_cast<uint8_t>(r / 768), static_cast<uint8_t>(g / 768),
          static_cast<uint8_t>(b / 768)};
}

double Distance(Rgb a, Rgb b) {
  double dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return std::sqrt(dr * dr + dg * dg + db * db);
}

TEST(ForgedTilesets, PicturesCarryTheGamePalette) {
  for (Theme theme : kThemes) {
    Tileset t = LoadTileset(theme);
    EXPECT_EQ(t.image.width, 640) << ThemeName(theme);
    EXPECT_EQ(t.image.height, 480) << ThemeName(theme);
    EXPECT_EQ(t.image.palette, GamePaletteBgrx()) << ThemeName(theme);
  }
}

// Along every side an edge piece joins the ground family, its border looks
// like the family; along the others it looks like the base ground.
TEST(ForgedTilesets, EdgePiecesFollowTheAutoTileTable) {
  for (Theme theme : kThemes) {
    Tileset t = LoadTileset(theme);
    Rgb family = MeanColour(t, tile::kFamilyFirst), base = MeanColour(t, tile::kBase);
    ASSERT_GT(Distance(family, base), 20) << ThemeName(theme) << ": path and ground look alike";
    for (int piece = tile::kEdgeFirst; piece <= tile::kEdgeLast; ++piece) {
      EdgeShape shape = EdgeShapeOf(piece);
      int spilled = shape.sides | shape.corner;
      ASSERT_NE(spilled, 0) << piece;
      for (int side : {1, 2, 4, 8}) {
        // The middle of the side's border row or column.
        int familyLike = 0, count = 0;
        for (int k = 0; k < 32; ++k) {
          int x, y;
          // Far enough from the corners that strips along the neighbouring
          // sides do not reach.
          if (side == 1 || side == 4) {
            if (k < 10 || k > 14) continue;
            x = side == 1 ? 0 : 31;
            y = k;
          } else {
            if (k < 11 || k > 20) continue;
            x = k;
            y = side == 2 ? 0 : 23;
          }
          Rgb c = t.Colour(piece, x, y);
          familyLike += Distance(c, family) < Distance(c, base);
          ++count;
        }
        bool wantFamily = (shape.sides & side) != 0;
        double share = static_cast<double>(familyLike) / count;
        if (wantFamily) {
          EXPECT_GT(share, 0.75) << ThemeName(theme) << " piece " << piece << " side " << side;
        } else if (!shape.corner) {
          EXPECT_LT(share, 0.25) << ThemeName(theme) << " piece " << piece << " side " << side;
        }
      }
    }
  }
}

// Roof pieces are bordered only where no wall joins them.
TEST(ForgedTilesets, RoofPiecesFollowTheAutoTileTable) {
  for (Theme theme : kThemes) {
    Tileset t = LoadTileset(theme);
    for (int first : {tile::kAutoRoofFirst, tile::kRoof2First}) {
      int interior = first + (kAutoRoofs[15] - tile::kAutoRoofFirst);
      for (int mask = 0; mask < 16; ++mask) {
        int piece = first + (kAutoRoofs[mask] - tile::kAutoRoofFirst);
        for (int side : {1, 2, 4}) {  // the south rim falls to the face below
          // Mean difference from the interior piece over the three outer
          // rows or columns of the side's middle.
          double diff = 0;
          int n = 0;
          for (int depth = 0; depth < 3; ++depth)
            for (int k = 8; k < 16; ++k) {
              int x = side == 1 ? depth : (side == 4 ? 31 - depth : k + 4);
              int y = side == 2 ? depth : k;
              diff += std::abs(ShadeOf(t.At(interior, x, y)) - ShadeOf(t.At(piece, x, y)));
              ++n;
            }
          diff /= n;
          if (mask & side) {
            EXPECT_NEAR(diff, 0, 0.01) << ThemeName(theme) << " roof " << piece;
          } else {
            EXPECT_GT(diff, 3) << ThemeName(theme) << " roof " << piece << " lacks its rim on side "
                               << side;
          }
        }
      }
    }
  }
}

// A surface meets itself across its tile's edges as smoothly as it changes
// inside: the step between the last column and the first (and the last row
// and the first) is no bigger than the biggest step between neighbouring
// columns (rows) inside the tile. Mortar joints repeat inside too, so they
// pass; a break in the pattern at the edge does not.
TEST(ForgedTilesets, SurfacesRepeatWithoutSeams) {
  const int surfaces[] = {tile::kBase,       tile::kBaseSpeckle,    tile::kFamilyFirst,
                          tile::kWaterFirst, tile::kLavaFirst,      tile::kIceFirst,
                          tile::kMudFirst,   tile::kSnowFirst,      tile::kPavingFirst,
                          kAutoRoofs[15],    tile::kRoof2First + 15};
  for (Theme theme : kThemes) {
    Tileset t = LoadTileset(theme);
    for (int s : surfaces) {
      auto columnStep = [&](int a, int b) {
        double sum = 0;
        for (int y = 0; y < 24; ++y)
          sum += std::fabs(Luma(t.Colour(s, a, y)) - Luma(t.Colour(s, b, y)));
        return sum / 24;
      };
      auto rowStep = [&](int a, int b) {
        double sum = 0;
        for (int x = 0; x < 32; ++x)
          sum += std::fabs(Luma(t.Colour(s, x, a)) - Luma(t.Colour(s, x, b)));
        return sum / 32;
      };
      double widestColumn = 0, widestRow = 0;
      for (int x = 0; x < 31; ++x) widestColumn = std::max(widestColumn, columnStep(x, x + 1));
      for (int y = 0; y < 23; ++y) widestRow = std::max(widestRow, rowStep(y, y + 1));
      EXPECT_LE(columnStep(31, 0), widestColumn * 1.5 + 2) << ThemeName(theme) << " tile " << s;
      EXPECT_LE(rowStep(23, 0), widestRow * 1.5 + 2) << ThemeName(theme) << " tile " << s;
    }
  }
}

// The surfaces themselves repeat exactly with the tile, so any two tiles of
// one surface join without a break (pattern breaks inside, like the edge
// between two leaf clumps, are the pattern's own).
TEST(ForgedTilesets, SurfacesRepeatExactlyWithTheTile) {
  using SurfaceFn = Px (*)(Theme, double, double, int);
  struct Named {
    const char* what;
    SurfaceFn fn;
  };
  const Named surfaces[] = {
      {"base", [](Theme t, double x, double y, int v) { return BaseGround(t, x, y, v); }},
      {"family", [](Theme t, double x, double y, int v) { return FamilyGround(t, x, y, v); }},
      {"water", [](Theme t, double x, double y, int v) { return Water(t, x, y, v); }},
      {"lava", [](Theme, double x, double y, int v) { return Lava(x, y, v); }},
      {"ice", [](Theme, double x, double y, int v) { return Ice(x, y, v); }},
      {"mud", [](Theme, double x, double y, int v) { return Mud(x, y, v); }},
      {"snow", [](Theme, double x, double y, int v) { return Snow(x, y, v); }},
      {"paving", [](Theme t, double x, double y, int v) { return Paving(t, x, y, v); }},
      {"roof", [](Theme t, double x, double y, int) { return RoofTop(t, x, y); }},
      {"second roof", [](Theme t, double x, double y, int) { return RoofTop2(t, x, y); }},
      {"face", [](Theme t, double x, double y, int) { return WallFace(t, x, y); }},
      {"second face", [](Theme t, double x, double y, int) { return WallFace2(t, x, y); }},
      {"cycle", [](Theme t, double x, double y, int v) { return CycleFloor(t, x, y, v); }},
  };
  for (Theme theme : kThemes) {
    for (const Named& s : surfaces) {
      for (int v = 0; v < 4; ++v) {
        for (double y = 0.5; y < 24; y += 1) {
          for (double x : {0.5, 1.5, 30.5, 31.5}) {
            Px a = s.fn(theme, x, y, v), b = s.fn(theme, x + 32, y, v);
            ASSERT_EQ(a.ramp, b.ramp)
                << ThemeName(theme) << " " << s.what << " at " << x << "," << y;
            ASSERT_NEAR(a.shade, b.shade, 1e-9) << ThemeName(theme) << " " << s.what;
          }
        }
        // Faces only repeat across: they are one tile high.
        if (std::string(s.what).find("face") != std::string::npos) continue;
        for (double x = 0.5; x < 32; x += 1) {
          for (double y : {0.5, 23.5}) {
            Px a = s.fn(theme, x, y, v), b = s.fn(theme, x, y + 24, v);
            ASSERT_EQ(a.ramp, b.ramp)
                << ThemeName(theme) << " " << s.what << " at " << x << "," << y;
            ASSERT_NEAR(a.shade, b.shade, 1e-9) << ThemeName(theme) << " " << s.what;
          }
        }
      }
    }
  }
}

// Tiles the layout gives a use hold art; free ones may stay black; only
// see-through roofs and the pit have holes (colour 0).
TEST(ForgedTilesets, LaidOutTilesHoldArt) {
  for (Theme theme : kThemes) {
    Tileset t = LoadTileset(theme);
    TerrainTable terrain = TilesetTerrain(theme);
    auto used = [](int n) {
      return n <= 124 || (n >= tile::kLavaBankFirst && n < tile::kLavaBankFirst + 12) ||
             (n >= tile::kRoof2First && n <= 199) ||
             (n >= tile::kFace && n <= tile::kFaceCliffWater);
    };
    for (int n = 0; n < 400; ++n) {
      if (!used(n)) continue;
      int holes = 0;
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x) holes += t.At(n, x, y) == 0;
      bool seeThrough = n < 200 && (terrain[n].flags & kTerrainTransparentRoof);
      if (seeThrough) {
        EXPECT_GT(holes, 40) << ThemeName(theme) << " tile " << n << " is not see-through";
        EXPECT_LT(holes, 700) << ThemeName(theme) << " tile " << n << " is empty";
      } else {
        EXPECT_EQ(holes, 0) << ThemeName(theme) << " tile " << n;
      }
    }
  }
}

// The terrain tables: frames animate round in four steps and look like
// what they are; states change into states that exist; a pushed block
// leaves a floor another block may be pushed onto.
TEST(ForgedTilesets, TerrainLinksAndLooksAgree) {
  for (Theme theme : kThemes) {
    Tileset t = LoadTileset(theme);
    TerrainTable terrain = TilesetTerrain(theme);
    for (int n = 0; n < 200; ++n) {
      const TerrainEntry& e = terrain[n];
      if (e.flags & kTerrainAnimates) {
        int at = n, steps = 0;
        do {
          ASSERT_TRUE(terrain[at].flags & kTerrainAnimates) << ThemeName(theme) << " " << n;
          at = terrain[at].next;
        } while (at != n && ++steps < 8);
        EXPECT_EQ(steps, 3) << ThemeName(theme) << " cycle of " << n;
      }
      if (e.flags & kTerrainPushable) {
        EXPECT_TRUE(terrain[e.next].flags & kTerrainCanBePushedOn) << ThemeName(theme) << " " << n;
      }
      // A floor that gives way underfoot never leaves the hero standing in
      // a cell it cannot leave: what it turns into is walkable, or a hole
      // the hero falls into (the map starts again).
      if (e.flags & kTerrainStepChanges) {
        uint16_t next = terrain[e.next].flags;
        EXPECT_TRUE(!(next & kTerrainImpassable) || (next & (kTerrainWater | kTerrainLava)))
            << ThemeName(theme) << " " << n << " turns into " << int{e.next};
      }
      // Pools look like water or fire (a pit is a hole, not a pool).
      if ((e.flags & (kTerrainWater | kTerrainLava)) && !(e.flags & kTerrainImpassable)) {
        int ramp = RampOf(t.At(n, 16, 12));
        bool looks = (e.flags & kTerrainWater) ? (ramp == kBlue || ramp == kIce || ramp == kGreen)
                                               : (ramp == kRed || ramp == kGold);
        EXPECT_TRUE(looks) << ThemeName(theme) << " " << n;
      }
    }
    // The fixed numbers the game's rules use.
    EXPECT_EQ(terrain[tile::kLever].next, tile::kLeverPressed);
    EXPECT_TRUE(terrain[tile::kLever].flags & kTerrainStepChanges);
    EXPECT_EQ(terrain[64].next, 65);
    EXPECT_EQ(terrain[65].next, 64);
    EXPECT_TRUE(terrain[64].flags & kTerrainStepChanges);
    EXPECT_TRUE(terrain[65].flags & kTerrainStepChanges);
    EXPECT_EQ(terrain[35].flags & kTerrainImpassable, 0);
    EXPECT_EQ(terrain[63].flags & kTerrainImpassable, 0);
    // Frames of one animation differ, but only a little.
    for (int first : {tile::kWaterFirst, tile::kLavaFirst, tile::kCycleFirst}) {
      for (int k = 0; k < 4; ++k) {
        int a = first + k, b = first + (k + 1) % 4, changed = 0;
        for (int y = 0; y < 24; ++y)
          for (int x = 0; x < 32; ++x) changed += t.At(a, x, y) != t.At(b, x, y);
        EXPECT_GT(changed, 30) << ThemeName(theme) << " frames " << a << ", " << b;
      }
    }
  }
}

}  // namespace
}  // namespace torvel::forge

namespace torvel::forge {
namespace {

// The names level sources use for the layout's floors and walls: each once,
// each on a tile with art, and the ones with a rule on the tile the rule
// expects.
TEST(ForgedTilesets, NamesPointAtTheirTiles) {
  std::set<std::string> seen;
  TerrainTable terrain = LayoutTerrain();
  std::map<std::string, int> floors, walls;
  for (const auto& [name, floor] : LayoutFloorNames()) {
    EXPECT_TRUE(seen.insert("floor " + name).second) << name;
    ASSERT_GE(floor, 0);
    ASSERT_LT(floor, 200);
    floors[name] = floor;
  }
  for (const auto& [name, wall] : LayoutWallNames()) {
    EXPECT_TRUE(seen.insert("wall " + name).second) << name;
    ASSERT_GE(wall, 1);
    ASSERT_LE(wall, 200);
    walls[name] = wall;
  }
  EXPECT_EQ(floors.at("ground"), 0);
  EXPECT_EQ(floors.at("path"), 5);
  EXPECT_EQ(floors.at("lever"), 59);
  EXPECT_EQ(floors.at("lever-pressed"), 60);
  EXPECT_EQ(floors.at("revealed"), 63);
  EXPECT_EQ(floors.at("pattern-dark"), 64);
  EXPECT_EQ(floors.at("pattern-lit"), 65);
  EXPECT_TRUE(terrain[floors.at("water")].flags & kTerrainWater);
  EXPECT_TRUE(terrain[floors.at("lava-3")].flags & kTerrainLava);
  EXPECT_TRUE(terrain[floors.at("ice")].flags & kTerrainIcy);
  EXPECT_TRUE(terrain[floors.at("block-top")].flags & kTerrainPushable);
  EXPECT_TRUE(terrain[floors.at("canopy")].flags & kTerrainTransparentRoof);
  EXPECT_EQ(walls.at("wall"), 1);
  EXPECT_EQ(walls.at("wall-on-path"), 2);
  Tileset t = LoadTileset(Theme::kRiver);
  for (const auto& [name, wall] : walls) {
    int holes = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 32; ++x) holes += t.At(199 + wall, x, y) == 0;
    EXPECT_EQ(holes, 0) << name;
  }
  Theme theme;
  ASSERT_TRUE(ThemeFromName("castle", theme));
  EXPECT_EQ(theme, Theme::kCastle);
  EXPECT_FALSE(ThemeFromName("moon", theme));
}

}  // namespace
}  // namespace torvel::forge
