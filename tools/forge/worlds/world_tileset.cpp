#include "forge/worlds/world_tileset.h"

#include <map>
#include <mutex>

#include "forge/tilesets/tile_layout.h"
#include "forge/tilesets/tile_materials.h"
#include "forge/tilesets/tileset_builder.h"

namespace torvel::forge {

namespace {

// Words for the places of the common tileset layout, so a legend says
// "floor water" rather than 36. Every world's tileset keeps the same places;
// what they look like is the world's own.
void AddLayoutNames(WorldTileset& t) {
  using namespace tile;
  t.floorNames = {
      {"ground", kBase},
      {"speckle", kBaseSpeckle},
      {"ground-stones", 2},
      {"ground-flowers", 3},
      {"ground-patch", 4},
      {"path", kFamilyFirst},
      {"path-rare", 9},
      {"passage", kEdgeLast},
      {"water", kWaterFirst},
      {"bank-n", kWaterBankFirst},
      {"bank-e", kWaterBankFirst + 1},
      {"bank-s", kWaterBankFirst + 2},
      {"bank-w", kWaterBankFirst + 3},
      {"lava", kLavaFirst},
      {"crust", kCrustFirst},
      {"crust2", kCrustFirst + 1},
      {"crust3", kCrustFirst + 2},
      {"lever", kLever},
      {"lever-down", kLeverPressed},
      {"plate", kPlate},
      {"plate-down", kPlatePressed},
      {"bare", kRevealedFloor},
      {"pattern", kPatternDark},
      {"pattern-lit", kPatternLit},
      {"cracked", kCracked},
      {"pit", kPit},
      {"ice", kIceFirst},
      {"ice2", kIceFirst + 1},
      {"ice-cracked", kIceFirst + 2},
      {"ice-snow", kIceFirst + 3},
      {"mud", kMudFirst},
      {"mud2", kMudFirst + 1},
      {"block-top", kBlockTop},
      {"track", kBlockTrack},
      {"socket", kBlockSocket},
      {"block-top2", kBlockTop2},
      {"doorstep", kDoorstep},
      {"indoor", kIndoorFirst},
      {"indoor2", kIndoorFirst + 1},
      {"indoor-worn", kIndoorFirst + 2},
      {"mat", kIndoorFirst + 3},
      {"rug", kRugMiddle},
      {"rug-top", kRugTop},
      {"rug-bottom", kRugBottom},
      {"flowers", kDecorFirst},
      {"bones", kDecorFirst + 1},
      {"puddle", kDecorFirst + 2},
      {"cracks", kDecorFirst + 3},
      {"moss", kDecorFirst + 4},
      {"leaves", kDecorFirst + 5},
      {"stones", kDecorFirst + 6},
      {"grate", kDecorFirst + 7},
      {"cycle", kCycleFirst},
      {"bridge", kBridgeAcross},
      {"bridge-along", kBridgeAlong},
      {"bridge-end", kBridgeAcrossEnd},
      {"bridge-along-end", kBridgeAlongEnd},
      {"paving", kPavingFirst},
      {"paving2", kPavingFirst + 1},
      {"paving-worn", kPavingFirst + 4},
      {"snow", kSnowFirst},
      {"snow2", kSnowFirst + 1},
      {"snowy", kSnowyBaseFirst},
      {"chasm", kChasm},
      {"roof2", kRoof2First + 15},
      {"canopy", kCanopy},
      {"canopy2", kCanopy2},
      {"bush-top", kBushTop},
      {"battlements", kBattlements},
      {"fence-top", kFenceTop},
      {"arch-top", kArchTop},
      {"pillar-top", kPillarTop},
      {"lamp-top", kLampTop},
      {"roof", kAutoRoofFirst + 15},
  };
  // Wall numbers: face tile - 199.
  t.wallNames = {
      {"wall", kFace - 199},
      {"wall-foot", kFaceOnFamily - 199},
      {"wall-cracked", kFaceCracked - 199},
      {"wall-overgrown", kFaceOvergrown - 199},
      {"wall-window", kFaceWindow - 199},
      {"wall-banner", kFaceBanner - 199},
      {"doorway", kFaceDoorway - 199},
      {"block", kFaceBlock - 199},
      {"block2", kFaceBlock2 - 199},
      {"trunk", kFaceTrunk - 199},
      {"fence", kFaceFence - 199},
      {"battlement", kFaceBattlement - 199},
      {"pillar", kFacePillar - 199},
      {"wall2", kFace2 - 199},
      {"wall2-window", kFace2Window - 199},
      {"wall2-door", kFace2Door - 199},
      {"wall2-foot", kFace2OnFamily - 199},
      {"cliff", kFaceCliff - 199},
      {"cliff-water", kFaceCliffWater - 199},
  };
}

bool ThemeByName(const std::string& name, Theme& theme) {
  for (Theme t : {Theme::kRiver, Theme::kForest, Theme::kCastle, Theme::kUnder, Theme::kBasic}) {
    if (ThemeName(t) == name) {
      theme = t;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ForgedWorldTileset(const std::string& name, WorldTileset& tileset, std::string& error) {
  Theme theme;
  if (!ThemeByName(name, theme)) {
    error = "the forge has no tileset named \"" + name +
            "\" (river, forest, castle, under, basicTiles)";
    return false;
  }
  // Painting a tileset takes a while; every world of a run asks once, tests
  // may ask again.
  static std::mutex mutex;
  static std::map<Theme, std::vector<uint8_t>> pictures;
  {
    std::lock_guard<std::mutex> lock(mutex);
    auto found = pictures.find(theme);
    if (found == pictures.end()) found = pictures.emplace(theme, BuildTileset(theme)).first;
    tileset.picture = found->second;
  }
  tileset.terrain = TilesetTerrain(theme);
  AddLayoutNames(tileset);
  return true;
}

}  // namespace torvel::forge
