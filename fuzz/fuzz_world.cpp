// The world loader on arbitrary bytes: it must never read outside them, and
// whatever it accepts must write back as the same bytes.
//
// Inputs too short to hold the tile images and terrain table are also tried
// as a map count followed by map blocks, behind a blank header, so that small
// inputs reach the map reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "world/world.h"

namespace {

void ParseAndCheck(const uint8_t* data, size_t size) {
  torvel::World world;
  if (!torvel::ParseWorld(world, data, size)) return;
  const std::vector<uint8_t> bytes = torvel::WorldBytes(world);
  if (bytes.size() > size || std::memcmp(bytes.data(), data, bytes.size()) != 0) std::abort();
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
