#include "gfx/display.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "gfx/bmp.h"
#include "shell/play_loop.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using testing::HeadlessTest;

class DisplayTest : public HeadlessTest {
 protected:
  // Every pixel set to colour c, as a set of (x, y) for comparing outlines.
  std::vector<std::pair<int, int>> PixelsOf(uint8_t c) {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        if (Pixel(x, y) == c) out.emplace_back(x, y);
    return out;
  }
};

TEST_F(DisplayTest, TakeLastKeyGivesTheKeyOnceThenZero) {
  display().SetLastKey('q');
  EXPECT_EQ(display().TakeLastKey(), 'q');
  EXPECT_EQ(display().TakeLastKey(), 0);
}

TEST_F(DisplayTest, TypedCharactersReachTheLastKeySlotLowByteOnly) {
  platform().PushChar(0x141);  // only the low byte is kept
  EXPECT_TRUE(display().ProcessMessages());
  EXPECT_EQ(display().TakeLastKey(), 0x41);
}

TEST_F(DisplayTest, CloseButtonMakesProcessMessagesFalse) {
  EXPECT_TRUE(display().ProcessMessages());
  platform().Push({HeadlessPlatform::EventType::Close, 0});
  EXPECT_FALSE(display().ProcessMessages());
  EXPECT_FALSE(display().ProcessMessages());
}

TEST_F(DisplayTest, MouseButtonIsTracked) {
  platform().Push({HeadlessPlatform::EventType::MouseDown, 0});
  display().ProcessMessages();
  EXPECT_TRUE(display().MouseDown());
  platform().Push({HeadlessPlatform::EventType::MouseUp, 0});
  display().ProcessMessages();
  EXPECT_FALSE(display().MouseDown());
}

TEST_F(DisplayTest, BoxCornersMaySwap) {
  display().Box(10, 10, 5, 5, 7);
  auto swapped = PixelsOf(7);
  display().ClearScreen();
  display().Box(5, 5, 10, 10, 7);
  auto plain = PixelsOf(7);
  EXPECT_EQ(swapped, plain);
  EXPECT_EQ(plain.size(), 20u);  // a 6x6 outline
  EXPECT_EQ(Pixel(7, 7), 0);
}

TEST_F(DisplayTest, BoxClipsToTheScreenBorder) {
  display().Box(-5, -5, 700, 500, 9);
  for (int x = 0; x < 640; ++x) {
    EXPECT_EQ(Pixel(x, 0), 9);
    EXPECT_EQ(Pixel(x, 479), 9);
  }
  for (int y = 0; y < 480; ++y) {
    EXPECT_EQ(Pixel(0, y), 9);
    EXPECT_EQ(Pixel(639, y), 9);
  }
  EXPECT_EQ(Pixel(1, 1), 0);
  EXPECT_EQ(PixelsOf(9).size(), 2u * 640 + 2u * 478);
}

TEST_F(DisplayTest, BoxEntirelyLeftOrAboveDrawsNothing) {
  display().Box(-20, 10, -1, 20, 3);
  display().Box(10, -20, 20, -1, 3);
  EXPECT_TRUE(PixelsOf(3).empty());
}

TEST_F(DisplayTest, FillBoxCases) {
  struct Case {
    int x1, y1, x2, y2;
    size_t pixels;
  } cases[] = {
      {10, 480, 20, 490, 0},          // starts below the screen
      {5, 5, 5, 9, 5},                // one-pixel column
      {-10, -10, 1, 1, 4},            // clipped at the top-left
      {630, 470, 700, 500, 100},      // clipped at the bottom-right
      {20, 10, 10, 20, 0},            // x1 > x2: nothing
      {0, 10, 639, 5, 0},             // y1 > y2: nothing
      {-5, 0, -1, 10, 0},             // entirely left
      {640, 0, 700, 10, 0},           // entirely right
      {0, 0, 639, 479, 640u * 480u},  // the whole screen
  };
  for (const Case& c : cases) {
    display().ClearScreen();
    display().FillBox(c.x1, c.y1, c.x2, c.y2, 5);
    EXPECT_EQ(PixelsOf(5).size(), c.pixels) << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2;
  }
}

TEST_F(DisplayTest, FillBoxFillsOddWidthsExactly) {
  // Word-wise filling must not spill past x2.
  display().FillBox(3, 2, 9, 2, 11);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(Pixel(x, 2), (x >= 3 && x <= 9) ? 11 : 0) << x;
}

