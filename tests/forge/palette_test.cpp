#include <gtest/gtest.h>

#include <string>

#include "common/byte_io.h"
#include "forge/palette.h"
#include "gfx/bmp.h"

namespace torvel::forge {
namespace {

int Luma(Rgb c) {
  return 299 * c.r + 587 * c.g + 114 * c.b;
}

TEST(Palette, EveryRampClimbsFromBlackToItsBrightest) {
  const auto& p = GamePalette();
  for (int ramp = 0; ramp < kRampCount; ++ramp) {
    SCOPED_TRACE(ramp);
    Rgb darkest = p[ramp * 32];
    EXPECT_LE(darkest.r + darkest.g + darkest.b, 12) << "shade 0 must read as black";
    for (int s = 1; s < kShadeCount; ++s) {
      EXPECT_GT(Luma(p[ramp * 32 + s]), Luma(p[ramp * 32 + s - 1])) << "shade " << s;
    }
    Rgb top = p[ramp * 32 + 31];
    EXPECT_GE(std::max({top.r, top.g, top.b}), 200) << "shade 31 must be bright";
  }
}

TEST(Palette, RampZeroIsNeutralGreyFromBlackToWhite) {
  const auto& p = GamePalette();
  for (int s = 0; s < kShadeCount; ++s) {
    EXPECT_EQ(p[s].r, p[s].g);
    EXPECT_EQ(p[s].g, p[s].b);
  }
  EXPECT_EQ(p[0], (Rgb{0, 0, 0}));
  EXPECT_EQ(p[31], (Rgb{255, 255, 255}));
}

// The colours the game draws by number must carry the hue their use needs.
TEST(Palette, ValuesTheGameDrawsHaveTheirHues) {
  const auto& p = GamePalette();
  struct Case {
    int value;
    const char* use;
    bool (*check)(Rgb);
  };
  const Case cases[] = {
      {44, "healthy life bar", [](Rgb c) { return c.g > c.r && c.g > c.b; }},
      {111, "mana bar", [](Rgb c) { return c.b > c.r && c.b > c.g; }},
      {140, "low life bar", [](Rgb c) { return c.r > 2 * c.g && c.r > 2 * c.b; }},
      {174, "middle life bar", [](Rgb c) { return c.r > c.g && c.g > c.b; }},
      {76, "rock debris", [](Rgb c) { return c.r > c.g && c.g > c.b; }},
      {208, "magic violet", [](Rgb c) { return c.b > c.g && c.r > c.g; }},
      {240, "frozen tint", [](Rgb c) { return c.b > c.r && c.g > c.r; }},
      {255, "epilogue bars", [](Rgb c) { return c.r + c.g + c.b > 500; }},
  };
  for (const Case& c : cases) EXPECT_TRUE(c.check(p[c.value])) << c.value << " " << c.use;
}

TEST(Palette, ShadeClampsAndNearestFindsExactColours) {
  EXPECT_EQ(Shade(kBlue, 40), 127);
  EXPECT_EQ(Shade(kBlue, -3), 96);
  EXPECT_EQ(Shade(9, 5), 7 * 32 + 5);
  const auto& p = GamePalette();
  for (int v : {0, 5, 37, 100, 150, 200, 254}) {
    EXPECT_EQ(NearestColour(p[v]), v == 0 ? 0 : v);
    EXPECT_EQ(NearestShade(RampOf(static_cast<uint8_t>(v)), p[v]), v);
  }
  // Restricted to the gold ramp, pure red still lands in gold.
  EXPECT_EQ(RampOf(NearestColour({255, 0, 0}, 1u << kGold)), kGold);
}

TEST(Palette, PalBmpCarriesTheGamePalette) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(std::string(TORVEL_GAME_DIR) + "/graphics/pal.bmp", bytes));
  BmpImage image;
  ASSERT_TRUE(DecodeBmp8(bytes, image));
  EXPECT_EQ(image.width, 640);
  EXPECT_EQ(image.height, 480);
  EXPECT_EQ(image.palette, GamePaletteBgrx());
  // The game reads the colour table straight after the two headers.
  ASSERT_GE(bytes.size(), 1078u);
  EXPECT_EQ(bytes[28], 8);  // bits per pixel
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(bytes[54 + i * 4 + 0], GamePalette()[i].b);
    EXPECT_EQ(bytes[54 + i * 4 + 2], GamePalette()[i].r);
  }
}

}  // namespace
}  // namespace torvel::forge
