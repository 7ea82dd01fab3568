// Presenting the 8-bit screen: the palette's blue, green, red entries become
// the 0xAARRGGBB pixels of the window's texture, row by row at each side's
// own pitch.
#include "platform/frame_convert.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace torvel {
namespace {

// A palette entry as stored: blue, green, red, reserved.
void SetEntry(uint8_t palette[1024], int i, uint8_t red, uint8_t green, uint8_t blue) {
  palette[i * 4 + 0] = blue;
  palette[i * 4 + 1] = green;
  palette[i * 4 + 2] = red;
  palette[i * 4 + 3] = 0x5A;  // reserved: never shown
}

TEST(FrameConvert, EachColourKeepsItsRedGreenAndBlue) {
  struct Case {
    const char* what;
    uint8_t red, green, blue;
    uint32_t pixel;
  } cases[] = {
      {"black", 0, 0, 0, 0xFF000000u},       {"red", 255, 0, 0, 0xFFFF0000u},
      {"green", 0, 255, 0, 0xFF00FF00u},     {"blue", 0, 0, 255, 0xFF0000FFu},
      {"orange", 250, 128, 10, 0xFFFA800Au}, {"white", 255, 255, 255, 0xFFFFFFFFu},
  };
  uint8_t palette[1024] = {};
  for (int i = 0; i < 256; ++i) SetEntry(palette, i, 1, 2, 3);
  int index = 17;
  for (const Case& c : cases) SetEntry(palette, index++, c.red, c.green, c.blue);
  uint32_t lut[256];
  BuildPaletteLookup(palette, lut);
  index = 17;
  for (const Case& c : cases) {
    EXPECT_EQ(lut[index++], c.pixel) << c.what << std::hex << " got 0x" << lut[index - 1];
  }
  EXPECT_EQ(lut[0], 0xFF010203u);
  EXPECT_EQ(lut[255], 0xFF010203u);
}

TEST(FrameConvert, EveryEntryOfTheLookupIsItsOwn) {
  uint8_t palette[1024];
  for (int i = 0; i < 256; ++i) {
    SetEntry(palette, i, static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
             static_cast<uint8_t>(i * 7));
  }
  uint32_t lut[256];
  BuildPaletteLookup(palette, lut);
  for (int i = 0; i < 256; ++i) {
    uint32_t want = 0xFF000000u | (static_cast<uint32_t>(i) << 16) |
                    (static_cast<uint32_t>(255 - i) << 8) | static_cast<uint8_t>(i * 7);
    ASSERT_EQ(lut[i], want) << "entry " << i;
  }
}

// A 3 x 2 screen with 5 bytes a row becomes 3 x 2 pixels in rows of 16
// bytes; the bytes past each row's pixels are left alone.
TEST(FrameConvert, TheFrameIsConvertedRowByRowAtBothPitches) {
  uint8_t palette[1024] = {};
  SetEntry(palette, 1, 255, 0, 0);
  SetEntry(palette, 2, 0, 0, 255);
  SetEntry(palette, 3, 10, 20, 30);
  uint32_t lut[256];
  BuildPaletteLookup(palette, lut);
  const uint8_t screen[2 * 5] = {1, 2, 3, 9, 9,  //
                                 3, 0, 1, 9, 9};
  std::vector<uint8_t> frame(2 * 16, 0xCD);
  ConvertFrame(screen, 5, 3, 2, lut, frame.data(), 16);
  auto pixel = [&](int x, int y) {
    uint32_t v;
    std::memcpy(&v, frame.data() + y * 16 + x * 4, 4);
    return v;
  };
  EXPECT_EQ(pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(pixel(1, 0), 0xFF0000FFu);
  EXPECT_EQ(pixel(2, 0), 0xFF0A141Eu);
  EXPECT_EQ(pixel(0, 1), 0xFF0A141Eu);
  EXPECT_EQ(pixel(1, 1), 0xFF000000u);
  EXPECT_EQ(pixel(2, 1), 0xFFFF0000u);
  for (int y = 0; y < 2; ++y) {
    for (int b = 12; b < 16; ++b) EXPECT_EQ(frame[y * 16 + b], 0xCD) << y << ", " << b;
  }
}

}  // namespace
}  // namespace torvel
