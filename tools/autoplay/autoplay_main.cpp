// autoplay: plays the whole game from the title, as a player would, with
// nothing but key presses, and records every world as a replay that the
// game itself checks (torvel --replay).
//
//   autoplay [--data-dir DIR] [--worlds DIR] [--out DIR] [--report DIR]
//            [--first W] [--last W] [--save FILE] [--max-steps N]
//            [--log FILE] [--shots DIR] [--quiet] [--verbose]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "autoplay/driver.h"
#include "common/byte_io.h"
#include "forge/worlds/level_build.h"
#include "forge/worlds/world_sources.h"
#include "platform/paths.h"
#include "shell/play_loop.h"

namespace {

// A combat lab: the river world with its map 2 (the mill, the first door
// of the valley) replaced by the map source given, compiled into a game
// folder of its own that links to everything else of the real one. The run
// plays that map and stops once it is done.
// The map each world's lab takes the place of: its first door that is no arena.
const char* const kLabMaps[4] = {"river/02-mill.map", "forest/02-thicket.map",
                                 "castle/06-armoury.map", "under/06-fire.map"};
const int kLabMapNumbers[4] = {2, 2, 6, 6};

bool MakeLab(const std::string& labMap, int labWorld, const std::string& worldsDir,
             const std::string& gameDir, const std::string& labDir,
             std::vector<torvel::forge::RouteStep>& labRoute, std::string& error) {
  namespace fs = std::filesystem;
  std::vector<torvel::forge::WorldSourceFiles> sources;
  if (!torvel::forge::ReadWorldSources(worldsDir, sources, error)) return false;
  std::vector<uint8_t> bytes;
  if (!torvel::ReadFileBytes(labMap, bytes, 1u << 20)) {
    error = labMap + ": cannot be read";
    return false;
  }
  const std::string file = torvel::WorldFileName(labWorld);
  const std::string folder =
      std::string(kLabMaps[labWorld]).substr(0, std::string(kLabMaps[labWorld]).find('/') + 1);
  for (auto& world : sources) {
    if (world.world.name.rfind(folder, 0) != 0) continue;
    for (auto& map : world.maps) {
      if (map.name != kLabMaps[labWorld]) continue;
      map.name = labMap;
      map.text.assign(bytes.begin(), bytes.end());
    }
    torvel::forge::CompileOptions options;
    options.tilesets = torvel::forge::ForgedWorldTileset;
    torvel::forge::CompiledWorld compiled;
    if (!torvel::forge::CompileWorld(world.world, world.maps, options, compiled, error))
      return false;
    if (compiled.routes.size() > static_cast<size_t>(kLabMapNumbers[labWorld]))
      labRoute = compiled.routes[kLabMapNumbers[labWorld]];
    std::error_code ec;
    fs::create_directories(labDir, ec);
    for (const auto& e : fs::directory_iterator(gameDir, ec)) {
      if (e.path().filename() == file) continue;
      // Linked by absolute path: a relative game folder would point nowhere
      // from the lab's folder.
      fs::create_symlink(fs::absolute(e.path(), ec), fs::path(labDir) / e.path().filename(), ec);
    }
    return torvel::WriteFileAtomic(labDir + "/" + file,
                                   torvel::forge::CompiledWorldBytes(compiled));
  }
  error = "no world " + file + " in " + worldsDir;
  return false;
}

void Usage() {
  std::fprintf(stderr,
               "usage: autoplay [--data-dir DIR] [--worlds DIR] [--out DIR] [--report DIR]\n"
               "                [--first W] [--last W] [--save FILE] [--max-steps N]\n"
               "                [--log FILE] [--shots DIR] [--quiet] [--verbose]\n"
               "                [--skip W:M]...\n"
               "Plays the game from the title to the end of world --last (3: the ending),\n"
               "starting at world --first (after the first, from the saved games in --save),\n"
               "and records each world into DIR/<world>.rpl.\n");
}

}  // namespace

