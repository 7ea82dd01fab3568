// Compiling a whole world: its maps numbered without gaps from 0, and the
// maps the game's rules single out (the hub, the final map, the arenas) fit
// for what the game does with them.
#include <algorithm>
#include <cstring>

#include "common/byte_io.h"
#include "forge/worlds/level_build.h"
#include "gfx/tiles.h"
#include "world/items.h"

namespace torvel::forge {

namespace {

constexpr int kHubMap = 1;
constexpr int kShopExit = 50;
constexpr int kArenaEntries = 10;  // the challenge fills up to 10 entries besides the hero

int CountItem(const Map& map, uint8_t item) {
  return static_cast<int>(std::count_if(map.tiles.begin(), map.tiles.end(),
                                        [&](const Tile& t) { return t.item == item; }));
}

bool CheckWorld(const WorldSource& source, const std::vector<const MapSource*>& bySlot,
                const World& world, std::string& error) {
  auto fail = [&](const SourceLocation& at, const std::string& what) {
    error = Where(at) + ": " + what;
    return false;
  };
  const int count = world.mapCount;
  if (count <= kHubMap)
    return fail(source.at, "the world has no map 1, the hub every world starts on");
  if (world.maps[kHubMap]->width < 64)
    return fail(bySlot[kHubMap]->at,
                "the hub must be 64 or 128 tiles square: roaming monsters only appear 400 pixels "
                "from the view");
  if (source.finalMap < 0) return fail(source.at, "the world file says no 'final N'");
  if (source.finalMap >= count)
    return fail(source.at, "final map " + std::to_string(source.finalMap) + " is not written");
  if (source.finalMap == kHubMap) return fail(source.at, "the hub cannot be the final map");
  for (int arena : source.arenas) {
    if (arena >= count)
      return fail(source.at, "arena map " + std::to_string(arena) + " is not written");
    if (arena == kHubMap || arena == source.finalMap)
      return fail(source.at, "map " + std::to_string(arena) + " cannot be an arena");
    const Map& m = *world.maps[arena];
    int others = 0;
    for (const MonsterStart& s : m.monsters) others += s.kind > 1;
    if (others < kArenaEntries)
      return fail(bySlot[arena]->at, "an arena needs at least " + std::to_string(kArenaEntries) +
                                         " monster starts besides the hero; it has " +
                                         std::to_string(others));
    if (CountItem(m, 1) == 0)
      return fail(bySlot[arena]->at,
                  "an arena needs an item power: the hero starts every map unable to shoot");
  }
  for (int i = 0; i < count; ++i) {
    const MapSource& ms = *bySlot[i];
    for (const SpecialSource& s : ms.specials) {
      if (s.gotoMap >= 0 && s.gotoMap >= count && s.gotoMap != kShopExit)
        return fail(s.at, "special \"" + s.name + "\" leads to map " + std::to_string(s.gotoMap) +
                              ", which the world does not have");
    }
    // Only the hub has exits to choose from and the shop's door.
    for (const RouteStep& step : ms.route) {
      if (step.op != RouteStep::kVisit && step.op != RouteStep::kShop) continue;
      const char* word = step.op == RouteStep::kVisit ? "'visit'" : "'shop'";
      if (i != kHubMap)
        return fail(step.at, std::string(word) + " belongs in the hub's route (map 1)");
      if (step.op == RouteStep::kVisit && (step.map >= count || step.map == kHubMap))
        return fail(step.at,
                    "'visit " + std::to_string(step.map) + "': " +
                        (step.map == kHubMap ? std::string("the hub visits other maps")
                                             : "the world has no map " + std::to_string(step.map)));
    }
    if (CountItem(*world.maps[i], 5) > 1)
      return fail(ms.at, "two spell scrolls on one map would learn and upgrade the spell at once");
  }
  return true;
}

}  // namespace

bool CompileWorld(const SourceFile& worldFile, const std::vector<SourceFile>& mapFiles,
                  const CompileOptions& options, CompiledWorld& out, std::string& error) {
  WorldSource source;
  if (!ParseWorldSource(worldFile, source, error)) return false;
  out = CompiledWorld{};
  out.fileName = source.fileName;
  out.finalMap = source.finalMap;
  out.arenas = source.arenas;
  if (!options.tilesets || !options.tilesets(source.tileset, out.tileset, error)) {
    if (error.empty()) error = "no tilesets to look \"" + source.tileset + "\" up in";
    error = worldFile.name + ": tileset \"" + source.tileset + "\": " + error;
    return false;
  }
  if (out.tileset.picture.size() != 640u * 480u) {
    error = worldFile.name + ": tileset \"" + source.tileset + "\" has no 640 x 480 picture";
    return false;
  }

  std::vector<MapSource> maps(mapFiles.size());
  std::vector<const MapSource*> bySlot(kMaxMaps, nullptr);
  for (size_t i = 0; i < mapFiles.size(); ++i) {
    if (!ParseMapSource(mapFiles[i], source, maps[i], error)) return false;
    const int n = maps[i].number;
    if (bySlot[n]) {
      error = mapFiles[i].name + ": map " + std::to_string(n) + " is also written in " +
              bySlot[n]->at.file;
      return false;
    }
    bySlot[n] = &maps[i];
  }
  int count = 0;
  while (count < kMaxMaps && bySlot[count]) ++count;
  for (int n = count; n < kMaxMaps; ++n) {
    if (bySlot[n]) {
      error = bySlot[n]->at.file + ": map " + std::to_string(n) + " follows a gap: map " +
              std::to_string(count) +
              " is not written (maps are numbered 0, 1, 2, ... without gaps)";
      return false;
    }
  }
  if (count == 0) {
    error = worldFile.name + ": the world has no maps (map 0 always exists)";
    return false;
  }

  out.world.mapCount = static_cast<uint8_t>(count);
  out.world.terrain = out.tileset.terrain;
  out.mapSources.resize(static_cast<size_t>(count));
  out.routes.resize(static_cast<size_t>(count));
  for (int n = 0; n < count; ++n) {
    out.world.maps[n] = std::make_unique<Map>();
    if (!BuildMap(*bySlot[n], source, out.tileset, options, *out.world.maps[n], error,
                  &out.routes[n]))
      return false;
    out.mapSources[n] = bySlot[n]->at.file;
  }
  bySlot.resize(static_cast<size_t>(count));
  return CheckWorld(source, bySlot, out.world, error);
}

std::vector<uint8_t> CompiledWorldBytes(const CompiledWorld& world) {
  TilesFromPicture(world.tileset.picture.data());
  return WorldBytes(world.world);
}

}  // namespace torvel::forge
