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
  set(kPit, kTerrainImpassable);
  set(kBlockTop, kTerrainPushable, kBlockTrack);
  set(kBlockTop2, kTerrainPushable, kBlockTrack);
  set(kBlockTrack, kTerrainCanBePushedOn);
  set(kBlockSocket, kTerrainCanBePushedOn);
  set(kChasm, kTerrainImpassable);
  for (int k = kCanopy; k <= kLampTop; ++k) set(k, kTerrainTransparentRoof);
  return t;
}

}  // namespace torvel::forge
