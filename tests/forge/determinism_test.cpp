// Same sources, same bytes: this forge's parts run again here must write
// exactly what the build's forge run wrote into the game folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "common/byte_io.h"
#include "forge/forge.h"
#include "forged_data.h"
#include "support/headless_fixture.h"

namespace torvel::forge {
namespace {

// FNV-1a, enough to tell files apart in a failure message.
uint64_t Hash(const std::vector<uint8_t>& bytes) {
  uint64_t h = 1469598103934665603ull;
  for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
  return h;
}

TEST(ForgeDeterminism, ArtPartsWriteTheSameBytesAgain) {
  ForgeOptions options;
  options.outDir = torvel::testing::MakeTempDir("ForgeDeterminism");
  std::filesystem::create_directories(options.outDir + "/graphics");
  ASSERT_TRUE(ForgePalette(options));
  ASSERT_TRUE(ForgePictures(options));
  ASSERT_TRUE(ForgeTilesets(options));
  ASSERT_TRUE(ForgeFonts(options));
  ASSERT_TRUE(ForgeSpriteSets(options));
  std::map<std::string, uint64_t> again;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(options.outDir)) {
    if (!entry.is_regular_file()) continue;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(entry.path().string(), bytes));
    again[std::filesystem::relative(entry.path(), options.outDir).string()] = Hash(bytes);
  }
  ASSERT_GE(again.size(), 6u);
  for (const auto& [name, hash] : again) {
    std::vector<uint8_t> built;
    ASSERT_TRUE(ReadFileBytes(testing::GameFile(name), built)) << name;
    EXPECT_EQ(Hash(built), hash) << name << " differs from the build's copy";
  }
}

}  // namespace
}  // namespace torvel::forge