TEST_F(DisplayTest, SetBrightnessScalesTheShownPaletteOnly) {
  uint8_t pal[1024] = {};
  pal[4 * 1 + 2] = 200;  // entry 1 red
  pal[4 * 2 + 2] = 100;  // entry 2 red
  pal[4 * 2 + 0] = 3;    // entry 2 blue
  display().SetPalette(pal);
  display().SetBrightness(3);
  const auto& hw = platform().hardwarePalette();
  EXPECT_EQ(hw[4 * 1 + 2], 255);  // 200 * 7 / 4 = 350, clamped
  EXPECT_EQ(hw[4 * 2 + 2], 175);
  EXPECT_EQ(hw[4 * 2 + 0], 5);  // 3 * 7 / 4 = 5.25, truncated
  EXPECT_EQ(display().palette[4 * 1 + 2], 200);
  display().SetBrightness(0);
  EXPECT_EQ(hw[4 * 1 + 2], 200);
  EXPECT_EQ(hw[4 * 2 + 2], 100);
}

TEST_F(DisplayTest, SetPaletteAloneDoesNotTouchTheScreenColours) {
  uint8_t pal[1024] = {};
  pal[4 * 7 + 1] = 99;
  int before = platform().paletteSets();
  display().SetPalette(pal);
  EXPECT_EQ(platform().paletteSets(), before);
  EXPECT_EQ(platform().hardwarePalette()[4 * 7 + 1], 0);
  display().RealizePalette();
  EXPECT_EQ(platform().hardwarePalette()[4 * 7 + 1], 99);
}

TEST_F(DisplayTest, FlipKeepsTheBackBuffer) {
  display().screen[100] = 42;
  display().Flip();
  EXPECT_EQ(display().GetScreen()[100], 42);
  EXPECT_EQ(platform().lastFrame()[100], 42);
}

TEST_F(DisplayTest, FlipWaitsWhileSuspendedAndExcludesTheTime) {
  platform().Push({HeadlessPlatform::EventType::Deactivate, 0});
  display().ProcessMessages();
  platform().At(platform().Milliseconds() + 5000, {HeadlessPlatform::EventType::Activate, 0});
  uint64_t frames = platform().frameCount();
  TakePendingExcludedTime();
  display().Flip();
  EXPECT_EQ(platform().frameCount(), frames + 1);
  int32_t excluded = TakePendingExcludedTime();
  EXPECT_GE(excluded, 5000);
  EXPECT_LT(excluded, 5200);
}

// ---- Screenshots ----

// A PNG as our writer makes it (8-bit RGB, unfiltered rows), read back.
struct RgbImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

bool ReadRgbPng(const std::string& path, RgbImage& image) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(path, bytes) || bytes.size() < 8) return false;
  auto be32 = [&](size_t at) {
    return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
           (uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
  };
  std::vector<uint8_t> packed;
  for (size_t at = 8; at + 12 <= bytes.size();) {
    uint32_t length = be32(at);
    if (at + 12 + length > bytes.size()) return false;
    std::string type(bytes.begin() + at + 4, bytes.begin() + at + 8);
    const uint8_t* data = bytes.data() + at + 8;
    if (type == "IHDR") {
      image.width = static_cast<int>(be32(at + 8));
      image.height = static_cast<int>(be32(at + 12));
      if (data[8] != 8 || data[9] != 2) return false;  // 8-bit RGB only
    } else if (type == "IDAT") {
      packed.insert(packed.end(), data, data + length);
    }
    at += 12 + length;
  }
  const size_t rowBytes = 1 + 3 * static_cast<size_t>(image.width);
  std::vector<uint8_t> raw(rowBytes * image.height);
  uLongf rawSize = raw.size();
  if (uncompress(raw.data(), &rawSize, packed.data(), packed.size()) != Z_OK ||
      rawSize != raw.size())
    return false;
  image.rgb.clear();
  for (int y = 0; y < image.height; ++y) {
    if (raw[y * rowBytes] != 0) return false;  // our writer never filters
    image.rgb.insert(image.rgb.end(), raw.begin() + y * rowBytes + 1,
                     raw.begin() + (y + 1) * rowBytes);
  }
  return true;
}

