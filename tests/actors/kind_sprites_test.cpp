// The kinds' sprite sets: loading on first use, the shared yeti set, the
// hero's swappable set, freeing, and the editor's picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "actors/kinds.h"
#include "gfx/sprites.h"
#include "support/headless_fixture.h"

namespace torvel {
namespace {

// A set of count sprites; sprite i is a w x h block of colour base + i % 32
// with its hot spot at the bottom centre.
std::vector<Sprite> TinySet(int count, int w, int h, uint8_t base) {
  std::vector<Sprite> sprites;
  for (int i = 0; i < count; ++i) {
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h, static_cast<uint8_t>(base + i % 32));
    sprites.push_back(EncodeSprite(pixels.data(), w, h, w, 255, static_cast<int16_t>(w / 2),
                                   static_cast<int16_t>(h)));
  }
  return sprites;
}

class KindSpritesTest : public testing::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    std::filesystem::create_directories(dir() + "/graphics");
    ClearKindSprites();
  }
  void TearDown() override {
    FreeKindSprites();
    HeadlessTest::TearDown();
  }
  std::string Path(const std::string& name) { return dir() + "/graphics/" + name; }
  void WriteSet(const std::string& name, int count, uint8_t base, int w = 4, int h = 6) {
    ASSERT_TRUE(WriteSpriteSet(Path(name), TinySet(count, w, h, base)));
  }
  // The colour a loaded sprite draws, which tells the sprites apart.
  static int Colour(const Sprite* s) {
    std::vector<uint8_t> px;
    if (!s || !UnpackSprite(*s, 0, px) || px.empty()) return -1;
    return px[0];
  }
};

TEST_F(KindSpritesTest, SetsLoadOnFirstUseAndPickTheFacingsSprite) {
  WriteSet("skeleton.vsp", 38 * 8, 64);
  EXPECT_FALSE(KindSpritesLoaded(2));
  EXPECT_EQ(KindSprite(2, 0), nullptr);  // only an already loaded set is asked
  // Skeleton blow, entry 3 is frame 23; facing 2 adds 2 * 38.
  EXPECT_EQ(Colour(GuySprite(2, 2, 3, 2)), 64 + (23 + 76) % 32);
  EXPECT_TRUE(KindSpritesLoaded(2));
  EXPECT_EQ(Colour(KindSprite(2, 5)), 64 + 5);
}

TEST_F(KindSpritesTest, BlankFramesAndNumbersPastTheSetGiveNoSprite) {
  WriteSet("sylabulus.vsp", 472, 32);
  EXPECT_EQ(GuySprite(1, 6, 14, 0), nullptr);  // the drowning hero's blank frames
  EXPECT_NE(GuySprite(1, 6, 12, 0), nullptr);
  WriteSet("spider.vsp", 10, 32);  // far fewer sprites than the kind needs
  EXPECT_EQ(GuySprite(4, 3, 12, 7), nullptr);
}

TEST_F(KindSpritesTest, BothYetisShareOneSetLoadedOnce) {
  WriteSet("yeti.vsp", 40 * 8, 96);
  ASSERT_NE(GuySprite(37, 0, 0, 2), nullptr);
  EXPECT_TRUE(KindSpritesLoaded(36));
  // The file is gone: a second load would be fatal, the shared set is not.
  std::filesystem::remove(Path("yeti.vsp"));
  EXPECT_EQ(&KindSprites(36), &KindSprites(37));
  EXPECT_NE(GuySprite(36, 2, 7, 4), nullptr);
  FreeMonsterSprites();  // freed once, with no second owner left behind
  EXPECT_FALSE(KindSpritesLoaded(37));
  EXPECT_FALSE(KindSpritesLoaded(36));
}

TEST_F(KindSpritesTest, MapEndKeepsTheHeroAndProgramEndFreesAll) {
  WriteSet("sylabulus.vsp", 472, 32);
  WriteSet("bat.vsp", 27 * 8, 160);
  ASSERT_NE(GuySprite(1, 0, 0, 0), nullptr);
  ASSERT_NE(GuySprite(3, 0, 0, 0), nullptr);
  FreeMonsterSprites();
  EXPECT_TRUE(KindSpritesLoaded(1));
  EXPECT_FALSE(KindSpritesLoaded(3));
  FreeKindSprites();
  EXPECT_FALSE(KindSpritesLoaded(1));
  EXPECT_EQ(KindSprite(1, 0), nullptr);
}

TEST_F(KindSpritesTest, TheHerosSetCanBeSwappedForTheArmouredLook) {
  WriteSet("sylabulus.vsp", 472, 32);
  WriteSet("sylab2.vsp", 472, 192);
  ASSERT_TRUE(LoadKindSprites(1, "graphics\\sylabulus.vsp"));
  EXPECT_EQ(Colour(KindSprite(1, 3)), 32 + 3);
  ASSERT_TRUE(LoadKindSprites(1, "graphics\\sylab2.vsp"));
  EXPECT_EQ(Colour(KindSprite(1, 3)), 192 + 3);
  EXPECT_EQ(Colour(GuySprite(1, 0, 0, 0)), 192);
  // A look that cannot be loaded leaves the hero without a set until its
  // next use loads the plain one.
  EXPECT_FALSE(LoadKindSprites(1, "graphics\\missing.vsp"));
  EXPECT_FALSE(KindSpritesLoaded(1));
  EXPECT_EQ(Colour(GuySprite(1, 0, 0, 0)), 32);
}

TEST_F(KindSpritesTest, TheEditorPictureIsTheIdleFrameFacingSouth) {
  // Sprite n is drawn in colour 64 + n % 32 (16 wide, 12 high, hot spot at
  // its bottom centre).
  ASSERT_TRUE(WriteSpriteSet(Path("bat.vsp"), TinySet(27 * 8, 16, 12, 64)));
  ASSERT_TRUE(WriteSpriteSet(Path("eggsac.vsp"), TinySet(26, 16, 12, 128)));
  display().ClearScreen();
  DrawKindPicture(100, 50, 3, display());  // sprite 0 + 2 * 27
  EXPECT_EQ(Pixel(100, 49), 64 + 54 % 32);
  EXPECT_EQ(Pixel(92, 38), 64 + 54 % 32);
  EXPECT_EQ(Pixel(100, 50), 0);  // the hot spot sits under the sprite's last row
  EXPECT_EQ(Pixel(91, 45), 0);
  DrawKindPicture(300, 50, 7, display());  // one facing: sprite 0 itself
  EXPECT_EQ(Pixel(300, 40), 128);
}

TEST_F(KindSpritesTest, AMissingSetIsFatal) {
  EXPECT_EXIT(GuySprite(5, 0, 0, 0), ::testing::ExitedWithCode(1), "MAV0 LAMRTN!");
}

}  // namespace
}  // namespace torvel