int main(int argc, char** argv) {
  using torvel::autoplay::Options;
  Options options;
  std::string labMap;
  options.gameDir = TORVEL_GAME_DIR;
  options.worldsDir = std::string(TORVEL_SOURCE_DIR) + "/content/worlds";
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        Usage();
        std::exit(2);
      }
      out = argv[++i];
    };
    std::string v;
    if (a == "--data-dir") {
      value(options.gameDir);
    } else if (a == "--worlds") {
      value(options.worldsDir);
    } else if (a == "--out") {
      value(options.outDir);
    } else if (a == "--report") {
      value(options.reportDir);
    } else if (a == "--first") {
      value(v);
      options.firstWorld = std::atoi(v.c_str());
    } else if (a == "--last") {
      value(v);
      options.lastWorld = std::atoi(v.c_str());
    } else if (a == "--save") {
      value(options.saveFile);
    } else if (a == "--max-steps") {
      value(v);
      options.maxSteps = std::strtoull(v.c_str(), nullptr, 10);
    } else if (a == "--log") {
      value(options.logFile);
    } else if (a == "--shots") {
      value(options.shotsDir);
    } else if (a == "--skip") {
      value(v);
      int w = -1, m = -1;
      std::sscanf(v.c_str(), "%d:%d", &w, &m);
      options.skipMaps.emplace_back(w, m);
    } else if (a == "--watch") {
      value(v);
      std::sscanf(v.c_str(), "%d:%d:%d", &options.watchWorld, &options.watchMap,
                  &options.watchEvery);
      if (options.watchEvery <= 0) options.watchEvery = 30;
    } else if (a == "--trace") {
      options.traceHero = 1;
    } else if (a == "--idle") {
      value(v);
      options.idleSteps = std::atoi(v.c_str());
    } else if (a == "--lab") {
      value(labMap);
    } else if (a == "--quiet") {
      options.verbose = 0;
    } else if (a == "--verbose") {
      options.verbose = 2;
    } else {
      Usage();
      return 2;
    }
  }
  if (options.firstWorld < 0 || options.firstWorld > 3 || options.lastWorld < options.firstWorld ||
      options.lastWorld > 3 || (options.firstWorld > 0 && options.saveFile.empty())) {
    Usage();
    return 2;
  }

  // A user folder of its own: the player's saved games are never touched.
  std::string pattern =
      (std::filesystem::temp_directory_path() / "torvel-autoplay-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back(0);
  if (!mkdtemp(name.data())) {
    std::fprintf(stderr, "autoplay: cannot make a temporary folder\n");
    return 2;
  }
  std::string userDir = name.data();
  if (!labMap.empty()) {
    std::string error;
    std::string labDir = userDir + "-lab";
    int w = options.firstWorld;
    if (!MakeLab(labMap, w, options.worldsDir, options.gameDir, labDir, options.labRoute, error)) {
      std::fprintf(stderr, "autoplay: the lab: %s\n", error.c_str());
      return 2;
    }
    options.gameDir = labDir;
    options.lastWorld = w;
    options.stopAfterMap = kLabMapNumbers[w];
    options.labMap = kLabMapNumbers[w];
  }
  torvel::SetGameDir(options.gameDir);
  torvel::SetUserDir(userDir);
  if (!options.saveFile.empty()) {
    std::vector<uint8_t> save;
    if (!torvel::ReadFileBytes(options.saveFile, save, 1u << 20) ||
        !torvel::WriteFileAtomic(userDir + "/torvel.sav", save)) {
      std::fprintf(stderr, "autoplay: cannot use the saved games in %s\n",
                   options.saveFile.c_str());
      return 2;
    }
  }
  int status = torvel::autoplay::Driver(options).Run();
  std::error_code ec;
  std::filesystem::remove_all(userDir, ec);
  if (!labMap.empty()) std::filesystem::remove_all(userDir + "-lab", ec);
  return status;
}