class ScreenshotTest : public DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    SetGameDir(TORVEL_GAME_DIR);  // the click's sound
  }
  std::vector<std::string> Shots() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir() + "/screenshots", ec))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  int Plays() {
    int n = 0;
    auto* device = static_cast<RecordingSoundDevice*>(platform().Sound());
    for (const auto& c : device->calls()) n += c.op == "play";
    return n;
  }
  void PressF12() {
    platform().Push({HeadlessPlatform::EventType::KeyDown, 88});
    platform().Push({HeadlessPlatform::EventType::KeyUp, 88});
    display().ProcessMessages();
  }
};

TEST_F(ScreenshotTest, F12WritesTheScreenAsShownWithAClick) {
  uint8_t pal[1024];
  for (int i = 0; i < 256; ++i) {
    pal[i * 4 + 0] = static_cast<uint8_t>(i);        // blue
    pal[i * 4 + 1] = static_cast<uint8_t>(255 - i);  // green
    pal[i * 4 + 2] = static_cast<uint8_t>(i / 4);    // red
    pal[i * 4 + 3] = 0;
  }
  display().SetPalette(pal);
  display().SetBrightness(-2);  // the screen shows the palette at half its brightness
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) display().screen[y * 640 + x] = static_cast<uint8_t>(x ^ y);
  int plays = Plays();
  display().Flip();
  EXPECT_TRUE(Shots().empty());  // nothing without the key

  PressF12();
  display().Flip();
  std::vector<std::string> shots = Shots();
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_EQ(display().LastScreenshot(), dir() + "/screenshots/" + shots[0]);
  // torvel-YYYYMMDD-HHMMSS.png
  const std::string pattern = "torvel-" + std::string(8, '?') + "-" + std::string(6, '?') + ".png";
  EXPECT_TRUE(WildcardMatch(pattern, shots[0])) << shots[0];
  RgbImage image;
  ASSERT_TRUE(ReadRgbPng(display().LastScreenshot(), image));
  ASSERT_EQ(image.width, 640);
  ASSERT_EQ(image.height, 480);
  const std::array<uint8_t, 1024>& shown = platform().hardwarePalette();
  int wrong = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      uint8_t v = static_cast<uint8_t>(x ^ y);
      const uint8_t* p = &image.rgb[(y * 640 + x) * 3];
      wrong += p[0] != shown[v * 4 + 2] || p[1] != shown[v * 4 + 1] || p[2] != shown[v * 4 + 0];
    }
  }
  EXPECT_EQ(wrong, 0);
  // Index 200 at half brightness: red 50 / 2, green 55 / 2, blue 200 / 2.
  const uint8_t* p = &image.rgb[(0 * 640 + 200) * 3];
  EXPECT_EQ(p[0], 25);
  EXPECT_EQ(p[1], 27);
  EXPECT_EQ(p[2], 100);
  EXPECT_EQ(Plays(), plays + 1);

  // One shot a press: the next frames write nothing more.
  display().Flip();
  EXPECT_EQ(Shots().size(), 1u);
}

TEST_F(ScreenshotTest, ShotsInOneSecondGetNumbersAndAFailedOneSaysNothing) {
  std::string folder = dir() + "/shots";
  std::filesystem::create_directories(folder);
  std::time_t when = 1700000000;
  std::string first = ScreenshotName(folder, when);
  ASSERT_TRUE(WriteFileBytes(first, std::vector<uint8_t>{1}));
  std::string second = ScreenshotName(folder, when);
  ASSERT_TRUE(WriteFileBytes(second, std::vector<uint8_t>{1}));
  std::string third = ScreenshotName(folder, when);
  EXPECT_EQ(second, first.substr(0, first.size() - 4) + "-2.png");
  EXPECT_EQ(third, first.substr(0, first.size() - 4) + "-3.png");

  // The screenshots folder cannot be made: no file, no click, no crash.
  ASSERT_TRUE(WriteFileBytes(dir() + "/screenshots", std::vector<uint8_t>{1}));
  int plays = Plays();
  PressF12();
  display().Flip();
  EXPECT_EQ(display().LastScreenshot(), "");
  EXPECT_EQ(Plays(), plays);
}

// ---- LoadBmp ----

