#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "actors/kinds.h"
#include "forge/creatures/creature_preview.h"
#include "forge/creatures/creature_sets.h"
#include "forge/palette.h"
#include "forge/preview.h"

namespace torvel::forge {
namespace {

SpriteImage Filled(int w, int h, uint8_t value) {
  SpriteImage s = BlankSprite(w, h, w / 2, h);
  std::fill(s.pixels.begin(), s.pixels.end(), value);
  std::fill(s.opaque.begin(), s.opaque.end(), 1);
  return s;
}

size_t Count(const std::vector<uint8_t>& image, uint8_t value) {
  return static_cast<size_t>(std::count(image.begin(), image.end(), value));
}

// Every drawn pixel of every sprite lands on the sheet exactly once per
// scaled pixel, even when the cells wrap onto several rows.
TEST(PreviewSheet, ShowsEverySpriteWholeAndWrapsRows) {
  std::vector<SpriteImage> sprites = {Filled(40, 30, Shade(kRed, 20)), SpriteImage{},
                                      Filled(50, 20, Shade(kGreen, 20)),
                                      Filled(60, 10, Shade(kGold, 20))};
  SheetOptions options;
  options.scale = 2;
  options.maxWidth = 120;  // room for two cells per row at most
  options.markHotSpots = false;
  int w = 0, h = 0;
  std::vector<uint8_t> image = RenderSpriteSheet(sprites, options, w, h);
  ASSERT_EQ(image.size(), static_cast<size_t>(w) * h);
  EXPECT_EQ(Count(image, Shade(kRed, 20)), 40u * 30 * 4);
  EXPECT_EQ(Count(image, Shade(kGreen, 20)), 50u * 20 * 4);
  EXPECT_EQ(Count(image, Shade(kGold, 20)), 60u * 10 * 4);
  EXPECT_LE(w, 2 * 130);
  EXPECT_GT(h, 2 * (30 + 20 + 10));  // three rows of cells
}

// Ghost art is drawn over the cell's grey the way the game adds it to the
// ground, so a dark ghost sprite still shows its hue.
TEST(PreviewSheet, GhostSpritesTakeTheBackgroundsLightness) {
  std::vector<SpriteImage> sprites = {Filled(4, 4, Shade(kBlue, 3))};
  SheetOptions options;
  options.scale = 1;
  options.modes = {PreviewMode::kGhost};
  options.markHotSpots = false;
  int w = 0, h = 0;
  std::vector<uint8_t> image = RenderSpriteSheet(sprites, options, w, h);
  EXPECT_EQ(Count(image, Shade(kBlue, 3)), 0u);
  EXPECT_EQ(Count(image, Shade(kBlue, 15)), 16u);  // cell grey is shade 12
}

}  // namespace
}  // namespace torvel::forge

namespace torvel::forge {
namespace {

// Under a deep build folder every sheet keeps its whole name.
TEST(CreaturePreviews, KeepTheirNamesUnderADeepFolder) {
  std::string dir = std::string(TORVEL_TEST_TMP) + "/CreaturePreviews.deep/" +
                    std::string(150, 'd') + "/" + std::string(100, 'e');
  std::filesystem::remove_all(std::string(TORVEL_TEST_TMP) + "/CreaturePreviews.deep");
  std::filesystem::create_directories(dir);
  const int kind = 2;
  std::vector<SpriteImage> sprites(static_cast<size_t>(creatures::SpriteCountFor(kind)) * 8,
                                   Filled(4, 4, Shade(kRed, 20)));
  ASSERT_TRUE(creatures::WriteCreaturePreviews(dir, kind, "creature", sprites));
  EXPECT_TRUE(std::filesystem::is_regular_file(dir + "/02_creature.png"));
  int sequences = 0;
  for (int anim = 0; anim < kSequenceCount; ++anim) {
    if (KindSequenceLength(kind, anim) == 0) continue;
    ++sequences;
    EXPECT_TRUE(
        std::filesystem::is_regular_file(dir + "/02_creature_seq" + std::to_string(anim) + ".png"))
        << anim;
  }
  EXPECT_GT(sequences, 0);
}

}  // namespace
}  // namespace torvel::forge
