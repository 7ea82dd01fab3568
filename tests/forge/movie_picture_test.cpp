#include <gtest/gtest.h>

#include "forge/movie/movie_maker.h"
#include "forge/movie/picture.h"
#include "forge/palette.h"
#include "gfx/movie.h"
#include "support/headless_fixture.h"

namespace torvel::forge {
namespace {

// A 3 x 2 sprite whose top row is transparent, black and gold, and whose
// bottom row is gold, transparent, black; hot spot at its bottom middle.
Sprite SmallSprite() {
  const uint8_t gold = forge::Shade(kGold, 20);
  const uint8_t clear = 99;
  const uint8_t pixels[6] = {clear, 0, gold, gold, clear, 0};
  return EncodeSprite(pixels, 3, 2, 3, clear, 1, 1);
}

TEST(MoviePicture, SpritesKeepTheirBlackAndLeaveTheirHolesScaled) {
  Sprite s = SmallSprite();
  const uint8_t ground = forge::Shade(kGreen, 10), gold = forge::Shade(kGold, 20);
  struct Case {
    int scale;
    int x, y;          // a picture pixel
    uint8_t expected;  // what it shows
  };
  const Case cases[] = {
      {1, 9, 9, ground},   {1, 10, 9, 0},  {1, 11, 9, gold},    {1, 9, 10, gold},
      {1, 10, 10, ground}, {1, 11, 10, 0}, {2, 8, 8, ground},   {2, 9, 9, ground},
      {2, 10, 8, 0},       {2, 11, 9, 0},  {2, 12, 8, gold},    {2, 8, 10, gold},
      {2, 10, 11, ground}, {2, 13, 11, 0}, {2, 14, 10, ground},
  };
  for (const Case& c : cases) {
    Picture p(20, 20, ground);
    p.DrawSprite(&s, 10, 10, c.scale);
    EXPECT_EQ(p.At(c.x, c.y), c.expected) << "scale " << c.scale << " at " << c.x << "," << c.y;
  }
}

TEST(MoviePicture, ShadowsDarkenTheGroundOnceWhereverTheyFall) {
  Sprite s = SmallSprite();
  const uint8_t ground = forge::Shade(kGreen, 10);
  Picture p(20, 20, ground);
  p.DrawSpriteShadow(&s, 10, 10, 2);
  int darkened = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      uint8_t v = p.At(x, y);
      EXPECT_TRUE(v == ground || v == forge::Shade(kGreen, 6)) << x << "," << y;
      darkened += v != ground;
    }
  EXPECT_GT(darkened, 0);
  // Squashed: no shadow above the feet by more than half the sprite's height.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_EQ(p.At(x, y), ground) << x << "," << y;
}

TEST(MoviePicture, TextFadesInAsAnEvenShareOfItsPixels) {
  // A one-glyph font: "A" is a 4 x 4 block of shade 30.
  Font font;
  std::vector<FontGlyph> glyphs(34);
  glyphs[33].width = 4;
  glyphs[33].pixels.assign(16, forge::Shade(kGrey, 30));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(EncodeFont(32, 4, 3, 1, glyphs, bytes));
  ASSERT_EQ(LoadFontBytes(bytes.data(), bytes.size(), font), kFontOk);
  const uint8_t sky = forge::Shade(kBlue, 12);
  for (double coverage : {0.0, 0.25, 0.5, 1.0}) {
    Picture p(16, 16, sky);
    p.DrawText(font, 4, 4, "A", kGold, coverage);
    int lit = 0;
    for (int y = 4; y < 8; ++y)
      for (int x = 4; x < 8; ++x) lit += p.At(x, y) == forge::Shade(kGold, 30);
    EXPECT_EQ(lit, static_cast<int>(16 * coverage)) << coverage;
  }
}

TEST(MoviePicture, AnImageTurnedAQuarterLandsWhereItShould) {
  ShadeImage img(8, 8);
  img.Set(6, 4, kRed, 20);  // two pixels right of the pivot, the centre of pixel (4, 4)
  Picture p(32, 32);
  p.StampTurned(img, {4.5, 4.5}, 16.5, 16.5, kPi / 2, 0, 0);
  // A quarter turn clockwise on screen takes "right" to "down".
  EXPECT_EQ(p.At(16, 18), forge::Shade(kRed, 20));
  int painted = 0;
  for (uint8_t v : p.pixels()) painted += v != 0;
  EXPECT_EQ(painted, 1);
}

TEST(MovieLight, FadesGoToBlackAndFlashesToWhite) {
  std::vector<uint8_t> black = PaletteAt(0.0), game = PaletteAt(1.0), white = PaletteAt(2.0);
  std::array<uint8_t, 1024> base = GamePaletteBgrx();
  for (int i = 0; i < 256; ++i) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(black[i * 4 + c], 0);
      EXPECT_EQ(game[i * 4 + c], base[i * 4 + c]);
      EXPECT_EQ(white[i * 4 + c], 255);
    }
  }
  std::vector<uint8_t> half = PaletteAt(0.5);
  EXPECT_EQ(half[31 * 4], (base[31 * 4] + 1) / 2);
}

class MovieMakerTest : public testing::HeadlessTest {};

// What the maker writes plays back in the game's player with the same
// pixels and the light it was given.
TEST_F(MovieMakerTest, FramesComeBackAsTheyWentIn) {
  MovieMaker maker(100);
  std::vector<Picture> frames;
  for (int i = 0; i < 25; ++i) {
    Picture p;
    for (int x = 0; x < 40; ++x) p.Set(10 * i % 300 + x, 100, forge::Shade(kGold, 10 + x % 20));
    frames.push_back(p);
    maker.Add(p, i < 5 ? i / 5.0 : 1.0);
  }
  EXPECT_DOUBLE_EQ(maker.Seconds(), 2.5);
  std::vector<uint8_t> file = maker.Finish();
  MovieDecoder movie;
  ASSERT_TRUE(movie.OpenBytes(file.data(), file.size(), true));
  ASSERT_EQ(movie.Frames(), 25);
  for (int i = 0; i < 25; ++i) {
    ASSERT_TRUE(movie.DecodeFrame(&display()));
    for (int y = 0; y < 240; y += 7)
      for (int x = 0; x < 320; ++x)
        ASSERT_EQ(Pixel(2 * x, 2 * y), frames[i].At(x, y)) << "frame " << i;
    std::vector<uint8_t> light = PaletteAt(i < 5 ? i / 5.0 : 1.0);
    for (int c = 0; c < 1024; c += 4) ASSERT_EQ(display().palette[c + 2], light[c + 2]) << i;
  }
}

}  // namespace
}  // namespace torvel::forge
