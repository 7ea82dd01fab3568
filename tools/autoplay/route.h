// The routes the maps' designers wrote into the level sources: the order of
// the places to reach and what to do there. The autoplayer follows them and
// finds the way between the steps itself.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "autoplay/nav.h"
#include "forge/worlds/level_source.h"

namespace torvel::autoplay {

using forge::RouteStep;

struct MapRoute {
  std::vector<RouteStep> steps;
};

struct WorldRoutes {
  std::map<int, MapRoute> maps;        // by map number
  std::map<int, std::string> sources;  // the source file of every map ("river/02-mill.map")
  std::vector<int> arenas;
};

// Compiles the world's level sources (content/worlds/<folder>) and keeps the
// routes of its maps, their tiles resolved. False with the reason.
bool LoadWorldRoutes(const std::string& worldsDir, int world, WorldRoutes& routes,
                     std::string& error);

}  // namespace torvel::autoplay
