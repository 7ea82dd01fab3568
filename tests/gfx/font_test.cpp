#include "gfx/font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/byte_io.h"
#include "gfx/display.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

using testing::HeadlessTest;

// A small font for codes 'A'.. 'D' (65..68), 3 rows high, gap 1, blank 4:
// 'A' is 2 wide and solid pixel p; 'B' 7 wide; 'C' 3 wide with a clear middle
// column; 'D' 1 wide.
std::vector<FontGlyph> TestGlyphs(uint8_t p) {
  FontGlyph a{2, std::vector<uint8_t>(6, p)};
  FontGlyph b{7, std::vector<uint8_t>(21, p)};
  FontGlyph c{3, {p, 0, p, p, 0, p, p, 0, p}};
  FontGlyph d{1, {p, p, p}};
  return {a, b, c, d};
}

Font MakeFont(uint8_t p) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(EncodeFont('A', 3, 4, 1, TestGlyphs(p), bytes));
  Font font;
  EXPECT_EQ(LoadFontBytes(bytes.data(), bytes.size(), font), kFontOk);
  return font;
}

class FontTest : public HeadlessTest {
 protected:
  void Fill(uint8_t v) { std::memset(display().screen, v, 640 * 480); }
};

TEST(FontWidthTest, Widths) {
  Font font = MakeFont(0x3C);
  struct Case {
    const char* text;
    int32_t width;
  };
  for (Case c :
       {Case{"", 0}, Case{"B", 8}, Case{"A", 3}, Case{"AB", 11}, Case{"ABCD", 3 + 8 + 4 + 2},
        Case{"  ", 10}, Case{"xyz", 15}, Case{"\x80\xC1", 10}, Case{"@E", 10}}) {
    EXPECT_EQ(TextWidth(c.text, font), c.width) << '"' << c.text << '"';
  }
  EXPECT_EQ(TextWidth(nullptr, font), 0);
  EXPECT_EQ(CharWidth('C', font), 3);
  EXPECT_EQ(CharWidth(' ', font), 4);
}

// The five variants, one glyph pixel p over a screen pixel d.
struct VariantCase {
  const char* variant;
  uint8_t p;
  uint8_t d;
  int arg;
  uint8_t want;
};

class FontVariantTest : public FontTest, public ::testing::WithParamInterface<VariantCase> {};

TEST_P(FontVariantTest, GlyphPixelRule) {
  const VariantCase& c = GetParam();
  Font font = MakeFont(c.p);
  Fill(c.d);
  const std::string v = c.variant;
  Display* d = &display();
  if (v == "plain") DrawChar(d, 50, 60, 'D', font);
  if (v == "bright") DrawCharBright(d, 50, 60, 'D', font, static_cast<int8_t>(c.arg));
  if (v == "solid") DrawCharSolid(d, 50, 60, 'D', font, static_cast<uint8_t>(c.arg));
  if (v == "glow") DrawCharGlow(d, 50, 60, 'D', font);
  if (v == "glow-bright") DrawCharGlowBright(d, 50, 60, 'D', font, static_cast<int8_t>(c.arg));
  for (int r = 0; r < 3; ++r) EXPECT_EQ(Pixel(50, 60 + r), c.want) << c.variant;
  EXPECT_EQ(Pixel(51, 60), c.d);
  EXPECT_EQ(Pixel(50, 63), c.d);
}

