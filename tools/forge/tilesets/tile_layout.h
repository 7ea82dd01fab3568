// The index map every tileset of the forge follows: the default tileset
// ("graphics\basicTiles.bmp") and the four worlds' ("graphics\river.bmp",
// "forest.bmp", "castle.bmp", "under.bmp"). Tile n is the 32 x 24 block at
// (32 * (n % 20), 24 * (n / 20)); 0..199 are floors (and roofs), 200..399
// wall faces (wall number w shows tile 199 + w).
//
// Floors
//   0, 1        base ground, two interchangeable speckles (a new map's floor)
//   2..4        base ground with a little more in it (stones, flowers, a patch)
//   5..8        the ground family (path, carpet, gravel): common pieces
//   9..16       the same family's rare pieces (auto-tile picks 1 in 6)
//   17..35      base ground with the family spilling in from the sides the
//               auto-tile table names (35: from all four; also the opened
//               passage of the last world's hub)
//   36..39      water, four frames that animate into each other
//   40..51      banks: base ground with water beyond it: 40 water to the north,
//               41 east, 42 south, 43 west; outer corners (water on two sides)
//               44 north+east, 45 south+east, 46 south+west, 47 north+west;
//               inner corners (water only across a corner) 48 north-east,
//               49 south-east, 50 south-west, 51 north-west
//   52..55      lava, four frames that animate into each other
//   56..58      cooled lava crust, safe to walk
//   59, 60      a lever plate, and the same pressed (59 turns into 60 when
//               stepped on; the castle's pattern lock also sets 60 itself)
//   61, 62      a pressure plate, and the same pressed (61 -> 62 when stepped on)
//   63          the plain floor found under walls that are taken away
//   64, 65      pattern plates, dark and lit, each turning into the other when
//               stepped on
//   66, 67      a cracked floor that gives way when stepped on, and the pit it
//               leaves (impassable)
//   68..71      ice (icy): two plain, one cracked, one dusted with snow
//   72..75      mud (muddy)
//   76          the top of a pushable block (stands under a wall of face 207);
//               when the block moves on, its old place becomes 77
//   77          the track a block slides on (blocks may be pushed onto it)
//   78          a socket plate for blocks (blocks may be pushed onto it)
//   79          the top of a second pushable block (face 208), leaving 77
//   80          a doorstep
//   81..84      indoor floor (door areas): 81, 82 plain, 83 worn, 84 with a mat
//   85..87      a rug: 85 its middle, 86 its upper edge, 87 its lower edge
//   88..95      base ground with something on it: 88 flowers, 89 bones,
//               90 a puddle, 91 cracks, 92 moss, 93 fallen leaves, 94 stones,
//               95 a drain grate
//   96..99      the world's second animated floor, four frames (the river's
//               current, the forest's swamp, the castle's glowing runes, the
//               underworld's boiling pool)
//   100, 101    a bridge across and along the map; 102, 103 their ends
//   104..111    a second ground without auto-tile pieces: paving, 104..107
//               plain, 108..111 with wear
//   112..115    snow; 116..119 snow on the base ground (icy-free)
//   120         a pit (impassable); 121..124 its rims seen from the north,
//               east, south and west side
//   125..136    lava banks, in the order of the water banks (125 lava to the
//               north ... 136 lava across the north-west corner)
//   137..159    free
//   160..175    a second set of roof pieces in the auto-tile's order (the piece
//               for mask m is 160 + the auto-tile roof's index - 184): timber,
//               thatch or rock, depending on the world
//   176..183    see-through roofs (colour 0 is a hole): 176, 177 a tree's
//               crown, 178 a bush top, 179 battlements, 180 a fence's top,
//               181 an arch's top, 182 a pillar's top, 183 a hanging lamp
//   184..199    roof pieces the auto-tile picks by the walls around (table in
//               kAutoRoofs)
// Wall faces (wall number in brackets)
//   200 (1)     the standard face, grass at its foot
//   201 (2)     the same with the ground family at its foot
//   202..205    (3..6) cracked, overgrown, with a window, with a banner
//   206 (7)     a dark doorway
//   207, 208    (8, 9) the two pushable blocks' faces
//   209 (10)    a tree trunk (under 176 or 177)
//   210 (11)    a fence (under 180)
//   211 (12)    a battlement's face (under 179)
//   212 (13)   a pillar (under 182)
//   213..216    (14..17) the second material's faces (under 160..175): plain,
//               with a window, with a door, with the ground family at its foot
//   217, 218    (18, 19) a cliff face, and one with water at its foot
//   219..399    free
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "world/world.h"

