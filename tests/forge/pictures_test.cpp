// The forged pictures, read with the game's bitmap reader: all 640 x 480
// 8-bit; the ones that must carry the game palette do; the epilogue's
// background keeps to the values its darkening relies on; the shop leaves
// its text areas dark.
#include <gtest/gtest.h>

#include <string>

#include "common/byte_io.h"
#include "forge/palette.h"
#include "forged_data.h"
#include "gfx/bmp.h"

namespace torvel::forge {
namespace {

BmpImage LoadPicture(const std::string& name) {
  BmpImage image;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadFileBytes(testing::GameFile("graphics/" + name + ".bmp"), bytes)) << name;
  EXPECT_TRUE(DecodeBmp8(bytes, image)) << name;
  // The game reads the colour table right after the two headers.
  EXPECT_GE(bytes.size(), 1078u) << name;
  if (bytes.size() >= 1078u) {
    EXPECT_EQ(bytes[28], 8) << name;
    for (int i = 0; i < 1024; ++i) {
      if (i % 4 == 3) continue;
      EXPECT_EQ(bytes[54 + i], image.palette[i]) << name;
    }
  }
  return image;
}

double Brightness(const BmpImage& image, uint8_t v) {
  return 0.3 * image.palette[v * 4 + 2] + 0.59 * image.palette[v * 4 + 1] +
         0.11 * image.palette[v * 4];
}

TEST(ForgedPictures, EveryPictureIsAFullScreen) {
  for (const char* name : {"pal", "title", "intro1", "intro2", "trail1", "trail2", "shop", "zoobo",
                           "oldmap", "basicTiles"}) {
    BmpImage image = LoadPicture(name);
    EXPECT_EQ(image.width, 640) << name;
    EXPECT_EQ(image.height, 480) << name;
    EXPECT_EQ(image.pixels.size(), 640u * 480) << name;
  }
}

// The palette stays live after these are shown, so they must carry the
// game's own (Show-Pic pictures may not, but ours do too).
TEST(ForgedPictures, PicturesThatSetThePaletteCarryTheGamePalette) {
  for (const char* name : {"pal", "title", "shop", "oldmap"})
    EXPECT_EQ(LoadPicture(name).palette, GamePaletteBgrx()) << name;
}

// The epilogue darkens its background by lowering every non-zero value by
// one: the picture keeps to 1..31 of a palette climbing steadily from
// black, and the bars' colour 255 shows on it.
TEST(ForgedPictures, EpilogueBackgroundDarkensSmoothly) {
  BmpImage image = LoadPicture("zoobo");
  for (uint8_t v : image.pixels) {
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 31);
  }
  EXPECT_LT(Brightness(image, 0), 8);
  for (int i = 1; i < 32; ++i) EXPECT_GT(Brightness(image, i), Brightness(image, i - 1)) << i;
  EXPECT_GT(Brightness(image, 255), 150);
  // There is a picture to darken: it uses much of the range.
  int lo = 31, hi = 0;
  for (uint8_t v : image.pixels) {
    lo = std::min<int>(lo, v);
    hi = std::max<int>(hi, v);
  }
  EXPECT_GE(hi - lo, 20);
}

// The shop's name, price and descriptions glow or print over the picture:
// their lines stay dark, as does the heading's corner.
TEST(ForgedPictures, ShopLeavesItsTextAreasDark) {
  BmpImage image = LoadPicture("shop");
  struct Area {
    const char* what;
    int x0, y0, x1, y1;
  };
  const Area areas[] = {{"heading", 2, 2, 200, 28},
                        {"name and price", 5, 360, 355, 374},
                        {"descriptions", 5, 390, 600, 464}};
  for (const Area& a : areas) {
    double sum = 0;
    int n = 0, bright = 0;
    for (int y = a.y0; y <= a.y1; ++y)
      for (int x = a.x0; x <= a.x1; ++x) {
        uint8_t v = image.pixels[static_cast<size_t>(y) * 640 + x];
        sum += ShadeOf(v);
        bright += ShadeOf(v) > 14;
        ++n;
      }
    EXPECT_LT(sum / n, 10) << a.what;
    EXPECT_LT(bright, n / 50) << a.what;
  }
}

}  // namespace
}  // namespace torvel::forge