INSTANTIATE_TEST_SUITE_P(Variants, FontVariantTest,
                         ::testing::Values(VariantCase{"plain", 0x3C, 0x55, 0, 0x3C},
                                           VariantCase{"bright", 0x3C, 0x55, 5, 0x3F},
                                           VariantCase{"bright", 0x22, 0x55, -5, 0x20},
                                           VariantCase{"bright", 0x22, 0x55, 3, 0x25},
                                           VariantCase{"bright", 0x22, 0x55, 0, 0x22},
                                           VariantCase{"solid", 0x22, 0x55, 0, 0x00},
                                           VariantCase{"solid", 0x22, 0x55, 31, 31},
                                           VariantCase{"glow", 0x23, 0x4A, 0, 0x4D},
                                           VariantCase{"glow", 0x23, 0x5E, 0, 0x5F},
                                           VariantCase{"glow", 0x03, 0xFE, 0, 0xFF},
                                           VariantCase{"glow-bright", 0x02, 0x48, -4, 0x48},
                                           VariantCase{"glow-bright", 0x02, 0x41, -4, 0x5F},
                                           VariantCase{"glow-bright", 0x02, 0x41, 3, 0x46},
                                           VariantCase{"glow-bright", 0x05, 0x5D, 0, 0x5F},
                                           VariantCase{"glow-bright", 0x05, 0xFD, 0, 0xFF},
                                           VariantCase{"glow-bright", 0x01, 0x00, -1, 0x00}));

TEST_F(FontTest, ZeroPixelsAreTransparentAndStringsAdvance) {
  Font font = MakeFont(0x3C);
  Fill(0x11);
  DrawString(&display(), 100, 100, "CA B", font);
  // 'C' at 100 (middle column clear), 'A' at 104, blank, 'B' at 112.
  EXPECT_EQ(Pixel(100, 101), 0x3C);
  EXPECT_EQ(Pixel(101, 101), 0x11);
  EXPECT_EQ(Pixel(102, 101), 0x3C);
  EXPECT_EQ(Pixel(103, 101), 0x11);
  EXPECT_EQ(Pixel(104, 101), 0x3C);
  EXPECT_EQ(Pixel(105, 101), 0x3C);
  EXPECT_EQ(Pixel(106, 101), 0x11);
  EXPECT_EQ(Pixel(111, 101), 0x11);
  for (int x = 112; x < 119; ++x) EXPECT_EQ(Pixel(x, 101), 0x3C);
  EXPECT_EQ(Pixel(119, 101), 0x11);
}

TEST_F(FontTest, ColumnZeroRowZeroAndTheScreenEdgesAreNeverWritten) {
  Font font = MakeFont(0x3C);
  struct Case {
    int x, y;
  };
  for (Case c : {Case{0, 0}, Case{-3, 5}, Case{636, 478}, Case{639, -2}, Case{-100000, 5},
                 Case{INT32_MAX, INT32_MAX}, Case{INT32_MIN, INT32_MIN}, Case{5, 479}}) {
    Fill(0x11);
    DrawChar(&display(), c.x, c.y, 'B', font);
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const int64_t gx = int64_t{x} - c.x;
        const int64_t gy = int64_t{y} - c.y;
        const bool glyph = gx >= 0 && gx < 7 && gy >= 0 && gy < 3 && x > 0 && y > 0;
        ASSERT_EQ(Pixel(x, y), glyph ? 0x3C : 0x11)
            << x << ", " << y << " glyph at " << c.x << ", " << c.y;
      }
    }
  }
}

TEST_F(FontTest, RoundTripDrawsTheGlyphsAsWritten) {
  std::vector<FontGlyph> glyphs;
  for (int i = 0; i < 95; ++i) {
    FontGlyph g;
    g.width = static_cast<uint8_t>(i % 9);
    for (int p = 0; p < g.width * 5; ++p)
      g.pixels.push_back(static_cast<uint8_t>((i * 7 + p) % 3 ? 0 : 32 + p));
    glyphs.push_back(g);
  }
  const std::string path = dir() + "/f.vft";
  ASSERT_TRUE(WriteFont(path, 32, 5, 3, 2, glyphs));
  Font font;
  ASSERT_EQ(LoadFontFile(path, font), kFontOk);
  EXPECT_EQ(font.numChars, 95);
  EXPECT_EQ(font.firstChar, 32);
  EXPECT_EQ(font.height, 5);
  EXPECT_EQ(font.blankWidth, 3);
  EXPECT_EQ(font.gap, 2);
  for (int i = 0; i < 95; ++i) {
    Fill(0);
    DrawChar(&display(), 10, 10, static_cast<uint8_t>(32 + i), font);
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < glyphs[i].width; ++c)
        ASSERT_EQ(Pixel(10 + c, 10 + r), glyphs[i].pixels[r * glyphs[i].width + c]) << i;
    EXPECT_EQ(CharWidth(static_cast<uint8_t>(32 + i), font), glyphs[i].width);
  }
}