namespace torvel::forge {

namespace tile {
constexpr int kBase = 0, kBaseSpeckle = 1;
constexpr int kFamilyFirst = 5, kFamilyCommonLast = 8, kFamilyLast = 16;
constexpr int kEdgeFirst = 17, kEdgeLast = 35;
constexpr int kWaterFirst = 36;      // 4 frames
constexpr int kWaterBankFirst = 40;  // 12 pieces
constexpr int kLavaFirst = 52;       // 4 frames
constexpr int kCrustFirst = 56;      // 3 pieces
constexpr int kLever = 59, kLeverPressed = 60;
constexpr int kPlate = 61, kPlatePressed = 62;
constexpr int kRevealedFloor = 63;
constexpr int kPatternDark = 64, kPatternLit = 65;
constexpr int kCracked = 66, kPit = 67;
constexpr int kIceFirst = 68;  // 4 pieces
constexpr int kMudFirst = 72;  // 4 pieces
constexpr int kBlockTop = 76, kBlockTrack = 77, kBlockSocket = 78, kBlockTop2 = 79;
constexpr int kDoorstep = 80, kIndoorFirst = 81, kRugMiddle = 85, kRugTop = 86, kRugBottom = 87;
constexpr int kDecorFirst = 88;  // 8 pieces
constexpr int kCycleFirst = 96;  // 4 frames
constexpr int kBridgeAcross = 100, kBridgeAlong = 101, kBridgeAcrossEnd = 102,
              kBridgeAlongEnd = 103;
constexpr int kPavingFirst = 104;  // 8 pieces
constexpr int kSnowFirst = 112, kSnowyBaseFirst = 116;
constexpr int kChasm = 120, kChasmRimFirst = 121;
constexpr int kLavaBankFirst = 125;  // 12 pieces
constexpr int kRoof2First = 160;
constexpr int kCanopy = 176, kCanopy2 = 177, kBushTop = 178, kBattlements = 179, kFenceTop = 180,
              kArchTop = 181, kPillarTop = 182, kLampTop = 183;
constexpr int kAutoRoofFirst = 184;
constexpr int kFace = 200, kFaceOnFamily = 201, kFaceCracked = 202, kFaceOvergrown = 203,
              kFaceWindow = 204, kFaceBanner = 205, kFaceDoorway = 206, kFaceBlock = 207,
              kFaceBlock2 = 208, kFaceTrunk = 209, kFaceFence = 210, kFaceBattlement = 211,
              kFacePillar = 212, kFace2 = 213, kFace2Window = 214, kFace2Door = 215,
              kFace2OnFamily = 216, kFaceCliff = 217, kFaceCliffWater = 218;
}  // namespace tile

// The auto-tile's tables: the edge piece for a mask of family neighbours
// (west 1, north 2, east 4, south 8; entry 0 unused), the four corner-only
// pieces, and the roof piece for a mask of wall neighbours.
constexpr std::array<uint8_t, 16> kAutoEdges = {0,  18, 19, 27, 20, 34, 28, 30,
                                                17, 25, 33, 31, 26, 29, 32, 35};
constexpr uint8_t kCornerNorthWest = 24, kCornerSouthWest = 22, kCornerNorthEast = 23,
                  kCornerSouthEast = 21;
constexpr std::array<uint8_t, 16> kAutoRoofs = {188, 187, 185, 194, 186, 189, 193, 197,
                                                184, 192, 190, 198, 191, 195, 196, 199};

// Which sides of an edge piece (17..35) the family spills in from, as the
// auto-tile mask (west 1, north 2, east 4, south 8), or for the four
// corner-only pieces 0 with the corner in `corner` (the same bits, two set).
struct EdgeShape {
  int sides = 0;
  int corner = 0;
};
EdgeShape EdgeShapeOf(int tileIndex);

// Which sides of a roof piece (184..199) join other walls.
int RoofJoinsOf(int tileIndex);

// The terrain table a world should carry with a tileset of this layout:
// flags and `next` links of the 200 floor images.
using TerrainTable = std::array<TerrainEntry, 200>;
TerrainTable LayoutTerrain();

// Names for the layout's floor images (0..199) and wall numbers (1..200),
// one word each ("water", "bank-n", "lever", "wall", "house-door"), so that
// level sources and legends can say what they mean. Frames and pieces that
// come in runs are numbered from 1 ("water-2", "family-9").
std::vector<std::pair<std::string, int>> LayoutFloorNames();
std::vector<std::pair<std::string, int>> LayoutWallNames();

}  // namespace torvel::forge