class LoadBmpTest : public DisplayTest {
 protected:
  std::string Graphics(const std::string& name) {
    std::filesystem::create_directories(dir() + "/graphics");
    return dir() + "/graphics/" + name;
  }
  void Mark() {
    for (int i = 0; i < 640 * 480; ++i) display().screen[i] = 0x77;
    uint8_t pal[1024];
    for (int i = 0; i < 1024; ++i) pal[i] = static_cast<uint8_t>(i * 7);
    display().SetPalette(pal);
  }
  bool Unchanged() {
    for (int i = 0; i < 640 * 480; ++i)
      if (display().screen[i] != 0x77) return false;
    for (int i = 0; i < 1024; ++i)
      if (i % 4 != 3 && display().palette[i] != static_cast<uint8_t>(i * 7)) return false;
    return true;
  }
  static BmpImage Gradient(int w, int h) {
    BmpImage img;
    img.width = w;
    img.height = h;
    img.pixels.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) img.pixels[y * w + x] = static_cast<uint8_t>(x + 3 * y);
    for (int i = 0; i < 256; ++i) {
      img.palette[i * 4 + 0] = static_cast<uint8_t>(i);
      img.palette[i * 4 + 1] = static_cast<uint8_t>(255 - i);
      img.palette[i * 4 + 2] = static_cast<uint8_t>(i / 2);
    }
    return img;
  }
};

TEST_F(LoadBmpTest, OwnWriterRoundTripsAFullScreenPicture) {
  BmpImage img = Gradient(640, 480);
  ASSERT_TRUE(WriteFileBytes(Graphics("pic.bmp"), EncodeBmp8(img)));
  ASSERT_TRUE(display().LoadBmp("graphics\\pic.bmp"));
  EXPECT_EQ(Pixel(0, 0), img.pixels[0]);
  EXPECT_EQ(Pixel(639, 479), img.pixels[479 * 640 + 639]);
  EXPECT_EQ(Pixel(17, 300), img.pixels[300 * 640 + 17]);
  EXPECT_EQ(display().palette[4 * 9 + 1], 255 - 9);
  EXPECT_EQ(platform().hardwarePalette()[4 * 9 + 1], 255 - 9);
}

TEST_F(LoadBmpTest, NamesDifferingOnlyInCaseAreFound) {
  ASSERT_TRUE(WriteFileBytes(Graphics("Title.BMP"), EncodeBmp8(Gradient(64, 48))));
  EXPECT_TRUE(display().LoadBmp("graphics\\title.bmp"));
}

TEST_F(LoadBmpTest, OddWidthsWithRowPaddingLoadRowByRow) {
  BmpImage img = Gradient(37, 20);  // rows padded to 40 bytes in the file
  ASSERT_TRUE(WriteFileBytes(Graphics("odd.bmp"), EncodeBmp8(img)));
  Mark();
  ASSERT_TRUE(display().LoadBmp("graphics\\odd.bmp"));
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(Pixel(0, y), img.pixels[y * 37]) << y;
    EXPECT_EQ(Pixel(36, y), img.pixels[y * 37 + 36]) << y;
    EXPECT_EQ(Pixel(37, y), 0x77) << y;  // nothing beyond the picture
  }
}

TEST_F(LoadBmpTest, TopDownPicturesLoadTheRightWayUp) {
  BmpImage img = Gradient(8, 4);
  std::vector<uint8_t> bytes = EncodeBmp8(img);
  // Make it top-down: negative height, rows stored top first.
  ByteWriter w;
  w.Bytes(bytes.data(), 22);
  w.I32(-4);
  w.Bytes(bytes.data() + 26, 1078 - 26);
  for (int y = 0; y < 4; ++y) w.Bytes(img.pixels.data() + y * 8, 8);
  ASSERT_TRUE(WriteFileBytes(Graphics("td.bmp"), w.bytes()));
  ASSERT_TRUE(display().LoadBmp("graphics\\td.bmp"));
  for (int y = 0; y < 4; ++y) EXPECT_EQ(Pixel(5, y), img.pixels[y * 8 + 5]);
}

TEST_F(LoadBmpTest, OversizedPicturesShowTheirTopLeftAndNothingOutside) {
  BmpImage img = Gradient(700, 520);
  ASSERT_TRUE(WriteFileBytes(Graphics("big.bmp"), EncodeBmp8(img)));
  ASSERT_TRUE(display().LoadBmp("graphics\\big.bmp"));
  EXPECT_EQ(Pixel(639, 479), img.pixels[479 * 700 + 639]);
  EXPECT_EQ(Pixel(0, 0), img.pixels[0]);
}

