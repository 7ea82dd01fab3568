#include "forge/forge.h"

#include <cstdio>
#include <filesystem>

namespace torvel::forge {

bool ForgeAll(const ForgeOptions& options) {
  std::error_code ec;
  std::filesystem::create_directories(options.outDir + "/graphics", ec);
  if (!ec) std::filesystem::create_directories(options.outDir + "/sound", ec);
  if (!ec && !options.previewDir.empty())
    std::filesystem::create_directories(options.previewDir, ec);
  if (ec) {
    std::fprintf(stderr, "forge: cannot create %s: %s\n", options.outDir.c_str(),
                 ec.message().c_str());
    return false;
  }
  using Part = bool (*)(const ForgeOptions&);
  const Part parts[] = {ForgePalette,   ForgePictures, ForgeTilesets, ForgeFonts,  ForgeSpriteSets,
                        ForgeCreatures, ForgeSounds,   ForgeMovies,   ForgeWorlds, ForgeIcons};
  for (Part part : parts) {
    if (!part(options)) return false;
  }
  return true;
}

}  // namespace torvel::forge