TEST(FontWriterTest, RefusesWhatTheFormatCannotHold) {
  std::vector<uint8_t> out;
  EXPECT_FALSE(EncodeFont(32, 3, 4, 1, {}, out));
  EXPECT_FALSE(EncodeFont(32, 3, 4, 1, std::vector<FontGlyph>(129, FontGlyph{}), out));
  EXPECT_FALSE(EncodeFont(32, 3, 4, 1, {FontGlyph{2, {1, 2, 3}}}, out));
  EXPECT_TRUE(EncodeFont(0, 3, 4, 1, std::vector<FontGlyph>(128, FontGlyph{}), out));
}

TEST(FontLoadTest, MalformedFontsAreRefused) {
  std::vector<uint8_t> good;
  ASSERT_TRUE(EncodeFont('A', 3, 4, 1, TestGlyphs(0x3C), good));
  auto with = [&](size_t offset, uint8_t value) {
    std::vector<uint8_t> b = good;
    b[offset] = value;
    return b;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> shortHeader(good.begin(), good.begin() + 527);
  std::vector<uint8_t> shortData(good.begin(), good.end() - 1);
  std::vector<uint8_t> glyphsShort = with(8, static_cast<uint8_t>(good.size() - 528 - 3));
  glyphsShort.resize(good.size() - 3);
  std::vector<Case> cases = {
      {"empty", {}},
      {"header cut short", shortHeader},
      {"data cut short", shortData},
      {"no glyphs", with(0, 0)},
      {"more than 128 glyphs", with(0, 129)},
      {"more glyphs than the data holds", with(0, 5)},
      {"data size larger than the file", with(11, 1)},
      {"glyph data shorter than the glyphs need", glyphsShort},
      {"taller glyphs than the data holds", with(2, 4)},
  };
  for (const Case& c : cases) {
    Font font = MakeFont(0x3C);
    EXPECT_EQ(LoadFontBytes(c.bytes.data(), c.bytes.size(), font), kFontShortRead) << c.what;
    EXPECT_TRUE(font.glyphStart.empty()) << c.what;
    EXPECT_EQ(TextWidth("ABC", font), 0) << c.what;
  }
}

TEST_F(FontTest, LoadResultCodes) {
  Font font;
  EXPECT_EQ(LoadFont("graphics\\nothere.vft", font), kFontCannotOpen);
  // A file far bigger than any font could be is not taken in.
  const std::string huge = dir() + "/huge.vft";
  { std::ofstream(huge).put('x'); }
  std::filesystem::resize_file(huge, 17u * 1024u * 1024u);
  EXPECT_EQ(LoadFontFile(huge, font), kFontOutOfMemory);
  std::filesystem::remove(huge);
}

// The graphics module with three fonts written to the game folder.
class GraphicsTextTest : public FontTest {
 protected:
  void SetUp() override {
    FontTest::SetUp();
    std::filesystem::create_directories(dir() + "/graphics");
    for (const char* name : {"listiumbig.vft", "verdana.vft", "listium.vft"}) {
      std::vector<FontGlyph> glyphs = TestGlyphs(0x3C);
      // Code 125 in font 1 is the pointer: a 2 x 3 block, first 'A' at 65.
      ASSERT_TRUE(WriteFont(dir() + "/graphics/" + name, 'A', 3, 4, 1, glyphs));
    }
    std::vector<FontGlyph> editor;
    for (int code = 32; code <= 125; ++code)
      editor.push_back(code == 125 ? FontGlyph{2, std::vector<uint8_t>(6, 0x3C)} : FontGlyph{});
    ASSERT_TRUE(WriteFont(dir() + "/graphics/verdana.vft", 32, 3, 4, 1, editor));
    ASSERT_TRUE(InitGraphics(&display()));
  }
  void TearDown() override {
    ExitGraphics();
    FontTest::TearDown();
  }
};

TEST_F(GraphicsTextTest, PrintChoosesTheVariantByFont) {
  struct Case {
    int font;
    int c;
    uint8_t want;
  };
  for (Case c : {Case{0, 0, 0x3C}, Case{0, 246, 0x32}, Case{0, 5, 0x3F}, Case{2, 0, 0x3C},
                 Case{2, 1, 0x00}, Case{2, 246, 0x00}}) {
    Fill(0x55);
    Print(20, 20, "A", c.c, c.font);
    EXPECT_EQ(Pixel(20, 20), c.want) << c.font << " " << c.c;
  }
}

TEST_F(GraphicsTextTest, AlignedPrints) {
  const char* text = "BBBBBBBBBBBBDB";  // 13 x 8 + 2 = 106
  ASSERT_EQ(TextWidthOf(text, 2), 106);
  Fill(0x40);
  PrintCentered(100, text, 0, 2);
  EXPECT_EQ(Pixel(320 - 53 - 1, 100), 0x40);
  EXPECT_EQ(Pixel(320 - 53, 100), 0x3C);

  const char* odd = "BBBBBBBBBBBBA";  // 12 x 8 + 3 = 99: the half truncates to 49
  ASSERT_EQ(TextWidthOf(odd, 2), 99);
  Fill(0x40);
  PrintGlowCentered(100, odd, 2);
  EXPECT_EQ(Pixel(320 - 49 - 1, 100), 0x40);
  EXPECT_EQ(Pixel(320 - 49, 100), 0x5C);

  Fill(0x40);
  PrintGlowRight(300, 100, "AB", 2);  // 11 wide: starts at 289, last pixel at 298 (gap after)
  EXPECT_EQ(Pixel(288, 100), 0x40);
  EXPECT_EQ(Pixel(289, 100), 0x5C);
  EXPECT_EQ(Pixel(298, 100), 0x5C);
  EXPECT_EQ(Pixel(299, 100), 0x40);
}

TEST_F(GraphicsTextTest, PointerIsOutlinedInBlack) {
  Fill(0x55);
  DrawPointer(100, 100);
  // The 2 x 3 glyph in 31, with black one pixel around it (not at the corners).
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 2; ++c) EXPECT_EQ(Pixel(100 + c, 100 + r), 31);
  EXPECT_EQ(Pixel(99, 100), 0);
  EXPECT_EQ(Pixel(102, 100), 0);
  EXPECT_EQ(Pixel(100, 99), 0);
  EXPECT_EQ(Pixel(100, 103), 0);
  EXPECT_EQ(Pixel(99, 99), 0x55);
}

TEST_F(GraphicsTextTest, GammaAndBoxes) {
  EXPECT_EQ(GetGamma(), 0);
  SetGamma(3);
  EXPECT_EQ(GetGamma(), 3);
  Fill(0);
  GraphicsFillBox(10, 10, 12, 12, 9);
  GraphicsBox(20, 20, 22, 22, 8);
  EXPECT_EQ(Pixel(11, 11), 9);
  EXPECT_EQ(Pixel(21, 21), 0);
  EXPECT_EQ(Pixel(20, 21), 8);
}

TEST_F(FontTest, TextWithFontsMissingDrawsNothing) {
  EXPECT_FALSE(InitGraphics(&display()));
  Fill(0x55);
  Print(10, 10, "ABC", 0, 0);
  PrintGlowCentered(10, "ABC", 2);
  PrintGlowBright(10, 10, "ABC", 3, 1);
  DrawPointer(10, 10);
  Print(10, 10, "ABC", 0, 7);
  EXPECT_EQ(TextWidthOf("ABC", 1), 0);
  EXPECT_EQ(GetFont(0), nullptr);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(Pixel(x, y), 0x55);
  ExitGraphics();
}

}  // namespace
}  // namespace torvel
