// The world loader on arbitrary bytes: it must never read outside them, and
// whatever it accepts must write back as the same bytes, but for the monster
// starts of a kind the game has no creature for, which the loader drops (they
// write back as empty slots).
//
// Inputs too short to hold the tile images and terrain table are also tried
// as a map count followed by map blocks, behind a blank header, so that small
// inputs reach the map reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "actors/kinds.h"
#include "world/world.h"

namespace {

// The bytes an accepted input writes back as: the input up to the end of its
// last map, with every start of an unknown kind emptied.
std::vector<uint8_t> Expected(const torvel::World& world, const uint8_t* data, size_t size) {
  size_t end = torvel::kWorldHeaderBytes;
  for (int i = 0; i < world.mapCount; ++i)
    end += torvel::MapBlockBytes(world.maps[i]->width, world.maps[i]->height);
  if (end > size) std::abort();  // accepted more than there was
  std::vector<uint8_t> expected(data, data + end);
  size_t block = torvel::kWorldHeaderBytes;
  for (int i = 0; i < world.mapCount; ++i) {
    constexpr size_t kStarts = 4 + 4 + 32;  // width, height, name
    for (int m = 0; m < torvel::kMonsterStarts; ++m) {
      uint8_t* start = expected.data() + block + kStarts + 3 * m;
      if (start[2] >= torvel::kKindCount) std::memset(start, 0, 3);
    }
    block += torvel::MapBlockBytes(world.maps[i]->width, world.maps[i]->height);
  }
  return expected;
}

void ParseAndCheck(const uint8_t* data, size_t size) {
  torvel::World world;
  if (!torvel::ParseWorld(world, data, size)) return;
  if (torvel::WorldBytes(world) != Expected(world, data, size)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ParseAndCheck(data, size);
  if (size == 0 || size >= torvel::kWorldHeaderBytes) return 0;
  std::vector<uint8_t> padded(torvel::kWorldHeaderBytes + size - 1, 0);
  padded[0] = data[0];
  std::memcpy(padded.data() + torvel::kWorldHeaderBytes, data + 1, size - 1);
  ParseAndCheck(padded.data(), padded.size());
  return 0;
}
