// The tilesets: "graphics\basicTiles.bmp" (the editor's default) and one per
// world, all in the game palette and the common layout of tile_layout.h.
// Beside each picture, a preview with the tile numbers and a text listing
// of its terrain table.
#include <cstdio>
#include <string>

#include "common/byte_io.h"
#include "forge/forge.h"
#include "forge/forge_files.h"
#include "forge/palette.h"
#include "forge/preview.h"
#include "forge/tilesets/tileset_builder.h"
#include "forge/tilesets/tileset_scene.h"
#include "gfx/bmp.h"

namespace torvel::forge {

namespace {

// The tileset at twice its size with every tile's number in its corner.
bool WriteIndexMap(const ForgeOptions& options, const std::string& name,
                   const std::vector<uint8_t>& pixels) {
  std::string path = PreviewPath(options, name + "_map");
  if (path.empty()) return true;
  const int w = 1280, h = 960;
  std::vector<uint8_t> big(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) big[static_cast<size_t>(y) * w + x] = pixels[(y / 2) * 640 + x / 2];
  for (int t = 0; t < 400; ++t) {
    int x0 = TileX(t) * 2, y0 = TileY(t) * 2;
    for (int x = x0; x < x0 + 64; ++x) big[static_cast<size_t>(y0) * w + x] = Shade(kGrey, 6);
    for (int y = y0; y < y0 + 48; ++y) big[static_cast<size_t>(y) * w + x0] = Shade(kGrey, 6);
    std::string label = std::to_string(t);
    for (int y = y0 + 1; y < y0 + 8; ++y)
      for (int x = x0 + 1; x < x0 + 2 + 4 * static_cast<int>(label.size()); ++x)
        big[static_cast<size_t>(y) * w + x] = 0;
    DrawPreviewLabel(big, w, h, x0 + 2, y0 + 2, label, Shade(kGold, 28));
  }
  return WritePicturePreview(path, big, w, h, GamePaletteBgrx());
}

bool WriteTerrainListing(const ForgeOptions& options, const std::string& name,
                         const TerrainTable& table) {
  if (options.previewDir.empty()) return true;
  std::string text = "floor flags  next   (" + name + ")\n";
  static const char* kLabels[11] = {"Impassable",
                                    "Icy",
                                    "Muddy",
                                    "Water",
                                    "Lava",
                                    "Pushable",
                                    "Can be pushed on",
                                    "Animates to next",
                                    "Changes when stepped on",
                                    "Changes when damaged",
                                    "Transparent Roof"};
  for (int i = 0; i < 200; ++i) {
    if (!table[i].flags) continue;
    char line[64];
    std::snprintf(line, sizeof line, "%5d 0x%04x %4d  ", i, table[i].flags, table[i].next);
    text += line;
    for (int b = 0; b < 11; ++b)
      if (table[i].flags & (1 << b)) text += std::string(kLabels[b]) + "; ";
    text += "\n";
  }
  std::string path = options.previewDir + "/" + name + "_terrain.txt";
  std::vector<uint8_t> bytes(text.begin(), text.end());
  return WriteFileBytes(path, bytes);
}

}  // namespace

bool ForgeTilesets(const ForgeOptions& options) {
  for (Theme theme :
       {Theme::kBasic, Theme::kRiver, Theme::kForest, Theme::kCastle, Theme::kUnder}) {
    std::string name = ThemeName(theme);
    BmpImage image;
    image.width = 640;
    image.height = 480;
    image.palette = GamePaletteBgrx();
    image.pixels = BuildTileset(theme);
    if (!WriteGameFile(options, "graphics\\" + name + ".bmp", EncodeBmp8(image))) return false;
    if (!WritePicturePreview(PreviewPath(options, "tileset_" + name), image.pixels, 640, 480,
                             image.palette) ||
        !WriteIndexMap(options, "tileset_" + name, image.pixels) ||
        !WritePicturePreview(PreviewPath(options, "tileset_" + name + "_scene"),
                             RenderTilesetScene(image.pixels, TilesetTerrain(theme)), 640, 480,
                             image.palette) ||
        !WriteTerrainListing(options, "tileset_" + name, TilesetTerrain(theme)))
      return false;
  }
  return true;
}

}  // namespace torvel::forge
