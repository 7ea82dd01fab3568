// The worlds: every folder of content/worlds with a world.txt is compiled
// with its *.map files into the world file it names, and every map gets an
// overview picture in the preview folder.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "common/byte_io.h"
#include "common/png.h"
#include "forge/forge.h"
#include "forge/forge_files.h"
#include "forge/palette.h"
#include "forge/preview.h"
#include "forge/worlds/level_build.h"
#include "forge/worlds/level_preview.h"
#include "forge/worlds/world_sources.h"
#include "platform/paths.h"

namespace torvel::forge {

namespace {

bool ReadSource(const std::filesystem::path& path, const std::string& name, SourceFile& file,
                std::string& error) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path.string(), bytes, 8u << 20)) {
    error = name + ": cannot be read";
    return false;
  }
  file.name = name;
  file.text.assign(bytes.begin(), bytes.end());
  return true;
}

}  // namespace

bool ReadWorldSources(const std::string& worldsDir, std::vector<WorldSourceFiles>& worlds,
                      std::string& error) {
  namespace fs = std::filesystem;
  worlds.clear();
  std::error_code ec;
  std::vector<fs::path> folders;
  for (const auto& entry : fs::directory_iterator(worldsDir, ec)) {
    if (entry.is_directory() && fs::exists(entry.path() / "world.txt"))
      folders.push_back(entry.path());
  }
  if (ec) {
    error = worldsDir + ": " + ec.message();
    return false;
  }
  std::sort(folders.begin(), folders.end());
  for (const fs::path& folder : folders) {
    WorldSourceFiles w;
    const std::string prefix = folder.filename().string() + "/";
    if (!ReadSource(folder / "world.txt", prefix + "world.txt", w.world, error)) return false;
    std::vector<fs::path> maps;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
      if (entry.path().extension() == ".map") maps.push_back(entry.path());
    }
    if (ec) {
      error = folder.string() + ": " + ec.message();
      return false;
    }
    std::sort(maps.begin(), maps.end());
    for (const fs::path& m : maps) {
      SourceFile f;
      if (!ReadSource(m, prefix + m.filename().string(), f, error)) return false;
      w.maps.push_back(std::move(f));
    }
    worlds.push_back(std::move(w));
  }
  return true;
}

bool ForgeWorldFiles(const ForgeOptions& options, const std::vector<WorldSourceFiles>& sources,
                     const TilesetLookup& tilesets, std::string& error) {
  CompileOptions compile;
  compile.tilesets = tilesets;
  compile.pictureExists = [&](const std::string& name) {
    return FileExists(GameFilePath(options, "graphics\\" + name));
  };
  for (const WorldSourceFiles& source : sources) {
    CompiledWorld world;
    if (!CompileWorld(source.world, source.maps, compile, world, error)) return false;
    if (!WriteGameFile(options, world.fileName, CompiledWorldBytes(world))) {
      error = world.fileName + ": cannot be written";
      return false;
    }
    if (options.previewDir.empty()) continue;
    const std::string stem = world.fileName.substr(0, world.fileName.find('.'));
    for (int n = 0; n < world.world.mapCount; ++n) {
      char label[64];
      std::snprintf(label, sizeof label, "%s MAP %d", stem.c_str(), n);
      MapPreview p = RenderMapPreview(*world.world.maps[n], world.tileset, label);
      char name[64];
      std::snprintf(name, sizeof name, "world-%s-%02d", stem.c_str(), n);
      if (!WritePalettedPng(PreviewPath(options, name), p.pixels.data(), p.width, p.height, p.width,
                            GamePaletteBgrx().data())) {
        error = std::string(name) + ".png: cannot be written";
        return false;
      }
    }
  }
  return true;
}

bool ForgeWorlds(const ForgeOptions& options) {
  std::vector<WorldSourceFiles> sources;
  std::string error;
  if (!ReadWorldSources(std::string(TORVEL_CONTENT_DIR) + "/worlds", sources, error) ||
      !ForgeWorldFiles(options, sources, ForgedWorldTileset, error)) {
    std::fprintf(stderr, "forge: worlds: %s\n", error.c_str());
    return false;
  }
  return true;
}

}  // namespace torvel::forge
