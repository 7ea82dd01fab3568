#include "autoplay/route.h"

#include "forge/worlds/level_build.h"
#include "forge/worlds/world_sources.h"
#include "shell/play_loop.h"

namespace torvel::autoplay {

bool LoadWorldRoutes(const std::string& worldsDir, int world, WorldRoutes& routes,
                     std::string& error) {
  routes = WorldRoutes{};
  std::vector<forge::WorldSourceFiles> sources;
  if (!forge::ReadWorldSources(worldsDir, sources, error)) return false;
  for (const forge::WorldSourceFiles& files : sources) {
    forge::WorldSource head;
    if (!forge::ParseWorldSource(files.world, head, error)) return false;
    if (head.fileName != WorldFileName(world)) continue;
    forge::CompileOptions options;
    options.tilesets = forge::ForgedWorldTileset;
    forge::CompiledWorld compiled;
    if (!forge::CompileWorld(files.world, files.maps, options, compiled, error)) return false;
    for (size_t m = 0; m < compiled.routes.size(); ++m) {
      if (!compiled.routes[m].empty()) routes.maps[static_cast<int>(m)].steps = compiled.routes[m];
    }
    for (size_t m = 0; m < compiled.mapSources.size(); ++m)
      routes.sources[static_cast<int>(m)] = compiled.mapSources[m];
    routes.arenas = compiled.arenas;
    return true;
  }
  error = std::string("no level sources for ") + WorldFileName(world) + " in " + worldsDir;
  return false;
}

}  // namespace torvel::autoplay
