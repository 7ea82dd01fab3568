// Worlds in play: a damaged world file is prepared and played for 200 steps
// with the hero walking, firing and casting, on its roaming map and then on
// its last map, so that specials, light, items, guys and bullets all meet
// the damage. The world loader's own fuzzer covers the files it refuses;
// here only worlds it accepts are played.
//
// Inputs shorter than a world's header stand for a map count, the terrain
// table (800 bytes) and the map blocks, behind the tile images of the forged
// first world, so that small inputs reach the maps.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/byte_io.h"
#include "fuzz_game.h"
#include "player/player.h"
#include "shell/play_loop.h"
#include "world/world.h"

namespace {

constexpr size_t kTerrainBytes = torvel::kTerrainEntries * 4;

std::vector<uint8_t> WorldFile(const uint8_t* data, size_t size) {
  using namespace torvel;
  if (size >= kWorldHeaderBytes) return {data, data + size};
  static const std::vector<uint8_t> forged = [] {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(DataPath(WorldFileName(0)), bytes) || bytes.size() < kWorldHeaderBytes)
      std::abort();
    bytes.resize(kWorldHeaderBytes);
    return bytes;
  }();
  std::vector<uint8_t> file = forged;
  if (size == 0) return file;
  file[0] = data[0];
  const size_t terrain = std::min(size - 1, kTerrainBytes);
  std::memcpy(file.data() + kWorldHeaderBytes - kTerrainBytes, data + 1, terrain);
  file.insert(file.end(), data + 1 + terrain, data + size);
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace torvel;
  fuzz::FuzzGame& game = fuzz::Game();
  const std::vector<uint8_t> file = WorldFile(data, size);
  World world;
  // A world the loader refuses, or one without a roaming map, is never played.
  if (!ParseWorld(world, file.data(), file.size()) || world.mapCount < 2) return 0;
  const uint8_t last = static_cast<uint8_t>(world.mapCount - 1);
  FreeWorld(world);
  if (!WriteFileBytes(UserPath(WorldFileName(0)), file)) std::abort();

  ResetPlayer(kResetNewGame, 0, 0);
  for (uint8_t& spell : Player().spells) spell = 2;
  Player().lifeMax = Player().manaMax = 90;
  game.Play(fuzz::WanderSteps(200, 3), [last](uint32_t step) {
    if (step == 100 && last > 1) PostMapEvent(kEventLeaveToMap, last);
  });
  return 0;
}