TEST_F(LoadBmpTest, RefusedFilesLeaveScreenAndPaletteAlone) {
  BmpImage img = Gradient(64, 48);
  std::vector<uint8_t> good = EncodeBmp8(img);
  std::vector<std::pair<std::string, std::vector<uint8_t>>> bad;
  bad.push_back({"truncated", std::vector<uint8_t>(good.begin(), good.end() - 100)});
  bad.push_back({"headers only", std::vector<uint8_t>(good.begin(), good.begin() + 40)});
  bad.push_back({"empty", {}});
  std::vector<uint8_t> depth = good;
  depth[28] = 24;
  bad.push_back({"24-bit", depth});
  std::vector<uint8_t> rle = good;
  rle[30] = 1;  // claims run-length rows, but holds plain ones that overrun
  bad.push_back({"bad runs", rle});
  std::vector<uint8_t> bitfields = good;
  bitfields[30] = 3;
  bad.push_back({"other compression", bitfields});
  std::vector<uint8_t> huge = good;
  huge[18] = 0xFF;
  huge[19] = 0xFF;
  huge[20] = 0xFF;
  huge[21] = 0x7F;
  bad.push_back({"absurd width", huge});
  for (auto& [name, bytes] : bad) {
    ASSERT_TRUE(WriteFileBytes(Graphics("bad.bmp"), bytes));
    Mark();
    EXPECT_FALSE(display().LoadBmp("graphics\\bad.bmp")) << name;
    EXPECT_TRUE(Unchanged()) << name;
  }
  Mark();
  EXPECT_FALSE(display().LoadBmp("graphics\\missing.bmp"));
  EXPECT_TRUE(Unchanged());
}

// Pictures written by another program: ImageMagick's 8-bit BMP3 (short
// colour table, padded rows), checked pixel for pixel against ImageMagick's
// own decoding; and a 24-bit file, which is refused.
class ImageMagickBmpTest : public LoadBmpTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ImageMagickBmpTest, PicturesFromImageMagick) {
  std::string eight = Graphics("im8.bmp");
  std::string ppm = Graphics("im8.ppm");
  std::string truecolour = Graphics("im24.bmp");
  std::string cmd8 = std::string(
                         "convert -size 101x33 gradient:red-blue -fill yellow "
                         "-draw 'rectangle 0,0 9,9' -colors 60 -type Palette -compress ") +
                     GetParam() + " BMP3:" + eight + " && convert " + eight +
                     " -depth 8 ppm:" + ppm;
  std::string cmd24 = "convert -size 20x10 gradient:red-blue -type TrueColor BMP3:" + truecolour;
  ASSERT_EQ(std::system(cmd8.c_str()), 0) << "ImageMagick (scripts/setup installs it)";
  ASSERT_EQ(std::system(cmd24.c_str()), 0);

  std::vector<uint8_t> head;
  ASSERT_TRUE(ReadFileBytes(eight, head));
  ASSERT_EQ(head[28], 8) << "ImageMagick did not write an 8-bit file";

  Mark();
  EXPECT_FALSE(display().LoadBmp("graphics\\im24.bmp"));
  EXPECT_TRUE(Unchanged());

  ASSERT_TRUE(display().LoadBmp("graphics\\im8.bmp"));
  std::vector<uint8_t> reference;
  ASSERT_TRUE(ReadFileBytes(ppm, reference));
  const char* header = "P6\n101 33\n255\n";
  ASSERT_GE(reference.size(), 101u * 33u * 3u);
  ASSERT_EQ(std::string(reference.begin(), reference.begin() + std::strlen(header)), header);
  const uint8_t* rgb = reference.data() + std::strlen(header);
  int mismatches = 0;
  for (int y = 0; y < 33; ++y) {
    for (int x = 0; x < 101; ++x) {
      uint8_t v = Pixel(x, y);
      const uint8_t* want = rgb + (y * 101 + x) * 3;
      if (display().palette[v * 4 + 2] != want[0] || display().palette[v * 4 + 1] != want[1] ||
          display().palette[v * 4 + 0] != want[2])
        ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(Pixel(101, 0), 0x77);
  EXPECT_EQ(Pixel(0, 33), 0x77);
}

INSTANTIATE_TEST_SUITE_P(Compression, ImageMagickBmpTest, ::testing::Values("None", "RLE"));

}  // namespace
}  // namespace torvel
