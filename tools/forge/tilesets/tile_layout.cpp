#include "forge/tilesets/tile_layout.h"

namespace torvel::forge {

EdgeShape EdgeShapeOf(int t) {
  for (int mask = 1; mask < 16; ++mask)
    if (kAutoEdges[mask] == t) return {mask, 0};
  if (t == kCornerNorthWest) return {0, 1 | 2};
  if (t == kCornerSouthWest) return {0, 1 | 8};
  if (t == kCornerNorthEast) return {0, 4 | 2};
  if (t == kCornerSouthEast) return {0, 4 | 8};
  return {};
}

int RoofJoinsOf(int t) {
  for (int mask = 0; mask < 16; ++mask)
    if (kAutoRoofs[mask] == t) return mask;
  return 15;
}

TerrainTable LayoutTerrain() {
  using namespace tile;
  TerrainTable t{};
  auto set = [&](int i, uint16_t flags, int next = 0) {
    t[i].flags = flags;
    t[i].next = static_cast<uint8_t>(next);
  };
  for (int k = 0; k < 4; ++k) {
    set(kWaterFirst + k, kTerrainWater | kTerrainAnimates, kWaterFirst + (k + 1) % 4);
    set(kLavaFirst + k, kTerrainLava | kTerrainAnimates, kLavaFirst + (k + 1) % 4);
    set(kIceFirst + k, kTerrainIcy);
    set(kMudFirst + k, kTerrainMuddy);
  }
  // The second animated floor: water in the river and the forest's swamp,
  // lava in the underworld's pools, plain floor in the castle (set by the
  // theme; here the animation only).
  for (int k = 0; k < 4; ++k) set(kCycleFirst + k, kTerrainAnimates, kCycleFirst + (k + 1) % 4);
  set(kLever, kTerrainStepChanges, kLeverPressed);
  set(kPlate, kTerrainStepChanges, kPlatePressed);
  set(kPatternDark, kTerrainStepChanges, kPatternLit);
  set(kPatternLit, kTerrainStepChanges, kPatternDark);
  set(kCracked, kTerrainStepChanges, kPit);
  // A pit swallows whoever stands on it when it opens: it is deep water to
  // the rules (the hero falls and the map starts again), so that it never
  // holds the hero in place for good; walkers keep out of it as before.
  set(kPit, kTerrainImpassable | kTerrainWater);
  set(kBlockTop, kTerrainPushable, kBlockTrack);
  set(kBlockTop2, kTerrainPushable, kBlockTrack);
  set(kBlockTrack, kTerrainCanBePushedOn);
  set(kBlockSocket, kTerrainCanBePushedOn);
  set(kChasm, kTerrainImpassable);
  for (int k = kCanopy; k <= kLampTop; ++k) set(k, kTerrainTransparentRoof);
  return t;
}

std::vector<std::pair<std::string, int>> LayoutFloorNames() {
  using namespace tile;
  std::vector<std::pair<std::string, int>> names;
  auto one = [&](const char* name, int floor) { names.emplace_back(name, floor); };
  auto run = [&](const char* name, int first, int count) {
    for (int k = 0; k < count; ++k)
      names.emplace_back(
          k == 0 ? std::string(name) : std::string(name) + "-" + std::to_string(k + 1), first + k);
  };
  const char* const kSides[12] = {"n",  "e",  "s",         "w",         "ne",        "se",
                                  "sw", "nw", "corner-ne", "corner-se", "corner-sw", "corner-nw"};
  one("ground", kBase);
  one("ground-speckle", kBaseSpeckle);
  one("ground-stones", 2);
  one("ground-patch", 3);
  one("ground-tufts", 4);
  run("path", kFamilyFirst, kFamilyLast - kFamilyFirst + 1);
  run("water", kWaterFirst, 4);
  for (int k = 0; k < 12; ++k)
    names.emplace_back(std::string("bank-") + kSides[k], kWaterBankFirst + k);
  run("lava", kLavaFirst, 4);
  run("crust", kCrustFirst, 3);
  one("lever", kLever);
  one("lever-pressed", kLeverPressed);
  one("plate", kPlate);
  one("plate-pressed", kPlatePressed);
  one("revealed", kRevealedFloor);
  one("pattern-dark", kPatternDark);
  one("pattern-lit", kPatternLit);
  one("cracked", kCracked);
  one("pit", kPit);
  run("ice", kIceFirst, 4);
  run("mud", kMudFirst, 4);
  one("block-top", kBlockTop);
  one("block-track", kBlockTrack);
  one("block-socket", kBlockSocket);
  one("block-top-2", kBlockTop2);
  one("doorstep", kDoorstep);
  run("indoor", kIndoorFirst, 4);
  one("rug", kRugMiddle);
  one("rug-top", kRugTop);
  one("rug-bottom", kRugBottom);
  const char* const kDecor[8] = {"flowers", "bones",  "puddle", "cracks",
                                 "moss",    "leaves", "stones", "grate"};
  for (int k = 0; k < 8; ++k) one(kDecor[k], kDecorFirst + k);
  run("cycle", kCycleFirst, 4);
  one("bridge-across", kBridgeAcross);
  one("bridge-along", kBridgeAlong);
  one("bridge-across-end", kBridgeAcrossEnd);
  one("bridge-along-end", kBridgeAlongEnd);
  run("paving", kPavingFirst, 8);
  run("snow", kSnowFirst, 4);
  run("snowy-ground", kSnowyBaseFirst, 4);
  one("chasm", kChasm);
  const char* const kRims[4] = {"chasm-rim-n", "chasm-rim-e", "chasm-rim-s", "chasm-rim-w"};
  for (int k = 0; k < 4; ++k) one(kRims[k], kChasmRimFirst + k);
  for (int k = 0; k < 12; ++k)
    names.emplace_back(std::string("lava-bank-") + kSides[k], kLavaBankFirst + k);
  one("roof", kAutoRoofs[15]);
  one("roof-2", kRoof2First + (kAutoRoofs[15] - kAutoRoofFirst));
  one("canopy", kCanopy);
  one("canopy-2", kCanopy2);
  one("bush-top", kBushTop);
  one("battlements", kBattlements);
  one("fence-top", kFenceTop);
  one("arch-top", kArchTop);
  one("pillar-top", kPillarTop);
  one("lamp-top", kLampTop);
  return names;
}

std::vector<std::pair<std::string, int>> LayoutWallNames() {
  using namespace tile;
  const std::pair<const char*, int> faces[] = {{"wall", kFace},
                                               {"wall-on-path", kFaceOnFamily},
                                               {"wall-cracked", kFaceCracked},
                                               {"wall-overgrown", kFaceOvergrown},
                                               {"wall-window", kFaceWindow},
                                               {"wall-banner", kFaceBanner},
                                               {"doorway", kFaceDoorway},
                                               {"block", kFaceBlock},
                                               {"block-2", kFaceBlock2},
                                               {"trunk", kFaceTrunk},
                                               {"fence", kFaceFence},
                                               {"battlement", kFaceBattlement},
                                               {"pillar", kFacePillar},
                                               {"house", kFace2},
                                               {"house-window", kFace2Window},
                                               {"house-door", kFace2Door},
                                               {"house-on-path", kFace2OnFamily},
                                               {"cliff", kFaceCliff},
                                               {"cliff-water", kFaceCliffWater}};
  std::vector<std::pair<std::string, int>> names;
  for (const auto& [name, face] : faces) names.emplace_back(name, face - 199);
  return names;
}

}  // namespace torvel::forge
